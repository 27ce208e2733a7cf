#pragma once
// The menu tree: one node per menu record, each owning its TMMAItem. The tree is the
// master of order and nesting; it reports every structural change to an observer so
// that a view (the Qt item model in the window) follows without being rebuilt.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "item.h"

namespace quillet {

class MenuNode;

// A read view of a sibling list that keeps the constness of whoever owns it: a const
// node or tree hands out const children only.
template <typename Node>
class NodeList {
  using Storage = std::vector<std::unique_ptr<MenuNode>>;

 public:
  class iterator {
   public:
    explicit iterator(Storage::const_iterator at) : at_(at) {}
    Node* operator*() const { return at_->get(); }
    iterator& operator++() {
      ++at_;
      return *this;
    }
    bool operator==(const iterator&) const = default;

   private:
    Storage::const_iterator at_;
  };

  explicit NodeList(const Storage& list) : list_(&list) {}
  iterator begin() const { return iterator(list_->begin()); }
  iterator end() const { return iterator(list_->end()); }
  std::size_t size() const { return list_->size(); }
  bool empty() const { return list_->empty(); }
  Node* operator[](std::size_t i) const { return (*list_)[i].get(); }
  Node* front() const { return list_->front().get(); }
  Node* back() const { return list_->back().get(); }

 private:
  const Storage* list_;
};

class MenuNode {
 public:
  MenuNode(std::string text, TMMAItem record) : caption_(std::move(text)), item_(std::move(record)) {}
  MenuNode(const MenuNode&) = delete;
  MenuNode& operator=(const MenuNode&) = delete;

  // The text the tree shows (8-bit, as the catalogue and file give it).
  const std::string& caption() const { return caption_; }
  // The node's menu record. Both change only through the tree (MenuTree::editCaption,
  // MenuTree::editRecord), so nothing holding a const tree can change them.
  const TMMAItem& item() const { return item_; }

  MenuNode* parent() { return parent_; }
  const MenuNode* parent() const { return parent_; }
  NodeList<MenuNode> children() { return NodeList<MenuNode>(children_); }
  NodeList<const MenuNode> children() const { return NodeList<const MenuNode>(children_); }
  bool hasChildren() const { return !children_.empty(); }
  MenuNode* firstChild() { return children_.empty() ? nullptr : children_.front().get(); }
  const MenuNode* firstChild() const { return children_.empty() ? nullptr : children_.front().get(); }
  MenuNode* child(std::size_t i) { return children_[i].get(); }
  const MenuNode* child(std::size_t i) const { return children_[i].get(); }
  std::size_t childCount() const { return children_.size(); }

  // Position among its siblings (top-level nodes are siblings of each other).
  int row() const { return row_; }

 private:
  friend class MenuTree;
  std::string caption_;
  TMMAItem item_;
  MenuNode* parent_ = nullptr;
  int row_ = 0;
  std::vector<std::unique_ptr<MenuNode>> children_;
};

// Typed change notices; parent is nullptr for top-level nodes.
class TreeObserver {
 public:
  virtual ~TreeObserver() = default;
  virtual void nodesAboutToBeInserted(MenuNode* parent, int row) = 0;
  virtual void nodesInserted(MenuNode* parent, int row) = 0;
  virtual void nodeAboutToBeRemoved(MenuNode* parent, int row) = 0;
  virtual void nodeRemoved(MenuNode* parent, int row) = 0;
  // The node at fromRow of fromParent's list moves so that it ends up before the node
  // now at toRow of toParent's list (toRow may equal that list's size: move to the end).
  virtual void nodeAboutToBeMoved(MenuNode* fromParent, int fromRow, MenuNode* toParent, int toRow) = 0;
  virtual void nodeMoved(MenuNode* fromParent, int fromRow, MenuNode* toParent, int toRow) = 0;
  virtual void nodeChanged(MenuNode* node) = 0;  // caption or item fields changed
  virtual void aboutToClear() = 0;
  virtual void cleared() = 0;
};

class MenuTree {
 public:
  MenuTree() = default;
  MenuTree(const MenuTree&) = delete;
  MenuTree& operator=(const MenuTree&) = delete;

  void setObserver(TreeObserver* observer) { observer_ = observer; }

  NodeList<MenuNode> topLevel() { return NodeList<MenuNode>(roots_); }
  NodeList<const MenuNode> topLevel() const { return NodeList<const MenuNode>(roots_); }
  bool empty() const { return roots_.empty(); }
  int nodeCount() const;  // all nodes at every depth

  MenuNode* addTopLevel(std::string caption, TMMAItem item);
  MenuNode* addFirstChild(MenuNode* parent, std::string caption, TMMAItem item);
  MenuNode* addLastChild(MenuNode* parent, std::string caption, TMMAItem item);
  MenuNode* insertBefore(MenuNode* sibling, std::string caption, TMMAItem item);

  // Moves node (with its subtree) into `parent`'s list (nullptr: the top level), just
  // before the node now at `row` there; the list's size puts it last. A node never moves
  // into its own subtree; a move that leaves the order as it is is not announced.
  void move(MenuNode* node, MenuNode* parent, int row);
  // True when `node` is `ancestor` or lies below it.
  static bool isWithin(const MenuNode* node, const MenuNode* ancestor);
  // Deletes the node with its subtree.
  void remove(MenuNode* node);
  void clear();
  // Takes over the nodes of `other` in place of this tree's own (a load that succeeded);
  // the observer sees one reset, and `other` is left empty.
  void adopt(MenuTree&& other);

  // Tells the observer that a node's caption or item fields changed.
  void notifyChanged(MenuNode* node);

  // Write access to a node's caption and record, for the document's own operations: a
  // change to what a view shows is followed by notifyChanged once it is complete, while
  // the record's links, slot and data bookkeeping change without a notice. Any node of
  // this tree may be given, also one found through const access.
  std::string& editCaption(const MenuNode& node) { return mutableNode(&node)->caption_; }
  TMMAItem& editRecord(const MenuNode& node) { return mutableNode(&node)->item_; }

  // Depth-first position in the whole tree (0 "Softkeys", 8 "Menu Root"); -1 if absent.
  int absoluteIndex(const MenuNode* node) const;
  MenuNode* nodeAt(int absoluteIndex);
  const MenuNode* nodeAt(int absoluteIndex) const;
  MenuNode* nextSibling(const MenuNode* node);
  const MenuNode* nextSibling(const MenuNode* node) const;
  MenuNode* previousSibling(const MenuNode* node);
  const MenuNode* previousSibling(const MenuNode* node) const;

  // Visits every node depth-first, in tree order.
  void forEach(const std::function<void(MenuNode&)>& visit);
  void forEach(const std::function<void(const MenuNode&)>& visit) const;

 private:
  std::vector<std::unique_ptr<MenuNode>>& siblingsOf(const MenuNode* node);
  const std::vector<std::unique_ptr<MenuNode>>& siblingsOf(const MenuNode* node) const;
  MenuNode* insertAt(MenuNode* parent, int row, std::string caption, TMMAItem item);
  static void renumber(std::vector<std::unique_ptr<MenuNode>>& list);
  // The tree owns its nodes, so a mutable tree may hand any of them out mutable.
  MenuNode* mutableNode(const MenuNode* node) { return const_cast<MenuNode*>(node); }

  std::vector<std::unique_ptr<MenuNode>> roots_;
  TreeObserver* observer_ = nullptr;
};

}  // namespace quillet
