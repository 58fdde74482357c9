// Inputs that once led to wrong answers, crashes or made-up results: the
// program must answer soundly, and its certificates must hold.

#include "morvane_run.h"
#include "qbf_oracle.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <vector>

TEST(MorvaneFaults, FixturesAreDecidedSoundly)
{
  const struct
  {
    const char *name;
    int exit_code;
  } cases[] = {
    {"repeated_literals_false.qdimacs", 20},
    {"repeated_literal_stronger.qdimacs", 20},
    {"unify_other_variables.qdimacs", 10},
    {"blank_lines.qdimacs", 10},
    {"clauses_after_zero.qdimacs", 20},
    {"tautology_over_lines.qdimacs", 10},
    {"last_clause_without_zero.qdimacs", 20},
    {"permuted_clauses.qdimacs", 20},
    {"quantified_again.qdimacs", 20},
    {"free_outside_universal.qdimacs", 20},
    {"percent_line.qdimacs", 99},
    {"tab_before_quantifier.qdimacs", 20},
    {"negative_quantified.qdimacs", 99},
    {"quantified_too_large.qdimacs", 99},
    {"literal_too_large.qdimacs", 99},
  };
  scratch_foldert folder;
  for(const auto &c : cases)
  {
    folder.write(c.name, fixture(c.name));
    morvane_resultt plain = folder.run({c.name});
    EXPECT_EQ(plain.exit_code, c.exit_code) << c.name << "\n" << plain.err;
    if(c.exit_code == 99)
    {
      // One message naming the file, then the result word.
      EXPECT_NE(plain.err.find(c.name), std::string::npos) << plain.err;
      EXPECT_EQ(plain.err.substr(plain.err.find('\n') + 1), "ERROR\n");
      EXPECT_FALSE(folder.exists(std::string(c.name) + ".qbc"));
      continue;
    }
    qbf_formulat formula;
    std::string error;
    ASSERT_TRUE(parse_qdimacs(fixture(c.name), formula, error)) << c.name;
    EXPECT_EQ(qbf_is_true(formula), c.exit_code == 10) << c.name;

    morvane_resultt certified = folder.run({"--save-certificate", c.name});
    EXPECT_EQ(certified.exit_code, c.exit_code) << c.name;
    certificate_verdictt verdict = check_certificate_of(folder, c.name);
    EXPECT_TRUE(verdict.accepted) << c.name << ": " << verdict.reason << "\n"
                                  << folder.read(std::string(c.name) + ".qbc");
  }
}

// Too large for the brute-force evaluator's tables, so checked by text. The
// gate takes the largest variable number, the last one left for gates.
TEST(MorvaneFaults, LargeVariableNumbers)
{
  scratch_foldert folder;
  folder.write("large.qdimacs", "p cnf 1 1\ne 2147483645 0\n2147483645 0\n");
  EXPECT_EQ(folder.run({"--save-certificate", "large.qdimacs"}).exit_code, 10);
  EXPECT_EQ(
    folder.read("large.qdimacs.qbc"),
    "QBCertificate\nE 2147483646 A 0\nCONCLUDE VALID 2147483645 2147483646 ");
}

