// mmatool's phone commands against the fake USB phone with its faults switched on: each
// run makes its own library on the same bus, as runs of the program one after another.
#include <gtest/gtest.h>

#include <sstream>

#include "fake_phone_bus.h"
#include "menu_bytes.h"
#include "mmatool.h"
#include "sample_menus.h"
#include "temp_folder.h"
#include "usb_p2k_library.h"

namespace quillet::usb::testing {
namespace {

constexpr const char* kMenu = "/a/mobile/system/mma_ucp";

struct Outcome {
  int status;
  std::string out, err;
};

class MmatoolOverUsb : public ::testing::Test {
 protected:
  MmatoolOverUsb() {
    access.makeLibrary = [this] {
      UsbP2KOptions options;
      options.transferTimeoutMs = 200;
      options.replyWindowMs = 1000;
      options.rescanIntervalMs = 20;
      options.log = [](const std::string&) {};
      return std::make_unique<UsbP2KLibrary>(bus.makeTransport(), options);
    };
    access.backupsFolder = temp.file("backups");
    bus.withPhone([this](FakeP2KPhone& phone) { return phone.files[kMenu] = {original, 0, 0}; });
  }
  ~MmatoolOverUsb() override {
    EXPECT_TRUE(bus.violations().empty()) << ::testing::PrintToString(bus.violations());
  }

  Outcome phone(std::vector<std::string> args) {
    args.insert(args.begin(), "phone");
    std::istringstream in;
    std::ostringstream out, err;
    const int status = mmatool::run(args, in, out, err, access);
    return {status, out.str(), err.str()};
  }
  std::vector<std::uint8_t> onPhone() {
    return bus.withPhone([](FakeP2KPhone& phone) { return phone.files[kMenu].data; });
  }
  std::string file(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    test::WriteBytes(temp.path() / name, bytes);
    return temp.file(name);
  }

  FakePhoneBus bus;
  test::TempFolder temp;
  mmatool::PhoneAccess access;
  const std::vector<std::uint8_t> original = menubytes::BuildMenuFile(samples::SmallMenu(36, 0x01));
  const std::vector<std::uint8_t> edited =
      menubytes::BuildMenuFile(samples::EveryBlockKindMenu({}));
};

TEST_F(MmatoolOverUsb, PullCopiesTheMenuFromAPhoneThatRefusesTheVolumeCommand) {
  bus.withPhone([](FakeP2KPhone& phone) { return phone.refuseVolumes = true; });
  const Outcome pull = phone({"pull", temp.file("pulled")});
  ASSERT_EQ(pull.status, 0) << pull.err;
  EXPECT_EQ(test::ReadBytes(temp.path() / "pulled"), original);
}

TEST_F(MmatoolOverUsb, PushOntoAReadOnlyMenuFileIsRefusedAndChangesNothing) {
  bus.withPhone([](FakeP2KPhone& phone) { return phone.files[kMenu].attributes = 0x0001; });
  const Outcome push = phone({"push", file("edited", edited)});
  EXPECT_EQ(push.status, 1);
  EXPECT_EQ(push.err.substr(0, push.err.find('\n')), "mmatool: Error writing file") << push.err;
  EXPECT_NE(push.err.find("\nmmatool: The phone marks the file read-only.\n"), std::string::npos)
      << push.err;
  EXPECT_NE(push.err.find("\nmmatool: The phone's menu is unchanged.\n"), std::string::npos);
  EXPECT_EQ(onPhone(), original);
  EXPECT_EQ(bus.withPhone([](FakeP2KPhone& phone) { return phone.files[kMenu].attributes; }), 1);
}

// The cable pulled at the first written piece: the failure says the menu may be
// incomplete; after reconnecting, info warns; a pull of the damaged menu is kept marked
// damaged; restore puts back exactly the menu the phone had before the failed write.
TEST_F(MmatoolOverUsb, ACablePulledMidWriteIsFoundAtTheNextConnectionAndRestored) {
  bus.withPhone([](FakeP2KPhone& phone) { return phone.pullCableAfterWrites = phone.writeCalls; });
  const Outcome push = phone({"push", file("edited", edited)});
  EXPECT_EQ(push.status, 1);
  EXPECT_NE(push.err.find("\nmmatool: The phone was disconnected during the write.\n"
                          "mmatool: The phone's menu may be incomplete.\n"
                          "mmatool: The menu the phone had before is kept in \""),
            std::string::npos)
      << push.err;
  EXPECT_TRUE(onPhone().empty()) << "deleted before the first piece";

  bus.plug();
  const Outcome info = phone({"info"});
  EXPECT_EQ(info.status, 0) << info.err;
  EXPECT_NE(info.err.find("warning: the last write to this phone did not finish"), std::string::npos)
      << info.err;
  EXPECT_NE(info.err.find("mmatool phone restore \"" + temp.file("backups") + "/E398/"),
            std::string::npos)
      << info.err;

  const Outcome pull = phone({"pull", temp.file("pulled")});
  EXPECT_EQ(pull.status, 0) << pull.err;
  EXPECT_TRUE(test::ReadBytes(temp.path() / "pulled").empty());
  const Outcome backups = phone({"backups"});
  EXPECT_NE(backups.out.find("_damaged_mma_ucp\t0\tdamaged\n"), std::string::npos) << backups.out;

  const Outcome restore = phone({"restore"});
  ASSERT_EQ(restore.status, 0) << restore.err;
  EXPECT_EQ(onPhone(), original);
  EXPECT_EQ(phone({"info"}).err, "") << "the restore finished the write";
}

}  // namespace
}  // namespace quillet::usb::testing
