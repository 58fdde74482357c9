// A small program on the program skeleton, run as a real process by the
// tests: its help text goes to standard output, and its work sends one
// message per level 0 to 10 through a plain handler, with the verbosity
// from --v.

#include "util/c_conversion.h"
#include "util/message.h"
#include "util/parseoptions.h"
#include "util/ui_message.h"

#include <iostream>

class skeleton_programt : public parseoptions_baset, public messaget
{
public:
  skeleton_programt(int argc, const char **argv)
    : parseoptions_baset("(v):(flag)", argc, argv)
  {
    set_message_handler(&handler);
  }

  void help() override
  {
    std::cout << "skeleton program help\n";
  }

  int execute() override
  {
    if(const char *value = cmdline.option_value("v"))
      set_verbosity(static_cast<unsigned>(strtol32(value)));
    for(unsigned level = 0; level <= 10; level++)
      print(level, "level " + std::to_string(level));
    return 3;
  }

private:
  ui_message_handlert handler{ui_message_handlert::PLAIN};
};

int main(int argc, const char **argv)
{
  skeleton_programt program(argc, argv);
  return program.run();
}
