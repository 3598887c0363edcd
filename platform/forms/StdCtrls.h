#pragma once
// Standard controls: label, button, edit, memo, combo box, check box, radio button, group box,
// scroll bar. Events fire as the class library fires them:
//  - TEdit/TMemo OnChange: on user edits and on programmatic Text changes;
//  - TCheckBox/TRadioButton OnClick: on user clicks and when Checked is changed in code;
//  - TComboBox OnChange: on user edits and user selection only (never for ItemIndex/Text set in
//    code); filling Items keeps the edit text.
#include <memory>

#include "platform/forms/Controls.h"
#include "platform/forms/GroupBox.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/Edit.h"
#include "platform/forms/Buttons.h"
#include "platform/forms/Label.h"
#include "platform/rtl/StringList.h"

class TMemoStrings;

class TMemo : public TCustomEdit {
    TV_CLASS(TMemo, TCustomEdit)
public:
    explicit TMemo(TComponent* owner);
    ~TMemo() override;

    // The lines; Add appends without re-reading the whole text (a log of thousands of lines).
    TStrings* Lines() const;
    void SetLines(TStrings* value);  // copies
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    bool WantReturns() const { return wantReturns_; }
    void SetWantReturns(bool value) { wantReturns_ = value; }
    bool WantTabs() const { return wantTabs_; }
    void SetWantTabs(bool value) { wantTabs_ = value; }
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value) { alignment_ = value; }

protected:
    String GetText() const override;
    void SetTextValue(const String& value) override;
    std::unique_ptr<THostWindow> CreateHostWindow() override;
    void HostCreated() override;

private:
    friend class TMemoStrings;
    std::unique_ptr<TMemoStrings> lines_;
    TScrollStyle scrollBars_ = ssNone;
    bool wordWrap_ = true;
    bool wantReturns_ = true;
    bool wantTabs_ = false;
    TAlignment alignment_ = taLeftJustify;
};

enum TScrollBarKind { sbHorizontal, sbVertical };
enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };
using TScrollEvent = TMethodEvent<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

class TScrollBar : public TWinControl {
    TV_CLASS(TScrollBar, TWinControl)
public:
    explicit TScrollBar(TComponent* owner);

    TScrollBarKind Kind() const { return kind_; }
    void SetKind(TScrollBarKind value);
    int Min() const { return min_; }
    void SetMin(int value) { SetParams(position_, value, max_); }
    int Max() const { return max_; }
    void SetMax(int value) { SetParams(position_, min_, value); }
    int Position() const { return position_; }
    void SetPosition(int value) { SetParams(value, min_, max_); }
    int SmallChange() const { return smallChange_; }
    void SetSmallChange(int value) { smallChange_ = value; }
    int LargeChange() const { return largeChange_; }
    void SetLargeChange(int value) { largeChange_ = value; }
    int PageSize() const { return pageSize_; }
    void SetPageSize(int value);
    // EInvalidOperation "Scroll bar property out of range" when min > max.
    void SetParams(int position, int min, int max);

    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(const TNotifyEvent& e) { onChange_ = e; }
    const TScrollEvent& OnScroll() const { return onScroll_; }
    void SetOnScroll(const TScrollEvent& e) { onScroll_ = e; }

    // Private to the layer: the user moved the bar.
    void UserScrolled(TScrollCode code, int position);

protected:
    virtual void Change();
    std::unique_ptr<THostWindow> CreateHostWindow() override;
    void HostCreated() override;

private:
    TScrollBarKind kind_ = sbHorizontal;
    int min_ = 0, max_ = 100, position_ = 0;
    int smallChange_ = 1, largeChange_ = 1, pageSize_ = 0;
    TNotifyEvent onChange_;
    TScrollEvent onScroll_;
};

void RegisterStdControls();
