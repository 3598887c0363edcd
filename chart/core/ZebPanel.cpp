#include "chart/core/ZebPanel.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "chart/canvas/CanvasServices.h"
#include "chart/canvas/Filters.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/HtmlText.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebCanvas3D.h"
#include "chart/canvas/ZebFont.h"
#include "chart/canvas/ZebPen.h"
#include "chart/canvas/ZebPicture.h"
#include "chart/core/ChartEvents.h"
#include "chart/core/EditorRegistry.h"
#include "chart/core/ExceptionReport.h"
#include "chart/core/PanelPlatform_p.h"
#include "chart/core/PanelZoom.h"
#include "platform/classes/Assign.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/classes/PublishedDefaults.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Messages.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/rtl/Exceptions.h"

bool ErasePanelBackground = false;
bool PrintClipping = true;
bool MetafileClipping = true;
bool PrintPanelBackground = true;

TV_PUBLISHED(TCustomPanelNoCaption) {}

TV_PUBLISHED(TCustomZebPanel)
{
    Prop("Border", &TCustomZebPanel::Border, &TCustomZebPanel::SetBorder);
    Prop("BorderRound", &TCustomZebPanel::BorderRound, &TCustomZebPanel::SetBorderRound, 0);
    Prop("BufferedDisplay", &TCustomZebPanel::BufferedDisplay, &TCustomZebPanel::SetBufferedDisplay, true);
    Prop("Emboss", &TCustomZebPanel::Emboss, &TCustomZebPanel::SetEmboss);
    Prop("MarginLeft", &TCustomZebPanel::MarginLeft, &TCustomZebPanel::SetMarginLeft, 3);
    Prop("MarginTop", &TCustomZebPanel::MarginTop, &TCustomZebPanel::SetMarginTop, 4);
    Prop("MarginRight", &TCustomZebPanel::MarginRight, &TCustomZebPanel::SetMarginRight, 3);
    Prop("MarginBottom", &TCustomZebPanel::MarginBottom, &TCustomZebPanel::SetMarginBottom, 4);
    PropEnum("MarginUnits", &TCustomZebPanel::MarginUnits, &TCustomZebPanel::SetMarginUnits, muPercent, TZebUnitsNames);
    Prop("Monochrome", &TCustomZebPanel::Monochrome, &TCustomZebPanel::SetMonochrome, false);
    Prop("Panning", &TCustomZebPanel::Panning, &TCustomZebPanel::SetPanning);
    Prop("PrintProportional", &TCustomZebPanel::PrintProportional, &TCustomZebPanel::SetPrintProportional, true);
    Prop("PrintResolution", &TCustomZebPanel::PrintResolution, &TCustomZebPanel::SetPrintResolution, 0);
    Prop("Shadow", &TCustomZebPanel::Shadow, &TCustomZebPanel::SetShadow);
    Prop("View3D", &TCustomZebPanel::View3D, &TCustomZebPanel::SetView3D, true);
    Prop("View3DOptions", &TCustomZebPanel::StoredView3DOptions, &TCustomZebPanel::SetView3DOptions);
    Prop("TabStop", &TCustomZebPanel::TabStop, &TCustomZebPanel::SetTabStop, true);
    Prop("OnBeforePrint", &TCustomZebPanel::OnBeforePrint, &TCustomZebPanel::SetOnBeforePrint);
}

TCustomPanelNoCaption::TCustomPanelNoCaption(TComponent* owner) : TCustomPanel(owner)
{
    SetControlStyle(ControlStyle() - csSetCaption - csParentBackground);
}

// ---- life ----

