#pragma once
// TSDIAppForm: the editor's one main window. It owns the menu document for the whole
// run, shows its tree, holds the save settings the writer reads and runs the document
// commands. Its handlers are split by concern over several files of this class:
//   main_window.cpp           creation, show and close
//   main_window_controls.cpp  the controls, actions, menus and images
//   main_window_document.cpp  New, Open, Exit, About, drops and the save settings
//   main_window_saving.cpp    Save, Save As, the question before data is left out
//   main_window_recent_files.cpp  File > Open Recent and the remembered window position
//   main_window_summary.cpp   the item summary and the document summary
//   main_window_phone.cpp     Open from phone, Save to phone, Restart Phone
//   main_window_tree_editing.cpp  the two pop-up menus: add, replace, modify, delete, move
//   main_window_clipboard.cpp     cut, copy and paste of items through the system clipboard
//   main_window_preview.cpp       the View menu and the phone preview
#include <QIcon>
#include <QMainWindow>
#include <QVector>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "backup_store.h"
#include "edit_command.h"
#include "editor_settings.h"
#include "file_chooser.h"
#include "menu_document.h"
#include "p2k_library.h"
#include "phone_link_listener.h"
#include "phone_menu_guard.h"
#include "prompter.h"
#include "result.h"
#include "save_options.h"
#include "tree_commands.h"

class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QRadioButton;
class QStatusBar;
class QToolBar;
class QToolButton;
class QTreeView;
class QUndoStack;

namespace quillet::ui {

class MenuTreeModel;
class PhoneIndicator;
class PhonePreviewWindow;
class PictureFiles;
class TAboutBox;
class TOKRightDlg;
class WindowPhoneLink;
enum class PhoneJob;

// The window listens to its phone link (privately): what the link reports about the
// phone, the window shows and turns into enabled commands itself.
class TSDIAppForm : public QMainWindow, private PhoneLinkListener {
  Q_OBJECT
 public:
  explicit TSDIAppForm(QWidget* parent = nullptr);
  ~TSDIAppForm() override;

  // Window-level state under the design's name (the exchange file is the phone link's).
  // 1 after a save to the phone that read back equal, until the phone restarts; set
  // from what each phone job reports.
  std::uint8_t StoredToPhone = 0;

  MenuDocument& document() { return document_; }
  const MenuDocument& document() const { return document_; }
  MenuTreeModel& treeModel() const { return *treeModel_; }

  void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }
  // Where the window's message boxes are shown; the screen by default.
  void setPrompter(Prompter& prompter) { prompter_ = &prompter; }
  void setAboutBox(TAboutBox* box) { aboutBox_ = box; }
  // Talks to the phone through `library` from now on (before the window is first shown).
  // The program's start hands over the library it chose; until then the window has no phone.
  void usePhoneLibrary(std::unique_ptr<P2KLibrary> library);
  // Phone work runs or waits on the phone thread (a command's job, or the model read
  // after a connection notice); its results reach the window once it has ended.
  bool phoneWorking() const;

  // The save settings as the controls show them now.
  SaveOptions saveOptions() const;
  // The node selected in TreeView1, or nullptr.
  MenuNode* selectedNode() const;
  void selectNode(const MenuNode* node);

  // Loads a menu file in place of the open document and applies the settings the file
  // implies; on failure the open document, its settings and the enabled commands stay
  // as they were and the error is shown. Warnings about data the model cannot keep are
  // shown after a successful load.
  bool openMenuFile(const std::string& path);
  // Opens `path` as File > Open opens the file chosen in its dialog; the command line
  // and files dropped onto the window come in here too.
  void openFile(const QString& path);
  // Loads the bytes of a menu file received from elsewhere (`source` names it in
  // messages, `title` in the title bar) into a new document that replaces the open one
  // only when the load succeeded; on failure the open document, its settings and
  // commands stay as they were. The document has no file: Save asks for one.
  bool openMenuBytes(const std::vector<std::uint8_t>& bytes, const std::string& source, const QString& title);
  // Writes the document with the current save settings; failures are shown.
  bool saveMenuFile(const std::string& path);
  // Save: in place when the document has a file of its own, else through the dialog.
  // Returns whether the document was written.
  bool saveDocument();
  // The file Save writes in place; empty for a new document, one read from the phone
  // and a backup (which is never overwritten).
  const QString& documentPath() const { return documentPath_; }

  // Before the document is set aside (New, Open, Open from phone, Exit, or any other
  // caller): when it changed since it was loaded, created or saved, asks Save /
  // Discard / Cancel. Returns whether the caller may go on.
  bool settleUnsavedChanges();
  // Whether the document changed since it was loaded, created or saved.
  bool isDocumentModified() const { return isWindowModified(); }
  // The document's edits since it was loaded or created, for Edit > Undo and Redo.
  QUndoStack& undoStack() const { return *undoStack_; }

