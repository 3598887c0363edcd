// The styled panel: bevel and child placement, gradients, pictures, caption, auto-size, and
// offscreen renders of the main window's top bar and of every frame style.
#include <gtest/gtest.h>

#include "StyledTestSupport.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/TypeInfo.h"
#include "platform/forms/TestKit.h"
#include "platform/graphics/Bitmap.h"
#include "widgets/styled/QMGeometry.h"

namespace {

TBitmap* solidPicture(TPicture* into, int w, int h, TColor color)
{
    TBitmap bmp(w, h);
    bmp.Canvas()->Brush()->SetColor(color);
    bmp.Canvas()->FillRect({0, 0, w, h});
    into->SetBitmap(&bmp);
    return into->Bitmap();
}

TColorRef pixel(TControl& c, int x, int y) { return ColorToRGB(testkit::PixelAt(c, x, y)); }

String outPath(const char* name) { return ::testing::TempDir() + name; }

// One render of a control's client area, for tests that look at many pixels.
struct Snapshot {
    explicit Snapshot(TControl& c) : control(c)
    {
        testkit::RenderToBitmap(*GetParentForm(&c), shot);
        const TPoint o = c.ClientOrigin();
        const TPoint fo = GetParentForm(&c)->ClientOrigin();
        dx = o.X - fo.X;
        dy = o.Y - fo.Y;
    }
    TColorRef at(int x, int y) { return ColorToRGB(shot.Canvas()->Pixels(x + dx, y + dy)); }
    TControl& control;
    TBitmap shot{1, 1};
    int dx = 0, dy = 0;
};

}  // namespace

TEST(StyledPanel, ConstructedWithItsDefaults)
{
    TQMPanel panel(nullptr);
    EXPECT_EQ(panel.Width(), 185);
    EXPECT_EQ(panel.Height(), 41);
    EXPECT_FALSE(panel.TabStop());
    EXPECT_TRUE(panel.ParentColor());
    EXPECT_TRUE(panel.ControlStyle().Contains(csAcceptsControls));
    EXPECT_EQ(panel.BevelColor(), clNone);
    EXPECT_EQ(panel.BevelEdges(), QMAllEdges);
    EXPECT_EQ(panel.GradientEnd(), clNavy);
    EXPECT_EQ(panel.GradientMid(), clBlue);
    EXPECT_EQ(panel.Layout(), qmplMiddle);
    EXPECT_TRUE(panel.ShowSizeGrip());
    EXPECT_FALSE(panel.ShowStatusbar());
    EXPECT_EQ(panel.StatusbarColor(), clBtnFace);
    EXPECT_TRUE(panel.PictureVisible());
}

TEST(StyledPanel, RegisteredForStoredDescriptions)
{
    RegisterStyledControls();
    EXPECT_EQ(GetClass("TQMPanel"), &TQMPanel::StaticClass());
    EXPECT_EQ(GetClass("TQMPictureList"), &TQMPictureList::StaticClass());
    const TPropInfo* spacing = TQMPanel::StaticClass().FindProperty("Spacing");
    ASSERT_NE(spacing, nullptr);
    EXPECT_EQ(spacing->DefaultOrd, 4);
    for (const char* name :
         {"Alignment",    "AutoSize",      "Bevel",          "BevelColor",    "BevelEdges",  "BevelWidth",
          "BorderProps",  "ClickFocus",    "Gradient",       "GradientEnd",   "GradientMid", "GradientUsesMid",
          "ImageIndex",   "Indent",        "Layout",         "Multiline",     "Picture",     "PictureProps",
          "ShowSizeGrip", "ShowStatusbar", "StatusbarColor", "StatusbarText", "Transparent", "OnMouseEnter",
          "OnMouseLeave", "About"})
        EXPECT_NE(TQMPanel::StaticClass().FindProperty(name), nullptr) << name;
}

