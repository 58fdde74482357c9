#include "expr_algorithms/base_type.h"

#include "util/invariant.h"

#include <algorithm>
#include <set>
#include <vector>

namespace
{
// The symbol types whose definitions are being rewritten on the current
// path: meeting one of them again would expand it forever.
class base_type_rewritert
{
public:
  explicit base_type_rewritert(const namespacet &_ns) : ns(_ns)
  {
  }

  void rewrite(typet &type)
  {
    const dstring id = type.id();
    if(id == ID_symbol)
    {
      const dstring name = type.get("identifier");
      const symbolt *symbol;
      if(
        ns.lookup(name, symbol) || !symbol->is_type || symbol->type.is_nil() ||
        std::find(expanding.begin(), expanding.end(), name) != expanding.end())
        return;
      type = symbol->type;
      expanding.push_back(name);
      rewrite(type);
      expanding.pop_back();
    }
    else if(id == ID_subtype)
    {
      const typet subtype = type.subtype();
      type = subtype;
    }
    else if(id == ID_predicate)
    {
      exprt &predicate = static_cast<exprt &>(type.add("predicate"));
      rewrite(predicate.type());
      INVARIANT(predicate.type().id() == ID_mapping);
      const typet domain = predicate.type().subtypes().front();
      type = domain;
      rewrite(type);
    }
    else if(id == ID_mapping)
    {
      INVARIANT(type.subtypes().size() == 2);
      rewrite(type.subtypes()[0]);
      rewrite(type.subtypes()[1]);
    }
    else if(id == ID_array)
      rewrite(type.subtype());
    else if(id == ID_struct || id == ID_class || id == ID_union)
    {
      if(type.find("components").is_not_nil())
        for(irept &component : type.add("components").get_sub())
          rewrite(static_cast<typet &>(component.add("type")));
    }
  }

private:
  const namespacet &ns;
  std::vector<dstring> expanding;
};

// The symbol's definition, or a thrown text when there is none.
const symbolt &type_symbol(const namespacet &ns, const typet &symbol_type)
{
  const symbolt &symbol = ns.lookup(symbol_type.get("identifier"));
  if(!symbol.is_type)
    throw "symbol " + symbol.name.as_string() + " is not a type";
  return symbol;
}
} // namespace

void base_type(typet &type, const namespacet &ns)
{
  base_type_rewritert(ns).rewrite(type);
}

void base_type(exprt &expr, const namespacet &ns)
{
  // Nothing is added to a tree that lacks a part.
  if(expr.find("type").is_not_nil())
    base_type(expr.type(), ns);
  if(expr.find("operands").is_not_nil())
    for(exprt &op : expr.operands())
      base_type(op, ns);
}

const typet &
base_type_eqt::definition(const typet &symbol_type, const typet &other) const
{
  const typet &result = type_symbol(ns, symbol_type).type;
  // Against another symbol type the pairs recorded in `identifiers` end
  // the comparison; against anything else a chain of symbol types that
  // comes back to a name it has passed would be followed forever.
  // Checking the chain here keeps the caller's steps as they are.
  if(other.id() == ID_symbol)
    return result;
  std::set<dstring> seen{symbol_type.get("identifier")};
  const symbolt *symbol;
  for(const typet *next = &result; next->id() == ID_symbol;
      next = &symbol->type)
  {
    const dstring &name = next->get("identifier");
    if(!seen.insert(name).second)
      throw "identifier " + symbol_type.get("identifier").as_string() +
        " has a cyclic definition";
    if(ns.lookup(name, symbol) || !symbol->is_type)
      break; // reported when the comparison gets there
  }
  return result;
}