TCustomZebPanel::TCustomZebPanel(TComponent* owner) : TCustomPanelNoCaption(owner)
{
    autoRepaint_ = false;  // nothing repaints before the panel is complete
    printRect_ = {};
    listeners_ = std::make_unique<TZebEventListeners>();
    if (ErasePanelBackground && ComponentState().Contains(csDesigning)) ErasePanelBackground = false;
    SetTabStop(true);
    SetBounds(Left(), Top(), 400, 250);
    seriesDepth_ = true;
    targetCanvas_ = Canvas();
    view3D_ = true;
    if (!DefaultCanvasClassName.empty() && !IsLoading())
        canvasClassName_ = ReadEditorString("DefaultCanvas", DefaultCanvasClassName);
    ApplyCanvasClass();
    const TNotifyEvent changed(this, &TCustomZebPanel::StyleChanged);
    view3DOptions_ = new TView3DOptions(changed);
    savedCursor_ = Cursor();
    panning_ = new TZebPanning(changed);
    shadow_ = new TZebShadow(changed);
    emboss_ = new TZebEmboss(changed);
    border_ = new TZebHiddenPen(changed);
    autoRepaint_ = true;
    fixedChartRect_ = {};
}

void TCustomZebPanel::BeforeDestruction()
{
    autoRepaint_ = false;
    TCustomPanelNoCaption::BeforeDestruction();
}

TCustomZebPanel::~TCustomZebPanel()
{
    if (!foreignCanvas_) TObject::Free(canvas_);
    TObject::Free(defaultFont_);
    TObject::Free(panelPicture_);
    TObject::Free(border_);
    TObject::Free(emboss_);
    TObject::Free(shadow_);
    TObject::Free(view3DOptions_);
    TObject::Free(panning_);
    TObject::Free(templatePanel_);
}

// ---- canvas ----

void TCustomZebPanel::SetCanvasClassName(const String& value)
{
    canvasClassName_ = value;
    ApplyCanvasClass();
}

void TCustomZebPanel::ApplyCanvasClass()
{
    const TMetaClass* cls = &TZebCanvas3D::StaticClass();
    if (!canvasClassName_.empty())
        if (const TCanvasClassList* list = CanvasClassList())
            for (const TMetaClass* c : *list)
                if (c->ClassName() == canvasClassName_) {
                    cls = c;
                    break;
                }
    if (canvas_ && &canvas_->ClassType() == cls) return;
    if (!foreignCanvas_) TObject::Free(canvas_);
    canvas_ = nullptr;
    foreignCanvas_ = false;
    auto* made = static_cast<TCanvas3D*>(cls->CreateInstance(nullptr));
    canvas_ = made;
    made->BindCanvas(targetCanvas_);
}

void TCustomZebPanel::ReplaceCanvas(TCanvas3D* canvas)
{
    if (canvas) canvas->BindCanvas(targetCanvas_);
    if (canvas_) {
        if (canvas) {
            const bool saved = std::exchange(autoRepaint_, false);
            canvas->AssignSettings(*canvas_);
            autoRepaint_ = saved;
        }
        if (!foreignCanvas_) TObject::Free(canvas_);
    }
    foreignCanvas_ = false;
    canvas_ = canvas;
    canvasClassName_ = canvas ? canvas->ClassName() : String();
    if (autoRepaint_) Invalidate();
}

bool TCustomZebPanel::BufferedDisplay() const { return canvas_ && canvas_->GetBuffered(); }

void TCustomZebPanel::SetBufferedDisplay(bool value)
{
    if (canvas_) canvas_->SetBuffered(value);
}

bool TCustomZebPanel::Monochrome() const { return canvas_ && canvas_->GetMonochromeMode(); }

void TCustomZebPanel::SetMonochrome(bool value)
{
    if (canvas_) canvas_->SetMonochromeMode(value);
}

// ---- settings ----

void TCustomZebPanel::SetBorder(TZebHiddenPen* value) { border_->Assign(value); }

void TCustomZebPanel::SetBorderRound(int value)
{
    if (!AssignIfChanged(borderRound_, value)) return;
    if (!IsLoading()) ApplyBorderRegion();
    Invalidate();
}

