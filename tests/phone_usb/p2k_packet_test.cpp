// Framing of requests and replies, checked against bytes written out by hand from the
// protocol's rules.
#include "p2k_packet.h"

#include <gtest/gtest.h>

namespace quillet::usb {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(P2KRequest, IsBigEndianIdCommandSizeZeroThenArguments) {
  auto request = buildRequest(0x0123, 0x004A, {0xAA, 0xBB, 0xCC});
  ASSERT_TRUE(request.ok());
  EXPECT_EQ(request.value(), (Bytes{0x01, 0x23, 0x00, 0x4A, 0x00, 0x03, 0x00, 0x00, 0xAA, 0xBB, 0xCC}));
}

TEST(P2KRequest, KeepsOnlyTheLowTwelveBitsOfTheId) {
  auto request = buildRequest(0xF005, 0x0022, {});
  ASSERT_TRUE(request.ok());
  EXPECT_EQ(request.value(), (Bytes{0x00, 0x05, 0x00, 0x22, 0x00, 0x00, 0x00, 0x00}));
}

TEST(P2KRequest, RefusesArgumentsBeyondTheSixteenBitSize) {
  EXPECT_TRUE(buildRequest(1, 0x004A, Bytes(0xFFFF - 8)).ok());
  EXPECT_FALSE(buildRequest(1, 0x004A, Bytes(0xFFFF - 7)).ok());
}

TEST(P2KPacketId, CountsUpInTwelveBitsAndWraps) {
  EXPECT_EQ(nextPacketId(0), 1);
  EXPECT_EQ(nextPacketId(0x0FFE), 0x0FFF);
  EXPECT_EQ(nextPacketId(0x0FFF), 0);
}

TEST(P2KPoll, TwoBytesMeanNothingWaitsAndEachWaitingMessageBringsItsSize) {
  const Bytes empty{0x00, 0x00};
  EXPECT_FALSE(parsePoll(empty.data(), empty.size()).has_value());
  // Status, count 2, then the sizes 0x000B and 0x0120.
  const Bytes two{0x00, 0x02, 0x00, 0x0B, 0x01, 0x20};
  auto pending = parsePoll(two.data(), two.size());
  ASSERT_TRUE(pending.has_value());
  EXPECT_EQ(pending->sizes, (std::vector<std::uint16_t>{0x000B, 0x0120}));
  // One message per fetch: header 4, its size word 2, the message.
  EXPECT_EQ(pending->fetchLength(), 4u + 2u + 0x0B);
}

// A fetch of one 11-byte message answering packet 7: messages 1, none queued, queued bytes
// 0, message size 0x000B; then id 0x8007, type 0x80 (data) with command byte 0x4A, payload
// length 3, two zero bytes, the payload.
const Bytes kOneMessage{0x01, 0x00, 0x00, 0x00, 0x00, 0x0B, 0x80, 0x07, 0x80,
                        0x4A, 0x00, 0x03, 0x00, 0x00, 0xA1, 0xA2, 0xA3};

TEST(P2KReply, OneMessageFetchGivesItsPayload) {
  auto parsed = parseReply(kOneMessage.data(), kOneMessage.size(), 7);
  ASSERT_TRUE(parsed.ok()) << parsed.error().message;
  ASSERT_TRUE(parsed.value().has_value());
  EXPECT_EQ(parsed.value()->type, 0x8);
  EXPECT_EQ(parsed.value()->payload, (Bytes{0xA1, 0xA2, 0xA3}));
}

TEST(P2KReply, MessageForAnEarlierRequestOrWithoutTheReplyFlagIsNoAnswer) {
  auto stale = parseReply(kOneMessage.data(), kOneMessage.size(), 8);
  ASSERT_TRUE(stale.ok());
  EXPECT_FALSE(stale.value().has_value());
  Bytes noFlag = kOneMessage;
  noFlag[6] = 0x00;
  auto unflagged = parseReply(noFlag.data(), noFlag.size(), 7);
  ASSERT_TRUE(unflagged.ok());
  EXPECT_FALSE(unflagged.value().has_value());
}

TEST(P2KReply, SuccessWithoutPayloadIsAccepted) {
  const Bytes ok{0x01, 0x00, 0x00, 0x00, 0x00, 0x08, 0x80, 0x07, 0x60, 0x4A, 0x00, 0x00, 0x00, 0x00};
  auto parsed = parseReply(ok.data(), ok.size(), 7);
  ASSERT_TRUE(parsed.ok());
  ASSERT_TRUE(parsed.value().has_value());
  EXPECT_TRUE(parsed.value()->payload.empty());
}

TEST(P2KReply, RefusalAndTruncatedMessagesAreErrors) {
  Bytes refused = kOneMessage;
  refused[8] = 0x40;
  EXPECT_FALSE(parseReply(refused.data(), refused.size(), 7).ok());
  Bytes overlong = kOneMessage;
  overlong[11] = 0x04;  // payload length 4 in an 11-byte message
  EXPECT_FALSE(parseReply(overlong.data(), overlong.size(), 7).ok());
  EXPECT_FALSE(parseReply(kOneMessage.data(), kOneMessage.size() - 1, 7).ok());
}

}  // namespace
}  // namespace quillet::usb
