#include <gtest/gtest.h>

#include <cstring>

#include "platform/forms/Forms.h"
#include "platform/forms/Messages.h"
#include "platform/forms/TestKit.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "widgets/meters/DB180Meter.h"
#include "widgets/meters/Register.h"

namespace {

// A stored meter on the main window's range with the class's default options and bevels (no Value:
// it starts at 50), on a dark form. The window's own meters are tested from its description in tests/app.
const char* const kWindow = R"(object Form1: TForm
  Left = 0
  Top = 0
  Width = 300
  Height = 200
  Color = clNavy
  object meterXValue: TVnDB180Meter
    Left = 8
    Top = 8
    Width = 249
    Height = 145
    AutoSize = False
    DataReadOnly = True
    LimitUpper = 90
    LimitLower = -90
    SignalSettings.ValueFrom = -90
    SignalSettings.ValueTo = 90
    SignalSettings.ValueFormat = '##0.0#'
    SignalSettings.Name1 = ''
    SignalSettings.Name2 = ''
    SignalSettings.ValueUnit = 'X axis[Deg]'
    ScaleSettings.Steps = 12
    ScaleSettings.SubSteps = 3
    ScaleSettings.ValueFormat = '##0'
    ScaleSettings.Color = clWhite
  end
end
)";

struct Window {
    Window()
    {
        RegisterMeterControls();
        form.reset(new TForm(nullptr));
        form->InitFromText(kWindow);
        meter = &dynamic_cast<TVnDB180Meter&>(testkit::FindControl(*form, "meterXValue"));
        form->Show();
        testkit::Pump();
    }
    void stream(std::initializer_list<float> values)
    {
        for (float v : values) {
            meter->SetValue(v);
            testkit::Pump();
        }
    }
    // A repaint the meter did not ask for, onto a surface nobody cleared in between.
    void paintOver(TBitmap& surface)
    {
        meter->Perform(WM_PAINT, reinterpret_cast<intptr>(surface.Canvas()->Handle()), 0);
    }

    TOwnedPtr<TForm> form;
    TVnDB180Meter* meter = nullptr;
};

int differingLines(TBitmap& a, TBitmap& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height()) return -1;
    int n = 0;
    for (int y = 0; y < a.Height(); ++y) n += std::memcmp(a.ScanLine(y), b.ScanLine(y), a.BytesPerScanLine()) != 0;
    return n;
}

// A point half way up the drawn needle, in the meter's coordinates.
TPoint needleMiddle(const TVnRMeter& m)
{
    const TNeedleShape& n = m.DrawnNeedle();
    const TPoint tip = n.Points[3];  // shape 0: the tip is the third polygon point
    return Point(m.NeedleRect().Left + (n.Centre().X + tip.X) / 2, m.NeedleRect().Top + (n.Centre().Y + tip.Y) / 2);
}

}  // namespace

TEST(StreamedMeter, RepaintOverAnUnclearedSurfaceLeavesNoSecondNeedle)
{
    Window streamed;
    // The needle stands at the loaded 50. Then a repaint the meter did not ask for comes over a
    // surface nobody cleared first (all green here): what the meter shows afterwards comes from
    // its own face, never from those pixels.
    TBitmap surface(streamed.meter->Width(), streamed.meter->Height());
    for (int y = 0; y < surface.Height(); ++y) {
        Byte* line = surface.ScanLine(y);
        for (int x = 0; x < surface.Width(); ++x) line[3 * x] = 0, line[3 * x + 1] = 0xFF, line[3 * x + 2] = 0;
    }
    streamed.paintOver(surface);
    streamed.stream({0, 3});
    streamed.meter->SetValue(5);  // pictured while its repaint is still due
    TBitmap shown;
    testkit::RenderToBitmap(*streamed.meter, shown);

    Window fresh;
    fresh.stream({0, 3, 5});
    fresh.meter->Invalidate();
    TBitmap full;
    testkit::RenderToBitmap(*fresh.meter, full);

    EXPECT_EQ(differingLines(shown, full), 0);
}

TEST(StreamedMeter, ValueZeroPointsStraightUp)
{
    Window w;
    const TColor needle = w.meter->ArrowSettings()->ColorBrush();
    const TPoint at50 = needleMiddle(*w.meter);
    w.stream({0});
    const TNeedleShape& n = w.meter->DrawnNeedle();
    EXPECT_EQ(n.Points[3].X, n.Centre().X);
    EXPECT_LT(n.Points[3].Y, n.Centre().Y);
    const TPoint mid = needleMiddle(*w.meter);
    EXPECT_EQ(testkit::PixelAt(*w.meter, mid.X, mid.Y), needle);
    EXPECT_NE(testkit::PixelAt(*w.meter, at50.X, at50.Y), needle);  // nothing left where it stood
}
