// TCustomGrid and its kin. Positions are measured from the fixed cells and the top-left scrolled
// cell, so painting and hit testing walk only the cells in view.
#include <algorithm>

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Published.h"
#include "platform/forms/Forms_p.h"
#include "platform/forms/Grids.h"
#include "platform/forms/StdCtrls_p.h"
#include "platform/forms/VirtualKeys.h"

// ---- TInplaceEdit ------------------------------------------------------------------------------

TV_PUBLISHED(TInplaceEdit) {}

TInplaceEdit::TInplaceEdit(TComponent* owner) : TCustomEdit(owner)
{
    SetBorderStyle(bsNone);
    SetAutoSize(false);
    SetVisible(false);
    SetTabStop(false);
}

TCustomGrid* TInplaceEdit::Grid() const { return dynamic_cast<TCustomGrid*>(Parent()); }

void TInplaceEdit::KeyDown(Word& key, TShiftState shift)
{
    TCustomEdit::KeyDown(key, shift);
    switch (key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_TAB:
    case VK_F2:
        if (TCustomGrid* g = Grid()) g->EditorKeyDown(key, shift);
        break;
    default: break;
    }
}

void TInplaceEdit::Change()
{
    TCustomEdit::Change();
    if (TCustomGrid* g = Grid(); g && Visible()) g->EditorChanged();
}

// ---- TCustomGrid -------------------------------------------------------------------------------

TV_PUBLISHED(TCustomGrid) {}

TCustomGrid::TCustomGrid(TComponent* owner) : TCustomControl(owner)
{
    SetControlStyle(TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks, csClickEvents});
    SetTabStop(true);
    SetColor(clWindow);
    SetParentColor(false);
    colWidths_.assign(static_cast<size_t>(colCount_), defaultColWidth_);
    inplace_ = new TInplaceEdit(this);
    inplace_->SetParent(this);
    SetBounds(0, 0, 320, 120);
}

TCustomGrid::~TCustomGrid() = default;

void TCustomGrid::SetColCount(int value)
{
    value = std::max(1, value);
    if (value == colCount_) return;
    const int old = colCount_;
    colCount_ = value;
    colWidths_.resize(static_cast<size_t>(value), defaultColWidth_);
    fixedCols_ = std::min(fixedCols_, value - 1);
    clampCurrent();
    SizeChanged(old, rowCount_);
    Invalidate();
}

void TCustomGrid::SetRowCount(int value)
{
    value = std::max(1, value);
    if (value == rowCount_) return;
    const int old = rowCount_;
    rowCount_ = value;
    rowHeights_.erase(rowHeights_.lower_bound(value), rowHeights_.end());
    fixedRows_ = std::min(fixedRows_, value - 1);
    clampCurrent();
    SizeChanged(colCount_, old);
    Invalidate();
}

void TCustomGrid::SetFixedCols(int value)
{
    fixedCols_ = std::clamp(value, 0, colCount_ - 1);
    // The current cell starts over at the first scrolling column.
    cur_.X = anchor_.X = leftCol_ = fixedCols_;
    clampCurrent();
    Invalidate();
}

void TCustomGrid::SetFixedRows(int value)
{
    fixedRows_ = std::clamp(value, 0, rowCount_ - 1);
    cur_.Y = anchor_.Y = topRow_ = fixedRows_;
    clampCurrent();
    Invalidate();
}

void TCustomGrid::clampCurrent()
{
    const int minCol = std::min(fixedCols_, colCount_ - 1), minRow = std::min(fixedRows_, rowCount_ - 1);
    cur_.X = std::clamp(cur_.X, minCol, colCount_ - 1);
    cur_.Y = std::clamp(cur_.Y, minRow, rowCount_ - 1);
    anchor_.X = std::clamp(anchor_.X, minCol, colCount_ - 1);
    anchor_.Y = std::clamp(anchor_.Y, minRow, rowCount_ - 1);
    topRow_ = std::clamp(topRow_, fixedRows_, std::max(fixedRows_, rowCount_ - 1));
    leftCol_ = std::clamp(leftCol_, fixedCols_, std::max(fixedCols_, colCount_ - 1));
    if (EditorMode()) placeEditor();
}

void TCustomGrid::SetDefaultColWidth(int value)
{
    defaultColWidth_ = std::max(0, value);
    std::fill(colWidths_.begin(), colWidths_.end(), defaultColWidth_);
    ColWidthsChanged();
    Invalidate();
}

