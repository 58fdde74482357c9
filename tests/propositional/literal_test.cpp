#include "propositional/literal.h"
#include "propositional/threeval.h"

#include <gtest/gtest.h>

TEST(Literal, WordLayoutNegationAndDimacsNumber)
{
  literalt five_negated(5, true);
  EXPECT_EQ(five_negated.get(), 11u);
  EXPECT_EQ(five_negated.var_no(), 5u);
  EXPECT_TRUE(five_negated.sign());
  EXPECT_EQ(five_negated.dimacs(), -5);
  EXPECT_EQ((!five_negated).get(), 10u);
  EXPECT_EQ((!five_negated).dimacs(), 5);
  EXPECT_FALSE(five_negated.is_constant());
  EXPECT_EQ(five_negated.cond_negation(true), !five_negated);
  EXPECT_EQ(five_negated.cond_negation(false), five_negated);
}

TEST(Literal, ConstantsShareTheLastVariable)
{
  literalt t = const_literal(true);
  literalt f = const_literal(false);
  EXPECT_EQ(t.get(), 0xFFFFFFFFu);
  EXPECT_EQ(f.get(), 0xFFFFFFFEu);
  EXPECT_EQ(!t, f);
  EXPECT_EQ(!f, t);
  EXPECT_EQ(t.var_no(), 0x7FFFFFFFu);
  EXPECT_EQ(f.var_no(), 0x7FFFFFFFu);
  EXPECT_TRUE(t.is_constant() && f.is_constant());
  EXPECT_TRUE(t.is_true() && !t.is_false() && f.is_false());
  EXPECT_FALSE(literalt(0x7FFFFFFEu, true).is_constant());
}

TEST(ThreeValued, NegationAndNames)
{
  EXPECT_EQ(!tvt(true), tvt(false));
  EXPECT_EQ(!tvt(false), tvt(true));
  EXPECT_EQ(!tvt(tvt::TV_UNKNOWN), tvt(tvt::TV_UNKNOWN));
  EXPECT_STREQ(tvt_name(tvt(false)), "FALSE");
  EXPECT_STREQ(tvt_name(tvt(tvt::TV_UNKNOWN)), "UNKNOWN");
  EXPECT_STREQ(tvt_name(tvt(true)), "TRUE");
  EXPECT_STREQ(tvt_name(tvt(static_cast<tvt::tv_enumt>(3))), "ERROR");
}
