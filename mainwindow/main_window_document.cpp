// The document commands of the main window (New, Open, Exit, About), files dropped
// onto the window, the save settings and the one place where file errors reach the user.
#include <QButtonGroup>
#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStringList>
#include <QTimer>
#include <QToolButton>
#include <QUndoStack>
#include <QUrl>

#include "about_box.h"
#include "core_words.h"
#include "file_messages.h"
#include "help_window.h"
#include "main_window.h"
#include "menu_loader.h"
#include "menu_writer.h"
#include "message_prompt.h"

namespace quillet::ui {

namespace {

constexpr int kIconTag06 = 0;
constexpr int kIconTag0C = 1;

const QString kProgramTitle = QStringLiteral("Quillet v.0.1");

// The first local file of a drop; several files dropped at once open the first.
QString droppedFile(const QMimeData* data) {
  if (data == nullptr) return {};
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) return url.toLocalFile();
  }
  return {};
}

}  // namespace

void TSDIAppForm::ClearDocument() {
  document_.ClearDocument();
  startDocument(QString());
}

void TSDIAppForm::startDocument(const QString& name, const QString& path) {
  documentName_ = name;
  // A backup keeps the menu as the phone had it: Save asks for a new name instead.
  documentPath_ = path.isEmpty() || IsInBackups(path) ? QString() : QFileInfo(path).absoluteFilePath();
  proposedName_ = path.isEmpty() ? QString() : QFileInfo(path).fileName();
  undoStack_->clear();  // a new or loaded document starts a fresh history
  setWindowModified(false);
  updateWindowTitle();
}

void TSDIAppForm::documentSaved() {
  undoStack_->setClean();
  setWindowModified(false);
}

void TSDIAppForm::updateWindowTitle() {
  // The desktop's usual form: the file's name with the modified mark, then the program.
  setWindowTitle(documentName_.isEmpty() ? kProgramTitle
                                         : tr("%1[*] - %2").arg(documentName_, kProgramTitle));
}

void TSDIAppForm::clearAndHideSummary() {
  TntMemo1->clear();
  TntMemo1->hide();
}

void TSDIAppForm::enableDocumentCommands() {
  ToolButton2->setEnabled(true);
  FileSaveItem->setEnabled(true);
  FileSaveAsItem->setEnabled(true);
  // While a phone job runs the phone commands wait for it (and the library is busy).
  const bool phone = !phoneBusy() && phoneReady();
  ToolButton5->setEnabled(phone);
  Savetophone1->setEnabled(phone);
}

void TSDIAppForm::FileNew1Execute() {
  if (!settleUnsavedChanges()) return;
  ClearDocument();
  clearAndHideSummary();
  document_.NewDocument();
  startDocument(tr("Untitled"));
  selectNode(document_.menuRootNode());
  enableDocumentCommands();
}

void TSDIAppForm::FileOpen1Execute() { openChosenFile(FileDialogKind::Open); }

// Restoring a phone's menu is Open backup, then Save to phone.
void TSDIAppForm::FileOpenBackupExecute() { openChosenFile(FileDialogKind::OpenBackup); }

void TSDIAppForm::openChosenFile(FileDialogKind kind) {
  if (!settleUnsavedChanges()) return;
  const QString chosen =
      chooseFile_(this, kind, kind == FileDialogKind::Open ? openDialogStart() : QString());
  if (chosen.isEmpty()) return;
  if (openMenuFile(localPath(chosen)) && kind == FileDialogKind::Open) {
    settings_.setLastOpenFolder(QFileInfo(chosen).absolutePath());
  }
}

QString TSDIAppForm::openDialogStart() const {
  const QString last = settings_.lastOpenFolder();
  if (!last.isEmpty() || documentPath_.isEmpty()) return last;
  return QFileInfo(documentPath_).absolutePath();
}

void TSDIAppForm::openFile(const QString& path) { openMenuFile(localPath(path)); }

