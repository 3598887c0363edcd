#pragma once
// The list of a chart's series in the editor: per row the class icon, the Active check, the
// series' legend symbol and its title. Adds, deletes, clones, retitles, recolours, reorders and
// retypes series; adding and retyping go through the gallery hooks.
#include <functional>

#include "chart/core/ChartEvents.h"
#include "chart/core/Legend.h"
#include "platform/forms/ListBox.h"

class TChartSeries;
class TCustomChart;
class TCustomChartSeries;
class TEdit;
class TSeriesGroup;

class TChartListBox;
using TNotifySeriesEvent = TMethodEvent<void(TChartListBox* Sender, TCustomChartSeries* Series)>;
using TChangeOrderEvent =
    TMethodEvent<void(TChartListBox* Sender, TCustomChartSeries* Series1, TCustomChartSeries* Series2)>;
using TDblClickSeriesEvent = TMethodEvent<void(TChartListBox* Sender, int Index)>;

// Set by the gallery's unit. Add: a new series already in chart, or nullptr when cancelled.
// Change type: replaces series by one of a picked class (series then holds the new one) and
// answers the class, or nullptr when nothing was replaced.
using TAddSeriesGalleryHook = std::function<TChartSeries*(TComponent* owner, TCustomChart* chart, TChartSeries* selected)>;
using TChangeSeriesTypeGalleryHook = std::function<const TMetaClass*(TComponent* owner, TChartSeries*& series)>;
extern TAddSeriesGalleryHook AddSeriesGalleryHook;
extern TChangeSeriesTypeGalleryHook ChangeSeriesTypeGalleryHook;

enum TChartListSection { clsIcon, clsActive, clsColor, clsTitle };

class TChartListBox : public TListBox, public IChartEventListener {
    TV_CLASS(TChartListBox, TListBox)
public:
    explicit TChartListBox(TComponent* owner);
    ~TChartListBox() override;
    void BeforeDestruction() override;

    TCustomChart* Chart() const { return chart_; }
    void SetChart(TCustomChart* value);
    bool AllowAddSeries() const { return allowAdd_; }
    void SetAllowAddSeries(bool value) { allowAdd_ = value; }
    bool AllowDeleteSeries() const { return allowDelete_; }
    void SetAllowDeleteSeries(bool value) { allowDelete_ = value; }
    bool AskDelete() const { return askDelete_; }
    void SetAskDelete(bool value) { askDelete_ = value; }
    TCheckBoxesStyle CheckStyle() const { return checkStyle_; }
    void SetCheckStyle(TCheckBoxesStyle value);
    bool EnableChangeColor() const { return enableChangeColor_; }
    void SetEnableChangeColor(bool value) { enableChangeColor_ = value; }
    bool EnableDragSeries() const { return enableDrag_; }
    void SetEnableDragSeries(bool value) { enableDrag_ = value; }
    bool EnableChangeType() const { return enableChangeType_; }
    void SetEnableChangeType(bool value) { enableChangeType_ = value; }
    bool FontSeriesColor() const { return fontSeriesColor_; }
    void SetFontSeriesColor(bool value);
    bool ShowSeriesIcon() const { return sectionVisible_[clsIcon]; }
    void SetShowSeriesIcon(bool value) { setSectionVisible(clsIcon, value); }
    bool ShowActiveCheck() const { return sectionVisible_[clsActive]; }
    void SetShowActiveCheck(bool value) { setSectionVisible(clsActive, value); }
    bool ShowSeriesColor() const { return sectionVisible_[clsColor]; }
    void SetShowSeriesColor(bool value) { setSectionVisible(clsColor, value); }
    bool ShowSeriesTitle() const { return sectionVisible_[clsTitle]; }
    void SetShowSeriesTitle(bool value) { setSectionVisible(clsTitle, value); }

