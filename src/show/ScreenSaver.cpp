#include "show/ScreenSaver.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <string>

#include "assets/Cloud.h"
#include "platform/Backend.h"
#include "platform/Forms.h"
#include "platform/User32.h"
#include "startup/Starter.h"

namespace {

// A picture's size in twips on this screen: 2895 x 1575 for a walking frame
// at 15 twips per pixel.
QSizeF PictureTwips(std::string_view name) {
  const QSize pixels = ProgramPicture(name).Size();
  return QSizeF(pixels.width() * vb::Screen::TwipsPerPixelX(), pixels.height() * vb::Screen::TwipsPerPixelY());
}

// The speech bubble for this display: the program's picture at 15 twips per
// pixel on an unscaled desktop; on another density or scale, where the speech
// text takes another size in pixels, the same bubble drawn to scale.
ProgramPicture CloudPicture() {
  const double ratio = vb::Screen::DevicePixelRatio();
  const double x = 15.0 / vb::Screen::TwipsPerPixelX() * ratio, y = 15.0 / vb::Screen::TwipsPerPixelY() * ratio;
  if (x == 1.0 && y == 1.0) return ProgramPicture("cloud");
  return ProgramPicture(QPixmap::fromImage(DrawCloud(x, y)));
}

// The display's pixel under a point of the window.
QPoint DevicePoint(const QPointF& window) { return (window * vb::Screen::DevicePixelRatio()).toPoint(); }

// The Shift argument of the key and mouse handlers: 1 Shift, 2 Ctrl, 4 Alt.
int16_t ShiftState(Qt::KeyboardModifiers modifiers) {
  int16_t shift = 0;
  if (modifiers & Qt::ShiftModifier) shift |= 1;
  if (modifiers & Qt::ControlModifier) shift |= 2;
  if (modifiers & Qt::AltModifier) shift |= 4;
  return shift;
}

// The Button argument: 1 left, 2 right, 4 middle.
int16_t ButtonCode(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
  }
}

bool IsShowMode() { return Starter::RunMode == Starter::rmScreenSaver; }

const QStringList kSansFamilies = {"Liberation Sans", "DejaVu Sans", "Sans Serif"};

// The name of what a control shows, for a surface that keeps pictures: the
// same picture in two images is one; a label's look is all it draws from.
std::string PictureKey(const Control& c) {
  if (auto* image = dynamic_cast<const Image*>(&c)) return "image " + std::to_string(image->Picture().cacheKey());
  const QRect where = c.PixelRect();
  const QRect seen = c.VisibleRect().translated(-where.topLeft());
  QString key;
  if (auto* box = dynamic_cast<const PictureBox*>(&c))
    key = QString("box %1").arg(box->Picture().cacheKey());
  else if (auto* label = dynamic_cast<const Label*>(&c))
    key = QString("label %1 %2 %3 %4").arg(label->Font().key(), label->foreColor.name(), label->backColor.name(),
                                           label->Caption());
  key += QString(" %1x%2 %3,%4 %5x%6")
             .arg(where.width())
             .arg(where.height())
             .arg(seen.x())
             .arg(seen.y())
             .arg(seen.width())
             .arg(seen.height());
  return key.toStdString();
}

// What a control draws, as a picture of its own size.
QImage ControlPicture(const Control& c) {
  if (auto* image = dynamic_cast<const Image*>(&c)) return image->Picture().Pixmap().toImage();
  const QRect where = c.PixelRect();
  QImage picture(where.size(), QImage::Format_ARGB32_Premultiplied);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.translate(-where.topLeft());
  c.Paint(painter);
  return picture;
}

}  // namespace

