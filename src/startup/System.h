#pragma once
// The System module: settings-file access, system queries, the error
// reporter and small shared services.
#include <cstdint>
#include <string>

#include "platform/Profile.h"
#include "platform/Version.h"

namespace vb { class Form; }

namespace System {

extern OSVERSIONINFOA OSInfo;

std::string GetIniData(const std::string& fileName, const std::string& section, const std::string& key);
// Writes one key; a write that fails is reported under "System/PutIniData".
void PutIniData(const std::string& fileName, const std::string& section, const std::string& key,
                const std::string& value);
// Writes several keys of one section at once, every one or none. Sets no
// trap: a write that fails raises the run-time error for its cause.
void PutIniKeys(const std::string& fileName, const std::string& section, const ProfileKeys& keys);
void GetDiectories();
std::string GetVersion32();
void CenterForm(vb::Form& form);
void SetTFS(const std::string& mode);
// Shows the error window for the error being handled, under `label`.
void ReportError(const std::string& label);

// The error being handled (its number), set by a trap before it reports.
extern int ErrNumber;
// The caption the error window gets for an error number and label.
std::string ErrorCaption(int number, const std::string& label);

}  // namespace System
