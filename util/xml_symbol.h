#ifndef MORVANE_UTIL_XML_SYMBOL_H
#define MORVANE_UTIL_XML_SYMBOL_H

// A symbol as one "symbol" element: attribute "name", then the children
// "type", "value", "flags" (fourteen "true"/"false" attributes and the
// children "mode", "base_name", "module" and, when not empty,
// "pretty_name") and "location". The plain variant writes the three trees
// in the XML form of trees; the shared variant writes each as a reference
// "R" into the shared form of an irep_numbering, so that a whole table can
// be written with every distinct tree once.
//
// The value of a function (not a type, type "code", value not nil) is not
// written: "value" holds "compiled", which reads back as a value "code".

#include "util/irep_numbering.h"
#include "util/symbol.h"
#include "util/xml.h"

// Add a "symbol" child to the element.
void symbol_to_xml(const symbolt &symbol, xml_nodet &xml);
void symbol_to_xml(
  irep_numbering &numbering,
  const symbolt &symbol,
  xml_nodet &xml);

// Read a "symbol" element into the symbol. What the element does not
// mention keeps its value; the trees are read as in the tree forms, so they
// should have no children beforehand. The shared variant resolves the
// references against the trees registered in the numbering.
void xml_to_symbol(const xml_nodet &xml, symbolt &symbol);
void xml_to_symbol(
  const irep_numbering &numbering,
  const xml_nodet &xml,
  symbolt &symbol);

#endif
