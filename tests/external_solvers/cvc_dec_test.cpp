#include "external_solvers/cvc_dec.h"
#include "harness/decision_test_harness.h"
#include "tests/harness/exchange_directory.h"
#include "tests/util/test_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
const std::string pid = std::to_string(getpid());
const exprt a = bool_symbol("a");
const exprt b = bool_symbol("b");

// Records its arguments and the formula it was given, then prints `reply`
// (printf format).
std::string replying(const std::string &reply)
{
  return "echo \"$0 $*\" > args\ncp \"$1\" formula.seen\nprintf '" + reply +
         "'\n";
}

class CvcDec : public exchange_directory_testt
{
protected:
  void SetUp() override
  {
    exchange_directory_testt::SetUp();
    dec.reset(new cvc_dect);
    dec->set_message_handler(&messages);
  }
  void TearDown() override
  {
    dec.reset();
    exchange_directory_testt::TearDown();
  }

  // Five Boolean symbols through the generic conversion: variables l1 to
  // l5 of the text.
  void five_variables()
  {
    for(const char *name : {"v1", "v2", "v3", "v4", "v5"})
      dec->convert(bool_symbol(name));
  }

  tvt value(const char *name)
  {
    tvt result;
    EXPECT_FALSE(dec->get_bool(bool_symbol(name), result)) << name;
    return result;
  }

  config_32_scopet config_32;
  capturing_message_handlert messages;
  std::unique_ptr<cvc_dect> dec;
};
} // namespace

