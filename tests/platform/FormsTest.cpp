#include <gtest/gtest.h>

#include "platform/Forms.h"
#include "platform/User32.h"
#include "platform/VbError.h"
#include "platform/fake/FakeBackend.h"

namespace {

class CountingForm : public vb::Form {
 public:
  int unloads = 0;
  bool fail = false;

 protected:
  void Form_Unload(int16_t&) override {
    ++unloads;
    if (fail) vb::Raise(vb::errInvalidCall);
  }
};

// A failed unload is not stuck half-way and can be repeated; when the last
// loaded window is gone, the message loop ends.
TEST(Forms, AFailedUnloadCanBeRepeated) {
  FakeBackend host;
  CountingForm form;
  form.Show();
  form.fail = true;
  EXPECT_THROW(form.Unload(), vb::VbError);
  EXPECT_TRUE(form.IsLoaded());
  form.fail = false;
  form.Unload();
  EXPECT_EQ(form.unloads, 2);
  EXPECT_FALSE(form.IsLoaded());
  EXPECT_FALSE(form.isVisible());
  EXPECT_TRUE(host.quitRequested);
}

TEST(Cursor, HiddenWhileTheCounterIsBelowZero) {
  FakeBackend host;
  const int start = CursorDisplayCount();
  ShowCursor(0);
  EXPECT_EQ(host.pointerHidden, start - 1 < 0);
  ShowCursor(-1);
  EXPECT_EQ(host.pointerHidden, start < 0);
}

}  // namespace
