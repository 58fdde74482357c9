#include "external_solvers/text_conv.h"

#include "flattening/boolbv_width.h"
#include "util/config.h"
#include "util/find_symbols.h"
#include "util/invariant.h"

#include <sstream>

namespace
{
// Points a stream pointer elsewhere for the life of the object.
class redirectt
{
public:
  redirectt(std::ostream *&_target, std::ostream &to)
    : target(_target), saved(_target)
  {
    target = &to;
  }
  ~redirectt()
  {
    target = saved;
  }

private:
  std::ostream *&target;
  std::ostream *saved;
};

bool is_digit(char ch)
{
  return ch >= '0' && ch <= '9';
}

bool is_letter_or_digit(char ch)
{
  return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || is_digit(ch);
}
} // namespace

text_convt::text_convt(
  cvc_propt &_text_prop, std::ostream &_out, dialectt _dialect)
  : prop_convt(_text_prop), text_prop(_text_prop), out(&_out), dialect(_dialect)
{
}

std::string text_convt::bin_constant(unsigned value)
{
  std::string digits = "0bin";
  const unsigned width = config.ansi_c.int_width;
  for(unsigned i = width; i > 0; --i)
    digits += (i - 1 < 32 && ((value >> (i - 1)) & 1) != 0) ? '1' : '0';
  return digits;
}

std::string text_convt::bin_zero(unsigned bits)
{
  INVARIANT(bits != 0);
  return "0bin" + std::string(bits, '0');
}

std::string text_convt::pointer_type_text()
{
  INVARIANT(config.ansi_c.pointer_width != 0);
  return "[# object: INT, offset: BITVECTOR(" +
         std::to_string(config.ansi_c.pointer_width) + ") #]";
}

std::string text_convt::array_index_type_text()
{
  return "BITVECTOR(" + std::to_string(32) + ")";
}

typet text_convt::array_index_type()
{
  typet type("signedbv");
  type.set("width", 32);
  return type;
}

void text_convt::convert_identifier(const dstring &identifier)
{
  const std::string &text = identifier.as_string();
  for(std::size_t i = 0; i < text.size(); ++i)
  {
    const char ch = text[i];
    const bool plain = is_letter_or_digit(ch) || ch == '$' || ch == '?';
    if(plain)
      *out << ch;
    else if(ch == ':' && i + 1 < text.size() && text[i + 1] == ':')
    {
      *out << "__";
      ++i;
    }
    else
      *out << '_' << static_cast<int>(static_cast<signed char>(ch)) << '_';
  }
}

void text_convt::convert_component_name(const dstring &name)
{
  const std::string &text = name.as_string();
  bool plain = !text.empty() && !is_digit(text[0]);
  for(const char ch : text)
    plain = plain && (is_letter_or_digit(ch) || ch == '_');
  if(!plain)
    throw "unsupported component name: " + text;
  *out << text;
}

void text_convt::convert_type(const typet &type)
{
  const dstring &id = type.id();
  if(id == ID_array)
  {
    *out << "ARRAY " << array_index_type_text() << " OF ";
    if(type.subtype().id() == ID_bool)
      *out << "BITVECTOR(1)";
    else
      convert_type(type.subtype());
  }
  else if(id == ID_bool)
    *out << "BOOLEAN";
  else if(id == ID_struct || id == ID_union)
  {
    *out << "[#";
    bool first = true;
    for(const irept &component : type.find("components").get_sub())
    {
      if(!first)
        *out << ",";
      first = false;
      *out << " ";
      convert_component_name(component.get("name"));
      *out << ": ";
      convert_type(static_cast<const typet &>(component.find("type")));
    }
    *out << " #]";
  }
  else if(id == ID_pointer || id == ID_reference)
    *out << pointer_type_text();
  else if(id == ID_integer)
    *out << "INT";
  else
  {
    unsigned width;
    if(width_of_type(type, width))
      throw "unsupported type: " + id.as_string();
    if(width == 0)
      throw "zero-width vector type: " + id.as_string();
    *out << "BITVECTOR(" << width << ")";
  }
}

