#pragma once
// The look shared by the dialog windows: their font, the frames' caption colour and
// the fixed dialog frame.
#include <QColor>
#include <QFont>
#include <QPushButton>
#include <QWidget>

#include "platform/Forms.h"

namespace vb {

// The dialogs' sans-serif at 8.25 points, sized in pixels for the screen's
// twips per pixel.
QFont DialogFont(bool bold);

// Places a control at a rectangle in twips, in the dialog font.
template <class W>
W* Place(W* control, double left, double top, double width, double height, bool bold = false) {
  control->setFont(DialogFont(bold));
  PlaceTwips(control, left, top, width, height);
  return control;
}

// Dark grey, for the captions of most frames.
inline const QColor kFrameCaptionColour(0x40, 0x40, 0x40);

// Gives a frame its caption colour while its controls keep the window text
// colour they had.
void SetFrameCaptionColour(QWidget* frame, const QColor& colour);

// Not resizable, no minimise or maximise button; the close box on request.
void SetFixedDialogFrame(QWidget* window, bool closeBox, int clientWidthTwips, int clientHeightTwips);

// Gives `button` the default-button frame whenever the focus in `window` is
// on a control that is not a button; a button that has the focus shows the
// frame itself.
void KeepDefaultButton(QWidget* window, QPushButton* button);

// Gives the window and every control in it the classic dialog look: raised
// buttons, sunken boxes, frame captions standing in the frame's top line,
// scroll bars with a square thumb.
// Call it once the controls exist.
void UseClassicLook(QWidget* window);

}  // namespace vb
