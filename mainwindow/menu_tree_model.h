#pragma once
// The Qt item model over the document's menu tree. The tree stays the master: every
// typed change notice it sends becomes the matching begin/end call here, so the view
// keeps its selection and expansion across edits. Only clearing the whole tree resets.
#include <QAbstractItemModel>

#include "menu_tree.h"

namespace quillet::ui {

class MenuTreeModel : public QAbstractItemModel, private TreeObserver {
  Q_OBJECT
 public:
  // Registers itself as the tree's observer until it is destroyed; the tree must
  // outlive the model.
  explicit MenuTreeModel(MenuTree& tree, QObject* parent = nullptr);
  ~MenuTreeModel() override;

  QModelIndex indexForNode(const MenuNode* node) const;
  static MenuNode* nodeForIndex(const QModelIndex& index);

  QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 private:
  void nodesAboutToBeInserted(MenuNode* parent, int row) override;
  void nodesInserted(MenuNode* parent, int row) override;
  void nodeAboutToBeRemoved(MenuNode* parent, int row) override;
  void nodeRemoved(MenuNode* parent, int row) override;
  void nodeAboutToBeMoved(MenuNode* parent, int fromRow, int toRow) override;
  void nodeMoved(MenuNode* parent, int fromRow, int toRow) override;
  void nodeChanged(MenuNode* node) override;
  void aboutToClear() override;
  void cleared() override;

  MenuTree& tree_;
  bool moveAnnounced_ = false;
};

}  // namespace quillet::ui
