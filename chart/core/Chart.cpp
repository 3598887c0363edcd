#include "chart/core/Chart.h"

#include <algorithm>
#include <vector>

#include "chart/canvas/Gradient.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebCanvas.h"
#include "chart/core/AxisItems.h"
#include "chart/core/ChartPage.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/ChartTitles.h"
#include "chart/core/ChartTools.h"
#include "chart/core/ChartWalls.h"
#include "chart/core/ColorPalette.h"
#include "chart/core/DrawGuards.h"
#include "chart/core/EditorRegistry.h"
#include "chart/core/Legend.h"
#include "chart/core/NamedPalettes.h"
#include "chart/core/SeriesGroups.h"
#include "chart/core/SeriesSource.h"
#include "chart/core/ZebFunction.h"
#include "chart/core/ZebProcs.h"
#include "chart/core/ZebSelected.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/rtl/Exceptions.h"

TV_PUBLISHED(TCustomChart) {}

TV_PUBLISHED(TChart)
{
    Prop("AxisBehind", &TChart::AxisBehind, &TChart::SetAxisBehind, true);
    Prop("AxisVisible", &TChart::AxisVisible, &TChart::SetAxisVisible, true);
    Prop("BackWall", &TChart::BackWall, &TChart::SetBackWall);
    Prop("BottomAxis", &TChart::BottomAxis, &TChart::SetBottomAxis);
    Prop("BottomWall", &TChart::BottomWall, &TChart::SetBottomWall);
    Prop("Chart3DPercent", &TChart::Chart3DPercent, &TChart::SetChart3DPercent, 15);
    Prop("ClipPoints", &TChart::ClipPoints, &TChart::SetClipPoints, true);
    Prop("CustomAxes", &TChart::CustomAxes, &TChart::SetCustomAxes);
    Prop("DepthAxis", &TChart::DepthAxis, &TChart::SetDepthAxis);
    Prop("DepthTopAxis", &TChart::DepthTopAxis, &TChart::SetDepthTopAxis);
    Prop("Foot", &TChart::Foot, &TChart::SetFoot);
    Prop("Frame", &TChart::Frame, &TChart::SetFrame);
    Prop("Hover", &TChart::Hover, &TChart::SetHover);
    Prop("LeftAxis", &TChart::LeftAxis, &TChart::SetLeftAxis);
    Prop("LeftWall", &TChart::LeftWall, &TChart::SetLeftWall);
    Prop("Legend", &TChart::Legend, &TChart::SetLegend);
    Prop("Pages", &TChart::Pages, &TChart::SetPages);
    Prop("RightAxis", &TChart::RightAxis, &TChart::SetRightAxis);
    Prop("RightWall", &TChart::RightWall, &TChart::SetRightWall);
    Prop("SeriesGroups", &TChart::SeriesGroups, &TChart::SetSeriesGroups).Stored(&TChart::IsSeriesGroupsStored);
    Prop("SubFoot", &TChart::SubFoot, &TChart::SetSubFoot);
    Prop("SubTitle", &TChart::SubTitle, &TChart::SetSubTitle);
    Prop("Title", &TChart::Title, &TChart::SetTitle);
    Prop("TopAxis", &TChart::TopAxis, &TChart::SetTopAxis);
    Prop("View3DWalls", &TChart::View3DWalls, &TChart::SetView3DWalls, true);
    Prop("OnAddSeries", &TChart::OnAddSeries, &TChart::SetOnAddSeries);
    Prop("OnAfterDraw", &TChart::OnAfterDraw, &TChart::SetOnAfterDraw);
    Prop("OnAllowScroll", &TChart::OnAllowScroll, &TChart::SetOnAllowScroll);
    Prop("OnBeforeDrawAxes", &TChart::OnBeforeDrawAxes, &TChart::SetOnBeforeDrawAxes);
    Prop("OnBeforeDrawChart", &TChart::OnBeforeDrawChart, &TChart::SetOnBeforeDrawChart);
    Prop("OnBeforeDrawSeries", &TChart::OnBeforeDrawSeries, &TChart::SetOnBeforeDrawSeries);
    Prop("OnClickAxis", &TChart::OnClickAxis, &TChart::SetOnClickAxis);
    Prop("OnClickBackground", &TChart::OnClickBackground, &TChart::SetOnClickBackground);
    Prop("OnClickLegend", &TChart::OnClickLegend, &TChart::SetOnClickLegend);
    Prop("OnClickSeries", &TChart::OnClickSeries, &TChart::SetOnClickSeries);
    Prop("OnClickTitle", &TChart::OnClickTitle, &TChart::SetOnClickTitle);
    Prop("OnGetLegendPos", &TChart::OnGetLegendPos, &TChart::SetOnGetLegendPos);
    Prop("OnGetLegendRect", &TChart::OnGetLegendRect, &TChart::SetOnGetLegendRect);
    Prop("OnGetLegendText", &TChart::OnGetLegendText, &TChart::SetOnGetLegendText);
    Prop("OnPageChange", &TChart::OnPageChange, &TChart::SetOnPageChange);
    Prop("OnRemoveSeries", &TChart::OnRemoveSeries, &TChart::SetOnRemoveSeries);
}

