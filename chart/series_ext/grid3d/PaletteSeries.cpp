#include "chart/series_ext/grid3d/PaletteSeries.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/Chart.h"
#include "chart/core/Legend.h"
#include "chart/core/LegendSymbol.h"
#include "chart/core/ZebConst.h"
#include "chart/core/ZebProCo.h"
#include "platform/classes/Published.h"
#include "platform//classes/Filer.h"
#include "platform/rtl/Convert.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Strings.h"

namespace {

constexpr TColor rgb(int r, int g, int b) { return static_cast<TColor>(r | (g << 8) | (b << 16)); }

void colorBytes(TColor color, int (&bytes)[4])
{
    const auto c = static_cast<std::uint32_t>(color);
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<int>((c >> (8 * i)) & 0xFF);
}

TColor fromBytes(const int (&bytes)[4])
{
    return static_cast<TColor>(bytes[0] + bytes[1] * 256 + bytes[2] * 65536 +
                               static_cast<std::int64_t>(bytes[3]) * 16777216);
}

TColor styleColor(TZebPaletteStyle style, int i, int steps)
{
    const double a = style == psPale ? std::numbers::pi : style == psStrong ? 2 * std::numbers::pi : 255.0;
    const double t = i * a / steps;
    switch (style) {
    case psGrayScale: {
        const int v = RoundHalfEven(t);
        return rgb(v, v, v);
    }
    case psInvGray: {
        const int v = 255 - RoundHalfEven(t);
        return rgb(v, v, v);
    }
    default:
        return rgb(static_cast<int>(std::trunc((std::sin(t / 2) + 1) * 127)),
                   static_cast<int>(std::trunc((std::sin(t) + 1) * 127)),
                   static_cast<int>(std::trunc((std::cos(t) + 1) * 127)));
    }
}

}  // namespace

const TColor RainbowPalette[25] = {
    rgb(153, 0, 0),    rgb(195, 0, 0),    rgb(238, 0, 0),    rgb(255, 26, 0),   rgb(255, 70, 0),
    rgb(255, 115, 0),  rgb(255, 159, 0),  rgb(255, 203, 0),  rgb(255, 247, 0),  rgb(227, 244, 8),
    rgb(195, 231, 17), rgb(163, 218, 27), rgb(131, 205, 37), rgb(99, 192, 46),  rgb(66, 179, 56),
    rgb(34, 166, 66),  rgb(2, 154, 75),   rgb(12, 135, 106), rgb(26, 117, 138), rgb(40, 99, 170),
    rgb(54, 80, 203),  rgb(68, 62, 235),  rgb(97, 42, 255),  rgb(150, 21, 255), rgb(204, 0, 255)};

TCustom3DPaletteSeries::TCustom3DPaletteSeries(TComponent* owner) : TCustom3DSeries(owner) { prepareColorRange(); }

void TCustom3DPaletteSeries::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TCustom3DPaletteSeries*>(source)) {
        palette_ = s->palette_;
        usePaletteMin_ = s->usePaletteMin_;
        paletteMin_ = s->paletteMin_;
        paletteStep_ = s->paletteStep_;
    }
    TCustom3DSeries::Assign(source);
}

void TCustom3DPaletteSeries::CopyAppearance(TChartSeries* other)
{
    if (auto* s = dynamic_cast<TCustom3DPaletteSeries*>(other)) {
        usePalette_ = s->usePalette_;
        useColorRange_ = s->useColorRange_;
        startColor_ = s->startColor_;
        endColor_ = s->endColor_;
        midColor_ = s->midColor_;
        legendEvery_ = s->legendEvery_;
        paletteSteps_ = s->paletteSteps_;
        paletteStyle_ = s->paletteStyle_;
        prepareColorRange();
    }
    TCustom3DSeries::CopyAppearance(other);
}

// ---- settings ----

void TCustom3DPaletteSeries::SetUseColorRange(bool value)
{
    ChangeBoolean(useColorRange_, value);
    PaletteChanged();
}

void TCustom3DPaletteSeries::SetUsePalette(bool value)
{
    ChangeBoolean(usePalette_, value);
    if (usePalette_) EnsurePalette();
    PaletteChanged();
}

void TCustom3DPaletteSeries::ChangeRangeColor(TColor& field, TColor value)
{
    if (!AssignIfChanged(field, value)) return;
    prepareColorRange();
    PaletteChanged();
    InvalidateChart();
}

void TCustom3DPaletteSeries::SetPaletteSteps(int value)
{
    paletteSteps_ = value;
    BuildPalette();
}

