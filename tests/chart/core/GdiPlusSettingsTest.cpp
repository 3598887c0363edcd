// The antialiased canvas as a panel setting, its registration, and the free-drawing panel.
#include <algorithm>

#include "MainWindowLook.h"
#include "PanelFixture.h"
#include "chart/canvas/CanvasServices.h"
#include "chart/core/GdiPlusSettings.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Published.h"
#include "platform/forms/TestKit.h"
#include "platform/graphics/Bitmap.h"
#include "tests/support/FormSupport.h"
#include "tests/support/Golden.h"

namespace {

const String GoldenDir = TV_SOURCE_DIR "/tests/chart/core/golden";

class GdiPlusSettingsTest : public PanelSuite {};

bool IsGdiPlus(TCustomZebPanel& panel) { return dynamic_cast<TGDIPlusCanvas*>(panel.Canvas3D()) != nullptr; }

TEST_F(GdiPlusSettingsTest, ANewPanelDrawsAntialiasedByDefault)
{
    const String saved = DefaultCanvasClassName;
    DefaultCanvasClassName = "TGDIPlusCanvas";
    TTestPanel panel(nullptr);
    DefaultCanvasClassName = saved;
    EXPECT_TRUE(IsGdiPlus(panel));
    const TCanvasClassList& list = *CanvasClassList();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0]->ClassName(), "TZebCanvas3D");
    EXPECT_EQ(list[1]->ClassName(), "TGDIPlusCanvas");
}

TEST_F(GdiPlusSettingsTest, ActivatingBeforeThePanelIsLinkedInstallsTheCanvasOnLinking)
{
    TTestPanel panel(nullptr);
    TZebGDIPlus settings(nullptr);
    settings.SetActive(true);  // no panel yet: nothing happens
    settings.SetScale(1.5f);
    settings.SetAntialias(false);
    EXPECT_FALSE(IsGdiPlus(panel));
    settings.SetZebPanel(&panel);
    ASSERT_TRUE(IsGdiPlus(panel));
    EXPECT_EQ(settings.GetCanvas(), panel.Canvas3D());
    EXPECT_EQ(settings.GetCanvas()->Scale(), 1.5f);
    EXPECT_FALSE(settings.GetCanvas()->AntiAlias());
    EXPECT_EQ(settings.GetCanvas()->SettingsComponent(), &settings);
    settings.SetActive(false);
    EXPECT_FALSE(IsGdiPlus(panel));
    EXPECT_EQ(panel.Canvas3D()->ClassName(), "TZebCanvas3D");
}

TEST_F(GdiPlusSettingsTest, FreeingTheLinkedPanelUnlinksIt)
{
    TZebGDIPlus settings(nullptr);
    auto* panel = new TTestPanel(nullptr);
    settings.SetZebPanel(panel);
    settings.SetActive(true);
    TObject::Free(panel);
    EXPECT_EQ(settings.ZebPanel(), nullptr);
    EXPECT_FALSE(settings.Active());
}

TEST_F(GdiPlusSettingsTest, ASecondPanelSendsTheFirstBackToTheGdiCanvas)
{
    TTestPanel first(nullptr), second(nullptr);
    TZebGDIPlus settings(nullptr);
    settings.SetZebPanel(&first);
    settings.SetActive(true);
    ASSERT_TRUE(IsGdiPlus(first));
    settings.SetZebPanel(&second);
    EXPECT_FALSE(IsGdiPlus(first));
    EXPECT_EQ(first.Canvas3D()->ClassName(), "TZebCanvas3D");
    EXPECT_TRUE(IsGdiPlus(second));
    settings.SetZebPanel(nullptr);
    EXPECT_FALSE(IsGdiPlus(second));
}

TEST_F(GdiPlusSettingsTest, AScaleOfOneIsNotStored)
{
    TZebGDIPlus settings(nullptr);
    settings.SetName("GDIPlus1");
    const String plain = ComponentToText(&settings);
    EXPECT_EQ(plain.find("Scale"), String::npos) << plain;
    EXPECT_NE(plain.find("Active = False"), String::npos) << plain;
    EXPECT_NE(plain.find("AntiAliasText = gpfDefault"), String::npos) << plain;
    settings.SetScale(1.5f);
    EXPECT_NE(ComponentToText(&settings).find("Scale = 1.5"), String::npos);
}

TEST_F(GdiPlusSettingsTest, ADrawPanelWithoutOnPaintShowsItsBackgroundAndRubberBand)
{
    TDraw3D draw(nullptr);
    draw.SetBounds(0, 0, 200, 120);
    draw.SetColor(clTeal);
    draw.SetBevelOuter(bvNone);
    draw.SetCanvasClassName("TZebCanvas3D");
    TBitmap window;
    testkit::RenderToBitmap(draw, window);
    EXPECT_EQ(window.Canvas()->Pixels(100, 60), clTeal);
    int painted = 0;
    draw.SetOnPaint(TDraw3DPaintEvent([&painted](TObject*, TRect& r) { painted = r.Width(); }));
    draw.Zoom()->StartDrag(20, 20);
    draw.Zoom()->SetX1(120), draw.Zoom()->SetY1(80);
    draw.Invalidate();
    testkit::RenderToBitmap(draw, window);
    EXPECT_EQ(painted, 200);
    EXPECT_NE(window.Canvas()->Pixels(20, 50), clTeal);
    EXPECT_EQ(window.Canvas()->Pixels(100, 60), clTeal);
}