TEST_F(CvcDec, RunsTheProgramOnTheFormulaAndCleansUp)
{
  write_program("cvcl", replying("chatter\\nValid.\\n") + "echo oops >&2\n");
  const std::string formula = "cvc_dec_out_" + pid + ".tmp";
  const std::string result = "cvc_dec_result_" + pid + ".tmp";
  EXPECT_EQ(dec->formula_file(), formula);
  EXPECT_EQ(dec->result_file(), "");
  struct stat status;
  ASSERT_EQ(lstat(formula.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0600u);

  dec->set_to(a, true);
  EXPECT_EQ(dec->solve(), decision_proceduret::D_UNSATISFIABLE);
  EXPECT_EQ(dec->result_file(), result);
  EXPECT_EQ(file_text("args"), (bin / "cvcl").string() + " " + formula + "\n");
  EXPECT_EQ(
    file_text("formula.seen"),
    "%% set_to true\na: BOOLEAN;\nASSERT a;\n\nQUERY FALSE;\nCOUNTERMODEL;\n");
  // Standard output and standard error both went to the result file.
  EXPECT_EQ(file_text(result), "chatter\nValid.\noops\n");
  EXPECT_EQ(messages.messages.size(), 1u);
  EXPECT_TRUE(messages.has(6, "Reading result from CVCL"));
  EXPECT_EQ(dec->solver_description(), "CVC");

  dec.reset();
  EXPECT_EQ(files(), (std::set<std::string>{"args", "formula.seen"}));

  // Without solve only the formula file was made, and is removed.
  cvc_dect unused;
  EXPECT_EQ(files().count(formula), 1u);
}

TEST_F(CvcDec, SmtTwinUsesItsOwnProgramAndFiles)
{
  write_program("smtl", replying("Invalid.\\n"));
  smt_dect smt;
  EXPECT_EQ(smt.formula_file(), "smt_dec_out_" + pid + ".tmp");
  // No collision with the CVC object alive beside it.
  EXPECT_EQ(dec->formula_file(), "cvc_dec_out_" + pid + ".tmp");
  smt.set_to(bool_constant(true), true);
  EXPECT_EQ(smt.solve(), decision_proceduret::D_SATISFIABLE);
  EXPECT_EQ(smt.result_file(), "smt_dec_result_" + pid + ".tmp");
  EXPECT_EQ(
    file_text("args"),
    (bin / "smtl").string() + " " + smt.formula_file() + "\n");
  EXPECT_EQ(
    file_text("formula.seen"),
    "%% set_to true\nASSERT TRUE;\n\nQUERY FALSE;\nCOUNTERMODEL;\n");
  EXPECT_EQ(smt.solver_description(), "SMT");
}

TEST_F(CvcDec, VerdictTable)
{
  const struct
  {
    const char *reply;
    decision_proceduret::resultt result;
  } cases[] = {
    {"Invalid.\\n", decision_proceduret::D_SATISFIABLE},
    {"warning: one\\nwarning: two\\nValid. indeed\\n",
     decision_proceduret::D_UNSATISFIABLE},
    {"Valid.\\nInvalid.\\n", decision_proceduret::D_UNSATISFIABLE},
    {"Invalid.\\nValid.\\n", decision_proceduret::D_SATISFIABLE},
    // A verdict line must be whole, at the start, and end in a line feed.
    {"Valid.", decision_proceduret::D_ERROR},
    {"Valid\\n", decision_proceduret::D_ERROR},
    {" Valid.\\n", decision_proceduret::D_ERROR},
    {"invalid.\\n", decision_proceduret::D_ERROR},
    {"", decision_proceduret::D_ERROR},
    {"\\r\\nValid.\\r\\n", decision_proceduret::D_UNSATISFIABLE},
  };
  for(const auto &entry : cases)
  {
    SCOPED_TRACE(entry.reply);
    write_program("cvcl", replying(entry.reply));
    messages.messages.clear();
    cvc_dect fresh;
    fresh.set_message_handler(&messages);
    EXPECT_EQ(fresh.solve(), entry.result);
    EXPECT_EQ(
      messages.has(1, "Unexpected result from CVC-Lite"),
      entry.result == decision_proceduret::D_ERROR);
  }
}

TEST_F(CvcDec, FailuresOfTheProgramAreErrors)
{
  // A crash before the verdict; the exit status alone decides nothing.
  write_program("cvcl", "kill -SEGV $$\n");
  EXPECT_EQ(dec->solve(), decision_proceduret::D_ERROR);
  EXPECT_TRUE(messages.has(1, "Unexpected result from CVC-Lite"));

  write_program("cvcl", "echo Valid.\nexit 3\n");
  cvc_dect failing_exit;
  EXPECT_EQ(failing_exit.solve(), decision_proceduret::D_UNSATISFIABLE);

  // The shell's complaint about a missing program is no verdict.
  std::filesystem::remove(bin / "cvcl");
  hide_stand_ins();
  cvc_dect missing;
  EXPECT_EQ(missing.solve(), decision_proceduret::D_ERROR);
  EXPECT_NE(file_text(missing.result_file()), "");
}

TEST_F(CvcDec, CounterModelFillsTheAssignment)
{
  five_variables();
  write_program(
    "cvcl",
    replying("Invalid.\\nASSERT l3;\\nASSERT NOT l4;\\nASSERT v1;\\n"
             "ASSERT l99;\\nASSERT l-1;\\nASSERT NOT ;\\nASSERT \\nnoise l1\\n"
             "ASSERT (x =\\n  0bin0101);\\nASSERT (y\\n"));
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(dec->solve(), decision_proceduret::D_SATISFIABLE);
  // A two-line value is shown, not stored; the half one at the end is not.
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), ">x< = >0bin0101<\n");

  EXPECT_EQ(value("v3"), tvt(true));
  EXPECT_EQ(value("v4"), tvt(false));
  for(const char *name : {"v1", "v2", "v5"})
    EXPECT_EQ(value(name), tvt(tvt::TV_UNKNOWN)) << name;
  EXPECT_EQ(dec->get(bool_symbol("v3")), bool_constant(true));
  EXPECT_TRUE(dec->get(bool_symbol("unconverted")).is_nil());
}

TEST_F(CvcDec, ValidAnswerLeavesTheAssignmentAlone)
{
  five_variables();
  write_program("cvcl", replying("Valid.\\nASSERT l1;\\n"));
  EXPECT_EQ(dec->solve(), decision_proceduret::D_UNSATISFIABLE);
  EXPECT_EQ(value("v1"), tvt(tvt::TV_UNKNOWN));
}

