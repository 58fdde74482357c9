#include "sat/groupsat/groupsat_base.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <ostream>

void CLitPoolElement::dump(std::ostream &os) const
{
  os << (var_sign() ? " -" : " +") << var_index();
  if(is_watched())
    os << "*";
}

bool CClause::self_check()
{
  if(status() == NEW_CL)
    return true;
  INVARIANT(num_lits() > 0);
  int watched = 0;
  for(unsigned i = 0; i < num_lits(); ++i)
  {
    INVARIANT(literal(i).is_literal());
    if(literal(i).is_watched())
      ++watched;
  }
  INVARIANT(num_lits() == 1 || watched == 2);
  INVARIANT(!literal(num_lits()).is_literal());
  return true;
}

void CClause::dump(std::ostream &os)
{
  // A deleted record's literals are erased and its first-literal pointer
  // may be stale: it shows no entries.
  if(status() == DELETED_CL)
  {
    os << "\t\t\t======removed=====\n";
    return;
  }
  for(unsigned i = 0; i < num_lits(); ++i)
    literal(i).dump(os);
  os << "\n";
}

bool CVariable::self_check()
{
  for(unsigned i = 0; i < 2; ++i)
  {
    for(CLitPoolElement *w : _watched[i])
    {
      INVARIANT(w->is_watched());
      INVARIANT((unsigned)w->var_sign() == i);
    }
  }
  return true;
}

void CVariable::dump(std::ostream &os)
{
  if(is_marked())
    os << "*";
  os << "V: " << value() << "  DL: " << dlevel()
     << "  POS: " << assgn_stack_pos() << "  Ante: " << antecedent() << "\n";
  const char *heads[2] = {"WPos (", "WNeg ("};
  for(int sign = 0; sign < 2; ++sign)
  {
    os << heads[sign];
    for(CLitPoolElement *w : _watched[sign])
    {
      CLitPoolElement *end = w;
      while(end->is_literal())
        ++end;
      os << end->get_clause_index() << "  ";
    }
    os << ")\n";
  }
  os << "\n";
}

namespace
{
void print_problem(
  const char *function,
  const char *file,
  int line,
  const char *format,
  va_list arguments)
{
  std::fputs("***", stderr);
  if(function != nullptr)
    std::fprintf(stderr, " in %s", function);
  if(file != nullptr)
    std::fprintf(stderr, " at %s", file);
  if(line != 0)
    std::fprintf(stderr, ":%d", line);
  std::fputs(" ", stderr);
  std::vfprintf(stderr, format, arguments);
  std::fflush(stderr);
}
} // namespace

void groupsat_fatal(
  const char *function,
  const char *file,
  int line,
  const char *format,
  ...)
{
  va_list arguments;
  va_start(arguments, format);
  print_problem(function, file, line, format, arguments);
  va_end(arguments);
  std::exit(1);
}

void groupsat_warning(
  const char *function,
  const char *file,
  int line,
  const char *format,
  ...)
{
  va_list arguments;
  va_start(arguments, format);
  print_problem(function, file, line, format, arguments);
  va_end(arguments);
}

double get_cpu_time()
{
  // The C clock counts the process's user and system time.
  return double(std::clock()) / CLOCKS_PER_SEC;
}