void TSDIAppForm::dragEnterEvent(QDragEnterEvent* event) {
  if (!droppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TSDIAppForm::dropEvent(QDropEvent* event) {
  const QString path = droppedFile(event->mimeData());
  if (path.isEmpty()) return;
  event->acceptProposedAction();
  // Opened once the drop is over: the source of the drag does not wait on a message box.
  QTimer::singleShot(0, this, [this, path] {
    if (settleUnsavedChanges()) openFile(path);
  });
}

bool TSDIAppForm::openMenuFile(const std::string& path) {
  const QString file = QFile::decodeName(QByteArray::fromStdString(path));
  if (!finishLoad(LoadMenuFileFromPath(path, document_), path, QFileInfo(pathText(path)).fileName(), file)) {
    return false;
  }
  settings_.addRecentFile(file);
  return true;
}

bool TSDIAppForm::openMenuBytes(const std::vector<std::uint8_t>& bytes, const std::string& source,
                                const QString& title) {
  // The loader replaces the open document only with one that loaded completely, so a
  // refused file costs the user nothing.
  return finishLoad(LoadMenuFile(bytes, document_, source), source, title, QString());
}

bool TSDIAppForm::finishLoad(Result<LoadOutcome> outcome, const std::string& path, const QString& title,
                             const QString& file) {
  if (!outcome) {
    showFileError(withPath(outcome.error(), path));
    return false;
  }
  clearAndHideSummary();
  applyLoadedOptions(outcome->options);
  startDocument(title, file);
  TreeView1Change();
  enableDocumentCommands();
  showLoadWarnings(path, outcome.value());
  return true;
}

void TSDIAppForm::FileExit1Execute() { close(); }

void TSDIAppForm::HelpAbout1Execute() {
  if (aboutBox_ != nullptr) aboutBox_->exec();
}

void TSDIAppForm::HelpContents1Execute() {
  // One guide window for the run, raised again when asked for again.
  auto* help = findChild<HelpWindow*>(QStringLiteral("HelpWindow"));
  if (help == nullptr) help = new HelpWindow(this);
  help->show();
  help->raise();
  help->activateWindow();
}

SaveOptions TSDIAppForm::saveOptions() const {
  SaveOptions options;
  options.layout = RadioButton1->isChecked() ? RecordLayout::Bytes22 : RecordLayout::Bytes36;
  options.saveAllData = CheckBox1->isChecked();
  options.c698p = CheckBox2->isChecked();
  options.iconTag = iconTagIndex() == kIconTag06 ? IconTag::Tag06 : IconTag::Tag0C;
  return options;
}

int TSDIAppForm::iconTagIndex() const { return RadioGroup2Items->checkedId(); }

void TSDIAppForm::setIconTagIndex(int index) { RadioGroup2Items->button(index)->setChecked(true); }

void TSDIAppForm::RadioButton1Click() {
  chooseLayout(RadioButton1->isChecked() ? RecordLayout::Bytes22 : RecordLayout::Bytes36);
}

void TSDIAppForm::RadioButton2Click() {
  chooseLayout(RadioButton2->isChecked() ? RecordLayout::Bytes36 : RecordLayout::Bytes22);
}

void TSDIAppForm::chooseLayout(RecordLayout layout) {
  const SaveOptions chosen = WithLayout(saveOptions(), layout);
  setIconTagIndex(chosen.iconTag == IconTag::Tag06 ? kIconTag06 : kIconTag0C);
  CheckBox2->setChecked(chosen.c698p);
  const bool choosable = LayoutLetsChooseIconTagAndC698p(layout);
  RadioGroup2->setEnabled(choosable);
  CheckBox2->setEnabled(choosable);
}

void TSDIAppForm::applyLoadedOptions(const LoadedOptions& options) {
  // Set directly, not by clicks: a 36-byte file whose icon blocks carry tag 6 shows
  // "06" in the disabled group, which the layout buttons' rules would overwrite.
  const bool layout22 = options.layout == RecordLayout::Bytes22;
  RadioButton1->setChecked(layout22);
  RadioButton2->setChecked(!layout22);
  CheckBox2->setEnabled(options.c698pEnabled);
  CheckBox2->setChecked(options.c698p);
  // A 22-byte file without icon paths keeps the user's choice for the icons added later.
  if (options.iconTagDecided) setIconTagIndex(options.iconTag == IconTag::Tag06 ? kIconTag06 : kIconTag0C);
  RadioGroup2->setEnabled(options.iconTagEnabled);
}

void TSDIAppForm::showFileError(const Error& error) {
  MessageRequest request;
  request.owner = this;
  request.icon = QMessageBox::Critical;
  request.title = kErrorTitle;
  request.text = ErrorWords(error);
  if (!error.path.empty()) request.text += tr("\n\nFile: %1").arg(pathText(error.path));
  showMessage(request);
}

void TSDIAppForm::showLoadWarnings(const std::string& path, const LoadOutcome& outcome) {
  if (outcome.warnings.empty()) return;
  QStringList lines;
  for (const LoadWarning& warning : outcome.warnings) lines << LoadWarningWords(warning);
  MessageRequest request;
  request.owner = this;
  request.icon = QMessageBox::Warning;
  request.title = kErrorTitle;
  request.text = tr("Some data of \"%1\" cannot be kept by the editor and was left out:").arg(pathText(path));
  listLines(
      request, lines,
      tr("\n%n warnings; \"Show Details...\" lists them all.", nullptr, static_cast<int>(lines.size())));
  showMessage(request);
}

}  // namespace quillet::ui
