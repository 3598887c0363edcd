// Drawing an axis through the chart canvas: back shape, title, line, ticks, grid, minor ticks and
// grid, labels; and the area the axis answers clicks in.
#include <algorithm>
#include <cmath>

#include "chart/canvas/Geometry.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/View3DOptions.h"
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

// The labels' exponent form switched off meanwhile (a title drawn as a label), without a repaint.
class TExponentOff {
public:
    explicit TExponentOff(TAxisLabels& labels) : labels_(labels), was_(labels.Exponent()) { labels_.SetExponentQuietly(false); }
    ~TExponentOff() { labels_.SetExponentQuietly(was_); }
    TExponentOff(const TExponentOff&) = delete;
    TExponentOff& operator=(const TExponentOff&) = delete;

private:
    TAxisLabels& labels_;
    bool was_;
};

void Line(TCanvas3D& c, bool in3D, int x0, int y0, int x1, int y1, int z)
{
    if (in3D)
        c.LineAtZ(x0, y0, x1, y1, z);
    else
        c.DrawLine(x0, y0, x1, y1);
}

}  // namespace

bool TChartAxis::drawsIn3D() const { return chart_ && chart_->View3D(); }

int TChartAxis::depthEdge() const { return otherSide_ ? chart_->ChartRect().Bottom : chart_->ChartRect().Top; }