void text_convt::convert_as_bv(const exprt &expr)
{
  if(expr.type().id() == ID_bool)
  {
    *out << "IF ";
    convert_expr(expr);
    *out << " THEN 0bin1 ELSE 0bin0 ENDIF";
  }
  else
    convert_expr(expr);
}

void text_convt::convert_array_index(const exprt &expr)
{
  const typet index_type = array_index_type();
  if(expr.type() == index_type)
    convert_expr(expr);
  else
  {
    exprt cast = expr;
    cast.make_typecast(index_type);
    convert_expr(cast);
  }
}

void text_convt::find_symbols_in_type(const typet &type)
{
  if(type.id() == ID_array)
    find_symbols(static_cast<const exprt &>(type.find("size")));
}

bool text_convt::is_declared(const dstring &identifier) const
{
  identifier_mapt::const_iterator found = identifier_map.find(identifier);
  return found != identifier_map.end() && found->second.is_not_nil() &&
         found->second.id() != dstring();
}

void text_convt::find_symbols(const exprt &expr)
{
  find_symbols_in_type(expr.type());
  for(const exprt &operand : expr.operands())
    find_symbols(operand);

  const bool is_nondet = expr.id() == ID_nondet_symbol;
  if((expr.id() != ID_symbol && !is_nondet) || expr.type().id() == ID_code)
    return;

  const dstring identifier =
    is_nondet ? dstring("nondet$" + expr.get("identifier").as_string())
              : expr.get("identifier");
  if(is_declared(identifier))
    return;
  // Recorded before the type is written: a type that cannot be written
  // still counts as declared.
  identifier_map[identifier] = expr.type();
  convert_identifier(identifier);
  *out << ": ";
  convert_type(expr.type());
  *out << ";" << std::endl;
}

void text_convt::set_to(const exprt &expr, bool value)
{
  if(value && dialect == dialectt::CVC)
  {
    if(expr.id() == ID_and)
    {
      for(const exprt &operand : expr.operands())
        set_to(operand, true);
      return;
    }
    if(expr.is_true())
      return;
  }

  *out << "%% set_to " << (value ? "true" : "false") << std::endl;

  if(value && expr.id() == ID_equal)
  {
    INVARIANT(expr.operands().size() == 2);
    const exprt &symbol = expr.op0();
    if(symbol.id() == ID_symbol)
    {
      const dstring &identifier = symbol.get("identifier");
      find_symbols_sett mentioned;
      collect_symbols(expr.op1(), mentioned);
      if(!is_declared(identifier) && mentioned.count(identifier) == 0)
      {
        identifier_map[identifier] = symbol.type();
        find_symbols(expr.op1());
        convert_identifier(identifier);
        *out << ": ";
        convert_type(symbol.type());
        *out << " = ";
        convert_expr(expr.op1());
        *out << ";" << std::endl << std::endl;
        return;
      }
    }
  }

  find_symbols(expr);
  *out << "ASSERT ";
  if(value)
    convert_expr(expr);
  else
  {
    *out << "NOT (";
    convert_expr(expr);
    *out << ")";
  }
  *out << ";" << std::endl << std::endl;
}

literalt text_convt::convert_rest(const exprt &expr)
{
  const literalt l = text_prop.new_variable();
  find_symbols(expr);

  const bool is_equality = expr.id() == ID_equal || expr.id() == ID_notequal;
  if(is_equality)
    INVARIANT(expr.operands().size() == 2);

  // The atom's text is made apart, so that an atom that cannot be written
  // leaves nothing half written behind.
  std::ostringstream atom;
  bool written = true;
  {
    const redirectt redirect(out, atom);
    if(is_equality)
    {
      convert_expr(expr.op0());
      atom << (expr.id() == ID_equal ? "=" : "/=");
      convert_expr(expr.op1());
    }
    else
    {
      try
      {
        convert_expr(expr);
      }
      catch(const char *)
      {
        written = false;
      }
      catch(const std::string &)
      {
        written = false;
      }
    }
  }
  if(!written)
  {
    warn_ignoring(expr);
    return l;
  }

  *out << "ASSERT " << text_prop.cvc_literal(l) << " <=> (" << atom.str()
       << ");" << std::endl;
  return l;
}
