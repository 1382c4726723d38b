#pragma once
// A small forms runtime on Qt widgets: every window of the program is one
// process-wide instance, created on first use (Form_Initialize), loaded once
// (Form_Load) and unloaded (Form_Unload). Positions and sizes are in twips.
#include <QWidget>
#include <cstdint>
#include <string>

namespace vb {

// The screen in twips, and the twips of one pixel.
namespace Screen {
float Width();
float Height();
int TwipsPerPixelX();
int TwipsPerPixelY();
// The display's own pixels in one of the screen's pixels above.
double DevicePixelRatio();
}  // namespace Screen

int TwipsToPixelsX(double twips);
int TwipsToPixelsY(double twips);
// A font size in points as a pixel size on this screen (a point is 20 twips).
int PointsToPixels(double points);
// The same in the display's own pixels, each rounded once.
int TwipsToDevicePixelsX(double twips);
int TwipsToDevicePixelsY(double twips);
int PointsToDevicePixels(double points);

// Places a widget at a rectangle given in twips, relative to its container.
void PlaceTwips(QWidget* widget, double left, double top, double width, double height);

class Form : public QWidget {
  Q_OBJECT
 public:
  explicit Form(QWidget* parent = nullptr);
  ~Form() override;

  bool IsLoaded() const { return loaded_; }
  // Runs Form_Load the first time; later calls do nothing.
  void Load();
  // Runs Form_Unload; unless it cancels, hides the window and marks it unloaded.
  void Unload();
  // Loads the window if needed, then shows it (modeless).
  void Show();
  void Hide();

  // Setting the caption loads the window first.
  void SetCaption(const std::string& caption);
  std::string Caption() const;

  // The outer size and position in twips, the window manager's frame included.
  float Left() const;
  float Top() const;
  float Width() const;
  float Height() const;
  void Move(float left, float top);

  uint32_t hWnd();

  // The window's own window-style bits, as the style calls read and write them.
  int32_t style = 0;
  uint32_t owner = 0;

 protected:
  virtual void Form_Load() {}
  virtual void Form_Unload(int16_t& Cancel) { (void)Cancel; }
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  bool loaded_ = false;
  bool unloading_ = false;
  friend void ResetFormsForTests();
};

// Our own window with this handle, or nullptr.
Form* FormFromHandle(uint32_t handle);
int LoadedFormCount();
// Marks every window unloaded and hides it, running no handler (for tests).
void ResetFormsForTests();

// The single instance of a form class, created on first use.
template <class F>
F& FormInstance() {
  static F* instance = nullptr;
  if (!instance) instance = new F();
  return *instance;
}

}  // namespace vb
