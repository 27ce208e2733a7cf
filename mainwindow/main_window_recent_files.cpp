// What the main window remembers between runs: File > Open Recent, and the window's
// place on the screen (see editor_settings.h).
#include <QAction>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>

#include "file_messages.h"
#include "main_window.h"

namespace quillet::ui {

void TSDIAppForm::buildRecentMenu() {
  FileOpenRecentMenu = File1->addMenu(tr("Open &Recent"));
  FileOpenRecentMenu->setObjectName(QStringLiteral("FileOpenRecentMenu"));
  FileOpenRecentMenu->menuAction()->setObjectName(QStringLiteral("FileOpenRecentItem"));
  FileOpenRecentMenu->menuAction()->setStatusTip(tr("Open a file opened or saved before"));
  // Filled when it opens, so it shows what this or another window of the editor saved.
  connect(FileOpenRecentMenu, &QMenu::aboutToShow, this, &TSDIAppForm::fillRecentMenu);
  fillRecentMenu();
}

void TSDIAppForm::fillRecentMenu() {
  FileOpenRecentMenu->clear();
  const QStringList files = settings_.recentFiles();
  for (int i = 0; i < files.size(); ++i) {
    const QString& path = files[i];
    // The first nine get a digit to press; the tenth is reached with the arrows.
    const QString number = i < 9 ? QStringLiteral("&%1 ").arg(i + 1) : QStringLiteral("1&0 ");
    QString shown = path;
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));  // an '&' in a path is no accelerator
    QAction* entry = FileOpenRecentMenu->addAction(number + shown);
    entry->setObjectName(QStringLiteral("FileOpenRecent%1").arg(i + 1));
    entry->setStatusTip(path);
    connect(entry, &QAction::triggered, this, [this, path] { openRecentFile(path); });
  }
  FileOpenRecentMenu->addSeparator();
  FileClearRecentItem = FileOpenRecentMenu->addAction(tr("&Clear Menu"));
  FileClearRecentItem->setObjectName(QStringLiteral("FileClearRecentItem"));
  FileClearRecentItem->setEnabled(!files.isEmpty());
  connect(FileClearRecentItem, &QAction::triggered, this, [this] {
    settings_.clearRecentFiles();
    fillRecentMenu();
  });
}

void TSDIAppForm::openRecentFile(const QString& path) {
  if (!QFileInfo::exists(path)) {
    // Gone since: said once, and dropped from the list.
    settings_.removeRecentFile(path);
    fillRecentMenu();
    MessageRequest request;
    request.owner = this;
    request.icon = QMessageBox::Warning;
    request.title = kErrorTitle;
    request.text = tr("\"%1\" no longer exists; it was taken off the recent files.").arg(path);
    showMessage(request);
    return;
  }
  if (settleUnsavedChanges()) openFile(path);
}

void TSDIAppForm::restoreWindowPosition() {
  const std::optional<QPoint> position = settings_.windowPosition();
  if (!position) return;
  // Only a place where the whole title bar lies on a screen: a monitor unplugged since
  // must not leave the window out of reach.
  const QRect titleBar(*position, QSize(width(), QFontMetrics(font()).height() + 8));
  for (const QScreen* screen : QGuiApplication::screens()) {
    if (screen->availableGeometry().contains(titleBar)) {
      move(*position);
      return;
    }
  }
}

void TSDIAppForm::rememberWindowPosition() { settings_.setWindowPosition(pos()); }

}  // namespace quillet::ui
