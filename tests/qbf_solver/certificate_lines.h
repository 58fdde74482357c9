#ifndef MORVANE_TESTS_QBF_SOLVER_CERTIFICATE_LINES_H
#define MORVANE_TESTS_QBF_SOLVER_CERTIFICATE_LINES_H

// The layout of a certificate file: the line "QBCertificate", body lines,
// and a last line starting with "CONCLUDE" that has no line feed.

#include <string>
#include <vector>

struct certificate_linest
{
  std::vector<std::vector<std::string>> body; // words of each body line
  std::vector<std::string> conclusion;        // words of the last line
};

bool split_certificate(
  const std::string &text,
  certificate_linest &lines,
  std::string &reason);

// Decimal integers only; false when a word is anything else.
bool read_integers(
  const std::vector<std::string> &words,
  std::vector<long> &numbers);

std::string join(const std::vector<std::string> &words);

#endif
