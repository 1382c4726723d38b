#include "platform/qt/SdlSoundMusic.h"

#include <SDL_mixer.h>
#include <algorithm>
#include <cstdio>
#include <dlfcn.h>
#include <fluidsynth.h>
#include <mutex>
#include <set>
#include <sstream>

namespace {

// Notes sounding at once, plenty for the theme; each one held ready costs memory.
constexpr int kVoices = 64;
// What one buffer of the mixer may take from the file: events read, and notes
// started among them: half the voices, so that the notes of one buffer steal
// only voices of earlier ones.
constexpr int kEventsPerBuffer = 256;
constexpr int kNotesPerBuffer = kVoices / 2;
// The synthesiser renders in steps this long (its own block), events between.
constexpr int kStepFrames = 64;
// Tracks read from a file; those beyond are left silent.
constexpr size_t kMaxTracks = 64;
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

// A number of the file: `bytes` bytes, the highest first.
uint32_t Big(const std::string& s, size_t at, int bytes) {
  uint32_t value = 0;
  for (int i = 0; i < bytes; ++i) value = value << 8 | static_cast<uint8_t>(s[at + i]);
  return value;
}

// A number of the file's other kind: up to four bytes of seven bits each, the
// last without its top bit.
bool ReadNumber(const std::string& m, size_t& at, size_t end, uint32_t* value) {
  *value = 0;
  for (int i = 0; i < 4 && at < end; ++i) {
    const uint8_t byte = static_cast<uint8_t>(m[at++]);
    *value = *value << 7 | (byte & 0x7f);
    if (!(byte & 0x80)) return true;
  }
  return false;
}

}  // namespace

SynthMusic::~SynthMusic() {
  Stop();
  if (synth_) delete_fluid_synth(synth_);
  if (settings_) delete_fluid_settings(settings_);
}

