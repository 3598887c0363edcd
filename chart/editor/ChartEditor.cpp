#include "chart/editor/ChartEditor.h"

#include <algorithm>
#include <optional>

#include "chart/canvas/CanvasServices.h"
#include "chart/core/Chart.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/ControlRoutines.h"
#include "chart/core/EditorRegistry.h"
#include "chart/core/SeriesGroups.h"
#include "chart/core/SeriesTypes.h"
#include "chart/core/TextRoutines.h"
#include "chart/core/UnitStarts.h"
#include "chart/editor/EditorButtons.h"
#include "chart/editor/EditorResources.h"
#include "chart/editor/EditorRoutines.h"
#include "chart/editor/ExportForm.h"
#include "chart/editor/SeriesEditorFlags.h"
#include "chart/editor/SeriesPage.h"
#include "chart/editor/ZebNavigator.h"
#include "chart/editor/pages/CustomSeriesEditor.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Published.h"
#include "platform/forms/Buttons.h"
#include "platform/forms/CheckListBox.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/FormComponents.h"
#include "platform/forms/Menus.h"
#include "platform/forms/PageControl.h"
#include "platform/forms/SpeedButton.h"
#include "platform/forms/Splitter.h"
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/Convert.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/MathUtils.h"
#include "platform/rtl/StringList.h"

namespace {

TUnitStarts chartEditorStarts;

bool hasFlag(const TChartSeries* series, TSeriesEditorFlag flag) { return HasEditorFlag(series, flag); }

// Caption-button height of the window system; it has no metrics here.
constexpr int CaptionButtonHeight = 18;

// A size text of the design: its number, else the design value itself.
int designSize(const char* text, int fallback) { return StrToIntDef(text, fallback); }

}  // namespace

std::vector<TEditorExtensionHook>& EditorExtensionHooks()
{
    static std::vector<TEditorExtensionHook> hooks;
    return hooks;
}

// ---- dialog ----

TV_PUBLISHED(TChartEditForm)
{
    Method("FormCreate", &TChartEditForm::FormCreate);
    Method("FormShow", &TChartEditForm::FormShow);
    Method("FormDestroy", &TChartEditForm::FormDestroy);
    Method("FormCloseQuery", &TChartEditForm::FormCloseQuery);
    Method("MainPageChange", &TChartEditForm::MainPageChange);
    Method("MainPageChanging", &TChartEditForm::MainPageChanging);
    Method("SubPageChange", &TChartEditForm::SubPageChange);
    Method("SubPageChanging", &TChartEditForm::SubPageChanging);
    Method("BAddGroupClick", &TChartEditForm::BAddGroupClick);
    Method("BDeleteGroupClick", &TChartEditForm::BDeleteGroupClick);
    Method("BRenameGroupClick", &TChartEditForm::BRenameGroupClick);
    Method("SpeedSeriesMouseDown", &TChartEditForm::SpeedSeriesMouseDown);
    Method("GroupsClick", &TChartEditForm::GroupsClick);
    Method("GroupsClickCheck", &TChartEditForm::GroupsClickCheck);
    Method("BMoveUPClick", &TChartEditForm::BMoveUPClick);
    Method("BMoveDownClick", &TChartEditForm::BMoveDownClick);
    Method("BAddSeriesClick", &TChartEditForm::BAddSeriesClick);
    Method("BDeleteSeriesClick", &TChartEditForm::BDeleteSeriesClick);
    Method("BRenameSeriesClick", &TChartEditForm::BRenameSeriesClick);
    Method("BCloneSeriesClick", &TChartEditForm::BCloneSeriesClick);
    Method("BChangeTypeSeriesClick", &TChartEditForm::BChangeTypeSeriesClick);
    Method("LBSeriesClick", &TChartEditForm::LBSeriesClick);
    Method("LBSeriesEditSeries", &TChartEditForm::LBSeriesEditSeries);
    Method("LBSeriesOtherItemsChange", &TChartEditForm::LBSeriesOtherItemsChange);
    Method("LBSeriesRefreshButtons", &TChartEditForm::LBSeriesRefreshButtons);
    Method("LBSeriesRemovedSeries", &TChartEditForm::LBSeriesRemovedSeries);
    Method("ViewSeriesNames1Click", &TChartEditForm::ViewSeriesNames1Click);
    Method("ViewSeriesGroups1Click", &TChartEditForm::ViewSeriesGroups1Click);
    Method("SBMergeSeriesClick", &TChartEditForm::SBMergeSeriesClick);
    Method("PopupListSeriesPopup", &TChartEditForm::PopupListSeriesPopup);
    Method("HideOther1Click", &TChartEditForm::HideOther1Click);
    Method("ShowAll1Click", &TChartEditForm::ShowAll1Click);
    Method("SelectAll1Click", &TChartEditForm::SelectAll1Click);
    Method("SelectNone1Click", &TChartEditForm::SelectNone1Click);
}

TChartEditForm::TChartEditForm(TComponent* owner) : TForm(owner) { InitEditorForm(*this, "TChartEditForm"); }

TChartEditForm::~TChartEditForm() = default;

