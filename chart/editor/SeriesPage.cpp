#include "chart/editor/SeriesPage.h"

#include <algorithm>

#include "chart/canvas/CanvasServices.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartAxes.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/ControlRoutines.h"
#include "chart/core/ResourceBitmaps.h"
#include "chart/core/SeriesCloning.h"
#include "chart/core/SeriesSource.h"
#include "chart/core/SeriesTypes.h"
#include "chart/core/TextRoutines.h"
#include "chart/core/ValueList.h"
#include "chart/editor/ChartListBox.h"
#include "chart/editor/EditorButtons.h"
#include "chart/editor/EditorResources.h"
#include "chart/editor/EditorRoutines.h"
#include "chart/editor/FormatEditor.h"
#include "chart/editor/ScopedFlag.h"
#include "chart/editor/SeriesEditorFlags.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Published.h"
#include "platform/forms/Buttons.h"
#include "platform/forms/ComCtrls.h"
#include "platform/forms/CheckListBox.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/Edit.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/FormComponents.h"
#include "platform/forms/GroupBox.h"
#include "platform/forms/Label.h"
#include "platform/forms/PageControl.h"
#include "platform/forms/PaintBox.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/rtl/Convert.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Strings.h"

namespace {

enum { styleManual, styleRandom, styleSeries, styleFunction, styleFirstSourceClass };
enum { sortNone, sortText, sortFirstList };

// The function editor is found by name: the function pages register it.
const char* const FunctionEditorClassName = "TZebFuncEditor";

// The series of the chart that may feed series: accepted by it and not fed by it already.
void listCandidateSources(const TChartSeries& series, TStrings& list)
{
    TCustomAxisPanel* chart = series.ParentChart();
    if (!chart) return;
    for (TChartSeries* other : chart->SeriesList())
        if (other != &series && other->ShowInEditor() && !other->Internal() && series.AcceptsSourceSeries(other) &&
            !other->DependsOn(&series))
            list.AddObject(other->GetTitleOrName(true), other);
}

}  // namespace

TV_PUBLISHED(TFormZebSeries)
{
    Method("FormCreate", &TFormZebSeries::FormCreate);
    Method("FormShow", &TFormZebSeries::FormShow);
    Method("FormDestroy", &TFormZebSeries::FormDestroy);
    Method("FormCloseQuery", &TFormZebSeries::FormCloseQuery);
    Method("CBSeriesChange", &TFormZebSeries::CBSeriesChange);
    Method("PageSeriesChange", &TFormZebSeries::PageSeriesChange);
    Method("PageSeriesChanging", &TFormZebSeries::PageSeriesChanging);
    Method("PaintBox1Click", &TFormZebSeries::PaintBox1Click);
    Method("PaintBox1Paint", &TFormZebSeries::PaintBox1Paint);
    Method("EDepthChange", &TFormZebSeries::EDepthChange);
    Method("CBDepthClick", &TFormZebSeries::CBDepthClick);
    Method("CBFormatChange", &TFormZebSeries::CBFormatChange);
    Method("EPercentFormatChange", &TFormZebSeries::EPercentFormatChange);
    Method("Button1Click", &TFormZebSeries::Button1Click);
    Method("Button2Click", &TFormZebSeries::Button2Click);
    Method("CBHorizAxisChange", &TFormZebSeries::CBHorizAxisChange);
    Method("CBVertAxisChange", &TFormZebSeries::CBVertAxisChange);
    Method("CBXDateTimeClick", &TFormZebSeries::CBXDateTimeClick);
    Method("CBYDateTimeClick", &TFormZebSeries::CBYDateTimeClick);
    Method("CBDataSourcestyleChange", &TFormZebSeries::CBDataSourcestyleChange);
    Method("ESamplesChange", &TFormZebSeries::ESamplesChange);
    Method("CBSamplesDefaultClick", &TFormZebSeries::CBSamplesDefaultClick);
    Method("BApplyRandomClick", &TFormZebSeries::BApplyRandomClick);
    Method("Button3Click", &TFormZebSeries::Button3Click);
    Method("CBSeriesSourceChange", &TFormZebSeries::CBSeriesSourceChange);
    Method("BApplySourceClick", &TFormZebSeries::BApplySourceClick);
    Method("BClearSourceClick", &TFormZebSeries::BClearSourceClick);
    Method("CBZDateTimeClick", &TFormZebSeries::CBZDateTimeClick);
    Method("CBSortByChange", &TFormZebSeries::CBSortByChange);
    Method("CBSortOrderChange", &TFormZebSeries::CBSortOrderChange);
    Method("CBCaseSensitiveClick", &TFormZebSeries::CBCaseSensitiveClick);
    Method("CBShowInLegendClick", &TFormZebSeries::CBShowInLegendClick);
    Method("ELegendTextChange", &TFormZebSeries::ELegendTextChange);
    Method("Timer1Timer", &TFormZebSeries::Timer1Timer);
}

