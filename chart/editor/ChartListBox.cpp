#include "chart/editor/ChartListBox.h"

#include <algorithm>
#include <vector>

#include "chart/canvas/Shadow.h"
#include "chart/core/Chart.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/LegendSymbol.h"
#include "chart/core/ResourceBitmaps.h"
#include "chart/core/SeriesCloning.h"
#include "chart/core/SeriesGroups.h"
#include "chart/core/SeriesLists.h"
#include "chart/editor/EditorButtons.h"
#include "chart/editor/EditorRoutines.h"
#include "chart/editor/ScopedFlag.h"
#include "platform/classes/Published.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Edit.h"
#include "platform/forms/Forms.h"
#include "platform/forms/VirtualKeys.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Strings.h"

TAddSeriesGalleryHook AddSeriesGalleryHook;
TChangeSeriesTypeGalleryHook ChangeSeriesTypeGalleryHook;

TV_PUBLISHED(TChartListBox)
{
    PropEnum("Style", &TChartListBox::Style, &TChartListBox::SetStyle, lbOwnerDrawFixed, TListBoxStyleNames);
    Prop("MultiSelect", &TChartListBox::MultiSelect, &TChartListBox::SetMultiSelect, true);
    Prop("ItemHeight", &TChartListBox::ItemHeight, &TChartListBox::SetItemHeight, 24);
    Prop("Chart", &TChartListBox::Chart, &TChartListBox::SetChart);
    Prop("AllowAddSeries", &TChartListBox::AllowAddSeries, &TChartListBox::SetAllowAddSeries, true);
    Prop("AllowDeleteSeries", &TChartListBox::AllowDeleteSeries, &TChartListBox::SetAllowDeleteSeries, true);
    Prop("AskDelete", &TChartListBox::AskDelete, &TChartListBox::SetAskDelete, true);
    PropEnum("CheckStyle", &TChartListBox::CheckStyle, &TChartListBox::SetCheckStyle, cbsCheck, TCheckBoxesStyleNames);
    Prop("EnableChangeColor", &TChartListBox::EnableChangeColor, &TChartListBox::SetEnableChangeColor, true);
    Prop("EnableDragSeries", &TChartListBox::EnableDragSeries, &TChartListBox::SetEnableDragSeries, true);
    Prop("EnableChangeType", &TChartListBox::EnableChangeType, &TChartListBox::SetEnableChangeType, true);
    Prop("FontSeriesColor", &TChartListBox::FontSeriesColor, &TChartListBox::SetFontSeriesColor, false);
    Prop("ShowSeriesIcon", &TChartListBox::ShowSeriesIcon, &TChartListBox::SetShowSeriesIcon, true);
    Prop("ShowActiveCheck", &TChartListBox::ShowActiveCheck, &TChartListBox::SetShowActiveCheck, true);
    Prop("ShowSeriesColor", &TChartListBox::ShowSeriesColor, &TChartListBox::SetShowSeriesColor, true);
    Prop("ShowSeriesTitle", &TChartListBox::ShowSeriesTitle, &TChartListBox::SetShowSeriesTitle, true);
    Prop("OnChangeActive", &TChartListBox::OnChangeActive, &TChartListBox::SetOnChangeActive);
    Prop("OnChangeColor", &TChartListBox::OnChangeColor, &TChartListBox::SetOnChangeColor);
    Prop("OnChangeOrder", &TChartListBox::OnChangeOrder, &TChartListBox::SetOnChangeOrder);
    Prop("OnDblClickSeries", &TChartListBox::OnDblClickSeries, &TChartListBox::SetOnDblClickSeries);
    Prop("OnOtherItemsChange", &TChartListBox::OnOtherItemsChange, &TChartListBox::SetOnOtherItemsChange);
    Prop("OnRefresh", &TChartListBox::OnRefresh, &TChartListBox::SetOnRefresh);
    Prop("OnRemovedSeries", &TChartListBox::OnRemovedSeries, &TChartListBox::SetOnRemovedSeries);
}

TChartListBox::TChartListBox(TComponent* owner) : TListBox(owner)
{
    SetStyle(lbOwnerDrawFixed);
    SetItemHeight(24);
    SetSorted(false);
    SetMultiSelect(true);
    SetOnClick(TNotifyEvent([this](TObject*) { refresh(); }));
}

TChartListBox::~TChartListBox() = default;

void TChartListBox::BeforeDestruction()
{
    otherItems_ = nullptr;  // its owner may be gone already
    SetChart(nullptr);
    TListBox::BeforeDestruction();
}