void TChartEditForm::Loaded()
{
    TForm::Loaded();
    FindFormComponent(*this, MainPage, "MainPage");
    FindFormComponent(*this, TabChart, "TabChart");
    FindFormComponent(*this, SubPage, "SubPage");
    FindFormComponent(*this, TabSeriesList, "TabSeriesList");
    FindFormComponent(*this, TabGeneral, "TabGeneral");
    FindFormComponent(*this, TabAxis, "TabAxis");
    FindFormComponent(*this, TabTitle, "TabTitle");
    FindFormComponent(*this, TabLegend, "TabLegend");
    FindFormComponent(*this, TabPanel, "TabPanel");
    FindFormComponent(*this, TabPaging, "TabPaging");
    FindFormComponent(*this, TabWalls, "TabWalls");
    FindFormComponent(*this, Tab3D, "Tab3D");
    FindFormComponent(*this, TabSeries, "TabSeries");
    FindFormComponent(*this, TabTools, "TabTools");
    FindFormComponent(*this, TabAnimations, "TabAnimations");
    FindFormComponent(*this, TabExport, "TabExport");
    FindFormComponent(*this, TabPrint, "TabPrint");
    FindFormComponent(*this, PanTop, "PanTop");
    FindFormComponent(*this, BAddGroup, "BAddGroup");
    FindFormComponent(*this, BDeleteGroup, "BDeleteGroup");
    FindFormComponent(*this, BRenameGroup, "BRenameGroup");
    FindFormComponent(*this, SpeedSeries, "SpeedSeries");
    FindFormComponent(*this, PanelFront, "PanelFront");
    FindFormComponent(*this, PanelGroups, "PanelGroups");
    FindFormComponent(*this, Groups, "Groups");
    FindFormComponent(*this, Splitter1, "Splitter1");
    FindFormComponent(*this, LBSeries, "LBSeries");
    FindFormComponent(*this, PanRight, "PanRight");
    FindFormComponent(*this, BMoveUP, "BMoveUP");
    FindFormComponent(*this, BMoveDown, "BMoveDown");
    FindFormComponent(*this, BAddSeries, "BAddSeries");
    FindFormComponent(*this, BDeleteSeries, "BDeleteSeries");
    FindFormComponent(*this, BRenameSeries, "BRenameSeries");
    FindFormComponent(*this, BCloneSeries, "BCloneSeries");
    FindFormComponent(*this, BChangeTypeSeries, "BChangeTypeSeries");
    FindFormComponent(*this, Splitter2, "Splitter2");
    FindFormComponent(*this, PanBot, "PanBot");
    FindFormComponent(*this, PanBottom, "PanBottom");
    FindFormComponent(*this, PanClose, "PanClose");
    FindFormComponent(*this, BClose, "BClose");
    FindFormComponent(*this, PopupSeries, "PopupSeries");
    FindFormComponent(*this, ViewSeriesNames1, "ViewSeriesNames1");
    FindFormComponent(*this, ViewSeriesGroups1, "ViewSeriesGroups1");
    FindFormComponent(*this, SBMergeSeries, "SBMergeSeries");
    FindFormComponent(*this, PopupListSeries, "PopupListSeries");
    FindFormComponent(*this, HideOther1, "HideOther1");
    FindFormComponent(*this, ShowAll1, "ShowAll1");
    FindFormComponent(*this, HideAll1, "HideAll1");
    FindFormComponent(*this, SelectAll1, "SelectAll1");
    FindFormComponent(*this, SelectNone1, "SelectNone1");
}

void TChartEditForm::Notification(TComponent* component, TOperation operation)
{
    TForm::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == chart_) chart_ = nullptr;
    if (component == startSeries_) startSeries_ = nullptr;
    if (component == LBSeries) LBSeries = nullptr;
    if (component == seriesPage_) {
        seriesPage_ = nullptr;
        if (LBSeries) LBSeries->SetOtherItems(nullptr);
    }
}

void TChartEditForm::FormCreate(TObject*)
{
    const int ppi = Screen->PixelsPerInch();
    const int height = designSize("347", 347) * ppi / 96 + CaptionButtonHeight - 18;
    SetBounds(Left(), Top(), designSize("414", 414) * ppi / 96, height);
    chart_ = nullptr;
    SetCaption(String());
    defaultTab_ = -1;
    options_ = DefaultChartEditorOptions;
    MainPage->SetActivePage(TabChart);
    SubPage->SetActivePage(TabSeriesList);
    hiddenTabs_ = {};
    rememberPosition_ = ReadEditorBool("RememberPosition", true);
    rememberSize_ = ReadEditorBool("RememberSize", true);
    const String font = ReadEditorString("DefaultEditorFont", String());
    if (!font.empty()) {
        const String name = PickField(font, 1);
        if (!name.empty()) Font()->SetName(name);
        const int size = StrToIntDef(PickField(font, 2), 0);
        if (size > 0) Font()->SetSize(size);
        const String colorText = PickField(font, 3);
        int color = 0;
        if (TryStrToInt(colorText, color)) Font()->SetColor(static_cast<TColor>(color));
    }
    if (ReadEditorBool("SeriesGroups", false)) options_ += TChartEditorOptions{ceGroups};
    galleryWidth_ = galleryHeight_ = 0;
    Groups->SetOnClickCheck(TNotifyEvent(this, &TChartEditForm::GroupsClickCheck));
    Groups->SetOnDragOver(TDragOverEvent(this, &TChartEditForm::GroupsDragOver));
    Groups->SetOnDragDrop(TDragDropEvent(this, &TChartEditForm::GroupsDragDrop));
    LBSeries->SetOtherItems(nullptr);
}

void TChartEditForm::SetChart(TCustomChart* value)
{
    if (value != chart_) {
        if (chart_) chart_->RemoveFreeNotification(this);
        chart_ = value;
        if (chart_) chart_->FreeNotification(this);
        LBSeries->SetChart(chart_);
    }
    MainPage->SetEnabled(chart_ != nullptr);
    SubPage->SetEnabled(chart_ != nullptr);
    if (chart_ && PanBottom->Visible()) LoadFormPlacement(*this, EditorRegistryKey, rememberPosition_, rememberSize_);
}

