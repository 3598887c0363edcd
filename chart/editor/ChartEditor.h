#pragma once
// The chart editor: the component that opens it on a chart, its dialog (a frame of tabs whose
// pages are created on first showing), and the panel that embeds the dialog in another window.
#include <functional>
#include <vector>

#include "chart/core/ChartEvents.h"
#include "chart/editor/ChartListBox.h"
#include "platform/classes/Sets.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Forms.h"

class TButton;
class TCheckListBox;
class TChartSeries;
class TCustomChart;
class TFormZebSeries;
class TMenuItem;
class TPageControl;
class TPanel;
class TPopupMenu;
class TSpeedButton;
class TSplitter;
class TTabSheet;

enum TChartEditorOption {
    ceAdd,
    ceDelete,
    ceChange,
    ceClone,
    ceDataSource,
    ceTitle,
    ceHelp,
    ceGroups,
    ceGroupAll,
    ceOrderSeries,
    ceAskDelete,
    ceEditData
};
inline constexpr const char* TChartEditorOptionNames[] = {
    "ceAdd",    "ceDelete",   "ceChange",      "ceClone",     "ceDataSource", "ceTitle",
    "ceHelp",   "ceGroups",   "ceGroupAll",    "ceOrderSeries", "ceAskDelete", "ceEditData"};
using TChartEditorOptions = TSet<TChartEditorOption>;
// Every option but the groups panel.
inline constexpr TChartEditorOptions DefaultChartEditorOptions = TChartEditorOptions::FromMask(3967);

enum TChartEditorTab {
    cetMain,
    cetGeneral,
    cetAxis,
    cetTitles,
    cetLegend,
    cetPanel,
    cetPaging,
    cetWalls,
    cet3D,
    cetSeriesGeneral,
    cetSeriesMarks,
    cetAllSeries,
    cetSeriesData,
    cetExport,
    cetExportNative,
    cetTools,
    cetAnimations,
    cetPrintPreview
};
inline constexpr const char* TChartEditorTabNames[] = {
    "cetMain",         "cetGeneral",     "cetAxis",      "cetTitles",     "cetLegend",       "cetPanel",
    "cetPaging",       "cetWalls",       "cet3D",        "cetSeriesGeneral", "cetSeriesMarks", "cetAllSeries",
    "cetSeriesData",   "cetExport",      "cetExportNative", "cetTools",    "cetAnimations",   "cetPrintPreview"};
using TChartEditorHiddenTabs = TSet<TChartEditorTab>;

class TChartEditForm;
// Called at every showing of the dialog (tab nil) and of a main tab without its own page.
using TEditorExtensionHook =
    std::function<void(TChartEditForm& form, TCustomChart* chart, TTabSheet* tab, TPageControl& mainPage)>;
std::vector<TEditorExtensionHook>& EditorExtensionHooks();

class TChartEditForm : public TForm {
    TV_CLASS(TChartEditForm, TForm)
public:
    explicit TChartEditForm(TComponent* owner);
    ~TChartEditForm() override;

    TCustomChart* Chart() const { return chart_; }
    void SetChart(TCustomChart* value);
    TChartEditorOptions Options() const { return options_; }
    void SetOptions(TChartEditorOptions value) { options_ = value; }
    TChartEditorHiddenTabs HiddenTabs() const { return hiddenTabs_; }
    void SetHiddenTabs(TChartEditorHiddenTabs value) { hiddenTabs_ = value; }
    // -1: none.
    int DefaultTab() const { return defaultTab_; }
    void SetDefaultTab(int value) { defaultTab_ = value; }
    bool HighlightTabs() const { return highlightTabs_; }
    void SetHighlightTabs(bool value) { highlightTabs_ = value; }
    bool RememberPosition() const { return rememberPosition_; }
    void SetRememberPosition(bool value) { rememberPosition_ = value; }
    bool RememberSize() const { return rememberSize_; }
    void SetRememberSize(bool value) { rememberSize_ = value; }
    TChartSeries* StartSeries() const { return startSeries_; }
    void SetStartSeries(TChartSeries* value) { startSeries_ = value; }
    int GalleryWidth() const { return galleryWidth_; }
    int GalleryHeight() const { return galleryHeight_; }
    void SetGallerySize(int width, int height)
    {
        galleryWidth_ = width;
        galleryHeight_ = height;
    }
    // nullptr until the Series tab was first shown.
    TFormZebSeries* SeriesPage() const { return seriesPage_; }
    // The series page for the list's selected series, created on first use.
    void ShowSeriesPage();
    void RefreshButtons();
    void UpdateGroupsPanel();
    void FillGroups();
    // Applies the hidden tabs (TabVisible) and hides Chart when no sub-tab is left.
    void ApplyHiddenTabs();
    void SelectStartTab();