void TChartListBox::SetChart(TCustomChart* value)
{
    if (value == chart_) return;
    if (chart_) {
        chart_->Listeners().RemoveListener(this);
        chart_->RemoveFreeNotification(this);
    }
    chart_ = value;
    group_ = nullptr;
    if (!chart_) return ClearItems();
    chart_->FreeNotification(this);
    chart_->Listeners().Add(this);
    FillItems();
}

void TChartListBox::Notification(TComponent* component, TOperation operation)
{
    TListBox::Notification(component, operation);
    if (operation == opRemove && component == chart_) {
        chart_ = nullptr;
        group_ = nullptr;
        ClearItems();
    }
}

void TChartListBox::SetCheckStyle(TCheckBoxesStyle value)
{
    if (value == checkStyle_) return;
    checkStyle_ = value;
    if (checkStyle_ == cbsRadio) {
        bool first = true;
        for (int i = 0; i < Count(); ++i)
            if (TChartSeries* s = SeriesAt(i); s && s->Active()) {
                if (!first) s->SetActive(false);
                first = false;
            }
    }
    Invalidate();
}

void TChartListBox::SetFontSeriesColor(bool value)
{
    fontSeriesColor_ = value;
    Invalidate();
}

void TChartListBox::setSectionVisible(TChartListSection section, bool value)
{
    sectionVisible_[section] = value;
    Invalidate();
}

void TChartListBox::SetSeriesGroup(TSeriesGroup* value)
{
    group_ = value;
    FillItems();
}

void TChartListBox::SetShowSeriesNames(bool value)
{
    showNames_ = value;
    FillItems();
}

int TChartListBox::SectionLeft(TChartListSection section) const
{
    int left = 0;
    for (int i = 0; i < section; ++i)
        if (sectionVisible_[i]) left += SectionWidths[i];
    return left;
}

bool TChartListBox::pointInSection(TChartListSection section, int x) const
{
    if (!sectionVisible_[section]) return false;
    const int left = SectionLeft(section);
    const int right = section == clsTitle ? ClientWidth() : left + SectionWidths[section];
    return x > left && x < right;
}

int TChartListBox::SectionAt(int x) const
{
    for (int s = clsIcon; s <= clsTitle; ++s)
        if (pointInSection(static_cast<TChartListSection>(s), x)) return s;
    return -1;
}

TChartSeries* TChartListBox::SeriesAt(int index) const
{
    if (index < 0 || index >= Count()) return nullptr;
    return static_cast<TChartSeries*>(Items()->GetObject(index));
}

TChartSeries* TChartListBox::SelectedSeries() const { return SeriesAt(CurrentRow()); }

void TChartListBox::SelectSeries(TChartSeries* series)
{
    const int index = Items()->IndexOfObject(series);
    if (index < 0) return;
    SetItemIndex(index);
    if (MultiSelect()) SetSelected(index, true);
}

void TChartListBox::refresh()
{
    if (onRefresh_) onRefresh_(this);
}

void TChartListBox::takeCheckStyleFromLegend()
{
    if (chart_ && chart_->Legend()->CheckBoxes()) checkStyle_ = chart_->Legend()->CheckBoxesStyle();
}

void TChartListBox::ClearItems()
{
    if (IsDestroying()) return;
    Items()->Clear();
    if (otherItems_) otherItems_->Clear();
}

void TChartListBox::FillItems(TChartSeries* keep)
{
    ClearItems();
    if (chart_) {
        if (group_)
            FillSeriesNames(*Items(), group_->Series(), !showNames_);
        else
            FillSeriesNames(*Items(), chart_->SeriesList(), !showNames_);
        takeCheckStyleFromLegend();
    }
    if (otherItems_) otherItems_->Assign(*Items());
    if (keep) SelectSeries(keep);
    if (onOtherItemsChange_) onOtherItemsChange_(this);
    refresh();
}

bool TChartListBox::EnsureSelection()
{
    if (SelCount() > 0) return true;
    if (MultiSelect() && CurrentRow() >= 0) {
        SetSelected(CurrentRow(), true);
        return true;
    }
    return !MultiSelect() && CurrentRow() >= 0;
}

// ---- drawing ----

