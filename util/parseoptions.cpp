#include "util/parseoptions.h"

#include <iostream>

parseoptions_baset::parseoptions_baset(
  const std::string &optstring,
  int argc,
  const char *const *argv)
  : parse_failed(cmdline.parse(argc, argv, ("?hb:(help)" + optstring).c_str()))
{
}

void parseoptions_baset::usage_error()
{
  std::cerr << "Usage error!\n\n";
  help();
}

int parseoptions_baset::run()
{
  if(parse_failed)
  {
    usage_error();
    return 64;
  }

  if(cmdline.has_option('?') || cmdline.has_option('h') ||
     cmdline.has_option("help"))
  {
    help();
    return 0;
  }

  return execute();
}
