#pragma once
// TCustomZebPanel: the windowed control every chart derives from. It owns a chart canvas chosen by
// class name, turns each paint into one guarded render pass through that canvas (prepare, lay out
// the chart rectangle inside margins and frame, let the descendant draw, apply the panel's picture
// filters, flush the off-screen buffer), repaints only while its auto-repaint flag is on, and
// tells registered listeners about mouse and view events. Printing and picture output run the same
// pass onto another canvas.
#include <iterator>
#include <memory>
#include <utility>

#include "chart/core/ZebProcs.h"
#include "platform/classes/Assign.h"
#include "platform/classes/MethodEvent.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/graphics/Bitmap.h"

class TCanvas;
class TCanvas3D;
class TFilterItems;
class TGraphic;
class TMetafile;
class TView3DOptions;
class TZebBrush;
class TZebEmboss;
class TZebEventListeners;
class TZebEvent;
class TZebFont;
class TZebHiddenPen;
class TZebPanning;
class TZebPen;
class TZebPicture;
class TZebShadow;
class IChartEventListener;

enum TZebUnits { muPercent, muPixels };
inline constexpr const char* TZebUnitsNames[] = {"muPercent", "muPixels"};
static_assert(std::size(TZebUnitsNames) == muPixels + 1);

enum TTextFormat { ttfNormal, ttfHtml };
inline constexpr const char* TTextFormatNames[] = {"ttfNormal", "ttfHtml"};
static_assert(std::size(TTextFormatNames) == ttfHtml + 1);


class TCustomZebPanel;
using TZebPrintEvent = TMethodEvent<void(TCustomZebPanel* Sender, TCanvas* Canvas, const TRect& R)>;

// Settings shared by every panel of the program.
extern bool ErasePanelBackground;  // erase requests reach the window (flicker) when on
extern bool PrintClipping;         // passes onto a printer clip to the panel's rectangle
extern bool MetafileClipping;      // passes into a metafile likewise
extern bool PrintPanelBackground;  // printing draws the panel's background and frame

// A panel that shows no caption and never lets its parent paint behind it.
class TCustomPanelNoCaption : public TCustomPanel {
    TV_CLASS(TCustomPanelNoCaption, TCustomPanel)
public:
    explicit TCustomPanelNoCaption(TComponent* owner);
};

class TCustomZebPanel : public TCustomPanelNoCaption {
    TV_CLASS(TCustomZebPanel, TCustomPanelNoCaption)
public:
    explicit TCustomZebPanel(TComponent* owner);
    ~TCustomZebPanel() override;
    void BeforeDestruction() override;
    void Assign(TPersistent* source) override;

    // ---- published ----
    TZebHiddenPen* Border() const { return border_; }
    void SetBorder(TZebHiddenPen* value);
    int BorderRound() const { return borderRound_; }
    void SetBorderRound(int value);
    bool BufferedDisplay() const;
    void SetBufferedDisplay(bool value);
    TZebEmboss* Emboss() const { return emboss_; }
    void SetEmboss(TZebEmboss* value);
    // Index 0 .. 3: left, top, right, bottom.
    int Margin(int index) const { return margins_[index]; }
    void SetMargin(int index, int value);
    int MarginLeft() const { return margins_[0]; }
    void SetMarginLeft(int value) { SetMargin(0, value); }
    int MarginTop() const { return margins_[1]; }
    void SetMarginTop(int value) { SetMargin(1, value); }
    int MarginRight() const { return margins_[2]; }
    void SetMarginRight(int value) { SetMargin(2, value); }
    int MarginBottom() const { return margins_[3]; }
    void SetMarginBottom(int value) { SetMargin(3, value); }
    TZebUnits MarginUnits() const { return marginUnits_; }
    void SetMarginUnits(TZebUnits value);
    bool Monochrome() const;
    void SetMonochrome(bool value);
    TZebPanning* Panning() const { return panning_; }
    void SetPanning(TZebPanning* value);
    bool PrintProportional() const { return printProportional_; }
    void SetPrintProportional(bool value) { printProportional_ = value; }
    int PrintResolution() const { return printResolution_; }
    void SetPrintResolution(int value) { printResolution_ = value; }
    TZebShadow* Shadow() const { return shadow_; }
    void SetShadow(TZebShadow* value);
    bool View3D() const { return view3D_; }
    void SetView3D(bool value);
    TView3DOptions* View3DOptions() const { return view3DOptions_; }
    void SetView3DOptions(TView3DOptions* value);
    // The view a stored description holds: the user's view while a series shows its own one
    // instead (set by that series, which keeps the copy; none: the current view).
    TView3DOptions* StoredView3DOptions() const { return storedView3D_ ? storedView3D_ : view3DOptions_; }
    void SetStoredView3DOptions(TView3DOptions* value) { storedView3D_ = value; }
    bool HoldsStoredView3D() const { return storedView3D_ != nullptr; }
    const TZebPrintEvent& OnBeforePrint() const { return onBeforePrint_; }
    void SetOnBeforePrint(TZebPrintEvent handler) { onBeforePrint_ = std::move(handler); }

