#include "util/find_module.h"

#include "util/error_handler.h"

#include <vector>

const symbolt &find_module(
  const symbol_tablet &symbol_table,
  const std::string &base_name,
  message_handlert &message_handler)
{
  error_handlert error_handler(message_handler);

  std::vector<const symbolt *> candidates;
  const auto range = symbol_table.base_name_index.equal_range(base_name);
  for(auto entry = range.first; entry != range.second; ++entry)
  {
    const auto symbol = symbol_table.symbols.find(entry->second);
    if(symbol == symbol_table.symbols.end())
      continue;
    const symbolt &candidate = symbol->second;
    if(
      !candidate.is_type && !candidate.free_var &&
      candidate.type.id() == ID_module)
    {
      candidates.push_back(&candidate);
    }
  }

  if(candidates.size() == 1)
    return *candidates.front();

  std::ostringstream &message = error_handler.message_stream;
  message << "module `" << base_name << "' ";
  if(candidates.empty())
    message << "not found";
  else
  {
    message << "does not uniquely resolve:\n";
    for(const symbolt *candidate : candidates)
      message << "  " << candidate->name << '\n';
  }
  error_handler.report_error(message.str());
  throw 0;
}
