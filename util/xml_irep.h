#ifndef MORVANE_UTIL_XML_IREP_H
#define MORVANE_UTIL_XML_IREP_H

#include "util/irep.h"
#include "util/xml.h"

// Appends the form of the tree's root node to the element's children: an
// "id" element unless the identifier is "nil", then one "sub" per unnamed
// child, one "named_sub" per named child and one "comment" per comment,
// the last two carrying the child's name in the attribute "name".
void irep_to_xml(const irept &irep, xml_nodet &xml);

// Reads the element's children as the form of one node into the tree. The
// tree's identifier becomes "nil" unless an "id" element sets it; children
// it holds already stay. Unknown elements are reported on standard output
// and skipped.
void xml_to_irep(const xml_nodet &xml, irept &irep);

#endif