TEST(StyledPanel, BevelInsetsAlignedChildren)
{
    struct {
        TQMControlBorder bevel;
        int width;
        TQMBorderEdges edges;
        TRect child;
    } cases[] = {
        {qmcbRaised, 2, {qmbeLeft}, {3, 0, 100, 50}},
        {qmcbBumped, 1, QMAllEdges, {3, 3, 97, 47}},
        {qmcbNone, 4, QMAllEdges, {0, 0, 100, 50}},
        {qmcbFlat, 0, {qmbeTop, qmbeRight}, {0, 1, 99, 50}},
    };
    for (auto& c : cases) {
        StyledForm f;
        f.panel->SetBounds(10, 10, 100, 50);
        auto* child = new TQMPanel(f.form);
        child->SetParent(f.panel);
        child->SetAlign(alClient);
        f.panel->SetBevel(c.bevel);
        f.panel->SetBevelWidth(c.width);
        f.panel->SetBevelEdges(c.edges);
        EXPECT_EQ(child->BoundsRect(), c.child) << c.bevel;
    }
}

TEST(StyledPanel, HiddenPictureSettingsDoNotRepaint)
{
    StyledForm f;
    solidPicture(f.panel->Picture(), 8, 8, clRed);
    f.panel->PictureProps()->SetVisible(false);
    EXPECT_FALSE(f.panel->ShowsPicture());
    const int before = f.panel->invalidates;
    f.panel->PictureProps()->SetOrient(qmpoCenter);
    f.panel->PictureProps()->SetIndent(3);
    EXPECT_EQ(f.panel->invalidates, before);
    f.panel->PictureProps()->SetVisible(true);
    EXPECT_GT(f.panel->invalidates, before);
}

TEST(StyledPanel, PictureFromTheSharedList)
{
    StyledForm f;
    auto* list = new TQMPictureList(f.form);
    auto* item = static_cast<TQMPictureListItem*>(list->Pictures()->Add());
    solidPicture(item->Picture(), 4, 4, clGreen);
    f.panel->PictureProps()->SetPictureList(list);
    EXPECT_EQ(f.panel->CurrentPicture(), nullptr);  // index -1
    EXPECT_FALSE(f.panel->HasPicture());
    f.panel->PictureProps()->SetPictureIndex(0);
    EXPECT_EQ(f.panel->CurrentPicture(), item->Picture());
    EXPECT_TRUE(f.panel->ShowsPicture());
    const int before = f.panel->invalidates;
    item->SetCaption("changed");
    EXPECT_GT(f.panel->invalidates, before) << "a change in the list repaints its users";
    TObject::Free(list);
    EXPECT_EQ(f.panel->PictureList(), nullptr);
    EXPECT_EQ(f.panel->CurrentPicture(), f.panel->Picture());
}

TEST(StyledPanel, ClearingThePictureRepaints)
{
    StyledForm f;
    solidPicture(f.panel->Picture(), 8, 8, clRed);
    const int before = f.panel->invalidates;
    f.panel->Picture()->SetGraphic(nullptr);
    EXPECT_FALSE(f.panel->HasPicture());
    EXPECT_GT(f.panel->invalidates, before);
}

TEST(StyledPanel, AutoSizeReachesAFixedPoint)
{
    struct {
        TQMControlBorder border;
        int width;
        bool statusbar;
        const char* caption;
    } cases[] = {
        {qmcbNone, 0, false, "Port"},
        {qmcb3DRaised, 3, false, "Connected"},
        {qmcbEtched, 0, true, ""},
        {qmcbFlat, 1, true, "Two\nlines"},
    };
    for (auto& c : cases) {
        StyledForm f;
        f.panel->BorderProps()->SetBorder(c.border);
        f.panel->BorderProps()->SetWidth(c.width);
        f.panel->SetShowStatusbar(c.statusbar);
        f.panel->SetCaption(c.caption);
        f.panel->SetAutoSize(true);
        const TRect once = f.panel->BoundsRect();
        f.panel->AdjustSize();
        f.panel->AdjustSize();
        EXPECT_EQ(f.panel->BoundsRect(), once) << c.caption;
        EXPECT_GE(f.panel->ClientWidth(), f.panel->Spacing()) << c.caption;
        if (c.statusbar) {
            EXPECT_GE(f.panel->Height(), QMStatusbarHeight);
        }
    }
}

