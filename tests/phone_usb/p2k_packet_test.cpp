// Framing of requests and replies, checked against bytes written out by hand from the
// protocol's rules.
#include <gtest/gtest.h>

#include "p2k_packet.h"

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

TEST(P2KPoll, NothingWaitsUntilMoreThanTwoBytesCome) {
  const Bytes empty{0x00, 0x00};
  EXPECT_FALSE(parsePoll(empty.data(), empty.size()).has_value());
  const Bytes waiting{0x00, 0x01, 0x00, 0x0C};
  auto pending = parsePoll(waiting.data(), waiting.size());
  ASSERT_TRUE(pending.has_value());
  EXPECT_EQ(pending->count, 1);
  EXPECT_EQ(pending->size, 12);
  EXPECT_EQ(pending->fetchLength(), 2u * 1 + 12 + 4);
}

// count 1, size 8 + 3, per-packet word, id 0x8007, type 0x8 command 0x04A, length 3,
// two bytes, payload.
Bytes replyFor(std::uint16_t idWord, std::uint8_t typeByte, Bytes payload, std::uint16_t length) {
  Bytes reply{0x00, 0x01, 0x00, static_cast<std::uint8_t>(8 + payload.size()), 0x00, 0x00,
              static_cast<std::uint8_t>(idWord >> 8), static_cast<std::uint8_t>(idWord), typeByte,
              0x4A, static_cast<std::uint8_t>(length >> 8), static_cast<std::uint8_t>(length),
              0x00, 0x00};
  reply.insert(reply.end(), payload.begin(), payload.end());
  return reply;
}

TEST(P2KReply, CutsThePayloadAtOffsetFourteen) {
  const Bytes reply = replyFor(0x8007, 0x80, {1, 2, 3}, 3);
  auto packet = parseReply(reply.data(), reply.size(), 7);
  ASSERT_TRUE(packet.ok()) << packet.error().message;
  EXPECT_EQ(packet->type, 0x8);
  EXPECT_EQ(packet->payload, (Bytes{1, 2, 3}));
}

TEST(P2KReply, AcceptsSuccessWithoutPayload) {
  const Bytes reply = replyFor(0x8007, 0x60, {}, 0);
  auto packet = parseReply(reply.data(), reply.size(), 7);
  ASSERT_TRUE(packet.ok());
  EXPECT_TRUE(packet->payload.empty());
}

TEST(P2KReply, RejectsWrongIdMissingFlagUnknownTypeAndShortPayload) {
  const Bytes otherId = replyFor(0x8008, 0x80, {1}, 1);
  EXPECT_FALSE(parseReply(otherId.data(), otherId.size(), 7).ok());
  const Bytes noFlag = replyFor(0x0007, 0x80, {1}, 1);
  EXPECT_FALSE(parseReply(noFlag.data(), noFlag.size(), 7).ok());
  const Bytes refused = replyFor(0x8007, 0x40, {}, 0);
  EXPECT_FALSE(parseReply(refused.data(), refused.size(), 7).ok());
  const Bytes truncated = replyFor(0x8007, 0x80, {1, 2}, 5);
  EXPECT_FALSE(parseReply(truncated.data(), truncated.size(), 7).ok());
  EXPECT_FALSE(parseReply(truncated.data(), 13, 7).ok());
}

}  // namespace
}  // namespace quillet::usb
