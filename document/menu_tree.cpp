#include "menu_tree.h"

#include <utility>

namespace quillet {

namespace {

int CountNodes(NodeList<const MenuNode> list) {
  int count = 0;
  for (const MenuNode* node : list) count += 1 + CountNodes(node->children());
  return count;
}

// Depth-first search for `target`; `position` counts the nodes passed so far.
bool FindPosition(NodeList<const MenuNode> list, const MenuNode* target, int& position) {
  for (const MenuNode* node : list) {
    if (node == target) return true;
    ++position;
    if (FindPosition(node->children(), target, position)) return true;
  }
  return false;
}

const MenuNode* FindAt(NodeList<const MenuNode> list, int& remaining) {
  for (const MenuNode* node : list) {
    if (remaining == 0) return node;
    --remaining;
    if (const MenuNode* found = FindAt(node->children(), remaining)) return found;
  }
  return nullptr;
}

template <typename Node, typename Visitor>
void Visit(NodeList<Node> list, const Visitor& visit) {
  for (Node* node : list) {
    visit(*node);
    Visit(node->children(), visit);
  }
}

}  // namespace

int MenuTree::nodeCount() const { return CountNodes(topLevel()); }

std::vector<std::unique_ptr<MenuNode>>& MenuTree::siblingsOf(const MenuNode* node) {
  return node->parent_ != nullptr ? node->parent_->children_ : roots_;
}

const std::vector<std::unique_ptr<MenuNode>>& MenuTree::siblingsOf(const MenuNode* node) const {
  return node->parent_ != nullptr ? node->parent_->children_ : roots_;
}

void MenuTree::renumber(std::vector<std::unique_ptr<MenuNode>>& list) {
  for (std::size_t i = 0; i < list.size(); ++i) list[i]->row_ = static_cast<int>(i);
}

MenuNode* MenuTree::insertAt(MenuNode* parent, int row, std::string caption, TMMAItem item) {
  auto& list = parent != nullptr ? parent->children_ : roots_;
  if (observer_ != nullptr) observer_->nodesAboutToBeInserted(parent, row);
  auto node = std::make_unique<MenuNode>(std::move(caption), std::move(item));
  node->parent_ = parent;
  MenuNode* added = node.get();
  list.insert(list.begin() + row, std::move(node));
  renumber(list);
  if (observer_ != nullptr) observer_->nodesInserted(parent, row);
  return added;
}

MenuNode* MenuTree::addTopLevel(std::string caption, TMMAItem item) {
  return insertAt(nullptr, static_cast<int>(roots_.size()), std::move(caption), std::move(item));
}

MenuNode* MenuTree::addFirstChild(MenuNode* parent, std::string caption, TMMAItem item) {
  return insertAt(parent, 0, std::move(caption), std::move(item));
}

MenuNode* MenuTree::addLastChild(MenuNode* parent, std::string caption, TMMAItem item) {
  return insertAt(parent, static_cast<int>(parent->children_.size()), std::move(caption), std::move(item));
}

MenuNode* MenuTree::insertBefore(MenuNode* sibling, std::string caption, TMMAItem item) {
  return insertAt(sibling->parent_, sibling->row_, std::move(caption), std::move(item));
}

void MenuTree::move(MenuNode* node, MenuNode* parent, int row) {
  auto& from = siblingsOf(node);
  auto& to = parent != nullptr ? parent->children_ : roots_;
  const int fromRow = node->row_;
  const bool sameList = &from == &to;
  // Moving a node before itself or before its own next sibling leaves the order as it is;
  // a view must not be told about a move that does not happen.
  if (isWithin(parent, node) || row < 0 || row > static_cast<int>(to.size()) ||
      (sameList && (row == fromRow || row == fromRow + 1))) {
    return;
  }
  MenuNode* fromParent = node->parent_;
  if (observer_ != nullptr) observer_->nodeAboutToBeMoved(fromParent, fromRow, parent, row);
  std::unique_ptr<MenuNode> moving = std::move(from[static_cast<std::size_t>(fromRow)]);
  from.erase(from.begin() + fromRow);
  const int insertRow = sameList && row > fromRow ? row - 1 : row;
  moving->parent_ = parent;
  to.insert(to.begin() + insertRow, std::move(moving));
  renumber(from);
  if (!sameList) renumber(to);
  if (observer_ != nullptr) observer_->nodeMoved(fromParent, fromRow, parent, row);
}

bool MenuTree::isWithin(const MenuNode* node, const MenuNode* ancestor) {
  for (; node != nullptr; node = node->parent_) {
    if (node == ancestor) return true;
  }
  return false;
}

void MenuTree::remove(MenuNode* node) {
  auto& list = siblingsOf(node);
  MenuNode* parent = node->parent_;
  const int row = node->row_;
  if (observer_ != nullptr) observer_->nodeAboutToBeRemoved(parent, row);
  list.erase(list.begin() + row);
  renumber(list);
  if (observer_ != nullptr) observer_->nodeRemoved(parent, row);
}

void MenuTree::clear() {
  if (observer_ != nullptr) observer_->aboutToClear();
  roots_.clear();
  if (observer_ != nullptr) observer_->cleared();
}

void MenuTree::adopt(MenuTree&& other) {
  if (observer_ != nullptr) observer_->aboutToClear();
  roots_ = std::move(other.roots_);
  other.roots_.clear();
  if (observer_ != nullptr) observer_->cleared();
}

void MenuTree::notifyChanged(MenuNode* node) {
  if (observer_ != nullptr) observer_->nodeChanged(node);
}

int MenuTree::absoluteIndex(const MenuNode* node) const {
  int position = 0;
  return FindPosition(topLevel(), node, position) ? position : -1;
}

const MenuNode* MenuTree::nodeAt(int absoluteIndex) const {
  if (absoluteIndex < 0) return nullptr;
  int remaining = absoluteIndex;
  return FindAt(topLevel(), remaining);
}

// The mutable forms reach the same nodes as the const ones; the tree owns them, so a
// mutable tree may hand them out mutable.
MenuNode* MenuTree::nodeAt(int absoluteIndex) {
  return mutableNode(std::as_const(*this).nodeAt(absoluteIndex));
}

const MenuNode* MenuTree::nextSibling(const MenuNode* node) const {
  const auto& list = siblingsOf(node);
  const auto next = static_cast<std::size_t>(node->row_) + 1;
  return next < list.size() ? list[next].get() : nullptr;
}

MenuNode* MenuTree::nextSibling(const MenuNode* node) {
  return mutableNode(std::as_const(*this).nextSibling(node));
}

const MenuNode* MenuTree::previousSibling(const MenuNode* node) const {
  const auto& list = siblingsOf(node);
  return node->row_ > 0 ? list[static_cast<std::size_t>(node->row_) - 1].get() : nullptr;
}

MenuNode* MenuTree::previousSibling(const MenuNode* node) {
  return mutableNode(std::as_const(*this).previousSibling(node));
}

void MenuTree::forEach(const std::function<void(MenuNode&)>& visit) { Visit(topLevel(), visit); }

void MenuTree::forEach(const std::function<void(const MenuNode&)>& visit) const { Visit(topLevel(), visit); }

}  // namespace quillet
