#include "editor_settings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QVariant>

namespace quillet::ui {

namespace {

const QString kRecentFiles = QStringLiteral("Editor/recentFiles");
const QString kWindowPosition = QStringLiteral("Editor/windowPosition");
constexpr const char* kLastOpenFolder = "Editor/lastOpenFolder";
constexpr const char* kLastSaveFolder = "Editor/lastSaveFolder";

// A list written by hand may hold one string, or numbers among the paths: only the
// absolute paths count.
QStringList StringsOf(const QVariant& value) {
  QStringList strings;
  if (value.metaType().id() == QMetaType::QString) {
    strings << value.toString();
  } else if (value.metaType().id() == QMetaType::QStringList ||
             value.metaType().id() == QMetaType::QVariantList) {
    for (const QVariant& item : value.toList()) {
      if (item.metaType().id() == QMetaType::QString) strings << item.toString();
    }
  }
  return strings;
}

}  // namespace

QSettings EditorSettings::store() {
  // Named here, not by the application object, so the place stays the same whatever
  // program (editor or test) opens it.
  return QSettings(QStringLiteral("Quillet"), QStringLiteral("Quillet"));
}

QStringList EditorSettings::recentFiles() const {
  QStringList files;
  for (const QString& path : StringsOf(store().value(kRecentFiles))) {
    if (path.isEmpty() || !QDir::isAbsolutePath(path) || files.contains(path)) continue;
    files << QDir::cleanPath(path);
    if (files.size() == kMaxRecentFiles) break;
  }
  return files;
}

void EditorSettings::writeRecentFiles(const QStringList& files) { store().setValue(kRecentFiles, files); }

void EditorSettings::addRecentFile(const QString& path) {
  const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
  QStringList files = recentFiles();
  files.removeAll(absolute);
  files.prepend(absolute);
  while (files.size() > kMaxRecentFiles) files.removeLast();
  writeRecentFiles(files);
}

void EditorSettings::removeRecentFile(const QString& path) {
  QStringList files = recentFiles();
  files.removeAll(QDir::cleanPath(path));
  writeRecentFiles(files);
}

void EditorSettings::clearRecentFiles() { store().remove(kRecentFiles); }

QString EditorSettings::folder(const char* key) const {
  const QVariant value = store().value(QLatin1String(key));
  if (value.metaType().id() != QMetaType::QString) return {};
  const QString path = value.toString();
  return QDir::isAbsolutePath(path) && QFileInfo(path).isDir() ? path : QString();
}

QString EditorSettings::lastOpenFolder() const { return folder(kLastOpenFolder); }
QString EditorSettings::lastSaveFolder() const { return folder(kLastSaveFolder); }
void EditorSettings::setLastOpenFolder(const QString& path) {
  store().setValue(QLatin1String(kLastOpenFolder), path);
}
void EditorSettings::setLastSaveFolder(const QString& path) {
  store().setValue(QLatin1String(kLastSaveFolder), path);
}

std::optional<QPoint> EditorSettings::windowPosition() const {
  const QVariant value = store().value(kWindowPosition);
  if (value.metaType().id() != QMetaType::QPoint) return std::nullopt;
  return value.toPoint();
}

void EditorSettings::setWindowPosition(const QPoint& position) {
  store().setValue(kWindowPosition, position);
}

void EditorSettings::resetAll() { store().clear(); }

}  // namespace quillet::ui
