#pragma once
// A show window on the fake backend: virtual clock, recorded calls, scripted
// draws, input scheduled with host.At(). The show "ends the process" by
// throwing ProcessEnded, which Run() catches. A Timeline records what each
// message pass puts on screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/fake/FakeBackend.h"
#include "show/ScreenSaver.h"
#include "startup/Starter.h"
#include "tests/common/TempWinDir.h"

// The tests' view of the window's private procedures and state.
class ShowProbe {
 public:
  explicit ShowProbe(ScreenSaver& show) : s_(show) {}
  void SetupStage() { s_.SetupStage(); }
  void PlayEpisodeIntro() { s_.PlayEpisodeIntro(); }
  void PlayEpisodeFlag() { s_.PlayEpisodeFlag(); }
  void PlayEpisodeBelow() { s_.PlayEpisodeBelow(); }
  void PlayEpisodeRunner() { s_.PlayEpisodeRunner(); }
  void PlayEpisodeGunner() { s_.PlayEpisodeGunner(); }
  void PlayEpisodeAbove() { s_.PlayEpisodeAbove(); }
  void SpeakAtFlag() { s_.SpeakAtFlag(); }
  void SpeakAtHead() { s_.SpeakAtHead(); }
  void WaitTick() { s_.WaitTick(); }
  void Wait4Sec() { s_.Wait4Sec(); }
  void PlayEffect(const char* file) { s_.PlayEffect(file); }

 private:
  ScreenSaver& s_;
};

// Thrown when a run makes more message passes than its test allows, so a loop
// that never ends fails its test instead of hanging it.
struct Runaway {};

// At every message pass, each sprite whose picture (the speech box: its
// caption), place or visibility changed since the pass before, with the
// virtual time of the pass; and the time of every pass. `each` runs at every
// pass, after it is recorded; more than `limit` passes throw Runaway. With a
// `step`, passes come at least that often (until 60 s on), so that the
// start of a fixed wait is seen as well as its end.
class Timeline {
 public:
  struct Event {
    double t;
    std::string sprite, picture;  // picture: the name of the source shown, "" for none
    float left, top;
    bool visible;
  };
  std::vector<Event> events;
  std::vector<double> passes;

  Timeline(FakeBackend& host, ScreenSaver& s, size_t limit = 200000, std::function<void()> each = nullptr,
           double step = 0)
      : host_(host), s_(s) {
    for (auto [name, image] : {std::pair<std::string, const Image*>{"stand", &s.stand}, {"heada", &s.heada},
                               {"headb", &s.headb}, {"headc", &s.headc}, {"headd", &s.headd}, {"head1", &s.head1},
                               {"head2", &s.head2}, {"head3", &s.head3}, {"head4", &s.head4}})
      names_.emplace(image->Picture().cacheKey(), name);
    for (auto [name, frames] : {std::pair<std::string, const std::vector<Image>*>{"righty", &s.righty},
                                {"lefty", &s.lefty}, {"righter", &s.righter}, {"lefter", &s.lefter}})
      for (size_t i = 0; i < frames->size(); ++i)
        names_.emplace((*frames)[i].Picture().cacheKey(), name + std::to_string(i));
    for (auto [name, sprite] : {std::pair<std::string, const Control*>{"imgflag", &s.imgflag}, {"head", &s.head},
                                {"imgSurf", &s.imgSurf}, {"hand1", &s.hand1}, {"hand2", &s.hand2},
                                {"handa", &s.handa}, {"handb", &s.handb}, {"cloud", &s.cloud}})
      watched_.push_back({name, sprite, Now(name, sprite)});
    for (auto [name, frames] :
         {std::pair<std::string, const std::vector<Image>*>{"gun", &s.gun}, {"bullet", &s.bullet}})
      for (size_t i = 0; i < frames->size(); ++i)
        watched_.push_back({name + std::to_string(i), &(*frames)[i], Now(name + std::to_string(i), &(*frames)[i])});
    host_.onPass = [this, limit, each] {
      passes.push_back(host_.now);
      if (passes.size() > limit) throw Runaway{};
      for (Watched& w : watched_) {
        Event e = Now(w.name, w.sprite);
        if (e.picture != w.last.picture || e.left != w.last.left || e.top != w.last.top || e.visible != w.last.visible)
          events.push_back(w.last = e);
      }
      if (each) each();
    };
    if (step > 0) PassEvery(host_, step, host_.now + step / 10, host_.now + 60);
  }
  ~Timeline() { host_.onPass = nullptr; }
  Timeline(const Timeline&) = delete;
  Timeline& operator=(const Timeline&) = delete;