void TCustomZebPanel::SetEmboss(TZebEmboss* value) { emboss_->Assign(value); }

void TCustomZebPanel::SetMargin(int index, int value) { ChangeInteger(margins_[index], value); }

void TCustomZebPanel::SetMarginUnits(TZebUnits value)
{
    if (AssignIfChanged(marginUnits_, value)) Invalidate();
}

void TCustomZebPanel::SetPanning(TZebPanning* value) { panning_->Assign(value); }

void TCustomZebPanel::SetShadow(TZebShadow* value) { shadow_->Assign(value); }

void TCustomZebPanel::SetView3D(bool value)
{
    if (Change(view3D_, value)) BroadcastNewEvent<TZebView3DEvent>();
}

void TCustomZebPanel::SetView3DOptions(TView3DOptions* value) { view3DOptions_->Assign(value); }

void TCustomZebPanel::SetTemplatePanel(TCustomZebPanel* value)
{
    // The panel owns its template: a replaced one is freed.
    if (templatePanel_ != value) TObject::Free(templatePanel_);
    templatePanel_ = value;
}

void TCustomZebPanel::SetFixedChartRect(bool on)
{
    fixedRect_ = on;
    fixedChartRect_ = {};
}

void TCustomZebPanel::StyleChanged(TObject*) { Invalidate(); }

TColor TCustomZebPanel::GetBackgroundColor() const { return static_cast<TColor>(ColorToRGB(Color())); }

void TCustomZebPanel::DrawChart(const TRect&) {}

TRect TCustomZebPanel::GetPanelRect() const
{
    if (Parent()) return ClientRect();
    return {0, 0, Width(), Height()};
}

TFilterItems* TCustomZebPanel::GetPanelFilters()
{
    if (!panelPicture_) {
        panelPicture_ = new TZebPicture;
        panelPicture_->SetOnChange(TNotifyEvent(this, &TCustomZebPanel::StyleChanged));
        panelPicture_->Filters()->SetOnChange(TNotifyEvent(this, &TCustomZebPanel::StyleChanged));
    }
    return panelPicture_->Filters();
}

bool TCustomZebPanel::HasPanelFilters() const
{
    return panelPicture_ && panelPicture_->HasFilters() && panelPicture_->Filters()->Count() > 0;
}

// ---- painting ----

void TCustomZebPanel::Invalidate()
{
    if (!autoRepaint_) return;
    if (canvas_) canvas_->MarkBufferStale();
    TCustomPanelNoCaption::Invalidate();
}

void TCustomZebPanel::InvalidateWindow() { TCustomPanelNoCaption::Invalidate(); }

TBitmap* TCustomZebPanel::ValidBuffer() const
{
    auto* gdi = dynamic_cast<TZebCanvas3D*>(canvas_);
    if (!gdi || !gdi->GetBuffered() || gdi->BufferStale()) return nullptr;
    return gdi->BufferBitmap();
}

void TCustomZebPanel::Paint()
{
    if (printing_ || !canvas_) return;
    TCanvas* const own = Canvas();
    TCanvas* remembered = nullptr;
    const bool swapped = targetCanvas_ != own;
    if (swapped) {
        targetCanvas_ = own;
        remembered = canvas_->TargetCanvas();
    }
    // The canvas stays bound wherever it drew last (the rubber band goes into the buffer).
    if (canvas_->TargetCanvas() != own) canvas_->BindCanvas(own);
    try {
        if (!canvas_->RepaintFromBuffer()) DrawWhole();
    } catch (...) {
        if (swapped) canvas_->BindCanvas(remembered);
        throw;
    }
    if (swapped) canvas_->BindCanvas(remembered);
}

void TCustomZebPanel::DrawWhole() { RenderTo(targetCanvas_, Parent() ? ClientRect() : GetPanelRect()); }

