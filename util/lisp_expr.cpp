#include "util/lisp_expr.h"

#include "util/irep.h"

#include <iostream>

lisp_exprt lisp_exprt::atom(int kind, const std::string &value)
{
  lisp_exprt expr;
  expr.kind = kind;
  expr.value = value;
  return expr;
}

static bool is_nil_symbol(const lisp_exprt &expr)
{
  return expr.kind == lisp_exprt::LISP_SYMBOL && expr.value == "nil";
}

std::string lisp_quote(const std::string &text)
{
  std::string result;
  result.reserve(text.size());
  for(char c : text)
  {
    if(c == '\\' || c == '"')
      result += '\\';
    result += c;
  }
  return result;
}

static void append_text(const lisp_exprt &expr, std::string &out)
{
  switch(expr.kind)
  {
  case lisp_exprt::LISP_STRING:
    out += '"';
    out += lisp_quote(expr.value);
    out += '"';
    break;
  case lisp_exprt::LISP_SYMBOL:
  case lisp_exprt::LISP_NUMBER:
    out += expr.value;
    break;
  case lisp_exprt::LISP_LIST:
  {
    out += '(';
    const std::vector<lisp_exprt> &elements = expr.children;
    for(std::size_t i = 0; i < elements.size(); ++i)
    {
      const bool last = i != 0 && i + 1 == elements.size();
      if(last && is_nil_symbol(elements[i]))
        break;
      if(last)
        out += " . ";
      else if(i != 0)
        out += ' ';
      append_text(elements[i], out);
    }
    out += ')';
    break;
  }
  default:
    break;
  }
}

std::string lisp_to_string(const lisp_exprt &expr)
{
  std::string out;
  append_text(expr, out);
  return out;
}

static void skip_blanks(const std::string &text, std::size_t &position)
{
  while(position < text.size() &&
        (text[position] == ' ' || text[position] == '\t'))
    ++position;
}

static bool is_digit(char c)
{
  return c >= '0' && c <= '9';
}

bool lisp_exprt::parse(const std::string &text, std::size_t &position)
{
  children.clear();
  value.clear();
  if(position >= text.size())
    return true;
  skip_blanks(text, position);
  const char first = position < text.size() ? text[position] : ' ';

  if(first == '(')
  {
    kind = LISP_LIST;
    ++position;
    while(position < text.size()) // a missing ")" is accepted
    {
      bool after_dot = false;
      if(text[position] == '.')
      {
        ++position;
        after_dot = true;
      }
      lisp_exprt element;
      if(element.parse(text, position))
        return true;
      children.push_back(std::move(element));
      if(position < text.size() && text[position] == ')')
      {
        if(!after_dot && children.size() >= 2)
          children.push_back(atom(LISP_SYMBOL, "nil"));
        ++position;
        break;
      }
    }
  }
  else if(first == '"')
  {
    kind = LISP_STRING;
    ++position;
    // An escaping backslash at the very end ends the string with the text,
    // as an unclosed string does, instead of reading past the end.
    while(position < text.size() && text[position] != '"')
    {
      if(text[position] == '\\' && ++position == text.size())
        break;
      value += text[position++];
    }
    if(position < text.size())
      ++position;
  }
  else if(is_digit(first))
  {
    kind = LISP_NUMBER;
    while(position < text.size() &&
          (is_digit(text[position]) || text[position] == '.'))
      value += text[position++];
  }
  else
  {
    kind = LISP_SYMBOL;
    while(position < text.size() && text[position] != ' ' &&
          text[position] != '\t' && text[position] != ')' &&
          text[position] != '.')
      value += text[position++];
  }

  skip_blanks(text, position);
  return false;
}

bool lisp_exprt::parse(const std::string &text)
{
  std::size_t position = 0;
  return parse(text, position);
}

static void append_child(
  lisp_exprt &expr,
  const std::string &name,
  const irept &child)
{
  expr.children.push_back(lisp_exprt::atom(lisp_exprt::LISP_STRING, name));
  expr.children.emplace_back();
  irep_to_lisp(child, expr.children.back());
}

void irep_to_lisp(const irept &irep, lisp_exprt &expr)
{
  expr.children.clear();
  expr.value.clear();
  expr.kind = lisp_exprt::LISP_LIST;
  expr.children.push_back(
    lisp_exprt::atom(lisp_exprt::LISP_STRING, irep.id().as_string()));
  for(const irept &child : irep.get_sub())
    append_child(expr, "", child);
  for(const auto &entry : irep.get_named_sub())
    append_child(expr, entry.first.as_string(), entry.second);
  for(const auto &entry : irep.get_comments())
    append_child(expr, entry.first.as_string(), entry.second);
  expr.children.push_back(lisp_exprt::atom(lisp_exprt::LISP_SYMBOL, "nil"));
}

void lisp_to_irep(const lisp_exprt &expr, irept &irep)
{
  irep.clear();
  irep.id("nil");
  const std::vector<lisp_exprt> &elements = expr.children;
  if(expr.kind != lisp_exprt::LISP_LIST || elements.empty())
    return;
  irep.id(elements[0].value);
  for(std::size_t i = 1; i < elements.size();)
  {
    if(is_nil_symbol(elements[i]))
    {
      ++i;
      continue;
    }
    if(i + 1 < elements.size())
    {
      irept child;
      lisp_to_irep(elements[i + 1], child);
      if(elements[i].value.empty())
        irep.move_to_sub(child);
      else
        irep.move_to_named_sub(elements[i].value, child);
    }
    i += 2;
  }
}

int lisp_test_loop()
{
  std::string line;
  char c;
  while(std::cin.get(c))
  {
    if(c != '\n')
    {
      line += c;
      continue;
    }
    lisp_exprt expr;
    if(expr.parse(line))
      std::cout << "Parsing error\n";
    else
      std::cout << lisp_to_string(expr) << '\n';
    line.clear();
  }
  return 0;
}
