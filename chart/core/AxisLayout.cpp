// Where an axis' line, labels and title go in the chart rectangle, and how much room they take.
#include <algorithm>
#include <cmath>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/ZebFont.h"
#include "chart/core/AxisItems.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/AxisPens.h"
#include "chart/core/ChartAxes.h"
#include "chart/core/ChartSeries.h"
#include "chart/canvas/HtmlText.h"
#include "platform/rtl/MathUtils.h"

int TChartAxis::TickZoneSize(bool withTicks) const
{
    int size = axisPen_->Visible() ? axisPen_->Width() + 1 : 0;
    if (withTicks && ticksPen_->Visible()) size += tickLength_;
    if (minorTicks_->Visible()) size = std::max(size, minorTickLength_);
    return size;
}

int TChartAxis::InflateAxisPos(int pixel, int amount) const
{
    const bool towardsLow = horizontal_ ? otherSide_ : !otherSide_;
    return towardsLow ? pixel - amount : pixel + amount;
}

int TChartAxis::ApplyPositionOffset(int base) const
{
    if (positionPercent_ == 0 || !chart_) return base;
    const TRect& r = chart_->ChartRect();
    int offset = positionUnits_ == muPixels
                     ? static_cast<int>(positionPercent_)
                     : static_cast<int>(Round(positionPercent_ / 100 * (horizontal_ ? r.Height() : r.Width())));
    if (otherSide_) offset = -offset;
    return horizontal_ ? base - offset : base + offset;
}

int TChartAxis::sideOf(const TRect& rect) const
{
    if (horizontal_) return otherSide_ ? rect.Top : rect.Bottom;
    return otherSide_ ? rect.Right : rect.Left;
}

void TChartAxis::shrinkSide(TRect& rect, int amount) const
{
    // Never past the opposite edge: the chart keeps one pixel.
    if (horizontal_) {
        if (otherSide_)
            rect.Top = std::min(rect.Top + amount, rect.Bottom - 1);
        else
            rect.Bottom = std::max(rect.Bottom - amount, rect.Top + 1);
    } else if (otherSide_) {
        rect.Right = std::max(rect.Right - amount, rect.Left + 1);
    } else {
        rect.Left = std::min(rect.Left + amount, rect.Right - 1);
    }
}

int TChartAxis::sizeAcross(TCustomTextShape& shape, int angle, int fixed, int width)
{
    if (fixed != 0) return fixed;
    TCanvas3D& canvas = *chart_->Canvas3D();
    canvas.UseFont(*shape.Font());
    const int fontHeight = canvas.StandardTextHeight();
    int size;
    if (horizontal_ ? angle % 180 == 0 : angle == 90 || angle == 270) {
        size = fontHeight;
    } else {
        const double radians = angle * M_PI / 180;
        size = horizontal_ ? fontHeight + static_cast<int>(Round(std::fabs(std::sin(radians)) * width))
                           : static_cast<int>(Round(std::fabs(std::cos(radians)) * width));
    }
    if (!shape.Transparent()) {
        if (shape.Pen()->Visible()) size += 2 * shape.Pen()->Width();
        if (shape.Shadow()->Visible()) size += shape.Shadow()->LargestSize();
    }
    return size;
}

int TChartAxis::TitleBandSize()
{
    TChartAxisTitle& title = *Title();
    int width = 0;
    if (titleSize_ == 0) {
        chart_->Canvas3D()->UseFont(*title.Font());
        const String caption = title.Caption();
        width = title.TextFormat() == ttfHtml ? MeasureHtmlText(*chart_->Canvas3D(), caption).cx
                                              : chart_->Canvas3D()->TextWidth(caption);
    }
    return sizeAcross(title, title.Angle(), titleSize_, width);
}

void TChartAxis::PlaceTitleBeyondLabels() { titlePosition_ = InflateAxisPos(labelsPosition_, LabelBandSize()); }

int TChartAxis::LabelBandSize()
{
    if (!chart_ || !chart_->Canvas3D()) return 0;
    keepMeasures();
    if (measures_.hasBand && measures_.bandLines == labels_->LineCount && measuredFor()) return measures_.band;
    const int width = labels_->Size() == 0 ? WidestLabel() : 0;
    int size = sizeAcross(*LabelsFormat(), labels_->Angle(), labels_->Size(), width);
    if (labels_->Size() == 0) size *= std::max(1, labels_->LineCount);
    if (labels_->Alternate()) size *= 2;
    if (measuredFor()) {
        measures_.band = size;
        measures_.bandLines = labels_->LineCount;
        measures_.hasBand = true;
    }
    return size;
}

