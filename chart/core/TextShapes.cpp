#include "chart/core/TextShapes.h"

#include <algorithm>
#include <cmath>

#include "chart/canvas/HtmlText.h"
#include "chart/canvas/ZebFont.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/ZebProcs.h"
#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"
#include "platform/graphics/GdiConsts.h"

TV_PUBLISHED(TMargins)
{
    Prop("Left", &TMargins::Left, &TMargins::SetLeft).NoDefault().Stored(&TMargins::IsLeftStored);
    Prop("Top", &TMargins::Top, &TMargins::SetTop).NoDefault().Stored(&TMargins::IsTopStored);
    Prop("Right", &TMargins::Right, &TMargins::SetRight).NoDefault().Stored(&TMargins::IsRightStored);
    Prop("Bottom", &TMargins::Bottom, &TMargins::SetBottom).NoDefault().Stored(&TMargins::IsBottomStored);
    PropEnum("Units", &TMargins::Units, &TMargins::SetUnits, maPercentFont, TMarginUnitsNames);
}

TV_PUBLISHED(TCustomTextShape)
{
    Prop("ClipText", &TCustomTextShape::ClipText, &TCustomTextShape::SetClipText, true);
    PropCursor("Cursor", &TCustomTextShape::Cursor, &TCustomTextShape::SetCursor, 0);
    Prop("Margins", &TCustomTextShape::Margins, &TCustomTextShape::SetMargins);
    PropEnum("TextAlignment", &TCustomTextShape::TextAlignment, &TCustomTextShape::SetTextAlignment, taLeftJustify,
             TAlignmentNames)
        .NoDefault()
        .Stored(&TCustomTextShape::IsTextAlignmentStored);
    PropEnum("TextFormat", &TCustomTextShape::TextFormat, &TCustomTextShape::SetTextFormat, ttfNormal,
             TTextFormatNames);
    PropEnum("VertTextAlign", &TCustomTextShape::VertTextAlign, &TCustomTextShape::SetVertTextAlign, vtaCenter,
             TVertTextAlignNames);
    Prop("Text", &TCustomTextShape::Text, &TCustomTextShape::SetText);
}

// ---- margins ----

void TMargins::Assign(TPersistent* source)
{
    auto* s = dynamic_cast<TMargins*>(source);
    if (!s) return inherited::Assign(source);
    left_ = s->left_;
    top_ = s->top_;
    right_ = s->right_;
    bottom_ = s->bottom_;
    units_ = s->units_;
}

void TMargins::changed()
{
    if (parent_) parent_->InvalidateChart();
}

void TMargins::SetLeft(int value)
{
    if (AssignIfChanged(left_, value)) changed();
}

void TMargins::SetTop(int value)
{
    if (AssignIfChanged(top_, value)) changed();
}

void TMargins::SetRight(int value)
{
    if (AssignIfChanged(right_, value)) changed();
}

void TMargins::SetBottom(int value)
{
    if (AssignIfChanged(bottom_, value)) changed();
}

void TMargins::SetUnits(TMarginUnits value)
{
    if (AssignIfChanged(units_, value)) changed();
}

void TMargins::SetDefaultHorizontal(int value)
{
    defaultHorizontal_ = value;
    left_ = right_ = value;
}

void TMargins::SetDefaultVertical(int value)
{
    defaultVertical_ = value;
    top_ = bottom_ = value;
}

void TMargins::ComputePixels(int width, int height, int textHeight)
{
    switch (units_) {
    case maPercentFont: {
        const float factor = static_cast<float>(textHeight) / 100.0f;
        leftPixels_ = RoundHalfEven(left_ * factor);
        topPixels_ = RoundHalfEven(top_ * factor);
        rightPixels_ = RoundHalfEven(right_ * factor);
        bottomPixels_ = RoundHalfEven(bottom_ * factor);
        break;
    }
    case maPercentSize:
        leftPixels_ = RoundHalfEven(left_ * width / 100.0);
        rightPixels_ = RoundHalfEven(right_ * width / 100.0);
        topPixels_ = RoundHalfEven(top_ * height / 100.0);
        bottomPixels_ = RoundHalfEven(bottom_ * height / 100.0);
        break;
    case maPixels:
        leftPixels_ = left_;
        topPixels_ = top_;
        rightPixels_ = right_;
        bottomPixels_ = bottom_;
        break;
    }
}

