// The certificate file's life cycle on its own: where it is written, when
// it reaches its final name, and how long a failure counts.

#include "solver_harness.h"

#include "qbf_solver/certificate.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace
{
// A certificate of "f.qdimacs" in a scratch folder, with its messages
// recorded and gates numbered on from 5 up to 7.
struct certificate_harnesst
{
  scratch_foldert folder;
  recording_handlert handler;
  messaget reporter;
  unsigned gate_counter = 5;
  certificatet certificate{reporter, gate_counter, 7};
  const std::string temporary = folder.path("f.qdimacs.qbc.tmp");

  certificate_harnesst()
  {
    reporter.set_message_handler(&handler);
    certificate.start(folder.path("f.qdimacs"));
  }

  bool left_nothing() const
  {
    return !folder.exists("f.qdimacs.qbc") &&
           !folder.exists("f.qdimacs.qbc.tmp");
  }
};
} // namespace

TEST(Certificate, MovedIntoPlaceOnceComplete)
{
  EXPECT_EQ(certificatet::final_name(""), "certificate.qbc");
  EXPECT_EQ(certificatet::temporary_name("d/f"), "d/f.qbc.tmp");

  certificate_harnesst h;
  h.folder.write("f.qdimacs.qbc", "earlier run\n");
  ASSERT_TRUE(h.certificate.open());
  h.certificate.lines() << "dropped\n";
  // Opening again starts afresh.
  ASSERT_TRUE(h.certificate.open());
  h.certificate.lines() << "E " << h.certificate.new_gate() << " A 0\n";
  EXPECT_EQ(h.folder.read("f.qdimacs.qbc"), "earlier run\n");
  h.certificate.close();
  EXPECT_EQ(h.folder.read("f.qdimacs.qbc"), "QBCertificate\nE 6 A 0\n");
  EXPECT_FALSE(h.folder.exists("f.qdimacs.qbc.tmp"));
  EXPECT_EQ(h.gate_counter, 6u);

  // Concluded once: closing again leaves the final file alone.
  h.folder.write("f.qdimacs.qbc", "kept\n");
  h.certificate.close();
  EXPECT_EQ(h.folder.read("f.qdimacs.qbc"), "kept\n");
  EXPECT_TRUE(h.handler.messages.empty());
  EXPECT_FALSE(h.certificate.failed());
}

// A refused gate spoils only the lines written since the certificate was
// opened: opening it afresh, as a refutation does, forgives it.
TEST(Certificate, RefusedGateFailsUnlessOpenedAfresh)
{
  certificate_harnesst h;
  ASSERT_TRUE(h.certificate.open());
  EXPECT_EQ(h.certificate.new_gate(), 6);
  EXPECT_EQ(h.certificate.new_gate(), 7);
  EXPECT_EQ(h.certificate.new_gate(), 0);
  h.certificate.lines() << "E 0 A 0\n";
  h.certificate.close();
  EXPECT_EQ(
    h.handler.messages,
    std::vector<std::string>{
      "Could not write certificate file '" + h.temporary +
      "': its gate numbers would go above 7, the largest variable number."});
  EXPECT_TRUE(h.certificate.failed());
  EXPECT_TRUE(h.left_nothing());
  EXPECT_EQ(h.gate_counter, 7u);

  ASSERT_TRUE(h.certificate.open());
  EXPECT_EQ(h.certificate.new_gate(), 0);
  ASSERT_TRUE(h.certificate.open());
  h.certificate.lines() << "CONCLUDE INVALID 1";
  h.certificate.close();
  EXPECT_EQ(
    h.folder.read("f.qdimacs.qbc"), "QBCertificate\nCONCLUDE INVALID 1");
  EXPECT_EQ(h.handler.messages.size(), 1u);
}

// A failure removes what either name holds and counts for the whole input
// file, also when a later attempt succeeds; the next input file starts
// clean.
TEST(Certificate, FailureLastsUntilTheNextInputFile)
{
  certificate_harnesst h;
  h.folder.write("f.qdimacs.qbc", "earlier run\n");
  std::system(("mkdir " + h.temporary).c_str());
  EXPECT_FALSE(h.certificate.open());
  EXPECT_FALSE(h.certificate.is_open());
  EXPECT_EQ(
    h.handler.messages,
    std::vector<std::string>{
      "Could not open certificate file '" + h.temporary + "'."});
  EXPECT_FALSE(h.folder.exists("f.qdimacs.qbc"));
  EXPECT_TRUE(h.certificate.failed());

  std::system(("rmdir " + h.temporary).c_str());
  ASSERT_TRUE(h.certificate.open());
  h.certificate.close();
  EXPECT_TRUE(h.folder.exists("f.qdimacs.qbc"));
  EXPECT_TRUE(h.certificate.failed());

  h.certificate.start(h.folder.path("g.qdimacs"));
  EXPECT_FALSE(h.certificate.failed());
}

TEST(Certificate, DiscardRemovesAnUnfinishedCertificate)
{
  certificate_harnesst h;
  h.certificate.discard("out of memory");
  EXPECT_TRUE(h.handler.messages.empty());

  ASSERT_TRUE(h.certificate.open());
  h.certificate.discard("out of memory");
  EXPECT_EQ(
    h.handler.messages,
    std::vector<std::string>{
      "Certificate '" + h.temporary + "' removed: out of memory."});
  h.certificate.close();
  EXPECT_TRUE(h.left_nothing());
  EXPECT_FALSE(h.certificate.failed());
}
