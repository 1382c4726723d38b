#include "platform/qt/MidiSequence.h"

#include <algorithm>

namespace midi {
namespace {

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

bool Sequence::Open(std::string file) {
  // The header: its length, the format, the track count and the ticks a
  // quarter note (time in frames of a second is not taken).
  if (file.size() < 14 || file.compare(0, 4, "MThd") != 0) return false;
  const uint32_t header = Big(file, 4, 4);
  division_ = static_cast<int>(Big(file, 12, 2));
  if (header < 6 || division_ == 0 || division_ & 0x8000) return false;
  tracks_.clear();
  for (size_t at = 8 + size_t{header}; at + 8 <= file.size() && tracks_.size() < kMaxTracks;) {
    const size_t length = Big(file, at + 4, 4);
    Track track;
    track.begin = at + 8;
    track.end = std::min(file.size(), track.begin + length);
    if (file.compare(at, 4, "MTrk") == 0) tracks_.push_back(track);
    at = track.end;
  }
  file_ = std::move(file);
  Rewind();
  return !tracks_.empty();
}

void Sequence::Rewind() {
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

void Sequence::ReadDelta(Track& track) {
  uint32_t delta = 0;
  if (ReadNumber(file_, track.at, track.end, &delta)) track.due += delta;
  else track.done = true;
}

void Sequence::Due(Allowance& allowance, std::vector<Message>& out) {
  while (allowance.events > 0) {
    Track* next = nullptr;
    for (Track& track : tracks_)
      if (!track.done && track.due <= now_ && (!next || track.due < next->due)) next = &track;
    if (!next) return;
    --allowance.events;
    Message message;
    if (!ReadEvent(*next, &message)) continue;
    if ((message.status & 0xf0) == 0x90 && message.b > 0) {
      if (allowance.notes == 0) continue;
      --allowance.notes;
    }
    out.push_back(message);
  }
}

// A track that does not read as MIDI ends there.
bool Sequence::ReadEvent(Track& track, Message* message) {
  const std::string& m = file_;
  auto byte = [&](size_t at) { return static_cast<uint8_t>(m[at]); };
  if (track.at >= track.end) return track.done = true, false;
  uint8_t status = byte(track.at);
  bool channel = false;
  if (status >= 0xf0) {
    // System exclusive and meta events: a length, then that many bytes.
    size_t data = track.at + (status == 0xff ? 2 : 1);
    uint32_t size = 0;
    if (data > track.end || !ReadNumber(m, data, track.end, &size) || size > track.end - data)
      return track.done = true, false;
    track.status = 0;
    if (status == 0xff) {
      const uint8_t type = byte(track.at + 1);
      if (type == 0x2f) return track.done = true, false;
      if (type == 0x51 && size == 3 && Big(m, data, 3) > 0) tempo_ = Big(m, data, 3);
    } else if (status != 0xf0 && status != 0xf7) {
      return track.done = true, false;
    }
    track.at = data + size;
  } else {
    if (status & 0x80) ++track.at;
    else status = track.status;
    const int kind = status & 0xf0;
    const size_t count = (kind == 0xc0 || kind == 0xd0) ? 1 : 2;
    if (!(status & 0x80) || track.at + count > track.end) return track.done = true, false;
    message->status = status;
    message->a = byte(track.at) & 0x7f;
    message->b = count == 2 ? byte(track.at + 1) & 0x7f : 0;
    track.at += count;
    track.status = status;
    channel = true;
  }
  ReadDelta(track);
  return channel;
}

void Sequence::Advance(int frames, int frequency) { now_ += frames * 1e6 / frequency / tempo_ * division_; }

bool Sequence::Read() const {
  return std::all_of(tracks_.begin(), tracks_.end(), [](const Track& t) { return t.done; });
}

}  // namespace midi
