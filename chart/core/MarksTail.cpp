#include "chart/core/MarksTail.h"

#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"

TV_PUBLISHED(TMarksTail)
{
    PropEnum("Align", &TMarksTail::Align, &TMarksTail::SetAlign, ttaCenter, TTailAlignNames);
    Prop("AutoAlign", &TMarksTail::AutoAlign, &TMarksTail::SetAutoAlign, true);
    Prop("Height", &TMarksTail::Height, &TMarksTail::SetHeight, 8);
    Prop("Margin", &TMarksTail::Margin, &TMarksTail::SetMargin, 0);
    Prop("Visible", &TMarksTail::Visible, &TMarksTail::SetVisible, false);
    Prop("Width", &TMarksTail::Width, &TMarksTail::SetWidth, 8);
}

void TMarksTail::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TMarksTail*>(source);
    if (!s) return inherited::Assign(source);
    autoAlign_ = s->autoAlign_;
    tipPoint_ = s->tipPoint_;
    height_ = s->height_;
    margin_ = s->margin_;
    align_ = s->align_;
    visible_ = s->visible_;
    width_ = s->width_;
}

void TMarksTail::SetAlign(TTailAlign value) { Change(align_, value); }

void TMarksTail::SetEdge(TTailEdge value) { Change(edge_, value); }

void TMarksTail::SetTipPoint(TPoint value)
{
    tipPoint_ = value;
    Changed();
}

std::array<TPoint, 7> TMarksTail::Polygon(const TRect& box, TPoint arrowFrom, TPoint arrowTo, bool yMandatory) const
{
    const int l = box.Left, t = box.Top, r = box.Right, b = box.Bottom;
    const int w = width_ / 2, h = height_;
    TTailEdge edge = edge_;
    TTailAlign align = align_;
    if (autoAlign_ && !useTipPoint_) {
        if (yMandatory)
            edge = arrowFrom.Y < arrowTo.Y ? teTop : teBottom;
        else
            edge = arrowTo.X < arrowFrom.X ? teRight : teLeft;
        align = ttaCenter;
    }
    const bool across = edge == teTop || edge == teBottom;
    const int start = across ? l : t, end = across ? r : b;
    const int base = align == ttaNear ? start + w : align == ttaFar ? end - w : (start + end) / 2;
    const auto tip = [&](TPoint automatic) { return useTipPoint_ ? tipPoint_ : automatic; };
    switch (edge) {
    case teTop:
        return {{{l, t}, {l, b}, {r, b}, {r, t}, {base + w, t}, tip({base, t - h}), {base - w, t}}};
    case teLeft:
        return {{{l, t}, {l, base - w}, tip({l - h, base}), {l, base + w}, {l, b}, {r, b}, {r, t}}};
    case teRight:
        return {{{l, t}, {l, b}, {r, b}, {r, base + w}, tip({r + h, base}), {r, base - w}, {r, t}}};
    case teBottom: break;
    }
    return {{{l, t}, {l, b}, {base - w, b}, tip({base, b + h}), {base + w, b}, {r, b}, {r, t}}};
}
