// mmatool's phone commands against a p2k05 phone on the fake bus: info shows the model,
// pull copies the menu byte for byte, push of a shorter menu leaves exactly that menu on
// the phone, all over the bulk endpoints with no control transfer sent.
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
    usb.rescanIntervalMs = 20;
    usb.log = [this](const std::string& text) { recorder.line(text); };
    const mmatool::PhoneAccess access{
        [&] { return std::make_unique<UsbP2KLibrary>(bus->makeTransport(), usb); },
        folder.file("backups")};
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
  EXPECT_NE(info.out.find("menu file: " + std::to_string(original.size()) + " bytes"),
            std::string::npos);

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

}  // namespace
}  // namespace quillet::usb::testing
