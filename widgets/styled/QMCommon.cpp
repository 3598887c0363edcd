#include "widgets/styled/QMCommon.h"

#include "platform/classes/ObjectText.h"
#include "widgets/styled/QMGeometry.h"

int QMOSVersion = GetOSVersionCode();
TQMGradientFillProc QMGradientFill = nullptr;

int GetOSVersionCode() { return -1; }

TColor NearestScreenColor(TColor color) { return static_cast<TColor>(ColorToRGB(color)); }

TColorRef ShadeRGB(TColorRef rgb, int dR, int dG, int dB, bool lighten)
{
    return qm::ShadeRGB(rgb, dR, dG, dB, lighten);
}

TColor ShadeColor(TColor color, int dR, int dG, int dB, bool lighten)
{
    return NearestScreenColor(static_cast<TColor>(ShadeRGB(ColorToRGB(color), dR, dG, dB, lighten)));
}

TColor HighlightOf(TColor color) { return ShadeColor(color, 220, 220, 220, true); }
TColor ShadowOf(TColor color) { return ShadeColor(color, 96, 96, 96, false); }
TColor SoftShadowOf(TColor color) { return ShadeColor(color, 24, 24, 24, false); }
TColor DarkShadowOf(TColor color) { return ShadeColor(color, 160, 160, 160, false); }

namespace {

void drawBands(TCanvas* canvas, const std::vector<qm::Band>& bands)
{
    if (!canvas || bands.empty()) return;
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Pen()->SetStyle(psSolid);
    canvas->Pen()->SetMode(pmCopy);
    for (const qm::Band& b : bands) {
        const TColor c = static_cast<TColor>(b.Color);
        if (b.Rect.Width() == 1 && b.Rect.Height() == 1) {
            canvas->SetPixels(b.Rect.Left, b.Rect.Top, c);
        } else {
            canvas->Brush()->SetColor(c);
            canvas->FillRect(b.Rect);
        }
    }
}

TTriVertex vertex(int x, int y, TColorRef rgb)
{
    TTriVertex v;
    v.X = x;
    v.Y = y;
    v.Red = static_cast<std::uint16_t>(GetRValue(rgb) << 8);
    v.Green = static_cast<std::uint16_t>(GetGValue(rgb) << 8);
    v.Blue = static_cast<std::uint16_t>(GetBValue(rgb) << 8);
    return v;
}

bool platformGradient(TCanvas* canvas, const TRect& r, TQMGradient direction, TColorRef start, TColorRef end)
{
    if (QMOSVersion == -1 || QMOSVersion == 1 || QMOSVersion == 5 || !QMGradientFill) return false;
    const bool startFirst = direction == qmgLeftToRight || direction == qmgTopToBottom;
    const TColorRef first = startFirst ? start : end;
    const TColorRef second = startFirst ? end : start;
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(static_cast<TColor>(second));
    canvas->FillRect(r);
    const TTriVertex v[2] = {vertex(r.Left, r.Top, first), vertex(r.Right, r.Bottom, second)};
    const bool horizontal = direction == qmgLeftToRight || direction == qmgRightToLeft;
    return QMGradientFill(canvas->Handle(), v, 2, r, horizontal ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V);
}

}  // namespace

void FillGradient(TCanvas* canvas, const TRect& rect, TQMGradient direction, TColor startColor, TColor endColor)
{
    if (direction == qmgNone || !canvas || rect.IsEmpty()) return;
    const TColorRef start = ColorToRGB(startColor), end = ColorToRGB(endColor);
    if (platformGradient(canvas, rect, direction, start, end)) return;
    drawBands(canvas, qm::PlanGradient(rect, direction, start, end));
}

void FillBandsHorizontal(TCanvas* canvas, const TRect& rect, TColor startColor, TColor endColor, int maxSteps,
                         bool reverse)
{
    drawBands(canvas, qm::PlanBands(rect, ColorToRGB(startColor), ColorToRGB(endColor), maxSteps, reverse, false));
}

void FillBandsVertical(TCanvas* canvas, const TRect& rect, TColor startColor, TColor endColor, int maxSteps,
                       bool reverse)
{
    drawBands(canvas, qm::PlanBands(rect, ColorToRGB(startColor), ColorToRGB(endColor), maxSteps, reverse, true));
}

void DrawEdgeLines(HDC dc, const TRect& rect, TColor first, TColor second, TQMBorderEdges edges)
{
    if (!dc) return;
    TLogPen pen = dc->GetPen();
    for (const qm::Line& line : qm::EdgeLines(rect, first, second, edges)) {
        pen.Color = line.Color;
        dc->SelectPen(pen);
        dc->MoveTo(line.From.X, line.From.Y);
        dc->LineTo(line.To.X, line.To.Y);
    }
}

namespace {

// Draws rings with a one-pixel solid pen in copy mode; the device's pen and mode come back after.
void drawRings(HDC dc, const std::vector<qm::Ring>& rings)
{
    TLogPen pen;
    pen.Style = PS_SOLID;
    pen.Width = 1;
    const TLogPen old = dc->SelectPen(pen);
    const int oldMode = dc->SetROP2(R2_COPYPEN);
    for (const qm::Ring& ring : rings) {
        if (ring.Edge != 0) {
            TRect r = ring.Rect;
            dc->DrawEdge(r, ring.Edge, BF_RECT | BF_ADJUST);
        } else {
            DrawEdgeLines(dc, ring.Rect, ring.TopLeft, ring.BottomRight, ring.Edges);
        }
    }
    dc->SetROP2(oldMode);
    dc->SelectPen(old);
}

bool nothingToDraw(HDC dc, const TRect& rect, TQMBorderEdges edges, TQMControlBorder style)
{
    return !dc || style == qmcbNone || rect.IsEmpty() || edges.Empty();
}

}  // namespace

void DrawShadedBorder(HDC dc, const TRect& rect, TColor baseColor, TQMBorderEdges edges, TQMControlBorder style)
{
    if (nothingToDraw(dc, rect, edges, style)) return;
    drawRings(dc, qm::ShadedBorderRings(rect, ColorToRGB(baseColor), edges, style));
}

void DrawSystemBorder(HDC dc, const TRect& rect, TColor flatColor, TQMBorderEdges edges, TQMControlBorder style)
{
    if (nothingToDraw(dc, rect, edges, style)) return;
    drawRings(dc, qm::SystemBorderRings(rect, flatColor, edges, style));
}

void DrawCanvasBorder(TCanvas* canvas, const TRect& rect, TColor color, TQMBorderEdges edges, TQMControlBorder style)
{
    if (!canvas) return;
    DrawShadedBorder(canvas->Handle(), rect, color, edges, style);
}

String ControlToText(TComponent* control) { return ComponentToText(control); }

TOwnedPtr<TComponent> TextToControl(const String& text)
{
    return TOwnedPtr<TComponent>(TextToComponent(text, nullptr));
}
