#include "startup/Starter.h"

#include <cstring>

#include "platform/Forms.h"
#include "platform/Registry.h"
#include "platform/Runtime.h"
#include "platform/User32.h"
#include "platform/VbConv.h"
#include "platform/WinMM.h"
#include "startup/Ghost.h"
#include "startup/System.h"
#include "startup/Trap.h"

namespace Starter {

std::string CmdLine;
std::string CmdSwitch;
uint32_t hDisplayProps = 0;
int16_t RunMode = 0;
int32_t hPwdParent = 0;
std::string WinDir;
std::string DataPath;
SettingsRecord Settings;
std::string OSName;
int16_t UsePassword = 0;
std::string MciReply(255, ' ');

void SetMciReply(const std::string& text) {
  MciReply = text.substr(0, 255);
  MciReply.resize(255, ' ');
}

uint32_t SendMci(const std::string& command) {
  char reply[256] = {};
  uint32_t code = mciSendStringA(command.c_str(), reply, 255, 0);
  SetMciReply(reply);
  return code;
}

namespace {

// Case-insensitive search for a switch anywhere in the raw line.
bool HasSwitch(const std::string& rawLine, const char* sw) {
  return vb::LCase(rawLine).find(sw) != std::string::npos;
}

bool Above0(const std::string& key) {
  return vb::Val(System::GetIniData(IniFileName, IniSection, key)) > 0;
}

int16_t Bool16(bool value) { return value ? -1 : 0; }

}  // namespace

void Main() {
  Trapped("Starter/Main", [] {
    const std::string raw = vb::Command();
    CmdLine = vb::LCase(vb::Trim(raw));
    CmdSwitch = CmdLine.substr(0, 2);
    hDisplayProps = FindWindowA(nullptr, "Display Properties");
    if (vb::AppPrevInstance() && CmdSwitch == "/s" && hDisplayProps == 0) vb::End(0);
    System::GetDiectories();
    vb::Randomize();
    X_GetData();
    if (HasSwitch(raw, "/p")) Run_Preview();
    else if (HasSwitch(raw, "/c")) Run_Configure();
    else if (HasSwitch(raw, "/a")) Run_Password();
    else if (HasSwitch(raw, "/h")) Run_Support();
    else if (HasSwitch(raw, "/w")) Run_WebSite();
    else Run_ScreenSaver();
  });
}

void Run_Password() {
  Trapped("Starter/Run_Password", [] {
    RunMode = rmPassword;
    const std::string raw = vb::Command();
    if (raw.size() < 3) vb::Raise(vb::errInvalidCall);
    hPwdParent = vb::CLngText(raw.substr(3));
    // This system has no screen-saver password dialog to call.
  });
}

void Run_WebSite() {
  Trapped("Starter/Run_WebSite", [] {
    RunMode = rmWebSite;
    vb::FormInstance<Ghost>().Load();
  });
}

void Run_Support() {
  Trapped("Starter/Run_WebSite", [] {
    RunMode = rmSupport;
    vb::FormInstance<Ghost>().Load();
  });
}

void X_GetData() {
  Trapped("Starter/X_GetData", [] {
    if (!Above0("firstrun")) {
      Settings.Intro = Settings.Runner = Settings.Gunner = Settings.Flag = -1;
      Settings.Above = Settings.Below = Settings.Sound = -1;
      Settings.SpinSpeed = 1.0f;
      return;
    }
    Settings.Intro = Bool16(Above0("Intro"));
    Settings.Runner = Bool16(Above0("Runner"));
    Settings.Gunner = Bool16(Above0("Gunner"));
    Settings.Above = Bool16(Above0("Above"));
    Settings.Below = Bool16(Above0("Below"));
    Settings.Flag = Bool16(Above0("Flag"));
    Settings.Sound = Bool16(Above0("Sound"));
    float speed = static_cast<float>(vb::Val(System::GetIniData(IniFileName, IniSection, "SpinSpeed")));
    if (!(speed >= 1.0f)) speed = 1.0f;  // also catches a value that is not a number
    if (speed > kMaxSpinSpeed) speed = kMaxSpinSpeed;
    Settings.SpinSpeed = speed;
  });
}

int16_t X_GetRegValue(uint32_t root, const std::string& path, const std::string& name) {
  // Errors are skipped step by step; nothing is reported.
  HKEY key = 0;
  Skipping([&] { RegOpenKeyA(root, path.c_str(), &key); });
  std::string text(2048, ' ');
  uint32_t size = 2048, type = 0;
  long result = -1;
  Skipping([&] {
    result = RegQueryValueExA(key, name.c_str(), nullptr, &type,
                              reinterpret_cast<uint8_t*>(text.data()), &size);
  });
  Skipping([&] {
    if (result == 0) {
      if (type == REG_DWORD) {
        auto b = [&](int i) { return static_cast<double>(static_cast<uint8_t>(text[i])); };
        double number = b(0) + 256 * b(1) + 65536 * b(2) + 16777216 * b(3);
        char formatted[32];
        std::snprintf(formatted, sizeof formatted, "%03.0f", number);
        text = formatted;
      }
      text = size == 0 ? std::string() : text.substr(0, size - 1);
    } else {
      text = "Not Found";
    }
  });
  Skipping([&] { RegCloseKey(key); });
  int16_t value = 0;
  Skipping([&] { value = vb::CInt(vb::Val(text)); });
  return value;
}

void ResetForTests() {
  CmdLine.clear();
  CmdSwitch.clear();
  hDisplayProps = 0;
  RunMode = 0;
  hPwdParent = 0;
  WinDir.clear();
  DataPath.clear();
  Settings = SettingsRecord{};
  OSName.clear();
  UsePassword = 0;
  SetMciReply("");
}

}  // namespace Starter
