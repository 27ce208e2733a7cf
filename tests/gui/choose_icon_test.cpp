// "Choose icon" from the icon rows of "Basic settings" in the real window: pictures listed
// and chosen from the emulated phone and from the phone files folder, a local picture put
// on the phone, and the limits of a put.
#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <functional>

#include "choose_icon_dialog.h"
#include "paced_phone.h"
#include "tree_editing_fixture.h"

namespace quillet::ui::testing {
namespace {

using test::Child;
using test::Click;

bool WaitFor(const std::function<bool()>& done) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < 10000) QTest::qWait(5);
  return done();
}

// A PNG of one colour, as a phone's picture folder may hold it.
Bytes Picture(const QColor& colour, int size = 16) {
  QImage image(size, size, QImage::Format_RGB32);
  image.fill(colour);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return Bytes(bytes.begin(), bytes.end());
}

void WriteIn(const QString& root, const std::string& path, const Bytes& bytes) {
  const std::filesystem::path file = std::filesystem::path(root.toStdString()) / path;
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The colour at the middle of a list entry's thumbnail.
QColor ThumbnailMiddle(const QListWidgetItem* item) {
  const QImage image = item->icon().pixmap(48, 48).toImage();
  return image.pixelColor(image.width() / 2, image.height() / 2);
}

// The main window with all its forms, an item to modify, and the files of a phone in a
// folder: chess.png in the picture folder, a skin picture, a text file, and the menu.
class ChooseIconTest : public TreeEditingTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(phoneFiles.isValid());
    WriteIn(phoneFiles.path(), "a/mobile/picture/chess.png", Picture(Qt::darkGreen));
    WriteIn(phoneFiles.path(), "a/mobile/skins/blue/wall.gif", Picture(Qt::blue));
    WriteIn(phoneFiles.path(), "a/mobile/picture/notes.txt", {'n', 'o'});
    WriteIn(phoneFiles.path(), "a/mobile/system/mma_ucp", {});
    TreeEditingTest::SetUp();
    window->FileNew1Execute();
    chooserCommand(kMenuRootNodeIndex, "Games", "AddLast1");
  }
  // "Modify item" on the new item, whose dialog `inDialog` works; then OK.
  void modifyItem(const std::function<void(QDialog&)>& inDialog) {
    modals.actions["TOKRightDlg"] = [inDialog](QDialog& shown) {
      inDialog(shown);
      Click(Child<QPushButton>(shown, "OKButton"));
    };
    window->selectNode(node(kFirstMenuNodeIndex));
    window->MenuItem1Click();
  }
  // The icon path of the item's row of this kind (3 static, 4 animated, 5 list), or empty.
  std::u16string iconPath(std::uint8_t kind) const {
    const TMMAItemData* data = window->document().ItemData(*node(kFirstMenuNodeIndex));
    if (data == nullptr) return {};
    for (const TMMADataBlock& block : data->blocks)
      if (block.tag == 12 && block.iconKind == kind) return block.path;
    return {};
  }
  static QListWidget* pictures(QDialog& dialog) { return Child<QListWidget>(dialog, "PictureList"); }
  static std::vector<QString> folders(QDialog& dialog) {
    auto* chooser = Child<QComboBox>(dialog, "FolderChooser");
    std::vector<QString> out;
    for (int i = 0; i < chooser->count(); ++i) out.push_back(chooser->itemText(i));
    return out;
  }
  Bytes phoneFile(const std::string& path) const {
    return ReadBytes((std::filesystem::path(phoneFiles.path().toStdString()) / path).string());
  }

  QTemporaryDir phoneFiles;
};

// The same with the emulated phone over that folder, as the program starts with its library.
class ChooseIconOnPhoneTest : public ChooseIconTest {
 protected:
  std::unique_ptr<TSDIAppForm> makeWindow() override {
    std::unique_ptr<TSDIAppForm> made = ChooseIconTest::makeWindow();
    auto library = std::make_unique<test::PacedPhone>(phoneFiles.path().toStdString(), "V3x");
    phone = library.get();
    made->usePhoneLibrary(std::move(library));
    return made;
  }
  test::PacedPhone* phone = nullptr;
  void SetUp() override {
    ChooseIconTest::SetUp();
    ASSERT_TRUE(WaitFor([&] { return !window->phoneWorking(); }));
  }
};

