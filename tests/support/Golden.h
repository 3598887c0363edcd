#pragma once
// Golden images: a test draws a picture into a bitmap and compares it with a PNG committed beside
// the test (tests/<folder>/golden/<name>.png). Glyphs and antialiasing differ a little between
// machines, so the comparison allows a per-channel difference and a share of differing pixels.
// TV_UPDATE_GOLDEN=1 writes the picture as the new golden image instead of comparing; every
// picture is also written to $TV_LOOK_DIR (when set) for looking at.
#include "platform/rtl/Types.h"

class TBitmap;

namespace testsupport {

struct GoldenTolerance {
    int ChannelDelta = 48;       // a pixel differs when one channel differs by more than this
    double DifferingShare = 0.01;  // at most this share of the pixels may differ
};

// Compares bitmap (24- or 32-bit; alpha ignored) with goldenDir/name.png as gtest failures.
// goldenDir: the test folder's golden/ folder, e.g. TV_SOURCE_DIR "/tests/chart/core/golden".
void ExpectMatchesGolden(const TBitmap& bitmap, const String& goldenDir, const String& name,
                         const GoldenTolerance& tolerance = {});

}  // namespace testsupport
