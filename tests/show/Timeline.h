#pragma once
// A record of what the show puts on screen: at every message pass, each
// sprite whose picture, place or visibility changed since the pass before,
// with the virtual time of that pass. Effects come from the fake host with
// the time they were started.
#include <QString>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "platform/fake/FakeBackend.h"
#include "show/ScreenSaver.h"

class Timeline {
 public:
  struct Event {
    double t;
    std::string sprite;   // "imgflag", "gun3", "cloud", ...
    std::string picture;  // name of the source picture shown; a label's caption; "" for none
    float left, top;
    bool visible;
  };

  Timeline(FakeBackend& host, ScreenSaver& show) : host_(host) {
    Watch("imgflag", show.imgflag);
    Watch("head", show.head);
    Watch("imgSurf", show.imgSurf);
    Watch("hand1", show.hand1);
    Watch("hand2", show.hand2);
    Watch("handa", show.handa);
    Watch("handb", show.handb);
    for (size_t i = 0; i < show.gun.size(); ++i) Watch("gun" + std::to_string(i), show.gun[i]);
    for (size_t i = 0; i < show.bullet.size(); ++i) Watch("bullet" + std::to_string(i), show.bullet[i]);
    watched_.push_back({"cloud", &show.cloud, nullptr, &show.cloudlbl, {}});

    Name("stand", show.stand);
    Name("heada", show.heada);
    Name("headb", show.headb);
    Name("headc", show.headc);
    Name("headd", show.headd);
    Name("head1", show.head1);
    Name("head2", show.head2);
    Name("head3", show.head3);
    Name("head4", show.head4);
    for (int i = 0; i < 3; ++i) {
      Name("righty" + std::to_string(i), show.righty[i]);
      Name("lefty" + std::to_string(i), show.lefty[i]);
      Name("righter" + std::to_string(i), show.righter[i]);
      Name("lefter" + std::to_string(i), show.lefter[i]);
    }
    for (size_t i = 0; i < show.gun.size(); ++i) Name("gun" + std::to_string(i), show.gun[i]);
    for (size_t i = 0; i < show.bullet.size(); ++i) Name("bullet" + std::to_string(i), show.bullet[i]);
    Name("hand1", show.hand1);
    Name("hand2", show.hand2);
    Name("handa", show.handa);
    Name("handb", show.handb);

    for (Watched& w : watched_) w.last = Now(w, 0);
    host_.onPass = [this] { Record(); };
  }
  ~Timeline() { host_.onPass = nullptr; }
  Timeline(const Timeline&) = delete;
  Timeline& operator=(const Timeline&) = delete;

  // Every change, in order.
  const std::vector<Event>& Events() const { return events_; }
  // The changes of one sprite.
  std::vector<Event> Of(const std::string& sprite) const {
    std::vector<Event> out;
    for (const Event& e : events_)
      if (e.sprite == sprite) out.push_back(e);
    return out;
  }
  // Effects started so far: (virtual time, file name).
  const std::vector<FakeBackend::Effect>& Effects() const { return host_.effects; }

 private:
  struct Watched {
    std::string name;
    const Control* control;
    const Image* image;
    const Label* label;
    Event last;
  };

  void Watch(const std::string& name, const Image& image) { watched_.push_back({name, &image, &image, nullptr, {}}); }
  void Name(const std::string& name, const Image& source) {
    if (!source.Picture().isNull()) names_.emplace(source.Picture().cacheKey(), name);
  }

  Event Now(const Watched& w, double t) const {
    std::string picture;
    if (w.image && !w.image->Picture().isNull()) {
      auto it = names_.find(w.image->Picture().cacheKey());
      picture = it == names_.end() ? "?" : it->second;
    }
    if (w.label) picture = w.label->Caption().toStdString();
    return {t, w.name, picture, w.control->Left(), w.control->Top(), w.control->Visible()};
  }

  void Record() {
    for (Watched& w : watched_) {
      Event e = Now(w, host_.now);
      if (e.picture != w.last.picture || e.left != w.last.left || e.top != w.last.top ||
          e.visible != w.last.visible) {
        events_.push_back(e);
        w.last = e;
      }
    }
  }

  FakeBackend& host_;
  std::vector<Watched> watched_;
  std::map<qint64, std::string> names_;
  std::vector<Event> events_;
};

inline std::ostream& operator<<(std::ostream& os, const Timeline::Event& e) {
  return os << e.t << "s " << e.sprite << " [" << e.picture << "] " << e.left << "," << e.top
            << (e.visible ? " shown" : " hidden");
}
