#pragma once
// Standard controls: label, button, edit, memo, combo box, check box, radio button, group box,
// scroll bar. Events fire as the class library fires them:
//  - TEdit/TMemo OnChange: on user edits and on programmatic Text changes;
//  - TCheckBox/TRadioButton OnClick: on user clicks and when Checked is changed in code;
//  - TComboBox OnChange: on user edits and user selection only (never for ItemIndex/Text set in
//    code); filling Items keeps the edit text.
#include <memory>

#include "platform/forms/Controls.h"
#include "platform/rtl/StringList.h"

class TLabel : public TGraphicControl {
    TV_CLASS(TLabel, TGraphicControl)
public:
    explicit TLabel(TComponent* owner);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool value);
    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* value) { focusControl_ = value; }
    void SetAutoSize(bool value) override;

protected:
    void Paint() override;
    bool CanAutoSize(int& newWidth, int& newHeight) override;
    void CMTextChanged(TMessage& message) override;
    void CMFontChanged(TMessage& message) override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = tlTop;
    bool transparent_ = false;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
    TWinControl* focusControl_ = nullptr;
};

class TButtonControl : public TWinControl {
    TV_CLASS(TButtonControl, TWinControl)
public:
    explicit TButtonControl(TComponent* owner);
};

class TButton : public TButtonControl {
    TV_CLASS(TButton, TButtonControl)
public:
    explicit TButton(TComponent* owner);

    bool Default() const { return default_; }
    void SetDefault(bool value) { default_ = value; }
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int value) { modalResult_ = value; }
    // Clicks as the user would: OnClick, then the form's ModalResult when set.
    void Click() override;

protected:
    std::unique_ptr<THostWindow> CreateHostWindow() override;
    void HostCreated() override;
    void CMTextChanged(TMessage& message) override;

private:
    bool default_ = false;
    bool cancel_ = false;
    int modalResult_ = 0;
};

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

class TCustomEdit : public TWinControl {
    TV_CLASS(TCustomEdit, TWinControl)
public:
    explicit TCustomEdit(TComponent* owner);
    ~TCustomEdit() override;

    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    bool Modified() const { return modified_; }
    void SetModified(bool value) { modified_ = value; }
    TEditCharCase CharCase() const { return charCase_; }
    void SetCharCase(TEditCharCase value);
    char PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(char value);
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool value) { autoSelect_ = value; }
    int SelStart() const;
    void SetSelStart(int value);
    int SelLength() const;
    void SetSelLength(int value);
    String SelText() const;
    void SelectAll();
    void Clear() { SetText(String()); }
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value) { borderStyle_ = value == bsNone ? bsNone : bsSingle; }
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool value) { hideSelection_ = value; }

    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(const TNotifyEvent& e) { onChange_ = e; }

    // Private to the layer: the user changed the text.
    void UserEdited(const String& text);

protected:
    virtual void Change();
    String GetText() const override;
    void SetTextValue(const String& value) override;
    void CMTextChanged(TMessage& message) override;
    std::unique_ptr<THostWindow> CreateHostWindow() override;
    void HostCreated() override;

    String value_;

private:
    int maxLength_ = 0;
    bool readOnly_ = false;
    bool modified_ = false;
    TEditCharCase charCase_ = ecNormal;
    char passwordChar_ = 0;
    bool autoSelect_ = true;
    TBorderStyle borderStyle_ = bsSingle;
    bool hideSelection_ = true;
    TNotifyEvent onChange_;
};

class TEdit : public TCustomEdit {
    TV_CLASS(TEdit, TCustomEdit)
public:
    using TCustomEdit::TCustomEdit;
};

class TMemoStrings;

class TMemo : public TCustomEdit {
    TV_CLASS(TMemo, TCustomEdit)
public:
    explicit TMemo(TComponent* owner);
    ~TMemo() override;

    // The lines, held compactly; Add appends without re-reading the whole text. A memo whose
    // lines do not wrap (WordWrap off or a horizontal scroll bar) shows them in a light view made
    // for logs of millions of lines: scrolling, selection, copying and plain editing.
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
    bool wraps() const;
    void hostKindChanged();