TEST_F(GdiPlusSettingsTest, TheMainWindowsEmptyPanelOnTheAntialiasedCanvas)
{
    TTestPanel panel(nullptr);
    panel.SetCanvasClassName("TGDIPlusCanvas");
    ASSERT_TRUE(IsGdiPlus(panel));
    MainWindowLook(panel);
    TBitmap window;
    testkit::RenderToBitmap(panel, window);
    testsupport::ExpectMatchesGolden(window, GoldenDir, "panel_main_window_gdiplus");
}

// Last in the suite: the unit's stop takes the canvas class out of the list.
TEST_F(GdiPlusSettingsTest, StoppingTheUnitRemovesTheCanvasClass)
{
    StopGdiPlusUnit();
    const TCanvasClassList& list = *CanvasClassList();
    EXPECT_TRUE(
        std::none_of(list.begin(), list.end(), [](const TMetaClass* c) { return c->ClassName() == "TGDIPlusCanvas"; }));
    StartGdiPlusUnit();
}

}  // namespace

// A form whose free-drawing panel names the control settings and events of the description
// format, docking included.
class TDrawHostForm : public TForm {
    TV_CLASS(TDrawHostForm, TForm)
public:
    using TForm::TForm;
    void CanResize(TObject*, int&, int&, bool&) {}
    void ConstrainedResize(TObject*, int&, int&, int&, int&) {}
    void ContextPopup(TObject*, TPoint, bool&) {}
    void DockDrop(TObject*, TObject*, int, int) {}
    void DockOver(TObject*, TObject*, int, int, int, bool&) {}
    void EndDock(TObject*, TObject*, int, int) {}
    void GetSiteInfo(TObject*, TControl*, TRect&, TPoint, bool&) {}
    void StartDock(TObject*, TObject*&) {}
    void UnDock(TObject*, TControl*, TWinControl*, bool&) {}
};

TV_PUBLISHED(TDrawHostForm)
{
    Method("CanResize", &TDrawHostForm::CanResize);
    Method("ConstrainedResize", &TDrawHostForm::ConstrainedResize);
    Method("ContextPopup", &TDrawHostForm::ContextPopup);
    Method("DockDrop", &TDrawHostForm::DockDrop);
    Method("DockOver", &TDrawHostForm::DockOver);
    Method("EndDock", &TDrawHostForm::EndDock);
    Method("GetSiteInfo", &TDrawHostForm::GetSiteInfo);
    Method("StartDock", &TDrawHostForm::StartDock);
    Method("UnDock", &TDrawHostForm::UnDock);
}

namespace {

TEST_F(GdiPlusSettingsTest, ADrawPanelDescriptionWithControlAndDockingSettingsLoads)
{
    const char* const text = R"(object DrawHostForm: TDrawHostForm
  Width = 400
  Height = 300
  object Draw: TDraw3D
    Left = 0
    Top = 0
    Width = 300
    Height = 100
    Constraints.MaxWidth = 200
    Constraints.MinHeight = 120
    Locked = True
    OnCanResize = CanResize
    OnConstrainedResize = ConstrainedResize
    OnContextPopup = ContextPopup
    OnDockDrop = DockDrop
    OnDockOver = DockOver
    OnEndDock = EndDock
    OnGetSiteInfo = GetSiteInfo
    OnStartDock = StartDock
    OnUnDock = UnDock
  end
end
)";
    auto form = testsupport::LoadForm<TDrawHostForm>(text);
    auto& draw = testsupport::Find<TDraw3D>(*form, "Draw");
    EXPECT_TRUE(draw.Locked());
    EXPECT_EQ(draw.Width(), 200);
    EXPECT_EQ(draw.Height(), 120);
    EXPECT_EQ(draw.OnContextPopup().Method().Name, "ContextPopup");
    EXPECT_EQ(draw.OnUnDock().Method().Name, "UnDock");
    const String written = ComponentToText(form.get());
    for (const char* name : {"Locked = True", "Constraints.MaxWidth = 200", "OnCanResize = CanResize",
                             "OnConstrainedResize = ConstrainedResize", "OnDockDrop = DockDrop",
                             "OnDockOver = DockOver", "OnEndDock = EndDock", "OnGetSiteInfo = GetSiteInfo",
                             "OnStartDock = StartDock"})
        EXPECT_NE(written.find(name), String::npos) << name;
    auto again = testsupport::LoadForm<TDrawHostForm>(written);
    EXPECT_EQ(ComponentToText(again.get()), written);
}

}  // namespace
