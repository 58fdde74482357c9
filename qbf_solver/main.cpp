#include "qbf_solver/cmdline_options.h"

#include <iostream>

int main(int argc, const char **argv)
{
  // Diagnostics are many short lines; let the stream buffer them.
  std::ios::sync_with_stdio(false);
  cmdline_optionst cmdline_options(argc, argv);
  return cmdline_options.run();
}
