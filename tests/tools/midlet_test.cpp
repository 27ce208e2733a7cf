// mmatool midlet: the three texts of a Java application, from the manifest of its .jar or
// from its .jad, and the one-line refusals of damaged and foreign files. Every archive and
// descriptor is built here.
#include <gtest/gtest.h>

#include <algorithm>

#include <nlohmann/json.hpp>

#include "java_archive.h"
#include "json_text.h"
#include "tool_harness.h"

namespace quillet::testtools {
namespace {

using test::ArchiveEntry;
using test::BuildArchive;
using test::TextBytes;

// CR LF lines, a vendor continued in the middle of a word, and an entry section after the
// empty line whose MIDlet-Name describes a class, not the suite.
const std::string kManifest =
    "Manifest-Version: 1.0\r\n"
    "MIDlet-Name: Snake Deluxe\r\n"
    "MIDlet-Vendor: Example Games of Spring\r\n"
    " field Ltd\r\n"
    "MIDlet-1: Snake, /icons/snake.png, com.example.Snake\r\n"
    "MIDlet-Version: 1.2\r\n"
    "\r\n"
    "Name: com/example/Snake.class\r\n"
    "MIDlet-Name: Not the suite\r\n";

Bytes Jar(const std::string& manifest, bool deflated = true) {
  return BuildArchive(
      {{"META-INF/MANIFEST.MF", manifest, deflated}, {"com/example/Snake.class", "\xCA\xFE\xBA\xBE"}});
}

// A valid manifest that unpacks to more than the reader takes: a small archive.
std::string HugeManifest() {
  std::string text = "MIDlet-Name: Bomb\nMIDlet-Vendor: Nobody\nMIDlet-1: Bomb, , com.example.Bomb\n";
  for (int i = 0; text.size() <= 300 * 1024; ++i) {
    text += "X-Filler-" + std::to_string(i) + ": " + std::string(60, 'a') + "\n";
  }
  return text;
}

// Rewrites a little-endian 32-bit field of a zip header.
void Put32(Bytes& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// The huge manifest's archive with every size field saying 100 bytes.
Bytes LyingJar() {
  Bytes bytes = BuildArchive({{"META-INF/MANIFEST.MF", HugeManifest()}});
  Put32(bytes, 22, 100);  // the local header's unpacked size
  const std::string central = "PK\x01\x02";
  const auto at = std::search(bytes.begin(), bytes.end(), central.begin(), central.end());
  EXPECT_NE(at, bytes.end());
  Put32(bytes, static_cast<std::size_t>(at - bytes.begin()) + 24, 100);  // the central directory's
  return bytes;
}

TEST(Midlet, ReadsTheThreeTextsFromAJarsManifest) {
  ScratchDir dir;
  const auto run = RunTool({"midlet", dir.write("snake.jar", Jar(kManifest))});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out,
            "Application name: Snake Deluxe\n"
            "MIDlet name: Snake\n"
            "MIDlet vendor: Example Games of Springfield Ltd\n");
}

TEST(Midlet, ReadsADescriptorFromStandardInputAndPicksAMidlet) {
  // A byte order mark, LF lines, an empty line, blanks around values, Latin-1 beyond ASCII.
  const std::string jad =
      "\xEF\xBB\xBFMIDlet-Name: Caf\xC3\xA9 Racer  \n"
      "MIDlet-Vendor:\tRoad Works\n"
      "\n"
      "MIDlet-Jar-URL: racer.jar\n"
      "MIDlet-1: Track One, , com.example.One\n"
      "MIDlet-2:  Track Two ,/two.png, com.example.Two\n"
      "MIDlet-4: Never Listed, , com.example.Four\n";
  const auto first = RunTool({"midlet", "-"}, jad);
  EXPECT_EQ(first.status, 0) << first.err;
  EXPECT_EQ(first.out,
            "Application name: Caf\xC3\xA9 Racer\nMIDlet name: Track One\nMIDlet vendor: Road Works\n");
  const auto second = RunTool({"midlet", "--midlet", "2", "-"}, jad);
  EXPECT_EQ(second.out,
            "Application name: Caf\xC3\xA9 Racer\nMIDlet name: Track Two\nMIDlet vendor: Road Works\n");
  // MIDlet-3 is missing, so the list ends before MIDlet-4.
  const auto fourth = RunTool({"midlet", "-", "--midlet=4"}, jad);
  EXPECT_EQ(fourth.status, 1);
  EXPECT_EQ(fourth.err,
            "mmatool: Cannot read \"standard input\" as a Java application: it has no MIDlet-4 attribute.\n");
}

TEST(Midlet, JsonGivesTheTextsAndEveryMidlet) {
  ScratchDir dir;
  // Lines ended by CR alone.
  const std::string jad =
      "MIDlet-Name: Pair\rMIDlet-Vendor: Two Co\rMIDlet-1: Left, /l.png, a.L\rMIDlet-2: Right, , a.R\r";
  const auto run = RunTool({"midlet", dir.write("pair.jad", TextBytes(jad)), "--json"});
  ASSERT_EQ(run.status, 0) << run.err;
  const auto json = menujson::ParseJsonText(run.out);
  ASSERT_TRUE(json) << run.out;
  EXPECT_EQ(json.value(), menujson::Json::parse(R"({"applicationName": "Pair", "midletName": "Left",
      "midletVendor": "Two Co", "midlets": [{"name": "Left", "icon": "/l.png", "class": "a.L"},
      {"name": "Right", "icon": "", "class": "a.R"}]})"));
}

TEST(Midlet, RefusesDamagedAndForeignFilesWithOneLineNamingThem) {
  Bytes truncated = Jar(kManifest);
  truncated.resize(truncated.size() / 2);
  Bytes badSum = Jar(kManifest, false);  // stored, so the text can be spoilt in place
  const std::string name = "Snake Deluxe";
  const auto at = std::search(badSum.begin(), badSum.end(), name.begin(), name.end());
  ASSERT_NE(at, badSum.end());
  *at = 'C';
  const std::string noVendor = "MIDlet-Name: Snake\nMIDlet-1: Snake, , a.S\n";
  const struct {
    const char* file;
    Bytes bytes;
    const char* reason;
  } cases[] = {
      {"truncated.jar", truncated, "it is not a readable Java archive (Not a zip archive)."},
      {"badsum.jar", badSum, "its META-INF/MANIFEST.MF is damaged (CRC error)."},
      {"plain.zip", BuildArchive({{"readme.txt", "hello"}}),
       "it holds no META-INF/MANIFEST.MF, so it is no Java"},
      {"bomb.jar", BuildArchive({{"META-INF/MANIFEST.MF", HugeManifest()}}), "unpacks to more than 256 KiB"},
      {"lying.jar", LyingJar(), "unpacks to more than 256 KiB"},
      {"continued.jar", Jar(" MIDlet-Name: X\n"), "is damaged: line 1 continues no attribute."},
      {"nomidlet.jar", Jar("MIDlet-Name: A\nMIDlet-Vendor: B\n"),
       "it has no MIDlet-1 attribute, so it names no"},
      {"picture.jad", TextBytes(std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16)), "it holds a zero byte"},
      {"latin1.jad", TextBytes("MIDlet-Name: Caf\xE9\n"), "it is not UTF-8 text."},
      {"notes.jad", TextBytes("MIDlet-Name: A\nShopping list\n"), "line 2 is not an attribute line"},
      {"empty.jad", {}, "it has no MIDlet-Name attribute."},
      {"novendor.jad", TextBytes(noVendor), "it has no MIDlet-Vendor attribute."},
      {"twofields.jad", TextBytes("MIDlet-Name: A\nMIDlet-Vendor: B\nMIDlet-1: A, a.A\n"),
       "its MIDlet-1 is not of the form \"name, icon, class\"."},
      {"twice.jad", TextBytes(noVendor + "midlet-name: Again\n"),
       "line 3 gives the attribute midlet-name a second"},
  };
  ScratchDir dir;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string file = dir.write(c.file, c.bytes);
    const auto run = RunTool({"midlet", file});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    const std::string start = "mmatool: Cannot read \"" + file + "\" as a Java application: ";
    EXPECT_EQ(run.err.rfind(start, 0), 0u) << run.err;
    EXPECT_NE(run.err.find(c.reason, start.size()), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
  }
  const auto missing = RunTool({"midlet", dir.path("missing.jar")});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("missing.jar"), std::string::npos) << missing.err;
}

