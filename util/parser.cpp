#include "util/parser.h"

#include "util/location.h"
#include "util/text_utils.h"

irept &parsert::new_item(unsigned &index)
{
  index = static_cast<unsigned>(stack.size());
  if(stack.size() == stack.capacity())
    stack.reserve(stack.empty() ? 1 : 2 * stack.size());
  stack.push_back(get_nil_irep());
  return stack.back();
}

void parsert::parse_error(const std::string &message, const std::string &token)
{
  locationt location;
  location.set_file(filename);
  location.set_line(unsigned_to_string(line_no));

  std::string text = message;
  if(!token.empty())
    text += " before `" + token + "'";
  print(1, text, -1, location);
}