TFormZebSeries::TFormZebSeries(TComponent* owner) : TForm(owner) { InitEditorForm(*this, "TFormZebSeries"); }

TFormZebSeries::~TFormZebSeries() = default;

void TFormZebSeries::BeforeDestruction()
{
    listenTo(nullptr);
    SetCurrentSeries(nullptr);
    TForm::BeforeDestruction();
}

void TFormZebSeries::Loaded()
{
    TForm::Loaded();
    FindFormComponent(*this, PanelTop, "PanelTop");
    FindFormComponent(*this, CBSeries, "CBSeries");
    FindFormComponent(*this, ImageSeries, "ImageSeries");
    FindFormComponent(*this, LabelSeriesClass, "LabelSeriesClass");
    FindFormComponent(*this, PaintBox1, "PaintBox1");
    FindFormComponent(*this, PageSeries, "PageSeries");
    FindFormComponent(*this, TheTabSheet, "TheTabSheet");
    FindFormComponent(*this, TabGeneral, "TabGeneral");
    FindFormComponent(*this, TabDataSource, "TabDataSource");
    FindFormComponent(*this, PageControl1, "PageControl1");
    FindFormComponent(*this, TabOptions, "TabOptions");
    FindFormComponent(*this, LDepth, "LDepth");
    FindFormComponent(*this, EDepth, "EDepth");
    FindFormComponent(*this, UDDepth, "UDDepth");
    FindFormComponent(*this, CBDepth, "CBDepth");
    FindFormComponent(*this, CBFormat, "CBFormat");
    FindFormComponent(*this, EPercentFormat, "EPercentFormat");
    FindFormComponent(*this, GBHorizAxis, "GBHorizAxis");
    FindFormComponent(*this, CBHorizAxis, "CBHorizAxis");
    FindFormComponent(*this, CBXDateTime, "CBXDateTime");
    FindFormComponent(*this, GBVertAxis, "GBVertAxis");
    FindFormComponent(*this, CBVertAxis, "CBVertAxis");
    FindFormComponent(*this, CBYDateTime, "CBYDateTime");
    FindFormComponent(*this, CBDataSourcestyle, "CBDataSourcestyle");
    FindFormComponent(*this, PanelRandomSource, "PanelRandomSource");
    FindFormComponent(*this, ESamples, "ESamples");
    FindFormComponent(*this, CBSamplesDefault, "CBSamplesDefault");
    FindFormComponent(*this, BApplyRandom, "BApplyRandom");
    FindFormComponent(*this, PanelSeriesSource, "PanelSeriesSource");
    FindFormComponent(*this, CBSeriesSource, "CBSeriesSource");
    FindFormComponent(*this, BApplySource, "BApplySource");
    FindFormComponent(*this, BClearSource, "BClearSource");
    FindFormComponent(*this, CBZDateTime, "CBZDateTime");
    FindFormComponent(*this, CBSortBy, "CBSortBy");
    FindFormComponent(*this, CBSortOrder, "CBSortOrder");
    FindFormComponent(*this, CBCaseSensitive, "CBCaseSensitive");
    FindFormComponent(*this, TabLegend, "TabLegend");
    FindFormComponent(*this, CBShowInLegend, "CBShowInLegend");
    FindFormComponent(*this, ELegendText, "ELegendText");
    FindFormComponent(*this, TabMarks, "TabMarks");
    FindFormComponent(*this, RGMarkStyle, "RGMarkStyle");
    FindFormComponent(*this, Panel2, "Panel2");
    FindFormComponent(*this, Timer1, "Timer1");
}

TChartSeries* TFormZebSeries::CurrentSeries() const { return series_; }

