#pragma once
// The named colour palettes a chart can select by number (its ColorPaletteIndex). Position 0
// stands for the default palette and holds no colours.
#include <vector>

#include "platform/classes/Object.h"
#include "platform/graphics/Colors.h"

class TCustomAxisPanel;
class TStrings;

struct TColorPalette {
    String Name;
    std::vector<TColor> Colors;
};

class TColorPalettes : public TObject {
    TV_CLASS(TColorPalettes, TObject)
public:
    // Names compare without regard to case: a palette of that name takes the colours, else one
    // is appended.
    void AddOrReplace(const String& name, const std::vector<TColor>& colors);
    // -1 when none.
    int IndexOfName(const String& name) const;
    int Count() const { return static_cast<int>(palettes_.size()); }
    const TColorPalette& Items(int index) const { return palettes_[static_cast<size_t>(index)]; }
    // Appends "Default" first when withDefault, then every name in list order.
    void ListNames(TStrings& strings, bool withDefault) const;
    // Empty for an index outside the list.
    std::vector<TColor> CopyColors(int index) const;

    // The colours of palette index (of the named list) applied to chart; a TCustomChart records
    // the index. Then the chart repaints.
    static void ApplyPaletteToChart(TCustomAxisPanel& chart, int index);
    // Empty: the default palette applies; else the chart's colours become exactly colors. Series of
    // automatic colour then take new free colours.
    static void ApplyColorsToChart(TCustomAxisPanel& chart, const std::vector<TColor>& colors);

private:
    std::vector<TColorPalette> palettes_;
};

// The list, built with the 23 palettes on the first call (the engine's texts name them).
TColorPalettes* GetNamedPalettes();
// Frees the list; the next GetNamedPalettes builds it again (the chart unit's end).
void ReleaseNamedPalettes();
