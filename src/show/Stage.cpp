#include "show/Stage.h"

#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <map>
#include <string>
#include <thread>

#include "assets/Pictures.h"
#include "platform/Forms.h"

namespace {

// Decoded one after the other, the window's pictures would hold up its first
// frame: a few threads decode them all together when the first is asked for.
std::map<std::string, QImage, std::less<>> DecodeAll() {
  const std::vector<PictureSpec>& specs = AllPictures();
  std::vector<QImage> images(specs.size());
  const size_t threads = std::clamp<size_t>(std::thread::hardware_concurrency(), 1, 4);
  std::vector<std::thread> workers;
  for (size_t w = 0; w < threads; ++w)
    workers.emplace_back([&, w] {
      for (size_t i = w; i < specs.size(); i += threads) images[i] = LoadPicture(specs[i].name);
    });
  for (std::thread& worker : workers) worker.join();
  std::map<std::string, QImage, std::less<>> decoded;
  for (size_t i = 0; i < specs.size(); ++i) decoded.emplace(specs[i].name, std::move(images[i]));
  return decoded;
}

QPixmap NamedPicture(std::string_view name) {
  static std::map<std::string, QImage, std::less<>> decoded = DecodeAll();
  auto it = decoded.find(name);
  if (it == decoded.end()) return QPixmap::fromImage(LoadPicture(name));
  QImage image = std::move(it->second);
  decoded.erase(it);  // the window keeps its own copy
  return QPixmap::fromImage(std::move(image));
}

}  // namespace

// --- Control ---

Control::Control(QWidget* window, float width, float height, bool visible, const Control* container)
    : window_(window), container_(container), width_(width), height_(height), visible_(visible) {}

QSize Control::PixelSize() const { return {vb::TwipsToPixelsX(width_), vb::TwipsToPixelsY(height_)}; }

QRect Control::PixelRect() const {
  QPoint origin = container_ ? container_->PixelRect().topLeft() : QPoint(0, 0);
  return QRect(origin + QPoint(vb::TwipsToPixelsX(left_), vb::TwipsToPixelsY(top_)), PixelSize());
}

QRect Control::VisibleRect() const {
  QRect rect = PixelRect();
  return container_ ? rect & container_->PixelRect() : rect;
}

bool Control::Shows() const { return visible_ && (!container_ || container_->Shows()); }

void Control::MarkShown() const {
  if (Shows()) window_->update(VisibleRect());
}

template <class Change>
void Control::Changing(Change&& change) {
  MarkShown();
  change();
  MarkShown();
}

void Control::SetLeft(float left) {
  if (left == left_) return;
  Changing([&] { left_ = left; });
}

void Control::SetTop(float top) {
  if (top == top_) return;
  Changing([&] { top_ = top; });
}

void Control::Move(float left, float top) {
  if (left == left_ && top == top_) return;
  Changing([&] {
    left_ = left;
    top_ = top;
  });
}

void Control::SetVisible(bool visible) {
  if (visible == visible_) return;
  Changing([&] { visible_ = visible; });
}

// --- Image ---

Image::Image(QWidget* window, float width, float height, bool visible) : Control(window, width, height, visible) {}

Image::Image(QWidget* window, std::string_view pictureName, bool visible) : Control(window, 0, 0, visible) {
  SetPicture(NamedPicture(pictureName));
}

void Image::SetPicture(const QPixmap& picture) {
  Changing([&] {
    picture_ = picture;
    if (!picture_.isNull()) {
      width_ = static_cast<float>(picture_.width() * vb::Screen::TwipsPerPixelX());
      height_ = static_cast<float>(picture_.height() * vb::Screen::TwipsPerPixelY());
    }
  });
}

QSize Image::PixelSize() const { return picture_.isNull() ? Control::PixelSize() : picture_.size(); }

bool Image::Shows() const { return !picture_.isNull() && Control::Shows(); }

void Image::Paint(QPainter& painter) const { painter.drawPixmap(PixelRect().topLeft(), picture_); }

std::vector<Image> ImageArray(QWidget* window, std::string_view prefix, int count, bool visible) {
  std::vector<Image> images;
  images.reserve(count);
  for (int i = 0; i < count; ++i) images.emplace_back(window, std::string(prefix) + std::to_string(i), visible);
  return images;
}

// --- Label ---

Label::Label(QWidget* window, float width, float height, bool visible, const Control* container)
    : Control(window, width, height, visible, container) {}

void Label::SetCaption(const QString& caption) {
  if (caption == caption_) return;
  Changing([&] { caption_ = caption; });
}

void Label::SetFont(const QStringList& families, double points, bool bold) {
  Changing([&] {
    font_.setFamilies(families);
    font_.setPixelSize(vb::PointsToPixels(points));
    font_.setBold(bold);
  });
}

void Label::Paint(QPainter& painter) const {
  painter.save();
  if (container_) painter.setClipRect(container_->PixelRect(), Qt::IntersectClip);
  QRect rect = PixelRect();
  painter.fillRect(rect, backColor);
  painter.setFont(font_);
  painter.setPen(foreColor);
  painter.drawText(rect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, caption_);
  painter.restore();
}

// --- PictureBox ---

PictureBox::PictureBox(QWidget* window, float width, float height, std::string_view pictureName, bool visible)
    : Control(window, width, height, visible), picture_(NamedPicture(pictureName)) {}

void PictureBox::Paint(QPainter& painter) const {
  painter.save();
  QRect rect = PixelRect();
  painter.setClipRect(rect, Qt::IntersectClip);
  painter.fillRect(rect, Qt::black);
  painter.drawPixmap(rect.topLeft(), picture_);
  painter.restore();
}