void TFormZebSeries::SetCurrentSeries(TChartSeries* series)
{
    if (series == series_) return;
    if (series_) series_->RemoveFreeNotification(this);
    series_ = series;
    if (series_) series_->FreeNotification(this);
}

void TFormZebSeries::Notification(TComponent* component, TOperation operation)
{
    TForm::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == series_) series_ = nullptr;
    if (component == lastLoaded_) lastLoaded_ = nullptr;
    if (component == classEditor_) classEditor_ = nullptr;
    if (component == sourceEditor_) sourceEditor_ = nullptr;
}

void TFormZebSeries::listenTo(TCustomAxisPanel* chart)
{
    if (chart == listened_) return;
    if (listened_) {
        listened_->Listeners().RemoveListener(this);
        listened_->RemoveFreeNotification(this);
    }
    listened_ = chart;
    if (listened_) {
        listened_->FreeNotification(this);
        listened_->Listeners().Add(this);
    }
}

bool TFormZebSeries::guarded() const { return changing_ || locked_ || !series_; }

void TFormZebSeries::FormCreate(TObject*)
{
    changing_ = true;
    locked_ = false;
    PageSeries->SetActivePage(TheTabSheet);
    PageControl1->SetActivePage(TabOptions);
}

void TFormZebSeries::FormShow(TObject*) { changing_ = false; }

void TFormZebSeries::FormDestroy(TObject*) { RemoveClassTabs(); }

void TFormZebSeries::FormCloseQuery(TObject*, bool& CanClose) { CanClose = sourceEditorAllowsClosing(); }

bool TFormZebSeries::sourceEditorAllowsClosing() const { return !sourceEditor_ || sourceEditor_->CloseQuery(); }

void TFormZebSeries::freeSourceEditor()
{
    if (!sourceEditor_ || !sourceEditor_->CloseQuery()) return;
    TCustomForm* editor = sourceEditor_;
    sourceEditor_ = nullptr;
    editor->Free();
}

void TFormZebSeries::SelectCurrentSeries()
{
    if (!series_) {
        PageSeries->Hide();
        return;
    }
    CBSeries->SetItemIndex(CBSeries->Items()->IndexOfObject(series_));
    CBSeriesChange(CBSeries);
}

TCustomForm* TFormZebSeries::ClassEditor() const { return classEditor_; }

void TFormZebSeries::RemoveClassTabs()
{
    FreeSheetControls(*TheTabSheet);
    classEditor_ = nullptr;
    for (int i = PageSeries->PageCount() - 1; i >= 0; --i) {
        TTabSheet* tab = PageSeries->Pages(i);
        if (tab == TheTabSheet || tab == TabGeneral || tab == TabMarks || tab == TabDataSource) continue;
        FreeSheetControls(*tab);
        if (i > 0 && !tab->IsDestroying() && !PageSeries->IsDestroying()) tab->Free();
    }
    freeSourceEditor();
}

void TFormZebSeries::CBSeriesChange(TObject*)
{
    ScopedFlag changing(changing_);
    const String caption = PageSeries->ActivePage() ? PageSeries->ActivePage()->Caption() : String();
    const int row = CBSeries->ItemIndex();
    auto* series = row >= 0 ? static_cast<TChartSeries*>(CBSeries->Items()->GetObject(row)) : nullptr;
    if (!series) {
        ImageSeries->Hide();
        LabelSeriesClass->SetCaption(String());
        PageSeries->Hide();
        return;
    }
    SetCurrentSeries(series);
    if (SeriesListBox) {
        SeriesListBox->ClearSelection();
        SeriesListBox->SelectSeries(series);
    }
    if (series != lastLoaded_ || TheTabSheet->ControlCount() == 0) {
        loadSeries(caption);
        lastLoaded_ = series;
        if (lastLoaded_) lastLoaded_->FreeNotification(this);
    }
}

