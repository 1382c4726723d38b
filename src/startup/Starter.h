#pragma once
// The Starter module: process entry, run modes, the settings record and the
// common exit.
#include <cstdint>
#include <string>

namespace Starter {

// Run modes.
inline constexpr int16_t rmScreenSaver = 1;
inline constexpr int16_t rmConfigure = 2;
inline constexpr int16_t rmPassword = 3;
inline constexpr int16_t rmPreview = 4;
inline constexpr int16_t rmSupport = 6;
inline constexpr int16_t rmWebSite = 7;

inline constexpr const char* IniFileName = "zentravo.ini";
inline constexpr const char* IniSection = "Zorvik_The_Vexling";

// The maker's pages.
inline constexpr const char* kHomePage = "http://www.zentravo.example/";
inline constexpr const char* kSupportPage = "http://www.zentravo.example/support.htm";
inline constexpr const char* kBugReportPage = "http://www.zentravo.example/bugreport.htm";

// The user's choices, loaded once by X_GetData. Booleans: true -1, false 0.
struct SettingsRecord {
  int16_t Intro = 0, Runner = 0, Gunner = 0, Flag = 0, Above = 0, Below = 0, Sound = 0;
  float SpinSpeed = 0;
};

extern std::string CmdLine;
extern std::string CmdSwitch;
extern uint32_t hDisplayProps;
extern int16_t RunMode;
extern int32_t hPwdParent;
extern std::string WinDir;
extern std::string DataPath;
extern SettingsRecord Settings;
extern std::string OSName;
extern int16_t UsePassword;
extern std::string MciReply;  // always 255 characters

// Sends an MCI command with MciReply as the reply buffer (length 255, no callback).
uint32_t SendMci(const std::string& command);
// Assigns a text to MciReply, padded or cut to its 255 characters.
void SetMciReply(const std::string& text);

void Main();
void Run_Configure();
void Run_Password();
void Run_WebSite();
void Run_Support();
void Run_ScreenSaver();
void Run_Preview();          // the preview mode, with the preview window
void X_LoadPics4Preview();   // the preview mode, with the preview window
void X_GetData();
int16_t X_GetRegValue(uint32_t root, const std::string& path, const std::string& name);
// The common exit: ends the process; returns only after reporting an error of its own.
void X_Cleanup_And_End();

// The upper bound start-up applies to SpinSpeed (the speed scroll bar's range).
inline constexpr float kMaxSpinSpeed = 200.0f;

// Puts every process-wide variable back to its start value (for tests).
void ResetForTests();

}  // namespace Starter