TEST_F(CvcDec, PlantedLinksAreNeitherFollowedNorRemoved)
{
  write_file("victim", "keep\n");
  const std::string formula = "cvc_dec_out_" + pid + ".tmp";
  const std::string result = "cvc_dec_result_" + pid + ".tmp";
  dec.reset();
  std::filesystem::create_symlink("victim", formula);
  std::filesystem::create_symlink("victim", result);
  std::filesystem::create_symlink("victim", "cvc_dec_out_" + pid + "_1.tmp");

  write_program("cvcl", replying("Valid.\\n"));
  {
    cvc_dect planted;
    EXPECT_EQ(planted.formula_file(), "cvc_dec_out_" + pid + "_2.tmp");
    planted.set_to(a, true);
    EXPECT_EQ(planted.solve(), decision_proceduret::D_UNSATISFIABLE);
    EXPECT_EQ(planted.result_file(), "cvc_dec_result_" + pid + "_1.tmp");
  }
  EXPECT_EQ(file_text("victim"), "keep\n");
  EXPECT_TRUE(std::filesystem::is_symlink(formula));
  EXPECT_TRUE(std::filesystem::is_symlink(result));
  EXPECT_EQ(
    files(),
    (std::set<std::string>{
      "victim",
      formula,
      result,
      "cvc_dec_out_" + pid + "_1.tmp",
      "args",
      "formula.seen"}));
}

TEST_F(CvcDec, StaleResultFileIsNoAnswer)
{
  const std::string stale = "cvc_dec_result_" + pid + ".tmp";
  write_file(stale, "Valid.\n");
  write_program("cvcl", "true\n");
  EXPECT_EQ(dec->solve(), decision_proceduret::D_ERROR);
  EXPECT_NE(dec->result_file(), stale);
  EXPECT_EQ(file_text(stale), "Valid.\n");

  // Nor does this object's own earlier result survive into its next run.
  write_program("cvcl", "echo Invalid.\n");
  EXPECT_EQ(dec->solve(), decision_proceduret::D_SATISFIABLE);
  write_program("cvcl", "true\n");
  EXPECT_EQ(dec->solve(), decision_proceduret::D_ERROR);
}

TEST_F(CvcDec, TwoLiveObjectsKeepSeparateFiles)
{
  // The brute-force stand-in decides both.
  cvc_dect second;
  EXPECT_NE(dec->formula_file(), second.formula_file());
  dec->set_to(a, true);
  second.set_to(
    make_expr("and", bool_type(), {b, make_expr("not", bool_type(), {b})}),
    true);
  EXPECT_EQ(second.solve(), decision_proceduret::D_UNSATISFIABLE);
  EXPECT_EQ(dec->solve(), decision_proceduret::D_SATISFIABLE);
  EXPECT_NE(dec->result_file(), second.result_file());
}

TEST_F(CvcDec, TextAfterSolveMakesTheNextSolveAnError)
{
  write_program("cvcl", replying("Invalid.\\n"));
  dec->set_to(a, true);
  EXPECT_EQ(dec->solve(), decision_proceduret::D_SATISFIABLE);
  // Again on the unchanged file.
  EXPECT_EQ(dec->solve(), decision_proceduret::D_SATISFIABLE);
  EXPECT_EQ(
    file_text("formula.seen"),
    "%% set_to true\na: BOOLEAN;\nASSERT a;\n\nQUERY FALSE;\nCOUNTERMODEL;\n");

  std::filesystem::remove("args");
  dec->set_to(b, true);
  EXPECT_EQ(dec->solve(), decision_proceduret::D_ERROR);
  EXPECT_TRUE(messages.has(1, "Unexpected result from CVC-Lite"));
  // The program was not run.
  EXPECT_EQ(files().count("args"), 0u);
}

TEST_F(CvcDec, FormulaFileThatCannotBeCreatedIsAnError)
{
  write_program("cvcl", replying("Invalid.\\n"));
  // A working directory that no longer exists refuses every new file.
  std::filesystem::create_directory("gone");
  std::filesystem::current_path("gone");
  std::filesystem::remove(directory / "gone");
  {
    cvc_dect orphan;
    orphan.set_message_handler(&messages);
    EXPECT_EQ(orphan.formula_file(), "");
    orphan.set_to(a, true);
    EXPECT_EQ(orphan.solve(), decision_proceduret::D_ERROR);
    EXPECT_TRUE(messages.has(1, "Unexpected result from CVC-Lite"));
    EXPECT_FALSE(messages.has(6, "Reading result from CVCL"));
  }
  std::filesystem::current_path(directory);
  EXPECT_EQ(files().count("args"), 0u);
}