TEST_F(ChooseIconOnPhoneTest, AListedPictureOrOnePutFromThisComputerFillsTheRow) {
  const Bytes star = Picture(Qt::yellow, 24);
  chosenPaths.push_back(QString::fromStdString(writeFile("star.png", star)));
  modifyItem([&](QDialog& settings) {
    // The static row: chess.png, chosen by a double-click, fills the edit as typing does.
    modals.actions["ChooseIconDialog"] = [&](QDialog& shown) {
      EXPECT_TRUE(Child<QLabel>(shown, "PlaceLabel")->text().contains("the phone V3x"));
      EXPECT_TRUE(Child<QPushButton>(shown, "PutImageButton")->isEnabled());
      ASSERT_TRUE(WaitFor([&] { return pictures(shown)->count() == 1; }));
      EXPECT_EQ(folders(shown), (std::vector<QString>{"/a/mobile/picture/", "/a/mobile/skins/blue/"}));
      QListWidgetItem* chess = pictures(shown)->item(0);
      EXPECT_EQ(chess->text(), "chess.png");
      // Its thumbnail arrives from the phone while the dialog runs on.
      ASSERT_TRUE(WaitFor([&] { return ThumbnailMiddle(chess) == QColor(Qt::darkGreen); }));
      const QRect place = pictures(shown)->visualItemRect(chess);
      // A double-click as the platform sends it: press, release, then the double-click.
      QTest::mouseClick(pictures(shown)->viewport(), Qt::LeftButton, {}, place.center());
      QTest::mouseDClick(pictures(shown)->viewport(), Qt::LeftButton, {}, place.center());
    };
    Click(Child<QPushButton>(settings, "IconChooseButton2"));
    EXPECT_EQ(Child<QLineEdit>(settings, "TntEdit2")->text(), "/a/mobile/picture/chess.png");
    EXPECT_TRUE(Child<QPushButton>(settings, "TntButton3")->isEnabled());

    // The list row: star.png from this computer is put on the phone and chosen.
    modals.actions["ChooseIconDialog"] = [&](QDialog& shown) {
      ASSERT_TRUE(WaitFor([&] { return pictures(shown)->count() == 1; }));
      Click(Child<QPushButton>(shown, "PutImageButton"));
      ASSERT_TRUE(WaitFor([&] { return shown.result() == QDialog::Accepted; }));
    };
    Click(Child<QPushButton>(settings, "IconChooseButton3"));
    EXPECT_EQ(Child<QLineEdit>(settings, "TntEdit3")->text(), "/a/mobile/picture/star.png");
    EXPECT_TRUE(Child<QPushButton>(settings, "TntButton4")->isEnabled());
  });
  EXPECT_EQ(dialogKinds.back(), FileDialogKind::OpenPicture);
  EXPECT_EQ(phoneFile("a/mobile/picture/star.png"), star);
  EXPECT_EQ(iconPath(kIconKindStatic), u"/a/mobile/picture/chess.png");
  EXPECT_EQ(iconPath(kIconKindList), u"/a/mobile/picture/star.png");
  EXPECT_TRUE(messages.empty());

  // A picture of the same name again: the user is asked first, and No leaves the phone's.
  const Bytes other = Picture(Qt::red, 24);
  for (const QMessageBox::StandardButton reply : {QMessageBox::No, QMessageBox::Yes}) {
    chosenPaths.push_back(QString::fromStdString(writeFile("star.png", other)));
    prompter.messages.answers = {reply};
    modifyItem([&](QDialog& settings) {
      modals.actions["ChooseIconDialog"] = [&](QDialog& shown) {
        ASSERT_TRUE(WaitFor([&] { return pictures(shown)->count() == 2; }));
        Click(Child<QPushButton>(shown, "PutImageButton"));
        if (reply == QMessageBox::Yes) {
          ASSERT_TRUE(WaitFor([&] { return shown.result() == QDialog::Accepted; }));
        }
      };
      Click(Child<QPushButton>(settings, "IconChooseButton1"));
    });
    ASSERT_FALSE(messages.empty());
    EXPECT_TRUE(messages.back().text.contains("/a/mobile/picture/star.png"))
        << messages.back().text.toStdString();
    EXPECT_EQ(messages.back().buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(phoneFile("a/mobile/picture/star.png"), reply == QMessageBox::Yes ? other : star);
    EXPECT_EQ(iconPath(kIconKindAnimated), reply == QMessageBox::Yes ? u"/a/mobile/picture/star.png" : u"");
  }
}

TEST_F(ChooseIconOnPhoneTest, APictureOverTheLimitIsRefusedBeforeAnythingIsSent) {
  const Bytes largest(ChooseIconDialog::kMaxPutBytes, 'x');
  Bytes tooLarge = largest;
  tooLarge.push_back('x');
  chosenPaths = {QString::fromStdString(writeFile("big.gif", tooLarge)),
                 QString::fromStdString(writeFile("largest.gif", largest))};
  modifyItem([&](QDialog& settings) {
    modals.actions["ChooseIconDialog"] = [&](QDialog& shown) {
      ASSERT_TRUE(WaitFor([&] { return pictures(shown)->count() == 1; }));
      Click(Child<QPushButton>(shown, "PutImageButton"));
      ASSERT_EQ(messages.size(), 1u);
      EXPECT_TRUE(messages[0].text.contains("big.gif")) << messages[0].text.toStdString();
      EXPECT_TRUE(messages[0].text.contains("65535")) << messages[0].text.toStdString();
      EXPECT_EQ(shown.result(), QDialog::Rejected);
      // One byte less is put.
      Click(Child<QPushButton>(shown, "PutImageButton"));
      ASSERT_TRUE(WaitFor([&] { return shown.result() == QDialog::Accepted; }));
    };
    Click(Child<QPushButton>(settings, "IconChooseButton1"));
  });
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(phoneFiles.path().toStdString()) /
                                       "a/mobile/picture/big.gif"));
  EXPECT_EQ(phoneFile("a/mobile/picture/largest.gif"), largest);
  EXPECT_EQ(messages.size(), 1u);
}