// Gate numbers go on above the largest variable of the run; past the
// largest variable number a reader could not hold them. Files that need no
// gate are decided as usual: a refutation drops the gates written before it.
TEST(MorvaneFaults, GateNumberBeyondVariableRangeIsAnError)
{
  const auto beyond = [](const std::string &name) {
    return "Could not write certificate file '" + name +
           ".qbc.tmp': its gate numbers would go above 2147483646, the "
           "largest variable number.\n";
  };
  scratch_foldert folder;
  folder.write("large.qdimacs", "e 2147483646 0\n2147483646 0\n");
  folder.write("later.qdimacs", "e 1 0\n1 0\n");
  folder.write("refuted.qdimacs", "a 1 0\ne 2 0\n1 2 0\n1 -2 0\n");

  morvane_resultt alone = folder.run({"--save-certificate", "large.qdimacs"});
  EXPECT_EQ(alone.exit_code, 99);
  EXPECT_EQ(alone.err, beyond("large.qdimacs") + "ERROR\n");

  morvane_resultt run = folder.run(
    {"--save-certificate", "large.qdimacs", "later.qdimacs",
     "refuted.qdimacs"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(
    run.err,
    beyond("large.qdimacs") + "ERROR\n" + beyond("later.qdimacs") +
      "ERROR\nINVALID\n");
  for(const std::string name : {"large.qdimacs", "later.qdimacs"})
  {
    EXPECT_FALSE(folder.exists(name + ".qbc")) << name;
    EXPECT_FALSE(folder.exists(name + ".qbc.tmp")) << name;
  }
  certificate_verdictt verdict = check_certificate_of(folder, "refuted.qdimacs");
  EXPECT_TRUE(verdict.accepted) << verdict.reason;
}

TEST(MorvaneFaults, BadInputNamesItsLine)
{
  scratch_foldert folder;
  folder.write("percent_line.qdimacs", fixture("percent_line.qdimacs"));
  morvane_resultt result = folder.run({"percent_line.qdimacs"});
  EXPECT_EQ(result.exit_code, 99);
  EXPECT_EQ(
    result.err,
    "file percent_line.qdimacs line 5: '%' is not a number\nERROR\n");
}

// A word that is not a whole number, anywhere before the line's 0, is an
// error; taking its leading digits, or ending the line there, would read
// another formula than the file holds.
TEST(MorvaneFaults, MalformedLinesAreErrors)
{
  const struct
  {
    std::string text;
    const char *message;
  } cases[] = {
    {"e 1 0\n1 x 0\n", "line 2: 'x' is not a number"},
    {"e 1 0\n1.5 0\n", "line 2: '1.5' is not a number"},
    {"e 1 0\n-1 1e3 0\n", "line 2: '1e3' is not a number"},
    {"e 1 0\n--1 0\n", "line 2: '--1' is not a number"},
    {"e 1 0\n1 -\n0\n", "line 2: '-' is not a number"},
    {std::string("e 1 0\n1 \0 0\n", 12), "line 2: '\\0' is not a number"},
    {"e 1 0\n1 \xe9 0\n", "line 2: '\\351' is not a number"},
    {"e 1 0\n1 0 x\n", "line 2: 'x' is not a number"},
    {"c clause over lines\ne 1 0\n1\nx 0\n", "line 4: 'x' is not a number"},
    {"a 1 x 2 0\n1 2 0\n", "line 1: 'x' is not a number"},
    {"exists 1 0\n1 0\n", "line 1: 'xists' is not a number"},
    {"e 1 2.0 0\n1 0\n", "line 1: '2.0' is not a number"},
    // Clauses already read were stored under another prefix.
    {"e 1 0\n1 2 0\na 2 0\n-2 0\n", "line 3: quantifier line after a clause line"},
    {"e 1 0\n1\n\t e 2 0\n2 0\n", "line 3: quantifier line after a clause line"},
    {"e 1 0\n1 -1 0\na 2 0\n", "line 3: quantifier line after a clause line"},
    // A second block on the quantifier line would be dropped, leaving 2
    // free: outermost instead of innermost.
    {"a 1 0 e 2 0\n1 2 0\n-1 -2 0\n", "line 1: text after the quantifier line's 0"},
    {"e 1 0 4\n1 0\n", "line 1: text after the quantifier line's 0"},
  };
  scratch_foldert folder;
  for(const auto &c : cases)
  {
    folder.write("f.qdimacs", c.text);
    morvane_resultt result = folder.run({"--save-certificate", "f.qdimacs"});
    EXPECT_EQ(result.exit_code, 99) << c.text;
    EXPECT_EQ(
      result.err, "file f.qdimacs " + std::string(c.message) + "\nERROR\n")
      << c.text;
    EXPECT_FALSE(folder.exists("f.qdimacs.qbc")) << c.text;
  }

  // A clause that simply goes on over the next line is no error.
  folder.write("f.qdimacs", "a 1 0\ne 2 0\n1\n 2 0\n-2 -1 0\n");
  EXPECT_EQ(folder.run({"f.qdimacs"}).exit_code, 10);
}

// The refutation of a long chain of implications is as deep as the chain;
// a small stack shows whether writing it recurses.
TEST(MorvaneFaults, DeepRefutationIsWritten)
{
  const int length = 30000;
  std::string text = "p cnf " + std::to_string(length) + " " +
                     std::to_string(length + 1) + "\ne";
  for(int v = 1; v <= length; ++v)
    text += " " + std::to_string(v);
  text += " 0\n1 0\n";
  for(int v = 1; v < length; ++v)
    text += std::to_string(-v) + " " + std::to_string(v + 1) + " 0\n";
  text += std::to_string(-length) + " 0\n";
  scratch_foldert folder;
  folder.write("chain.qdimacs", text);
  morvane_resultt result =
    folder.run({"--save-certificate", "chain.qdimacs"}, "ulimit -s 1024");
  EXPECT_EQ(result.exit_code, 20) << result.err;
  certificate_verdictt verdict = check_certificate_of(folder, "chain.qdimacs");
  EXPECT_TRUE(verdict.accepted) << verdict.reason;
}

namespace
{
// Found valid when solved, and found false while reading, by an empty
// input clause or by two opposite unit clauses.
const char *const certified_formulas[] = {
  "p cnf 2 2\na 1 0\ne 2 0\n-1 2 0\n1 -2 0\n",
  "p cnf 1 2\ne 1 0\n1 0\n0\n",
  "p cnf 1 2\ne 1 0\n1 0\n-1 0\n",
  "p cnf 3 4\ne 1 2 3 0\n1 2 0\n-1 2 0\n1 -2 0\n-1 -2 0\n",
};

// Resolving 1000 clauses {y, a, b} with 1000 clauses {-y, c, d} needs far
// more memory than the limit used with it allows.
const char *const memory_limit = "ulimit -v 100000";

std::string memory_blowing_formula()
{
  const int n = 1000, y = 4 * n + 2;
  std::string text = "e";
  for(int v = 1; v <= 4 * n; ++v)
    text += " " + std::to_string(v);
  text += " 0\na " + std::to_string(y - 1) + " 0\ne " + std::to_string(y) +
          " 0\n";
  for(int i = 0; i < n; ++i)
    text += std::to_string(y) + " " + std::to_string(4 * i + 1) + " " +
            std::to_string(4 * i + 2) + " 0\n";
  for(int i = 0; i < n; ++i)
    text += std::to_string(-y) + " " + std::to_string(4 * i + 3) + " " +
            std::to_string(4 * i + 4) + " 0\n";
  return text;
}
} // namespace

TEST(MorvaneFaults, MemoryExhaustionIsAnError)
{
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer needs more address space";
#endif
  scratch_foldert folder;
  folder.write("blow.qdimacs", memory_blowing_formula());
  morvane_resultt result =
    folder.run({"--save-certificate", "blow.qdimacs"}, memory_limit);
  EXPECT_EQ(result.exit_code, 99);
  EXPECT_EQ(
    result.err,
    "out of memory\nCertificate 'blow.qdimacs.qbc.tmp' removed: out of "
    "memory.\nERROR\n");
  EXPECT_FALSE(folder.exists("blow.qdimacs.qbc"));
  EXPECT_FALSE(folder.exists("blow.qdimacs.qbc.tmp"));
}

// Memory that runs out before any file is decided (in the standard streams
// or the command line) is reported like any other exhaustion. The limits
// depend on the build, so they are searched for: below the lowest limit at
// which the program answers, every run says "out of memory", down to
// limits at which the program cannot start at all (its libraries or static
// initialisation fail before main), where the search ends.
TEST(MorvaneFaults, MemoryExhaustedAtStartUpAborted)
{
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer needs more address space";
#endif
  scratch_foldert folder;
  folder.write("f.qdimacs", "e 1 0\n1 0\n");
  // Many arguments widen the window in which the command line's copies run
  // out; --parse-only stops after the first file.
  std::vector<std::string> arguments{"--parse-only", "f.qdimacs"};
  for(int i = 0; i < 3000; ++i)
    arguments.push_back("never-read-" + std::to_string(i) + ".qdimacs");
  const auto run_within = [&](long kilobytes) {
    return folder.run(arguments, "ulimit -v " + std::to_string(kilobytes));
  };

  long failing = 1000, answering = 1000000;
  ASSERT_EQ(run_within(answering).exit_code, 30);
  while(answering - failing > 4)
  {
    const long middle = (failing + answering) / 2;
    (run_within(middle).exit_code == 30 ? answering : failing) = middle;
  }
  int out_of_memory = 0;
  for(long kilobytes = answering - 4; kilobytes > 1000; kilobytes -= 4)
  {
    const morvane_resultt result = run_within(kilobytes);
    if(result.exit_code != 99)
      break;
    const std::string &err = result.err;
    EXPECT_TRUE(
      err.rfind("out of memory\n", 0) == 0 && err.size() >= 6 &&
      err.compare(err.size() - 6, 6, "ERROR\n") == 0)
      << kilobytes << " KB: " << err;
    ++out_of_memory;
  }
  EXPECT_GT(out_of_memory, 0) << "below " << answering << " KB";
}

// A run that asks for a certificate and decides nothing leaves none: a
// certificate of an earlier run, for other content, would pass for the
// file as it is now.
TEST(MorvaneFaults, CertificateOfAnEarlierRunSurvivedAnUndecidedRun)
{
  const struct
  {
    const char *row;
    std::string text; // empty: the file is gone
    std::vector<std::string> options;
    bool memory_limited;
    int exit_code;
  } cases[] = {
    {"typo", "p cnf 2 2\na 1 0\ne 2 0\n-1 x 0\n1 -2 0\n", {}, false, 99},
    {"unreadable", "", {}, false, 99},
    {"parse only", "e 1 0\n1 0\n", {"--parse-only"}, false, 30},
    {"out of memory", memory_blowing_formula(), {}, true, 99},
  };
  for(const auto &c : cases)
  {
#if defined(__SANITIZE_ADDRESS__)
    if(c.memory_limited)
      continue; // the address sanitizer needs more address space
#endif
    scratch_foldert folder;
    folder.write("f.qdimacs", certified_formulas[0]);
    ASSERT_EQ(folder.run({"--save-certificate", "f.qdimacs"}).exit_code, 10);
    ASSERT_TRUE(folder.exists("f.qdimacs.qbc"));

    if(c.text.empty())
      std::remove(folder.path("f.qdimacs").c_str());
    else
      folder.write("f.qdimacs", c.text);
    std::vector<std::string> arguments = c.options;
    arguments.insert(arguments.end(), {"--save-certificate", "f.qdimacs"});
    const morvane_resultt result =
      folder.run(arguments, c.memory_limited ? memory_limit : "");
    EXPECT_EQ(result.exit_code, c.exit_code)
      << c.row << ": " << result.err;
    EXPECT_FALSE(folder.exists("f.qdimacs.qbc")) << c.row;
    EXPECT_FALSE(folder.exists("f.qdimacs.qbc.tmp")) << c.row;
  }
}

// Whatever has the temporary name is replaced, never written through: a
// planted link's target stays as it was.
TEST(MorvaneFaults, CertificateNeverFollowsAPlantedLink)
{
  for(const char *text : certified_formulas)
  {
    scratch_foldert folder;
    folder.write("f.qdimacs", text);
    folder.write("victim", "keep\n");
    std::system(
      ("ln -s victim " + folder.path("f.qdimacs.qbc.tmp")).c_str());
    morvane_resultt linked = folder.run({"--save-certificate", "f.qdimacs"});
    EXPECT_EQ(folder.read("victim"), "keep\n") << text;
    EXPECT_FALSE(folder.exists("f.qdimacs.qbc.tmp")) << text;
    certificate_verdictt verdict = check_certificate_of(folder, "f.qdimacs");
    EXPECT_TRUE(verdict.accepted) << text << verdict.reason;

    // A dangling link, and a file left by an earlier run.
    std::system(
      ("ln -s missing " + folder.path("f.qdimacs.qbc.tmp")).c_str());
    EXPECT_EQ(
      folder.run({"--save-certificate", "f.qdimacs"}).exit_code,
      linked.exit_code);
    EXPECT_FALSE(folder.exists("missing")) << text;
    folder.write("f.qdimacs.qbc.tmp", "left over\n");
    EXPECT_EQ(
      folder.run({"--save-certificate", "f.qdimacs"}).exit_code,
      linked.exit_code);
    EXPECT_TRUE(check_certificate_of(folder, "f.qdimacs").accepted) << text;
    EXPECT_FALSE(folder.exists("f.qdimacs.qbc.tmp")) << text;
  }
}

// A certificate asked for but not delivered makes the answer ERROR, and
// nothing is left under the temporary or the final name, wherever the
// failure happens.
TEST(MorvaneFaults, FailedCertificateIsAnError)
{
  const std::string open_failure =
    "Could not open certificate file 'f.qdimacs.qbc.tmp'.\n";
  const std::string move_failure =
    "Could not move certificate file 'f.qdimacs.qbc.tmp' to "
    "'f.qdimacs.qbc'.\n";
  for(const char *text : certified_formulas)
  {
    scratch_foldert folder;
    folder.write("f.qdimacs", text);
    // A folder in the way of the temporary file.
    std::system(("mkdir " + folder.path("f.qdimacs.qbc.tmp")).c_str());
    folder.write("f.qdimacs.qbc", "stale\n");
    morvane_resultt result = folder.run({"--save-certificate", "f.qdimacs"});
    EXPECT_EQ(result.exit_code, 99) << text;
    EXPECT_EQ(result.err, open_failure + "ERROR\n") << text;
    EXPECT_FALSE(folder.exists("f.qdimacs.qbc")) << text;

    // A folder in the way of the final name.
    std::system(("rmdir " + folder.path("f.qdimacs.qbc.tmp") + " && mkdir " +
                 folder.path("f.qdimacs.qbc"))
                  .c_str());
    result = folder.run({"--save-certificate", "f.qdimacs"});
    EXPECT_EQ(result.exit_code, 99) << text;
    EXPECT_EQ(result.err, move_failure + "ERROR\n") << text;
    EXPECT_FALSE(folder.exists("f.qdimacs.qbc.tmp")) << text;

    // Without certificates the same folder is no obstacle.
    EXPECT_NE(folder.run({"f.qdimacs"}).exit_code, 99) << text;
  }
}

// A write that fails (here the file size limit, with its signal ignored)
// leaves an incomplete certificate, which is removed.
TEST(MorvaneFaults, FailedCertificateWriteIsAnError)
{
  std::string text = "e";
  for(int v = 1; v <= 2000; ++v)
    text += " " + std::to_string(v);
  text += " 0\n";
  for(int v = 1; v <= 2000; ++v)
    text += std::to_string(v) + " 0\n";
  scratch_foldert folder;
  folder.write("f.qdimacs", text);
  morvane_resultt result = folder.run(
    {"--save-certificate", "f.qdimacs"}, "trap '' XFSZ && ulimit -f 8");
  EXPECT_EQ(result.exit_code, 99);
  EXPECT_EQ(
    result.err,
    "Could not write certificate file 'f.qdimacs.qbc.tmp'.\nERROR\n");
  EXPECT_FALSE(folder.exists("f.qdimacs.qbc"));
  EXPECT_FALSE(folder.exists("f.qdimacs.qbc.tmp"));
}

// A certificate is written under a temporary name and then moved to its
// final name; an input file with either name of another input's
// certificate would be removed or overwritten before it is read. Both files
// of such a clash are refused, found by name or as the same file; the
// other files are decided as usual.
TEST(MorvaneFaults, CertificateNameOfAnotherInputIsAnError)
{
  const std::string writer_x =
    "Could not write certificate file 'x.qbc.tmp' of input file 'x': it is "
    "the input file 'x.qbc.tmp'.\nERROR\n";
  const std::string input_x =
    "Input file 'x.qbc.tmp' is the certificate file 'x.qbc.tmp' of input "
    "file 'x'.\nERROR\n";
  const std::string writer_a =
    "Could not write certificate file 'a.qbc' of input file 'a': it is the "
    "input file 'a.qbc'.\nERROR\n";
  const std::string input_a =
    "Input file 'a.qbc' is the certificate file 'a.qbc' of input file "
    "'a'.\nERROR\n";
  const struct
  {
    std::vector<std::string> inputs;
    std::string err;
  } cases[] = {
    {{"x", "x.qbc.tmp", "other"}, writer_x + input_x + "VALID\n"},
    {{"x.qbc.tmp", "other", "x"}, input_x + "VALID\n" + writer_x},
    {{"a", "a.qbc", "other"}, writer_a + input_a + "VALID\n"},
    {{"other", "a.qbc", "a"}, "VALID\n" + input_a + writer_a},
    {{"a", "./a.qbc", "other"},
     "Could not write certificate file 'a.qbc' of input file 'a': it is the "
     "input file './a.qbc'.\nERROR\nInput file './a.qbc' is the "
     "certificate file 'a.qbc' of input file 'a'.\nERROR\nVALID\n"},
  };
  for(const auto &c : cases)
  {
    scratch_foldert folder;
    std::set<std::string> expected_files{"other.qbc"};
    for(const std::string &input : c.inputs)
    {
      folder.write(input, "c " + input + "\ne 1 0\n1 0\n");
      expected_files.insert(std::filesystem::path(input).filename());
    }
    std::vector<std::string> arguments{"--save-certificate"};
    arguments.insert(arguments.end(), c.inputs.begin(), c.inputs.end());
    morvane_resultt result = folder.run(arguments);
    const std::string row = c.inputs[0] + " " + c.inputs[1];
    EXPECT_EQ(result.exit_code, 0) << row;
    EXPECT_EQ(result.err, c.err) << row;

    // The inputs as they were, the certificate of the other file, and
    // nothing else.
    for(const std::string &input : c.inputs)
      EXPECT_EQ(folder.read(input), "c " + input + "\ne 1 0\n1 0\n") << row;
    std::set<std::string> files;
    for(const auto &entry :
        std::filesystem::directory_iterator(folder.path("")))
      files.insert(entry.path().filename());
    EXPECT_EQ(files, expected_files) << row;
    EXPECT_TRUE(check_certificate_of(folder, "other").accepted) << row;
  }
}

// The same clash where the certificate's name is another name of an input
// file, through a hard or a symbolic link, and no input names it.
TEST(MorvaneFaults, CertificateNameLinkedToAnotherInputIsAnError)
{
  for(const char *link : {"ln", "ln -s"})
  {
    scratch_foldert folder;
    folder.write("a", "e 1 0\n1 0\n");
    folder.write("b", "e 1 0\n-1 0\n");
    std::system(
      ("cd " + folder.path("") + " && " + link + " b a.qbc").c_str());
    morvane_resultt result = folder.run({"--save-certificate", "a", "b"});
    EXPECT_EQ(result.exit_code, 0) << link;
    EXPECT_EQ(
      result.err,
      "Could not write certificate file 'a.qbc' of input file 'a': it is the "
      "input file 'b'.\nERROR\nInput file 'b' is the certificate file "
      "'a.qbc' of input file 'a'.\nERROR\n")
      << link;
    EXPECT_EQ(folder.read("b"), "e 1 0\n-1 0\n") << link;
  }
}
