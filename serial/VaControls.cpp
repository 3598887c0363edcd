#include "serial/VaControls.h"

#include "platform/classes/Published.h"
#include "platform/forms/Messages.h"

TV_PUBLISHED(TVaGraphicControl) {}
TV_PUBLISHED(TVaDisplay) {}

TVaGraphicControl::TVaGraphicControl(TComponent* owner) : TGraphicControl(owner) {}

void TVaGraphicControl::RepaintOnChange()
{
    if (!IsLoading() && updateCount_ == 0) Repaint();
}

void TVaGraphicControl::reapplyBounds()
{
    const int l = Left(), t = Top(), w = Width(), h = Height();
    if (!IsLoading()) SetBounds(l, t, w, h);
    // A change of bounds repaints by itself.
    if (Left() == l && Top() == t && Width() == w && Height() == h) RepaintOnChange();
}

void TVaGraphicControl::AdjustSize()
{
    const TAlign a = Align();
    if (AutoSize() && (a == alNone || a == alTop || a == alBottom || a == alLeft || a == alRight))
        reapplyBounds();
    else
        RepaintOnChange();
}

void TVaGraphicControl::AdjustBounds()
{
    if (!IsLoading()) reapplyBounds();
}

void TVaGraphicControl::MouseEntered()
{
    if (OnMouseEnter()) OnMouseEnter()(this);
}

void TVaGraphicControl::MouseLeft()
{
    if (OnMouseLeave()) OnMouseLeave()(this);
}

void TVaGraphicControl::FontChanged()
{
    if (onFontChanged_) onFontChanged_(this);
}

void TVaGraphicControl::TextChanged()
{
    if (onTextChanged_) onTextChanged_(this);
}

// The inherited mouse handling only fires the same events, so it is replaced, not repeated.
void TVaGraphicControl::CMMouseEnter(TMessage& message)
{
    if (message.LParam == 0) MouseEntered();
}

void TVaGraphicControl::CMMouseLeave(TMessage& message)
{
    if (message.LParam == 0) MouseLeft();
}

void TVaGraphicControl::CMFontChanged(TMessage& message)
{
    TGraphicControl::CMFontChanged(message);
    FontChanged();
}

void TVaGraphicControl::CMTextChanged(TMessage& message)
{
    TGraphicControl::CMTextChanged(message);
    TextChanged();
}
