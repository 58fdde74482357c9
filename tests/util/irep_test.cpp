#include "util/irep.h"

#include "util/expr.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

static bool is_static_empty_block(const irept &irep)
{
  return &irep.read() == &irept().read();
}

TEST(Irep, EmptyTreeReadsWithoutAllocating)
{
  const irept tree;
  EXPECT_TRUE(tree.id().empty());
  EXPECT_FALSE(tree.is_nil());
  EXPECT_TRUE(tree.get_sub().empty());
  EXPECT_TRUE(tree.get_named_sub().empty());
  EXPECT_EQ(tree.find("x").id(), "nil");
  EXPECT_TRUE(tree.get("x").empty());
  EXPECT_TRUE(is_static_empty_block(tree));
}

TEST(Irep, WritingThroughACopyLeavesTheOriginalAlone)
{
  irept original("a");
  original.set("x", "1");
  irept copy = original;
  EXPECT_EQ(&copy.read(), &original.read());
  EXPECT_EQ(original.read().ref_count, 2u);

  copy.add("y").id("2");
  EXPECT_EQ(original.read().ref_count, 1u);
  EXPECT_EQ(copy.read().ref_count, 1u);
  EXPECT_EQ(original.get_named_sub().size(), 1u);
  EXPECT_EQ(copy.get("y"), "2");
  // One level only: the untouched child is still shared.
  EXPECT_EQ(&copy.find("x").read(), &original.find("x").read());
  EXPECT_EQ(original.find("x").read().ref_count, 2u);
}

TEST(Irep, CommentNamesGoToTheCommentMap)
{
  irept tree;
  tree.add("#location").id("here");
  tree.add("").id("unnamed-name");
  EXPECT_EQ(tree.get_named_sub().size(), 1u);
  EXPECT_EQ(tree.get_named_sub().count(""), 1u);
  EXPECT_EQ(tree.get_comments().size(), 1u);
  EXPECT_EQ(tree.get("#location"), "here");
  EXPECT_TRUE(tree.find("location").is_nil());
  tree.remove("#location");
  EXPECT_TRUE(tree.get_comments().empty());
}

TEST(Irep, RemoveOfAnAbsentNameStillUnshares)
{
  irept a("a");
  irept b = a;
  b.remove("absent");
  EXPECT_NE(&a.read(), &b.read());
  EXPECT_EQ(a.read().ref_count, 1u);
}

TEST(Irep, MoveToSubLeavesNilAndMoveToNamedSubLeavesEmpty)
{
  irept tree("t");
  irept child("c");
  tree.move_to_sub(child);
  EXPECT_TRUE(child.is_nil());
  irept named("n");
  tree.move_to_named_sub("k", named);
  EXPECT_TRUE(named.id().empty());
  EXPECT_FALSE(named.is_nil());
  ASSERT_EQ(tree.get_sub().size(), 1u);
  EXPECT_EQ(tree.get_sub()[0].id(), "c");
  EXPECT_EQ(tree.get("k"), "n");
}

TEST(Irep, SetNumberAndGetBool)
{
  irept tree;
  tree.set("n", -5);
  EXPECT_EQ(tree.get("n"), "-5");

  const std::map<std::string, bool> cases = {
    {"1", true},
    {"12abc", true},
    {"  -3", true},
    {"+0007", true},
    {"4294967296", true}, // saturates instead of wrapping to 0
    {"0", false},
    {"-0", false},
    {"abc", false},
    {"", false},
    {"0x10", false}};
  for(const auto &c : cases)
  {
    tree.set("b", dstring(c.first));
    EXPECT_EQ(tree.get_bool("b"), c.second) << c.first;
  }
  EXPECT_FALSE(tree.get_bool("absent"));
}

TEST(Irep, MakeNilGivesAFreshBlock)
{
  irept a("a");
  irept b = a;
  b.make_nil();
  EXPECT_EQ(a.id(), "a");
  EXPECT_TRUE(b.is_nil());
  EXPECT_TRUE(b == get_nil_irep());
  EXPECT_NE(&b.read(), &get_nil_irep().read());
  EXPECT_EQ(b.read().ref_count, 1u);
}

