// Drawing an axis through the chart canvas: back shape, title, line, ticks, grid, minor ticks and
// grid, labels; and the area the axis answers clicks in.
#include <algorithm>
#include <cmath>

#include "chart/canvas/Geometry.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebFont.h"
#include "chart/core/AxisItems.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/AxisPens.h"
#include "chart/core/ChartAxes.h"
#include "chart/core/DrawGuards.h"
#include "platform/graphics/GdiConsts.h"
#include "platform/rtl/MathUtils.h"

namespace {

// Hit tests reach this far past the axis line into the chart.
constexpr int AxisHitMargin = 3;

void Line(TCanvas3D& c, bool in3D, int x0, int y0, int x1, int y1, int z)
{
    if (in3D)
        c.LineAtZ(x0, y0, x1, y1, z);
    else
        c.DrawLine(x0, y0, x1, y1);
}

}  // namespace

bool TChartAxis::drawsIn3D() const { return chart_ && chart_->View3D(); }

void TChartAxis::Draw(bool recomputePosition)
{
    if (!chart_ || !chart_->Canvas3D()) return;
    TCanvas3D& c = *chart_->Canvas3D();
    {
        TElementScope element(c, ElementName, this, nullptr);
        showsDateTime_ = parentAxis_ ? parentAxis_->showsDateTime_ : ShowsDateTime();
        if (recomputePosition) linePosition_ = ApplyPositionOffset(sideOf(chart_->ChartRect()));
        if (shape_ && shape_->Visible()) paintBackShape();
        if (title_ && title_->Visible() && !title_->Caption().empty()) {
            const int along = (start_ + end_) / 2;
            if (horizontal_)
                PaintTitle(along, titlePosition_);
            else
                PaintTitle(titlePosition_, along);
        }
        GenerateLabels();
        paintLinesTicksGrid();
        if (Labels() && !labels_->Behind()) paintLabels();
    }
    if (!subAxes_) return;
    for (int i = 0; i < subAxes_->Count(); ++i) {
        TChartAxis* sub = subAxes_->GetAxisAt(i);
        if (!sub->Visible()) continue;
        sub->takeParentOrientation();
        sub->SetPixelBounds(start_, end_);
        sub->Draw(false);
    }
}

TRect TChartAxis::GetLabelsArea() const
{
    const int low = std::min(start_, end_), high = std::max(start_, end_);
    const int inner = InflateAxisPos(linePosition_, -AxisHitMargin);
    const int a = Labels() ? labelsPosition_ : linePosition_;
    const int b = Labels() ? inner : linePosition_;
    const int from = std::min(a, b), to = std::max(a, b);
    return horizontal_ ? TRect{low, from, high, to} : TRect{from, low, to, high};
}

bool TChartAxis::ContainsPoint(TPoint point) const
{
    if (!chart_ || !visible_) return false;
    TRect r = GetLabelsArea();
    if (drawsIn3D()) r = chart_->Canvas3D()->ProjectRectAtZ(r, otherSide_ ? chart_->Depth3D() : 0);
    // The edges count as inside.
    return point.X >= r.Left && point.X <= r.Right && point.Y >= r.Top && point.Y <= r.Bottom;
}

void TChartAxis::paintBackShape()
{
    TCustomTextShape& format = *LabelsFormat();
    const int margins = horizontal_ ? format.Margins()->VerticalPixels() : format.Margins()->HorizontalPixels();
    int across = LabelBandSize() + margins + 3;
    if (labels_->Position() == lpAtTick)
        across += TickZoneSize(true);
    else
        across = std::max(across, TickZoneSize(true) - 2);
    const int far = InflateAxisPos(linePosition_, across);
    const int from = std::min(linePosition_, far), to = std::max(linePosition_, far);
    const TRect r = horizontal_ ? TRect{start_, from, end_, to} : TRect{from, start_, to, end_};
    shape_->SetShapeBounds(r);
    shape_->DrawInRect(r, 0, drawsIn3D() ? zPixel_ : 0);
}

