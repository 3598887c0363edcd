#include <gtest/gtest.h>

#include "chart/canvas/Corners.h"
#include "chart/canvas/FloatPoints.h"
#include "chart/canvas/Gradient.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebFont.h"
#include "chart/canvas/ZebPen.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Published.h"

namespace {
// A component publishing one of each settings object, so the stream form can be read as text.
class TSettingsHolder : public TComponent {
    TV_CLASS(TSettingsHolder, TComponent)
public:
    explicit TSettingsHolder(TComponent* owner = nullptr)
        : TComponent(owner), point(this, {}, 5), hiddenPen(), view(nullptr)
    {
        SetName("Holder");
    }
    TZebBrush* Brush() { return &brush; }
    void SetBrush(TZebBrush* v) { brush.Assign(v); }
    TZebPen* Pen() { return &pen; }
    void SetPen(TZebPen* v) { pen.Assign(v); }
    TZebHiddenPen* HiddenPen() { return &hiddenPen; }
    void SetHiddenPen(TZebHiddenPen* v) { hiddenPen.Assign(v); }
    TZebFont* Font() { return &font; }
    void SetFont(TZebFont* v) { font.Assign(v); }
    TView3DOptions* View() { return &view; }
    void SetView(TView3DOptions* v) { view.Assign(v); }
    TPointXYFloat* Point() { return &point; }
    void SetPoint(TPointXYFloat* v) { point.Assign(v); }
    TZebGradient* Gradient() { return &gradient; }
    void SetGradient(TZebGradient* v) { gradient.Assign(v); }
    TZebShadow* Shadow() { return &shadow; }
    void SetShadow(TZebShadow* v) { shadow.Assign(v); }
    TZebCorners* Corners() { return &corners; }
    void SetCorners(TZebCorners* v) { corners.Assign(v); }

    TZebBrush brush;
    TZebPen pen;
    TPointXYFloat point;
    TZebHiddenPen hiddenPen;
    TZebFont font;
    TView3DOptions view;
    TZebGradient gradient;
    TZebShadow shadow;
    TZebCorners corners;
};

std::vector<std::string> storedLines(TSettingsHolder& h)
{
    std::vector<std::string> lines;
    String text = ComponentToText(&h);
    std::size_t pos = 0;
    while ((pos = text.find("\r\n")) != String::npos) {
        String line = text.substr(0, pos);
        text.erase(0, pos + 2);
        if (line.rfind("  ", 0) == 0) lines.push_back(line.substr(2));
    }
    return lines;
}

struct Counter {
    int count = 0;
    TNotifyEvent handler()
    {
        return [this](TObject*) { ++count; };
    }
};
}  // namespace

TV_PUBLISHED(TSettingsHolder)
{
    Prop("Brush", &TSettingsHolder::Brush, &TSettingsHolder::SetBrush);
    Prop("Pen", &TSettingsHolder::Pen, &TSettingsHolder::SetPen);
    Prop("HiddenPen", &TSettingsHolder::HiddenPen, &TSettingsHolder::SetHiddenPen);
    Prop("Font", &TSettingsHolder::Font, &TSettingsHolder::SetFont);
    Prop("View", &TSettingsHolder::View, &TSettingsHolder::SetView);
    Prop("Point", &TSettingsHolder::Point, &TSettingsHolder::SetPoint);
    Prop("Gradient", &TSettingsHolder::Gradient, &TSettingsHolder::SetGradient);
    Prop("Shadow", &TSettingsHolder::Shadow, &TSettingsHolder::SetShadow);
    Prop("Corners", &TSettingsHolder::Corners, &TSettingsHolder::SetCorners);
}

TEST(Settings, DefaultsAreNotStored)
{
    TSettingsHolder h;
    EXPECT_EQ(h.brush.Color(), clDefault);
    EXPECT_EQ(h.brush.BackColor(), clNone);
    EXPECT_TRUE(storedLines(h).empty()) << ComponentToText(&h);
    EXPECT_FALSE(h.brush.HasGradient()) << "writing does not create sub-objects";
    EXPECT_FALSE(h.font.HasShadow());
}

