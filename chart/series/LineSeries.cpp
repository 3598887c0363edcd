// The line, horizontal line, point, area and horizontal area series: settings of the family base.
#include "chart/series/LineSeries.h"

#include <algorithm>

#include "chart/canvas/Gradient.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"
#include "chart/canvas/ZebPicture.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/Callout.h"
#include "chart/core/SeriesMarks.h"
#include "platform/classes/Published.h"

namespace {

template <const char* Name>
class TNamedEditorClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return Name; }
};
constexpr char CustomSeriesEditor[] = "TCustomSeriesEditor";
constexpr char PointerEditor[] = "TSeriesPointerEditor";
constexpr char AreaEditor[] = "TAreaSeriesEditor";
using TCustomSeriesClass = TNamedEditorClass<CustomSeriesEditor>;
using TPointSeriesClass = TNamedEditorClass<PointerEditor>;
using TAreaSeriesClass = TNamedEditorClass<AreaEditor>;

}  // namespace

// The settings line and area series publish alike.
template <class T>
static void publishLineAndArea(TPublishedBuilder<T>& b)
{
    b.Prop("ColorEachLine", &T::ColorEachLine, &T::SetColorEachLine, true);
    b.Prop("Dark3D", &T::Dark3D, &T::SetDark3D, true);
    b.PropEnum("DrawStyle", &T::DrawStyle, &T::SetDrawStyle, dsSegments, TCustomSeriesDrawStyleNames);
    b.Prop("Gradient", &T::Gradient, &T::SetGradient);
    b.Prop("InflateMargins", &T::InflateMargins, &T::SetInflateMargins, true);
    b.Prop("InvertedStairs", &T::InvertedStairs, &T::SetInvertedStairs, false);
    b.Prop("LinePen", &T::LinePen, &T::SetLinePen);
    b.Prop("PointerBehind", &T::PointerBehind, &T::SetPointerBehind, false);
    b.Prop("Stairs", &T::Stairs, &T::SetStairs, false);
}

TV_PUBLISHED_AS(TLineSeries, TCustomSeriesClass)
{
    Prop("Brush", &TLineSeries::Brush, &TLineSeries::SetBrush);
    publishLineAndArea<TLineSeries>(*this);
    Prop("Emboss", &TLineSeries::Emboss, &TLineSeries::SetEmboss);
    PropEnum("LineBrush", &TLineSeries::LineBrush, &TLineSeries::SetLineBrush, bsSolid, TBrushStyleNames);
    Prop("LineHeight", &TLineSeries::LineHeight, &TLineSeries::SetLineHeight, 0);
    Prop("OutLine", &TLineSeries::OutLine, &TLineSeries::SetOutLine).Stored(&TLineSeries::HasOutLine);
    Prop("Shadow", &TLineSeries::Shadow, &TLineSeries::SetShadow);
    PropEnum("Stacked", &TLineSeries::Stacked, &TLineSeries::SetStacked, cssNone, TCustomSeriesStackNames);
}

TV_PUBLISHED_AS(THorizLineSeries, TCustomSeriesClass) {}

TV_PUBLISHED_AS(TPointSeries, TPointSeriesClass)
{
    PropEnum("Stacked", &TPointSeries::Stacked, &TPointSeries::SetStacked, cssNone, TCustomSeriesStackNames);
}

TV_PUBLISHED_AS(TAreaSeries, TAreaSeriesClass)
{
    PropEnum("AreaBrush", &TAreaSeries::AreaBrush, &TAreaSeries::SetAreaBrush, bsSolid, TBrushStyleNames);
    Prop("AreaChartBrush", &TAreaSeries::AreaChartBrush, &TAreaSeries::SetAreaChartBrush);
    PropColor("AreaColor", &TAreaSeries::AreaColor, &TAreaSeries::SetAreaColor, clAutomatic);
    Prop("AreaLinesPen", &TAreaSeries::AreaLinesPen, &TAreaSeries::SetAreaLinesPen);
    Prop("DrawArea", &TAreaSeries::DrawArea, &TAreaSeries::SetDrawArea, false);
    publishLineAndArea<TAreaSeries>(*this);
    PropEnum("MultiArea", &TAreaSeries::MultiArea, &TAreaSeries::SetMultiArea, maNone, TMultiAreaNames);
    Prop("StackGroup", &TAreaSeries::StackGroup, &TAreaSeries::SetStackGroup, 0);
    Prop("UseYOrigin", &TAreaSeries::UseYOrigin, &TAreaSeries::SetUseYOrigin, false);
    Prop("YOrigin", &TAreaSeries::YOrigin, &TAreaSeries::SetYOrigin).NoDefault();
}