void TCustomZebPanel::RenderTo(TCanvas* canvas, const TRect& rect)
{
    try {
        renderGuarded(canvas, rect);
    } catch (Exception& e) {
        if (ComponentState().Contains(csDesigning) && !reportShown_) {
            reportShown_ = true;
            ShowExceptionReportForm("DRAW", e);
        }
        throw;
    }
}

void TCustomZebPanel::renderGuarded(TCanvas* canvas, const TRect& rect)
{
    struct Pass {
        bool& flag;
        bool saved;
        explicit Pass(bool& f) : flag(f), saved(std::exchange(f, true)) {}
        ~Pass() { flag = saved; }
    } pass(rendering_);
    if (fixedRect_ && fixedChartRect_.IsEmpty()) fixedChartRect_ = chartRect_;
    if (originalWidth_ == 0) originalWidth_ = Width();
    if (originalHeight_ == 0) originalHeight_ = Height();
    panelBounds_ = canvas_->PrepareView(canvas, view3DOptions_, static_cast<TColor>(ColorToRGB(Color())), view3D_,
                                        rect);
    ComputeChartRect();
    if (fixedRect_) {
        chartRect_ = fixedChartRect_;
        if (printing_) OffsetRect(chartRect_, panelBounds_.Left, panelBounds_.Top);
    }
    NormalizeChartRect();
    DrawChart(panelBounds_);
    if (HasPanelFilters())
        if (auto* gdi = dynamic_cast<TZebCanvas3D*>(canvas_); gdi && gdi->BufferBitmap())
            panelPicture_->Filters()->ApplyAll(*gdi->BufferBitmap());
    if (!measuringPass_) canvas_->FlushBuffer(canvas, targetCanvas_, rect);
}

int TCustomZebPanel::FrameWidth() const
{
    int width = BorderWidth();
    if (BevelInner() != bvNone) width += BevelWidth();
    if (BevelOuter() != bvNone) width += BevelWidth();
    if (border_->Visible()) width += border_->Width();
    return width;
}

void TCustomZebPanel::ComputeChartRect()
{
    const int w = panelBounds_.Width(), h = panelBounds_.Height(), f = FrameWidth();
    int m[4] = {margins_[0], margins_[1], margins_[2], margins_[3]};
    if (marginUnits_ == muPercent) {
        m[0] = m[0] * w / 100;
        m[2] = m[2] * w / 100;
        m[1] = m[1] * h / 100;
        m[3] = m[3] * h / 100;
    }
    chartRect_ = {panelBounds_.Left + f + m[0], panelBounds_.Top + f + m[1], panelBounds_.Right - f - m[2],
                  panelBounds_.Bottom - f - m[3]};
    if (shadow_->Visible()) {
        const int hs = shadow_->HorizSize(), vs = shadow_->VertSize();
        if (hs < 1)
            chartRect_.Left += -hs;
        else
            chartRect_.Right -= hs;
        if (vs < 1)
            chartRect_.Top += -vs;
        else
            chartRect_.Bottom -= vs;
    }
    if (emboss_->Visible()) {
        const int hs = emboss_->HorizSize(), vs = emboss_->VertSize();
        if (hs < 1)
            chartRect_.Right += hs;
        else
            chartRect_.Left += hs;
        if (vs < 1)
            chartRect_.Bottom += vs;
        else
            chartRect_.Top += vs;
    }
}

void TCustomZebPanel::NormalizeChartRect()
{
    TRect& r = chartRect_;
    r.Left = std::max(r.Left, panelBounds_.Left);
    r.Top = std::max(r.Top, panelBounds_.Top);
    // An empty extent takes the panel's size, but never beyond the bounds (a printed panel does
    // not start at 0).
    if (r.Right < r.Left)
        r.Right = r.Left + 1;
    else if (r.Right == r.Left)
        r.Right = std::max(std::min(r.Left + Width(), panelBounds_.Right), r.Left + 1);
    if (r.Bottom < r.Top)
        r.Bottom = r.Top + 1;
    else if (r.Bottom == r.Top)
        r.Bottom = std::max(std::min(r.Top + Height(), panelBounds_.Bottom), r.Top + 1);
    chartWidth_ = r.Right - r.Left;
    chartHeight_ = r.Bottom - r.Top;
    chartXCenter_ = (r.Left + r.Right) / 2;
    chartYCenter_ = (r.Top + r.Bottom) / 2;
}

