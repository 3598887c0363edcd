// The series' colour reset, its marks, and the texts its marks and legend items are made of:
// label, value, X value and percentages, in the marks' lines or the legend's columns.
#include <algorithm>
#include <cmath>
#include <optional>

#include "chart/canvas/ZebPicture.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/DateTimeSteps.h"
#include "chart/core/DrawGuards.h"
#include "chart/core/MarksOwner.h"
#include "chart/core/SeriesMarks.h"
#include "chart/core/ZebConst.h"
#include "chart/core/ZebProcs.h"
#include "chart/core/ZebSelected.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Strings.h"

// The series' marks and the series' side of them.
class TSeriesMarksLink : public IMarksOwner {
public:
    explicit TSeriesMarksLink(TChartSeries& series) : series_(series), marks_(new TSeriesMarks(&series))
    {
        marks_->SetOwner(this);
    }
    TSeriesMarks& Marks() const { return *marks_; }

    String ComposeMarkText(int index) override { return series_.ComposeMarkText(index); }
    void GetMarkOverlapShift(const TRect& mark, TPoint& shift, const TRect& other) override
    {
        shift = series_.GetMarkOverlapShift(mark, other);
    }
    bool IsPointHovered(int index) override { return series_.IsPointHovered(index); }
    TZebFont* HoverFont() override
    {
        const TZebSelected* selected = series_.SelectedOrNull();
        return selected && selected->Hover() ? selected->Hover()->Font() : nullptr;
    }
    TGraphic* PointPicture(int index) override
    {
        const TZebPictureList* pictures = series_.PicturesOrNull();
        const TZebPicture* picture = pictures ? pictures->PictureAt(index) : nullptr;
        return picture && picture->HasGraphic() ? picture->Graphic() : nullptr;
    }
    void MarkHit() override { series_.SetHoverPart(3); }
    bool XValuesNeedStoring() override { return ::XValuesNeedStoring(series_); }
    bool HasOwnColors() override { return ::HasOwnColors(series_); }
    bool HasAnyLabel() override { return ::HasAnyLabel(series_); }
    bool HasPointPictures() override
    {
        return series_.PicturesOrNull() && series_.PicturesOrNull()->Count() > 0;
    }

private:
    TChartSeries& series_;
    TOwnedPtr<TSeriesMarks> marks_;
};

void TChartSeries::TMarksLinkDeleter::operator()(TSeriesMarksLink* link) const { delete link; }

namespace {

// The point's value as the legend shows it: a date and time in date-time mode.
String LegendValueText(const TChartSeries& series, int index)
{
    const double value = series.GetMainValue(index);
    if (series.MandatoryValueList()->DateTime()) return FormatDateTime(PickDateTimeFormat(value), value);
    return FormatFloat(series.ValueFormat(), value);
}

String MarkValueText(const TChartSeries& series, int index)
{
    return FormatFloat(series.ValueFormat(), series.GetMainValue(index));
}

// The marks' percentage is of the absolute value.
String MarkPercentText(const TChartSeries& series, int index)
{
    const double total = series.MandatoryValueList()->AbsSum();
    return FormatFloat(series.PercentFormat(),
                       total == 0 ? 100 : std::fabs(series.GetMainValue(index)) * 100 / total);
}

String LegendPercentText(const TChartSeries& series, int index)
{
    const double total = series.MandatoryValueList()->AbsSum();
    return FormatFloat(series.PercentFormat(), total == 0 ? 100 : series.GetMainValue(index) * 100 / total);
}

// The point's X value as its horizontal axis labels it; in the value format without an axis.
String XValueText(const TChartSeries& series, double x)
{
    if (const TChartAxis* axis = series.GetHorizAxis()) return axis->ValueToLabelText(x);
    return FormatFloat(series.ValueFormat(), x);
}

String MarkTextByStyle(const TChartSeries& series, TSeriesMarksStyle style, bool multiLine, int index)
{
    const String sep = multiLine ? String(1, LineBreakChar) : String(" ");
    const String label = series.GetPointLabel(index);
    const auto labelOrValue = [&] { return label.empty() ? MarkValueText(series, index) : label; };
    const auto percentOfTotal = [&] {
        return Format(multiLine ? TxtValueOfTotalTwoLines : TxtValueOfTotal,
                      {MarkPercentText(series, index),
                       FormatFloat(series.ValueFormat(), series.MandatoryValueList()->AbsSum())});
    };
    const auto xText = [&] { return XValueText(series, series.IndependentValueList()->ValueAt(index)); };
    switch (style) {
    case smsValue: return MarkValueText(series, index);
    case smsPercent: return MarkPercentText(series, index);
    case smsLabel: return label;
    case smsLabelPercent: return labelOrValue() + sep + MarkPercentText(series, index);
    case smsLabelValue: return (label.empty() ? label : label + sep) + MarkValueText(series, index);
    case smsLegend: {
        TCustomAxisPanel* chart = series.ParentChart();
        String text = chart ? chart->LegendTextOfPoint(const_cast<TChartSeries*>(&series), index) : String();
        if (!multiLine) std::replace(text.begin(), text.end(), LegendColumnSeparator, ' ');
        return text;
    }
    case smsPercentTotal: return percentOfTotal();
    case smsLabelPercentTotal: return labelOrValue() + sep + percentOfTotal();
    case smsXValue: return xText();
    case smsXY: return xText() + sep + MarkValueText(series, index);
    case smsSeriesTitle: return series.GetTitleOrName(false);
    case smsPointIndex: return IntToStr(index);
    case smsPercentRelative: {
        const double first = series.GetMainValue(0);
        if (index == 0) return FormatFloat(series.PercentFormat(), 100);
        return FormatFloat(series.PercentFormat(), first == 0 ? 0 : series.GetMainValue(index) * 100 / first);
    }
    case smsLabelPercentValue:
        return labelOrValue() + sep + MarkPercentText(series, index) + sep + MarkValueText(series, index);
    case smsLabelOrValue: return labelOrValue();
    }
    return String();
}

}  // namespace

