#include "dialogs/messageentry.h"

#include <QKeyEvent>
#include <string>

#include "assets/Pictures.h"
#include "dialogs/Configuration.h"
#include "platform/DialogLook.h"
#include "platform/User32.h"
#include "startup/Starter.h"
#include "startup/System.h"

using vb::Place;

namespace {

constexpr int16_t kEnter = 13;

}  // namespace

messageentry::messageentry() {
  vb::SetFixedDialogFrame(this, false, 5175, 1425);
  setWindowIcon(QIcon(QPixmap::fromImage(LoadPicture("msgicon"))));

  textentry = Place(new QLabel("Please Enter Your Text Message Below:", this), 120, 120, 4935, 255);
  textentry->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  Text1 = Place(new QLineEdit(this), 360, 480, 4455, 285);
  QPalette white = Text1->palette();
  white.setColor(QPalette::Base, Qt::white);
  Text1->setPalette(white);
  Apply = Place(new QPushButton("&Apply Changes", this), 375, 960, 1815, 375);
  Cancel = Place(new QPushButton("&Cancel", this), 3000, 960, 1815, 375);
  // Enter on a focused button presses that button.
  Apply->setAutoDefault(true);
  Cancel->setAutoDefault(true);

  vb::UseClassicLook(this);

  setTabOrder(Text1, Apply);
  setTabOrder(Apply, Cancel);
  for (QWidget* control : {static_cast<QWidget*>(Text1), static_cast<QWidget*>(Apply),
                           static_cast<QWidget*>(Cancel)})
    control->installEventFilter(this);

  connect(Apply, &QPushButton::clicked, this, [this] { apply_Click(); });
  connect(Cancel, &QPushButton::clicked, this, [this] { Cancel_Click(); });
}

void messageentry::Form_Load() {
  setWindowTitle(QString::fromUtf8(Starter::IniSection) + " ScreenSaver Message");
  Text1->clear();
  System::CenterForm(*this);
  SetWindowPos(hWnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void messageentry::Form_Activate() { Text1->setFocus(); }

void messageentry::Form_KeyPress(int16_t& KeyAscii) {
  if (KeyAscii == kEnter) apply_Click();
}

void messageentry::apply_Click() {
  System::PutIniData(Starter::IniFileName, Starter::IniSection, "messagetext", Text1->text().toStdString());
  vb::FormInstance<Configuration>().Show();
  Hide();
}

void messageentry::Cancel_Click() {
  vb::FormInstance<Configuration>().Show();
  Unload();
}

bool messageentry::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) Form_Activate();
  return vb::Form::event(event);
}

bool messageentry::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return vb::Form::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  // A focused button takes Enter for itself.
  bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
  if (enter && qobject_cast<QPushButton*>(watched)) return false;
  // Character keys only; Enter is the carriage return.
  const QString text = enter ? QString("\r") : key->text();
  if (text.isEmpty()) return false;
  int16_t KeyAscii = static_cast<int16_t>(text.at(0).unicode());
  Form_KeyPress(KeyAscii);
  return KeyAscii == 0;  // a handler that clears the code swallows the key
}
