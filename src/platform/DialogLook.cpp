#include "platform/DialogLook.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

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

void UseClassicLook(QWidget* window) {
  static QStyle* classic = QStyleFactory::create("Windows");
  if (!classic) return;  // keep the application's look
  window->setStyle(classic);
  for (QWidget* control : window->findChildren<QWidget*>()) control->setStyle(classic);
}

}  // namespace vb
