// The main window's controls: what a form designer would hold. Positions are in
// pixels of the client area below the menu bar.
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QUndoStack>
#include <algorithm>
#include <array>

#include "core_words.h"
#include "image_list.h"
#include "language_menu.h"
#include "main_window.h"
#include "menu_tree_model.h"
#include "phone_indicator.h"

// Resources compiled into a static library are registered by name, outside any namespace.
static void registerImages() { Q_INIT_RESOURCE(quillet); }

namespace quillet::ui {

namespace {

constexpr int kDesignFontPixels = 13;
constexpr int kPanel0Width = 220;
constexpr int kPanel1Width = 100;
constexpr int kPanelMargin = 8;

// The design's faces ("Tahoma", "System") are missing on most systems; the stand-in is
// DejaVu Sans, semi-condensed to come close to Tahoma's width, with a CJK face after it
// for names in Chinese, Japanese and Korean.
QFont designFont(const QString& family) {
  QFont font;
  if (QFontDatabase::hasFamily(family)) {
    font.setFamilies({family, QStringLiteral("Noto Sans CJK SC")});
  } else {
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans CJK SC")});
    font.setStretch(QFont::SemiCondensed);
  }
  font.setPixelSize(kDesignFontPixels);
  return font;
}

// A hint "Short|Long" gives the tool tip before the bar and the status text after it.
void applyHint(QAction* action, const QString& hint) {
  const qsizetype bar = hint.indexOf(QLatin1Char('|'));
  action->setToolTip(bar < 0 ? hint : hint.left(bar));
  action->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
}

QFont tahomaFont() { return designFont(QStringLiteral("Tahoma")); }

// A control that sizes itself to its caption in the Tahoma face.
template <typename Widget>
Widget* place(Widget* widget, const char* name, int left, int top) {
  widget->setObjectName(QLatin1String(name));
  widget->setFont(tahomaFont());
  widget->adjustSize();
  widget->move(left, top);
  return widget;
}

}  // namespace

void TSDIAppForm::buildImages() {
  registerImages();
  for (const char* file : kImageFiles) {
    ImageList1.append(QIcon(QStringLiteral(":/images/%1.png").arg(QLatin1String(file))));
  }
}

QAction* TSDIAppForm::addActionToList(const char* name, const QString& caption, const QString& hint,
                                      int image) {
  auto* action = new QAction(caption, ActionList1);
  action->setObjectName(QLatin1String(name));
  if (!hint.isEmpty()) applyHint(action, hint);
  if (image != kNoImage) action->setIcon(ImageList1[image]);
  // The window holds the action, so its shortcut works whatever the state of the menu
  // entries and tool buttons bound to it.
  addAction(action);
  return action;
}

void TSDIAppForm::buildEditMenu() {
  // At least a hundred steps back; each step holds one copy of the branch it touched.
  constexpr int kUndoSteps = 100;
  undoStack_ = new QUndoStack(this);
  undoStack_->setUndoLimit(kUndoSteps);
  EditUndo1 = addActionToList("EditUndo1", tr("&Undo"), QString(), kNoImage);
  EditUndo1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  EditRedo1 = addActionToList("EditRedo1", tr("&Redo"), QString(), kNoImage);
  EditRedo1->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  EditUndo1->setEnabled(false);
  EditRedo1->setEnabled(false);
  connect(EditUndo1, &QAction::triggered, undoStack_, &QUndoStack::undo);
  connect(EditRedo1, &QAction::triggered, undoStack_, &QUndoStack::redo);
  connect(undoStack_, &QUndoStack::canUndoChanged, EditUndo1, &QAction::setEnabled);
  connect(undoStack_, &QUndoStack::canRedoChanged, EditRedo1, &QAction::setEnabled);
  // The status line names the step that Undo or Redo would take.
  // and so do the entries themselves: "&Undo Delete item 'Settings'".
  connect(undoStack_, &QUndoStack::undoTextChanged, EditUndo1, [this](const QString& step) {
    EditUndo1->setStatusTip(step.isEmpty() ? QString() : tr("Undo %1").arg(step));
    EditUndo1->setText(step.isEmpty() ? tr("&Undo") : tr("&Undo %1").arg(step));
  });
  connect(undoStack_, &QUndoStack::redoTextChanged, EditRedo1, [this](const QString& step) {
    EditRedo1->setStatusTip(step.isEmpty() ? QString() : tr("Redo %1").arg(step));
    EditRedo1->setText(step.isEmpty() ? tr("&Redo") : tr("&Redo %1").arg(step));
  });
  connect(undoStack_, &QUndoStack::cleanChanged, this, [this](bool clean) { setWindowModified(!clean); });

  Edit1 = menuBar()->addMenu(tr("&Edit"));
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit1->menuAction()->setStatusTip(tr("Undo and redo changes to the menu; cut, copy and paste items"));
  Edit1->addAction(EditUndo1);
  Edit1->addAction(EditRedo1);
}

void TSDIAppForm::buildActions() {
  ActionList1 = new QObject(this);
  ActionList1->setObjectName(QStringLiteral("ActionList1"));
  FileNew1 = addActionToList("FileNew1", tr("&New"), tr("New|Create a new file"), kNew);
  FileNew1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  FileOpen1 = addActionToList("FileOpen1", tr("&Open"), tr("Open|Open a file"), kOpen);
  FileOpen1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  FileOpenBackup = addActionToList("FileOpenBackup", tr("Open &backup..."),
                                   tr("Open backup|Open a backup of a phone's menu"), kOpen);
  FileSave1 = addActionToList("FileSave1", tr("&Save"), tr("Save|Save current file"), kSave);
  FileSave1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  // The phone commands get hints of their own, so every tool button has a tool tip.
  PhoneOpen =
      addActionToList("PhoneOpen", tr("Open from &phone"),
                      tr("Open from phone|Read the menu file from the connected phone"), kOpenFromPhone);
  PhoneSave =
      addActionToList("PhoneSave", tr("Save to p&hone"),
                      tr("Save to phone|Write the menu to the connected phone and check it"), kSaveToPhone);
  FileSaveAs1 = addActionToList("FileSaveAs1", tr("Save &As..."),
                                tr("Save As|Save current file with different name"), kNoImage);
  FileSaveAs1->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  PhoneRestart = addActionToList(
      "PhoneRestart", tr("&Restart Phone"),
      tr("Restart Phone|Restart the connected phone so that it reads the new menu"), kRestartPhone);
  PhoneRestoreMenu =
      addActionToList("PhoneRestoreMenu", tr("Restore phone &menu..."),
                      tr("Restore phone menu|Write one of this phone's backups back to it"), kNoImage);
  FileExit1 = addActionToList("FileExit1", tr("E&xit"), tr("Exit|Exit application"), kNoImage);
  FileExit1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  HelpAbout1 =
      addActionToList("HelpAbout1", tr("&About..."),
                      tr("About|Displays program information, version number, and copyright"), kNoImage);
  HelpContents1 =
      addActionToList("HelpContents1", tr("Quillet &Help"), tr("Help|Open the user guide"), kNoImage);
  HelpContents1->setShortcut(QKeySequence(Qt::Key_F1));

  connect(FileNew1, &QAction::triggered, this, &TSDIAppForm::FileNew1Execute);
  connect(FileOpen1, &QAction::triggered, this, &TSDIAppForm::FileOpen1Execute);
  connect(FileOpenBackup, &QAction::triggered, this, &TSDIAppForm::FileOpenBackupExecute);
  connect(FileSave1, &QAction::triggered, this, &TSDIAppForm::FileSave1Execute);
  connect(FileSaveAs1, &QAction::triggered, this, &TSDIAppForm::FileSaveAs1Execute);
  connect(FileExit1, &QAction::triggered, this, &TSDIAppForm::FileExit1Execute);
  connect(HelpAbout1, &QAction::triggered, this, &TSDIAppForm::HelpAbout1Execute);
  connect(HelpContents1, &QAction::triggered, this, &TSDIAppForm::HelpContents1Execute);
}

QAction* TSDIAppForm::addMenuEntry(QMenu* menu, QAction* action, const char* name) {
  // An entry of its own that runs the action: disabling the entry leaves the action
  // and its shortcut alone. The shortcut is only named after a tab, not registered twice.
  QString text = action->text();
  if (!action->shortcut().isEmpty())
    text += QLatin1Char('\t') + action->shortcut().toString(QKeySequence::NativeText);
  auto* entry = new QAction(action->icon(), text, menu);
  entry->setObjectName(QLatin1String(name));
  entry->setStatusTip(action->statusTip());
  connect(entry, &QAction::triggered, action, &QAction::trigger);
  menu->addAction(entry);
  return entry;
}

void TSDIAppForm::buildMainMenu() {
  menuBar()->setObjectName(QStringLiteral("MainMenu1"));
  File1 = menuBar()->addMenu(tr("&File"));
  File1->setObjectName(QStringLiteral("File1"));
  File1->menuAction()->setStatusTip(tr("File related commands"));
  FileNewItem = addMenuEntry(File1, FileNew1, "FileNewItem");
  FileOpenItem = addMenuEntry(File1, FileOpen1, "FileOpenItem");
  FileOpenBackupItem = addMenuEntry(File1, FileOpenBackup, "FileOpenBackupItem");
  buildRecentMenu();
  FileSaveItem = addMenuEntry(File1, FileSave1, "FileSaveItem");
  FileSaveAsItem = addMenuEntry(File1, FileSaveAs1, "FileSaveAsItem");
  Openfromphone1 = addMenuEntry(File1, PhoneOpen, "Openfromphone1");
  Savetophone1 = addMenuEntry(File1, PhoneSave, "Savetophone1");
  RestartPhone1 = addMenuEntry(File1, PhoneRestart, "RestartPhone1");
  RestorePhoneMenu1 = addMenuEntry(File1, PhoneRestoreMenu, "RestorePhoneMenu1");
  File1->addSeparator();
  FileExitItem = addMenuEntry(File1, FileExit1, "FileExitItem");
  buildEditMenu();
  buildViewMenu();
  Help1 = menuBar()->addMenu(tr("&Help"));
  Help1->setObjectName(QStringLiteral("Help1"));
  Help1->menuAction()->setStatusTip(tr("Help topics"));
  HelpContentsItem = addMenuEntry(Help1, HelpContents1, "HelpContentsItem");
  HelpAboutItem = addMenuEntry(Help1, HelpAbout1, "HelpAboutItem");
  Help1->addSeparator();
  new LanguageMenu(Help1, this, [this](const MessageRequest& notice) { showMessage(notice); });

  for (QAction* entry :
       {FileSaveItem, FileSaveAsItem, Openfromphone1, Savetophone1, RestartPhone1, RestorePhoneMenu1})
    entry->setEnabled(false);
}

QToolButton* TSDIAppForm::addToolButton(QAction* action, const char* name) {
  auto* button = new QToolButton(ToolBar1);
  button->setObjectName(QLatin1String(name));
  button->setAutoRaise(true);
  button->setIcon(action->icon());
  button->setToolTip(action->toolTip());
  button->setStatusTip(action->statusTip());
  connect(button, &QToolButton::clicked, action, &QAction::trigger);
  ToolBar1->addWidget(button);
  return button;
}

void TSDIAppForm::buildToolBar(QWidget* client) {
  ToolBar1 = new QToolBar(client);
  ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
  ToolBar1->setGeometry(0, 0, 462, 30);
  ToolBar1->setMovable(false);
  ToolBar1->setFloatable(false);
  ToolBar1->setIconSize(QSize(16, 16));
  ToolButton9 = addToolButton(FileNew1, "ToolButton9");
  ToolButton1 = addToolButton(FileOpen1, "ToolButton1");
  ToolButton2 = addToolButton(FileSave1, "ToolButton2");
  ToolBar1->addSeparator();
  ToolButton4 = addToolButton(PhoneOpen, "ToolButton4");
  ToolButton5 = addToolButton(PhoneSave, "ToolButton5");
  ToolBar1->addSeparator();
  ToolButton7 = addToolButton(PhoneRestart, "ToolButton7");
  for (QToolButton* button : {ToolButton2, ToolButton4, ToolButton5, ToolButton7}) button->setEnabled(false);
}

void TSDIAppForm::buildTree(QWidget* client) {
  TreeView1 = new QTreeView(client);
  TreeView1->setObjectName(QStringLiteral("TreeView1"));
  TreeView1->setGeometry(16, 40, 217, 365);
  TreeView1->setFont(tahomaFont());
  TreeView1->setHeaderHidden(true);
  TreeView1->setIndentation(19);
  TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  TreeView1->setSelectionMode(QAbstractItemView::SingleSelection);
  // Items are dragged within the tree; the model takes drops of its own drags only and
  // refuses what the rules forbid, and the drop line shows where an allowed drop lands.
  TreeView1->setDragDropMode(QAbstractItemView::DragDrop);
  TreeView1->setDefaultDropAction(Qt::MoveAction);
  TreeView1->setDropIndicatorShown(true);
  TreeView1->setModel(treeModel_.get());
  // The selection stays as visible as ever when the tree loses the focus.
  QPalette palette = TreeView1->palette();
  palette.setColor(QPalette::Inactive, QPalette::Highlight,
                   palette.color(QPalette::Active, QPalette::Highlight));
  palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                   palette.color(QPalette::Active, QPalette::HighlightedText));
  TreeView1->setPalette(palette);
}

