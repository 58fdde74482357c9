#include "util/lisp_expr.h"

#include "util/irep.h"

#include <iostream>
#include <utility>

lisp_exprt lisp_exprt::atom(int kind, const std::string &value)
{
  lisp_exprt expr;
  expr.kind = kind;
  expr.value = value;
  return expr;
}

lisp_exprt::lisp_exprt(const lisp_exprt &other)
  : kind(other.kind), value(other.value)
{
  // Pairs of a list and its copy, whose elements are still to be copied.
  std::vector<std::pair<const lisp_exprt *, lisp_exprt *>> pending;
  if(!other.children.empty())
    pending.emplace_back(&other, this);
  while(!pending.empty())
  {
    const lisp_exprt &from = *pending.back().first;
    lisp_exprt &to = *pending.back().second;
    pending.pop_back();
    // Reserved in full, so that the copies of the elements do not move
    // while they wait in `pending`.
    to.children.reserve(from.children.size());
    for(const lisp_exprt &element : from.children)
    {
      to.children.push_back(atom(element.kind, element.value));
      if(!element.children.empty())
        pending.emplace_back(&element, &to.children.back());
    }
  }
}

lisp_exprt &lisp_exprt::operator=(const lisp_exprt &other)
{
  // Copied first: the source may lie inside this expression.
  lisp_exprt copy(other);
  return *this = std::move(copy);
}

// Freeing a list frees its elements. Plain recursion frees expressions of
// everyday depth without allocating, but a million nested lists would
// overflow the stack: the lists deeper than this many levels below the one
// being freed are put in a list and freed from there, one after another.
static const unsigned free_recursion_limit = 100;

// Frees the elements, leaving `elements` empty; the lists more than a fixed
// number of levels below them are moved to `deep_lists` instead.
static void free_elements(
  std::vector<lisp_exprt> &elements,
  unsigned depth,
  std::vector<lisp_exprt> &deep_lists)
{
  for(lisp_exprt &element : elements)
  {
    if(element.children.empty())
      continue;
    if(depth < free_recursion_limit)
      free_elements(element.children, depth + 1, deep_lists);
    else
      deep_lists.push_back(std::move(element));
  }
  // Every element is without elements now: their destructors end at once.
  elements.clear();
}

lisp_exprt::~lisp_exprt()
{
  if(children.empty())
    return;
  std::vector<lisp_exprt> deep_lists;
  free_elements(children, 0, deep_lists);
  while(!deep_lists.empty())
  {
    std::vector<lisp_exprt> elements;
    elements.swap(deep_lists.back().children);
    deep_lists.pop_back();
    free_elements(elements, 0, deep_lists);
  }
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

static void append_atom(const lisp_exprt &expr, std::string &out)
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
  default:
    break;
  }
}