int TChartAxis::WidestLabel()
{
    if (!chart_ || !chart_->Canvas3D()) return 0;
    TCanvas3D& canvas = *chart_->Canvas3D();
    if (!items_->Automatic()) {
        int widest = 0;
        for (int i = 0; i < items_->Count(); ++i) {
            TAxisItem& item = *items_->GetItem(i);
            canvas.UseFont(*item.EffectiveFormat()->Font());
            const String text = item.Text().empty() ? ValueToLabelText(item.Value()) : item.Text();
            int lines = 0;
            widest = std::max(widest, chart_->TextBlockWidth(text, lines, ttfNormal));
        }
        return widest;
    }
    canvas.UseFont(*labels_->Font());
    switch (LabelStyleInUse()) {
    case talValue:
    case talPointValue: {
        keepMeasures();
        if (measures_.hasWidest && measuredFor()) return measures_.widest;
        const double step = ComputeLabelStep();
        if (!(step > 0)) return 0;
        double high = workMaximum_, low = workMinimum_;
        if ((ShowsDateTime() && exactDateTime_) || labels_->RoundFirst()) {
            high = std::trunc(high / step) * step;
            low = std::trunc(low / step) * step;
        }
        int widest = 0;
        // At most 5000 labels are measured.
        for (int i = 0; i < 5000 && high >= low; ++i) {
            int lines = 0;
            widest = std::max(widest, chart_->TextBlockWidth(ValueToLabelText(high), lines, ttfNormal));
            const double next = high - step;
            if (next == high) break;
            high = next;
        }
        widest += canvas.TextWidth(" ");
        if (measuredFor()) {
            measures_.widest = widest;
            measures_.hasWidest = true;
        }
        return widest;
    }
    case talMark: return chart_->WidestMarkWidth();
    case talText: {
        int widest = chart_->WidestSeriesLabel();
        if (chart_->HasGetAxisLabel())
            for (int i = 0; i < chart_->NumSeries(); ++i) {
                TChartSeries* series = chart_->GetSeriesAt(i);
                for (int j = 0; j < series->Count(); ++j) {
                    String text = series->GetPointLabel(j);
                    chart_->OnGetAxisLabel()(this, series, j, text);
                    widest = std::max(widest, canvas.TextWidth(text));
                }
            }
        return widest;
    }
    default: return 0;
    }
}

int TChartAxis::measureLineCount()
{
    if (!horizontal_ || labels_->Angle() != 0) return 1;
    int most = 1;
    if (LabelStyleInUse() == talValue) {
        const double step = ComputeLabelStep();
        if (!(step > 0)) return 1;
        double value = workMaximum_;
        for (int i = 0; i < MaxAxisLabels && value >= workMinimum_; ++i) {
            most = std::max(most, TCustomZebPanel::CountTextLines(ValueToLabelText(value)));
            const double next = value - step;
            if (next == value) break;
            value = next;
        }
        return most;
    }
    for (int i = 0; i < chart_->NumSeries(); ++i) {
        TChartSeries* series = chart_->GetSeriesAt(i);
        if (!series->Active() || !series->IsBoundToAxis(this) || series->FirstVisibleIndex() < 0) continue;
        for (int j = series->FirstVisibleIndex(); j <= series->LastVisibleIndex() && j < series->Count(); ++j)
            most = std::max(most, TCustomZebPanel::CountTextLines(series->GetPointLabel(j)));
    }
    return most;
}

void TChartAxis::takeParentOrientation()
{
    horizontal_ = parentAxis_->horizontal_;
    otherSide_ = parentAxis_->otherSide_;
    inverted_ = parentAxis_->inverted_;
    logarithmic_ = parentAxis_->logarithmic_;
    logarithmicBase_ = parentAxis_->logarithmicBase_;
    SelectPixelStrategy();
}

void TChartAxis::CalcRect(TRect& rect, bool full)
{
    const TMeasureScope measures(*this);
    if (subAxes_)
        for (int i = 0; i < subAxes_->Count(); ++i) {
            TChartAxis* sub = subAxes_->GetAxisAt(i);
            if (!sub->Visible()) continue;
            sub->takeParentOrientation();
            sub->CalcRect(rect, true);
            sub->linePosition_ = sub->ApplyPositionOffset(sub->sideOf(rect));
        }
    showsDateTime_ = ShowsDateTime();
    // An axis laid out for the first time has no span yet: its labels are measured over the
    // rectangle it lies along, not for a zero length that leaves room for a single label.
    if (size_ == 0 && !depth_) {
        const int origin = horizontal_ ? rect.Left : rect.Top;
        const int length = horizontal_ ? rect.Width() : rect.Height();
        SetPixelBounds(origin + static_cast<int>(Round(length * startPosition_ / 100)),
                       origin + static_cast<int>(Round(length * endPosition_ / 100)));
    }
    if (!full) {
        linePosition_ = ApplyPositionOffset(sideOf(rect));
        labelsPosition_ = InflateAxisPos(linePosition_, TickZoneSize(true));
        PlaceTitleBeyondLabels();
        return;
    }
    if (ToolMargin > 0) shrinkSide(rect, ToolMargin);
    if (title_ && title_->Visible() && !title_->Caption().empty()) {
        if (depth_) {
            titlePosition_ = otherSide_ ? rect.Right : rect.Left;
        } else {
            shrinkSide(rect, TitleBandSize());
            titlePosition_ = sideOf(rect);
        }
    }
    if (Labels()) {
        labels_->LineCount = measureLineCount();
        const int size = LabelBandSize();
        shrinkSide(rect, size);
        chart_->Canvas3D()->UseFont(*labels_->Font());
        const int gap = static_cast<int>(Round(chart_->Canvas3D()->StandardTextHeight() * labels_->MarginToAxis() / 100.0));
        labelsPosition_ = InflateAxisPos(sideOf(rect), gap);
    }
    const int ticks = chart_->WallSizeAt(this) + TickZoneSize(labels_->Position() == lpAtTick);
    if (ticks > 0) shrinkSide(rect, ticks);
    titlePosition_ = ApplyPositionOffset(titlePosition_);
    labelsPosition_ = ApplyPositionOffset(labelsPosition_);
}