TCustomChart::TCustomChart(TComponent* owner) : TCustomAxisPanel(owner)
{
    TAutoRepaintOff quiet(*this);
    walls_ = std::make_unique<TChartWalls>(this);
    legend_ = std::make_unique<TChartLegend>(this);
    SetColorPaletteIndex(ReadEditorInteger("DefaultPalette", 13));
}

TCustomChart::~TCustomChart()
{
    SetAutoRepaint(false);
    TObject::Free(subFoot_);
    TObject::Free(subTitle_);
    TObject::Free(foot_);
    TObject::Free(title_);
    walls_.reset();
    legend_.reset();
}

void TCustomChart::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TCustomChart*>(source)) {
        SetColorPaletteIndex(other->colorPaletteIndex_);
        SetFoot(other->foot_);
        SetLegend(other->legend_.get());
        SetSubFoot(other->subFoot_);
        SetSubTitle(other->subTitle_);
        SetTitle(other->title_);
        walls_->Assign(other->walls_.get());
    }
    TCustomAxisPanel::Assign(source);
}

void TCustomChart::GetChildren(const TGetChildProc& proc, TComponent* root)
{
    if (!writingChartFile_) {
        TCustomAxisPanel::GetChildren(proc, root);
    } else {
        std::vector<TComponent*> sources;
        for (TChartSeries* series : SeriesList())
            if (!series->Internal() && series->HasDataSources())
                for (TComponent* source : series->DataSources())
                    if (source->Is<TZebSeriesSource>() &&
                        std::find(sources.begin(), sources.end(), source) == sources.end())
                        sources.push_back(source);
        for (TComponent* source : sources) proc(source);
        for (TChartSeries* series : SeriesList())
            if (!series->Internal()) proc(series);
    }
    for (TZebCustomTool* tool : Tools()) proc(tool);
    for (TZebCustomTool* animation : Animations()) proc(animation);
}

bool TCustomChart::IsChartFileChild(const TMetaClass& cls)
{
    for (const TMetaClass* base : {&TChartSeries::StaticClass(), &TZebFunction::StaticClass(),
                                   &TZebSeriesSource::StaticClass(), &TZebCustomTool::StaticClass()})
        if (cls.InheritsFrom(*base)) return true;
    return false;
}

// ---- palette ----

void TCustomChart::SetColorPaletteIndex(int value)
{
    if (value == colorPaletteIndex_) return;
    // Keeping the current colours reads the old index before it is replaced.
    if (value == CustomPaletteIndex) {
        if (colorPaletteIndex_ <= 0)
            SetColorPalette(DefaultColorPalette);
        else
            SetColorPalette(GetNamedPalettes()->CopyColors(colorPaletteIndex_));
        colorPaletteIndex_ = value;
        return;
    }
    colorPaletteIndex_ = value;
    TColorPalettes::ApplyPaletteToChart(*this, value);
}

// ---- titles ----

namespace {

template <class T>
T* titleOf(T*& field, TCustomChart* chart)
{
    if (!field) field = new T(chart);
    return field;
}

template <class T>
void setTitle(T*& field, T* value, TCustomChart* chart)
{
    if (value)
        titleOf(field, chart)->Assign(value);
    else if (field) {
        TObject::Free(field);
        field = nullptr;
        chart->Invalidate();
    }
}

}  // namespace

TChartTitle* TCustomChart::Title() { return titleOf(title_, this); }
void TCustomChart::SetTitle(TChartTitle* value) { setTitle(title_, value, this); }
TChartTitle* TCustomChart::SubTitle() { return titleOf(subTitle_, this); }
void TCustomChart::SetSubTitle(TChartTitle* value) { setTitle(subTitle_, value, this); }
TChartFootTitle* TCustomChart::Foot() { return titleOf(foot_, this); }
void TCustomChart::SetFoot(TChartFootTitle* value) { setTitle(foot_, value, this); }
TChartFootTitle* TCustomChart::SubFoot() { return titleOf(subFoot_, this); }
void TCustomChart::SetSubFoot(TChartFootTitle* value) { setTitle(subFoot_, value, this); }