ScreenSaver::ScreenSaver()
    // Until its first picture the walker has a walking frame's size.
    : imgflag(this, static_cast<float>(PictureTwips("righty0").width()),
              static_cast<float>(PictureTwips("righty0").height()), true),
      head(this, 975, 615, true),
      imgSurf(this, 915, 615, false),
      hand1(this, "hand1", true),
      hand2(this, "hand2", true),
      handa(this, "handa", true),
      handb(this, "handb", true),
      gun(ImageArray(this, "gun", 6, false)),
      bullet(ImageArray(this, "bullet", 8, false)),
      title1(this, 1935, 615, false),
      title2(this, "title2", false),
      cloud(this, 2055, 1565, CloudPicture(), false),
      cloudlbl(this, 1815, 975, true, &cloud),
      righty(ImageArray(this, "righty", 3, false)),
      lefty(ImageArray(this, "lefty", 3, false)),
      stand(this, "stand", false),
      righter(ImageArray(this, "righter", 3, false)),
      lefter(ImageArray(this, "lefter", 3, false)),
      heada(this, "heada", false),
      headb(this, "headb", false),
      headc(this, "headc", false),
      headd(this, "headd", false),
      head1(this, "head1", false),
      head2(this, "head2", false),
      head3(this, "head3", false),
      head4(this, "head4", false) {
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  // Every pixel is painted by paintEvent: black, then the controls.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setFocusPolicy(Qt::StrongFocus);
  surface_ = Host().MakeServerSurface(this);
  if (surface_) setAttribute(Qt::WA_PaintOnScreen);

  title1.SetCaption("Zentravo Presents");
  title1.foreColor = QColor(0xFF, 0, 0);
  title1.backColor = Qt::black;
  title1.SetFont(kSansFamilies, 9.75, true);

  // The speech lies on the bubble, centred in its white middle; lines up to
  // 1740 twips wide keep every remark to four lines at any density.
  cloudlbl.Move(120, 120);
  cloudlbl.backColor = Qt::white;
  cloudlbl.transparentBack = true;
  cloudlbl.textWidth = 1740;
  cloudlbl.centredDown = true;
  cloudlbl.foreColor = Qt::black;
  cloudlbl.SetFont(kSansFamilies, 8.25, false);

  for (const Control* c : {&imgflag, &head, &imgSurf, &hand1, &hand2, &handa, &handb}) drawOrder_.push_back(c);
  for (const Image& g : gun) drawOrder_.push_back(&g);
  for (const Image& b : bullet) drawOrder_.push_back(&b);
  drawOrder_.push_back(&title2);
  drawOrder_.push_back(&title1);
}

void ScreenSaver::Form_Load() {
  SetupStage();
  // Without a border, the maximised window is the whole screen.
  setGeometry(0, 0, Host().ScreenWidthPixels(), Host().ScreenHeightPixels());
  setWindowState(Qt::WindowFullScreen);
  setCursor(Qt::BlankCursor);
  // A window manager's own keys may minimise or hide the window without a
  // key reaching it: the show then ends as for a key.
  Host().WatchShownWindow(this, [this] { Unload(); });
  Show();
  SetWindowPos(hWnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE);
  activateWindow();
  // The black screen is up before the Introduction loads its theme.
  Host().PresentWindow(this);
  DecodePicturesAhead();
  RunShowLoop();
}

void ScreenSaver::SetupStage() {
  imgSurf.SetLeft(-imgSurf.Width());
  imgSurf.SetTop(-imgSurf.Height());
  FlagDirection = 0;
  BelowPlace = 1;
  AbovePlace = 2;
  const float SW = vb::Screen::Width();
  const float SH = vb::Screen::Height();
  title1.SetLeft((SW - title1.Width()) / 2);
  title1.SetTop(SH / 2 - (title2.Height() + title1.Height()) * 0.5f);
  title2.SetLeft((SW - title2.Width()) / 2);
  title2.SetTop(title1.Top() + title1.Height());
  hand1.SetTop(SH);
  hand1.SetLeft(0);
  hand2.SetTop(SH);
  head.SetTop(SH);
  handa.SetTop(-handa.Height());
  handb.SetTop(-handb.Height());
  for (Image& frame : gun) {
    frame.SetTop(SH / 2 - frame.Height() * 0.5f);
    frame.SetLeft(SW - frame.Width());
  }
}

void ScreenSaver::Form_Unload(int16_t& Cancel) {
  (void)Cancel;
  Starter::X_Cleanup_And_End();
}

// --- input ---

void ScreenSaver::Form_KeyDown(int16_t&, int16_t&) { Unload(); }

void ScreenSaver::Form_KeyPress(int16_t&) {
  if (IsShowMode()) Unload();
}

void ScreenSaver::Form_Click() {
  if (IsShowMode()) Unload();
}

void ScreenSaver::Form_DblClick() {
  if (IsShowMode()) Unload();
}

