#pragma once
// TPageControl and its TTabSheet pages: a row of tabs above the active page. Only the active page
// is shown; OnChanging and OnChange fire when the user picks a tab, not when ActivePage is set in
// code. A page control can sit on a page of another.
#include <vector>

#include "platform/forms/CustomControls.h"

class TPageControl;

class TTabSheet : public TWinControl {
    TV_CLASS(TTabSheet, TWinControl)
public:
    explicit TTabSheet(TComponent* owner);
    void BeforeDestruction() override;

    TPageControl* PageControl() const { return pageControl_; }
    void SetPageControl(TPageControl* value);
    // Position among the page control's pages (-1 when on none).
    int PageIndex() const;
    void SetPageIndex(int value);
    // A hidden tab keeps its page but offers no tab for it.
    bool TabVisible() const { return tabVisible_; }
    void SetTabVisible(bool value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value) { imageIndex_ = value; }
    // Position among the visible tabs (-1 when its tab is hidden).
    int TabIndex() const;
    // The tab is drawn in the highlight face (the page stays as it is).
    bool Highlighted() const { return highlighted_; }
    void SetHighlighted(bool value);

    const TNotifyEvent& OnShow() const { return onShow_; }
    void SetOnShow(const TNotifyEvent& e) { onShow_ = e; }
    const TNotifyEvent& OnHide() const { return onHide_; }
    void SetOnHide(const TNotifyEvent& e) { onHide_ = e; }

protected:
    void ParentChanged() override;
    void CMTextChanged(TMessage& message) override;
    void VisibleChanged() override;

private:
    friend class TPageControl;
    TPageControl* pageControl_ = nullptr;
    bool tabVisible_ = true;
    bool highlighted_ = false;
    int imageIndex_ = -1;
    TNotifyEvent onShow_, onHide_;
};

using TTabChangingEvent = TMethodEvent<void(TObject* Sender, bool& AllowChange)>;

class TPageControl : public TCustomControl {
    TV_CLASS(TPageControl, TCustomControl)
public:
    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;

    int PageCount() const { return static_cast<int>(pages_.size()); }
    TTabSheet* Pages(int index) const;
    TTabSheet* ActivePage() const { return activePage_; }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);
    // The active page's position among the visible tabs (-1 when none).
    int TabIndex() const;
    void SetTabIndex(int index);
    // The next (or previous) page with a visible tab, wrapping; nullptr when there is none.
    TTabSheet* FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible) const;
    void SelectNextPage(bool goForward, bool checkTabVisible = true);
    // The tab of the page (client coordinates); empty when its tab is hidden.
    TRect TabRect(int pageIndex) const;
    // The page whose tab lies under a client point, or -1.
    int IndexOfTabAt(int x, int y) const;
    // The area the pages fill (client coordinates).
    TRect DisplayRect() const;

    bool HotTrack() const { return hotTrack_; }
    void SetHotTrack(bool value);
    // The page whose tab the mouse is over while HotTrack is on (-1: none).
    int HotTab() const { return hotTab_; }
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool value) { multiLine_ = value; }
    int TabHeight() const { return tabHeight_; }
    void SetTabHeight(int value);
    int TabWidth() const { return tabWidth_; }
    void SetTabWidth(int value);

    const TTabChangingEvent& OnChanging() const { return onChanging_; }
    void SetOnChanging(const TTabChangingEvent& e) { onChanging_ = e; }
    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(const TNotifyEvent& e) { onChange_ = e; }

    void GetChildren(const TGetChildProc& proc, TComponent* root) override;

protected:
    void Paint() override;
    void AdjustClientRect(TRect& rect) override;
    void AlignControls(TControl* control, TRect& rect) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void CMMouseLeave(TMessage& message) override;
    void Loaded() override;
    virtual bool CanChange();
    virtual void Change();

private:
    friend class TTabSheet;
    void insertPage(TTabSheet* page);
    void removePage(TTabSheet* page);
    void tabsChanged();
    void showActive();
    int rowHeight() const;

    std::vector<TTabSheet*> pages_;  // not owned
    TTabSheet* activePage_ = nullptr;
    bool hotTrack_ = false;
    int hotTab_ = -1;
    bool multiLine_ = false;
    int tabHeight_ = 0;
    int tabWidth_ = 0;
    TTabChangingEvent onChanging_;
    TNotifyEvent onChange_;
};

void RegisterPageControls();
