#include "chart/tools/ComboTool.h"

#include <algorithm>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebFont.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ZebSelected.h"
#include "platform/classes/Published.h"
#include "platform/forms/VirtualKeys.h"

namespace {

class TZebComboClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TComboToolEditor"; }
    String GalleryName() const override { return "ComboBox"; }
    String GalleryHint() const override { return "ComboBox"; }
};

constexpr TColor silver = static_cast<TColor>(0xC0C0C0);
constexpr TColor grey = static_cast<TColor>(0x808080);
constexpr int pageStep = 10;

}  // namespace

TV_PUBLISHED_AS(TZebCombo, TZebComboClass)
{
    Prop("AutoHide", &TZebCombo::AutoHide, &TZebCombo::SetAutoHide, false);
    PropCursor("Cursor", &TZebCombo::Cursor, &TZebCombo::SetCursor, crHandPoint);
    Prop("Items", &TZebCombo::Items, &TZebCombo::SetItems);
    Prop("ItemIndex", &TZebCombo::ItemIndex, &TZebCombo::SetItemIndex, -1);
    Prop("OnChange", &TZebCombo::OnChange, &TZebCombo::SetOnChange);
}

TZebCombo::TZebCombo(TComponent* owner) : TAnnotationTool(owner), items_(std::make_unique<TStringList>())
{
    items_->OnChange = [this] { itemsChanged(); };
    SetCursor(crHandPoint);
    Shape()->SetAutoSize(false);
    Shape()->SetBoundsWidth(50);
    Shape()->SetBoundsHeight(rowHeight_);
}

TZebCombo::~TZebCombo() { items_->OnChange = nullptr; }

void TZebCombo::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TZebCombo*>(source)) {
        items_->Assign(*s->items_);
        SetItemIndex(s->itemIndex_);
        // A copy that forgot AutoHide would show a box the original hides.
        autoHide_ = s->autoHide_;
    }
    TAnnotationTool::Assign(source);
}

void TZebCombo::SetItems(TStrings* value)
{
    if (value) items_->Assign(*value);
}

void TZebCombo::itemsChanged()
{
    // Without OnChange: the list changed, not the user's choice.
    if (items_->Count() == 0)
        itemIndex_ = -1;
    else if (itemIndex_ >= items_->Count())
        itemIndex_ = items_->Count() - 1;
    widest_ = 0;
    InvalidateChart();
}

void TZebCombo::SetItemIndex(int value)
{
    if (value == itemIndex_) return;
    if (value < -1)
        value = -1;
    else if (!IsLoading() && value >= items_->Count())
        value = items_->Count() - 1;
    if (!AssignIfChanged(itemIndex_, value)) return;
    InvalidateChart();
    if (onChange_) onChange_(this);
}

String TZebCombo::GetText() const
{
    return itemIndex_ >= 0 && itemIndex_ < items_->Count() ? items_->Get(itemIndex_) : String();
}

void TZebCombo::DropDown()
{
    droppedDown_ = true;
    hot_ = -1;
    InvalidateChart();
}

void TZebCombo::CloseUp()
{
    droppedDown_ = false;
    Shape()->SetBoundsHeight(rowHeight_);
    Selected()->SetHoverIndex(-1);
    hot_ = -1;
    InvalidateChart();
}

int TZebCombo::VisibleRows()
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart || rowHeight_ <= 0) return items_->Count();
    const TRect box = GetBounds();
    const int room = chart->GetPanelRect().Bottom - 2 - box.Top - rowHeight_;
    return std::clamp(room / rowHeight_, 0, items_->Count());
}

void TZebCombo::updateHeight(TCustomAxisPanel& panel)
{
    panel.Canvas3D()->UseFont(*Shape()->Font());
    rowHeight_ = panel.Canvas3D()->StandardTextHeight() + 2;
    const int rows = droppedDown_ ? 1 + VisibleRows() : 1;
    Shape()->SetBoundsHeight(rows * rowHeight_);
}

int TZebCombo::ItemAt(int x, int y)
{
    const TRect box = GetBounds();
    if (x < box.Left || x > box.Right || y <= box.Top + rowHeight_ || rowHeight_ <= 0) return -1;
    return std::min((y - box.Top - rowHeight_) / rowHeight_ + firstShown_, items_->Count() - 1);
}

void TZebCombo::keepSelectionShown()
{
    const int rows = std::max(1, VisibleRows());
    if (itemIndex_ < 0)
        firstShown_ = 0;
    else if (itemIndex_ < firstShown_)
        firstShown_ = itemIndex_;
    else if (itemIndex_ >= firstShown_ + rows)
        firstShown_ = itemIndex_ - rows + 1;
}

bool TZebCombo::hidden() const { return !droppedDown_ && autoHide_ && !hovered_; }