TEST_F(ChooseIconOnPhoneTest, APutShowsItsProgressAndCannotBeCancelledOnceItWrites) {
  chosenPaths.push_back(
      QString::fromStdString(writeFile("slow.gif", Bytes(6 * EmulatedPhone::kPieceBytes, 'g'))));
  phone->setTransferDelay(std::chrono::milliseconds(40));
  modifyItem([&](QDialog& settings) {
    modals.actions["ChooseIconDialog"] = [&](QDialog& shown) {
      ASSERT_TRUE(WaitFor([&] { return pictures(shown)->count() == 1; }));
      Click(Child<QPushButton>(shown, "PutImageButton"));
      // The dialog waits for the put; closing it does nothing meanwhile.
      EXPECT_FALSE(Child<QPushButton>(shown, "CancelButton")->isEnabled());
      shown.reject();
      EXPECT_TRUE(shown.isVisible());
      QProgressDialog* progress = nullptr;
      ASSERT_TRUE(WaitFor([&] {
        progress = window->findChild<QProgressDialog*>("PhoneProgress");
        return progress != nullptr && progress->labelText().contains("Writing the file to the phone");
      }));
      EXPECT_EQ(progress->windowTitle(), "Put a picture on the phone");
      EXPECT_FALSE(window->findChild<QPushButton*>("PhoneProgressCancel")->isEnabled());
      EXPECT_TRUE(progress->labelText().contains("cannot be interrupted"))
          << progress->labelText().toStdString();
      ASSERT_TRUE(WaitFor([&] { return shown.result() == QDialog::Accepted; }));
    };
    Click(Child<QPushButton>(settings, "IconChooseButton1"));
  });
  EXPECT_EQ(iconPath(kIconKindAnimated), u"/a/mobile/picture/slow.gif");
  EXPECT_EQ(phoneFile("a/mobile/picture/slow.gif").size(), 6 * EmulatedPhone::kPieceBytes);
}

