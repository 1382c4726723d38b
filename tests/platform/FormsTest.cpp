#include <gtest/gtest.h>

#include "platform/Forms.h"
#include "platform/VbError.h"
#include "platform/fake/FakeBackend.h"

namespace {

class CountingForm : public vb::Form {
 public:
  int loads = 0, unloads = 0;
  bool cancel = false, fail = false;

 protected:
  void Form_Load() override { ++loads; }
  void Form_Unload(int16_t& Cancel) override {
    ++unloads;
    if (fail) vb::Raise(vb::errInvalidCall);
    Cancel = cancel ? -1 : 0;
  }
};

// The caption loads the form; a cancelled unload keeps the window, and a
// failed one is not stuck half-way and can be repeated.
TEST(Forms, LoadRunsOnceAndUnloadCanBeCancelledOrFailAndBeRepeated) {
  FakeBackend host;
  CountingForm form;
  form.SetCaption("x");
  form.Show();
  form.Load();
  EXPECT_EQ(form.loads, 1);
  form.cancel = true;
  form.Unload();
  EXPECT_TRUE(form.IsLoaded());
  EXPECT_TRUE(form.isVisible());
  form.cancel = false;
  form.fail = true;
  EXPECT_THROW(form.Unload(), vb::VbError);
  form.fail = false;
  form.Unload();
  EXPECT_EQ(form.unloads, 3);
  EXPECT_FALSE(form.IsLoaded());
  EXPECT_FALSE(form.isVisible());
  EXPECT_TRUE(host.quitRequested);  // the last loaded window is gone
}

}  // namespace