void TChartAxis::Draw(bool recomputePosition)
{
    if (!chart_ || !chart_->Canvas3D()) return;
    TCanvas3D& c = *chart_->Canvas3D();
    {
        const TMeasureScope measures(*this);
        // The back shape carries the axis' element transform (a transform animation fills it).
        TElementScope element(c, ElementName, this, shape_ ? shape_->Transform() : nullptr);
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
        c.LineAlongZ3D(otherSide_ ? chart_->ChartRect().Right : chart_->ChartRect().Left, depthEdge(), from, to);
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
            // Short horizontal strokes at the tick's depth, away from the chart.
            if (in3D) c.LineAtZ(from, depthEdge(), to, depthEdge(), p);
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

void TChartAxis::DrawAxisAfterSideWall()
{
    frontPass_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{frontPass_};
    Draw(false);
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
    if (GridHook && !frontPass_) GridHook(*this);
    if (grid_->Visible() && !frontPass_) {
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
    const bool minorGrid = minorGrid_->Visible() && !frontPass_;
    if (minorTicks || minorGrid) {
        const std::vector<int> minor = minorPositions();
        if (minorTicks) {
            TElementScope element(c, "MinorTicks", this);
            c.UsePen(*minorTicks_);
            paintTicks(minor, 1, minorTickLength_);
        }
        if (minorGrid) {
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
    if (title.Position() != tpCenter && !depth_) {
        // The start of a vertical axis is its bottom end; inverting mirrors again.
        const bool mirrored = inverted_ != !horizontal_;
        const bool lowEnd = (title.Position() == tpStart) != mirrored;
        const int centre = lowEnd ? std::min(start_, end_) + w / 2 : std::max(start_, end_) - w / 2;
        (horizontal_ ? x : y) = centre;
    }
    if (depth_) {
        if (!drawsIn3D()) return;
        c.SetTextAlignment(otherSide_ ? TA_LEFT : TA_RIGHT);
        c.RotatedTextXYZ(x, depthEdge(), (start_ + end_) / 2, title.Caption(), title.Angle());
        return;
    }
    if (drawsIn3D() && !chart_->View3DOptions()->Orthogonal()) {
        const TExponentOff plain(*labels_);
        PaintLabel(x, y, -1, nullptr, zPixel_, &title, title.Caption(), title.Angle());
        return;
    }
    const double sine = std::fabs(std::sin(title.Angle() * M_PI / 180));
    int left, top;
    if (horizontal_) {
        left = x - w / 2;
        if (otherSide_) {
            top = y - h;
            if (title.Shadow()->Visible()) top -= title.Shadow()->VertSize();
        } else {
            top = y;
        }
        if (title.Angle() == 90) top = InflateAxisPos(top, h);
    } else {
        // A turned title is centred on its band, not on the band's inner edge, so that it keeps
        // clear of the labels beside it.
        const int turned = static_cast<int>(Round(h / 2.0 * sine));
        if (otherSide_) {
            left = x - static_cast<int>(Round(w / 2.0 * sine)) + turned;
        } else {
            left = x - static_cast<int>(Round(w / 2.0 * (2 - sine))) - turned;
            if (title.Shadow()->Visible()) left -= title.Shadow()->LargestSize();
        }
        top = y - h / 2;
    }
    const TPoint at = drawsIn3D() ? c.ProjectXYZ(left, top, zPixel_) : TPoint{left, top};
    title.SetShapeBounds({at.X, at.Y, at.X + w, at.Y + h});
    title.DrawAtBounds();
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
    // The second row lies one row of the band further out, so that turned labels of the two rows
    // stay apart as the band reserved room for.
    const bool secondRow = !depth_ && labels_->Alternate() && index % 2 == (horizontal_ ? 1 : 0);
    const int rowShift = secondRow ? LabelBandSize() / 2 : 0;
    c.UseFont(*shape.Font());
    c.SetBackgroundMode(TRANSPARENT);
    const String text = item.Text().empty() && !items_->Automatic() ? ValueToLabelText(item.Value()) : item.Text();
    const int angle = labels_->Angle();
    if (depth_) {
        int z = item.Pixel;
        if (chart_->View3DOptions()->Orthogonal()) z += c.StandardTextHeight() / 2;
        const int x = otherSide_ ? labelsPosition_ : labelsPosition_ - c.TextWidth("W") / 2 - 2;
        PaintLabel(x, depthEdge(), index, item.Picture, z, &shape, text, angle);
    } else {
        const int across = InflateAxisPos(labelsPosition_, rowShift);
        if (horizontal_)
            PaintLabel(item.Pixel, across, index, item.Picture, zPixel_, &shape, text, angle);
        else
            PaintLabel(across, item.Pixel, index, item.Picture, zPixel_, &shape, text, angle);
    }
    item.Corners = TZebCustomShape::RotatedRectCorners(shape.ShapeBounds(), angle);
}

void TChartAxis::PaintLabel(int x, int y, int index, TGraphic* picture, int z, TCustomTextShape* shape, String text,
                            double angle)
{
    (void)index;
    TCanvas3D& c = *chart_->Canvas3D();
    const int h = c.StandardTextHeight();
    const int a = ((static_cast<int>(angle) % 360) + 360) % 360;
    const int across = horizontal_ ? y : x;
    const bool nearSide = !otherSide_;

    // Where the box goes relative to x: the alignment table, or the widest label's far end.
    enum { AlignLeft, AlignRight, AlignCentre } align;
    if (depth_)
        align = otherSide_ ? AlignLeft : AlignRight;
    else if (horizontal_)
        align = AlignCentre;
    else if (labels_->Align() == alCenter) {
        const int widest = WidestLabel();
        x += otherSide_ ? widest / 2 : -(widest / 2);
        align = AlignCentre;
    } else if (labels_->Align() == alOpposite) {
        const int widest = WidestLabel();
        x += otherSide_ ? widest : -widest;
        align = otherSide_ ? AlignRight : AlignLeft;
    } else
        align = otherSide_ ? AlignLeft : AlignRight;
    const bool vertical = !horizontal_;
    if (vertical) y -= h / 2;

    shape->SetText(text);
    shape->SetShapeBounds({});
    shape->MeasureBounds(*chart_);
    const int boxWidth = shape->BoundsWidth(), boxHeight = shape->BoundsHeight();
    const int lines = std::max(1, shape->LineCount());
    const int block = h * lines;

    int exponentLeft = 0, exponentDown = 0;
    if (labels_->Exponent()) {
        if (horizontal_) {
            exponentLeft = boxWidth / 10;
            exponentDown = boxHeight / 2;
        } else {
            exponentDown = boxHeight / 8;
        }
    }
    y -= vertical ? h * (lines + 1) / 2 : h;
    int top = y + h + exponentDown;
    if (horizontal_ && otherSide_) top -= block;
    int left = align == AlignRight ? x - boxWidth : align == AlignCentre ? x - boxWidth / 2 : x;
    left -= exponentLeft;
    int right = left + boxWidth;

    if (a % 180 != 0) {
        // A turned box keeps its unturned size and turns about its centre.
        const double radians = a * M_PI / 180;
        const double sine = std::fabs(std::sin(radians));
        double g = boxWidth / 2.0;
        if (otherSide_) g -= boxHeight / 4.0;
        // The box turns about its centre, so a turned label of one line needs no extra row
        // below the labels position: it would run a row past its band into the title.
        double m = sine * g;
        if (otherSide_) m = -m;
        int textWidth = boxWidth;
        if (TZebFont* font = shape->Font()) {
            c.UseFont(*font);
            int ignored = 0;
            textWidth = chart_->TextBlockWidth(text, ignored, ttfNormal);
        }
        if (horizontal_) {
            top = across + static_cast<int>(Round(m));
            double r;
            if (labels_->Align() == alCenter)
                r = sine * (boxHeight + g);
            else {
                r = std::cos(radians) * g;
                if ((nearSide && a < 180) || (otherSide_ && a > 180)) r = -r;
            }
            left += static_cast<int>(Round(r));
        } else {
            const int half = static_cast<int>(Round(textWidth / 2.0));
            left = nearSide ? x - half - boxHeight : x - half + boxHeight;
        }
        right = left + textWidth;
    }
    int bottom = top + boxHeight;
    if (drawsIn3D()) {
        const TPoint at = c.ProjectXYZ(left, top, z);
        right += at.X - left;
        bottom += at.Y - top;
        left = at.X;
        top = at.Y;
    }
    TRect box{left, top, right, bottom};
    const int depthZ = drawsIn3D() ? z : 0;
    shape->SetShapeBounds(box);
    if (onDrawLabel_.Assigned()) {
        bool draw = true;
        String changed = text;
        onDrawLabel_(this, box.Left, box.Top, depthZ, changed, draw);
        if (!draw) return;
        if (changed != text) {
            text = std::move(changed);
            shape->SetText(text);
        }
    }
    if (shape_ && shape_->Visible() && !shape_->Transparent() && !drawsIn3D()) {
        const TRect& back = shape_->ShapeBounds();
        const bool meets = box.Left < back.Right && box.Right > back.Left && box.Top < back.Bottom && box.Bottom > back.Top;
        if (!meets) return;
    }
    // The box is already projected: only a true 3-D canvas places the text at a depth.
    const int drawZ = c.IsTrue3D() ? depthZ : 0;
    const auto e = labels_->Exponent() ? text.find_first_of("eE") : String::npos;
    if (e != String::npos) {
        shape->SetText(String());
        shape->DrawInRect(box, 0, drawZ);
        shape->SetText(text);
        const String mantissa = text.substr(0, e), power = text.substr(e + 1);
        c.UseFont(*shape->Font());
        c.SetBackgroundMode(TRANSPARENT);
        c.SetTextAlignment(TA_LEFT);
        int start = box.Left + shape->Margins()->LeftPixels();
        if (align == AlignCentre) start += c.TextWidth(power) / 2;
        c.TextOut(start, box.Top, mantissa);
        const int after = start + c.TextWidth(mantissa);
        c.UseFontSized(*shape->Font(), shape->Font()->SizeFloat() * 0.75f);
        c.TextOut(after, box.Top - (h / 2 - 2), power);
    } else {
        shape->DrawInRect(box, a, drawZ);
    }
    if (picture && labels_->UseImages()) paintLabelPicture(*picture, box);
}

void TChartAxis::paintLabelPicture(TGraphic& picture, const TRect& box)
{
    const int w = picture.Width(), h = picture.Height();
    if (w <= 0 || h <= 0) return;
    TRect r;
    if (horizontal_) {
        const int left = (box.Left + box.Right) / 2 - w / 2;
        const int top = otherSide_ ? box.Top - h : box.Bottom;
        r = {left, top, left + w, top + h};
    } else {
        const int top = (box.Top + box.Bottom) / 2 - h / 2;
        const int left = otherSide_ ? box.Right : box.Left - w;
        r = {left, top, left + w, top + h};
    }
    chart_->Canvas3D()->StretchGraphic(r, &picture);
}
