#include "sat/proofsat/Proof.h"

#include "sat/proofsat/Sort.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <system_error>

#include <unistd.h>

namespace
{
// The names of the temporary proof files. Kept behind a pointer that is
// never destroyed, so the exit handler still finds it after the other
// globals are gone.
vec<char *> *temp_files;

void remove_temp_files()
{
  for(char *name : *temp_files)
  {
    std::remove(name);
    std::free(name);
  }
  delete temp_files;
  temp_files = nullptr;
}

struct register_temp_files
{
  register_temp_files()
  {
    temp_files = new vec<char *>();
    std::atexit(remove_temp_files);
  }
} temp_files_at_startup;
} // namespace

const char *TempFiles::open(File &file)
{
  const char *tmpdir = std::getenv("TMPDIR");
  std::string dir = tmpdir != nullptr && *tmpdir != 0 ? tmpdir : "/tmp";
  std::string pattern = dir + "/proofsat-XXXXXX";
  char *name = xmalloc<char>(pattern.size() + 1);
  std::memcpy(name, pattern.c_str(), pattern.size() + 1);
  // mkstemp creates the file exclusively with mode 0600, so no other
  // process can slip a file or link in under the name.
  int fd = mkstemp(name);
  if(fd == -1)
  {
    int error = errno;
    std::free(name);
    throw std::system_error(
      error, std::generic_category(), "cannot create a proof file in " + dir);
  }
  try
  {
    file.attach(fd, File::WRITE, true);
    temp_files->push(name);
  }
  catch(...)
  {
    file.release();
    std::remove(name);
    std::free(name);
    throw;
  }
  return name;
}

void TempFiles::remove(const char *name)
{
  // After the exit handler the list is gone, and so are the files.
  if(temp_files == nullptr)
    return;
  vec<char *> &names = *temp_files;
  for(int i = 0; i < names.size(); i++)
  {
    if(names[i] != name)
      continue;
    std::remove(name);
    std::free(names[i]);
    names[i] = names.last();
    names.pop();
    return;
  }
}

Proof::Proof() : id_counter(0), traverser(nullptr)
{
  file_name = TempFiles::open(fp);
}

Proof::~Proof()
{
  if(file_name == nullptr)
    return;
  fp.release();
  TempFiles::remove(file_name);
}

Proof::Proof(ProofTraverser &t)
    : file_name(nullptr), id_counter(0), traverser(&t)
{
}

ClauseId Proof::addRoot(const vec<Lit> &clause)
{
  clause.copyTo(root_buffer);
  sort_unique(root_buffer);
  if(traverser != nullptr)
    traverser->root(root_buffer);
  if(!fp.null())
  {
    if(root_buffer.size() == 0)
    {
      // The first number of a root is its first literal: an empty clause
      // would be read back as something else.
      std::fprintf(
        stderr,
        "Proof: an empty input clause cannot be written to a proof file\n");
      std::abort();
    }
    write_root();
  }
  return id_counter++;
}

void Proof::beginChain(ClauseId start)
{
  INVARIANT(start != ClauseId_NULL);
  chain_id.reset(false);
  chain_var.reset(false);
  chain_id.push(start);
}

void Proof::resolve(ClauseId next, Var x)
{
  INVARIANT(next != ClauseId_NULL);
  chain_id.push(next);
  chain_var.push(x);
}

ClauseId Proof::endChain()
{
  INVARIANT(chain_id.size() == chain_var.size() + 1);
  if(chain_id.size() == 1)
    return chain_id[0];
  if(traverser != nullptr)
    traverser->chain(chain_id, chain_var);
  if(!fp.null())
    write_chain();
  return id_counter++;
}

void Proof::deleted(ClauseId gone)
{
  if(traverser != nullptr)
    traverser->deleted(gone);
  if(!fp.null())
  {
    write_packed_uint(fp, 2 * uint64_t(id_counter - gone) + 1);
    write_packed_uint(fp, 0);
  }
}

ClauseId Proof::last()
{
  INVARIANT(id_counter != ClauseId_NULL);
  return id_counter - 1;
}

void Proof::write_root()
{
  write_packed_uint(fp, 2 * uint64_t(index(root_buffer[0])));
  for(int i = 1; i < root_buffer.size(); i++)
    write_packed_uint(
      fp, uint64_t(index(root_buffer[i]) - index(root_buffer[i - 1])));
  write_packed_uint(fp, 0);
}

void Proof::write_chain()
{
  write_packed_uint(fp, 2 * uint64_t(id_counter - chain_id[0]) + 1);
  for(int i = 0; i < chain_var.size(); i++)
  {
    write_packed_uint(fp, uint64_t(chain_var[i]) + 1);
    write_packed_uint(fp, uint64_t(id_counter - chain_id[i + 1]));
  }
  write_packed_uint(fp, 0);
}

void Proof::read_root(uint64_t first, ProofTraverser &t)
{
  root_buffer.reset(false);
  int code = int(first >> 1);
  root_buffer.push(Lit::fromIndex(code));
  for(uint64_t step; (step = read_packed_uint(fp)) != 0;)
  {
    code += int(step);
    root_buffer.push(Lit::fromIndex(code));
  }
  t.root(root_buffer);
}

void Proof::traverse(ProofTraverser &t, ClauseId goal)
{
  INVARIANT(!fp.null());
  // However the replay ends, later records must go after the proof.
  struct at_end
  {
    Proof &proof;
    ~at_end()
    {
      proof.to_end();
    }
  } restore{*this};

  fp.reposition(0, SEEK_SET);
  if(goal == ClauseId_NULL)
    goal = last();
  for(ClauseId id = 0; id <= goal;)
  {
    uint64_t first = read_packed_uint(fp);
    if((first & 1) == 0)
    {
      read_root(first, t);
      id++;
      continue;
    }
    chain_id.reset(false);
    chain_var.reset(false);
    chain_id.push(ClauseId(id - (first >> 1)));
    for(uint64_t pivot; (pivot = read_packed_uint(fp)) != 0;)
    {
      chain_var.push(Var(pivot - 1));
      chain_id.push(ClauseId(id - read_packed_uint(fp)));
    }
    if(chain_var.size() == 0)
      t.deleted(chain_id[0]);
    else
    {
      t.chain(chain_id, chain_var);
      id++;
    }
  }
  t.done();
}

bool Proof::save(const char *name)
{
  INVARIANT(!fp.null());
  fp.reposition(0, SEEK_SET);
  File out;
  out.open(name, "wox");
  bool ok = !out.null();
  if(ok)
  {
    for(int c; (c = fp.read_byte()) != -1;)
      out.write_byte(char(c));
    ok = out.release() && !fp.failed();
    if(!ok)
      std::remove(name);
  }
  to_end();
  return ok;
}

void Proof::to_end()
{
  fp.reposition(0, SEEK_END);
}
