// The phone preview beside the real main window: tiles, names in the display language,
// icons from a phone files folder and from the emulated phone, and the selection going
// both ways between the tree and the preview.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>

#include "editor_settings.h"
#include "emulated_phone.h"
#include "menu_bytes.h"
#include "menu_tree_model.h"
#include "phone_preview_window.h"
#include "phone_screen.h"
#include "window_fixture.h"

namespace quillet::ui::testing {
namespace {

namespace mb = quillet::menubytes;
using Mark = PhoneScreen::Mark;

// Two frames of one pixel, red then blue, 100 ms each, looping: written out by hand from
// the GIF89a layout (header, screen descriptor with a two-colour table, the looping
// extension, then per frame a control extension, an image descriptor and LZW data with
// minimum code size 2: clear, the colour index, end).
const Bytes kAnimatedGif = {
    0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80, 0x00, 0x00,  // GIF89a 1x1
    0xFF, 0x00, 0x00, 0x00, 0x00, 0xFF,                                            // red, blue
    0x21, 0xFF, 0x0B, 'N',  'E',  'T',  'S',  'C',  'A',  'P',  'E',  '2',  '.',  '0',
    0x03, 0x01, 0x00, 0x00, 0x00, 0x21, 0xF9, 0x04, 0x00, 0x0A, 0x00, 0x00, 0x00,  // 100 ms
    0x2C, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01,
    0x00, 0x21, 0xF9, 0x04, 0x00, 0x0A, 0x00, 0x00, 0x00, 0x2C, 0x00, 0x00, 0x00, 0x00,
    0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x4C, 0x01, 0x00, 0x3B};

constexpr std::uint8_t kEnglishUs = 1, kEnglishUk = 3, kGerman = 7;

Bytes PreviewMenu() {
  const std::uint8_t marker = mb::NameMarker(36);
  mb::MenuPlan plan;
  plan.softkeys[0].data = mb::SoftkeyNameBlock({{kEnglishUs, u"Contacts"}, {kGerman, u"Kontakte"}}, marker);
  mb::ItemPlan web;
  web.identifier = "WebAccess";
  web.data = mb::Concat({mb::MenuNameBlock({{kEnglishUs, u"Web"}, {kGerman, u"Netz"}}, marker),
                         mb::IconPathBlock(kTagIconPath, kIconKindAnimated, u"/a/mobile/picture/web.gif")});
  mb::ItemPlan chess;
  chess.identifier = "~1";
  chess.data = mb::Concat({mb::MenuNameBlock({{kEnglishUk, u"Chess"}}, marker),
                           mb::IconPathBlock(kTagIconPath, kIconKindList, u"/a/mobile/picture/chess.png")});
  mb::ItemPlan lost;
  lost.identifier = "~2";
  lost.data = mb::IconPathBlock(kTagIconPath, kIconKindList, u"/a/mobile/picture/gone.png");
  mb::ItemPlan games;
  games.identifier = "Games";
  games.children = {chess, lost};
  mb::ItemPlan drm;
  drm.identifier = "~3";
  drm.data = mb::DrmBlock(kTagIconDrmStatic, 0x12, 42);
  mb::ItemPlan broken;
  broken.identifier = "~4";
  broken.data = mb::IconPathBlock(kTagIconPath, kIconKindStatic, u"/a/mobile/picture/broken.gif");
  plan.items = {web, games, drm, broken};
  return mb::BuildMenuFile(plan);
}

void WritePhoneFile(const QString& folder, const std::string& path, const Bytes& bytes) {
  const std::filesystem::path file = std::filesystem::path(folder.toStdString()) / path;
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The files the menu names, as a phone keeps them: an animated GIF, a PNG and a file
// that is no image; gone.png is not there.
void WriteIconFiles(const QString& folder) {
  WritePhoneFile(folder, "a/mobile/picture/web.gif", kAnimatedGif);
  QImage chess(16, 16, QImage::Format_RGB32);
  chess.fill(Qt::darkGreen);
  QDir().mkpath(folder + QStringLiteral("/a/mobile/picture"));
  ASSERT_TRUE(chess.save(folder + QStringLiteral("/a/mobile/picture/chess.png"), "PNG"));
  WritePhoneFile(folder, "a/mobile/picture/broken.gif", {'G', 'I', 'F', '8', '9', 'a', 0x01});
}

class PhonePreviewTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    ASSERT_TRUE(phoneFiles.isValid());
    WriteIconFiles(phoneFiles.path());
    ASSERT_TRUE(window->openMenuFile(writeFile("menu", PreviewMenu())));
  }
  void TearDown() override {
    WindowTest::TearDown();
    EditorSettings::store().clear();
  }
  void openPreview() {
    QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    preview = find<PhonePreviewWindow>("PhonePreviewWindow");
    ASSERT_NE(preview, nullptr);
    ASSERT_TRUE(preview->isVisible());
    screen = find<PhoneScreen>("PhoneScreen");
  }
  std::vector<QString> names() const {
    std::vector<QString> out;
    for (const auto& tile : screen->tiles()) out.push_back(tile.name);
    return out;
  }
  std::vector<Mark> marks() const {
    std::vector<Mark> out;
    for (const auto& tile : screen->tiles()) out.push_back(screen->markOf(tile));
    return out;
  }
  const MenuNode* node(int absoluteIndex) const { return window->document().tree.nodeAt(absoluteIndex); }
  void clickTile(int index) {
    QTest::mouseClick(screen, Qt::LeftButton, Qt::NoModifier, screen->tileRect(index).center());
  }

