// A whole menu built from a new document with the window's commands alone: softkeys
// replaced and titled, nested submenus, a custom URL item and a custom MIDlet item,
// names in two languages, icons from a path and from the DRM store. Saved through the
// window in both record layouts, the files are read by mmatool and loaded back.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <sstream>

#include "json_value.h"
#include "menu_loader.h"
#include "mmatool.h"
#include "tree_editing_fixture.h"

namespace quillet::ui::testing {
namespace {

using test::Child;
using test::Click;
using test::Pick;
using test::TypeInto;
using testjson::Value;

constexpr int kEnglishUs = 0;  // positions in the name editor's language list
constexpr int kRussian = 34;

struct NameInput {
  int language;
  QString text;
};

class BuildMenuEndToEnd : public TreeEditingTest {
 protected:
  // The depth-first position of the node with this caption.
  int at(const char* caption) const {
    int found = -1;
    window->document().tree.forEach([&](MenuNode& n) {
      if (found < 0 && n.caption == caption) found = indexOf(&n);
    });
    EXPECT_GE(found, 0) << "no node " << caption;
    return found;
  }

  // The name editor adds each name: Add, pick the language, type, Apply; then OK.
  void enterNames(std::vector<NameInput> names) {
    modals.actions["TForm1"] = [names](QDialog& shown) {
      for (const NameInput& name : names) {
        Click(Child<QPushButton>(shown, "TntButton4"));
        Pick(Child<QComboBox>(shown, "TntComboBox1"), name.language);
        TypeInto(Child<QLineEdit>(shown, "TntEdit1"), name.text);
        Click(Child<QPushButton>(shown, "TntButton7"));
      }
      Click(Child<QPushButton>(shown, "TntButton1"));
    };
  }

  // The item settings dialog: `work` on its controls, then OK.
  void thenOk(std::function<void(QDialog&)> work) {
    modals.actions["TOKRightDlg"] = [work](QDialog& shown) {
      work(shown);
      Click(Child<QPushButton>(shown, "OKButton"));
    };
  }

  static void applyIcon(QDialog& shown, int row, const QString& text) {
    TypeInto(Child<QLineEdit>(shown, QStringLiteral("TntEdit%1").arg(row).toLatin1().constData()), text);
    Click(Child<QPushButton>(shown, QStringLiteral("TntButton%1").arg(row + 1).toLatin1().constData()));
  }

  void buildMenu() {
    action("FileNew1")->trigger();

    // Softkeys: two replaced, the left one titled in two languages.
    chooserCommand(1, "Camera", "Replace1");
    chooserCommand(2, "WebAccess", "Replace1");
    enterNames({{kEnglishUs, "Photo"}, {kRussian, QStringLiteral(u"Фото")}});
    thenOk([](QDialog& shown) { Click(Child<QPushButton>(shown, "TntButton6")); });
    treeCommand(at("LSK: Camera"), "MenuItem1");

    // Settings > (Tools > (Calculator, ~1), Sounds), ~2, Games.
    chooserCommand(at("Menu Root"), "Settings", "AddLast1");
    chooserCommand(at("Menu Root"), "Games", "AddLast1");
    chooserCommand(at("Settings"), "Sounds", "AddLast1");
    chooserCommand(at("Settings"), "Tools", "AddFirst1");
    chooserCommand(at("Tools"), "Calculator", "AddLast1");

    modals.actions["TOKRightDlg1"] = [](QDialog& shown) {
      Pick(Child<QComboBox>(shown, "ComboBox1"), 0);
      TypeInto(Child<QLineEdit>(shown, "Edit1"), "http://wap.example.com/news");
      Click(Child<QPushButton>(shown, "OKBtn"));
    };
    thenOk([](QDialog& shown) { Click(Child<QPushButton>(shown, "TntButton1")); });
    chooserCommand(at("Tools"), "Custom item", "AddLast1");

    modals.actions["TOKRightDlg1"] = [](QDialog& shown) {
      Pick(Child<QComboBox>(shown, "ComboBox1"), 1);
      TypeInto(Child<QLineEdit>(shown, "Edit2"), "Opera Mini");
      TypeInto(Child<QLineEdit>(shown, "Edit3"), "Opera");
      TypeInto(Child<QLineEdit>(shown, "Edit4"), "Opera Software");
      Click(Child<QPushButton>(shown, "OKBtn"));
    };
    thenOk([](QDialog& shown) {
      Click(Child<QPushButton>(shown, "TntButton1"));
      applyIcon(shown, 3, "7");
    });
    chooserCommand(at("Games"), "Custom item", "AddBefore2");

    enterNames({{kEnglishUs, "Setup"}, {kRussian, QStringLiteral(u"Настройки")}});
    thenOk([](QDialog& shown) {
      Click(Child<QPushButton>(shown, "TntButton5"));
      applyIcon(shown, 1, "/a/mobile/picture/set.gif");
    });
    treeCommand(at("Settings"), "MenuItem1");

    thenOk([](QDialog& shown) {
      Click(Child<QCheckBox>(shown, "TntCheckBox1"));  // off the lock list
      applyIcon(shown, 2, "300");
    });
    treeCommand(at("Games"), "MenuItem1");
  }

