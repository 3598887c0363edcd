#pragma once
// The page of line series (and every TCustomSeries without its own): colours, stacking, 3-D
// height, nulls, clicks and the line mode; each control writes its property at once.
#include "platform/forms/Forms.h"

class TButtonColor;
class TCheckBox;
class TComboBox;
class TCustomSeries;
class TEdit;
class TGroupBox;
class TLabel;
class TPageControl;
class TPanel;
class TTabSheet;
class TTrackBar;
class TUpDown;

class TCustomSeriesEditor : public TForm {
    TV_CLASS(TCustomSeriesEditor, TForm)
public:
    explicit TCustomSeriesEditor(TComponent* owner);

    // The series edited; nullptr once it was freed elsewhere (the controls are disabled then).
    TCustomSeries* Series() const;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormDestroy(TObject* Sender);
    void PageControl1Change(TObject* Sender);
    void CBStairsClick(TObject* Sender);
    void CBInvStairsClick(TObject* Sender);
    void CBColorEachClick(TObject* Sender);
    void CBDark3DClick(TObject* Sender);
    void CBStackChange(TObject* Sender);
    void EHeightChange(TObject* Sender);
    void CBClickClick(TObject* Sender);
    void CBEachLineClick(TObject* Sender);
    void BLineColorClick(TObject* Sender);
    void CBNullsChange(TObject* Sender);
    void TBTranspChange(TObject* Sender);
    void CBSmoothedClick(TObject* Sender);
    void EToleranceChange(TObject* Sender);
    void CBDrawStyleChange(TObject* Sender);
    void CBDefColorClick(TObject* Sender);
    void CBPointerBehindClick(TObject* Sender);
    void CBInflateClick(TObject* Sender);

    TPageControl* PageControl1 = nullptr;
    TTabSheet* TabFormat = nullptr;
    TTabSheet* TabOptions = nullptr;
    TButtonColor* BLineColor = nullptr;
    TCheckBox* CBDefColor = nullptr;
    TCheckBox* CBColorEach = nullptr;
    TCheckBox* CBEachLine = nullptr;
    TCheckBox* CBDark3D = nullptr;
    TCheckBox* CBPointerBehind = nullptr;
    TTrackBar* TBTransp = nullptr;
    TLabel* LDrawStyle = nullptr;
    TComboBox* CBDrawStyle = nullptr;
    TComboBox* CBStack = nullptr;
    TLabel* LHeight = nullptr;
    TEdit* EHeight = nullptr;
    TUpDown* UDHeight = nullptr;
    TComboBox* CBNulls = nullptr;
    TEdit* ETolerance = nullptr;
    TUpDown* UDTolerance = nullptr;
    TCheckBox* CBClick = nullptr;
    TGroupBox* GBStair = nullptr;
    TCheckBox* CBStairs = nullptr;
    TCheckBox* CBInvStairs = nullptr;
    TCheckBox* CBSmoothed = nullptr;
    TCheckBox* CBInflate = nullptr;

protected:
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    // The series when it is alive and the page is not loading its controls.
    TCustomSeries* writable() const;
    void refreshDefaultColor();
    void disableWhenGone();

    // Weak: a free notification clears it.
    TCustomSeries* series_ = nullptr;
    bool loading_ = false;
};

void StartCustomSeriesEditorUnit();
void StopCustomSeriesEditorUnit();