// ---- marks ----

TSeriesMarks& TChartSeries::Marks()
{
    if (!marks_) {
        marks_.reset(new TSeriesMarksLink(*this));
        marks_->Marks().SetZPosition(depthRange_.middle);
    }
    return marks_->Marks();
}

void TChartSeries::SetMarks(TSeriesMarks* value)
{
    if (value) Marks().Assign(value);
}

TSeriesMarks* TChartSeries::MarksOrNull() const { return marks_ ? &marks_->Marks() : nullptr; }

bool TChartSeries::HasVisibleMarks() const
{
    const TSeriesMarks* marks = MarksOrNull();
    return marks && marks->Visible() && Count() > 0;
}

bool TChartSeries::ClipsMarks() const
{
    const TSeriesMarks* marks = MarksOrNull();
    return marks && marks->Clip();
}

String TChartSeries::ComposeMarkText(int index) const
{
    String text;
    if (const TSeriesMarks* marks = MarksOrNull()) {
        const TMarksItem* item = marks->Items().ItemAt(index);
        if (item && item->TextSet()) {
            text = item->Text();
            if (text.ends_with("\r\n")) text.resize(text.size() - 2);
        } else {
            text = MarkTextByStyle(*this, marks->Style(), marks->MultiLine(), index);
        }
    }
    if (onGetMarkText_) onGetMarkText_(const_cast<TChartSeries*>(this), index, text);
    return text;
}

void TChartSeries::DrawPointMarks()
{
    TCustomAxisPanel* chart = ParentChart();
    TSeriesMarks* marks = MarksOrNull();
    if (!chart || !marks || firstVisible_ == -1) return;
    TCanvas3D& canvas = *chart->Canvas3D();
    // The marks' own element transform, while one is in use (a transform animation fills it).
    std::optional<TElementScope> transformed;
    if (TZebTransform* transform = marks->Transform(); transform->Enabled)
        transformed.emplace(canvas, "Marks", marks, transform);
    const bool elements = canvas.RecordElements();
    std::optional<TBlendSection> blend;
    if (marks->UseSeriesTransparency() && transparency_ > 0) blend.emplace(canvas, chart->PanelBounds(), transparency_);
    const TZebSelected* selected = SelectedOrNull();
    const TZebFont* hoverFont = selected && selected->Hover() ? selected->Hover()->Font() : nullptr;
    const TZebShapes* children = marks->Children();
    // Indexes are multiples of the step counted from 0, not from the first visible point.
    const int step = marks->EffectiveDrawEvery();
    for (int index = (firstVisible_ + step - 1) / step * step; index <= lastVisible_; index += step) {
        if (!IsMarkShown(index)) continue;
        const String text = ComposeMarkText(index);
        if (text.empty()) continue;
        TCustomTextShape& shape = marks->ShapeOfPoint(index);
        if (!shape.Visible()) continue;
        for (int i = 0; children && i < children->Count(); ++i)
            if (auto* child = dynamic_cast<TSeriesMarkShape*>(children->Items(i)->Shape()))
                TSeriesMarks::ShowMarkText(*child, MarkTextByStyle(*this, child->Style(), marks->MultiLine(), index));
        TFontKept font(*shape.Font());
        if (hoverFont && IsPointHovered(index)) font.Set(shape.Font()->Color(), hoverFont->Style());
        TSeriesMarkPosition position;
        PrepareMarkShape(shape, text, position, PointScreenY(index), PointScreenX(index));
        std::optional<TElementScope> element;
        if (elements) element.emplace(canvas, IntToStr(index), this);
        DrawPointMark(index, text, position);
    }
}

