#pragma once
// Effects and theme music through SDL2_mixer. Every failure (no audio
// device, no file, no soundfont) leaves the program running, silent.
#include <map>
#include <string>

struct Mix_Chunk;
typedef struct _Mix_Music Mix_Music;

class SdlSound {
 public:
  SdlSound();
  ~SdlSound();
  bool PlayEffect(const std::string& path);
  bool MusicOpen(const std::string& path);
  bool MusicPlay();
  bool MusicPlaying();
  void MusicStop();
  void MusicClose();
  // Stops all sound and closes the device before the process ends.
  void Shutdown();

 private:
  bool ready_ = false;
  std::map<std::string, Mix_Chunk*> effects_;
  Mix_Music* music_ = nullptr;
};
