#include "custom_type_dialog.h"

#include <algorithm>

#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValidator>

#include "byte_text_rule.h"
#include "control_helpers.h"
#include "core_words.h"
#include "format.h"
#include "midlet_chooser_dialog.h"
#include "midlet_suite.h"
#include "screen_centring.h"

namespace quillet::ui {
namespace {

const char* const kByteTextHint = QT_TRANSLATE_NOOP(
    "quillet::ui::TOKRightDlg1", "Only Latin-1 characters can be typed here (one byte each), at most 255.");

// The texts are stored as 8-bit byte texts, so the edits take only characters that have
// a Latin-1 byte (no zero byte). A refused keystroke is not dropped without a word: a tool
// tip at the edit says why.
class ByteTextValidator : public QValidator {
 public:
  explicit ByteTextValidator(QLineEdit* edit) : QValidator(edit), edit_(edit) {}
  State validate(QString& input, int&) const override {
    for (const QChar c : input) {
      if (!IsByteTextCharacter(c.unicode())) {
        QToolTip::showText(edit_->mapToGlobal(QPoint(0, edit_->height())), TOKRightDlg1::tr(kByteTextHint),
                           edit_);
        return Invalid;
      }
    }
    return Acceptable;
  }

 private:
  QLineEdit* edit_;
};

QLineEdit* byteTextEdit(QWidget* parent, const char* name) {
  auto* edit = Named(new QLineEdit(parent), name);
  edit->setMaxLength(static_cast<int>(kMaxByteTextLength));
  edit->setValidator(new ByteTextValidator(edit));
  edit->setToolTip(TOKRightDlg1::tr(kByteTextHint));
  edit->setEnabled(false);
  return edit;
}

// A text that came with the file may be longer than new texts may be; it is shown whole,
// so that OK keeps it as it was instead of cutting it.
void showByteText(QLineEdit* edit, const std::string& text) {
  edit->setMaxLength(std::max(static_cast<int>(kMaxByteTextLength), static_cast<int>(text.size())));
  edit->setText(FromByteText(text));
}

// Asks whether the other kind's texts may be cleared; true for Yes.
bool askToRemove(Prompter& prompter, QWidget* owner, const QString& text) {
  return prompter.showMessage({owner, QMessageBox::Critical, TOKRightDlg1::tr("Warning"), text,
                               QMessageBox::Yes | QMessageBox::No}) == QMessageBox::Yes;
}

}  // namespace

TOKRightDlg1::TOKRightDlg1(QWidget* parent) : QDialog(parent) {
  setObjectName("TOKRightDlg1");
  setWindowTitle(tr("Dialog"));

  ComboBox1 = Named(new QComboBox(this), "ComboBox1");
  ComboBox1->setPlaceholderText(tr("Select custom item type"));
  for (const char* type : CustomItemTypes) ComboBox1->addItem(tr(type));
  ComboBox1->setCurrentIndex(-1);

  Label1 = Named(new QLabel(tr("URL Settings"), this), "Label1");
  Label2 = Named(new QLabel(tr("Application Settings"), this), "Label2");
  Label3 = Named(new QLabel(tr("Application name"), this), "Label3");
  Label4 = Named(new QLabel(tr("MIDlet name"), this), "Label4");
  Label5 = Named(new QLabel(tr("MIDlet vendor"), this), "Label5");
  Edit1 = byteTextEdit(this, "Edit1");
  Edit2 = byteTextEdit(this, "Edit2");
  Edit3 = byteTextEdit(this, "Edit3");
  Edit4 = byteTextEdit(this, "Edit4");
  ChooseJavaApplicationButton =
      Named(new QPushButton(tr("Choose Java application..."), this), "ChooseJavaApplicationButton");
  ChooseJavaApplicationButton->setToolTip(
      tr("Fills the application name, MIDlet name and vendor from a Java application's .jad or .jar file"));

  OKBtn = Named(new QPushButton(tr("OK"), this), "OKBtn");
  OKBtn->setDefault(true);
  CancelBtn = Named(new QPushButton(tr("Cancel"), this), "CancelBtn");

  Bevel1 = Named(new QFrame(this), "Bevel1");
  Bevel1->setFrameShape(QFrame::StyledPanel);
  Bevel1->setFrameShadow(QFrame::Sunken);
  auto* framed = new QVBoxLayout(Bevel1);
  framed->addWidget(ComboBox1);
  framed->addSpacing(8);
  framed->addWidget(Label1);
  framed->addWidget(Edit1);
  framed->addSpacing(8);
  auto* application = new QHBoxLayout;
  application->addWidget(Label2);
  application->addStretch();
  application->addWidget(ChooseJavaApplicationButton);
  framed->addLayout(application);
  auto* midlet = new QGridLayout;
  midlet->addWidget(Label3, 0, 0);
  midlet->addWidget(Edit2, 0, 1);
  midlet->addWidget(Label4, 1, 0);
  midlet->addWidget(Edit3, 1, 1);
  midlet->addWidget(Label5, 2, 0);
  midlet->addWidget(Edit4, 2, 1);
  framed->addLayout(midlet);
  framed->addStretch();

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OKBtn);
  buttons->addWidget(CancelBtn);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Bevel1, 1);
  layout->addLayout(buttons);
  // The design's size, widened when a language's captions need more room.
  setFixedSize(std::max(384, minimumSizeHint().width()), std::max(331, minimumSizeHint().height()));
  CentreOnScreenWhenShown(*this);

  connect(ComboBox1, &QComboBox::activated, this, &TOKRightDlg1::ComboBox1Click);
  connect(ChooseJavaApplicationButton, &QPushButton::clicked, this,
          &TOKRightDlg1::ChooseJavaApplicationClick);
  connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void TOKRightDlg1::ComboBox1Click(int index) { SwitchType(index); }

