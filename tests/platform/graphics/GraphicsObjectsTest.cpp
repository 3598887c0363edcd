// Pens, brushes and fonts: change events, the point-size rule, streaming, and the canvas selecting them.
#include <gtest/gtest.h>

#include "PixelTest.h"
#include "platform/classes/Component.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Published.h"
#include "platform/classes/TypeInfo.h"
#include "platform/graphics/Fonts.h"
#include "platform/graphics/GdiConsts.h"
#include "platform/graphics/Images.h"
#include "platform/rtl/Exceptions.h"

namespace {

TEST(GraphicsObjects, OnChangeFiresOnRealChangesOnly)
{
    TPen pen;
    int n = 0;
    pen.SetOnChange([&](TObject* s) {
        EXPECT_EQ(s, &pen);
        ++n;
    });
    pen.SetColor(clRed);
    pen.SetColor(clRed);
    pen.SetWidth(3);
    pen.SetStyle(psDot);
    pen.SetMode(pmXor);
    pen.SetWidth(-1);  // refused
    EXPECT_EQ(n, 4);
    EXPECT_EQ(pen.Width(), 3);

    TFont font;
    int f = 0;
    font.SetOnChange([&](TObject*) { ++f; });
    font.SetStyle({fsBold, fsItalic});
    font.SetStyle({fsBold, fsItalic});
    font.SetName("Arial");
    font.SetSize(12);
    EXPECT_EQ(f, 3);

    TBrush brush;
    brush.SetStyle(bsClear);
    brush.SetColor(clYellow);  // a colour makes a cleared brush solid
    EXPECT_EQ(brush.Style(), bsSolid);
}

TEST(GraphicsObjects, FontSizeAndHeightFollowTheNinetySixDpiRule)
{
    struct Case {
        int size, height;
    };
    const Case cases[] = {{8, -11}, {9, -12}, {10, -13}, {12, -16}, {14, -19}, {24, -32}, {1, -1}, {72, -96}};
    for (const auto& c : cases) {
        TFont f;
        f.SetSize(c.size);
        EXPECT_EQ(f.Height(), c.height) << c.size;
        TFont g;
        g.SetHeight(c.height);
        EXPECT_EQ(g.Size(), c.size) << c.height;
    }
    TFont f;
    EXPECT_EQ(f.Name(), "MS Sans Serif");
    EXPECT_EQ(f.Size(), 8);
    EXPECT_EQ(f.Color(), clWindowText);
}

TEST(GraphicsObjects, AssignCopiesEverything)
{
    TFont a;
    a.SetName("Courier New");
    a.SetHeight(-20);
    a.SetStyle({fsUnderline});
    a.SetColor(clTeal);
    a.SetOrientation(900);
    TFont b;
    b.Assign(&a);
    EXPECT_EQ(b.Name(), "Courier New");
    EXPECT_EQ(b.Height(), -20);
    EXPECT_EQ(b.Style(), TFontStyles{fsUnderline});
    EXPECT_EQ(b.Color(), clTeal);
    EXPECT_EQ(b.Orientation(), 900);
    TPen p;
    EXPECT_THROW(p.Assign(&a), EConvertError);
}

TEST(GraphicsObjects, LogicalFormsForTheDevice)
{
    TPen pen;
    pen.SetStyle(psClear);
    EXPECT_EQ(pen.LogPen().Style, PS_NULL);
    pen.SetStyle(psInsideFrame);
    pen.SetWidth(4);
    EXPECT_EQ(pen.LogPen().Style, PS_INSIDEFRAME);
    EXPECT_EQ(pen.LogPen().Width, 4);
    struct BrushCase {
        TBrushStyle style;
        int bs, hatch;
    };
    const BrushCase cases[] = {{bsSolid, BS_SOLID, 0},
                               {bsClear, BS_NULL, 0},
                               {bsHorizontal, BS_HATCHED, HS_HORIZONTAL},
                               {bsVertical, BS_HATCHED, HS_VERTICAL},
                               {bsFDiagonal, BS_HATCHED, HS_FDIAGONAL},
                               {bsBDiagonal, BS_HATCHED, HS_BDIAGONAL},
                               {bsCross, BS_HATCHED, HS_CROSS},
                               {bsDiagCross, BS_HATCHED, HS_DIAGCROSS}};
    for (const auto& c : cases) {
        TBrush b;
        b.SetStyle(c.style);
        EXPECT_EQ(b.LogBrush().Style, c.bs) << c.style;
        if (c.bs == BS_HATCHED) {
            EXPECT_EQ(b.LogBrush().Hatch, c.hatch) << c.style;
        }
    }
    TFont f;
    f.SetStyle({fsBold, fsStrikeOut});
    EXPECT_EQ(f.LogFont().Weight, FW_BOLD);
    EXPECT_TRUE(f.LogFont().StrikeOut);
    EXPECT_FALSE(f.LogFont().Italic);
}

TEST(GraphicsObjects, PenModesMapToTheMixes)
{
    EXPECT_EQ(PenModeToROP2(pmCopy), R2_COPYPEN);
    EXPECT_EQ(PenModeToROP2(pmXor), R2_XORPEN);
    EXPECT_EQ(PenModeToROP2(pmNotXor), R2_NOTXORPEN);
    EXPECT_EQ(PenModeToROP2(pmNot), R2_NOT);
    EXPECT_EQ(PenModeToROP2(pmMergePenNot), R2_MERGEPENNOT);
    EXPECT_EQ(PenModeToROP2(pmNotMask), R2_NOTMASKPEN);
}

// A component holding the attribute objects, to see them in the text form of a stream.
class TDrawHolder : public TComponent {
    TV_CLASS(TDrawHolder, TComponent)
public:
    explicit TDrawHolder(TComponent* owner) : TComponent(owner) {}
    TPen* Pen() const { return pen_.get(); }
    void SetPen(TPen* p) { pen_->Assign(p); }
    TFont* Font() const { return font_.get(); }
    void SetFont(TFont* f) { font_->Assign(f); }
    TBrush* Brush() const { return brush_.get(); }
    void SetBrush(TBrush* b) { brush_->Assign(b); }

private:
    std::unique_ptr<TPen> pen_ = std::make_unique<TPen>();
    std::unique_ptr<TFont> font_ = std::make_unique<TFont>();
    std::unique_ptr<TBrush> brush_ = std::make_unique<TBrush>();
};

}  // namespace

