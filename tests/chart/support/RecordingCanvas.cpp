#include "RecordingCanvas.h"

#include <cstdio>
#include <sstream>

#include "chart/canvas/CanvasServices.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebFont.h"
#include "chart/canvas/ZebPen.h"
#include "platform/classes/Published.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Images.h"

TV_PUBLISHED(TRecordingCanvas) {}

namespace {
void put(std::ostringstream& s, int v) { s << v; }
void put(std::ostringstream& s, double v) { s << v; }
void put(std::ostringstream& s, bool v) { s << (v ? "true" : "false"); }
void put(std::ostringstream& s, const String& v) { s << '"' << v << '"'; }
void put(std::ostringstream& s, TPoint p) { s << p.X << ',' << p.Y; }
void put(std::ostringstream& s, const TRect& r) { s << r.Left << ',' << r.Top << ',' << r.Right << ',' << r.Bottom; }
void put(std::ostringstream& s, TPointFloat p) { s << p.X << ',' << p.Y; }
void put(std::ostringstream& s, const TPoint3D& p) { s << p.X << ',' << p.Y << ',' << p.Z; }
template <class T>
void put(std::ostringstream& s, std::span<const T> pts)
{
    for (std::size_t i = 0; i < pts.size(); ++i) {
        if (i) s << ' ';
        put(s, pts[i]);
    }
}

template <class... A>
std::string call(const char* name, const A&... args)
{
    std::ostringstream s;
    s << name << '(';
    bool first = true;
    ((s << (first ? "" : ","), put(s, args), first = false), ...);
    s << ')';
    return s.str();
}

std::string hex(TColor c)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%06X", static_cast<unsigned>(c));
    return buf;
}

std::vector<TPoint> rounded(std::span<const TPointFloat> pts)
{
    std::vector<TPoint> out;
    for (const TPointFloat& p : pts) out.push_back(RoundFloatPoint(p));
    return out;
}
}  // namespace

TRecordingCanvas::TRecordingCanvas(int width, int height) : bitmap_(std::make_unique<TBitmap>(width, height, pf32bit))
{
    bitmap_->Canvas()->Brush()->SetColor(clWhite);
    bitmap_->Canvas()->FillRect({0, 0, width, height});
    BindCanvas(bitmap_->Canvas());
}

TRecordingCanvas::~TRecordingCanvas() = default;

std::string TRecordingCanvas::LogText() const
{
    std::string s;
    for (const auto& l : log_) s += l + "\n";
    return s;
}

std::vector<std::string> TRecordingCanvas::Calls(const std::string& name) const
{
    std::vector<std::string> out;
    for (const auto& l : log_)
        if (l.rfind(name + "(", 0) == 0) out.push_back(l);
    return out;
}

void TRecordingCanvas::SavePng(const std::string& path)
{
    TPngImage png;
    png.Assign(bitmap_.get());
    png.SaveToFile(path);
}

std::string TRecordingCanvas::filled(const std::string& line) const { return line + " brush=" + hex(Brush()->Color()); }

std::string TRecordingCanvas::lettered(const std::string& line) const
{
    std::ostringstream s;
    s << line << " font=" << hex(Font()->Color()) << '/' << Font()->SizeFloat() << '/';
    const TFontStyles st = Font()->Style();
    if (st.Contains(fsBold)) s << 'B';
    if (st.Contains(fsItalic)) s << 'I';
    if (st.Contains(fsUnderline)) s << 'U';
    if (st.Contains(fsStrikeOut)) s << 'S';
    return s.str();
}

HDC TRecordingCanvas::dc() { return TargetCanvas()->Handle(); }

void TRecordingCanvas::BindCanvas(TCanvas* target)
{
    TCanvas3D::BindCanvas(target);
    if (target) SetDrawBounds(target->ClipRect());
    ApplyFont();
    ApplyPen();
    ApplyBrush(*Brush());
}

