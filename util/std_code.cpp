#include "util/std_code.h"

codet &make_block(codet &code)
{
  if(code.get("statement") == ID_block)
    return code;
  exprt old_statement;
  old_statement.swap(code);
  code.id("code");
  code.type() = typet("code");
  code.set("statement", "block");
  code.move_to_operands(old_statement);
  return code;
}

// Whether the walk goes on into an operand. An empty block or label has no
// statement to descend into and stands for itself.
static bool has_inner_statement(const codet &code)
{
  if(code.find("operands").is_nil())
    return false;
  const dstring &statement = code.get("statement");
  if(statement != ID_block && statement != ID_label)
    return false;
  return !code.operands().empty();
}

const codet &first_statement(const codet &code)
{
  if(!has_inner_statement(code))
    return code;
  return first_statement(to_code(code.operands().front()));
}

codet &first_statement(codet &code)
{
  if(!has_inner_statement(code))
    return code;
  return first_statement(to_code(code.operands().front()));
}

const codet &last_statement(const codet &code)
{
  if(!has_inner_statement(code))
    return code;
  return last_statement(to_code(code.operands().back()));
}

codet &last_statement(codet &code)
{
  if(!has_inner_statement(code))
    return code;
  return last_statement(to_code(code.operands().back()));
}