TV_PUBLISHED_AS(THorizAreaSeries, TAreaSeriesClass) {}

// ---- line ----

TLineSeries::TLineSeries(TComponent* owner) : TCustomSeries(owner)
{
    SetDrawLines(true);
    Pointer()->PresetVisible(false);
    SetSinglePointResult(false);
    SetDrawBeyondLastVisible(true);
}

void TLineSeries::Assign(TPersistent* source)
{
    TCustomSeries::Assign(source);
    if (source && !dynamic_cast<TLineSeries*>(source)) Pointer()->SetVisible(false);
    SetDrawArea(false);
    SetDrawLines(true);
}

void TLineSeries::ListGalleryStyles(const std::function<void(const String&)>& add) const
{
    TCustomSeries::ListGalleryStyles(add);
    for (const char* name : {"Stairs", "Points", "Height", "Hollow", "Colors", "Marks", "No Border", "Outline"})
        add(name);
}

void TLineSeries::GetLegendSymbolStyle(int, TColor&, TBrushStyle& style) const
{
    if (TCustomAxisPanel* chart = ParentChart()) chart->Canvas3D()->UsePen(*LinePen());
    style = LineBrush();
}

void TLineSeries::ApplyGalleryStyle(int index)
{
    switch (index) {
    case 1: SetStairs(true); break;
    case 2: Pointer()->SetVisible(true); break;
    case 3: SetLineHeight(5); break;
    case 4: SetLineBrush(bsClear); break;
    case 5: SetColorEachPoint(true); break;
    case 6: Marks().SetVisible(true); break;
    case 7: Pen()->SetVisible(false); break;
    case 8: OutLine()->SetVisible(true); break;
    default: break;
    }
}

THorizLineSeries::THorizLineSeries(TComponent* owner) : TLineSeries(owner)
{
    MakeHorizontal();
    scanVisibleRange_ = false;
    XValues()->SetOrder(loNone);
    YValues()->SetOrder(loAscending);
}

int THorizLineSeries::MarkGap() const { return ParentChart() ? ParentChart()->WidestMarkWidth() : 0; }

// Beside the point and centred on it: right of it, or left of it for a point left of the origin.
void THorizLineSeries::DrawPointMark(int index, const String& text, TSeriesMarkPosition& position)
{
    const TMarksCallout& callout = *Marks().Callout();
    int shift = callout.Length() + callout.Distance();
    const bool leftwards = position.ArrowFrom.X < OriginPixel(index);
    if (leftwards) shift = -shift - position.Width;
    position.LeftTop.X += shift + position.Width / 2;
    position.LeftTop.Y += position.Height / 2;
    position.ArrowTo.X += shift;
    position.ArrowFrom.X += leftwards ? -callout.Distance() : callout.Distance();
    TCustomSeries::DrawPointMark(index, text, position);
}

// ---- point ----

TPointSeries::TPointSeries(TComponent* owner) : TCustomSeries(owner)
{
    presetPoint();
    Pointer()->PresetVisible(true);
    Marks().Callout()->SetLength(0);
}

void TPointSeries::presetPoint()
{
    Pointer()->SetVisible(true);
    SetDrawArea(false);
    SetDrawLines(false);
    SetClickableLine(false);
}

void TPointSeries::Assign(TPersistent* source)
{
    TCustomSeries::Assign(source);
    presetPoint();
}

void TPointSeries::ListGalleryStyles(const std::function<void(const String&)>& add) const
{
    TCustomSeries::ListGalleryStyles(add);
    for (const char* name : {"Colors", "Marks", "Hollow", "No Border", "Gradient"}) add(name);
    if (OffersPointerStyles())
        for (const char* name :
             {"Point 2D", "Triangle", "Star", "Circle", "Down Tri.", "Cross", "Diamond", "Hexagon", "Donut", "Arrow"})
            add(name);
}

