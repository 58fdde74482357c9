#include "sat/groupsat/groupsat_dbase.h"

#include <cstdlib>
#include <cstring>
#include <iostream>

namespace
{
// The name under which this unit reports its warnings and fatal errors.
const char *const unit_file = "groupsat_dbase.cpp";

const std::size_t initial_pool_entries = 0x8000;
} // namespace

CDatabase::CDatabase()
{
  _lit_pool_start = static_cast<CLitPoolElement *>(
    std::malloc(initial_pool_entries * sizeof(CLitPoolElement)));
  if(_lit_pool_start == nullptr)
    groupsat_fatal(nullptr, unit_file, 0, "Out of memory");
  _lit_pool_finish = _lit_pool_start;
  _lit_pool_end_storage = _lit_pool_start + initial_pool_entries;
  // The dummy entry: the first clause starts at entry 1, and a backward
  // scan from it stops at a non-literal.
  lit_pool_push_back(0);
  _variables.resize(1);
}

CDatabase::~CDatabase()
{
  std::free(_lit_pool_start);
}

ClauseIdx CDatabase::add_clause(const int *lits, int n, unsigned gflag)
{
  while(lit_pool_free_space() <= n + 1)
    if(!enlarge_lit_pool(std::size_t(n) + 2))
      return -1;

  ClauseIdx index = new_clause_record();
  CClause &cl = clause(index);
  cl.first_lit() = lit_pool_end();
  cl.num_lits() = n;
  cl.gflag() = gflag;

  if(n == 2)
  {
    ++variable(lits[0] >> 1).two_lits_count(lits[0] & 1);
    ++variable(lits[1] >> 1).two_lits_count(lits[1] & 1);
  }
  for(int i = 0; i < n; ++i)
  {
    int var_idx = lits[i] >> 1;
    INVARIANT((unsigned)var_idx < variables().size());
    lit_pool_push_back(lits[i] << 2);
    ++variable(var_idx).lits_count(lits[i] & 1);
  }
  lit_pool_push_back(-index);

  if(n >= 2)
  {
    CLitPoolElement *first = cl.literals();
    // The first watch: the first literal from the front that is not false,
    // else the false one of highest level (the first of equals).
    CLitPoolElement *watch1 = nullptr;
    int max_level = -2;
    for(int i = 0; i < n; ++i)
    {
      CLitPoolElement *l = first + i;
      if(literal_value(*l) != 0)
      {
        watch1 = l;
        break;
      }
      int level = variable(l->var_index()).dlevel();
      if(level > max_level)
      {
        max_level = level;
        watch1 = l;
      }
    }
    // The second: the same from the back, skipping the first watch.
    CLitPoolElement *watch2 = nullptr;
    max_level = -2;
    for(int i = n - 1; i >= 0; --i)
    {
      CLitPoolElement *l = first + i;
      if(l == watch1)
        continue;
      if(literal_value(*l) != 0)
      {
        watch2 = l;
        break;
      }
      int level = variable(l->var_index()).dlevel();
      if(level > max_level)
      {
        max_level = level;
        watch2 = l;
      }
    }
    watch1->set_watch(1);
    variable(watch1->var_index())
      .watched(watch1->var_sign())
      .push_back(watch1);
    watch2->set_watch(-1);
    variable(watch2->var_index())
      .watched(watch2->var_sign())
      .push_back(watch2);
  }

  ++_stats.num_added_clauses;
  _stats.num_added_literals += n;
  return index;
}

ClauseIdx CDatabase::new_clause_record()
{
  CClause record;
  record.init(_stats.num_added_clauses);
  _clauses.push_back(record);
  return ClauseIdx(_clauses.size() - 1);
}

unsigned CDatabase::gflag_of_gid(int gid)
{
  if(gid == 0)
    return 0;
  if(gid == -1)
    return ~0u;
  INVARIANT(gid <= 32 && gid > 0);
  return 1u << (gid - 1);
}

void CDatabase::mark_clause_deleted(CClause &cl)
{
  ++_stats.num_deleted_clauses;
  _stats.num_deleted_literals += cl.num_lits();
  if(cl.status() == ORIGINAL_CL)
    ++_stats.num_del_orig_cls;
  cl.set_status(DELETED_CL);
  for(unsigned i = 0; i < cl.num_lits(); ++i)
  {
    CLitPoolElement &l = cl.literal(i);
    --variable(l.var_index()).lits_count(l.var_sign());
    l.val() = 0;
  }
  _unused_clause_idx.insert(ClauseIdx(&cl - _clauses.data()));
}

void CDatabase::purge_erased_watches()
{
  for(CVariable &var : _variables)
  {
    for(int sign = 0; sign < 2; ++sign)
    {
      std::vector<CLitPoolElement *> &watched = var.watched(sign);
      for(std::size_t i = 0; i < watched.size();)
      {
        if(watched[i]->is_literal())
          ++i;
        else
        {
          watched[i] = watched.back();
          watched.pop_back();
        }
      }
    }
  }
}

