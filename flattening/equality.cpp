#include "flattening/equality.h"

#include <vector>

literalt equalityt::equal_exprs(const exprt &a, const exprt &b)
{
  return a.compare(b) <= 0 ? equal_exprs_ordered(a, b)
                           : equal_exprs_ordered(b, a);
}

unsigned equalityt::value_number(type_valuest &values, const exprt &value)
{
  unsigned next = values.value_numbers.size();
  return values.value_numbers.insert({value, next}).first->second;
}

literalt equalityt::equal_exprs_ordered(const exprt &a, const exprt &b)
{
  if(a.type() != b.type())
    throw "equality got different types";
  if(a == b)
    return const_literal(true);
  if(a.type().id() == ID_bool)
    throw "equalityt got boolean equality";

  type_valuest &values = type_values[a.type()];
  unsigned number_a = value_number(values, a);
  unsigned number_b = value_number(values, b);

  std::pair<std::map<std::pair<unsigned, unsigned>, literalt>::iterator, bool>
    inserted = values.pair_literals.insert({{number_a, number_b}, literalt()});
  if(inserted.second)
    inserted.first->second = prop.new_variable();
  return inserted.first->second;
}

void equalityt::add_equality_constraints_all()
{
  for(auto &entry : type_values)
    encode_type_equalities(entry.second);
}

void equalityt::encode_type_equalities(type_valuest &values)
{
  const unsigned n = values.value_numbers.size();
  unsigned bits = 0;
  while(bits < 32 && (n >> bits) != 0)
    ++bits;

  std::vector<bvt> codes(n);
  for(bvt &code : codes)
  {
    code.reserve(bits);
    for(unsigned p = 0; p < bits; ++p)
      code.push_back(prop.new_variable());
  }

  bvt equal_bits(bits);
  for(const auto &entry : values.pair_literals)
  {
    const bvt &code_i = codes[entry.first.first];
    const bvt &code_j = codes[entry.first.second];
    for(unsigned p = 0; p < bits; ++p)
      equal_bits[p] = prop.lequal(code_i[p], code_j[p]);
    prop.l_set_to(prop.lequal(prop.land(equal_bits), entry.second), true);
  }
}

void equalityt::post_process()
{
  add_equality_constraints_all();
  prop_convt::post_process();
}