void TChartEditForm::FormShow(TObject*)
{
    ViewSeriesGroups1->SetChecked(options_.Contains(ceGroups));
    TBitmap up, down;
    LoadArrowBitmaps(up, down);
    BMoveUP->SetGlyph(&up);
    BMoveDown->SetGlyph(&down);
    TabTools->SetTabVisible(RegisteredToolTypes().Count() > 0);
    TabAnimations->SetTabVisible(RegisteredAnimationTypes().Count() > 0);
    if (!chart_) return;
    SpeedSeries->SetVisible(options_.Contains(ceGroups));
    LBSeries->SetChart(chart_);
    if (Caption().empty()) SetCaption(Format("Editing %s", {chart_->Name()}));
    ApplyHiddenTabs();
    for (const TEditorExtensionHook& hook : std::vector<TEditorExtensionHook>(EditorExtensionHooks()))
        hook(*this, chart_, nullptr, *MainPage);
    UpdateGroupsPanel();
    if (defaultTab_ != -1) SelectStartTab();
    if (startSeries_) {
        LBSeries->ClearSelection();
        LBSeries->SelectSeries(startSeries_);
        MainPage->SetActivePage(TabSeries);
        ShowSeriesPage();
    } else if (defaultTab_ == -1) {
        selectFirstSeries();
    }
    if (seriesListShown()) {
        if (LBSeries->Count() == 0)
            RefreshButtons();
        else
            selectFirstSeries();
    } else {
        RefreshButtons();
    }
}

void TChartEditForm::FormDestroy(TObject*)
{
    WriteEditorBool("SeriesGroups", options_.Contains(ceGroups));
    if (chart_ && PanBottom->Visible()) SaveFormPlacement(*this, EditorRegistryKey, rememberPosition_, rememberSize_);
}

void TChartEditForm::FormCloseQuery(TObject*, bool& CanClose)
{
    CanClose = true;
    if (seriesPage_) seriesPage_->FormCloseQuery(seriesPage_, CanClose);
}

void TChartEditForm::ApplyHiddenTabs()
{
    TTabSheet* const byTab[] = {TabSeriesList, TabGeneral, TabAxis,   TabTitle,  TabLegend, TabPanel,
                                TabPaging,     TabWalls,   Tab3D,     nullptr,   nullptr,   TabSeries,
                                nullptr,       TabExport,  nullptr,   TabTools,  TabAnimations, TabPrint};
    for (int t = cetMain; t <= cetPrintPreview; ++t)
        if (hiddenTabs_.Contains(static_cast<TChartEditorTab>(t)) && byTab[t]) byTab[t]->SetTabVisible(false);
    bool anySub = false;
    for (int i = 0; i < SubPage->PageCount(); ++i) anySub = anySub || SubPage->Pages(i)->TabVisible();
    if (!anySub) TabChart->SetTabVisible(false);
}

void TChartEditForm::SelectStartTab()
{
    switch (defaultTab_) {
    case cetSeriesData: return;  // the Data tab comes with the data grid
    case cetExport: MainPage->SetActivePage(TabExport); return MainPageChange(MainPage);
    case cetTools: MainPage->SetActivePage(TabTools); return MainPageChange(MainPage);
    case cetAnimations: MainPage->SetActivePage(TabAnimations); return MainPageChange(MainPage);
    case cetPrintPreview: MainPage->SetActivePage(TabPrint); return MainPageChange(MainPage);
    default: break;
    }
    if (defaultTab_ < cetMain || defaultTab_ > cet3D) return;
    const int last = SubPage->PageCount() - 1;
    int found = -1;
    for (int i = defaultTab_; i <= last && found < 0; ++i)
        if (SubPage->Pages(i)->TabVisible()) found = i;
    for (int i = defaultTab_; i >= 0 && found < 0; --i)
        if (SubPage->Pages(i)->TabVisible()) found = i;
    if (found >= 0) {
        defaultTab_ = found;
        SubPage->SetActivePage(SubPage->Pages(found));
        return SubPageChange(SubPage);
    }
    for (TTabSheet* tab : {TabTools, TabAnimations, TabExport, TabPrint})
        if (tab->TabVisible()) {
            MainPage->SetActivePage(tab);
            return MainPageChange(MainPage);
        }
}

// The show sequence runs before the window is on screen: the list counts as shown when its tabs
// are the active ones.
bool TChartEditForm::seriesListShown() const
{
    return LBSeries->Visible() && MainPage->ActivePage() == TabChart && SubPage->ActivePage() == TabSeriesList;
}

void TChartEditForm::selectFirstSeries()
{
    if (LBSeries->Count() == 0) return;
    if (LBSeries->CanFocus()) LBSeries->SetFocus();
    LBSeries->SetItemIndex(0);
    if (LBSeries->MultiSelect()) LBSeries->SetSelected(0, true);
    RefreshButtons();
}

// ---- page changes ----

void TChartEditForm::MainPageChanging(TObject*, bool& AllowChange)
{
    AllowChange = true;
    if (seriesPage_) seriesPage_->FormCloseQuery(seriesPage_, AllowChange);
    if (AllowChange && highlightTabs_ && MainPage->ActivePage()) MainPage->ActivePage()->SetHighlighted(false);
}

