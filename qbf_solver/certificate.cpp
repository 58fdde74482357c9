#include "qbf_solver/certificate.h"

#include "util/message.h"

#include <cstdio>
#include <filesystem>

namespace
{
// Removes whatever has the name, unless it is a folder: removing a link
// leaves its target alone, and a folder is not ours.
void remove_unless_folder(const std::string &name)
{
  std::error_code error;
  if(
    std::filesystem::symlink_status(name, error).type() !=
    std::filesystem::file_type::directory)
    std::filesystem::remove(name, error);
}
} // namespace

certificatet::certificatet(
  messaget &_reporter, unsigned &_gate_counter, unsigned _max_gate)
    : reporter(_reporter), gate_counter(_gate_counter), max_gate(_max_gate)
{
}

std::string certificatet::final_name(const std::string &input_file)
{
  return input_file.empty() ? "certificate.qbc" : input_file + ".qbc";
}

std::string certificatet::temporary_name(const std::string &input_file)
{
  return final_name(input_file) + ".tmp";
}

void certificatet::start(const std::string &file_name)
{
  input_file = file_name;
  has_failed = false;
  remove_files();
}

bool certificatet::open()
{
  file.close();
  gates_out_of_range = false;
  const std::string name = temporary_name(input_file);
  // A folder under the name stays and makes the creation fail.
  remove_unless_folder(name);
  if(!file.open(name))
  {
    fail("Could not open certificate file '" + name + "'.");
    return false;
  }
  file << "QBCertificate\n";
  return true;
}

std::int64_t certificatet::new_gate()
{
  // The failure waits for the file to be closed: gates serve only a valid
  // answer, and a refutation found later starts the file afresh. Until
  // then the bad stream writes nothing, and the refused gate's number 0
  // goes nowhere.
  if(gate_counter >= max_gate)
  {
    gates_out_of_range = true;
    file.setstate(std::ios::badbit);
    return 0;
  }
  return std::int64_t(++gate_counter);
}

void certificatet::close()
{
  if(!file.is_open())
    return;
  const std::string temporary = temporary_name(input_file);
  const std::string destination = final_name(input_file);
  if(gates_out_of_range)
  {
    fail(
      "Could not write certificate file '" + temporary +
      "': its gate numbers would go above " + std::to_string(max_gate) +
      ", the largest variable number.");
    return;
  }
  if(!file.close())
  {
    fail("Could not write certificate file '" + temporary + "'.");
    return;
  }
  if(std::rename(temporary.c_str(), destination.c_str()) != 0)
    fail(
      "Could not move certificate file '" + temporary + "' to '" + destination +
      "'.");
}

void certificatet::discard(const std::string &reason)
{
  if(!file.is_open())
    return;
  file.close();
  const std::string temporary = temporary_name(input_file);
  std::remove(temporary.c_str());
  reporter.print(1, "Certificate '" + temporary + "' removed: " + reason + ".");
}

void certificatet::fail(const std::string &message)
{
  reporter.print(1, message);
  file.close();
  has_failed = true;
  // A certificate of an earlier run under the final name would pass for
  // this one.
  remove_files();
}

void certificatet::remove_files()
{
  remove_unless_folder(temporary_name(input_file));
  remove_unless_folder(final_name(input_file));
}
