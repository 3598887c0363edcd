#pragma once
// TSeriesMarks: the text boxes a series draws beside its points. It keeps their look and style,
// the callout arrow, tail and symbol, per-point formats and positions, keeps a mark clear of
// earlier ones, draws and hit-tests one mark, and stores the per-point formats as "Items".
#include <cstdint>

#include "chart/core/MarkPositions.h"
#include "chart/core/MarkShapes.h"
#include "chart/core/MarksItems.h"

class IMarksOwner;
class TAutomaticText;
class TChartSeries;
class TMarksCallout;
class TMarksTail;
class TWhitePen;
class TZebPen;

class TSeriesMarks : public TSeriesMarkShape {
    TV_CLASS(TSeriesMarks, TSeriesMarkShape)
public:
    // Hidden light-yellow round rectangles (round size 4), centred text, style smsLabelOrValue.
    explicit TSeriesMarks(TChartSeries* series = nullptr);
    ~TSeriesMarks() override;
    void Assign(TPersistent* source) override;
    void SetParentPanel(TCustomZebPanel* panel) override;
    const TMetaClass& ChildShapeClass() const override;

    TChartSeries* Series() const { return series_; }
    // The series' side of the marks (see IMarksOwner); none until the series hands it over.
    IMarksOwner* Owner() const { return owner_; }
    void SetOwner(IMarksOwner* value) { owner_ = value; }

    // ---- settings ----
    // Sets the visibility and records it as the stored default (series types showing marks).
    void InitVisible(bool value) { PresetVisible(value); }
    TAutomaticText* AutomaticText() const { return automaticText_; }
    void SetAutomaticText(TAutomaticText* value);
    bool AutoPosition() const;
    void SetAutoPosition(bool value);
    // Created on first read; null frees it.
    TMarksCallout* Callout();
    void SetCallout(TMarksCallout* value);
    bool HasCallout() const { return callout_ != nullptr; }
    // The callout's arrow pen and length.
    TWhitePen* Arrow();
    void SetArrow(TZebPen* value);
    int ArrowLength();
    void SetArrowLength(int value);
    bool Clip() const { return clip_; }
    void SetClip(bool value);
    int DrawEvery() const { return drawEvery_; }
    void SetDrawEvery(int value);
    bool FontSeriesColor() const { return fontSeriesColor_; }
    void SetFontSeriesColor(bool value);
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool value);
    bool OnTop() const { return onTop_; }
    void SetOnTop(bool value);
    bool SoftClip() const { return softClip_; }
    void SetSoftClip(bool value);
    TSeriesMarksImages UseImages() const { return useImages_; }
    void SetUseImages(TSeriesMarksImages value);
    bool UseSeriesTransparency() const { return useSeriesTransparency_; }
    void SetUseSeriesTransparency(bool value);
    // Created on first read (hidden, with the panel's auto-repaint off meanwhile); null frees it.
    TSeriesMarksSymbol* Symbol();
    void SetSymbol(TSeriesMarksSymbol* value);
    bool HasSymbol() const { return symbol_ != nullptr; }
    TMarksTail* Tail();
    void SetTail(TMarksTail* value);
    bool HasTail() const { return tail_ != nullptr; }
    // Depth the marks are drawn at, set by the series.
    int ZPosition() const { return z_; }
    void SetZPosition(int value) { z_ = value; }

    TMarksItems& Items() { return items_; }
    const TMarksItems& Items() const { return items_; }
    TSeriesMarksPositions& Positions() { return positions_; }
    const TSeriesMarksPositions& Positions() const { return positions_; }

    // ---- operations ----
    // DrawEvery, raised for a series that computes its visible range so that no more marks than
    // half the plot's extent along the value axis in pixels are drawn. Never below 1.
    int EffectiveDrawEvery() const;
    // A point was deleted: its position and item go, later ones move down.
    void RemoveMarkAt(int index);
    // The points were cleared: positions go, and items unless they were loaded.
    void ClearMarkData();
    void ForgetCustomPositions();
    // A point's position and item follow it when the series swaps two points.
    void SwapMarkData(int a, int b);
    // The arrow start rises by the callout's Distance, the box and arrow end by Length + Distance.
    void ApplyCalloutOffset(TSeriesMarkPosition& position);
    // The widest line of the point's mark text in the marks' font; 0 without a panel or owner.
    int MarkTextWidth(int index);
    // The screen rectangle a mark takes: its box, its pen, shadow and emboss.
    TRect OccupiedRect(int index, const TSeriesMarkPosition& position);
    // False when the mark of index still overlaps an earlier one after the series' shift (it is
    // then not drawn); position moves by the shift.
    bool AutoMoveTest(int firstIndex, int index, TSeriesMarkPosition& position);
    // Remembers the position (a custom one wins) and draws the mark of index.
    void DrawMark(int index, TColor pointColor, TSeriesMarkPosition& position, const String& text);
    // The index of the mark at point, or -1; a hit tells the series (hover part "mark").
    int MarkIndexAt(TPoint point);

    // The shape a point's mark is drawn with: its item, else the marks themselves.
    TCustomTextShape& ShapeOfPoint(int index) { return shapeOf(index); }
    // The composed text into shape; an item keeps its own text.
    static void ShowMarkText(TCustomTextShape& shape, const String& text);
    // The drawing rectangle of a position's box: projected at the marks' depth in 3-D.
    TRect ProjectedBox(const TSeriesMarkPosition& position) const;

protected:
    void InitShadowDefaults(TZebShadow& shadow) override;
    void InitEmbossDefaults(TZebEmboss& emboss) override;
    void DefineProperties(TFiler& filer) override;

private:
    void repaintSeries();
    void settingsChanged(TObject* sender);
    void applyStoredPosition(int index, TSeriesMarkPosition& position);
    void paintMark(TCustomTextShape& shape, TColor pointColor, const TSeriesMarkPosition& position);
    void paintCallout(TCustomZebPanel& panel, TColor pointColor, const TSeriesMarkPosition& position);
    void paintSymbol(TCustomTextShape& shape, TColor pointColor, const TRect& box);
    TCustomTextShape& shapeOf(int index);

    TChartSeries* series_;
    IMarksOwner* owner_ = nullptr;
    TAutomaticText* automaticText_;    // owned
    TMarksCallout* callout_ = nullptr;  // owned
    bool clip_ = false;
    int drawEvery_ = 1;
    bool fontSeriesColor_ = false;
    TMarksItems items_{*this};
    bool multiLine_ = false;
    bool onTop_ = false;
    TSeriesMarksPositions positions_;
    TSeriesMarksImages useImages_ = miSymbol;
    bool useSeriesTransparency_ = true;
    bool softClip_ = false;
    TSeriesMarksSymbol* symbol_ = nullptr;  // owned
    TMarksTail* tail_ = nullptr;            // owned
    int z_ = 0;
};

// The flags byte that begins a series' stored "Data": bit 0 X values stored, bit 1 own colours,
// bit 2 labels, bit 3 a custom mark position, bit 4 point pictures.
std::uint8_t StoredDataFlags(IMarksOwner& series, const TSeriesMarks& marks);

// The platform's rectangle intersection: true when not empty.
bool IntersectRects(const TRect& a, const TRect& b, TRect& r);
bool RectsOverlap(const TRect& a, const TRect& b);
