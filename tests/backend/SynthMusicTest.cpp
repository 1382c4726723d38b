// The theme's player rendered offline, buffer by buffer as the mixer asks,
// beside FluidSynth's own player rendering the same file: the tune sounds
// alike, tenth of a second by tenth, for 20 to 25 seconds, and its end is
// reported once its last notes have died away.
#include <algorithm>
#include <cmath>
#include <fluidsynth.h>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <numeric>

#include "platform/qt/SdlSoundMusic.h"
#include "tests/backend/SoundFont.h"

namespace {

constexpr int kRate = 22050, kTenth = kRate / 10, kBuffer = 512, kMaxFrames = 60 * kRate;

// The left channel of the tune as our player renders it, up to the end it
// reports.
std::vector<int16_t> OurPlayer(const std::string& midi) {
  SynthMusic music;
  std::vector<int16_t> left, buffer(2 * kBuffer);
  if (!music.Open(midi, kSoundFont, kRate, 2) || !music.Play(nullptr)) return left;
  while (music.Sounding() && left.size() < kMaxFrames) {
    music.Render(buffer.data(), kBuffer);
    for (int f = 0; f < kBuffer; ++f) left.push_back(buffer[2 * f]);
  }
  return left;
}

// The same, as long, from FluidSynth's own player on a synthesiser set up
// alike.
std::vector<int16_t> FluidPlayer(const std::string& midi, size_t frames) {
  fluid_settings_t* settings = new_fluid_settings();
  fluid_settings_setnum(settings, "synth.sample-rate", kRate);
  fluid_settings_setnum(settings, "synth.gain", 1.0);
  fluid_settings_setint(settings, "synth.reverb.active", 0);
  fluid_settings_setint(settings, "synth.chorus.active", 0);
  fluid_synth_t* synth = new_fluid_synth(settings);
  fluid_synth_sfload(synth, kSoundFont, 1);
  fluid_player_t* player = new_fluid_player(synth);
  fluid_player_add_mem(player, midi.data(), midi.size());
  fluid_player_play(player);
  std::vector<int16_t> left(frames), right(frames);
  fluid_synth_write_s16(synth, frames, left.data(), 0, 1, right.data(), 0, 1);
  delete_fluid_player(player);
  delete_fluid_synth(synth);
  delete_fluid_settings(settings);
  return left;
}

// The loudest sample in each tenth of a second.
std::vector<double> Envelope(const std::vector<int16_t>& samples) {
  std::vector<double> peaks((samples.size() + kTenth - 1) / kTenth);
  for (size_t i = 0; i < samples.size(); ++i)
    peaks[i / kTenth] = std::max(peaks[i / kTenth], std::abs(double(samples[i])));
  return peaks;
}

// Guards the player as a whole against FluidSynth's: messages sent as they
// should be, at their time, and the end reported only once the last notes
// have died away. Also that the theme lasts as long as the show wants it.
TEST(SynthMusic, PlaysTheThemeAsFluidSynthsOwnPlayer) {
  NEED_SOUND_FONT();
  std::ifstream file(ZENTRAVO_BUILD_DATA_DIR "/z_wumble.mid", std::ios::binary);
  const std::string theme(std::istreambuf_iterator<char>(file), {});
  const std::vector<int16_t> ours = OurPlayer(theme);
  ASSERT_TRUE(ours.size() > size_t(kRate) && ours.size() < size_t(kMaxFrames)) << ours.size() << " frames to its end";
  // How far our envelope lies from the reference's, relative to its sum.
  const std::vector<double> envelope = Envelope(ours), reference = Envelope(FluidPlayer(theme, ours.size()));
  double apart = 0;
  for (size_t i = 0; i < envelope.size(); ++i) apart += std::abs(envelope[i] - reference[i]);
  EXPECT_LT(apart / std::reduce(reference.begin(), reference.end()), 0.1) << "the tune sounds otherwise";
  auto loud = [](double peak) { return peak > 1000; };
  const double seconds = (std::find_if(envelope.rbegin(), envelope.rend(), loud).base() -
                          std::find_if(envelope.begin(), envelope.end(), loud)) / 10.0;
  EXPECT_TRUE(seconds >= 20 && seconds <= 25) << "the theme sounds for " << seconds << " s";
  EXPECT_LT(Envelope({ours.end() - kTenth, ours.end()})[0], 100) << "the end came while notes still sounded";
}

}  // namespace
