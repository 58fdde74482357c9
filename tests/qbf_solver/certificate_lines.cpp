#include "certificate_lines.h"

#include <cerrno>
#include <cstdlib>
#include <sstream>

namespace
{
std::vector<std::string> words_of(const std::string &line)
{
  std::istringstream in(line);
  std::vector<std::string> words;
  std::string word;
  while(in >> word)
    words.push_back(word);
  return words;
}
} // namespace

bool split_certificate(
  const std::string &text,
  certificate_linest &lines,
  std::string &reason)
{
  const std::string header = "QBCertificate\n";
  if(text.compare(0, header.size(), header) != 0)
  {
    reason = "missing first line QBCertificate";
    return false;
  }
  std::size_t last = text.rfind('\n');
  if(last == text.size() - 1)
  {
    reason = "text after the conclusion";
    return false;
  }
  lines.conclusion = words_of(text.substr(last + 1));
  if(lines.conclusion.empty() || lines.conclusion[0] != "CONCLUDE")
  {
    reason = "missing conclusion";
    return false;
  }
  std::istringstream body(
    text.substr(header.size(), last + 1 - header.size()));
  std::string line;
  while(std::getline(body, line))
    lines.body.push_back(words_of(line));
  return true;
}

bool read_integers(
  const std::vector<std::string> &words,
  std::vector<long> &numbers)
{
  for(const auto &word : words)
  {
    char *end = nullptr;
    errno = 0;
    long n = std::strtol(word.c_str(), &end, 10);
    if(word.empty() || *end != 0 || errno != 0)
      return false;
    numbers.push_back(n);
  }
  return true;
}

std::string join(const std::vector<std::string> &words)
{
  std::string text;
  for(const auto &word : words)
    text += (text.empty() ? "" : " ") + word;
  return text;
}