bool CDatabase::is_conflicting(ClauseIdx cl)
{
  CClause &c = clause(cl);
  for(unsigned i = 0; i < c.num_lits(); ++i)
    if(literal_value(c.literal(i)) != 0)
      return false;
  return true;
}

bool CDatabase::is_satisfied(ClauseIdx cl)
{
  CClause &c = clause(cl);
  for(unsigned i = 0; i < c.num_lits(); ++i)
    if(literal_value(c.literal(i)) == 1)
      return true;
  return false;
}

bool CDatabase::is_unit(ClauseIdx cl)
{
  return find_unit_literal(cl) != 0;
}

int CDatabase::find_unit_literal(ClauseIdx cl)
{
  CClause &c = clause(cl);
  int unit = 0;
  for(unsigned i = 0; i < c.num_lits(); ++i)
  {
    unsigned value = literal_value(c.literal(i));
    if(value == 1)
      return 0;
    if(value != 0)
    {
      if(unit != 0)
        return 0;
      unit = c.literal(i).s_var();
    }
  }
  return unit;
}

bool CDatabase::is_gid_allocated(int gid)
{
  if(gid == 0 || gid == -1)
    return true;
  INVARIANT(gid <= 32 && gid > 0);
  return (_allocated_gid >> (gid - 1)) & 1;
}

int CDatabase::alloc_gid()
{
  for(int gid = 1; gid <= int(WORD_WIDTH); ++gid)
  {
    if(!is_gid_allocated(gid))
    {
      _allocated_gid |= 1u << (gid - 1);
      return gid;
    }
  }
  groupsat_warning(nullptr, unit_file, 120, "Not enough GID");
  return -1;
}

void CDatabase::free_gid(int gid)
{
  INVARIANT(gid > 0 && "Can't free volatile or permanent group");
  INVARIANT(gid <= 32 && "gid > WORD_WIDTH?");
  if(!is_gid_allocated(gid))
    groupsat_fatal(nullptr, unit_file, 129, "Can't free unallocated GID");
  _allocated_gid &= ~(1u << (gid - 1));
}

int CDatabase::merge_clause_group(int g1, int g2)
{
  INVARIANT(g1 > 0 && g2 > 0 && "Can't merge with permanent or volatile group");
  INVARIANT(g1 != g2);
  INVARIANT(is_gid_allocated(g1) && is_gid_allocated(g2));
  for(CClause &cl : _clauses)
  {
    if(cl.status() != DELETED_CL && cl.gid(g2))
    {
      cl.clear_gid(g2);
      cl.set_gid(g1);
    }
  }
  // Level-0 facts resting on g2 now rest on g1.
  const unsigned bit2 = 1u << (g2 - 1);
  for(CVariable &var : _variables)
  {
    if((var.level0_gflag() & bit2) != 0)
      var.level0_gflag() = (var.level0_gflag() & ~bit2) | 1u << (g1 - 1);
  }
  free_gid(g2);
  return g1;
}

bool CDatabase::kept_by_compaction(int position, int previous_value)
{
  int value = _lit_pool_start[position].val();
  // A live literal, or the end marker right after one.
  if(value > 0 || previous_value > 0)
    return true;
  // The end marker of a live clause without literals follows another end
  // marker; it stays so that the record keeps a valid position.
  std::size_t index = std::size_t(-std::int64_t(value));
  if(index >= _clauses.size())
    return false;
  CClause &cl = _clauses[index];
  return cl.status() != DELETED_CL && cl.num_lits() == 0 &&
         cl.first_lit() == _lit_pool_start + position;
}

std::size_t CDatabase::compacted_size()
{
  std::size_t size = 1;
  int previous = _lit_pool_start[0].val();
  for(int p = 1; p < lit_pool_size(); ++p)
  {
    if(kept_by_compaction(p, previous))
      ++size;
    previous = _lit_pool_start[p].val();
  }
  return size;
}

void CDatabase::compact_lit_pool()
{
  CLitPoolElement *dest = _lit_pool_start + 1;
  int previous = _lit_pool_start[0].val();
  for(int p = 1; p < lit_pool_size(); ++p)
  {
    int value = _lit_pool_start[p].val();
    if(kept_by_compaction(p, previous))
    {
      dest->val() = value;
      ++dest;
    }
    previous = value;
  }
  _lit_pool_finish = dest;

  for(std::size_t i = 1; i < _variables.size(); ++i)
  {
    _variables[i].watched(0).clear();
    _variables[i].watched(1).clear();
  }
  for(CLitPoolElement *e = _lit_pool_start + 1; e < _lit_pool_finish; ++e)
  {
    if(e->is_literal())
    {
      if(e->is_watched())
        variable(e->var_index()).watched(e->var_sign()).push_back(e);
    }
    else
    {
      CClause &cl = clause(e->get_clause_index());
      cl.first_lit() = e - cl.num_lits();
    }
  }
  ++_stats.num_compact;
}