void TChartListBox::DrawItem(int index, TRect rect, TOwnerDrawState state)
{
    TCanvas& c = *Canvas();
    const bool focused = Focused();
    const bool selected =
        state.Selected || (!focused && (index == ItemIndex() || (MultiSelect() && Selected(index))));
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(selected ? (focused ? clHighlight : clBtnFace) : state.Focused ? clBtnFace : Color());
    c.FillRect(rect);
    const int titleLeft = SectionLeft(clsTitle);
    c.Brush()->SetColor(Color());
    c.FillRect(Rect(rect.Left, rect.Top, std::max(rect.Left, titleLeft - 2), rect.Bottom));
    TChartSeries* series = SeriesAt(index);
    if (!series) return;
    if (sectionVisible_[clsIcon]) {
        DrawClassBitmap(c, *series, SectionLeft(clsIcon), rect.Top);
    }
    if (sectionVisible_[clsColor] && series->HasSeriesColor()) {
        const int left = SectionLeft(clsColor);
        const TRect box = Rect(left - 2 + 4, rect.Top + 4, left + SectionWidths[clsColor] - 4, rect.Bottom - 4);
        TZebShadow* shadow = chart_ ? chart_->Legend()->Symbol()->Shadow() : nullptr;
        if (shadow && shadow->Visible()) {
            const int h = shadow->HorizSize(), v = shadow->VertSize();
            const bool repaint = chart_->AutoRepaint();
            chart_->SetAutoRepaint(false);
            shadow->SetHorizSize(3);
            shadow->SetVertSize(3);
            PaintSeriesSymbol(series, &c, box);
            shadow->SetHorizSize(h);
            shadow->SetVertSize(v);
            chart_->SetAutoRepaint(repaint);
        } else {
            PaintSeriesSymbol(series, &c, box);
        }
    }
    if (sectionVisible_[clsActive]) {
        const int top = rect.Top + (rect.Bottom - rect.Top - 13) / 2;
        const int left = SectionLeft(clsActive) + 2;
        c.Brush()->SetStyle(bsSolid);
        c.Brush()->SetColor(Color());
        c.FillRect(Rect(left, top, left + 13, top + 13));
        unsigned flags = (checkStyle_ == cbsRadio ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK) | DFCS_FLAT;
        if (series->Active()) flags |= DFCS_CHECKED;
        c.Handle()->DrawFrameControl(Rect(left, top, left + 13, top + 13), DFC_BUTTON, flags);
    }
    if (sectionVisible_[clsTitle]) {
        c.SetFont(Font());
        c.Brush()->SetStyle(bsClear);
        TColor color = static_cast<TColor>(ColorToRGB(Font()->Color()) & 0xFFFFFF);
        if (selected && focused)
            color = clHighlightText;
        else if (fontSeriesColor_)
            color = series->SeriesColor();
        c.Font()->SetColor(color);
        c.TextOut(titleLeft + 1, rect.Top + (ItemHeight() - c.TextHeight("W")) / 2, Items()->Get(index));
    }
}

// ---- mouse and keys ----

void TChartListBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TListBox::MouseDown(button, shift, x, y);
    if (titleEdit_ && titleEdit_->Visible()) EndTitleEdit(true);
    // The second press of a double click acts on the section under it and never drags.
    if (button == mbLeft && shift.Contains(ssDouble)) return doubleClickAt(Point(x, y));
    const bool wasDouble = dblClicked_;
    dblClicked_ = false;
    dragRow_ = -1;
    if (CurrentRow() < 0 || button != mbLeft) return;
    const int row = ItemAtPos(Point(x, y), true);
    TChartSeries* hit = SeriesAt(row);
    if (hit && pointInSection(clsActive, x)) {
        if (checkStyle_ == cbsCheck) {
            hit->SetActive(!hit->Active());
        } else {
            for (int i = 0; i < Count(); ++i)
                if (TChartSeries* s = SeriesAt(i)) s->SetActive(i == row);
        }
        if (!hit->ParentChart()) Invalidate();
        if (onChangeActive_) onChangeActive_(this, hit);
    } else if (hit && enableDrag_ && !wasDouble && !shift.Contains(ssDouble) && pointInSection(clsTitle, x)) {
        dragRow_ = row;
        // Also draggable onto other controls (the editor's groups).
        BeginDrag(false);
    }
    if (onOtherItemsChange_) onOtherItemsChange_(this);
}

// Dragging a title onto another row swaps the two series.
void TChartListBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TListBox::MouseUp(button, shift, x, y);
    const int from = dragRow_;
    dragRow_ = -1;
    if (from < 0 || button != mbLeft || !enableDrag_) return;
    const int to = ItemAtPos(Point(x, y), true);
    if (to >= 0 && to != from && CurrentRow() >= 0) SwapRows(from, to);
}

