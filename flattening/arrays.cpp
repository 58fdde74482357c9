#include "flattening/arrays.h"

#include "flattening/index_equality.h"

#include <iostream>
#include <vector>

namespace
{
exprt read_of(const exprt &array, const exprt &index)
{
  exprt read("index", array.type().subtype());
  read.copy_to_operands(array, index);
  return read;
}

exprt equation(const exprt &lhs, const exprt &rhs)
{
  exprt result("=", typet("bool"));
  result.copy_to_operands(lhs, rhs);
  return result;
}

bool yields_arrays(const std::set<exprt, irep_less> &applications)
{
  return !applications.empty() && applications.begin()->type().id() == ID_array;
}

std::string unexpected_array_expression(const exprt &array)
{
  return "unexpected array expression: " + array.id().as_string();
}
} // namespace

literalt arrayst::convert_equal(const exprt &lhs, const exprt &rhs)
{
  return convert(equation(lhs, rhs));
}

literalt arrayst::record_array_equality(const exprt &equality)
{
  const exprt::operandst &operands = equality.operands();
  if(operands.size() != 2)
    throw "function equality expected to have two operands";
  if(operands[0].type() != operands[1].type())
  {
    std::cout << equality.pretty() << '\n';
    throw "record_array_equality got equality without matching types";
  }

  array_equalities.push_back(array_equalityt());
  array_equalityt &recorded = array_equalities.back();
  recorded.l = equal_exprs(operands[0], operands[1]);
  recorded.f1 = operands[0];
  recorded.f2 = operands[1];

  array_classes.make_union(operands[0], operands[1]);
  collect_arrays(operands[0]);
  collect_arrays(operands[1]);
  return recorded.l;
}

void arrayst::collect_arrays(const exprt &array)
{
  const dstring &id = array.id();
  const exprt::operandst &operands = array.operands();
  if(id == ID_with)
  {
    if(operands.size() != 3)
      throw "with expected to have three operands";
    if(array.type() != operands[0].type())
    {
      std::cout << array.pretty() << '\n';
      throw "collect_arrays got with without matching types";
    }
    array_classes.make_union(array, operands[0]);
    collect_arrays(operands[0]);
    // The written index joins the index set of the class.
    record_function_application(read_of(operands[0], operands[1]));
  }
  else if(id == ID_if)
  {
    if(operands.size() != 3)
      throw "if expected to have three operands";
    if(operands[1].type() != array.type() || operands[2].type() != array.type())
    {
      std::cout << array.pretty() << '\n';
      throw "collect_arrays got if without matching types";
    }
    array_classes.make_union(array, operands[1]);
    array_classes.make_union(array, operands[2]);
    collect_arrays(operands[1]);
    collect_arrays(operands[2]);
  }
  else if(id == ID_index)
  {
    if(operands.size() != 2)
      throw "index takes two operands";
    // An element that is an array: a read of the outer array, whose index
    // joins the outer class.
    record_function_application(array);
  }
  else if(
    id != ID_symbol && id != ID_nondet_symbol && id != ID_constant &&
    id != ID_array && id != ID_array_of)
    throw unexpected_array_expression(array);
}

void arrayst::collect_read_arrays()
{
  // Collecting records further reads; the keys are taken first so the
  // walk does not depend on where those land.
  std::vector<exprt> read_arrays;
  for(const auto &entry : function_applications)
  {
    const dstring &id = entry.first.id();
    if(id == ID_with || id == ID_if || id == ID_array_of || id == ID_index)
      read_arrays.push_back(entry.first);
  }
  for(const exprt &array : read_arrays)
  {
    array_classes.number(array);
    collect_arrays(array);
  }
}

void arrayst::build_index_map()
{
  index_map.clear();
  for(unsigned n = 0; n < array_classes.size(); ++n)
  {
    const auto applications = function_applications.find(array_classes[n]);
    if(applications == function_applications.end())
      continue;
    const exprt &representative = array_classes.find(n);
    for(const exprt &application : applications->second)
    {
      if(application.id() != ID_index)
        throw "array logic expected index expression as function, but got " +
          application.id().as_string();
      if(application.operands().size() != 2)
        throw "index takes two operands";
      index_map[representative].insert(application.op1());
    }
  }
}

arrayst::index_sett &arrayst::index_set(const exprt &array)
{
  const unsigned n = array_classes.number(array);
  return index_map[array_classes.find(n)];
}

bool arrayst::first_time(const exprt &subject, const exprt &index)
{
  exprt key("constrained");
  key.copy_to_operands(subject, index);
  return constrained.insert(key).second;
}

std::size_t arrayst::theory_size() const
{
  std::size_t size = array_classes.size() + array_equalities.size() +
                     constrained.size();
  for(const auto &entry : function_applications)
    size += entry.second.size();
  return size;
}

