// The name editor: its list, the Add / Edit / Delete / Apply states, the 12-row rule,
// language IDs and the cases a person can reach with no row selected.
#include "name_editor_dialog.h"

#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTreeWidget>

#include "dialog_driver.h"
#include "language_tables.h"

namespace quillet::test {
namespace {

constexpr int kSpanish = 9;       // "0A"
constexpr int kJapanese = 24;     // "19"
constexpr int kBahasaMalay = 46;  // "2F"

std::vector<NameRow> RowsOf(int count) {
  std::vector<NameRow> rows;
  for (int i = 0; i < count; ++i) {
    const std::u16string name = u"Name " + std::u16string(1, static_cast<char16_t>(u'A' + i));
    std::string caption = "#";  // appended, not "#" + ..., which GCC 12 misreads at -O3
    caption += std::to_string(i + 1);
    rows.push_back({caption, "01", name, 1});
  }
  return rows;
}

class NameEditorTest : public ::testing::Test {
 protected:
  NameEditorTest() { form.setPrompter(prompts); }
  void Open(const std::vector<NameRow>& rows) {
    form.SetRows(rows);
    form.show();
  }
  QPushButton* Button(const char* name) { return Child<QPushButton>(form, name); }
  QTreeWidget* List() { return Child<QTreeWidget>(form, "TntListView1"); }
  QComboBox* Selector() { return Child<QComboBox>(form, "TntComboBox1"); }
  QLineEdit* NameEdit() { return Child<QLineEdit>(form, "TntEdit1"); }
  void SelectRow(int row) {
    const QRect rect = List()->visualItemRect(List()->topLevelItem(row));
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, rect.center());
    ASSERT_TRUE(List()->topLevelItem(row)->isSelected());
  }
  void AddName(int language, const QString& name) {
    Click(Button("TntButton4"));
    Pick(Selector(), language);
    TypeInto(NameEdit(), name);
    Click(Button("TntButton7"));
  }
  std::vector<std::string> Column(int column) {
    std::vector<std::string> texts;
    for (int i = 0; i < List()->topLevelItemCount(); ++i)
      texts.push_back(List()->topLevelItem(i)->text(column).toStdString());
    return texts;
  }
  void ExpectIdle() {
    EXPECT_FALSE(Selector()->isEnabled());
    EXPECT_FALSE(NameEdit()->isEnabled());
    EXPECT_FALSE(Button("TntButton7")->isEnabled());
    EXPECT_FALSE(form.EditingName);
  }

  TestPrompter prompts;
  MessageRecorder& messages = prompts.messages;
  ui::TForm1 form;
};

TEST_F(NameEditorTest, ColumnsAndLanguageSelector) {
  Open({});
  EXPECT_EQ(form.windowTitle(), "Name settings");
  QTreeWidgetItem* header = List()->headerItem();
  EXPECT_EQ(List()->columnCount(), 3);
  EXPECT_EQ(header->text(0), "No.");
  EXPECT_EQ(header->text(1), "Language ID");
  EXPECT_EQ(header->text(2), "Name");
  ASSERT_EQ(Selector()->count(), 47);
  EXPECT_EQ(Selector()->itemText(0), "English US");
  EXPECT_EQ(Selector()->itemText(kSpanish), "Spanish");
  EXPECT_EQ(Selector()->itemText(46), "Bahasa Malay");
  ExpectIdle();
}

TEST_F(NameEditorTest, TheSelectorShowsEveryLanguageWholeAndItsListScrolls) {
  Open({});
  QComboBox* selector = Selector();
  QStyleOptionComboBox option;
  option.initFrom(selector);
  const QRect field =
      selector->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, selector);
  for (int i = 0; i < selector->count(); ++i) {
    EXPECT_LE(selector->fontMetrics().horizontalAdvance(selector->itemText(i)), field.width()) << i;
  }
  selector->setEnabled(true);
  selector->showPopup();
  const int rows = selector->view()->viewport()->height() / selector->view()->sizeHintForRow(0);
  EXPECT_GE(rows, 12);
  EXPECT_LE(rows, 16);
  selector->hidePopup();
}

TEST_F(NameEditorTest, EmptyListOffersOnlyAdd) {
  Open({});
  EXPECT_TRUE(Button("TntButton4")->isEnabled());
  EXPECT_FALSE(Button("TntButton5")->isEnabled());
  EXPECT_FALSE(Button("TntButton6")->isEnabled());
}

