// Tree editing from the main window: the item chooser's pop-up menu (add, replace), the
// tree's pop-up menu (modify, delete, move) and their handlers. The handlers ask the
// questions and open the item settings dialog; the changes themselves are the
// document's tree commands.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTreeView>
#include <QUndoStack>

#include "catalogue.h"
#include "core_words.h"
#include "display_text.h"
#include "edit_command.h"
#include "image_list.h"
#include "item_settings_dialog.h"
#include "main_window.h"
#include "menu_tree_model.h"
#include "message_prompt.h"
#include "tree_commands.h"

namespace quillet::ui {

namespace {

// A right click in the tree opens its menu without moving the selection: the commands
// act on the node the user selected before, as the menu's enabling shows.
class RightClickKeepsSelection : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
          // Left unaccepted, the press still produces the context menu request.
          event->ignore();
          return true;
        }
        break;
      default: break;
    }
    return QObject::eventFilter(watched, event);
  }
};

// `item` names what the question is about, under the question's own text.
bool AskWarning(Prompter& prompter, QWidget* owner, QMessageBox::Icon icon, const QString& text,
                const QString& item) {
  MessageRequest question;
  question.owner = owner;
  question.icon = icon;
  question.title = TSDIAppForm::tr("Warning");
  question.text = text;
  question.informative = item;
  question.buttons = QMessageBox::Yes | QMessageBox::No;
  return prompter.showMessage(question) == QMessageBox::Yes;
}

QAction* AddEntry(QMenu* menu, const QString& caption, const char* name, const QIcon& icon = QIcon()) {
  QAction* entry = menu->addAction(icon, caption);
  entry->setObjectName(QLatin1String(name));
  return entry;
}

// A submenu's entry in its parent menu; enabling the entry opens or closes the submenu.
QAction* AddSubmenu(QMenu* menu, const QString& caption, const char* name, QMenu** submenu) {
  *submenu = menu->addMenu(caption);
  (*submenu)->setObjectName(QLatin1String(name) + QStringLiteral("Menu"));
  QAction* entry = (*submenu)->menuAction();
  entry->setObjectName(QLatin1String(name));
  return entry;
}

}  // namespace

// A right click on another row leaves the selection where it was, so the questions say
// which item they mean: Item: "Settings" with 3 subitems.
QString ItemAndSubitems(const std::string& caption, int subitems) {
  const QString item = QString::fromStdString(QuotedCaption(caption));
  if (subitems == 0) return TSDIAppForm::tr("Item: %1 without subitems").arg(item);
  if (subitems == 1) return TSDIAppForm::tr("Item: %1 with 1 subitem").arg(item);
  return TSDIAppForm::tr("Item: %1 with %2 subitems").arg(item).arg(subitems);
}

