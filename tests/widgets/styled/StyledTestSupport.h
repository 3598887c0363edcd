#pragma once
// A styled panel on a shown form, with the protected parts tests look at.
#include <vector>

#include "platform/forms/Forms.h"
#include "widgets/styled/QMPanel.h"

class ProbePanel : public TQMPanel {
public:
    using TQMPanel::TQMPanel;

    // The control under the pointer as the test decides it (null: none).
    bool fakeCursor = false;
    TControl* under = nullptr;
    TControl* ControlUnderCursor() const override { return fakeCursor ? under : TQMPanel::ControlUnderCursor(); }

    int invalidates = 0;
    void Invalidate() override
    {
        ++invalidates;
        TQMPanel::Invalidate();
    }

    int wantTab = 0;  // answer to the Tab-key query
    std::vector<String> hooks;
    void WndProc(TMessage& m) override
    {
        if (m.Msg == QM_WANTTABKEY) {
            m.Result = wantTab;
            return;
        }
        TQMPanel::WndProc(m);
    }
    void HotChanged() override { hooks.push_back("hot"); }
    void MouseLeft() override { hooks.push_back("left"); }
    void FocusChanged() override { hooks.push_back("focus"); }
    void EnabledChanged() override { hooks.push_back("enabled"); }
    void HitAreaChanged(intptr, int, int) override { hooks.push_back("area"); }

    using TQMCustomControl::FrameHitAreaAt;
    using TQMCustomPanel::AdjustSize;
};

struct StyledForm {
    StyledForm()
    {
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 400, 300);
        panel = new ProbePanel(form);
        panel->SetParent(form);
        panel->SetBounds(10, 10, 100, 60);
    }
    ~StyledForm() { TObject::Free(form); }
    StyledForm(const StyledForm&) = delete;
    StyledForm& operator=(const StyledForm&) = delete;

    TForm* form = nullptr;
    ProbePanel* panel = nullptr;
};
