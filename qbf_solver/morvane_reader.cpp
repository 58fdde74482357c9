#include "qbf_solver/morvane.h"

#include "util/invariant.h"
#include "util/text_utils.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <new>

namespace
{
// Signed, for comparing with the numbers read.
constexpr long long max_number = morvanet::max_variable;

enum class numbert
{
  NONE,         // the line has no further word
  OK,
  OVERFLOW,     // digits beyond every variable number
  NOT_A_NUMBER  // a word that is not an optionally signed decimal number
};

bool is_space(char c)
{
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' ||
         c == '\f';
}

const char *skip_space(const char *p, const char *end)
{
  while(p != end && is_space(*p))
    ++p;
  return p;
}

// Reads the next white-space separated word as an optionally signed decimal
// number; `p` is left after the word, which is in `word`. The whole word
// must be the number: "1.5", "1e3" or "--1" is no number, so it is never
// taken for its leading digits.
numbert read_number(
  const char *&p,
  const char *end,
  long long &value,
  std::string &word)
{
  const char *q = skip_space(p, end);
  const char *word_end = q;
  while(word_end != end && !is_space(*word_end))
    ++word_end;
  p = word_end;
  word.assign(q, word_end);
  if(q == word_end)
    return numbert::NONE;

  bool negative = false;
  if(*q == '+' || *q == '-')
  {
    negative = *q == '-';
    ++q;
  }
  if(q == word_end)
    return numbert::NOT_A_NUMBER;
  long long magnitude = 0;
  bool overflow = false;
  for(; q != word_end; ++q)
  {
    if(*q < '0' || *q > '9')
      return numbert::NOT_A_NUMBER;
    magnitude = magnitude * 10 + (*q - '0');
    if(magnitude > max_number + 1)
    {
      overflow = true;
      magnitude = max_number + 1;
    }
  }
  value = negative ? -magnitude : magnitude;
  return overflow ? numbert::OVERFLOW : numbert::OK;
}

std::string not_a_number(const std::string &word)
{
  std::string text = "'";
  escape_string(text, word);
  return text + "' is not a number";
}

// The variable count of the problem line: any unsigned 32-bit number; 0
// when there is none.
unsigned read_count(const char *p, const char *end)
{
  p = skip_space(p, end);
  if(p != end && *p == '+')
    ++p;
  unsigned long long count = 0;
  for(; p != end && *p >= '0' && *p <= '9'; ++p)
  {
    count = count * 10 + unsigned(*p - '0');
    if(count > 0xFFFFFFFFull)
      return 0;
  }
  return unsigned(count);
}

const char *skip_word(const char *p, const char *end)
{
  p = skip_space(p, end);
  while(p != end && !is_space(*p))
    ++p;
  return p;
}
} // namespace

