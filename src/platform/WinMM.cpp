#include "platform/WinMM.h"

#include <cstring>
#include <sstream>
#include <vector>

#include "platform/Backend.h"
#include "platform/SafeFile.h"
#include "platform/VbConv.h"
#include "platform/WinDir.h"

namespace {

// The one sequencer device: its alias while open.
std::string openAlias;

// A data file's bytes, read from the one opening of it that was checked, so
// that nothing put at its name afterwards reaches the sound system; empty
// when the file cannot be read. False when something other than a regular
// file of a sane size lies there: then there is nothing to play at all.
bool ReadData(const std::string& path, std::string* bytes) {
  return safefile::Read(path, safefile::kMaxDataBytes, bytes).status != safefile::Status::Unfit;
}

std::vector<std::string> Words(const std::string& command) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < command.size()) {
    while (i < command.size() && command[i] == ' ') ++i;
    if (i >= command.size()) break;
    if (command[i] == '"') {
      // The closing quote is the last one that ends a word, so a quoted file
      // name may hold quotes of its own.
      size_t close = std::string::npos;
      for (size_t q = command.size(); q-- > i + 1;)
        if (command[q] == '"' && (q + 1 == command.size() || command[q + 1] == ' ')) {
          close = q;
          break;
        }
      if (close == std::string::npos) close = command.size();
      words.push_back(command.substr(i + 1, close - i - 1));
      i = close + 1;
    } else {
      size_t end = command.find(' ', i);
      if (end == std::string::npos) end = command.size();
      words.push_back(command.substr(i, end - i));
      i = end;
    }
  }
  return words;
}

void SetReply(char* reply, uint32_t length, const std::string& text) {
  if (!reply || length == 0) return;
  size_t n = std::min<size_t>(text.size(), length - 1);
  std::memcpy(reply, text.data(), n);
  reply[n] = '\0';
}

uint32_t Open(const std::vector<std::string>& w) {
  // open <file> type sequencer alias <alias>
  if (w.size() < 2) return MCIERR_MISSING_PARAMETER;
  std::string alias;
  for (size_t i = 2; i + 1 < w.size(); ++i)
    if (vb::LCase(w[i]) == "alias") alias = vb::LCase(w[i + 1]);
  if (alias.empty()) return MCIERR_MISSING_PARAMETER;
  if (!openAlias.empty()) return MCIERR_DUPLICATE_ALIAS;
  const std::string path = HostPath(w[1]);
  std::string midi;
  if (!ReadData(path, &midi) || !Host().MusicOpen(path, midi)) return MCIERR_FILE_NOT_FOUND;
  openAlias = alias;
  return 0;
}

}  // namespace

bool sndPlaySoundA(const char* soundName, uint32_t) {
  if (!soundName || !*soundName) return false;
  const std::string path = HostPath(soundName);
  std::string wave;
  return ReadData(path, &wave) && Host().PlayEffect(path, wave);
}

uint32_t mciSendStringA(const char* command, char* reply, uint32_t replyLength, uint32_t) {
  SetReply(reply, replyLength, "");
  std::vector<std::string> w = Words(command ? command : "");
  if (w.empty()) return MCIERR_UNRECOGNIZED_COMMAND;
  const std::string verb = vb::LCase(w[0]);
  if (verb == "open") return Open(w);
  if (w.size() < 2) return MCIERR_MISSING_PARAMETER;
  if (openAlias.empty() || vb::LCase(w[1]) != openAlias) return MCIERR_INVALID_DEVICE_NAME;
  if (verb == "play") return Host().MusicPlay() ? 0 : MCIERR_HARDWARE;
  if (verb == "status") {
    if (w.size() < 3 || vb::LCase(w[2]) != "mode") return MCIERR_MISSING_PARAMETER;
    SetReply(reply, replyLength, Host().MusicPlaying() ? "playing" : "stopped");
    return 0;
  }
  if (verb == "stop") {
    Host().MusicStop();
    return 0;
  }
  if (verb == "close") {
    Host().MusicClose();
    openAlias.clear();
    return 0;
  }
  return MCIERR_UNRECOGNIZED_COMMAND;
}
