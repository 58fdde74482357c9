#ifndef MORVANE_TESTS_HARNESS_DECISION_TEST_HARNESS_H
#define MORVANE_TESTS_HARNESS_DECISION_TEST_HARNESS_H

// What the tests of the expression algorithms, the flattening and the
// external decision procedures share: a fixture that runs each test under
// the 32-bit configuration, short builders for symbols, types and
// constants, and a message handler that keeps what it is given.
//
// The builders write constant texts by hand rather than through the
// conversions under test, so a fault there cannot hide in the fixtures.

#include "util/config.h"
#include "util/expr.h"
#include "util/message.h"
#include "util/type.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// The global configuration is built empty (every width 0). While this
// object lives the configuration is the 32-bit preset; afterwards it is as
// the object found it. For fixtures with another base.
class config_32_scopet
{
public:
  config_32_scopet() : saved(config.ansi_c)
  {
    config_set_32(config.ansi_c);
  }
  ~config_32_scopet()
  {
    config.ansi_c = saved;
  }
  config_32_scopet(const config_32_scopet &) = delete;
  config_32_scopet &operator=(const config_32_scopet &) = delete;

private:
  configt::ansi_ct saved;
};

// A test that derives from this fixture sees the 32-bit preset from SetUp
// to TearDown.
class config_32_testt : public ::testing::Test
{
protected:
  void SetUp() override
  {
    config_32.emplace();
  }
  void TearDown() override
  {
    config_32.reset();
  }

private:
  std::optional<config_32_scopet> config_32;
};

inline typet bool_type()
{
  return typet("bool");
}

// "unsignedbv" or "signedbv" of that width.
inline typet bv_type(unsigned width, bool is_signed)
{
  typet type{dstring(is_signed ? "signedbv" : "unsignedbv")};
  type.set("width", static_cast<int>(width));
  return type;
}
inline typet unsignedbv_type(unsigned width)
{
  return bv_type(width, false);
}
inline typet signedbv_type(unsigned width)
{
  return bv_type(width, true);
}

inline exprt symbol_expr(const std::string &identifier, const typet &type)
{
  exprt symbol("symbol", type);
  symbol.set("identifier", dstring(identifier));
  return symbol;
}
inline exprt bool_symbol(const std::string &identifier)
{
  return symbol_expr(identifier, bool_type());
}

inline exprt constant_expr(const std::string &value, const typet &type)
{
  exprt constant("constant", type);
  constant.set("value", dstring(value));
  return constant;
}
inline exprt bool_constant(bool value)
{
  return constant_expr(value ? "true" : "false", bool_type());
}

// The "width" low bits of the value in two's complement, most significant
// first: any value is taken modulo 2^width.
inline std::string bits_of(long long value, unsigned width)
{
  std::string bits(width, '0');
  for(unsigned i = 0; i < width && i < 64; ++i)
    if((static_cast<unsigned long long>(value) >> i) & 1)
      bits[width - 1 - i] = '1';
  if(value < 0)
    for(unsigned i = 64; i < width; ++i)
      bits[width - 1 - i] = '1';
  return bits;
}

// A bit-vector constant of the type's "width" holding the value modulo
// 2^width; the type must carry a "width".
inline exprt bv_constant(long long value, const typet &type)
{
  const unsigned width =
    static_cast<unsigned>(std::stoul(type.get("width").as_string()));
  return constant_expr(bits_of(value, width), type);
}

// An expression of that id and type with the operands in order.
inline exprt make_expr(
  const std::string &id,
  const typet &type,
  std::initializer_list<exprt> operands)
{
  exprt expr{dstring(id), type};
  for(const exprt &op : operands)
    expr.copy_to_operands(op);
  return expr;
}

inline exprt equal_expr(const exprt &lhs, const exprt &rhs)
{
  return make_expr("=", bool_type(), {lhs, rhs});
}

// Keeps every message it is handed, in order, with its level.
class capturing_message_handlert : public message_handlert
{
public:
  using message_handlert::print;
  std::vector<std::pair<unsigned, std::string>> messages;

  void print(unsigned level, const std::string &text) override
  {
    messages.emplace_back(level, text);
  }

  // Whether some message of that level begins with the text.
  bool has(unsigned level, const std::string &prefix) const
  {
    for(const auto &message : messages)
      if(
        message.first == level &&
        message.second.compare(0, prefix.size(), prefix) == 0)
        return true;
    return false;
  }
};

#endif
