#pragma once
// A standard MIDI file read as its events fall due: the tracks' events merged
// in time, the tempo followed. It keeps no clock of its own; its player moves
// it on by the frames it has rendered and takes the channel messages due.
//
// Its work is bounded whatever the file holds: one buffer reads at most so
// many events and starts at most so many notes among them. Notes beyond that
// are dropped; other events wait for the next buffer.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace midi {

// Tracks read from a file; those beyond are left silent.
inline constexpr size_t kMaxTracks = 64;
inline constexpr int kEventsPerBuffer = 256;
inline constexpr int kNotesPerBuffer = 32;

// A channel message: its status byte (kind and channel) and data bytes.
struct Message {
  uint8_t status = 0, a = 0, b = 0;
};

// What is left of one buffer's events and notes.
struct Allowance {
  int events = kEventsPerBuffer;
  int notes = kNotesPerBuffer;
};

class Sequence {
 public:
  // The bytes of a standard MIDI file timed in ticks a quarter note; false
  // if it is none or holds no track.
  bool Open(std::string file);
  // Back to the beginning of the file.
  void Rewind();
  // Appends the messages due by now to `out`, within the allowance.
  void Due(Allowance& allowance, std::vector<Message>& out);
  // Moves time on by `frames` at `frequency` frames a second.
  void Advance(int frames, int frequency);
  // True once every track has been read to its end.
  bool Read() const;

 private:
  // One track of the file: where its next event lies and when it is due.
  struct Track {
    size_t begin = 0, at = 0, end = 0;
    double due = 0;      // in ticks from the start
    uint8_t status = 0;  // the running status
    bool done = false;
  };
  // Reads the track's next event; true if it is a channel message.
  bool ReadEvent(Track& track, Message* message);
  void ReadDelta(Track& track);

  std::string file_;
  std::vector<Track> tracks_;
  int division_ = 96;      // ticks a quarter note
  double now_ = 0;         // ticks played
  double tempo_ = 500000;  // microseconds a quarter note
};

}  // namespace midi
