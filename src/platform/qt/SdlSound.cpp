#include "platform/qt/SdlSound.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <atomic>
#include <cstdlib>

namespace {
constexpr const char* kSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
constexpr int kEffectChannel = 0;
// The effects' own rate, at which the theme's sound font sounds as well: the
// synthesiser does half the work of CD quality. A buffer of 23 ms.
constexpr int kFrequency = 22050;
constexpr int kFrames = 512;
// Silence this long closes the device; effects in quick succession (a walk's
// footsteps) keep it open.
constexpr int kSilenceMs = 1000;

// The one instance the mixer's callbacks report to.
std::atomic<SdlSound*> reporting{nullptr};

// The user's choice of sound fonts, else the one we depend on.
std::string SoundFonts() {
  const char* fonts = std::getenv("SDL_SOUNDFONTS");
  return fonts && *fonts ? fonts : kSoundFont;
}

struct Spec {
  int frequency = 0;
  Uint16 format = 0;
  int channels = 0;
  bool operator==(const Spec&) const = default;
};

Spec OpenedSpec() {
  Spec spec;
  Mix_QuerySpec(&spec.frequency, &spec.format, &spec.channels);
  return spec;
}

Spec firstSpec;
}  // namespace

SdlSound::SdlSound() {
  silence_.setSingleShot(true);
  silence_.setInterval(kSilenceMs);
  QObject::connect(&silence_, &QTimer::timeout, [this] {
    if (!Sounding()) CloseDevice();
  });
  reporting = this;
}

SdlSound::~SdlSound() {
  Shutdown();
  reporting = nullptr;
}

// --- the device ---

bool SdlSound::OpenDevice() {
  if (open_) return true;
  if (failed_) return false;
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    failed_ = true;
    return false;
  }
  if (Mix_OpenAudio(kFrequency, MIX_DEFAULT_FORMAT, 2, kFrames) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    failed_ = true;
    return false;
  }
  open_ = true;
  if (firstSpec.frequency == 0) {
    firstSpec = OpenedSpec();
  } else if (!(OpenedSpec() == firstSpec)) {
    // Sounds are kept in the device's format: another format needs them anew.
    for (auto& [name, effect] : effects_) Mix_FreeChunk(effect.chunk);
    effects_.clear();
    music_.reset();
    firstSpec = OpenedSpec();
  }
  Mix_AllocateChannels(1);
  Mix_ChannelFinished(&SdlSound::ChannelFinished);
  return true;
}

void SdlSound::CloseDevice() {
  silence_.stop();
  if (!open_) return;
  if (music_) music_->Stop();
  Mix_ChannelFinished(nullptr);
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  open_ = false;
}

bool SdlSound::Sounding() const { return open_ && (Mix_Playing(-1) > 0 || (music_ && music_->Sounding())); }

void SdlSound::Settle() {
  if (!open_ || Sounding()) silence_.stop();
  else if (!silence_.isActive()) silence_.start();
}

// On the audio thread (or inside a halt): hand over to our own thread.
void SdlSound::Finished() {
  if (SdlSound* sound = reporting.load())
    QMetaObject::invokeMethod(&sound->silence_, [sound] { sound->Settle(); }, Qt::QueuedConnection);
}

void SdlSound::ChannelFinished(int) { Finished(); }

void SdlSound::Shutdown() {
  CloseDevice();
  MusicClose();
  for (auto& [name, effect] : effects_) Mix_FreeChunk(effect.chunk);
  effects_.clear();
}

// --- effects and music ---

bool SdlSound::PlayEffect(const std::string& name, const std::string& wave) {
  if (wave.empty() || !OpenDevice()) return false;
  // An effect is decoded once, and again only when its file has changed.
  Effect& effect = effects_[name];
  if (!effect.chunk || effect.wave != wave) {
    if (effect.chunk) Mix_FreeChunk(effect.chunk);
    effect.chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(wave.data(), static_cast<int>(wave.size())), 1);
    effect.wave = effect.chunk ? wave : std::string();
  }
  // Playing on the one effect channel cuts off whatever still sounds there.
  bool playing = effect.chunk && Mix_PlayChannel(kEffectChannel, effect.chunk, 0) >= 0;
  Settle();
  return playing;
}

bool SdlSound::MusicOpen(const std::string& midi) {
  MusicClose();
  if (midi.empty() || !OpenDevice()) return false;
  auto music = std::make_unique<SynthMusic>();
  if (music->Open(midi, SoundFonts(), firstSpec.frequency, firstSpec.channels)) music_ = std::move(music);
  Settle();
  return music_ != nullptr;
}

bool SdlSound::MusicPlay() {
  bool playing = music_ && OpenDevice() && music_->Play(&SdlSound::Finished);
  Settle();
  return playing;
}

bool SdlSound::MusicPlaying() { return open_ && music_ && music_->Sounding(); }

void SdlSound::MusicStop() {
  if (music_) music_->Stop();
  Settle();
}

void SdlSound::MusicClose() {
  if (!music_) return;
  music_.reset();
  Settle();
}

SoundPlayer* MakeSoundPlayer() { return new SdlSound; }