void TSDIAppForm::buildPopupMenus() {
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  QMenu* addSubitem = nullptr;
  AddChild1 = AddSubmenu(PopupMenu1, tr("Add subitem"), "AddChild1", &addSubitem);
  AddFirst1 = AddEntry(addSubitem, tr("Add First"), "AddFirst1", ImageList1[kAddFirstSubitem]);
  AddLast1 = AddEntry(addSubitem, tr("Add Last"), "AddLast1", ImageList1[kAddLastSubitem]);
  QMenu* addItem = nullptr;
  AddBefore1 = AddSubmenu(PopupMenu1, tr("Add item"), "AddBefore1", &addItem);
  AddFirst2 = AddEntry(addItem, tr("Add First"), "AddFirst2", ImageList1[kAddFirstItem]);
  AddBefore2 = AddEntry(addItem, tr("Add Before"), "AddBefore2", ImageList1[kAddBefore]);
  Replace1 = AddEntry(PopupMenu1, tr("Replace"), "Replace1", ImageList1[kReplace]);
  AddBefore1->setEnabled(false);

  PopupMenu2 = new QMenu(this);
  PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
  MenuItem1 = AddEntry(PopupMenu2, tr("Modify item"), "MenuItem1");
  Deleteitem1 = AddEntry(PopupMenu2, tr("Delete item"), "Deleteitem1");
  Moveup1 = AddEntry(PopupMenu2, tr("Move up"), "Moveup1", ImageList1[kMoveUp]);
  Movedown1 = AddEntry(PopupMenu2, tr("Move down"), "Movedown1", ImageList1[kMoveDown]);

  connect(PopupMenu1, &QMenu::aboutToShow, this, &TSDIAppForm::PopupMenu1Popup);
  connect(PopupMenu2, &QMenu::aboutToShow, this, &TSDIAppForm::PopupMenu2Popup);
  connect(AddFirst1, &QAction::triggered, this, &TSDIAppForm::AddFirst1Click);
  connect(AddLast1, &QAction::triggered, this, &TSDIAppForm::AddChild1Click);
  connect(AddFirst2, &QAction::triggered, this, &TSDIAppForm::AddFirst2Click);
  connect(AddBefore2, &QAction::triggered, this, &TSDIAppForm::AddItem1Click);
  connect(Replace1, &QAction::triggered, this, &TSDIAppForm::Replace1Click);
  connect(MenuItem1, &QAction::triggered, this, &TSDIAppForm::MenuItem1Click);
  connect(Deleteitem1, &QAction::triggered, this, &TSDIAppForm::Deleteitem1Click);
  connect(Moveup1, &QAction::triggered, this, &TSDIAppForm::Moveup1Click);
  connect(Movedown1, &QAction::triggered, this, &TSDIAppForm::Movedown1Click);
  PopupMenu2->addSeparator();
  Cutitem1 = AddEntry(PopupMenu2, tr("Cut item"), "Cutitem1");
  Copyitem1 = AddEntry(PopupMenu2, tr("Copy item"), "Copyitem1");
  Pasteitem1 = AddEntry(PopupMenu2, tr("Paste item"), "Pasteitem1");
  Pastesubitem1 = AddEntry(PopupMenu2, tr("Paste as subitem"), "Pastesubitem1");
  connect(Cutitem1, &QAction::triggered, this, &TSDIAppForm::Cutitem1Click);
  connect(Copyitem1, &QAction::triggered, this, &TSDIAppForm::Copyitem1Click);
  connect(Pasteitem1, &QAction::triggered, this, &TSDIAppForm::Pasteitem1Click);
  connect(Pastesubitem1, &QAction::triggered, this, &TSDIAppForm::Pastesubitem1Click);

  // Choosing an entry opens the chooser's menu; a right click opens it where it was made.
  connect(ComboBox1, &QComboBox::activated, this, &TSDIAppForm::ComboBox1Click);
  // Enter on a typed text that names another entry activates that entry; Enter on the
  // chosen entry's own name activates nothing, so it opens the menu here. The completer
  // passes Enter on a second time, and the menu opens only once.
  connect(ComboBox1->lineEdit(), &QLineEdit::returnPressed, this, [this] {
    const int current = ComboBox1->currentIndex();
    if (current >= 0 && ComboBox1->itemText(current) == ComboBox1->currentText() &&
        !PopupMenu1->isVisible()) {
      ComboBox1Click();
    }
  });
  for (QWidget* chooser : {static_cast<QWidget*>(ComboBox1), static_cast<QWidget*>(ComboBox1->lineEdit())}) {
    chooser->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(chooser, &QWidget::customContextMenuRequested, this,
            [this, chooser](const QPoint& at) { PopupMenu1->popup(chooser->mapToGlobal(at)); });
  }
  // Keys in the tree run the tree menu's commands, which refuse what the menu disables.
  const auto addTreeKey = [this](QList<QKeySequence> keys, void (TSDIAppForm::*handler)()) {
    auto* key = new QAction(TreeView1);
    key->setShortcuts(keys);
    key->setShortcutContext(Qt::WidgetShortcut);
    TreeView1->addAction(key);
    connect(key, &QAction::triggered, this, handler);
  };
  addTreeKey({QKeySequence(Qt::Key_Delete)}, &TSDIAppForm::Deleteitem1Click);
  addTreeKey({QKeySequence(Qt::CTRL | Qt::Key_Up)}, &TSDIAppForm::Moveup1Click);
  addTreeKey({QKeySequence(Qt::CTRL | Qt::Key_Down)}, &TSDIAppForm::Movedown1Click);
  addTreeKey({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}, &TSDIAppForm::MenuItem1Click);
  // Only while the tree has the focus do the clipboard keys carry items: in the text
  // controls they keep their text meaning.
  const auto addClipboardKey = [&](QAction* entry, const QKeySequence& key, void (TSDIAppForm::*handler)()) {
    addTreeKey({key}, handler);
    // The entry shows the key; in a pop-up menu that is not open the key does nothing.
    entry->setShortcut(key);
    entry->setShortcutContext(Qt::WidgetShortcut);
  };
  addClipboardKey(Cutitem1, QKeySequence(Qt::CTRL | Qt::Key_X), &TSDIAppForm::Cutitem1Click);
  addClipboardKey(Copyitem1, QKeySequence(Qt::CTRL | Qt::Key_C), &TSDIAppForm::Copyitem1Click);
  addClipboardKey(Pasteitem1, QKeySequence(Qt::CTRL | Qt::Key_V), &TSDIAppForm::Pasteitem1Click);
  addClipboardKey(Pastesubitem1, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V),
                  &TSDIAppForm::Pastesubitem1Click);
  // The Edit menu offers the same four, named with their keys, enabled as the tree's menu
  // would be for the selected item.
  Edit1->addSeparator();
  EditCutitem1 = addMenuEntry(Edit1, Cutitem1, "EditCutitem1");
  EditCopyitem1 = addMenuEntry(Edit1, Copyitem1, "EditCopyitem1");
  EditPasteitem1 = addMenuEntry(Edit1, Pasteitem1, "EditPasteitem1");
  EditPastesubitem1 = addMenuEntry(Edit1, Pastesubitem1, "EditPastesubitem1");
  connect(Edit1, &QMenu::aboutToShow, this, &TSDIAppForm::enableEditMenu);
  TreeView1->setContextMenuPolicy(Qt::CustomContextMenu);
  TreeView1->viewport()->installEventFilter(new RightClickKeepsSelection(TreeView1));
  connect(TreeView1, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupMenu2->popup(TreeView1->viewport()->mapToGlobal(at)); });
}

