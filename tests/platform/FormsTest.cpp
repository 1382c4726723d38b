#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

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

// The real backends' number (the fake's own stands in for it elsewhere): the
// same for the process's whole life, and another in another process. The
// child draws first: forked after this process drew, it would share its.
TEST(ProcessSeed, StaysForTheProcessAndDiffersInAnother) {
  FakeBackend host;
  int out[2];
  ASSERT_EQ(pipe(out), 0);
  uint64_t other = 0;
  const pid_t child = fork();
  if (child == 0) {
    other = host.Backend::ProcessSeed();
    _exit(write(out[1], &other, sizeof other) == sizeof other ? 0 : 1);
  }
  close(out[1]);
  EXPECT_TRUE(child > 0 && read(out[0], &other, sizeof other) == sizeof other);
  close(out[0]);
  if (child > 0) waitpid(child, nullptr, 0);
  const uint64_t own = host.Backend::ProcessSeed();
  EXPECT_EQ(host.Backend::ProcessSeed(), own);
  EXPECT_NE(own, other);
}

}  // namespace
