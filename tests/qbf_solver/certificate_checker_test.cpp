#include "certificate_checker.h"

#include <gtest/gtest.h>

namespace
{
certificate_verdictt checked(const std::string &formula_text,
                             const std::string &certificate)
{
  qbf_formulat formula;
  std::string error;
  EXPECT_TRUE(parse_qdimacs(formula_text, formula, error)) << error;
  return check_certificate(formula, certificate);
}

struct casest
{
  const char *formula;
  const char *certificate;
  bool accepted;
};

void expect_verdicts(const casest *begin, const casest *end)
{
  for(const casest *c = begin; c != end; ++c)
  {
    certificate_verdictt v = checked(c->formula, c->certificate);
    EXPECT_EQ(v.accepted, c->accepted)
      << c->formula << "---\n" << c->certificate << "\n--- " << v.reason;
  }
}

const char *const forall_exists_equal = "a 1 0\ne 2 0\n-1 2 0\n1 -2 0\n";
const char *const exists_forall_equal = "e 2 0\na 1 0\n-1 2 0\n1 -2 0\n";
const char *const or_of_universals = // forall 1 2 exists 3: 3 = 1 or 2
  "a 1 2 0\ne 3 0\n-1 3 0\n-2 3 0\n1 2 -3 0\n";
} // namespace

TEST(CertificateChecker, WitnessNetworks)
{
  const casest cases[] = {
    {forall_exists_equal, "QBCertificate\nE 3 A 1 0\nCONCLUDE VALID 2 3 ", true},
    {forall_exists_equal, "QBCertificate\nE 3 A -1 0\nCONCLUDE VALID 2 3 ", false},
    {forall_exists_equal, "QBCertificate\nCONCLUDE VALID 2 1 ", true},
    {forall_exists_equal, "QBCertificate\nCONCLUDE VALID 2 -1 ", false},
    // The witness of the outer 2 may not read the inner universal 1.
    {exists_forall_equal, "QBCertificate\nE 3 A 1 0\nCONCLUDE VALID 2 3 ", false},
    {or_of_universals,
     "QBCertificate\nE 4 I 1 1 2\nE 5 A 4 0\nCONCLUDE VALID 3 5 ", true},
    {or_of_universals,
     "QBCertificate\nE 4 I 1 2 1\nE 5 A 4 0\nCONCLUDE VALID 3 5 ", false},
    {or_of_universals,
     "QBCertificate\nE 4 A -1 -2 0\nCONCLUDE VALID 3 -4 ", true},
    // Constant witnesses; an existential without a witness must hold for
    // both of its values.
    {"e 1 0\n1 0\n", "QBCertificate\nE 2 A 0\nCONCLUDE VALID 1 2 ", true},
    {"e 1 0\n1 0\n", "QBCertificate\nE 2 A 0\nCONCLUDE VALID 1 -2 ", false},
    {"e 1 0\n1 0\n", "QBCertificate\nCONCLUDE VALID ", false},
    {"e 1 0\n1 -1 0\n", "QBCertificate\nCONCLUDE VALID ", true},
    {"", "QBCertificate\nCONCLUDE VALID ", true},
    {"0\n", "QBCertificate\nCONCLUDE VALID ", false},
    // Witnesses within one block may read each other, but not in a cycle.
    {"e 1 2 0\n1 2 0\n", "QBCertificate\nCONCLUDE VALID 1 -2 ", true},
    {"e 1 2 0\n1 2 0\n",
     "QBCertificate\nE 3 A -2 0\nE 4 A -1 0\nCONCLUDE VALID 1 3 2 4 ", false},
    // Malformed networks.
    {"e 1 0\n1 0\n", "QBCertificate\nE 1 A 0\nCONCLUDE VALID 1 1 ", false},
    {"e 1 0\n1 0\n", "QBCertificate\nE 2 A 3 0\nCONCLUDE VALID 1 2 ", false},
    {"e 1 0\n1 0\n", "QBCertificate\nE 2 A 0\nE 2 A 0\nCONCLUDE VALID 1 2 ", false},
    {"e 1 0\n1 0\n", "QBCertificate\nE 2 A\nCONCLUDE VALID 1 2 ", false},
    {"e 1 0\n1 0\n", "QBCertificate\nE 2 I 0 0\nCONCLUDE VALID 1 2 ", false},
    {"e 1 0\n1 0\n", "QBCertificate\nE 2 A 0\nCONCLUDE VALID 1 2 1 2 ", false},
    {"e 1 0\n1 0\n", "QBCertificate\nE 2 A 0\nCONCLUDE VALID 1 2 \n", false},
    {"e 1 0\n1 0\n", "E 2 A 0\nCONCLUDE VALID 1 2 ", false},
    {"a 1 0\n1 -1 0\n", "QBCertificate\nE 2 A 0\nCONCLUDE VALID 1 2 ", false},
  };
  expect_verdicts(std::begin(cases), std::end(cases));
}

