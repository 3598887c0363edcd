#pragma once
// TCanvas: the class library's drawing surface over a device context. The pen, brush and font
// are selected into the device when a call needs them (so changing them between calls is cheap).
#include <memory>
#include <mutex>

#include "platform/graphics/GdiConsts.h"
#include "platform/graphics/GraphicsObjects.h"

class TBitmap;
class TGraphic;

using TCopyMode = TRop;
enum TCanvasStates { csHandleValid, csFontValid, csPenValid, csBrushValid };
using TCanvasState = TSet<TCanvasStates>;
enum TFillStyle { fsSurface, fsBorder };

class TCanvas : public TPersistent {
    TV_CLASS(TCanvas, TPersistent)
public:
    TCanvas();
    ~TCanvas() override;

    // The device; descendants make one on demand (a bitmap's surface, a control during paint).
    // EInvalidOperation "Canvas does not allow drawing" when there is none. The canvas's pen, brush
    // and font are selected into it.
    HDC Handle();
    void SetHandle(HDC dc);  // not owned; null detaches
    bool HandleAllocated() const { return dc_ != nullptr; }
    // The bitmap whose pixels the device paints (its device units are the bitmap's pixels), for
    // drawing that works on the pixels themselves; null on any other device.
    virtual TBitmap* SurfaceBitmap() { return nullptr; }

    TPen* Pen() const { return pen_.get(); }
    TBrush* Brush() const { return brush_.get(); }
    TFont* Font() const { return font_.get(); }
    void SetPen(TPen* p) { pen_->Assign(p); }
    void SetBrush(TBrush* b) { brush_->Assign(b); }
    void SetFont(TFont* f) { font_->Assign(f); }

    TPoint PenPos();
    void SetPenPos(TPoint p) { MoveTo(p.X, p.Y); }
    TCopyMode CopyMode() const { return copyMode_; }
    void SetCopyMode(TCopyMode m) { copyMode_ = m; }
    unsigned TextFlags() const { return textFlags_; }
    void SetTextFlags(unsigned f) { textFlags_ = f; }
    TRect ClipRect();
    TColor Pixels(int x, int y);
    void SetPixels(int x, int y, TColor c);

    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Polyline(const TPoint* pts, int count);
    void Polygon(const TPoint* pts, int count);
    void PolyBezier(const TPoint* pts, int count);
    void Rectangle(int l, int t, int r, int b);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void RoundRect(int l, int t, int r, int b, int cw, int ch);
    void Ellipse(int l, int t, int r, int b);
    void Ellipse(const TRect& r) { Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
    void Arc(int l, int t, int r, int b, int x1, int y1, int x2, int y2);
    void Pie(int l, int t, int r, int b, int x1, int y1, int x2, int y2);
    void Chord(int l, int t, int r, int b, int x1, int y1, int x2, int y2);
    void FillRect(const TRect& r);
    void FrameRect(const TRect& r);
    void DrawFocusRect(const TRect& r);
    void FloodFill(int x, int y, TColor color, TFillStyle style);

    void TextOut(int x, int y, const String& text);
    void TextRect(const TRect& r, int x, int y, const String& text);
    TSize TextExtent(const String& text);
    int TextWidth(const String& text) { return TextExtent(text).cx; }
    int TextHeight(const String& text) { return TextExtent(text).cy; }

    void Draw(int x, int y, TGraphic* graphic);
    void StretchDraw(const TRect& r, TGraphic* graphic);
    void CopyRect(const TRect& dest, TCanvas* source, const TRect& src);
    void BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& src, TColor transparent);

    // Serialises drawing from several threads on one canvas.
    void Lock();
    void Unlock();
    bool TryLock();
    int LockCount() const { return lockCount_; }

    void Refresh();  // forget what is selected; the next call selects again
    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(const TNotifyEvent& e) { onChange_ = e; }
    const TNotifyEvent& OnChanging() const { return onChanging_; }
    void SetOnChanging(const TNotifyEvent& e) { onChanging_ = e; }

protected:
    virtual void CreateHandle() {}
    // Selects what the next call needs (pen, brush, font) into the device.
    void RequiredState(TCanvasState needed);
    virtual void Changing();
    virtual void Changed();

private:
    void objectChanged(TObject* sender);

    HDC dc_ = nullptr;
    std::unique_ptr<TPen> pen_;
    std::unique_ptr<TBrush> brush_;
    std::unique_ptr<TFont> font_;
    TCanvasState state_;
    TCopyMode copyMode_ = SRCCOPY;
    unsigned textFlags_ = 0;
    std::recursive_mutex lock_;
    int lockCount_ = 0;
    TNotifyEvent onChange_;
    TNotifyEvent onChanging_;
};
