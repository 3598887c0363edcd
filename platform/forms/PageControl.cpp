// TPageControl and TTabSheet: tabs painted by the control itself, pages as child windows of which
// only the active one is visible.
#include <algorithm>

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Published.h"
#include "platform/forms/Forms_p.h"
#include "platform/forms/PageControl.h"
#include "platform/forms/StdCtrls_p.h"

using tvforms::MeasureCanvas;

namespace {
constexpr int TabPadding = 6;  // blank beside a tab's caption
constexpr int FrameWidth = 4;  // between the frame and the pages
constexpr int ActiveLift = 2;  // the active tab stands higher and wider
}  // namespace

// ---- TTabSheet ---------------------------------------------------------------------------------

TV_PUBLISHED(TTabSheet)
{
    Prop("Caption", &TTabSheet::Caption, &TTabSheet::SetCaption);
    Prop("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible, true);
    Prop("ImageIndex", &TTabSheet::ImageIndex, &TTabSheet::SetImageIndex, -1);
    Prop("Highlighted", &TTabSheet::Highlighted, &TTabSheet::SetHighlighted, false);
    PropColor("Color", &TTabSheet::Color, &TTabSheet::SetColor, clBtnFace).Stored(&TTabSheet::IsColorStored);
    Prop("ParentColor", &TTabSheet::ParentColor, &TTabSheet::SetParentColor, true);
    // The page control shows the active page and hides the others.
    Prop("Visible", &TTabSheet::Visible, &TTabSheet::SetVisible, true).Stored(false);
    Prop("OnShow", &TTabSheet::OnShow, &TTabSheet::SetOnShow);
    Prop("OnHide", &TTabSheet::OnHide, &TTabSheet::SetOnHide);
}

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner)
{
    SetControlStyle(TControlStyle{csAcceptsControls, csClickEvents, csSetCaption, csDoubleClicks, csParentBackground});
    SetColor(clBtnFace);
    SetParentColor(true);  // the face colour until it has a parent
    SetVisibleState(false);
}

void TTabSheet::BeforeDestruction()
{
    if (pageControl_) pageControl_->removePage(this);
    TWinControl::BeforeDestruction();
}

void TTabSheet::SetPageControl(TPageControl* value) { SetParent(value); }

int TTabSheet::PageIndex() const
{
    if (!pageControl_) return -1;
    const auto& p = pageControl_->pages_;
    return static_cast<int>(std::find(p.begin(), p.end(), this) - p.begin());
}

void TTabSheet::SetPageIndex(int value)
{
    if (!pageControl_) return;
    auto& p = pageControl_->pages_;
    value = std::clamp(value, 0, static_cast<int>(p.size()) - 1);
    std::erase(p, this);
    p.insert(p.begin() + value, this);
    pageControl_->tabsChanged();
}

int TTabSheet::TabIndex() const
{
    if (!pageControl_ || !tabVisible_) return -1;
    int index = 0;
    for (TTabSheet* s : pageControl_->pages_) {
        if (s == this) return index;
        if (s->tabVisible_) ++index;
    }
    return -1;
}

void TTabSheet::SetTabVisible(bool value)
{
    if (tabVisible_ == value) return;
    tabVisible_ = value;
    if (!pageControl_) return;
    // A page whose tab goes away stops being the active one.
    if (!value && pageControl_->activePage_ == this)
        pageControl_->SetActivePage(pageControl_->FindNextPage(this, true, true));
    else if (value && !pageControl_->activePage_)
        pageControl_->SetActivePage(this);
    pageControl_->tabsChanged();
}

void TTabSheet::ParentChanged()
{
    auto* now = dynamic_cast<TPageControl*>(Parent());
    if (now == pageControl_) return;
    if (pageControl_) pageControl_->removePage(this);
    pageControl_ = now;
    if (now) now->insertPage(this);
}

void TTabSheet::CMTextChanged(TMessage& m)
{
    TWinControl::CMTextChanged(m);
    if (pageControl_) pageControl_->tabsChanged();
}

void TTabSheet::VisibleChanged()
{
    TWinControl::VisibleChanged();
    if (IsLoading() || IsDestroying()) return;
    const TNotifyEvent& e = Visible() ? onShow_ : onHide_;
    if (e) e(this);
}

// ---- TPageControl ------------------------------------------------------------------------------

