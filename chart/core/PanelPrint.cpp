// Printing and picture output: the panel's render pass redirected to a printer page, a metafile or
// a bitmap.
#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

#include "chart/canvas/BitmapRoutines.h"
#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/ZebCanvas3D.h"
#include "chart/core/PanelPlatform_p.h"
#include "chart/core/ZebPanel.h"
#include "platform/graphics/Bitmap.h"
#include "platform/forms/Printers.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/GdiConsts.h"
#include "platform/graphics/Metafile.h"

void TCustomZebPanel::DrawToExternalCanvas(TCanvas* canvas, const TRect& rect)
{
    canvas_->SetMetafiling(true);
    try {
        DrawUnbuffered(canvas, rect);
    } catch (...) {
        canvas_->SetMetafiling(false);
        throw;
    }
    canvas_->SetMetafiling(false);
}

void TCustomZebPanel::DrawUnbuffered(TCanvas* canvas, const TRect& rect)
{
    TCanvas* const bound = canvas_->TargetCanvas();
    const bool buffered = canvas_->GetBuffered();
    auto* gdi = dynamic_cast<TZebCanvas3D*>(canvas_);
    if (gdi) gdi->SetExternalDrawing(true);
    auto restore = [&] {
        canvas_->CacheDeviceContext(false);
        canvas_->SetBuffered(buffered);
        canvas_->BindCanvas(bound);
        if (gdi) {
            gdi->SetExternalDrawing(false);
            if (!buffered) Invalidate();
        }
    };
    try {
        canvas_->SetBuffered(false);
        const bool saved = std::exchange(autoRepaint_, false);
        try {
            RenderTo(canvas, rect);
        } catch (...) {
            autoRepaint_ = saved;
            throw;
        }
        autoRepaint_ = saved;
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

TMetafile* TCustomZebPanel::RenderToMetafile(bool enhanced, const TRect& rect)
{
    TOwnedPtr<TMetafile> metafile(new TMetafile);
    metafile->SetWidth(std::max(1, rect.Width()));
    metafile->SetHeight(std::max(1, rect.Height()));
    metafile->SetEnhanced(enhanced);
    {
        TMetafileCanvas canvas(metafile.get(), nullptr);
        DrawToExternalCanvas(&canvas, rect);
    }
    return metafile.release();
}

TBitmap* TCustomZebPanel::MakePanelBitmap() { return MakeBitmap(Color(), GetPanelRect()); }

TBitmap* TCustomZebPanel::MakeBitmap(TColor color, const TRect& rect, TPixelFormat format, int resolution)
{
    TOwnedPtr<TBitmap> bitmap(new TBitmap);
    TPixelFormat pixels = format;
    TGraphic* graphic = bitmap.get();
    if (canvas_ && color == Color() && canvas_->CopyBufferTo(graphic, rect)) {
        if (pixels != pfDevice) bitmap->SetPixelFormat(pixels);
    } else {
        if (canvas_ && canvas_->IsTrue3D() && pixels == pfDevice) pixels = pf32bit;
        bitmap->SetPixelFormat(pixels);
        bitmap->SetSize(rect.Width(), rect.Height());
        if (color != clWhite) {
            TCanvas& c = *bitmap->Canvas();
            c.Brush()->SetColor(color == clDefault ? Color() : color);
            c.Brush()->SetStyle(bsSolid);
            c.FillRect({0, 0, rect.Width(), rect.Height()});
        }
        DrawUnbuffered(bitmap->Canvas(), rect);
    }
    if (color == clNone || static_cast<std::uint32_t>(color) == 0xFF000000u) {
        bitmap->SetTransparentMode(tmFixed);
        bitmap->SetTransparentColor(color);
        bitmap->SetTransparent(true);
    }
    if (resolution > 0) SetBitmapResolution(*bitmap, resolution);
    return bitmap.release();
}

void TCustomZebPanel::ApplyPrintResolution(TRect& printRect, const TRect& panelRect, int& logicalWidth,
                                           int& logicalHeight, int& deviceWidth, int& deviceHeight) const
{
    const int w = panelRect.Width(), h = panelRect.Height();
    deviceWidth = printRect.Width();
    deviceHeight = printRect.Height();
    // A resolution of 100 or more would leave no logical pixels at all.
    logicalWidth = std::max(1, w - RoundHalfEven(w * printResolution_ * 0.01));
    logicalHeight = std::max(1, h - RoundHalfEven(h * printResolution_ * 0.01));
    const double pw = std::max(1, deviceWidth), ph = std::max(1, deviceHeight);
    printRect.Left = RoundHalfEven(printRect.Left * logicalWidth / pw);
    printRect.Right = RoundHalfEven(printRect.Right * logicalWidth / pw);
    printRect.Top = RoundHalfEven(printRect.Top * logicalHeight / ph);
    printRect.Bottom = RoundHalfEven(printRect.Bottom * logicalHeight / ph);
}

TRect TCustomZebPanel::MarginsToPageRect(int pageWidth, int pageHeight) const
{
    const float cw = static_cast<float>(pageWidth) * 0.01f, ch = static_cast<float>(pageHeight) * 0.01f;
    return {RoundHalfEven(static_cast<float>(printMargins_.Left) * cw),
            RoundHalfEven(static_cast<float>(printMargins_.Top) * ch),
            pageWidth - RoundHalfEven(cw * static_cast<float>(printMargins_.Right)),
            pageHeight - RoundHalfEven(ch * static_cast<float>(printMargins_.Bottom))};
}

TRect TCustomZebPanel::AspectKeepingMargins() const
{
    int pageWidth = 0, pageHeight = 0;
    double aspect = 1;
    if (!tvpanel::PrinterPage(pageWidth, pageHeight, aspect) || pageWidth < 1 || pageHeight < 1) {
        const TPoint screen = tvpanel::ScreenSize();
        pageWidth = screen.X;
        pageHeight = screen.Y;
        aspect = 1;
    }
    return AspectKeepingMarginsFor(pageWidth, pageHeight, aspect);
}

TRect TCustomZebPanel::AspectKeepingMarginsFor(int pageWidth, int pageHeight, double aspect) const
{
    const TRect panel = GetPanelRect();
    const int w = panel.Width(), h = panel.Height();
    // A panel without an extent has no aspect to keep.
    if (w <= 0 || h <= 0) return printMargins_;
    auto m = [aspect](int a, int b, double ratio) {
        if (b == 0) return 0;
        const float seventy = static_cast<float>(a) - static_cast<float>(a) * 30.0f * 0.01f;
        return RoundHalfEven(100.0 * (b - seventy * ratio * aspect) / b) / 2;
    };
    if (h < w) {
        const int tb = m(pageWidth, pageHeight, static_cast<double>(h) / w);
        return {15, tb, 15, tb};
    }
    const int lr = m(pageHeight, pageWidth, static_cast<double>(w) / h);
    return {lr, 15, lr, 15};
}

TRect TCustomZebPanel::PrintPageRect()
{
    if (printProportional_) printMargins_ = AspectKeepingMargins();
    int pageWidth = 0, pageHeight = 0;
    double aspect = 1;
    tvpanel::PrinterPageOrRaise(pageWidth, pageHeight, aspect);
    return MarginsToPageRect(pageWidth, pageHeight);
}

void TCustomZebPanel::PrintToCanvas(TCanvas* canvas, const TRect& rect)
{
    printRect_ = rect;
    TRect converted = rect;
    int logicalWidth = 0, logicalHeight = 0, deviceWidth = 0, deviceHeight = 0;
    ApplyPrintResolution(converted, GetPanelRect(), logicalWidth, logicalHeight, deviceWidth, deviceHeight);
    HDC dc = canvas->Handle();
    const int savedMode = dc->GetMapMode();
    const TPoint savedViewportOrg = dc->GetViewportOrg(), savedWindowOrg = dc->GetWindowOrg();
    dc->SetMapMode(MM_ANISOTROPIC);
    dc->SetWindowOrg({0, 0});
    dc->SetWindowExt({std::max(1, logicalWidth), std::max(1, logicalHeight)});
    dc->SetViewportExt({std::max(1, deviceWidth), std::max(1, deviceHeight)});
    dc->SetViewportOrg({0, 0});
    printing_ = true;
    preview_ = true;
    const bool clip = ClippingAllowed();
    const int savedClip = clip ? dc->SaveDC() : 0;
    auto restore = [&] {
        printing_ = false;
        preview_ = false;
        // A job aborted while the page was drawn (a handler calling the printer's Abort) took the
        // device with it: only a device the canvas still holds gets its mapping back.
        if (canvas->HandleAllocated() && canvas->Handle() == dc) {
            if (clip) dc->RestoreDC(savedClip);
            dc->SetMapMode(savedMode);
            dc->SetWindowOrg(savedWindowOrg);
            dc->SetViewportOrg(savedViewportOrg);
        }
        canvas->Refresh();
    };
    try {
        if (clip) dc->IntersectClipRect(converted.Left, converted.Top, converted.Right, converted.Bottom);
        if (onBeforePrint_) onBeforePrint_(this, canvas, converted);
        DrawToExternalCanvas(canvas, converted);
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

void TCustomZebPanel::PrintOnPage(const TRect& rect) { PrintToCanvas(Printer()->Canvas(), rect); }