void TCustom3DPaletteSeries::SetPaletteStyle(TZebPaletteStyle value)
{
    if (value == paletteStyle_) return;
    paletteStyle_ = value;
    if (value != psCustom) ClearPalette();
    PaletteChanged();
    InvalidateChart();
}

void TCustom3DPaletteSeries::SetPaletteMin(double value)
{
    paletteMin_ = value;
    BuildPalette();
}

void TCustom3DPaletteSeries::SetPaletteStep(double value)
{
    paletteStep_ = value;
    BuildPalette();
}

void TCustom3DPaletteSeries::SetUsePaletteMin(bool value)
{
    usePaletteMin_ = value;
    BuildPalette();
}

void TCustom3DPaletteSeries::SetLegendEvery(int value) { ChangeInteger(legendEvery_, std::max(1, value)); }

// ---- colours ----

void TCustom3DPaletteSeries::prepareColorRange()
{
    colorBytes(endColor_, end_);
    colorBytes(midColor_, mid_);
    colorBytes(startColor_, start_);
}

void TCustom3DPaletteSeries::UpdateRangeScale()
{
    if (Count() == 0) {
        rangeMin_ = rangeMax_ = rangeScale_ = 0;
        return;
    }
    rangeMin_ = MandatoryValueList()->Lowest();
    rangeMax_ = MandatoryValueList()->Highest();
    rangeScale_ = rangeMax_ > rangeMin_ ? 1.0 / (rangeMax_ - rangeMin_) : 0;
}

TColor TCustom3DPaletteSeries::RangeColorOfFraction(double t) const
{
    int c[4];
    if (midColor_ == clNullPoint) {
        for (int i = 0; i < 4; ++i) c[i] = end_[i] + RoundHalfEven(t * (start_[i] - end_[i]));
    } else if (t < 0.5) {
        const float f = static_cast<float>(2 * t);
        for (int i = 0; i < 4; ++i) c[i] = end_[i] + RoundHalfEven(f * (mid_[i] - end_[i]));
    } else {
        const float f = static_cast<float>((t - 0.5) * 2);
        for (int i = 0; i < 4; ++i) c[i] = mid_[i] + RoundHalfEven(f * (start_[i] - mid_[i]));
    }
    return fromBytes(c);
}

TColor TCustom3DPaletteSeries::PaletteColorOfValue(double value) const
{
    int lo = 0, hi = static_cast<int>(palette_.size()) - 1;
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (palette_[static_cast<size_t>(mid)].UpToValue >= value)
            hi = mid;
        else
            lo = mid + 1;
    }
    return palette_[static_cast<size_t>(lo)].Color;
}

TColor TCustom3DPaletteSeries::ColorOfValue(double value) const
{
    if (useColorRange_) {
        if (rangeScale_ != 0) {
            const double d = value - rangeMin_;
            if (d >= 0) return value <= rangeMax_ ? RangeColorOfFraction(std::min(d * rangeScale_, 1.0)) : startColor_;
        }
        return endColor_;
    }
    if (usePalette_ && !palette_.empty()) return PaletteColorOfValue(value);
    return SeriesColor();
}

TColor TCustom3DPaletteSeries::GetPointColor(int index) const
{
    TColor color = GetStoredColor(index);
    if (color == clAutomatic)
        color = useColorRange_ || usePalette_ ? ColorOfValue(MandatoryValueList()->ValueAt(index))
                                              : TCustom3DSeries::GetPointColor(index);
    if (onGetColor_) onGetColor_(const_cast<TCustom3DPaletteSeries*>(this), index, color);
    return color;
}

// ---- palette ----

void TCustom3DPaletteSeries::GetPaletteValueRange(double& min, double& range)
{
    min = MandatoryValueList()->Lowest();
    range = MandatoryValueList()->Highest() - min;
}

void TCustom3DPaletteSeries::AssignPalette(const TCustom3DPalette& entries) { palette_ = entries; }

int TCustom3DPaletteSeries::AddPaletteEntry(TColor color, double value)
{
    paletteStale_ = false;
    const auto at = std::upper_bound(palette_.begin(), palette_.end(), value,
                                     [](double v, const TGridPalette& e) { return v < e.UpToValue; });
    return static_cast<int>(palette_.insert(at, TGridPalette{value, color, {}}) - palette_.begin());
}

void TCustom3DPaletteSeries::AddCustomPaletteEntry(TColor color, double value)
{
    paletteByHand_ = true;
    AddPaletteEntry(color, value);
}

