#include "menu_tree_model.h"

#include <QMimeData>

#include "display_text.h"
#include "item_appearance.h"
#include "language_name_words.h"
#include "node_rules.h"
#include "utf8.h"

namespace quillet::ui {

namespace {

const QString kNodeMimeType = QStringLiteral("application/x-quillet-menu-item");

// What a drag carries: the dragged node of one model. A drop is taken only from the
// same model and only while the node is still in its tree, so a drag from another
// window or program, or one that outlived an edit, is refused.
class NodeMimeData : public QMimeData {
 public:
  NodeMimeData(const MenuTreeModel* model, MenuNode* node) : model_(model), node_(node) {
    setData(kNodeMimeType, QByteArray());
  }
  MenuNode* nodeFor(const MenuTreeModel* model, const MenuTree& tree) const {
    return model == model_ && tree.absoluteIndex(node_) >= 0 ? node_ : nullptr;
  }

 private:
  const MenuTreeModel* model_;
  MenuNode* node_;
};

}  // namespace

MenuTreeModel::MenuTreeModel(MenuDocument& document, QObject* parent)
    : QAbstractItemModel(parent), document_(document), tree_(document.tree) {
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
  MenuNode* parentNode = nodeForIndex(parent);
  MenuNode* node = parentNode != nullptr ? parentNode->child(static_cast<std::size_t>(row))
                                         : tree_.topLevel()[static_cast<std::size_t>(row)];
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
  if (node == nullptr) return {};
  if (role == Qt::ToolTipRole) return toolTip(*node);
  if (role != Qt::DisplayRole) return {};
  // Captions are 8-bit byte strings shown as Latin-1, with control characters escaped
  // ("\n", "\x01") so that a caption from a file shows what it holds on one line.
  return QString::fromStdString(PrintableLatin1(node->caption()));
}

QString MenuTreeModel::toolTip(const MenuNode& node) const {
  const NodeDetails details = NodeDetailsOf(document_, node);
  auto text = [](const std::u16string& utf16) {
    return QString::fromStdString(PrintableUtf8(Utf16ToUtf8(utf16)));
  };
  QStringList lines{
      tr("Identifier: %1").arg(QString::fromStdString(PrintableLatin1(node.item().identifier)))};
  auto names = [&](const std::vector<TMMANameEntry>& entries, const QString& heading) {
    if (entries.empty()) return;
    lines << heading;
    for (const TMMANameEntry& entry : entries)
      lines << QStringLiteral("  %1: %2").arg(LanguageWords(entry.language), text(entry.text));
  };
  names(details.names, tr("Names:"));
  names(details.softkeyTitles, tr("Softkey titles:"));
  for (const NodeDetails::Icon& icon : details.icons) {
    const QString where = icon.icon.kind == ShownIcon::Kind::DrmIndex
                              ? tr("DRM index %1").arg(icon.icon.drmIndex)
                              : text(icon.icon.path);
    switch (icon.role) {
      case NodeDetails::IconRole::Animated: lines << tr("Animated icon: %1").arg(where); break;
      case NodeDetails::IconRole::Static: lines << tr("Static icon: %1").arg(where); break;
      case NodeDetails::IconRole::List: lines << tr("List icon: %1").arg(where); break;
    }
  }
  if (lines.size() == 1) lines << tr("No names or icons of its own");
  return lines.join(QLatin1Char('\n'));
}

Qt::ItemFlags MenuTreeModel::flags(const QModelIndex& index) const {
  // Captions are read-only: items change through the document's commands only.
  const MenuNode* node = nodeForIndex(index);
  if (node == nullptr) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  // Main-menu items can be dragged. Drops go into the lists of the nodes that may take
  // subitems, and into a list that is there already (to reorder it); the view asks
  // canDropMimeData for the rest.
  if (CanDelete(document_, *node)) flags |= Qt::ItemIsDragEnabled;
  if (CanAddSubitem(document_, *node) || (CanDelete(document_, *node) && node->hasChildren())) {
    flags |= Qt::ItemIsDropEnabled;
  }
  return flags;
}

Qt::DropActions MenuTreeModel::supportedDragActions() const { return Qt::MoveAction; }

Qt::DropActions MenuTreeModel::supportedDropActions() const { return Qt::MoveAction; }

QStringList MenuTreeModel::mimeTypes() const { return {kNodeMimeType}; }

QMimeData* MenuTreeModel::mimeData(const QModelIndexList& indexes) const {
  MenuNode* node = indexes.size() == 1 ? nodeForIndex(indexes.front()) : nullptr;
  if (node == nullptr || !CanDelete(document_, *node)) return nullptr;
  return new NodeMimeData(this, node);
}

MenuTreeModel::Drop MenuTreeModel::dropFor(const QMimeData* data, Qt::DropAction action, int row,
                                           const QModelIndex& parent) const {
  const auto* carried = dynamic_cast<const NodeMimeData*>(data);
  MenuNode* target = nodeForIndex(parent);
  if (carried == nullptr || action != Qt::MoveAction || target == nullptr) return {};
  MenuNode* node = carried->nodeFor(this, tree_);
  const int at = row < 0 ? static_cast<int>(target->childCount()) : row;
  if (node == nullptr || !CanMoveTo(document_, *node, *target, at)) return {};
  return {node, target, at};
}

bool MenuTreeModel::canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int,
                                    const QModelIndex& parent) const {
  return dropFor(data, action, row, parent).node != nullptr;
}

bool MenuTreeModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int,
                                 const QModelIndex& parent) {
  const Drop drop = dropFor(data, action, row, parent);
  if (drop.node == nullptr) return false;
  // The view then asks to remove the dragged rows; removeRows refuses, as the move
  // has already taken the node out of its old place.
  emit moveRequested(drop.node, drop.parent, drop.row);
  return true;
}

void MenuTreeModel::nodesAboutToBeInserted(MenuNode* parent, int row) {
  beginInsertRows(indexForNode(parent), row, row);
}

void MenuTreeModel::nodesInserted(MenuNode*, int) { endInsertRows(); }

void MenuTreeModel::nodeAboutToBeRemoved(MenuNode* parent, int row) {
  beginRemoveRows(indexForNode(parent), row, row);
}

void MenuTreeModel::nodeRemoved(MenuNode*, int) { endRemoveRows(); }

void MenuTreeModel::nodeAboutToBeMoved(MenuNode* fromParent, int fromRow, MenuNode* toParent, int toRow) {
  // Qt refuses moves that leave the order as it is; then there is nothing to end.
  moveAnnounced_ = beginMoveRows(indexForNode(fromParent), fromRow, fromRow, indexForNode(toParent), toRow);
}

void MenuTreeModel::nodeMoved(MenuNode*, int, MenuNode*, int) {
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
