#include "platform/DialogLook.h"

#include <QApplication>
#include <QProxyStyle>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOption>

#include "platform/Forms.h"

namespace vb {

QFont DialogFont(bool bold) {
  QFont font;
  // No free font goes by the classic dialog font's name: Liberation Sans is
  // the nearest in shape and width, DejaVu Sans stands in when it is missing.
  font.setFamilies({"Liberation Sans", "DejaVu Sans"});
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(PointsToPixels(8.25));
  font.setBold(bold);
  return font;
}

void SetFrameCaptionColour(QWidget* frame, const QColor& colour) {
  const QColor text = QApplication::palette().color(QPalette::WindowText);
  QPalette palette = frame->palette();
  palette.setColor(QPalette::WindowText, colour);
  frame->setPalette(palette);
  for (QWidget* child : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    QPalette own = child->palette();
    own.setColor(QPalette::WindowText, text);
    child->setPalette(own);
  }
}

void SetFixedDialogFrame(QWidget* window, bool closeBox, int clientWidthTwips, int clientHeightTwips) {
  Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::MSWindowsFixedSizeDialogHint;
  if (closeBox) flags |= Qt::WindowCloseButtonHint;
  window->setWindowFlags(flags);
  window->setFixedSize(TwipsToPixelsX(clientWidthTwips), TwipsToPixelsY(clientHeightTwips));
}

void KeepDefaultButton(QWidget* window, QPushButton* button) {
  button->setDefault(true);
  // Runs after the buttons' own focus handling, which takes the frame away
  // from a button that loses the focus.
  QObject::connect(qApp, &QApplication::focusChanged, button, [window, button](QWidget*, QWidget* now) {
    if (!now || now->window() != window) return;
    auto* focused = qobject_cast<QPushButton*>(now);
    for (QPushButton* other : window->findChildren<QPushButton*>()) {
      const bool framed = focused ? other == focused : other == button;
      if (other->isDefault() != framed) other->setDefault(framed);
    }
  });
}

namespace {

// The Windows style, with the classic scroll bar's thumb: never narrower than
// the bar is thick, so a bar with a long range shows a square thumb.
class ClassicStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;
  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
    if (metric == PM_ScrollBarSliderMin && option)
      return option->state & State_Horizontal ? option->rect.height() : option->rect.width();
    return QProxyStyle::pixelMetric(metric, option, widget);
  }
};

}  // namespace

void UseClassicLook(QWidget* window) {
  static QStyle* windows = QStyleFactory::create("Windows");
  if (!windows) return;  // keep the application's look
  static QStyle* classic = new ClassicStyle(windows);
  window->setStyle(classic);
  for (QWidget* control : window->findChildren<QWidget*>()) control->setStyle(classic);
}

}  // namespace vb
