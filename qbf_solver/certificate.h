#ifndef MORVANE_QBF_SOLVER_CERTIFICATE_H
#define MORVANE_QBF_SOLVER_CERTIFICATE_H

#include "qbf_solver/exclusive_ofstream.h"

#include <cstdint>
#include <ostream>
#include <string>

class messaget;

// The certificate file of the input file being decided, from its creation
// to its final name. It is written under a temporary name next to the input
// file and moved to its final name only when complete, so a file under the
// final name is always whole.
//
// A certificate fails when it cannot be created, written, completed or
// moved, or when a gate would be numbered past the limit. The failure is
// reported at level 1 through the owner's message source, nothing is left
// under either name (a folder is not ours and stays), and the certificate
// counts as failed until the next input file starts: a missing certificate
// is never passed off as an answer.
class certificatet
{
public:
  // Failures are reported through `reporter`. Gates are numbered on from
  // `gate_counter`, which the owner raises to every variable it reads (so
  // gates lie above the formula's variables) and which goes on across input
  // files; no gate is numbered above `max_gate`. Both must outlive this
  // object.
  certificatet(messaget &reporter, unsigned &gate_counter, unsigned max_gate);

  // The final name of the certificate of an input file (as named on the
  // command line), and the temporary name it is written under. An empty
  // input name stands for a certificate in the working directory.
  static std::string final_name(const std::string &input_file);
  static std::string temporary_name(const std::string &input_file);

  // Makes this the certificate of the input file, forgets an earlier
  // file's failure and removes what an earlier run left under either name
  // (a folder stays): whatever this run's answer, a certificate found
  // afterwards is this run's, for the file's present content. Called before
  // the file is read.
  void start(const std::string &file_name);

  // Creates the file under the temporary name and writes its first line.
  // Whatever had that name goes first, so neither a file left by an earlier
  // run nor a planted link is written through; a certificate already open
  // is dropped with the lines written to it. False when the file cannot be
  // created: the certificate has then failed.
  bool open();

  bool is_open() const
  {
    return file.is_open();
  }

  // Where the lines of the open certificate are written.
  std::ostream &lines()
  {
    return file;
  }

  // The next gate number. Past the limit it is 0 and nothing more is
  // written: the certificate then fails when it is closed, unless it is
  // opened afresh before.
  std::int64_t new_gate();

  // Completes the open certificate and moves it to its final name,
  // replacing a file of that name; it fails if a gate was refused or a
  // write or the move failed. Does nothing when no certificate is open, so
  // a certificate is concluded once.
  void close();

  // Removes the open, unfinished certificate and reports why at level 1.
  // Does nothing when no certificate is open.
  void discard(const std::string &reason);

  // Whether the certificate of the current input file has failed.
  bool failed() const
  {
    return has_failed;
  }

private:
  messaget &reporter;
  unsigned &gate_counter;
  const unsigned max_gate;
  std::string input_file;
  exclusive_ofstreamt file;
  bool has_failed = false;
  // A gate was refused; the gates written are of no use.
  bool gates_out_of_range = false;

  void fail(const std::string &message);
  // Removes whatever has the temporary or the final name, unless a folder.
  void remove_files();
};

#endif
