#include "platform/qt/SdlSoundMusic.h"

#include <SDL_mixer.h>
#include <algorithm>
#include <dlfcn.h>
#include <fluidsynth.h>
#include <sstream>
#include <vector>

namespace {

// Notes sounding at once, plenty for the theme; each one held ready costs memory.
constexpr int kVoices = 64;

// FluidSynth loads samples with OpenMP where it was built with it; its pool
// takes its size from the thread that starts the job and busy-waits after
// it. One thread does the job as fast here.
void OneSynthThread() {
  using SetThreads = void (*)(int);
  static auto set = reinterpret_cast<SetThreads>(dlsym(RTLD_DEFAULT, "omp_set_num_threads"));
  if (set) set(1);
}

}  // namespace

SynthMusic::~SynthMusic() {
  Stop();
  if (synth_) delete_fluid_synth(synth_);
  if (settings_) delete_fluid_settings(settings_);
}

bool SynthMusic::Open(const std::string& path, const std::string& fonts, int frequency, int channels) {
  if (!fluid_is_midifile(path.c_str())) return false;
  OneSynthThread();
  path_ = path;
  channels_ = channels;
  settings_ = new_fluid_settings();
  if (!settings_) return false;
  fluid_settings_setnum(settings_, "synth.sample-rate", frequency);
  fluid_settings_setint(settings_, "synth.cpu-cores", 1);
  // Only the instruments that play are read from the font.
  fluid_settings_setint(settings_, "synth.dynamic-sample-loading", 1);
  fluid_settings_setint(settings_, "synth.reverb.active", 0);
  fluid_settings_setint(settings_, "synth.chorus.active", 0);
  fluid_settings_setnum(settings_, "synth.gain", 1.0);
  fluid_settings_setint(settings_, "synth.polyphony", kVoices);
  synth_ = new_fluid_synth(settings_);
  if (!synth_) return false;
  // Straight-line interpolation: a fraction of the work, and the theme's
  // instruments sound the same to the ear.
  fluid_synth_set_interp_method(synth_, -1, FLUID_INTERP_LINEAR);
  int loaded = 0;
  std::istringstream list(fonts);
  std::string font;
  while (std::getline(list, font, ':')) {
    std::istringstream parts(font);
    std::string part;
    while (std::getline(parts, part, ';'))
      if (!part.empty() && fluid_synth_sfload(synth_, part.c_str(), 1) != FLUID_FAILED) ++loaded;
  }
  return loaded > 0;
}

bool SynthMusic::Play(void (*ended)()) {
  Stop();
  if (!synth_) return false;
  player_ = new_fluid_player(synth_);
  if (!player_ || fluid_player_add(player_, path_.c_str()) != FLUID_OK || fluid_player_play(player_) != FLUID_OK) {
    if (player_) delete_fluid_player(player_);
    player_ = nullptr;
    return false;
  }
  ended_ = ended;
  sounding_ = true;
  Mix_HookMusic(&SynthMusic::Mix, this);
  return true;
}

void SynthMusic::Stop() {
  // Once unhooked, the audio thread is done with the synthesiser.
  Mix_HookMusic(nullptr, nullptr);
  sounding_ = false;
  if (player_) {
    fluid_player_stop(player_);
    delete_fluid_player(player_);
    player_ = nullptr;
  }
  if (synth_) fluid_synth_system_reset(synth_);
}

// On the audio thread: the stream is 16-bit samples, `channels_` a frame.
void SynthMusic::Mix(void* self, unsigned char* stream, int length) {
  auto* music = static_cast<SynthMusic*>(self);
  static thread_local bool oneThread = (OneSynthThread(), true);
  (void)oneThread;
  auto* out = reinterpret_cast<int16_t*>(stream);
  const int frames = length / static_cast<int>(sizeof(int16_t)) / music->channels_;
  if (!music->sounding_) {
    std::fill(out, out + frames * music->channels_, 0);
    return;
  }
  if (music->channels_ == 2) {
    fluid_synth_write_s16(music->synth_, frames, out, 0, 2, out, 1, 2);
  } else {
    thread_local std::vector<int16_t> stereo;
    stereo.resize(static_cast<size_t>(frames) * 2);
    fluid_synth_write_s16(music->synth_, frames, stereo.data(), 0, 2, stereo.data(), 1, 2);
    for (int f = 0; f < frames; ++f)
      for (int ch = 0; ch < music->channels_; ++ch)
        out[f * music->channels_ + ch] =
            music->channels_ == 1 ? static_cast<int16_t>((stereo[2 * f] + stereo[2 * f + 1]) / 2)
                                  : (ch < 2 ? stereo[2 * f + ch] : int16_t{0});
  }
  if (fluid_player_get_status(music->player_) == FLUID_PLAYER_DONE &&
      fluid_synth_get_active_voice_count(music->synth_) == 0) {
    music->sounding_ = false;
    if (music->ended_) music->ended_();
  }
}
