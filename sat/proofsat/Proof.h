#ifndef MORVANE_SAT_PROOFSAT_PROOF_H
#define MORVANE_SAT_PROOFSAT_PROOF_H

// The resolution proof the engine builds while it works: every input clause
// is a root, every derived clause a chain of resolution steps, and deleted
// clauses are noted. The n-th root or chain (from 0) has id n.
//
// Traverser mode hands each event at once to a ProofTraverser and stores
// nothing. File mode writes compact records to a temporary file, which can
// be replayed (traverse) or copied (save):
//   root   c0 < c1 < ... : 2*c0, c1-c0, c2-c1, ..., 0
//   chain  i0, (x1, i1) ... (xm, im) : 2*(n-i0)+1, x1+1, n-i1, ..., 0
//   delete g : 2*(n-g)+1, 0
// where n is the id the record would receive; every number is written with
// write_packed_uint.

#include "sat/proofsat/File.h"
#include "sat/proofsat/SolverTypes.h"

// Receives proof events; every operation does nothing by default.
class ProofTraverser
{
public:
  // An input clause, sorted by code without repeats.
  virtual void root(const vec<Lit> &)
  {
  }
  // A derived clause: start with clause cs[0], then resolve with cs[i] on
  // variable xs[i-1]; cs holds one element more than xs.
  virtual void chain(const vec<ClauseId> &, const vec<Var> &)
  {
  }
  virtual void deleted(ClauseId)
  {
  }
  // The end of a replay.
  virtual void done()
  {
  }
  virtual ~ProofTraverser()
  {
  }
};

class Proof
{
  File fp;
  const char *file_name;
  ClauseId id_counter;
  ProofTraverser *traverser;
  vec<Lit> root_buffer;
  vec<ClauseId> chain_id;
  vec<Var> chain_var;

public:
  // File mode on a fresh temporary file, removed when the Proof goes (or
  // when the program exits, for a Proof that is never destroyed). Throws
  // std::system_error when the file cannot be created.
  Proof();
  // Traverser mode; t is not owned.
  explicit Proof(ProofTraverser &t);
  ~Proof();
  Proof(const Proof &) = delete;
  Proof &operator=(const Proof &) = delete;

  // Records an input clause (the caller's copy stays as it is) and answers
  // its id. In file mode the clause must not be empty: an empty root has
  // no record, so the program stops.
  ClauseId addRoot(const vec<Lit> &clause);
  void beginChain(ClauseId start);
  void resolve(ClauseId next, Var x);
  // Answers the id of the derived clause; a chain without steps records
  // nothing and answers its start.
  ClauseId endChain();
  // Records that clause gone was dropped; takes no id.
  void deleted(ClauseId gone);
  // The id of the last recorded clause.
  ClauseId last();

  // File mode: replays the records up to clause goal (default: the last)
  // into t, then calls done(). A goal beyond the file throws Exception_EOF,
  // a cut-off number Exception_Damaged. In every case the file is left at
  // its end, so later records are appended.
  void traverse(ProofTraverser &t, ClauseId goal = ClauseId_NULL);
  // File mode: copies the proof to the new file name (which must not
  // exist). Answers false when it cannot be created or any write or close
  // of the proof or the copy failed; a failed copy is removed.
  bool save(const char *name);

  // In file mode the temporary file's name, else null.
  const char *fileName() const
  {
    return file_name;
  }

private:
  void write_root();
  void write_chain();
  void read_root(uint64_t first, ProofTraverser &t);
  void to_end();
};

// The temporary proof files of the whole program.
class TempFiles
{
public:
  // Creates a new file (exclusively, mode 0600) in the temporary directory
  // ($TMPDIR, else /tmp), attaches it to file for reading and writing,
  // and answers its name. The file is removed by remove or, at the latest,
  // when the program exits. When none can be created, throws
  // std::system_error ("cannot create a proof file in <folder>: <reason>")
  // and leaves nothing behind.
  static const char *open(File &file);
  // Removes a file that open made, and frees its name.
  static void remove(const char *name);
};

#endif