void TFormZebSeries::loadSeries(const String& remembered)
{
    listenTo(series_->ParentChart());
    fillSourceStyles();
    TBitmap icon;
    icon.SetSize(24, 24);
    icon.Canvas()->Brush()->SetColor(Color());
    icon.Canvas()->FillRect(Rect(0, 0, 24, 24));
    DrawClassBitmap(*icon.Canvas(), *series_, 0, 0);
    ImageSeries->Picture()->Assign(&icon);
    PaintBox1->SetVisible(series_->HasSeriesColor());
    String description = SeriesTypeDescription(*series_);
    if (const size_t amp = description.find('&'); amp != String::npos) description.insert(amp, "&");
    LabelSeriesClass->SetCaption(description + ": " + series_->GetTitleOrName(false));
    ImageSeries->Show();
    PageSeries->Show();
    TabGeneral->SetTabVisible(ShowGeneralTab);
    // The marks tab holds only the style names the tools ask for: it stays hidden.
    TabMarks->SetTabVisible(false);
    TabDataSource->SetTabVisible(ShowDataSourceTab && !HasEditorFlag(series_, sefFixed) &&
                                 !HasEditorFlag(series_, sefNoDataSource));
    String caption = remembered;
    if (caption.empty() || (caption == TabDataSource->Caption() && !TabDataSource->TabVisible()))
        caption = TheTabSheet->Caption();
    const bool axes = series_->DependsOnAxes();
    GBHorizAxis->SetVisible(axes);
    GBVertAxis->SetVisible(axes);
    RemoveClassTabs();
    createClassEditor();
    TTabSheet* active = nullptr;
    for (int i = 0; i < PageSeries->PageCount() && !active; ++i)
        if (PageSeries->Pages(i)->Caption() == caption && PageSeries->Pages(i)->TabVisible()) active = PageSeries->Pages(i);
    if (!active) active = TheTabSheet->TabVisible() ? TheTabSheet : TabGeneral;
    PageSeries->SetActivePage(active);
    sourceStyle_ = -1;
    CBDataSourcestyle->SetItemIndex(-1);
    PageSeriesChange(PageSeries);
    PaintBox1->Invalidate();
}

void TFormZebSeries::createClassEditor()
{
    const TMetaClass* cls = FindControlGroupClass(EditorFormClassNameOf(series_->ClassType()));
    if (!cls) {
        RemoveClassTabs();
        TheTabSheet->SetTabVisible(false);
        return;
    }
    TheTabSheet->SetTabVisible(true);
    auto* page = dynamic_cast<TCustomForm*>(cls->CreateInstance(this));
    if (!page) return;
    classEditor_ = page;
    page->SetAlign(alClient);
    LocalizeControl(*page);
    EmbedEditorForm(*page, *TheTabSheet, reinterpret_cast<std::int64_t>(series_));
}

void TFormZebSeries::PageSeriesChanging(TObject*, bool& AllowChange)
{
    AllowChange = sourceEditorAllowsClosing();
    // Controls of the coming tab are filled without writing back.
    locked_ = AllowChange;
}

void TFormZebSeries::PageSeriesChange(TObject*)
{
    {
        ScopedFlag locking(locked_);
        if (PageSeries->ActivePage() == TabGeneral)
            fillGeneralTab();
        else if (PageSeries->ActivePage() == TabDataSource)
            selectSourceStyle();
    }
    locked_ = false;
}

// ---- General ----

void TFormZebSeries::fillAxisRows(TComboBox& combo, bool horizontal)
{
    TStrings& rows = *combo.Items();
    while (rows.Count() > 3) rows.Delete(rows.Count() - 1);
    TChartCustomAxes* axes = series_->ParentChart() ? series_->ParentChart()->CustomAxes() : nullptr;
    if (!axes) return;
    for (int i = 0; i < axes->Count(); ++i) {
        TChartAxis* axis = axes->GetAxisAt(i);
        if (axis->Horizontal() == horizontal) rows.AddObject("Custom  " + IntToStr(i), axis);
    }
}

TChartValueList* TFormZebSeries::zValues() const
{
    TCustomAxisPanel* chart = series_->ParentChart();
    if (!chart) return nullptr;
    TChartValueList* list = series_->GetAxisValueList(chart->DepthAxis());
    if (!list) list = series_->GetAxisValueList(chart->DepthTopAxis());
    // Series without depth values answer their Y list: the X and Y boxes show those already.
    return list == series_->XValues() || list == series_->YValues() ? nullptr : list;
}

