#ifndef MORVANE_EXTERNAL_SOLVERS_CVC_CONV_H
#define MORVANE_EXTERNAL_SOLVERS_CVC_CONV_H

// The CVC dialect of the text converter (text_conv.h): a true conjunction
// given to set_to becomes one assertion per operand, "integer" constants
// are written as decimal text, and array update designators are cast to
// the 32-bit index type like array reads. By itself its solve writes
// "QUERY FALSE;" and answers D_ERROR; cvc_dec.h runs the external program.

#include "external_solvers/cvc_prop.h"
#include "external_solvers/text_conv.h"

#include <string>

class cvc_convt
    : public text_dialect_convt<cvc_propt, text_convt::dialectt::CVC>
{
public:
  using text_dialect_convt::text_dialect_convt;

  void convert_cvc_expr(const exprt &expr)
  {
    convert_expr(expr);
  }
  void convert_cvc_type(const typet &type)
  {
    convert_type(type);
  }
  static std::string cvc_pointer_type()
  {
    return pointer_type_text();
  }
};

#endif