int TSDIAppForm::chosenCatalogueRow() const {
  // The chooser's text can be typed: an entry counts as chosen only while the text is
  // exactly one of the catalogue's names.
  const QString text = ComboBox1->currentText();
  const int current = ComboBox1->currentIndex();
  if (current >= 0 && ComboBox1->itemText(current) == text) return current;
  return ComboBox1->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
}

QPoint TSDIAppForm::chooserMenuPoint() const {
  // The middle of the chooser's lower edge: where the menu opens just below the entry
  // that was chosen, whatever the window's frame and menu bar add above the chooser.
  return ComboBox1->mapToGlobal(QPoint(ComboBox1->width() / 2, ComboBox1->height()));
}

void TSDIAppForm::ComboBox1Click() {
  if (chosenCatalogueRow() < 0) return;
  PopupMenu1->popup(chooserMenuPoint());
}

// With no document, or no node selected, no entry could act: all are disabled rather
// than left in their last states.
void TSDIAppForm::PopupMenu1Popup() {
  const MenuNode* node = selectedNode();
  const bool any = node != nullptr;
  AddChild1->setEnabled(any && CanAddSubitem(document_, *node));
  AddBefore1->setEnabled(any && CanAddBeside(document_, *node));
  Replace1->setEnabled(any && CanReplace(document_, *node));
}

void TSDIAppForm::PopupMenu2Popup() {
  const MenuNode* node = selectedNode();
  const bool any = node != nullptr;
  Deleteitem1->setEnabled(any && CanDelete(document_, *node));
  MenuItem1->setEnabled(any && CanModify(document_, *node));
  Movedown1->setEnabled(any && CanMoveDown(document_, *node));
  Moveup1->setEnabled(any && CanMoveUp(document_, *node));
  enableClipboardEntries(node);
}

void TSDIAppForm::AddFirst1Click() { addChosenItem(ItemPlace::FirstSubitem); }
void TSDIAppForm::AddChild1Click() { addChosenItem(ItemPlace::LastSubitem); }
void TSDIAppForm::AddFirst2Click() { addChosenItem(ItemPlace::FirstItem); }
void TSDIAppForm::AddItem1Click() { addChosenItem(ItemPlace::Before); }

