#include "chart/series/BarSeries.h"

#include <algorithm>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/Gradient.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/Callout.h"
#include "chart/core/SeriesMarks.h"
#include "platform/classes/Published.h"

TV_PUBLISHED_AS(TBarSeries, TChartElementClass)
{
    Prop("CustomBarWidth", &TBarSeries::CustomBarWidth, &TBarSeries::SetCustomBarWidth, 0);
}

TBarSeries::TBarSeries(TComponent* owner) : TCustomBarSeries(owner)
{
    Gradient()->InitDirection(gdTopBottom);
    YValues()->SetName("Bar");
}

// ---- margins and ranges ----

void TBarSeries::MeasureHorizMargins(int& left, int& right) const
{
    TCustomBarSeries::MeasureHorizMargins(left, right);
    auto& self = const_cast<TBarSeries&>(*this);
    self.ComputeBarSize();
    left += BarGroupMargin();
    right += BarGroupMargin();
}

void TBarSeries::MeasureVertMargins(int& top, int& bottom) const
{
    TCustomBarSeries::MeasureVertMargins(top, bottom);
    auto& self = const_cast<TBarSeries&>(*this);
    int a = MarksOnBar() ? 0 : self.MarksMargin(0);
    if (BarPen()->Visible()) a = std::max(RoundHalfEven(BarPen()->Width() * 0.5) + 2, a);
    if (a <= 0) return;
    const bool inverted = GetVertAxis() && GetVertAxis()->Inverted();
    if (UseYOrigin() && YValues()->Lowest() < YOrigin()) (inverted ? top : bottom) += a + 1;
    if (!(UseYOrigin() && YValues()->Highest() <= YOrigin())) (inverted ? bottom : top) += a + 1;
}

double TBarSeries::HighestX()
{
    return OwnsCategoryRange() ? CategoryHighest() : TCustomBarSeries::HighestX();
}

double TBarSeries::LowestX() { return MultiBar() == mbSelfStack ? CategoryLowest() : TCustomBarSeries::LowestX(); }

void TBarSeries::GetPointXY(int index, int& x, int& y) const
{
    TCustomBarSeries::GetPointXY(index, x, y);
    x += BarSize / 2;
}

bool TBarSeries::IsStackOrderForward(int index) const
{
    switch (MultiBar()) {
    case mbNone:
    case mbSide:
    case mbSideAll: return TCustomBarSeries::IsStackOrderForward(index);
    case mbSelfStack: {
        const bool above = ValueOf(index) >= YOrigin();
        return GetVertAxis() && GetVertAxis()->Inverted() ? !above : above;
    }
    default: return !(GetVertAxis() && GetVertAxis()->Inverted());
    }
}

// ---- marks ----

int TBarSeries::MarkExtent(int index)
{
    (void)index;
    return ParentChart() ? ParentChart()->Canvas3D()->StandardTextHeight() : 0;
}

void TBarSeries::DrawPointMark(int index, const String& text, TSeriesMarkPosition& position)
{
    TSeriesMarks& marks = Marks();
    const int h = BarSize / 2;
    if (!MarksOnBar()) {
        const TMarksCallout& callout = *marks.Callout();
        const int c = callout.Length() + callout.Distance();
        // A bar hanging down from its base has its mark below.
        const bool below = BarOriginPixel(index) < position.ArrowFrom.Y;
        const int dy = below ? c + position.Height : -c;
        position.LeftTop.Y += dy;
        position.ArrowTo.Y += dy;
        position.ArrowFrom.Y += below ? callout.Distance() : -callout.Distance();
        position.LeftTop.X += h;
        position.ArrowFrom.X += h;
        position.ArrowTo.X += h;
    } else {
        position.LeftTop.X += h;
        const TRect bar = ComputeBarRect(index);
        const bool inverted = GetVertAxis() && GetVertAxis()->Inverted();
        if (MarksLocation() == mlCenter) {
            const int angle = marks.Angle();
            const int half = angle == 90 || angle == 270 ? position.Width / 2 : position.Height / 2;
            position.LeftTop.Y = (bar.Top + bar.Bottom) / 2 - half;
        } else {
            const int inset = MarksOnBarInset(position, false);
            if (MarksLocation() == mlEnd)
                position.LeftTop.Y = inverted ? bar.Top - inset - position.Height : bar.Top + inset;
            else
                position.LeftTop.Y = inverted ? bar.Bottom + inset : bar.Bottom - inset - position.Height;
        }
    }
    DrawBarMark(index, text, position);
}

// ---- geometry ----

TRect TBarSeries::ComputeBarRect(int index) const
{
    TRect r;
    if (BarRectHook) {
        BarRectHook(index, r);
        return r;
    }
    r.Left = PointScreenX(index);
    if (BarWidthPercent() == 100 && CustomBarWidth() == 0 && MultiBar() != mbSelfStack && MultiBar() != mbSide) {
        // The bar reaches its neighbour.
        const int p = BarPen()->Visible() ? std::max(1, BarPen()->Width()) : 0;
        if (GetHorizAxis() && GetHorizAxis()->Inverted())
            r.Right = index >= 1 ? PointScreenX(index - 1) : r.Left + BarSize + p;
        else
            r.Right = index < Count() - 1 ? PointScreenX(index + 1) + 1 - p / 2 : r.Left + BarSize + 1 - p / 2;
    } else {
        r.Right = r.Left + BarSize + 1;
    }
    r.Top = PointScreenY(index);
    r.Bottom = BarOriginPixel(index);
    if (!BarPen()->Visible()) {
        ++(r.Top > r.Bottom ? r.Top : r.Bottom);
        ++r.Right;
    }
    return r;
}
