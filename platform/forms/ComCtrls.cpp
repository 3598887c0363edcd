// Status bar, up-down, track bar.
#include <QSignalBlocker>
#include <QSlider>
#include <algorithm>

#include "platform/classes/Published.h"
#include "platform/classes/Assign.h"
#include "platform/forms/ComCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Forms_p.h"
#include "platform/forms/StdCtrls.h"
#include "platform/graphics/Canvas.h"
#include "platform/rtl/Convert.h"

namespace {

unsigned AlignFlag(TAlignment a)
{
    if (a == taRightJustify) return DT_RIGHT;
    if (a == taCenter) return DT_CENTER;
    return DT_LEFT;
}

}  // namespace

// ---- status panels -----------------------------------------------------------------------------

TV_PUBLISHED(TStatusPanel)
{
    PropEnum("Alignment", &TStatusPanel::Alignment, &TStatusPanel::SetAlignment, taLeftJustify, TAlignmentNames);
    PropEnum("Bevel", &TStatusPanel::Bevel, &TStatusPanel::SetBevel, pbLowered, TStatusPanelBevelNames);
    PropEnum("Style", &TStatusPanel::Style, &TStatusPanel::SetStyle, psText, TStatusPanelStyleNames);
    Prop("Text", &TStatusPanel::Text, &TStatusPanel::SetText);
    Prop("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth);
}

TStatusPanel::TStatusPanel(TCollection* collection) : TCollectionItem(collection) {}

void TStatusPanel::SetText(const String& value)
{
    if (AssignIfChanged(text_, value)) Changed(false);
}

void TStatusPanel::SetWidth(int value)
{
    if (AssignIfChanged(width_, value)) Changed(true);
}

void TStatusPanel::SetAlignment(TAlignment value)
{
    alignment_ = value;
    Changed(false);
}

void TStatusPanel::SetBevel(TStatusPanelBevel value)
{
    bevel_ = value;
    Changed(false);
}

void TStatusPanel::SetStyle(TStatusPanelStyle value)
{
    style_ = value;
    Changed(false);
}

void TStatusPanel::Assign(TPersistent* source)
{
    if (auto* p = dynamic_cast<TStatusPanel*>(source)) {
        text_ = p->text_;
        width_ = p->width_;
        alignment_ = p->alignment_;
        bevel_ = p->bevel_;
        style_ = p->style_;
        Changed(true);
        return;
    }
    TCollectionItem::Assign(source);
}

String TStatusPanel::DisplayName() const { return text_.empty() ? TCollectionItem::DisplayName() : text_; }

TV_PUBLISHED(TStatusPanels) {}

TStatusPanels::TStatusPanels(TStatusBar* statusBar) : TCollection(TStatusPanel::StaticClass()), statusBar_(statusBar)
{
    SetPropName("Panels");
}

TPersistent* TStatusPanels::GetOwner() const { return statusBar_; }

void TStatusPanels::Update(TCollectionItem*)
{
    if (statusBar_) statusBar_->Invalidate();
}

// ---- TStatusBar --------------------------------------------------------------------------------

TV_PUBLISHED(TStatusBar)
{
    PropEnum("Align", &TStatusBar::Align, &TStatusBar::SetAlign, alBottom, TAlignNames);
    Prop("Panels", &TStatusBar::Panels, &TStatusBar::SetPanels);
    Prop("SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel, false);
    Prop("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText);
    Prop("SizeGrip", &TStatusBar::SizeGrip, &TStatusBar::SetSizeGrip, true);
    Prop("UseSystemFont", &TStatusBar::UseSystemFont, &TStatusBar::SetUseSystemFont, true);
    PropColor("Color", &TStatusBar::Color, &TStatusBar::SetColor, clBtnFace).Stored(&TStatusBar::IsColorStored);
    Prop("ParentColor", &TStatusBar::ParentColor, &TStatusBar::SetParentColor, false);
}

TStatusBar::TStatusBar(TComponent* owner) : TCustomControl(owner)
{
    panels_ = new TStatusPanels(this);
    SetControlStyle(TControlStyle{csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque});
    SetColor(clBtnFace);
    SetBounds(0, 0, 150, 19);
    SetAlign(alBottom);
}

TStatusBar::~TStatusBar() { TObject::Free(panels_); }

void TStatusBar::SetPanels(TStatusPanels* value)
{
    if (value) panels_->Assign(value);
}

void TStatusBar::SetSimplePanel(bool value)
{
    simplePanel_ = value;
    Invalidate();
}

void TStatusBar::SetSimpleText(const String& value)
{
    simpleText_ = value;
    if (simplePanel_) Invalidate();
}

void TStatusBar::SetSizeGrip(bool value)
{
    sizeGrip_ = value;
    Invalidate();
}

TRect TStatusBar::PanelRect(int index) const
{
    int x = 0;
    int count = panels_->Count();
    if (index < 0 || index >= count) return {};
    for (int i = 0; i < index; ++i) x += panels_->Items(i)->Width();
    // The last panel reaches the right edge.
    int right = index == count - 1 ? std::max(x + panels_->Items(index)->Width(), ClientWidth())
                                   : x + panels_->Items(index)->Width();
    return Rect(x, 2, right, ClientHeight());
}

void TStatusBar::WndProc(TMessage& m)
{
    TCustomControl::WndProc(m);
    if (m.Msg != CM_HINTSHOW || m.Result != 0) return;
    auto& info = *reinterpret_cast<THintInfo*>(m.LParam);
    if (simplePanel_) {
        if (!simpleText_.empty()) info.HintStr = simpleText_;
        return;
    }
    for (int i = 0; i < panels_->Count(); ++i) {
        const TRect r = PanelRect(i);
        if (!PtInRect(r, info.CursorPos)) continue;
        if (!panels_->Items(i)->Text().empty()) {
            info.HintStr = panels_->Items(i)->Text();
            info.CursorRect = r;
        }
        return;
    }
}

void TStatusBar::Paint()
{
    TCanvas& c = *Canvas();
    TRect all = ClientRect();
    c.Brush()->SetColor(Color());
    c.Brush()->SetStyle(bsSolid);
    c.FillRect(all);
    c.SetFont(Font());
    c.Brush()->SetStyle(bsClear);
    TCustomForm* form = GetParentForm(this);
    bool grip = sizeGrip_ && form && (form->BorderStyle() == bsSizeable || form->BorderStyle() == bsSizeToolWin);
    int gripWidth = grip ? all.Height() : 0;
    auto drawText = [&](TRect r, const String& text, TAlignment align) {
        InflateRect(r, -2, -1);
        DrawText(tvforms::Ready(c), text, r,
                 DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | AlignFlag(align));
    };
    if (simplePanel_) {
        TRect r = Rect(0, 2, all.Right - gripWidth, all.Bottom);
        drawText(r, simpleText_, taLeftJustify);
    } else {
        for (int i = 0; i < panels_->Count(); ++i) {
            TStatusPanel* p = panels_->Items(i);
            TRect r = PanelRect(i);
            if (i == panels_->Count() - 1) r.Right = std::max(r.Left, all.Right - gripWidth);
            r.Right = std::min<int>(r.Right, all.Right);
            if (r.IsEmpty()) continue;
            TRect edge = Rect(r.Left, r.Top, r.Right - 2, r.Bottom);
            if (p->Bevel() == pbLowered)
                DrawEdge(tvforms::Ready(c), edge, BDR_SUNKENOUTER, BF_RECT);
            else if (p->Bevel() == pbRaised)
                DrawEdge(tvforms::Ready(c), edge, BDR_RAISEDINNER, BF_RECT);
            c.Brush()->SetStyle(bsClear);
            drawText(Rect(edge.Left + 1, edge.Top, edge.Right - 1, edge.Bottom), p->Text(), p->Alignment());
        }
    }
    if (grip) {
        c.Pen()->SetWidth(1);
        for (int i = 0; i < 3; ++i) {
            int off = 4 * i + 3;
            c.Pen()->SetColor(clBtnHighlight);
            c.MoveTo(all.Right - off, all.Bottom - 1);
            c.LineTo(all.Right, all.Bottom - 1 - off);
            c.Pen()->SetColor(clBtnShadow);
            c.MoveTo(all.Right - off + 1, all.Bottom - 1);
            c.LineTo(all.Right, all.Bottom - off);
            c.MoveTo(all.Right - off + 2, all.Bottom - 1);
            c.LineTo(all.Right, all.Bottom - off + 1);
        }
    }
}

// ---- TUpDown -----------------------------------------------------------------------------------

TV_PUBLISHED(TUpDown)
{
    Prop("Associate", &TUpDown::Associate, &TUpDown::SetAssociate);
    Prop("Min", &TUpDown::Min, &TUpDown::SetMin, 0);
    Prop("Max", &TUpDown::Max, &TUpDown::SetMax, 100);
    Prop("Position", &TUpDown::Position, &TUpDown::SetPosition, 0);
    Prop("Increment", &TUpDown::Increment, &TUpDown::SetIncrement, 1);
    PropColor("Color", &TUpDown::Color, &TUpDown::SetColor, clBtnFace).Stored(&TUpDown::IsColorStored);
    Prop("ParentColor", &TUpDown::ParentColor, &TUpDown::SetParentColor, false);
    Prop("Thousands", &TUpDown::Thousands, &TUpDown::SetThousands, true);
    Prop("Wrap", &TUpDown::Wrap, &TUpDown::SetWrap, false);
    Prop("ArrowKeys", &TUpDown::ArrowKeys, &TUpDown::SetArrowKeys, true);
    PropEnum("Orientation", &TUpDown::Orientation, &TUpDown::SetOrientation, udVertical, TUDOrientationNames);
    PropEnum("AlignButton", &TUpDown::AlignButton, &TUpDown::SetAlignButton, udRight, TUDAlignButtonNames);
    Prop("OnClick", &TUpDown::OnClick, &TUpDown::SetOnClick);
    Prop("OnChanging", &TUpDown::OnChanging, &TUpDown::SetOnChanging);
}

TUpDown::TUpDown(TComponent* owner) : TCustomControl(owner)
{
    SetControlStyle(TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks});
    SetColor(clBtnFace);
    SetBounds(0, 0, 17, 25);
}

void TUpDown::SetMin(int value)
{
    min_ = value;
    if (!IsLoading()) SetPosition(position_);
    Invalidate();
}

void TUpDown::SetMax(int value)
{
    max_ = value;
    if (!IsLoading()) SetPosition(position_);
    Invalidate();
}

int TUpDown::Position() const
{
    // The associated edit's number is the position, as long as it holds one.
    if (associate_ && !IsLoading()) {
        String text = associate_->Text();
        text.erase(std::remove(text.begin(), text.end(), ','), text.end());
        int v;
        if (TryStrToInt(text, v)) {
            auto* self = const_cast<TUpDown*>(this);
            self->position_ = std::clamp(v, std::min(min_, max_), std::max(min_, max_));
        }
    }
    return position_;
}

void TUpDown::SetPosition(int value)
{
    if (!IsLoading()) value = std::clamp(value, std::min(min_, max_), std::max(min_, max_));
    position_ = value;
    if (!IsLoading()) updateAssociate();
}

void TUpDown::SetThousands(bool value)
{
    thousands_ = value;
    if (!IsLoading()) updateAssociate();
}

void TUpDown::SetOrientation(TUDOrientation value)
{
    if (!AssignIfChanged(orientation_, value)) return;
    if (!IsLoading()) SetBounds(Left(), Top(), Height(), Width());
    Invalidate();
}

void TUpDown::SetAlignButton(TUDAlignButton value)
{
    alignButton_ = value;
    if (!IsLoading()) placeBesideAssociate();
}

void TUpDown::SetAssociate(TWinControl* value)
{
    if (value == associate_) return;
    if (value == this) throw EInvalidOperation("An up-down control cannot be its own associate");
    if (associate_) associate_->RemoveFreeNotification(this);
    associate_ = value;
    if (value) {
        value->FreeNotification(this);
        if (!IsLoading()) {
            placeBesideAssociate();
            updateAssociate();
        }
    }
}

void TUpDown::Loaded()
{
    TCustomControl::Loaded();
    position_ = std::clamp(position_, std::min(min_, max_), std::max(min_, max_));
    placeBesideAssociate();
    // Only a differing text is written: an equal one would report a change that is none.
    if (associate_ && associate_->Text() != positionText(position_)) updateAssociate();
}

void TUpDown::Notification(TComponent* component, TOperation operation)
{
    TCustomControl::Notification(component, operation);
    if (operation == opRemove && component == associate_) associate_ = nullptr;
}

String TUpDown::positionText(int value) const
{
    String digits = std::to_string(value < 0 ? -static_cast<long long>(value) : static_cast<long long>(value));
    if (thousands_)
        for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) digits.insert(static_cast<size_t>(i), 1, ',');
    return value < 0 ? "-" + digits : digits;
}

void TUpDown::updateAssociate()
{
    if (associate_) associate_->SetText(positionText(position_));
}

void TUpDown::placeBesideAssociate()
{
    if (!associate_) return;
    if (associate_->Parent() && Parent() != associate_->Parent()) SetParent(associate_->Parent());
    int x = alignButton_ == udRight ? associate_->Left() + associate_->Width() : associate_->Left() - Width();
    int w = orientation_ == udVertical ? Width() : Width();
    SetBounds(x, associate_->Top(), w, associate_->Height());
}

void TUpDown::Press(TUDBtnType button)
{
    if (!IsEnabledInTree()) return;
    int pos = Position();
    int lo = std::min(min_, max_), hi = std::max(min_, max_);
    // With Min above Max the arrows work the other way round.
    int step = min_ <= max_ ? increment_ : -increment_;
    int next = button == btNext ? pos + step : pos - step;
    if (next > hi) next = wrap_ ? lo : hi;
    if (next < lo) next = wrap_ ? hi : lo;
    bool allow = true;
    if (onChanging_) onChanging_(this, allow);
    if (!allow || !tvforms::IsLive(this)) return;
    position_ = next;
    updateAssociate();
    if (!tvforms::IsLive(this)) return;
    if (onClick_) onClick_(this, button);
}

void TUpDown::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft || !tvforms::IsLive(this)) return;
    TUDBtnType which = orientation_ == udVertical ? (y < Height() / 2 ? btNext : btPrev)
                                                  : (x < Width() / 2 ? btPrev : btNext);
    pressed_ = which;
    Press(which);
}