TEST_F(NameEditorTest, TwelveRowsDisableAddUntilOneIsDeleted) {
  Open(RowsOf(12));
  EXPECT_FALSE(Button("TntButton4")->isEnabled());
  EXPECT_TRUE(Button("TntButton5")->isEnabled());
  SelectRow(3);
  Click(Button("TntButton6"));
  EXPECT_EQ(List()->topLevelItemCount(), 11);
  EXPECT_TRUE(Button("TntButton4")->isEnabled());
}

TEST_F(NameEditorTest, AddingTheTwelfthNameDisablesAdd) {
  Open(RowsOf(11));
  EXPECT_TRUE(Button("TntButton4")->isEnabled());
  AddName(kSpanish, "Doce");
  EXPECT_EQ(List()->topLevelItemCount(), 12);
  EXPECT_FALSE(Button("TntButton4")->isEnabled());
}

TEST_F(NameEditorTest, AddShowsLanguageIdAndNumbersTheRow) {
  Open(RowsOf(1));
  Click(Button("TntButton4"));
  EXPECT_TRUE(Selector()->isEnabled());
  EXPECT_FALSE(NameEdit()->isEnabled());
  EXPECT_TRUE(Selector()->view()->isVisible());  // the list opens so a language comes first
  Pick(Selector(), kSpanish);
  EXPECT_TRUE(NameEdit()->isEnabled());
  EXPECT_TRUE(Button("TntButton7")->isEnabled());
  TypeInto(NameEdit(), QString::fromUtf16(u"Teléfono"));
  Click(Button("TntButton7"));
  AddName(kBahasaMalay, "Telefon");
  EXPECT_EQ(Column(0), (std::vector<std::string>{"#1", "#2", "#3"}));
  EXPECT_EQ(Column(1), (std::vector<std::string>{"01", "0A", "2F"}));
  const std::vector<NameRow> rows = form.Rows();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[1].name, u"Teléfono");
  EXPECT_EQ(rows[1].language, 10);
  EXPECT_EQ(rows[2].language, 47);
  ExpectIdle();
}

TEST_F(NameEditorTest, ApplyWithEmptyTextAddsNothingAndAddStillAdds) {
  Open(RowsOf(2));
  Click(Button("TntButton4"));
  Pick(Selector(), 3);
  Click(Button("TntButton7"));
  EXPECT_EQ(List()->topLevelItemCount(), 2);
  ExpectIdle();
  // Edit, then an empty Apply, then Add: the next name is a new row.
  SelectRow(0);
  Click(Button("TntButton5"));
  TypeInto(NameEdit(), "");
  Click(Button("TntButton7"));
  EXPECT_EQ(Column(2), (std::vector<std::string>{"Name A", "Name B"}));
  AddName(4, "Third");
  EXPECT_EQ(Column(2), (std::vector<std::string>{"Name A", "Name B", "Third"}));
}

TEST_F(NameEditorTest, AddAfterAnUnappliedEditAddsARow) {
  Open(RowsOf(2));
  SelectRow(1);
  Click(Button("TntButton5"));
  AddName(5, "New");
  EXPECT_EQ(Column(2), (std::vector<std::string>{"Name A", "Name B", "New"}));
}

TEST_F(NameEditorTest, DeleteRenumbersTheRows) {
  Open(RowsOf(3));
  SelectRow(1);
  Click(Button("TntButton6"));
  EXPECT_EQ(Column(0), (std::vector<std::string>{"#1", "#2"}));
  EXPECT_EQ(Column(2), (std::vector<std::string>{"Name A", "Name C"}));
  EXPECT_FALSE(Selector()->isEnabled());
  EXPECT_EQ(Selector()->currentIndex(), -1);
  EXPECT_FALSE(NameEdit()->isEnabled());
}

TEST_F(NameEditorTest, EditChangesTheSelectedRowInPlace) {
  std::vector<NameRow> rows = RowsOf(3);
  rows[1] = {"#2", "19", u"電話", kJapanese + 1};
  Open(rows);
  SelectRow(1);
  Click(Button("TntButton5"));
  EXPECT_TRUE(form.EditingName);
  EXPECT_EQ(Selector()->currentIndex(), kJapanese);
  EXPECT_EQ(form.CurrentLanguage, kJapanese);
  EXPECT_EQ(NameEdit()->text(), QString::fromUtf16(u"電話"));
  Pick(Selector(), 4);  // Chinese Simple: the name stays while editing
  EXPECT_EQ(NameEdit()->text(), QString::fromUtf16(u"電話"));
  TypeInto(NameEdit(), QString::fromUtf16(u"电话"));
  Click(Button("TntButton7"));
  EXPECT_EQ(Column(0), (std::vector<std::string>{"#1", "#2", "#3"}));
  EXPECT_EQ(Column(1), (std::vector<std::string>{"01", "05", "01"}));
  EXPECT_EQ(form.Rows()[1].name, u"电话");
  EXPECT_EQ(form.Rows()[1].language, 5);
  ExpectIdle();
}