  std::string saveIn(const char* name, const char* layoutButton) {
    Click(find<QRadioButton>(layoutButton));
    const std::string path = pathIn(name);
    saveThroughWindow(path);
    return path;
  }

  static Value dump(const std::string& path) {
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(mmatool::run({"dump", path, "--json"}, out, err), 0) << err.str();
    EXPECT_EQ(err.str(), "");
    return testjson::Parse(out.str());
  }

  // Tree, fields and data of a loaded file against the window's document. Data offsets
  // are where the writer put the data, so they are left out.
  void expectSameAsWindow(const std::string& path) {
    SCOPED_TRACE(path);
    MenuDocument loaded;
    const Result<LoadOutcome> outcome = LoadMenuFileFromPath(path, loaded);
    ASSERT_TRUE(outcome.ok()) << outcome.error().message;
    EXPECT_TRUE(outcome->warnings.empty());
    std::vector<const MenuNode*> built;
    std::vector<const MenuNode*> read;
    window->document().tree.forEach([&](MenuNode& n) { built.push_back(&n); });
    loaded.tree.forEach([&](MenuNode& n) { read.push_back(&n); });
    ASSERT_EQ(built.size(), read.size());
    for (std::size_t i = 0; i < built.size(); ++i) {
      SCOPED_TRACE(built[i]->caption);
      EXPECT_EQ(built[i]->caption, read[i]->caption);
      TMMAItem expected = built[i]->item;
      TMMAItem actual = read[i]->item;
      expected.dataOffset = actual.dataOffset = 0;
      EXPECT_EQ(expected, actual);
      const TMMAItemData* builtData = window->document().ItemStore[expected.slot].get();
      const TMMAItemData* readData = loaded.ItemStore[actual.slot].get();
      ASSERT_EQ(builtData == nullptr, readData == nullptr);
      if (builtData != nullptr) {
        EXPECT_EQ(*builtData, *readData);
      }
    }
    EXPECT_EQ(loaded.DataItemCount, window->document().DataItemCount);
  }
};

const Value& ChildNode(const Value& node, std::size_t i) { return node["children"][i]; }

TEST_F(BuildMenuEndToEnd, MenuBuiltInTheWindowSavesAndLoadsBackInBothLayouts) {
  answer = QMessageBox::Yes;
  buildMenu();
  // No refusal, wrong data or failure on the way.
  for (const MessageRequest& message : messages) ADD_FAILURE() << message.text.toStdString();
  EXPECT_EQ(window->document().DataItemCount, 5);

  const std::string file22 = saveIn("menu22", "RadioButton1");
  const std::string file36 = saveIn("menu36", "RadioButton2");

  for (const auto& [path, recordSize] : {std::pair{file22, 22}, std::pair{file36, 36}}) {
    SCOPED_TRACE(path);
    const Value menu = dump(path);
    EXPECT_EQ(menu["recordSize"].integer(), recordSize);
    EXPECT_EQ(menu["recordCount"].integer(), 17);

    const Value& softkeys = menu["nodes"][0];
    const Value& lsk = ChildNode(softkeys, 0);
    EXPECT_EQ(lsk["caption"].string, "LSK: Camera");
    EXPECT_EQ(lsk["identifier"].string, "Camera");
    ASSERT_EQ(lsk["data"].array.size(), 1u);
    EXPECT_EQ(lsk["data"][0]["block"].string, "softkey titles");
    EXPECT_EQ(lsk["data"][0]["names"][0]["language"].string, "01");
    EXPECT_EQ(lsk["data"][0]["names"][0]["text"].string, "Photo");
    EXPECT_EQ(lsk["data"][0]["names"][1]["language"].string, "23");
    EXPECT_EQ(lsk["data"][0]["names"][1]["text"].string, "Фото");
    EXPECT_EQ(ChildNode(softkeys, 1)["identifier"].string, "WebAccess");
    EXPECT_EQ(ChildNode(softkeys, 2)["identifier"].string, "RecentCall");

    const Value& root = menu["nodes"][1];
    EXPECT_EQ(root["child"].integer(), 10);
    ASSERT_EQ(root["children"].array.size(), 3u);
    const Value& settings = ChildNode(root, 0);
    const Value& midlet = ChildNode(root, 1);
    const Value& games = ChildNode(root, 2);
    EXPECT_EQ(settings["identifier"].string, "Settings");
    EXPECT_EQ(settings["kind"].integer(), 1);
    EXPECT_EQ(settings["parent"].integer(), 9);
    EXPECT_EQ(settings["data"][0]["names"][1]["text"].string, "Настройки");
    EXPECT_EQ(settings["data"][1]["iconKindName"].string, "animated");
    EXPECT_EQ(settings["data"][1]["path"].string, "/a/mobile/picture/set.gif");

    EXPECT_EQ(midlet["identifier"].string, "~2");
    EXPECT_EQ(midlet["kind"].integer(), 6);
    EXPECT_EQ(midlet["flags"].integer(), 0x18);
    std::vector<std::string> texts;
    for (const Value& block : midlet["data"].array)
      if (block.has("text")) texts.push_back(block["text"].string);
    EXPECT_EQ(texts, (std::vector<std::string>{"Opera Mini", "Opera", "Opera Software"}));
    EXPECT_EQ(midlet["data"][3]["block"].string, "list icon drm");
    EXPECT_EQ(midlet["data"][3]["drmIndex"].integer(), 7);

    EXPECT_EQ(games["attributes"].integer(), 0x40);
    EXPECT_EQ(games["data"][0]["block"].string, "static icon drm");
    EXPECT_EQ(games["data"][0]["drmIndex"].integer(), 300);
    EXPECT_EQ(games["next"].integer(), 255);

    const Value& tools = ChildNode(settings, 0);
    EXPECT_EQ(tools["identifier"].string, "Tools");
    EXPECT_EQ(settings["child"].integer(), tools["slot"].integer() - 1);
    EXPECT_EQ(tools["parent"].integer(), settings["slot"].integer() - 1);
    EXPECT_EQ(ChildNode(settings, 1)["identifier"].string, "Sounds");
    EXPECT_EQ(ChildNode(tools, 0)["identifier"].string, "Calculator");
    const Value& url = ChildNode(tools, 1);
    EXPECT_EQ(url["identifier"].string, "~1");
    EXPECT_EQ(url["kind"].integer(), 3);
    EXPECT_EQ(url["data"][0]["text"].string, "http://wap.example.com/news");
    EXPECT_EQ(url["parent"].integer(), tools["slot"].integer() - 1);
  }

  expectSameAsWindow(file22);
  expectSameAsWindow(file36);
}

}  // namespace
}  // namespace quillet::ui::testing