TV_PUBLISHED(TDrawHolder)
{
    Prop("Brush", &TDrawHolder::Brush, &TDrawHolder::SetBrush);
    Prop("Font", &TDrawHolder::Font, &TDrawHolder::SetFont);
    Prop("Pen", &TDrawHolder::Pen, &TDrawHolder::SetPen);
}

namespace {

TEST(GraphicsObjects, StreamsWriteColoursAsIdentifiers)
{
    TDrawHolder h(nullptr);
    h.SetName("Holder");
    h.Pen()->SetColor(clRed);
    h.Pen()->SetWidth(2);
    h.Brush()->SetColor(clBtnFace);
    h.Brush()->SetStyle(bsCross);
    h.Font()->SetColor(0x123456);
    h.Font()->SetStyle({fsBold});
    String text = ComponentToText(&h);
    EXPECT_NE(text.find("Pen.Color = clRed"), String::npos) << text;
    EXPECT_NE(text.find("Pen.Width = 2"), String::npos) << text;
    EXPECT_NE(text.find("Brush.Color = clBtnFace"), String::npos) << text;
    EXPECT_NE(text.find("Brush.Style = bsCross"), String::npos) << text;
    EXPECT_NE(text.find("Font.Color = 1193046"), String::npos) << text;
    EXPECT_NE(text.find("Font.Style = [fsBold]"), String::npos) << text;
    EXPECT_NE(text.find("Font.Height = -11"), String::npos) << text;
    EXPECT_EQ(text.find("Font.Size"), String::npos) << text;  // Height carries it

    TDrawHolder back(nullptr);
    TextToComponent(text, &back);
    EXPECT_EQ(back.Pen()->Color(), clRed);
    EXPECT_EQ(back.Brush()->Color(), clBtnFace);
    EXPECT_EQ(back.Brush()->Style(), bsCross);
    EXPECT_EQ(back.Font()->Color(), 0x123456);
    EXPECT_EQ(back.Font()->Style(), TFontStyles{fsBold});
}

TEST(GraphicsObjects, FontCharsetsStreamAsIdentifiers)
{
    const struct {
        int charset;
        const char* text;  // as written; nullptr: the default, not written
    } cases[] = {
        {DEFAULT_CHARSET, nullptr},
        {ANSI_CHARSET, "ANSI_CHARSET"},
        {SYMBOL_CHARSET, "SYMBOL_CHARSET"},
        {MAC_CHARSET, "MAC_CHARSET"},
        {SHIFTJIS_CHARSET, "SHIFTJIS_CHARSET"},
        {HANGEUL_CHARSET, "HANGEUL_CHARSET"},
        {JOHAB_CHARSET, "JOHAB_CHARSET"},
        {GB2312_CHARSET, "GB2312_CHARSET"},
        {CHINESEBIG5_CHARSET, "CHINESEBIG5_CHARSET"},
        {GREEK_CHARSET, "GREEK_CHARSET"},
        {TURKISH_CHARSET, "TURKISH_CHARSET"},
        {VIETNAMESE_CHARSET, "VIETNAMESE_CHARSET"},
        {HEBREW_CHARSET, "HEBREW_CHARSET"},
        {ARABIC_CHARSET, "ARABIC_CHARSET"},
        {BALTIC_CHARSET, "BALTIC_CHARSET"},
        {RUSSIAN_CHARSET, "RUSSIAN_CHARSET"},
        {THAI_CHARSET, "THAI_CHARSET"},
        {EASTEUROPE_CHARSET, "EASTEUROPE_CHARSET"},
        {OEM_CHARSET, "OEM_CHARSET"},
        {5, "5"},  // no name: a number
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.charset);
        TDrawHolder h(nullptr);
        h.SetName("Holder");
        h.Font()->SetCharset(static_cast<TFontCharset>(c.charset));
        const String text = ComponentToText(&h);
        if (c.text)
            EXPECT_NE(text.find(String("Font.Charset = ") + c.text + "\r\n"), String::npos) << text;
        else
            EXPECT_EQ(text.find("Font.Charset"), String::npos) << text;
        TDrawHolder back(nullptr);
        back.Font()->SetCharset(ANSI_CHARSET);
        // A description names the charset whether or not it is the default.
        const String stored = "object Holder: TDrawHolder\n  Font.Charset = " +
                              String(c.text ? c.text : "DEFAULT_CHARSET") + "\nend\n";
        TextToComponent(stored, &back);
        EXPECT_EQ(back.Font()->Charset(), c.charset);
    }
    TDrawHolder h(nullptr);
    EXPECT_THROW(TextToComponent("object Holder: TDrawHolder\n  Font.Charset = KLINGON_CHARSET\nend\n", &h),
                 EReadError);
}

