// Items on the system clipboard: Copy puts the selected item with its subtree and all
// their data there as a menu fragment (its own type and plain JSON text, so that a text
// editor can hold it too); Paste places what the clipboard holds after the selected
// item, as its last subitem, or in place of a softkey's item, as one undo step.
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTreeView>
#include <optional>

#include "catalogue.h"
#include "core_words.h"
#include "edit_command.h"
#include "main_window.h"
#include "menu_fragment.h"
#include "menu_tree_model.h"

namespace quillet::ui {

namespace {

const QString kFragmentMimeType = QStringLiteral("application/x-quillet-items+json");

// The fragment the clipboard holds, our own type first, else its text; nothing when it
// holds no text at all, and a refusal when the text is no menu item.
std::optional<Result<menujson::ItemTree>> ClipboardFragment() {
  const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
  if (mime == nullptr) return std::nullopt;
  QByteArray text;
  if (mime->hasFormat(kFragmentMimeType)) {
    text = mime->data(kFragmentMimeType);
  } else if (mime->hasText()) {
    text = mime->text().toUtf8();
  }
  if (text.trimmed().isEmpty()) return std::nullopt;
  return menujson::ReadFragment(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
}

int Descendants(const menujson::ItemTree& items) {
  int count = 0;
  for (const menujson::ItemTree& child : items.children) count += 1 + Descendants(child);
  return count;
}

bool HoldsFragment() {
  const auto fragment = ClipboardFragment();
  return fragment && fragment->ok();
}

// "Menu Root" has no place after it: an item pasted there ends the main menu.
ItemPlace PastePlace(const MenuDocument& doc, const MenuNode& node, bool asSubitem) {
  if (asSubitem || &node == doc.menuRootNode()) return ItemPlace::LastSubitem;
  return IsSoftkey(doc, node) ? ItemPlace::Replace : ItemPlace::After;
}

}  // namespace

void TSDIAppForm::enableClipboardEntries(const MenuNode* node) {
  const bool copyable = node != nullptr && CanCopy(document_, *node);
  Copyitem1->setEnabled(copyable);
  Cutitem1->setEnabled(copyable && CanDelete(document_, *node));
  // Garbage on the clipboard leaves both pastes disabled.
  const bool pastable = node != nullptr && HoldsFragment();
  Pasteitem1->setEnabled(pastable && CanAddAt(document_, *node, PastePlace(document_, *node, false)));
  Pastesubitem1->setEnabled(pastable && CanAddAt(document_, *node, PastePlace(document_, *node, true)));
}

void TSDIAppForm::enableEditMenu() {
  enableClipboardEntries(selectedNode());
  EditCutitem1->setEnabled(Cutitem1->isEnabled());
  EditCopyitem1->setEnabled(Copyitem1->isEnabled());
  EditPasteitem1->setEnabled(Pasteitem1->isEnabled());
  EditPastesubitem1->setEnabled(Pastesubitem1->isEnabled());
}

void TSDIAppForm::Copyitem1Click() {
  const MenuNode* node = selectedNode();
  if (node == nullptr || !CanCopy(document_, *node)) return;
  const std::string text = menujson::FragmentText(document_, *node);
  const QByteArray bytes(text.data(), static_cast<qsizetype>(text.size()));
  auto* mime = new QMimeData;
  mime->setData(kFragmentMimeType, bytes);
  mime->setText(QString::fromUtf8(bytes));
  QGuiApplication::clipboard()->setMimeData(mime);
}

void TSDIAppForm::Cutitem1Click() {
  MenuNode* node = selectedNode();
  if (node == nullptr || !CanCopy(document_, *node) || !CanDelete(document_, *node)) return;
  if (!confirmDelete(*node)) return;
  Copyitem1Click();
  deleteNode(*node, tr("Cut item"));
}

void TSDIAppForm::Pasteitem1Click() { pasteFragment(false); }
void TSDIAppForm::Pastesubitem1Click() { pasteFragment(true); }

void TSDIAppForm::pasteFragment(bool asSubitem) {
  MenuNode* node = selectedNode();
  if (node == nullptr) return;
  const ItemPlace place = PastePlace(document_, *node, asSubitem);
  if (!CanAddAt(document_, *node, place)) return;
  const auto fragment = ClipboardFragment();
  if (!fragment) return;
  if (!fragment->ok()) {
    showEditRefusal(tr("The clipboard holds no menu item to paste: %1").arg(ErrorWords(fragment->error())));
    return;
  }
  const menujson::ItemTree& items = fragment->value();
  const bool dropSubmenus = FragmentDropsSubmenu(items, place);
  if (dropSubmenus && !confirmDroppedSubmenu(
                          place == ItemPlace::Replace,
                          ItemAndSubitems(CaptionForIdentifier(items.item.identifier), Descendants(items)))) {
    return;
  }
  // Over a softkey the paste replaces its branch; anywhere else it adds an item.
  const StepStart start = startStep(place == ItemPlace::Replace ? document_.tree.absoluteIndex(node) : -1);
  const QString step = StepName(tr("Paste item"), CaptionForIdentifier(items.item.identifier));
  Result<PlacedEdit> placed = PlaceFragment(document_, *node, place, items, saveOptions(), dropSubmenus);
  if (!placed) {
    showEditRefusal(ErrorWords(placed.error()));
    return;
  }
  MenuNode* top = placed->node;
  selectNode(top);  // redo selects the pasted item again
  pushStep(step, start, std::move(placed->undo));
  TreeView1->expand(treeModel_->indexForNode(top));
  refreshAfterEdit();
}

}  // namespace quillet::ui
