#pragma once
// Sound effects and the command-string interface for the theme music.
#include <cstdint>
#include <string>

inline constexpr uint32_t SND_ASYNC = 0x1;

// Plays a WAV file asynchronously; a new effect cuts off the one still
// sounding; a missing or unplayable file is silent, and so is one that is not
// a regular file of a sane size. Returns success.
bool sndPlaySoundA(const char* soundName, uint32_t flags);

// MCI error codes the interpreter answers with.
inline constexpr uint32_t MCIERR_HARDWARE = 262;
inline constexpr uint32_t MCIERR_INVALID_DEVICE_NAME = 263;
inline constexpr uint32_t MCIERR_UNRECOGNIZED_COMMAND = 261;
inline constexpr uint32_t MCIERR_FILE_NOT_FOUND = 275;
inline constexpr uint32_t MCIERR_DUPLICATE_ALIAS = 289;
inline constexpr uint32_t MCIERR_MISSING_PARAMETER = 273;

// Runs one command string on a sequencer device addressed by its alias:
//   open "<file>" type sequencer alias <alias>
//   play <alias> from 0       status <alias> mode   ("playing" or "stopped")
//   stop <alias>              close <alias>
// A file that is not a regular file of a sane size does not open.
// The reply text goes into `reply` (cut to `replyLength` - 1 characters).
// Returns 0 or an MCI error code; never raises.
uint32_t mciSendStringA(const char* command, char* reply, uint32_t replyLength, uint32_t callback);
