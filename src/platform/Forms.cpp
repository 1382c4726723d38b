#include "platform/Forms.h"

#include <QCloseEvent>
#include <QPointer>
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/Backend.h"

namespace vb {
namespace {

std::vector<Form*>& AllForms() {
  static std::vector<Form*> forms;
  return forms;
}

}  // namespace

namespace Screen {
int TwipsPerPixelX() { return Host().TwipsPerPixelX(); }
int TwipsPerPixelY() { return Host().TwipsPerPixelY(); }
double DevicePixelRatio() { return Host().DevicePixelRatio(); }
float Width() { return static_cast<float>(Host().ScreenWidthPixels() * TwipsPerPixelX()); }
float Height() { return static_cast<float>(Host().ScreenHeightPixels() * TwipsPerPixelY()); }
}  // namespace Screen

int TwipsToPixelsX(double twips) { return static_cast<int>(std::lround(twips / Screen::TwipsPerPixelX())); }
int TwipsToPixelsY(double twips) { return static_cast<int>(std::lround(twips / Screen::TwipsPerPixelY())); }
int PointsToPixels(double points) { return std::max(1, TwipsToPixelsY(points * 20.0)); }
int TwipsToDevicePixelsX(double twips) {
  return static_cast<int>(std::lround(twips / Screen::TwipsPerPixelX() * Screen::DevicePixelRatio()));
}
int TwipsToDevicePixelsY(double twips) {
  return static_cast<int>(std::lround(twips / Screen::TwipsPerPixelY() * Screen::DevicePixelRatio()));
}
int PointsToDevicePixels(double points) { return std::max(1, TwipsToDevicePixelsY(points * 20.0)); }

void PlaceTwips(QWidget* widget, double left, double top, double width, double height) {
  widget->setGeometry(TwipsToPixelsX(left), TwipsToPixelsY(top), TwipsToPixelsX(width),
                      TwipsToPixelsY(height));
}

Form::Form(QWidget* parent) : QWidget(parent) { AllForms().push_back(this); }

Form::~Form() {
  auto& forms = AllForms();
  forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
}

void Form::Load() {
  if (loaded_) return;
  loaded_ = true;
  Form_Load();
}

void Form::Unload() {
  if (!loaded_ || unloading_) return;
  int16_t cancel = 0;
  {
    // Cleared however the handler is left, an error or the process end included.
    unloading_ = true;
    struct Guard {
      bool& flag;
      ~Guard() { flag = false; }
    } guard{unloading_};
    Form_Unload(cancel);
  }
  if (cancel) return;
  loaded_ = false;
  hide();
  if (LoadedFormCount() == 0) Host().QuitMessageLoop();
}

void Form::Show() {
  Load();
  show();
}

void Form::Hide() { hide(); }

void Form::SetCaption(const std::string& caption) {
  Load();
  setWindowTitle(QString::fromStdString(caption));
}

std::string Form::Caption() const { return windowTitle().toStdString(); }

float Form::Left() const { return static_cast<float>(frameGeometry().x() * Screen::TwipsPerPixelX()); }
float Form::Top() const { return static_cast<float>(frameGeometry().y() * Screen::TwipsPerPixelY()); }
// The outer size: the window and the frame a window manager puts around it,
// known before the window is first shown.
float Form::Width() const {
  const RECT frame = Host().FrameMargins(const_cast<Form*>(this));
  return static_cast<float>((width() + frame.left + frame.right) * Screen::TwipsPerPixelX());
}
float Form::Height() const {
  const RECT frame = Host().FrameMargins(const_cast<Form*>(this));
  return static_cast<float>((height() + frame.top + frame.bottom) * Screen::TwipsPerPixelY());
}

void Form::Move(float left, float top) {
  QPoint corner(TwipsToPixelsX(left), TwipsToPixelsY(top));
  // Qt places a window that has its native window but no frame yet by its
  // client area; the frame the window manager adds then goes around it.
  if (isWindow() && testAttribute(Qt::WA_WState_Created) && frameGeometry() == geometry()) {
    const RECT frame = Host().FrameMargins(this);
    corner += QPoint(frame.left, frame.top);
  }
  move(corner);
}

uint32_t Form::hWnd() { return Host().WindowHandle(this); }

void Form::showEvent(QShowEvent* event) {
  // When another program destroys the window, it is unloaded as if closed.
  if (HasHost() && isWindow()) {
    QPointer<Form> self(this);
    Host().WatchOwnWindow(this, [self] {
      if (self) self->Unload();
    });
  }
  QWidget::showEvent(event);
}

void Form::closeEvent(QCloseEvent* event) {
  // The close box unloads the window; an unload that was cancelled keeps it.
  Unload();
  if (loaded_) event->ignore();
  else event->accept();
}

Form* FormFromHandle(uint32_t handle) {
  if (handle == 0) return nullptr;
  for (Form* form : AllForms())
    if (form->IsLoaded() && form->hWnd() == handle) return form;
  return nullptr;
}

int LoadedFormCount() {
  return static_cast<int>(std::count_if(AllForms().begin(), AllForms().end(),
                                        [](Form* f) { return f->IsLoaded(); }));
}

void ResetFormsForTests() {
  for (Form* form : AllForms()) {
    form->loaded_ = false;
    form->unloading_ = false;
    form->hide();
  }
}

}  // namespace vb