void TSDIAppForm::buildSaveOptions(QWidget* client) {
  RadioGroup1 = new QGroupBox(tr("MMA save mode"), client);
  RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
  RadioGroup1->setGeometry(256, 32, 193, 89);
  // The layout buttons and check boxes lie on the client, over the frame's area.
  RadioButton1 = place(new QRadioButton(tr("22-byte"), client), "RadioButton1", 264, 48);
  RadioButton2 = place(new QRadioButton(tr("36-byte"), client), "RadioButton2", 352, 48);
  RadioButton2->setChecked(true);
  CheckBox1 = place(new QCheckBox(tr("Save all data"), client), "CheckBox1", 264, 72);
  CheckBox2 = place(new QCheckBox(tr("c698p mma_ucp fix"), client), "CheckBox2", 264, 96);
  CheckBox2->setEnabled(false);

  RadioGroup2 = new QGroupBox(tr("Custom icon attribute"), client);
  RadioGroup2->setObjectName(QStringLiteral("RadioGroup2"));
  RadioGroup2->setGeometry(256, 128, 193, 41);
  RadioGroup2->setFont(tahomaFont());
  RadioGroup2Items = new QButtonGroup(RadioGroup2);
  const std::array<const char*, 2> captions = {"06", "0C"};
  for (int i = 0; i < 2; ++i) {
    auto* item = new QRadioButton(QLatin1String(captions[static_cast<std::size_t>(i)]), RadioGroup2);
    item->setObjectName(QStringLiteral("RadioGroup2Item%1").arg(i));
    item->adjustSize();
    item->move(8 + i * 92, 17);  // two columns
    RadioGroup2Items->addButton(item, i);
  }
  setIconTagIndex(1);
  RadioGroup2->setEnabled(false);

  connect(RadioButton1, &QRadioButton::clicked, this, &TSDIAppForm::RadioButton1Click);
  connect(RadioButton2, &QRadioButton::clicked, this, &TSDIAppForm::RadioButton2Click);
}

