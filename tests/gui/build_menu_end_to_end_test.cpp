// A whole menu built from a new document with the window's commands alone: softkeys
// replaced and titled, nested submenus, a custom URL item and a custom MIDlet item,
// names in two languages, icons from a path and from the DRM store. Saved through the
// window in both record layouts, the files are read by mmatool and loaded back.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <sstream>

#include <nlohmann/json.hpp>

#include "json_form.h"
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
using Value = menujson::Json;

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
      if (found < 0 && n.caption() == caption) found = indexOf(&n);
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
    return Value::parse(out.str());
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
      SCOPED_TRACE(built[i]->caption());
      EXPECT_EQ(built[i]->caption(), read[i]->caption());
      TMMAItem expected = built[i]->item();
      TMMAItem actual = read[i]->item();
      expected.dataOffset = actual.dataOffset = 0;
      EXPECT_EQ(expected, actual);
      const TMMAItemData* builtData = window->document().StoreEntry(expected.slot);
      const TMMAItemData* readData = loaded.StoreEntry(actual.slot);
      ASSERT_EQ(builtData == nullptr, readData == nullptr);
      if (builtData != nullptr) {
        EXPECT_EQ(*builtData, *readData);
      }
    }
    EXPECT_EQ(loaded.DataItemCount(), window->document().DataItemCount());
  }
};

const Value& ChildNode(const Value& node, std::size_t i) { return node["children"][i]; }

TEST_F(BuildMenuEndToEnd, MenuBuiltInTheWindowSavesAndLoadsBackInBothLayouts) {
  answer = QMessageBox::Yes;
  buildMenu();
  // No refusal, wrong data or failure on the way.
  for (const MessageRequest& message : messages) ADD_FAILURE() << message.text.toStdString();
  EXPECT_EQ(window->document().DataItemCount(), 5);

  const std::string file22 = saveIn("menu22", "RadioButton1");
  const std::string file36 = saveIn("menu36", "RadioButton2");

  for (const auto& [path, recordSize] : {std::pair{file22, 22}, std::pair{file36, 36}}) {
    SCOPED_TRACE(path);
    const Value menu = dump(path);
    EXPECT_EQ(menu["info"]["recordSize"], recordSize);
    EXPECT_EQ(menu["info"]["recordCount"], 17);

    const Value& softkeys = menu["softkeys"];
    const Value& lsk = softkeys.at(0);
    EXPECT_EQ(lsk["caption"], "LSK: Camera");
    EXPECT_EQ(lsk["identifier"], "Camera");
    ASSERT_EQ(lsk["data"].size(), 1u);
    EXPECT_EQ(lsk["data"][0]["block"], "softkey titles");
    EXPECT_EQ(lsk["data"][0]["names"][0]["language"], "01");
    EXPECT_EQ(lsk["data"][0]["names"][0]["text"], "Photo");
    EXPECT_EQ(lsk["data"][0]["names"][1]["language"], "23");
    EXPECT_EQ(lsk["data"][0]["names"][1]["text"], "Фото");
    EXPECT_EQ(softkeys.at(1)["identifier"], "WebAccess");
    EXPECT_EQ(softkeys.at(2)["identifier"], "RecentCall");

    const Value& root = menu["menu"];
    ASSERT_EQ(root.size(), 3u);
    const Value& settings = root[0];
    const Value& midlet = root[1];
    const Value& games = root[2];
    EXPECT_EQ(settings["identifier"], "Settings");
    EXPECT_EQ(settings["kind"], 1);
    EXPECT_EQ(settings["parent"], 9);
    EXPECT_EQ(settings["data"][0]["names"][1]["text"], "Настройки");
    EXPECT_EQ(settings["data"][1]["icon"], "animated");
    EXPECT_EQ(settings["data"][1]["path"], "/a/mobile/picture/set.gif");

    EXPECT_EQ(midlet["identifier"], "~2");
    EXPECT_EQ(midlet["kind"], 6);
    EXPECT_EQ(midlet["flags"], 0x18);
    std::vector<std::string> texts;
    for (const Value& block : midlet["data"])
      if (block.contains("text")) texts.push_back(block["text"].get<std::string>());
    EXPECT_EQ(texts, (std::vector<std::string>{"Opera Mini", "Opera", "Opera Software"}));
    EXPECT_EQ(midlet["data"][3]["block"], "list icon drm");
    EXPECT_EQ(midlet["data"][3]["drmIndex"], 7);

    EXPECT_EQ(games["attributes"], 0x40);
    EXPECT_EQ(games["data"][0]["block"], "static icon drm");
    EXPECT_EQ(games["data"][0]["drmIndex"], 300);
    EXPECT_EQ(games["next"], 255);

    const Value& tools = ChildNode(settings, 0);
    EXPECT_EQ(tools["identifier"], "Tools");
    EXPECT_EQ(settings["child"], tools["slot"].get<int>() - 1);
    EXPECT_EQ(tools["parent"], settings["slot"].get<int>() - 1);
    EXPECT_EQ(ChildNode(settings, 1)["identifier"], "Sounds");
    EXPECT_EQ(ChildNode(tools, 0)["identifier"], "Calculator");
    const Value& url = ChildNode(tools, 1);
    EXPECT_EQ(url["identifier"], "~1");
    EXPECT_EQ(url["kind"], 3);
    EXPECT_EQ(url["data"][0]["text"], "http://wap.example.com/news");
    EXPECT_EQ(url["parent"], tools["slot"].get<int>() - 1);
  }

  expectSameAsWindow(file22);
  expectSameAsWindow(file36);
}

}  // namespace
}  // namespace quillet::ui::testing