void TCustomGrid::SetDefaultRowHeight(int value)
{
    defaultRowHeight_ = std::max(0, value);
    rowHeights_.clear();
    RowHeightsChanged();
    Invalidate();
}

int TCustomGrid::ColWidths(int col) const
{
    if (col < 0 || col >= colCount_) return defaultColWidth_;
    return colWidths_[static_cast<size_t>(col)];
}

void TCustomGrid::SetColWidths(int col, int value)
{
    if (col < 0 || col >= colCount_) return;
    colWidths_[static_cast<size_t>(col)] = std::max(0, value);
    ColWidthsChanged();
    if (EditorMode()) placeEditor();
    Invalidate();
}

int TCustomGrid::RowHeights(int row) const
{
    auto it = rowHeights_.find(row);
    return it == rowHeights_.end() ? defaultRowHeight_ : it->second;
}

void TCustomGrid::SetRowHeights(int row, int value)
{
    if (row < 0 || row >= rowCount_) return;
    value = std::max(0, value);
    if (value == defaultRowHeight_)
        rowHeights_.erase(row);
    else
        rowHeights_[row] = value;
    RowHeightsChanged();
    if (EditorMode()) placeEditor();
    Invalidate();
}

void TCustomGrid::SetGridLineWidth(int value)
{
    gridLineWidth_ = std::max(0, value);
    Invalidate();
}

void TCustomGrid::SetOptions(TGridOptions value)
{
    options_ = value;
    if (!value.Contains(goEditing)) HideEditor();
    Invalidate();
}

void TCustomGrid::SetFixedColor(TColor value)
{
    fixedColor_ = value;
    Invalidate();
}

void TCustomGrid::SetBorderStyle(TBorderStyle value)
{
    borderStyle_ = value;
    FrameChanged();
}

TRect TCustomGrid::GetClientMargins() const
{
    int w = borderStyle_ == bsSingle ? 2 : 0;
    return Rect(w, w, w, w);
}

void TCustomGrid::PaintNonClient(TCanvas& canvas)
{
    if (borderStyle_ != bsSingle) return TCustomControl::PaintNonClient(canvas);
    TRect r = Rect(0, 0, Width(), Height());
    DrawEdge(tvforms::Ready(canvas), r, EDGE_SUNKEN, BF_RECT);
}

TGridRect TCustomGrid::Selection() const
{
    if (options_.Contains(goRowSelect))
        return {fixedCols_, std::min(anchor_.Y, cur_.Y), colCount_ - 1, std::max(anchor_.Y, cur_.Y)};
    return {std::min(anchor_.X, cur_.X), std::min(anchor_.Y, cur_.Y), std::max(anchor_.X, cur_.X),
            std::max(anchor_.Y, cur_.Y)};
}

void TCustomGrid::SetSelection(TGridRect value)
{
    anchor_ = {std::clamp(value.Left, fixedCols_, colCount_ - 1), std::clamp(value.Top, fixedRows_, rowCount_ - 1)};
    cur_ = {std::clamp(value.Right, fixedCols_, colCount_ - 1), std::clamp(value.Bottom, fixedRows_, rowCount_ - 1)};
    Invalidate();
}

int TCustomGrid::fixedWidth() const
{
    int w = 0;
    for (int c = 0; c < fixedCols_; ++c) w += ColWidths(c) + gridLineWidth_;
    return w;
}

int TCustomGrid::fixedHeight() const
{
    int h = 0;
    for (int r = 0; r < fixedRows_; ++r) h += RowHeights(r) + gridLineWidth_;
    return h;
}

int TCustomGrid::VisibleRowCount() const
{
    int y = fixedHeight(), n = 0;
    for (int r = topRow_; r < rowCount_; ++r) {
        y += RowHeights(r) + gridLineWidth_;
        if (y > ClientHeight()) break;
        ++n;
    }
    return std::max(n, 1);
}

int TCustomGrid::VisibleColCount() const
{
    int x = fixedWidth(), n = 0;
    for (int c = leftCol_; c < colCount_; ++c) {
        x += ColWidths(c) + gridLineWidth_;
        if (x > ClientWidth()) break;
        ++n;
    }
    return std::max(n, 1);
}

int TCustomGrid::lastFullRow() const { return std::min(rowCount_ - 1, topRow_ + VisibleRowCount() - 1); }

