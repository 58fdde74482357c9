// Checks a certificate against its QDIMACS formula:
//   qbf_certificate_check FORMULA CERTIFICATE
// Prints "accepted VALID", "accepted INVALID" or "rejected: " and a reason.
// Exit code 0 when accepted, 1 when rejected, 2 when a file cannot be read.

#include "../certificate_checker.h"

#include <fstream>
#include <iostream>
#include <sstream>

namespace
{
bool read_file(const char *path, std::string &text)
{
  std::ifstream in(path, std::ios::binary);
  std::ostringstream buffer;
  buffer << in.rdbuf();
  text = buffer.str();
  return static_cast<bool>(in);
}
} // namespace

int main(int argc, char **argv)
{
  if(argc != 3)
  {
    std::cerr << "usage: qbf_certificate_check FORMULA CERTIFICATE\n";
    return 2;
  }
  std::string formula_text, certificate, error;
  if(!read_file(argv[1], formula_text) || !read_file(argv[2], certificate))
  {
    std::cerr << "cannot read " << argv[1] << " or " << argv[2] << '\n';
    return 2;
  }
  qbf_formulat formula;
  if(!parse_qdimacs(formula_text, formula, error))
  {
    std::cerr << argv[1] << ": " << error << '\n';
    return 2;
  }
  certificate_verdictt verdict = check_certificate(formula, certificate);
  if(verdict.accepted)
    std::cout << "accepted " << verdict.claim << '\n';
  else
    std::cout << "rejected: " << verdict.reason << '\n';
  return verdict.accepted ? 0 : 1;
}
