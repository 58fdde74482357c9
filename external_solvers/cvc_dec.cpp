#include "external_solvers/cvc_dec.h"

#include "util/text_utils.h"

#include <cstdlib>
#include <iostream>
#include <unistd.h>

namespace
{
bool begins_with(const std::string &text, const char *prefix)
{
  return text.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

// "<prefix>_dec_<role>_<pid>", the name of an exchange file before its
// suffix.
std::string stem(const std::string &prefix, const char *role)
{
  return prefix + "_dec_" + role + "_" + int_to_string(getpid());
}

const char *const unexpected = "Unexpected result from CVC-Lite";
} // namespace

cvc_temp_filet::cvc_temp_filet(const char *_prefix, const char *_program)
  : prefix(_prefix), program(_program),
    temp_out_buffer(
      create_exchange_file(stem(prefix, "out"), temp_out_filename)),
    temp_out_stream(&temp_out_buffer)
{
  if(!temp_out_buffer.is_open())
    temp_out_stream.setstate(std::ios::badbit);
}

cvc_temp_filet::~cvc_temp_filet()
{
  temp_out_buffer.close();
  if(!temp_out_filename.empty())
    unlink(temp_out_filename.c_str());
  if(!temp_result_filename.empty())
    unlink(temp_result_filename.c_str());
}

void cvc_temp_filet::close_formula()
{
  const bool written = temp_out_buffer.is_open() && temp_out_stream.good();
  formula_complete = temp_out_buffer.close() && written;
  formula_closed = true;
}

decision_proceduret::resultt
cvc_temp_filet::run(messaget &message, cvc_propt &prop)
{
  // Text that arrived after the file was closed failed the stream.
  if(!formula_complete || !temp_out_stream.good())
  {
    message.print(1, unexpected);
    return decision_proceduret::D_ERROR;
  }

  // A fresh result file for every run: nothing an earlier run or anybody
  // else left behind can pass for an answer.
  if(!temp_result_filename.empty())
    unlink(temp_result_filename.c_str());
  const int fd =
    create_exchange_file(stem(prefix, "result"), temp_result_filename);
  if(fd < 0)
  {
    message.print(1, unexpected);
    return decision_proceduret::D_ERROR;
  }
  close(fd);

  // Fixed texts and digits only: nothing here comes from the input.
  const std::string command =
    program + " " + temp_out_filename + " > " + temp_result_filename + " 2>&1";
  // The exit status is not examined: only the result file decides.
  const int status = std::system(command.c_str());
  static_cast<void>(status);

  message.print(6, "Reading result from CVCL");
  return read_result(message, prop);
}

decision_proceduret::resultt
cvc_temp_filet::read_result(messaget &message, cvc_propt &prop) const
{
  answer_file_streamt in(temp_result_filename);
  std::string line;
  // A last line without a line feed ends the input unread.
  while(read_line(in, line))
  {
    if(begins_with(line, "Invalid."))
    {
      prop.assignment.assign(prop.no_variables(), tvt(tvt::TV_UNKNOWN));
      while(read_line(in, line))
        if(begins_with(line, "ASSERT "))
          read_assert(prop, in, line);
      return decision_proceduret::D_SATISFIABLE;
    }
    if(begins_with(line, "Valid."))
      return decision_proceduret::D_UNSATISFIABLE;
  }
  message.print(1, unexpected);
  return decision_proceduret::D_ERROR;
}

void cvc_temp_filet::read_assert(
  cvc_propt &prop, std::istream &in, std::string &line)
{
  line.erase(0, 7);
  if(line.empty())
    return;

  if(line[0] == '(')
  {
    // A non-Boolean value: "(name ..." and the value on the next line,
    // closed by the last ")". Shown, not stored.
    const std::string name = line.substr(1, line.find(' ') - 1);
    if(!read_line(in, line))
      return;
    const std::size_t start = line.find_first_not_of(' ');
    const std::size_t end = line.rfind(')');
    if(end == std::string::npos)
      return;
    const std::string value = start == std::string::npos || start > end
                                ? ""
                                : line.substr(start, end - start);
    std::cout << ">" << name << "< = >" << value << "<" << std::endl;
    return;
  }

  bool value = true;
  if(begins_with(line, "NOT "))
  {
    line.erase(0, 4);
    value = false;
  }
  if(line.empty() || line[0] != 'l')
    return;
  const long number = std::strtol(line.c_str() + 1, nullptr, 10);
  // A variable the formula does not have is outside the protocol: skipped.
  if(number < 0 || static_cast<unsigned long>(number) >= prop.assignment.size())
    return;
  prop.assignment[static_cast<std::size_t>(number)] = tvt(value);
}