void TUpDown::Paint()
{
    TCanvas& c = *Canvas();
    TRect all = ClientRect();
    c.Brush()->SetColor(clBtnFace);
    c.Brush()->SetStyle(bsSolid);
    c.FillRect(all);
    bool vertical = orientation_ == udVertical;
    TRect first = vertical ? Rect(0, 0, all.Right, all.Bottom / 2) : Rect(0, 0, all.Right / 2, all.Bottom);
    TRect second = vertical ? Rect(0, all.Bottom / 2, all.Right, all.Bottom)
                            : Rect(all.Right / 2, 0, all.Right, all.Bottom);
    TColor arrow = IsEnabledInTree() ? clBtnText : clGrayText;
    auto drawButton = [&](TRect r, int direction) {  // 0 up, 1 down, 2 left, 3 right
        TRect e = r;
        DrawEdge(tvforms::Ready(c), e, EDGE_RAISED, BF_RECT);
        int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
        int s = std::max(1, std::min(r.Width(), r.Height()) / 4);
        c.Pen()->SetColor(arrow);
        c.Brush()->SetColor(arrow);
        TPoint pts[3];
        switch (direction) {
        case 0:
            pts[0] = {cx - s, cy + s / 2};
            pts[1] = {cx + s, cy + s / 2};
            pts[2] = {cx, cy - s / 2 - 1};
            break;
        case 1:
            pts[0] = {cx - s, cy - s / 2};
            pts[1] = {cx + s, cy - s / 2};
            pts[2] = {cx, cy + s / 2 + 1};
            break;
        case 2:
            pts[0] = {cx + s / 2, cy - s};
            pts[1] = {cx + s / 2, cy + s};
            pts[2] = {cx - s / 2 - 1, cy};
            break;
        default:
            pts[0] = {cx - s / 2, cy - s};
            pts[1] = {cx - s / 2, cy + s};
            pts[2] = {cx + s / 2 + 1, cy};
            break;
        }
        c.Polygon(pts, 3);
    };
    drawButton(first, vertical ? 0 : 2);
    drawButton(second, vertical ? 1 : 3);
}