TChartTitle* TCustomChart::TitleAt(int index) const
{
    TChartTitle* const titles[] = {title_, subTitle_, foot_, subFoot_};
    return titles[index];
}

// ---- walls ----

TChartBackWall* TCustomChart::BackWall() const { return walls_->Back(); }
void TCustomChart::SetBackWall(TChartBackWall* value) { walls_->Back()->Assign(value); }
TChartLeftWall* TCustomChart::LeftWall() const { return walls_->Left(); }
void TCustomChart::SetLeftWall(TChartLeftWall* value) { walls_->Left()->Assign(value); }
TChartBottomWall* TCustomChart::BottomWall() const { return walls_->Bottom(); }
void TCustomChart::SetBottomWall(TChartBottomWall* value) { walls_->Bottom()->Assign(value); }
TChartRightWall* TCustomChart::RightWall() { return walls_->Right(); }
void TCustomChart::SetRightWall(TChartRightWall* value) { walls_->Right()->Assign(value); }
TZebPen* TCustomChart::Frame() const { return walls_ ? walls_->Back()->Pen() : nullptr; }
void TCustomChart::SetFrame(TZebPen* value) { walls_->Back()->SetPen(value); }

// ---- what the axis panel asks ----

TColor TCustomChart::GetBackgroundColor() const
{
    const TChartBackWall& back = *walls_->Back();
    if (!View3DWalls() || !back.Visible() || back.Transparent()) return TCustomAxisPanel::GetBackgroundColor();
    if (back.Brush()->HasVisibleGradient()) return back.Brush()->Gradient()->StartColor();
    return back.Color();
}

bool TCustomChart::IsColorFree(TColor color, bool checkBackground, const TChartSeries* ignoreSeries) const
{
    if (!TCustomAxisPanel::IsColorFree(color, checkBackground, ignoreSeries)) return false;
    return !checkBackground || (color != Color() && color != walls_->Back()->Color());
}

String TCustomChart::LegendTextOfPoint(TChartSeries* series, int index)
{
    return legend_->LegendTextOfPoint(series, index);
}

void TCustomChart::PaintLegendSymbolBox(const TRect& rect, TGraphic* picture)
{
    legend_->PaintSymbolBox(rect, picture);
}

// ---- legend ----

void TCustomChart::SetLegend(TChartLegend* value) { legend_->Assign(value); }

String TCustomChart::FormatLegendItem(TCustomChartLegend& legend, int index) const { return legend.ItemText(index); }

void TCustomChart::GetLegendText(TCustomChartLegend& legend, int index, String& text)
{
    if (onGetLegendText_) onGetLegendText_(this, legend.EffectiveStyle(), index, text);
}

void TCustomChart::GetLegendPos(TCustomChartLegend& legend, int index, int& x, int& y, int& xColor)
{
    (void)legend;
    if (onGetLegendPos_) onGetLegendPos_(this, index, x, y, xColor);
}

void TCustomChart::GetLegendRect(TCustomChartLegend& legend, TRect& rect)
{
    (void)legend;
    if (onGetLegendRect_) onGetLegendRect_(this, rect);
}

void TCustomChart::ListSourceValueNames(TChartSeries* series,
                                        const std::function<void(const String&)>& callback) const
{
    auto* source = dynamic_cast<TChartSeries*>(series ? series->DataSource() : nullptr);
    if (!source) return;
    for (int i = 0; i < source->ValueLists().Count(); ++i) callback(source->ValueLists().ValueListAt(i)->Name());
}

// ---- reset ----

void TCustomChart::ResetContents()
{
    for (TChartSeries* series : SeriesList())
        if (series->DataSource()) series->SetDataSource(nullptr);
    DisposeAllSeries(nullptr);
    // Data sources a chart file brought along go with the series they fed, and so does a series
    // a broken file left read but outside the list (freeing one may free others it holds).
    for (int i = ComponentCount() - 1; i >= 0; i = std::min(i - 1, ComponentCount() - 1))
        if (Components(i)->Is<TZebSeriesSource>() || Components(i)->Is<TChartSeries>()) Components(i)->Free();
    Tools().Clear();
    Animations().Clear();
    for (int i = 0; i < Axes().Count(); ++i) {
        TChartAxis& axis = *Axes().Items(i);
        axis.Items().Clear();
        axis.SetAutomatic(true);
    }
    ResetToFreshChart();
}

