// The brute-force oracle as a program, for bench/fuzz_qbf.py:
//   qbf_oracle_answer FORMULA
// Prints "VALID" or "INVALID" (exit code 0), "malformed: " and the reason
// the tests' reader gives (1), or "too large" when the formula has more
// variables than expansion can decide in a moment (2). 3 when the file
// cannot be read.

#include "../qbf_formula.h"
#include "../qbf_oracle.h"

#include <fstream>
#include <iostream>
#include <sstream>

int main(int argc, char **argv)
{
  if(argc != 2)
  {
    std::cerr << "usage: qbf_oracle_answer FORMULA\n";
    return 3;
  }
  std::ifstream in(argv[1], std::ios::binary);
  std::ostringstream buffer;
  buffer << in.rdbuf();
  if(!in)
  {
    std::cerr << "cannot read " << argv[1] << '\n';
    return 3;
  }
  qbf_formulat formula;
  std::string error;
  if(!parse_qdimacs(buffer.str(), formula, error))
  {
    std::cout << "malformed: " << error << '\n';
    return 1;
  }
  // Expansion is exponential in the variables used.
  if(formula.variables.size() > 20)
  {
    std::cout << "too large\n";
    return 2;
  }
  std::cout << (qbf_is_true(formula) ? "VALID" : "INVALID") << '\n';
  return 0;
}