void TMargins::ZeroPixels() { leftPixels_ = topPixels_ = rightPixels_ = bottomPixels_ = 0; }

// ---- text shape ----

TCustomTextShape::TCustomTextShape(TCustomZebPanel* panel) : TZebCustomShape(panel) { margins_ = new TMargins(this); }

TCustomTextShape::~TCustomTextShape() { TObject::Free(margins_); }

void TCustomTextShape::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TCustomTextShape*>(source)) {
        clipText_ = s->clipText_;
        cursor_ = s->cursor_;
        margins_->Assign(s->margins_);
        SetText(s->text_);  // a strings shape refills its lines from the text
        textAlignment_ = s->textAlignment_;
        textFormat_ = s->textFormat_;
        vertTextAlign_ = s->vertTextAlign_;
    }
    TZebCustomShape::Assign(source);
}

void TCustomTextShape::SetClipText(bool value)
{
    if (AssignIfChanged(clipText_, value)) InvalidateChart();
}

void TCustomTextShape::SetTextAlignment(TAlignment value)
{
    if (AssignIfChanged(textAlignment_, value)) InvalidateChart();
}

void TCustomTextShape::SetTextFormat(TTextFormat value)
{
    if (AssignIfChanged(textFormat_, value)) InvalidateChart();
}

void TCustomTextShape::SetVertTextAlign(TVertTextAlign value)
{
    if (AssignIfChanged(vertTextAlign_, value)) InvalidateChart();
}

void TCustomTextShape::SetText(const String& value)
{
    if (AssignIfChanged(text_, value)) TextChanged();
}

const TMetaClass& TCustomTextShape::ChildShapeClass() const { return TCustomTextShape::StaticClass(); }

void TCustomTextShape::applyFont(TCustomZebPanel& panel)
{
    if (plainFont_)
        panel.ApplyFont(*Font());
    else
        panel.ApplyZoomedFont(*Font());
}

void TCustomTextShape::MeasureText(TCustomZebPanel& panel, const String& text, int& width, int& height, int& lines,
                                   TTextFormat format)
{
    const TSize size = panel.TextBlockSize(text, lines, format);
    width = size.cx;
    height = size.cy;
}

void TCustomTextShape::MeasureBounds(TCustomZebPanel& panel)
{
    TZebCustomShape::MeasureBounds(panel);
    lineCount_ = 0;
    if (text_.empty()) return;
    applyFont(panel);
    int w = 0, h = 0;
    MeasureText(panel, text_, w, h, lineCount_, textFormat_);
    if (!AutoSize()) return;
    int boxWidth = w, boxHeight = h;
    if (!Transparent() && Pen()->Visible()) {
        boxWidth += Pen()->Width() + 1;
        boxHeight += Pen()->Width() + 1;
    }
    if (Transparent())
        margins_->ZeroPixels();
    else
        margins_->ComputePixels(boxWidth, boxHeight, h);
    const int needed = boxWidth + 2 * margins_->HorizontalPixels();
    TRect b = ShapeBounds();
    if (ChildLayout() == slTopBottom) {
        if (b.Width() < needed) b.Right = b.Left + needed;
        b.Bottom += boxHeight + margins_->VerticalPixels();
    } else {
        if (b.Height() < boxHeight) b.Bottom = b.Top + boxHeight;
        b.Right += needed + margins_->HorizontalPixels();
    }
    SetShapeBounds(b);
}

int TCustomTextShape::FirstChildPosition() const
{
    int position = TZebCustomShape::FirstChildPosition();
    if (!Transparent() && Pen()->Visible()) position += Pen()->Width() / 2;
    TCustomZebPanel* panel = ParentPanel();
    if (!panel || !panel->Canvas3D()) return position;
    auto* self = const_cast<TCustomTextShape*>(this);
    self->applyFont(*panel);
    TCanvas3D& c = *panel->Canvas3D();
    if (ChildLayout() == slLeftRight) return position + c.TextWidth(text_) + margins_->LeftPixels();
    return position + c.StandardTextHeight() * lineCount_ + margins_->TopPixels();
}