    // Handlers bound by name from the stored description.
    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormDestroy(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void MainPageChange(TObject* Sender);
    void MainPageChanging(TObject* Sender, bool& AllowChange);
    void SubPageChange(TObject* Sender);
    void SubPageChanging(TObject* Sender, bool& AllowChange);
    void BAddGroupClick(TObject* Sender);
    void BDeleteGroupClick(TObject* Sender);
    void BRenameGroupClick(TObject* Sender);
    void SpeedSeriesMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void GroupsClick(TObject* Sender);
    void GroupsDragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept);
    void GroupsDragDrop(TObject* Sender, TObject* Source, int X, int Y);
    void GroupsClickCheck(TObject* Sender);
    void BMoveUPClick(TObject* Sender);
    void BMoveDownClick(TObject* Sender);
    void BAddSeriesClick(TObject* Sender);
    void BDeleteSeriesClick(TObject* Sender);
    void BRenameSeriesClick(TObject* Sender);
    void BCloneSeriesClick(TObject* Sender);
    void BChangeTypeSeriesClick(TObject* Sender);
    void LBSeriesClick(TObject* Sender);
    void LBSeriesEditSeries(TChartListBox* Sender, int Index);
    void LBSeriesOtherItemsChange(TObject* Sender);
    void LBSeriesRefreshButtons(TObject* Sender);
    void LBSeriesRemovedSeries(TChartListBox* Sender, TCustomChartSeries* Series);
    void ViewSeriesNames1Click(TObject* Sender);
    void ViewSeriesGroups1Click(TObject* Sender);
    void SBMergeSeriesClick(TObject* Sender);
    void PopupListSeriesPopup(TObject* Sender);
    void HideOther1Click(TObject* Sender);
    void ShowAll1Click(TObject* Sender);
    void SelectAll1Click(TObject* Sender);
    void SelectNone1Click(TObject* Sender);

    TPageControl* MainPage = nullptr;
    TTabSheet* TabChart = nullptr;
    TPageControl* SubPage = nullptr;
    TTabSheet* TabSeriesList = nullptr;
    TTabSheet* TabGeneral = nullptr;
    TTabSheet* TabAxis = nullptr;
    TTabSheet* TabTitle = nullptr;
    TTabSheet* TabLegend = nullptr;
    TTabSheet* TabPanel = nullptr;
    TTabSheet* TabPaging = nullptr;
    TTabSheet* TabWalls = nullptr;
    TTabSheet* Tab3D = nullptr;
    TTabSheet* TabSeries = nullptr;
    TTabSheet* TabTools = nullptr;
    TTabSheet* TabAnimations = nullptr;
    TTabSheet* TabExport = nullptr;
    TTabSheet* TabPrint = nullptr;
    TPanel* PanTop = nullptr;
    TSpeedButton* BAddGroup = nullptr;
    TSpeedButton* BDeleteGroup = nullptr;
    TSpeedButton* BRenameGroup = nullptr;
    TSpeedButton* SpeedSeries = nullptr;
    TPanel* PanelFront = nullptr;
    TPanel* PanelGroups = nullptr;
    TCheckListBox* Groups = nullptr;
    TSplitter* Splitter1 = nullptr;
    TChartListBox* LBSeries = nullptr;
    TPanel* PanRight = nullptr;
    TSpeedButton* BMoveUP = nullptr;
    TSpeedButton* BMoveDown = nullptr;
    TButton* BAddSeries = nullptr;
    TButton* BDeleteSeries = nullptr;
    TButton* BRenameSeries = nullptr;
    TButton* BCloneSeries = nullptr;
    TButton* BChangeTypeSeries = nullptr;
    TSplitter* Splitter2 = nullptr;
    TPanel* PanBot = nullptr;
    TPanel* PanBottom = nullptr;
    TPanel* PanClose = nullptr;
    TButton* BClose = nullptr;
    TPopupMenu* PopupSeries = nullptr;
    TMenuItem* ViewSeriesNames1 = nullptr;
    TMenuItem* ViewSeriesGroups1 = nullptr;
    TMenuItem* SBMergeSeries = nullptr;
    TPopupMenu* PopupListSeries = nullptr;
    TMenuItem* HideOther1 = nullptr;
    TMenuItem* ShowAll1 = nullptr;
    TMenuItem* HideAll1 = nullptr;
    TMenuItem* SelectAll1 = nullptr;
    TMenuItem* SelectNone1 = nullptr;

protected:
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    int groupsOffset() const { return options_.Contains(ceGroupAll) ? 1 : 0; }
    void resetSeriesPage();
    void selectFirstSeries();
    bool seriesListShown() const;
    void putSeriesTabBack();
    TSeriesGroup* currentGroup() const;
    TSeriesGroup* groupAtRow(int row) const;
    void refillGroupsKeepingRow();

    TCustomChart* chart_ = nullptr;
    TChartSeries* startSeries_ = nullptr;
    TFormZebSeries* seriesPage_ = nullptr;
    TChartEditorOptions options_ = DefaultChartEditorOptions;
    TChartEditorHiddenTabs hiddenTabs_;
    int defaultTab_ = -1;
    int galleryWidth_ = 0;
    int galleryHeight_ = 0;
    bool highlightTabs_ = false;
    bool rememberPosition_ = false;
    bool rememberSize_ = false;
};