TColor TRecordingCanvas::GetBackgroundColor() const
{
    return static_cast<TColor>(const_cast<TRecordingCanvas*>(this)->dc()->GetBkColor());
}
TBkMode TRecordingCanvas::GetBackgroundMode() const
{
    return static_cast<TBkMode>(const_cast<TRecordingCanvas*>(this)->dc()->GetBkMode());
}
HDC TRecordingCanvas::GetDeviceContext() { return TargetCanvas() ? dc() : nullptr; }
TColor TRecordingCanvas::GetPixelColor(int x, int y) { return static_cast<TColor>(dc()->GetPixel(x, y)); }
TTextAlign TRecordingCanvas::GetTextAlignment() const
{
    return static_cast<TTextAlign>(const_cast<TRecordingCanvas*>(this)->dc()->GetTextAlign());
}
void TRecordingCanvas::SetBackgroundColor(TColor color) { dc()->SetBkColor(color); }
void TRecordingCanvas::SetBackgroundMode(TBkMode mode) { dc()->SetBkMode(mode); }

void TRecordingCanvas::SetPixelColor(int x, int y, TColor color)
{
    log(call("SetPixelColor", x, y) + " color=" + hex(color));
    dc()->SetPixel(x, y, color);
}

void TRecordingCanvas::SetTextAlignment(TTextAlign align) { dc()->SetTextAlign(align); }

void TRecordingCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    log(call("Arc", x1, y1, x2, y2, x3, y3, x4, y4));
    dc()->Arc(x1, y1, x2, y2, x3, y3, x4, y4);
}

void TRecordingCanvas::DrawDonutSlice(int cx, int cy, int rx, int ry, double start, double end, double donut)
{
    log(filled(call("DrawDonutSlice", cx, cy, rx, ry, start, end, donut)));
}

void TRecordingCanvas::DrawGraphic(int x, int y, TGraphic* graphic)
{
    log(call("DrawGraphic", x, y, graphic ? graphic->Width() : 0, graphic ? graphic->Height() : 0));
    if (graphic) TargetCanvas()->Draw(x, y, graphic);
}

void TRecordingCanvas::Ellipse(int x1, int y1, int x2, int y2)
{
    log(filled(call("Ellipse", x1, y1, x2, y2)));
    dc()->Ellipse(x1, y1, x2, y2);
}

void TRecordingCanvas::FillRectangle(const TRect& rect)
{
    log(filled(call("FillRectangle", rect)));
    dc()->FillRect(rect, Brush()->Color());
}

void TRecordingCanvas::LineTo(int x, int y)
{
    log(call("LineTo", x, y));
    dc()->LineTo(x, y);
}

void TRecordingCanvas::MoveTo(int x, int y)
{
    log(call("MoveTo", x, y));
    dc()->MoveTo(x, y);
}

void TRecordingCanvas::PieByAngles(const TRect& rect, double startAngle, double endAngle)
{
    log(filled(call("PieByAngles", rect, startAngle, endAngle)));
}

void TRecordingCanvas::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    log(filled(call("Pie", x1, y1, x2, y2, x3, y3, x4, y4)));
    dc()->Pie(x1, y1, x2, y2, x3, y3, x4, y4);
}

void TRecordingCanvas::Rectangle(int x0, int y0, int x1, int y1)
{
    log(filled(call("Rectangle", x0, y0, x1, y1)));
    dc()->Rectangle(x0, y0, x1, y1);
}

void TRecordingCanvas::RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight)
{
    log(filled(call("RoundRect", x1, y1, x2, y2, cornerWidth, cornerHeight)));
    dc()->RoundRect(x1, y1, x2, y2, cornerWidth, cornerHeight);
}

void TRecordingCanvas::StretchGraphic(const TRect& rect, TGraphic* graphic)
{
    log(call("StretchGraphic", rect));
    if (graphic) TargetCanvas()->StretchDraw(rect, graphic);
}

void TRecordingCanvas::TextOut(int x, int y, const String& text)
{
    log(lettered(call("TextOut", x, y, text)));
    dc()->TextOut(x, y, text);
}

