#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "menu_tree.h"

namespace quillet {
namespace {

// Writes every notice as a line, with the parent named by its caption.
class RecordingObserver : public TreeObserver {
 public:
  std::vector<std::string> log;
  void nodesAboutToBeInserted(MenuNode* p, int row) override { Add("about-insert", p, row); }
  void nodesInserted(MenuNode* p, int row) override { Add("inserted", p, row); }
  void nodeAboutToBeRemoved(MenuNode* p, int row) override { Add("about-remove", p, row); }
  void nodeRemoved(MenuNode* p, int row) override { Add("removed", p, row); }
  void nodeAboutToBeMoved(MenuNode* p, int from, MenuNode* q, int to) override {
    Add("about-move", p, from, Name(q) + " " + std::to_string(to));
  }
  void nodeMoved(MenuNode* p, int from, MenuNode* q, int to) override {
    Add("moved", p, from, Name(q) + " " + std::to_string(to));
  }
  void nodeChanged(MenuNode* n) override { log.push_back("changed " + n->caption()); }
  void aboutToClear() override { log.push_back("about-clear"); }
  void cleared() override { log.push_back("cleared"); }

 private:
  static std::string Name(const MenuNode* p) { return p ? p->caption() : std::string("<top>"); }
  void Add(const std::string& what, MenuNode* p, int a, const std::string& more = {}) {
    std::string line = what + " " + Name(p) + " " + std::to_string(a);
    if (!more.empty()) line.append(" ").append(more);
    log.push_back(line);
  }
};

class MenuTreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    top = tree.addTopLevel("Top", {});
    a = tree.addLastChild(top, "A", {});
    b = tree.addLastChild(top, "B", {});
    c = tree.addLastChild(top, "C", {});
    a1 = tree.addLastChild(a, "A1", {});
    other = tree.addTopLevel("Other", {});
    tree.setObserver(&observer);
  }
  std::vector<std::string> Order(const MenuNode* parent) {
    std::vector<std::string> out;
    for (const auto& n : parent->children()) out.push_back(n->caption() + "@" + std::to_string(n->row()));
    return out;
  }
  MenuTree tree;
  RecordingObserver observer;
  MenuNode *top, *a, *b, *c, *a1, *other;
};

TEST_F(MenuTreeTest, AbsoluteIndexIsTheDepthFirstPosition) {
  EXPECT_EQ(tree.nodeCount(), 6);
  EXPECT_EQ(tree.absoluteIndex(top), 0);
  EXPECT_EQ(tree.absoluteIndex(a1), 2);
  EXPECT_EQ(tree.absoluteIndex(c), 4);
  EXPECT_EQ(tree.absoluteIndex(other), 5);
  EXPECT_EQ(tree.nodeAt(3), b);
  EXPECT_EQ(tree.nodeAt(6), nullptr);
  EXPECT_EQ(tree.nodeAt(-1), nullptr);
  MenuTree unrelated;
  EXPECT_EQ(unrelated.absoluteIndex(a), -1);
}

TEST_F(MenuTreeTest, SiblingNavigationStopsAtTheEndsOfTheList) {
  EXPECT_EQ(tree.nextSibling(a), b);
  EXPECT_EQ(tree.previousSibling(a), nullptr);
  EXPECT_EQ(tree.nextSibling(c), nullptr);
  EXPECT_EQ(tree.previousSibling(other), top);  // top-level nodes are siblings
  EXPECT_EQ(a1->parent(), a);
  EXPECT_EQ(top->parent(), nullptr);
}

TEST_F(MenuTreeTest, InsertionsAreAnnouncedAtTheirRow) {
  MenuNode* first = tree.addFirstChild(top, "First", {});
  MenuNode* before = tree.insertBefore(c, "BeforeC", {});
  EXPECT_EQ(Order(top), (std::vector<std::string>{"First@0", "A@1", "B@2", "BeforeC@3", "C@4"}));
  EXPECT_EQ(first->parent(), top);
  EXPECT_EQ(before->row(), 3);
  EXPECT_EQ(observer.log, (std::vector<std::string>{"about-insert Top 0", "inserted Top 0",
                                                    "about-insert Top 3", "inserted Top 3"}));
}

TEST_F(MenuTreeTest, RemovalTakesTheSubtreeAndRenumbers) {
  tree.remove(a);
  EXPECT_EQ(Order(top), (std::vector<std::string>{"B@0", "C@1"}));
  EXPECT_EQ(tree.nodeCount(), 4);
  EXPECT_EQ(observer.log, (std::vector<std::string>{"about-remove Top 0", "removed Top 0"}));
}

TEST_F(MenuTreeTest, MovesReportTheDestinationBeforeTheMove) {
  tree.move(c, top, 0);  // up to the front
  EXPECT_EQ(Order(top), (std::vector<std::string>{"C@0", "A@1", "B@2"}));
  tree.move(c, top, 3);  // to the end
  EXPECT_EQ(Order(top), (std::vector<std::string>{"A@0", "B@1", "C@2"}));
  tree.move(a, other, 0);  // into another list, with its subtree
  EXPECT_EQ(Order(top), (std::vector<std::string>{"B@0", "C@1"}));
  EXPECT_EQ(Order(other), (std::vector<std::string>{"A@0"}));
  EXPECT_EQ(a->parent(), other);
  EXPECT_EQ(a1->parent(), a);
  EXPECT_EQ(tree.absoluteIndex(a1), 5);
  EXPECT_EQ(observer.log, (std::vector<std::string>{"about-move Top 2 Top 0", "moved Top 2 Top 0",
                                                    "about-move Top 0 Top 3", "moved Top 0 Top 3",
                                                    "about-move Top 0 Other 0", "moved Top 0 Other 0"}));
}

TEST_F(MenuTreeTest, MovesThatChangeNothingAreNotAnnounced) {
  tree.move(a, top, 0);
  tree.move(a, top, 1);
  tree.move(c, top, 3);
  tree.move(a, a1, 0);   // never into its own subtree
  tree.move(a, top, 4);  // nor past the end of a list
  EXPECT_EQ(Order(top), (std::vector<std::string>{"A@0", "B@1", "C@2"}));
  EXPECT_TRUE(observer.log.empty());
}

TEST_F(MenuTreeTest, TopLevelNoticesHaveNoParent) {
  tree.move(other, nullptr, 0);
  EXPECT_EQ(tree.topLevel().front(), other);
  EXPECT_EQ(observer.log.front(), "about-move <top> 1 <top> 0");
}

TEST_F(MenuTreeTest, ClearAndChangeNotices) {
  tree.notifyChanged(b);
  tree.clear();
  EXPECT_TRUE(tree.empty());
  EXPECT_EQ(tree.nodeCount(), 0);
  EXPECT_EQ(observer.log, (std::vector<std::string>{"changed B", "about-clear", "cleared"}));
}

TEST_F(MenuTreeTest, ForEachVisitsInTreeOrder) {
  std::string seen;
  tree.forEach([&](MenuNode& n) { seen += n.caption() + ","; });
  EXPECT_EQ(seen, "Top,A,A1,B,C,Other,");
}

}  // namespace
}  // namespace quillet
