#pragma once
// The phone preview: a tool window beside the main window that shows the open menu as
// the phone draws it (PhoneScreen), with the display-language chooser and the list
// view switch above it and where the icons come from below it. It is one more observer
// of the window's item model: every edit, undo and redo shows at once, and the tree's
// selection and the preview's highlight follow each other. Its place, its open state,
// the list view and the phone files folder live in the settings group "PhonePreview".
#include <QWidget>
#include <cstdint>
#include <memory>
#include <vector>

#include "menu_document.h"
#include "phone_icon_files.h"

class QCheckBox;
class QComboBox;
class QItemSelectionModel;
class QLabel;

namespace quillet::ui {

class MenuTreeModel;
class PhoneScreen;
class PreviewIconStore;

class PhonePreviewWindow : public QWidget {
  Q_OBJECT
 public:
  // `selection` is the tree view's; all three must outlive the preview.
  PhonePreviewWindow(const MenuDocument& document, MenuTreeModel& model, QItemSelectionModel& selection,
                     QWidget* parent);
  ~PhonePreviewWindow() override;

  PhoneScreen& screen() const { return *screen_; }
  PreviewIconStore& icons() const { return *icons_; }

  // Icon files come from this phone while it is connected (null: none).
  void setPhone(std::unique_ptr<PhoneIconFiles> phone);
  // The phone came or went.
  void phoneConnectionChanged();
  // The folder that stands for the phone's file system; remembered.
  void setPhoneFolder(const QString& folder);
  // That folder as remembered, with or without a preview; empty for none.
  static QString rememberedPhoneFolder();

  // Where the preview was and whether it was open, from the settings.
  void restoreFromSettings();
  static bool wasOpen();
  static void rememberOpen(bool open);

 signals:
  // The user highlighted an item in the preview: the tree selects it.
  void nodeChosen(const quillet::MenuNode* node);
  // The window was closed by its own close button.
  void closed();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void followModel();
  void fillLanguages();
  void showIconSource();
  void rememberPlace();

  const MenuDocument& document_;
  MenuTreeModel& model_;
  QItemSelectionModel& selection_;
  std::unique_ptr<PhoneIconFiles> phone_;
  PreviewIconStore* icons_ = nullptr;
  PhoneScreen* screen_ = nullptr;
  QComboBox* LanguageChooser = nullptr;
  QCheckBox* ListViewBox = nullptr;
  QLabel* IconSourceLabel = nullptr;
  std::vector<std::uint8_t> languages_;  // the chooser's entries, in order
};

}  // namespace quillet::ui