void TCustomGrid::SetTopRow(int value)
{
    // The last page is full: no empty band below the last row.
    int maxTop = rowCount_ - 1, h = ClientHeight() - fixedHeight();
    while (maxTop > fixedRows_ &&
           h - (RowHeights(maxTop - 1) + gridLineWidth_) >= RowHeights(maxTop) + gridLineWidth_) {
        h -= RowHeights(maxTop) + gridLineWidth_;
        --maxTop;
    }
    value = std::clamp(value, fixedRows_, std::max(fixedRows_, maxTop));
    if (value == topRow_) return;
    topRow_ = value;
    if (EditorMode()) placeEditor();
    Invalidate();
    TopLeftChanged();
}

void TCustomGrid::SetLeftCol(int value)
{
    value = std::clamp(value, fixedCols_, std::max(fixedCols_, colCount_ - 1));
    if (value == leftCol_) return;
    leftCol_ = value;
    if (EditorMode()) placeEditor();
    Invalidate();
    TopLeftChanged();
}

void TCustomGrid::TopLeftChanged() {}

TRect TCustomGrid::CellRect(int col, int row) const
{
    if (col < 0 || row < 0 || col >= colCount_ || row >= rowCount_) return {};
    int x = 0;
    if (col < fixedCols_) {
        for (int c = 0; c < col; ++c) x += ColWidths(c) + gridLineWidth_;
    } else {
        if (col < leftCol_) return {};
        x = fixedWidth();
        for (int c = leftCol_; c < col && x <= ClientWidth(); ++c) x += ColWidths(c) + gridLineWidth_;
        if (x > ClientWidth()) return {};
    }
    int y = 0;
    if (row < fixedRows_) {
        for (int r = 0; r < row; ++r) y += RowHeights(r) + gridLineWidth_;
    } else {
        if (row < topRow_) return {};
        y = fixedHeight();
        for (int r = topRow_; r < row && y <= ClientHeight(); ++r) y += RowHeights(r) + gridLineWidth_;
        if (y > ClientHeight()) return {};
    }
    return Rect(x, y, x + ColWidths(col), y + RowHeights(row));
}

TGridCoord TCustomGrid::MouseCoord(int x, int y) const
{
    TGridCoord at;
    auto find = [this](int pos, int fixed, int first, int count, auto size) {
        int p = 0;
        for (int i = 0; i < fixed; ++i) {
            p += size(i) + gridLineWidth_;
            if (pos < p) return i;
        }
        for (int i = first; i < count; ++i) {
            p += size(i) + gridLineWidth_;
            if (pos < p) return i;
        }
        return -1;
    };
    if (x < 0 || y < 0 || x >= ClientWidth() || y >= ClientHeight()) return at;
    at.X = find(x, fixedCols_, leftCol_, colCount_, [this](int c) { return ColWidths(c); });
    at.Y = find(y, fixedRows_, topRow_, rowCount_, [this](int r) { return RowHeights(r); });
    if (at.X < 0 || at.Y < 0) return {};
    return at;
}

void TCustomGrid::InvalidateCell(int col, int row)
{
    TRect r = CellRect(col, row);
    if (r.Right > r.Left) InvalidateRect(Rect(r.Left, r.Top, r.Right + gridLineWidth_, r.Bottom + gridLineWidth_));
}

void TCustomGrid::makeVisible(int col, int row)
{
    if (row >= fixedRows_) {
        if (row < topRow_)
            SetTopRow(row);
        else if (row > lastFullRow())
            SetTopRow(topRow_ + (row - lastFullRow()));
        // Rows of other heights: step until the row is whole.
        while (row > lastFullRow() && topRow_ < row) SetTopRow(topRow_ + 1);
    }
    if (col >= fixedCols_) {
        if (col < leftCol_)
            SetLeftCol(col);
        else
            while (col >= leftCol_ + VisibleColCount() && leftCol_ < col) SetLeftCol(leftCol_ + 1);
    }
}

bool TCustomGrid::SelectCell(int, int) { return true; }

void TCustomGrid::MoveCurrent(int col, int row, bool show, bool extend)
{
    col = std::clamp(col, std::min(fixedCols_, colCount_ - 1), colCount_ - 1);
    row = std::clamp(row, std::min(fixedRows_, rowCount_ - 1), rowCount_ - 1);
    if (TGridCoord{col, row} != cur_) {
        if (!SelectCell(col, row)) return;
        HideEditor();
    }
    cur_ = {col, row};
    if (!extend || !options_.Contains(goRangeSelect)) anchor_ = cur_;
    if (show) makeVisible(col, row);
    Invalidate();
    if (options_.Contains(goAlwaysShowEditor) && options_.Contains(goEditing)) ShowEditor();
}

