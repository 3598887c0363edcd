#pragma once
// Standard controls: label, button, edit, memo, combo box, check box, radio button, group box,
// scroll bar (one header each; the memo is declared here). Events fire as the class library fires
// them:
//  - TEdit/TMemo OnChange: on user edits and on programmatic Text changes;
//  - TCheckBox/TRadioButton OnClick: on user clicks and when Checked is changed in code;
//  - TComboBox OnChange: on user edits and user selection only (never for ItemIndex/Text set in
//    code); filling Items keeps the edit text.
#include <memory>

#include "platform/forms/Buttons.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/Controls.h"
#include "platform/forms/Edit.h"
#include "platform/forms/GroupBox.h"
#include "platform/forms/Label.h"
#include "platform/forms/ScrollBar.h"
#include "platform/rtl/StringList.h"

class TMemoStrings;

class TMemo : public TCustomEdit {
    TV_CLASS(TMemo, TCustomEdit)
public:
    explicit TMemo(TComponent* owner);
    ~TMemo() override;
    void BeforeDestruction() override;

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

    int SelStart() const override;
    void SetSelStart(int value) override;
    int SelLength() const override;
    void SetSelLength(int value) override;
    String SelText() const override;

protected:
    String GetText() const override;
    void SetTextValue(const String& value) override;
    std::unique_ptr<THostWindow> CreateHostWindow() override;
    void HostCreated() override;

private:
    friend class TMemoStrings;
    bool wraps() const;
    void hostKindChanged();
    void forgetView();
    // Selection as offsets into Text; a memo without its window has none.
    std::pair<int, int> selection() const;
    void select(int from, int to);

    std::unique_ptr<TMemoStrings> lines_;
    TScrollStyle scrollBars_ = ssNone;
    bool wordWrap_ = true;
    bool wantReturns_ = true;
    bool wantTabs_ = false;
    TAlignment alignment_ = taLeftJustify;
};

void RegisterStdControls();
