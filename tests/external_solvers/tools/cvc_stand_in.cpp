// A stand-in for the external validity checkers: decides the propositional
// part of the CVC Lite text by trying every assignment of the declared
// Boolean variables.
//
//   cvc_stand_in FILE
//
// Reads declarations "v: BOOLEAN;", definitions "v: BOOLEAN = e;",
// "ASSERT e;", "QUERY FALSE;" and "COUNTERMODEL;", with e built from
// variables, TRUE, FALSE, NOT, AND, OR, XOR, =>, <=>, IF-THEN-ELSIF-ELSE-
// ENDIF and parentheses; "%%" starts a comment. When some assignment
// satisfies every assertion it prints "Invalid." and, after COUNTERMODEL,
// one line "ASSERT v;" or "ASSERT NOT v;" per variable; otherwise "Valid.".
// Anything else in the text is reported on standard error and no verdict
// is printed (exit status 2).

#include <cctype>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{
struct nodet
{
  enum kindt
  {
    VARIABLE,
    CONSTANT,
    NOT,
    AND,
    OR,
    XOR,
    IMPLIES,
    IFF,
    IF
  } kind;
  std::size_t variable = 0;
  bool value = false;
  std::vector<std::unique_ptr<nodet>> operands;
};

class parsert
{
public:
  explicit parsert(const std::string &text)
  {
    tokenize(text);
  }

  struct variablet
  {
    std::string name;
    // Null for a declared (free) variable.
    std::unique_ptr<nodet> definition;
  };
  std::vector<variablet> variables;
  std::vector<std::unique_ptr<nodet>> assertions;
  bool counter_model = false;

  void parse()
  {
    while(position < tokens.size())
      statement();
  }

private:
  std::vector<std::string> tokens;
  std::size_t position = 0;
  std::map<std::string, std::size_t> numbers;

  void tokenize(const std::string &text)
  {
    for(std::size_t i = 0; i < text.size();)
    {
      const char c = text[i];
      if(std::isspace(static_cast<unsigned char>(c)))
        ++i;
      else if(text.compare(i, 2, "%%") == 0)
        i = text.find('\n', i) == std::string::npos ? text.size()
                                                    : text.find('\n', i);
      else if(text.compare(i, 3, "<=>") == 0)
        tokens.push_back("<=>"), i += 3;
      else if(text.compare(i, 2, "=>") == 0)
        tokens.push_back("=>"), i += 2;
      else if(
        std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$' ||
        c == '?')
      {
        std::size_t end = i;
        while(end < text.size() &&
              (std::isalnum(static_cast<unsigned char>(text[end])) ||
               text[end] == '_' || text[end] == '$' || text[end] == '?'))
          ++end;
        tokens.push_back(text.substr(i, end - i));
        i = end;
      }
      else
        tokens.push_back(std::string(1, c)), ++i;
    }
  }

  const std::string &peek() const
  {
    static const std::string end_of_text;
    return position < tokens.size() ? tokens[position] : end_of_text;
  }

  std::string next()
  {
    if(position >= tokens.size())
      throw std::runtime_error("unexpected end of text");
    return tokens[position++];
  }

  void expect(const std::string &token)
  {
    const std::string found = next();
    if(found != token)
      throw std::runtime_error("expected " + token + ", found " + found);
  }

  void statement()
  {
    const std::string first = next();
    if(first == "ASSERT")
      assertions.push_back(iff());
    else if(first == "QUERY")
      expect("FALSE");
    else if(first == "COUNTERMODEL")
      counter_model = true;
    else
    {
      expect(":");
      expect("BOOLEAN");
      if(numbers.count(first) != 0)
        throw std::runtime_error("declared twice: " + first);
      variablet variable;
      variable.name = first;
      if(peek() == "=")
      {
        next();
        variable.definition = iff();
      }
      numbers[first] = variables.size();
      variables.push_back(std::move(variable));
    }
    expect(";");
  }

  static std::unique_ptr<nodet> make(nodet::kindt kind)
  {
    std::unique_ptr<nodet> node(new nodet);
    node->kind = kind;
    return node;
  }

  static std::unique_ptr<nodet> binary(
    nodet::kindt kind,
    std::unique_ptr<nodet> left,
    std::unique_ptr<nodet> right)
  {
    std::unique_ptr<nodet> node = make(kind);
    node->operands.push_back(std::move(left));
    node->operands.push_back(std::move(right));
    return node;
  }

  std::unique_ptr<nodet> iff()
  {
    std::unique_ptr<nodet> left = implies();
    while(peek() == "<=>")
    {
      next();
      left = binary(nodet::IFF, std::move(left), implies());
    }
    return left;
  }