std::string lisp_to_string(const lisp_exprt &expr)
{
  std::string out;
  // The lists whose text is being written, innermost last, each with the
  // index of its next element.
  std::vector<std::pair<const lisp_exprt *, std::size_t>> open;
  const lisp_exprt *next = &expr;
  while(next != nullptr)
  {
    if(next->kind == lisp_exprt::LISP_LIST)
    {
      out += '(';
      open.emplace_back(next, 0);
    }
    else
      append_atom(*next, out);
    next = nullptr;
    while(next == nullptr && !open.empty())
    {
      const std::vector<lisp_exprt> &elements = open.back().first->children;
      const std::size_t i = open.back().second++;
      const bool last = i != 0 && i + 1 == elements.size();
      if(i == elements.size() || (last && is_nil_symbol(elements[i])))
      {
        out += ')';
        open.pop_back();
        continue;
      }
      if(last)
        out += " . ";
      else if(i != 0)
        out += ' ';
      next = &elements[i];
    }
  }
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

// Reads the atom at the position, which is not the start of a list.
static void read_atom(
  const std::string &text,
  std::size_t &position,
  lisp_exprt &expr)
{
  const char first = position < text.size() ? text[position] : ' ';
  if(first == '"')
  {
    expr.kind = lisp_exprt::LISP_STRING;
    ++position;
    // An escaping backslash at the very end ends the string with the text,
    // as an unclosed string does, instead of reading past the end.
    while(position < text.size() && text[position] != '"')
    {
      if(text[position] == '\\' && ++position == text.size())
        break;
      expr.value += text[position++];
    }
    if(position < text.size())
      ++position;
  }
  else if(is_digit(first))
  {
    expr.kind = lisp_exprt::LISP_NUMBER;
    while(position < text.size() &&
          (is_digit(text[position]) || text[position] == '.'))
      expr.value += text[position++];
  }
  else
  {
    expr.kind = lisp_exprt::LISP_SYMBOL;
    while(position < text.size() && text[position] != ' ' &&
          text[position] != '\t' && text[position] != ')' &&
          text[position] != '.')
      expr.value += text[position++];
  }
}

bool lisp_exprt::parse(const std::string &text, std::size_t &position)
{
  // The lists still being read, innermost last: each one is the last
  // element of the one before, and its own last element is the one being
  // read. With each, whether that element follows a dot.
  std::vector<std::pair<lisp_exprt *, bool>> open;
  lisp_exprt *expr = this;
  for(;;)
  {
    expr->children.clear();
    expr->value.clear();
    if(position >= text.size())
    {
      // The elements read before the error stay; the unfinished one goes.
      if(!open.empty())
        children.pop_back();
      return true;
    }
    skip_blanks(text, position);
    if(position < text.size() && text[position] == '(')
    {
      expr->kind = LISP_LIST;
      ++position;
      open.emplace_back(expr, false);
    }
    else
    {
      read_atom(text, position, *expr);
      skip_blanks(text, position);
      // A ")" ends the innermost list, which completes an element of the
      // list around it, which the next ")" may end in turn.
      while(!open.empty() && position < text.size() && text[position] == ')')
      {
        lisp_exprt &list = *open.back().first;
        if(!open.back().second && list.children.size() >= 2)
          list.children.push_back(atom(LISP_SYMBOL, "nil"));
        open.pop_back();
        ++position;
        skip_blanks(text, position);
      }
    }
    // At the end of the text every open list ends: a missing ")" is
    // accepted.
    if(open.empty() || position >= text.size())
      return false;
    open.back().second = text[position] == '.';
    if(open.back().second)
      ++position;
    open.back().first->children.emplace_back();
    expr = &open.back().first->children.back();
  }
}

bool lisp_exprt::parse(const std::string &text)
{
  std::size_t position = 0;
  return parse(text, position);
}

// Makes `expr` the list of the tree's identifier and its pairs of a name
// and a place for the child's form, ending in the symbol "nil"; returns the
// children with their places.
static std::vector<std::pair<const irept *, lisp_exprt *>>
start_form(const irept &irep, lisp_exprt &expr)
{
  const irept::subt &sub = irep.get_sub();
  const irept::named_subt &named_sub = irep.get_named_sub();
  const irept::named_subt &comments = irep.get_comments();
  expr.children.clear();
  expr.value.clear();
  expr.kind = lisp_exprt::LISP_LIST;
  // Reserved in full, so that the places do not move while they wait.
  expr.children.reserve(
    2 * (sub.size() + named_sub.size() + comments.size()) + 2);
  expr.children.push_back(
    lisp_exprt::atom(lisp_exprt::LISP_STRING, irep.id().as_string()));
  std::vector<std::pair<const irept *, lisp_exprt *>> places;
  const auto add_child = [&](const std::string &name, const irept &child) {
    expr.children.push_back(lisp_exprt::atom(lisp_exprt::LISP_STRING, name));
    expr.children.emplace_back();
    places.emplace_back(&child, &expr.children.back());
  };
  for(const irept &child : sub)
    add_child("", child);
  for(const auto &entry : named_sub)
    add_child(entry.first.as_string(), entry.second);
  for(const auto &entry : comments)
    add_child(entry.first.as_string(), entry.second);
  expr.children.push_back(lisp_exprt::atom(lisp_exprt::LISP_SYMBOL, "nil"));
  return places;
}

void irep_to_lisp(const irept &irep, lisp_exprt &expr)
{
  std::vector<std::pair<const irept *, lisp_exprt *>> pending =
    start_form(irep, expr);
  while(!pending.empty())
  {
    const std::pair<const irept *, lisp_exprt *> next = pending.back();
    pending.pop_back();
    for(const auto &place : start_form(*next.first, *next.second))
      pending.push_back(place);
  }
}

// A tree being built from its form, with the index of the next element.
struct tree_in_progresst
{
  const lisp_exprt *form;
  irept tree;
  std::size_t next;
};

static tree_in_progresst start_tree(const lisp_exprt &form)
{
  const bool empty =
    form.kind != lisp_exprt::LISP_LIST || form.children.empty();
  return {&form, irept(empty ? dstring("nil") : form.children[0].value), 1};
}

void lisp_to_irep(const lisp_exprt &expr, irept &irep)
{
  // The trees being built, innermost last: each one's form is an element of
  // the form before, the child the tree before is waiting for.
  std::vector<tree_in_progresst> open{start_tree(expr)};
  for(;;)
  {
    tree_in_progresst &top = open.back();
    const std::vector<lisp_exprt> &elements = top.form->children;
    const bool is_list = top.form->kind == lisp_exprt::LISP_LIST;
    while(is_list && top.next < elements.size() &&
          is_nil_symbol(elements[top.next]))
      ++top.next;
    if(is_list && top.next + 1 < elements.size())
    {
      open.push_back(start_tree(elements[top.next + 1]));
      continue;
    }
    // Complete: a name without a tree after it is dropped.
    irept done;
    done.swap(top.tree);
    open.pop_back();
    if(open.empty())
    {
      irep.swap(done);
      return;
    }
    tree_in_progresst &parent = open.back();
    const std::string &name = parent.form->children[parent.next].value;
    if(name.empty())
      parent.tree.move_to_sub(done);
    else
      parent.tree.move_to_named_sub(name, done);
    parent.next += 2;
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