TEST(Canvas, SelectsPenBrushAndFontBeforeDrawing)
{
    TBitmap b(20, 20, pf24bit);
    TCanvas* c = b.Canvas();
    c->Brush()->SetColor(clYellow);
    c->FillRect({0, 0, 20, 20});
    c->Pen()->SetColor(clBlue);
    c->Brush()->SetColor(clRed);
    c->Rectangle(2, 2, 10, 10);
    EXPECT_EQ(c->Pixels(2, 2), clBlue);
    EXPECT_EQ(c->Pixels(5, 5), clRed);
    EXPECT_EQ(c->Pixels(15, 15), clYellow);
    c->Pen()->SetMode(pmXor);
    c->Pen()->SetColor(clWhite);
    c->MoveTo(0, 15);
    c->LineTo(20, 15);
    EXPECT_EQ(c->Pixels(3, 15), clBlue);  // yellow xor white
    EXPECT_EQ(c->PenPos(), (TPoint{20, 15}));
    c->SetPixels(1, 1, clLime);
    EXPECT_EQ(c->Pixels(1, 1), clLime);
    EXPECT_EQ(c->Pixels(25, 1), -1);
    EXPECT_EQ(c->ClipRect(), (TRect{0, 0, 20, 20}));
}

TEST(Canvas, HandleCarriesTheCanvasObjectsToDirectDeviceCalls)
{
    TBitmap b(20, 20, pf24bit);
    TCanvas* c = b.Canvas();
    c->FillRect({0, 0, 20, 20});  // the device exists, its objects selected once
    const struct {
        const char* what;
        std::function<void()> change;
    } cases[] = {
        {"font size", [&] { c->Font()->SetSize(24); }},
        {"font name and style",
         [&] {
             c->Font()->SetName("Courier New");
             c->Font()->SetStyle({fsBold});
         }},
        {"font colour", [&] { c->Font()->SetColor(clRed); }},
        {"pen",
         [&] {
             c->Pen()->SetColor(clBlue);
             c->Pen()->SetWidth(3);
             c->Pen()->SetMode(pmXor);
         }},
        {"brush",
         [&] {
             c->Brush()->SetColor(clLime);
             c->Brush()->SetStyle(bsCross);
         }},
        {"clear brush", [&] { c->Brush()->SetStyle(bsClear); }},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.what);
        k.change();
        HDC dc = c->Handle();
        EXPECT_EQ(dc->GetFont(), c->Font()->LogFont());
        EXPECT_EQ(dc->GetTextColor(), ColorToRGB(c->Font()->Color()));
        EXPECT_EQ(dc->GetPen(), c->Pen()->LogPen());
        EXPECT_EQ(dc->GetROP2(), PenModeToROP2(c->Pen()->Mode()));
        EXPECT_EQ(dc->GetBrush(), c->Brush()->LogBrush());
        EXPECT_EQ(dc->GetBkMode(), c->Brush()->Style() == bsSolid ? OPAQUE : TRANSPARENT);
    }
    // What a direct text call measures and draws follows the canvas font.
    c->Font()->SetSize(8);
    const TSize small = c->Handle()->GetTextExtent("Wg");
    c->Font()->SetSize(20);
    const TSize large = c->Handle()->GetTextExtent("Wg");
    EXPECT_GT(large.cy, small.cy);
    EXPECT_EQ(large, c->TextExtent("Wg"));
}