  std::unique_ptr<nodet> implies()
  {
    std::unique_ptr<nodet> left = disjunction();
    if(peek() != "=>")
      return left;
    next();
    return binary(nodet::IMPLIES, std::move(left), implies());
  }

  std::unique_ptr<nodet> disjunction()
  {
    std::unique_ptr<nodet> left = conjunction();
    while(peek() == "OR" || peek() == "XOR")
    {
      const nodet::kindt kind = next() == "OR" ? nodet::OR : nodet::XOR;
      left = binary(kind, std::move(left), conjunction());
    }
    return left;
  }

  std::unique_ptr<nodet> conjunction()
  {
    std::unique_ptr<nodet> left = unary();
    while(peek() == "AND")
    {
      next();
      left = binary(nodet::AND, std::move(left), unary());
    }
    return left;
  }

  std::unique_ptr<nodet> unary()
  {
    if(peek() != "NOT")
      return primary();
    next();
    std::unique_ptr<nodet> node = make(nodet::NOT);
    node->operands.push_back(unary());
    return node;
  }

  std::unique_ptr<nodet> primary()
  {
    const std::string token = next();
    if(token == "(")
    {
      std::unique_ptr<nodet> inner = iff();
      expect(")");
      return inner;
    }
    if(token == "TRUE" || token == "FALSE")
    {
      std::unique_ptr<nodet> node = make(nodet::CONSTANT);
      node->value = token == "TRUE";
      return node;
    }
    if(token == "IF")
      return conditional();
    std::map<std::string, std::size_t>::const_iterator found =
      numbers.find(token);
    if(found == numbers.end())
      throw std::runtime_error("unknown variable " + token);
    std::unique_ptr<nodet> node = make(nodet::VARIABLE);
    node->variable = found->second;
    return node;
  }

  // After IF: the condition, the branches and the rest of the chain.
  std::unique_ptr<nodet> conditional()
  {
    std::unique_ptr<nodet> node = make(nodet::IF);
    node->operands.push_back(iff());
    expect("THEN");
    node->operands.push_back(iff());
    const std::string token = next();
    if(token == "ELSIF")
      node->operands.push_back(conditional());
    else
    {
      if(token != "ELSE")
        throw std::runtime_error("expected ELSE, found " + token);
      node->operands.push_back(iff());
      expect("ENDIF");
    }
    return node;
  }
};

bool evaluate(const nodet &node, const std::vector<bool> &values)
{
  auto operand = [&](std::size_t i) {
    return evaluate(*node.operands[i], values);
  };
  switch(node.kind)
  {
  case nodet::VARIABLE:
    return values[node.variable];
  case nodet::CONSTANT:
    return node.value;
  case nodet::NOT:
    return !operand(0);
  case nodet::AND:
    return operand(0) && operand(1);
  case nodet::OR:
    return operand(0) || operand(1);
  case nodet::XOR:
    return operand(0) != operand(1);
  case nodet::IMPLIES:
    return !operand(0) || operand(1);
  case nodet::IFF:
    return operand(0) == operand(1);
  case nodet::IF:
    return operand(0) ? operand(1) : operand(2);
  }
  return false;
}
} // namespace

int main(int argc, char **argv)
{
  if(argc != 2)
  {
    std::cerr << "usage: " << argv[0] << " FILE\n";
    return 2;
  }
  std::ifstream in(argv[1]);
  std::stringstream text;
  text << in.rdbuf();

  parsert parser(text.str());
  try
  {
    parser.parse();
  }
  catch(const std::runtime_error &error)
  {
    std::cerr << "stand-in: " << error.what() << "\n";
    return 2;
  }

  std::vector<std::size_t> free;
  for(std::size_t v = 0; v < parser.variables.size(); ++v)
    if(!parser.variables[v].definition)
      free.push_back(v);
  if(free.size() > 20)
  {
    std::cerr << "stand-in: too many variables\n";
    return 2;
  }

  std::vector<bool> values(parser.variables.size());
  for(unsigned long bits = 0; bits < (1ul << free.size()); ++bits)
  {
    for(std::size_t i = 0; i < free.size(); ++i)
      values[free[i]] = (bits >> i) & 1;
    // Definitions refer to earlier variables only.
    for(std::size_t v = 0; v < values.size(); ++v)
      if(parser.variables[v].definition)
        values[v] = evaluate(*parser.variables[v].definition, values);
    bool satisfied = true;
    for(const auto &assertion : parser.assertions)
      satisfied = satisfied && evaluate(*assertion, values);
    if(!satisfied)
      continue;

    std::cout << "Invalid.\n";
    if(parser.counter_model)
      for(std::size_t v = 0; v < values.size(); ++v)
        std::cout << "ASSERT " << (values[v] ? "" : "NOT ")
                  << parser.variables[v].name << ";\n";
    return 0;
  }
  std::cout << "Valid.\n";
  return 0;
}