void TCustom3DPaletteSeries::BuildPalette(int steps)
{
    paletteByHand_ = false;
    if (steps == 0) steps = paletteSteps_;
    double min = 0, range = 0;
    GetPaletteValueRange(min, range);
    const double step = paletteStep_ != 0 ? paletteStep_ : range / std::max(1, steps - 1);
    const double start = usePaletteMin_ ? paletteMin_ : min;
    if (paletteStyle_ == psCustom) {
        const TCustom3DPalette old = palette_;
        palette_.resize(static_cast<size_t>(std::max(0, steps)));
        for (size_t i = 0; i < palette_.size(); ++i) {
            palette_[i].UpToValue = static_cast<double>(i) * step + start;
            if (i >= old.size() && !old.empty()) palette_[i].Color = old[i % old.size()].Color;
        }
    } else {
        palette_.clear();
        const bool rainbow = paletteStyle_ == psRainbow;
        if (!rainbow || ParentChart())
            for (int i = 0; i < steps; ++i)
                AddPaletteEntry(rainbow ? RainbowPalette[i % 25] : styleColor(paletteStyle_, i, steps), i * step + start);
    }
    PaletteChanged();
    paletteStale_ = false;
    InvalidateChart();
}

void TCustom3DPaletteSeries::SetPaletteColors(std::span<const TColor> colors)
{
    if (colors.empty()) return;
    BuildPalette();
    const size_t n = std::min(palette_.size(), static_cast<size_t>(std::max(0, paletteSteps_)));
    for (size_t i = 0; i < n; ++i) palette_[i].Color = colors[i % colors.size()];
    paletteByHand_ = true;
    InvalidateChart();
}

void TCustom3DPaletteSeries::RecolorPalette()
{
    for (TGridPalette& e : palette_) e.Color = ColorOfValue(e.UpToValue);
}

void TCustom3DPaletteSeries::ApplyChartPalette()
{
    const TCustomAxisPanel* chart = ParentChart();
    if (chart && !chart->ColorPalette().empty()) {
        SetPaletteStyle(psCustom);
        const std::vector<TColor> colors = chart->ColorPalette();
        SetPaletteColors(colors);
    } else {
        SetPaletteStyle(psRainbow);
    }
}

void TCustom3DPaletteSeries::EnsurePalette()
{
    if (Count() > 0 && (palette_.empty() || (paletteStale_ && !paletteByHand_))) BuildPalette();
}

void TCustom3DPaletteSeries::LoadPaletteFile(const String& fileName)
{
    TStringList lines;
    lines.LoadFromFile(fileName);
    TFormatSettings dot = FormatSettings;
    dot.DecimalSeparator = '.';
    TCustom3DPalette loaded;
    for (int n = 0; n < lines.Count(); ++n) {
        const String line = Trim(lines[n]);
        if (line.starts_with("//")) continue;
        const size_t blank = line.find(' ');
        if (blank == String::npos) continue;
        int color = 0;
        double value = 0;
        const String valueText = Trim(line.substr(blank + 1));
        if (!TryStrToInt(Trim(line.substr(0, blank)), color) ||
            !(TryStrToFloat(valueText, value) || TryStrToFloat(valueText, value, dot)))
            throw EConvertError(Format("Palette file \"%s\", line %d: \"%s\" is not a colour and a value",
                                       {fileName, n + 1, line}));
        const auto at = std::upper_bound(loaded.begin(), loaded.end(), value,
                                         [](double v, const TGridPalette& e) { return v < e.UpToValue; });
        loaded.insert(at, TGridPalette{value, static_cast<TColor>(color), {}});
    }
    palette_ = std::move(loaded);
    paletteByHand_ = true;
    paletteStale_ = false;
    PaletteChanged();
    InvalidateChart();
}

void ReversePaletteColors(TCustom3DPaletteSeries& series)
{
    TCustom3DPalette entries = series.Palette();
    const size_t n = entries.size();
    for (size_t i = 0; i < n / 2; ++i) std::swap(entries[i].Color, entries[n - 1 - i].Color);
    series.AssignPalette(entries);
    series.InvalidateChart();
}

void SavePaletteFile(const TCustom3DPaletteSeries& series, const String& fileName)
{
    TStringList lines;
    lines.Add("// " + TxtColor + " " + TxtUpToValue);
    for (const TGridPalette& e : series.Palette())
        lines.Add(std::to_string(static_cast<int>(e.Color)) + " " + FormatFloat(series.ValueFormat(), e.UpToValue));
    lines.SaveToFile(fileName);
}

// ---- stored palette ----

void TCustom3DPaletteSeries::DefineProperties(TFiler& filer)
{
    TCustom3DSeries::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "CustomPalette", [this](TStream& s) { readPalette(s); }, [this](TStream& s) { writePalette(s); },
        paletteStyle_ == psCustom);
}