void TChartAxis::PaintLine(int from, int to)
{
    TCanvas3D& c = *chart_->Canvas3D();
    const bool in3D = drawsIn3D();
    const int wall = chart_->WallSizeAt(this);
    if (depth_) {
        if (!in3D) return;
        const TRect& r = chart_->ChartRect();
        const int x = otherSide_ ? r.Right : r.Left;
        const int y = otherSide_ ? r.Bottom : r.Top;
        c.LineAlongZ3D(x, y, from, to);
        return;
    }
    const int half = axisPen_->Width() / 2;
    int pos = linePosition_, a = from, b = to;
    if (horizontal_) {
        if (!otherSide_) {
            pos += half + wall;
            a -= chart_->WallSizeAt(chart_->LeftAxis());
            b += chart_->WallSizeAt(chart_->RightAxis());
        } else {
            pos -= half;
        }
    } else {
        pos += otherSide_ ? half + wall : -(half + wall);
    }
    const TPenLineMode mode = axisPen_->LineMode();
    if (in3D && mode != lmLine) {
        const int w = std::max(1, axisPen_->Width());
        const TRect box = horizontal_ ? TRect{a, pos - w / 2, b, pos + w - w / 2} : TRect{pos - w / 2, a, pos + w - w / 2, b};
        if (mode == lmCylinder)
            c.DrawPlainCylinder(!horizontal_, box.Left, box.Top, box.Right, box.Bottom, zPixel_ - w / 2,
                                zPixel_ + w - w / 2, true);
        else
            c.DrawBox(box.Left, box.Right, box.Top, box.Bottom, zPixel_ - w / 2, zPixel_ + w - w / 2, true);
        return;
    }
    if (horizontal_)
        Line(c, in3D, a, pos, b, pos, zPixel_);
    else
        Line(c, in3D, pos, a, pos, b, zPixel_);
}

void TChartAxis::paintTicks(const std::vector<int>& positions, int sign, int length)
{
    TCanvas3D& c = *chart_->Canvas3D();
    const bool in3D = drawsIn3D();
    const int wall = chart_->WallSizeAt(this);
    const bool nearSide = !otherSide_;
    int base = linePosition_;
    if (!(horizontal_ && otherSide_)) base = InflateAxisPos(base, wall);
    if (nearSide) base = InflateAxisPos(base, axisPen_->Visible() ? axisPen_->Width() - 1 : 0);
    const int from = InflateAxisPos(base, sign);
    const int to = InflateAxisPos(from, length);
    for (int p : positions) {
        if (depth_) {
            if (in3D) c.LineAtZ(linePosition_, chart_->ChartRect().Bottom, linePosition_ + length, chart_->ChartRect().Bottom, p);
            continue;
        }
        if (horizontal_)
            Line(c, in3D, p, from, p, to, zPixel_);
        else
            Line(c, in3D, from, p, to, p, zPixel_);
    }
}

void TChartAxis::paintGridLine(int pixel, const TAxisGridPen& pen)
{
    const int low = std::min(start_, end_), high = std::max(start_, end_);
    if (!(pixel > low && pixel < high)) return;
    TCanvas3D& c = *chart_->Canvas3D();
    const TRect& r = chart_->ChartRect();
    int a, b;
    if (usePartnerAxis_ && partnerAxis_) {
        a = std::min(partnerAxis_->start_, partnerAxis_->end_);
        b = std::max(partnerAxis_->start_, partnerAxis_->end_);
    } else {
        a = horizontal_ ? r.Top + 1 : r.Left + 1;
        b = horizontal_ ? r.Bottom : r.Right;
    }
    if (depth_) {
        if (!drawsIn3D()) return;
        if (!SuppressWallGrid) c.LineAlongY3D(r.Left, r.Top, r.Bottom, pixel);
        if (!SuppressFloorGrid) c.LineAlongX3D(r.Left, r.Right, r.Bottom, pixel);
        return;
    }
    if (!drawsIn3D()) {
        if (horizontal_)
            c.DrawLine(pixel, a, pixel, b);
        else
            c.DrawLine(a, pixel, b, pixel);
        return;
    }
    const int depth = chart_->Depth3D();
    if (horizontal_)
        c.LineAtZ(pixel, a, pixel, b, depth);
    else
        c.LineAtZ(a, pixel, b, pixel, depth);
    const int z = static_cast<int>(Round(depth * pen.ZPosition() / 100));
    if (z != depth) {
        if (horizontal_)
            c.LineAlongZ3D(pixel, linePosition_, z, depth);
        else
            c.LineAlongZ3D(linePosition_, pixel, z, depth);
    }
}

