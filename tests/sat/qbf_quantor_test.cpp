#include "tests/harness/exchange_directory.h"
#include "tests/util/test_files.h"

#include "tests/qbf_solver/qbf_oracle.h"
#include "tests/qbf_solver/random_qbf.h"
#include "sat/qbf_quantor.h"
#include "tests/util/message_recorder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace
{
typedef qdimacs_cnft::quantifiert quantifiert;

class QbfQuantor : public exchange_directory_testt
{
protected:
  void SetUp() override
  {
    exchange_directory_testt::SetUp();
    quantor.set_message_handler(&messages);
  }

  // x1 and x2 with x1 != x2, under the prefix `first` x1, `second` x2.
  void xor_formula(quantifiert::typet first, quantifiert::typet second)
  {
    literalt x1 = quantor.new_variable(), x2 = quantor.new_variable();
    quantor.quantifiers.push_back(quantifiert(first, 1));
    quantor.quantifiers.push_back(quantifiert(second, 2));
    quantor.lcnf({x1, x2});
    quantor.lcnf({!x1, !x2});
  }

  message_recordert messages;
  qbf_quantort quantor;
};

// Decides through the project's own solver: exit code 10 for a true
// formula, 20 for a false one.
const std::string deciding_quantor =
  std::string("echo \"quantor $*\" > quantor.args\n") + "'" + MORVANE_BINARY +
  "' \"$1\" > /dev/null 2>&1\n"
  "case $? in\n"
  "  10) printf 'c decided\\ns TRUE\\n' > \"$3\" ;;\n"
  "  20) printf 's FALSE\\n' > \"$3\" ;;\n"
  "esac\n";
} // namespace

TEST_F(QbfQuantor, TrueFormulaAnswersUnsatisfiable)
{
  write_program("quantor", deciding_quantor);
  xor_formula(quantifiert::UNIVERSAL, quantifiert::EXISTENTIAL);

  EXPECT_EQ(quantor.prop_solve(), propt::P_UNSATISFIABLE);
  EXPECT_EQ(
    messages.texts(), "6:Quantor: 3 variables, 2 clauses;6:Qantor: TRUE;");
  EXPECT_EQ(file_text("quantor.args"), "quantor quantor.qbf -o quantor.out\n");
  EXPECT_EQ(
    file_text("quantor.qbf"), "p cnf 3 2\na 1 0\ne 2 0\n1 2 0\n-1 -2 0\n");
  EXPECT_EQ(file_text("quantor.out"), "c decided\ns TRUE\n");
  EXPECT_EQ(quantor.solver_text(), "Quantor");
}

TEST_F(QbfQuantor, FalseFormulaAnswersSatisfiable)
{
  write_program("quantor", deciding_quantor);
  xor_formula(quantifiert::EXISTENTIAL, quantifiert::UNIVERSAL);

  EXPECT_EQ(quantor.prop_solve(), propt::P_SATISFIABLE);
  EXPECT_EQ(
    messages.texts(), "6:Quantor: 3 variables, 2 clauses;6:Qantor: FALSE;");
  // Solving again rewrites the formula and asks anew: without a prefix
  // the variables are free, and the formula is true.
  quantor.quantifiers.clear();
  EXPECT_EQ(quantor.prop_solve(), propt::P_UNSATISFIABLE);
  EXPECT_EQ(file_text("quantor.qbf"), "p cnf 3 2\n1 2 0\n-1 -2 0\n");
}