    // ---- the canvas ----
    TCanvas3D* Canvas3D() const { return canvas_; }
    // The panel's own cursor (as created or loaded), shown again when an element's cursor leaves.
    TCursor OwnCursor() const { return savedCursor_; }
    // Stored as "DefaultCanvas"; setting it applies the class at once.
    const String& CanvasClassName() const { return canvasClassName_; }
    void SetCanvasClassName(const String& value);
    // The registered canvas class of that exact name, else TZebCanvas3D; a canvas of exactly that
    // class is kept.
    void ApplyCanvasClass();
    // Installs canvas (owned from now on) with the old one's settings and frees the old one.
    void ReplaceCanvas(TCanvas3D* canvas);
    // Puts canvas in place of the panel's for a while, taking neither its settings nor its
    // ownership; returns the displaced canvas, which the caller puts back the same way.
    TCanvas3D* ExchangeCanvas(TCanvas3D* canvas) { return std::exchange(canvas_, canvas); }
    // The canvas the panel draws into; normally the control's own.
    TCanvas* TargetCanvas() const { return targetCanvas_; }
    void SetTargetCanvas(TCanvas* value) { targetCanvas_ = value; }
    // The destructor leaves the canvas alone.
    bool ForeignCanvas() const { return foreignCanvas_; }
    void SetForeignCanvas(bool value) { foreignCanvas_ = value; }

    // ---- state of the pass ----
    // A pass is being drawn (a frame must not start inside it).
    bool Rendering() const { return rendering_; }
    bool AutoRepaint() const { return autoRepaint_; }
    void SetAutoRepaint(bool value) { autoRepaint_ = value; }
    bool SeriesDepth() const { return seriesDepth_; }
    void SetSeriesDepth(bool value) { seriesDepth_ = value; }
    bool MouseHandled() const { return mouseHandled_; }
    void SetMouseHandled(bool value) { mouseHandled_ = value; }
    const TRect& PanelBounds() const { return panelBounds_; }
    const TRect& ChartRect() const { return chartRect_; }
    void SetChartRect(const TRect& value) { chartRect_ = value; }
    int ChartWidth() const { return chartWidth_; }
    int ChartHeight() const { return chartHeight_; }
    int ChartXCenter() const { return chartXCenter_; }
    int ChartYCenter() const { return chartYCenter_; }
    int Depth3D() const { return depth3D_; }
    void SetDepth3D(int value) { depth3D_ = value; }
    int Depth3DWidth() const { return depth3DWidth_; }
    void SetDepth3DWidth(int value) { depth3DWidth_ = value; }
    // A pass draws everything but leaves the target untouched.
    bool MeasuringPass() const { return measuringPass_; }
    void SetMeasuringPass(bool value) { measuringPass_ = value; }
    bool Printing() const { return printing_; }
    bool Preview() const { return preview_; }
    void SetPreview(bool value) { preview_ = value; }
    int OriginalWidth() const { return originalWidth_; }
    int OriginalHeight() const { return originalHeight_; }
    bool ReportShown() const { return reportShown_; }
    // Keeps the chart rectangle of the next pass for the following ones.
    void SetFixedChartRect(bool on);
    bool FixedChartRect() const { return fixedRect_; }
    // Its default font replaces the panel's own (owned).
    TCustomZebPanel* TemplatePanel() const { return templatePanel_; }
    void SetTemplatePanel(TCustomZebPanel* value);