void TChartListBox::doubleClickAt(TPoint p)
{
    dblClicked_ = true;
    dragRow_ = -1;
    const int row = ItemAtPos(p, true);
    if (row < 0 || (MultiSelect() ? !Selected(row) : row != ItemIndex())) return;
    TChartSeries* series = SeriesAt(row);
    if (enableChangeType_ && pointInSection(clsIcon, p.X)) {
        ChangeTypeOfSelected();
    } else if (enableChangeColor_ && series && series->HasSeriesColor() && pointInSection(clsColor, p.X)) {
        TColor color = series->SeriesColor();
        if (PickColor(this, color)) {
            series->SetSeriesColor(color);
            series->SetColorEachPoint(false);
            if (onChangeColor_) onChangeColor_(this, series);
        }
    } else if (pointInSection(clsTitle, p.X)) {
        if (onDblClickSeries_) onDblClickSeries_(this, row);
    }
}

void TChartListBox::KeyUp(Word& key, TShiftState shift)
{
    TListBox::KeyUp(key, shift);
    if (key == VK_INSERT && allowAdd_)
        AddSeries();
    else if (key == VK_DELETE && allowDelete_)
        DeleteSelected();
    else if (key == VK_F1 + 1 && SelectedSeries())
        StartTitleEdit();
}

// ---- operations ----

TChartSeries* TChartListBox::AddSeries()
{
    if (!AddSeriesGalleryHook) return nullptr;
    TChartSeries* series = AddSeriesGalleryHook(Owner(), chart_, SelectedSeries());
    if (!series) return nullptr;
    if (MultiSelect()) ClearSelection();
    SelectSeries(series);
    refresh();
    return series;
}

bool TChartListBox::DeleteSelected()
{
    if (!EnsureSelection()) return false;
    if (askDelete_) {
        const String name = MultiSelect() && SelCount() != 1 ? String("(Selected Series)")
                                                            : SelectedSeries() ? SelectedSeries()->GetTitleOrName(true)
                                                                               : String();
        if (!ConfirmDelete(name, this)) return false;
    }
    std::vector<TChartSeries*> doomed;
    if (MultiSelect()) {
        for (int i = 0; i < Count(); ++i)
            if (Selected(i)) doomed.push_back(SeriesAt(i));
    } else {
        doomed.push_back(SelectedSeries());
    }
    bool deleted = false;
    for (TChartSeries* series : doomed) {
        if (!series) continue;
        series->Free();
        deleted = true;
    }
    if (Count() > 0 && ItemIndex() < 0) {
        SetItemIndex(0);
        if (MultiSelect()) SetSelected(0, true);
    }
    refresh();
    return deleted;
}

void TChartListBox::CloneSelected()
{
    TChartSeries* series = SelectedSeries();
    if (!series) return;
    TChartSeries* copy = DuplicateSeries(series);
    if (MultiSelect()) ClearSelection();
    SelectSeries(copy);
    refresh();
}

bool TChartListBox::RenameSelected()
{
    TChartSeries* series = SelectedSeries();
    if (!series) return false;
    const String before = Items()->Get(CurrentRow());
    String text = showNames_ ? series->Name() : series->GetTitleOrName(true);
    if (!InputQuery("Change Series Title", "New Series Title:", text)) return false;
    if (showNames_) {
        if (!Trim(text).empty()) {
            series->SetName(Trim(text));
            Items()->Put(CurrentRow(), series->Name());
            if (otherItems_ && CurrentRow() < otherItems_->Count()) otherItems_->Put(CurrentRow(), series->Name());
            if (chart_) chart_->Invalidate();
        }
    } else if (Trim(text).empty() || Trim(text) == series->Name()) {
        series->SetTitle(String());
    } else {
        series->SetTitle(text);
    }
    return CurrentRow() >= 0 && Items()->Get(CurrentRow()) != before;
}

void TChartListBox::ChangeTypeOfSelected()
{
    if (!EnsureSelection() || !chart_ || !ChangeSeriesTypeGalleryHook) return;
    std::vector<TChartSeries*> list;
    if (MultiSelect()) {
        for (int i = 0; i < Count(); ++i)
            if (Selected(i)) list.push_back(SeriesAt(i));
    } else {
        list.push_back(SelectedSeries());
    }
    {
        ScopedFlag typing(changingType_);
        const TMetaClass* picked = nullptr;
        for (size_t i = 0; i < list.size(); ++i) {
            if (i == 0) {
                picked = ChangeSeriesTypeGalleryHook(Owner(), list[0]);
                // Nothing replaced (a cancel): the others keep their class.
                if (!picked) break;
            } else {
                ConvertSeriesClass(list[i], *picked);
            }
        }
    }
    RefreshItems();
    ClearSelection();
    for (TChartSeries* series : list) SelectSeries(series);
    refresh();
}

