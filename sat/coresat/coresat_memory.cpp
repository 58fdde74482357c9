#include "sat/coresat/coresat_memory.h"

#include "sat/coresat/coresat_state.h"

#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <new>

namespace
{
void count_growth(std::size_t bytes)
{
  coresat.current_bytes += unsigned(bytes);
  if(coresat.current_bytes > coresat.max_bytes)
    coresat.max_bytes = coresat.current_bytes;
}
} // namespace

void *coresat_new(std::size_t bytes)
{
  void *block = std::calloc(bytes ? bytes : 1, 1);
  if(!block)
    throw std::bad_alloc();
  count_growth(bytes);
  return block;
}

void coresat_delete(void *block, std::size_t bytes)
{
  if(!block)
    return;
  coresat.current_bytes -= unsigned(bytes);
  std::free(block);
}

void *coresat_resize(void *block, std::size_t old_bytes, std::size_t new_bytes)
{
  if(!block)
    return coresat_new(new_bytes);
  void *moved = std::realloc(block, new_bytes ? new_bytes : 1);
  if(!moved)
    throw std::bad_alloc();
  if(new_bytes > old_bytes)
    std::memset(
      static_cast<char *>(moved) + old_bytes, 0, new_bytes - old_bytes);
  coresat.current_bytes -= unsigned(old_bytes);
  count_growth(new_bytes);
  return moved;
}

unsigned coresat_max_bytes()
{
  return coresat.max_bytes;
}

unsigned coresat_current_bytes()
{
  return coresat.current_bytes;
}

void coresat_reset_memory_stats()
{
  coresat.max_bytes = 0;
  coresat.current_bytes = 0;
}

int *coresat_copy_ints(const int *ints, int n)
{
  int *copy = static_cast<int *>(coresat_new(sizeof(int) * std::size_t(n + 1)));
  if(n > 0)
    std::memcpy(copy, ints, sizeof(int) * std::size_t(n));
  return copy;
}

void coresat_delete_ints(int *ints)
{
  if(!ints)
    return;
  std::size_t entries = 0;
  while(ints[entries])
    ++entries;
  coresat_delete(ints, sizeof(int) * (entries + 1));
}

char *coresat_strdup(const char *text)
{
  std::size_t bytes = std::strlen(text) + 1;
  char *copy = static_cast<char *>(coresat_new(bytes));
  std::memcpy(copy, text, bytes);
  return copy;
}

void coresat_delete_string(char *text)
{
  if(text)
    coresat_delete(text, std::strlen(text) + 1);
}

double coresat_time_stamp()
{
  return 0.0;
}

void coresat_report_time(
  double start, std::FILE *stream, const char *format, ...)
{
  std::va_list arguments;
  va_start(arguments, format);
  std::vfprintf(stream, format, arguments);
  va_end(arguments);
  double elapsed = coresat_time_stamp() - start;
  std::fprintf(stream, " in %.2f seconds\n", elapsed > 0 ? elapsed : 0.0);
  std::fflush(stream);
}