void TSDIAppForm::buildChooserAndSummary(QWidget* client) {
  Label1 = place(new QLabel(tr("Available mma items"), client), "Label1", 264, 176);

  ComboBox1 = new QComboBox(client);
  ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
  ComboBox1->setEditable(true);
  ComboBox1->setInsertPolicy(QComboBox::NoInsert);
  ComboBox1->setMaxVisibleItems(16);
  ComboBox1->setGeometry(256, 200, 193, ComboBox1->sizeHint().height());

  TntMemo1 = new QPlainTextEdit(client);
  TntMemo1->setObjectName(QStringLiteral("TntMemo1"));
  TntMemo1->setGeometry(256, 272, 193, 129);
  TntMemo1->setFont(tahomaFont());
  TntMemo1->setReadOnly(true);
  TntMemo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  fitSummaryFont();
  TntMemo1->setPlainText(tr("Item summary:"));
  TntMemo1->hide();
}

void TSDIAppForm::buildStatusBars(QWidget* client) {
  StatusBar1 = new QStatusBar(client);
  StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
  StatusBar1->setSizeGripEnabled(false);
  StatusBar1->setGeometry(0, 431, 412, 19);
  StatusBar1->setMaximumWidth(412);
  StatusBar1Panel0 = new QLabel(StatusBar1);
  StatusBar1Panel0->setObjectName(QStringLiteral("StatusBar1Panel0"));
  // 220 pixels hold the longest document summary in the design's face; a wider
  // stand-in face gets the room it needs, taken from the phone panel's spare width.
  const int longestSummary =
      QFontMetrics(font()).horizontalAdvance(DocumentSummaryWords(36, 245)) + kPanelMargin;
  StatusBar1Panel0->setFixedWidth(std::max(kPanel0Width, longestSummary));
  StatusBar1Panel1 = new QLabel(tr("Phone: None "), StatusBar1);
  StatusBar1Panel1->setObjectName(QStringLiteral("StatusBar1Panel1"));
  StatusBar1Panel1->setMinimumWidth(kPanel1Width);
  StatusBar1Panel1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  StatusBar1->addWidget(StatusBar1Panel0);
  StatusBar1->addWidget(StatusBar1Panel1, 1);  // the last panel runs to the bar's end

  Shape1 = new PhoneIndicator(client);
  Shape1->setObjectName(QStringLiteral("Shape1"));
  Shape1->setGeometry(415, 432, 45, 17);
  Shape1->setBrushColor(Qt::red);

  StatusBar = new QStatusBar(client);
  StatusBar->setObjectName(QStringLiteral("StatusBar"));
  StatusBar->setSizeGripEnabled(false);
  StatusBar->setGeometry(0, 449, 462, 19);
  StatusBar->showMessage(tr("Save All"));
}

void TSDIAppForm::applyWindowFont() { setFont(designFont(QStringLiteral("System"))); }

}  // namespace quillet::ui
