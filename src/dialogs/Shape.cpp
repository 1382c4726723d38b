#include "dialogs/Shape.h"

#include <QPainter>
#include <algorithm>

namespace dialogs {

Shape::Shape(const QColor& borderColour, QWidget* parent) : QWidget(parent), borderColour_(borderColour) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Shape::paintEvent(QPaintEvent*) {
  // The largest square that fits, centred.
  const int side = std::min(width(), height());
  QRect square((width() - side) / 2, (height() - side) / 2, side, side);
  QPainter painter(this);
  painter.setPen(borderColour_);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(square.adjusted(0, 0, -1, -1));
}

}  // namespace dialogs
