#include "window_fixture.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <QTreeView>
#include <fstream>
#include <iterator>

#include "menu_tree_model.h"

namespace quillet::ui::testing {

void WindowTest::SetUp() {
  ASSERT_TRUE(folder.isValid());
  // The window puts its exchange file into the current directory: make that the
  // test's own folder, so no test touches another's file.
  previousDirectory = QDir::currentPath();
  QDir::setCurrent(folder.path());
  EditorSettings::resetAll();  // each test starts as a first run
  window = makeWindow();
  answerFileDialogs(*window);
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
}

void WindowTest::answerFileDialogs(TSDIAppForm& target) {
  target.setFileChooser([this](QWidget*, FileDialogKind kind, const QString& start) {
    ++dialogsShown;
    dialogKinds.push_back(kind);
    dialogStarts.push_back(start);
    if (chosenPaths.empty()) return QString();
    QString path = chosenPaths.front();
    chosenPaths.pop_front();
    return path;
  });
}

void WindowTest::restartWindow() {
  window->close();
  window = makeWindow();
  answerFileDialogs(*window);
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
}

void WindowTest::TearDown() {
  window.reset();
  QDir::setCurrent(previousDirectory);
}

std::unique_ptr<TSDIAppForm> WindowTest::makeWindow() {
  auto made = std::make_unique<TSDIAppForm>();
  made->setPrompter(prompter);
  return made;
}

FakePhone& WindowTest::usePhone(TSDIAppForm& target) {
  auto phone = std::make_unique<FakePhone>();
  FakePhone& kept = *phone;
  target.usePhoneLibrary(std::move(phone));
  return kept;
}

std::string WindowTest::pathIn(const std::string& name) const {
  return QFile::encodeName(folder.filePath(QString::fromStdString(name))).toStdString();
}

std::string WindowTest::writeFile(const std::string& name, const Bytes& bytes) const {
  const std::string path = pathIn(name);
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return path;
}

void WindowTest::openThroughWindow(const std::string& path) {
  chosenPaths.push_back(QString::fromStdString(path));
  action("FileOpen1")->trigger();
}

void WindowTest::saveThroughWindow(const std::string& path) {
  chosenPaths.push_back(QString::fromStdString(path));
  action("FileSaveAs1")->trigger();
}

QString WindowTest::panel0() const { return find<QLabel>("StatusBar1Panel0")->text(); }

QString WindowTest::memoText() const { return find<QPlainTextEdit>("TntMemo1")->toPlainText(); }

bool WindowTest::memoVisible() const { return find<QPlainTextEdit>("TntMemo1")->isVisible(); }

void WindowTest::clickNode(int absoluteIndex) {
  auto* tree = find<QTreeView>("TreeView1");
  const MenuNode* node = window->document().tree.nodeAt(absoluteIndex);
  ASSERT_NE(node, nullptr);
  const QModelIndex index = window->treeModel().indexForNode(node);
  for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent()) tree->expand(parent);
  tree->scrollTo(index);
  const QRect rect = tree->visualRect(index);
  ASSERT_TRUE(rect.isValid());
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
}

Bytes ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace quillet::ui::testing
