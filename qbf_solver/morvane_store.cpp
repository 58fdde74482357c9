#include "qbf_solver/morvane.h"

#include "util/invariant.h"

morvanet::morvanet() : clause_set(variables), queue(variables)
{
  certificate_clauses.emplace_back();
}

tvt morvanet::l_get(literalt) const
{
  INVARIANT(false);
}

void morvanet::reset_formula()
{
  quantifiers.clear();
  queue.clear();
  clause_set.clear();
  variables.clear();
  quantified_count = 0;
  witness_nodes.clear();
  certificate_clauses.assign(1, clauset());
}

void morvanet::abandon(const std::string &reason)
{
  print(1, reason);
  certificate.discard(reason);
  reset_formula();
}

variable_datat &morvanet::info_record(unsigned var_no)
{
  variable_datat &record = variables.at_var(var_no);
  if(!record.has_info)
  {
    record.has_info = true;
    record.existential = true;
    record.level = 0;
    ++quantified_count;
  }
  return record;
}

bool morvanet::is_existential(unsigned var_no)
{
  return info_record(var_no).existential;
}

unsigned morvanet::level(unsigned var_no)
{
  return info_record(var_no).level;
}

occurrence_reft morvanet::first_occurrence(unsigned var_no) const
{
  const unsigned index = variables.find(var_no);
  return index == variable_datat::none ? occurrence_reft()
                                       : variables[index].first_occurrence;
}

std::vector<unsigned> morvanet::occurrences(unsigned var_no) const
{
  std::vector<unsigned> result;
  for(occurrence_reft o = first_occurrence(var_no); !o.is_none();
      o = clause_set.next_occurrence(o))
    result.push_back(o.clause);
  return result;
}

std::pair<unsigned, unsigned> morvanet::polarity_count(unsigned var_no) const
{
  const unsigned index = variables.find(var_no);
  if(index == variable_datat::none)
    return {0, 0};
  return {variables[index].pos, variables[index].neg};
}

void morvanet::count_clause(const bvt &literals, bool add)
{
  for(const literalt l : literals)
  {
    const unsigned index = variables.index(l.var_no());
    variable_datat &record = variables[index];
    unsigned &count = l.sign() ? record.neg : record.pos;
    if(add)
      ++count;
    else
      --count;
    if(record.first_queue_record != variable_datat::none)
      queue.score_changed(index);
  }
}

morvanet::derivationt &morvanet::derivation(unsigned id)
{
  if(id >= clause_parents.size())
    clause_parents.resize(id + 1);
  return clause_parents[id];
}

void morvanet::record_derivation(const clauset &clause)
{
  derivationt &d = derivation(clause.id);
  d.parent1 = clause.parent1;
  d.parent2 = clause.parent2;
  d.pivot = clause.pivot;
  d.written_id = 0;
}

morvanet::resultt morvanet::set_constraint(literalt literal)
{
  variable_datat &record = variables.at_var(literal.var_no());
  if(record.constraint >= 0 && bool(record.constraint) != literal.sign())
    return R_INVALID;
  record.constraint = literal.sign() ? 1 : 0;
  return R_UNKNOWN;
}

unsigned morvanet::add_clause(clauset &clause)
{
  // A clause holding a single universal literal is false.
  if(clause.literals.size() == 1 && !is_existential(clause.literals[0].var_no()))
    clause.literals.clear();

  if(clause.literals.size() == 1)
  {
    const literalt literal = clause.literals[0];
    if(set_constraint(literal) == R_INVALID)
    {
      if(show_progress)
        *diagnostics << "SHORTCUT: CONFLICTING CONSTRAINTS ON VAR #"
                     << literal.var_no() << " (" << clause.id << ").\n";
      if(save_certificate)
      {
        if(clause.id == 0)
        {
          clause.id = ++clause_id_counter;
          record_derivation(clause);
        }
        unsigned opposite = no_clause;
        for(const unsigned ref : occurrences(literal.var_no()))
        {
          const bvt &literals = stored_clause(ref).literals;
          if(literals.size() == 1 && literals[0] == !literal)
          {
            opposite = ref;
            break;
          }
        }
        // A constraint is only ever set by a stored unit clause.
        INVARIANT(opposite != no_clause);
        conclude_invalid(
          clause.id, stored_clause(opposite).id, literal.var_no());
        close_certificate();
      }
      return no_clause;
    }
  }

  if(clause.literals.empty())
  {
    if(show_progress)
      *diagnostics << "SHORTCUT: EMPTY CLAUSE ADDED.\n";
    if(save_certificate)
    {
      conclude_invalid(clause.parent1, clause.parent2, clause.pivot);
      close_certificate();
    }
    return no_clause;
  }

  const unsigned hash = clause_hash(clause.literals);
  const unsigned existing = clause_set.find(clause.literals, hash);
  if(existing != no_clause)
  {
    // A duplicate still uses up an id: every accepted input clause line
    // advances the counter, so the k-th line's id stays k, its entry number
    // in the certificate.
    ++clause_id_counter;
    return existing;
  }

  if(save_certificate)
  {
    clause.id = ++clause_id_counter;
    record_derivation(clause);
    if(show_debug)
    {
      *diagnostics << "DEBUG: Adding clause #" << clause.id << " with parents "
                   << clause.parent1 << ", " << clause.parent2 << " ("
                   << clause.pivot << ") = ";
      print_clause(clause, 0);
      *diagnostics << '\n';
    }
  }

  const unsigned ref = clause_set.insert(clause, hash);
  count_clause(clause.literals, true);
  return ref;
}

void morvanet::remove_occurrences(unsigned ref)
{
  clause_set.unlink_occurrences(ref);
}

void morvanet::remove_clause(unsigned ref)
{
  remove_occurrences(ref);
  const bvt &literals = stored_clause(ref).literals;
  count_clause(literals, false);
  if(literals.size() == 1)
    variables.at_var(literals[0].var_no()).constraint = -1;
  clause_set.erase(ref);
}

void morvanet::print_clause(const clauset &clause, unsigned left_out_var)
{
  std::ostream &out = *diagnostics;
  out << '(';
  for(const literalt l : clause.literals)
    if(l.var_no() != left_out_var)
      out << l.dimacs() << ',';
  // The backspace is part of the diagnostics' format: on a terminal it
  // takes back the last comma (and, for an empty list, shows as nothing).
  out << "\b)";
  if(save_certificate)
    out << " [" << clause.id << ':' << clause.parent1 << ',' << clause.parent2
        << ']';
}

void morvanet::print_conflict(
  unsigned var_no,
  const clauset &c1,
  const clauset &c2,
  const clauset &resolvent)
{
  std::ostream &out = *diagnostics;
  out << "CF: Conflict: -";
  print_clause(c1, var_no);
  out << " -> -" << var_no << " X -";
  print_clause(c2, var_no);
  out << " -> " << var_no << " => -";
  print_clause(resolvent, 0);
  out << ".\n";
}