    std::unique_ptr<TMemoStrings> lines_;
    TScrollStyle scrollBars_ = ssNone;
    bool wordWrap_ = true;
    bool wantReturns_ = true;
    bool wantTabs_ = false;
    TAlignment alignment_ = taLeftJustify;
};

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TComboItems;

class TComboBox : public TWinControl {
    TV_CLASS(TComboBox, TWinControl)
public:
    explicit TComboBox(TComponent* owner);
    ~TComboBox() override;

    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle value);
    // Changing the items keeps the edit text (csDropDown).
    TStrings* Items() const;
    void SetItems(TStrings* value);  // copies
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int value);
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int value) { dropDownCount_ = value; }
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value) { maxLength_ = value; }
    bool Sorted() const { return sorted_; }
    void SetSorted(bool value);
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int value) { itemHeight_ = value; }
    bool DroppedDown() const { return false; }
    void Clear();

    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(const TNotifyEvent& e) { onChange_ = e; }
    const TNotifyEvent& OnSelect() const { return onSelect_; }
    void SetOnSelect(const TNotifyEvent& e) { onSelect_ = e; }
    const TNotifyEvent& OnDropDown() const { return onDropDown_; }
    void SetOnDropDown(const TNotifyEvent& e) { onDropDown_ = e; }

    // Private to the layer: the user typed or picked an item.
    void UserEdited(const String& text);
    void UserSelected(int index);

protected:
    virtual void Change();
    virtual void Select();
    String GetText() const override;
    void SetTextValue(const String& value) override;
    std::unique_ptr<THostWindow> CreateHostWindow() override;
    void HostCreated() override;

private:
    friend class TComboItems;
    void itemsChanged();
    void pushToHost();

    std::unique_ptr<TComboItems> items_;
    TComboBoxStyle style_ = csDropDown;
    int itemIndex_ = -1;
    String value_;
    int dropDownCount_ = 8;
    int maxLength_ = 0;
    bool sorted_ = false;
    int itemHeight_ = 13;
    TNotifyEvent onChange_, onSelect_, onDropDown_;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCheckBox : public TButtonControl {
    TV_CLASS(TCheckBox, TButtonControl)
public:
    explicit TCheckBox(TComponent* owner);

    // Changing it in code fires OnClick, as a click does.
    bool Checked() const { return state_ == cbChecked; }
    void SetChecked(bool value) { SetState(value ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const { return state_; }
    void SetState(TCheckBoxState value);
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool value) { allowGrayed_ = value; }
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value) { alignment_ = value; }
    // The user's click: toggles, which fires OnClick.
    void Toggle();

protected:
    std::unique_ptr<THostWindow> CreateHostWindow() override;
    void HostCreated() override;
    void CMTextChanged(TMessage& message) override;

private:
    TCheckBoxState state_ = cbUnchecked;
    bool allowGrayed_ = false;
    TAlignment alignment_ = taRightJustify;
};

class TRadioButton : public TButtonControl {
    TV_CLASS(TRadioButton, TButtonControl)
public:
    explicit TRadioButton(TComponent* owner);

    // Checking one unchecks its siblings; changing it in code fires OnClick when it becomes checked.
    bool Checked() const { return checked_; }
    void SetChecked(bool value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value) { alignment_ = value; }

protected:
    std::unique_ptr<THostWindow> CreateHostWindow() override;
    void HostCreated() override;
    void CMTextChanged(TMessage& message) override;

private:
    bool checked_ = false;
    TAlignment alignment_ = taRightJustify;
};

class TCustomGroupBox : public TCustomControl {
    TV_CLASS(TCustomGroupBox, TCustomControl)
public:
    explicit TCustomGroupBox(TComponent* owner);

protected:
    void Paint() override;
    void AdjustClientRect(TRect& rect) override;
    void CMTextChanged(TMessage& message) override;
};

class TGroupBox : public TCustomGroupBox {
    TV_CLASS(TGroupBox, TCustomGroupBox)
public:
    using TCustomGroupBox::TCustomGroupBox;
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
