#include "expr_algorithms/guard.h"

void guardt::add(const exprt &condition)
{
  if(condition.id() == ID_and && condition.type().id() == ID_bool)
  {
    for(const exprt &op : condition.operands())
      add(op);
  }
  else if(!condition.is_true())
    guard_list.push_back(condition);
}

void guardt::push_condition(exprt &condition)
{
  if(condition.is_true())
    return;
  guard_list.emplace_back();
  guard_list.back().swap(condition);
}

bool guardt::is_false() const
{
  for(const exprt &condition : guard_list)
    if(condition.is_false())
      return true;
  return false;
}

void guardt::conjunction(exprt &dest, guard_listt::size_type from) const
{
  if(from >= guard_list.size())
  {
    dest.make_true();
    return;
  }
  if(from + 1 == guard_list.size())
  {
    dest = guard_list[from];
    return;
  }
  exprt result("and", typet("bool"));
  exprt::operandst &operands = result.operands();
  for(auto i = from; i < guard_list.size(); ++i)
  {
    if(guard_list[i].type().id() != ID_bool)
      throw "guard is expected to be Boolean";
    operands.push_back(guard_list[i]);
  }
  dest.swap(result);
}

guardt &guardt::operator-=(const guardt &other)
{
  guard_listt::size_type shared = 0;
  while(shared < guard_list.size() && shared < other.guard_list.size() &&
        guard_list[shared] == other.guard_list[shared])
    ++shared;
  guard_list.erase(guard_list.begin(), guard_list.begin() + shared);
  return *this;
}

guardt &guardt::operator|=(const guardt &other)
{
  if(other.is_false())
    return *this;
  if(is_false())
  {
    *this = other;
    return *this;
  }

  guard_listt::size_type shared = 0;
  while(shared < guard_list.size() && shared < other.guard_list.size() &&
        guard_list[shared] == other.guard_list[shared])
    ++shared;
  if(shared == guard_list.size() && shared == other.guard_list.size())
    return *this;

  exprt rest1, rest2;
  conjunction(rest1, shared);
  other.conjunction(rest2, shared);
  guard_list.resize(shared);

  exprt negated2 = rest2;
  negated2.make_not();
  if(!rest1.is_true() && !rest2.is_true() && !(rest1 == negated2))
  {
    exprt disjunction("or", typet("bool"));
    disjunction.move_to_operands(rest1, rest2);
    push_condition(disjunction);
  }
  return *this;
}

std::ostream &operator<<(std::ostream &out, const guardt &guard)
{
  for(const exprt &condition : guard.guard_list)
    out << "*** " << condition.pretty() << std::endl;
  return out;
}
