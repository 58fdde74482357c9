#include "sat/external_program.h"

#include "util/message.h"

#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <sys/wait.h>

bool write_exchange_file(
  messaget &message,
  const std::string &name,
  const std::function<void(std::ostream &)> &write)
{
  descriptor_buffert buffer(recreate_exchange_file(name));
  std::ostream out(&buffer);
  if(buffer.is_open())
    write(out);
  // Closing writes what is still buffered, and can fail as well.
  if(!out.good() || !buffer.close())
  {
    message.print(1, "Unable to write " + name);
    return false;
  }
  return true;
}

void remove_stale_answer(const std::string &name)
{
  std::remove(name.c_str());
}

bool run_external_program(messaget &message, const std::string &command)
{
  int status = std::system(command.c_str());
  bool ran = status != -1 && WIFEXITED(status) &&
             WEXITSTATUS(status) != 126 && WEXITSTATUS(status) != 127;
  if(!ran)
    message.print(1, "Unable to run: " + command);
  return ran;
}
