#pragma once
// The stage of the show window: windowless controls that the window draws
// itself. Positions and sizes are in twips. Every change marks the pixels it
// touches (before and after) on the window; they are repainted together at
// the next message pass, and nothing else is. The controls are drawn in the
// display's own pixels: on a scaled desktop each picture is scaled once, when
// it is loaded, and each position in twips is rounded once to those pixels.
#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QRect>
#include <QString>
#include <string>
#include <string_view>
#include <vector>

class QPainter;
class QWidget;

// Starts decoding the program's pictures in the background; call it once the
// window is on screen.
void DecodePicturesAhead();

// The window's own pixels that cover a rectangle of the display's pixels, and
// the display's pixels that cover a region of the window's.
QRect ToWindowPixels(const QRect& device);
QRegion ToDevicePixels(const QRegion& window);

// One of the program's pictures by name, decoded (and scaled for the display)
// when first drawn; or a picture drawn for the display, given as it is. Its
// size is known before.
class ProgramPicture {
 public:
  ProgramPicture() = default;
  explicit ProgramPicture(std::string_view name);
  explicit ProgramPicture(const QPixmap& devicePixmap);
  // The picture in the display's own pixels.
  const QPixmap& Pixmap() const;
  qint64 cacheKey() const { return Pixmap().cacheKey(); }
  // Its size in the screen's pixels, which its size in twips follows.
  QSize Size() const { return size_; }
  // Its size in the display's own pixels.
  QSize DeviceSize() const;

 private:
  QSize size_;
  mutable std::string name_;  // not decoded yet
  mutable QPixmap pixmap_;
};

class Control {
 public:
  // `container` is the control this one sits in (its Left and Top are then
  // relative to it, and it is clipped to it), or nullptr for the window.
  Control(QWidget* window, float width, float height, bool visible, const Control* container = nullptr);
  virtual ~Control() = default;
  Control(Control&&) = default;

  float Left() const { return left_; }
  float Top() const { return top_; }
  float Width() const { return width_; }
  float Height() const { return height_; }
  bool Visible() const { return visible_; }

  void SetLeft(float left);
  void SetTop(float top);
  void Move(float left, float top);
  void SetVisible(bool visible);

  // The display's pixels the control covers on its window.
  QRect PixelRect() const;
  // The pixels of it that can be seen: cut to its container.
  QRect VisibleRect() const;
  // True when something of the control is on screen now.
  virtual bool Shows() const;
  virtual void Paint(QPainter& painter) const = 0;

 protected:
  // Runs `change` and marks the pixels shown before and after it.
  template <class Change>
  void Changing(Change&& change);
  void MarkShown() const;
  virtual QSize PixelSize() const;

  QWidget* window_;
  const Control* container_;
  float left_ = 0, top_ = 0, width_, height_;
  bool visible_;
};

// An image control: shows its picture as loaded; its size follows the picture.
class Image : public Control {
 public:
  // Without a picture: keeps the given size until it gets one.
  Image(QWidget* window, float width, float height, bool visible);
  // With one of the program's pictures.
  Image(QWidget* window, std::string_view pictureName, bool visible);

  const ProgramPicture& Picture() const { return picture_; }
  // Keeps the top-left corner; takes the picture's size.
  void SetPicture(const ProgramPicture& picture);

  bool Shows() const override;
  void Paint(QPainter& painter) const override;

 protected:
  QSize PixelSize() const override;

 private:
  // Without a picture the control keeps its size.
  void TakePictureSize();
  ProgramPicture picture_;
};

// A control array: elements named <prefix>0, <prefix>1, ... each with its picture.
std::vector<Image> ImageArray(QWidget* window, std::string_view prefix, int count, bool visible);

// A label: its caption on its background, centred across, wrapped at word
// breaks.
class Label : public Control {
 public:
  Label(QWidget* window, float width, float height, bool visible, const Control* container = nullptr);

  const QString& Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  // The font by its families (first installed wins), size in points and weight.
  void SetFont(const QStringList& families, double points, bool bold);
  const QFont& Font() const { return font_; }
  QColor foreColor = Qt::black;
  QColor backColor = Qt::white;
  // Set before the label is first shown: a transparent back lets what lies
  // beneath show through; a text width (twips) narrower than the label wraps
  // the lines shorter, the block still centred across; the text may also be
  // centred from top to bottom.
  bool transparentBack = false;
  float textWidth = 0;  // 0: the label's width
  bool centredDown = false;

  void Paint(QPainter& painter) const override;

 private:
  QString caption_;
  QFont font_;
};

// A picture box: its picture at its top-left corner in a box of fixed size,
// black where the picture does not reach, with no border.
class PictureBox : public Control {
 public:
  PictureBox(QWidget* window, float width, float height, const ProgramPicture& picture, bool visible);
  const QPixmap& Picture() const { return picture_.Pixmap(); }
  void Paint(QPainter& painter) const override;

 private:
  ProgramPicture picture_;
};