// ---- TTrackBar ---------------------------------------------------------------------------------

TV_PUBLISHED(TTrackBar)
{
    Prop("Min", &TTrackBar::Min, &TTrackBar::SetMin, 0);
    Prop("Max", &TTrackBar::Max, &TTrackBar::SetMax, 10);
    Prop("Position", &TTrackBar::Position, &TTrackBar::SetPosition, 0);
    Prop("Frequency", &TTrackBar::Frequency, &TTrackBar::SetFrequency, 1);
    Prop("LineSize", &TTrackBar::LineSize, &TTrackBar::SetLineSize, 1);
    Prop("PageSize", &TTrackBar::PageSize, &TTrackBar::SetPageSize, 2);
    PropEnum("Orientation", &TTrackBar::Orientation, &TTrackBar::SetOrientation, trHorizontal,
             TTrackBarOrientationNames);
    PropEnum("TickMarks", &TTrackBar::TickMarks, &TTrackBar::SetTickMarks, tmBottomRight, TTickMarkNames);
    PropEnum("TickStyle", &TTrackBar::TickStyle, &TTrackBar::SetTickStyle, tsAuto, TTickStyleNames);
    Prop("TabStop", &TTrackBar::TabStop, &TTrackBar::SetTabStop, true);
    Prop("OnChange", &TTrackBar::OnChange, &TTrackBar::SetOnChange);
}

