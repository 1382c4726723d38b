#include "platform/fake/FakeBackend.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>

FakeBackend::FakeBackend() { SetHost(this); }

FakeBackend::~FakeBackend() {
  if (&Host() == this) SetHost(nullptr);
}

void FakeBackend::At(double at, std::function<void()> action) {
  scheduled_.push_back({at, std::move(action)});
  std::stable_sort(scheduled_.begin(), scheduled_.end(),
                   [](const Scheduled& a, const Scheduled& b) { return a.at < b.at; });
}

std::vector<std::string> FakeBackend::CallsStartingWith(const std::string& prefix) const {
  std::vector<std::string> out;
  for (const auto& c : calls)
    if (c.rfind(prefix, 0) == 0) out.push_back(c);
  return out;
}

double FakeBackend::SecondsSinceMidnight() { return std::fmod(midnightOffset + now, 86400.0); }

void FakeBackend::SleepUntil(double deadline) { now = std::max(now, deadline); }

double FakeBackend::NextScheduled() const {
  return scheduled_.empty() ? std::numeric_limits<double>::infinity() : scheduled_.front().at;
}

void FakeBackend::ProcessEvents() {
  ++passes;
  if (onPass) onPass();
  while (!scheduled_.empty() && scheduled_.front().at <= now) {
    auto action = std::move(scheduled_.front().action);
    scheduled_.erase(scheduled_.begin());
    action();
  }
  if (QCoreApplication::instance()) QCoreApplication::sendPostedEvents();
}

void FakeBackend::WaitForEvents(double deadline) {
  now = std::max(now, std::min(deadline, NextScheduled()));
  ProcessEvents();
}

void FakeBackend::RunMessageLoop() {
  quitRequested = false;
  while (!quitRequested && !scheduled_.empty()) WaitForEvents(NextScheduled());
}

void FakeBackend::EndProcess(int code) {
  calls.push_back("EndProcess " + std::to_string(code));
  throw ProcessEnded{code};
}

void FakeBackend::SetPointerHidden(bool hidden) { pointerHidden = hidden; }

uint32_t FakeBackend::FindTopLevelWindow(const std::string& title) {
  calls.push_back("FindTopLevelWindow " + title);
  auto it = topLevelWindows.find(title);
  return it == topLevelWindows.end() ? 0 : it->second;
}

bool FakeBackend::OpenDocument(const std::string& address) {
  calls.push_back("OpenDocument " + address);
  return true;
}

std::optional<float> FakeBackend::ImposedDraw() {
  if (draws.empty()) return std::nullopt;
  float draw = draws.front();
  draws.pop_front();
  return draw;
}

bool FakeBackend::PlayEffect(const std::string& hostPath, const std::string& wave) {
  calls.push_back("PlayEffect " + hostPath);
  given.push_back(wave);
  std::string::size_type slash = hostPath.find_last_of("/\\");
  effects.push_back({now, slash == std::string::npos ? hostPath : hostPath.substr(slash + 1)});
  return !wave.empty();
}

bool FakeBackend::MusicOpen(const std::string& hostPath, const std::string& midi) {
  calls.push_back("MusicOpen " + hostPath);
  given.push_back(midi);
  musicOpen = !midi.empty();
  return musicOpen;
}

bool FakeBackend::MusicPlay() {
  calls.push_back("MusicPlay");
  if (!musicOpen) return false;
  musicStartedAt = now;
  return true;
}

bool FakeBackend::MusicPlaying() {
  return musicOpen && musicStartedAt >= 0 && now < musicStartedAt + musicLength;
}

void FakeBackend::MusicStop() {
  calls.push_back("MusicStop");
  musicStartedAt = -1;
}

void FakeBackend::MusicClose() {
  calls.push_back("MusicClose");
  musicOpen = false;
  musicStartedAt = -1;
}

uint32_t FakeBackend::WindowHandle(QWidget* window) {
  auto it = handles_.find(window);
  if (it != handles_.end()) return it->second;
  return handles_[window] = nextHandle_++;
}

bool FakeBackend::ClientRect(uint32_t handle, RECT* rect) {
  auto it = foreignRects.find(handle);
  if (it == foreignRects.end()) return false;
  *rect = it->second;
  return true;
}

bool FakeBackend::EmbedInForeign(QWidget* window, uint32_t parent) {
  calls.push_back("EmbedInForeign " + std::to_string(parent));
  embedded[window] = parent;
  return parent != 0;
}

bool FakeBackend::CanHostChild(uint32_t handle) {
  return foreignRects.count(handle) > 0;
}

RECT FakeBackend::FrameMargins(QWidget* window) { return window->isWindow() ? frame : RECT{}; }
