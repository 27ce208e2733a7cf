#include "dump_grid.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QStyledItemDelegate>

#include "hex_dump.h"

namespace quillet::ui {

// Hands the grid each editor it opens, with the cell it edits.
constexpr const char* kFilled = "quilletFilled";

class DumpGridDelegate : public QStyledItemDelegate {
 public:
  explicit DumpGridDelegate(DumpGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    editor->setFont(option.font);
    editor->setAlignment(Qt::AlignCenter);
    const int column = index.column();
    const int row = index.row();
    QObject::connect(editor, &QLineEdit::textEdited, grid_, [this, column, row](const QString& text) {
      emit grid_->editorTextEdited(column, row, text);
    });
    grid_->activeEditor_ = editor;
    return editor;
  }

  // Only when the editor opens: the viewer changes the edited cell while the user types,
  // and refilling the editor then would undo the keystroke and the opening texts.
  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    if (editor->property(kFilled).toBool()) return;
    editor->setProperty(kFilled, true);
    QStyledItemDelegate::setEditorData(editor, index);
    emit grid_->editorOpened(index.column(), index.row(), index.data().toString());
  }

 private:
  DumpGrid* grid_;
};

DumpGrid::DumpGrid(QWidget* parent) : QTableWidget(parent) { setItemDelegate(new DumpGridDelegate(this)); }

void DumpGrid::mousePressEvent(QMouseEvent* event) {
  const QModelIndex index = indexAt(event->position().toPoint());
  // A click on a cell that cannot be selected leaves the selection where it was.
  if (index.isValid() && !hexdump::IsSelectableCell(index.column(), index.row())) {
    event->accept();
    return;
  }
  QTableWidget::mousePressEvent(event);
}

QModelIndex DumpGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  QModelIndex next = QTableWidget::moveCursor(action, modifiers);
  if (!next.isValid()) return next;
  // The keyboard steps over a separator column instead of stopping in it.
  if (next.column() == hexdump::kFirstSeparator || next.column() == hexdump::kSecondSeparator) {
    const bool backwards = action == MoveLeft || action == MovePrevious;
    next = model()->index(next.row(), next.column() + (backwards ? -1 : 1));
  }
  if (!next.isValid() || !hexdump::IsSelectableCell(next.column(), next.row())) return currentIndex();
  return next;
}

}  // namespace quillet::ui