void TZebCombo::DrawAnnotation(TCustomAxisPanel& panel)
{
    if (!Active() || !Shape()->Visible()) return;
    updateHeight(panel);
    TCanvas3D& canvas = *panel.Canvas3D();
    int width = 0;
    if (droppedDown_) {
        if (widest_ == 0)
            for (int i = 0; i < items_->Count(); ++i) widest_ = std::max(widest_, canvas.TextWidth(items_->Get(i)));
        width = widest_ + rowHeight_ + 2;
    } else {
        const String text = GetText();
        width = text.empty() ? rowHeight_ * 50 / 17 : canvas.TextWidth(text + " ") + rowHeight_ + 2;
    }
    Shape()->SetBoundsWidth(width);

    const bool hide = hidden();
    const bool wasTransparent = Shape()->Transparent();
    if (hide) Shape()->SetTransparent(true);
    TAnnotationTool::DrawAnnotation(panel);
    if (hide) {
        Shape()->SetTransparent(wasTransparent);
        return;
    }
    const TRect box = GetBounds();
    const int r = rowHeight_;
    // The drop-down button: a triangle pointing up while open.
    const int cx = box.Right - r / 2, cy = box.Top + r / 4, half = r / 4, h = r / 2;
    const std::vector<TPoint> triangle =
        droppedDown_ ? std::vector<TPoint>{{cx - half, cy + h}, {cx + half, cy + h}, {cx, cy}}
                     : std::vector<TPoint>{{cx - half, cy}, {cx + half, cy}, {cx, cy + h}};
    const bool usable = items_->Count() >= 2;
    canvas.Pen()->SetStyle(psSolid);
    canvas.Pen()->SetWidth(1);
    canvas.Pen()->SetColor(usable ? clBlack : silver);
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(usable ? grey : silver);
    canvas.Polygon(triangle);
    canvas.Pen()->SetColor(silver);
    canvas.MoveTo(box.Right - box.Height(), box.Top);
    canvas.LineTo(box.Right - box.Height(), box.Top + box.Height());
    if (!droppedDown_) return;

    canvas.Pen()->SetStyle(psDot);
    canvas.MoveTo(box.Left, box.Top + r);
    canvas.LineTo(box.Right, box.Top + r);
    canvas.Pen()->SetStyle(psSolid);
    keepSelectionShown();
    TZebFont& font = *Shape()->Font();
    for (int i = firstShown_, row = 0; i < items_->Count(); ++i, ++row) {
        const int y = box.Top + r + row * r;
        if (y + r > box.Bottom) break;
        const bool selected = i == itemIndex_, hot = i == hot_;
        canvas.UseFont(font);
        canvas.Font()->SetStyle(selected || hot ? TFontStyles{fsBold} : TFontStyles{});
        if (selected) {
            canvas.Font()->SetColor(clWhite);
            canvas.Brush()->SetStyle(bsSolid);
            canvas.Brush()->SetColor(static_cast<TColor>(0xFF0000));
            canvas.Pen()->SetStyle(psClear);
            canvas.Rectangle(box.Left + 1, y, box.Right, y + r);
            canvas.Pen()->SetStyle(psSolid);
        } else {
            canvas.Font()->SetColor(clBlack);
            canvas.Brush()->SetStyle(bsClear);
        }
        canvas.TextOut(box.Left + 2, y, items_->Get(i));
    }
}

void TZebCombo::HandleMouse(TToolMouseKind kind, TMouseButton button, TShiftState shift, int x, int y)
{
    TAnnotationTool::HandleMouse(kind, button, shift, x, y);
    TCustomAxisPanel* chart = ParentChart();
    if (!chart || !Active()) return;
    const bool inside = ContainsPoint(x, y);
    switch (kind) {
    case tmkMove:
        if (droppedDown_) {
            const int item = ItemAt(x, y);
            if (item != hot_) {
                hot_ = item;
                InvalidateChart();
            }
        } else if (autoHide_ && inside != hovered_) {
            InvalidateChart();
        }
        hovered_ = inside;
        break;
    case tmkDown:
        if (inside && items_->Count() > 0) {
            if (droppedDown_) {
                if (const int item = ItemAt(x, y); item != -1) SetItemIndex(item);
                CloseUp();
            } else {
                DropDown();
            }
            chart->SetMouseHandled(true);
        } else if (droppedDown_) {
            CloseUp();
            chart->SetMouseHandled(true);
        }
        break;
    case tmkUp:
        break;
    }
}

void TZebCombo::HandleKey(TToolKeyKind kind, Word& key, TShiftState shift, char keyChar)
{
    (void)shift, (void)keyChar;
    if (kind != tkkDown || !Active()) return;
    if (!droppedDown_) {
        if (key == VK_DOWN && hovered_ && items_->Count() > 0) DropDown();
        return;
    }
    const int last = items_->Count() - 1;
    int index = itemIndex_;
    switch (key) {
    case VK_PRIOR:
        index = std::max(0, index - pageStep);
        break;
    case VK_HOME:
        index = 0;
        break;
    case VK_NEXT:
        index = std::min(last, index + pageStep);
        break;
    case VK_END:
        index = last;
        break;
    case VK_UP:
        --index;
        break;
    case VK_DOWN:
        ++index;
        break;
    case VK_ESCAPE:
    case VK_RETURN:
        CloseUp();
        return;
    default:
        return;
    }
    if (index >= 0 && index <= last) SetItemIndex(index);
}