bool TCustomZebPanel::ClippingAllowed() const
{
    if (canvas_ && canvas_->IsTrue3D() && view3D_) return false;
    const bool metafiling = canvas_ && canvas_->Metafiling();
    if (!printing_ && !metafiling) return true;
    if (printing_ && PrintClipping) return true;
    return metafiling && MetafileClipping;
}

bool TCustomZebPanel::shrinkInsideBorder(TRect& r) const
{
    if (!border_->Visible()) return false;
    const int w = border_->Width();
    if (w >= 2 && !border_->SmallDots()) {
        const int down = (w - 1) / 2, up = w / 2;
        r.Left += up;
        r.Top += up;
        r.Right -= down;
        r.Bottom -= down;
        InflateRect(r, -(down + 1), -(down + 1));
    } else {
        InflateRect(r, -1, -1);
    }
    return true;
}

void PaintBevelFrame(TCanvas3D& canvas, TBevelCut bevel, TRect& rect, int width, int roundSize)
{
    if (bevel == bvNone) return;
    width = std::min({width, rect.Width() / 2, rect.Height() / 2});
    constexpr TColor light = 0xFFFFFF, dark = 0xA0A0A0;
    const bool lowered = bevel == bvLowered;
    const TColor topLeft = lowered ? dark : light, bottomRight = lowered ? light : dark;
    if (roundSize <= 0) {
        canvas.DrawBevelFrame(rect, topLeft, bottomRight, width);
        return;
    }
    canvas.Pen()->SetColor(topLeft);
    canvas.Brush()->SetStyle(bsClear);
    InflateRect(rect, -1, -1);
    canvas.RoundRect(rect.Left, rect.Top, rect.Right, rect.Bottom, roundSize, roundSize);
    InflateRect(rect, -width, -width);
}

void TCustomZebPanel::PaintBevels(const TRect& rect)
{
    if (printing_ && !PrintPanelBackground) return;
    if (BevelInner() == bvNone && BevelOuter() == bvNone && BorderWidth() == 0) return;
    TCanvas3D& c = *canvas_;
    TZebPen& pen = *c.Pen();
    pen.SetStyle(psSolid);
    pen.SetWidth(1);
    pen.SetMode(pmCopy);
    pen.SetSmallDots(false);
    pen.SetVisible(true);
    c.PushFlatMode();
    TRect r = rect;
    shrinkInsideBorder(r);
    PaintBevelFrame(c, BevelOuter(), r, BevelWidth(), 0);
    if (BorderWidth() > 0) {
        const auto color = static_cast<TColor>(ColorToRGB(Color()));
        c.DrawBevelFrame(r, color, color, BorderWidth());
    }
    PaintBevelFrame(c, BevelInner(), r, BevelWidth(), 0);
    c.PopFlatMode();
}

// ---- fonts, brushes, texts ----

TZebFont* TCustomZebPanel::GetDefaultFont()
{
    if (templatePanel_) return templatePanel_->GetDefaultFont();
    if (!defaultFont_) defaultFont_ = new TZebFont(TNotifyEvent(this, &TCustomZebPanel::StyleChanged));
    return defaultFont_;
}

void TCustomZebPanel::ApplyFont(TZebFont& font) { canvas_->UseFont(font.DefaultFont() ? *GetDefaultFont() : font); }

void TCustomZebPanel::ApplyZoomedFont(TZebFont& font)
{
    TZebFont& used = font.DefaultFont() ? *GetDefaultFont() : font;
    if (view3D_)
        canvas_->UseFontZoomed(used);
    else
        canvas_->UseFont(used);
}

