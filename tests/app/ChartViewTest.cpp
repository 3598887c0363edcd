// The chart view's controls: the view size from "DATA" and at show, the left-axis edits and box.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>

#include "chart/canvas/ZebFont.h"
#include "chart/core/Chart.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/ChartTitles.h"
#include "platform/forms/ComCtrls.h"
#include "platform/forms/StdCtrls.h"
#include "platform/forms/TestKit.h"
#include "platform/rtl/DateTime.h"
#include "tests/app/ViewerFixture.h"
#include "chart/editor/ExportForm.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/PageControl.h"
#include "platform/forms/Buttons.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/GraphicsObjects.h"

namespace {

class ChartViewTest : public ViewerTest {
protected:
    TChartAxis& Left() { return *window_->Chart1->LeftAxis(); }
    TChartAxis& Bottom() { return *window_->Chart1->BottomAxis(); }
    String Error() { return window_->StatusBar1->Panels()->Items(0)->Text(); }
    // Replaces an edit's text by typing, as a user does.
    void Retype(TEdit& edit, const String& text)
    {
        testkit::KeyPress(edit, 'A', TShiftState{ssCtrl});
        testkit::TypeText(edit, text);
    }
};

TEST_F(ChartViewTest, ShowTakesTheViewSizeFromTheBoxOr300)
{
    const struct {
        const char* text;
        int quantity;
    } cases[] = {{"100", 100}, {"abc", 300}, {"", 300}, {"1", 1}, {"0", 300}, {"-5", 300}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        auto& w = CreateWindow(false);
        w.edACDataQuantity->SetText(c.text);
        w.Show();
        testkit::Pump();
        EXPECT_EQ(w.ViewDataQuantity(), c.quantity);
        w.ProcessLine("1.00 2.00");  // a size from the box never makes the feed raise
        EXPECT_EQ(Error(), "");
    }
}

TEST_F(ChartViewTest, DataSaveOpensTheExportDialogOnTheChart)
{
    auto& w = CreateWindow();
    auto& button = dynamic_cast<TButton&>(testkit::FindControl(w, "Button2"));
    EXPECT_EQ(button.Parent(), w.Chart1);
    EXPECT_EQ(button.BoundsRect(), Rect(470, 0, 577, 33));
    EXPECT_EQ(button.Caption(), "Data Save");
    EXPECT_EQ(button.Font()->Height(), -21);
    if (const char* dir = std::getenv("TV_MAIN_WINDOW_PNG")) testkit::RenderToPng(w, String(dir) + "/main_window.png");
    TCustomZebPanel* exported = nullptr;
    String folder = "unset";
    TModalHandler old = SetModalHandler([&](TCustomForm& form) {
        auto& d = dynamic_cast<TZebExportForm&>(form);
        exported = d.Chart();
        folder = d.InitialFolder();
        return mrCancel;
    });
    testkit::Click(button);
    SetModalHandler(old);
    EXPECT_EQ(exported, w.Chart1);
    EXPECT_EQ(folder, "");
    EXPECT_EQ(Error(), "");
}

TEST_F(ChartViewTest, ADataSaveThatFailsIsReportedOnTheStatusBar)
{
    auto& w = CreateWindow();
    w.ProcessLine("1.00 2.00");
    TDialogHandler oldDialogs = SetDialogHandler([](const TDialogRequest& r) {
        if (r.Kind != dkSaveDialog) return IDYES;
        *r.Value = "/nonexistent-folder-of-tiltviewer/data.csv";
        return IDOK;
    });
    TModalHandler oldModal = SetModalHandler([](TCustomForm& form) {
        auto& d = dynamic_cast<TZebExportForm&>(form);
        d.Show();
        d.PageControl1->SetActivePage(d.TabData);
        testkit::Click(*d.BSave);  // as the user clicks: a failure goes to the program's handler
        d.Hide();
        return mrCancel;
    });
    testkit::Click(w, "Button2");
    SetModalHandler(oldModal);
    SetDialogHandler(oldDialogs);
    EXPECT_NE(Error().find("data.csv"), String::npos) << Error();
    EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST_F(ChartViewTest, ShowMakesTheLabelsWhiteAndTheLeftAxisFollowTheBox)
{
    auto& w = CreateWindow();
    EXPECT_EQ(Left().LabelsFont()->Color(), clWhite);
    EXPECT_EQ(Bottom().LabelsFont()->Color(), clWhite);
    EXPECT_EQ(w.Chart1->Title()->Font()->Color(), clWhite);
    // The stored chart fixes -1000 .. 2000, the stored box says automatic: the box wins.
    EXPECT_TRUE(w.cbChart1LeftAuto->Checked());
    EXPECT_TRUE(Left().AutomaticMaximum());
    EXPECT_TRUE(Left().AutomaticMinimum());
    EXPECT_EQ(w.edChart1LeftMax->Text(), "90");
    EXPECT_EQ(w.edChart1LeftMin->Text(), "-90");
}

// "DATA" takes the box's number (1000 when it is none); a size below 1 is refused in the status
// bar and the previous size stays, so that the feed never raises afterwards.
TEST_F(ChartViewTest, DataButtonSetsTheViewSize)
{
    TfKAVRO_IN_D_485_Viewer::SetClock([] { return EncodeDateTime(2024, 3, 3, 14, 5, 9, 0); });
    auto& w = CreateWindow();
    const struct {
        const char* text;
        int quantity;
        bool refused;
    } cases[] = {{"50", 50, false},  {"abc", 1000, false}, {"0", 1000, true},
                 {"-5", 1000, true}, {"", 1000, false},    {"2", 2, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        w.StatusBar1->Panels()->Items(0)->SetText("");
        w.edACDataQuantity->SetText(c.text);
        testkit::Click(w, "btACDataQuantity");
        EXPECT_EQ(w.ViewDataQuantity(), c.quantity);
        const String refusal = c.refused ? "View Data Quantity must be 1 or more: '" + String(c.text) +
                                               "' - 2024-03-03 14:05:09"
                                         : "";
        EXPECT_EQ(Error(), refusal);
        w.ProcessLine("1.00 2.00");  // raises when the feed meets a size below 0
        EXPECT_EQ(Error(), refusal);
    }
}

TEST_F(ChartViewTest, TypingIntoALeftAxisEditFixesBothBounds)
{
    auto& w = CreateWindow();
    ASSERT_TRUE(w.cbChart1LeftAuto->Checked());
    Retype(*w.edChart1LeftMax, "100");
    EXPECT_EQ(w.edChart1LeftMax->Text(), "100");
    EXPECT_FALSE(w.cbChart1LeftAuto->Checked());
    EXPECT_FALSE(Left().Automatic());
    EXPECT_FALSE(Left().AutomaticMaximum());
    EXPECT_FALSE(Left().AutomaticMinimum());
    EXPECT_EQ(Left().Maximum(), 100);
    EXPECT_EQ(Left().Minimum(), -90);
    // The up-down writes its edit, which changes the bound again.
    testkit::Click(Get<TUpDown>("UpDown2"), testkit::Centre, 2);
    EXPECT_EQ(w.edChart1LeftMin->Text(), "-89");
    EXPECT_EQ(Left().Minimum(), -89);
    // Not a number: the edit's bound becomes 0.
    Retype(*w.edChart1LeftMin, "x");
    EXPECT_EQ(Left().Minimum(), 0);
    EXPECT_EQ(Error(), "");
    // Checked again: automatic both ways, the edits keep their texts.
    testkit::Click(w, "cbChart1LeftAuto");
    EXPECT_TRUE(Left().AutomaticMaximum());
    EXPECT_TRUE(Left().AutomaticMinimum());
    EXPECT_EQ(w.edChart1LeftMax->Text(), "100");
}

// Unchecking the box sets both bounds from the edits; a valid pair wholly below the automatic
// range of the moment is taken in the order that never meets the old other bound.
TEST_F(ChartViewTest, UncheckingTheBoxTakesAValidPairBesideTheCurrentRange)
{
    auto& w = CreateWindow();
    for (const char* line : {"250 260", "255 270"}) w.ProcessLine(line);
    testkit::Pump(50);  // a paint puts the automatic range on the readings
    ASSERT_GT(Left().Minimum(), 100);
    testkit::Click(w, "cbChart1LeftAuto");
    EXPECT_EQ(Left().Maximum(), 90);
    EXPECT_EQ(Left().Minimum(), -90);
    EXPECT_EQ(Error(), "");
    // A pair the wrong way round is refused and leaves the bounds as they were.
    Retype(*w.edChart1LeftMax, "-100");  // the axis refuses -100 below -90 on the way
    EXPECT_NE(Error().find("Axis Maximum Value must be >= Minimum"), String::npos) << Error();
    EXPECT_EQ(Left().Maximum(), -10);
    testkit::Click(w, "cbChart1LeftAuto");
    testkit::Pump(50);
    const double maximum = Left().Maximum(), minimum = Left().Minimum();
    w.StatusBar1->Panels()->Items(0)->SetText("");
    testkit::Click(w, "cbChart1LeftAuto");
    EXPECT_NE(Error().find("Axis Maximum Value must be >= Minimum"), String::npos) << Error();
    EXPECT_EQ(Left().Maximum(), maximum);
    EXPECT_EQ(Left().Minimum(), minimum);
}

// Drawn unbuffered straight onto a bitmap, each canvas gives the picture it gives through its buffer,
// smooth shadows included.
TEST_F(ChartViewTest, TheChartDrawnUnbufferedIsItsBufferedPicture)
{
    auto& w = CreateWindow();
    for (int i = 0; i < 400; ++i) {
        char line[32];
        std::snprintf(line, sizeof line, "%.2f %.2f", 25 * std::sin(i / 20.0), 15 * std::cos(i / 30.0));
        w.ProcessLine(line);
    }
    TCustomChart& chart = *w.Chart1;
    const TRect rect{0, 0, chart.Width(), chart.Height()};
    for (const char* canvasClass : {"TZebCanvas3D", "TGDIPlusCanvas"}) {
        SCOPED_TRACE(canvasClass);
        chart.SetCanvasClassName(canvasClass);
        TBitmap buffered(rect.Right, rect.Bottom, pf32bit), direct(rect.Right, rect.Bottom, pf32bit);
        chart.SetBufferedDisplay(true);
        chart.RenderTo(buffered.Canvas(), rect);
        chart.SetBufferedDisplay(false);
        chart.RenderTo(direct.Canvas(), rect);
        chart.SetBufferedDisplay(true);
        int differing = 0;
        for (int y = 0; y < rect.Bottom; ++y)
            differing += std::memcmp(buffered.ScanLine(y), direct.ScanLine(y), 4 * rect.Right) != 0;
        EXPECT_EQ(differing, 0) << "rows";
    }
}

}  // namespace
