// The interface language: which language a start picks, the remembered choice of
// Help > Language, and the window built under the Russian catalogue.
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>

#include "core_words.h"
#include "custom_type_dialog.h"
#include "interface_language.h"
#include "language_menu.h"
#include "name_editor_dialog.h"
#include "result.h"
#include "save_options.h"
#include "start_arguments.h"
#include "window_fixture.h"

namespace quillet::ui::testing {
namespace {

TEST(InterfaceLanguageTest, TheFirstPreferredLanguageWithACatalogueWins) {
  EXPECT_EQ(LanguageForPreferences({"ru-RU", "en-US"}), "ru");
  EXPECT_EQ(LanguageForPreferences({"de-DE", "ru_UA"}), "ru");
  EXPECT_EQ(LanguageForPreferences({"zh-Hans-CN"}), "zh_CN");
  EXPECT_EQ(LanguageForPreferences({"zh-SG"}), "zh_CN");
  EXPECT_EQ(LanguageForPreferences({"zh"}), "zh_CN");
  // The traditional script has no catalogue: the next preference decides.
  EXPECT_EQ(LanguageForPreferences({"zh-Hant-TW", "ru"}), "ru");
  EXPECT_EQ(LanguageForPreferences({"zh-HK"}), "en");
  EXPECT_EQ(LanguageForPreferences({"en-GB", "ru-RU"}), "en");
  EXPECT_EQ(LanguageForPreferences({"de-DE", "fr"}), "en");
  EXPECT_EQ(LanguageForPreferences({}), "en");
}

TEST(InterfaceLanguageTest, CommandLineNamesTheLanguage) {
  EXPECT_EQ(ReadStartArguments({"quillet", "--lang", "zh_CN", "menu"}).language, "zh_CN");
  EXPECT_EQ(ReadStartArguments({"quillet", "--lang", "zh_CN", "menu"}).file, "menu");
  EXPECT_TRUE(ReadStartArguments({"quillet"}).language.isEmpty());
}

TEST(InterfaceLanguageTest, RememberedChoiceToleratesBadValues) {
  QSettings("Quillet", "Quillet").setValue("interface/language", "klingon");
  EXPECT_EQ(RememberedLanguage(), "");
  QSettings("Quillet", "Quillet").setValue("interface/language", 42);
  EXPECT_EQ(RememberedLanguage(), "");
  RememberLanguage("zh_CN");
  EXPECT_EQ(RememberedLanguage(), "zh_CN");
  RememberLanguage("");
  EXPECT_FALSE(QSettings("Quillet", "Quillet").contains("interface/language"));
}

using LanguageMenuTest = WindowTest;

TEST_F(LanguageMenuTest, ChoosingAnotherLanguageIsRememberedAndSaysWhenItApplies) {
  RememberLanguage("");
  ASSERT_EQ(CurrentInterfaceLanguage(), "en");
  auto* menu = window->findChild<QMenu*>("HelpLanguage");
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->title(), "&Language");
  action("LanguageRu")->trigger();
  EXPECT_EQ(RememberedLanguage(), "ru");
  ASSERT_EQ(messages.size(), 1U);
  EXPECT_EQ(messages[0].text, "The new language applies when Quillet is started again.");
  // The language the window already speaks needs no restart.
  action("LanguageEn")->trigger();
  EXPECT_EQ(RememberedLanguage(), "en");
  EXPECT_EQ(messages.size(), 1U);
  EXPECT_TRUE(action("LanguageEn")->isChecked());
  EXPECT_FALSE(action("LanguageRu")->isChecked());
  RememberLanguage("");
}

class RussianWindowTest : public WindowTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(UseInterfaceLanguage("ru", {QStringLiteral(QUILLET_TRANSLATIONS_DIR)}));
    WindowTest::SetUp();
  }
  void TearDown() override {
    WindowTest::TearDown();
    UseInterfaceLanguage("en", {});
  }
};

TEST_F(RussianWindowTest, MenusAndTheCoresWordsSpeakRussian) {
  EXPECT_EQ(CurrentInterfaceLanguage(), "ru");
  QStringList titles;
  for (QAction* top : window->menuBar()->actions()) {
    titles << top->text();
    // Every entry is translated: none reads as its English source.
    for (QAction* entry : top->menu()->actions()) {
      if (entry->isSeparator()) continue;
      EXPECT_FALSE(entry->text().contains(QRegularExpression("[A-Za-z]{3}")) &&
                   !entry->text().contains(QRegularExpression("[А-Яа-я]")))
          << entry->text().toStdString();
    }
  }
  EXPECT_EQ(titles, QStringList({"&Файл", "&Правка", "&Вид", "&Справка"}));
  EXPECT_TRUE(action("FileOpenItem")->text().startsWith("&Открыть\t"));
  // Qt's own catalogue comes too, for the standard buttons.
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Отмена");
  // An error of the core: the code's sentence in Russian, the core's details after it.
  const Error error{ErrorCode::FileNotReadable, "Cannot read \"x\": no such file.", "x", {}, {}};
  EXPECT_EQ(ErrorWords(error), "Не удалось прочитать файл.\nCannot read \"x\": no such file.");
  const LoadWarning cut{LoadWarningKind::BlockCutShort,
                        "Item \"x\" (record 10): the data block at byte 4 ..."};
  EXPECT_EQ(LoadWarningWords(cut), "Данные пункта обрываются внутри блока данных; остаток отброшен.\n" +
                                       QString::fromStdString(cut.message));
  EXPECT_EQ(PhoneStatusWords("Files found: 12"), "Найдено файлов: 12");
  // A refused Java application: the Russian sentence, then the reader's reason.
  TOKRightDlg1 customType(window.get());
  customType.setPrompter(prompter);
  const std::string jad = writeFile("game.jad", {'M', 'I', 'D', 0, 'x'});
  customType.setFileChooser(
      [&](QWidget*, FileDialogKind, const QString&) { return QString::fromStdString(jad); });
  customType.findChild<QPushButton*>("ChooseJavaApplicationButton")->click();
  ASSERT_EQ(messages.size(), 1U);
  EXPECT_TRUE(messages[0].text.startsWith("Этот файл нельзя использовать как Java-приложение.\nCannot read "))
      << messages[0].text.toStdString();
  EXPECT_TRUE(messages[0].text.contains("game.jad")) << messages[0].text.toStdString();
  EXPECT_EQ(PhoneStatusWords("Getting file list"), "Получение списка файлов");
  // The name editor's languages keep the phone's English names, then the Russian one.
  TForm1 names(window.get());
  auto* languages = names.findChild<QComboBox*>("TntComboBox1");
  EXPECT_EQ(languages->itemText(6), "German — немецкий");
  EXPECT_EQ(languages->itemText(34), "Russian — русский");
}

TEST_F(WindowTest, EnglishKeepsTheCoresOwnWords) {
  const Error error{ErrorCode::FileNotReadable, "Cannot read \"x\": no such file.", "x", {}, {}};
  EXPECT_EQ(ErrorWords(error), "Cannot read \"x\": no such file.");
  EXPECT_EQ(PhoneStatusWords("Files found: 12"), "Files found: 12");
  EXPECT_EQ(LoadWarningWords({LoadWarningKind::BlockDropped, "Item \"x\" (record 10): tag 5 ..."}),
            "Item \"x\" (record 10): tag 5 ...");
  EXPECT_EQ(window->menuBar()->actions()[0]->text(), "&File");
  TForm1 names(window.get());
  EXPECT_EQ(names.findChild<QComboBox*>("TntComboBox1")->itemText(6), "German");
}

}  // namespace
}  // namespace quillet::ui::testing