TEST(Irep, ReleasingATreeKeepsSharedSubtreesAlive)
{
  irept shared("shared");
  shared.add("leaf").id("x");
  {
    irept root("root");
    irept middle("middle");
    middle.get_sub().push_back(shared);
    root.get_sub().push_back(middle);
    root.set("s", shared);
    EXPECT_EQ(shared.read().ref_count, 3u);
  }
  EXPECT_EQ(shared.read().ref_count, 1u);
  EXPECT_EQ(shared.get("leaf"), "x");
}

TEST(Irep, FreeingADeepChainOfTreesOverflowedTheStack)
{
  // Each tree below the one before as an unnamed child, a named child or a
  // comment in turn; far deeper than a stack holds one frame per level for.
  const int deep = 500000;
  const char *const names[] = {"", "op", "#c"};
  irept chain("leaf");
  irept middle;
  for(int level = 0; level < deep; ++level)
  {
    irept parent("n");
    if(level % 3 == 0)
      parent.move_to_sub(chain);
    else
      parent.move_to_named_sub(names[level % 3], chain);
    chain.swap(parent);
    if(level == deep / 2)
      middle = chain;
  }
  chain.clear();

  // Freeing stops at a block that another tree still holds.
  EXPECT_EQ(middle.read().ref_count, 1u);
  const irept *node = &middle;
  for(int level = deep / 2; level >= 0; --level)
  {
    ASSERT_EQ(node->id(), "n");
    node = level % 3 == 0 ? &node->get_sub()[0] : &node->find(names[level % 3]);
  }
  EXPECT_EQ(node->id(), "leaf");
}

TEST(Irep, AssigningAPartOfTheTreeToTheTree)
{
  irept tree("outer");
  irept inner("inner");
  inner.set("k", "v");
  tree.move_to_sub(inner);
  tree.set("n", irept("named"));
  ASSERT_EQ(tree.read().ref_count, 1u);

  tree = tree.get_sub()[0];
  EXPECT_EQ(tree.id(), "inner");
  EXPECT_EQ(tree.get("k"), "v");
  EXPECT_EQ(tree.read().ref_count, 1u);

  tree = tree.find("k");
  EXPECT_EQ(tree.id(), "v");
}

// An expression with operands, a type, a named child and a comment, built
// anew on each call so that it shares nothing with an earlier one.
static exprt sample_expr()
{
  exprt result("+", typet("unsignedbv"));
  result.type().set("width", 8);
  result.copy_to_operands(exprt("symbol"), exprt("constant"));
  result.op0().set("identifier", "x");
  result.add("n").set("k", "v");
  result.add("#c").id("comment");
  return result;
}

// Standard algorithms swap an element with itself (std::shuffle does), and
// code sets a child to what it already holds: none of this may change the
// tree, whether its block is shared or not.
TEST(Irep, AssigningATreeToItselfLeavesItUnchanged)
{
  const struct
  {
    const char *form;
    std::function<void(exprt &)> apply;
  } forms[] = {
    {"copy",
     [](exprt &tree) {
       const exprt &alias = tree;
       tree = alias;
     }},
    {"copy as a tree",
     [](exprt &tree) {
       irept &alias = tree;
       alias = static_cast<const irept &>(tree);
     }},
    {"move",
     [](exprt &tree) {
       exprt &alias = tree;
       tree = std::move(alias);
     }},
    {"std::swap", [](exprt &tree) { std::swap(tree, tree); }},
    {"set with its own child",
     [](exprt &tree) { tree.set("n", tree.find("n")); }},
    {"set with its own comment",
     [](exprt &tree) { tree.set("#c", tree.find("#c")); }},
    {"an operand to itself", [](exprt &tree) { tree.op0() = tree.op0(); }},
    {"the type to itself",
     [](exprt &tree) {
       tree.type() = static_cast<const exprt &>(tree).type();
     }},
    {"move_to_named_sub of its own child",
     [](exprt &tree) { tree.move_to_named_sub("n", tree.add("n")); }},
  };
  for(const auto &form : forms)
  {
    for(const bool shared : {false, true})
    {
      exprt tree = sample_expr();
      const exprt other = shared ? tree : exprt();
      form.apply(tree);
      EXPECT_TRUE(tree.full_eq(sample_expr()))
        << form.form << (shared ? ", shared" : "") << "\n"
        << tree.pretty();
      if(shared)
      {
        EXPECT_TRUE(other.full_eq(sample_expr())) << form.form;
      }
    }
  }

  // Distinct elements, so that the result must be a permutation of them;
  // over a few seeds some element is swapped with itself.
  auto element = [](int k) {
    exprt result = sample_expr();
    result.set("k", k);
    return result;
  };
  std::vector<exprt> elements;
  for(int k = 0; k < 16; ++k)
    elements.push_back(element(k));
  for(unsigned seed = 1; seed <= 8; ++seed)
  {
    std::mt19937 random(seed);
    std::shuffle(elements.begin(), elements.end(), random);
    std::set<int> seen;
    for(const exprt &shuffled : elements)
    {
      const int k = std::stoi(shuffled.get("k").as_string());
      EXPECT_TRUE(shuffled.full_eq(element(k))) << "seed " << seed;
      seen.insert(k);
    }
    EXPECT_EQ(seen.size(), elements.size()) << "seed " << seed;
  }
}

