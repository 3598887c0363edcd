// TScrollBar on the native scroll bar.
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>

#include "platform/classes/Published.h"
#include "platform/classes/Assign.h"
#include "platform/forms/ScrollBar.h"
#include "platform/forms/StdCtrls_p.h"

using tvforms::Wire;

TV_PUBLISHED(TScrollBar)
{
    PropEnum("Kind", &TScrollBar::Kind, &TScrollBar::SetKind, sbHorizontal, TScrollBarKindNames);
    Prop("Min", &TScrollBar::Min, &TScrollBar::SetMin, 0);
    Prop("Max", &TScrollBar::Max, &TScrollBar::SetMax, 100);
    Prop("Position", &TScrollBar::Position, &TScrollBar::SetPosition, 0);
    Prop("SmallChange", &TScrollBar::SmallChange, &TScrollBar::SetSmallChange, 1);
    Prop("LargeChange", &TScrollBar::LargeChange, &TScrollBar::SetLargeChange, 1);
    Prop("PageSize", &TScrollBar::PageSize, &TScrollBar::SetPageSize, 0);
    Prop("TabStop", &TScrollBar::TabStop, &TScrollBar::SetTabStop, true);
    Prop("OnChange", &TScrollBar::OnChange, &TScrollBar::SetOnChange);
    Prop("OnScroll", &TScrollBar::OnScroll, &TScrollBar::SetOnScroll);
}

TScrollBar::TScrollBar(TComponent* owner) : TWinControl(owner)
{
    SetTabStop(true);
    SetBounds(0, 0, 121, 17);
}

void TScrollBar::SetKind(TScrollBarKind value)
{
    if (!AssignIfChanged(kind_, value)) return;
    if (!IsLoading()) SetBounds(Left(), Top(), Height(), Width());
    if (auto* w = HostWidgetAs<QScrollBar>(this))
        w->setOrientation(value == sbHorizontal ? Qt::Horizontal : Qt::Vertical);
}

void TScrollBar::SetPageSize(int value)
{
    pageSize_ = std::max(0, value);
    HostCreated();
}

void TScrollBar::SetParams(int position, int min, int max)
{
    if (max < min) throw EInvalidOperation("Scroll bar property out of range");
    position = std::clamp(position, min, max);
    min_ = min;
    max_ = max;
    bool changed = position != position_;
    position_ = position;
    if (auto* w = HostWidgetAs<QScrollBar>(this)) {
        QSignalBlocker block(w);
        w->setRange(min_, std::max(min_, max_ - std::max(0, pageSize_ - 1)));
        w->setValue(position_);
    }
    if (changed) Change();
}

std::unique_ptr<THostWindow> TScrollBar::CreateHostWindow()
{
    return MakeHost<QScrollBar>(this, true, kind_ == sbHorizontal ? Qt::Horizontal : Qt::Vertical);
}

void TScrollBar::HostCreated()
{
    auto* w = HostWidgetAs<QScrollBar>(this);
    if (!w) return;
    {
        QSignalBlocker block(w);
        w->setRange(min_, std::max(min_, max_ - std::max(0, pageSize_ - 1)));
        w->setPageStep(std::max(1, pageSize_ > 0 ? pageSize_ : largeChange_));
        w->setSingleStep(smallChange_);
        w->setValue(position_);
    }
    if (w->property("tvWired").isNull()) {
        w->setProperty("tvWired", true);
        Wire(this, w, &QScrollBar::valueChanged, [this](int v) { UserScrolled(scPosition, v); });
    }
}

void TScrollBar::UserScrolled(TScrollCode code, int position)
{
    int pos = position;
    if (onScroll_) onScroll_(this, code, pos);
    if (!tvforms::IsLive(this)) return;
    SetPosition(pos);
}

void TScrollBar::Change()
{
    if (onChange_) onChange_(this);
}