int TCustomTextShape::AlignTextStart(TCustomZebPanel& panel, const String&, const TRect& box)
{
    TCanvas3D& c = *panel.Canvas3D();
    switch (textAlignment_) {
    case taCenter: c.SetTextAlignment(TA_CENTER); return (box.Left + box.Right) / 2;
    case taRightJustify: c.SetTextAlignment(TA_RIGHT); return box.Right - margins_->RightPixels();
    default: c.SetTextAlignment(TA_LEFT); return box.Left + margins_->LeftPixels();
    }
}

void TCustomTextShape::PaintTextLine(TCustomZebPanel& panel, int x, TPoint center, double angle, bool html,
                                     const String& text, int z, int y)
{
    TCanvas3D& c = *panel.Canvas3D();
    const bool pivot = angle != 0;
    const bool hadPivot = c.HasRotationPivot();
    const TPoint oldPivot = c.RotationPivot();
    if (pivot) c.SetRotationPivot(true, center);
    try {
        if (plainFont_ || (z == 0 && !c.IsTrue3D())) {
            if (angle != 0)
                c.RotatedTextOut(x, y, text, angle, html);
            else
                TextOutOrHtml(c, x, y, text, html);
        } else {
            if (angle != 0)
                c.RotatedTextXYZ(x, y, z, text, angle, html);
            else
                c.TextOutXYZ(x, y, z, text, html);
        }
    } catch (...) {
        if (pivot) c.SetRotationPivot(hadPivot, oldPivot);
        throw;
    }
    if (pivot) c.SetRotationPivot(hadPivot, oldPivot);
}

void TCustomTextShape::PaintBox(TCustomZebPanel& panel, const TRect& rect, double angle, int z)
{
    TZebCustomShape::PaintBox(panel, rect, angle, z);
    drawText(panel, rect, angle, z);
}

void TCustomTextShape::PaintPolygon(TCustomZebPanel& panel, std::span<const TPoint> points, const TRect& rect,
                                    bool flag, int z)
{
    TZebCustomShape::PaintPolygon(panel, points, rect, flag, z);
    drawText(panel, rect, 0, z);
}

void TCustomTextShape::drawText(TCustomZebPanel& panel, const TRect& box, double angle, int z)
{
    // An empty text has nothing to show (a blank would draw nothing either).
    if (text_.empty()) return;
    TCanvas3D& c = *panel.Canvas3D();
    c.SetBackgroundMode(TRANSPARENT);
    applyFont(panel);
    String text;
    text.reserve(text_.size());
    for (char ch : text_)
        if (ch != '\n') text += ch;
    int y = box.Top + margins_->TopPixels();
    if (!Transparent() && Pen()->Visible()) y += Pen()->Width() / 2 + 1;
    const int x = AlignTextStart(panel, text, box) + textXOffset_;
    const TPoint center{(box.Left + box.Right) / 2, (box.Top + box.Bottom) / 2};
    const bool clip = clipText_ && (textXOffset_ != 0 || (!AutoSize() && angle == 0));
    if (clip) c.ClipToRect(box);
    try {
        const int depth = c.IsTrue3D() ? z : 0;
        const bool html = textFormat_ == ttfHtml;
        const int lines = TCustomZebPanel::CountTextLines(text);
        int fontHeight = -1;
        size_t start = 0;
        for (int i = 0; i < lines; ++i) {
            size_t end = text.find(LineBreakChar, start);
            if (end == String::npos) end = text.size();
            const String line = text.substr(start, end - start);
            start = end + 1;
            if (!line.empty()) PaintTextLine(panel, x, center, angle, html, line, depth, y);
            if (lines > 1) {
                if (html) {
                    y += MeasureHtmlText(c, line).cy;
                } else {
                    if (fontHeight < 0) fontHeight = c.StandardTextHeight();
                    y += fontHeight;
                }
            }
        }
    } catch (...) {
        if (clip) c.RemoveClip();
        throw;
    }
    if (clip) c.RemoveClip();
}
