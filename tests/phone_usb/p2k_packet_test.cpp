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
  EXPECT_EQ(request.value(),
            (Bytes{0x01, 0x23, 0x00, 0x4A, 0x00, 0x03, 0x00, 0x00, 0xAA, 0xBB, 0xCC}));
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

// One packet as it stands in a reply: id word, type byte, command byte 0x4A, payload
// length, two zero bytes, payload.
// Appends a big-endian 16-bit number.
void put16(Bytes& out, std::size_t value) {
  out.push_back(static_cast<std::uint8_t>(value >> 8));
  out.push_back(static_cast<std::uint8_t>(value));
}

Bytes packet(std::uint16_t idWord, std::uint8_t typeByte, const Bytes& payload,
             std::uint16_t length) {
  Bytes p;
  put16(p, idWord);
  p.push_back(typeByte);
  p.push_back(0x4A);
  put16(p, length);
  put16(p, 0);
  for (std::uint8_t b : payload) p.push_back(b);
  return p;
}

// count, size, one word per packet, the packets.
Bytes replyOf(const std::vector<Bytes>& packets) {
  std::size_t size = 0;
  for (const Bytes& p : packets) size += p.size();
  Bytes reply;
  put16(reply, packets.size());
  put16(reply, size);
  for (std::size_t i = 0; i < packets.size(); ++i) put16(reply, 0);
  for (const Bytes& p : packets)
    for (std::uint8_t b : p) reply.push_back(b);
  return reply;
}

TEST(P2KReply, SinglePacketHasItsIdAtSixTypeAtEightAndPayloadAtFourteen) {
  const Bytes reply = replyOf({packet(0x8007, 0x80, {1, 2, 3}, 3)});
  ASSERT_EQ(reply.size(), 17u);
  EXPECT_EQ(reply[6], 0x80);
  EXPECT_EQ(reply[7], 0x07);
  EXPECT_EQ(reply[14], 1);
  auto parsed = parseReply(reply.data(), reply.size(), 7);
  ASSERT_TRUE(parsed.ok()) << parsed.error().message;
  ASSERT_TRUE(parsed.value().has_value());
  EXPECT_EQ(parsed.value()->type, 0x8);
  EXPECT_EQ(parsed.value()->payload, (Bytes{1, 2, 3}));
}

TEST(P2KReply, AcceptsSuccessWithoutPayload) {
  const Bytes reply = replyOf({packet(0x8007, 0x60, {}, 0)});
  auto parsed = parseReply(reply.data(), reply.size(), 7);
  ASSERT_TRUE(parsed.ok());
  ASSERT_TRUE(parsed.value().has_value());
  EXPECT_TRUE(parsed.value()->payload.empty());
}

TEST(P2KReply, SkipsPacketsThatAnswerEarlierRequests) {
  const Bytes both = replyOf({packet(0x8006, 0x80, {9, 9}, 2), packet(0x8007, 0x80, {5}, 1)});
  auto parsed = parseReply(both.data(), both.size(), 7);
  ASSERT_TRUE(parsed.ok()) << parsed.error().message;
  ASSERT_TRUE(parsed.value().has_value());
  EXPECT_EQ(parsed.value()->payload, Bytes{5});
  const Bytes staleOnly = replyOf({packet(0x8006, 0x80, {9}, 1)});
  auto stale = parseReply(staleOnly.data(), staleOnly.size(), 7);
  ASSERT_TRUE(stale.ok());
  EXPECT_FALSE(stale.value().has_value());
}

TEST(P2KReply, RejectsUnknownTypeAndTruncatedPackets) {
  const Bytes refused = replyOf({packet(0x8007, 0x40, {}, 0)});
  EXPECT_FALSE(parseReply(refused.data(), refused.size(), 7).ok());
  const Bytes overlong = replyOf({packet(0x8007, 0x80, {1, 2}, 5)});
  EXPECT_FALSE(parseReply(overlong.data(), overlong.size(), 7).ok());
  const Bytes whole = replyOf({packet(0x8007, 0x80, {1}, 1)});
  EXPECT_FALSE(parseReply(whole.data(), 13, 7).ok());
}

TEST(P2KReply, PacketWithoutTheReplyFlagIsNoAnswer) {
  const Bytes noFlag = replyOf({packet(0x0007, 0x80, {1}, 1)});
  auto parsed = parseReply(noFlag.data(), noFlag.size(), 7);
  ASSERT_TRUE(parsed.ok());
  EXPECT_FALSE(parsed.value().has_value());
}

}  // namespace
}  // namespace quillet::usb