void TCustom3DPaletteSeries::readPalette(TStream& stream)
{
    std::int32_t count = 0;
    stream.ReadBuffer(&count, 4);
    if (count < 0 || count > (stream.Size() - stream.Position()) / 12)
        throw EReadError("The stored palette holds fewer entries than it counts");
    TCustom3DPalette entries(static_cast<size_t>(count));
    for (TGridPalette& e : entries) {
        std::int32_t color = 0;
        stream.ReadBuffer(&e.UpToValue, 8);
        stream.ReadBuffer(&color, 4);
        e.Color = static_cast<TColor>(color);
    }
    palette_ = std::move(entries);
}

void TCustom3DPaletteSeries::writePalette(TStream& stream)
{
    const auto count = static_cast<std::int32_t>(palette_.size());
    stream.WriteBuffer(&count, 4);
    for (const TGridPalette& e : palette_) {
        const auto color = static_cast<std::int32_t>(e.Color);
        stream.WriteBuffer(&e.UpToValue, 8);
        stream.WriteBuffer(&color, 4);
    }
}

// ---- engine hooks ----

void TCustom3DPaletteSeries::PrepareDraw()
{
    TCustom3DSeries::PrepareDraw();
    EnsurePalette();
    UpdateRangeScale();
}

void TCustom3DPaletteSeries::ReloadFromSource(TChartSeries* source)
{
    TCustom3DSeries::ReloadFromSource(source);
    BuildPalette();
}

void TCustom3DPaletteSeries::RemoveAllPoints()
{
    TCustom3DSeries::RemoveAllPoints();
    if (usePalette_ && paletteStyle_ != psCustom) ClearPalette();
}

void TCustom3DPaletteSeries::NotifyDependents(TDependantNotice kind, int index)
{
    TCustom3DSeries::NotifyDependents(kind, index);
    const bool used = LinkedSeries() && LinkedSeries()->Count() > 0;
    if (kind != dnModified || used) paletteStale_ = true;
    UpdateRangeScale();
}

void TCustom3DPaletteSeries::PointColorChanged(int index)
{
    TCustom3DSeries::PointColorChanged(index);
    PaletteChanged();
}

// ---- legend ----

int TCustom3DPaletteSeries::GetPointCount() const
{
    if (!PaletteLegend() || Count() == 0) return TCustom3DSeries::GetPointCount();
    const int n = static_cast<int>(palette_.size());
    return legendEvery_ < 2 ? n : (n + legendEvery_ - 1) / legendEvery_;
}

TColor TCustom3DPaletteSeries::GetLegendColor(int index) const
{
    if (!PaletteLegend()) return TCustom3DSeries::GetLegendColor(index);
    const int e = legendEntry(index);
    if (e < 0 || e >= static_cast<int>(palette_.size())) return TCustom3DSeries::GetLegendColor(index);
    const TGridPalette& entry = palette_[static_cast<size_t>(e)];
    return useColorRange_ ? ColorOfValue(entry.UpToValue) : entry.Color;
}

String TCustom3DPaletteSeries::FormatLegendText(int index, TLegendTextStyle style) const
{
    if (!PaletteLegend()) return TCustom3DSeries::FormatLegendText(index, style);
    if (index >= GetPointCount()) return {};
    const int e = legendEntry(index);
    if (e < 0 || e >= static_cast<int>(palette_.size())) return {};
    const TGridPalette& entry = palette_[static_cast<size_t>(e)];
    const String v = FormatFloat(ValueFormat(), entry.UpToValue);
    const String n = std::to_string(e);
    const String s(1, LegendColumnSeparator);
    switch (style) {
    case ltsPlain: return entry.Label;
    case ltsLeftValue:
    case ltsLeftPercent: return v + s + entry.Label;
    case ltsRightValue:
    case ltsRightPercent: return entry.Label + s + v;
    case ltsXValue: return n;
    case ltsXAndValue:
    case ltsXAndPercent: return n + s + v;
    case ltsXAndText: return n + s + entry.Label;
    default: return v;
    }
}

void TCustom3DPaletteSeries::GetLegendSymbolStyle(int index, TColor& backColor, TBrushStyle& style) const
{
    TCustom3DSeries::GetLegendSymbolStyle(index, backColor, style);
    const auto* chart = dynamic_cast<const TCustomChart*>(ParentChart());
    if (chart && chart->Legend()->Symbol()->Continuous()) chart->Canvas3D()->Pen()->SetStyle(psClear);
}

