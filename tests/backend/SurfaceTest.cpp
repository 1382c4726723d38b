// The stage composed by the X server looks as QPainter would draw it.
// Runs on a real X display (QT_QPA_PLATFORM=xcb).
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include "platform/qt/X11Surface.h"

namespace {

// A disc of `colour` with a soft rim, on transparency.
QImage Disc(int size, QColor colour) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  painter.drawEllipse(1, 1, size - 2, size - 2);
  return image;
}

// A window that leaves its pixels to the surface.
class Blank : public QWidget {
 protected:
  QPaintEngine* paintEngine() const override { return nullptr; }
  void paintEvent(QPaintEvent*) override {}
};

// A third disc stands apart; where the upper disc's soft rim lies over the
// lower one the blend may round either way.
TEST(Surface, PicturesAreExactOverBlackAndAnUpperOneOverALowerWhereItIsOpaqueOrClear) {
  if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "needs an X display";
  Blank window;
  window.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  window.setGeometry(0, 0, 160, 120);
  window.setAttribute(Qt::WA_PaintOnScreen);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  std::unique_ptr<X11Surface> surface = X11Surface::Make(&window);
  ASSERT_TRUE(surface) << "no surface on a 24-bit screen";

  const QImage lower = Disc(40, QColor(250, 120, 30)), upper = Disc(30, QColor(40, 90, 220));
  const QPoint lowerAt(10, 10), upperAt(30, 25);
  const std::pair<QImage, QPoint> pictures[] = {{lower, lowerAt}, {upper, upperAt}, {Disc(30, Qt::green), {110, 70}}};
  std::vector<ServerSurface::Layer> layers;
  QImage expected(window.size(), QImage::Format_RGB32);  // as QPainter draws them
  expected.fill(Qt::black);
  QPainter painter(&expected);
  for (const auto& [picture, at] : pictures) {
    layers.push_back({"picture " + std::to_string(layers.size()), [picture] { return picture; }, at, window.rect()});
    painter.drawImage(at, picture);
  }
  painter.end();
  surface->Compose(window.rect(), layers);
  surface->Flush();

  // The window's pixels as the X server has them.
  const QImage seen = window.screen()->grabWindow(window.winId()).toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(seen.size(), expected.size());
  auto alpha = [](const QImage& image, QPoint p) { return image.rect().contains(p) ? qAlpha(image.pixel(p)) : 0; };
  for (int y = 0; y < seen.height(); ++y)
    for (int x = 0; x < seen.width(); ++x) {
      const int a = alpha(upper, QPoint(x, y) - upperAt);
      if (a != 0 && a != 255 && alpha(lower, QPoint(x, y) - lowerAt) != 0) continue;
      ASSERT_EQ(seen.pixel(x, y) & 0xFFFFFF, expected.pixel(x, y) & 0xFFFFFF) << "at " << x << "," << y;
    }
}

}  // namespace
