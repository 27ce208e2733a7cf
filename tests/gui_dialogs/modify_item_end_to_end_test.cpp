// From a sample file to a saved file through the real dialogs: open an item, change its
// attributes, names, icons and custom type, look at its uninterpreted data, press OK,
// save, and find exactly those changes (and nothing else) in mmatool's dump.
#include <QComboBox>
#include <QTemporaryDir>
#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

#include "blocks_viewer_dialog.h"
#include "custom_type_dialog.h"
#include "dialog_driver.h"
#include "file_io.h"
#include "format.h"
#include "item_editor.h"
#include "item_settings_dialog.h"
#include "menu_bytes.h"
#include "menu_loader.h"
#include "menu_writer.h"
#include "mmatool.h"
#include "name_editor_dialog.h"

namespace quillet::test {
namespace {

using menubytes::Bytes;

// A 36-byte menu: "Settings" with names, an animated icon path, a static DRM index and
// an uninterpreted block; a custom URL item; "Games" without data.
Bytes SampleMenu() {
  const std::uint8_t marker = menubytes::NameMarker(36);
  menubytes::MenuPlan plan;
  menubytes::ItemPlan settings;
  settings.identifier = "Settings";
  settings.data = menubytes::Concat({
      menubytes::MenuNameBlock({{0x23, u"Настройки"}, {0x05, u"设置"}}, marker),
      menubytes::IconPathBlock(kTagIconPath, kIconKindAnimated, u"/a/mobile/picture/set.gif"),
      menubytes::DrmBlock(kTagIconDrmStatic, 0x12, 300),
      menubytes::Block(30, {0x50, 0x32, 0x4B, 0x00, 0x0A}),
  });
  menubytes::ItemPlan custom;
  custom.identifier = "~1";
  custom.kind = 3;
  custom.flags = 0x18;
  custom.attributes = 0x60;
  custom.data = menubytes::UrlBlock("http://wap.example.com/");
  menubytes::ItemPlan games;
  games.identifier = "Games";
  plan.items = {settings, custom, games};
  return menubytes::BuildMenuFile(plan);
}

std::vector<std::string> DumpLines(const std::string& path) {
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(mmatool::run({"dump", path}, out, err), 0) << err.str();
  std::vector<std::string> lines;
  std::istringstream text(out.str());
  // Every line but the file's own name.
  for (std::string line; std::getline(text, line);)
    if (line.rfind("File: ", 0) != 0) lines.push_back(line);
  return lines;
}

std::vector<std::string> Missing(const std::vector<std::string>& from, const std::vector<std::string>& in) {
  std::vector<std::string> missing;
  const std::multiset<std::string> present(in.begin(), in.end());
  for (const std::string& line : from)
    if (!present.count(line)) missing.push_back(line);
  return missing;
}

class ModifyItemEndToEnd : public ::testing::Test {
 protected:
  ModifyItemEndToEnd() {
    dialog.SetCompanions(&nameEditor, &customType, &viewer);
    dialog.setPrompter(prompts);
    nameEditor.setPrompter(prompts);
    customType.setPrompter(prompts);
  }

  std::string Write(const char* name, const Bytes& bytes) {
    const std::string path = dir.filePath(name).toStdString();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
  }
  // "Modify item" on the node at the absolute index, as the window runs it.
  bool Modify(int absoluteIndex) {
    MenuNode* node = doc.tree.nodeAt(absoluteIndex);
    EXPECT_NE(node, nullptr);
    const bool ok = dialog.EditItem(doc.ItemData(*node), node->item().kind, node->item().flags,
                                    node->item().attributes, absoluteIndex < kMenuRootNodeIndex);
    if (ok) doc.StoreEditedItem(*node, dialog.Editor().StoreItem());
    return ok;
  }
  std::string Save(const char* name) {
    SaveOptions options;
    options.saveAllData = true;
    const std::string path = dir.filePath(name).toStdString();
    const Status saved = SaveMenuFile(path, doc, options);
    EXPECT_TRUE(saved.ok()) << (saved.ok() ? "" : saved.error().message);
    return path;
  }

