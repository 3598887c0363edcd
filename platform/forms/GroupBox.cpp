// TCustomGroupBox: the caption above the frame and the client area inside it.
#include "platform/classes/Published.h"
#include "platform/forms/GroupBox.h"
#include "platform/forms/StdCtrls_p.h"

using tvforms::MeasureCanvas;

TV_PUBLISHED(TCustomGroupBox) { Prop("Caption", &TCustomGroupBox::Caption, &TCustomGroupBox::SetCaption); }
TV_PUBLISHED(TGroupBox) {}

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner)
{
    SetControlStyle(
        TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks, csReplicatable});
    SetBounds(0, 0, 185, 105);
}

void TCustomGroupBox::AdjustClientRect(TRect& rect)
{
    TCanvas& c = MeasureCanvas();
    c.SetFont(Font());
    rect.Top += c.TextHeight("0");
    InflateRect(rect, -2, -2);
}

void TCustomGroupBox::Paint()
{
    TCanvas& c = *Canvas();
    c.SetFont(Font());
    int h = c.TextHeight("0");
    TRect r = ClientRect();
    c.Brush()->SetColor(Color());
    c.Brush()->SetStyle(bsSolid);
    TRect frame = Rect(0, h / 2 - 1, r.Right, r.Bottom);
    DrawEdge(tvforms::Ready(c), frame, EDGE_ETCHED, BF_RECT);
    String text = Caption();
    if (!text.empty()) {
        TRect tr = Rect(8, 0, 0, h);
        DrawText(tvforms::Ready(c), text, tr, DT_CALCRECT | DT_SINGLELINE);
        tr.Right += 2;
        c.FillRect(Rect(tr.Left - 1, tr.Top, tr.Right + 1, tr.Bottom));
        c.Brush()->SetStyle(bsClear);
        TRect draw = Rect(tr.Left + 1, tr.Top, tr.Right, tr.Bottom);
        DrawText(tvforms::Ready(c), text, draw, DT_SINGLELINE | DT_LEFT);
    }
}

void TCustomGroupBox::CMTextChanged(TMessage& m)
{
    TCustomControl::CMTextChanged(m);
    Invalidate();
}
