// The document commands of the main window (New, Open, Save, Exit, About), files
// dropped onto the window, the save settings and the one place where file errors
// reach the user.
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
#include <QUrl>
#include <QUndoStack>

#include "about_box.h"
#include "core_words.h"
#include "display_text.h"
#include "main_window.h"
#include "menu_loader.h"
#include "menu_writer.h"
#include "message_prompt.h"

namespace quillet::ui {

namespace {

constexpr int kIconTag06 = 0;
constexpr int kIconTag0C = 1;

const QString kErrorTitle = QStringLiteral("Quillet");
const QString kProgramTitle = QStringLiteral("Quillet v.0.1");

// File names are bytes; a person sees them printable (see display_text.h).
QString pathText(const std::string& path) { return QString::fromStdString(PrintableUtf8(path)); }

// More warnings than this go into the box's details area.
constexpr int kWarningsInTheBox = 8;

std::string localPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

// Every file error names its file, even when the failing step did not.
Error withPath(Error error, const std::string& path) {
  if (error.path.empty()) error.path = path;
  return error;
}

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

void TSDIAppForm::startDocument(const QString& name) {
  documentName_ = name;
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

bool TSDIAppForm::settleUnsavedChanges() {
  if (!document_.isOpen() || !isDocumentModified()) return true;
  MessageRequest question;
  question.owner = this;
  question.icon = QMessageBox::Warning;
  question.title = kErrorTitle;
  question.text = tr("The menu \"%1\" has changed.\nDo you want to save the changes?").arg(documentName_);
  question.buttons = QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
  switch (showMessage(question)) {
    case QMessageBox::Save: return saveThroughDialog();
    case QMessageBox::Discard: return true;
    default: return false;
  }
}

void TSDIAppForm::clearAndHideSummary() {
  TntMemo1->clear();
  TntMemo1->hide();
}

void TSDIAppForm::enableDocumentCommands() {
  ToolButton2->setEnabled(true);
  FileSaveItem->setEnabled(true);
  // While a phone job runs the phone commands wait for it (and the library is busy).
  const bool phone = !phoneBusy() && phoneReady();
  ToolButton5->setEnabled(phone);
  Savetophone1->setEnabled(phone);
}

void TSDIAppForm::disableDocumentCommands() {
  ToolButton2->setEnabled(false);
  FileSaveItem->setEnabled(false);
  ToolButton5->setEnabled(false);
  Savetophone1->setEnabled(false);
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
  const QString chosen = chooseFile_(this, kind);
  if (chosen.isEmpty()) return;
  openFile(chosen);
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
  return finishLoad(LoadMenuFileFromPath(path, document_), path);
}

bool TSDIAppForm::openMenuBytes(const std::vector<std::uint8_t>& bytes, const std::string& source) {
  // The loader replaces the open document only with one that loaded completely, so a
  // refused file costs the user nothing.
  return finishLoad(LoadMenuFile(bytes, document_, source), source);
}

bool TSDIAppForm::finishLoad(Result<LoadOutcome> outcome, const std::string& path) {
  if (!outcome) {
    showFileError(withPath(outcome.error(), path));
    return false;
  }
  clearAndHideSummary();
  applyLoadedOptions(outcome->options);
  startDocument(QFileInfo(pathText(path)).fileName());
  TreeView1Change();
  enableDocumentCommands();
  showLoadWarnings(path, outcome.value());
  return true;
}

void TSDIAppForm::FileSave1Execute() {
  // Without a document there is nothing to save; the shortcut stays live regardless.
  if (!document_.isOpen()) return;
  saveThroughDialog();
}

bool TSDIAppForm::saveThroughDialog() {
  const QString chosen = chooseFile_(this, FileDialogKind::Save);
  if (chosen.isEmpty() || !saveMenuFile(localPath(chosen))) return false;
  documentName_ = QFileInfo(chosen).fileName();
  updateWindowTitle();
  documentSaved();
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

void TSDIAppForm::FileExit1Execute() { close(); }

void TSDIAppForm::HelpAbout1Execute() {
  if (aboutBox_ != nullptr) aboutBox_->exec();
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
  if (RadioButton1->isChecked()) {
    RadioGroup2->setEnabled(true);
    CheckBox2->setEnabled(true);
  } else {
    setIconTagIndex(kIconTag0C);
    RadioGroup2->setEnabled(false);
    CheckBox2->setEnabled(false);
    CheckBox2->setChecked(false);
  }
}

void TSDIAppForm::RadioButton2Click() {
  if (RadioButton2->isChecked()) {
    setIconTagIndex(kIconTag0C);
    RadioGroup2->setEnabled(false);
    CheckBox2->setEnabled(false);
    CheckBox2->setChecked(false);
  } else {
    RadioGroup2->setEnabled(true);
    CheckBox2->setEnabled(true);
  }
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
  // A few warnings fit in the box; more go into its scrollable details area.
  if (lines.size() <= kWarningsInTheBox) {
    request.text += QLatin1Char('\n') + lines.join(QLatin1Char('\n'));
  } else {
    request.text += tr("\n%n warnings; \"Show Details...\" lists them all.", nullptr, static_cast<int>(lines.size()));
    request.details = lines.join(QLatin1Char('\n'));
  }
  showMessage(request);
}

}  // namespace quillet::ui
