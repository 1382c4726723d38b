#pragma once
// A square shape: a one-pixel outline in its border colour, transparent inside.
#include <QColor>
#include <QWidget>

namespace dialogs {

class Shape : public QWidget {
  Q_OBJECT
 public:
  Shape(const QColor& borderColour, QWidget* parent);
  QColor BorderColor() const { return borderColour_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor borderColour_;
};

}  // namespace dialogs