void TCustomZebPanel::AssignCanvasBrush(TZebBrush& brush, TColor color, TColor backColor)
{
    if (brush.Style() != bsSolid && color == backColor) color = backColor == clBlack ? clWhite : clBlack;
    canvas_->SelectBrush(brush, color, backColor);
}

void TCustomZebPanel::ApplyXorPen(TZebPen& pen)
{
    const auto back = static_cast<std::uint32_t>(GetBackgroundColor()) & 0xFFFFFFu;
    const auto color = static_cast<TColor>((static_cast<std::uint32_t>(ColorToRGB(pen.Color())) ^ ~back) & 0xFFFFFFu);
    canvas_->SelectPen(pen, color);
    canvas_->Pen()->SetMode(pmNotXor);
    if (TCanvas* target = canvas_->TargetCanvas()) target->Pen()->SetMode(pmNotXor);
}

int TCustomZebPanel::CountTextLines(const String& text)
{
    const char brk = LineBreakChar;
    int lines = 1;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != brk) continue;
        if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        if (i + 1 < text.size()) ++lines;
    }
    return lines;
}

TSize TCustomZebPanel::TextBlockSize(const String& text, int& lines, TTextFormat format)
{
    const char brk = LineBreakChar;
    lines = 0;
    int width = 0, height = 0, fontHeight = -1;
    auto measure = [&](const String& line) {
        int w, h;
        if (format == ttfHtml) {
            const TSize size = MeasureHtmlText(*canvas_, line);
            w = size.cx;
            h = size.cy;
        } else {
            if (fontHeight < 0) fontHeight = canvas_->StandardTextHeight();
            w = canvas_->TextWidth(line);
            h = fontHeight;
        }
        width = std::max(width, w);
        height += h;
        ++lines;
    };
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != brk) continue;
        measure(text.substr(start, i - start));
        if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) measure(text.substr(start));
    return {width, height};
}

// ---- listeners ----

bool TCustomZebPanel::HasListeners() const { return listeners_->Count() > 0; }

void TCustomZebPanel::AddListener(IChartEventListener* listener) { listeners_->Add(listener); }

void TCustomZebPanel::RemoveListener(IChartEventListener* listener) { listeners_->RemoveListener(listener); }

TZebEvent* TCustomZebPanel::BroadcastEvent(TZebEvent* event)
{
    if (ComponentState().Contains(csDestroying)) return event;
    event->Sender = this;
    const bool mouse = dynamic_cast<TZebMouseEvent*>(event) != nullptr;
    listeners_->Broadcast(*event, [this, mouse] { return mouse && mouseHandled_; });
    return event;
}

void TCustomZebPanel::BroadcastMouseEvent(int kind, TMouseButton button, TShiftState shift, int x, int y)
{
    if (!HasListeners()) return;
    TZebMouseEvent event;
    event.Kind = static_cast<TZebMouseEventKind>(kind);
    event.Button = button;
    event.Shift = shift;
    event.X = x;
    event.Y = y;
    BroadcastEvent(&event);
}

// ---- window ----

void TCustomZebPanel::ApplyBorderRegion()
{
    if (regionGuard_ || !Parent()) return;
    regionGuard_ = true;
    try {
        tvpanel::SetRoundRegion(*this, borderRound_);
    } catch (...) {
        regionGuard_ = false;
        throw;
    }
    regionGuard_ = false;
}

void TCustomZebPanel::Loaded()
{
    TCustomPanelNoCaption::Loaded();
    if (!canvasClassName_.empty()) ApplyCanvasClass();
    if (!canvas_ || !canvas_->IsAvailable()) ReplaceCanvas(new TZebCanvas3D);
    savedCursor_ = Cursor();
    if (borderRound_ > 0) ApplyBorderRegion();
    originalWidth_ = Width();
    originalHeight_ = Height();
}