bool TOKRightDlg1::SwitchType(int index) {
  if (index == kCustomTypeUrl) {
    if (!Edit2->text().isEmpty() &&
        !askToRemove(*prompter_, this,
                     tr("Custom item cannot have both URL and a midlet attached\r\n"
                        "Remove midlet reference first\r\nShould we remove it now?")))
      return false;
    Edit1->setEnabled(true);
    for (QLineEdit* edit : {Edit2, Edit3, Edit4}) {
      edit->setEnabled(false);
      edit->clear();
    }
  } else {
    if (!Edit1->text().isEmpty() &&
        !askToRemove(*prompter_, this,
                     tr("Custom item cannot have both URL and a midlet attached\r\n"
                        "Remove URL first\r\nShould we remove it now?")))
      return false;
    Edit1->setEnabled(false);
    Edit1->clear();
    for (QLineEdit* edit : {Edit2, Edit3, Edit4}) edit->setEnabled(true);
  }
  return true;
}

void TOKRightDlg1::ChooseJavaApplicationClick() {
  const QString path = chooseFile_(this, FileDialogKind::OpenJavaApplication, QString());
  if (path.isEmpty()) return;
  const std::string file = QFile::encodeName(path).toStdString();
  const auto refuse = [this](const Error& error) {
    prompter_->showMessage(
        {this, QMessageBox::Critical, tr("Java application"), JavaApplicationWords(error)});
  };
  const Result<midlet::MidletSuite> suite = midlet::ReadMidletFile(file);
  if (!suite) return refuse(suite.error());
  int chosen = 0;
  if (suite->midlets.size() > 1) {
    MidletChooserDialog chooser(suite->midlets, this);
    if (prompter_->runModal(chooser) != QDialog::Accepted) return;
    chosen = chooser.Chosen();
  }
  const Result<CustomTypeTexts> texts =
      midlet::MenuTexts(suite.value(), static_cast<std::size_t>(chosen), file);
  if (!texts) return refuse(texts.error());
  // The same question as picking "Application start" by hand; No keeps the dialog as it was.
  if (!SwitchType(kCustomTypeApplication)) return;
  ComboBox1->setCurrentIndex(kCustomTypeApplication);
  Edit2->setText(FromByteText(texts->applicationName));
  Edit3->setText(FromByteText(texts->midletName));
  Edit4->setText(FromByteText(texts->midletVendor));
}

void TOKRightDlg1::ShowItemType(const CustomTypeView& view) {
  showByteText(Edit1, view.texts.url);
  showByteText(Edit2, view.texts.applicationName);
  showByteText(Edit3, view.texts.midletName);
  showByteText(Edit4, view.texts.midletVendor);
  if (view.hasUrl) Edit1->setEnabled(true);
  if (view.hasMidlet) {
    for (QLineEdit* edit : {Edit2, Edit3, Edit4}) edit->setEnabled(true);
  }
  if (view.selection >= 0) ComboBox1->setCurrentIndex(view.selection);
}

int TOKRightDlg1::Selection() const { return ComboBox1->currentIndex(); }

CustomTypeTexts TOKRightDlg1::Texts() const {
  return {ToByteText(Edit1->text()), ToByteText(Edit2->text()), ToByteText(Edit3->text()),
          ToByteText(Edit4->text())};
}

}  // namespace quillet::ui