int TRecordingCanvas::TextWidth(const String& text)
{
    return fixedCharWidth_ ? fixedCharWidth_ * static_cast<int>(text.size()) : TCanvas3D::TextWidth(text);
}

int TRecordingCanvas::TextHeight(const String& text)
{
    return fixedHeight_ ? fixedHeight_ : TCanvas3D::TextHeight(text);
}

void TRecordingCanvas::DrawCheckBox(int x, int y, bool checked, int unused, bool checkBox)
{
    log(call("DrawCheckBox", x, y, checked, checkBox));
    TCanvas3D::DrawCheckBox(x, y, checked, unused, checkBox);
}

void TRecordingCanvas::ClipToRect(const TRect& rect)
{
    log(call("ClipToRect", rect));
    HDC d = dc();
    const TPoint a = d->LPtoDP(rect.TopLeft()), b = d->LPtoDP(rect.BottomRight());
    PushClipRegion(d, TRegion::FromRect({a.X, a.Y, b.X, b.Y}), RGN_AND);
}

void TRecordingCanvas::EraseRect(const TRect& rect)
{
    log(filled(call("EraseRect", rect)));
    dc()->FillRect(rect, Brush()->Color());
}

void TRecordingCanvas::FillRectGradient(const TRect& rect, TColor startColor, TColor endColor,
                                        TGradientDirection direction, int balance, int radialX, int radialY)
{
    log(call("FillRectGradient", rect, static_cast<int>(direction), balance, radialX, radialY) +
        " from=" + hex(startColor) + " to=" + hex(endColor));
}

void TRecordingCanvas::Polyline(std::span<const TPoint> points)
{
    log(call("Polyline", points));
    dc()->Polyline(points.data(), static_cast<int>(points.size()));
}

void TRecordingCanvas::PolylineFloat(std::span<const TPointFloat> points)
{
    log(call("PolylineFloat", points));
    const auto pts = rounded(points);
    dc()->Polyline(pts.data(), static_cast<int>(pts.size()));
}

void TRecordingCanvas::Polygon(std::span<const TPoint> points)
{
    log(filled(call("Polygon", points)));
    dc()->Polygon(points.data(), static_cast<int>(points.size()));
}

void TRecordingCanvas::PolygonFloat(std::span<const TPointFloat> points)
{
    log(filled(call("PolygonFloat", points)));
    const auto pts = rounded(points);
    dc()->Polygon(pts.data(), static_cast<int>(pts.size()));
}

void TRecordingCanvas::RotatedTextOut(int x, int y, const String& text, double angle, bool html)
{
    log(call("RotatedTextOut", x, y, text, angle, html));
    dc()->TextOut(x, y, text);
}

void TRecordingCanvas::RemoveClip()
{
    log("RemoveClip()");
    PopClipRegion(dc());
}

TColor TRecordingCanvas::GetPixelAtZ(int x, int y, int z)
{
    const TPoint p = ProjectXYZ(x, y, z);
    return GetPixelColor(p.X, p.Y);
}

void TRecordingCanvas::SetPixelAtZ(int x, int y, int z, TColor color)
{
    const TPoint p = ProjectXYZ(x, y, z);
    SetPixelColor(p.X, p.Y, color);
}

void TRecordingCanvas::SaveAndClearProjection()
{
    log("SaveAndClearProjection()");
    projecting_ = false;
}

void TRecordingCanvas::RestoreProjection()
{
    log("RestoreProjection()");
    projecting_ = true;
}

void TRecordingCanvas::UnprojectXY(int& x, int& y, int z)
{
    if (!projecting_) return;
    x -= z;
    y += z;
}

TPoint TRecordingCanvas::ProjectXYZ(int x, int y, int z) { return projecting_ ? TPoint{x + z, y - z} : TPoint{x, y}; }

void TRecordingCanvas::ProjectXYZFloat(TPointFloat& point, float z)
{
    if (!projecting_) return;
    point.X += z;
    point.Y -= z;
}

