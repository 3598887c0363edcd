#pragma once
// TCustomTextShape: the framed shape that carries text (axis titles and labels, marks, legend
// texts, chart titles, annotations): lines with alignment, plain or HTML, inner margins, clipping,
// and the measuring that makes an auto-sized shape fit its text. TMargins keeps the four inner
// margins and turns them into pixels.
#include <iterator>

#include "chart/core/ChartShapes.h"
#include "chart/core/ZebPanel.h"

class TCustomTextShape;

enum TMarginUnits { maPercentFont, maPercentSize, maPixels };
inline constexpr const char* TMarginUnitsNames[] = {"maPercentFont", "maPercentSize", "maPixels"};
static_assert(std::size(TMarginUnitsNames) == maPixels + 1);

enum TVertTextAlign { vtaCenter, vtaTop, vtaBottom };
inline constexpr const char* TVertTextAlignNames[] = {"vtaCenter", "vtaTop", "vtaBottom"};
static_assert(std::size(TVertTextAlignNames) == vtaBottom + 1);

class TMargins : public TPersistent {
    TV_CLASS(TMargins, TPersistent)
public:
    explicit TMargins(TCustomTextShape* parent = nullptr) : parent_(parent) {}
    // The four margins and Units.
    void Assign(TPersistent* source) override;

    int Left() const { return left_; }
    void SetLeft(int value);
    int Top() const { return top_; }
    void SetTop(int value);
    int Right() const { return right_; }
    void SetRight(int value);
    int Bottom() const { return bottom_; }
    void SetBottom(int value);
    TMarginUnits Units() const { return units_; }
    void SetUnits(TMarginUnits value);
    // The owner's defaults; setting one sets both margins of that direction too.
    int DefaultHorizontal() const { return defaultHorizontal_; }
    void SetDefaultHorizontal(int value);
    int DefaultVertical() const { return defaultVertical_; }
    void SetDefaultVertical(int value);
    bool IsLeftStored() const { return left_ != defaultHorizontal_; }
    bool IsRightStored() const { return right_ != defaultHorizontal_; }
    bool IsTopStored() const { return top_ != defaultVertical_; }
    bool IsBottomStored() const { return bottom_ != defaultVertical_; }

    // Percent of the text height, percent of the box size, or pixels.
    void ComputePixels(int width, int height, int textHeight);
    void ZeroPixels();
    int LeftPixels() const { return leftPixels_; }
    int TopPixels() const { return topPixels_; }
    int RightPixels() const { return rightPixels_; }
    int BottomPixels() const { return bottomPixels_; }
    int HorizontalPixels() const { return leftPixels_ + rightPixels_; }
    int VerticalPixels() const { return topPixels_ + bottomPixels_; }

private:
    void changed();

    int left_ = 10, top_ = 5, right_ = 10, bottom_ = 5;
    TMarginUnits units_ = maPercentFont;
    int defaultHorizontal_ = 10, defaultVertical_ = 5;
    int leftPixels_ = 0, topPixels_ = 0, rightPixels_ = 0, bottomPixels_ = 0;
    TCustomTextShape* parent_;
};

class TCustomTextShape : public TZebCustomShape {
    TV_CLASS(TCustomTextShape, TZebCustomShape)
public:
    explicit TCustomTextShape(TCustomZebPanel* panel = nullptr);
    ~TCustomTextShape() override;
    void Assign(TPersistent* source) override;

    bool ClipText() const { return clipText_; }
    void SetClipText(bool value);
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value) { cursor_ = value; }
    TMargins* Margins() const { return margins_; }
    void SetMargins(TMargins* value) { margins_->Assign(value); }
    TAlignment TextAlignment() const { return textAlignment_; }
    void SetTextAlignment(TAlignment value);
    // The owner's default: the alignment and its stored default together.
    void SetDefaultTextAlignment(TAlignment value) { textAlignment_ = defaultTextAlignment_ = value; }
    bool IsTextAlignmentStored() const { return textAlignment_ != defaultTextAlignment_; }
    TTextFormat TextFormat() const { return textFormat_; }
    void SetTextFormat(TTextFormat value);
    // Stored and copied; no drawing reads it.
    TVertTextAlign VertTextAlign() const { return vertTextAlign_; }
    void SetVertTextAlign(TVertTextAlign value);
    // Lines separated by LineBreakChar; line feeds are not drawn.
    const String& Text() const { return text_; }
    void SetText(const String& value);
    // The font is applied without the 3-D zoom.
    bool PlainFont() const { return plainFont_; }
    void SetPlainFont(bool value) { plainFont_ = value; }
    // Added to where lines start; a non-zero offset clips the text.
    int TextXOffset() const { return textXOffset_; }
    void SetTextXOffset(int value) { textXOffset_ = value; }
    // Lines counted by the last measuring.
    int LineCount() const { return lineCount_; }

    void MeasureBounds(TCustomZebPanel& panel) override;
    void PaintPolygon(TCustomZebPanel& panel, std::span<const TPoint> points, const TRect& rect, bool flag,
                      int z) override;
    void PaintBox(TCustomZebPanel& panel, const TRect& rect, double angle, int z) override;
    int FirstChildPosition() const override;
    const TMetaClass& ChildShapeClass() const override;
    String EditorFormClassName() const override { return "TTextShapeEditor"; }

    // Sets the canvas text alignment; the x where lines start in box.
    virtual int AlignTextStart(TCustomZebPanel& panel, const String& text, const TRect& box);
    // The size of a multi-line text with the current canvas font.
    virtual void MeasureText(TCustomZebPanel& panel, const String& text, int& width, int& height, int& lines,
                             TTextFormat format);
    virtual void TextChanged() { InvalidateChart(); }
    virtual void PaintTextLine(TCustomZebPanel& panel, int x, TPoint center, double angle, bool html,
                               const String& text, int z, int y);

protected:
    void applyFont(TCustomZebPanel& panel);
    void drawText(TCustomZebPanel& panel, const TRect& box, double angle, int z);

private:
    bool clipText_ = true;
    TCursor cursor_ = 0;
    TMargins* margins_ = nullptr;  // owned
    TAlignment textAlignment_ = taLeftJustify;
    TTextFormat textFormat_ = ttfNormal;
    TVertTextAlign vertTextAlign_ = vtaCenter;
    String text_;
    TAlignment defaultTextAlignment_ = taLeftJustify;
    bool plainFont_ = false;
    int textXOffset_ = 0;
    int lineCount_ = 0;
};
