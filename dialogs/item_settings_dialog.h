#pragma once
// TOKRightDlg, the item settings dialog ("Basic settings"): edits one menu item's
// attributes, names, softkey titles, icons and custom type, and shows its uninterpreted
// data. All item data lives in the toolkit-free working copy (ItemEditor); the dialog
// only binds its controls to it and opens the three dialogs that help it.
//
// Use: PrepareAttributeBoxes, LoadItem, show modally, and after OK store Editor()'s
// working copy (StoreEditedItem); EditItem does the first three in one call.
#include <QDialog>
#include <QPointer>
#include <array>
#include <cstdint>

#include "file_chooser.h"
#include "item_editor.h"
#include "picture_files.h"
#include "prompter.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quillet {
struct Error;
}

namespace quillet::ui {

class ColourCircle;
class TForm1;
class TForm2;
class TOKRightDlg1;

class TOKRightDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TOKRightDlg(QWidget* parent = nullptr);
  // Where its message boxes (and the dialogs it opens) are shown; the screen by default.
  void setPrompter(Prompter& prompter) { prompter_ = &prompter; }

  // The name editor, the custom item type dialog and the viewer this dialog opens; each
  // is created once by the application. The name editor opens placed over this dialog.
  void SetCompanions(TForm1* nameEditor, TOKRightDlg1* customType, TForm2* viewer);
  // What the "..." buttons of the icon rows browse and where "Choose icon" picks local
  // files; until set, no phone files at all and the real file dialog.
  void setPictureFiles(PictureFilesSource source, FileChooser chooser);

  // A softkey can be barred from Home Keys re-assignment but not protected by the unlock
  // code, a main-menu item the other way round.
  void PrepareAttributeBoxes(bool softkey);
  // Decodes the item into the working copy and fills the controls (itemData may be null).
  void LoadItem(const TMMAItemData* itemData, std::uint8_t kind, std::uint8_t flags, std::uint8_t attributes);
  // PrepareAttributeBoxes, LoadItem and the modal show; true after OK.
  bool EditItem(const TMMAItemData* itemData, std::uint8_t kind, std::uint8_t flags, std::uint8_t attributes,
                bool softkey);

  ItemEditor& Editor() { return editor_; }
  const ItemEditor& Editor() const { return editor_; }

 public slots:
  void TntCheckBox1Click(bool checked);
  void TntCheckBox2Click(bool checked);
  void TntCheckBox6Click(bool checked);
  void TntEdit1Change();
  void TntEdit2Change();
  void TntEdit3Change();
  void TntButton2Click();
  void TntButton3Click();
  void TntButton4Click();
  void TntButton5Click();
  void TntButton6Click();
  void TntButton1Click();
  void TntButton7Click();
  // The "..." buttons: "Choose icon" for the row, whose choice fills the edit.
  void IconChooseButtonClick(IconRow row);
  void OKButtonClick();  // applies typed icon texts first

 private:
  struct IconControls {
    QLabel* text = nullptr;
    QLineEdit* edit = nullptr;
    QPushButton* choose = nullptr;
    QPushButton* apply = nullptr;
    ColourCircle* shape = nullptr;
  };
  void ShowIcon(IconRow row);
  // Apply's work; false when the text is refused (and said so).
  bool ApplyIcon(IconRow row);
  // The row's circle: its colour, and a tool tip that says what the colour means.
  void ShowSource(IconRow row, IconSource source);
  void EditNames(NameBlock block);
  void ShowError(const Error& error);
  IconControls& icon(IconRow row) { return icons_[static_cast<std::size_t>(row)]; }

  ItemEditor editor_;
  Prompter* prompter_ = &screenPrompter();
  PictureFilesSource pictureFiles_;
  FileChooser chooseFile_ = chooseFileWithDialog;
  QPointer<TForm1> nameEditor_;
  QPointer<TOKRightDlg1> customType_;
  QPointer<TForm2> viewer_;

  QGroupBox* TntGroupBox3;
  QCheckBox* TntCheckBox1;
  QCheckBox* TntCheckBox2;
  QCheckBox* TntCheckBox6;
  QGroupBox* TntGroupBox1;
  QPushButton* TntButton5;
  QPushButton* TntButton6;
  QGroupBox* TntGroupBox2;
  std::array<IconControls, 3> icons_;
  QPushButton* OKButton;
  QPushButton* CanclButton;
  QPushButton* TntButton7;
  QPushButton* TntButton1;
};

}  // namespace quillet::ui