TV_PUBLISHED(TPageControl)
{
    Prop("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage);
    PropColor("Color", &TPageControl::Color, &TPageControl::SetColor, clBtnFace).Stored(&TPageControl::IsColorStored);
    Prop("ParentColor", &TPageControl::ParentColor, &TPageControl::SetParentColor, false);
    Prop("HotTrack", &TPageControl::HotTrack, &TPageControl::SetHotTrack, false);
    Prop("MultiLine", &TPageControl::MultiLine, &TPageControl::SetMultiLine, false);
    Prop("TabHeight", &TPageControl::TabHeight, &TPageControl::SetTabHeight, 0);
    Prop("TabWidth", &TPageControl::TabWidth, &TPageControl::SetTabWidth, 0);
    Prop("TabStop", &TPageControl::TabStop, &TPageControl::SetTabStop, true);
    Prop("OnChange", &TPageControl::OnChange, &TPageControl::SetOnChange);
    Prop("OnChanging", &TPageControl::OnChanging, &TPageControl::SetOnChanging);
}

TPageControl::TPageControl(TComponent* owner) : TCustomControl(owner)
{
    SetControlStyle(TControlStyle{csDoubleClicks, csOpaque});
    SetTabStop(true);
    SetColor(clBtnFace);
    SetParentColor(false);
    SetBounds(0, 0, 289, 193);
}

TPageControl::~TPageControl()
{
    for (TTabSheet* s : pages_) s->pageControl_ = nullptr;
}

TTabSheet* TPageControl::Pages(int index) const
{
    if (index < 0 || index >= PageCount()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return pages_[static_cast<size_t>(index)];
}

void TPageControl::insertPage(TTabSheet* page)
{
    pages_.push_back(page);
    page->SetBounds(DisplayRect().Left, DisplayRect().Top, DisplayRect().Width(), DisplayRect().Height());
    if (!activePage_ && page->TabVisible() && !IsLoading())
        SetActivePage(page);
    else
        page->SetVisible(page == activePage_);
    tabsChanged();
}

void TPageControl::removePage(TTabSheet* page)
{
    TTabSheet* next = activePage_ == page ? FindNextPage(page, true, true) : activePage_;
    std::erase(pages_, page);
    if (next == page) next = nullptr;
    if (activePage_ == page) {
        activePage_ = nullptr;
        if (!IsDestroying()) SetActivePage(next);
    }
    hotTab_ = -1;
    tabsChanged();
}

void TPageControl::SetActivePage(TTabSheet* page)
{
    if (page && page->pageControl_ != this) return;
    if (IsLoading()) {
        // Pages read later are still to come: showing waits for Loaded.
        activePage_ = page;
        return;
    }
    if (page == activePage_ && (!page || page->Visible())) return;
    TTabSheet* old = activePage_;
    activePage_ = page;
    if (page) {
        TRect r = DisplayRect();
        page->SetBounds(r.Left, r.Top, r.Width(), r.Height());
        page->BringToFront();
        page->SetVisible(true);
    }
    if (old && old != page) old->SetVisible(false);
    Invalidate();
}

int TPageControl::ActivePageIndex() const { return activePage_ ? activePage_->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int index)
{
    SetActivePage(index >= 0 && index < PageCount() ? pages_[static_cast<size_t>(index)] : nullptr);
}

int TPageControl::TabIndex() const { return activePage_ ? activePage_->TabIndex() : -1; }

void TPageControl::SetTabIndex(int index)
{
    for (TTabSheet* s : pages_)
        if (s->TabIndex() == index && index >= 0) return SetActivePage(s);
    SetActivePage(nullptr);
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible) const
{
    const int n = PageCount();
    if (n == 0) return nullptr;
    auto at = std::find(pages_.begin(), pages_.end(), current);
    int start = at == pages_.end() ? (goForward ? n - 1 : 0) : static_cast<int>(at - pages_.begin());
    int i = start;
    for (int step = 0; step < n; ++step) {
        i = goForward ? (i + 1) % n : (i + n - 1) % n;
        TTabSheet* s = pages_[static_cast<size_t>(i)];
        if (s != current && (!checkTabVisible || s->TabVisible())) return s;
    }
    return nullptr;
}

void TPageControl::SelectNextPage(bool goForward, bool checkTabVisible)
{
    TTabSheet* next = FindNextPage(activePage_, goForward, checkTabVisible);
    if (!next || next == activePage_ || !CanChange()) return;
    SetActivePage(next);
    Change();
}

void TPageControl::SetHotTrack(bool value)
{
    hotTrack_ = value;
    if (!value) hotTab_ = -1;
    Invalidate();
}

void TPageControl::SetTabHeight(int value)
{
    tabHeight_ = std::max(0, value);
    tabsChanged();
}

void TPageControl::SetTabWidth(int value)
{
    tabWidth_ = std::max(0, value);
    tabsChanged();
}

int TPageControl::rowHeight() const
{
    if (tabHeight_ > 0) return tabHeight_;
    TCanvas& c = MeasureCanvas();
    c.SetFont(Font());
    return c.TextHeight("Wg") + 6;
}

TRect TPageControl::TabRect(int pageIndex) const
{
    if (pageIndex < 0 || pageIndex >= PageCount() || !pages_[static_cast<size_t>(pageIndex)]->TabVisible()) return {};
    TCanvas& c = MeasureCanvas();
    c.SetFont(Font());
    int x = ActiveLift;
    const int h = rowHeight();
    for (int i = 0; i < PageCount(); ++i) {
        TTabSheet* s = pages_[static_cast<size_t>(i)];
        if (!s->TabVisible()) continue;
        String caption = s->Caption();
        std::erase(caption, '&');
        int w = tabWidth_ > 0 ? tabWidth_ : c.TextWidth(caption) + 2 * TabPadding;
        if (i == pageIndex) return Rect(x, ActiveLift, x + w, ActiveLift + h);
        x += w;
    }
    return {};
}

int TPageControl::IndexOfTabAt(int x, int y) const
{
    for (int i = 0; i < PageCount(); ++i)
        if (PtInRect(TabRect(i), Point(x, y))) return i;
    return -1;
}

TRect TPageControl::DisplayRect() const
{
    TRect r = ClientRect();
    bool anyTab = std::any_of(pages_.begin(), pages_.end(), [](TTabSheet* s) { return s->TabVisible(); });
    if (anyTab) r.Top += ActiveLift + rowHeight();
    InflateRect(r, -FrameWidth, -FrameWidth);
    if (r.Right < r.Left) r.Right = r.Left;
    if (r.Bottom < r.Top) r.Bottom = r.Top;
    return r;
}

void TPageControl::AdjustClientRect(TRect& rect) { rect = DisplayRect(); }

void TPageControl::AlignControls(TControl* control, TRect& rect)
{
    for (TTabSheet* s : pages_) s->SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
    TCustomControl::AlignControls(control, rect);
}

void TPageControl::tabsChanged()
{
    if (IsLoading()) return;
    Realign();
    Invalidate();
}

void TPageControl::Loaded()
{
    TCustomControl::Loaded();
    TTabSheet* page = activePage_;
    if (!page) page = FindNextPage(nullptr, true, true);
    activePage_ = nullptr;
    for (TTabSheet* s : pages_)
        if (s != page) s->SetVisible(false);
    SetActivePage(page);
    tabsChanged();
}

bool TPageControl::CanChange()
{
    bool allow = true;
    if (onChanging_) onChanging_(this, allow);
    return allow;
}

void TPageControl::Change()
{
    if (onChange_) onChange_(this);
}

void TPageControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft) return;
    int index = IndexOfTabAt(x, y);
    if (index < 0) return;
    TTabSheet* page = pages_[static_cast<size_t>(index)];
    if (page == activePage_) return;
    if (!CanChange()) return;
    SetActivePage(page);
    if (CanFocus()) SetFocus();
    Change();
}

