#ifndef MORVANE_SAT_EXTERNAL_PROGRAM_H
#define MORVANE_SAT_EXTERNAL_PROGRAM_H

// What the adapters of external solver programs share: writing an exchange
// file and running a command through the shell, each reporting its failure
// at level 1 on the adapter's message source; shell_quote for building the
// command and answer_file_streamt for reading the answer come with it.

#include "util/exchange_file.h"
#include "util/text_utils.h"

#include <functional>
#include <iosfwd>
#include <string>

class messaget;

// Writes the file `name` with `write`, created afresh and never through a
// link (recreate_exchange_file). False, after the report "Unable to write
// <name>", when the file cannot be created or the writing fails.
bool write_exchange_file(
  messaget &message,
  const std::string &name,
  const std::function<void(std::ostream &)> &write);

// Removes an answer file left by an earlier run, so that a program that
// writes nothing is never taken to have answered.
void remove_stale_answer(const std::string &name);

// Runs `command` through the shell and waits for it. False, after the
// report "Unable to run: <command>", when the shell could not be started,
// could not find or execute the program (exit status 126 or 127), or the
// program was ended by a signal. Any other exit status is the program's own
// answer and is not judged here.
bool run_external_program(messaget &message, const std::string &command);

#endif