void TFormZebSeries::fillGeneralTab()
{
    if (series_) {
        CBShowInLegend->SetChecked(series_->ShowInLegend());
        ELegendText->SetText(series_->LegendTitle());
        const bool autoDepth = series_->Depth() == -1;
        CBDepth->SetChecked(autoDepth);
        UDDepth->SetPosition(autoDepth ? 0 : series_->Depth());
        CBFormat->Items()->Clear();
        AddCustomFormats(*CBFormat->Items());
        const String format = LocalizeNumberText(series_->ValueFormat());
        if (CBFormat->Items()->IndexOf(format) < 0) CBFormat->Items()->Add(format);
        CBFormat->SetItemIndex(CBFormat->Items()->IndexOf(format));
        EPercentFormat->SetText(LocalizeNumberText(series_->PercentFormat()));

        fillAxisRows(*CBHorizAxis, true);
        fillAxisRows(*CBVertAxis, false);
        CBHorizAxis->SetItemIndex(series_->HorizAxis() == aCustomHorizAxis
                                      ? CBHorizAxis->Items()->IndexOfObject(series_->CustomHorizAxis())
                                      : static_cast<int>(series_->HorizAxis()));
        CBVertAxis->SetItemIndex(series_->VertAxis() == aCustomVertAxis
                                     ? CBVertAxis->Items()->IndexOfObject(series_->CustomVertAxis())
                                     : static_cast<int>(series_->VertAxis()));
        CBXDateTime->SetChecked(series_->XValues()->DateTime());
        CBYDateTime->SetChecked(series_->YValues()->DateTime());
        TChartValueList* z = zValues();
        CBZDateTime->SetVisible(z != nullptr);
        if (z) CBZDateTime->SetChecked(z->DateTime());

        TStrings& sortRows = *CBSortBy->Items();
        while (sortRows.Count() > sortFirstList) sortRows.Delete(sortRows.Count() - 1);
        CBSortBy->SetItemIndex(sortNone);
        const TChartValueLists& lists = series_->ValueLists();
        for (int i = 0; i < lists.Count(); ++i) {
            TChartValueList* list = lists.ValueListAt(i);
            if (list->Name().empty()) continue;
            sortRows.AddObject(list->Name(), list);
            if (list->Order() != loNone) {
                CBSortBy->SetItemIndex(sortRows.Count() - 1);
                CBSortOrder->SetItemIndex(list->Order() == loAscending ? 0 : 1);
            }
        }
        CBSortOrder->SetEnabled(CBSortBy->ItemIndex() != sortNone);
        CBCaseSensitive->SetChecked(!series_->Labels().IgnoreCase());
        CBCaseSensitive->SetEnabled(false);

        const bool depth = lists.Count() < 3;
        for (TControl* c : std::initializer_list<TControl*>{LDepth, EDepth, UDDepth, CBDepth}) c->SetVisible(depth);
    }
}

void TFormZebSeries::CBDepthClick(TObject*)
{
    if (guarded()) return;
    series_->SetDepth(CBDepth->Checked() ? -1 : UDDepth->Position());
}

void TFormZebSeries::EDepthChange(TObject*)
{
    if (guarded() || !UDDepth->Showing()) return;
    series_->SetDepth(UDDepth->Position());
    CBDepth->SetChecked(false);
}

void TFormZebSeries::CBFormatChange(TObject*)
{
    if (!guarded()) series_->SetValueFormat(DelocalizeNumberText(CBFormat->Text()));
}

void TFormZebSeries::EPercentFormatChange(TObject*)
{
    if (!guarded()) series_->SetPercentFormat(DelocalizeNumberText(EPercentFormat->Text()));
}

void TFormZebSeries::Button1Click(TObject*)
{
    CBFormat->SetText(EditValueFormat(this, CBFormat->Text(), true));
    CBFormatChange(CBFormat);
}

void TFormZebSeries::Button2Click(TObject*)
{
    EPercentFormat->SetText(EditValueFormat(this, EPercentFormat->Text(), true));
    EPercentFormatChange(EPercentFormat);
}

void TFormZebSeries::CBHorizAxisChange(TObject*)
{
    const int row = CBHorizAxis->ItemIndex();
    if (guarded() || row < 0) return;
    if (row > aBothHorizAxis)
        series_->SetCustomHorizAxis(static_cast<TChartAxis*>(CBHorizAxis->Items()->GetObject(row)));
    else
        series_->SetHorizAxis(static_cast<THorizAxis>(row));
}

void TFormZebSeries::CBVertAxisChange(TObject*)
{
    const int row = CBVertAxis->ItemIndex();
    if (guarded() || row < 0) return;
    if (row > aBothVertAxis)
        series_->SetCustomVertAxis(static_cast<TChartAxis*>(CBVertAxis->Items()->GetObject(row)));
    else
        series_->SetVertAxis(static_cast<TVertAxis>(row));
}