void TSDIAppForm::addChosenItem(ItemPlace place) {
  MenuNode* selected = selectedNode();
  const int row = chosenCatalogueRow();
  if (selected == nullptr || row < 0) return;
  const MenuNode* owner = IsSubitemPlace(place) ? selected : selected->parent();
  if (owner == nullptr) return;
  const StepStart start = startStep(-1);
  Result<PlacedEdit> added = AddCatalogueItem(document_, *selected, row, place);
  if (!added) {
    showEditRefusal(ErrorWords(added.error()));
    return;
  }
  MenuNode* item = added->node;
  if (IsCustomIdentifier(item->item().identifier)) {
    // The user sets up a new custom item at once, in the same step as the add (taking
    // the item out undoes both); a cancelled dialog leaves the item without data.
    selectNode(item);
    editInItemDialog(*item);
  }
  pushStep(StepName(tr("Add item"), ComboBox1->itemText(row).toLatin1().toStdString()), start,
           std::move(added->undo));
  TreeView1->expand(treeModel_->indexForNode(selectedNode()));
  refreshAfterEdit();
}

void TSDIAppForm::Replace1Click() {
  MenuNode* node = selectedNode();
  const int row = chosenCatalogueRow();
  if (node == nullptr || row < 0) return;
  if (!CanReplace(document_, *node)) return;
  if (ReplaceDropsSubmenu(*node, row) &&
      !confirmDroppedSubmenu(true, ItemAndSubitems(node->caption(), MenuDocument::CountDescendants(*node)))) {
    return;
  }
  const StepStart start = startStep(document_.tree.absoluteIndex(node));
  const QString text = StepName(tr("Replace item"), node->caption());
  if (std::optional<BranchSnapshot> before = ReplaceItem(document_, *node, row)) {
    // A new custom item is set up at once, in the same step (the branch put back
    // undoes both).
    if (row == kCustomItemRow) editInItemDialog(*node);
    pushStep(text, start, std::move(*before));
  }
  refreshAfterEdit();
}

void TSDIAppForm::MenuItem1Click() {
  MenuNode* node = selectedNode();
  if (node == nullptr || itemDialog_ == nullptr) return;
  if (!CanModify(document_, *node)) return;  // the fixed nodes hold no item
  // Only an OK becomes a step.
  const StepStart start = startStep(document_.tree.absoluteIndex(node));
  const QString text = StepName(tr("Modify item"), node->caption());
  if (std::optional<BranchSnapshot> before = editInItemDialog(*node))
    pushStep(text, start, std::move(*before));
  refreshAfterEdit();
}

std::optional<BranchSnapshot> TSDIAppForm::editInItemDialog(MenuNode& node) {
  if (itemDialog_ == nullptr || !CanModify(document_, node)) return std::nullopt;
  const TMMAItem& item = node.item();
  const bool softkey = IsSoftkey(document_, node);
  if (!itemDialog_->EditItem(document_.ItemData(node), item.kind, item.flags, item.attributes, softkey)) {
    return std::nullopt;
  }
  return ModifyItem(document_, node, itemDialog_->Editor().StoreItem());
}

void TSDIAppForm::Deleteitem1Click() {
  MenuNode* node = selectedNode();
  if (node == nullptr || !CanDelete(document_, *node) || !confirmDelete(*node)) return;
  deleteNode(*node, tr("Delete item"));
}

bool TSDIAppForm::confirmDelete(const MenuNode& node) {
  return AskWarning(*prompter_, this, QMessageBox::Warning,
                    tr("The item and all its subitems will be deleted\r\n           Continue?"),
                    ItemAndSubitems(node.caption(), MenuDocument::CountDescendants(node)));
}

bool TSDIAppForm::confirmDroppedSubmenu(bool selectedItem, const QString& item) {
  return AskWarning(*prompter_, this, QMessageBox::Question,
                    selectedItem ? tr("Selected item cannot have a submenu.\r\n          Existing submenu "
                                      "will be deleted\r\n                Continue?")
                                 : tr("A pasted item cannot have a submenu.\r\nIts subitems will be "
                                      "left out.\r\nContinue?"),
                    item);
}

void TSDIAppForm::deleteNode(MenuNode& node, const QString& stepName) {
  const StepStart start = startStep(document_.tree.absoluteIndex(&node));
  const QString text = StepName(stepName, node.caption());
  if (std::optional<DetachedItem> back = DeleteItem(document_, node)) pushStep(text, start, std::move(*back));
  refreshAfterEdit();
}