// The formula the adapter writes, judged by a brute-force oracle, against
// the answer the adapter maps from the program's.
TEST_F(QbfQuantor, RandomFormulasAgreeWithTheOracle)
{
  write_program("quantor", deciding_quantor);
  unsigned true_formulas = 0;
  for(std::uint64_t seed = 0; seed < 40; ++seed)
  {
    SCOPED_TRACE(random_qdimacs(seed));
    qbf_formulat given;
    std::string error;
    ASSERT_TRUE(parse_qdimacs(random_qdimacs(seed), given, error)) << error;

    qbf_quantort random_quantor;
    random_quantor.set_no_variables(unsigned(given.largest_variable()) + 1);
    for(std::size_t b = 0; b < given.blocks.size(); ++b)
      for(int v : given.blocks[b])
        random_quantor.quantifiers.push_back(quantifiert(
          given.block_existential[b] ? quantifiert::EXISTENTIAL
                                     : quantifiert::UNIVERSAL,
          unsigned(v)));
    for(const auto &clause : given.clauses)
    {
      bvt literals;
      for(int d : clause)
        literals.push_back(literalt(unsigned(d < 0 ? -d : d), d < 0));
      random_quantor.lcnf(literals);
    }

    propt::resultt result = random_quantor.prop_solve();
    qbf_formulat written;
    ASSERT_TRUE(parse_qdimacs(file_text("quantor.qbf"), written, error));
    bool truth = qbf_is_true(written);
    EXPECT_EQ(truth, qbf_is_true(given));
    EXPECT_EQ(
      result, truth ? propt::P_UNSATISFIABLE : propt::P_SATISFIABLE);
    true_formulas += truth;
  }
  EXPECT_GT(true_formulas, 5u);
  EXPECT_LT(true_formulas, 35u);
}

TEST_F(QbfQuantor, AnswerLines)
{
  struct caset
  {
    const char *answer;
    propt::resultt result;
    const char *message;
  };
  const caset cases[] = {
    {"c first a comment\ns FALSE\n", propt::P_SATISFIABLE, "6:Qantor: FALSE;"},
    {"s TRUE\r\n", propt::P_UNSATISFIABLE, "6:Qantor: TRUE;"},
    {"s FALSE", propt::P_SATISFIABLE, "6:Qantor: FALSE;"},
    {"s TRUE\ns FALSE\n", propt::P_UNSATISFIABLE, "6:Qantor: TRUE;"},
    {"s true\n", propt::P_ERROR, "1:Quantor failed: unknown result;"},
    {"s TRUE \n", propt::P_ERROR, "1:Quantor failed: unknown result;"},
    {"", propt::P_ERROR, "1:Quantor failed: unknown result;"},
  };
  write_program("quantor", "cp answer \"$3\"\n");
  for(const caset &c : cases)
  {
    SCOPED_TRACE(c.answer);
    write_file("answer", c.answer);
    messages.messages.clear();
    EXPECT_EQ(quantor.prop_solve(), c.result);
    EXPECT_EQ(
      messages.texts(),
      std::string("6:Quantor: 1 variables, 0 clauses;") + c.message);
  }
}

TEST_F(QbfQuantor, StaleAnswerOfAnEarlierRunIsNotRead)
{
  write_file("quantor.out", "s TRUE\n");
  write_program("quantor", "exit 0\n");

  EXPECT_EQ(quantor.prop_solve(), propt::P_ERROR);
  EXPECT_EQ(
    messages.texts(),
    "6:Quantor: 1 variables, 0 clauses;1:Quantor failed: unknown result;");
}

TEST_F(QbfQuantor, ProgramThatCannotRunIsAnError)
{
  const std::string run_failure =
    "1:Unable to run: quantor quantor.qbf -o quantor.out;";
  // Not found: the search path holds only the empty "bin".
  hide_stand_ins();
  write_file("quantor.out", "s FALSE\n");
  EXPECT_EQ(quantor.prop_solve(), propt::P_ERROR);
  EXPECT_NE(messages.texts().find(run_failure), std::string::npos);

  // Found but not executable.
  write_file((bin / "quantor").string(), "s TRUE\n");
  messages.messages.clear();
  EXPECT_EQ(quantor.prop_solve(), propt::P_ERROR);
  EXPECT_NE(messages.texts().find(run_failure), std::string::npos);
}

TEST_F(QbfQuantor, UnwritableFormulaFileIsAnError)
{
  write_program("quantor", "echo ran > quantor.args\necho 's TRUE' > \"$3\"\n");
  std::filesystem::create_directory("quantor.qbf");

  EXPECT_EQ(quantor.prop_solve(), propt::P_ERROR);
  EXPECT_EQ(
    messages.texts(),
    "6:Quantor: 1 variables, 0 clauses;1:Unable to write quantor.qbf;");
  EXPECT_FALSE(exists("quantor.args"));
}

TEST(QbfQuantorDeathTest, GivesNoAssignment)
{
  qbf_quantort quantor;
  literalt x = quantor.new_variable();
  EXPECT_DEATH(quantor.l_get(x), "false");
}
