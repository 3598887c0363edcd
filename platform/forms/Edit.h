#pragma once
// TCustomEdit and TEdit: a one-line edit (the base of the memo too). OnChange fires on user edits
// and on programmatic Text changes.
#include <iterator>

#include "platform/forms/WinControl.h"

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
inline constexpr const char* TEditCharCaseNames[] = {"ecNormal", "ecUpperCase", "ecLowerCase"};
static_assert(std::size(TEditCharCaseNames) == ecLowerCase + 1);

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
    // The selection in characters of Text (a line break of a memo counts as its two characters).
    virtual int SelStart() const;
    virtual void SetSelStart(int value);
    virtual int SelLength() const;
    virtual void SetSelLength(int value);
    virtual String SelText() const;
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