void TFormZebSeries::CBXDateTimeClick(TObject*)
{
    if (!guarded()) series_->XValues()->SetDateTime(CBXDateTime->Checked());
}

void TFormZebSeries::CBYDateTimeClick(TObject*)
{
    if (!guarded()) series_->YValues()->SetDateTime(CBYDateTime->Checked());
}

void TFormZebSeries::CBZDateTimeClick(TObject*)
{
    if (guarded()) return;
    if (TChartValueList* z = zValues())
        z->SetDateTime(CBZDateTime->Checked());
    else
        CBZDateTime->Hide();
}

void TFormZebSeries::applySort()
{
    const int row = CBSortBy->ItemIndex();
    const TChartListOrder order = CBSortOrder->ItemIndex() == 1 ? loDescending : loAscending;
    auto* chosen = row >= sortFirstList ? static_cast<TChartValueList*>(CBSortBy->Items()->GetObject(row)) : nullptr;
    const TChartValueLists& lists = series_->ValueLists();
    for (int i = 0; i < lists.Count(); ++i) lists.ValueListAt(i)->SetOrder(lists.ValueListAt(i) == chosen ? order : loNone);
    CBSortOrder->SetEnabled(row != sortNone);
    CBCaseSensitive->SetEnabled(row == sortText);
    if (row == sortText)
        series_->SortPointsByLabel(order);
    else if (chosen)
        series_->ApplyValueOrder();
}

void TFormZebSeries::CBSortByChange(TObject*)
{
    if (!guarded()) applySort();
}

void TFormZebSeries::CBSortOrderChange(TObject*)
{
    if (!guarded()) applySort();
}

void TFormZebSeries::CBCaseSensitiveClick(TObject*)
{
    if (guarded()) return;
    series_->Labels().SetIgnoreCase(!CBCaseSensitive->Checked());
    series_->SortPointsByLabel(CBSortOrder->ItemIndex() == 1 ? loDescending : loAscending);
}

void TFormZebSeries::CBShowInLegendClick(TObject*)
{
    if (!guarded() && Showing()) series_->SetShowInLegend(CBShowInLegend->Checked());
}

void TFormZebSeries::ELegendTextChange(TObject*)
{
    if (!guarded()) series_->SetLegendTitle(ELegendText->Text());
}

// ---- colour box ----

void TFormZebSeries::PaintBox1Click(TObject*)
{
    if (!series_) return;
    TColor color = series_->SeriesColor();
    if (PickColor(this, color)) {
        series_->SetSeriesColor(color);
        PaintBox1->Invalidate();
    }
}

void TFormZebSeries::PaintBox1Paint(TObject*)
{
    if (!series_) return;
    TCanvas& c = *PaintBox1->Canvas();
    const TRect r = Rect(0, 4, PaintBox1->Width(), PaintBox1->Height() - 4);
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(PaintBox1->Color());
    c.FillRect(r);
    PaintSeriesSymbol(series_, &c, r);
}

// ---- Data Source ----

void TFormZebSeries::fillSourceStyles()
{
    TStrings& rows = *CBDataSourcestyle->Items();
    while (rows.Count() > styleFirstSourceClass) rows.Delete(rows.Count() - 1);
    sourceClasses_.clear();
    for (const TMetaClass* cls : SeriesSourceClassList()) {
        const TZebSeriesSourceClass* kind = SeriesSourceClassOf(*cls);
        if (!kind || std::find(sourceClasses_.begin(), sourceClasses_.end(), cls) != sourceClasses_.end()) continue;
        if (!kind->AppliesToChart(series_->ParentChart())) continue;
        rows.Add(kind->ListCaption());
        sourceClasses_.push_back(cls);
    }
}

void TFormZebSeries::selectSourceStyle()
{
    if (!series_) return;
    int style = styleManual;
    const TComponent* source = series_->DataSource();
    if (series_->FunctionObject())
        style = styleFunction;
    else if (!source)
        style = series_->Count() > 0 && !series_->ManualData() ? styleRandom : styleManual;
    else if (dynamic_cast<const TChartSeries*>(source))
        style = styleSeries;
    else
        for (size_t i = 0; i < sourceClasses_.size(); ++i)
            if (source->InheritsFrom(*sourceClasses_[i])) {
                style = styleFirstSourceClass + static_cast<int>(i);
                break;
            }
    CBDataSourcestyle->SetItemIndex(style);
    if (style != sourceStyle_) showSourcePanel();
}

