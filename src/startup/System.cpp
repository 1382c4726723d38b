#include "startup/System.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "platform/Backend.h"
#include "platform/Forms.h"
#include "platform/Profile.h"
#include "platform/User32.h"
#include "platform/VbConv.h"
#include "platform/WinDir.h"
#include "show/ScreenSaver.h"
#include "startup/BugReportForm.h"
#include "startup/Starter.h"
#include "startup/Trap.h"

namespace System {

OSVERSIONINFOA OSInfo{};
int ErrNumber = 0;

std::string GetIniData(const std::string& fileName, const std::string& section, const std::string& key) {
  std::string result;
  Trapped("System/GetIniData", [&] {
    char buffer[128];
    long n = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer, 128, fileName.c_str());
    result.assign(buffer, static_cast<size_t>(n));
  });
  return result;
}

namespace {

// The run-time error for a file access that the system refused.
int FileErrorNumber(int error) {
  switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return vb::errDiskFull;  // EFBIG: the file would outgrow what is read back
    case EACCES:
    case EPERM:
    case EROFS: return vb::errPermissionDenied;
    case EIO: return vb::errDeviceIO;
    default: return vb::errPathFileAccess;
  }
}

}  // namespace

void PutIniData(const std::string& fileName, const std::string& section, const std::string& key,
                const std::string& value) {
  Trapped("System/PutIniData", [&] { PutIniKeys(fileName, section, {{key, value}}); });
}

void PutIniKeys(const std::string& fileName, const std::string& section, const ProfileKeys& keys) {
  if (int error = WritePrivateProfileKeys(section.c_str(), keys, fileName.c_str()))
    vb::Raise(FileErrorNumber(error));
}

void GetDiectories() {
  Trapped("Starter/GetDiectories", [] {
    std::string buffer(256, '\0');
    unsigned n = GetWindowsDirectoryA(buffer.data(), 256);
    if (n >= 256) {  // a longer folder: ask again with room for it
      buffer.resize(n);
      n = GetWindowsDirectoryA(buffer.data(), n);
    }
    if (n == 0 || n >= buffer.size()) {
      std::fprintf(stderr, "zentravo: no folder for the settings: set HOME or XDG_DATA_HOME\n");
      Host().EndProcess(1);
    }
    Starter::WinDir.assign(buffer.data(), n);
    if (Starter::WinDir.empty() || Starter::WinDir.back() != '\\') Starter::WinDir += "\\";
    Starter::DataPath = Starter::WinDir + "Zentravo\\" + Starter::IniSection + "\\";
  });
}

std::string GetVersion32() {
  std::string result;
  Trapped("System/GetVersion32", [&] {
    OSInfo.dwOSVersionInfoSize = 148;
    GetVersionExA(&OSInfo);
    switch (OSInfo.dwPlatformId) {
      case 1: result = "95"; break;
      case 2: result = "NT"; break;
      default: result = "Unknown";
    }
  });
  return result;
}

void CenterForm(vb::Form& form) {
  Trapped("System/CenterForm", [&] {
    float left = vb::Screen::Width() / 2 - form.Width() / 2;
    float top = vb::Screen::Height() / 2 - form.Height() / 2;
    // A window larger than the screen keeps its top-left corner (its caption
    // and first controls) on screen.
    form.Move(std::max(left, 0.0f), std::max(top, 0.0f));
  });
}

void SetTFS(const std::string& mode) {
  Trapped("System/SetTFS", [&] {
    if (Starter::OSName != "95" || Starter::UsePassword != 1) return;
    int32_t ignored = 0;
    if (vb::LCase(mode) == "disable") SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, 1, &ignored, 0);
    ignored = 0;
    if (vb::LCase(mode) == "enable") SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, 0, &ignored, 0);
  });
}

std::string ErrorCaption(int number, const std::string& label) {
  return "Error Code: VORN-" + vb::Str(number) + "-" + label;
}

void ReportError(const std::string& label) {
  if (Starter::RunMode == Starter::rmScreenSaver) {
    ShowCursor(-1);
    ScreenSaver& show = vb::FormInstance<ScreenSaver>();
    if (show.IsLoaded()) {
      SetWindowPos(show.hWnd(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE);
      show.Hide();
    }
  }
  BugReportForm& window = vb::FormInstance<BugReportForm>();
  window.SetCaption(ErrorCaption(ErrNumber, label));
  window.Show();
}

}  // namespace System