void TChartEditForm::MainPageChange(TObject*)
{
    TTabSheet* tab = MainPage->ActivePage();
    if (highlightTabs_ && tab) tab->SetHighlighted(true);
    if (tab == TabSeries) return ShowSeriesPage();
    if (tab == TabExport) {
        if (TabExport->ControlCount() == 0) {
            auto* form = new TZebExportForm(this);
            form->SetAlign(alClient);
            EmbedEditorForm(*form, *TabExport, reinterpret_cast<std::int64_t>(chart_));
            if (form->BClose) form->BClose->Hide();
        }
        return;
    }
    if (tab == TabTools || tab == TabAnimations || tab == TabPrint) return;
    for (const TEditorExtensionHook& hook : std::vector<TEditorExtensionHook>(EditorExtensionHooks()))
        hook(*this, chart_, tab, *MainPage);
}

void TChartEditForm::SubPageChanging(TObject*, bool& AllowChange)
{
    AllowChange = true;
    if (highlightTabs_ && SubPage->ActivePage()) SubPage->ActivePage()->SetHighlighted(false);
}

// The chart pages (General, Axis ...) come with their own units; a page whose class is not
// registered leaves its tab empty.
void TChartEditForm::SubPageChange(TObject*)
{
    TTabSheet* tab = SubPage->ActivePage();
    if (highlightTabs_ && tab) tab->SetHighlighted(true);
    if (!chart_ || !tab || tab == TabSeriesList || tab->ControlCount() > 0) return;
    static const char* const pageClasses[] = {"",               "TFormZebGeneral", "TFormZebAxis",
                                              "TFormZebTitle",  "TFormZebLegend",  "TFormZebPanel",
                                              "TFormZebPage",   "TFormZebWall",    "TFormZeb3D"};
    const int index = tab->PageIndex();
    if (index <= 0 || index > 8) return;
    const TMetaClass* cls = FindControlGroupClass(pageClasses[index]);
    auto* page = cls ? dynamic_cast<TCustomForm*>(cls->CreateInstance(this)) : nullptr;
    if (!page) return;
    page->SetAlign(alClient);
    MatchParentFormScale(*page);
    EmbedEditorForm(*page, *tab, reinterpret_cast<std::int64_t>(chart_));
    LocalizeControl(*page);
}

// ---- series list ----

void TChartEditForm::putSeriesTabBack()
{
    if (!TabSeries->PageControl()) TabSeries->SetPageControl(MainPage);
}

void TChartEditForm::ShowSeriesPage()
{
    if (!seriesPage_) {
        seriesPage_ = new TFormZebSeries(this);
        LBSeries->SetOtherItems(seriesPage_->CBSeries->Items());
        seriesPage_->SeriesListBox = LBSeries;
        seriesPage_->SetBorderIcons({});
        seriesPage_->SetBorderStyle(bsNone);
        seriesPage_->SetParent(TabSeries);
        seriesPage_->SetAlign(alClient);
        seriesPage_->ShowDataSourceTab = options_.Contains(ceDataSource);
        seriesPage_->ShowGeneralTab = !hiddenTabs_.Contains(cetSeriesGeneral);
        seriesPage_->ShowMarksTab = !hiddenTabs_.Contains(cetSeriesMarks);
        seriesPage_->SetCurrentSeries(LBSeries->SelectedSeries());
        LBSeries->FillItems(LBSeries->SelectedSeries());
        MatchParentFormScale(*seriesPage_);
        if (seriesPage_->ParentFont()) seriesPage_->SetFont(TabSeries->Font());
        seriesPage_->Show();
        LocalizeControlExcept(*seriesPage_, {seriesPage_->CBSeries});
    } else {
        seriesPage_->SetCurrentSeries(LBSeries->SelectedSeries());
    }
    putSeriesTabBack();
    seriesPage_->SelectCurrentSeries();
}

void TChartEditForm::resetSeriesPage()
{
    if (!seriesPage_) return;
    putSeriesTabBack();
    seriesPage_->RemoveClassTabs();
    seriesPage_->SetCurrentSeries(LBSeries->SelectedSeries());
}

void TChartEditForm::RefreshButtons()
{
    if (!chart_) return;
    // The row's own series: rows skip series that editors do not show.
    TChartSeries* series = LBSeries->SelectedSeries();
    const bool current = chart_->SeriesList().Count() > 0 && LBSeries->Enabled() && LBSeries->Visible() && series;
    const bool inherited = series && series->ComponentState().Contains(csAncestor);
    const bool several = LBSeries->SelCount() >= 2;
    BAddSeries->SetEnabled(options_.Contains(ceAdd) && static_cast<bool>(AddSeriesGalleryHook));
    LBSeries->SetAllowAddSeries(options_.Contains(ceAdd));
    const bool canDelete = current && !inherited && options_.Contains(ceDelete) && !hasFlag(series, sefFixed) &&
                           !hasFlag(series, sefNoDelete);
    BDeleteSeries->SetEnabled(canDelete);
    LBSeries->SetAllowDeleteSeries(canDelete);
    LBSeries->SetAskDelete(options_.Contains(ceAskDelete));
    BRenameSeries->SetEnabled(current && !several && options_.Contains(ceTitle));
    const bool canChange = current && !inherited && options_.Contains(ceChange) && !hasFlag(series, sefNoTypeChange);
    BChangeTypeSeries->SetEnabled(canChange && static_cast<bool>(ChangeSeriesTypeGalleryHook));
    if (!canChange && LBSeries->ShowSeriesIcon() && LBSeries->EnableChangeType()) LBSeries->SetEnableChangeType(false);
    BCloneSeries->SetEnabled(current && !several && options_.Contains(ceClone) && !hasFlag(series, sefFixed) &&
                             !hasFlag(series, sefNoClone));
    if (current && !several) {
        BMoveDown->SetEnabled(LBSeries->CurrentRow() < LBSeries->Count() - 1);
        BMoveUP->SetEnabled(LBSeries->CurrentRow() > 0);
    } else {
        BMoveDown->SetEnabled(false);
        BMoveUP->SetEnabled(false);
    }
    const bool order = options_.Contains(ceOrderSeries);
    LBSeries->SetEnableDragSeries(order);
    BMoveUP->SetVisible(order);
    BMoveDown->SetVisible(order);
    if (current && SBMergeSeries->Checked()) ShowSeriesPage();
}

