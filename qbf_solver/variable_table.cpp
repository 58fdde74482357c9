#include "qbf_solver/variable_table.h"

#include <algorithm>

unsigned variable_tablet::find(unsigned var_no) const
{
  if(var_no < dense_limit)
    return var_no < dense_index.size() ? dense_index[var_no]
                                       : variable_datat::none;
  const auto it = sparse_index.find(var_no);
  return it == sparse_index.end() ? variable_datat::none : it->second;
}

unsigned variable_tablet::index(unsigned var_no)
{
  if(var_no < dense_limit)
  {
    if(var_no >= dense_index.size())
      dense_index.resize(
        std::min<std::size_t>(
          dense_limit, std::max<std::size_t>(var_no + 1, 2 * dense_index.size())),
        variable_datat::none);
    unsigned &slot = dense_index[var_no];
    if(slot == variable_datat::none)
    {
      slot = records.size();
      records.emplace_back();
      records.back().var_no = var_no;
    }
    return slot;
  }

  const auto inserted = sparse_index.emplace(var_no, records.size());
  if(inserted.second)
  {
    records.emplace_back();
    records.back().var_no = var_no;
  }
  return inserted.first->second;
}

void variable_tablet::clear()
{
  for(const variable_datat &record : records)
    if(record.var_no < dense_limit)
      dense_index[record.var_no] = variable_datat::none;
  records.clear();
  sparse_index.clear();
}