String TCustomGrid::GetEditText(int, int) { return String(); }

void TCustomGrid::SetEditText(int, int, const String&) {}

bool TCustomGrid::CanEditShow()
{
    return options_.Contains(goEditing) && !options_.Contains(goRowSelect) && cur_.X >= fixedCols_ &&
           cur_.Y >= fixedRows_;
}

void TCustomGrid::SetEditorMode(bool value)
{
    if (value)
        ShowEditor();
    else
        HideEditor();
}

void TCustomGrid::ShowEditor()
{
    if (EditorMode() || !CanEditShow()) return;
    makeVisible(cur_.X, cur_.Y);
    applyingEdit_ = true;
    startText_ = GetEditText(cur_.X, cur_.Y);
    inplace_->SetText(startText_);
    applyingEdit_ = false;
    placeEditor();
    inplace_->SetVisible(true);
    inplace_->SelectAll();
    if (Focused() && inplace_->CanFocus()) inplace_->SetFocus();
}

void TCustomGrid::HideEditor()
{
    if (!EditorMode()) return;
    const bool hadFocus = inplace_->Focused();
    inplace_->SetVisible(false);
    // The final text once more, now that the editor has closed.
    SetEditText(cur_.X, cur_.Y, inplace_->Text());
    if (hadFocus && CanFocus()) SetFocus();
    Invalidate();
}

