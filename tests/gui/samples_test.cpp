// The sample files in samples/ are exactly what the byte-builder describes, and each
// opens in the window without a message.
#include <QFile>

#include "shipped_samples.h"
#include "window_fixture.h"

namespace quillet::ui::testing {
namespace {

using SamplesTest = WindowTest;

TEST_F(SamplesTest, ShippedSamplesMatchTheirDescriptionAndOpenCleanly) {
  const std::vector<shipped::SampleFile> files = shipped::SampleFiles();
  ASSERT_EQ(files.size(), 3u);
  for (const shipped::SampleFile& file : files) {
    SCOPED_TRACE(file.name);
    const std::string path = std::string(QUILLET_SAMPLES_DIR) + "/" + file.name;
    EXPECT_EQ(ReadBytes(path), file.bytes) << "regenerate with make_samples";
    openThroughWindow(path);
    EXPECT_TRUE(messages.empty());
    EXPECT_GT(window->document().mainMenuItemCount(), 0);
    EXPECT_EQ(window->document().RecordSize, file.name == "mma_ucp_22byte" ? 22 : 36);
  }
}

TEST_F(SamplesTest, TheRichSampleHoldsCustomItemsNamesIconsAndUnsupportedData) {
  openThroughWindow(std::string(QUILLET_SAMPLES_DIR) + "/mma_ucp_custom");
  ASSERT_TRUE(messages.empty());
  QStringList captions;
  window->document().tree.forEach(
      [&captions](MenuNode& node) { captions << QString::fromStdString(node.caption()); });
  EXPECT_TRUE(captions.contains("~1"));
  EXPECT_TRUE(captions.contains("~3"));
  EXPECT_EQ(window->document().CustomItemCount, 3);
  clickNode(9);
  EXPECT_EQ(memoText(), "Item summary:\n\nName in menu modified\nIcon(s) modified [source: file]");
  const MenuNode* settings = nullptr;
  window->document().tree.forEach([&settings](MenuNode& node) {
    if (node.caption() == "Settings") settings = &node;
  });
  ASSERT_NE(settings, nullptr);
  clickNode(window->document().tree.absoluteIndex(settings));
  EXPECT_EQ(memoText(), "Item summary:\n\nName in menu modified\nUnsupported Data");
}

}  // namespace
}  // namespace quillet::ui::testing
