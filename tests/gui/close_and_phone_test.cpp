// Closing the window: the exchange file and the question about restarting the phone.

#include "window_fixture.h"

namespace quillet::ui::testing {
namespace {

class CloseTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    answer = QMessageBox::No;
  }
  const MessageRequest* rebootQuestion() const {
    for (const MessageRequest& request : messages) {
      if (request.text.startsWith(QStringLiteral("mma_ucp was stored"))) return &request;
    }
    return nullptr;
  }
  // Restarts the phone through Restart Phone, as the user does.
  void restartThroughWindow() {
    action("PhoneRestart")->trigger();
    while (window->phoneWorking()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
};

// The exchange file is the link's, in a folder of its own: a user's file of the same
// name in the start folder is never touched, with a phone link or without one.
TEST_F(CloseTest, ClosingWithAPhoneLinkLeavesAUsersMmaTemp) {
  usePhone(*window);
  writeFile("mma_temp", {1, 2, 3});
  window->close();
  EXPECT_EQ(ReadBytes(pathIn("mma_temp")), (Bytes{1, 2, 3}));
  EXPECT_TRUE(messages.empty());
}

TEST_F(CloseTest, ClosingWithoutAPhoneLinkLeavesAUsersMmaTemp) {
  writeFile("mma_temp", {4, 5});
  window->close();
  EXPECT_EQ(ReadBytes(pathIn("mma_temp")), (Bytes{4, 5}));
}

TEST_F(CloseTest, ClosingWithoutAnExchangeFileIsQuiet) {
  window->close();
  EXPECT_FALSE(window->isVisible());
  EXPECT_TRUE(messages.empty());
}

TEST_F(CloseTest, AfterSaveToPhoneWithThePhoneConnectedAsksToReboot) {
  FakePhone& linked = usePhone(*window);
  linked.status = 1;
  window->StoredToPhone = 1;
  answer = QMessageBox::Yes;
  window->close();
  const MessageRequest* question = rebootQuestion();
  ASSERT_NE(question, nullptr);
  EXPECT_EQ(question->text, "mma_ucp was stored to the phone\r\n      Should we reboot it?");
  EXPECT_EQ(question->title, "");
  EXPECT_EQ(question->buttons, QMessageBox::Yes | QMessageBox::No);
  EXPECT_EQ(question->icon, QMessageBox::Question);
  EXPECT_EQ(question->owner, window.get());
  EXPECT_EQ(linked.restarts, 1);
  EXPECT_EQ(window->StoredToPhone, 0);
  EXPECT_FALSE(window->isVisible());  // closing is never refused
}

TEST_F(CloseTest, AnsweringNoLeavesThePhoneAloneAndStillCloses) {
  FakePhone& phone = usePhone(*window);
  phone.status = 1;
  window->StoredToPhone = 1;
  window->close();
  ASSERT_NE(rebootQuestion(), nullptr);
  EXPECT_EQ(phone.restarts, 0);
  EXPECT_FALSE(window->isVisible());
}

TEST_F(CloseTest, AfterRestartPhoneClosingDoesNotAsk) {
  FakePhone& linked = usePhone(*window);
  linked.status = 1;
  window->StoredToPhone = 1;
  restartThroughWindow();
  EXPECT_EQ(window->StoredToPhone, 0);
  window->close();
  EXPECT_EQ(rebootQuestion(), nullptr);
  EXPECT_EQ(linked.restarts, 1);
}

TEST_F(CloseTest, WithThePhoneDisconnectedClosingDoesNotAsk) {
  FakePhone& phone = usePhone(*window);
  phone.status = 0;
  window->StoredToPhone = 1;
  window->close();
  EXPECT_EQ(rebootQuestion(), nullptr);
  EXPECT_EQ(phone.restarts, 0);
}

TEST_F(CloseTest, WithoutAPhoneLinkClosingDoesNotAsk) {
  window->StoredToPhone = 1;
  window->close();
  EXPECT_EQ(rebootQuestion(), nullptr);
}

TEST(PhoneStart, ShowingTheWindowStartsThePhoneLinkOnce) {
  TSDIAppForm window;
  auto library = std::make_unique<FakePhone>();
  FakePhone& phone = *library;
  window.usePhoneLibrary(std::move(library));
  window.show();
  window.hide();
  window.show();
  EXPECT_EQ(phone.inits, 1);
}

}  // namespace
}  // namespace quillet::ui::testing