  QTemporaryDir phoneFiles;
  PhonePreviewWindow* preview = nullptr;
  PhoneScreen* screen = nullptr;
};

TEST_F(PhonePreviewTest, ShowsTheMainMenuWithTheIconsOfThePhoneFilesFolder) {
  openPreview();
  EXPECT_TRUE(EditorSettings::store().value(QStringLiteral("PhonePreview/open")).toBool());
  // Without a phone and without a folder every icon file is missing, and says why.
  EXPECT_EQ(marks(), (std::vector<Mark>{Mark::Missing, Mark::InitialTile, Mark::DrmTile, Mark::Missing}));
  EXPECT_TRUE(
      screen->tileToolTip(screen->tiles()[0]).contains(QStringLiteral("no phone files folder is chosen")));

  chosenPaths.push_back(phoneFiles.path());
  action("ViewPhoneFilesFolder")->trigger();
  EXPECT_EQ(EditorSettings::store().value(QStringLiteral("PhonePreview/phoneFilesFolder")).toString(),
            phoneFiles.path());
  ASSERT_TRUE(screen->showsGrid());
  EXPECT_EQ(names(), (std::vector<QString>{"Web", "Games", "~3", "~4"}));
  EXPECT_EQ(marks(), (std::vector<Mark>{Mark::Animation, Mark::InitialTile, Mark::DrmTile, Mark::Missing}));
  const QString broken = screen->tileToolTip(screen->tiles()[3]);
  EXPECT_TRUE(broken.contains(QStringLiteral("Missing icon: /a/mobile/picture/broken.gif")))
      << broken.toStdString();
  EXPECT_TRUE(broken.contains(QStringLiteral("does not decode"))) << broken.toStdString();
  EXPECT_TRUE(broken.contains(QDir::toNativeSeparators(phoneFiles.path()))) << broken.toStdString();
  EXPECT_EQ(screen->softkeyText(0), "Contacts");

  // The display language: the document's languages, English US first.
  auto* chooser = find<QComboBox>("LanguageChooser");
  ASSERT_EQ(chooser->count(), 3);
  EXPECT_EQ(chooser->itemText(0), "English US");
  EXPECT_EQ(chooser->itemText(1), "English UK");
  EXPECT_EQ(chooser->itemText(2), "German");
  chooser->setCurrentIndex(2);
  emit chooser->activated(2);
  EXPECT_EQ(names()[0], "Netz");
  EXPECT_EQ(screen->softkeyText(0), "Kontakte");
  EXPECT_TRUE(screen->tiles()[1].nameIsFallback);  // Games: the catalogue's name

  // The list view draws the list icons: the web item has none.
  find<QCheckBox>("ListViewBox")->click();
  EXPECT_FALSE(screen->showsGrid());
  EXPECT_EQ(marks()[0], Mark::InitialTile);
  EXPECT_EQ(screen->titleText(), "Main menu");
}

TEST_F(PhonePreviewTest, TheTreeAndThePreviewSelectEachOtherAndEditsShowAtOnce) {
  chosenPaths.push_back(phoneFiles.path());
  action("ViewPhoneFilesFolder")->trigger();
  openPreview();
  // Selecting "~2" in the tree opens its submenu, as a list, with "~2" highlighted.
  clickNode(kFirstMenuNodeIndex + 3);
  EXPECT_EQ(screen->shownMenu(), node(kFirstMenuNodeIndex + 1));
  EXPECT_FALSE(screen->showsGrid());
  EXPECT_EQ(screen->highlighted(), 1);
  EXPECT_EQ(names(), (std::vector<QString>{"Chess", "~2"}));
  EXPECT_TRUE(screen->tiles()[0].nameIsFallback);  // English UK stands in for English US
  EXPECT_EQ(marks(), (std::vector<Mark>{Mark::Image, Mark::Missing}));
  EXPECT_TRUE(screen->tileToolTip(screen->tiles()[1]).contains(QStringLiteral("There is no such file.")));

  clickTile(0);
  EXPECT_EQ(window->selectedNode(), node(kFirstMenuNodeIndex + 2));
  // A move in the tree, and its undo, show in the preview at once.
  window->Movedown1Click();
  EXPECT_EQ(names(), (std::vector<QString>{"~2", "Chess"}));
  EXPECT_EQ(screen->highlighted(), 1);
  action("EditUndo1")->trigger();
  EXPECT_EQ(names(), (std::vector<QString>{"Chess", "~2"}));

  QTest::keyClick(screen, Qt::Key_Backspace);
  EXPECT_EQ(screen->shownMenu(), nullptr);
  EXPECT_EQ(window->selectedNode(), node(kFirstMenuNodeIndex + 1));
  EXPECT_EQ(screen->titleText(), "Games");
  QTest::mouseDClick(screen, Qt::LeftButton, Qt::NoModifier, screen->tileRect(1).center());
  EXPECT_EQ(screen->shownMenu(), node(kFirstMenuNodeIndex + 1));
  EXPECT_EQ(window->selectedNode(), node(kFirstMenuNodeIndex + 2));

  // Deleting the submenu on show brings back the main menu.
  clickNode(kFirstMenuNodeIndex + 1);
  answer = QMessageBox::Yes;
  window->Deleteitem1Click();
  EXPECT_EQ(screen->shownMenu(), nullptr);
  EXPECT_EQ(names(), (std::vector<QString>{"Web", "~3", "~4"}));

  // Closing the preview unticks its entry and is remembered.
  preview->close();
  EXPECT_FALSE(action("ViewPhonePreview")->isChecked());
  EXPECT_FALSE(EditorSettings::store().value(QStringLiteral("PhonePreview/open")).toBool());
}

TEST_F(PhonePreviewTest, TheTreesToolTipNamesEveryLanguageAndIcon) {
  const QModelIndex web = window->treeModel().indexForNode(node(kFirstMenuNodeIndex));
  EXPECT_EQ(web.data(Qt::ToolTipRole).toString(),
            "Identifier: WebAccess\nNames:\n  English US: Web\n  German: Netz\n"
            "Animated icon: /a/mobile/picture/web.gif");
}

// An emulated phone that counts how often each file is opened (on the phone thread).
class CountingPhone : public EmulatedPhone {
 public:
  using EmulatedPhone::EmulatedPhone;
  std::int32_t File_Create(const char* path, std::uint32_t attributes) override {
    {
      std::lock_guard lock(mutex_);
      ++opened_[path];
    }
    return EmulatedPhone::File_Create(path, attributes);
  }
  int opened(const std::string& path) {
    std::lock_guard lock(mutex_);
    return opened_[path];
  }

