// Placing, drawing and hit-testing single marks.
#include <optional>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ChangeGuard.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/ZebFont.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/Callout.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/DrawGuards.h"
#include "chart/core/MarksOwner.h"
#include "chart/core/MarksTail.h"
#include "chart/core/PanelZoom.h"
#include "chart/core/SeriesMarks.h"

namespace {

TPoint operator-(TPoint a, TPoint b) { return {a.X - b.X, a.Y - b.Y}; }

int VisiblePenWidth(const TZebPen& pen) { return pen.Visible() ? pen.Width() : 0; }

}  // namespace

TCustomTextShape& TSeriesMarks::shapeOf(int index)
{
    if (TMarksItem* item = items_.ItemAt(index)) return *item;
    return *this;
}

void TSeriesMarks::ShowMarkText(TCustomTextShape& shape, const String& text)
{
    if (auto* item = dynamic_cast<TMarksItem*>(&shape))
        item->ShowText(text);
    else if (shape.Text() != text)
        shape.SetText(text);
}

TRect TSeriesMarks::ProjectedBox(const TSeriesMarkPosition& position) const
{
    TRect box = position.GetBounds();
    TCustomZebPanel* panel = ParentPanel();
    if (!panel || !panel->View3D() || panel->Canvas3D()->UsesWorldCoordinates()) return box;
    const TPoint delta = panel->Canvas3D()->ProjectPointAtZ(position.ArrowTo, z_) - position.ArrowTo;
    OffsetRect(box, delta.X, delta.Y);
    return box;
}

TRect TSeriesMarks::OccupiedRect(int index, const TSeriesMarkPosition& position)
{
    TRect r = position.GetBounds();
    TCustomTextShape& shape = shapeOf(index);
    if (!shape.Transparent()) {
        r.Right += VisiblePenWidth(*shape.Pen());
        r.Bottom += VisiblePenWidth(*shape.Pen());
        if (const TZebShadow* shadow = shape.Shadow(); shadow->Visible()) {
            (shadow->HorizSize() > 0 ? r.Right : r.Left) += shadow->HorizSize();
            (shadow->VertSize() > 0 ? r.Bottom : r.Top) += shadow->VertSize();
        }
    }
    if (HasEmboss() && Emboss()->Visible()) {
        const int h = Emboss()->HorizSize(), v = Emboss()->VertSize();
        (h > 0 ? r.Left : r.Right) += std::abs(h);
        (v > 0 ? r.Top : r.Bottom) += std::abs(v);
    }
    const TRect box = ProjectedBox(position);
    OffsetRect(r, box.Left - position.LeftTop.X, box.Top - position.LeftTop.Y);
    return r;
}

bool TSeriesMarks::AutoMoveTest(int firstIndex, int index, TSeriesMarkPosition& position)
{
    if (index <= firstIndex) return true;
    TRect r = OccupiedRect(index, position);
    for (int i = index - 1; i >= firstIndex; --i) {
        const TSeriesMarkPosition* earlier = positions_.PositionAt(i);
        if (!earlier) continue;
        const TRect other = OccupiedRect(i, *earlier);
        if (!RectsOverlap(other, r)) continue;
        TPoint shift{0, 0};
        if (owner_) owner_->GetMarkOverlapShift(r, shift, other);
        position.Offset(shift);
        OffsetRect(r, shift.X, shift.Y);
        if (RectsOverlap(other, r)) return false;
    }
    return true;
}

void TSeriesMarks::applyStoredPosition(int index, TSeriesMarkPosition& position)
{
    TSeriesMarkPosition& stored = positions_.Ensure(index);
    if (!stored.Custom) {
        stored.CopyFrom(position);
        stored.Custom = false;
        return;
    }
    const bool followPoint = stored.ArrowFix || position.ArrowFix;
    const TPoint point = position.ArrowFrom;
    position.CopyFrom(stored);
    if (followPoint) position.ArrowFrom = point;
    position.Custom = false;
}

void TSeriesMarks::DrawMark(int index, TColor pointColor, TSeriesMarkPosition& position, const String& text)
{
    applyStoredPosition(index, position);
    TCustomZebPanel* panel = ParentPanel();
    if (!panel) return;
    TCustomTextShape& shape = shapeOf(index);
    ShowMarkText(shape, text);

    TFontKept font(*shape.Font());
    if (owner_ && owner_->IsPointHovered(index))
        if (TZebFont* hover = owner_->HoverFont()) font.Set(hover->Color(), hover->Style());

    TGraphic* picture = owner_ && useImages_ != miNone ? owner_->PointPicture(index) : nullptr;
    if (picture && useImages_ == miOnly) {
        panel->Canvas3D()->StretchGraphic(ProjectedBox(position), picture);
    } else if (picture && symbol_ && symbol_->Visible()) {
        // The picture stands in for the symbol: no frame, no fill behind it.
        const bool penVisible = symbol_->Pen()->Visible();
        const TBrushStyle brushStyle = symbol_->Brush()->Style();
        const TAutoRepaintOff quiet(panel);
        symbol_->Pen()->SetVisible(false);
        symbol_->Brush()->SetStyle(bsClear);
        symbol_->Picture()->SetGraphic(picture);
        paintMark(shape, pointColor, position);
        symbol_->Picture()->SetGraphic(nullptr);
        symbol_->Brush()->SetStyle(brushStyle);
        symbol_->Pen()->SetVisible(penVisible);
    } else {
        paintMark(shape, pointColor, position);
    }
}