    // ---- the pass ----
    void Invalidate() override;
    // Shows rect of the off-screen buffer again without re-rendering it: a series drew into it.
    void RepaintBufferRect(const TRect& rect) { InvalidateRect(rect); }
    // The panel Color as a real colour (XOR pens, the rubber band).
    virtual TColor GetBackgroundColor() const;
    virtual void SpareHook() {}
    // The content; the panel itself draws nothing here.
    virtual void DrawChart(const TRect& rect);
    // Change handler of every owned settings object.
    virtual void StyleChanged(TObject* sender);
    // One guarded pass onto canvas within rect.
    virtual void RenderTo(TCanvas* canvas, const TRect& rect);
    // The client rectangle on a parent window, else (0, 0, Width, Height).
    virtual TRect GetPanelRect() const;
    void DrawWhole();
    void ComputeChartRect();
    void NormalizeChartRect();
    int FrameWidth() const;
    bool ClippingAllowed() const;
    virtual void PaintBevels(const TRect& rect);
    void ApplyBorderRegion();

    // ---- helpers of chart elements ----
    // Store and repaint only on a change (true then); the typed forms are its usual names.
    template <class T, class V>
    bool Change(T& field, V&& value)
    {
        if (!AssignIfChanged(field, std::forward<V>(value))) return false;
        Invalidate();
        return true;
    }
    void ChangeColor(TColor& field, TColor value) { Change(field, value); }
    void ChangeBoolean(bool& field, bool value) { Change(field, value); }
    void ChangeInteger(int& field, int value) { Change(field, value); }
    void ChangeText(String& field, const String& value) { Change(field, value); }
    void ChangeFloat(double& field, double value) { Change(field, value); }
    void ApplyFont(TZebFont& font);
    void ApplyZoomedFont(TZebFont& font);
    TZebFont* GetDefaultFont();
    // A hatch in the back colour would not show: it becomes black (white on black).
    void AssignCanvasBrush(TZebBrush& brush, TColor color, TColor backColor);
    // Drawing with the pen twice restores the picture.
    void ApplyXorPen(TZebPen& pen);
    // Lines of a text separated by LineBreakChar (a line feed after it skipped); a last empty line
    // is not counted.
    static int CountTextLines(const String& text);
    // Width of the widest line of text on the canvas and the lines' height together; lines counts
    // them.
    TSize TextBlockSize(const String& text, int& lines, TTextFormat format);
    // The mouse pointer in the panel's client coordinates.
    TPoint GetCursorClientPos() const;
    int TextBlockWidth(const String& text, int& lines, TTextFormat format)
    {
        return TextBlockSize(text, lines, format).cx;
    }
    // The filters applied to the finished picture.
    TFilterItems* GetPanelFilters();
    bool HasPanelFilters() const;

    // ---- listeners ----
    TZebEventListeners& Listeners() const { return *listeners_; }
    void AddListener(IChartEventListener* listener);
    void RemoveListener(IChartEventListener* listener);
    // Sends event to the listeners in order; a consumed mouse event stops at the consumer.
    TZebEvent* BroadcastEvent(TZebEvent* event);
    void BroadcastMouseEvent(int kind, TMouseButton button, TShiftState shift, int x, int y);
    // A new event of class E to the listeners, when there are any.
    template <class E>
    void BroadcastNewEvent()
    {
        if (!HasListeners()) return;
        E event;
        BroadcastEvent(&event);
    }
    bool HasListeners() const;

