#ifndef MORVANE_EXTERNAL_SOLVERS_SMT_CONV_H
#define MORVANE_EXTERNAL_SOLVERS_SMT_CONV_H

// The SMT dialect of the text converter (text_conv.h): the same CVC Lite
// text as cvc_conv.h, but set_to writes every constraint (a true
// conjunction and the true constant included) as one assertion, "integer",
// "natural" and "range" constants are not written, and array update
// designators are written without a cast.

#include "external_solvers/cvc_prop.h"
#include "external_solvers/text_conv.h"

#include <ostream>

class smt_prop_wrappert
{
public:
  explicit smt_prop_wrappert(std::ostream &_out) : smt_prop(_out)
  {
  }

protected:
  smt_propt smt_prop;
};

class smt_convt : private smt_prop_wrappert, public text_convt
{
public:
  // The stream is not owned and must outlive the converter.
  explicit smt_convt(std::ostream &_out)
    : smt_prop_wrappert(_out), text_convt(smt_prop, _out, dialectt::SMT)
  {
  }

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

protected:
  cvc_propt &text_back_end()
  {
    return smt_prop;
  }
};

#endif