TEST(StyledPanel, AutoSizeFollowsTheCaptionAndKeepsTheRightEdge)
{
    StyledForm f;
    f.panel->SetCaption("Baudrate");
    f.panel->SetAutoSize(true);
    const TRect shortCaption = f.panel->BoundsRect();
    f.panel->SetCaption("Baudrate and more text");
    const TRect longCaption = f.panel->BoundsRect();
    EXPECT_GT(longCaption.Width(), shortCaption.Width());
    EXPECT_EQ(longCaption.Right, shortCaption.Right);
    f.panel->SetAlignment(taRightJustify);
    f.panel->SetCaption("Baudrate");
    EXPECT_EQ(f.panel->BoundsRect().Left, longCaption.Left);
}

TEST(StyledPanel, GradientToTheSameColourIsAPlainFill)
{
    StyledForm f;
    f.form->Show();
    f.panel->SetParentColor(false);
    f.panel->SetColor(clTeal);
    f.panel->SetGradient(qmgLeftToRight);
    f.panel->SetGradientEnd(clTeal);
    EXPECT_FALSE(f.panel->GradientPainted());
    EXPECT_EQ(pixel(*f.panel, 0, 30), RGB(0, 128, 128));
    EXPECT_EQ(pixel(*f.panel, 99, 30), RGB(0, 128, 128));
}

TEST(StyledPanel, MiddleColourOfNoneIsATwoColourGradient)
{
    StyledForm f;
    f.form->Show();
    auto* two = new ProbePanel(f.form);
    two->SetParent(f.form);
    two->SetBounds(10, 100, 100, 60);
    for (ProbePanel* p : {f.panel, two}) {
        p->SetParentColor(false);
        p->SetColor(clRed);
        p->SetGradient(qmgLeftToRight);
        p->SetGradientEnd(clBlue);
    }
    f.panel->SetGradientUsesMid(true);
    f.panel->SetGradientMid(clNone);
    for (int x = 0; x < 100; x += 7) EXPECT_EQ(pixel(*f.panel, x, 30), pixel(*two, x, 30)) << x;
    EXPECT_EQ(pixel(*f.panel, 0, 30), RGB(255, 0, 0));
    EXPECT_EQ(pixel(*f.panel, 99, 30), RGB(0, 0, 255));

    f.panel->SetGradientMid(clLime);
    EXPECT_EQ(pixel(*f.panel, 50, 30), RGB(0, 255, 0));
    EXPECT_EQ(pixel(*f.panel, 0, 30), RGB(255, 0, 0));
    EXPECT_EQ(pixel(*f.panel, 99, 30), RGB(0, 0, 255));
}

TEST(StyledPanel, TiledPictureCoversTheClient)
{
    StyledForm f;
    f.form->Show();
    f.panel->SetBounds(10, 10, 100, 50);
    f.panel->SetParentColor(false);
    f.panel->SetColor(clWhite);
    solidPicture(f.panel->Picture(), 32, 32, clRed);
    f.panel->PictureProps()->SetOrient(qmpoTiled);
    for (TPoint p : {TPoint{0, 0}, TPoint{99, 49}, TPoint{97, 40}, TPoint{40, 45}})
        EXPECT_EQ(pixel(*f.panel, p.X, p.Y), RGB(255, 0, 0)) << p.X << "," << p.Y;
    f.panel->PictureProps()->SetOrient(qmpoCenter);
    EXPECT_EQ(pixel(*f.panel, 50, 25), RGB(255, 0, 0));
    EXPECT_EQ(pixel(*f.panel, 0, 0), RGB(255, 255, 255));
    f.panel->PictureProps()->SetVisible(false);
    EXPECT_EQ(pixel(*f.panel, 50, 25), RGB(255, 255, 255));
}

