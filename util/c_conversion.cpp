#include "util/c_conversion.h"

#include <cctype>
#include <limits>

std::int32_t strtol32(const char *text, const char **end)
{
  const char *p = text;
  while(std::isspace(static_cast<unsigned char>(*p)))
    ++p;

  const bool negative = *p == '-';
  if(*p == '-' || *p == '+')
    ++p;

  // Accumulate beyond the 32-bit range without overflow, then saturate.
  const std::int64_t limit =
    negative ? -static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::min())
             : std::numeric_limits<std::int32_t>::max();
  std::int64_t magnitude = 0;
  const char *digits = p;
  for(; *p >= '0' && *p <= '9'; ++p)
  {
    if(magnitude <= limit)
      magnitude = magnitude * 10 + (*p - '0');
  }

  if(end != nullptr)
    *end = p == digits ? text : p;
  if(magnitude > limit)
    magnitude = limit;
  return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}
