#include "blocks_viewer_dialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "control_helpers.h"
#include "dump_grid.h"
#include "hex_dump.h"
#include "text_codecs.h"

namespace quillet::ui {
namespace {

QLineEdit* readOnlyField(QWidget* parent, const char* name) {
  auto* field = Named(new QLineEdit(parent), name);
  field->setReadOnly(true);
  QPalette palette = field->palette();
  palette.setColor(QPalette::Base, palette.color(QPalette::Button));
  field->setPalette(palette);
  field->setFixedWidth(60);
  return field;
}

// The grid's columns line up only in a fixed-pitch face. The system's "fixed" font may
// resolve to a proportional face, so the faces are named, in order of preference;
// DejaVu Sans Mono is the one the set-up installs.
QFont fixedPitchFont() {
  QFont font;
  font.setFamilies({QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Liberation Mono"),
                    QStringLiteral("Noto Sans Mono"), QStringLiteral("Courier New"),
                    QStringLiteral("monospace")});
  font.setStyleHint(QFont::Monospace);
  font.setFixedPitch(true);
  font.setPixelSize(12);
  return font;
}

}  // namespace

TForm2::TForm2(QWidget* parent) : QDialog(parent) {
  setObjectName("TForm2");
  setWindowTitle(tr("Unsupported blocks view [currently read-only]"));
  resize(630, 570);
  setSizeGripEnabled(true);

  Label1 = Named(new QLabel(tr("Data blocks avilable"), this), "Label1");
  ComboBox1 = Named(new QComboBox(this), "ComboBox1");
  ComboBox1->setMinimumWidth(70);
  Label2 = Named(new QLabel(tr("Data marker:"), this), "Label2");
  Edit1 = readOnlyField(this, "Edit1");
  Label3 = Named(new QLabel(tr("Data length:"), this), "Label3");
  Edit2 = readOnlyField(this, "Edit2");

  StringGrid1 = Named(new DumpGrid(this), "StringGrid1");
  StringGrid1->setColumnCount(hexdump::kColumnCount);
  StringGrid1->setRowCount(1);
  StringGrid1->horizontalHeader()->hide();
  StringGrid1->verticalHeader()->hide();
  StringGrid1->setShowGrid(false);
  StringGrid1->setSelectionMode(QAbstractItemView::ContiguousSelection);
  StringGrid1->setSelectionBehavior(QAbstractItemView::SelectItems);
  StringGrid1->setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::DoubleClicked |
                               QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed);
  StringGrid1->viewport()->setCursor(Qt::IBeamCursor);
  StringGrid1->setTextElideMode(Qt::ElideNone);
  StringGrid1->horizontalHeader()->setMinimumSectionSize(1);
  StringGrid1->verticalHeader()->setMinimumSectionSize(1);
  StringGrid1->setFont(fixedPitchFont());
  fitColumns();

  Button1 = Named(new QPushButton(tr("OK"), this), "Button1");
  Button2 = Named(new QPushButton(tr("Cancel"), this), "Button2");

  auto* fields = new QHBoxLayout;
  fields->addWidget(Label1);
  fields->addWidget(ComboBox1);
  fields->addSpacing(16);
  fields->addWidget(Label2);
  fields->addWidget(Edit1);
  fields->addSpacing(16);
  fields->addWidget(Label3);
  fields->addWidget(Edit2);
  fields->addStretch();
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addWidget(StringGrid1, 1);
  layout->addLayout(buttons);

  connect(ComboBox1, &QComboBox::activated, this, &TForm2::ComboBox1Click);
  connect(StringGrid1, &QTableWidget::currentCellChanged, this,
          [this](int row, int column, int, int) { StringGrid1SelectCell(column, row); });
  connect(StringGrid1, &DumpGrid::editorOpened, this, &TForm2::StringGrid1GetEditText);
  connect(StringGrid1, &DumpGrid::editorTextEdited, this, &TForm2::StringGrid1SetEditText);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void TForm2::LoadData(const TMMADataBlock& block) {
  const std::size_t count = std::min(block.raw.size(), ViewEntries.size());
  ViewEntryCount = static_cast<std::uint8_t>(count);
  for (std::size_t i = 0; i < count; ++i) {
    const TMMARawEntry& source = block.raw[i];
    ViewEntries[i].tag = source.tag;
    const std::size_t length = std::min(source.data.size(), kRawEntryBytes);
    ViewEntries[i].data.assign(source.data.begin(),
                               source.data.begin() + static_cast<std::ptrdiff_t>(length));
  }
}

void TForm2::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TForm2::FormShow() {
  fitColumns();
  ComboBox1->clear();
  for (int i = 0; i < ViewEntryCount; ++i) ComboBox1->addItem(QString::number(i));
  ComboBox1->setCurrentIndex(ViewEntryCount > 0 ? 0 : -1);
  ShowEntryFields(0);
  LoadGrid(0);
  HighlightShown = false;
}

void TForm2::ComboBox1Click(int index) {
  ShowEntryFields(index);
  LoadGrid(index);
}

void TForm2::ShowEntryFields(int entry) {
  if (entry < 0 || entry >= ViewEntryCount) {
    Edit1->clear();
    Edit2->clear();
    return;
  }
  const TMMARawEntry& raw = ViewEntries[static_cast<std::size_t>(entry)];
  Edit1->setText(FromByteText(HexByte(raw.tag)));
  Edit2->setText(QString::number(raw.data.size()));
}

void TForm2::LoadGrid(int entry) {
  // Closing an open editor first keeps its text from landing in the refilled grid.
  StringGrid1->setCurrentCell(-1, -1);
  StringGrid1->clearContents();
  const bool known = entry >= 0 && entry < ViewEntryCount;
  const std::vector<std::uint8_t> none;
  const std::vector<std::uint8_t>& bytes = known ? ViewEntries[static_cast<std::size_t>(entry)].data : none;
  const int rows = hexdump::RowCount(bytes.size());
  StringGrid1->setRowCount(rows);

  const QBrush fixedBrush = palette().brush(QPalette::Button);
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < hexdump::kColumnCount; ++column) {
      auto* item = new QTableWidgetItem;
      item->setTextAlignment(Qt::AlignCenter);
      if (hexdump::IsSelectableCell(column, row)) {
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
      } else {
        item->setFlags(Qt::ItemIsEnabled);
      }
      if (row == hexdump::kHeaderRow || column == hexdump::kOffsetColumn) {
        item->setBackground(fixedBrush);
        item->setText(FromByteText(row == hexdump::kHeaderRow ? hexdump::HeaderText(column)
                                                              : hexdump::OffsetLabel(row)));
      }
      StringGrid1->setItem(row, column, item);
    }
  }
  for (std::size_t k = 0; k < bytes.size(); ++k) {
    const int row = hexdump::ByteRow(k);
    setCellText(hexdump::HexColumn(k), row, FromByteText(HexByte(bytes[k])));
    setCellText(hexdump::CharColumn(k), row, FromWideText(hexdump::CharCellText(bytes[k])));
  }
}

