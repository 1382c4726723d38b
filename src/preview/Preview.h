#pragma once
// The preview mode's state: the host's window, its client area, the strip's
// device context and the frame geometry. Run_Preview and X_LoadPics4Preview
// are declared with the other run modes in startup/Starter.h.
#include <cstdint>
#include <string>

#include "platform/Backend.h"
#include "platform/Gdi32.h"

namespace Starter {

extern int32_t hPreviewParent;  // the host's window, from the command line; 0 when none
extern RECT PreviewRect;        // its client area in pixels; all zero when unknown
extern HDC PreviewDC;           // memory context holding the strip; never freed
extern int16_t FrameW, FrameH, FrameCount;
extern int16_t PreviewFrame;    // the frame drawn last
extern int32_t SrcX, SrcY;      // added to the source position of every frame
extern int32_t PicX, PicY;      // where the frame goes in the window, in pixels

// The strip file in the data folder.
inline constexpr const char* kPreviewStrip = "Z_Preview.bmp";

// Puts the preview's variables back to their start values (for tests).
void ResetPreviewForTests();

}  // namespace Starter

namespace System {

// A memory device context holding the bitmap of `fileName`; 0 after an error.
HDC GenerateDC(const std::string& fileName);

// How often GenerateDC asks for a device context before it gives up, and the
// pause between two attempts.
inline constexpr int kGenerateDCAttempts = 5;
inline constexpr double kGenerateDCPause = 0.05;

}  // namespace System
