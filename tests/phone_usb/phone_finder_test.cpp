// What a Motorola device is, told from its descriptors and interface names.
#include "phone_finder.h"

#include <gtest/gtest.h>

#include <map>

namespace quillet::usb {
namespace {

// An opened device that only answers string descriptors.
class NamesOnly : public UsbDevice {
 public:
  explicit NamesOnly(std::map<std::uint8_t, std::string> names) : names_(std::move(names)) {}
  std::string stringDescriptor(std::uint8_t index) override {
    auto it = names_.find(index);
    return it == names_.end() ? std::string() : it->second;
  }
  UsbOutcome controlIn(const UsbSetup&, std::uint8_t*, std::uint16_t, unsigned) override {
    return {UsbError::Pipe, 0};
  }
  UsbOutcome controlOut(const UsbSetup&, const std::uint8_t*, std::uint16_t, unsigned) override {
    return {UsbError::Pipe, 0};
  }
  UsbOutcome bulkOut(std::uint8_t, const std::uint8_t*, std::size_t, unsigned) override {
    return {UsbError::Pipe, 0};
  }
  UsbOutcome bulkIn(std::uint8_t, std::uint8_t*, std::size_t, unsigned) override {
    return {UsbError::Pipe, 0};
  }
  UsbError detachKernelDriver(std::uint8_t) override { return UsbError::Other; }
  UsbError claimInterface(std::uint8_t) override { return UsbError::Other; }
  void releaseInterface(std::uint8_t) override {}