std::vector<int> TChartAxis::minorPositions() const
{
    std::vector<int> out;
    const int c = minorTickCount_;
    if (c < 1 || ticks_.empty()) return out;
    const double f = 1.0 / (c + 1);
    const int low = std::min(start_, end_), high = std::max(start_, end_);
    auto keep = [&](int p) {
        if (p > low && p < high) out.push_back(p);
    };
    if (!logarithmic_) {
        if (ticks_.size() < 2) return out;
        const double d = f * (ticks_[1] - ticks_[0]);
        for (int j = 1; j <= c; ++j) {
            keep(ticks_.front() - static_cast<int>(Round(j * d)));
            keep(ticks_.back() + static_cast<int>(Round(j * d)));
        }
        for (size_t i = 1; i < ticks_.size(); ++i)
            for (int j = 1; j <= c; ++j)
                keep(ticks_[i] - static_cast<int>(Round(j * f * (ticks_[i] - ticks_[i - 1]))));
        return out;
    }
    std::vector<double> values;
    for (int p : ticks_) values.push_back(PixelToValue(p));
    if (!values.empty()) values.push_back(values.back() / logarithmicBase_);
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
    for (double v : values)
        for (int j = 1; j <= c; ++j) {
            const double m = v + j * f * (v * logarithmicBase_ - v);
            if (m >= workMinimum_ && m <= workMaximum_) keep(ValueToPixel(m));
        }
    return out;
}

void TChartAxis::paintLinesTicksGrid()
{
    TCanvas3D& c = *chart_->Canvas3D();
    c.Brush()->SetStyle(bsClear);
    c.SetBackgroundMode(TRANSPARENT);
    if (axisPen_->Visible()) {
        c.UsePen(*axisPen_);
        if (axisPen_->LineMode() != lmLine && drawsIn3D()) {
            c.Pen()->SetStyle(psClear);
            c.Brush()->SetStyle(bsSolid);
            c.Brush()->SetColor(axisPen_->Color());
        }
        if (LineHook)
            LineHook(*this, start_, end_);
        else
            PaintLine(start_, end_);
        c.Brush()->SetStyle(bsClear);
    }
    if (tickLength_ != 0 && ticksPen_->Visible()) {
        TElementScope element(c, "Ticks", this);
        c.UsePen(*ticksPen_);
        paintTicks(ticks_, 1, tickLength_);
    }
    if (GridHook) GridHook(*this);
    if (grid_->Visible()) {
        TElementScope element(c, "Grid", this);
        c.Brush()->SetStyle(bsClear);
        c.SetBackgroundMode(TRANSPARENT);
        if (grid_->Color() == GridAutomaticColor) {
            TAxisGridPen gray;
            gray.Assign(grid_);
            gray.SetColor(static_cast<TColor>(0x808080));
            c.UsePen(gray);
        } else {
            c.UsePen(*grid_);
        }
        const int every = std::max(1, grid_->DrawEvery());
        if (grid_->Centered()) {
            for (size_t i = 1; i < ticks_.size(); ++i)
                if (i % every == 0) paintGridLine((ticks_[i - 1] + ticks_[i]) / 2, *grid_);
        } else {
            for (size_t i = 0; i < ticks_.size(); ++i)
                if (i % every == 0) paintGridLine(ticks_[i], *grid_);
        }
    }
    if (tickInnerLength_ != 0 && ticksInner_->Visible()) {
        TElementScope element(c, "InnerTicks", this);
        c.UsePen(*ticksInner_);
        paintTicks(ticks_, -1, -tickInnerLength_);
    }
    const bool minorTicks = minorTickLength_ != 0 && minorTicks_->Visible();
    if (minorTicks || minorGrid_->Visible()) {
        const std::vector<int> minor = minorPositions();
        if (minorTicks) {
            TElementScope element(c, "MinorTicks", this);
            c.UsePen(*minorTicks_);
            paintTicks(minor, 1, minorTickLength_);
        }
        if (minorGrid_->Visible()) {
            c.UsePen(*minorGrid_);
            for (int p : minor) paintGridLine(p, *grid_);
        }
    }
    c.SetBackgroundMode(OPAQUE);
}