void TCustomZebPanel::ReadState(TReader& reader)
{
    autoRepaint_ = false;
    try {
        ApplyPublishedDefaults(*this, &TCustomPanelNoCaption::StaticClass());
        TCustomPanelNoCaption::ReadState(reader);
    } catch (...) {
        autoRepaint_ = true;
        Invalidate();
        throw;
    }
    autoRepaint_ = true;
    Invalidate();
}

void TCustomZebPanel::ChangeScale(int multiplier, int divisor)
{
    TCustomPanelNoCaption::ChangeScale(multiplier, divisor);
    if (multiplier == divisor || divisor == 0 || !canvas_) return;
    canvas_->SetFontZoom(canvas_->FontZoom() * multiplier / divisor);
    if (view3DOptions_) view3DOptions_->SetFontZoom(static_cast<int>(std::lround(canvas_->FontZoom())));
}

void TCustomZebPanel::Resize()
{
    if (!IsLoading() && view3DOptions_) {
        if (borderRound_ > 0) ApplyBorderRegion();
        if (view3DOptions_->ZoomText() == ztAuto && originalWidth_ > 0 && originalHeight_ > 0) {
            const int dh = RoundHalfEven((Height() - originalHeight_) * 100.0 / originalHeight_);
            const int dw = RoundHalfEven((Width() - originalWidth_) * 100.0 / originalWidth_);
            view3DOptions_->SetFontZoom(100 + std::max(dh, dw));
        }
    }
    TCustomPanelNoCaption::Resize();
}

void TCustomZebPanel::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_GETDLGCODE:
        TCustomPanelNoCaption::WndProc(message);
        message.Result |= DLGC_WANTARROWS;
        return;
    case WM_SYSCOLORCHANGE:
    case CM_SYSCOLORCHANGE: Invalidate(); break;
    case WM_ERASEBKGND:
        if (ErasePanelBackground) break;
        message.Result = 1;
        return;
    case 0x0128:  // WM_UPDATEUISTATE: no repaint of focus cues
        message.Msg = WM_NULL;
        break;
    default: break;
    }
    TCustomPanelNoCaption::WndProc(message);
}

// ---- mouse ----

void TCustomZebPanel::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    mouseHandled_ = false;
    TCustomPanelNoCaption::MouseDown(button, shift, x, y);
    if (!mouseHandled_) BroadcastMouseEvent(0, button, shift, x, y);
    if (CanFocus() && TabStop() && !Focused() && Parent() && !Parent()->Focused()) SetFocus();
}

void TCustomZebPanel::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    mouseHandled_ = false;
    TCustomPanelNoCaption::MouseUp(button, shift, x, y);
    BroadcastMouseEvent(1, button, shift, x, y);
}

void TCustomZebPanel::MouseMove(TShiftState shift, int x, int y)
{
    mouseHandled_ = false;
    TCustomPanelNoCaption::MouseMove(shift, x, y);
    if (HasListeners() && !ComponentState().Contains(csDesigning)) BroadcastMouseEvent(2, mbLeft, shift, x, y);
}

void TCustomZebPanel::DblClick()
{
    mouseHandled_ = false;
    TCustomPanelNoCaption::DblClick();
    if (mouseHandled_) throw EAbort("Operation aborted");
}

void TCustomZebPanel::CMMouseLeave(TMessage& message)
{
    SetCursor(savedCursor_);
    if (panning_->InsideBounds()) panning_->SetActive(false);
    BroadcastNewEvent<TMouseLeaveEvent>();
    TCustomPanelNoCaption::CMMouseLeave(message);
}

// ---- streams and copies ----