bool base_type_eqt::type_eq(const typet &type1, const typet &type2)
{
  if(type1 == type2)
    return true;

  if(type1.id() == ID_symbol && type2.id() == ID_symbol)
  {
    const unsigned number1 = identifiers.number(type1.get("identifier"));
    const unsigned number2 = identifiers.number(type2.get("identifier"));
    const unsigned root1 = identifiers.find_number(number1);
    const unsigned root2 = identifiers.find_number(number2);
    identifiers.uuf.make_union(number1, number2);
    if(root1 == root2)
      return true;
  }

  if(type1.id() == ID_symbol)
    return type_eq(definition(type1, type2), type2);
  if(type2.id() == ID_symbol)
    return type_eq(type1, definition(type2, type1));

  if(type1.id() != type2.id())
    return false;
  const dstring &id = type1.id();

  if(id == ID_struct || id == ID_class || id == ID_union)
  {
    const irept::subt &components1 = type1.find("components").get_sub();
    const irept::subt &components2 = type2.find("components").get_sub();
    if(components1.size() != components2.size())
      return false;
    for(std::size_t i = 0; i < components1.size(); ++i)
    {
      if(!type_eq(
           static_cast<const typet &>(components1[i].find("type")),
           static_cast<const typet &>(components2[i].find("type"))))
        return false;
      if(components1[i].get("name") != components2[i].get("name"))
        return false;
    }
    return true;
  }
  if(id == ID_incomplete_struct)
    return true;
  if(id == ID_code)
  {
    const irept::subt &arguments1 = type1.find("arguments").get_sub();
    const irept::subt &arguments2 = type2.find("arguments").get_sub();
    if(arguments1.size() != arguments2.size())
      return false;
    for(std::size_t i = 0; i < arguments1.size(); ++i)
      if(!type_eq(
           static_cast<const typet &>(arguments1[i].find("type")),
           static_cast<const typet &>(arguments2[i].find("type"))))
        return false;
    return type_eq(
      static_cast<const typet &>(type1.find("return_type")),
      static_cast<const typet &>(type2.find("return_type")));
  }
  if(id == ID_pointer || id == ID_array || id == ID_incomplete_array)
    return type_eq(type1.subtype(), type2.subtype());

  typet base1 = type1, base2 = type2;
  base_type(base1, ns);
  base_type(base2, ns);
  return base1 == base2;
}

bool base_type_eqt::expr_eq(const exprt &expr1, const exprt &expr2)
{
  if(expr1.id() != expr2.id())
    return false;
  identifiers.clear();
  if(!type_eq(expr1.type(), expr2.type()))
    return false;
  const exprt::operandst &operands1 = expr1.operands();
  const exprt::operandst &operands2 = expr2.operands();
  if(operands1.size() != operands2.size())
    return false;
  for(std::size_t i = 0; i < operands1.size(); ++i)
  {
    identifiers.clear();
    if(!expr_eq(operands1[i], operands2[i]))
      return false;
  }
  return true;
}

bool base_type_eq(const typet &type1, const typet &type2, const namespacet &ns)
{
  return base_type_eqt(ns).type_eq(type1, type2);
}

bool base_type_eq(const exprt &expr1, const exprt &expr2, const namespacet &ns)
{
  return base_type_eqt(ns).expr_eq(expr1, expr2);
}

bool type_equal_follow(
  const typet &type1, const typet &type2, const namespacet &ns)
{
  // Each step follows one symbol type; more steps than there are distinct
  // names on the two chains mean a chain came round to itself.
  const typet *t1 = &type1, *t2 = &type2;
  std::set<dstring> seen1, seen2;
  while(!(*t1 == *t2))
  {
    if(t1->id() == ID_symbol)
    {
      const dstring &name = t1->get("identifier");
      const typet &next = type_symbol(ns, *t1).type;
      if(!seen1.insert(name).second)
        throw "identifier " + name.as_string() + " has a cyclic definition";
      t1 = &next;
    }
    else if(t2->id() == ID_symbol)
    {
      const dstring &name = t2->get("identifier");
      const typet &next = type_symbol(ns, *t2).type;
      if(!seen2.insert(name).second)
        throw "identifier " + name.as_string() + " has a cyclic definition";
      t2 = &next;
    }
    else
      return false;
  }
  return true;
}
