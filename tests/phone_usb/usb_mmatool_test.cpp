// mmatool's phone commands against the fake USB phone: each run makes its own library on
// the same bus, as runs of the program one after another. A p2k05 phone is served over
// the bulk endpoints with no control transfer sent; the faults of a misbehaving phone
// (a refused volume command, a read-only menu, a cable pulled mid-write) cost no menu.
#include <sstream>

#include "menu_bytes.h"
#include "mmatool.h"
#include "sample_menus.h"
#include "temp_folder.h"
#include "usb_library_fixture.h"

namespace quillet::usb::testing {
namespace {

namespace mb = quillet::menubytes;
using quillet::test::ReadBytes;
using quillet::test::TempFolder;
using quillet::test::WriteBytes;

class UsbMmatool : public UsbLibraryTest {
 protected:
  struct Outcome {
    int status;
    std::string out, err;
  };

  Outcome mmatool(const std::vector<std::string>& args) {
    UsbP2KOptions usb;
    usb.transferTimeoutMs = kTimeoutMs;
    usb.replyWindowMs = 1000;
    usb.rescanIntervalMs = 20;
    usb.log = [this](const std::string& text) { recorder.line(text); };
    const mmatool::PhoneAccess access{
        [&] { return std::make_unique<UsbP2KLibrary>(bus->makeTransport(), usb); }, folder.file("backups")};
    std::istringstream in;
    std::ostringstream out, err;
    const int status = mmatool::run(args, in, out, err, access);
    return {status, out.str(), err.str()};
  }

  TempFolder folder;
};

TEST_F(UsbMmatool, InfoPullAndPushOverTheBulkEndpoints) {
  FakeBusOptions options;
  options.p2k05 = true;
  options.testInterface = 2;
  bus = std::make_unique<FakePhoneBus>(options);
  bus->withPhone([](FakeP2KPhone& phone) { return phone.model = "V3xx"; });
  const std::vector<std::uint8_t> original = mb::BuildMenuFile(quillet::samples::FullMenu(36));
  const std::vector<std::uint8_t> shorter = mb::BuildMenuFile(quillet::samples::SmallMenu(22, 1));
  ASSERT_LT(shorter.size(), original.size());
  putFile(kMenuPath, original);

  const Outcome info = mmatool({"phone", "info"});
  ASSERT_EQ(info.status, 0) << info.err;
  EXPECT_NE(info.out.find("model: V3xx\n"), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("menu file: " + std::to_string(original.size()) + " bytes"), std::string::npos);

  const Outcome pull = mmatool({"phone", "pull", folder.file("pulled")});
  ASSERT_EQ(pull.status, 0) << pull.err;
  EXPECT_EQ(ReadBytes(folder.file("pulled")), original);

  WriteBytes(folder.file("shorter"), shorter);
  const Outcome push = mmatool({"phone", "push", folder.file("shorter")});
  ASSERT_EQ(push.status, 0) << push.err;
  EXPECT_EQ(fileOnPhone(kMenuPath), shorter);

  EXPECT_EQ(bus->controlTransfers(), 0);
  EXPECT_EQ(recorder.linesContaining("is a p2k05 phone"), 3u);
  EXPECT_EQ(recorder.linesContaining("failed"), 0u) << ::testing::PrintToString(recorder.lines());
}

class UsbMmatoolFaults : public UsbMmatool {
 protected:
  void SetUp() override {
    bus = std::make_unique<FakePhoneBus>();
    putFile(kMenuPath, original);
    WriteBytes(folder.file("edited"), edited);
  }

