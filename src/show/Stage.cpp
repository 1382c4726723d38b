#include "show/Stage.h"

#include <QCoreApplication>
#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <string>
#include <thread>

#include "assets/Pictures.h"
#include "platform/Forms.h"

namespace {

// The program's pictures, decoded by a few threads together. Decoding starts
// once the window is on screen (it would hold up the first frame) or when a
// picture is first needed, whichever comes first; a picture waits for it.
class PictureDecoder;
PictureDecoder& Decoder();

// A picture's size in the display's own pixels.
QSize DeviceSize(QSize size, double ratio) {
  return ratio == 1.0 ? size : QSize(static_cast<int>(std::lround(size.width() * ratio)),
                                     static_cast<int>(std::lround(size.height() * ratio)));
}

// One of the program's pictures as the display shows it: scaled smoothly on a
// scaled desktop.
QImage LoadForDisplay(std::string_view name, double ratio) {
  QImage picture = LoadPicture(name);
  if (ratio == 1.0 || picture.isNull()) return picture;
  return picture.convertToFormat(QImage::Format_ARGB32_Premultiplied)
      .scaled(DeviceSize(picture.size(), ratio), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

class PictureDecoder {
 public:
  ~PictureDecoder() { Join(); }

  void Start() {
    if (started_) return;
    started_ = true;
    ratio_ = vb::Screen::DevicePixelRatio();
    // Qt's image readers must not outlive the application.
    qAddPostRoutine([] { Decoder().Join(); });
    const std::vector<PictureSpec>& specs = AllPictures();
    images_.resize(specs.size());
    const size_t threads = std::clamp<size_t>(std::thread::hardware_concurrency(), 1, 4);
    for (size_t w = 0; w < threads; ++w)
      workers_.emplace_back([this, w, threads, &specs] {
        for (size_t i = w; i < specs.size(); i += threads) images_[i] = LoadForDisplay(specs[i].name, ratio_);
      });
  }

  // Each picture once: the control that asked keeps its own copy.
  QImage Take(std::string_view name) {
    Start();
    Join();
    const double ratio = vb::Screen::DevicePixelRatio();
    const std::vector<PictureSpec>& specs = AllPictures();
    for (size_t i = 0; i < specs.size(); ++i)
      if (name == specs[i].name && !images_[i].isNull() && ratio == ratio_) return std::move(images_[i]);
    return LoadForDisplay(name, ratio);
  }

  void Join() {
    for (std::thread& worker : workers_) worker.join();
    workers_.clear();
  }

 private:
  bool started_ = false;
  double ratio_ = 1.0;
  std::vector<QImage> images_;
  std::vector<std::thread> workers_;
};

PictureDecoder& Decoder() {
  static PictureDecoder decoder;
  return decoder;
}

// The size in pixels of one of the program's pictures; empty if it has none
// of that name.
QSize SpecSize(std::string_view name) {
  for (const PictureSpec& spec : AllPictures())
    if (name == spec.name) return {spec.width, spec.height};
  return {};
}

// The smallest rectangle that covers `rect` scaled by `factor`.
QRect CoverScaled(const QRect& rect, double factor) {
  const int left = static_cast<int>(std::floor(rect.x() * factor));
  const int top = static_cast<int>(std::floor(rect.y() * factor));
  const int right = static_cast<int>(std::ceil((rect.x() + rect.width()) * factor));
  const int bottom = static_cast<int>(std::ceil((rect.y() + rect.height()) * factor));
  return QRect(left, top, right - left, bottom - top);
}

}  // namespace

void DecodePicturesAhead() { Decoder().Start(); }

QRect ToWindowPixels(const QRect& device) {
  const double r = vb::Screen::DevicePixelRatio();
  return r == 1.0 || device.isEmpty() ? device : CoverScaled(device, 1 / r);
}

QRegion ToDevicePixels(const QRegion& window) {
  const double r = vb::Screen::DevicePixelRatio();
  if (r == 1.0) return window;
  QRegion device;
  for (const QRect& rect : window) device += CoverScaled(rect, r);
  return device;
}

// --- ProgramPicture ---

ProgramPicture::ProgramPicture(std::string_view name) : size_(SpecSize(name)) {
  if (!size_.isEmpty()) name_ = name;
}

ProgramPicture::ProgramPicture(const QPixmap& devicePixmap) : pixmap_(devicePixmap) {
  const double r = vb::Screen::DevicePixelRatio();
  size_ = QSize(static_cast<int>(std::lround(devicePixmap.width() / r)),
                static_cast<int>(std::lround(devicePixmap.height() / r)));
}

QSize ProgramPicture::DeviceSize() const {
  return name_.empty() ? pixmap_.size() : ::DeviceSize(size_, vb::Screen::DevicePixelRatio());
}

const QPixmap& ProgramPicture::Pixmap() const {
  if (!name_.empty()) {
    pixmap_ = QPixmap::fromImage(Decoder().Take(name_));
    name_.clear();
  }
  return pixmap_;
}

// --- Control ---

Control::Control(QWidget* window, float width, float height, bool visible, const Control* container)
    : window_(window), container_(container), width_(width), height_(height), visible_(visible) {}

QSize Control::PixelSize() const {
  return {vb::TwipsToDevicePixelsX(width_), vb::TwipsToDevicePixelsY(height_)};
}

QRect Control::PixelRect() const {
  QPoint origin = container_ ? container_->PixelRect().topLeft() : QPoint(0, 0);
  return QRect(origin + QPoint(vb::TwipsToDevicePixelsX(left_), vb::TwipsToDevicePixelsY(top_)), PixelSize());
}

QRect Control::VisibleRect() const {
  QRect rect = PixelRect();
  return container_ ? rect & container_->PixelRect() : rect;
}

bool Control::Shows() const { return visible_ && (!container_ || container_->Shows()); }

void Control::MarkShown() const {
  if (Shows()) window_->update(ToWindowPixels(VisibleRect()));
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

Image::Image(QWidget* window, std::string_view pictureName, bool visible)
    : Control(window, 0, 0, visible), picture_(pictureName) {
  TakePictureSize();
}

void Image::SetPicture(const ProgramPicture& picture) {
  Changing([&] {
    picture_ = picture;
    TakePictureSize();
  });
}

void Image::TakePictureSize() {
  const QSize size = picture_.Size();
  if (size.isEmpty()) return;
  width_ = static_cast<float>(size.width() * vb::Screen::TwipsPerPixelX());
  height_ = static_cast<float>(size.height() * vb::Screen::TwipsPerPixelY());
}

QSize Image::PixelSize() const { return picture_.Size().isEmpty() ? Control::PixelSize() : picture_.DeviceSize(); }

bool Image::Shows() const { return !picture_.Size().isEmpty() && Control::Shows(); }

void Image::Paint(QPainter& painter) const { painter.drawPixmap(PixelRect().topLeft(), picture_.Pixmap()); }

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
    font_.setPixelSize(vb::PointsToDevicePixels(points));
    font_.setBold(bold);
  });
}

void Label::Paint(QPainter& painter) const {
  painter.save();
  if (container_) painter.setClipRect(container_->PixelRect(), Qt::IntersectClip);
  QRect rect = PixelRect();
  if (!transparentBack) painter.fillRect(rect, backColor);
  if (textWidth > 0) {
    const int width = vb::TwipsToDevicePixelsX(textWidth);
    rect = QRect(rect.x() + (rect.width() - width) / 2, rect.y(), width, rect.height());
  }
  painter.setFont(font_);
  painter.setPen(foreColor);
  painter.drawText(rect, Qt::AlignHCenter | (centredDown ? Qt::AlignVCenter : Qt::AlignTop) | Qt::TextWordWrap,
                   caption_);
  painter.restore();
}

// --- PictureBox ---

PictureBox::PictureBox(QWidget* window, float width, float height, const ProgramPicture& picture, bool visible)
    : Control(window, width, height, visible), picture_(picture) {}

void PictureBox::Paint(QPainter& painter) const {
  painter.save();
  QRect rect = PixelRect();
  painter.setClipRect(rect, Qt::IntersectClip);
  painter.fillRect(rect, Qt::black);
  painter.drawPixmap(rect.topLeft(), Picture());
  painter.restore();
}
