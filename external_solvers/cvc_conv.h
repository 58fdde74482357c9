#ifndef MORVANE_EXTERNAL_SOLVERS_CVC_CONV_H
#define MORVANE_EXTERNAL_SOLVERS_CVC_CONV_H

// The CVC dialect of the text converter (text_conv.h): a true conjunction
// given to set_to becomes one assertion per operand, "integer" constants
// are written as decimal text, and array update designators are cast to
// the 32-bit index type like array reads. By itself its solve writes
// "QUERY FALSE;" and answers D_ERROR; cvc_dec.h runs the external program.

#include "external_solvers/cvc_prop.h"
#include "external_solvers/text_conv.h"

#include <ostream>

// Holds the text back end, so that it exists before the converter that
// works on it.
class cvc_prop_wrappert
{
public:
  explicit cvc_prop_wrappert(std::ostream &_out) : cvc_prop(_out)
  {
  }

protected:
  cvc_propt cvc_prop;
};

class cvc_convt : private cvc_prop_wrappert, public text_convt
{
public:
  // The stream is not owned and must outlive the converter.
  explicit cvc_convt(std::ostream &_out)
    : cvc_prop_wrappert(_out), text_convt(cvc_prop, _out, dialectt::CVC)
  {
  }

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

protected:
  // The back end, for the procedure that reads the external answer into it.
  cvc_propt &text_back_end()
  {
    return cvc_prop;
  }
};

#endif