void TCustom3DPaletteSeries::FillLegendSymbol(int index, const TRect& rect)
{
    TCustomAxisPanel* chart = ParentChart();
    if (index != -1 || !useColorRange_ || !chart) {
        TCustom3DSeries::FillLegendSymbol(index, rect);
        return;
    }
    TCanvas3D& canvas = *chart->Canvas3D();
    canvas.Brush()->SetStyle(bsClear);
    canvas.Rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom);
    const TRect inner{rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1};
    if (midColor_ == clNullPoint) {
        canvas.FillRectGradient(inner, endColor_, startColor_, gdTopBottom);
    } else {
        const int middle = (inner.Top + inner.Bottom) / 2;
        canvas.FillRectGradient({inner.Left, inner.Top, inner.Right, middle}, endColor_, midColor_, gdTopBottom);
        canvas.FillRectGradient({inner.Left, middle, inner.Right, inner.Bottom}, midColor_, startColor_, gdTopBottom);
    }
}

// ---- gallery ----

void TCustom3DPaletteSeries::ListGalleryStyles(const std::function<void(const String&)>& add) const
{
    TCustom3DSeries::ListGalleryStyles(add);
    add(TxtColorRange);
}

void TCustom3DPaletteSeries::ApplyGalleryStyle(int index)
{
    if (index == 1) {
        SetUseColorRange(true);
        SetUsePalette(false);
    } else {
        TCustom3DSeries::ApplyGalleryStyle(index);
    }
}

void TCustom3DPaletteSeries::SetupGalleryPreview()
{
    TCustom3DSeries::SetupGalleryPreview();
    SetUseColorRange(false);
    Pen()->SetColor(clBlack);
    SetUsePalette(true);
    ApplyChartPalette();
}

void TCustom3DPaletteSeries::ApplyGallery3D(bool is3D)
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return;
    chart->SetView3D(true);
    TView3DOptions* view = chart->View3DOptions();
    view->SetZoom(60);
    view->SetVertOffset(-2);
    view->SetRotation(is3D ? 335 : 0);
    view->SetElevation(is3D ? 340 : 270);
    view->SetPerspective(is3D ? 100 : 0);
    for (TChartSeries* s : chart->SeriesList())
        if (auto* p = dynamic_cast<TCustom3DPaletteSeries*>(s)) p->ApplyChartPalette();
}

TV_PUBLISHED(TCustom3DPaletteSeries)
{
    PropColor("EndColor", &TCustom3DPaletteSeries::EndColor, &TCustom3DPaletteSeries::SetEndColor,
         static_cast<TColor>(0xFFFFFF));
    Prop("LegendEvery", &TCustom3DPaletteSeries::LegendEvery, &TCustom3DPaletteSeries::SetLegendEvery, 1);
    PropColor("MidColor", &TCustom3DPaletteSeries::MidColor, &TCustom3DPaletteSeries::SetMidColor, clNullPoint);
    Prop("PaletteMin", &TCustom3DPaletteSeries::PaletteMin, &TCustom3DPaletteSeries::SetPaletteMin);
    Prop("PaletteStep", &TCustom3DPaletteSeries::PaletteStep, &TCustom3DPaletteSeries::SetPaletteStep);
    Prop("PaletteSteps", &TCustom3DPaletteSeries::PaletteSteps, &TCustom3DPaletteSeries::SetPaletteSteps, 32);
    PropEnum("PaletteStyle", &TCustom3DPaletteSeries::PaletteStyle, &TCustom3DPaletteSeries::SetPaletteStyle, psPale,
             TZebPaletteStyleNames);
    PropColor("StartColor", &TCustom3DPaletteSeries::StartColor, &TCustom3DPaletteSeries::SetStartColor,
         static_cast<TColor>(0x800000));
    Prop("TimesZOrder", &TCustom3DPaletteSeries::TimesZOrder, &TCustom3DPaletteSeries::SetTimesZOrder, 3);
    Prop("UseColorRange", &TCustom3DPaletteSeries::UseColorRange, &TCustom3DPaletteSeries::SetUseColorRange, true);
    Prop("UsePalette", &TCustom3DPaletteSeries::UsePalette, &TCustom3DPaletteSeries::SetUsePalette, false);
    Prop("UsePaletteMin", &TCustom3DPaletteSeries::UsePaletteMin, &TCustom3DPaletteSeries::SetUsePaletteMin, false);
    Prop("ZValues", &TCustom3DPaletteSeries::ZValues, &TCustom3DPaletteSeries::SetZValues);
    Prop("OnGetColor", &TCustom3DPaletteSeries::OnGetColor, &TCustom3DPaletteSeries::SetOnGetColor);
}
