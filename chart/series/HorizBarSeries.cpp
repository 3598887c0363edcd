#include "chart/series/HorizBarSeries.h"

#include <algorithm>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/Gradient.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/Callout.h"
#include "chart/core/SeriesMarks.h"
#include "platform/classes/Published.h"

TV_PUBLISHED_AS(THorizBarSeries, TChartElementClass)
{
    Prop("CustomBarHeight", &THorizBarSeries::CustomBarHeight, &THorizBarSeries::SetCustomBarHeight, 0);
}

THorizBarSeries::THorizBarSeries(TComponent* owner) : TCustomBarSeries(owner)
{
    MakeHorizontal();
    XValues()->SetOrder(loNone);
    YValues()->SetOrder(loAscending);
    Gradient()->InitDirection(gdLeftRight);
    XValues()->SetName("Bar");
}

bool THorizBarSeries::RotatedHalfway() const
{
    const TCustomAxisPanel* chart = ParentChart();
    if (!chart) return false;
    const int rotation = chart->View3DOptions()->Rotation();
    return rotation > 0 && rotation < 180;
}

// ---- margins and ranges ----

void THorizBarSeries::MeasureVertMargins(int& top, int& bottom) const
{
    TCustomBarSeries::MeasureVertMargins(top, bottom);
    auto& self = const_cast<THorizBarSeries&>(*this);
    self.ComputeBarSize();
    top += BarGroupMargin();
    bottom += BarGroupMargin();
}

void THorizBarSeries::MeasureHorizMargins(int& left, int& right) const
{
    TCustomBarSeries::MeasureHorizMargins(left, right);
    auto& self = const_cast<THorizBarSeries&>(*this);
    int a = MarksOnBar() ? 0 : self.MarksMargin(-1);
    if (BarPen()->Visible()) a = std::max(RoundHalfEven(BarPen()->Width() * 0.5) + 2, a);
    if (a > 0) ++a;
    const bool inverted = GetHorizAxis() && GetHorizAxis()->Inverted();
    if (UseYOrigin() && XValues()->Lowest() < YOrigin()) left += a;
    if (!(UseYOrigin() && XValues()->Highest() <= YOrigin())) (inverted ? left : right) += a;
}

double THorizBarSeries::HighestY()
{
    if (MultiBar() == mbSideAll) return CategoryHighest();
    if (MultiBar() == mbSelfStack) return LowestY();
    return TCustomBarSeries::HighestY();
}

double THorizBarSeries::LowestY()
{
    return MultiBar() == mbSelfStack ? CategoryLowest() : TCustomBarSeries::LowestY();
}

void THorizBarSeries::GetPointXY(int index, int& x, int& y) const
{
    TCustomBarSeries::GetPointXY(index, x, y);
    y += BarSize / 2;
}

// ---- orders ----

bool THorizBarSeries::InvertsLegend() const { return !(GetVertAxis() && GetVertAxis()->Inverted()); }

bool THorizBarSeries::IsSeriesOrderForward() const
{
    const bool forward = TCustomBarSeries::IsSeriesOrderForward();
    if ((MultiBar() == mbSideAll || MultiBar() == mbSelfStack) && RotatedHalfway()) return !forward;
    return forward;
}

bool THorizBarSeries::IsPointOrderForward() const
{
    const bool forward = TCustomBarSeries::IsPointOrderForward();
    return MultiBar() == mbSelfStack && RotatedHalfway() ? !forward : forward;
}

bool THorizBarSeries::IsStackOrderForward(int index) const
{
    switch (MultiBar()) {
    case mbNone: return TCustomBarSeries::IsStackOrderForward(index);
    case mbSide:
    case mbSideAll: return false;
    default: break;
    }
    const bool inverted = GetHorizAxis() && GetHorizAxis()->Inverted();
    // Self-stacked segments compare with 0 whatever YOrigin is.
    const bool f = MultiBar() == mbSelfStack ? !inverted == (ValueOf(index) >= 0) : !inverted;
    return TCustomBarSeries::IsStackOrderForward(index) ? f : !f;
}

// ---- marks ----

int THorizBarSeries::MarkExtent(int index)
{
    if (index == -1) return WidestMarkWidth();
    return Marks().MarkTextWidth(index);
}

void THorizBarSeries::DrawPointMark(int index, const String& text, TSeriesMarkPosition& position)
{
    TSeriesMarks& marks = Marks();
    const int h = BarSize / 2;
    if (!MarksOnBar()) {
        const TMarksCallout& callout = *marks.Callout();
        const int c = callout.Length() + callout.Distance();
        // A bar reaching left of its base has its mark on the left.
        const bool leftwards = position.ArrowFrom.X < BarOriginPixel(index);
        const int shift = leftwards ? -(c + position.Width) : c;
        position.LeftTop.X += shift + position.Width / 2;
        position.LeftTop.Y += h + position.Height / 2;
        position.ArrowTo.X += shift;
        position.ArrowTo.Y += h;
        position.ArrowFrom.Y += h;
        position.ArrowFrom.X += leftwards ? -callout.Distance() : callout.Distance();
    } else {
        position.LeftTop.Y += h + position.Height / 2;
        const TRect bar = ComputeBarRect(index);
        const bool inverted = GetHorizAxis() && GetHorizAxis()->Inverted();
        if (MarksLocation() == mlCenter) {
            position.LeftTop.X = (bar.Left + bar.Right) / 2 - position.Width / 2;
        } else {
            const int inset = MarksOnBarInset(position, true);
            if (MarksLocation() == mlEnd)
                position.LeftTop.X = inverted ? bar.Right + inset : bar.Right - inset - position.Width;
            else
                position.LeftTop.X = inverted ? bar.Left - inset - position.Width : bar.Left + inset;
        }
    }
    DrawBarMark(index, text, position);
}

// ---- geometry ----

TRect THorizBarSeries::ComputeBarRect(int index) const
{
    TRect r;
    if (BarRectHook) {
        BarRectHook(index, r);
        return r;
    }
    r.Top = PointScreenY(index);
    r.Bottom = r.Top + BarSize - 1;
    if (BarWidthPercent() == 100 && CustomBarWidth() == 0 && MultiBar() != mbSelfStack && MultiBar() != mbSide) {
        const int p = BarPen()->Visible() ? BarPen()->Width() : 0;
        if (GetVertAxis() && GetVertAxis()->Inverted())
            r.Bottom = index < Count() - 1 ? PointScreenY(index + 1) : r.Top + BarSize - p;
        else
            r.Bottom = index == 0 ? r.Top + BarSize - p : PointScreenY(index - 1);
    }
    r.Right = PointScreenX(index);
    r.Left = BarOriginPixel(index);
    if (!BarPen()->Visible()) {
        ++r.Bottom;
        if (r.Left < r.Right)
            ++r.Right;
        else
            ++r.Left, --r.Right;
    }
    return r;
}
