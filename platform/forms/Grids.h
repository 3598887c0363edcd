#pragma once
// TCustomGrid, TDrawGrid and TStringGrid: a table of cells painted on demand. The grid holds no
// control and no text per cell: it asks DrawCell for what is in view and GetEditText for the text
// of the cell being edited, so a grid of millions of rows costs what its window shows. Column
// widths are kept per column; rows share DefaultRowHeight unless one is sized. The in-place editor
// is one edit placed over the current cell.
#include <map>
#include <memory>
#include <vector>

#include "platform/forms/CustomControls.h"
#include "platform/forms/Edit.h"

enum TGridOption {
    goFixedVertLine,
    goFixedHorzLine,
    goVertLine,
    goHorzLine,
    goRangeSelect,
    goDrawFocusSelected,
    goRowSizing,
    goColSizing,
    goRowMoving,
    goColMoving,
    goEditing,
    goTabs,
    goRowSelect,
    goAlwaysShowEditor,
    goThumbTracking
};
inline constexpr const char* TGridOptionNames[] = {
    "goFixedVertLine",     "goFixedHorzLine", "goVertLine",  "goHorzLine",         "goRangeSelect",
    "goDrawFocusSelected", "goRowSizing",     "goColSizing", "goRowMoving",        "goColMoving",
    "goEditing",           "goTabs",          "goRowSelect", "goAlwaysShowEditor", "goThumbTracking"};
static_assert(std::size(TGridOptionNames) == goThumbTracking + 1);
using TGridOptions = TSet<TGridOption>;
inline constexpr TGridOptions DefaultGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine,
                                                 goRangeSelect};

enum TGridDrawStateItem { gdSelected, gdFocused, gdFixed };
using TGridDrawState = TSet<TGridDrawStateItem>;

// A block of cells, inclusive on all sides.
struct TGridRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool operator==(const TGridRect&) const = default;
};

// A cell by column and row; -1 parts mean "outside the cells".
struct TGridCoord {
    int X = -1, Y = -1;
    bool operator==(const TGridCoord&) const = default;
};

// What the mouse is doing to the grid.
enum TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing };

class TCustomGrid;

// The in-place editor: an edit over the current cell. Keys that move between cells or end the
// edit go to the grid.
class TInplaceEdit : public TCustomEdit {
    TV_CLASS(TInplaceEdit, TCustomEdit)
public:
    explicit TInplaceEdit(TComponent* owner);
    TCustomGrid* Grid() const;

protected:
    void KeyDown(Word& key, TShiftState shift) override;
    void Change() override;
};

class TCustomGrid : public TCustomControl {
    TV_CLASS(TCustomGrid, TCustomControl)
public:
    explicit TCustomGrid(TComponent* owner);
    ~TCustomGrid() override;

    int ColCount() const { return colCount_; }
    void SetColCount(int value);
    int RowCount() const { return rowCount_; }
    void SetRowCount(int value);
    int FixedCols() const { return fixedCols_; }
    void SetFixedCols(int value);
    int FixedRows() const { return fixedRows_; }
    void SetFixedRows(int value);
    int DefaultColWidth() const { return defaultColWidth_; }
    void SetDefaultColWidth(int value);
    int DefaultRowHeight() const { return defaultRowHeight_; }
    void SetDefaultRowHeight(int value);
    int ColWidths(int col) const;
    void SetColWidths(int col, int value);
    int RowHeights(int row) const;
    void SetRowHeights(int row, int value);
    int GridLineWidth() const { return gridLineWidth_; }
    void SetGridLineWidth(int value);
    TGridOptions Options() const { return options_; }
    void SetOptions(TGridOptions value);
    TColor FixedColor() const { return fixedColor_; }
    void SetFixedColor(TColor value);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle value) { scrollBars_ = value; }
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);

    // The current cell; setting it asks SelectCell and moves the selection to it.
    int Col() const { return cur_.X; }
    void SetCol(int value) { MoveCurrent(value, cur_.Y, true); }
    int Row() const { return cur_.Y; }
    void SetRow(int value) { MoveCurrent(cur_.X, value, true); }
    TGridRect Selection() const;
    void SetSelection(TGridRect value);
    int TopRow() const { return topRow_; }
    void SetTopRow(int value);
    int LeftCol() const { return leftCol_; }
    void SetLeftCol(int value);
    // Whole rows and columns the window shows beyond the fixed ones.
    int VisibleRowCount() const;
    int VisibleColCount() const;

    bool EditorMode() const { return inplace_ && inplace_->Visible(); }
    void SetEditorMode(bool value);
    TInplaceEdit* InplaceEditor() const { return inplace_; }
    TGridState GridState() const { return state_; }

    // Client rectangle of a cell (empty when out of view; fixed cells are always in view).
    TRect CellRect(int col, int row) const;
    TGridCoord MouseCoord(int x, int y) const;
    // Paints one cell again.
    void InvalidateCell(int col, int row);

    void GetChildren(const TGetChildProc& proc, TComponent* root) override;

    // Private to the layer: the in-place editor's key and text news.
    void EditorKeyDown(Word& key, TShiftState shift);
    void EditorChanged();