void TChartSeries::DrawPointMark(int index, const String& text, TSeriesMarkPosition& position)
{
    TSeriesMarks& marks = Marks();
    if (marks.AutoPosition() && !marks.AutoMoveTest(firstVisible_, index, position)) return;
    marks.DrawMark(index, GetPointColor(index), position, text);
}

void TChartSeries::PrepareMarkShape(TCustomTextShape& shape, const String& text, TSeriesMarkPosition& position,
                                    int y, int x)
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return;
    TSeriesMarks::ShowMarkText(shape, text);
    if (shape.ParentPanel() != chart) shape.SetParentPanel(chart);
    shape.MeasureBounds(*chart);
    int width = shape.BoundsWidth();
    const int height = shape.BoundsHeight();
    int boxHeight = height;
    TSeriesMarks& marks = Marks();
    TSeriesMarksSymbol* symbol = marks.HasSymbol() ? marks.Symbol() : nullptr;
    if (symbol && symbol->ShouldDraw()) {
        // Room for the symbol beside the text.
        width += height - 4;
        if (const int pen = symbol->Pen()->Width(); pen >= 2) {
            width += pen;
            boxHeight += pen;
        }
    }
    position.Width = width;
    position.Height = boxHeight;
    if (symbol) symbol->SetShapeBounds({0, 0, height, height});
    TSeriesMarksPositions::CenterAbove(position, x, y, symbol);
}

int TChartSeries::WidestMarkWidth() const
{
    TSeriesMarks* marks = MarksOrNull();
    if (!marks) return 0;
    int widest = 0;
    for (int i = 0; i < Count(); ++i)
        if (IsMarkShown(i)) widest = std::max(widest, marks->MarkTextWidth(i));
    return widest;
}

bool TChartSeries::IsMarkShown(int index) const
{
    if (IsNullPoint(index)) return false;
    const TSeriesMarks* marks = MarksOrNull();
    return !(marks && marks->SoftClip()) || IsPointInPlot(index);
}

// ---- colour ----

void TChartSeries::ResetSeriesColor()
{
    if (seriesColor_ == clAutomatic) return;
    seriesColor_ = pickedColor_ = clAutomatic;
    if (TCustomAxisPanel* chart = ParentChart()) {
        chart->ReassignAutoColors();
        chart->Invalidate();
    }
}

String TChartSeries::FormatLegendText(int index, TLegendTextStyle style) const
{
    const int i = LegendItemSource(index);
    const String label = GetPointLabel(i);
    const String sep(1, LegendColumnSeparator);
    // The piece, then the label in its own column when there is one (or the other way round).
    const auto withLabel = [&](const String& piece, bool labelFirst) {
        if (label.empty()) return piece;
        return labelFirst ? label + sep + piece : piece + sep + label;
    };
    switch (style) {
    case ltsPlain: return label;
    case ltsLeftValue: return withLabel(LegendValueText(*this, i), false);
    case ltsRightValue: return withLabel(LegendValueText(*this, i), true);
    case ltsLeftPercent: return withLabel(LegendPercentText(*this, i), false);
    case ltsRightPercent: return withLabel(LegendPercentText(*this, i), true);
    case ltsXValue: return XValueText(*this, GetPointX(i));
    case ltsValue: return LegendValueText(*this, i);
    case ltsPercent: return LegendPercentText(*this, i);
    case ltsXAndValue: return XValueText(*this, GetPointX(i)) + sep + LegendValueText(*this, i);
    case ltsXAndPercent: return XValueText(*this, GetPointX(i)) + sep + LegendPercentText(*this, i);
    case ltsXAndText: return XValueText(*this, GetPointX(i)) + sep + label;
    case ltsXAndValueAndText:
        return XValueText(*this, GetPointX(i)) + sep + LegendValueText(*this, i) + sep + label;
    }
    return label;
}

TPoint TChartSeries::GetMarkOverlapShift(const TRect& a, const TRect& b) const
{
    if (yMandatory_) return {0, a.Top < b.Top ? b.Top - a.Bottom : b.Bottom - a.Top};
    return {a.Left < b.Left ? b.Left - a.Right : b.Right - a.Left, 0};
}