TRect TRecordingCanvas::PrepareView(TCanvas* target, TView3DOptions* options, TColor background, bool is3D,
                                    const TRect& bounds)
{
    (void)background, (void)is3D;
    log(call("PrepareView", bounds));
    BindCanvas(target ? target : bitmap_->Canvas());
    SetView3DOptions(options);
    SetDrawBounds(bounds);
    return bounds;
}

void TRecordingCanvas::SetupProjection(int depth, const TRect& outer, const TRect& chart)
{
    log(call("SetupProjection", depth, outer, chart));
}

void TRecordingCanvas::FlushBuffer(TCanvas* destination, TCanvas* next, const TRect& rect)
{
    (void)destination;
    log(call("FlushBuffer", rect));
    BindCanvas(next);
}

void TRecordingCanvas::DrawArrowAtZ(bool filled, TPoint from, TPoint to, int headWidth, int headLength, int z0, int z1,
                                    double bodyPercent)
{
    log(call("DrawArrowAtZ", filled, from, to, headWidth, headLength, z0, z1, bodyPercent));
    const auto pts = CalcArrowPointsAtZ(from, to, (z0 + z1) / 2, headLength, headWidth, bodyPercent);
    if (pts.empty()) return;
    if (filled)
        Polygon(pts);
    else
        Polyline(pts);
}

void TRecordingCanvas::DrawDiamond(int left, int top, int right, int bottom, int z0, int z1)
{
    log(filled(call("DrawDiamond", left, top, right, bottom, z0, z1)));
    TCanvas3D::DrawDiamond(left, top, right, bottom, z0, z1);
}

void TRecordingCanvas::DrawBevelFrame(TRect& rect, TColor topLeft, TColor bottomRight, int width)
{
    log(call("DrawBevelFrame", rect, width) + " light=" + hex(topLeft) + " dark=" + hex(bottomRight));
    TCanvas3D::DrawBevelFrame(rect, topLeft, bottomRight, width);
}

void TRecordingCanvas::ClipToBox(const TRect& rect, int z0, int z1) { log(call("ClipToBox", rect, z0, z1)); }

void TRecordingCanvas::DrawTaperedCylinder(bool vertical, int left, int top, int right, int bottom, int z0, int z1,
                                           bool darkSides, int conePercent)
{
    log(filled(call("DrawTaperedCylinder", vertical, left, top, right, bottom, z0, z1, darkSides, conePercent)));
}

void TRecordingCanvas::DrawBox(int left, int right, int top, int bottom, int z0, int z1, bool darkSides, int roundSize)
{
    log(filled(call("DrawBox", left, right, top, bottom, z0, z1, darkSides, roundSize)));
}

void TRecordingCanvas::DrawBoxVariant(int left, int right, int top, int bottom, int z0, int z1, int unused,
                                      bool darkSides, int roundSize)
{
    (void)unused;
    DrawBox(left, right, top, bottom, z0, z1, darkSides, roundSize);
}

void TRecordingCanvas::DrawPlainCylinder(bool vertical, int left, int top, int right, int bottom, int z0, int z1,
                                         bool darkSides)
{
    log(filled(call("DrawPlainCylinder", vertical, left, top, right, bottom, z0, z1, darkSides)));
}

void TRecordingCanvas::EllipseAtZ(int left, int top, int right, int bottom, int z)
{
    log(call("EllipseAtZ", left, top, right, bottom, z));
    const TRect r = ProjectRectAtZ({left, top, right, bottom}, z);
    Ellipse(r.Left, r.Top, r.Right, r.Bottom);
}

void TRecordingCanvas::DrawSolidPieSlice(const TSolidPieSlice& s)
{
    log(filled(
        call("DrawSolidPieSlice", s.CenterX, s.CenterY, s.RadiusX, s.RadiusY, s.Z0, s.Z1, s.StartAngle, s.EndAngle)));
}