void TFormZebSeries::removeSource()
{
    auto* owned = dynamic_cast<TZebSeriesSource*>(series_->DataSource());
    if (owned && owned->Owner() == series_) {
        owned->DetachSeries();
        series_->SetDataSource(nullptr);
        owned->Free();
    }
    series_->SetDataSource(nullptr);
    if (series_->FunctionObject()) series_->AttachFunction(nullptr);
}

void TFormZebSeries::CBDataSourcestyleChange(TObject*)
{
    if (!series_) return;
    // A Save/Apply prompt of the editor being replaced would ask about changes the user dropped.
    if (sourceEditor_)
        if (auto* apply = dynamic_cast<TButton*>(sourceEditor_->FindComponent("BApply"))) apply->SetEnabled(false);
    const int style = CBDataSourcestyle->ItemIndex();
    if (style == styleManual) {
        series_->SetManualData(true);
        removeSource();
    } else if (style == styleRandom) {
        removeSource();
    }
    showSourcePanel();
}

void TFormZebSeries::showSourcePanel()
{
    sourceStyle_ = CBDataSourcestyle->ItemIndex();
    freeSourceEditor();
    if (sourceEditor_) return;
    PanelRandomSource->Hide();
    PanelSeriesSource->Hide();
    if (!series_) return;
    if (sourceStyle_ == styleRandom) {
        const int count = series_->SampleCount() ? series_->SampleCount() : series_->DefaultSampleCount();
        ESamples->SetText(IntToStr(count));
        PanelRandomSource->Show();
        PanelRandomSource->BringToFront();
        BApplyRandom->SetEnabled(false);
    } else if (sourceStyle_ == styleSeries) {
        CBSeriesSource->Items()->Clear();
        listCandidateSources(*series_, *CBSeriesSource->Items());
        CBSeriesSource->SetItemIndex(CBSeriesSource->Items()->IndexOfObject(series_->DataSource()));
        BClearSource->SetEnabled(CBSeriesSource->ItemIndex() >= 0);
        BApplySource->SetEnabled(false);
        PanelSeriesSource->SetAlign(alClient);
        PanelSeriesSource->Show();
        PanelSeriesSource->BringToFront();
    } else if (sourceStyle_ >= styleFunction) {
        const TMetaClass* editorClass = nullptr;
        if (sourceStyle_ == styleFunction)
            editorClass = FindControlGroupClass(FunctionEditorClassName);
        else if (static_cast<size_t>(sourceStyle_ - styleFirstSourceClass) < sourceClasses_.size())
            editorClass = SeriesSourceClassOf(*sourceClasses_[static_cast<size_t>(sourceStyle_ - styleFirstSourceClass)])
                              ->EditorFormClass();
        auto* editor = editorClass ? dynamic_cast<TCustomForm*>(editorClass->CreateInstance(this)) : nullptr;
        if (!editor) return;
        sourceEditor_ = editor;
        editor->FreeNotification(this);
        editor->SetAlign(alClient);
        EmbedEditorForm(*editor, *Panel2, reinterpret_cast<std::int64_t>(series_));
        LocalizeControl(*editor);
        Timer1->SetEnabled(true);
    }
}

void TFormZebSeries::Timer1Timer(TObject*)
{
    // The embedded editor is laid out anew by showing the tab again.
    Timer1->SetEnabled(false);
    PageSeries->SetActivePage(nullptr);
    PageSeries->SetActivePage(TabDataSource);
}

void TFormZebSeries::ESamplesChange(TObject*)
{
    if (!series_ || sourceStyle_ != styleRandom) return;
    series_->SetSampleCount(StrToIntDef(Trim(ESamples->Text()), 0));
    const bool isDefault = series_->SampleCount() == 0 || series_->SampleCount() == series_->DefaultSampleCount();
    CBSamplesDefault->SetChecked(isDefault);
    CBSamplesDefault->SetEnabled(!isDefault);
    BApplyRandom->SetEnabled(true);
}