void TCustomGrid::placeEditor()
{
    TRect r = CellRect(cur_.X, cur_.Y);
    if (r.Right <= r.Left) r = Rect(-1000, -1000, -1000 + ColWidths(cur_.X), -1000 + RowHeights(cur_.Y));
    inplace_->SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

void TCustomGrid::GetChildren(const TGetChildProc& proc, TComponent* root)
{
    // The in-place editor is part of the grid, not a child to store.
    for (int i = 0; i < ControlCount(); ++i)
        if (TControl* c = Controls(i); c != inplace_ && c->Owner() == root) proc(c);
}

void TCustomGrid::WndProc(TMessage& m)
{
    if (m.Msg == WM_GETDLGCODE) {
        m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | (options_.Contains(goTabs) ? DLGC_WANTTAB : 0);
        return;
    }
    TCustomControl::WndProc(m);
}

void TCustomGrid::EditorChanged()
{
    if (applyingEdit_) return;
    SetEditText(cur_.X, cur_.Y, inplace_->Text());
}

void TCustomGrid::EditorKeyDown(Word& key, TShiftState shift)
{
    KeyDown(key, shift);
    key = 0;
}

void TCustomGrid::KeyDown(Word& key, TShiftState shift)
{
    TCustomControl::KeyDown(key, shift);
    if (key == 0) return;
    const bool extend = shift.Contains(ssShift);
    const int page = VisibleRowCount();
    int col = cur_.X, row = cur_.Y;
    switch (key) {
    case VK_UP: --row; break;
    case VK_DOWN: ++row; break;
    case VK_LEFT:
        if (EditorMode()) return;
        --col;
        break;
    case VK_RIGHT:
        if (EditorMode()) return;
        ++col;
        break;
    case VK_PRIOR: row -= page; break;
    case VK_NEXT: row += page; break;
    case VK_HOME:
        if (EditorMode()) return;
        if (shift.Contains(ssCtrl)) row = fixedRows_;
        col = fixedCols_;
        break;
    case VK_END:
        if (EditorMode()) return;
        if (shift.Contains(ssCtrl)) row = rowCount_ - 1;
        col = colCount_ - 1;
        break;
    case VK_TAB:
        if (!options_.Contains(goTabs)) return;
        if (shift.Contains(ssShift)) {
            if (--col < fixedCols_) col = colCount_ - 1, --row;
        } else if (++col >= colCount_) {
            col = fixedCols_, ++row;
        }
        if (row < fixedRows_ || row >= rowCount_) return;
        MoveCurrent(col, row, true);
        key = 0;
        return;
    case VK_F2:
        if (EditorMode())
            HideEditor();
        else
            ShowEditor();
        key = 0;
        return;
    case VK_RETURN:
        if (EditorMode())
            HideEditor();
        else
            ShowEditor();
        key = 0;
        return;
    case VK_ESCAPE:
        if (EditorMode()) {
            // The cell's text as it was before the edit.
            inplace_->SetText(startText_);
            HideEditor();
            key = 0;
        }
        return;
    default: return;
    }
    MoveCurrent(col, row, true, extend && !EditorMode());
    key = 0;
}

void TCustomGrid::KeyPress(char& key)
{
    TCustomControl::KeyPress(key);
    if (key == 0 || !options_.Contains(goEditing)) return;
    const unsigned char ch = static_cast<unsigned char>(key);
    if (ch < 0x20 && key != '\b') return;
    // Typing on the grid opens the editor with what was typed.
    if (!EditorMode()) {
        ShowEditor();
        if (!EditorMode()) return;
        applyingEdit_ = true;
        inplace_->SetText(String());
        applyingEdit_ = false;
    }
    String t = inplace_->Text();
    if (key == '\b') {
        if (!t.empty()) t.pop_back();
    } else {
        t += key;
    }
    inplace_->UserEdited(t);
    key = 0;
}

void TCustomGrid::lineAt(int x, int y, bool& onColEdge, bool& onRowEdge, int& index) const
{
    onColEdge = onRowEdge = false;
    index = -1;
    TGridCoord c = MouseCoord(x, y);
    if (c.X < 0) return;
    TRect r = CellRect(c.X, c.Y);
    if (options_.Contains(goColSizing) && c.Y < fixedRows_) {
        if (x >= r.Right - 3)
            onColEdge = true, index = c.X;
        else if (x <= r.Left + 2 && c.X > 0)
            onColEdge = true, index = c.X == leftCol_ ? fixedCols_ - 1 : c.X - 1;
        if (onColEdge && index >= 0) return;
        onColEdge = false;
    }
    if (options_.Contains(goRowSizing) && c.X < fixedCols_) {
        if (y >= r.Bottom - 3)
            onRowEdge = true, index = c.Y;
        else if (y <= r.Top + 2 && c.Y > 0)
            onRowEdge = true, index = c.Y == topRow_ ? fixedRows_ - 1 : c.Y - 1;
        if (!(onRowEdge && index >= 0)) onRowEdge = false;
    }
}

void TCustomGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (CanFocus() && !EditorMode()) SetFocus();
    if (button == mbLeft && !shift.Contains(ssDouble)) {
        bool colEdge, rowEdge;
        int index;
        lineAt(x, y, colEdge, rowEdge, index);
        if (colEdge || rowEdge) {
            state_ = colEdge ? gsColSizing : gsRowSizing;
            sizingIndex_ = index;
            sizingStart_ = colEdge ? x : y;
            sizingOrigin_ = colEdge ? ColWidths(index) : RowHeights(index);
        } else {
            TGridCoord c = MouseCoord(x, y);
            if (c.X >= fixedCols_ && c.Y >= fixedRows_) {
                const bool again = c == cur_ && !shift.Contains(ssShift);
                MoveCurrent(c.X, c.Y, true, shift.Contains(ssShift));
                state_ = gsSelecting;
                if (again && options_.Contains(goEditing) && cur_ == c) ShowEditor();
            }
        }
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TCustomGrid::MouseMove(TShiftState shift, int x, int y)
{
    if (state_ == gsColSizing)
        SetColWidths(sizingIndex_, sizingOrigin_ + x - sizingStart_);
    else if (state_ == gsRowSizing)
        SetRowHeights(sizingIndex_, sizingOrigin_ + y - sizingStart_);
    else if (state_ == gsSelecting && options_.Contains(goRangeSelect)) {
        TGridCoord c = MouseCoord(x, y);
        if (c.X >= fixedCols_ && c.Y >= fixedRows_ && c != cur_) MoveCurrent(c.X, c.Y, true, true);
    } else {
        bool colEdge, rowEdge;
        int index;
        lineAt(x, y, colEdge, rowEdge, index);
        SetCursor(colEdge ? crHSplit : rowEdge ? crVSplit : crDefault);
    }
    TCustomControl::MouseMove(shift, x, y);
}

void TCustomGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    state_ = gsNormal;
    TCustomControl::MouseUp(button, shift, x, y);
}

void TCustomGrid::DblClick()
{
    TCustomControl::DblClick();
    if (options_.Contains(goEditing) && !EditorMode()) ShowEditor();
}

bool TCustomGrid::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos)
{
    if (TCustomControl::DoMouseWheel(shift, wheelDelta, mousePos)) return true;
    SetTopRow(topRow_ - wheelDelta / 40);
    return true;
}

