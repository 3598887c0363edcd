#include "chart/core/PaintOverBuffer.h"

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/ZebPanel.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

bool PaintOverBuffer(TCustomZebPanel& panel, const TRect& touched, const std::function<void(TCanvas3D&)>& draw)
{
    TCanvas3D* canvas = panel.Canvas3D();
    if (!canvas || panel.Rendering() || !canvas->CanDrawInverted()) return false;
    if (TBitmap* buffer = canvas->BufferBitmap(); buffer && canvas->TargetCanvas() != buffer->Canvas())
        canvas->BindCanvas(buffer->Canvas());
    draw(*canvas);
    canvas->Pen()->SetMode(pmCopy);
    if (TCanvas* target = canvas->TargetCanvas()) target->Pen()->SetMode(pmCopy);
    panel.RepaintBufferRect(touched);
    return true;
}
