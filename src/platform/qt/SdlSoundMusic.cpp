#include "platform/qt/SdlSoundMusic.h"

#include <SDL_mixer.h>
#include <algorithm>
#include <cstdio>
#include <dlfcn.h>
#include <fluidsynth.h>
#include <mutex>
#include <set>
#include <sstream>

#include "platform/SafeFile.h"

namespace {

// Notes sounding at once, plenty for the theme; each one held ready costs
// memory. The notes one buffer starts take at most half of them, so that they
// steal only voices of earlier buffers.
constexpr int kVoices = 2 * midi::kNotesPerBuffer;
// The synthesiser renders in steps this long (its own block), events between.
constexpr int kStepFrames = 64;
// Distinct messages of the synthesiser printed; a message printed once, or
// one that differs from it only in its numbers, is not printed again.
constexpr size_t kMaxMessages = 64;

// FluidSynth loads samples with OpenMP where it was built with it; its pool
// takes its size from the thread that starts the job and busy-waits after
// it. One thread does the job as fast here.
void OneSynthThread() {
  using SetThreads = void (*)(int);
  static auto set = reinterpret_cast<SetThreads>(dlsym(RTLD_DEFAULT, "omp_set_num_threads"));
  if (set) set(1);
}

// The synthesiser's messages, each at most once: a fault that recurs on every
// buffer says so once instead of filling the error output.
void PrintOnce(int, const char* message, void*) {
  if (!message) return;
  static std::mutex lock;
  static std::set<std::string> printed;
  std::string kind(message);
  std::erase_if(kind, [](char c) { return c >= '0' && c <= '9'; });
  std::lock_guard<std::mutex> hold(lock);
  if (printed.size() >= kMaxMessages || !printed.insert(kind).second) return;
  std::fprintf(stderr, "fluidsynth: %s\n", message);
}

void PrintMessagesOnce() {
  static std::once_flag once;
  std::call_once(once, [] {
    for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO}) fluid_set_log_function(level, PrintOnce, nullptr);
  });
}

}  // namespace

SynthMusic::~SynthMusic() {
  Stop();
  if (synth_) delete_fluid_synth(synth_);
  if (settings_) delete_fluid_settings(settings_);
}

bool SynthMusic::Open(std::string midi, const std::string& fonts, int frequency, int channels) {
  if (!sequence_.Open(std::move(midi))) return false;
  due_.reserve(midi::kEventsPerBuffer);
  frequency_ = frequency;
  channels_ = channels;

  PrintMessagesOnce();
  OneSynthThread();
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
  // The synthesiser opens a font by its name and waits on whatever lies
  // there: only a regular file is handed to it.
  int loaded = 0;
  std::istringstream list(fonts);
  std::string font;
  while (std::getline(list, font, ':')) {
    std::istringstream parts(font);
    std::string part;
    while (std::getline(parts, part, ';'))
      if (safefile::Regular(part) && fluid_synth_sfload(synth_, part.c_str(), 1) != FLUID_FAILED) ++loaded;
  }
  return loaded > 0;
}

bool SynthMusic::Play(void (*ended)()) {
  Stop();
  if (!synth_) return false;
  sequence_.Rewind();
  ended_ = ended;
  sounding_ = true;
  Mix_HookMusic(&SynthMusic::Mix, this);
  return true;
}

void SynthMusic::Stop() {
  // Once unhooked, the audio thread is done with the synthesiser.
  Mix_HookMusic(nullptr, nullptr);
  sounding_ = false;
  if (synth_) fluid_synth_system_reset(synth_);
}

void SynthMusic::Send(const midi::Message& m) {
  const int channel = m.status & 0x0f;
  switch (m.status & 0xf0) {
    case 0x80: fluid_synth_noteoff(synth_, channel, m.a); break;
    case 0x90:
      if (m.b == 0) fluid_synth_noteoff(synth_, channel, m.a);
      else fluid_synth_noteon(synth_, channel, m.a, m.b);
      break;
    case 0xa0: fluid_synth_key_pressure(synth_, channel, m.a, m.b); break;
    case 0xb0: fluid_synth_cc(synth_, channel, m.a, m.b); break;
    case 0xc0: fluid_synth_program_change(synth_, channel, m.a); break;
    case 0xd0: fluid_synth_channel_pressure(synth_, channel, m.a); break;
    case 0xe0: fluid_synth_pitch_bend(synth_, channel, m.b << 7 | m.a); break;
  }
}

// On the audio thread: the stream is 16-bit samples, `channels_` a frame.
void SynthMusic::Mix(void* self, unsigned char* stream, int length) {
  auto* music = static_cast<SynthMusic*>(self);
  music->Render(reinterpret_cast<int16_t*>(stream), length / static_cast<int>(sizeof(int16_t)) / music->channels_);
}

void SynthMusic::Render(int16_t* out, int frames) {
  static thread_local bool oneThread = (OneSynthThread(), true);
  (void)oneThread;
  if (!sounding_) {
    std::fill(out, out + frames * channels_, 0);
    return;
  }
  midi::Allowance allowance;
  thread_local std::vector<int16_t> stereo;
  for (int done = 0; done < frames;) {
    const int step = std::min(kStepFrames, frames - done);
    sequence_.Due(allowance, due_);
    for (const midi::Message& message : due_) Send(message);
    due_.clear();
    int16_t* at = out + done * channels_;
    if (channels_ == 2) {
      fluid_synth_write_s16(synth_, step, at, 0, 2, at, 1, 2);
    } else {
      stereo.resize(static_cast<size_t>(step) * 2);
      fluid_synth_write_s16(synth_, step, stereo.data(), 0, 2, stereo.data(), 1, 2);
      for (int f = 0; f < step; ++f)
        for (int ch = 0; ch < channels_; ++ch)
          at[f * channels_ + ch] = channels_ == 1 ? static_cast<int16_t>((stereo[2 * f] + stereo[2 * f + 1]) / 2)
                                                  : (ch < 2 ? stereo[2 * f + ch] : int16_t{0});
    }
    done += step;
    sequence_.Advance(step, frequency_);
  }
  if (sequence_.Read() && fluid_synth_get_active_voice_count(synth_) == 0) {
    sounding_ = false;
    if (ended_) ended_();
  }
}
