#pragma once
// TOKRightDlg1, the custom item type dialog: the user chooses between a URL and a MIDlet
// (application name, MIDlet name, vendor) for an item. It keeps the two kinds apart when
// the type is switched, asking before it clears the other kind's texts; it knows nothing
// of items or blocks. "Choose Java application..." fills the three MIDlet texts from an
// application's .jad or .jar.
#include <QDialog>

#include "file_chooser.h"
#include "item_editor.h"
#include "prompter.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quillet::ui {

inline constexpr const char* CustomItemTypes[] = {
    QT_TRANSLATE_NOOP("quillet::ui::TOKRightDlg1", "URL link"),
    QT_TRANSLATE_NOOP("quillet::ui::TOKRightDlg1", "Application start")};

class TOKRightDlg1 : public QDialog {
  Q_OBJECT
 public:
  explicit TOKRightDlg1(QWidget* parent = nullptr);
  // Where its message boxes (and the dialogs it opens) are shown; the screen by default.
  void setPrompter(Prompter& prompter) { prompter_ = &prompter; }

  // Shows what the loaded item has: the texts are always replaced; the selection and
  // the enabled edits change only for an item with a URL or MIDlet blocks.
  void ShowItemType(const CustomTypeView& view);
  // The chosen entry (-1 while none is chosen) and the four texts, as 8-bit text.
  int Selection() const;
  CustomTypeTexts Texts() const;

  // The file dialog "Choose Java application..." opens; tests replace it.
  void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }

 public slots:
  void ComboBox1Click(int index);
  void ChooseJavaApplicationClick();

 private:
  // The type switch of ComboBox1Click; false when the user keeps the other kind's texts.
  bool SwitchType(int index);

  FileChooser chooseFile_ = chooseFileWithDialog;
  QComboBox* ComboBox1;
  QFrame* Bevel1;
  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  QLabel* Label4;
  QLabel* Label5;
  QLineEdit* Edit1;
  QLineEdit* Edit2;
  QLineEdit* Edit3;
  QLineEdit* Edit4;
  QPushButton* ChooseJavaApplicationButton;
  QPushButton* OKBtn;
  QPushButton* CancelBtn;
  Prompter* prompter_ = &screenPrompter();
};

}  // namespace quillet::ui
