#pragma once
// What the editor remembers between runs, in the platform's settings place
// (~/.config/Quillet/Quillet.conf on Linux): the recent files, the folders the file
// dialogs were last used in, and the main window's position. Each window or feature
// keeps its values under a group of its own; these are the group "Editor".
//
// Settings are read value by value: a value of the wrong type, an empty or relative path,
// a position off every screen is ignored and the default takes its place, so a damaged
// or foreign settings file never stops the editor.
#include <QPoint>
#include <QString>
#include <QStringList>
#include <optional>

class QSettings;

namespace quillet::ui {

class EditorSettings {
 public:
  static constexpr int kMaxRecentFiles = 10;

  // Newest first, each an absolute path, no duplicates, at most kMaxRecentFiles.
  QStringList recentFiles() const;
  // Puts `path` (made absolute) first, dropping its older entry and the oldest beyond
  // the limit.
  void addRecentFile(const QString& path);
  void removeRecentFile(const QString& path);
  void clearRecentFiles();

  // The folder of the last file chosen in the Open and in the Save dialog; empty when
  // none is known or it no longer exists.
  QString lastOpenFolder() const;
  QString lastSaveFolder() const;
  void setLastOpenFolder(const QString& folder);
  void setLastSaveFolder(const QString& folder);

  // Where the main window's frame was at the last close.
  std::optional<QPoint> windowPosition() const;
  void setWindowPosition(const QPoint& position);

  // Forgets every setting of the editor (all groups): --reset-settings.
  static void resetAll();

  // The one settings store of the editor; each feature keeps its own group in it.
  static QSettings store();

 private:
  QString folder(const char* key) const;
  void writeRecentFiles(const QStringList& files);
};

}  // namespace quillet::ui