  const std::vector<std::uint8_t> original = mb::BuildMenuFile(quillet::samples::SmallMenu(36, 0x01));
  const std::vector<std::uint8_t> edited = mb::BuildMenuFile(quillet::samples::EveryBlockKindMenu({}));
};

TEST_F(UsbMmatoolFaults, PullCopiesTheMenuFromAPhoneThatRefusesTheVolumeCommand) {
  bus->withPhone([](FakeP2KPhone& phone) { return phone.refuseVolumes = true; });
  const Outcome pull = mmatool({"phone", "pull", folder.file("pulled")});
  ASSERT_EQ(pull.status, 0) << pull.err;
  EXPECT_EQ(ReadBytes(folder.file("pulled")), original);
}

TEST_F(UsbMmatoolFaults, PushOntoAReadOnlyMenuFileIsRefusedAndChangesNothing) {
  bus->withPhone([](FakeP2KPhone& phone) { return phone.files[kMenuPath].attributes = 0x0001; });
  const Outcome push = mmatool({"phone", "push", folder.file("edited")});
  EXPECT_EQ(push.status, 1);
  EXPECT_EQ(push.err.substr(0, push.err.find('\n')), "mmatool: Error writing file") << push.err;
  EXPECT_NE(push.err.find("\nmmatool: The phone marks the file read-only.\n"), std::string::npos) << push.err;
  EXPECT_NE(push.err.find("\nmmatool: The phone's menu is unchanged.\n"), std::string::npos);
  EXPECT_EQ(fileOnPhone(kMenuPath), original);
  EXPECT_EQ(bus->withPhone([](FakeP2KPhone& phone) { return phone.files[kMenuPath].attributes; }), 1);
}

// The cable pulled at the first written piece: the failure says the menu may be
// incomplete; after reconnecting, info warns; a pull of the damaged menu is kept marked
// damaged; restore puts back exactly the menu the phone had before the failed write.
TEST_F(UsbMmatoolFaults, ACablePulledMidWriteIsFoundAtTheNextConnectionAndRestored) {
  bus->withPhone([](FakeP2KPhone& phone) { return phone.pullCableAfterWrites = phone.writeCalls; });
  const Outcome push = mmatool({"phone", "push", folder.file("edited")});
  EXPECT_EQ(push.status, 1);
  EXPECT_NE(push.err.find("\nmmatool: The phone was disconnected during the write.\n"
                          "mmatool: The phone's menu may be incomplete.\n"
                          "mmatool: The menu the phone had before is kept in \""),
            std::string::npos)
      << push.err;
  EXPECT_TRUE(fileOnPhone(kMenuPath).empty()) << "deleted before the first piece";

  bus->plug();
  const Outcome info = mmatool({"phone", "info"});
  EXPECT_EQ(info.status, 0) << info.err;
  EXPECT_NE(info.err.find("warning: the last write to this phone did not finish"), std::string::npos)
      << info.err;
  EXPECT_NE(info.err.find("mmatool phone restore \"" + folder.file("backups") + "/E398/"), std::string::npos)
      << info.err;

  const Outcome pull = mmatool({"phone", "pull", folder.file("pulled")});
  EXPECT_EQ(pull.status, 0) << pull.err;
  EXPECT_TRUE(ReadBytes(folder.file("pulled")).empty());
  const Outcome backups = mmatool({"phone", "backups"});
  EXPECT_NE(backups.out.find("_damaged_mma_ucp\t0\tdamaged\n"), std::string::npos) << backups.out;

  const Outcome restore = mmatool({"phone", "restore"});
  ASSERT_EQ(restore.status, 0) << restore.err;
  EXPECT_EQ(fileOnPhone(kMenuPath), original);
  EXPECT_EQ(mmatool({"phone", "info"}).err, "") << "the restore finished the write";
}

// The file commands over control transfers: put, ls, get, a shorter put, rm, and get
// of a missing file.
TEST_F(UsbMmatool, FileCommandsReplaceFilesWhole) {
  bus = std::make_unique<FakePhoneBus>();
  putFile(kMenuPath, mb::BuildMenuFile(quillet::samples::SmallMenu(22, 1)));
  putFile("/a/mobile/picture/deeper/other.gif", std::vector<std::uint8_t>(5, 1));
  std::vector<std::uint8_t> image(3000);
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * 31 % 251);
  const std::string path = "/a/mobile/picture/mine.gif";
  WriteBytes(folder.file("mine.gif"), image);

  const Outcome put = mmatool({"phone", "put", folder.file("mine.gif"), path});
  ASSERT_EQ(put.status, 0) << put.err;
  EXPECT_EQ(fileOnPhone(path), image);
  const Outcome ls = mmatool({"phone", "ls", "/a/mobile/picture/"});
  ASSERT_EQ(ls.status, 0) << ls.err;
  EXPECT_EQ(ls.out, "3000\t" + path + "\n");
  const Outcome get = mmatool({"phone", "get", path, folder.file("got")});
  ASSERT_EQ(get.status, 0) << get.err;
  EXPECT_EQ(ReadBytes(folder.file("got")), image);

  const std::vector<std::uint8_t> shorter(image.begin(), image.begin() + 1000);
  WriteBytes(folder.file("shorter"), shorter);
  const Outcome again = mmatool({"phone", "put", folder.file("shorter"), path});
  ASSERT_EQ(again.status, 0) << again.err;
  EXPECT_EQ(fileOnPhone(path), shorter);
  EXPECT_EQ(again.out.rfind("backup: ", 0), 0u) << again.out;

  EXPECT_EQ(mmatool({"phone", "rm", path}).status, 0);
  EXPECT_EQ(bus->withPhone([&](FakeP2KPhone& phone) { return phone.files.count(path); }), 0u);
  const Outcome missing = mmatool({"phone", "get", path, folder.file("out")});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("the phone has no file " + path), std::string::npos) << missing.err;
  EXPECT_FALSE(std::filesystem::exists(folder.file("out")));
}

}  // namespace
}  // namespace quillet::usb::testing
