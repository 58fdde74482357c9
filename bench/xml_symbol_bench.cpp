// Costs of writing a symbol table in the shared XML form and reading it
// back, over types that many symbols share.

#include "util/symbol_table.h"
#include "util/xml_symbol.h"

#include <benchmark/benchmark.h>

#include <string>

// A struct type of ten components whose types nest `depth` arrays deep.
static typet struct_type(int variant, int depth)
{
  typet type("struct");
  irept &components = type.add("components");
  for(int c = 0; c < 10; ++c)
  {
    typet member("unsignedbv");
    member.set("width", std::to_string(8 * (1 + (c + variant) % 4)));
    for(int d = 0; d < depth; ++d)
    {
      typet array("array");
      array.subtype() = member;
      array.set("size", std::to_string(d + 2));
      member = array;
    }
    irept component("component");
    component.set("name", "f" + std::to_string(c));
    component.add("type") = member;
    components.get_sub().push_back(component);
  }
  return type;
}

// `count` symbols over twenty struct types, each with an own value and
// location.
static symbol_tablet build_table(int count)
{
  symbol_tablet table;
  for(int n = 0; n < count; ++n)
  {
    symbolt symbol;
    symbol.name = "c::v" + std::to_string(n);
    symbol.base_name = "v" + std::to_string(n);
    symbol.module = "m";
    symbol.mode = "C";
    // Equal types in blocks of their own, as a front end builds them.
    symbol.type = struct_type(n % 20, 4);
    symbol.value = exprt("constant", symbol.type);
    symbol.value.set("value", std::to_string(n));
    symbol.location.id("");
    symbol.location.set("file", "a.c");
    symbol.location.set("line", std::to_string(n % 500));
    table.add(symbol);
  }
  return table;
}

static xml_nodet write_table(const symbol_tablet &table)
{
  irep_number_tablest tables;
  irep_numbering numbering(tables);
  xml_nodet document;
  xml_nodet &symbols = document.new_element("symbols");
  for(const auto &entry : table.symbols)
    symbol_to_xml(numbering, entry.second, symbols);
  numbering.irep_ref_writer_entry(document.new_element("ireps"));
  return document;
}

static void write_shared_table(benchmark::State &state)
{
  const symbol_tablet table = build_table(static_cast<int>(state.range(0)));
  for(auto _ : state)
    benchmark::DoNotOptimize(write_table(table));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(write_shared_table)->Arg(1000)->Unit(benchmark::kMillisecond);

static void read_shared_table(benchmark::State &state)
{
  const xml_nodet document =
    write_table(build_table(static_cast<int>(state.range(0))));
  for(auto _ : state)
  {
    irep_number_tablest tables;
    irep_numbering numbering(tables);
    for(const xml_nodet &irep : document.elements.back().elements)
    {
      irept tree;
      numbering.irep_ref_reader_entry(irep, tree);
      numbering.register_tree(irep.attributes.at("id"), tree);
    }
    symbol_tablet table;
    for(const xml_nodet &element : document.elements.front().elements)
    {
      symbolt symbol;
      xml_to_symbol(numbering, element, symbol);
      table.add(symbol);
    }
    benchmark::DoNotOptimize(table);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(read_shared_table)->Arg(1000)->Unit(benchmark::kMillisecond);
