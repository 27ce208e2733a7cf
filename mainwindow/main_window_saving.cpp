// Saving: Save writes the document's own file in place and asks for a name only for a
// document without one; Save As always asks. Every save, to disk or to the phone, first
// asks before it would leave out data the document holds.
#include <QCheckBox>
#include <QFileInfo>
#include <QStatusBar>
#include <QUndoStack>

#include "display_text.h"
#include "file_messages.h"
#include "main_window.h"
#include "menu_writer.h"
#include "save_losses.h"

namespace quillet::ui {

namespace {

// How long a confirmation stays in the hint line.
constexpr int kHintMilliseconds = 5000;

// The name the Save dialog proposes for a document that has no file of its own.
const QString kMenuFileName = QStringLiteral("mma_ucp");

QString Tags(const std::vector<std::uint8_t>& tags) {
  QStringList numbers;
  for (std::uint8_t tag : tags) numbers << QString::number(tag);
  return numbers.join(QStringLiteral(", "));
}

// One line per item: "Settings": uninterpreted data (tags 7, 20); kind 5 (saved as 0)
QString LostLine(const DataLeftOut& lost) {
  QStringList parts;
  if (!lost.blockTags.empty()) {
    parts << (lost.blockTags.size() == 1
                  ? TSDIAppForm::tr("uninterpreted data (tag %1)").arg(Tags(lost.blockTags))
                  : TSDIAppForm::tr("uninterpreted data (tags %1)").arg(Tags(lost.blockTags)));
  }
  if (lost.kind) parts << TSDIAppForm::tr("item kind %1 (saved as 0)").arg(*lost.kind);
  return QString::fromStdString(QuotedCaption(lost.node->caption())) + QStringLiteral(": ") +
         parts.join(QStringLiteral("; "));
}

}  // namespace

void TSDIAppForm::FileSave1Execute() {
  // Without a document there is nothing to save; the shortcut stays live regardless.
  if (!document_.isOpen()) return;
  saveDocument();
}

void TSDIAppForm::FileSaveAs1Execute() {
  if (!document_.isOpen()) return;
  saveThroughDialog();
}

bool TSDIAppForm::saveDocument() {
  return documentPath_.isEmpty() ? saveThroughDialog() : saveTo(documentPath_);
}

bool TSDIAppForm::settleUnsavedChanges() {
  if (!document_.isOpen() || !isDocumentModified()) return true;
  MessageRequest question;
  question.owner = this;
  question.icon = QMessageBox::Warning;
  question.title = kErrorTitle;
  question.text = tr("The menu \"%1\" has changed.\nDo you want to save the changes?").arg(documentName_);
  question.buttons = QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
  switch (showMessage(question)) {
    case QMessageBox::Save: return saveDocument();
    case QMessageBox::Discard: return true;
    default: return false;
  }
}

QString TSDIAppForm::saveDialogStart() const {
  if (!documentPath_.isEmpty()) return documentPath_;
  // A backup is proposed under its own name, in the folder saved to last.
  const QString name = proposedName_.isEmpty() ? kMenuFileName : proposedName_;
  const QString folder = settings_.lastSaveFolder();
  return folder.isEmpty() ? name : folder + QLatin1Char('/') + name;
}

bool TSDIAppForm::saveThroughDialog() {
  const QString chosen = chooseFile_(this, FileDialogKind::Save, saveDialogStart());
  if (chosen.isEmpty() || !saveTo(chosen)) return false;
  settings_.setLastSaveFolder(QFileInfo(chosen).absolutePath());
  return true;
}

bool TSDIAppForm::saveTo(const QString& path) {
  if (IsInBackups(path) && QFileInfo::exists(path)) {
    MessageRequest refusal;
    refusal.owner = this;
    refusal.icon = QMessageBox::Warning;
    refusal.title = kErrorTitle;
    refusal.text = tr("\"%1\" is a backup of a phone's menu, which is kept as it was read. "
                      "Save the menu under another name.")
                       .arg(path);
    showMessage(refusal);
    return false;
  }
  if (!settleDataLeftOut() || !saveMenuFile(localPath(path))) return false;
  documentName_ = QFileInfo(path).fileName();
  documentPath_ = IsInBackups(path) ? QString() : QFileInfo(path).absoluteFilePath();
  updateWindowTitle();
  documentSaved();
  settings_.addRecentFile(path);
  showHint(tr("Saved to %1").arg(path));
  return true;
}

bool TSDIAppForm::saveMenuFile(const std::string& path) {
  const Status saved = SaveMenuFile(path, document_, saveOptions());
  if (!saved) {
    showFileError(withPath(saved.error(), path));
    return false;
  }
  return true;
}

bool TSDIAppForm::settleDataLeftOut() {
  const std::vector<DataLeftOut> lost = DataLeftOutBySave(document_, saveOptions());
  if (lost.empty()) return true;
  QStringList lines;
  for (const DataLeftOut& item : lost) lines << LostLine(item);
  MessageRequest question;
  question.owner = this;
  question.icon = QMessageBox::Warning;
  question.title = kErrorTitle;
  question.text = tr("\"Save all data\" is not ticked, so this save would leave out data the menu holds:");
  listLines(question, lines,
            tr("\n%n items; \"Show Details...\" lists them all.", nullptr, static_cast<int>(lines.size())));
  question.informative = tr("\"Keep the data\" ticks \"Save all data\" and saves everything.");
  question.buttons = QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
  question.defaultButton = QMessageBox::Save;
  question.buttonTexts = {{QMessageBox::Save, tr("Keep the data")},
                          {QMessageBox::Discard, tr("Leave it out")}};
  switch (showMessage(question)) {
    case QMessageBox::Save: CheckBox1->setChecked(true); return true;
    case QMessageBox::Discard: return true;
    default: return false;
  }
}

void TSDIAppForm::showHint(const QString& text) { StatusBar->showMessage(text, kHintMilliseconds); }

}  // namespace quillet::ui
