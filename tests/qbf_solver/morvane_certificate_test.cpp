// Certificates the program writes: exact texts for formulas small enough to
// follow by hand, and the independent checker's verdict on random formulas
// whose answers the brute-force evaluator confirms.

#include "morvane_run.h"
#include "qbf_oracle.h"
#include "random_qbf.h"

#include <gtest/gtest.h>

#include <sstream>

namespace
{
const char valid_text[] = "p cnf 2 2\na 1 0\ne 2 0\n-1 2 0\n1 -2 0\n";
} // namespace

TEST(MorvaneCertificates, ExactTexts)
{
  const struct
  {
    const char *formula;
    int exit_code;
    const char *certificate;
  } cases[] = {
    {valid_text, 10, "QBCertificate\nE 3 A 1 0\nCONCLUDE VALID 2 3 "},
    {"p cnf 0 0\n", 10, "QBCertificate\nCONCLUDE VALID "},
    // The empty clause is the third clause line; the tautology is none.
    {"p cnf 2 4\ne 1 2 0\n1 2 0\n1 2 0\n1 -1 0\n0\n2 0\n",
     20,
     "QBCertificate\nCONCLUDE INVALID 3"},
    // Reducing the universal 1 turns both clauses into opposite unit
    // clauses; the refutation names the clause lines they came from.
    {"p cnf 2 2\ne 2 0\na 1 0\n-1 2 0\n1 -2 0\n",
     20,
     "QBCertificate\n4 0 2 1 0\nCONCLUDE INVALID 4"},
    // Opposite unit clauses while reading.
    {"p cnf 1 2\ne 1 0\n1 0\n-1 0\n",
     20,
     "QBCertificate\n3 0 2 1 0\nCONCLUDE INVALID 3"},
    // A clause of universals only reduces to the empty clause: the
    // refutation ends in that clause line.
    {"p cnf 3 2\ne 1 0\na 2 3 0\n2 3 0\n1 0\n",
     20,
     "QBCertificate\nCONCLUDE INVALID 1"},
    // 4 = 3 (the shorter side's clause), then 2 and 3 are pure.
    {"p cnf 5 3\ne 1 2 3 0\na 5 0\ne 4 0\n4 1 0\n4 2 0\n-4 3 0\n",
     10,
     "QBCertificate\nE 6 A 3 0\nE 7 A 0\nE 8 A 0\n"
     "CONCLUDE VALID 2 7 3 8 4 6 "},
  };
  scratch_foldert folder;
  for(const auto &c : cases)
  {
    folder.write("f.qdimacs", c.formula);
    morvane_resultt result = folder.run({"--save-certificate", "f.qdimacs"});
    EXPECT_EQ(result.exit_code, c.exit_code) << c.formula;
    EXPECT_EQ(folder.read("f.qdimacs.qbc"), c.certificate) << c.formula;
    EXPECT_FALSE(folder.exists("f.qdimacs.qbc.tmp"));
    certificate_verdictt verdict = check_certificate_of(folder, "f.qdimacs");
    EXPECT_TRUE(verdict.accepted) << c.formula << verdict.reason;
  }
}

TEST(MorvaneCertificates, WrittenOnlyOnRequestAndNumberedAcrossFiles)
{
  scratch_foldert folder;
  folder.write("a.qdimacs", valid_text);
  folder.write("b.qdimacs", valid_text);
  EXPECT_EQ(folder.run({"a.qdimacs"}).exit_code, 10);
  EXPECT_FALSE(folder.exists("a.qdimacs.qbc"));
  EXPECT_EQ(
    folder.run({"--save-certificate", "a.qdimacs", "b.qdimacs"}).exit_code, 0);
  EXPECT_EQ(
    folder.read("a.qdimacs.qbc"), "QBCertificate\nE 3 A 1 0\nCONCLUDE VALID 2 3 ");
  // Gate numbers go on from the first file.
  EXPECT_EQ(
    folder.read("b.qdimacs.qbc"), "QBCertificate\nE 4 A 1 0\nCONCLUDE VALID 2 4 ");
}

// Corner cases of witnesses: a unit clause of the negated variable, and a
// clause of the variable alone, on the shorter side.
TEST(MorvaneCertificates, ConstantFalseWitnesses)
{
  scratch_foldert folder;
  for(const char *text :
      {"p cnf 4 3\ne 1 2 0\na 3 0\ne 4 0\n4 1 0\n4 2 0\n-4 0\n",
       "p cnf 4 3\ne 1 2 0\na 3 0\ne 4 0\n4 1 0\n4 2 0\n-4 -4 0\n"})
  {
    folder.write("f.qdimacs", text);
    EXPECT_EQ(folder.run({"--save-certificate", "f.qdimacs"}).exit_code, 10);
    certificate_verdictt verdict = check_certificate_of(folder, "f.qdimacs");
    EXPECT_TRUE(verdict.accepted)
      << text << verdict.reason << "\n" << folder.read("f.qdimacs.qbc");
  }
}

// All formulas in one run: the result words come in file order.
TEST(MorvaneCertificates, RandomFormulasAgreeWithBruteForce)
{
  const unsigned count = 400;
  scratch_foldert folder;
  std::vector<std::string> names;
  for(unsigned i = 0; i < count; ++i)
  {
    names.push_back("r" + std::to_string(i) + ".qdimacs");
    folder.write(names.back(), random_qdimacs(i));
  }
  std::vector<std::string> arguments = names;
  arguments.insert(arguments.begin(), "--save-certificate");
  morvane_resultt certified = folder.run(arguments);
  morvane_resultt plain = folder.run(names);
  EXPECT_EQ(certified.exit_code, 0);
  EXPECT_EQ(plain.err, certified.err);

  std::istringstream words(certified.err);
  unsigned valid = 0;
  for(unsigned i = 0; i < count; ++i)
  {
    std::string word;
    std::getline(words, word);
    qbf_formulat formula;
    std::string error;
    ASSERT_TRUE(parse_qdimacs(random_qdimacs(i), formula, error));
    bool truth = qbf_is_true(formula);
    valid += truth;
    ASSERT_EQ(word, truth ? "VALID" : "INVALID") << random_qdimacs(i);
    certificate_verdictt verdict = check_certificate_of(folder, names[i]);
    EXPECT_TRUE(verdict.accepted) << random_qdimacs(i) << verdict.reason
                                  << "\n" << folder.read(names[i] + ".qbc");
    EXPECT_EQ(verdict.claim, word);
  }
  EXPECT_GT(valid, count / 5);
  EXPECT_LT(valid, count - count / 5);
}
