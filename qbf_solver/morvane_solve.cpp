#include "qbf_solver/morvane.h"

#include "util/invariant.h"
#include "util/text_utils.h"

#include <algorithm>

morvanet::resultt morvanet::solve()
{
  if(show_progress)
    print(
      8,
      "Morvane: original formula: " + unsigned_to_string(quantifiers.size()) +
        " quantifiers, " + unsigned_to_string(no_variables()) +
        " variables, " + unsigned_to_string(clause_set.size()) + " clauses.");

  if(save_certificate)
  {
    const resultt opened = open_certificate();
    if(opened != R_UNKNOWN)
      return opened;
  }

  initial_quantifiers = quantifiers.size();
  initial_clauses = clause_set.size();

  resultt result;
  while(true)
  {
    if(quantifiers.empty())
    {
      // Every variable of a clause is quantified (free ones outermost), and
      // each quantifier's turn takes its variable's clauses away.
      INVARIANT(clause_set.empty());
      result = R_VALID;
      break;
    }
    result = reduce_universal();
    if(result != R_UNKNOWN)
      break;
    result = eliminate_existential();
    if(result != R_UNKNOWN)
      break;
  }

  if(save_certificate)
  {
    if(result == R_VALID)
      conclude_valid();
    close_certificate();
  }
  return with_certificate(result);
}

morvanet::resultt morvanet::reduce_universal()
{
  while(!quantifiers.empty() &&
        quantifiers.back().type == quantifiert::UNIVERSAL)
  {
    const unsigned var_no = quantifiers.back().var_no;
    quantifiers.pop_back();

    if(show_progress)
    {
      const std::pair<unsigned, unsigned> counts = polarity_count(var_no);
      const unsigned n = counts.first + counts.second;
      *diagnostics << "FR: Reducing variable #" << var_no << " (" << n
                   << " clauses).\n";
    }

    for(occurrence_reft first;
        !(first = first_occurrence(var_no)).is_none();)
    {
      const clauset &clause = stored_clause(first.clause);
      clauset reduced;
      reduced.literals = literals_without(clause.literals, var_no);
      if(save_certificate)
      {
        // A reduced input clause refers to the input entry it came from,
        // so the refutation names a real entry.
        const bool is_input = clause.parent1 == 0 && clause.parent2 == 0;
        reduced.parent1 = is_input ? clause.id : clause.parent1;
        reduced.parent2 = clause.parent2;
        reduced.pivot = clause.pivot;
      }
      remove_clause(first.clause);
      if(add_clause(reduced) == no_clause)
        return R_INVALID;
    }

    if(show_debug)
      print_stats_debug("FR", var_no);
    if(show_progress)
      print_statistics();
  }
  return R_UNKNOWN;
}

void morvanet::print_stats_debug(const char *phase, unsigned var_no)
{
  const variable_datat &record = variables.at_var(var_no);
  *diagnostics << "DEBUG: " << phase << ": " << var_no
               << ": Variable stats now: " << record.pos << '/' << record.neg
               << '\n';
}

// A share in percent; "n/a" when there is nothing to compare with.
static void print_percent(std::ostream &out, double share, unsigned whole)
{
  if(whole == 0)
    out << "n/a";
  else
    out << share * 100;
}

void morvanet::print_statistics()
{
  std::ostream &out = *diagnostics;
  const unsigned q = quantifiers.size();
  const unsigned c = clause_set.size();
  out << "STAT: " << q << " quantifiers left, " << c << " clauses in memory.\n";
  out << "STAT: Evaluation Progress: ";
  print_percent(out, 1 - double(q) / initial_quantifiers, initial_quantifiers);
  out << "%, Ground Clauses Growth: ";
  print_percent(out, double(c) / initial_clauses, initial_clauses);
  out << "%.\n";
}

void morvanet::reduce_pure_literals()
{
  // Ascending variable order; removing the clauses of one variable can make
  // a later one pure, so each is tested when its turn comes.
  std::vector<unsigned> var_nos;
  for(std::size_t i = 0; i < variables.size(); ++i)
    var_nos.push_back(variables[i].var_no);
  std::sort(var_nos.begin(), var_nos.end());

  unsigned count = 0;
  for(const unsigned var_no : var_nos)
  {
    const variable_datat &record = variables.at_var(var_no);
    const bool pure = (record.pos == 0) != (record.neg == 0);
    if(!pure || (record.has_info && !record.existential))
      continue;
    const bool positive = record.pos != 0;
    for(occurrence_reft first;
        !(first = first_occurrence(var_no)).is_none();)
      remove_clause(first.clause);
    ++count;
    if(show_progress)
      *diagnostics << "PL: " << var_no << '\n';
    if(save_certificate)
      save_pure_function(var_no, positive);
  }
  if(show_debug && count > 0)
    *diagnostics << "DEBUG: " << count << " pure literals reduced.\n";
}
