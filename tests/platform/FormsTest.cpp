#include <gtest/gtest.h>

#include "platform/Forms.h"
#include "platform/User32.h"
#include "platform/VbError.h"
#include "platform/fake/FakeBackend.h"

namespace {

class CountingForm : public vb::Form {
 public:
  int loads = 0, unloads = 0;
  bool fail = false;

 protected:
  void Form_Load() override { ++loads; }
  void Form_Unload(int16_t&) override {
    ++unloads;
    if (fail) vb::Raise(vb::errInvalidCall);
  }
};

// The caption loads the form; a failed unload is not stuck half-way and can
// be repeated.
TEST(Forms, LoadRunsOnceAndAFailedUnloadCanBeRepeated) {
  FakeBackend host;
  CountingForm form;
  form.SetCaption("x");
  form.Show();
  form.Load();
  EXPECT_EQ(form.loads, 1);
  form.fail = true;
  EXPECT_THROW(form.Unload(), vb::VbError);
  EXPECT_TRUE(form.IsLoaded());
  form.fail = false;
  form.Unload();
  EXPECT_EQ(form.unloads, 2);
  EXPECT_FALSE(form.IsLoaded());
  EXPECT_FALSE(form.isVisible());
  EXPECT_TRUE(host.quitRequested);  // the last loaded window is gone
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
