#pragma once
// TForm2, the unsupported blocks viewer: shows the raw entries of an item's
// uninterpreted block one at a time as a hexadecimal dump with a character column.
// Typing keeps a byte's two cells in step, but the viewer never writes anything back:
// it works on its own copy of the entries.
#include <QDialog>
#include <array>
#include <cstdint>
#include <string>

#include "format.h"
#include "item_data.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quillet::ui {

class DumpGrid;

class TForm2 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm2(QWidget* parent = nullptr);

  // Takes a copy of the raw entries of an unsupported block (at most 11 entries of at
  // most 2,048 bytes each are read); the block itself is not changed.
  void LoadData(const TMMADataBlock& block);

  std::uint8_t ViewEntryCount = 0;
  std::array<TMMARawEntry, kMaxRawEntries> ViewEntries{};

  // The partner cell currently painted highlighted.
  bool HighlightShown = false;
  int HighlightCol = 0;
  int HighlightRow = 0;
  // The hexadecimal and character texts of the byte whose cell editor opened last.
  std::u16string EditStartHex;
  std::u16string EditStartChar;

 public slots:
  void ComboBox1Click(int index);
  void StringGrid1SelectCell(int column, int row);
  void StringGrid1GetEditText(int column, int row, const QString& text);
  void StringGrid1SetEditText(int column, int row, const QString& value);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();
  void LoadGrid(int entry);
  void ShowEntryFields(int entry);
  void HighlightPartner(int column, int row);
  void setCellText(int column, int row, const QString& text);
  QString cellText(int column, int row) const;
  void fitColumns();

  QLabel* Label1;
  QComboBox* ComboBox1;
  QLabel* Label2;
  QLineEdit* Edit1;
  QLabel* Label3;
  QLineEdit* Edit2;
  DumpGrid* StringGrid1;
  QPushButton* Button1;
  QPushButton* Button2;
};

}  // namespace quillet::ui
