#include "solver_harness.h"

#include <gtest/gtest.h>

namespace
{
// The certificate of deciding the text with certificates on.
std::string certificate_of(const std::string &text, morvanet::resultt expected)
{
  solver_harnesst h;
  h.solver.save_certificate = true;
  EXPECT_EQ(h.decide(text), expected) << text;
  EXPECT_FALSE(h.folder.exists("f.qdimacs.qbc.tmp"));
  return h.certificate();
}
} // namespace

TEST(SolverCertificate, WitnessFunctions)
{
  // The universal 7 puts every gate number above 7; variable 1 is
  // eliminated first.
  const std::string prefix = "e 2 3 4 0\na 7 0\ne 1 0\n";
  const struct
  {
    const char *clauses;
    const char *gates_of_1;
  } cases[] = {
    // N is not shorter: one AND gate per clause of P.
    {"1 2 0\n-1 3 0\n-1 4 0\n", "E 8 A -2 0\n"},
    {"1 2 0\n1 -3 4 0\n-1 4 2 0\n-1 -4 0\n",
     "E 8 A -2 0\nE 9 A 3 -4 0\nE 10 I 8 8 9\n"},
    // Every AND gate comes before the OR gates that join them.
    {"1 2 0\n1 3 0\n1 4 0\n-1 2 0\n-1 3 0\n-1 4 0\n",
     "E 8 A -2 0\nE 9 A -3 0\nE 10 A -4 0\nE 11 I 8 8 9\nE 12 I 11 11 10\n"},
    // N is shorter: one OR gate per clause of N, joined by an AND gate.
    {"1 2 0\n1 3 0\n-1 4 0\n", "E 8 A 4 0\n"},
    {"1 2 0\n1 3 0\n1 4 0\n-1 2 3 4 0\n", "E 8 I 2 2 3\nE 9 I 8 8 4\nE 10 A 9 0\n"},
    // The unit clause {-1} stands for false: not the gate without operand.
    {"1 2 0\n1 3 0\n-1 0\n", "E 8 A 0\nE 9 A -8 0\n"},
    {"1 2 0\n1 3 0\n-1 -1 0\n", "E 8 A 0\nE 9 A -8 0\n"},
  };
  for(const auto &c : cases)
  {
    const std::string text =
      certificate_of(prefix + c.clauses, morvanet::R_VALID);
    const std::string head = "QBCertificate\n" + std::string(c.gates_of_1);
    EXPECT_EQ(text.substr(0, head.size()), head) << c.clauses;
  }
}

TEST(SolverCertificate, Refutations)
{
  const struct
  {
    const char *text;
    const char *certificate;
  } cases[] = {
    {"e 1 0\n1 0\n2 0\n0\n", "QBCertificate\nCONCLUDE INVALID 3"},
    {"e 1 0\n1 0\n-1 0\n", "QBCertificate\n3 0 2 1 0\nCONCLUDE INVALID 3"},
    {"a 1 0\n2 0\n1 0\n", "QBCertificate\nCONCLUDE INVALID 2"},
    // A reduced input clause is named by its input entry.
    {"e 2 0\na 1 0\n1 2 0\n-2 0\n",
     "QBCertificate\n4 0 1 2 0\nCONCLUDE INVALID 4"},
    {"a 1 2 0\n3 0\n1 2 0\n", "QBCertificate\nCONCLUDE INVALID 2"},
    // 1 is quantified again outside 3, so it stays in entry 4.
    {"e 1 2 0\na 1 0\ne 3 0\na 4 0\ne 5 0\n5 3 1 0\n-5 0\n-3 0\n",
     "QBCertificate\n4 3 1 0 2 1 0\n6 0 4 3 0\nCONCLUDE INVALID 6"},
    // Resolution lines; the last resolvent {1} is empty after universal
    // reduction.
    {"a 1 0\ne 2 3 0\n1 2 3 0\n-3 2 0\n-2 3 0\n-3 -2 0\n",
     "QBCertificate\n5 2 1 0 2 1 0\n6 -2 0 4 3 0\n8 0 5 6 0\n"
     "CONCLUDE INVALID 8"},
  };
  for(const auto &c : cases)
    EXPECT_EQ(certificate_of(c.text, morvanet::R_INVALID), c.certificate)
      << c.text;
}

TEST(SolverCertificate, ValidConclusionAndDiscardedCertificate)
{
  EXPECT_EQ(
    certificate_of("p cnf 0 0\n", morvanet::R_VALID),
    "QBCertificate\nCONCLUDE VALID ");
  EXPECT_EQ(
    certificate_of("e 1 2 0\n1 2 0\n", morvanet::R_VALID),
    "QBCertificate\nE 3 A 0\nCONCLUDE VALID 2 3 ");

  solver_harnesst h;
  h.solver.save_certificate = true;
  ASSERT_EQ(h.read("e 1 0\n1 0\n"), morvanet::R_UNKNOWN);
  ASSERT_EQ(h.solver.open_certificate(), morvanet::R_UNKNOWN);
  h.solver.abandon("out of memory");
  EXPECT_FALSE(h.folder.exists("f.qdimacs.qbc.tmp"));
  EXPECT_FALSE(h.folder.exists("f.qdimacs.qbc"));
  EXPECT_EQ(h.handler.messages.size(), 2u);
  EXPECT_EQ(h.solver.stored_clause_count(), 0u);
}