void TPageControl::MouseMove(TShiftState shift, int x, int y)
{
    TCustomControl::MouseMove(shift, x, y);
    if (!hotTrack_) return;
    int index = IndexOfTabAt(x, y);
    if (index == hotTab_) return;
    hotTab_ = index;
    Invalidate();
}

void TPageControl::CMMouseLeave(TMessage& m)
{
    TCustomControl::CMMouseLeave(m);
    if (hotTab_ < 0) return;
    hotTab_ = -1;
    Invalidate();
}

void TPageControl::GetChildren(const TGetChildProc& proc, TComponent* root)
{
    // Pages first, in page order, so a stored description reads them back in that order.
    for (TTabSheet* s : pages_)
        if (s->Owner() == root) proc(s);
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (c->Owner() == root && !dynamic_cast<TTabSheet*>(c)) proc(c);
    }
}

void TPageControl::Paint()
{
    TCanvas& c = *Canvas();
    c.SetFont(Font());
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(Color());
    c.FillRect(ClientRect());
    TRect frame = DisplayRect();
    InflateRect(frame, FrameWidth, FrameWidth);
    DrawEdge(tvforms::Ready(c), frame, EDGE_RAISED, BF_RECT | BF_SOFT);
    for (int i = 0; i < PageCount(); ++i) {
        TRect r = TabRect(i);
        if (IsRectEmpty(r)) continue;
        TTabSheet* s = pages_[static_cast<size_t>(i)];
        const bool active = s == activePage_;
        if (active) {
            r.Left -= ActiveLift;
            r.Right += ActiveLift;
            r.Top -= ActiveLift;
            r.Bottom += 1;
        }
        c.Brush()->SetStyle(bsSolid);
        c.Brush()->SetColor(s->Highlighted() ? clBtnHighlight : Color());
        c.FillRect(r);
        TRect edge = r;
        DrawEdge(tvforms::Ready(c), edge, EDGE_RAISED, BF_LEFT | BF_TOP | BF_RIGHT | BF_SOFT);
        c.Brush()->SetStyle(bsClear);
        c.Font()->SetColor(hotTrack_ && i == hotTab_ && !active ? clHighlight : Font()->Color());
        if (!IsEnabledInTree() || !s->Enabled()) c.Font()->SetColor(clGrayText);
        TRect text = r;
        DrawText(tvforms::Ready(c), s->Caption(), text, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        c.Font()->SetColor(Font()->Color());
    }
}

void TTabSheet::SetHighlighted(bool value)
{
    if (value == highlighted_) return;
    highlighted_ = value;
    if (pageControl_) pageControl_->Invalidate();
}

void RegisterPageControls() { RegisterClasses({&TPageControl::StaticClass(), &TTabSheet::StaticClass()}); }