morvanet::resultt morvanet::read_qdimacs_file(const std::string &file_name)
{
  // The front end empties the formula before each file.
  INVARIANT(clause_set.empty());
  if(save_certificate)
    certificate.start(file_name);

  std::ifstream in(file_name, std::ios::binary);
  if(!in)
  {
    print(1, "failed to open input file: " + file_name);
    return R_ERROR;
  }
  std::string text;
  try
  {
    text.assign(
      std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  catch(const std::ios_base::failure &)
  {
    // For example a folder: it opens, but reading it fails.
    print(1, "failed to read input file: " + file_name);
    return R_ERROR;
  }

  clause_id_counter = 0;
  variables.clear();
  quantified_count = 0;
  clause_parents.clear();

  reader = readert();
  reader.file_name = file_name;

  const char *p = text.data();
  const char *const end = p + text.size();
  while(p != end)
  {
    const char *line_end = p;
    while(line_end != end && *line_end != '\n')
      ++line_end;
    ++reader.line_number;
    const resultt result = parse_line(p, line_end);
    if(result != R_UNKNOWN)
      return with_certificate(result);
    p = line_end == end ? end : line_end + 1;
  }

  // A last clause without its terminating 0 ends with the file.
  if(!reader.pending.literals.empty() && !reader.dropping)
    return with_certificate(end_pending_clause());
  return R_UNKNOWN;
}

morvanet::resultt morvanet::parse_qdimacs_line(const std::string &line)
{
  ++reader.line_number;
  return parse_line(line.data(), line.data() + line.size());
}

morvanet::resultt morvanet::bad_input(const std::string &what)
{
  print(
    1,
    "file " + reader.file_name + " line " +
      std::to_string(reader.line_number) + ": " + what);
  return R_ERROR;
}

void morvanet::quantify(unsigned var_no, bool existential, bool at_front)
{
  const quantifiert record(
    existential ? quantifiert::EXISTENTIAL : quantifiert::UNIVERSAL, var_no);
  if(at_front)
    quantifiers.push_front(record);
  else
    quantifiers.push_back(record);

  // The level is above every earlier record's and above level 0, which
  // belongs to the free variables (met in a clause first): they are
  // outermost, also for universal reduction.
  unsigned new_level = 0;
  if(!at_front)
  {
    new_level = std::max(quantified_count, reader.next_level);
    reader.next_level = new_level + 1;
  }
  variable_datat &info = info_record(var_no);
  info.existential = existential;
  info.level = new_level;
  if(var_no > max_index)
    max_index = var_no;
}

morvanet::resultt morvanet::parse_line(const char *p, const char *end)
{
  // Leading white space is any mix of blanks, tabs and carriage returns,
  // as editors and other platforms leave it.
  while(p != end && (*p == ' ' || *p == '\t' || *p == '\r'))
    ++p;
  // Lines of white space only are skipped like empty ones.
  if(skip_space(p, end) == end)
    return R_UNKNOWN;

  switch(*p)
  {
  case 'c':
    return R_UNKNOWN;

  case 'p':
  {
    p = skip_word(skip_word(p, end), end);
    set_no_variables(read_count(p, end));
    return R_UNKNOWN;
  }

  case 'e':
  case 'a':
  {
    // Clauses already read were stored under the prefix as it was; a later
    // quantifier cannot change how they were read.
    if(reader.clause_line_seen)
      return bad_input("quantifier line after a clause line");
    const bool existential = *p == 'e';
    ++p;
    std::string word;
    while(true)
    {
      long long n;
      const numbert number = read_number(p, end, n, word);
      if(number == numbert::NOT_A_NUMBER)
        return bad_input(not_a_number(word));
      // The line ends at its 0, or where the line ends without one.
      if(number == numbert::NONE)
        return R_UNKNOWN;
      // Text after the 0 would quantify nothing or open another block on
      // the same line; ignoring it would change the formula.
      if(number == numbert::OK && n == 0)
        return skip_space(p, end) == end
                 ? R_UNKNOWN
                 : bad_input("text after the quantifier line's 0");
      if(number == numbert::OVERFLOW || n < 0 || n > max_number)
        return bad_input("variable number out of range");
      quantify(unsigned(n), existential, false);
    }
  }

  default:
    return parse_clause_line(p, end);
  }
}

morvanet::resultt morvanet::parse_clause_line(const char *p, const char *end)
{
  reader.clause_line_seen = true;
  std::string word;
  while(true)
  {
    long long x;
    const numbert number = read_number(p, end, x, word);
    // A clause without its 0 continues on the next clause line.
    if(number == numbert::NONE)
      return R_UNKNOWN;
    if(number == numbert::NOT_A_NUMBER)
      return bad_input(not_a_number(word));
    if(number == numbert::OVERFLOW || x > max_number || x < -max_number)
      return bad_input("literal out of range");

    // Text after a clause's 0 is the next clause: dropping it would change
    // the formula.
    if(x == 0)
    {
      if(reader.dropping)
      {
        reader.dropping = false;
        continue;
      }
      const resultt result = end_pending_clause();
      if(result != R_UNKNOWN)
        return result;
      continue;
    }
    if(reader.dropping)
      continue;

    const unsigned var_no = unsigned(x < 0 ? -x : x);
    const literalt literal(var_no, x < 0);
    const unsigned index = variables.index(var_no);
    auto &seen = reader.seen_in_clause;
    if(seen[0].size() <= index)
    {
      seen[0].resize(index + 1, 0);
      seen[1].resize(index + 1, 0);
    }

    // A tautological clause is dropped whole, also the part of it that
    // follows on later lines.
    if(seen[!literal.sign()][index] == reader.clause_number)
    {
      reader.pending.literals.clear();
      ++reader.clause_number;
      reader.dropping = true;
      continue;
    }

    if(!variables[index].has_info)
    {
      if(show_debug)
        *diagnostics << "DEBUG: Quantifying variable #" << var_no
                     << " at level 0.\n";
      quantify(var_no, true, true);
    }

    seen[literal.sign()][index] = reader.clause_number;
    reader.pending.literals.push_back(literal);
  }
}

morvanet::resultt morvanet::end_pending_clause()
{
  ++reader.clause_number;
  if(reader.pending.literals.empty())
  {
    // The input holds the empty clause: the formula is false, and the
    // clause's own entry number concludes the refutation.
    if(save_certificate)
    {
      conclude_invalid(0, 0, 0);
      close_certificate();
    }
    return R_INVALID;
  }

  if(add_clause(reader.pending) == no_clause)
    return R_INVALID;

  if(save_certificate)
    certificate_clauses.push_back(std::move(reader.pending));
  reader.pending = clauset();
  return R_UNKNOWN;
}