class TCustomChartEditor : public TComponent {
    TV_CLASS(TCustomChartEditor, TComponent)
public:
    explicit TCustomChartEditor(TComponent* owner);
    ~TCustomChartEditor() override;

    TCustomChart* Chart() const { return chart_; }
    virtual void SetChart(TCustomChart* value);
    virtual void OpenEditorDialog() {}
    const TNotifyEvent& OnShow() const { return onShow_; }
    void SetOnShow(const TNotifyEvent& e) { onShow_ = e; }
    const TNotifyEvent& OnClose() const { return onClose_; }
    void SetOnClose(const TNotifyEvent& e) { onClose_ = e; }

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TCustomChart* chart_ = nullptr;
    TNotifyEvent onShow_, onClose_;
};

class TChartEditor : public TCustomChartEditor {
    TV_CLASS(TChartEditor, TCustomChartEditor)
public:
    explicit TChartEditor(TComponent* owner);

    void SetChart(TCustomChart* value) override;
    // Shows the dialog modally on Chart (nothing without one) and frees it afterwards.
    void OpenEditorDialog() override;

    bool AutoRepaint() const { return autoRepaint_; }
    void SetAutoRepaint(bool value) { autoRepaint_ = value; }
    TChartEditorTab DefaultTab() const { return defaultTab_; }
    void SetDefaultTab(TChartEditorTab value) { defaultTab_ = value; }
    TChartEditorHiddenTabs HideTabs() const { return hideTabs_; }
    void SetHideTabs(TChartEditorHiddenTabs value) { hideTabs_ = value; }
    bool HighLightTabs() const { return highLightTabs_; }
    void SetHighLightTabs(bool value) { highLightTabs_ = value; }
    TChartEditorOptions Options() const { return options_; }
    void SetOptions(TChartEditorOptions value) { options_ = value; }
    int PixelsPerInch() const { return pixelsPerInch_; }
    void SetPixelsPerInch(int value) { pixelsPerInch_ = value; }
    bool RememberPosition() const { return rememberPosition_; }
    void SetRememberPosition(bool value) { rememberPosition_ = value; }
    TChartSeries* Series() const { return series_; }
    void SetSeries(TChartSeries* value);
    String Title() const { return title_; }
    void SetTitle(const String& value) { title_ = value; }
    bool TreeView() const { return treeView_; }
    void SetTreeView(bool value) { treeView_ = value; }
    int GalleryHeight() const { return galleryHeight_; }
    void SetGalleryHeight(int value) { galleryHeight_ = value; }
    int GalleryWidth() const { return galleryWidth_; }
    void SetGalleryWidth(int value) { galleryWidth_ = value; }
    int Height() const { return height_; }
    void SetHeight(int value) { height_ = value; }
    int Width() const { return width_; }
    void SetWidth(int value) { width_ = value; }
    const TChangeOrderEvent& OnChangeSeriesOrder() const { return onChangeSeriesOrder_; }
    void SetOnChangeSeriesOrder(const TChangeOrderEvent& e) { onChangeSeriesOrder_ = e; }

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    void runDialog(TChartEditForm& form, TCustomChart& chart);

    TChartSeries* series_ = nullptr;
    String title_;
    TChartEditorOptions options_ = DefaultChartEditorOptions;
    TChartEditorHiddenTabs hideTabs_;
    TChartEditorTab defaultTab_ = cetMain;
    int pixelsPerInch_ = 0;
    int galleryHeight_ = 0;
    int galleryWidth_ = 0;
    int height_ = 0;
    int width_ = 0;
    bool autoRepaint_ = true;
    bool highLightTabs_ = false;
    bool rememberPosition_ = false;
    bool treeView_ = false;
    TChangeOrderEvent onChangeSeriesOrder_;
};

class TChartEditorPanel : public TCustomPanel {
    TV_CLASS(TChartEditorPanel, TCustomPanel)
public:
    explicit TChartEditorPanel(TComponent* owner);
    ~TChartEditorPanel() override;
    void BeforeDestruction() override;

    TCustomChart* Chart() const { return chart_; }
    void SetChart(TCustomChart* value);
    TChartEditor* ChartEditor() const { return editor_; }
    void SetChartEditor(TChartEditor* value);
    TChartSeries* Series() const { return series_; }
    void SetSeries(TChartSeries* value);
    TChartEditForm* Editor() const { return form_; }
    // The embedded dialog is made by the constructor, not written with the panel.
    void GetChildren(const TGetChildProc&, TComponent*) override {}

protected:
    void Notification(TComponent* component, TOperation operation) override;
    void VisibleChanged() override;

private:
    TChartEditForm* form_ = nullptr;  // owned as a component
    TCustomChart* chart_ = nullptr;
    TChartEditor* editor_ = nullptr;
    TChartSeries* series_ = nullptr;
};

// The unit's classes and hooks; counted.
void StartChartEditorUnit();
void StopChartEditorUnit();
