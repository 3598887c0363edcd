#pragma once
// Pens, brushes and fonts: the published attribute objects a canvas draws with. Each fires
// OnChange when a property changes; the canvas selects their logical form into its device.
#include <iterator>

#include "platform/classes/MethodEvent.h"
#include "platform/classes/Persistent.h"
#include "platform/classes/Sets.h"
#include "platform/graphics/Colors.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/GdiConsts.h"

class TBitmap;

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame, psUserStyle, psAlternate };
inline constexpr const char* TPenStyleNames[] = {"psSolid",       "psDash",       "psDot",
                                                 "psDashDot",     "psDashDotDot", "psClear",
                                                 "psInsideFrame", "psUserStyle",  "psAlternate"};
static_assert(std::size(TPenStyleNames) == psAlternate + 1);

enum TPenMode {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};
inline constexpr const char* TPenModeNames[] = {
    "pmBlack",       "pmWhite",      "pmNop",   "pmNot",      "pmCopy", "pmNotCopy", "pmMergePenNot", "pmMaskPenNot",
    "pmMergeNotPen", "pmMaskNotPen", "pmMerge", "pmNotMerge", "pmMask", "pmNotMask", "pmXor",         "pmNotXor"};
static_assert(std::size(TPenModeNames) == pmNotXor + 1);

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
inline constexpr const char* TBrushStyleNames[] = {"bsSolid",     "bsClear",     "bsHorizontal", "bsVertical",
                                                   "bsFDiagonal", "bsBDiagonal", "bsCross",      "bsDiagCross"};
static_assert(std::size(TBrushStyleNames) == bsDiagCross + 1);

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
inline constexpr const char* TFontStyleNames[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
static_assert(std::size(TFontStyleNames) == fsStrikeOut + 1);
using TFontStyles = TSet<TFontStyle>;

enum TFontPitch { fpDefault, fpVariable, fpFixed };
inline constexpr const char* TFontPitchNames[] = {"fpDefault", "fpVariable", "fpFixed"};
static_assert(std::size(TFontPitchNames) == fpFixed + 1);

enum TFontQuality { fqDefault, fqDraft, fqProof, fqNonAntialiased, fqAntialiased, fqClearType, fqClearTypeNatural };
inline constexpr const char* TFontQualityNames[] = {
    "fqDefault", "fqDraft", "fqProof", "fqNonAntialiased", "fqAntialiased", "fqClearType", "fqClearTypeNatural"};
static_assert(std::size(TFontQualityNames) == fqClearTypeNatural + 1);

using TFontCharset = Byte;
using TFontName = String;

// The raster operation (R2_*) a pen mode stands for.
int PenModeToROP2(TPenMode mode);

class TGraphicsObject : public TPersistent {
    TV_CLASS(TGraphicsObject, TPersistent)
public:
    TGraphicsObject();
    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(const TNotifyEvent& e) { onChange_ = e; }
    void SetOnChange(TNotifyEvent&& e) { onChange_ = std::move(e); }
    // The change event taken out, none left: for quiet changes, put back after (no copies of the
    // handler, which copying a font for every label would make many of).
    TNotifyEvent TakeOnChange() { return std::exchange(onChange_, {}); }
    const TNotifyEvent& OnChanging() const { return onChanging_; }  // before a change
    void SetOnChanging(const TNotifyEvent& e) { onChanging_ = e; }

protected:
    virtual void Changing();
    virtual void Changed();

private:
    TNotifyEvent onChange_;
    TNotifyEvent onChanging_;
};

class TPen : public TGraphicsObject {
    TV_CLASS(TPen, TGraphicsObject)
public:
    TPen() = default;
    void Assign(TPersistent* source) override;
    // Assign for a source known to be a pen: hot drawing paths skip the type check.
    void AssignPen(const TPen& source);

    TColor Color() const { return color_; }
    void SetColor(TColor c);
    int Width() const { return width_; }
    void SetWidth(int w);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle s);
    TPenMode Mode() const { return mode_; }
    void SetMode(TPenMode m);

    // What the canvas selects; descendants add caps, joins and dash patterns.
    virtual TLogPen LogPen() const;

private:
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = psSolid;
    TPenMode mode_ = pmCopy;
};

class TBrush : public TGraphicsObject {
    TV_CLASS(TBrush, TGraphicsObject)
public:
    TBrush();
    ~TBrush() override;
    void Assign(TPersistent* source) override;
    // Assign for a source known to be a brush: hot drawing paths skip the type check.
    void AssignBrush(const TBrush& source);

    TColor Color() const { return color_; }
    void SetColor(TColor c);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle s);
    // A pattern bitmap (not owned; its pixels are copied when selected); null for none.
    TBitmap* Bitmap() const { return bitmap_; }
    void SetBitmap(TBitmap* b);

    virtual TLogBrush LogBrush() const;

private:
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
    TBitmap* bitmap_ = nullptr;
};

class TFont : public TGraphicsObject {
    TV_CLASS(TFont, TGraphicsObject)
public:
    TFont() = default;
    void Assign(TPersistent* source) override;

    TFontName Name() const { return name_; }
    void SetName(const TFontName& n);
    // Height < 0 is the character height in pixels; Size is in points: Height = -Size * PPI / 72.
    int Height() const { return height_; }
    void SetHeight(int h);
    int Size() const;
    void SetSize(int s);
    int PixelsPerInch() const { return ppi_; }
    void SetPixelsPerInch(int ppi) { ppi_ = ppi; }
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles s);
    TColor Color() const { return color_; }
    void SetColor(TColor c);
    TFontCharset Charset() const { return charset_; }
    void SetCharset(TFontCharset c);
    TFontPitch Pitch() const { return pitch_; }
    void SetPitch(TFontPitch p);
    int Orientation() const { return orientation_; }  // tenths of a degree
    void SetOrientation(int o);
    TFontQuality Quality() const { return quality_; }
    void SetQuality(TFontQuality q);

    virtual TLogFont LogFont() const;

private:
    TFontName name_ = "MS Sans Serif";
    int height_ = -11;
    int ppi_ = 96;
    TFontStyles style_;
    TColor color_ = clWindowText;
    TFontCharset charset_ = DEFAULT_CHARSET;
    TFontPitch pitch_ = fpDefault;
    int orientation_ = 0;
    TFontQuality quality_ = fqDefault;
};