TEST(StyledPanel, CaptionStartsSpacingRightOfTheIndent)
{
    StyledForm f;
    f.form->Show();
    f.panel->SetParentColor(false);
    f.panel->SetColor(clWhite);
    f.panel->Font()->SetColor(clBlack);
    f.panel->SetCaption("WWW");
    for (int spacing : {4, 12}) {
        for (int indent : {0, 5}) {
            f.panel->SetSpacing(spacing);
            f.panel->SetIndent(indent);
            Snapshot snap(*f.panel);
            int first = -1;
            for (int x = 0; x < 100 && first < 0; ++x)
                for (int y = 0; y < 60; ++y)
                    if (snap.at(x, y) != RGB(255, 255, 255)) {
                        first = x;
                        break;
                    }
            EXPECT_GE(first, indent + spacing) << spacing << "/" << indent;
            EXPECT_LE(first, indent + spacing + 1) << spacing << "/" << indent;
        }
    }
}

TEST(StyledPanel, MainWindowTopBarRendersAPlainDarkFill)
{
    TForm* form = new TForm(nullptr);
    form->SetBounds(0, 0, 940, 120);
    auto* bar = new TQMPanel(form);
    bar->SetName("QMPanel1");
    bar->SetParent(form);
    bar->SetBounds(-2, 0, 931, 65);
    bar->SetAnchors({akLeft, akTop, akRight});
    bar->SetParentColor(false);
    bar->SetColor(cl3DDkShadow);
    form->Show();
    const TColorRef dark = ColorToRGB(cl3DDkShadow);
    for (TPoint p : {TPoint{0, 0}, TPoint{930, 64}, TPoint{465, 32}, TPoint{10, 60}, TPoint{920, 3}})
        EXPECT_EQ(pixel(*bar, p.X, p.Y), dark) << p.X << "," << p.Y;
    EXPECT_TRUE(testkit::RenderToPng(*form, outPath("styled_topbar.png")));
    TObject::Free(form);
}

