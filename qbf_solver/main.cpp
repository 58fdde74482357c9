#include "qbf_solver/cmdline_options.h"

#include <cstdio>
#include <iostream>
#include <new>

// Internal errors, one policy for the whole program: a broken invariant (a
// state the code itself should never reach) is an INVARIANT check, which
// stops the program naming the place. The answer ERROR with a level-1
// message is only for the outside world: bad input (unreadable or
// malformed files, a certificate that cannot be written) and exhausted
// resources (memory). An internal fault is never passed off as an answer.

int main(int argc, const char **argv)
{
  try
  {
    // Diagnostics are many short lines; let the stream buffer them.
    std::ios::sync_with_stdio(false);
    cmdline_optionst cmdline_options(argc, argv);
    return cmdline_options.run();
  }
  catch(const std::bad_alloc &)
  {
    // Memory ran out outside the deciding of a file, where the answer
    // would have been reported (at start-up, say). Written without
    // allocating: there may be nothing left to allocate.
    std::fputs("out of memory\nERROR\n", stderr);
    return 99;
  }
}