  // Handlers of the actions and controls.
  void FileNew1Execute();
  void FileOpen1Execute();
  void FileOpenBackupExecute();
  void FileSave1Execute();
  void FileSaveAs1Execute();
  void FileExit1Execute();
  void HelpAbout1Execute();
  void HelpContents1Execute();
  void PhoneOpenExecute();
  void PhoneSaveExecute();
  void PhoneRestartExecute();
  void PhoneRestoreMenuExecute();
  void RadioButton1Click();
  void RadioButton2Click();
  void TreeView1Click();
  void TreeView1Change();
  void TreeView1Addition();

  // ---- Tree editing (main_window_tree_editing.cpp) ----
  // The item settings dialog that "Modify item" opens; without one it does nothing.
  // Its "Choose icon" browses the window's phone, or the preview's phone files folder.
  void setItemSettingsDialog(TOKRightDlg* dialog);
  void ComboBox1Click();
  void PopupMenu1Popup();
  void PopupMenu2Popup();
  void AddFirst1Click();
  void AddChild1Click();
  void AddFirst2Click();
  void AddItem1Click();
  void Replace1Click();
  void MenuItem1Click();
  void Deleteitem1Click();
  void Moveup1Click();
  void Movedown1Click();
  // ---- Items on the clipboard (main_window_clipboard.cpp) ----
  void Cutitem1Click();
  void Copyitem1Click();
  void Pasteitem1Click();
  void Pastesubitem1Click();

 private:
  void buildPopupMenus();
  // The catalogue row of the chooser's entry, or -1 when its text names none.
  int chosenCatalogueRow() const;
  QPoint chooserMenuPoint() const;
  void addChosenItem(ItemPlace place);
  void refreshAfterEdit();
  // Opens the item settings dialog on `node` and stores its result on OK; returns what
  // undoes the store, or nothing when the dialog was cancelled.
  std::optional<BranchSnapshot> editInItemDialog(MenuNode& node);
  // A drop in the tree that the rules allow: one undo step "Move item '<caption>'".
  void moveDroppedItem(MenuNode* node, MenuNode* parent, int row);
  // An undo step's view before its command runs: the selection, and the expansion of
  // the branch the command replaces or takes out, which undo gives back.
  struct StepStart {
    int selected = -1;
    ExpandedRows expanded;
  };
  // `branchTop`: the absolute index of that branch, -1 for none.
  StepStart startStep(int branchTop) const;
  // The command that just ran becomes one undo step named `text`; `undo` is the record
  // the command returned.
  void pushStep(const QString& text, StepStart start, EditRecord undo);
  // The expansion of a branch in the tree view, and giving it back after undo or redo.
  ExpandedRows expandedBelow(int ownerIndex) const;
  void expandBelow(int ownerIndex, const ExpandedRows& rows);
  // After undo or redo put a branch back: the view and summary follow the document.
  void afterUndoSwap(int selectIndex);
  void showEditRefusal(const QString& text);
  // The questions before a delete and before subitems are left behind (`selectedItem`:
  // the selected item is what cannot have them, as when it is replaced).
  // The informative text names the item that goes and its subitems.
  bool confirmDelete(const MenuNode& node);
  bool confirmDroppedSubmenu(bool selectedItem, const QString& item);
  void deleteNode(MenuNode& node, const QString& stepName);
  void enableClipboardEntries(const MenuNode* node);
  // The Edit menu's entries follow the clipboard entries of the tree's menu.
  void enableEditMenu();
  void pasteFragment(bool asSubitem);

  TOKRightDlg* itemDialog_ = nullptr;
  QMenu* PopupMenu1 = nullptr;
  QAction* AddChild1 = nullptr;
  QAction* AddFirst1 = nullptr;
  QAction* AddLast1 = nullptr;
  QAction* AddBefore1 = nullptr;
  QAction* AddFirst2 = nullptr;
  QAction* AddBefore2 = nullptr;
  QAction* Replace1 = nullptr;
  QMenu* PopupMenu2 = nullptr;
  QAction* MenuItem1 = nullptr;
  QAction* Deleteitem1 = nullptr;
  QAction* Moveup1 = nullptr;
  QAction* Movedown1 = nullptr;
  QAction* Cutitem1 = nullptr;
  QAction* Copyitem1 = nullptr;
  QAction* Pasteitem1 = nullptr;
  QAction* Pastesubitem1 = nullptr;
  QAction* EditCutitem1 = nullptr;
  QAction* EditCopyitem1 = nullptr;
  QAction* EditPasteitem1 = nullptr;
  QAction* EditPastesubitem1 = nullptr;
  // ---- end of tree editing ----

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void FormCreate();
  void FormShow();
  void FormClose();