void TForm2::fitColumns() {
  // The design's widths, widened where the fixed-pitch font and the style's cell margins
  // need more room; the separators stay narrow so a whole row fits the window.
  const QFontMetrics metrics(StringGrid1->font());
  const int digit = metrics.horizontalAdvance(QLatin1Char('0'));
  const int margins =
      2 * (StringGrid1->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, StringGrid1) + 1);
  const int offsetWidth = std::max(30, 4 * digit + margins);
  const int hexWidth = std::max(18, 2 * digit + margins);
  const int charWidth = std::max(12, digit + margins);
  const int separatorWidth = 10;
  for (int column = 0; column < hexdump::kColumnCount; ++column) {
    int width = charWidth;
    if (column == hexdump::kOffsetColumn) {
      width = offsetWidth;
    } else if (column == hexdump::kFirstSeparator || column == hexdump::kSecondSeparator) {
      width = separatorWidth;
    } else if (hexdump::IsHexColumn(column)) {
      width = hexWidth;
    }
    StringGrid1->setColumnWidth(column, width);
  }
  StringGrid1->verticalHeader()->setDefaultSectionSize(std::max(15, metrics.height() + 2));
}

void TForm2::StringGrid1SelectCell(int column, int row) {
  if (!hexdump::IsSelectableCell(column, row)) return;
  HighlightPartner(column, row);
}

void TForm2::HighlightPartner(int column, int row) {
  const int partner = hexdump::PartnerColumn(column);
  if (partner < 0) return;
  if (HighlightShown && (HighlightCol != partner || HighlightRow != row)) {
    if (QTableWidgetItem* previous = StringGrid1->item(HighlightRow, HighlightCol))
      previous->setData(Qt::BackgroundRole, QVariant());
  }
  if (QTableWidgetItem* item = StringGrid1->item(row, partner))
    item->setBackground(palette().brush(QPalette::Button));
  HighlightShown = true;
  HighlightCol = partner;
  HighlightRow = row;
}

void TForm2::StringGrid1GetEditText(int column, int row, const QString& text) {
  const QString partner = cellText(hexdump::PartnerColumn(column), row);
  if (hexdump::IsCharColumn(column)) {
    EditStartChar = text.toStdU16String();
    EditStartHex = partner.toStdU16String();
  } else {
    EditStartHex = text.toStdU16String();
    EditStartChar = partner.toStdU16String();
  }
}

void TForm2::StringGrid1SetEditText(int column, int row, const QString& value) {
  const int partner = hexdump::PartnerColumn(column);
  if (partner < 0) return;
  QString shown = value;
  if (hexdump::IsHexColumn(column)) {
    if (value.size() >= 2) {
      const hexdump::HexEdit edit = hexdump::ApplyHexCellText(value.toStdU16String(), EditStartHex);
      shown = FromWideText(edit.text);
      setCellText(partner, row, FromWideText(hexdump::CharCellText(edit.value)));
      HighlightPartner(column, row);
    }
  } else if (!value.isEmpty()) {
    if (const auto byte = hexdump::CharCellByte(value.toStdU16String())) {
      shown = value.right(1);
      setCellText(partner, row, FromByteText(HexByte(*byte)));
    } else {
      shown = FromWideText(EditStartChar);
    }
    HighlightPartner(column, row);
  }
  setCellText(column, row, shown);
  QLineEdit* editor = StringGrid1->activeEditor();
  if (editor && editor->text() != shown) editor->setText(shown);
}

void TForm2::setCellText(int column, int row, const QString& text) {
  if (QTableWidgetItem* item = StringGrid1->item(row, column)) item->setText(text);
}

QString TForm2::cellText(int column, int row) const {
  const QTableWidgetItem* item = StringGrid1->item(row, column);
  return item ? item->text() : QString();
}

}  // namespace quillet::ui
