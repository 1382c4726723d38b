// Fuzz target for the theme's MIDI reader, a file from the user's folder:
// played to its end twice, nothing may crash, every message taken is a
// channel message, and both plays take the same. (A buffer's allowance:
// tests/backend/MidiSequenceTest.cpp.)
#include "platform/qt/MidiSequence.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  midi::Sequence sequence;
  if (!sequence.Open(std::string(reinterpret_cast<const char*>(data), size))) return 0;
  // Plays buffers of a long time each (a file may wait hours between its
  // events) to the end, which must come; the number of messages taken.
  auto play = [&sequence] {
    std::vector<midi::Message> due;
    for (midi::Allowance allowance; !sequence.Read(); allowance = {}, sequence.Advance(1 << 30, 1))
      sequence.Due(allowance, due);
    for (const midi::Message& m : due)
      if (m.status < 0x80 || m.status >= 0xf0 || m.a > 0x7f || m.b > 0x7f) __builtin_trap();
    return due.size();
  };
  const size_t first = play();
  sequence.Rewind();
  if (play() != first) __builtin_trap();
  return 0;
}