  // Controls, actions, menus and images (main_window_controls.cpp).
  void buildImages();
  void buildActions();
  void buildMainMenu();
  void buildEditMenu();
  void buildToolBar(QWidget* client);
  void buildTree(QWidget* client);
  void buildSaveOptions(QWidget* client);
  void buildChooserAndSummary(QWidget* client);
  void buildStatusBars(QWidget* client);
  void applyWindowFont();
  QAction* addActionToList(const char* name, const QString& caption, const QString& hint, int image);
  QAction* addMenuEntry(QMenu* menu, QAction* action, const char* name);
  QToolButton* addToolButton(QAction* action, const char* name);

  // Document state (main_window_document.cpp).
  void ClearDocument();
  void enableDocumentCommands();
  void clearAndHideSummary();
  void applyLoadedOptions(const LoadedOptions& options);
  // The save controls after the user chose `layout` (WithLayout's rule).
  void chooseLayout(RecordLayout layout);
  void setIconTagIndex(int index);
  int iconTagIndex() const;
  void showFileError(const Error& error);
  // Shows a load's result: the loaded document with its settings, or the error over an
  // emptied tree.
  bool finishLoad(Result<LoadOutcome> outcome, const std::string& path, const QString& title,
                  const QString& file);
  void showLoadWarnings(const std::string& path, const LoadOutcome& outcome);
  bool phoneReady() const;
  // Save As: the file dialog, then saveTo; false when the user cancels or the save fails.
  bool saveThroughDialog();
  // Every save to disk: asks about data left out, writes, and makes `path` the
  // document's file.
  bool saveTo(const QString& path);
  // Before a save to disk or phone that would leave out data the document holds: asks
  // Keep the data (ticks "Save all data") / Leave it out / Cancel. Whether to go on.
  bool settleDataLeftOut();
  // Where the Save and Open dialogs open.
  QString saveDialogStart() const;
  QString openDialogStart() const;
  // A confirmation in the hint line that gives way after a few seconds.
  void showHint(const QString& text);
  // A new or loaded document is unchanged and shown under `name` in the title; `path`
  // is the disk file it came from (empty for none).
  void startDocument(const QString& name, const QString& path = QString());
  void documentSaved();
  void updateWindowTitle();
  // Open and Open backup: the chosen file replaces the document.
  void openChosenFile(FileDialogKind kind);
  // The backups of phone menus, in backupsFolder().
  BackupStore backups() const;

  // File > Open Recent and the window's place (main_window_recent_files.cpp).
  void buildRecentMenu();
  void fillRecentMenu();
  void openRecentFile(const QString& path);
  void restoreWindowPosition();
  void rememberWindowPosition();

  // The View menu and the phone preview (main_window_preview.cpp).
  void buildViewMenu();
  // The preview, made when it is first needed.
  PhonePreviewWindow& phonePreview();
  void showPhonePreview(bool open);
  // Opens the preview at the first show when it was open at the end of the last run.
  void restorePhonePreview();
  // The preview reads icon files from the window's phone link, when there is one.
  void connectPreviewToPhone();
  // The phone came or went: the preview looks for its icons again.
  void tellPreviewPhoneChanged();
  // What "Choose icon" browses now: the connected phone, else the phone files folder.
  std::unique_ptr<PictureFiles> pictureFiles();

  // Phone commands (main_window_phone.cpp).
  void connectPhoneCommands();
  // A phone command's job runs: the phone commands wait for it.
  bool phoneBusy() const;
  // Writes the backup at `path` back to the phone as a job (Restore phone menu...).
  void restoreBackup(const std::string& path);
  // The phone's last write did not finish: offers to put back the menu from before.
  void offerRestore(const PhoneDamage& damage);
  // Writes `bytes` to the phone as a guarded save (backup, write, read-back check) in a
  // job; StoredToPhone then follows what it did, a failure is shown and `stored` runs
  // once the phone holds them.
  void sendToPhone(PhoneJob job, std::vector<std::uint8_t> bytes, std::function<void()> stored);
  // Open from phone, Restart Phone and Restore phone menu... while a phone is connected
  // and no job runs; Save to phone also needs a document.
  void enablePhoneCommands();
  // PhoneLinkListener: the indicator, the phone panel, the commands, the hint line and
  // the link's errors.
  void phoneConnectionChanged(bool connected) override;
  void phoneModelRead(const std::string& model) override;
  void showStatusText(const std::string& text) override;
  // A box with an empty title, an OK button and the stop icon: the link's message as it
  // stands, then the reason and the file on lines of their own.
  void showPhoneError(const Error& error) override;
  void phoneBusyChanged() override;