TEST(StyledPanel, EveryFrameStyleDrawsItsRings)
{
    // Colours of the outer ring (top-left, bottom-right) and of the ring inside it; a one-pixel
    // style shows the face there. System styles take the platform's 3-D colours (DrawEdge's
    // rings), shaded ones the shades of the panel's colour.
    enum Shade { Base, Highlight, Shadow, SoftShadow, DarkShadow, Darkest };
    struct Row {
        TQMControlBorder style;
        TColor system[4];
        Shade shaded[4];
    };
    const TColor face = clBtnFace, hi = clBtnHighlight, sh = clBtnShadow, dk = cl3DDkShadow, lt = cl3DLight,
                 frame = clWindowFrame, none = clNone;  // none: the panel's face
    const Row rows[] = {
        {qmcbFlat, {sh, sh, none, none}, {Shadow, Shadow, Base, Base}},
        {qmcbColor, {sh, sh, none, none}, {Base, Base, Base, Base}},
        {qmcb3DRaised, {lt, dk, hi, sh}, {Highlight, DarkShadow, SoftShadow, Shadow}},
        {qmcb3DLowered, {sh, hi, dk, lt}, {Shadow, Highlight, DarkShadow, SoftShadow}},
        {qmcbRaised, {hi, sh, none, none}, {Highlight, Shadow, Base, Base}},
        {qmcbLowered, {sh, hi, none, none}, {Shadow, Highlight, Base, Base}},
        {qmcbBumped, {hi, sh, sh, hi}, {Highlight, Shadow, Shadow, Highlight}},
        {qmcbEtched, {sh, hi, hi, sh}, {Shadow, Highlight, Highlight, Shadow}},
        {qmcbMacLowered, {sh, hi, frame, frame}, {Shadow, Highlight, Darkest, Darkest}},
        {qmcbMacRaised, {frame, frame, hi, sh}, {Darkest, Darkest, Highlight, Shadow}},
        {qmcbSoftLowered, {face, hi, sh, sh}, {Base, Highlight, Shadow, Shadow}},
        {qmcbSoftRaised, {sh, sh, hi, face}, {Shadow, Shadow, Highlight, Base}},
    };
    static_assert(std::size(rows) == QMControlBorderCount - 1);

    const TColorRef panelRGB = RGB(160, 180, 200);
    const qm::Shades shades = qm::ShadesOf(panelRGB);
    const std::uint32_t shadeRGB[] = {shades.Base,       shades.Highlight,  shades.Shadow,
                                      shades.SoftShadow, shades.DarkShadow, shades.Darkest};
    TForm* form = new TForm(nullptr);
    form->SetBounds(0, 0, 770, 380);
    form->SetColor(clBtnFace);
    std::vector<TQMPanel*> panels;
    for (int style = 1; style < QMControlBorderCount; ++style) {
        for (int shaded = 0; shaded < 2; ++shaded) {
            auto* p = new TQMPanel(form);
            p->SetParent(form);
            p->SetBounds(8 + ((style - 1) % 6) * 124, 8 + ((style - 1) / 6) * 100 + shaded * 46, 116, 40);
            p->SetParentColor(false);
            p->SetColor(TColor(panelRGB));
            p->BorderProps()->SetBorder(TQMControlBorder(style));
            p->BorderProps()->SetExDraw(shaded == 1);
            p->SetCaption(String(shaded ? "shaded " : "system ") + std::to_string(style));
            panels.push_back(p);
        }
    }
    auto* showcase = new TQMPanel(form);
    showcase->SetParent(form);
    showcase->SetBounds(8, 208, 740, 110);
    showcase->SetParentColor(false);
    showcase->SetColor(clNavy);
    showcase->SetGradient(qmgLeftToRight);
    showcase->SetGradientUsesMid(true);
    showcase->SetGradientMid(clTeal);
    showcase->SetGradientEnd(clMaroon);
    showcase->BorderProps()->SetBorder(qmcb3DLowered);
    showcase->BorderProps()->SetWidth(3);
    showcase->BorderProps()->SetColor(clSilver);
    showcase->BorderProps()->SetInnerBorder(qmcbFlat);
    showcase->SetBevel(qmcbBumped);
    showcase->SetBevelWidth(4);
    showcase->SetShowStatusbar(true);
    showcase->SetStatusbarText(
        "A status text long enough to be cut short with an ellipsis before the grip at the right edge of the bar, far "
        "too long for it");
    showcase->SetCaption("Gradient, frame, bevel and status bar");
    showcase->Font()->SetColor(clWhite);
    form->Show();

    TBitmap shot(1, 1);
    testkit::RenderToBitmap(*form, shot);
    for (const TQMPanel* p : panels) {
        const Row& row = rows[p->BorderProps()->Border() - 1];
        const bool shaded = p->BorderProps()->ExDraw();
        SCOPED_TRACE(String(TQMControlBorderNames[row.style]) + (shaded ? " shaded" : " system"));
        const auto expected = [&](int i) {
            if (shaded) return shadeRGB[row.shaded[i]];
            return row.system[i] == clNone ? panelRGB : ColorToRGB(row.system[i]);
        };
        // Points on the edges away from the corners and from the centred caption.
        const int l = p->Left(), t = p->Top(), r = l + p->Width() - 1, b = t + p->Height() - 1, x = l + 8, y = t + 20;
        const auto at = [&](int px, int py) { return ColorToRGB(shot.Canvas()->Pixels(px, py)); };
        EXPECT_EQ(at(x, t), expected(0)) << "outer top";
        EXPECT_EQ(at(l, y), expected(0)) << "outer left";
        EXPECT_EQ(at(x, b), expected(1)) << "outer bottom";
        EXPECT_EQ(at(r, y), expected(1)) << "outer right";
        EXPECT_EQ(at(x, t + 1), expected(2)) << "inner top";
        EXPECT_EQ(at(l + 1, y), expected(2)) << "inner left";
        EXPECT_EQ(at(x, b - 1), expected(3)) << "inner bottom";
        EXPECT_EQ(at(r - 1, y), expected(3)) << "inner right";
        EXPECT_EQ(at(x, t + 2), panelRGB) << "face inside the frame";
    }
    EXPECT_TRUE(testkit::RenderToPng(*form, outPath("styled_frames.png")));
    TObject::Free(form);
}

