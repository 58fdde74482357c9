#ifndef MORVANE_UTIL_IREP_NUMBERING_H
#define MORVANE_UTIL_IREP_NUMBERING_H

// The shared XML form of trees: every distinct tree (by full equality, so
// comments count) is written once, as an element
//   <irep id="N"> <id>...</id> <s><R>N</R></s>... <ns n="name"><R>N</R></ns>...
//                 <c n="#name"><R>N</R></c>... </irep>
// whose children refer to other trees by number. Reading gives trees whose
// children are placeholders ("__REFERENCE__" with the number in the named
// child "REF"), which resolve_references replaces by the registered trees.

#include "util/irep.h"
#include "util/xml.h"

#include <string>
#include <unordered_map>

typedef unsigned long irep_numbert;

// The tables of one document. They only grow.
class irep_number_tablest
{
public:
  // Every numbered tree under its number; the entry shares the tree's block.
  std::unordered_map<irep_numbert, irept> number_to_irep;
  // The number of every tree seen, by content.
  std::unordered_map<irept, irep_numbert, irep_full_hash, irep_full_eq>
    irep_to_number;
  // The number of every block numbered through, with a handle that keeps
  // the block alive (and so unchanged, and its address unused by another
  // tree): a tree reached again through a shared block needs no hashing.
  std::unordered_map<const irept::dt *, std::pair<irept, irep_numbert>>
    numbered_blocks;
  // Registered trees with their references resolved, shared by every
  // later use; only trees resolved completely are kept.
  std::unordered_map<irep_numbert, irept> resolved;
  // Numbers are counted per document, from 1: a number says nothing about
  // memory, and 0 (what a reference without digits reads as) is never one.
  irep_numbert next_number = 1;
};

// Numbers, writes and reads trees over tables that the caller keeps alive;
// several converters may share one set of tables.
class irep_numbering
{
public:
  explicit irep_numbering(irep_number_tablest &_tables) : tables(_tables)
  {
  }

  // The entry, or null.
  const irept *find_by_number(irep_numbert number) const;
  const irep_numbert *find_by_tree(const irept &irep) const;

  // The number of a tree equal to the given one when there is one;
  // otherwise registers the tree under the number (an entry for the number
  // that exists already stays) and returns the number.
  irep_numbert irep_number_lookup(irep_numbert number, const irept &irep);

  // Numbers the tree and every sub-tree not numbered yet; returns the
  // tree's number. Cost: a full hash per block not met before.
  irep_numbert number_tree(const irept &irep);

  // Lower-case hexadecimal without prefix and leading zeros.
  static std::string number_to_text(irep_numbert number);
  // Hexadecimal text after optional blanks; 0 when it holds no number.
  static irep_numbert text_to_number(const std::string &text);

  // Registers a tree read from an "irep" element under its "id" text.
  irep_numbert register_tree(const std::string &number_text, const irept &irep);

  // Adds an "R" child holding the tree's number, numbering it when new.
  void write_reference(const irept &irep, xml_nodet &xml);
  // Adds the "id", "s", "ns" and "c" children of the tree.
  void write_content(const irept &irep, xml_nodet &xml);
  // Adds one "irep" element per registered tree, in number order.
  void irep_ref_writer_entry(xml_nodet &xml);

  // Reads the element's content into the tree with placeholders for the
  // references. The identifier becomes "nil" unless the content sets one;
  // children the tree holds already stay. Unknown elements are reported on
  // standard output and skipped.
  void irep_ref_reader_entry(const xml_nodet &xml, irept &irep) const;

  // Replaces every placeholder in the tree by its registered tree,
  // recursively; the registered trees keep their placeholders. An
  // unregistered reference, or one that would lead into itself, stays a
  // placeholder and is reported on standard output. A reference is
  // resolved once per set of tables; its uses share the result.
  void resolve_references(irept &irep) const;

private:
  irep_number_tablest &tables;
};

#endif