void TChartAxis::PaintTitle(int x, int y)
{
    TCanvas3D& c = *chart_->Canvas3D();
    TChartAxisTitle& title = *Title();
    TElementScope element(c, "Title", this);
    c.UseFont(*title.Font());
    c.SetBackgroundMode(TRANSPARENT);
    title.SetShapeBounds({});
    title.MeasureBounds(*chart_);
    const int w = title.BoundsWidth(), h = title.BoundsHeight();
    const bool rotated = !horizontal_ || title.Angle() % 180 != 0;
    // Turned boxes keep their measured size across the axis as their height.
    const int along = rotated && !horizontal_ ? h : w;
    const int acrossSize = rotated && !horizontal_ ? w : h;
    if (title.Position() != tpCenter) {
        const bool atStart = (title.Position() == tpStart) != (inverted_ || !horizontal_);
        const int centre = (atStart ? std::min(start_, end_) + along / 2 : std::max(start_, end_) - along / 2);
        (horizontal_ ? x : y) = centre;
    }
    TRect r;
    if (horizontal_) {
        const int top = otherSide_ ? y - acrossSize : y;
        r = {x - along / 2, top, x - along / 2 + along, top + acrossSize};
    } else {
        const int left = otherSide_ ? x : x - acrossSize;
        r = {left, y - along / 2, left + acrossSize, y - along / 2 + along};
    }
    title.SetShapeBounds(r);
    title.DrawInRect(r, title.Angle(), drawsIn3D() ? zPixel_ : 0);
}

void TChartAxis::paintLabels()
{
    TCanvas3D& c = *chart_->Canvas3D();
    TElementScope element(c, "Labels", this);
    if (items_->Automatic()) {
        for (int i = 0; i < items_->AutomaticCount(); ++i) paintLabelItem(*items_->AutomaticItem(i), i, *LabelsFormat());
        return;
    }
    for (int i = 0; i < items_->Count(); ++i) {
        TAxisItem& item = *items_->GetItem(i);
        if (item.Value() < workMinimum_ || item.Value() > workMaximum_) continue;
        if (!item.EffectiveFormat()->Visible()) continue;
        paintLabelItem(item, i, *item.EffectiveFormat());
    }
}

void TChartAxis::paintLabelItem(TAxisItem& item, int index, TCustomTextShape& shape)
{
    TCanvas3D& c = *chart_->Canvas3D();
    c.UseFont(*shape.Font());
    c.SetBackgroundMode(TRANSPARENT);
    int across = labelsPosition_;
    if (labels_->Alternate() && index % 2 == (horizontal_ ? 1 : 0))
        across = InflateAxisPos(across, horizontal_ ? c.StandardTextHeight() : WidestLabel());
    const String text = item.Text().empty() && !items_->Automatic() ? ValueToLabelText(item.Value()) : item.Text();
    if (horizontal_)
        PaintLabel(item.Pixel, across, index, item.Picture, zPixel_, &shape, text, labels_->Angle());
    else
        PaintLabel(across, item.Pixel, index, item.Picture, zPixel_, &shape, text, labels_->Angle());
    item.Corners = TZebCustomShape::RotatedRectCorners(shape.ShapeBounds(), labels_->Angle());
}