TEST(StyledPanel, ImageBesideTheCaption)
{
    StyledForm f;
    f.form->Show();
    f.panel->SetParentColor(false);
    f.panel->SetColor(clWhite);
    auto* images = new TImageList(f.form);
    TBitmap red(16, 16);
    red.Canvas()->Brush()->SetColor(clRed);
    red.Canvas()->FillRect({0, 0, 16, 16});
    images->Add(&red, nullptr);
    const int before = f.panel->invalidates;
    f.panel->SetImageIndex(0);
    EXPECT_EQ(f.panel->invalidates, before) << "no list, nothing to repaint";
    f.panel->SetImages(images);
    EXPECT_TRUE(f.panel->IsValidImage(0));
    EXPECT_FALSE(f.panel->IsValidImage(1));
    // 100 x 60 client, middle layout: image at (0, 22)-(16, 38).
    EXPECT_EQ(pixel(*f.panel, 0, 22), RGB(255, 0, 0));
    EXPECT_EQ(pixel(*f.panel, 15, 37), RGB(255, 0, 0));
    EXPECT_EQ(pixel(*f.panel, 0, 21), RGB(255, 255, 255));
    f.panel->SetAlignment(taRightJustify);
    EXPECT_EQ(pixel(*f.panel, 99, 30), RGB(255, 0, 0));
    EXPECT_EQ(pixel(*f.panel, 0, 30), RGB(255, 255, 255));
    f.panel->SetLayout(qmplTop);
    EXPECT_EQ(pixel(*f.panel, 99, 0), RGB(255, 0, 0));
    TObject::Free(images);
    EXPECT_EQ(f.panel->Images(), nullptr);
    EXPECT_EQ(pixel(*f.panel, 99, 0), RGB(255, 255, 255));
}

TEST(StyledPanel, StatusTextStopsBeforeTheGrip)
{
    StyledForm f;
    f.form->Show();
    f.panel->SetBounds(10, 10, 140, 60);
    f.panel->SetShowStatusbar(true);
    f.panel->SetStatusbarColor(clWhite);
    f.panel->SetStatusbarText("A status text far too long for so narrow a bar");
    auto rightmostText = [&] {
        // The bar's rows (44..60) hold black text; the client ends where the bar begins.
        Snapshot snap(*f.panel);
        int right = -1;
        for (int x = 0; x < 140; ++x)
            for (int y = 46; y < 58; ++y)
                if (snap.at(x, y) == RGB(0, 0, 0)) right = x;
        return right;
    };
    const int withGrip = rightmostText();
    EXPECT_GT(withGrip, 60);
    EXPECT_LT(withGrip, 140 - 16 - 4 + 1);
    f.panel->SetShowSizeGrip(false);
    const int withoutGrip = rightmostText();
    EXPECT_GT(withoutGrip, withGrip + 8) << "the text reaches further without the grip";
    EXPECT_LT(withoutGrip, 140 - 4 + 1);
    EXPECT_TRUE(testkit::RenderToPng(*f.form, outPath("styled_statusbar.png")));
}