TTrackBar::TTrackBar(TComponent* owner) : TWinControl(owner)
{
    SetTabStop(true);
    SetBounds(0, 0, 150, 45);
}

void TTrackBar::SetMin(int value)
{
    min_ = value;
    if (max_ < min_ && !IsLoading()) max_ = min_;
    if (!IsLoading()) SetPosition(position_);
    pushToHost();
}

void TTrackBar::SetMax(int value)
{
    max_ = value;
    if (min_ > max_ && !IsLoading()) min_ = max_;
    if (!IsLoading()) SetPosition(position_);
    pushToHost();
}

void TTrackBar::SetPosition(int value)
{
    if (!IsLoading()) value = std::clamp(value, std::min(min_, max_), std::max(min_, max_));
    if (!AssignIfChanged(position_, value)) return;
    pushToHost();
    if (!IsLoading()) Changed();
}

void TTrackBar::SetFrequency(int value)
{
    frequency_ = value;
    pushToHost();
}

void TTrackBar::SetPageSize(int value)
{
    pageSize_ = value;
    pushToHost();
}

void TTrackBar::SetOrientation(TTrackBarOrientation value)
{
    if (!AssignIfChanged(orientation_, value)) return;
    if (!IsLoading()) SetBounds(Left(), Top(), Height(), Width());
    pushToHost();
}