TEST(Midlet, RefusesTextsTheMenuCannotStoreAsTheDialogDoes) {
  const std::string suite =
      "MIDlet-Vendor: V\nMIDlet-1: One, , a.One\nMIDlet-2: \xD0\x97\xD0\xBC\xD0\xB5\xD0\xB9, , a.Two\n";
  const auto longest = RunTool({"midlet", "-"}, "MIDlet-Name: " + std::string(255, 'n') + "\n" + suite);
  EXPECT_EQ(longest.status, 0) << longest.err;
  const auto tooLong = RunTool({"midlet", "-"}, "MIDlet-Name: " + std::string(256, 'n') + "\n" + suite);
  EXPECT_EQ(tooLong.status, 1);
  EXPECT_NE(tooLong.err.find(": MIDlet-Name is 256 characters long; it can be at most 255 characters.\n"),
            std::string::npos)
      << tooLong.err;
  // The Cyrillic name of MIDlet-2 matters only when it is the one asked for.
  const auto cyrillic = RunTool({"midlet", "-", "--midlet", "2"}, "MIDlet-Name: N\n" + suite);
  EXPECT_EQ(cyrillic.status, 1);
  EXPECT_NE(
      cyrillic.err.find(": The name in MIDlet-2 holds the character U+0417, which the menu cannot store"),
      std::string::npos)
      << cyrillic.err;
}

TEST(Midlet, BadUsageExitsTwo) {
  const std::vector<std::vector<std::string>> bad = {
      {"midlet"},
      {"midlet", "a.jad", "b.jad"},
      {"midlet", "a.jad", "--midlet"},
      {"midlet", "a.jad", "--midlet", "0"},
      {"midlet", "a.jad", "--midlet", "two"},
      {"midlet", "a.jad", "--layout", "22"},
  };
  for (const auto& args : bad) {
    SCOPED_TRACE(args.back());
    const auto run = RunTool(args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("usage: mmatool info FILE"), std::string::npos) << run.err;
  }
}

}  // namespace
}  // namespace quillet::testtools
