#include "platform/qt/SdlSound.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <cstdlib>
#include <filesystem>

namespace {
constexpr const char* kSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
constexpr int kEffectChannel = 0;
}  // namespace

SdlSound::SdlSound() {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;
  if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return;
  }
  Mix_Init(MIX_INIT_MID);
  if (!std::getenv("SDL_SOUNDFONTS") && std::filesystem::exists(kSoundFont)) Mix_SetSoundFonts(kSoundFont);
  Mix_AllocateChannels(1);
  ready_ = true;
}

SdlSound::~SdlSound() { Shutdown(); }

void SdlSound::Shutdown() {
  if (!ready_) return;
  Mix_HaltChannel(-1);
  MusicClose();
  for (auto& [path, chunk] : effects_) Mix_FreeChunk(chunk);
  effects_.clear();
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  ready_ = false;
}

bool SdlSound::PlayEffect(const std::string& path) {
  if (!ready_) return false;
  auto it = effects_.find(path);
  if (it == effects_.end()) {
    Mix_Chunk* chunk = Mix_LoadWAV(path.c_str());
    if (!chunk) return false;
    it = effects_.emplace(path, chunk).first;
  }
  // Playing on the one effect channel cuts off whatever still sounds there.
  return Mix_PlayChannel(kEffectChannel, it->second, 0) >= 0;
}

bool SdlSound::MusicOpen(const std::string& path) {
  if (!ready_) return false;
  MusicClose();
  music_ = Mix_LoadMUS(path.c_str());
  return music_ != nullptr;
}

bool SdlSound::MusicPlay() { return music_ && Mix_PlayMusic(music_, 0) == 0; }

bool SdlSound::MusicPlaying() { return music_ && Mix_PlayingMusic() != 0; }

void SdlSound::MusicStop() {
  if (music_) Mix_HaltMusic();
}

void SdlSound::MusicClose() {
  if (!music_) return;
  Mix_HaltMusic();
  Mix_FreeMusic(music_);
  music_ = nullptr;
}