// Cancelled while it still reads the phone's file of that name: nothing changes on the
// phone, no box follows the user's own choice, and the dialog stays open.
TEST_F(ChooseIconOnPhoneTest, APutCancelledBeforeItWritesEndsQuietly) {
  const Bytes held(6 * EmulatedPhone::kPieceBytes, 'h');
  WriteIn(phoneFiles.path(), "a/mobile/picture/slow.gif", held);
  chosenPaths.push_back(QString::fromStdString(writeFile("slow.gif", Picture(Qt::red))));
  phone->setTransferDelay(std::chrono::milliseconds(40));
  prompter.messages.answers = {QMessageBox::Yes};
  modifyItem([&](QDialog& settings) {
    modals.actions["ChooseIconDialog"] = [&](QDialog& shown) {
      ASSERT_TRUE(WaitFor([&] { return pictures(shown)->count() == 2; }));
      Click(Child<QPushButton>(shown, "PutImageButton"));
      QPushButton* cancel = nullptr;
      ASSERT_TRUE(WaitFor([&] {
        cancel = window->findChild<QPushButton*>("PhoneProgressCancel");
        return cancel != nullptr && cancel->isVisible() && cancel->isEnabled();
      }));
      Click(cancel);
      auto* put = Child<QPushButton>(shown, "PutImageButton");
      ASSERT_TRUE(WaitFor([&] { return put->isEnabled(); }));
      EXPECT_TRUE(shown.isVisible());
      shown.reject();
    };
    Click(Child<QPushButton>(settings, "IconChooseButton1"));
  });
  EXPECT_EQ(messages.size(), 1u) << "the replace question only";
  EXPECT_EQ(phoneFile("a/mobile/picture/slow.gif"), held);
  EXPECT_EQ(iconPath(kIconKindAnimated), u"");
}

TEST_F(ChooseIconTest, WithoutAPhoneThePhoneFilesFolderIsBrowsedAndNothingCanBePut) {
  // With neither a phone nor a folder there is nothing to show, and it says so.
  modifyItem([&](QDialog& settings) {
    modals.actions["ChooseIconDialog"] = [&](QDialog& shown) {
      EXPECT_TRUE(Child<QLabel>(shown, "PlaceLabel")->text().contains("no phone files folder is chosen"));
      EXPECT_FALSE(Child<QPushButton>(shown, "PutImageButton")->isEnabled());
      EXPECT_EQ(pictures(shown)->count(), 0);
      Click(Child<QPushButton>(shown, "OKButton"));
    };
    Click(Child<QPushButton>(settings, "IconChooseButton1"));
    EXPECT_EQ(Child<QLineEdit>(settings, "TntEdit1")->text(), "");
  });

  chosenPaths.push_back(phoneFiles.path());
  action("ViewPhoneFilesFolder")->trigger();
  modifyItem([&](QDialog& settings) {
    modals.actions["ChooseIconDialog"] = [&](QDialog& shown) {
      EXPECT_TRUE(
          Child<QLabel>(shown, "PlaceLabel")->text().contains(QDir::toNativeSeparators(phoneFiles.path())));
      EXPECT_FALSE(Child<QPushButton>(shown, "PutImageButton")->isEnabled());
      EXPECT_TRUE(Child<QLabel>(shown, "PutNote")->isVisible());
      ASSERT_TRUE(WaitFor([&] { return pictures(shown)->count() == 1; }));
      // The skin folder's picture, chosen with OK.
      test::Pick(Child<QComboBox>(shown, "FolderChooser"), 1);
      ASSERT_EQ(pictures(shown)->count(), 1);
      ASSERT_TRUE(WaitFor([&] { return ThumbnailMiddle(pictures(shown)->item(0)) == QColor(Qt::blue); }));
      QTest::mouseClick(pictures(shown)->viewport(), Qt::LeftButton, {},
                        pictures(shown)->visualItemRect(pictures(shown)->item(0)).center());
      Click(Child<QPushButton>(shown, "OKButton"));
    };
    Click(Child<QPushButton>(settings, "IconChooseButton1"));
    EXPECT_EQ(Child<QLineEdit>(settings, "TntEdit1")->text(), "/a/mobile/skins/blue/wall.gif");
    EXPECT_TRUE(Child<QPushButton>(settings, "TntButton2")->isEnabled());
  });
  EXPECT_EQ(iconPath(kIconKindAnimated), u"/a/mobile/skins/blue/wall.gif");
}

}  // namespace
}  // namespace quillet::ui::testing