void TCustomZebPanel::DefineProperties(TFiler& filer)
{
    TCustomPanelNoCaption::DefineProperties(filer);
    filer.DefineProperty(
        "BorderStyle", [this](TReader& r) { readBorderStyle(r); }, nullptr, false);
    auto* ancestor = dynamic_cast<TCustomZebPanel*>(filer.Ancestor());
    filer.DefineProperty(
        "DefaultCanvas", [this](TReader& r) { readDefaultCanvas(r); }, [this](TWriter& w) { writeDefaultCanvas(w); },
        !ancestor || ancestor->canvasClassName_ != canvasClassName_);
    filer.DefineProperty(
        "PrintMargins", [this](TReader& r) { readPrintMargins(r); }, [this](TWriter& w) { writePrintMargins(w); },
        printMargins_ != TRect{15, 15, 15, 15});
}

void TCustomZebPanel::readBorderStyle(TReader& reader) { border_->SetVisible(reader.ReadIdent() == "bsSingle"); }

void TCustomZebPanel::readDefaultCanvas(TReader& reader) { canvasClassName_ = reader.ReadString(); }

void TCustomZebPanel::writeDefaultCanvas(TWriter& writer) { writer.WriteString(canvasClassName_); }

void TCustomZebPanel::readPrintMargins(TReader& reader)
{
    reader.ReadListBegin();
    printMargins_.Left = reader.ReadInteger();
    printMargins_.Top = reader.ReadInteger();
    printMargins_.Right = reader.ReadInteger();
    printMargins_.Bottom = reader.ReadInteger();
    reader.ReadListEnd();
}

void TCustomZebPanel::writePrintMargins(TWriter& writer)
{
    writer.WriteListBegin();
    writer.WriteInteger(printMargins_.Left);
    writer.WriteInteger(printMargins_.Top);
    writer.WriteInteger(printMargins_.Right);
    writer.WriteInteger(printMargins_.Bottom);
    writer.WriteListEnd();
}

void TCustomZebPanel::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TCustomZebPanel*>(source);
    if (!s) return TCustomPanelNoCaption::Assign(source);
    SetBevelInner(s->BevelInner());
    SetBevelOuter(s->BevelOuter());
    SetBevelWidth(s->BevelWidth());
    SetBorder(s->border_);
    SetBorderRound(s->borderRound_);
    SetBufferedDisplay(s->BufferedDisplay());
    SetColor(s->Color());
    SetEmboss(s->emboss_);
    for (int i = 0; i < 4; ++i) SetMargin(i, s->margins_[i]);
    SetMarginUnits(s->marginUnits_);
    SetMonochrome(s->Monochrome());
    SetPanning(s->panning_);
    printMargins_ = s->printMargins_;
    printProportional_ = s->printProportional_;
    printResolution_ = s->printResolution_;
    SetShadow(s->shadow_);
    view3D_ = s->view3D_;
    SetView3DOptions(s->view3DOptions_);
}

void TCustomZebPanel::AssignTo(TPersistent* dest)
{
    if (auto* picture = dynamic_cast<TPicture*>(dest)) {
        TOwnedPtr<TBitmap> bitmap(MakePanelBitmap());
        picture->SetGraphic(bitmap.get());
        return;
    }
    if (auto* graphic = dynamic_cast<TGraphic*>(dest)) {
        TOwnedPtr<TBitmap> bitmap(MakePanelBitmap());
        graphic->Assign(bitmap.get());
        return;
    }
    TCustomPanelNoCaption::AssignTo(dest);
}

TPoint TCustomZebPanel::GetCursorClientPos() const { return ScreenToClient(Screen->CursorPos()); }

void ScreenSizeInPixels(int& width, int& height)
{
    const TPoint size = tvpanel::ScreenSize();
    width = size.X;
    height = size.Y;
}

double CanvasDeviceAspect(TCanvas& canvas)
{
    HDC dc = canvas.Handle();
    const int height = dc ? dc->GetDeviceCaps(VERTSIZE) : 0;
    return height == 0 ? 0 : static_cast<double>(dc->GetDeviceCaps(HORZSIZE)) / height;
}