TEST(Canvas, TextExtentMatchesWhatIsDrawn)
{
    for (const char* name : {"MS Sans Serif", "Courier New", "Times New Roman", "Elektra"}) {
        SCOPED_TRACE(name);
        Surface s(200, 40, pf24bit);
        TCanvas* c = s.bmp->Canvas();
        c->Font()->SetName(name);
        c->Font()->SetSize(12);
        c->Font()->SetColor(clBlack);
        c->Brush()->SetColor(clYellow);  // solid brush: the text cell is filled
        const String text = "12.345";
        TSize ext = c->TextExtent(text);
        EXPECT_EQ(ext.cx, c->TextWidth(text));
        EXPECT_GT(ext.cx, 20);
        EXPECT_GT(ext.cy, 12);
        c->TextOut(5, 3, text);
        s.dc = c->Handle();
        // The filled cell is exactly the measured extent.
        EXPECT_TRUE(s.Is(5, 3, clYellow));
        EXPECT_TRUE(s.Is(5 + ext.cx - 1, 3 + ext.cy - 1, clYellow));
        EXPECT_TRUE(s.Is(4, 3, clWhite));
        EXPECT_TRUE(s.Is(5 + ext.cx, 3, clWhite));
        EXPECT_TRUE(s.Is(5, 3 + ext.cy, clWhite));
        EXPECT_GT(s.Count(clBlack) + (s.bmp->Width() * s.bmp->Height() - s.Count(clWhite) - s.Count(clYellow)), 10);
        EXPECT_EQ(c->PenPos(), (TPoint{5 + ext.cx, 3}));
    }
}

TEST(Canvas, ClearBrushLeavesTheBackgroundAndTextRectClips)
{
    Surface s(60, 30, pf24bit);
    TCanvas* c = s.bmp->Canvas();
    c->Font()->SetColor(clBlack);
    c->Brush()->SetStyle(bsClear);
    c->TextOut(2, 2, "WWW");
    s.dc = c->Handle();
    EXPECT_EQ(s.Count(clYellow), 0);
    EXPECT_GT(s.bmp->Width() * s.bmp->Height() - s.Count(clWhite), 0);
    s.Clear(clWhite);
    c->Brush()->SetColor(clYellow);
    c->TextRect({10, 10, 20, 20}, 0, 0, "WWWWWWWWWW");
    EXPECT_EQ(s.Ink(), (TRect{10, 10, 20, 20}));
}