 private:
  std::map<std::uint8_t, std::string> names_;
};

const UsbInterface kModemComm{0, 0x02, 0x02, 0x01, 1, {{0x81, 0x03, 16}}};
const UsbInterface kModemData{1, 0x0A, 0, 0, 2, {{0x82, 0x02, 64}, {0x04, 0x02, 64}}};
const std::map<std::uint8_t, std::string> kNames = {
    {1, "Motorola Communication Interface"}, {2, "Motorola Data Interface"}, {3, "Motorola Test Command"}};

UsbDeviceInfo device(std::uint16_t product, std::vector<UsbInterface> interfaces,
                     std::uint16_t vendor = 0x22B8) {
  return {"bus 1 address 2", vendor, product, std::move(interfaces)};
}

TEST(PhoneFinder, NamedTestCommandInterfaceMakesAP2KPhoneWhateverItsNumber) {
  NamesOnly names(kNames);
  const PhoneKind kind =
      classifyPhone(device(0x9999, {kModemComm, kModemData, {6, 0xFF, 0, 0, 3, {}}}), names);
  EXPECT_EQ(kind.mode, PhoneMode::P2K);
  EXPECT_EQ(kind.interfaceNumber, 6);
}

// Endpoints and packet size come from the descriptor, whatever their order and number;
// wMaxPacketSize's bits above the size are not part of it.
TEST(PhoneFinder, TestCommandInterfaceWithBulkEndpointsIsAP2K05PhoneOnThem) {
  NamesOnly names(kNames);
  const UsbInterface bulkTest{3, 0xFF, 0x03, 0xFF, 3, {{0x07, 0x02, 0x0200}, {0x86, 0x02, 0x0840}}};
  const PhoneKind kind = classifyPhone(device(0x4901, {kModemComm, kModemData, bulkTest}), names);
  EXPECT_EQ(kind.mode, PhoneMode::P2K05);
  EXPECT_EQ(kind.interfaceNumber, 3);
  EXPECT_EQ(kind.bulkOut, 0x07);
  EXPECT_EQ(kind.bulkIn, 0x86);
  EXPECT_EQ(kind.packetSize, 0x40);
}

// Bulk endpoints in another layout are not taken for the p2k05 framing.
TEST(PhoneFinder, BulkEndpointsOutsideTheP2K05LayoutAreLeftAlone) {
  NamesOnly names(kNames);
  const std::vector<UsbEndpoint> pair{{0x86, 0x02, 64}, {0x07, 0x02, 64}};
  const auto kindOf = [&](const UsbInterface& test) {
    return classifyPhone(device(0x4901, {test}), names).mode;
  };
  EXPECT_EQ(kindOf({8, 0xFF, 0x03, 0xFF, 3, pair}), PhoneMode::P2K05);
  EXPECT_EQ(kindOf({8, 0xFF, 0x00, 0xFF, 3, pair}), PhoneMode::UnknownBulkLayout);
  EXPECT_EQ(kindOf({8, 0xFF, 0x03, 0x00, 3, pair}), PhoneMode::UnknownBulkLayout);
  EXPECT_EQ(kindOf({8, 0xFF, 0x03, 0xFF, 3, {{0x07, 0x02, 64}}}), PhoneMode::UnknownBulkLayout);
  EXPECT_EQ(kindOf({8, 0xFF, 0x03, 0xFF, 3, {{0x86, 0x02, 0}, {0x07, 0x02, 64}}}),
            PhoneMode::UnknownBulkLayout);
}

TEST(PhoneFinder, ModemInterfacesAloneMakeAPhoneToSwitchThroughItsBulkOut) {
  NamesOnly names(kNames);
  const PhoneKind kind = classifyPhone(device(0x9999, {kModemComm, kModemData}), names);
  EXPECT_EQ(kind.mode, PhoneMode::AtModem);
  EXPECT_EQ(kind.interfaceNumber, 1);
  EXPECT_EQ(kind.bulkOut, 0x04);
}

TEST(PhoneFinder, WithoutTheTestCommandNameAProductIdMakesNoP2KPhone) {
  NamesOnly noNames({});
  // 0x1001 is also a flash mode: a known P2K id with an unnamed interface is only reported.
  EXPECT_EQ(classifyPhone(device(0x1001, {kModemComm, {8, 0xFF, 0, 0, 3, {}}}), noNames).mode,
            PhoneMode::NoTestCommand);
  EXPECT_EQ(classifyPhone(device(0x1C02, {kModemComm, kModemData}), noNames).mode, PhoneMode::AtModem);
  EXPECT_EQ(classifyPhone(device(0x2A21, {kModemComm, kModemData, {8, 0xFF, 0, 0, 3, {}}}), noNames).mode,
            PhoneMode::NotAPhone);
  // 0x6009 is a P2K id tools use; 0x3801/0x3802 only a guess names; 0x6009 has no modem id,
  // so no id of 0 stands in for one.
  EXPECT_EQ(classifyPhone(device(0x6009, {{8, 0xFF, 0, 0, 3, {}}}), noNames).mode, PhoneMode::NoTestCommand);
  EXPECT_EQ(classifyPhone(device(0x3801, {{8, 0xFF, 0, 0, 3, {}}}), noNames).mode, PhoneMode::NotAPhone);
  EXPECT_EQ(classifyPhone(device(0x3802, {kModemComm, kModemData}), noNames).mode, PhoneMode::NotAPhone);
  EXPECT_EQ(classifyPhone(device(0x0000, {kModemComm, kModemData}), noNames).mode, PhoneMode::NotAPhone);
}

TEST(PhoneFinder, OtherVendorsAndOtherInterfacesAreNoPhone) {
  NamesOnly names(kNames);
  EXPECT_EQ(classifyPhone(device(0x4901, {{8, 0xFF, 0, 0, 3, {}}}, 0x1234), names).mode,
            PhoneMode::NotAPhone);
  const UsbInterface storage{0, 0x08, 0x06, 0x50, 0, {{0x81, 0x02, 512}, {0x02, 0x02, 512}}};
  EXPECT_EQ(classifyPhone(device(0x2D00, {storage}), names).mode, PhoneMode::NotAPhone);
}

}  // namespace
}  // namespace quillet::usb
