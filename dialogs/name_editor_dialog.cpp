#include "name_editor_dialog.h"

#include <algorithm>

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "control_helpers.h"
#include "format.h"
#include "language_name_words.h"
#include "language_tables.h"

namespace quillet::ui {
namespace {

enum Column { kNumberColumn = 0, kLanguageColumn = 1, kNameColumn = 2 };
constexpr int kLanguageByteRole = Qt::UserRole;

}  // namespace

TForm1::TForm1(QWidget* parent) : QDialog(parent) {
  setObjectName("TForm1");
  setWindowTitle(tr("Name settings"));

  TntLabel2 = Named(new QLabel(tr("Name list"), this), "TntLabel2");
  TntListView1 = Named(new QTreeWidget(this), "TntListView1");
  TntListView1->setColumnCount(3);
  TntListView1->setHeaderLabels({tr("No."), tr("Language ID"), tr("Name")});
  TntListView1->headerItem()->setTextAlignment(kLanguageColumn, Qt::AlignCenter);
  TntListView1->setRootIsDecorated(false);
  TntListView1->setItemsExpandable(false);
  TntListView1->setUniformRowHeights(true);
  TntListView1->setSelectionMode(QAbstractItemView::SingleSelection);
  TntListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
  TntListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  TntListView1->setAlternatingRowColors(true);
  TntListView1->header()->setStretchLastSection(true);
  TntListView1->setColumnWidth(kNumberColumn, 34);
  TntListView1->setColumnWidth(kLanguageColumn, 84);
  TntListView1->setColumnWidth(kNameColumn, 195);

  TntButton4 = Named(new QPushButton(tr("Add"), this), "TntButton4");
  TntButton5 = Named(new QPushButton(tr("Edit"), this), "TntButton5");
  TntButton6 = Named(new QPushButton(tr("Delete"), this), "TntButton6");
  TntLabel3 = Named(new QLabel(tr("Select language"), this), "TntLabel3");
  TntComboBox1 = Named(new QComboBox(this), "TntComboBox1");
  TntComboBox1->setEnabled(false);
  // Wide enough for the longest language name, and a list of about 15 rows that scrolls:
  // styles that open the list over the selector ignore the row count unless told to.
  TntComboBox1->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  TntComboBox1->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
  TntComboBox1->setMaxVisibleItems(15);
  TntLabel1 = Named(new QLabel(tr("Type in new name"), this), "TntLabel1");
  TntEdit1 = Named(new QLineEdit(this), "TntEdit1");
  TntEdit1->setEnabled(false);
  TntButton7 = Named(new QPushButton(tr("Apply"), this), "TntButton7");
  TntButton7->setEnabled(false);
  TntButton1 = Named(new QPushButton(tr("OK"), this), "TntButton1");
  TntButton1->setDefault(true);
  TntButton2 = Named(new QPushButton(tr("Cancel"), this), "TntButton2");

  auto* listButtons = new QHBoxLayout;
  listButtons->addWidget(TntButton4);
  listButtons->addWidget(TntButton5);
  listButtons->addWidget(TntButton6);
  auto* fields = new QGridLayout;
  fields->addWidget(TntLabel3, 0, 0);
  fields->addWidget(TntComboBox1, 1, 0);
  fields->addWidget(TntLabel1, 0, 1);
  fields->addWidget(TntEdit1, 1, 1);
  fields->addWidget(TntButton7, 1, 2);
  fields->setColumnStretch(0, 1);
  fields->setColumnStretch(1, 1);
  auto* closing = new QHBoxLayout;
  closing->addStretch();
  closing->addWidget(TntButton1);
  closing->addWidget(TntButton2);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(TntLabel2);
  layout->addWidget(TntListView1, 1);
  layout->addLayout(listButtons);
  layout->addLayout(fields);
  layout->addLayout(closing);

  connect(TntButton4, &QPushButton::clicked, this, &TForm1::TntButton4Click);
  connect(TntButton5, &QPushButton::clicked, this, &TForm1::TntButton5Click);
  connect(TntButton6, &QPushButton::clicked, this, &TForm1::TntButton6Click);
  connect(TntButton7, &QPushButton::clicked, this, &TForm1::TntButton7Click);
  connect(TntComboBox1, &QComboBox::activated, this, &TForm1::TntComboBox1Click);
  connect(TntEdit1, &QLineEdit::textChanged, this, &TForm1::TntEdit1Change);
  connect(TntButton1, &QPushButton::clicked, this, &TForm1::TntButton1Click);
  connect(TntButton2, &QPushButton::clicked, this, &QDialog::reject);
  FormCreate();
  // The design's size, widened when the fonts need more room for the controls.
  setFixedSize(std::max(341, minimumSizeHint().width()), std::max(354, minimumSizeHint().height()));
}

void TForm1::FormCreate() {
  for (std::size_t position = 0; position < LanguageNames.size(); ++position)
    TntComboBox1->addItem(LanguageChoiceText(position));
}

void TForm1::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TForm1::FormShow() {
  TntComboBox1->setEnabled(false);
  TntComboBox1->setCurrentIndex(CurrentLanguage);
  TntEdit1->setEnabled(false);
  TntButton7->setEnabled(false);
  if (anchor_) {
    const QRect owner = anchor_->frameGeometry();
    move(owner.left() + owner.width() / 4, owner.top() + owner.height() / 4);
  }
  EnableListButtons();
  EditingName = false;
  keepRowLanguage_ = false;
  editedRow_ = nullptr;
}

void TForm1::SetRows(const std::vector<NameRow>& rows) {
  editedRow_ = nullptr;
  TntListView1->clear();
  for (const NameRow& row : rows) {
    auto* item = new QTreeWidgetItem(TntListView1);
    item->setText(kNumberColumn, FromByteText(row.caption));
    item->setTextAlignment(kLanguageColumn, Qt::AlignCenter);
    item->setText(kLanguageColumn, FromByteText(row.languageIdText));
    item->setData(kLanguageColumn, kLanguageByteRole, row.language);
    item->setText(kNameColumn, FromWideText(row.name));
  }
}

std::vector<NameRow> TForm1::Rows() const {
  std::vector<NameRow> rows;
  for (int i = 0; i < TntListView1->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* item = TntListView1->topLevelItem(i);
    rows.push_back({item->text(kNumberColumn).toStdString(), item->text(kLanguageColumn).toStdString(),
                    item->text(kNameColumn).toStdU16String(),
                    static_cast<std::uint8_t>(item->data(kLanguageColumn, kLanguageByteRole).toUInt())});
  }
  return rows;
}

void TForm1::TntButton4Click() {
  // Add always starts a new name, also when an Edit was left unapplied.
  EditingName = false;
  editedRow_ = nullptr;
  TntComboBox1->setEnabled(true);
  TntEdit1->setEnabled(false);
  TntComboBox1->showPopup();
}

void TForm1::TntComboBox1Click(int index) {
  if (index < 0) return;
  CurrentLanguage = Languages().LanguageIds[static_cast<std::size_t>(index)] - 1;
  keepRowLanguage_ = false;
  TntEdit1->setEnabled(true);
  if (!EditingName) TntEdit1->clear();
  TntEdit1->setFocus();
  TntButton7->setEnabled(true);
}

void TForm1::TntButton5Click() {
  QTreeWidgetItem* row = SelectedRow();
  if (!row) return;
  TntComboBox1->setEnabled(true);
  TntEdit1->setEnabled(true);
  const std::uint8_t position = LanguageIdIndex(row->text(kLanguageColumn).toStdString());
  if (position < kLanguageCount) {
    TntComboBox1->setCurrentIndex(position);
    CurrentLanguage = position;
    keepRowLanguage_ = false;
  } else {
    TntComboBox1->setCurrentIndex(-1);
    keepRowLanguage_ = true;
  }
  TntEdit1->setText(row->text(kNameColumn));
  EditingName = true;
  editedRow_ = row;
}

void TForm1::TntEdit1Change() { TntButton7->setEnabled(true); }

void TForm1::TntButton7Click() { ApplyTypedName(); }

void TForm1::TntButton1Click() {
  // A name typed but not applied is what the user sees in the edit box: OK (and Enter,
  // which presses OK) keeps it, or stays open with the reason it cannot be kept.
  if (TntEdit1->isEnabled() && TntButton7->isEnabled() && !ApplyTypedName()) return;
  accept();
}

bool TForm1::ApplyTypedName() {
  const QString name = TntEdit1->text();
  if (name.size() > static_cast<qsizetype>(kMaxNameUnits)) {
    // Refused before it reaches the list, so the user can shorten it in place.
    prompter_->showMessage(
        {this, QMessageBox::Critical, tr("Wrong data"),
         tr("A name can hold at most %1 characters; this one has %2.").arg(kMaxNameUnits).arg(name.size()),
         QMessageBox::Ok});
    TntEdit1->setFocus();
    return false;
  }
  if (!name.isEmpty()) {
    if (!EditingName) {
      auto* row = new QTreeWidgetItem(TntListView1);
      row->setText(kNumberColumn, QString("#%1").arg(TntListView1->topLevelItemCount()));
      row->setTextAlignment(kLanguageColumn, Qt::AlignCenter);
      SetRowLanguage(row, static_cast<std::uint8_t>(CurrentLanguage + 1));
      row->setText(kNameColumn, name);
    } else if (QTreeWidgetItem* row = SelectedRow() ? SelectedRow() : editedRow_) {
      if (!keepRowLanguage_) SetRowLanguage(row, static_cast<std::uint8_t>(CurrentLanguage + 1));
      row->setText(kNameColumn, name);
    }
  }
  ReturnToIdle();
  return true;
}

void TForm1::TntButton6Click() {
  QTreeWidgetItem* row = SelectedRow();
  if (!row) return;
  if (row == editedRow_) editedRow_ = nullptr;
  delete row;
  Renumber();
  EnableListButtons();
  TntComboBox1->setEnabled(false);
  TntComboBox1->setCurrentIndex(-1);
  TntEdit1->clear();
  TntEdit1->setEnabled(false);
}

void TForm1::SetRowLanguage(QTreeWidgetItem* row, std::uint8_t language) {
  row->setText(kLanguageColumn, FromByteText(LanguageIdText(language)));
  row->setData(kLanguageColumn, kLanguageByteRole, language);
}

void TForm1::ReturnToIdle() {
  EditingName = false;
  keepRowLanguage_ = false;
  editedRow_ = nullptr;
  TntComboBox1->setEnabled(false);
  TntEdit1->setEnabled(false);
  TntButton7->setEnabled(false);
  EnableListButtons();
}

void TForm1::EnableListButtons() {
  const int rows = TntListView1->topLevelItemCount();
  TntButton4->setEnabled(rows < kMaxAddableRows);
  TntButton5->setEnabled(rows >= 1);
  TntButton6->setEnabled(rows >= 1);
}

void TForm1::Renumber() {
  for (int i = 0; i < TntListView1->topLevelItemCount(); ++i)
    TntListView1->topLevelItem(i)->setText(kNumberColumn, QString("#%1").arg(i + 1));
}

QTreeWidgetItem* TForm1::SelectedRow() const {
  const QList<QTreeWidgetItem*> selected = TntListView1->selectedItems();
  return selected.isEmpty() ? nullptr : selected.first();
}

}  // namespace quillet::ui
