#ifndef MORVANE_UTIL_STRING_TABLE_H
#define MORVANE_UTIL_STRING_TABLE_H

// The one global table of interned identifier texts. Texts are only ever
// added; each lives in its own chain node, so a pointer to a stored text
// stays valid until the table is destroyed at exit.

#include "util/hash_containers.h"

#include <ostream>
#include <string>

// Text hash: h = h * 31 + c over the bytes read as signed 8-bit values, in
// unsigned 32-bit arithmetic. The std::string form covers every byte
// (embedded NUL bytes included); the C-string form stops at the NUL.
unsigned hash_string(const std::string &text);
unsigned hash_string(const char *text);

struct string_hasht
{
  unsigned operator()(const std::string &text) const
  {
    return hash_string(text);
  }
};

class string_tablet
{
public:
  // Asks for 100 buckets, which the prime list raises to 193.
  string_tablet();

  // The stored copy of a non-empty text, inserting it first when absent.
  const std::string *insert(const std::string &text);

  // Every stored text and a line break, in bucket order and within a bucket
  // most recent first; flushes after each line.
  void output(std::ostream &out) const;

  std::size_t size() const
  {
    return strings.size();
  }
  std::size_t bucket_count() const
  {
    return strings.bucket_count();
  }

  // The text that every empty identifier points to; never inserted.
  const std::string empty;

private:
  hash_sett<std::string, string_hasht> strings;
};

extern string_tablet &string_table;

// Builds the table before the static objects of any unit that includes this
// header, and destroys it after the last of them (a counter shared by every
// including unit, as the standard streams do).
class string_table_initt
{
public:
  string_table_initt();
  ~string_table_initt();
  string_table_initt(const string_table_initt &) = delete;
  string_table_initt &operator=(const string_table_initt &) = delete;
};

static string_table_initt string_table_init;

#endif