TEST(Settings, WhatTheStreamWrites)
{
    struct Case {
        const char* what;
        std::function<void(TSettingsHolder&)> change;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"hatch of the class library",
         [](auto& h) { h.brush.SetHatchStyle(hsCross); },
         {"Brush.Style = bsCross", "Brush.HatchStyle = hsCross"}},
        {"hatch of the antialiased canvas only",
         [](auto& h) { h.brush.SetHatchStyle(hsSolidDiamond); },
         {"Brush.HatchStyle = hsSolidDiamond"}},
        {"recorded brush colour", [](auto& h) { h.brush.InitColor(clRed); }, {}},
        {"fractional size",
         [](auto& h) { h.font.SetSizeFloat(10.5f); },
         {"Font.Height = -13", "Font.SizeFloat = 10.5s"}},
        {"whole size", [](auto& h) { h.font.SetSizeFloat(10); }, {"Font.Height = -13"}},
        {"recorded font colour", [](auto& h) { h.font.InitColor(clNavy); }, {}},
        {"font colour", [](auto& h) { h.font.SetColor(clNavy); }, {"Font.Color = clNavy"}},
        {"perspective is capped", [](auto& h) { h.view.SetPerspective(150); }, {"View.Perspective = 100"}},
        {"point at zero", [](auto& h) { h.point.SetX(0); }, {"Point.XZero = True"}},
        {"point elsewhere", [](auto& h) { h.point.SetY(2); }, {"Point.Y = 2.0s"}},
        {"wide pen", [](auto& h) { h.pen.SetWidth(2); }, {"Pen.Width = 2"}},
        {"pen end style", [](auto& h) { h.pen.SetEndStyle(esFlat); }, {"Pen.EndStyle = esFlat"}},
        {"recorded end style", [](auto& h) { h.pen.InitEndStyle(esFlat); }, {}},
        {"hidden pen shown", [](auto& h) { h.hiddenPen.Show(); }, {"HiddenPen.Visible = True"}},
        {"gradient shown", [](auto& h) { h.gradient.SetVisible(true); }, {"Gradient.Visible = True"}},
        {"gradient direction", [](auto& h) { h.gradient.InitDirection(gdLeftRight); }, {}},
        {"shadow size", [](auto& h) { h.shadow.SetSize(3); }, {"Shadow.HorizSize = 3", "Shadow.VertSize = 3"}},
        {"shadow defaults", [](auto& h) { h.shadow.InitDefaults(false, clBlack, 4); }, {}},
        {"corner", [](auto& h) { h.corners.RightTop()->SetStyle(cosBevel); }, {"Corners.RightTop.Style = cosBevel"}},
    };
    for (const Case& c : cases) {
        TSettingsHolder h;
        c.change(h);
        EXPECT_EQ(storedLines(h), c.lines) << c.what << "\n" << ComponentToText(&h);
    }
}

TEST(Settings, StreamRoundTrip)
{
    TSettingsHolder h;
    h.brush.SetHatchStyle(hsWave);
    h.brush.SetBackColor(clYellow);
    h.font.SetSizeFloat(10.5f);
    h.font.Shadow()->SetHorizSize(-2);
    h.font.SetQuality(TZebFontQuality::fqClearType);
    h.point.SetX(0);
    h.gradient.SetMidColor(clRed);
    h.gradient.SetVisible(true);
    h.pen.SetSmallDots(true);

    TSettingsHolder back;
    TextToComponent(ComponentToText(&h), &back);
    EXPECT_EQ(back.brush.HatchStyle(), hsWave);
    EXPECT_EQ(back.brush.BackColor(), clYellow);
    EXPECT_FLOAT_EQ(back.font.SizeFloat(), 10.5f);
    ASSERT_TRUE(back.font.HasShadow());
    EXPECT_EQ(back.font.Shadow()->HorizSize(), -2);
    EXPECT_EQ(back.font.Quality(), TZebFontQuality::fqClearType);
    EXPECT_EQ(back.point.X(), 0);
    EXPECT_EQ(back.gradient.MidColor(), clRed);
    EXPECT_TRUE(back.gradient.Visible());
    EXPECT_TRUE(back.pen.SmallDots());
    EXPECT_EQ(ComponentToText(&back), ComponentToText(&h));
}