    // ---- printing and pictures ----
    const TRect& PrintMargins() const { return printMargins_; }
    void SetPrintMargins(const TRect& value) { printMargins_ = value; }
    const TRect& PrintRect() const { return printRect_; }
    // The pass onto canvas without the off-screen buffer, the canvas object in metafile mode.
    void DrawToExternalCanvas(TCanvas* canvas, const TRect& rect);
    void DrawUnbuffered(TCanvas* canvas, const TRect& rect);
    // A new metafile (the caller owns it) of the panel drawn into rect; at least 1 x 1.
    TMetafile* RenderToMetafile(bool enhanced, const TRect& rect);
    TBitmap* MakePanelBitmap();
    // A new bitmap (the caller owns it): the valid buffer when it matches, else a fresh pass.
    // color 0xFFFFFF leaves the bitmap unfilled; clNone makes it transparent; a positive
    // resolution is written into it.
    TBitmap* MakeBitmap(TColor color, const TRect& rect, TPixelFormat format = pfDevice, int resolution = 0);
    // The panel scaled into rect of a printer canvas.
    void PrintToCanvas(TCanvas* canvas, const TRect& rect);
    void PrintOnPage(const TRect& rect);
    void ApplyPrintResolution(TRect& printRect, const TRect& panelRect, int& logicalWidth, int& logicalHeight,
                              int& deviceWidth, int& deviceHeight) const;
    // Margins in percent that print the panel at its aspect ratio on the printer's page.
    TRect AspectKeepingMargins() const;
    // The same for a page of that size whose pixels are aspect times as wide as high.
    TRect AspectKeepingMarginsFor(int pageWidth, int pageHeight, double aspect) const;
    TRect MarginsToPageRect(int pageWidth, int pageHeight) const;
    TRect PrintPageRect();
    // With the control's rescale, texts grow by the same factor (the canvas zoom and FontZoom).
    void ChangeScale(int multiplier, int divisor) override;

protected:
    void Paint() override;
    void Loaded() override;
    void ReadState(TReader& reader) override;
    void WndProc(TMessage& message) override;
    void Resize() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void DblClick() override;
    void CMMouseLeave(TMessage& message) override;
    void DefineProperties(TFiler& filer) override;
    void AssignTo(TPersistent* dest) override;
    // Window painting (the rubber band) without re-rendering the buffer.
    void InvalidateWindow();
    // The canvas's off-screen bitmap when it holds one of the current pass.
    TBitmap* ValidBuffer() const;

private:
    void renderGuarded(TCanvas* canvas, const TRect& rect);
    void readBorderStyle(TReader& reader);
    void readDefaultCanvas(TReader& reader);
    void writeDefaultCanvas(TWriter& writer);
    void readPrintMargins(TReader& reader);
    void writePrintMargins(TWriter& writer);
    bool shrinkInsideBorder(TRect& rect) const;
    friend class TCustomZebPanelExtended;

    bool seriesDepth_ = true;
    bool autoRepaint_ = true;
    TZebHiddenPen* border_ = nullptr;
    int borderRound_ = 0;
    bool mouseHandled_ = false;
    TRect panelBounds_;
    int chartWidth_ = 0, chartHeight_ = 0;
    int chartXCenter_ = 0, chartYCenter_ = 0;
    TCanvas* targetCanvas_ = nullptr;
    TZebEmboss* emboss_ = nullptr;
    TZebFont* defaultFont_ = nullptr;
    TZebPicture* panelPicture_ = nullptr;
    int depth3D_ = 0;
    int margins_[4] = {3, 4, 3, 4};
    TZebUnits marginUnits_ = muPercent;
    TZebPrintEvent onBeforePrint_;
    TCursor savedCursor_ = crDefault;
    TZebPanning* panning_ = nullptr;
    bool printing_ = false;
    bool printProportional_ = true;
    int printResolution_ = 0;
    TZebShadow* shadow_ = nullptr;
    bool view3D_ = true;
    TView3DOptions* view3DOptions_ = nullptr;
    TView3DOptions* storedView3D_ = nullptr;
    int depth3DWidth_ = 0;
    std::unique_ptr<TZebEventListeners> listeners_;
    bool regionGuard_ = false;
    bool reportShown_ = false;
    TRect fixedChartRect_;
    int originalWidth_ = 0, originalHeight_ = 0;
    String canvasClassName_;
    bool measuringPass_ = false;
    bool fixedRect_ = false;
    bool foreignCanvas_ = false;
    TCanvas3D* canvas_ = nullptr;
    bool preview_ = false;
    TRect printRect_;
    TRect chartRect_;
    TRect printMargins_{15, 15, 15, 15};
    TCustomZebPanel* templatePanel_ = nullptr;
    bool rendering_ = false;
};

// The screen's width and height in pixels.
void ScreenSizeInPixels(int& width, int& height);
// The device's physical width by its physical height (millimetres); 0 when the height is 0.
double CanvasDeviceAspect(TCanvas& canvas);

// The two-colour frame of a bevel kind; a positive round size draws a rounded outline instead.
// rect ends inside the frame.
void PaintBevelFrame(TCanvas3D& canvas, TBevelCut bevel, TRect& rect, int width, int roundSize);