protected:
    // A cell to paint: the canvas has the cell's brush and font colour; the default fills.
    virtual void DrawCell(int col, int row, TRect rect, TGridDrawState state);
    virtual bool SelectCell(int col, int row);
    virtual String GetEditText(int col, int row);
    virtual void SetEditText(int col, int row, const String& value);
    // Whether the current cell may be edited in place (goEditing, not a fixed cell).
    virtual bool CanEditShow();
    virtual void TopLeftChanged();
    virtual void ColWidthsChanged() {}
    virtual void RowHeightsChanged() {}
    virtual void SizeChanged(int /*oldColCount*/, int /*oldRowCount*/) {}
    void ShowEditor();
    void HideEditor();
    // Moves the current cell, asking SelectCell; extend keeps the selection's anchor (range select).
    void MoveCurrent(int col, int row, bool show, bool extend = false);
    void Paint() override;
    void WndProc(TMessage& message) override;
    void PaintNonClient(TCanvas& canvas) override;
    TRect GetClientMargins() const override;
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void DblClick() override;
    bool DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) override;
    void Resize() override;
    void Loaded() override;

private:
    int fixedWidth() const;
    int fixedHeight() const;
    int lastFullRow() const;
    void makeVisible(int col, int row);
    void placeEditor();
    void lineAt(int x, int y, bool& onColEdge, bool& onRowEdge, int& index) const;
    void clampCurrent();

    int colCount_ = 5;
    int rowCount_ = 5;
    int fixedCols_ = 1;
    int fixedRows_ = 1;
    int defaultColWidth_ = 64;
    int defaultRowHeight_ = 24;
    int gridLineWidth_ = 1;
    TGridOptions options_ = DefaultGridOptions;
    TColor fixedColor_ = clBtnFace;
    TScrollStyle scrollBars_ = ssBoth;
    TBorderStyle borderStyle_ = bsSingle;
    std::vector<int> colWidths_;     // one per column
    std::map<int, int> rowHeights_;  // only rows that were sized
    TGridCoord cur_{1, 1};
    TGridCoord anchor_{1, 1};
    int topRow_ = 1;
    int leftCol_ = 1;
    TGridState state_ = gsNormal;
    int sizingIndex_ = -1;
    int sizingStart_ = 0;
    int sizingOrigin_ = 0;
    bool applyingEdit_ = false;
    String startText_;                 // the cell's text when the editor opened
    TInplaceEdit* inplace_ = nullptr;  // owned by the grid as a component
};

using TDrawCellEvent = TMethodEvent<void(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State)>;
using TSelectCellEvent = TMethodEvent<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;
using TGetEditEvent = TMethodEvent<void(TObject* Sender, int ACol, int ARow, String& Value)>;
using TSetEditEvent = TMethodEvent<void(TObject* Sender, int ACol, int ARow, const String& Value)>;

// A grid whose cells are painted by OnDrawCell and whose texts come from the edit events.
class TDrawGrid : public TCustomGrid {
    TV_CLASS(TDrawGrid, TCustomGrid)
public:
    using TCustomGrid::MoveCurrent;
    using TCustomGrid::TCustomGrid;

    const TDrawCellEvent& OnDrawCell() const { return onDrawCell_; }
    void SetOnDrawCell(const TDrawCellEvent& e) { onDrawCell_ = e; }
    const TSelectCellEvent& OnSelectCell() const { return onSelectCell_; }
    void SetOnSelectCell(const TSelectCellEvent& e) { onSelectCell_ = e; }
    const TGetEditEvent& OnGetEditText() const { return onGetEditText_; }
    void SetOnGetEditText(const TGetEditEvent& e) { onGetEditText_ = e; }
    const TSetEditEvent& OnSetEditText() const { return onSetEditText_; }
    void SetOnSetEditText(const TSetEditEvent& e) { onSetEditText_ = e; }
    const TNotifyEvent& OnTopLeftChanged() const { return onTopLeftChanged_; }
    void SetOnTopLeftChanged(const TNotifyEvent& e) { onTopLeftChanged_ = e; }

protected:
    void DrawCell(int col, int row, TRect rect, TGridDrawState state) override;
    bool SelectCell(int col, int row) override;
    String GetEditText(int col, int row) override;
    void SetEditText(int col, int row, const String& value) override;
    void TopLeftChanged() override;

private:
    TDrawCellEvent onDrawCell_;
    TSelectCellEvent onSelectCell_;
    TGetEditEvent onGetEditText_;
    TSetEditEvent onSetEditText_;
    TNotifyEvent onTopLeftChanged_;
};

// A draw grid that keeps a text per cell that was given one (sparse).
class TStringGrid : public TDrawGrid {
    TV_CLASS(TStringGrid, TDrawGrid)
public:
    using TDrawGrid::TDrawGrid;
    String Cells(int col, int row) const;
    void SetCells(int col, int row, const String& value);

protected:
    void DrawCell(int col, int row, TRect rect, TGridDrawState state) override;
    String GetEditText(int col, int row) override;
    void SetEditText(int col, int row, const String& value) override;

private:
    std::map<std::pair<int, int>, String> cells_;
};

void RegisterGrids();
