#pragma once
// A fresh Windows directory for one test, removed afterwards.
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/WinDir.h"

class TempWinDir {
 public:
  TempWinDir() {
    char pattern[] = "/tmp/zentravo-test-XXXXXX";
    path_ = mkdtemp(pattern);
    setenv(kWinDirVariable, path_.c_str(), 1);
  }
  ~TempWinDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
    unsetenv(kWinDirVariable);
  }
  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  void Write(const std::string& name, const std::string& text) const {
    std::ofstream(File(name), std::ios::binary) << text;
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(File(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

 private:
  std::string path_;
};
