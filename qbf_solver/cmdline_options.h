#ifndef MORVANE_QBF_SOLVER_CMDLINE_OPTIONS_H
#define MORVANE_QBF_SOLVER_CMDLINE_OPTIONS_H

#include "qbf_solver/morvane.h"
#include "util/message.h"
#include "util/parseoptions.h"
#include "util/ui_message.h"

// The program as the user meets it: decides each input file in turn, reports
// the result word and turns it into the exit code.
class cmdline_optionst : public parseoptions_baset, public messaget
{
public:
  cmdline_optionst(int argc, const char *const *argv);

  void help() override;
  int execute() override;

  morvanet solver;
  ui_message_handlert ui_message_handler;

private:
  // The result of one file, from reading to the answer; 30 with
  // --parse-only after a successful read.
  morvanet::resultt decide(const std::string &file_name, bool &parsed_only);
};

#endif