void TChartListBox::SwapRows(int a, int b)
{
    Items()->Exchange(a, b);
    if (otherItems_ && a < otherItems_->Count() && b < otherItems_->Count()) otherItems_->Exchange(a, b);
    if (chart_) {
        TChartSeries* sa = SeriesAt(a);
        TChartSeries* sb = SeriesAt(b);
        {
            ScopedFlag quiet(changingType_);
            chart_->SwapSeries(sa, sb);
        }
        if (onChangeOrder_) onChangeOrder_(this, sa, sb);
    }
    if (TCustomForm* form = FindParentForm(*this); form && CanFocus()) form->SetActiveControl(this);
    if (MultiSelect()) ClearSelection();
    SetItemIndex(b);
    if (MultiSelect()) SetSelected(b, true);
    refresh();
}

void TChartListBox::MoveUp()
{
    if (CurrentRow() > 0) SwapRows(CurrentRow(), CurrentRow() - 1);
}

void TChartListBox::MoveDown()
{
    if (CurrentRow() >= 0 && CurrentRow() < Count() - 1) SwapRows(CurrentRow(), CurrentRow() + 1);
}

// ---- in-place title editor ----

void TChartListBox::StartTitleEdit()
{
    TChartSeries* series = SelectedSeries();
    if (!series || !sectionVisible_[clsTitle]) return;
    if (!titleEdit_) {
        titleEdit_ = new TEdit(this);
        titleEdit_->SetParent(this);
        titleEdit_->SetOnKeyDown(TKeyEvent(this, &TChartListBox::titleEditKeyDown));
    }
    titleEdit_->SetText(series->GetTitleOrName(true));
    titleEdit_->SetTag(reinterpret_cast<Int64>(series));
    const TRect row = ItemRect(CurrentRow());
    titleEdit_->SetBounds(SectionLeft(clsTitle) - 2, row.Top, SectionWidths[clsTitle], ItemHeight() + 1);
    titleEdit_->Show();
    if (titleEdit_->CanFocus()) titleEdit_->SetFocus();
}

void TChartListBox::EndTitleEdit(bool apply)
{
    if (!titleEdit_ || !titleEdit_->Visible()) return;
    auto* series = reinterpret_cast<TChartSeries*>(titleEdit_->Tag());
    titleEdit_->Hide();
    if (apply && series && Items()->IndexOfObject(series) >= 0) series->SetTitle(titleEdit_->Text());
    if (CanFocus()) SetFocus();
    Invalidate();
}

void TChartListBox::titleEditKeyDown(TObject*, Word& key, TShiftState)
{
    if (key == VK_RETURN || key == VK_UP || key == VK_DOWN || key == VK_F1 + 1) {
        EndTitleEdit(true);
        key = 0;
    } else if (key == VK_ESCAPE) {
        EndTitleEdit(false);
        key = 0;
    }
}

// ---- chart events ----

void TChartListBox::deleteSeriesRow(TChartSeries* series)
{
    const int index = Items()->IndexOfObject(series);
    if (index < 0) return;
    Items()->Delete(index);
    if (otherItems_) {
        const int other = otherItems_->IndexOfObject(series);
        if (other >= 0) otherItems_->Delete(other);
    }
    if (onRemovedSeries_) onRemovedSeries_(this, series);
}

void TChartListBox::HandleChartEvent(TZebEvent& event)
{
    if (IsDestroying()) return;
    if (auto* e = dynamic_cast<TZebSeriesEvent*>(&event)) {
        switch (e->Kind) {
        case seAdded:
        case seOrderChanged:
            if (!changingType_) RefreshItems();
            break;
        case seRemoving:
        case seRemoved: deleteSeriesRow(e->Series); break;
        case seTitleChanged:
            if (const int i = Items()->IndexOfObject(e->Series); i >= 0 && e->Series && !showNames_) {
                Items()->Put(i, e->Series->GetTitleOrName(true));
                if (otherItems_ && i < otherItems_->Count()) otherItems_->Put(i, Items()->Get(i));
            }
            break;
        case seColorChanged:
            if (!changingType_) Invalidate();
            break;
        case seActiveChanged:
            takeCheckStyleFromLegend();
            Invalidate();
            break;
        default: break;
        }
    } else if (dynamic_cast<TZebView3DEvent*>(&event)) {
        Invalidate();
    }
}
