#ifndef MORVANE_QBF_SOLVER_MORVANE_H
#define MORVANE_QBF_SOLVER_MORVANE_H

#include "propositional/qdimacs_cnf.h"
#include "qbf_solver/certificate.h"
#include "qbf_solver/clause.h"
#include "qbf_solver/clause_store.h"
#include "qbf_solver/new_clause_table.h"
#include "qbf_solver/variable_queue.h"
#include "qbf_solver/variable_table.h"

#include <cstdint>
#include <iostream>
#include <map>
#include <string>
#include <vector>

// The QBF solver: holds one formula in prenex conjunctive normal form (the
// inherited quantifier list, outermost first, and its own clause store) and
// decides it from the innermost quantifier outwards, by universal reduction
// and by elimination of existential variables through resolution. With
// certificates on it writes a witness network for a valid formula or a
// refutation for an invalid one.
class morvanet : public qdimacs_cnft
{
public:
  enum resultt
  {
    R_VALID = 0,
    R_INVALID = 1,
    R_ERROR = 2,
    R_UNKNOWN = 3
  };

  // How a clause with certificate id came about.
  struct derivationt
  {
    unsigned parent1 = 0;
    unsigned parent2 = 0;
    unsigned pivot = 0;
    // Entry number in the certificate once written, 0 before.
    unsigned written_id = 0;
  };

  static constexpr unsigned no_clause = clause_storet::none;

  // The largest variable number: variables fit 31 bits and stay below the
  // number kept for constants. Certificate gates are numbered up to it too,
  // so that whoever reads a certificate can hold each of its numbers.
  static constexpr unsigned max_variable = 0x7FFFFFFE;

  morvanet();

  std::string solver_text() const override
  {
    return "Morvane";
  }

  // The solver is driven through solve() instead.
  propt::resultt prop_solve() override
  {
    return P_ERROR;
  }

  // The solver never produces an assignment.
  tvt l_get(literalt) const override;

  bool show_conflicts = false;
  bool show_unifications = false;
  bool save_certificate = false;
  bool show_progress = false;
  bool show_debug = false;

  // Where the diagnostics of the show switches go.
  std::ostream *diagnostics = &std::cout;

  // Empties the formula before the next file: prefix, clauses, unit
  // constraints, occurrence lists, polarity counts, witnesses and the
  // certificate's clause table. The gate counter goes on.
  void reset_formula();

  // Gives up on the current formula after a failure while deciding it:
  // reports the reason, removes an unfinished certificate and frees the
  // formula.
  void abandon(const std::string &reason);

  // Reading (QDIMACS).
  resultt read_qdimacs_file(const std::string &file_name);
  resultt parse_qdimacs_line(const std::string &line);

  // Deciding.
  resultt solve();
  resultt reduce_universal();
  resultt eliminate_existential();
  void reduce_pure_literals();

  // The clause store. add_clause returns the stored clause, or no_clause
  // when the formula has become false (its refutation is then written).
  // With certificates on, a newly stored clause gets its id in `clause`.
  unsigned add_clause(clauset &clause);
  void remove_clause(unsigned ref);
  void remove_occurrences(unsigned ref);
  resultt set_constraint(literalt literal);

  const clauset &stored_clause(unsigned ref) const
  {
    return clause_set.clause(ref);
  }

  std::size_t stored_clause_count() const
  {
    return clause_set.size();
  }

  // The stored clauses holding the variable, in the order they were added.
  std::vector<unsigned> occurrences(unsigned var_no) const;

  // The first entry of the variable's occurrence list; none when empty.
  occurrence_reft first_occurrence(unsigned var_no) const;

  // The polarity counts {pos, neg} of a variable.
  std::pair<unsigned, unsigned> polarity_count(unsigned var_no) const;

  // Quantifier information; a lookup inserts the default (existential,
  // level 0) when the variable has none.
  bool is_existential(unsigned var_no);
  unsigned level(unsigned var_no);

  // Diagnostics printers.
  void print_clause(const clauset &clause, unsigned left_out_var);
  void print_conflict(
    unsigned var_no,
    const clauset &c1,
    const clauset &c2,
    const clauset &resolvent);

  // Elimination helpers.
  static unsigned
  unifiable_common_part(const clauset &a, const clauset &b, bvt &common);
  unsigned unify_clauses(new_clause_tablet &table);