TEST(Canvas, DrawTextFlags)
{
    Surface s(100, 40, pf24bit);
    HDC dc = s.dc;
    dc->SelectFont(TLogFont{});
    dc->SetBkMode(TRANSPARENT);
    TSize ext = dc->GetTextExtent("Abc");
    TRect r{0, 0, 100, 40};
    int h = DrawText(dc, "Abc", r, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(h, ext.cy);
    EXPECT_EQ(r, (TRect{0, 0, ext.cx, ext.cy}));
    // Right-aligned and centred vertically.
    r = {0, 0, 100, 40};
    DrawText(dc, "Abc", r, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    TRect ink = s.Ink();
    EXPECT_LE(ink.Right, 100);
    EXPECT_GE(ink.Left, 100 - ext.cx - 1);
    EXPECT_GT(ink.Top, 40 / 2 - ext.cy);
    EXPECT_LT(ink.Bottom, 40 / 2 + ext.cy);
    // Word wrap grows the height; the ampersand marks a prefix and is not drawn.
    r = {0, 0, 30, 0};
    int wrapped = DrawText(dc, "one two three four", r, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_GE(wrapped, 2 * ext.cy);
    TRect a{0, 0, 200, 0}, b{0, 0, 200, 0};
    DrawText(dc, "&File", a, DT_CALCRECT | DT_SINGLELINE);
    DrawText(dc, "File", b, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(a.Width(), b.Width());
    DrawText(dc, "&File", a, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_GT(a.Width(), b.Width());
}

TEST(Canvas, RotatedTextTurnsAroundItsStart)
{
    Surface s(60, 60, pf24bit);
    TLogFont f;
    f.Height = -16;
    f.Escapement = 900;  // straight up
    s.dc->SelectFont(f);
    s.dc->SetBkMode(TRANSPARENT);
    s.dc->TextOut(20, 55, "HHHHH");
    TRect ink = s.Ink();
    EXPECT_GT(ink.Height(), ink.Width());
    EXPECT_LE(ink.Bottom, 56);
    EXPECT_GE(ink.Left, 19);
}

TEST(Canvas, LockIsRecursiveAndCounted)
{
    TCanvas c;
    c.Lock();
    c.Lock();
    EXPECT_EQ(c.LockCount(), 2);
    EXPECT_TRUE(c.TryLock());
    c.Unlock();
    c.Unlock();
    c.Unlock();
    EXPECT_EQ(c.LockCount(), 0);
    EXPECT_THROW(c.Handle(), EInvalidOperation);  // a bare canvas has no device
}

TEST(Fonts, NamesResolveToInstalledFamilies)
{
    struct Case {
        const char* name;
        const char* family;
    };
    const Case cases[] = {
        {"Elektra", "DSEG7 Classic"},
        {"DS-Digital", "DSEG7 Modern"},
        {"MS Sans Serif", "Liberation Sans"},
        {"Arial", "Liberation Sans"},
        {"Courier New", "Liberation Mono"},
        {"Times New Roman", "Liberation Serif"},
        {"DejaVu Sans Mono", "DejaVu Sans Mono"},
        {"No Such Font 123", "DejaVu Sans"},
        {"arial", "Liberation Sans"},
    };
    for (const auto& c : cases) EXPECT_EQ(ResolveFontFamily(c.name), c.family) << c.name;
    auto names = ScreenFontNames();
    EXPECT_EQ(names.at(0), "Elektra");
}

}  // namespace

namespace {

class TPictureHolder : public TComponent {
    TV_CLASS(TPictureHolder, TComponent)
public:
    explicit TPictureHolder(TComponent* owner) : TComponent(owner) {}
    TPicture* Picture() const { return picture_.get(); }
    void SetPicture(TPicture* p) { picture_->Assign(p); }

private:
    std::unique_ptr<TPicture> picture_ = std::make_unique<TPicture>();
};

}  // namespace

TV_PUBLISHED(TPictureHolder) { Prop("Picture", &TPictureHolder::Picture, &TPictureHolder::SetPicture); }

namespace {

TEST(GraphicsObjects, PicturesTravelInComponentStreams)
{
    for (bool jpeg : {false, true}) {
        SCOPED_TRACE(jpeg ? "jpeg" : "bitmap");
        TPictureHolder h(nullptr);
        h.SetName("Holder");
        TBitmap b(6, 4, pf24bit);
        b.Canvas()->Handle()->FillRect({0, 0, 3, 4}, clRed);
        if (jpeg) {
            TJPEGImage j;
            j.Assign(&b);
            h.Picture()->SetGraphic(&j);
        } else {
            h.Picture()->SetGraphic(&b);
        }
        String text = ComponentToText(&h);
        EXPECT_NE(text.find("Picture.Data = {"), String::npos) << text;
        TPictureHolder back(nullptr);
        TextToComponent(text, &back);
        ASSERT_NE(back.Picture()->Graphic(), nullptr);
        EXPECT_EQ(back.Picture()->Graphic()->ClassName(), jpeg ? "TJPEGImage" : "TBitmap");
        EXPECT_EQ(back.Picture()->Width(), 6);
        EXPECT_EQ(back.Picture()->Height(), 4);
    }
    TPictureHolder empty(nullptr);
    EXPECT_EQ(ComponentToText(&empty).find("Picture.Data"), String::npos);
}

}  // namespace