TEST(StyledPanel, TransparentPanelShowsWhatLiesBelow)
{
    StyledForm f;
    f.form->SetColor(clYellow);
    f.panel->SetBounds(10, 10, 50, 50);
    f.panel->SetParentColor(false);
    f.panel->SetColor(clRed);
    auto* glass = new ProbePanel(f.form);
    glass->SetParent(f.form);
    glass->SetBounds(30, 30, 60, 60);
    glass->SetParentColor(false);
    glass->SetColor(clBlue);
    f.form->Show();
    EXPECT_EQ(pixel(*glass, 5, 5), RGB(0, 0, 255));
    glass->SetTransparent(true);
    EXPECT_EQ(pixel(*glass, 5, 5), RGB(255, 0, 0)) << "the sibling below shows through";
    EXPECT_EQ(pixel(*glass, 55, 55), RGB(255, 255, 0)) << "and the form's own background";
    glass->SetGradient(qmgLeftToRight);
    glass->SetGradientEnd(clLime);
    EXPECT_EQ(pixel(*glass, 0, 5), RGB(0, 0, 255)) << "a painted gradient covers the background";
    EXPECT_TRUE(testkit::RenderToPng(*f.form, outPath("styled_transparent.png")));
}

TEST(StyledPanel, DisabledCaptionIsEmbossed)
{
    StyledForm f;
    f.form->Show();
    f.panel->SetParentColor(false);
    f.panel->SetColor(clBlack);
    f.panel->Font()->SetColor(clRed);
    f.panel->SetCaption("WWWW");
    auto count = [&](TColorRef c) {
        Snapshot snap(*f.panel);
        int n = 0;
        for (int x = 0; x < 100; ++x)
            for (int y = 0; y < 60; ++y) n += snap.at(x, y) == c;
        return n;
    };
    EXPECT_GT(count(RGB(255, 0, 0)), 0);
    f.panel->SetEnabled(false);
    EXPECT_EQ(count(RGB(255, 0, 0)), 0);
    EXPECT_GT(count(ColorToRGB(clBtnHighlight)), 0);
    EXPECT_GT(count(ColorToRGB(clBtnShadow)), 0);
}

TEST(StyledPanel, TopBarFromAStoredDescription)
{
    RegisterStyledControls();
    RegisterControlClasses();
    RegisterFormClasses();
    TForm* form = new TForm(nullptr);
    form->InitFromText(R"(object TopBarForm: TForm
  Left = 0
  Top = 0
  Width = 940
  Height = 140
  object QMPanel1: TQMPanel
    Left = -2
    Top = 0
    Width = 931
    Height = 65
    Anchors = [akLeft, akTop, akRight]
    Color = cl3DDkShadow
    ParentColor = False
    object Label1: TLabel
      Left = 11
      Top = 13
      Caption = 'Port No'
      Font.Color = clAqua
      Font.Style = [fsBold]
      ParentFont = False
    end
    object Label4: TLabel
      Left = 11
      Top = 37
      Caption = 'Baudrate'
      Font.Color = clAqua
      Font.Style = [fsBold]
      ParentFont = False
    end
  end
end
)");
    auto& bar = dynamic_cast<TQMPanel&>(testkit::FindControl(*form, "QMPanel1"));
    EXPECT_EQ(bar.BoundsRect(), Bounds(-2, 0, 931, 65));
    EXPECT_FALSE(bar.ParentColor());
    EXPECT_EQ(bar.Color(), cl3DDkShadow);
    EXPECT_EQ(bar.ControlCount(), 2);
    form->Show();
    EXPECT_EQ(pixel(bar, 600, 30), ColorToRGB(cl3DDkShadow));
    EXPECT_TRUE(testkit::RenderToPng(*form, outPath("styled_topbar_form.png")));
    TObject::Free(form);
}
