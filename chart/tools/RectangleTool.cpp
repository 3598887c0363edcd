#include "chart/tools/RectangleTool.h"

#include <algorithm>
#include <cstdlib>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/Shadow.h"
#include "chart/core/AxisPanel.h"
#include "platform/classes/Published.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/rtl/MathUtils.h"

namespace {

class TRectangleToolClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TAnnotationToolEdit"; }
    String GalleryName() const override { return "Rectangle"; }
    String GalleryHint() const override
    {
        return "Displays custom text at any location inside Chart within a resizable box.";
    }
};

// How near an edge grabs it, and the smallest box a resize leaves.
constexpr int edgeTolerance = 3;
constexpr int minimumSide = 3;

}  // namespace

TV_PUBLISHED(TRectangleShape) {}

TV_PUBLISHED_AS(TRectangleTool, TRectangleToolClass)
{
    Prop("AllowDrag", &TRectangleTool::AllowDrag, &TRectangleTool::SetAllowDrag, true);
    Prop("AllowResize", &TRectangleTool::AllowResize, &TRectangleTool::SetAllowResize, true);
    Prop("AutoSize", &TRectangleTool::AutoSize, &TRectangleTool::SetAutoSize, false);
    PropCursor("Cursor", &TRectangleTool::Cursor, &TRectangleTool::SetCursor, crHandPoint);
    Prop("OnDragging", &TRectangleTool::OnDragging, &TRectangleTool::SetOnDragging);
    Prop("OnDragged", &TRectangleTool::OnDragged, &TRectangleTool::SetOnDragged);
    Prop("OnResizing", &TRectangleTool::OnResizing, &TRectangleTool::SetOnResizing);
    Prop("OnResized", &TRectangleTool::OnResized, &TRectangleTool::SetOnResized);
}

TRectangleShape::TRectangleShape(TCustomZebPanel* panel) : TTextShape(panel) { PresetCustomPosition(true); }

TRectangleTool::TRectangleTool(TComponent* owner) : TAnnotationTool(owner, new TRectangleShape(nullptr))
{
    OwnCursorHandling = true;
    TTextShape& shape = *Shape();
    shape.SetAutoSize(false);
    shape.Shadow()->SetSize(0);
    shape.SetTransparency(75);
    shape.SetShapeBounds({10, 10, 60, 60});
    shape.SetCursor(crHandPoint);
}

void TRectangleTool::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TRectangleTool*>(source)) {
        allowDrag_ = s->allowDrag_;
        allowResize_ = s->allowResize_;
    }
    TAnnotationTool::Assign(source);
}

int TRectangleTool::HitEdge(int x, int y)
{
    if (!ContainsPoint(x, y)) return -1;
    const TRect r = GetBounds();
    const bool left = std::abs(x - r.Left) <= edgeTolerance, top = std::abs(y - r.Top) <= edgeTolerance;
    const bool right = std::abs(x - r.Right) <= edgeTolerance, bottom = std::abs(y - r.Bottom) <= edgeTolerance;
    if (left) return top ? 4 : bottom ? 5 : 0;
    if (top) return right ? 6 : 1;
    if (right) return bottom ? 7 : 2;
    if (bottom) return 3;
    return -1;
}

void TRectangleTool::placeAt(int left, int top)
{
    TTextShape& shape = *Shape();
    shape.SetCustomPosition(true);
    const int width = shape.BoundsWidth(), height = shape.BoundsHeight();
    if (PositionUnits() == muPercent && ParentChart()) {
        const int w = std::max(1, ParentChart()->Width()), h = std::max(1, ParentChart()->Height());
        shape.SetShapeBounds({static_cast<int>(Round(left * 100.0 / w)), static_cast<int>(Round(top * 100.0 / h)), 0, 0});
    } else {
        shape.SetShapeBounds({left, top, 0, 0});
    }
    shape.SetBoundsWidth(width);
    shape.SetBoundsHeight(height);
}

