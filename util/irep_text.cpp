// The indented and the one-line text forms of trees.

#include "util/irep.h"
#include "util/lisp_expr.h"

static void append_pretty(const irept &irep, unsigned indent, std::string &out);

static void append_child_line(
  const std::string &label,
  const irept &child,
  unsigned indent,
  std::string &out)
{
  out += '\n';
  out.append(indent, ' ');
  out += label;
  out += ": ";
  append_pretty(child, indent + 2, out);
}

static void append_pretty(const irept &irep, unsigned indent, std::string &out)
{
  if(!irep.id().empty())
  {
    out += irep.id().as_string();
    indent += 2;
  }
  for(const auto &entry : irep.get_named_sub())
    append_child_line("* " + entry.first.as_string(), entry.second, indent, out);
  for(const auto &entry : irep.get_comments())
    append_child_line("* " + entry.first.as_string(), entry.second, indent, out);
  const irept::subt &sub = irep.get_sub();
  for(std::size_t k = 0; k < sub.size(); ++k)
    append_child_line(std::to_string(k), sub[k], indent, out);
}

std::string irept::pretty(unsigned indent) const
{
  std::string out;
  append_pretty(*this, indent, out);
  return out;
}

std::string irept::to_string() const
{
  lisp_exprt expr;
  irep_to_lisp(*this, expr);
  return lisp_to_string(expr);
}

std::ostream &irep_to_stream(std::ostream &out, const irept &irep)
{
  return out << irep.to_string();
}
