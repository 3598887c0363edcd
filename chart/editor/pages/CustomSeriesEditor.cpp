#include "chart/editor/pages/CustomSeriesEditor.h"

#include "chart/core/AxisPanel.h"
#include "chart/core/ControlRoutines.h"
#include "chart/core/UnitStarts.h"
#include "chart/core/ZebPanel.h"
#include "chart/editor/EditorButtons.h"
#include "chart/editor/EditorResources.h"
#include "chart/editor/EditorRoutines.h"
#include "chart/editor/ScopedFlag.h"
#include "chart/series/CustomSeries.h"
#include "chart/series/LineSeries.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Published.h"
#include "platform/forms/Buttons.h"
#include "platform/forms/ComCtrls.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/Edit.h"
#include "platform/forms/FormComponents.h"
#include "platform/forms/GroupBox.h"
#include "platform/forms/Label.h"
#include "platform/forms/PageControl.h"

namespace {
TUnitStarts customSeriesEditorStarts;
}

TV_PUBLISHED(TCustomSeriesEditor)
{
    Method("FormCreate", &TCustomSeriesEditor::FormCreate);
    Method("FormShow", &TCustomSeriesEditor::FormShow);
    Method("FormDestroy", &TCustomSeriesEditor::FormDestroy);
    Method("PageControl1Change", &TCustomSeriesEditor::PageControl1Change);
    Method("CBStairsClick", &TCustomSeriesEditor::CBStairsClick);
    Method("CBInvStairsClick", &TCustomSeriesEditor::CBInvStairsClick);
    Method("CBColorEachClick", &TCustomSeriesEditor::CBColorEachClick);
    Method("CBDark3DClick", &TCustomSeriesEditor::CBDark3DClick);
    Method("CBStackChange", &TCustomSeriesEditor::CBStackChange);
    Method("EHeightChange", &TCustomSeriesEditor::EHeightChange);
    Method("CBClickClick", &TCustomSeriesEditor::CBClickClick);
    Method("CBEachLineClick", &TCustomSeriesEditor::CBEachLineClick);
    Method("BLineColorClick", &TCustomSeriesEditor::BLineColorClick);
    Method("CBNullsChange", &TCustomSeriesEditor::CBNullsChange);
    Method("TBTranspChange", &TCustomSeriesEditor::TBTranspChange);
    Method("CBSmoothedClick", &TCustomSeriesEditor::CBSmoothedClick);
    Method("EToleranceChange", &TCustomSeriesEditor::EToleranceChange);
    Method("CBDrawStyleChange", &TCustomSeriesEditor::CBDrawStyleChange);
    Method("CBDefColorClick", &TCustomSeriesEditor::CBDefColorClick);
    Method("CBPointerBehindClick", &TCustomSeriesEditor::CBPointerBehindClick);
    Method("CBInflateClick", &TCustomSeriesEditor::CBInflateClick);
}

TCustomSeriesEditor::TCustomSeriesEditor(TComponent* owner) : TForm(owner)
{
    InitEditorForm(*this, "TCustomSeriesEditor");
}

void TCustomSeriesEditor::Loaded()
{
    TForm::Loaded();
    FindFormComponent(*this, PageControl1, "PageControl1");
    FindFormComponent(*this, TabFormat, "TabFormat");
    FindFormComponent(*this, TabOptions, "TabOptions");
    FindFormComponent(*this, BLineColor, "BLineColor");
    FindFormComponent(*this, CBDefColor, "CBDefColor");
    FindFormComponent(*this, CBColorEach, "CBColorEach");
    FindFormComponent(*this, CBEachLine, "CBEachLine");
    FindFormComponent(*this, CBDark3D, "CBDark3D");
    FindFormComponent(*this, CBPointerBehind, "CBPointerBehind");
    FindFormComponent(*this, TBTransp, "TBTransp");
    FindFormComponent(*this, LDrawStyle, "LDrawStyle");
    FindFormComponent(*this, CBDrawStyle, "CBDrawStyle");
    FindFormComponent(*this, CBStack, "CBStack");
    FindFormComponent(*this, LHeight, "LHeight");
    FindFormComponent(*this, EHeight, "EHeight");
    FindFormComponent(*this, UDHeight, "UDHeight");
    FindFormComponent(*this, CBNulls, "CBNulls");
    FindFormComponent(*this, ETolerance, "ETolerance");
    FindFormComponent(*this, UDTolerance, "UDTolerance");
    FindFormComponent(*this, CBClick, "CBClick");
    FindFormComponent(*this, GBStair, "GBStair");
    FindFormComponent(*this, CBStairs, "CBStairs");
    FindFormComponent(*this, CBInvStairs, "CBInvStairs");
    FindFormComponent(*this, CBSmoothed, "CBSmoothed");
    FindFormComponent(*this, CBInflate, "CBInflate");
}

