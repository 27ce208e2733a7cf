// The item summary beside the tree (TreeView1Click) and the document summary in panel 0
// of StatusBar1 (TreeView1Change, TreeView1Addition).
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTextDocument>
#include <QTreeView>
#include <algorithm>
#include <array>
#include <cmath>

#include "core_words.h"
#include "main_window.h"
#include "node_rules.h"

namespace quillet::ui {

namespace {

constexpr int kCaretRoom = 2;  // the text layout keeps room for the cursor at a line's end

// The summary's lines; which is the longest depends on the interface language.
const char* const kMenuNameLine = QT_TRANSLATE_NOOP("quillet::ui::TSDIAppForm", "Name in menu modified");
const char* const kSoftkeyNameLine = QT_TRANSLATE_NOOP("quillet::ui::TSDIAppForm", "Softkey name modified");
const char* const kUrlLine = QT_TRANSLATE_NOOP("quillet::ui::TSDIAppForm", "URL attached");
const char* const kMidletLine = QT_TRANSLATE_NOOP("quillet::ui::TSDIAppForm", "MIDlet attached");
const char* const kFileIconLine =
    QT_TRANSLATE_NOOP("quillet::ui::TSDIAppForm", "Icon(s) modified [source: file]");
const char* const kDrmIconLine =
    QT_TRANSLATE_NOOP("quillet::ui::TSDIAppForm", "Icon(s) modified [source: DRM]");
const char* const kUnsupportedLine = QT_TRANSLATE_NOOP("quillet::ui::TSDIAppForm", "Unsupported Data");
constexpr std::array<const char*, 7> kSummaryLines = {
    kMenuNameLine, kSoftkeyNameLine, kUrlLine, kMidletLine, kFileIconLine, kDrmIconLine, kUnsupportedLine};

// The summary lines of one item's blocks, in block order. The MIDlet and icon lines
// appear once however many blocks carry them.
QStringList blockSummaryLines(const TMMAItemData& data) {
  QStringList lines;
  bool midlet = false;
  bool fileIcon = false;
  bool drmIcon = false;
  auto once = [&lines](bool& seen, const QString& line) {
    if (!seen) lines << line;
    seen = true;
  };
  for (const TMMADataBlock& block : data.blocks) {
    switch (block.tag) {
      case kTagMenuName: lines << TSDIAppForm::tr(kMenuNameLine); break;
      case kTagSoftkeyName: lines << TSDIAppForm::tr(kSoftkeyNameLine); break;
      case kTagUrl: lines << TSDIAppForm::tr(kUrlLine); break;
      case kTagMidletApp:
      case kTagMidletName:
      case kTagMidletVendor: once(midlet, TSDIAppForm::tr(kMidletLine)); break;
      case kTagIconPath: once(fileIcon, TSDIAppForm::tr(kFileIconLine)); break;
      case kTagIconDrmList:
      case kTagIconDrmStatic:
      case kTagIconDrmAnimated: once(drmIcon, TSDIAppForm::tr(kDrmIconLine)); break;
      default: lines << TSDIAppForm::tr(kUnsupportedLine); break;
    }
  }
  return lines;
}

}  // namespace

void TSDIAppForm::fitSummaryFont() {
  // The memo keeps the design's width; a stand-in face wider than the design's would
  // wrap the longest lines mid-phrase, so it is condensed just enough.
  QFont font = TntMemo1->font();
  const int room = TntMemo1->width() - 2 * TntMemo1->frameWidth() -
                   TntMemo1->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, TntMemo1) -
                   2 * static_cast<int>(std::ceil(TntMemo1->document()->documentMargin())) - kCaretRoom;
  const QFontMetrics metrics(font);
  int needed = 0;
  for (const char* line : kSummaryLines) needed = std::max(needed, metrics.horizontalAdvance(tr(line)));
  if (needed <= room) return;
  const int stretch = font.stretch() == QFont::AnyStretch ? QFont::Unstretched : font.stretch();
  font.setStretch(std::max(static_cast<int>(QFont::UltraCondensed), stretch * room / needed));
  TntMemo1->setFont(font);
}

bool TSDIAppForm::eventFilter(QObject* watched, QEvent* event) {
  // A click in the tree: the press has already moved the selection when it ends.
  if (watched == TreeView1->viewport() && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    TreeView1Click();
  }
  return QMainWindow::eventFilter(watched, event);
}

void TSDIAppForm::TreeView1Click() {
  const MenuNode* node = selectedNode();
  if (node == nullptr) return;
  if (!CanModify(document_, *node)) {  // the fixed nodes hold no item to sum up
    TntMemo1->hide();
    return;
  }
  TntMemo1->show();
  QStringList lines{tr("Item summary:"), QString()};
  const TMMAItemData* entry = document_.ItemData(*node);
  if (node->item().hasData == 0) {
    lines << tr("[Not modified]");
  } else if (entry != nullptr) {
    lines << blockSummaryLines(*entry);
  }
  TntMemo1->setPlainText(lines.join(QLatin1Char('\n')));
}

void TSDIAppForm::TreeView1Change() {
  StatusBar1Panel0->setText(DocumentSummaryWords(document_.RecordSize, document_.mainMenuItemCount()));
}

// Nodes arrive one by one while a file loads, so the count passes through its
// intermediate values and ends with the final one.
void TSDIAppForm::TreeView1Addition() { TreeView1Change(); }

}  // namespace quillet::ui
