#include "util/typecheck.h"

bool typecheckt::typecheck_main()
{
  try
  {
    typecheck();
  }
  catch(int)
  {
    // The text was composed in message_stream, or reported by whoever
    // threw; either way the check has failed.
    error_found = true;
    const std::string text = message_stream.str();
    if(!text.empty())
      report_error(text);
    message_stream.str(std::string());
    message_stream.clear();
    ++sequence_number;
  }
  catch(const char *text)
  {
    error_found = true;
    if(text != nullptr && *text != '\0')
      report_error(text);
  }
  catch(const std::string &text)
  {
    error_found = true;
    if(!text.empty())
      report_error(text);
  }
  return error_found;
}