void TFormZebSeries::CBSamplesDefaultClick(TObject*)
{
    if (!series_ || !CBSamplesDefault->Checked() || !CBSamplesDefault->Enabled()) return;
    ESamples->SetText(IntToStr(series_->DefaultSampleCount()));
    CBSamplesDefault->SetEnabled(false);
}

void TFormZebSeries::BApplyRandomClick(TObject*)
{
    if (!series_) return;
    removeSource();
    series_->FillWithSamples(StrToIntDef(Trim(ESamples->Text()), 0));
    BApplyRandom->SetEnabled(false);
}

void TFormZebSeries::Button3Click(TObject*)
{
    if (!series_) return;
    series_->RemoveAllPoints();
    CBDataSourcestyle->SetItemIndex(styleManual);
    CBDataSourcestyleChange(CBDataSourcestyle);
}

void TFormZebSeries::CBSeriesSourceChange(TObject*) { BApplySource->SetEnabled(true); }

void TFormZebSeries::BApplySourceClick(TObject*)
{
    if (!series_) return;
    const int row = CBSeriesSource->ItemIndex();
    series_->SetDataSource(row >= 0 ? static_cast<TComponent*>(CBSeriesSource->Items()->GetObject(row)) : nullptr);
    BApplySource->SetEnabled(false);
    BClearSource->SetEnabled(row >= 0);
}

void TFormZebSeries::BClearSourceClick(TObject*)
{
    CBSeriesSource->SetItemIndex(-1);
    BApplySourceClick(BApplySource);
}

// ---- chart events ----

void TFormZebSeries::HandleChartEvent(TZebEvent& event)
{
    if (IsDestroying()) return;
    auto* e = dynamic_cast<TZebSeriesEvent*>(&event);
    if (!e) return;
    if (e->Kind == seColorChanged) PaintBox1->Invalidate();
    if ((e->Kind == seRemoving || e->Kind == seRemoved) && e->Series && e->Series == series_) {
        RemoveClassTabs();
        SetCurrentSeries(nullptr);
        lastLoaded_ = nullptr;
        const int row = CBSeries->Items()->IndexOfObject(e->Series);
        if (row >= 0) CBSeries->Items()->Delete(row);
        CBSeries->SetItemIndex(-1);
        CBSeriesChange(CBSeries);
    }
    if (OnSeriesEvent) OnSeriesEvent(this, event);
}

// ---- routines ----

TCustomForm* AddSeriesEditorTab(TComponent* control, const TMetaClass& formClass, TObject* object,
                                const String& caption, int pageIndex)
{
    auto* host = control ? dynamic_cast<TFormZebSeries*>(control->Owner()) : nullptr;
    if (host) {
        auto* tab = new TTabSheet(host);
        tab->SetPageControl(host->PageSeries);
        tab->SetPageIndex(pageIndex);
        tab->SetCaption(caption);
        auto* form = dynamic_cast<TCustomForm*>(formClass.CreateInstance(host));
        if (!form) return nullptr;
        form->SetAlign(alClient);
        LocalizeControl(*form);
        EmbedEditorForm(*form, *tab, reinterpret_cast<std::int64_t>(object));
        return form;
    }
    auto* form = dynamic_cast<TCustomForm*>(formClass.CreateInstance(control));
    if (!form) return nullptr;
    form->SetCaption(caption);
    form->SetTag(reinterpret_cast<std::int64_t>(object));
    return form;
}

void EditSeriesModal(TComponent* owner, TChartSeries* series)
{
    TOwnedPtr<TFormZebSeries> page(CreateEditorDialog<TFormZebSeries>(owner));
    LocalizeControl(*page);
    page->SetBorderIcons({biSystemMenu});
    page->SetCaption("Editing " + series->Name());
    page->SetTag(reinterpret_cast<std::int64_t>(series));
    page->PanelTop->Hide();
    page->ShowDataSourceTab = false;
    page->SetCurrentSeries(series);
    page->CBSeries->Items()->Clear();
    page->CBSeries->Items()->AddObject(series->Name(), series);
    page->CBSeries->SetItemIndex(0);
    page->CBSeriesChange(page->CBSeries);
    page->ShowModal();
}

void GetMarkStyleNames(TStrings& list)
{
    TOwnedPtr<TFormZebSeries> page(new TFormZebSeries(nullptr));
    LocalizeControl(*page);
    list.AddStrings(*page->RGMarkStyle->Items());
}