void TChartAxis::PaintLabel(int x, int y, int index, TGraphic* picture, int z, TCustomTextShape* shape, String text,
                            double angle)
{
    (void)index;
    TCanvas3D& c = *chart_->Canvas3D();
    const int h = c.StandardTextHeight();
    const int a = ((static_cast<int>(angle) % 360) + 360) % 360;
    if (!horizontal_) y -= h / 2;
    shape->SetText(text);
    shape->SetShapeBounds({});
    shape->MeasureBounds(*chart_);
    const int w = shape->BoundsWidth(), bh = shape->BoundsHeight();
    const bool exponent = labels_->Exponent();

    TRect box;
    if (a % 180 == 0) {
        int left;
        if (labels_->Align() == alCenter || horizontal_)
            left = x - w / 2;
        else if (labels_->Align() == alOpposite) {
            const int widest = WidestLabel();
            left = otherSide_ ? x + widest - w : x - widest;
        } else
            left = otherSide_ ? x : x - w;
        int top = horizontal_ ? (otherSide_ ? y - bh : y) : y + h / 2 - bh / 2;
        if (exponent) {
            if (horizontal_) {
                left -= w / 10;
                top += bh / 2;
            } else {
                top += bh / 8;
            }
        }
        box = {left, top, left + w, top + bh};
    } else {
        // A turned label: its centre sits half its extent across the axis from the label position.
        const double radians = a * M_PI / 180;
        const double s = std::fabs(std::sin(radians)), co = std::fabs(std::cos(radians));
        if (horizontal_) {
            const int extent = static_cast<int>(Round(s * w + co * bh));
            const int cy = otherSide_ ? y - extent / 2 : y + extent / 2;
            box = {x - w / 2, cy - bh / 2, x - w / 2 + w, cy - bh / 2 + bh};
        } else {
            const int extent = static_cast<int>(Round(co * w + s * bh));
            const int cx = otherSide_ ? x + extent / 2 : x - extent / 2;
            const int cyv = y + h / 2;
            box = {cx - w / 2, cyv - bh / 2, cx - w / 2 + w, cyv - bh / 2 + bh};
        }
    }
    const int depthZ = drawsIn3D() ? z : 0;
    if (onDrawLabel_.Assigned()) {
        bool draw = true;
        String changed = text;
        onDrawLabel_(this, box.Left, box.Top, depthZ, changed, draw);
        if (!draw) return;
        if (changed != text) {
            text = changed;
            shape->SetText(text);
        }
    }
    shape->SetShapeBounds(box);
    if (shape_ && shape_->Visible() && !shape_->Transparent() && !drawsIn3D()) {
        const TRect& back = shape_->ShapeBounds();
        const bool meets = box.Left < back.Right && box.Right > back.Left && box.Top < back.Bottom && box.Bottom > back.Top;
        if (!meets) return;
    }
    const auto e = exponent ? text.find_first_of("eE") : String::npos;
    if (e != String::npos) {
        shape->SetText(String());
        shape->DrawInRect(box, 0, depthZ);
        shape->SetText(text);
        const String mantissa = text.substr(0, e), power = text.substr(e + 1);
        c.UseFont(*shape->Font());
        c.SetBackgroundMode(TRANSPARENT);
        c.SetTextAlignment(TA_LEFT);
        const int left = box.Left + shape->Margins()->LeftPixels();
        c.TextOut(left, box.Top, mantissa);
        const int right = left + c.TextWidth(mantissa);
        c.UseFontSized(*shape->Font(), shape->Font()->SizeFloat() * 0.75f);
        c.TextOut(right, box.Top - (h / 2 - 2), power);
        return;
    }
    shape->DrawInRect(box, a, depthZ);
    if (picture && labels_->UseImages()) {
        // Pictures of points come with the series' picture list; drawn centred beside the label.
        (void)picture;
    }
}
