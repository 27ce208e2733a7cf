#include "menu_tree_model.h"

#include "display_text.h"

namespace quillet::ui {

MenuTreeModel::MenuTreeModel(MenuTree& tree, QObject* parent) : QAbstractItemModel(parent), tree_(tree) {
  tree_.setObserver(this);
}

MenuTreeModel::~MenuTreeModel() { tree_.setObserver(nullptr); }

QModelIndex MenuTreeModel::indexForNode(const MenuNode* node) const {
  if (node == nullptr) return {};
  return createIndex(node->row(), 0, const_cast<MenuNode*>(node));
}

MenuNode* MenuTreeModel::nodeForIndex(const QModelIndex& index) {
  return index.isValid() ? static_cast<MenuNode*>(index.internalPointer()) : nullptr;
}

QModelIndex MenuTreeModel::index(int row, int column, const QModelIndex& parent) const {
  if (!hasIndex(row, column, parent)) return {};
  const MenuNode* parentNode = nodeForIndex(parent);
  MenuNode* node = parentNode != nullptr ? parentNode->child(static_cast<std::size_t>(row))
                                         : tree_.topLevel()[static_cast<std::size_t>(row)].get();
  return createIndex(row, column, node);
}

QModelIndex MenuTreeModel::parent(const QModelIndex& child) const {
  const MenuNode* node = nodeForIndex(child);
  return node != nullptr ? indexForNode(node->parent()) : QModelIndex();
}

int MenuTreeModel::rowCount(const QModelIndex& parent) const {
  if (parent.column() > 0) return 0;
  const MenuNode* node = nodeForIndex(parent);
  return static_cast<int>(node != nullptr ? node->childCount() : tree_.topLevel().size());
}

int MenuTreeModel::columnCount(const QModelIndex&) const { return 1; }

QVariant MenuTreeModel::data(const QModelIndex& index, int role) const {
  const MenuNode* node = nodeForIndex(index);
  if (node == nullptr || role != Qt::DisplayRole) return {};
  // Captions are 8-bit byte strings shown as Latin-1, with control characters escaped
  // ("\n", "\x01") so that a caption from a file shows what it holds on one line.
  return QString::fromStdString(PrintableLatin1(node->caption));
}

Qt::ItemFlags MenuTreeModel::flags(const QModelIndex& index) const {
  // Captions are read-only: items change through the document's commands only.
  return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void MenuTreeModel::nodesAboutToBeInserted(MenuNode* parent, int row) {
  beginInsertRows(indexForNode(parent), row, row);
}

void MenuTreeModel::nodesInserted(MenuNode*, int) { endInsertRows(); }

void MenuTreeModel::nodeAboutToBeRemoved(MenuNode* parent, int row) {
  beginRemoveRows(indexForNode(parent), row, row);
}

void MenuTreeModel::nodeRemoved(MenuNode*, int) { endRemoveRows(); }

void MenuTreeModel::nodeAboutToBeMoved(MenuNode* parent, int fromRow, int toRow) {
  // Qt refuses moves that leave the order as it is; then there is nothing to end.
  const QModelIndex parentIndex = indexForNode(parent);
  moveAnnounced_ = beginMoveRows(parentIndex, fromRow, fromRow, parentIndex, toRow);
}

void MenuTreeModel::nodeMoved(MenuNode*, int, int) {
  if (moveAnnounced_) endMoveRows();
  moveAnnounced_ = false;
}

void MenuTreeModel::nodeChanged(MenuNode* node) {
  const QModelIndex index = indexForNode(node);
  emit dataChanged(index, index, {Qt::DisplayRole});
}

void MenuTreeModel::aboutToClear() { beginResetModel(); }

void MenuTreeModel::cleared() { endResetModel(); }

}  // namespace quillet::ui
