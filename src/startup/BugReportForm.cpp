#include "startup/BugReportForm.h"

#include "assets/Pictures.h"
#include "platform/DialogLook.h"
#include "platform/Shell.h"
#include "platform/User32.h"
#include "startup/Starter.h"
#include "startup/System.h"

const char* const kBugReportMessage =
    "Congratulations, you have found a bug in our software. If you report the above Error Code to "
    "us, we will send you a free copy of this screensaver once the bug is corrected ($9.95 Value). "
    "Please click the link below to to fill out our online bug report form now.";

namespace {

QLabel* PictureLabel(QWidget* parent, const char* picture) {
  auto* label = new QLabel(parent);
  label->setPixmap(QPixmap::fromImage(LoadPicture(picture)));
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

// The largest dialog font, down to a small one, in which the whole message
// fits its label.
void FitMessage(QLabel* label) {
  QFont font = vb::DialogFont(false);
  constexpr int kSmallest = 8;
  while (font.pixelSize() > kSmallest) {
    QRect needed = QFontMetrics(font).boundingRect(label->rect(), Qt::TextWordWrap | label->alignment(),
                                                  label->text());
    if (needed.height() <= label->height() && needed.width() <= label->width()) break;
    font.setPixelSize(font.pixelSize() - 1);
  }
  label->setFont(font);
}

}  // namespace

BugReportForm::BugReportForm() {
  vb::SetFixedDialogFrame(this, true, 6450, 1575);
  setWindowTitle("Error Code:");
  setWindowIcon(QIcon(QPixmap::fromImage(LoadPicture("bugicon"))));

  Image3 = vb::Place(PictureLabel(this, "bugleft"), 0, 120, 1125, 1125);
  Label1 = vb::Place(new QLabel(QString::fromUtf8(kBugReportMessage), this), 840, 120, 4815, 855);
  Label1->setWordWrap(true);
  Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  FitMessage(Label1);
  Image1 = vb::Place(PictureLabel(this, "bugright"), 5760, 120, 1125, 1125);
  Command1 = vb::Place(new QPushButton("Report This Bug Now", this), 1440, 1080, 3495, 375);
  vb::UseClassicLook(this);

  // Tab order: the message, then the button.
  Label1->setFocusPolicy(Qt::NoFocus);
  Command1->setFocus();
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
}

void BugReportForm::Form_Load() {
  System::CenterForm(*this);
  SetWindowPos(hWnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}

void BugReportForm::Command1_Click() {
  ShellExecuteA(hWnd(), "open", Starter::kBugReportPage, "", "0", 0);
}

void BugReportForm::Form_Unload(int16_t&) { Starter::X_Cleanup_And_End(); }