void TTrackBar::SetTickMarks(TTickMark value)
{
    tickMarks_ = value;
    pushToHost();
}

void TTrackBar::SetTickStyle(TTickStyle value)
{
    tickStyle_ = value;
    pushToHost();
}

void TTrackBar::Changed()
{
    if (onChange_) onChange_(this);
}

std::unique_ptr<THostWindow> TTrackBar::CreateHostWindow() { return MakeHost<QSlider>(this, true); }

void TTrackBar::HostCreated()
{
    auto* w = HostWidgetAs<QSlider>(this);
    if (!w) return;
    w->setFocusPolicy(Qt::StrongFocus);
    pushToHost();
    QObject::connect(w, &QSlider::valueChanged, w, [this](int v) {
        if (!tvforms::IsLive(this)) return;
        tvforms::DispatchScope scope(tvforms::dispatchDepth);
        tvforms::Guard(this, [&] { UserMoved(v); });
    });
}

void TTrackBar::pushToHost()
{
    auto* w = HostWidgetAs<QSlider>(this);
    if (!w) return;
    QSignalBlocker block(w);
    w->setOrientation(orientation_ == trHorizontal ? Qt::Horizontal : Qt::Vertical);
    w->setRange(std::min(min_, max_), std::max(min_, max_));
    w->setValue(position_);
    w->setSingleStep(lineSize_);
    w->setPageStep(pageSize_);
    w->setTickInterval(frequency_);
    QSlider::TickPosition ticks = QSlider::NoTicks;
    if (tickStyle_ != tsNone) {
        if (tickMarks_ == tmBoth)
            ticks = QSlider::TicksBothSides;
        else if (tickMarks_ == tmTopLeft)
            ticks = QSlider::TicksAbove;
        else
            ticks = QSlider::TicksBelow;
    }
    w->setTickPosition(ticks);
}

void TTrackBar::UserMoved(int position) { SetPosition(position); }