  // Every message box of the window goes through here, to the window's prompter.
  QMessageBox::StandardButton showMessage(const MessageRequest& request) const {
    return prompter_->showMessage(request);
  }

  MenuDocument document_;
  std::unique_ptr<MenuTreeModel> treeModel_;
  FileChooser chooseFile_ = chooseFileWithDialog;
  Prompter* prompter_ = &screenPrompter();
  TAboutBox* aboutBox_ = nullptr;
  std::unique_ptr<WindowPhoneLink> phone_;  // the window's one handle to the phone
  bool shown_ = false;
  QString documentName_;  // the title's file name; empty without a document
  QString documentPath_;  // see documentPath()
  QString proposedName_;  // the file name the document came from, for the Save dialog
  EditorSettings settings_;

  QVector<QIcon> ImageList1;

  QObject* ActionList1 = nullptr;
  QAction* FileNew1 = nullptr;
  QAction* FileOpen1 = nullptr;
  QAction* FileOpenBackup = nullptr;
  QAction* FileSave1 = nullptr;
  QAction* PhoneOpen = nullptr;
  QAction* PhoneSave = nullptr;
  QAction* FileSaveAs1 = nullptr;
  QAction* PhoneRestart = nullptr;
  QAction* PhoneRestoreMenu = nullptr;
  QAction* FileExit1 = nullptr;
  QAction* HelpAbout1 = nullptr;
  QAction* HelpContents1 = nullptr;

  QMenu* File1 = nullptr;
  QMenu* Edit1 = nullptr;
  QAction* EditUndo1 = nullptr;
  QAction* EditRedo1 = nullptr;
  QUndoStack* undoStack_ = nullptr;
  QMenu* View1 = nullptr;
  QAction* ViewPhonePreview = nullptr;
  QAction* ViewPhoneFilesFolder = nullptr;
  QAction* PhonePreviewItem = nullptr;
  QAction* PhoneFilesFolderItem = nullptr;
  PhonePreviewWindow* preview_ = nullptr;  // a tool window of this window, made on first use
  QMenu* Help1 = nullptr;
  QAction* FileNewItem = nullptr;
  QAction* FileOpenItem = nullptr;
  QAction* FileOpenBackupItem = nullptr;
  QAction* FileSaveItem = nullptr;
  QAction* FileSaveAsItem = nullptr;
  QMenu* FileOpenRecentMenu = nullptr;
  QAction* FileClearRecentItem = nullptr;
  QAction* Openfromphone1 = nullptr;
  QAction* Savetophone1 = nullptr;
  QAction* RestartPhone1 = nullptr;
  QAction* RestorePhoneMenu1 = nullptr;
  QAction* FileExitItem = nullptr;
  QAction* HelpAboutItem = nullptr;
  QAction* HelpContentsItem = nullptr;

  QToolBar* ToolBar1 = nullptr;
  QToolButton* ToolButton9 = nullptr;
  QToolButton* ToolButton1 = nullptr;
  QToolButton* ToolButton2 = nullptr;
  QToolButton* ToolButton4 = nullptr;
  QToolButton* ToolButton5 = nullptr;
  QToolButton* ToolButton7 = nullptr;

  QTreeView* TreeView1 = nullptr;
  QGroupBox* RadioGroup1 = nullptr;
  QRadioButton* RadioButton1 = nullptr;
  QRadioButton* RadioButton2 = nullptr;
  QCheckBox* CheckBox1 = nullptr;
  QCheckBox* CheckBox2 = nullptr;
  QGroupBox* RadioGroup2 = nullptr;
  QButtonGroup* RadioGroup2Items = nullptr;
  QLabel* Label1 = nullptr;
  QComboBox* ComboBox1 = nullptr;
  QPlainTextEdit* TntMemo1 = nullptr;
  // Condenses the summary's face until its longest line fits the memo without wrapping.
  void fitSummaryFont();
  QStatusBar* StatusBar1 = nullptr;
  QLabel* StatusBar1Panel0 = nullptr;
  QLabel* StatusBar1Panel1 = nullptr;
  PhoneIndicator* Shape1 = nullptr;
  QStatusBar* StatusBar = nullptr;
};

// The informative text of the questions about one item: Item: "Settings" with 3 subitems.
QString ItemAndSubitems(const std::string& caption, int subitems);

}  // namespace quillet::ui
