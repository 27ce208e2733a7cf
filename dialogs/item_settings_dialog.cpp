#include "item_settings_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "blocks_viewer_dialog.h"
#include "choose_icon_dialog.h"
#include "colour_circle.h"
#include "control_helpers.h"
#include "core_words.h"
#include "custom_type_dialog.h"
#include "folder_picture_files.h"
#include "name_editor_dialog.h"
#include "result.h"
#include "screen_centring.h"

namespace quillet::ui {
namespace {

constexpr std::array<IconRow, 3> kIconRows = {IconRow::Animated, IconRow::Static, IconRow::List};

}  // namespace

TOKRightDlg::TOKRightDlg(QWidget* parent) : QDialog(parent) {
  setObjectName("TOKRightDlg");
  setWindowTitle(tr("Basic settings"));

  TntGroupBox3 = Named(new QGroupBox(tr("Item attributes"), this), "TntGroupBox3");
  TntCheckBox1 =
      Named(new QCheckBox(tr("Allow adding to Security->Lock app list"), TntGroupBox3), "TntCheckBox1");
  TntCheckBox2 =
      Named(new QCheckBox(tr("Protect access to item with unlock code"), TntGroupBox3), "TntCheckBox2");
  TntCheckBox6 =
      Named(new QCheckBox(tr("Disable key re-assignment via Home Keys menu "), TntGroupBox3), "TntCheckBox6");
  auto* attributes = new QVBoxLayout(TntGroupBox3);
  attributes->addWidget(TntCheckBox1);
  attributes->addWidget(TntCheckBox2);
  attributes->addWidget(TntCheckBox6);

  TntGroupBox1 = Named(new QGroupBox(tr("Item name settings"), this), "TntGroupBox1");
  TntButton5 = Named(new QPushButton(tr("Edit menu item name"), TntGroupBox1), "TntButton5");
  TntButton6 = Named(new QPushButton(tr("Edit softkey title"), TntGroupBox1), "TntButton6");
  auto* names = new QVBoxLayout(TntGroupBox1);
  names->addWidget(TntButton5);
  names->addWidget(TntButton6);

  TntGroupBox2 = Named(new QGroupBox(tr("Icon settings"), this), "TntGroupBox2");
  auto* iconLayout = new QGridLayout(TntGroupBox2);
  const char* const captions[] = {QT_TR_NOOP("Animated icon (file path or index to DRM)"),
                                  QT_TR_NOOP("Static icon (file path or index to DRM)"),
                                  QT_TR_NOOP("List icon (file path or index to DRM)")};
  for (int i = 0; i < 3; ++i) {
    IconControls& row = icons_[static_cast<std::size_t>(i)];
    const QString n = QString::number(i + 1);
    row.text = new QLabel(tr(captions[i]), TntGroupBox2);
    row.text->setObjectName("TntStaticText" + n);
    row.edit = new QLineEdit(TntGroupBox2);
    row.edit->setObjectName("TntEdit" + n);
    row.edit->setEnabled(false);
    row.choose = new QPushButton(tr("..."), TntGroupBox2);
    row.choose->setObjectName("IconChooseButton" + n);
    row.choose->setToolTip(tr("Choose icon: pick a picture on the phone, or put one there"));
    row.choose->setEnabled(false);
    // As narrow as its three dots, so the row keeps the room for its path.
    row.choose->setFixedWidth(row.choose->fontMetrics().horizontalAdvance(row.choose->text()) + 16);
    row.apply = new QPushButton(tr("Apply"), TntGroupBox2);
    row.apply->setObjectName("TntButton" + QString::number(i + 2));
    row.apply->setEnabled(false);
    row.shape = new ColourCircle(TntGroupBox2);
    row.shape->setObjectName("Shape" + n);
    iconLayout->addWidget(row.text, 2 * i, 0, 1, 4);
    iconLayout->addWidget(row.edit, 2 * i + 1, 0);
    iconLayout->addWidget(row.choose, 2 * i + 1, 1);
    iconLayout->addWidget(row.apply, 2 * i + 1, 2);
    iconLayout->addWidget(row.shape, 2 * i + 1, 3);
  }
  iconLayout->setColumnStretch(0, 1);

  OKButton = Named(new QPushButton(tr("OK"), this), "OKButton");
  OKButton->setDefault(true);
  CanclButton = Named(new QPushButton(tr("Cancel"), this), "CanclButton");
  TntButton7 = Named(new QPushButton(tr("View unsupported data"), this), "TntButton7");
  TntButton7->setEnabled(false);
  TntButton7->setVisible(false);
  TntButton1 = Named(new QPushButton(tr("More ..."), this), "TntButton1");
  TntButton1->setEnabled(false);

  auto* left = new QVBoxLayout;
  left->addWidget(TntGroupBox3);
  left->addWidget(TntGroupBox1);
  left->addWidget(TntGroupBox2);
  left->addStretch();
  auto* right = new QVBoxLayout;
  right->addWidget(OKButton);
  right->addWidget(CanclButton);
  right->addStretch();
  auto* top = new QHBoxLayout;
  top->addLayout(left, 1);
  top->addLayout(right);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(TntButton7);
  bottom->addStretch();
  bottom->addWidget(TntButton1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addLayout(bottom);
  // The design's size, widened when a language's captions need more room.
  setFixedSize(std::max(499, minimumSizeHint().width()), std::max(516, minimumSizeHint().height()));
  CentreOnScreenWhenShown(*this);

  connect(TntCheckBox1, &QCheckBox::clicked, this, &TOKRightDlg::TntCheckBox1Click);
  connect(TntCheckBox2, &QCheckBox::clicked, this, &TOKRightDlg::TntCheckBox2Click);
  connect(TntCheckBox6, &QCheckBox::clicked, this, &TOKRightDlg::TntCheckBox6Click);
  connect(icons_[0].edit, &QLineEdit::textChanged, this, &TOKRightDlg::TntEdit1Change);
  connect(icons_[1].edit, &QLineEdit::textChanged, this, &TOKRightDlg::TntEdit2Change);
  connect(icons_[2].edit, &QLineEdit::textChanged, this, &TOKRightDlg::TntEdit3Change);
  connect(icons_[0].apply, &QPushButton::clicked, this, &TOKRightDlg::TntButton2Click);
  connect(icons_[1].apply, &QPushButton::clicked, this, &TOKRightDlg::TntButton3Click);
  connect(icons_[2].apply, &QPushButton::clicked, this, &TOKRightDlg::TntButton4Click);
  for (IconRow row : kIconRows)
    connect(icon(row).choose, &QPushButton::clicked, this, [this, row] { IconChooseButtonClick(row); });
  connect(TntButton5, &QPushButton::clicked, this, &TOKRightDlg::TntButton5Click);
  connect(TntButton6, &QPushButton::clicked, this, &TOKRightDlg::TntButton6Click);
  connect(TntButton1, &QPushButton::clicked, this, &TOKRightDlg::TntButton1Click);
  connect(TntButton7, &QPushButton::clicked, this, &TOKRightDlg::TntButton7Click);
  connect(OKButton, &QPushButton::clicked, this, &TOKRightDlg::OKButtonClick);
  connect(CanclButton, &QPushButton::clicked, this, &QDialog::reject);
}

void TOKRightDlg::SetCompanions(TForm1* nameEditor, TOKRightDlg1* customType, TForm2* viewer) {
  nameEditor_ = nameEditor;
  customType_ = customType;
  viewer_ = viewer;
  if (nameEditor_) nameEditor_->SetAnchor(this);
}

void TOKRightDlg::setPictureFiles(PictureFilesSource source, FileChooser chooser) {
  pictureFiles_ = std::move(source);
  chooseFile_ = std::move(chooser);
}

void TOKRightDlg::PrepareAttributeBoxes(bool softkey) {
  TntCheckBox2->setEnabled(!softkey);
  TntCheckBox6->setEnabled(softkey);
}

void TOKRightDlg::LoadItem(const TMMAItemData* itemData, std::uint8_t kind, std::uint8_t flags,
                           std::uint8_t attributes) {
  editor_.LoadItem(itemData, kind, flags, attributes);
  // Setting a box from code does not count as the user's toggle, so the loaded
  // attributes stay exactly as they were, also where a disabled box shows cleared.
  TntCheckBox1->setChecked(editor_.LockAppListTicked());
  TntCheckBox2->setChecked(TntCheckBox2->isEnabled() && editor_.UnlockProtectionTicked());
  TntCheckBox6->setChecked(TntCheckBox6->isEnabled() && editor_.HomeKeysTicked());

  for (IconRow row : kIconRows) {
    icon(row).edit->setEnabled(true);
    icon(row).choose->setEnabled(true);
    ShowIcon(row);
  }
  const TMMADataBlock* unsupported = editor_.UnsupportedBlock();
  TntButton7->setVisible(unsupported != nullptr);
  TntButton7->setEnabled(unsupported != nullptr);
  TntButton1->setEnabled(editor_.CustomTypeAllowed());
  if (customType_) customType_->ShowItemType(editor_.CustomType());
}

bool TOKRightDlg::EditItem(const TMMAItemData* itemData, std::uint8_t kind, std::uint8_t flags,
                           std::uint8_t attributes, bool softkey) {
  PrepareAttributeBoxes(softkey);
  LoadItem(itemData, kind, flags, attributes);
  return prompter_->runModal(*this) == QDialog::Accepted;
}

void TOKRightDlg::ShowIcon(IconRow row) {
  const IconView view = editor_.Icon(row);
  IconControls& controls = icon(row);
  controls.edit->setText(FromWideText(view.text));
  // Filling the edit counts as a change; a freshly shown icon has nothing to apply.
  controls.apply->setEnabled(false);
  ShowSource(row, view.source);
}

void TOKRightDlg::ShowSource(IconRow row, IconSource source) {
  ColourCircle* circle = icon(row).shape;
  const QString legend = tr("Red: a file path. Yellow: an index to DRM. Empty: no icon.");
  switch (source) {
    case IconSource::None:
      circle->setColour(palette().color(QPalette::Button));
      circle->setToolTip(tr("No icon of this kind") + QLatin1Char('\n') + legend);
      break;
    case IconSource::Path:
      circle->setColour(QColor(255, 0, 0));
      circle->setToolTip(tr("The icon is a file path on the phone") + QLatin1Char('\n') + legend);
      break;
    case IconSource::Index:
      circle->setColour(QColor(255, 255, 0));
      circle->setToolTip(tr("The icon is an index to the phone's DRM store") + QLatin1Char('\n') + legend);
      break;
  }
}

void TOKRightDlg::TntCheckBox1Click(bool checked) { editor_.ChangeLockAppList(checked); }
void TOKRightDlg::TntCheckBox2Click(bool checked) { editor_.ChangeUnlockProtection(checked); }
void TOKRightDlg::TntCheckBox6Click(bool checked) { editor_.ChangeHomeKeys(checked); }

void TOKRightDlg::TntEdit1Change() { icons_[0].apply->setEnabled(true); }
void TOKRightDlg::TntEdit2Change() { icons_[1].apply->setEnabled(true); }
void TOKRightDlg::TntEdit3Change() { icons_[2].apply->setEnabled(true); }

void TOKRightDlg::TntButton2Click() { ApplyIcon(IconRow::Animated); }
void TOKRightDlg::TntButton3Click() { ApplyIcon(IconRow::Static); }
void TOKRightDlg::TntButton4Click() { ApplyIcon(IconRow::List); }

bool TOKRightDlg::ApplyIcon(IconRow row) {
  IconControls& controls = icon(row);
  const Result<IconOutcome> outcome = editor_.ApplyIconText(row, controls.edit->text().toStdU16String());
  if (!outcome) {
    // Nothing changed; the button stays enabled so the corrected text can be applied.
    ShowError(outcome.error());
    return false;
  }
  controls.apply->setEnabled(false);
  switch (outcome.value()) {
    case IconOutcome::NoIcon: ShowSource(row, IconSource::None); return true;
    case IconOutcome::Path: ShowSource(row, IconSource::Path); return true;
    case IconOutcome::Index: ShowSource(row, IconSource::Index); return true;
    case IconOutcome::Invalid: break;
  }
  prompter_->showMessage(
      {this, QMessageBox::Critical, tr("Wrong data"), tr("Type in a path or a number!"), QMessageBox::Ok});
  return false;
}

void TOKRightDlg::OKButtonClick() {
  // An icon text typed but not applied is what the user sees in its row: OK (and Enter,
  // which presses OK) applies it, or stays open with the reason it cannot be taken. The
  // refused text stays pending, so a second OK does not drop it either.
  for (IconRow row : kIconRows) {
    IconControls& controls = icon(row);
    if (!controls.apply->isEnabled()) continue;
    if (!ApplyIcon(row)) {
      controls.apply->setEnabled(true);
      controls.edit->setFocus();
      return;
    }
  }
  accept();
}

void TOKRightDlg::IconChooseButtonClick(IconRow row) {
  IconControls& controls = icon(row);
  const std::unique_ptr<PictureFiles> files =
      pictureFiles_ ? pictureFiles_() : std::make_unique<FolderPictureFiles>(QString());
  ChooseIconDialog chooser(*files, chooseFile_, *prompter_, controls.edit->text(), this);
  if (prompter_->runModal(chooser) != QDialog::Accepted || chooser.chosenPath().isEmpty()) return;
  // As if typed: the row's Apply button follows the edit's change.
  controls.edit->setText(chooser.chosenPath());
  controls.edit->setFocus();
}

void TOKRightDlg::TntButton5Click() { EditNames(NameBlock::MenuName); }
void TOKRightDlg::TntButton6Click() { EditNames(NameBlock::SoftkeyName); }

void TOKRightDlg::EditNames(NameBlock block) {
  if (!nameEditor_) return;
  // Asked before the editor opens, so no typing is lost to a block that cannot be written.
  if (const Status room = editor_.RoomForNames(block); !room) {
    ShowError(room.error());
    return;
  }
  nameEditor_->SetRows(editor_.NameRows(block));
  if (prompter_->runModal(*nameEditor_) != QDialog::Accepted) return;
  if (const Status stored = editor_.StoreNameRows(block, nameEditor_->Rows()); !stored)
    ShowError(stored.error());
}

void TOKRightDlg::TntButton1Click() {
  if (!customType_ || prompter_->runModal(*customType_) != QDialog::Accepted) return;
  if (const Status applied = editor_.ApplyCustomItemType(customType_->Selection(), customType_->Texts());
      !applied)
    ShowError(applied.error());
}

void TOKRightDlg::TntButton7Click() {
  const TMMADataBlock* unsupported = editor_.UnsupportedBlock();
  if (!viewer_ || !unsupported) return;
  viewer_->LoadData(*unsupported);
  prompter_->runModal(*viewer_);
}

void TOKRightDlg::ShowError(const Error& error) {
  prompter_->showMessage({this, QMessageBox::Critical, windowTitle(), ErrorWords(error), QMessageBox::Ok});
}

}  // namespace quillet::ui