void TChartEditForm::BMoveUPClick(TObject*) { LBSeries->MoveUp(); }

void TChartEditForm::BMoveDownClick(TObject*) { LBSeries->MoveDown(); }

void TChartEditForm::BAddSeriesClick(TObject*)
{
    putSeriesTabBack();
    TChartSeries* series = LBSeries->AddSeries();
    if (series && PanelGroups->Visible() && currentGroup()) {
        currentGroup()->AppendSeries(series);
        LBSeries->RefreshItems();
    }
    if (series && series->FunctionObject()) {
        MainPage->SetActivePage(TabSeries);
        ShowSeriesPage();
        seriesPage_->PageSeries->SetActivePage(seriesPage_->TabDataSource);
        seriesPage_->PageSeriesChange(seriesPage_->PageSeries);
    }
    if (LBSeries->CanFocus()) LBSeries->SetFocus();
}

void TChartEditForm::BDeleteSeriesClick(TObject*)
{
    putSeriesTabBack();
    LBSeries->DeleteSelected();
    if (seriesPage_) {
        seriesPage_->SetCurrentSeries(nullptr);
        resetSeriesPage();
    }
}

void TChartEditForm::BRenameSeriesClick(TObject*)
{
    LBSeries->RenameSelected();
    if (PanBottom->Visible() && LBSeries->CanFocus()) SetActiveControl(LBSeries);
}

void TChartEditForm::BCloneSeriesClick(TObject*) { LBSeries->CloneSelected(); }

void TChartEditForm::BChangeTypeSeriesClick(TObject*)
{
    LBSeries->ChangeTypeOfSelected();
    resetSeriesPage();
}

void TChartEditForm::LBSeriesClick(TObject*) { RefreshButtons(); }

void TChartEditForm::LBSeriesRefreshButtons(TObject*) { RefreshButtons(); }

void TChartEditForm::LBSeriesEditSeries(TChartListBox*, int)
{
    if (LBSeries->CurrentRow() < 0) return;
    MainPage->SetActivePage(TabSeries);
    ShowSeriesPage();
}

void TChartEditForm::LBSeriesOtherItemsChange(TObject*)
{
    if (!seriesPage_) return;
    putSeriesTabBack();
    seriesPage_->CBSeries->SetItemIndex(LBSeries->CurrentRow());
}

void TChartEditForm::LBSeriesRemovedSeries(TChartListBox*, TCustomChartSeries*) {}

// ---- groups ----

TSeriesGroup* TChartEditForm::currentGroup() const
{
    if (!chart_ || !chart_->SeriesGroups()) return nullptr;
    const int index = Groups->ItemIndex() - groupsOffset();
    return index >= 0 && index < chart_->SeriesGroups()->Count() ? chart_->SeriesGroups()->GetGroup(index) : nullptr;
}

void TChartEditForm::UpdateGroupsPanel()
{
    const bool groups = options_.Contains(ceGroups);
    ShowControls(groups, {BAddGroup, BDeleteGroup, BRenameGroup, PanelGroups, Splitter1});
    if (groups) FillGroups();
    SpeedSeries->SetLeft(LBSeries->Left());
}

void TChartEditForm::FillGroups()
{
    // The show sequence fills it before the window is on screen.
    if (!PanelGroups->Visible() || !chart_) return;
    const int row = std::max(0, Groups->ItemIndex());
    Groups->Items()->Clear();
    if (options_.Contains(ceGroupAll)) {
        Groups->Items()->Add("(all)");
        Groups->SetChecked(0, chart_->SeriesList().IsEverySeriesActive());
    }
    if (TSeriesGroups* groups = chart_->SeriesGroups())
        for (int i = 0; i < groups->Count(); ++i) {
            TSeriesGroup* group = groups->GetGroup(i);
            const int at = Groups->Items()->Add(group->Name());
            const TSeriesGroupActive active = group->Active();
            Groups->SetState(at, active == gaYes ? cbChecked : active == gaNo ? cbUnchecked : cbGrayed);
        }
    if (Groups->Count() > 0) Groups->SetItemIndex(std::min(row, Groups->Count() - 1));
    GroupsClick(Groups);
}

void TChartEditForm::refillGroupsKeepingRow() { FillGroups(); }

TSeriesGroup* TChartEditForm::groupAtRow(int row) const
{
    const int index = row - groupsOffset();
    return chart_ && chart_->SeriesGroups() && index >= 0 && index < chart_->SeriesGroups()->Count()
               ? chart_->SeriesGroups()->GetGroup(index)
               : nullptr;
}

