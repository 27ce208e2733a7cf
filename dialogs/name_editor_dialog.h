#pragma once
// TForm1, the name editor: edits one list of per-language names (an item's menu names
// or its softkey titles). It works only on its list; the item settings dialog fills the
// list before showing it and reads it back after OK.
#include <QDialog>
#include <QPointer>
#include <cstdint>
#include <vector>

#include "item_editor.h"
#include "prompter.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace quillet::ui {

class TForm1 : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kMaxAddableRows = 12;

  explicit TForm1(QWidget* parent = nullptr);
  // Where its message boxes (and the dialogs it opens) are shown; the screen by default.
  void setPrompter(Prompter& prompter) { prompter_ = &prompter; }

  // The dialog opens a quarter of the anchor's size right and down from its corner.
  void SetAnchor(QWidget* anchor) { anchor_ = anchor; }

  // The name list, row by row.
  void SetRows(const std::vector<NameRow>& rows);
  std::vector<NameRow> Rows() const;

  std::uint8_t CurrentLanguage = 0;  // position in the language table
  bool EditingName = false;

 public slots:
  void TntButton4Click();  // Add
  void TntButton5Click();  // Edit
  void TntButton6Click();  // Delete
  void TntButton7Click();  // Apply
  void TntButton1Click();  // OK: applies a typed name first
  void TntComboBox1Click(int index);
  void TntEdit1Change();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormCreate();
  void FormShow();
  // Apply's work; false when the name is refused (and said so), which keeps it typed.
  bool ApplyTypedName();
  void EnableListButtons();
  void ReturnToIdle();
  void Renumber();
  QTreeWidgetItem* SelectedRow() const;
  void SetRowLanguage(QTreeWidgetItem* row, std::uint8_t language);

  QPointer<QWidget> anchor_;
  Prompter* prompter_ = &screenPrompter();
  // The row that Edit opened, for Apply when the user cleared the selection meanwhile.
  QTreeWidgetItem* editedRow_ = nullptr;
  // Edit opened a row whose language is none of the 47 and no language was picked since:
  // Apply then keeps the row's language byte.
  bool keepRowLanguage_ = false;

  QLabel* TntLabel2;
  QTreeWidget* TntListView1;
  QPushButton* TntButton4;
  QPushButton* TntButton5;
  QPushButton* TntButton6;
  QLabel* TntLabel3;
  QComboBox* TntComboBox1;
  QLabel* TntLabel1;
  QLineEdit* TntEdit1;
  QPushButton* TntButton7;
  QPushButton* TntButton1;
  QPushButton* TntButton2;
};

}  // namespace quillet::ui