bool SynthMusic::Open(std::string midi, const std::string& fonts, int frequency, int channels) {
  // The header: its length, the format, the track count and the ticks a
  // quarter note (time in frames of a second is not taken).
  if (midi.size() < 14 || midi.compare(0, 4, "MThd") != 0) return false;
  const uint32_t header = Big(midi, 4, 4);
  division_ = static_cast<int>(Big(midi, 12, 2));
  if (header < 6 || division_ == 0 || division_ & 0x8000) return false;
  tracks_.clear();
  for (size_t at = 8 + size_t{header}; at + 8 <= midi.size() && tracks_.size() < kMaxTracks;) {
    const size_t length = Big(midi, at + 4, 4);
    Track track;
    track.begin = at + 8;
    track.end = std::min(midi.size(), track.begin + length);
    if (midi.compare(at, 4, "MTrk") == 0) tracks_.push_back(track);
    at = track.end;
  }
  if (tracks_.empty()) return false;
  midi_ = std::move(midi);
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
  Rewind();
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

// --- the sequencer ---

void SynthMusic::Rewind() {
  now_ = 0;
  tempo_ = 500000;
  for (Track& track : tracks_) {
    track.at = track.begin;
    track.due = 0;
    track.status = 0;
    track.done = false;
    ReadDelta(track);
  }
}

void SynthMusic::ReadDelta(Track& track) {
  uint32_t delta = 0;
  if (ReadNumber(midi_, track.at, track.end, &delta)) track.due += delta;
  else track.done = true;
}

void SynthMusic::Sequence(int& events, int& notes) {
  while (events > 0) {
    Track* next = nullptr;
    for (Track& track : tracks_)
      if (!track.done && track.due <= now_ && (!next || track.due < next->due)) next = &track;
    if (!next) return;
    --events;
    Send(*next, notes);
  }
}

// Sends the track's next event to the synthesiser; a note-on beyond the
// buffer's notes is dropped. A track that does not read as MIDI ends there.
void SynthMusic::Send(Track& track, int& notes) {
  const std::string& m = midi_;
  auto byte = [&](size_t at) { return static_cast<uint8_t>(m[at]); };
  if (track.at >= track.end) return void(track.done = true);
  uint8_t status = byte(track.at);
  if (status >= 0xf0) {
    // System exclusive and meta events: a length, then that many bytes.
    size_t data = track.at + (status == 0xff ? 2 : 1);
    uint32_t size = 0;
    if (data > track.end || !ReadNumber(m, data, track.end, &size) || size > track.end - data)
      return void(track.done = true);
    track.status = 0;
    if (status == 0xff) {
      const uint8_t type = byte(track.at + 1);
      if (type == 0x2f) return void(track.done = true);
      if (type == 0x51 && size == 3 && Big(m, data, 3) > 0) tempo_ = Big(m, data, 3);
    } else if (status != 0xf0 && status != 0xf7) {
      return void(track.done = true);
    }
    track.at = data + size;
  } else {
    if (status & 0x80) ++track.at;
    else status = track.status;
    const int kind = status & 0xf0, channel = status & 0x0f;
    const size_t count = (kind == 0xc0 || kind == 0xd0) ? 1 : 2;
    if (!(status & 0x80) || track.at + count > track.end) return void(track.done = true);
    const int a = byte(track.at) & 0x7f, b = count == 2 ? byte(track.at + 1) & 0x7f : 0;
    track.at += count;
    track.status = status;
    switch (kind) {
      case 0x80: fluid_synth_noteoff(synth_, channel, a); break;
      case 0x90:
        if (b == 0) {
          fluid_synth_noteoff(synth_, channel, a);
        } else if (notes > 0) {
          --notes;
          fluid_synth_noteon(synth_, channel, a, b);
        }
        break;
      case 0xa0: fluid_synth_key_pressure(synth_, channel, a, b); break;
      case 0xb0: fluid_synth_cc(synth_, channel, a, b); break;
      case 0xc0: fluid_synth_program_change(synth_, channel, a); break;
      case 0xd0: fluid_synth_channel_pressure(synth_, channel, a); break;
      case 0xe0: fluid_synth_pitch_bend(synth_, channel, b << 7 | a); break;
    }
  }
  ReadDelta(track);
}

// On the audio thread: the stream is 16-bit samples, `channels_` a frame.
void SynthMusic::Mix(void* self, unsigned char* stream, int length) {
  auto* music = static_cast<SynthMusic*>(self);
  static thread_local bool oneThread = (OneSynthThread(), true);
  (void)oneThread;
  auto* out = reinterpret_cast<int16_t*>(stream);
  const int channels = music->channels_;
  const int frames = length / static_cast<int>(sizeof(int16_t)) / channels;
  if (!music->sounding_) {
    std::fill(out, out + frames * channels, 0);
    return;
  }
  int events = kEventsPerBuffer, notes = kNotesPerBuffer;
  thread_local std::vector<int16_t> stereo;
  for (int done = 0; done < frames;) {
    const int step = std::min(kStepFrames, frames - done);
    music->Sequence(events, notes);
    int16_t* at = out + done * channels;
    if (channels == 2) {
      fluid_synth_write_s16(music->synth_, step, at, 0, 2, at, 1, 2);
    } else {
      stereo.resize(static_cast<size_t>(step) * 2);
      fluid_synth_write_s16(music->synth_, step, stereo.data(), 0, 2, stereo.data(), 1, 2);
      for (int f = 0; f < step; ++f)
        for (int ch = 0; ch < channels; ++ch)
          at[f * channels + ch] = channels == 1 ? static_cast<int16_t>((stereo[2 * f] + stereo[2 * f + 1]) / 2)
                                                : (ch < 2 ? stereo[2 * f + ch] : int16_t{0});
    }
    done += step;
    music->now_ += step * 1e6 / music->frequency_ / music->tempo_ * music->division_;
  }
  const bool read = std::all_of(music->tracks_.begin(), music->tracks_.end(), [](const Track& t) { return t.done; });
  if (read && fluid_synth_get_active_voice_count(music->synth_) == 0) {
    music->sounding_ = false;
    if (music->ended_) music->ended_();
  }
}
