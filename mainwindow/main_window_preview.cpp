// The View menu and the phone preview beside the main window: the window only wires
// the preview to its tree, its selection and its phone link.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QMetaObject>
#include <QTreeView>

#include "folder_picture_files.h"
#include "item_settings_dialog.h"
#include "main_window.h"
#include "menu_tree_model.h"
#include "phone_icon_files.h"
#include "phone_picture_files.h"
#include "phone_preview_window.h"
#include "window_phone_link.h"

namespace quillet::ui {

void TSDIAppForm::buildViewMenu() {
  View1 = menuBar()->addMenu(tr("&View"));
  View1->setObjectName(QStringLiteral("View1"));
  ViewPhonePreview = addActionToList("ViewPhonePreview", tr("Phone preview"), QString(), -1);
  ViewPhonePreview->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
  ViewPhonePreview->setCheckable(true);
  ViewPhonePreview->setStatusTip(tr("Show the menu as the phone shows it"));
  ViewPhoneFilesFolder = addActionToList("ViewPhoneFilesFolder", tr("Phone files folder..."), QString(), -1);
  ViewPhoneFilesFolder->setStatusTip(
      tr("Choose the folder that stands for the phone's files when no phone is connected"));
  PhonePreviewItem = addMenuEntry(View1, ViewPhonePreview, "PhonePreviewItem");
  PhoneFilesFolderItem = addMenuEntry(View1, ViewPhoneFilesFolder, "PhoneFilesFolderItem");
  connect(ViewPhonePreview, &QAction::triggered, this, [this](bool open) {
    PhonePreviewWindow::rememberOpen(open);
    showPhonePreview(open);
  });
  connect(ViewPhoneFilesFolder, &QAction::triggered, this, [this] {
    const QString folder = chooseFile_(this, FileDialogKind::PhoneFilesFolder, QString());
    if (!folder.isEmpty()) phonePreview().setPhoneFolder(folder);
  });
}

PhonePreviewWindow& TSDIAppForm::phonePreview() {
  if (preview_ == nullptr) {
    preview_ = new PhonePreviewWindow(document_, *treeModel_, *TreeView1->selectionModel(), this);
    preview_->restoreFromSettings();
    connect(preview_, &PhonePreviewWindow::nodeChosen, this, [this](const MenuNode* node) {
      selectNode(node);
      TreeView1->scrollTo(treeModel_->indexForNode(node));
    });
    connect(preview_, &PhonePreviewWindow::closed, this, [this] {
      ViewPhonePreview->setChecked(false);
      PhonePreviewWindow::rememberOpen(false);
    });
    connectPreviewToPhone();
  }
  return *preview_;
}

void TSDIAppForm::showPhonePreview(bool open) {
  ViewPhonePreview->setChecked(open);
  if (!open) {
    if (preview_ != nullptr) preview_->hide();
    return;
  }
  phonePreview().show();
  preview_->raise();
}

void TSDIAppForm::restorePhonePreview() {
  if (PhonePreviewWindow::wasOpen()) showPhonePreview(true);
}

void TSDIAppForm::connectPreviewToPhone() {
  if (preview_ == nullptr) return;
  preview_->setPhone(phone_ ? std::make_unique<WindowPhoneIconFiles>(*phone_) : nullptr);
}

void TSDIAppForm::setItemSettingsDialog(TOKRightDlg* dialog) {
  itemDialog_ = dialog;
  if (dialog == nullptr) return;
  // The window's file chooser at the time of asking: tests set theirs after this.
  dialog->setPictureFiles([this] { return pictureFiles(); },
                          [this](QWidget* owner, FileDialogKind kind, const QString& start) {
                            return chooseFile_(owner, kind, start);
                          });
}

std::unique_ptr<PictureFiles> TSDIAppForm::pictureFiles() {
  if (phoneReady())
    return std::make_unique<PhonePictureFiles>(*phone_, [this] { tellPreviewPhoneChanged(); });
  return std::make_unique<FolderPictureFiles>(PhonePreviewWindow::rememberedPhoneFolder());
}

void TSDIAppForm::tellPreviewPhoneChanged() {
  if (preview_ == nullptr) return;
  // Queued: the link has then asked for the phone's model, which the icon reads follow.
  QMetaObject::invokeMethod(
      preview_, [this] { preview_->phoneConnectionChanged(); }, Qt::QueuedConnection);
}

}  // namespace quillet::ui
