#pragma once
// The viewer's dump grid: a table whose header row, offset column and separator columns
// cannot be selected, whose cell editor opens as soon as a cell becomes current, and
// which reports the opening of an editor and every keystroke in it, so the viewer can
// keep a byte's hexadecimal and character cells in step while the user types.
#include <QLineEdit>
#include <QPointer>
#include <QTableWidget>

namespace quillet::ui {

class DumpGrid : public QTableWidget {
  Q_OBJECT
 public:
  explicit DumpGrid(QWidget* parent = nullptr);

  // The open cell editor, or null.
  QLineEdit* activeEditor() const { return activeEditor_; }

 signals:
  void editorOpened(int column, int row, const QString& text);
  void editorTextEdited(int column, int row, const QString& text);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

 private:
  friend class DumpGridDelegate;
  QPointer<QLineEdit> activeEditor_;  // cleared when the view deletes the editor
};

}  // namespace quillet::ui