void TChartEditForm::GroupsDragOver(TObject*, TObject* Source, int X, int Y, TDragState, bool& Accept)
{
    auto* list = dynamic_cast<TChartListBox*>(Source);
    const int row = Groups->ItemAtPos(Point(X, Y), true);
    Accept = list && row >= 0;
    if (!Accept) return;
    TSeriesGroup* group = groupAtRow(row);
    TChartSeries* series = list->SelectedSeries();
    if (group) Accept = series && !group->Series().Contains(series);
}

// Dropping moves the series from the current group to the row's; onto "(all)" it only leaves it.
void TChartEditForm::GroupsDragDrop(TObject*, TObject* Source, int X, int Y)
{
    auto* list = dynamic_cast<TChartListBox*>(Source);
    TChartSeries* series = list ? list->SelectedSeries() : nullptr;
    const int row = Groups->ItemAtPos(Point(X, Y), true);
    if (!series || row < 0) return;
    TSeriesGroup* target = groupAtRow(row);
    if (target && !target->Series().Contains(series)) target->AppendSeries(series);
    TSeriesGroup* current = currentGroup();
    if (current && current != target) current->Series().Remove(series);
    FillGroups();
    Groups->SetItemIndex(row);
    GroupsClick(Groups);
}

void TChartEditForm::GroupsClick(TObject*)
{
    LBSeries->SetSeriesGroup(currentGroup());
    const bool enabled = Groups->ItemIndex() >= groupsOffset();
    BDeleteGroup->SetEnabled(enabled);
    BRenameGroup->SetEnabled(enabled);
}

void TChartEditForm::GroupsClickCheck(TObject*)
{
    if (!chart_) return;
    const int row = Groups->ItemIndex();
    if (options_.Contains(ceGroupAll) && row == 0) {
        chart_->SeriesList().SetEverySeriesActive(Groups->Checked(0));
        FillGroups();
        return;
    }
    if (TSeriesGroup* group = currentGroup()) {
        const TCheckBoxState state = Groups->State(row);
        group->SetActive(state == cbChecked ? gaYes : state == cbUnchecked ? gaNo : gaSome);
    }
    if (options_.Contains(ceGroupAll)) Groups->SetChecked(0, chart_->SeriesList().IsEverySeriesActive());
    GroupsClick(Groups);
}

void TChartEditForm::BAddGroupClick(TObject*)
{
    if (!chart_) return;
    String name;
    do {
        if (!InputQuery("Add new group", "Group name:", name)) return;
    } while (name.empty());
    chart_->SeriesGroups()->AddGroup()->SetName(name);
    FillGroups();
    Groups->SetItemIndex(Groups->Count() - 1);
    GroupsClick(Groups);
}

void TChartEditForm::BRenameGroupClick(TObject*)
{
    TSeriesGroup* group = currentGroup();
    if (!group) return;
    String name = Groups->Items()->Get(Groups->ItemIndex());
    if (!InputQuery("Change group name", "Group name:", name)) return;
    group->SetName(name);
    FillGroups();
}

void TChartEditForm::BDeleteGroupClick(TObject*)
{
    TSeriesGroup* group = currentGroup();
    if (!group || !ConfirmDelete(Groups->Items()->Get(Groups->ItemIndex()), Groups)) return;
    LBSeries->SetSeriesGroup(nullptr);
    delete group;
    FillGroups();
}

// ---- menus ----

void TChartEditForm::SpeedSeriesMouseDown(TObject*, TMouseButton, TShiftState, int, int)
{
    const TPoint at = SpeedSeries->Parent()->ClientToScreen(Point(SpeedSeries->Left(), SpeedSeries->Top() + SpeedSeries->Height()));
    PopupSeries->Popup(at.X, at.Y);
    SpeedSeries->SetDown(false);
}

void TChartEditForm::ViewSeriesNames1Click(TObject*)
{
    ViewSeriesNames1->SetChecked(!ViewSeriesNames1->Checked());
    putSeriesTabBack();
    LBSeries->SetShowSeriesNames(ViewSeriesNames1->Checked());
    BRenameSeries->SetCaption(ViewSeriesNames1->Checked() ? "&Name..." : "&Title...");
    SpeedSeries->SetDown(false);
}

void TChartEditForm::ViewSeriesGroups1Click(TObject*)
{
    ViewSeriesGroups1->SetChecked(!ViewSeriesGroups1->Checked());
    if (ViewSeriesGroups1->Checked())
        options_ += TChartEditorOptions{ceGroups};
    else
        options_ -= TChartEditorOptions{ceGroups};
    UpdateGroupsPanel();
    SpeedSeries->SetDown(false);
}

void TChartEditForm::SBMergeSeriesClick(TObject*)
{
    SBMergeSeries->SetChecked(!SBMergeSeries->Checked());
    if (SBMergeSeries->Checked()) {
        Splitter2->Show();
        PanBot->SetHeight(200);
        PanelFront->SetAlign(alTop);
        PanBot->SetAlign(alClient);
        TabSeries->SetPageControl(nullptr);
        TabSeries->SetParent(PanBot);
        TabSeries->SetAlign(alClient);
        ShowSeriesPage();
        TabSeries->SetParent(PanBot);
        seriesPage_->PanelTop->Hide();
        TabSeries->Show();
        Splitter2->SetAlign(alBottom);
        Splitter2->SetAlign(alTop);
    } else {
        Splitter2->Hide();
        PanelFront->SetAlign(alClient);
        PanBot->SetAlign(alBottom);
        PanBot->SetHeight(12);
        if (seriesPage_) seriesPage_->PanelTop->Show();
        putSeriesTabBack();
    }
}