double CDatabase::lit_pool_utilization()
{
  unsigned literals = num_literals();
  unsigned entries = unsigned(lit_pool_size()) - num_clauses();
  return double(literals) / double(entries);
}

bool CDatabase::grow_lit_pool(std::size_t capacity)
{
  std::size_t used = lit_pool_size();
  if(capacity <= used)
    return false;
  auto *storage = static_cast<CLitPoolElement *>(
    std::malloc(capacity * sizeof(CLitPoolElement)));
  if(storage == nullptr)
    return false;
  std::memcpy(storage, _lit_pool_start, used * sizeof(CLitPoolElement));

  // Rebase from offsets into the old storage, taken while it is valid.
  for(CClause &cl : _clauses)
    if(cl.status() != DELETED_CL)
      cl.first_lit() = storage + (cl.first_lit() - _lit_pool_start);
  for(CVariable &var : _variables)
    for(int sign = 0; sign < 2; ++sign)
      for(CLitPoolElement *&w : var.watched(sign))
        w = storage + (w - _lit_pool_start);

  std::free(_lit_pool_start);
  _lit_pool_start = storage;
  _lit_pool_finish = storage + used;
  _lit_pool_end_storage = storage + capacity;
  return true;
}

bool CDatabase::enlarge_lit_pool(std::size_t room)
{
  std::size_t capacity = _lit_pool_end_storage - _lit_pool_start;
  // Compaction helps only when it leaves room for what the caller adds;
  // otherwise the pool would be compacted again and again.
  auto compaction_makes_room = [&]() {
    return capacity - compacted_size() >= room;
  };

  if(lit_pool_utilization() < 0.67 && compaction_makes_room())
  {
    compact_lit_pool();
    return true;
  }

  int usage = mem_usage();
  double factor = 1.0;
  if(usage < _mem_limit / 4)
    factor = 2.0;
  else if(usage < _mem_limit / 2)
    factor = 1.5;
  else if(usage < 0.8 * _mem_limit)
    factor = 1.2f;

  if(factor >= 1.2)
  {
    if(!grow_lit_pool(std::size_t(capacity * factor)))
      return false;
    ++_stats.num_enlarge;
    return true;
  }
  if(lit_pool_utilization() < 0.9 && compaction_makes_room())
  {
    compact_lit_pool();
    return true;
  }
  return false;
}

int CDatabase::mem_usage()
{
  std::size_t capacity = _lit_pool_end_storage - _lit_pool_start;
  return int(
    4 * capacity + _variables.capacity() * sizeof(CVariable) +
    _clauses.capacity() * sizeof(CClause) + 4 * _unused_clause_idx.size() +
    8 * std::size_t(num_clauses()));
}

int CDatabase::estimate_mem_usage()
{
  std::size_t capacity = _lit_pool_end_storage - _lit_pool_start;
  std::size_t watches = 0;
  for(CVariable &var : _variables)
    watches += var.watched(0).size() + var.watched(1).size();
  return int(
    4 * capacity + _variables.capacity() * sizeof(CVariable) +
    _clauses.capacity() * sizeof(CClause) + 4 * _unused_clause_idx.size() +
    4 * watches);
}

void CDatabase::print_lit_pool_stats()
{
  std::cout << "Lit_Pool Used " << lit_pool_size() << " Free "
            << lit_pool_free_space() << " Total "
            << lit_pool_size() + lit_pool_free_space() << " Num. Cl "
            << num_clauses() << " Num. Lit " << num_literals()
            << " Efficiency " << lit_pool_utilization() << "\n";
}

void CDatabase::dump_clause(std::ostream &os, ClauseIdx cl)
{
  CClause &c = clause(cl);
  os << "CL : " << cl;
  // A deleted record's literals are erased, and its first-literal pointer
  // goes stale once the pool moves: it shows no literals.
  if(c.status() == DELETED_CL)
  {
    os << "\t\t\t======removed=====\n";
    return;
  }
  for(unsigned i = 0; i < c.num_lits(); ++i)
  {
    CLitPoolElement &l = c.literal(i);
    l.dump(os);
    unsigned value = literal_value(l);
    char shown = value == 0 ? '0' : value == 1 ? '1' : 'X';
    os << "(" << shown << "@" << variable(l.var_index()).dlevel() << ")  ";
  }
  os << "\n";
}

void CDatabase::dump(std::ostream &os)
{
  os << "Dump Database: \n";
  for(std::size_t i = 0; i < _clauses.size(); ++i)
    dump_clause(os, ClauseIdx(i));
  for(std::size_t i = 1; i < _variables.size(); ++i)
  {
    os << "VID " << i << ":\t";
    _variables[i].dump(os);
  }
}