TCustomSeries* TCustomSeriesEditor::Series() const { return series_; }

void TCustomSeriesEditor::Notification(TComponent* component, TOperation operation)
{
    TForm::Notification(component, operation);
    if (operation == opRemove && component == series_) {
        series_ = nullptr;
        disableWhenGone();
    }
}

void TCustomSeriesEditor::disableWhenGone()
{
    if (IsDestroying() || !PageControl1) return;
    PageControl1->SetEnabled(false);
    BLineColor->LinkProperty(nullptr, String());
}

TCustomSeries* TCustomSeriesEditor::writable() const { return loading_ ? nullptr : series_; }

void TCustomSeriesEditor::FormCreate(TObject*)
{
    SetAlign(alClient);
    PageControl1->SetActivePage(TabFormat);
}

void TCustomSeriesEditor::FormShow(TObject*)
{
    auto* series = dynamic_cast<TCustomSeries*>(reinterpret_cast<TObject*>(Tag()));
    if (!series) return;
    if (series != series_) {
        if (series_) series_->RemoveFreeNotification(this);
        series_ = series;
        series_->FreeNotification(this);
    }
    {
        ScopedFlag loading(loading_);
        CBColorEach->SetChecked(series->ColorEachPoint());
        CBStack->SetItemIndex(static_cast<int>(series->Stacked()));
        CBClick->SetChecked(series->ClickableLine());
        CBEachLine->SetChecked(series->ColorEachLine());
        TBTransp->SetPosition(series->Transparency());
        CBPointerBehind->SetChecked(series->PointerBehind());
        CBInflate->SetChecked(series->InflateMargins());
        if (series->Is<TLineSeries>()) {
            CBStairs->SetChecked(series->Stairs());
            CBInvStairs->SetChecked(series->InvertedStairs());
            CBInvStairs->SetEnabled(CBStairs->Checked());
            CBSmoothed->SetChecked(series->Smoothed());
            CBSmoothed->SetEnabled(true);
            CBDark3D->SetChecked(series->Dark3D());
            UDHeight->SetPosition(static_cast<TLineSeries*>(series)->LineHeight());
            CBNulls->SetItemIndex(static_cast<int>(series->TreatNulls()));
            UDTolerance->SetPosition(series->ClickTolerance());
            CBDrawStyle->SetItemIndex(static_cast<int>(series->DrawStyle()));
        } else {
            ShowControls(false, {GBStair, CBDark3D, LHeight, EHeight, UDHeight, CBDrawStyle, LDrawStyle});
        }
        BLineColor->LinkProperty(series, "SeriesColor");
        refreshDefaultColor();
    }
    LocalizeControl(*this);
}

void TCustomSeriesEditor::FormDestroy(TObject*)
{
    if (series_) series_->RemoveFreeNotification(this);
    series_ = nullptr;
}

void TCustomSeriesEditor::refreshDefaultColor()
{
    ScopedFlag loading(loading_);  // the box's own click would reset the colour
    const bool automatic = series_ && !series_->IsSeriesColorStored();
    CBDefColor->SetChecked(automatic);
    CBDefColor->SetEnabled(!automatic);
}

void TCustomSeriesEditor::PageControl1Change(TObject*)
{
    if (PageControl1->ActivePage() == TabFormat) BLineColor->Repaint();
}