  // Certificate, written through `certificate`. open_certificate answers
  // R_UNKNOWN when it is open, R_ERROR when it failed to open;
  // close_certificate concludes it and moves it to its final name. A failed
  // certificate turns the file's answer into R_ERROR.
  resultt open_certificate();
  void close_certificate();
  void save_function(
    unsigned var_no,
    const std::vector<clauset> &positive,
    const std::vector<clauset> &negative);
  void save_pure_function(unsigned var_no, bool positive);
  unsigned write_derivation(unsigned id);
  void conclude_invalid(unsigned d, unsigned e, unsigned pivot);

  unsigned initial_quantifiers = 0;
  unsigned initial_clauses = 0;
  unsigned clause_id_counter = 0;
  // The largest variable read so far; every gate takes the next number. It
  // is never lowered, so gate numbers grow across input files, and never
  // raised past max_variable: a gate that would need more is refused.
  unsigned max_index = 0;

  // Certificate clauses by entry number; entry 0 is a placeholder, entries
  // 1 to k are the accepted input clause lines.
  std::vector<clauset> certificate_clauses;
  // Witness of each eliminated existential variable: a signed node.
  std::map<unsigned, std::int64_t> witness_nodes;

protected:
  variable_tablet variables;
  clause_storet clause_set;
  variable_queuet queue;
  // Number of variables with quantifier information.
  unsigned quantified_count = 0;
  // Derivations by clause id.
  std::vector<derivationt> clause_parents;

  // Reader state of one file.
  struct readert
  {
    std::string file_name;
    unsigned line_number = 0;
    clauset pending;
    // A tautological clause is skipped up to its terminating 0.
    bool dropping = false;
    // Quantifier lines may only come before the first clause line.
    bool clause_line_seen = false;
    // Marks the literals of the pending clause: the clause number they
    // were last seen in, per variable and sign.
    std::vector<unsigned> seen_in_clause[2];
    unsigned clause_number = 1;
    // The level of the next quantified variable is at least this, so levels
    // follow the prefix also when a variable is quantified again. Level 0
    // is left to free variables: they stand outside every quantified one.
    unsigned next_level = 1;
  };
  readert reader;

  resultt parse_line(const char *begin, const char *end);
  resultt parse_clause_line(const char *p, const char *end);
  resultt end_pending_clause();
  resultt bad_input(const std::string &what);
  void quantify(unsigned var_no, bool existential, bool at_front);

  variable_datat &info_record(unsigned var_no);
  // Adds the literals to the polarity counts, or takes them off.
  void count_clause(const bvt &literals, bool add);
  derivationt &derivation(unsigned id);
  void record_derivation(const clauset &clause);

  resultt eliminate_variable(unsigned var_no);
  // The steps of eliminate_variable.
  struct variable_sidest;
  struct stored_countst;
  // Moves the variable's clauses from the store to the side of its sign,
  // each distinct clause once, and notes a unit clause of each side.
  void
  take_out_clauses(unsigned var_no, variable_sidest &sides, bvt &buffer);
  // Appends the clauses that replace the variable's to `table`. When the
  // variable can take the value of one side (that side holds a unit clause
  // or the other is empty), those are the other side's clauses without the
  // variable; otherwise the resolvents of the two sides.
  void derive_clauses(
    unsigned var_no,
    const variable_sidest &sides,
    new_clause_tablet &table);
  // Appends each distinct non-tautological resolvent on the variable.
  void add_resolvents(
    unsigned var_no,
    const std::vector<clauset> &positive,
    const std::vector<clauset> &negative,
    new_clause_tablet &table);
  // Stores the table's clauses not removed, shortest first, leaving out a
  // clause an earlier one subsumes; false when the formula became false.
  bool store_new_clauses(
    new_clause_tablet &table,
    bvt &buffer,
    stored_countst &counts);
  // The steps of unify_clauses. unify_length merges the partners among the
  // clauses of one length and answers how many merges it made;
  // append_merge appends `common`, the merge of a and b on x, giving a and
  // b ids with certificates on.
  unsigned
  unify_length(new_clause_tablet &table, std::size_t length, bvt &common);
  void append_merge(
    clauset &a,
    clauset &b,
    unsigned x,
    const bvt &common,
    new_clause_tablet &table);
  void print_statistics();
  void print_stats_debug(const char *phase, unsigned var_no);

  // The certificate of the current input file; its gates are numbered on
  // from max_index.
  certificatet certificate{*this, max_index, max_variable};

  // The answer, or R_ERROR when the certificate asked for failed.
  resultt with_certificate(resultt result) const
  {
    return save_certificate && certificate.failed() ? R_ERROR : result;
  }
  void conclude_valid();
};

#endif