void TCustomGrid::Resize()
{
    TCustomControl::Resize();
    if (EditorMode()) placeEditor();
}

void TCustomGrid::Loaded()
{
    TCustomControl::Loaded();
    clampCurrent();
}

void TCustomGrid::DrawCell(int, int, TRect rect, TGridDrawState) { Canvas()->FillRect(rect); }

void TCustomGrid::Paint()
{
    TCanvas& c = *Canvas();
    const int cw = ClientWidth(), ch = ClientHeight();
    const TGridRect sel = Selection();
    const bool focusedGrid = Focused() || (inplace_ && inplace_->Focused());
    // Cells in view: fixed ones first in their order, then the scrolled ones.
    auto rowsInView = [&](auto each) {
        int y = 0;
        for (int r = 0; r < fixedRows_ && y < ch; ++r) y = each(r, y);
        for (int r = topRow_; r < rowCount_ && y < ch; ++r) y = each(r, y);
        return y;
    };
    auto colsInView = [&](auto each) {
        int x = 0;
        for (int col = 0; col < fixedCols_ && x < cw; ++col) x = each(col, x);
        for (int col = leftCol_; col < colCount_ && x < cw; ++col) x = each(col, x);
        return x;
    };
    const int bottom = rowsInView([&](int r, int y) {
        const int h = RowHeights(r);
        colsInView([&](int col, int x) {
            const int w = ColWidths(col);
            const TRect cell = Rect(x, y, x + w, y + h);
            const bool fixed = col < fixedCols_ || r < fixedRows_;
            TGridDrawState state;
            if (fixed) state += gdFixed;
            const bool inSel = !fixed && col >= sel.Left && col <= sel.Right && r >= sel.Top && r <= sel.Bottom;
            const bool isCur = !fixed && col == cur_.X && r == cur_.Y;
            if (isCur) state += gdFocused;
            if (inSel) state += gdSelected;
            const bool highlight = inSel &&
                                   (!isCur || options_.Contains(goDrawFocusSelected) || options_.Contains(goRowSelect));
            c.SetFont(Font());
            c.Brush()->SetStyle(bsSolid);
            c.Brush()->SetColor(fixed ? fixedColor_ : highlight ? clHighlight : Color());
            c.Font()->SetColor(highlight ? clHighlightText : Font()->Color());
            DrawCell(col, r, cell, state);
            if (fixed && gridLineWidth_ > 0) {
                TRect e = cell;
                DrawEdge(tvforms::Ready(c), e, BDR_RAISEDINNER, BF_RECT);
            }
            if (isCur && focusedGrid && !options_.Contains(goRowSelect) && !EditorMode()) c.DrawFocusRect(cell);
            // Grid lines right of and below the cell.
            if (gridLineWidth_ > 0) {
                const bool v = options_.Contains(fixed ? goFixedVertLine : goVertLine);
                const bool hz = options_.Contains(fixed ? goFixedHorzLine : goHorzLine);
                c.Brush()->SetStyle(bsSolid);
                c.Brush()->SetColor(fixed ? clBtnShadow : clSilver);
                if (v) c.FillRect(Rect(x + w, y, x + w + gridLineWidth_, y + h + gridLineWidth_));
                if (hz) c.FillRect(Rect(x, y + h, x + w + gridLineWidth_, y + h + gridLineWidth_));
            }
            return x + w + gridLineWidth_;
        });
        return y + h + gridLineWidth_;
    });
    const int right = colsInView([&](int col, int x) { return x + ColWidths(col) + gridLineWidth_; });
    // What lies beyond the last cells.
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(Color());
    if (right < cw) c.FillRect(Rect(right, 0, cw, ch));
    if (bottom < ch) c.FillRect(Rect(0, bottom, std::min(right, cw), ch));
}

// ---- TDrawGrid ---------------------------------------------------------------------------------

