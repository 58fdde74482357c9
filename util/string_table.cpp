#include "util/string_table.h"

#include <cstring>
#include <new>

namespace
{
// Storage that is constant-initialised, so the table's address is fixed
// before any dynamic initialisation; the table itself is built on demand.
union string_table_storaget
{
  constexpr string_table_storaget() : unused()
  {
  }
  ~string_table_storaget()
  {
  }
  char unused;
  string_tablet table;
};

string_table_storaget storage;
unsigned users = 0;
} // namespace

string_tablet &string_table = storage.table;

string_table_initt::string_table_initt()
{
  if(users++ == 0)
    new(&storage.table) string_tablet();
}

string_table_initt::~string_table_initt()
{
  if(--users == 0)
    storage.table.~string_tablet();
}

static unsigned hash_bytes(const char *first, const char *last)
{
  unsigned h = 0;
  for(; first != last; ++first)
    h = h * 31 + static_cast<unsigned>(static_cast<signed char>(*first));
  return h;
}

unsigned hash_string(const std::string &text)
{
  return hash_bytes(text.data(), text.data() + text.size());
}

unsigned hash_string(const char *text)
{
  return hash_bytes(text, text + std::strlen(text));
}

string_tablet::string_tablet() : strings(100)
{
}

const std::string *string_tablet::insert(const std::string &text)
{
  return &*strings.insert(text).first;
}

void string_tablet::output(std::ostream &out) const
{
  for(const std::string &text : strings)
    out << text << std::endl;
}