  // The passes from `start` on as a script: for each pass, the effects started
  // since the pass before ("blink" for "z_blink.wav"), then what `say` makes of
  // each change the pass shows, then how long the pass took to come ("tick",
  // or whole seconds: "2s").
  std::string Script(double start, const std::vector<FakeBackend::Effect>& effects,
                     const std::function<std::string(const Event&)>& say) const {
    std::string script;
    size_t effect = 0, event = 0;
    for (double pass : passes) {
      for (; effect < effects.size() && effects[effect].at <= start; ++effect)
        script += effects[effect].file.substr(2, effects[effect].file.size() - 6) + ' ';
      for (; event < events.size() && events[event].t <= pass; ++event) script += say(events[event]);
      const double pause = pass - start;
      script += (pause < 0.5 ? std::string("tick") : std::to_string(static_cast<int>(pause + 0.5)) + "s") + ' ';
      start = pass;
    }
    return script;
  }

  std::vector<Event> Of(const std::string& sprite) const {
    std::vector<Event> out;
    for (const Event& e : events)
      if (e.sprite == sprite) out.push_back(e);
    return out;
  }

 private:
  struct Watched {
    std::string name;
    const Control* sprite;
    Event last;
  };
  Event Now(const std::string& name, const Control* sprite) const {
    std::string picture;
    if (sprite == &s_.cloud) {
      picture = s_.cloudlbl.Caption().toStdString();
    } else if (const ProgramPicture& shown = static_cast<const Image*>(sprite)->Picture(); !shown.Size().isEmpty()) {
      auto it = names_.find(shown.cacheKey());
      picture = it == names_.end() ? "?" : it->second;
    }
    return {host_.now, name, picture, sprite->Left(), sprite->Top(), sprite->Visible()};
  }
  static void PassEvery(FakeBackend& host, double step, double t, double until) {
    if (t >= until) return;
    host.At(t, [&host, t, step, until] {
      double next = t + step;
      while (next <= host.now) next += step;
      PassEvery(host, step, next, until);
    });
  }

  FakeBackend& host_;
  const ScreenSaver& s_;
  std::vector<Watched> watched_;
  std::map<qint64, std::string> names_;
};

inline std::ostream& operator<<(std::ostream& os, const Timeline::Event& e) {
  return os << e.t << "s " << e.sprite << " [" << e.picture << "] " << e.left << "," << e.top
            << (e.visible ? " shown" : " hidden");
}

class ShowFixture : public testing::Test {
 protected:
  TempWinDir dir;
  FakeBackend host;
  std::unique_ptr<ScreenSaver> show;

  void SetUp() override {
    Starter::ResetForTests();
    Starter::RunMode = Starter::rmScreenSaver;
    Starter::Settings.SpinSpeed = 1.0f;
    Starter::Settings.Sound = -1;
    Starter::DataPath = dir.Path() + "/";
    std::replace(Starter::DataPath.begin(), Starter::DataPath.end(), '/', '\\');
  }
  void TearDown() override {
    Starter::SendMci("close theme");
    show.reset();
  }

  ScreenSaver& MakeShow() {
    show = std::make_unique<ScreenSaver>();
    return *show;
  }
  // A new window on a screen of this size, its stage laid out.
  ScreenSaver& Stage(int width = 1024, int height = 768, int twips = 15) {
    host.screenWidth = width, host.screenHeight = height;
    host.twipsX = host.twipsY = twips;
    MakeShow();
    Probe().SetupStage();
    return *show;
  }
  ShowProbe Probe() { return ShowProbe(*show); }
  float SW() const { return static_cast<float>(host.screenWidth * host.twipsX); }
  float SH() const { return static_cast<float>(host.screenHeight * host.twipsY); }

  // Loads the window (the show runs inside) and returns the exit code; -1 when
  // the show came back without ending the process.
  int Run() {
    if (!show) MakeShow();
    try {
      show->Load();
    } catch (const ProcessEnded& ended) {
      return ended.code;
    }
    return -1;
  }
};
