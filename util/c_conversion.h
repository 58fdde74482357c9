#ifndef MORVANE_UTIL_C_CONVERSION_H
#define MORVANE_UTIL_C_CONVERSION_H

#include <cstdint>

// Reads decimal text as the C library's strtol does on a 32-bit target:
// leading white space and one sign are accepted, reading stops at the first
// non-digit, no digits give 0, and the result saturates to the 32-bit range.
// `end`, when given, receives the position after the last digit read (the
// start of the text when there was none).
std::int32_t strtol32(const char *text, const char **end = nullptr);

#endif