void TCustomSeriesEditor::CBStairsClick(TObject*)
{
    CBInvStairs->SetEnabled(CBStairs->Checked());
    if (auto* s = writable()) s->SetStairs(CBStairs->Checked());
}

void TCustomSeriesEditor::CBInvStairsClick(TObject*)
{
    if (auto* s = writable()) s->SetInvertedStairs(CBInvStairs->Checked());
}

void TCustomSeriesEditor::CBColorEachClick(TObject*)
{
    if (auto* s = writable()) s->SetColorEachPoint(CBColorEach->Checked());
}

void TCustomSeriesEditor::CBDark3DClick(TObject*)
{
    if (auto* s = writable()) s->SetDark3D(CBDark3D->Checked());
}

void TCustomSeriesEditor::CBStackChange(TObject*)
{
    if (auto* s = writable(); s && CBStack->ItemIndex() >= 0)
        s->SetStacked(static_cast<TCustomSeriesStack>(CBStack->ItemIndex()));
}

void TCustomSeriesEditor::EHeightChange(TObject*)
{
    if (auto* s = dynamic_cast<TLineSeries*>(writable()); s && Showing()) s->SetLineHeight(UDHeight->Position());
}

void TCustomSeriesEditor::CBClickClick(TObject*)
{
    if (auto* s = writable()) s->SetClickableLine(CBClick->Checked());
}

void TCustomSeriesEditor::CBEachLineClick(TObject*)
{
    if (auto* s = writable()) s->SetColorEachLine(CBEachLine->Checked());
}

// The button has written the picked colour. In 3-D the brush goes back to its defaults, and the
// picked colour is kept rather than reset with it.
void TCustomSeriesEditor::BLineColorClick(TObject*)
{
    auto* s = writable();
    if (!s) return;
    auto* chart = s->ParentChart();
    if (chart && chart->View3D()) {
        const TColor picked = s->SeriesColor();
        s->UseDefaultColor();
        s->SetSeriesColor(picked);
    }
    refreshDefaultColor();
}

void TCustomSeriesEditor::CBNullsChange(TObject*)
{
    if (auto* s = writable(); s && CBNulls->ItemIndex() >= 0)
        s->SetTreatNulls(static_cast<TTreatNullsStyle>(CBNulls->ItemIndex()));
}

void TCustomSeriesEditor::TBTranspChange(TObject*)
{
    if (auto* s = writable()) s->SetTransparency(TBTransp->Position());
}

void TCustomSeriesEditor::CBSmoothedClick(TObject*)
{
    if (auto* s = writable()) s->SetSmoothed(CBSmoothed->Checked());
}

void TCustomSeriesEditor::EToleranceChange(TObject*)
{
    if (auto* s = writable(); s && Showing()) s->SetClickTolerance(UDTolerance->Position());
}

void TCustomSeriesEditor::CBDrawStyleChange(TObject*)
{
    if (auto* s = writable(); s && Showing() && CBDrawStyle->ItemIndex() >= 0)
        s->SetDrawStyle(static_cast<TCustomSeriesDrawStyle>(CBDrawStyle->ItemIndex()));
}

void TCustomSeriesEditor::CBDefColorClick(TObject*)
{
    auto* s = writable();
    if (!s || !CBDefColor->Checked()) return;
    s->ResetSeriesColor();
    BLineColor->Repaint();
    CBDefColor->SetEnabled(false);
}

void TCustomSeriesEditor::CBPointerBehindClick(TObject*)
{
    if (auto* s = writable()) s->SetPointerBehind(CBPointerBehind->Checked());
}

void TCustomSeriesEditor::CBInflateClick(TObject*)
{
    if (auto* s = writable()) s->SetInflateMargins(CBInflate->Checked());
}

void StartCustomSeriesEditorUnit()
{
    if (customSeriesEditorStarts.First()) RegisterInControlGroup(TCustomSeriesEditor::StaticClass());
}

void StopCustomSeriesEditorUnit() { customSeriesEditorStarts.Last(); }