 private:
  std::mutex mutex_;
  std::map<std::string, int> opened_;
};

bool WaitFor(const std::function<bool()>& done) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < 10000) QTest::qWait(5);
  return done();
}

// The window starts with the counting phone, as the program starts with its library.
class PhonePreviewIconsTest : public PhonePreviewTest {
 protected:
  std::unique_ptr<TSDIAppForm> makeWindow() override {
    std::unique_ptr<TSDIAppForm> made = PhonePreviewTest::makeWindow();
    auto library = std::make_unique<CountingPhone>(phoneFiles.path().toStdString(), "V3x");
    phone = library.get();
    made->usePhoneLibrary(std::move(library));
    return made;
  }
  CountingPhone* phone = nullptr;
};

TEST_F(PhonePreviewIconsTest, IconsAreReadFromTheConnectedPhoneOnceAndAgainAfterAReconnect) {
  // The connection notice and the model read are in before the preview opens.
  ASSERT_TRUE(WaitFor([&] { return !window->phoneWorking(); }));
  QApplication::processEvents();
  openPreview();
  const std::string web = "/a/mobile/picture/web.gif";
  ASSERT_TRUE(WaitFor([&] { return marks()[0] == Mark::Animation && marks()[3] == Mark::Missing; }));
  EXPECT_TRUE(screen->tileToolTip(screen->tiles()[3]).contains(QStringLiteral("the phone V3x")));
  const QString kept = QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
                       QStringLiteral("/phone-icons/V3x/a/mobile/picture/web.gif");
  ASSERT_TRUE(QFile::exists(kept)) << kept.toStdString();
  // A redraw in another language and an edit read nothing again.
  emit find<QComboBox>("LanguageChooser")->activated(2);
  window->FileNew1Execute();
  ASSERT_TRUE(window->openMenuFile(writeFile("menu", PreviewMenu())));
  ASSERT_TRUE(WaitFor([&] { return marks()[0] == Mark::Animation; }));
  EXPECT_EQ(phone->opened(web), 1);

  // The phone comes again with another file at that path: it is read anew.
  WritePhoneFile(phoneFiles.path(), "a/mobile/picture/web.gif", {'n', 'o', 'p', 'e'});
  phone->setConnected(false);
  phone->setConnected(true);
  ASSERT_TRUE(WaitFor([&] { return phone->opened(web) == 2 && marks()[0] == Mark::Missing; }));
  EXPECT_TRUE(screen->tileToolTip(screen->tiles()[0]).contains(QStringLiteral("does not decode")));
}

}  // namespace
}  // namespace quillet::ui::testing
