// What the editor remembers between runs: a damaged or foreign settings file costs only
// its bad values, a recent file gone since is dropped with a word, a window place off
// every screen is not taken, and --reset-settings forgets everything.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>
#include <QTest>
#include <filesystem>

#include "editor_settings.h"
#include "menu_bytes.h"
#include "start_arguments.h"
#include "window_fixture.h"

namespace quillet::ui::testing {
namespace {

const QPoint kDesignPlace(197, 111);

class RememberedSettings : public WindowTest {
 protected:
  // A fresh window without closing the one before, which so stores nothing.
  void startWithoutClose() {
    window = makeWindow();
    answerFileDialogs(*window);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }
  // The entries File > Open Recent shows when it opens, by their paths.
  QStringList recentEntries() {
    emit find<QMenu>("FileOpenRecentMenu")->aboutToShow();
    QStringList paths;
    for (int i = 1; QAction* entry = window->findChild<QAction*>(QStringLiteral("FileOpenRecent%1").arg(i));
         ++i)
      paths << entry->statusTip();
    return paths;
  }
  static QString settingsFile() { return EditorSettings::store().fileName(); }
  std::string menuFile(const std::string& name) {
    menubytes::MenuPlan plan;
    plan.items = {menubytes::ItemPlan{"Games", {}, 0, 0, 0x41, {}}};
    return writeFile(name, menubytes::BuildMenuFile(plan));
  }
};

TEST_F(RememberedSettings, ADamagedFileIsReadValueByValue) {
  const QString kept = QFileInfo(QString::fromStdString(menuFile("kept"))).absoluteFilePath();
  QFile file(settingsFile());
  ASSERT_TRUE(QDir().mkpath(QFileInfo(file).absolutePath()));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  // A list with a relative path, a number and a duplicate; a point that is no point;
  // a folder that is a list; a line that is no setting at all; bytes that are no text.
  const QByteArray here = folder.path().toUtf8();
  file.write("[Editor]\nrecentFiles=relative/menu, 42, " + kept.toUtf8() + ", " + kept.toUtf8() +
             "\nwindowPosition=@Point(nowhere)\nlastSaveFolder=" + here + ", " + here +
             "\nnot a setting\n\x01\xff\xfe=\x80\n");
  file.close();
  startWithoutClose();
  EXPECT_EQ(recentEntries(), QStringList{kept});
  EXPECT_EQ(window->pos(), kDesignPlace);
  action("FileNew1")->trigger();
  action("FileSave1")->trigger();
  EXPECT_EQ(dialogStarts.back(), "mma_ucp");  // no folder taken from the list
}

TEST_F(RememberedSettings, RecentFilesPlacesAndReset) {
  const std::string gone = menuFile("gone");
  const std::string kept = menuFile("kept");
  openThroughWindow(gone);
  openThroughWindow(kept);
  const QString keptPath = QFileInfo(QString::fromStdString(kept)).absoluteFilePath();
  const QString gonePath = QFileInfo(QString::fromStdString(gone)).absoluteFilePath();
  ASSERT_EQ(recentEntries(), (QStringList{keptPath, gonePath}));

  // The window's place is kept when on a screen, and not when every screen is gone from it.
  window->move(40, 30);
  restartWindow();
  EXPECT_EQ(window->pos(), QPoint(40, 30));
  EditorSettings().setWindowPosition(QPoint(-5000, 40));
  startWithoutClose();
  EXPECT_EQ(window->pos(), kDesignPlace);

  // A file removed since: chosen, it is named, dropped from the list and nothing opens.
  std::filesystem::remove(gone);
  recentEntries();
  action("FileOpenRecent2")->trigger();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_TRUE(messages[0].text.contains(gonePath + "\" no longer exists")) << messages[0].text.toStdString();
  EXPECT_FALSE(window->document().isOpen());
  EXPECT_EQ(recentEntries(), QStringList{keptPath});

  action("FileClearRecentItem")->trigger();
  EXPECT_TRUE(recentEntries().isEmpty());
  EXPECT_FALSE(action("FileClearRecentItem")->isEnabled());

  // --reset-settings: the place and everything else is forgotten.
  openThroughWindow(kept);
  window->move(40, 30);
  restartWindow();
  ASSERT_EQ(window->pos(), QPoint(40, 30));
  ASSERT_EQ(recentEntries(), QStringList{keptPath});
  const StartArguments start =
      ReadStartArguments({QStringLiteral("quillet"), QStringLiteral("--reset-settings")});
  ASSERT_TRUE(start.resetSettings);
  EXPECT_TRUE(start.file.isEmpty());
  EditorSettings::resetAll();  // what main() does then, before the window is made
  startWithoutClose();
  EXPECT_EQ(window->pos(), kDesignPlace);
  EXPECT_TRUE(recentEntries().isEmpty());
  EXPECT_FALSE(ReadStartArguments({QStringLiteral("quillet")}).resetSettings);
}

}  // namespace
}  // namespace quillet::ui::testing
