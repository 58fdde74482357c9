#ifndef MORVANE_EXTERNAL_SOLVERS_CVC_DEC_H
#define MORVANE_EXTERNAL_SOLVERS_CVC_DEC_H

// The complete external decision procedures: a text converter whose text
// goes into a formula file, and whose solve completes the file with a
// query, runs the external program on it through the shell, and reads the
// verdict and the counter-model back from a result file. After D_SATISFIABLE
// the values of the propositional variables are read back, so get and
// print_values answer for the Boolean expressions that the generic
// conversion turned into variables; symbols written under their own names
// have no stored value, and non-Boolean values only go to standard output.
//
//   cvc_dect: program "cvcl", files cvc_dec_out_<pid>.tmp and
//             cvc_dec_result_<pid>.tmp
//   smt_dect: program "smtl", files smt_dec_out_<pid>.tmp and
//             smt_dec_result_<pid>.tmp
//
// The command is "<program> <formula file> > <result file> 2>&1". Both files
// are created exclusively in the working directory, mode 0600; a name in
// use (by another live object, a stale file or a planted link) gets a
// numeric suffix, "_1", "_2", ... before ".tmp". The result file is read
// without following a link. The destructor removes the files the object
// created, and only those.
//
// solve answers D_ERROR, after the level-1 message "Unexpected result from
// CVC-Lite" and without running the program, when the formula did not
// reach its file in full: the file could not be created, a write or the
// closing failed, or text was added after an earlier solve closed the file.
// A second solve without new text runs the program again on the same
// formula. The program's exit status is not examined: only the result file
// decides, and no verdict line in it means D_ERROR with the same message.

#include "external_solvers/cvc_conv.h"
#include "external_solvers/smt_conv.h"
#include "util/exchange_file.h"

#include <istream>
#include <ostream>
#include <string>

// The two exchange files and the run of the program.
class cvc_temp_filet
{
protected:
  // `prefix` names the files ("<prefix>_dec_out_..."), `program` is run.
  // Creates the formula file; a failure only leaves the stream failed.
  cvc_temp_filet(const char *prefix, const char *_program);
  // Removes the files this object created.
  ~cvc_temp_filet();
  cvc_temp_filet(const cvc_temp_filet &) = delete;
  cvc_temp_filet &operator=(const cvc_temp_filet &) = delete;

  // Flushes and closes the formula file.
  void close_formula();
  // Runs the program on the formula and reads its answer into `prop`.
  decision_proceduret::resultt run(messaget &message, cvc_propt &prop);

  decision_proceduret::resultt
  read_result(messaget &message, cvc_propt &prop) const;
  // One counter-model line beginning with "ASSERT "; may read the next
  // line of `in`.
  static void read_assert(cvc_propt &prop, std::istream &in, std::string &line);

  const std::string prefix;
  const std::string program;
  std::string temp_out_filename;
  std::string temp_result_filename;

private:
  descriptor_buffert temp_out_buffer;

protected:
  std::ostream temp_out_stream;
  bool formula_closed = false;

private:
  bool formula_complete = false;
};

// The procedure over either converter.
template <class convt>
class text_dect : private cvc_temp_filet, public convt
{
public:
  text_dect(const char *_prefix, const char *_program)
    : cvc_temp_filet(_prefix, _program), convt(temp_out_stream)
  {
  }

  decision_proceduret::resultt solve() override
  {
    if(!formula_closed)
    {
      temp_out_stream << "QUERY FALSE;" << std::endl
                      << "COUNTERMODEL;" << std::endl;
      this->post_process();
      close_formula();
    }
    return run(*this, this->text_back_end());
  }

  // The names of the two exchange files; the result file's is empty until
  // the first solve.
  const std::string &formula_file() const
  {
    return temp_out_filename;
  }
  const std::string &result_file() const
  {
    return temp_result_filename;
  }
};

class cvc_dect : public text_dect<cvc_convt>
{
public:
  cvc_dect() : text_dect("cvc", "cvcl")
  {
  }
};

class smt_dect : public text_dect<smt_convt>
{
public:
  smt_dect() : text_dect("smt", "smtl")
  {
  }
};

#endif