TEST(CertificateChecker, Refutations)
{
  const casest cases[] = {
    // Both clauses reduce to units on 2 before they are resolved.
    {exists_forall_equal, "QBCertificate\n4 0 2 1 0\nCONCLUDE INVALID 4", true},
    {exists_forall_equal, "QBCertificate\n3 0 1 2 0\nCONCLUDE INVALID 3", true},
    // In the other order nothing can be reduced: two clashes.
    {forall_exists_equal, "QBCertificate\n3 0 1 2 0\nCONCLUDE INVALID 3", false},
    // A universal unit, a clause of universals only, the empty clause line.
    {"a 1 0\ne 2 0\n2 0\n1 0\n", "QBCertificate\nCONCLUDE INVALID 2", true},
    {"a 1 2 0\n1 -2 0\n", "QBCertificate\nCONCLUDE INVALID 1", true},
    {"e 1 0\n1 0\n0\n", "QBCertificate\nCONCLUDE INVALID 2", true},
    {"e 1 0\n1 0\n0\n", "QBCertificate\nCONCLUDE INVALID 1", false},
    {"e 1 0\n1 0\n0\n", "QBCertificate\nCONCLUDE INVALID 3", false},
    // Repeated literals: the resolvent of {1, 1} and {-1, -1} is empty.
    {"1 1 0\n-1 -1 0\n", "QBCertificate\n4 0 1 2 0\nCONCLUDE INVALID 4", true},
    // A chain; entry numbers may leave gaps and may be used again.
    {"e 1 2 0\n1 2 0\n1 -2 0\n-1 2 0\n-1 -2 0\n",
     "QBCertificate\n5 1 0 1 2 0\n6 -1 0 3 4 0\n8 0 5 6 0\nCONCLUDE INVALID 8",
     true},
    {"e 1 2 0\n1 2 0\n1 -2 0\n-1 2 0\n-1 -2 0\n",
     "QBCertificate\n5 1 0 1 2 0\n5 -1 0 3 4 0\n8 0 5 6 0\nCONCLUDE INVALID 8",
     false},
    // A derived clause may keep or drop reducible literals, never others.
    {"e 1 0\na 2 0\ne 3 0\n1 2 3 0\n-3 0\n-1 0\n",
     "QBCertificate\n4 1 2 0 1 2 0\n5 0 4 3 0\nCONCLUDE INVALID 5", true},
    {"e 1 0\na 2 0\ne 3 0\n1 2 3 0\n-3 0\n-1 0\n",
     "QBCertificate\n4 1 0 1 2 0\n5 0 4 3 0\nCONCLUDE INVALID 5", true},
    {"e 1 0\na 2 0\ne 3 0\n1 2 3 0\n-3 0\n-1 0\n",
     "QBCertificate\n4 2 0 1 2 0\n5 0 4 3 0\nCONCLUDE INVALID 5", false},
    {"e 1 0\na 2 0\ne 3 0\n1 2 3 0\n-3 0\n-1 0\n",
     "QBCertificate\n4 1 2 -1 0 1 2 0\nCONCLUDE INVALID 4", false},
    // Malformed steps.
    {"e 1 0\n1 0\n-1 0\n", "QBCertificate\n3 0 1 9 0\nCONCLUDE INVALID 3", false},
    {"e 1 0\n1 0\n-1 0\n", "QBCertificate\n3 0 1 2\nCONCLUDE INVALID 3", false},
    {"e 1 0\n1 0\n-1 0\n", "QBCertificate\n3 0 1 2 0\nCONCLUDE INVALID 4", false},
    {"e 1 0\n1 0\n-1 0\n", "QBCertificate\n3 0 1 2 0\nCONCLUDE INVALID", false},
    {"e 1 0\n1 0\n-1 0\n", "QBCertificate\nE 3 A 0\nCONCLUDE INVALID 3", false},
  };
  expect_verdicts(std::begin(cases), std::end(cases));
}
