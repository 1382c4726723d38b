#include "startup/BugReportForm.h"

#include "assets/Pictures.h"
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

}  // namespace

BugReportForm::BugReportForm() {
  // A fixed dialog frame with a close box and no minimise or maximise button.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setWindowTitle("Error Code:");
  setWindowIcon(QIcon(QPixmap::fromImage(LoadPicture("bugicon"))));
  setFixedSize(vb::TwipsToPixelsX(6450), vb::TwipsToPixelsY(1575));

  Image3 = PictureLabel(this, "bugleft");
  vb::PlaceTwips(Image3, 0, 120, 1125, 1125);
  Label1 = new QLabel(QString::fromUtf8(kBugReportMessage), this);
  Label1->setWordWrap(true);
  Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  vb::PlaceTwips(Label1, 840, 120, 4815, 855);
  Image1 = PictureLabel(this, "bugright");
  vb::PlaceTwips(Image1, 5760, 120, 1125, 1125);
  Command1 = new QPushButton("Report This Bug Now", this);
  vb::PlaceTwips(Command1, 1440, 1080, 3495, 375);

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