void arrayst::add_array_constraints_all()
{
  constrained.clear();
  std::size_t size;
  do
  {
    size = theory_size();
    add_array_constraints_round();
  } while(theory_size() != size);
}

void arrayst::add_array_constraints_round()
{
  collect_read_arrays();
  build_index_map();

  // Converting a constraint may number further arrays (arrays of arrays):
  // the size is read again at every step so they are visited too.
  for(unsigned n = 0; n < array_classes.size(); ++n)
  {
    // A copy: numbering may grow the vector that holds the expression.
    const exprt array = array_classes[n];
    constrain_array_expr(array);
  }

  // Equalities recorded while this runs are appended behind the count
  // taken here and wait for the next round.
  const std::size_t count = array_equalities.size();
  auto equality = array_equalities.begin();
  for(std::size_t i = 0; i < count; ++i, ++equality)
    add_array_constraints(*equality);

  add_array_read_constraints();
}

void arrayst::add_array_read_constraints()
{
  // Copies: converting records further reads.
  std::vector<applicationst> read_sets;
  for(const auto &entry : function_applications)
    if(yields_arrays(entry.second))
      read_sets.push_back(entry.second);
  for(const applicationst &reads : read_sets)
  {
    for(auto x = reads.begin(); x != reads.end(); ++x)
      for(auto y = reads.begin(); y != x; ++y)
        if(first_time(*x, *y))
          add_function_constraint(*x, *y);
  }
}

void arrayst::add_function_constraints(const applicationst &applications)
{
  if(!yields_arrays(applications))
    functionst::add_function_constraints(applications);
}

void arrayst::constrain_array_expr(const exprt &array)
{
  const dstring &id = array.id();
  if(id == ID_with)
    add_array_constraints_with(array);
  else if(id == ID_if)
    add_array_constraints_if(array);
  else if(id == ID_array_of)
    add_array_constraints_array_of(array);
  else if(
    id != ID_symbol && id != ID_nondet_symbol && id != ID_constant &&
    id != ID_array && id != ID_index)
    throw unexpected_array_expression(array);
}

void arrayst::add_array_constraints(const array_equalityt &equality)
{
  // Converting the reads may add entries to index_map, which leaves this
  // one in place; index sets themselves only change in build_index_map.
  const exprt subject = equation(equality.f1, equality.f2);
  const index_sett &indices = index_set(equality.f1);
  for(const exprt &index : indices)
  {
    if(!first_time(subject, index))
      continue;
    const literalt elements_equal = convert_equal(
      read_of(equality.f1, index), read_of(equality.f2, index));
    prop.lcnf({prop.lnot(equality.l), elements_equal});
  }
}

void arrayst::add_array_constraints_with(const exprt &expr)
{
  const exprt::operandst &operands = expr.operands();
  if(operands.size() != 3)
    throw "with expected to have three operands";
  const exprt &array = operands[0];
  const exprt &written = operands[1];
  const exprt &value = operands[2];
  if(expr.type().subtype() != value.type())
    throw "with value does not match the element type";

  if(first_time(expr, written))
    set_to(equation(read_of(expr, written), value), true);

  const index_sett &indices = index_set(expr);
  for(const exprt &index : indices)
  {
    if(index == written || !first_time(expr, index))
      continue;
    const literalt guard = convert(index_equality(written, index));
    if(guard.is_true())
      continue;
    // Where the indices differ, the update keeps the old element.
    const literalt kept =
      convert_equal(read_of(expr, index), read_of(array, index));
    prop.lcnf({kept, guard});
  }
}

void arrayst::add_array_constraints_if(const exprt &expr)
{
  const exprt::operandst &operands = expr.operands();
  if(operands.size() != 3)
    throw "if expected to have three operands";
  const literalt condition = convert(operands[0]);

  std::vector<exprt> indices;
  for(const exprt &index : index_set(expr))
    if(first_time(expr, index))
      indices.push_back(index);
  for(const exprt &index : indices)
  {
    const literalt same =
      convert_equal(read_of(expr, index), read_of(operands[1], index));
    prop.lcnf({prop.lnot(condition), same});
  }
  for(const exprt &index : indices)
  {
    const literalt same =
      convert_equal(read_of(expr, index), read_of(operands[2], index));
    prop.lcnf({condition, same});
  }
}

void arrayst::add_array_constraints_array_of(const exprt &expr)
{
  if(expr.operands().size() != 1)
    throw "array_of takes one operand";
  const exprt &value = expr.op0();
  if(expr.type().subtype() != value.type())
    throw "array_of value does not match the element type";

  const index_sett &indices = index_set(expr);
  for(const exprt &index : indices)
    if(first_time(expr, index))
      set_to(equation(read_of(expr, index), value), true);
}

void arrayst::post_process()
{
  add_array_constraints_all();
  add_function_constraints_all();
  add_equality_constraints_all();
  prop_convt::post_process();
}
