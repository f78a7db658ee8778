// Errors escaping a command end in one error box and go no further.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "app/platform/dialog_stub.h"
#include "app/platform/error_handler.h"

TEST(ErrorHandler, GuardShowsTheMessageInAnErrorBox) {
  kova::DialogStub dialogs;
  bool finished = false;
  const bool ran = kova::RunGuarded([] { throw std::runtime_error("Datei kann nicht erstellt werden"); });
  finished = true;
  EXPECT_FALSE(ran);
  EXPECT_TRUE(finished);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].kind, kova::MessageKind::Error);
  EXPECT_EQ(dialogs.messages[0].text, "Datei kann nicht erstellt werden");
}

TEST(ErrorHandler, MessagesAreReadAsUtf8OrElseLatin1) {
  kova::DialogStub dialogs;
  kova::RunGuarded([] { throw std::runtime_error("Tabulatorindex außerhalb"); });
  kova::RunGuarded([] { throw std::runtime_error("Gr\xF6\xDF" "e"); });
  kova::RunGuarded([] { throw 42; });
  ASSERT_EQ(dialogs.messages.size(), 3u);
  EXPECT_EQ(dialogs.messages[0].text, "Tabulatorindex außerhalb");
  EXPECT_EQ(dialogs.messages[1].text, "Größe");
  EXPECT_FALSE(dialogs.messages[2].text.isEmpty());
}

TEST(ErrorHandler, GuardedSlotSwallowsTheErrorOfAConnectedHandler) {
  kova::DialogStub dialogs;
  auto slot = kova::Guarded([] { throw std::length_error("zu lang"); });
  slot(true);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, "zu lang");
}

TEST(ErrorHandler, MemoryThatRanOutIsSaidInGerman) {
  kova::DialogStub dialogs;
  kova::RunGuarded([] { throw std::bad_alloc(); });
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, QString::fromUtf8("Nicht genügend Speicher verfügbar."));
}