void TChartEditForm::PopupListSeriesPopup(TObject*)
{
    HideOther1->SetEnabled(LBSeries->CurrentRow() >= 0);
    ShowAll1->SetEnabled(chart_ && !chart_->SeriesList().IsEverySeriesActive());
}

// Shows exactly the selected rows' series. Rows skip series that editors do not show, so each
// row's own series is used; the others are hidden.
void TChartEditForm::HideOther1Click(TObject*)
{
    if (!chart_) return;
    for (TChartSeries* series : chart_->SeriesList()) {
        const int row = LBSeries->Items()->IndexOfObject(series);
        series->SetActive(row >= 0 && LBSeries->Selected(row));
    }
}

void TChartEditForm::ShowAll1Click(TObject* Sender)
{
    if (chart_) chart_->SeriesList().SetEverySeriesActive(Sender == ShowAll1);
}

void TChartEditForm::SelectAll1Click(TObject*) { LBSeries->SelectAll(); }

void TChartEditForm::SelectNone1Click(TObject*) { LBSeries->ClearSelection(); }

// ---- component ----

TV_PUBLISHED(TCustomChartEditor)
{
    Prop("Chart", &TCustomChartEditor::Chart, &TCustomChartEditor::SetChart);
    Prop("OnShow", &TCustomChartEditor::OnShow, &TCustomChartEditor::SetOnShow);
    Prop("OnClose", &TCustomChartEditor::OnClose, &TCustomChartEditor::SetOnClose);
}

TCustomChartEditor::TCustomChartEditor(TComponent* owner) : TComponent(owner) {}

TCustomChartEditor::~TCustomChartEditor() = default;

void TCustomChartEditor::SetChart(TCustomChart* value)
{
    if (value == chart_) return;
    if (chart_) chart_->RemoveFreeNotification(this);
    chart_ = value;
    if (chart_) chart_->FreeNotification(this);
}

void TCustomChartEditor::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == chart_) chart_ = nullptr;
}

TV_PUBLISHED(TChartEditor)
{
    Prop("AutoRepaint", &TChartEditor::AutoRepaint, &TChartEditor::SetAutoRepaint, true);
    PropEnum("DefaultTab", &TChartEditor::DefaultTab, &TChartEditor::SetDefaultTab, cetMain, TChartEditorTabNames);
    PropSet("HideTabs", &TChartEditor::HideTabs, &TChartEditor::SetHideTabs, TChartEditorHiddenTabs{},
            TChartEditorTabNames);
    Prop("HighLightTabs", &TChartEditor::HighLightTabs, &TChartEditor::SetHighLightTabs, false);
    PropSet("Options", &TChartEditor::Options, &TChartEditor::SetOptions, DefaultChartEditorOptions,
            TChartEditorOptionNames);
    Prop("PixelsPerInch", &TChartEditor::PixelsPerInch, &TChartEditor::SetPixelsPerInch, 0);
    Prop("RememberPosition", &TChartEditor::RememberPosition, &TChartEditor::SetRememberPosition, false);
    Prop("Series", &TChartEditor::Series, &TChartEditor::SetSeries);
    Prop("Title", &TChartEditor::Title, &TChartEditor::SetTitle);
    Prop("TreeView", &TChartEditor::TreeView, &TChartEditor::SetTreeView, false);
    Prop("GalleryHeight", &TChartEditor::GalleryHeight, &TChartEditor::SetGalleryHeight);
    Prop("GalleryWidth", &TChartEditor::GalleryWidth, &TChartEditor::SetGalleryWidth);
    Prop("Height", &TChartEditor::Height, &TChartEditor::SetHeight);
    Prop("Width", &TChartEditor::Width, &TChartEditor::SetWidth);
    Prop("OnChangeSeriesOrder", &TChartEditor::OnChangeSeriesOrder, &TChartEditor::SetOnChangeSeriesOrder);
}

TChartEditor::TChartEditor(TComponent* owner) : TCustomChartEditor(owner) {}

void TChartEditor::SetChart(TCustomChart* value)
{
    TCustomChartEditor::SetChart(value);
    if (Chart() && series_ && series_->ParentChart() != Chart()) SetSeries(nullptr);
}

void TChartEditor::SetSeries(TChartSeries* value)
{
    if (value == series_) return;
    if (series_) series_->RemoveFreeNotification(this);
    series_ = value;
    if (!series_) return;
    series_->FreeNotification(this);
    auto* parent = dynamic_cast<TCustomChart*>(series_->ParentChart());
    if (Chart() && parent != Chart()) TCustomChartEditor::SetChart(parent);
}

void TChartEditor::Notification(TComponent* component, TOperation operation)
{
    TCustomChartEditor::Notification(component, operation);
    if (operation == opRemove && component == series_) series_ = nullptr;
}

void TChartEditor::OpenEditorDialog()
{
    TCustomChart* chart = Chart();
    if (!chart) return;
    TOwnedPtr<TChartEditForm> form(new TChartEditForm(nullptr));
    try {
        runDialog(*form, *chart);
    } catch (...) {
        if (OnClose()) OnClose()(form.get());
        throw;
    }
    if (OnClose()) OnClose()(form.get());
    form.reset();
    // The mouse action that opened the editor ends here, without zooming or scrolling.
    chart->SetMouseHandled(true);
}

