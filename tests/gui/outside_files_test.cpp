// Files named from outside the window: the command line at start and files dropped onto
// the window open as File > Open opens them, with the same messages on failure.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include "start_arguments.h"
#include "window_fixture.h"

namespace quillet::ui::testing {
namespace {

using OutsideFilesTest = WindowTest;

const std::string kCustomSample = std::string(QUILLET_SAMPLES_DIR) + "/mma_ucp_custom";

// main(): read the command line, show the window, then open the file.
void StartWith(TSDIAppForm& window, const std::string& path) {
  const QString file = ReadStartArguments({QStringLiteral("quillet"), QString::fromStdString(path)}).file;
  ASSERT_EQ(file.toStdString(), path);
  window.openFile(file);
}

TEST_F(OutsideFilesTest, StartingWithASampleShowsItsMenu) {
  StartWith(*window, kCustomSample);
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(window->document().CustomItemCount, 3);
  EXPECT_GT(window->document().mainMenuItemCount(), 0);
  EXPECT_TRUE(action("FileSave1")->isEnabled());
  EXPECT_TRUE(ReadStartArguments({QStringLiteral("quillet")}).file.isEmpty());
}

TEST_F(OutsideFilesTest, StartingWithAnUnreadableFileShowsTheErrorAndAnEditorThatWorks) {
  StartWith(*window, "/dev/zero");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].icon, QMessageBox::Critical);
  EXPECT_TRUE(messages[0].text.contains("/dev/zero"));
  EXPECT_FALSE(window->document().isOpen());
  EXPECT_TRUE(window->isVisible());

  action("FileNew1")->trigger();
  EXPECT_TRUE(window->document().isOpen());
  openThroughWindow(kCustomSample);
  EXPECT_EQ(messages.size(), 1u);
  EXPECT_EQ(window->document().CustomItemCount, 3);
}

TEST_F(OutsideFilesTest, ADroppedFileOpensAndOtherDropsAreRefused) {
  EXPECT_TRUE(window->acceptDrops());
  QMimeData web;
  web.setUrls({QUrl(QStringLiteral("https://example.org/mma_ucp"))});
  QDragEnterEvent refused(QPoint(100, 100), Qt::CopyAction, &web, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window.get(), &refused);
  EXPECT_FALSE(refused.isAccepted());

  QMimeData file;
  file.setUrls({QUrl::fromLocalFile(QString::fromStdString(kCustomSample))});
  QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &file, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window.get(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &file, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window.get(), &drop);
  EXPECT_TRUE(drop.isAccepted());
  QTRY_VERIFY(window->document().isOpen());
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(window->document().CustomItemCount, 3);
}

}  // namespace
}  // namespace quillet::ui::testing
