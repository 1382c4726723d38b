// Test entry for suites that create widgets: Qt's offscreen platform, and a
// private runtime folder of the test's own, removed when the tests end.
#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  char runtime[] = "/tmp/zentravo-test-runtime-XXXXXX";
  if (!mkdtemp(runtime)) return 2;
  setenv("XDG_RUNTIME_DIR", runtime, 1);
  int result;
  {
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    result = RUN_ALL_TESTS();
  }
  std::error_code ignored;
  std::filesystem::remove_all(runtime, ignored);
  return result;
}