namespace {

// A new chart of one class and what it was made from: the user's default palette and the default
// colours. Making a chart is most of what a reset costs (a chart file loader resets twice on a
// refused file), so a parentless chart resets from one kept here, made again when either differs.
struct FreshChart {
    const TMetaClass* cls = nullptr;
    int paletteIndex = 0;
    std::vector<TColor> defaultPalette;
    TOwnedPtr<TCustomChart> chart;
};

std::vector<FreshChart>& freshCharts()
{
    static std::vector<FreshChart> kept;
    return kept;
}

TCustomChart& freshChartOf(const TMetaClass& cls)
{
    const int paletteIndex = ReadEditorInteger("DefaultPalette", 13);
    auto& kept = freshCharts();
    auto it = std::find_if(kept.begin(), kept.end(), [&](const FreshChart& f) { return f.cls == &cls; });
    if (it == kept.end()) it = kept.insert(kept.end(), FreshChart{&cls, 0, {}, nullptr});
    if (!it->chart || it->paletteIndex != paletteIndex || it->defaultPalette != DefaultColorPalette) {
        it->chart.reset();
        it->chart.reset(static_cast<TCustomChart*>(cls.CreateComponent(nullptr)));
        it->paletteIndex = paletteIndex;
        it->defaultPalette = DefaultColorPalette;
    }
    return *it->chart;
}

}  // namespace

void TCustomChart::ResetToFreshChart()
{
    if (!Parent()) return Assign(&freshChartOf(ClassType()));
    // A parent passes its colour on to a new chart: make one on it.
    TOwnedPtr<TCustomChart> fresh(static_cast<TCustomChart*>(ClassType().CreateComponent(nullptr)));
    fresh->SetParent(Parent());
    Assign(fresh.get());
}

void TCustomChart::ReleaseFreshCharts() { freshCharts().clear(); }

// ---- stored form ----

void TCustomChart::DefineProperties(TFiler& filer)
{
    TCustomAxisPanel::DefineProperties(filer);
    filer.DefineProperty(
        "BackColor", [this](TReader& reader) { readBackColor(reader); }, nullptr, false);
    filer.DefineProperty(
        "ColorPaletteIndex", [this](TReader& reader) { SetColorPaletteIndex(static_cast<int>(reader.ReadInteger())); },
        [this](TWriter& writer) { writer.WriteInteger(colorPaletteIndex_); }, isPaletteIndexStored(filer));
    filer.DefineProperty(
        "ColorPalette", [this](TReader& reader) { readColorPalette(reader); },
        [this](TWriter& writer) { writeColorPalette(writer); }, colorPaletteIndex_ == CustomPaletteIndex);
}

// Every index is written without an ancestor, -1 too: a new chart starts at the per-user default,
// so leaving -1 out would reload a default-palette chart with other colours.
bool TCustomChart::isPaletteIndexStored(const TFiler& filer) const
{
    if (auto* ancestor = dynamic_cast<const TCustomChart*>(filer.Ancestor()))
        return ancestor->colorPaletteIndex_ != colorPaletteIndex_;
    return true;
}

void TCustomChart::readBackColor(TReader& reader)
{
    TColor color = clNone;
    if (reader.NextValue() == vaIdent) {
        const String ident = reader.ReadIdent();
        if (!IdentToColor(ident, color)) throw EReadError("Invalid property value: BackColor " + ident);
    } else {
        color = static_cast<TColor>(reader.ReadInteger());
    }
    walls_->Back()->SetColor(color);
}

void TCustomChart::readColorPalette(TReader& reader)
{
    std::vector<TColor> colors;
    reader.ReadListBegin();
    while (!reader.EndOfList()) colors.push_back(static_cast<TColor>(reader.ReadInteger()));
    reader.ReadListEnd();
    colorPaletteIndex_ = colors.empty() ? DefaultPaletteIndex : CustomPaletteIndex;
    TColorPalettes::ApplyColorsToChart(*this, colors);
}

void TCustomChart::writeColorPalette(TWriter& writer)
{
    writer.WriteListBegin();
    for (const TColor color : ColorPalette()) writer.WriteInteger(static_cast<std::uint32_t>(color));
    writer.WriteListEnd();
}
