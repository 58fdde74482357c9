#ifndef MORVANE_UTIL_TEXT_UTILS_H
#define MORVANE_UTIL_TEXT_UTILS_H

#include <cstdint>
#include <iosfwd>
#include <sstream>
#include <string>

// Decimal text of machine numbers: minus sign for negatives, no plus sign,
// no leading zeros.
std::string int_to_string(int value);
std::string unsigned_to_string(unsigned value);
std::string long_to_string(long value);
std::string unsigned_long_to_string(unsigned long value);

// Reads one line into `line`: carriage returns are dropped, the line feed
// ends the line and is not stored. The returned stream is failed when end of
// input was reached, also after a last line without line feed, whose text is
// in `line` all the same.
std::istream &read_line(std::istream &in, std::string &line);

// Everything written to the stream so far.
void read_stream_text(const std::ostringstream &stream, std::string &text);

// Appends the C form of one character; `in_string` says whether it stands in
// a string literal (escape double quotes) or a character literal (escape
// apostrophes).
void escape_char(std::string &out, char c, bool in_string);

// Appends the string-literal form of every character of `text`.
void escape_string(std::string &out, const std::string &text);

// `text` as one shell word: in single quotes, any single quote in it written
// as '\''.
std::string shell_quote(const std::string &text);

// Milliseconds: a point in time since the epoch, or a duration.
typedef std::uint64_t time_mst;

time_mst current_time_ms();

// The count in seconds, in the stream's current number format.
std::ostream &output_seconds(std::ostream &out, time_mst time);
std::string seconds_text(time_mst time);

#endif