TEST(Settings, OwnersAreToldOnlyOfEffectiveChanges)
{
    Counter c;
    TZebPen pen(c.handler());
    pen.SetWidth(1);
    pen.SetVisible(true);
    pen.SetEndStyle(esRound);
    EXPECT_EQ(c.count, 0);
    pen.SetEndStyle(esFlat);
    EXPECT_EQ(c.count, 1);
    TZebPen copy;
    copy.Assign(&pen);
    pen.Assign(&copy);  // the same settings
    EXPECT_EQ(c.count, 1);
    copy.Hide();
    pen.Assign(&copy);  // only visibility differs
    EXPECT_EQ(c.count, 2);

    Counter b;
    TZebBrush brush(b.handler());
    brush.SetBackColor(clNone);
    brush.InitColor(clRed);
    EXPECT_EQ(b.count, 0);
    brush.Gradient()->SetVisible(true);  // sub-objects call the owner too
    EXPECT_EQ(b.count, 1);

    Counter f;
    TZebFont font(f.handler());
    font.SetSizeFloat(font.SizeFloat());
    font.InitStyle({fsBold});
    EXPECT_EQ(f.count, 0);
    font.SetSizeFloat(8.25f);
    EXPECT_EQ(f.count, 1);
    EXPECT_EQ(font.Size(), 8);
    font.Shadow()->SetColor(clRed);
    EXPECT_EQ(f.count, 2);
}

TEST(Settings, ViewOptions)
{
    TView3DOptions v;
    v.SetRotation(180);
    v.SetOrthogonal(false);
    EXPECT_TRUE(v.IsRotatedToBack());
    v.SetOrthogonal(true);
    EXPECT_FALSE(v.IsRotatedToBack());
    v.SetOrthoAngle(135);
    const double slope135 = v.GetOrthoSlope();
    v.SetOrthoAngle(45);
    EXPECT_DOUBLE_EQ(slope135, v.GetOrthoSlope());
    EXPECT_NEAR(slope135, 1.0, 1e-12);

    int zoomed = 0;
    bool horizontal = false;
    v.ZoomChangedHook = [&](int z) { zoomed = z; };
    v.ScrolledHook = [&](bool h) { horizontal = h; };
    v.SetZoomFloat(150.4);
    EXPECT_EQ(zoomed, 150);
    EXPECT_EQ(v.Zoom(), 150);
    v.SetHorizOffset(10);
    EXPECT_TRUE(horizontal);
}

TEST(Settings, ShadowPlacement)
{
    TZebShadow s;
    s.SetHorizSize(3);
    s.SetVertSize(4);
    struct Case {
        TShadowDirection d;
        TRect expected;
    };
    const Case cases[] = {{sdLeftTop, {7, 6, 17, 16}},
                          {sdLeftBottom, {7, 14, 17, 24}},
                          {sdRightTop, {13, 6, 23, 16}},
                          {sdRightBottom, {13, 14, 23, 24}},
                          {sdCenter, {7, 6, 23, 24}}};
    for (const Case& c : cases) {
        s.SetDirection(c.d);
        EXPECT_EQ(s.ShadowRect({10, 10, 20, 20}), c.expected) << TShadowDirectionNames[c.d];
    }
    EXPECT_EQ(s.LargestSize(), 4);
    EXPECT_TRUE(s.IsActive());

    TZebEmboss e;
    EXPECT_FALSE(e.Visible());
    EXPECT_EQ(e.Direction(), sdLeftTop);
}
