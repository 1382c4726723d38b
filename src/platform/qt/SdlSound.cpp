#include "platform/qt/SdlSound.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <atomic>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>

namespace {
constexpr const char* kSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
constexpr int kEffectChannel = 0;
// Silence this long closes the device; effects in quick succession (a walk's
// footsteps) keep it open.
constexpr int kSilenceMs = 1000;

// The one instance the mixer's callbacks report to.
std::atomic<SdlSound*> reporting{nullptr};

// FluidSynth loads its sound font in an OpenMP pool whose threads busy-wait
// after the job; the font loads as fast on one thread. The pool takes its size
// from the thread that starts the job: ours.
void OneSynthThread() {
  using SetThreads = void (*)(int);
  if (auto set = reinterpret_cast<SetThreads>(dlsym(RTLD_DEFAULT, "omp_set_num_threads"))) set(1);
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
  if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    failed_ = true;
    return false;
  }
  open_ = true;
  if (!mixerReady_) {
    Mix_Init(MIX_INIT_MID);
    OneSynthThread();
    // The user's choice of sound fonts, else the one we depend on.
    const char* fonts = std::getenv("SDL_SOUNDFONTS");
    if (fonts && *fonts) Mix_SetSoundFonts(fonts);
    else if (std::filesystem::exists(kSoundFont)) Mix_SetSoundFonts(kSoundFont);
    firstSpec = OpenedSpec();
    mixerReady_ = true;
  } else if (!(OpenedSpec() == firstSpec)) {
    // Sounds are kept in the device's format: another format needs them anew.
    for (auto& [path, chunk] : effects_) Mix_FreeChunk(chunk);
    effects_.clear();
    firstSpec = OpenedSpec();
  }
  Mix_AllocateChannels(1);
  Mix_ChannelFinished(&SdlSound::ChannelFinished);
  Mix_HookMusicFinished(&SdlSound::Finished);
  return true;
}

void SdlSound::CloseDevice() {
  silence_.stop();
  if (!open_) return;
  Mix_HookMusicFinished(nullptr);
  Mix_ChannelFinished(nullptr);
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  open_ = false;
}

bool SdlSound::Sounding() const { return open_ && (Mix_Playing(-1) > 0 || Mix_PlayingMusic() != 0); }

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
  for (auto& [path, chunk] : effects_) Mix_FreeChunk(chunk);
  effects_.clear();
  if (mixerReady_) Mix_Quit();
  mixerReady_ = false;
}

// --- effects and music ---

bool SdlSound::PlayEffect(const std::string& path) {
  if (!OpenDevice()) return false;
  auto it = effects_.find(path);
  if (it == effects_.end()) {
    Mix_Chunk* chunk = Mix_LoadWAV(path.c_str());
    if (chunk) it = effects_.emplace(path, chunk).first;
  }
  // Playing on the one effect channel cuts off whatever still sounds there.
  bool playing = it != effects_.end() && Mix_PlayChannel(kEffectChannel, it->second, 0) >= 0;
  Settle();
  return playing;
}

bool SdlSound::MusicOpen(const std::string& path) {
  if (!OpenDevice()) return false;
  MusicClose();
  music_ = Mix_LoadMUS(path.c_str());
  Settle();
  return music_ != nullptr;
}

bool SdlSound::MusicPlay() {
  bool playing = music_ && OpenDevice() && Mix_PlayMusic(music_, 0) == 0;
  Settle();
  return playing;
}

bool SdlSound::MusicPlaying() { return music_ && open_ && Mix_PlayingMusic() != 0; }

void SdlSound::MusicStop() {
  if (music_ && open_) Mix_HaltMusic();
  Settle();
}

void SdlSound::MusicClose() {
  if (!music_) return;
  if (open_) Mix_HaltMusic();
  Mix_FreeMusic(music_);
  music_ = nullptr;
  Settle();
}