  QTemporaryDir dir;
  TestPrompter prompts;
  MessageRecorder& messages = prompts.messages;
  ModalScript& modals = prompts.modals;
  ui::TForm1 nameEditor;
  ui::TOKRightDlg1 customType;
  ui::TForm2 viewer;
  ui::TOKRightDlg dialog;
  MenuDocument doc;
};

TEST_F(ModifyItemEndToEnd, EditedItemSavesExactlyItsChanges) {
  const std::string original = Write("original", SampleMenu());
  ASSERT_TRUE(LoadMenuFileFromPath(original, doc).ok());
  const std::vector<std::string> before = DumpLines(original);

  QString seenInViewer;
  modals.actions["TForm2"] = [&](QDialog& shown) {
    seenInViewer = Child<QLineEdit>(shown, "Edit1")->text() + "/" + Child<QLineEdit>(shown, "Edit2")->text();
    Click(Child<QPushButton>(shown, "Button1"));
  };
  modals.actions["TForm1"] = [&](QDialog& shown) {
    Click(Child<QPushButton>(shown, "TntButton4"));
    Pick(Child<QComboBox>(shown, "TntComboBox1"), 0);
    TypeInto(Child<QLineEdit>(shown, "TntEdit1"), "Settings");
    Click(Child<QPushButton>(shown, "TntButton7"));
    Click(Child<QPushButton>(shown, "TntButton1"));
  };
  modals.actions["TOKRightDlg"] = [&](QDialog& shown) {
    Click(Child<QCheckBox>(shown, "TntCheckBox1"));  // 0x41 -> 0x40
    Click(Child<QPushButton>(shown, "TntButton5"));  // names
    TypeInto(Child<QLineEdit>(shown, "TntEdit3"), "/a/mobile/picture/list.gif");
    Click(Child<QPushButton>(shown, "TntButton4"));  // list icon path
    TypeInto(Child<QLineEdit>(shown, "TntEdit2"), "");
    Click(Child<QPushButton>(shown, "TntButton3"));  // static icon removed
    Click(Child<QPushButton>(shown, "TntButton7"));  // look, change nothing
    Click(Child<QPushButton>(shown, "OKButton"));
  };
  ASSERT_TRUE(Modify(kFirstMenuNodeIndex));
  EXPECT_EQ(seenInViewer, "1E/5");
  EXPECT_TRUE(messages.requests.empty());

  const std::vector<std::string> after = DumpLines(Save("saved"));
  const std::vector<std::string> removed = Missing(before, after);
  const std::vector<std::string> added = Missing(after, before);
  ASSERT_EQ(removed.size(), 3u) << ::testing::PrintToString(removed);
  ASSERT_EQ(added.size(), 3u) << ::testing::PrintToString(added);
  EXPECT_NE(removed[0].find("\"Settings\" id=\"Settings\" kind=0 flags=0x00 attributes=0x41"),
            std::string::npos);
  EXPECT_NE(added[0].find("\"Settings\" id=\"Settings\" kind=0 flags=0x08 attributes=0x40"),
            std::string::npos);
  EXPECT_NE(removed[1].find("menu names"), std::string::npos);
  EXPECT_NE(added[1].find("01 \"Settings\""), std::string::npos);
  EXPECT_NE(added[1].find("23 \"Настройки\", 05 \"设置\""), std::string::npos);
  EXPECT_NE(removed[2].find("static icon drm"), std::string::npos);
  EXPECT_NE(added[2].find("list (2) \"/a/mobile/picture/list.gif\""), std::string::npos);
}

TEST_F(ModifyItemEndToEnd, CancelSavesTheFileUnchanged) {
  const std::string original = Write("original", SampleMenu());
  ASSERT_TRUE(LoadMenuFileFromPath(original, doc).ok());
  modals.actions["TForm1"] = [&](QDialog& shown) {
    Click(Child<QPushButton>(shown, "TntButton4"));
    Pick(Child<QComboBox>(shown, "TntComboBox1"), 0);
    TypeInto(Child<QLineEdit>(shown, "TntEdit1"), "Lost");
    Click(Child<QPushButton>(shown, "TntButton7"));
    Click(Child<QPushButton>(shown, "TntButton1"));
  };
  modals.actions["TOKRightDlg"] = [&](QDialog& shown) {
    Click(Child<QPushButton>(shown, "TntButton5"));
    TypeInto(Child<QLineEdit>(shown, "TntEdit1"), "7");
    Click(Child<QPushButton>(shown, "TntButton2"));
    Click(Child<QPushButton>(shown, "CanclButton"));
  };
  EXPECT_FALSE(Modify(kFirstMenuNodeIndex));
  EXPECT_EQ(DumpLines(Save("saved")), DumpLines(original));
}

TEST_F(ModifyItemEndToEnd, CustomItemTurnsIntoAMidlet) {
  const std::string original = Write("original", SampleMenu());
  ASSERT_TRUE(LoadMenuFileFromPath(original, doc).ok());
  const std::vector<std::string> before = DumpLines(original);
  messages.answers = {QMessageBox::Yes};
  modals.actions["TOKRightDlg1"] = [&](QDialog& shown) {
    Pick(Child<QComboBox>(shown, "ComboBox1"), 1);
    TypeInto(Child<QLineEdit>(shown, "Edit2"), "Opera Mini");
    TypeInto(Child<QLineEdit>(shown, "Edit3"), "Opera");
    TypeInto(Child<QLineEdit>(shown, "Edit4"), "Opera Software");
    Click(Child<QPushButton>(shown, "OKBtn"));
  };
  modals.actions["TOKRightDlg"] = [&](QDialog& shown) {
    Click(Child<QPushButton>(shown, "TntButton1"));
    Click(Child<QPushButton>(shown, "OKButton"));
  };
  ASSERT_TRUE(Modify(kFirstMenuNodeIndex + 1));
  const std::vector<std::string> after = DumpLines(Save("saved"));
  const std::vector<std::string> removed = Missing(before, after);
  const std::vector<std::string> added = Missing(after, before);
  ASSERT_EQ(removed.size(), 2u) << ::testing::PrintToString(removed);
  ASSERT_EQ(added.size(), 4u) << ::testing::PrintToString(added);
  EXPECT_NE(removed[0].find("kind=3 flags=0x18 attributes=0x60"), std::string::npos);
  EXPECT_NE(added[0].find("\"~1\" id=\"~1\" kind=6 flags=0x18 attributes=0x60"), std::string::npos);
  EXPECT_NE(removed[1].find("url"), std::string::npos);
  EXPECT_NE(added[1].find("\"Opera Mini\""), std::string::npos);
  EXPECT_NE(added[2].find("\"Opera\""), std::string::npos);
  EXPECT_NE(added[3].find("\"Opera Software\""), std::string::npos);
}

}  // namespace
}  // namespace quillet::test
