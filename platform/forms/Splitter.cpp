// TSplitter.
#include <algorithm>

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Published.h"
#include "platform/forms/Splitter.h"
#include "platform/forms/WinControl.h"
#include "platform/graphics/Canvas.h"

TV_PUBLISHED(TSplitter)
{
    PropCursor("Cursor", &TSplitter::Cursor, &TSplitter::SetCursor, crHSplit);
    Prop("MinSize", &TSplitter::MinSize, &TSplitter::SetMinSize, 30);
    Prop("OnMoved", &TSplitter::OnMoved, &TSplitter::SetOnMoved);
}

TSplitter::TSplitter(TComponent* owner) : TGraphicControl(owner)
{
    SetAlign(alLeft);
    SetBounds(0, 0, 3, 100);
    SetCursor(crHSplit);
    SetColor(clBtnFace);
    SetParentColor(true);  // the face colour until it has a parent
}

TControl* TSplitter::ResizeControl() const
{
    TWinControl* p = Parent();
    if (!p) return nullptr;
    for (int i = 0; i < p->ControlCount(); ++i) {
        TControl* c = p->Controls(i);
        if (c == this || !c->Visible() || c->Align() != Align()) continue;
        bool beside = false;
        switch (Align()) {
        case alLeft: beside = c->Left() + c->Width() == Left(); break;
        case alRight: beside = c->Left() == Left() + Width(); break;
        case alTop: beside = c->Top() + c->Height() == Top(); break;
        case alBottom: beside = c->Top() == Top() + Height(); break;
        default: break;
        }
        if (beside) return c;
    }
    return nullptr;
}

int TSplitter::MoveBy(int delta)
{
    TControl* c = ResizeControl();
    TWinControl* p = Parent();
    if (!c || !p || delta == 0) return 0;
    // Growing toward the bar's far side for alLeft/alTop; the other sides grow the other way.
    const bool nearSide = Align() == alLeft || Align() == alTop;
    const int grow = nearSide ? delta : -delta;
    const int size = horizontal() ? c->Height() : c->Width();
    // Room left on the other side: what the client area holds beyond the bar, less MinSize.
    int rest = 0;
    if (horizontal())
        rest = nearSide ? p->ClientHeight() - (Top() + Height()) : Top();
    else
        rest = nearSide ? p->ClientWidth() - (Left() + Width()) : Left();
    int newSize = std::clamp(size + grow, minSize_, std::max(minSize_, size + rest - minSize_));
    if (newSize == size) return 0;
    if (horizontal())
        c->SetHeight(newSize);
    else
        c->SetWidth(newSize);
    const int moved = newSize - size;
    return nearSide ? moved : -moved;
}

void TSplitter::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button != mbLeft) return;
    dragging_ = true;
    downAt_ = horizontal() ? y : x;
}

void TSplitter::MouseMove(TShiftState shift, int x, int y)
{
    TGraphicControl::MouseMove(shift, x, y);
    if (!dragging_) return;
    // The bar moves with the control it resizes, so the point is measured from its new place.
    MoveBy((horizontal() ? y : x) - downAt_);
}

void TSplitter::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseUp(button, shift, x, y);
    if (!dragging_) return;
    dragging_ = false;
    if (onMoved_) onMoved_(this);
}

void TSplitter::Paint()
{
    TCanvas& c = *Canvas();
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(Color());
    c.FillRect(ClientRect());
}

void RegisterSplitters() { RegisterClass(TSplitter::StaticClass()); }