TV_PUBLISHED(TDrawGrid)
{
    Prop("ColCount", &TDrawGrid::ColCount, &TDrawGrid::SetColCount, 5);
    Prop("RowCount", &TDrawGrid::RowCount, &TDrawGrid::SetRowCount, 5);
    Prop("FixedCols", &TDrawGrid::FixedCols, &TDrawGrid::SetFixedCols, 1);
    Prop("FixedRows", &TDrawGrid::FixedRows, &TDrawGrid::SetFixedRows, 1);
    Prop("DefaultColWidth", &TDrawGrid::DefaultColWidth, &TDrawGrid::SetDefaultColWidth, 64);
    Prop("DefaultRowHeight", &TDrawGrid::DefaultRowHeight, &TDrawGrid::SetDefaultRowHeight, 24);
    Prop("GridLineWidth", &TDrawGrid::GridLineWidth, &TDrawGrid::SetGridLineWidth, 1);
    PropSet("Options", &TDrawGrid::Options, &TDrawGrid::SetOptions, DefaultGridOptions, TGridOptionNames);
    PropColor("FixedColor", &TDrawGrid::FixedColor, &TDrawGrid::SetFixedColor, clBtnFace);
    PropEnum("ScrollBars", &TDrawGrid::ScrollBars, &TDrawGrid::SetScrollBars, ssBoth, TScrollStyleNames);
    PropEnum("BorderStyle", &TDrawGrid::BorderStyle, &TDrawGrid::SetBorderStyle, bsSingle, TBorderStyleNames);
    Prop("TabStop", &TDrawGrid::TabStop, &TDrawGrid::SetTabStop, true);
    PropColor("Color", &TDrawGrid::Color, &TDrawGrid::SetColor, clWindow).Stored(&TDrawGrid::IsColorStored);
    Prop("ParentColor", &TDrawGrid::ParentColor, &TDrawGrid::SetParentColor, false);
    Prop("OnDrawCell", &TDrawGrid::OnDrawCell, &TDrawGrid::SetOnDrawCell);
    Prop("OnSelectCell", &TDrawGrid::OnSelectCell, &TDrawGrid::SetOnSelectCell);
    Prop("OnGetEditText", &TDrawGrid::OnGetEditText, &TDrawGrid::SetOnGetEditText);
    Prop("OnSetEditText", &TDrawGrid::OnSetEditText, &TDrawGrid::SetOnSetEditText);
    Prop("OnTopLeftChanged", &TDrawGrid::OnTopLeftChanged, &TDrawGrid::SetOnTopLeftChanged);
}

void TDrawGrid::DrawCell(int col, int row, TRect rect, TGridDrawState state)
{
    if (onDrawCell_) {
        onDrawCell_(this, col, row, rect, state);
        return;
    }
    TCustomGrid::DrawCell(col, row, rect, state);
}

bool TDrawGrid::SelectCell(int col, int row)
{
    bool can = true;
    if (onSelectCell_) onSelectCell_(this, col, row, can);
    return can;
}

String TDrawGrid::GetEditText(int col, int row)
{
    String s;
    if (onGetEditText_) onGetEditText_(this, col, row, s);
    return s;
}

void TDrawGrid::SetEditText(int col, int row, const String& value)
{
    if (onSetEditText_) onSetEditText_(this, col, row, value);
}

void TDrawGrid::TopLeftChanged()
{
    TCustomGrid::TopLeftChanged();
    if (onTopLeftChanged_) onTopLeftChanged_(this);
}

// ---- TStringGrid -------------------------------------------------------------------------------

TV_PUBLISHED(TStringGrid) {}

String TStringGrid::Cells(int col, int row) const
{
    auto it = cells_.find({col, row});
    return it == cells_.end() ? String() : it->second;
}

void TStringGrid::SetCells(int col, int row, const String& value)
{
    if (value.empty())
        cells_.erase({col, row});
    else
        cells_[{col, row}] = value;
    InvalidateCell(col, row);
}

void TStringGrid::DrawCell(int col, int row, TRect rect, TGridDrawState state)
{
    if (OnDrawCell()) return TDrawGrid::DrawCell(col, row, rect, state);
    TCanvas& c = *Canvas();
    c.FillRect(rect);
    c.Brush()->SetStyle(bsClear);
    c.TextRect(rect, rect.Left + 2, rect.Top + 2, Cells(col, row));
}

String TStringGrid::GetEditText(int col, int row)
{
    String s = Cells(col, row);
    if (OnGetEditText()) OnGetEditText()(this, col, row, s);
    return s;
}

void TStringGrid::SetEditText(int col, int row, const String& value)
{
    SetCells(col, row, value);
    TDrawGrid::SetEditText(col, row, value);
}

void RegisterGrids() { RegisterClasses({&TDrawGrid::StaticClass(), &TStringGrid::StaticClass()}); }
