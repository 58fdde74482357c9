#ifndef MORVANE_EXTERNAL_SOLVERS_SMT_CONV_H
#define MORVANE_EXTERNAL_SOLVERS_SMT_CONV_H

// The SMT dialect of the text converter (text_conv.h): the same CVC Lite
// text as cvc_conv.h, but set_to writes every constraint (a true
// conjunction and the true constant included) as one assertion, "integer",
// "natural" and "range" constants are not written, and array update
// designators are written without a cast.

#include "external_solvers/cvc_prop.h"
#include "external_solvers/text_conv.h"

#include <string>

class smt_convt
    : public text_dialect_convt<smt_propt, text_convt::dialectt::SMT>
{
public:
  using text_dialect_convt::text_dialect_convt;

  void convert_smt_expr(const exprt &expr)
  {
    convert_expr(expr);
  }
  void convert_smt_type(const typet &type)
  {
    convert_type(type);
  }
  static std::string smt_pointer_type()
  {
    return pointer_type_text();
  }
};

#endif