    const TNotifySeriesEvent& OnChangeActive() const { return onChangeActive_; }
    void SetOnChangeActive(const TNotifySeriesEvent& e) { onChangeActive_ = e; }
    const TNotifySeriesEvent& OnChangeColor() const { return onChangeColor_; }
    void SetOnChangeColor(const TNotifySeriesEvent& e) { onChangeColor_ = e; }
    const TChangeOrderEvent& OnChangeOrder() const { return onChangeOrder_; }
    void SetOnChangeOrder(const TChangeOrderEvent& e) { onChangeOrder_ = e; }
    const TDblClickSeriesEvent& OnDblClickSeries() const { return onDblClickSeries_; }
    void SetOnDblClickSeries(const TDblClickSeriesEvent& e) { onDblClickSeries_ = e; }
    const TNotifyEvent& OnOtherItemsChange() const { return onOtherItemsChange_; }
    void SetOnOtherItemsChange(const TNotifyEvent& e) { onOtherItemsChange_ = e; }
    const TNotifyEvent& OnRefresh() const { return onRefresh_; }
    void SetOnRefresh(const TNotifyEvent& e) { onRefresh_ = e; }
    const TNotifySeriesEvent& OnRemovedSeries() const { return onRemovedSeries_; }
    void SetOnRemovedSeries(const TNotifySeriesEvent& e) { onRemovedSeries_ = e; }

    // Only the group's series are listed while set.
    TSeriesGroup* SeriesGroup() const { return group_; }
    void SetSeriesGroup(TSeriesGroup* value);
    // Rows show the component Names instead of the titles.
    bool ShowSeriesNames() const { return showNames_; }
    void SetShowSeriesNames(bool value);
    // A second list that always holds the same rows (the series page's combo).
    void SetOtherItems(TStrings* items) { otherItems_ = items; }
    TStrings* OtherItems() const { return otherItems_; }

    TChartSeries* SelectedSeries() const;
    void SelectSeries(TChartSeries* series);
    TChartSeries* SeriesAt(int index) const;
    TChartSeries* AddSeries();
    bool DeleteSelected();
    void CloneSelected();
    bool RenameSelected();
    void ChangeTypeOfSelected();
    void MoveUp();
    void MoveDown();
    void SwapRows(int a, int b);
    bool EnsureSelection();
    void ClearItems();
    void FillItems(TChartSeries* keep = nullptr);
    // Refills keeping the current series.
    void RefreshItems() { FillItems(SelectedSeries()); }
    void StartTitleEdit();
    void EndTitleEdit(bool apply);
    // -1 whenever there are no rows.
    int CurrentRow() const { return Count() == 0 ? -1 : ItemIndex(); }

    // Left edge of a section (the widths of the visible sections before it) and the section
    // under a client x (-1 for none).
    int SectionLeft(TChartListSection section) const;
    int SectionAt(int x) const;
    static constexpr int SectionWidths[4] = {26, 16, 26, 216};

    void HandleChartEvent(TZebEvent& event) override;

protected:
    void DrawItem(int index, TRect rect, TOwnerDrawState state) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyUp(Word& key, TShiftState shift) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    void doubleClickAt(TPoint p);
    void setSectionVisible(TChartListSection section, bool value);
    void refresh();
    void takeCheckStyleFromLegend();
    void deleteSeriesRow(TChartSeries* series);
    bool pointInSection(TChartListSection section, int x) const;
    void titleEditKeyDown(TObject* sender, Word& key, TShiftState shift);

    TCustomChart* chart_ = nullptr;
    TSeriesGroup* group_ = nullptr;
    TStrings* otherItems_ = nullptr;
    TEdit* titleEdit_ = nullptr;  // owned
    bool sectionVisible_[4] = {true, true, true, true};
    bool allowAdd_ = true;
    bool allowDelete_ = true;
    bool askDelete_ = true;
    bool enableChangeColor_ = true;
    bool enableDrag_ = true;
    bool enableChangeType_ = true;
    bool fontSeriesColor_ = false;
    bool showNames_ = false;
    bool dblClicked_ = false;
    bool changingType_ = false;
    int dragRow_ = -1;
    TCheckBoxesStyle checkStyle_ = cbsCheck;
    TNotifySeriesEvent onChangeActive_, onChangeColor_, onRemovedSeries_;
    TChangeOrderEvent onChangeOrder_;
    TDblClickSeriesEvent onDblClickSeries_;
    TNotifyEvent onOtherItemsChange_, onRefresh_;
};