void TPointSeries::SetColorEachPoint(bool value)
{
    TCustomSeries::SetColorEachPoint(value);
    if (value) Pointer()->Brush()->SetColor(clAutomatic);
}

void TPointSeries::ApplyGalleryStyle(int index)
{
    switch (index) {
    case 1: SetColorEachPoint(true); return;
    case 2: Marks().SetVisible(true); return;
    case 3: Pointer()->Brush()->SetStyle(bsClear); return;
    case 4: Pointer()->Pen()->SetVisible(false); return;
    case 5: Pointer()->Gradient()->SetVisible(true); return;
    default: break;
    }
    if (!OffersPointerStyles()) return;
    static constexpr TSeriesPointerStyle styles[] = {psTriangle, psStar, psCircle, psDownTriangle,
                                                     psCross, psDiamond, psHexagon, psDonut, psArrow};
    if (index == 6) {
        Pointer()->SetDraw3D(false);
    } else if (index >= 7 && index <= 15) {
        Pointer()->SetStyle(styles[index - 7]);
        if (index == 9) Pointer()->SetSymbolSize(8);
    }
}

void TPointSeries::SetTransparency(int value)
{
    TCustomSeries::SetTransparency(value);
    Pointer()->SetTransparency(static_cast<TZebTransparency>(value));
}

// ---- area ----

TAreaSeries::TAreaSeries(TComponent* owner) : TCustomSeries(owner)
{
    SetDrawArea(true);
    Pointer()->PresetVisible(false);
    SetSinglePointResult(false);
    SetDrawBeyondLastVisible(true);
}

void TAreaSeries::Assign(TPersistent* source)
{
    TCustomSeries::Assign(source);
    SetDrawArea(true);
    SetDrawLines(true);
    if (auto* other = dynamic_cast<TAreaSeries*>(source)) {
        yOrigin_ = other->yOrigin_;
        stackGroup_ = other->stackGroup_;
        useYOrigin_ = other->useYOrigin_;
    } else if (source) {
        Pointer()->SetVisible(false);
    }
}

TMultiArea TAreaSeries::MultiArea() const
{
    switch (Stacked()) {
    case cssStack: return maStacked;
    case cssStack100: return maStacked100;
    default: return maNone;
    }
}

void TAreaSeries::SetMultiArea(TMultiArea value)
{
    if (value == MultiArea()) return;
    SetStacked(value == maStacked ? cssStack : value == maStacked100 ? cssStack100 : cssNone);
}

void TAreaSeries::ReserveZSlot()
{
    if (MultiArea() == maNone) {
        TCustomSeries::ReserveZSlot();
        return;
    }
    TCustomAxisPanel* chart = ParentChart();
    if (chart)
        for (int i = 0; i < chart->NumSeries(); ++i) {
            TChartSeries* s = chart->GetSeriesAt(i);
            if (s == this) break;
            auto* other = dynamic_cast<TCustomSeries*>(s);
            if (other && other->Active() && StacksWith(other)) {
                SetZSlot(other->GetZSlot());
                return;
            }
        }
    TChartSeries::ReserveZSlot();
}

void TAreaSeries::ListGalleryStyles(const std::function<void(const String&)>& add) const
{
    TCustomSeries::ListGalleryStyles(add);
    for (const char* name : {"Stairs", "Marks", "Colors", "Hollow", "No Lines", "Stack", "Stack 100%", "Points",
                             "Gradient"})
        add(name);
}

void TAreaSeries::FillLegendSymbol(int index, const TRect& rect)
{
    if (TCustomAxisPanel* chart = ParentChart()) {
        TCanvas3D& canvas = *chart->Canvas3D();
        if (AreaChartBrush()->HasVisibleGradient())
            canvas.SelectBrush(*AreaChartBrush(), SeriesColor(), Brush()->BackColor());
        else
            canvas.SelectBrush(*Brush(), SeriesColor(), Brush()->Color());
        if (AreaChartBrush()->Image() && AreaChartBrush()->Image()->Graphic()) {
            TColor fill = AreaChartBrush()->Color();
            if (fill == clAutomatic) fill = index == -1 ? SeriesColor() : GetLegendColor(index);
            TColor back = AreaColor() != clAutomatic ? AreaColor() : fill;
            if (back == fill) back = clWhite;
            canvas.SelectBrush(*AreaChartBrush(), fill, back);
        }
    }
    TCustomSeries::FillLegendSymbol(index, rect);
}

