// TGraphicControl and TCustomControl, and the canvas they paint with.
#include <QImage>
#include <algorithm>

#include "platform/classes/Published.h"
#include "platform/forms/CustomControls.h"
#include "platform/forms/Forms_p.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/DeviceContext_p.h"

// ---- control canvases --------------------------------------------------------------------------

TControlCanvas::~TControlCanvas() { SetHandle(nullptr); }

void TControlCanvas::CreateHandle()
{
    int w = control_ ? std::max(1, control_->Width()) : 1;
    int h = control_ ? std::max(1, control_->Height()) : 1;
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    scratch_ = CreateImageDC(std::make_shared<TPixelImage>(std::move(image)));
    SetHandle(scratch_.get());
    if (control_) control_->Invalidate();
}

// ---- TGraphicControl ---------------------------------------------------------------------------

TV_PUBLISHED(TGraphicControl) {}

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) { canvas_ = new TControlCanvas(this); }

TGraphicControl::~TGraphicControl() { TObject::Free(canvas_); }

void TGraphicControl::WndProc(TMessage& m)
{
    if (m.Msg == WM_PAINT) {
        auto dc = reinterpret_cast<HDC>(m.WParam);
        canvas_->SetHandle(dc);
        canvas_->Refresh();
        static_cast<TControlCanvas*>(canvas_)->ReadyHandle();
        try {
            Paint();
        } catch (...) {
            canvas_->SetHandle(nullptr);
            throw;
        }
        canvas_->SetHandle(nullptr);
        return;
    }
    TControl::WndProc(m);
}

// ---- TCustomControl ----------------------------------------------------------------------------

TV_PUBLISHED(TCustomControl) {}

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) { canvas_ = new TControlCanvas(this); }

TCustomControl::~TCustomControl() { TObject::Free(canvas_); }

void TCustomControl::PaintWindow(TCanvas& canvas)
{
    canvas_->SetHandle(canvas.Handle());
    canvas_->Refresh();
    // Calls made straight on the device see the canvas's pen, brush and font from the start.
    static_cast<TControlCanvas*>(canvas_)->ReadyHandle();
    try {
        Paint();
    } catch (...) {
        canvas_->SetHandle(nullptr);
        canvas.Refresh();
        throw;
    }
    canvas_->SetHandle(nullptr);
    canvas.Refresh();
}