// A plain tree with value semantics to check the shared trees against.
struct model_treet
{
  std::string id;
  std::map<std::string, model_treet> named;
  std::vector<model_treet> sub;
};

static void expect_same(const irept &tree, const model_treet &model)
{
  ASSERT_EQ(tree.id().as_string(), model.id);
  ASSERT_EQ(tree.get_sub().size(), model.sub.size());
  for(std::size_t i = 0; i < model.sub.size(); ++i)
    expect_same(tree.get_sub()[i], model.sub[i]);
  std::size_t named = 0;
  for(const auto &m : model.named)
    named += m.first[0] == '#' ? 0 : 1;
  ASSERT_EQ(tree.get_named_sub().size(), named);
  ASSERT_EQ(tree.get_comments().size(), model.named.size() - named);
  for(const auto &m : model.named)
    expect_same(tree.find(m.first), m.second);
}

class random_editt
{
public:
  explicit random_editt(unsigned seed) : random(seed)
  {
  }

  // Walks down both trees along the same random path, writing through the
  // irept at every step, then changes the node it reaches.
  void edit(irept &tree, model_treet &model)
  {
    irept *node = &tree;
    model_treet *m = &model;
    while(pick(3) != 0)
    {
      if(!m->sub.empty() && pick(2) == 0)
      {
        const std::size_t i = pick(m->sub.size());
        node = &node->get_sub()[i];
        m = &m->sub[i];
      }
      else if(!m->named.empty())
      {
        auto it = m->named.begin();
        std::advance(it, pick(m->named.size()));
        node = &node->add(it->first);
        m = &it->second;
      }
    }
    change(*node, *m);
  }

private:
  std::mt19937 random;

  std::size_t pick(std::size_t n)
  {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
  }

  std::string name()
  {
    static const char *const names[] = {"a", "b", "#c", "type", ""};
    return names[pick(5)];
  }

  void change(irept &node, model_treet &m)
  {
    switch(pick(5))
    {
    case 0:
    {
      const std::string id = "id" + std::to_string(pick(4));
      node.id(id);
      m.id = id;
      break;
    }
    case 1:
    {
      const std::string n = name(), id = "v" + std::to_string(pick(4));
      node.set(n, id);
      m.named[n].id = id;
      break;
    }
    case 2:
    {
      irept leaf("leaf");
      node.move_to_sub(leaf);
      m.sub.push_back(model_treet{"leaf", {}, {}});
      break;
    }
    case 3:
    {
      const std::string n = name();
      node.remove(n);
      m.named.erase(n);
      break;
    }
    default:
      if(!m.sub.empty())
      {
        node.get_sub().pop_back();
        m.sub.pop_back();
      }
    }
  }
};

TEST(Irep, CopyOnWriteUnderRandomEditsMatchesDeepCopies)
{
  random_editt editor(12345);
  std::vector<irept> trees(1, irept("root"));
  std::vector<model_treet> models(1, model_treet{"root", {}, {}});
  std::mt19937 random(99);
  for(int step = 0; step < 3000; ++step)
  {
    const std::size_t i = random() % trees.size();
    if(trees.size() < 6 && random() % 8 == 0)
    {
      // A new copy shares every block with its source.
      trees.push_back(trees[i]);
      models.push_back(models[i]);
      continue;
    }
    const std::size_t j = random() % trees.size();
    if(j != i && random() % 50 == 0)
    {
      trees[i] = trees[j];
      models[i] = models[j];
      continue;
    }
    editor.edit(trees[i], models[i]);
    for(std::size_t t = 0; t < trees.size(); ++t)
    {
      SCOPED_TRACE("step " + std::to_string(step));
      expect_same(trees[t], models[t]);
    }
  }
}
