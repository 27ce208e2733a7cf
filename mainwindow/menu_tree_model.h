#pragma once
// The Qt item model over the document's menu tree. The tree stays the master: every
// typed change notice it sends becomes the matching begin/end call here, so the view
// keeps its selection and expansion across edits. Only clearing the whole tree resets.
// Items are dragged within the tree only; a drop is checked by the document's rules and
// handed to the window as a request, so that it becomes an undo step like any command.
#include <QAbstractItemModel>

#include "menu_document.h"

namespace quillet::ui {

class MenuTreeModel : public QAbstractItemModel, private TreeObserver {
  Q_OBJECT
 public:
  // Registers itself as the document tree's observer until it is destroyed; the
  // document must outlive the model.
  explicit MenuTreeModel(MenuDocument& document, QObject* parent = nullptr);
  ~MenuTreeModel() override;

  QModelIndex indexForNode(const MenuNode* node) const;
  static MenuNode* nodeForIndex(const QModelIndex& index);

  QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  Qt::DropActions supportedDragActions() const override;
  Qt::DropActions supportedDropActions() const override;
  QStringList mimeTypes() const override;
  QMimeData* mimeData(const QModelIndexList& indexes) const override;
  // `row` -1 drops onto `parent` (its last subitem), else before the row now there.
  bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                       const QModelIndex& parent) const override;
  bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                    const QModelIndex& parent) override;

 signals:
  // A drop the rules allow: move `node` into `parent`'s list before `row` (its size: last).
  void moveRequested(quillet::MenuNode* node, quillet::MenuNode* parent, int row);

 private:
  // Tells items apart that show the same caption ("~1", "~2"): every name, softkey
  // title and icon of the node.
  QString toolTip(const MenuNode& node) const;
  void nodesAboutToBeInserted(MenuNode* parent, int row) override;
  void nodesInserted(MenuNode* parent, int row) override;
  void nodeAboutToBeRemoved(MenuNode* parent, int row) override;
  void nodeRemoved(MenuNode* parent, int row) override;
  void nodeAboutToBeMoved(MenuNode* fromParent, int fromRow, MenuNode* toParent, int toRow) override;
  void nodeMoved(MenuNode* fromParent, int fromRow, MenuNode* toParent, int toRow) override;
  void nodeChanged(MenuNode* node) override;
  void aboutToClear() override;
  void cleared() override;

  // The dragged node and where the drop would put it, or nothing when it is refused.
  struct Drop {
    MenuNode* node = nullptr;
    MenuNode* parent = nullptr;
    int row = 0;
  };
  Drop dropFor(const QMimeData* data, Qt::DropAction action, int row, const QModelIndex& parent) const;

  MenuDocument& document_;
  MenuTree& tree_;
  bool moveAnnounced_ = false;
};

}  // namespace quillet::ui