void ScreenSaver::Form_MouseDown(int16_t&, int16_t&, float&, float&) {
  if (IsShowMode()) Unload();
}

bool ScreenSaver::OverControl(QPoint pixel) const {
  if (cloud.Shows() && cloud.PixelRect().contains(pixel)) return true;
  for (const Control* c : drawOrder_)
    if (c->Shows() && c->PixelRect().contains(pixel)) return true;
  return false;
}

void ScreenSaver::MouseDownAt(QPoint pixel, int16_t button, int16_t shift) {
  // A control that shows there takes the button; none of them has a handler.
  pressedOnSurface_ = !OverControl(pixel);
  if (!pressedOnSurface_) return;
  const double ratio = vb::Screen::DevicePixelRatio();
  float x = static_cast<float>(pixel.x() / ratio * vb::Screen::TwipsPerPixelX());
  float y = static_cast<float>(pixel.y() / ratio * vb::Screen::TwipsPerPixelY());
  Form_MouseDown(button, shift, x, y);
}

void ScreenSaver::keyPressEvent(QKeyEvent* event) {
  int16_t keyCode = static_cast<int16_t>(event->key() & 0xFF);
  int16_t shift = ShiftState(event->modifiers());
  Form_KeyDown(keyCode, shift);
  if (!event->text().isEmpty()) {
    int16_t keyAscii = static_cast<int16_t>(event->text().at(0).unicode());
    Form_KeyPress(keyAscii);
  }
}

void ScreenSaver::mousePressEvent(QMouseEvent* event) {
  MouseDownAt(DevicePoint(event->position()), ButtonCode(event->button()), ShiftState(event->modifiers()));
}

void ScreenSaver::mouseReleaseEvent(QMouseEvent* event) {
  bool click = pressedOnSurface_ && !OverControl(DevicePoint(event->position()));
  pressedOnSurface_ = false;
  if (click) Form_Click();
}

void ScreenSaver::mouseDoubleClickEvent(QMouseEvent* event) {
  if (!OverControl(DevicePoint(event->position()))) Form_DblClick();
}

// --- drawing ---

QPaintEngine* ScreenSaver::paintEngine() const { return surface_ ? nullptr : vb::Form::paintEngine(); }

void ScreenSaver::paintEvent(QPaintEvent* event) {
  const QRegion region = ToDevicePixels(event->region());
  if (surface_) {
    PaintOnServer(region);
    return;
  }
  QPainter painter(this);
  // The stage draws in the display's own pixels.
  painter.scale(1 / vb::Screen::DevicePixelRatio(), 1 / vb::Screen::DevicePixelRatio());
  for (const QRect& rect : region) painter.fillRect(rect, Qt::black);
  for (const Control* c : drawOrder_)
    if (c->Shows() && region.intersects(c->PixelRect())) c->Paint(painter);
  // The speech box lies above everything else, its label inside it.
  if (cloud.Shows() && region.intersects(cloud.PixelRect())) {
    cloud.Paint(painter);
    if (cloudlbl.Shows()) cloudlbl.Paint(painter);
  }
}

void ScreenSaver::PaintOnServer(const QRegion& region) {
  std::vector<ServerSurface::Layer> layers;
  auto add = [&](const Control& c) {
    layers.push_back({PictureKey(c), [&c] { return ControlPicture(c); }, c.PixelRect().topLeft(), c.VisibleRect()});
  };
  for (const QRect& rect : region) {
    layers.clear();
    for (const Control* c : drawOrder_)
      if (c->Shows() && rect.intersects(c->VisibleRect())) add(*c);
    // The speech box and its label as one picture: the text's soft edges
    // blend with the bubble beneath them.
    if (cloud.Shows() && rect.intersects(cloud.PixelRect())) {
      const bool label = cloudlbl.Shows();
      layers.push_back({PictureKey(cloud) + (label ? " with " + PictureKey(cloudlbl) : ""),
                        [this, label] {
                          QImage picture = ControlPicture(cloud);
                          if (!label) return picture;
                          QPainter painter(&picture);
                          painter.translate(-cloud.PixelRect().topLeft());
                          cloudlbl.Paint(painter);
                          return picture;
                        },
                        cloud.PixelRect().topLeft(), cloud.VisibleRect()});
    }
    surface_->Compose(rect, layers);
  }
  surface_->Flush();
}