void TRectangleTool::HandleMouse(TToolMouseKind kind, TMouseButton button, TShiftState shift, int x, int y)
{
    TAnnotationTool::HandleMouse(kind, button, shift, x, y);
    TCustomAxisPanel* chart = ParentChart();
    if (!Active() || !chart) return;
    switch (kind) {
    case tmkDown: {
        if (button != mbLeft) return;
        resizeEdge_ = allowResize_ ? HitEdge(x, y) : -1;
        const TRect r = GetBounds();
        if (resizeEdge_ != -1) {
            const int e = resizeEdge_;
            grabX_ = x - (e == 2 || e == 6 || e == 7 ? r.Right : r.Left);
            grabY_ = y - (e == 3 || e == 5 || e == 7 ? r.Bottom : r.Top);
            chart->SetMouseHandled(true);
        } else if (allowDrag_ && ContainsPoint(x, y)) {
            grabX_ = x - r.Left;
            grabY_ = y - r.Top;
            dragging_ = true;
            chart->SetMouseHandled(true);
        }
        break;
    }
    case tmkMove:
        if (dragging_) {
            placeAt(x - grabX_, y - grabY_);
            RepaintAnnotation();
            if (onDragging_) onDragging_(this);
        } else if (resizeEdge_ != -1) {
            SetAutoSize(false);
            TRect r = GetBounds();
            const int e = resizeEdge_, nx = x - grabX_, ny = y - grabY_;
            if (e == 0 || e == 4 || e == 5) r.Left = std::min(r.Right - minimumSide, nx);
            if (e == 1 || e == 4 || e == 6) r.Top = std::min(r.Bottom - minimumSide, ny);
            if (e == 2 || e == 6 || e == 7) r.Right = std::max(r.Left + minimumSide, nx);
            if (e == 3 || e == 5 || e == 7) r.Bottom = std::max(r.Top + minimumSide, ny);
            Shape()->SetShapeBounds({0, 0, r.Width(), r.Height()});
            placeAt(r.Left, r.Top);
            RepaintAnnotation();
            if (onResizing_) onResizing_(this);
        } else {
            const int edge = allowResize_ ? HitEdge(x, y) : -1;
            TCursor cursor = crDefault;
            switch (edge) {
            case 1:
            case 3:
                cursor = crSizeNS;
                break;
            case 0:
            case 2:
                cursor = crSizeWE;
                break;
            case 4:
            case 7:
                cursor = crSizeNWSE;
                break;
            case 5:
            case 6:
                cursor = crSizeNESW;
                break;
            default:
                if (ContainsPoint(x, y)) cursor = Cursor();
            }
            if (cursor != crDefault) chart->SetCursor(cursor);
            chart->SetMouseHandled(cursor != crDefault);
        }
        break;
    case tmkUp:
        if (dragging_) {
            dragging_ = false;
            if (onDragged_) onDragged_(this);
        } else if (resizeEdge_ != -1) {
            resizeEdge_ = -1;
            if (onResized_) onResized_(this);
        }
        break;
    }
}

std::unique_ptr<TBitmap> TRectangleTool::CaptureArea(bool withoutTool)
{
    const TRect box = GetBounds();
    auto result = std::make_unique<TBitmap>();
    result->SetSize(std::max(0, box.Width()), std::max(0, box.Height()));
    TCustomAxisPanel* chart = ParentChart();
    if (!chart || box.Width() <= 0 || box.Height() <= 0) return result;
    const TRect target{0, 0, box.Width(), box.Height()};
    if (withoutTool) {
        const TRect whole = chart->GetPanelRect();
        TBitmap scratch;
        scratch.SetSize(whole.Width(), whole.Height());
        scratch.Canvas()->Brush()->SetColor(chart->GetBackgroundColor());
        scratch.Canvas()->FillRect({0, 0, whole.Width(), whole.Height()});
        struct TRestore {
            TRectangleTool& tool;
            bool active;
            ~TRestore() { tool.SetActive(active); }
        } restore{*this, Active()};
        SetActive(false);
        chart->RenderTo(scratch.Canvas(), whole);
        result->Canvas()->CopyRect(target, scratch.Canvas(), box);
        return result;
    }
    TCanvas3D& canvas = *chart->Canvas3D();
    if (!canvas.BufferBitmap()) chart->Repaint();
    if (TBitmap* buffer = canvas.BufferBitmap()) result->Canvas()->CopyRect(target, buffer->Canvas(), box);
    return result;
}