void TChartEditor::runDialog(TChartEditForm& form, TCustomChart& chart)
{
    form.SetRememberPosition(rememberPosition_);
    form.SetCaption(title_);
    form.SetOptions(options_);
    form.SetChart(&chart);
    form.SetHighlightTabs(highLightTabs_);
    form.SetStartSeries(series_);
    form.SetDefaultTab(defaultTab_);
    form.SetHiddenTabs(hideTabs_);
    form.LBSeries->SetOnChangeOrder(
        TChangeOrderEvent([this](TChartListBox* sender, TCustomChartSeries* a, TCustomChartSeries* b) {
            if (onChangeSeriesOrder_) onChangeSeriesOrder_(sender, a, b);
        }));
    if (OnShow()) OnShow()(&form);
    // The chart's flag comes back whatever happens while the dialog is up.
    struct RestoreRepaint {
        RestoreRepaint(TCustomChart& c, bool s) : chart(c), saved(s) {}
        TCustomChart& chart;
        bool saved;
        ~RestoreRepaint() { chart.SetAutoRepaint(saved); }
    };
    std::optional<RestoreRepaint> restore;
    if (!autoRepaint_) {
        restore.emplace(chart, chart.AutoRepaint());
        chart.SetAutoRepaint(false);
    }
    LocalizeControl(form);
    if (pixelsPerInch_ != 0 && pixelsPerInch_ != form.PixelsPerInch()) {
        // The texts grow with the controls: the children take the form's font.
        form.Font()->SetHeight(MulDiv(form.Font()->Height(), pixelsPerInch_, form.PixelsPerInch()));
        form.ScaleBy(pixelsPerInch_, form.PixelsPerInch());
        form.SetPixelsPerInch(pixelsPerInch_);
    }
    if (height_ > 0 && width_ > 0) {
        form.SetRememberSize(false);
        form.SetBounds(form.Left(), form.Top(), width_, height_);
    }
    form.SetGallerySize(galleryWidth_, galleryHeight_);
    form.ShowModal();
    if (restore) {
        restore.reset();
        // What changed while the flag was off is not in the chart's picture yet: draw it anew.
        chart.Invalidate();
        chart.Update();
    }
}

// ---- panel ----

TV_PUBLISHED(TChartEditorPanel)
{
    Prop("Chart", &TChartEditorPanel::Chart, &TChartEditorPanel::SetChart);
    Prop("ChartEditor", &TChartEditorPanel::ChartEditor, &TChartEditorPanel::SetChartEditor);
    Prop("Series", &TChartEditorPanel::Series, &TChartEditorPanel::SetSeries);
    PropEnum("BevelOuter", &TChartEditorPanel::BevelOuter, &TChartEditorPanel::SetBevelOuter, bvLowered,
             TBevelCutNames);
}

TChartEditorPanel::TChartEditorPanel(TComponent* owner) : TCustomPanel(owner)
{
    SetBevelOuter(bvLowered);
    SetBounds(Left(), Top(), 409, 291);
    if (IsDesigning()) return;
    form_ = new TChartEditForm(this);
    form_->SetAlign(alClient);
    LocalizeControl(*form_);
    form_->SetRememberPosition(false);
    form_->SetRememberSize(false);
    form_->PanBottom->Hide();
    EmbedForm(*form_, *this);
}

TChartEditorPanel::~TChartEditorPanel() = default;

void TChartEditorPanel::BeforeDestruction()
{
    SetSeries(nullptr);
    SetChart(nullptr);
    TCustomPanel::BeforeDestruction();
}

void TChartEditorPanel::SetChart(TCustomChart* value)
{
    if (value == chart_) return;
    if (chart_) chart_->RemoveFreeNotification(this);
    chart_ = value;
    if (chart_) chart_->FreeNotification(this);
    if (form_) form_->SetChart(chart_);
}

void TChartEditorPanel::SetSeries(TChartSeries* value)
{
    if (series_ && series_ != value) series_->RemoveFreeNotification(this);
    series_ = value;
    if (series_) series_->FreeNotification(this);
    if (!form_) return;
    if (series_) SetChart(dynamic_cast<TCustomChart*>(series_->ParentChart()));
    form_->SetStartSeries(series_);
}

void TChartEditorPanel::SetChartEditor(TChartEditor* value)
{
    if (editor_ && editor_ != value) editor_->RemoveFreeNotification(this);
    editor_ = value;
    if (!editor_) return;
    editor_->FreeNotification(this);
    if (!form_) return;
    form_->SetOptions(editor_->Options());
    form_->Hide();
    form_->Show();
}

void TChartEditorPanel::Notification(TComponent* component, TOperation operation)
{
    TCustomPanel::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == chart_) chart_ = nullptr;
    if (component == series_) series_ = nullptr;
    if (component == editor_) editor_ = nullptr;
    if (component == form_) form_ = nullptr;
}

void TChartEditorPanel::VisibleChanged()
{
    TCustomPanel::VisibleChanged();
    if (form_ && Showing()) form_->Show();
}

// ---- unit ----

void StartChartEditorUnit()
{
    if (!chartEditorStarts.First()) return;
    RegisterStandardClasses();
    RegisterEditorResources();
    RegisterEditorButtons();
    RegisterNavigators();
    RegisterClasses({&TChartListBox::StaticClass(), &TChartEditor::StaticClass(), &TChartEditorPanel::StaticClass()});
    RegisterClass(TChartEditForm::StaticClass());
    RegisterInControlGroup(TFormZebSeries::StaticClass());
    StartCustomSeriesEditorUnit();
}

void StopChartEditorUnit()
{
    if (!chartEditorStarts.Last()) return;
    StopCustomSeriesEditorUnit();
    EditorExtensionHooks().clear();
}