TEST_F(NameEditorTest, WithoutASelectedRowEditAndDeleteDoNothing) {
  Open(RowsOf(2));
  Click(Button("TntButton5"));
  EXPECT_FALSE(form.EditingName);
  EXPECT_FALSE(NameEdit()->isEnabled());
  Click(Button("TntButton6"));
  EXPECT_EQ(List()->topLevelItemCount(), 2);
}

TEST_F(NameEditorTest, ApplyAfterTheSelectionWasClearedChangesTheEditedRow) {
  Open(RowsOf(2));
  SelectRow(1);
  Click(Button("TntButton5"));
  List()->clearSelection();
  TypeInto(NameEdit(), "Renamed");
  Click(Button("TntButton7"));
  EXPECT_EQ(Column(2), (std::vector<std::string>{"Name A", "Renamed"}));
}

TEST_F(NameEditorTest, UnknownLanguageSurvivesARename) {
  Open({{"#1", "", u"Odd", 0x40}, {"#2", "01", u"Fine", 1}});
  SelectRow(0);
  Click(Button("TntButton5"));
  EXPECT_EQ(Selector()->currentIndex(), -1);
  TypeInto(NameEdit(), "Still odd");
  Click(Button("TntButton7"));
  std::vector<NameRow> rows = form.Rows();
  EXPECT_EQ(rows[0].languageIdText, "");
  EXPECT_EQ(rows[0].language, 0x40);
  EXPECT_EQ(rows[0].name, u"Still odd");
  // Picking a language during the edit gives the row that language.
  SelectRow(0);
  Click(Button("TntButton5"));
  Pick(Selector(), kSpanish);
  Click(Button("TntButton7"));
  rows = form.Rows();
  EXPECT_EQ(rows[0].languageIdText, "0A");
  EXPECT_EQ(rows[0].language, 10);
}

TEST_F(NameEditorTest, NamesOverNinetyNineUnitsAreRefused) {
  Open({});
  Click(Button("TntButton4"));
  Pick(Selector(), 0);
  NameEdit()->setText(QString(100, QChar(0x4E2D)));
  Click(Button("TntButton7"));
  ASSERT_EQ(messages.requests.size(), 1u);
  EXPECT_EQ(messages.requests[0].icon, QMessageBox::Critical);
  EXPECT_TRUE(messages.requests[0].text.contains("99")) << messages.requests[0].text.toStdString();
  EXPECT_EQ(List()->topLevelItemCount(), 0);
  EXPECT_TRUE(NameEdit()->isEnabled());  // still adding, so the name can be shortened
  NameEdit()->setText(QString(99, QChar(0x4E2D)));
  Click(Button("TntButton7"));
  EXPECT_EQ(List()->topLevelItemCount(), 1);
  EXPECT_EQ(messages.requests.size(), 1u);
}

TEST_F(NameEditorTest, OpensAQuarterIntoTheAnchorDialog) {
  QDialog anchor;
  anchor.setGeometry(200, 120, 500, 520);
  anchor.show();
  form.SetAnchor(&anchor);
  Open({});
  const QRect owner = anchor.frameGeometry();
  EXPECT_EQ(form.pos(), QPoint(owner.left() + owner.width() / 4, owner.top() + owner.height() / 4));
}

TEST_F(NameEditorTest, OkAndCancelKeepTheirResults) {
  Open(RowsOf(1));
  Click(Button("TntButton1"));
  EXPECT_EQ(form.result(), QDialog::Accepted);
  Open(RowsOf(1));
  Click(Button("TntButton2"));
  EXPECT_EQ(form.result(), QDialog::Rejected);
}

TEST_F(NameEditorTest, ReopeningStartsIdleWithTheLastLanguageShown) {
  Open({});
  Click(Button("TntButton4"));
  Pick(Selector(), kSpanish);
  form.hide();
  Open({});
  ExpectIdle();
  EXPECT_EQ(Selector()->currentIndex(), kSpanish);
}

}  // namespace
}  // namespace quillet::test