void TRecordingCanvas::PlaneFromTwoPoints(TPoint p0, TPoint p1, int z0, int z1)
{
    log(call("PlaneFromTwoPoints", p0, p1, z0, z1));
    const TPoint pts[] = {ProjectXYZ(p0.X, p0.Y, z0), ProjectXYZ(p1.X, p1.Y, z0), ProjectXYZ(p1.X, p1.Y, z1),
                          ProjectXYZ(p0.X, p0.Y, z1)};
    Polygon(pts);
}

void TRecordingCanvas::PlaneFromFourPoints(TPoint p1, TPoint p2, TPoint p3, TPoint p4, int z)
{
    log(call("PlaneFromFourPoints", p1, p2, p3, p4, z));
    const TPoint pts[] = {p1, p2, p3, p4};
    PolygonAtZ(pts, z);
}

void TRecordingCanvas::PlaneFromPointBlock(const TFourPoints& p, int z0, int z1)
{
    log(call("PlaneFromPointBlock", p[0], p[1], p[2], p[3], z0, z1));
    const TPoint pts[] = {ProjectXYZ(p[0].X, p[0].Y, z0), ProjectXYZ(p[1].X, p[1].Y, z0),
                          ProjectXYZ(p[2].X, p[2].Y, z1), ProjectXYZ(p[3].X, p[3].Y, z1)};
    Polygon(pts);
}

void TRecordingCanvas::PolygonXYZ(std::span<const TPoint3D> points)
{
    log(call("PolygonXYZ", points));
    std::vector<TPoint> pts;
    for (const TPoint3D& p : points) pts.push_back(ProjectPoint3D(p));
    Polygon(pts);
}

void TRecordingCanvas::DrawSquarePyramid(bool vertical, int left, int top, int right, int bottom, int z0, int z1,
                                         bool darkSides)
{
    log(filled(call("DrawSquarePyramid", vertical, left, top, right, bottom, z0, z1, darkSides)));
}

void TRecordingCanvas::RectangleAtZ(const TRect& rect, int z)
{
    log(call("RectangleAtZ", rect, z));
    const TFourPoints p = ProjectRectCorners(rect, z);
    Polygon(p);
}

void TRecordingCanvas::PlaneAlongXZ(int x0, int y, int x1, int z0, int z1)
{
    log(filled(call("PlaneAlongXZ", x0, y, x1, z0, z1)));
}

void TRecordingCanvas::PlaneAlongYZ(int x, int y0, int y1, int z0, int z1)
{
    log(filled(call("PlaneAlongYZ", x, y0, y1, z0, z1)));
}

void TRecordingCanvas::RotatedTextXYZ(int x, int y, int z, const String& text, double angle, bool html)
{
    log(call("RotatedTextXYZ", x, y, z, text, angle, html));
}

void TRecordingCanvas::CircleAtZ(int centerX, int centerY, int z, double radius)
{
    log(call("CircleAtZ", centerX, centerY, z, radius));
}

void TRecordingCanvas::DrawSurfaceMesh(int columns, int rows, const TSurfaceCellCallback& cell)
{
    (void)cell;
    log(call("DrawSurfaceMesh", columns, rows));
}

void TRecordingCanvas::TextOutXYZ(int x, int y, int z, const String& text, bool html)
{
    log(call("TextOutXYZ", x, y, z, text, html));
    const TPoint p = ProjectXYZ(x, y, z);
    TextOutOrHtml(*this, p.X, p.Y, text, html);
}

void TRecordingCanvas::TriangleXYZ(TPoint3D p0, TPoint3D p1, TPoint3D p2, TColor color)
{
    log(call("TriangleXYZ", p0, p1, p2) + " color=" + hex(color));
    if (Brush()->Style() != bsClear) Brush()->SetColor(color);
    const TPoint pts[] = {ProjectPoint3D(p0), ProjectPoint3D(p1), ProjectPoint3D(p2)};
    Polygon(pts);
}

void TRecordingCanvas::TriangleAtZ(TPoint p1, TPoint p2, TPoint p3, int z)
{
    log(call("TriangleAtZ", p1, p2, p3, z));
    const TPoint pts[] = {p1, p2, p3};
    PolygonAtZ(pts, z);
}
