// The main window's life: creation (FormCreate), first show (FormShow) and close
// (FormClose).
#include "main_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QMenuBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTreeView>

#include "catalogue.h"
#include "menu_tree_model.h"
#include "phone_preview_window.h"
#include "window_phone_link.h"

namespace quillet::ui {

namespace {
constexpr int kClientWidth = 462;
constexpr int kClientHeight = 468;
constexpr int kDesignLeft = 197;
constexpr int kDesignTop = 111;

// The application icon in the sizes the desktop theme gets; the dialogs inherit it.
QIcon applicationIcon() {
  QIcon icon;
  for (int size : {16, 32, 48, 64, 128, 256}) icon.addFile(QStringLiteral(":/icons/%1.png").arg(size));
  return icon;
}
}  // namespace

TSDIAppForm::TSDIAppForm(QWidget* parent)
    : QMainWindow(parent), treeModel_(std::make_unique<MenuTreeModel>(document_)) {
  setObjectName(QStringLiteral("TSDIAppForm"));
  setWindowTitle(QStringLiteral("Quillet v.0.1"));
  // A fixed single border with the system menu and minimize, but no maximize.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  applyWindowFont();
  setWindowIcon(applicationIcon());
  setAcceptDrops(true);  // a menu file dropped onto the window opens

  buildImages();
  buildActions();
  buildMainMenu();
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("ClientArea"));
  client->setFixedSize(kClientWidth, kClientHeight);
  buildToolBar(client);
  buildTree(client);
  buildSaveOptions(client);
  buildChooserAndSummary(client);
  buildPopupMenus();
  buildStatusBars(client);
  setCentralWidget(client);
  // The client area keeps its size below the menu bar; the window cannot be resized.
  setFixedSize(kClientWidth, menuBar()->sizeHint().height() + kClientHeight);
  move(kDesignLeft, kDesignTop);
  restoreWindowPosition();

  connect(TreeView1->selectionModel(), &QItemSelectionModel::currentChanged, this,
          &TSDIAppForm::TreeView1Change);
  // A reset drops the selection without a selection notice.
  connect(treeModel_.get(), &QAbstractItemModel::modelReset, this, &TSDIAppForm::TreeView1Change);
  // A deletion moves the selection while the rows are still there; the summary
  // follows again once they are gone.
  connect(treeModel_.get(), &QAbstractItemModel::rowsRemoved, this, &TSDIAppForm::TreeView1Change);
  connect(treeModel_.get(), &QAbstractItemModel::rowsInserted, this, &TSDIAppForm::TreeView1Addition);
  TreeView1->viewport()->installEventFilter(this);
  connect(treeModel_.get(), &MenuTreeModel::moveRequested, this, &TSDIAppForm::moveDroppedItem);

  FormCreate();
}

TSDIAppForm::~TSDIAppForm() {
  // The preview reads through the phone link and the model: it goes before them.
  delete preview_;
  // The view lets go of the model before the model lets go of the tree.
  TreeView1->setModel(nullptr);
}

void TSDIAppForm::FormCreate() {
  for (std::string_view name : CatalogueNames) {
    ComboBox1->addItem(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
  }
  ComboBox1->setCurrentIndex(-1);  // no entry is chosen until the user picks one
  document_.CustomItemCount = 0;
  StoredToPhone = 0;
  connectPhoneCommands();
}

void TSDIAppForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!shown_) {
    shown_ = true;
    FormShow();
  }
}

void TSDIAppForm::FormShow() {
  if (phone_) phone_->InitPhoneLink();
  restorePhonePreview();
}

void TSDIAppForm::closeEvent(QCloseEvent* event) {
  // Closing is never refused for phone work: a read is cancelled, a write runs to its
  // end, and the window goes on painting while it waits. The job's result is in before
  // the questions below are asked.
  if (phone_ && phone_->working()) {
    phone_->cancelJob();
    phone_->waitUntilIdle();
  }
  // Unsaved changes are settled before anything else; only Cancel keeps the window.
  if (!settleUnsavedChanges()) {
    event->ignore();
    return;
  }
  FormClose();
  rememberWindowPosition();
  event->accept();
}

void TSDIAppForm::FormClose() {
  if (phone_) phone_->removeExchangeFile();
  if (StoredToPhone == 1 && phoneReady()) {
    MessageRequest question;
    question.owner = this;
    question.icon = QMessageBox::Question;
    question.text = tr("mma_ucp was stored to the phone\r\n      Should we reboot it?");
    question.buttons = QMessageBox::Yes | QMessageBox::No;
    if (showMessage(question) == QMessageBox::Yes) {
      phone_->RestartPhone();
      StoredToPhone = 0;
    }
  }
}

bool TSDIAppForm::phoneReady() const { return phone_ && phone_->P2K_GetStatus() == 1; }

bool TSDIAppForm::event(QEvent* event) {
  // The hint line is a control of the client area, not the main window's own status bar.
  if (event->type() == QEvent::StatusTip) {
    StatusBar->showMessage(static_cast<QStatusTipEvent*>(event)->tip());
    return true;
  }
  return QMainWindow::event(event);
}

MenuNode* TSDIAppForm::selectedNode() const {
  return MenuTreeModel::nodeForIndex(TreeView1->selectionModel()->currentIndex());
}

void TSDIAppForm::selectNode(const MenuNode* node) {
  TreeView1->selectionModel()->setCurrentIndex(treeModel_->indexForNode(node),
                                               QItemSelectionModel::ClearAndSelect);
}

}  // namespace quillet::ui
