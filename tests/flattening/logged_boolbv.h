#ifndef MORVANE_TESTS_FLATTENING_LOGGED_BOOLBV_H
#define MORVANE_TESTS_FLATTENING_LOGGED_BOOLBV_H

// The flattening over a clause list with its messages kept, for the tests
// that look at its warnings. Taken apart where used:
//   logged_boolbvt logged;
//   auto &[prop, handler, conv] = logged;

#include "flattening/boolbv.h"
#include "harness/decision_test_harness.h"
#include "propositional/cnf_clause_list.h"

struct logged_boolbvt
{
  cnf_clause_listt prop;
  capturing_message_handlert handler;
  boolbvt conv{prop};

  logged_boolbvt()
  {
    conv.set_message_handler(&handler);
  }
};

#endif