void TAreaSeries::GetLegendSymbolStyle(int, TColor& backColor, TBrushStyle& style) const
{
    if (AreaColor() != clAutomatic) backColor = AreaColor();
    if (TCustomAxisPanel* chart = ParentChart()) chart->Canvas3D()->UsePen(*AreaLinesPen());
    style = AreaBrush();
}

void TAreaSeries::ApplyGalleryStyle(int index)
{
    switch (index) {
    case 1: SetStairs(true); break;
    case 2: Marks().SetVisible(true); break;
    case 3: SetColorEachPoint(true); break;
    case 4: SetAreaBrush(bsClear); break;
    case 5: AreaLinesPen()->SetVisible(false); break;
    case 6: SetMultiArea(maStacked); break;
    case 7: SetMultiArea(maStacked100); break;
    case 8: Pointer()->SetVisible(true); break;
    case 9: Gradient()->SetVisible(true); break;
    default: break;
    }
}

double TAreaSeries::HighestY()
{
    const double r = TCustomSeries::HighestY();
    return useYOrigin_ && YMandatory() ? std::max(r, yOrigin_) : r;
}

double TAreaSeries::LowestY()
{
    const double r = TCustomSeries::LowestY();
    return useYOrigin_ && YMandatory() ? std::min(r, yOrigin_) : r;
}

double TAreaSeries::HighestX()
{
    const double r = TCustomSeries::HighestX();
    return useYOrigin_ && !YMandatory() ? std::max(r, yOrigin_) : r;
}

double TAreaSeries::LowestX()
{
    const double r = TCustomSeries::LowestX();
    return useYOrigin_ && !YMandatory() ? std::min(r, yOrigin_) : r;
}

bool TAreaSeries::IsStackOrderForward(int index) const
{
    if (MultiArea() == maNone) return TCustomSeries::IsStackOrderForward(index);
    const TChartAxis* axis = GetValueAxis();
    return !(axis && axis->Inverted());
}

bool TAreaSeries::StacksWith(const TCustomSeries* series) const
{
    auto* area = dynamic_cast<const TAreaSeries*>(series);
    return TCustomSeries::StacksWith(series) && area && area->stackGroup_ == stackGroup_;
}

int TAreaSeries::OriginPixel(int index) const
{
    return useYOrigin_ ? MainValueToScreen(yOrigin_) : TCustomSeries::OriginPixel(index);
}

void TAreaSeries::UseDefaultColor()
{
    TCustomSeries::UseDefaultColor();
    AreaChartBrush()->SetStyle(bsSolid);
    AreaChartBrush()->SetColor(clAutomatic);
    AreaChartBrush()->SetBackColor(clAutomatic);
}

TZebGradient* TAreaSeries::GetGradient() { return AreaChartBrush()->Gradient(); }

// Always right of the point, centred on it.
void THorizAreaSeries::DrawPointMark(int index, const String& text, TSeriesMarkPosition& position)
{
    const TMarksCallout& callout = *Marks().Callout();
    const int shift = callout.Length() + callout.Distance();
    position.LeftTop.Y = position.ArrowTo.Y - position.Height / 2;
    position.LeftTop.X += shift + position.Width / 2;
    position.ArrowTo.X += shift;
    position.ArrowFrom.Y = position.ArrowTo.Y;
    position.ArrowFrom.X += callout.Distance();
    TCustomSeries::DrawPointMark(index, text, position);
}

THorizAreaSeries::THorizAreaSeries(TComponent* owner) : TAreaSeries(owner)
{
    MakeHorizontal();
    XValues()->SetOrder(loNone);
    YValues()->SetOrder(loAscending);
    GetGradient()->SetDirection(gdRightLeft);
}
