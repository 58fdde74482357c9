#ifndef MORVANE_UTIL_LISP_EXPR_H
#define MORVANE_UTIL_LISP_EXPR_H

// A small s-expression with a text form and a parser; it gives trees their
// one-line text. A proper list ends in the symbol "nil", which the text
// leaves out; a list ending in anything else is written dotted.
//
// Every operation here handles expressions and trees of any depth: parsing,
// printing, copying, freeing and the conversions work with lists of their
// own instead of recursing, so that a text nested a million levels deep
// takes memory in proportion, but no more stack than a flat one.

#include <string>
#include <vector>

class irept;

class lisp_exprt
{
public:
  enum kindt
  {
    LISP_STRING = 0,
    LISP_SYMBOL = 1,
    LISP_NUMBER = 2,
    LISP_LIST = 3
  };

  std::vector<lisp_exprt> children;
  int kind = LISP_STRING;
  std::string value;

  lisp_exprt() = default;
  // A deep copy.
  lisp_exprt(const lisp_exprt &other);
  lisp_exprt(lisp_exprt &&other) noexcept = default;
  lisp_exprt &operator=(const lisp_exprt &other);
  lisp_exprt &operator=(lisp_exprt &&other) noexcept = default;
  ~lisp_exprt();

  // Reads one expression at the position, which ends after the expression
  // and the blanks that follow it. True on error: the expression starts at
  // or after the end of the text.
  bool parse(const std::string &text, std::size_t &position);
  // The same from position 0; text after the first expression is ignored.
  bool parse(const std::string &text);

  static lisp_exprt atom(int kind, const std::string &value);
};

std::string lisp_to_string(const lisp_exprt &expr);
// Puts a backslash before every backslash and double quote.
std::string lisp_quote(const std::string &text);

void irep_to_lisp(const irept &irep, lisp_exprt &expr);
void lisp_to_irep(const lisp_exprt &expr, irept &irep);

// Parses each line of standard input and prints it again; returns 0 at the
// end of the input.
int lisp_test_loop();

#endif