void TSeriesMarks::paintCallout(TCustomZebPanel& panel, TColor pointColor, const TSeriesMarkPosition& position)
{
    TCanvas3D& canvas = *panel.Canvas3D();
    std::optional<TBlendSection> blend;
    if (callout_->Transparency() > 0) {
        TRect area = canvas.SupportsAlpha() ? panel.PanelBounds() : TRect{};
        if (!canvas.SupportsAlpha()) {
            const TPoint points[] = {position.ArrowFrom, position.ArrowTo,
                                     position.HasMid ? position.MidPoint : position.ArrowTo};
            area = BoundsOfPointArray(points);
            const int grow = callout_->GetLargestSize() + callout_->Arrow()->Width();
            InflateRect(area, grow, grow);
        }
        blend.emplace(canvas, area, callout_->Transparency());
    }
    callout_->DrawCallout(panel, pointColor, position.HasMid, z_, position.ArrowTo, position.MidPoint,
                          position.ArrowFrom);
}

void TSeriesMarks::paintMark(TCustomTextShape& shape, TColor pointColor, const TSeriesMarkPosition& position)
{
    TCustomZebPanel& panel = *ParentPanel();
    if (callout_ && (callout_->Visible() || callout_->Arrow()->Visible())) paintCallout(panel, pointColor, position);
    const TRect box = ProjectedBox(position);
    {
        const TNotifyEvent keep = shape.Shadow()->OnChange();
        shape.Shadow()->SetOnChange({});
        shape.Shadow()->SetClip(clip_);
        shape.Shadow()->SetOnChange(keep);
        if (shape.HasEmboss()) {
            const TNotifyEvent keepEmboss = shape.Emboss()->OnChange();
            shape.Emboss()->SetOnChange({});
            shape.Emboss()->SetClip(clip_);
            shape.Emboss()->SetOnChange(keepEmboss);
        }
    }
    {
        TFontKept font(*shape.Font());
        if (fontSeriesColor_) font.Set(pointColor, shape.Font()->Style());
        if (tail_ && tail_->Visible()) {
            const bool yMandatory = !series_ || series_->YMandatory();
            const auto outline = tail_->Polygon(box, position.ArrowFrom, position.ArrowTo, yMandatory);
            shape.DrawInPolygon(outline, box, z_);
        } else {
            shape.DrawInRect(box, Angle() % 360, z_);
        }
    }
    if (symbol_ && symbol_->ShouldDraw()) paintSymbol(shape, pointColor, box);
}

void TSeriesMarks::paintSymbol(TCustomTextShape& shape, TColor pointColor, const TRect& box)
{
    TCustomZebPanel& panel = *ParentPanel();
    panel.ApplyFont(*shape.Font());
    const int c = panel.Canvas3D()->TextHeight("W");
    const int d = (shape.Transparent() ? 0 : VisiblePenWidth(*shape.Pen())) + VisiblePenWidth(*symbol_->Pen());
    const TRect rect{box.Left + d + 4, box.Top + d + 3, box.Left + 2 * d + c - 1, box.Top + 2 * d + c - 2};
    // The point colour for this mark only: the symbol's own settings stay as stored.
    const TAutoRepaintOff quiet(&panel);
    const TColor color = symbol_->Color();
    symbol_->SetColor(pointColor);
    symbol_->DrawInRect(rect, 0, z_);
    symbol_->SetColor(color);
}

int TSeriesMarks::MarkIndexAt(TPoint point)
{
    const int every = EffectiveDrawEvery();
    for (int i = positions_.Count() - 1; i >= 0; --i) {
        if (i % every != 0) continue;
        const TSeriesMarkPosition* position = positions_.PositionAt(i);
        if (!position) continue;
        // An empty slot answers as the item made from the marks' settings would, without making it.
        TCustomTextShape& shape = shapeOf(i);
        if (!shape.Visible()) continue;
        if (!shape.ContainsPoint(point, ProjectedBox(*position))) continue;
        if (owner_) owner_->MarkHit();
        return i;
    }
    return -1;
}