void TSDIAppForm::Moveup1Click() {
  MenuNode* node = selectedNode();
  if (node == nullptr || !CanMoveUp(document_, *node)) return;
  const StepStart start = startStep(-1);
  const QString text = StepName(tr("Move up"), node->caption());
  if (std::optional<ItemMove> back = MoveUp(document_, *node)) pushStep(text, start, *back);
  refreshAfterEdit();
}

void TSDIAppForm::Movedown1Click() {
  MenuNode* node = selectedNode();
  if (node == nullptr || !CanMoveDown(document_, *node)) return;
  const StepStart start = startStep(-1);
  const QString text = StepName(tr("Move down"), node->caption());
  if (std::optional<ItemMove> back = MoveDown(document_, *node)) pushStep(text, start, *back);
  refreshAfterEdit();
}

void TSDIAppForm::moveDroppedItem(MenuNode* node, MenuNode* parent, int row) {
  const StepStart start = startStep(-1);
  const QString text = StepName(tr("Move item"), node->caption());
  if (std::optional<ItemMove> back = MoveItem(document_, *node, *parent, row)) {
    // The item stays in sight and selected where it landed.
    TreeView1->expand(treeModel_->indexForNode(parent));
    selectNode(node);
    pushStep(text, start, *back);
  }
  refreshAfterEdit();
}

void TSDIAppForm::refreshAfterEdit() {
  // A summary on show describes the selected item as it is now, not as it was.
  if (TntMemo1->isVisible()) TreeView1Click();
  TreeView1->viewport()->update();
}

TSDIAppForm::StepStart TSDIAppForm::startStep(int branchTop) const {
  return StepStart{document_.tree.absoluteIndex(selectedNode()),
                   branchTop >= 0 ? expandedBelow(branchTop) : ExpandedRows{}};
}

void TSDIAppForm::pushStep(const QString& text, StepStart start, EditRecord undo) {
  EditView view{[this](int owner) { return expandedBelow(owner); },
                [this](int owner, const ExpandedRows& rows) { expandBelow(owner, rows); },
                [this](int selectIndex) { afterUndoSwap(selectIndex); }};
  undoStack_->push(new EditCommand(document_, text, std::move(undo), start.selected,
                                   document_.tree.absoluteIndex(selectedNode()), std::move(start.expanded),
                                   std::move(view)));
}

ExpandedRows TSDIAppForm::expandedBelow(int ownerIndex) const {
  ExpandedRows rows;
  std::vector<int> path;
  const std::function<void(const MenuNode&)> walk = [&](const MenuNode& node) {
    if (!node.hasChildren()) return;
    if (TreeView1->isExpanded(treeModel_->indexForNode(&node))) rows.push_back(path);
    for (const auto& child : node.children()) {
      path.push_back(child->row());
      walk(*child);
      path.pop_back();
    }
  };
  if (const MenuNode* owner = document_.tree.nodeAt(ownerIndex)) walk(*owner);
  return rows;
}

void TSDIAppForm::expandBelow(int ownerIndex, const ExpandedRows& rows) {
  const MenuNode* owner = document_.tree.nodeAt(ownerIndex);
  for (const std::vector<int>& path : rows) {
    const MenuNode* node = owner;
    for (auto row = path.begin(); node != nullptr && row != path.end(); ++row) {
      node =
          *row < static_cast<int>(node->childCount()) ? node->child(static_cast<std::size_t>(*row)) : nullptr;
    }
    if (node != nullptr) TreeView1->expand(treeModel_->indexForNode(node));
  }
}

void TSDIAppForm::afterUndoSwap(int selectIndex) {
  if (MenuNode* node = document_.tree.nodeAt(selectIndex)) {
    selectNode(node);
    TreeView1->scrollTo(treeModel_->indexForNode(node));
  }
  TreeView1Change();
  refreshAfterEdit();
}

void TSDIAppForm::showEditRefusal(const QString& text) {
  MessageRequest request;
  request.owner = this;
  request.icon = QMessageBox::Warning;
  request.title = tr("Warning");
  request.text = text;
  showMessage(request);
}

}  // namespace quillet::ui
