#include <gtest/gtest.h>

#include <sys/mman.h>
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
  void* shared = mmap(nullptr, sizeof(uint64_t), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
  ASSERT_NE(shared, MAP_FAILED);
  uint64_t& other = *static_cast<uint64_t*>(shared);
  const pid_t child = fork();
  if (child == 0) { other = host.Backend::ProcessSeed(); _exit(0); }
  int status = -1;
  EXPECT_TRUE(child > 0 && waitpid(child, &status, 0) == child && status == 0);
  const uint64_t own = host.Backend::ProcessSeed();
  EXPECT_EQ(host.Backend::ProcessSeed(), own);
  EXPECT_NE(own, other);
}

}  // namespace
