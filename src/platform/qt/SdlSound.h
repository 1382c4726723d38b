#pragma once
// Effects and theme music through SDL2_mixer. Every failure (no audio
// device, no file, no soundfont) leaves the program running, silent.
//
// The audio device is open only while something sounds: it opens when an
// effect or the music starts and closes once nothing has sounded for a
// moment, so that no audio thread runs while the show is silent. The end of a
// sound is learnt from the mixer's audio thread and handled on the thread
// that owns this object, in its event loop.
#include <QTimer>
#include <map>
#include <memory>
#include <string>

#include "platform/qt/SdlSoundMusic.h"
#include "platform/qt/SoundPlayer.h"

struct Mix_Chunk;

class SdlSound : public SoundPlayer {
 public:
  SdlSound();
  ~SdlSound() override;
  bool PlayEffect(const std::string& name, const std::string& wave) override;
  bool MusicOpen(const std::string& midi) override;
  bool MusicPlay() override;
  bool MusicPlaying() override;
  void MusicStop() override;
  void MusicClose() override;
  void Shutdown() override;
  // True while the audio device is open.
  bool DeviceOpen() const { return open_; }

 private:
  bool OpenDevice();
  void CloseDevice();
  bool Sounding() const;
  // After every change, and when a sound has ended: a device with nothing to
  // play closes after a moment of silence.
  void Settle();
  static void Finished();
  static void ChannelFinished(int channel);

  bool open_ = false;
  bool failed_ = false;  // the device could not be opened: stay silent
  struct Effect {
    std::string wave;  // the bytes it was made from
    Mix_Chunk* chunk = nullptr;
  };
  std::map<std::string, Effect> effects_;
  std::unique_ptr<SynthMusic> music_;
  QTimer silence_;
};
