#include "chart/core/NamedPalettes.h"

#include <memory>

#include "chart/core/Chart.h"
#include "chart/core/ZebConst.h"
#include "platform/classes/Published.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Strings.h"

TV_PUBLISHED(TColorPalettes) {}

namespace {

std::unique_ptr<TColorPalettes, TFreeDeleter> NamedPaletteList;

struct PaletteRow {
    const String* Name;
    std::vector<TColor> Colors;
};

// 0x00BBGGRR values in list order.
std::vector<PaletteRow> paletteTable()
{
    return {
        {&TxtZebgraph, {}},
        {&TxtExcel, {0xFF9999, 0x663399, 0xCCFFFF, 0xFFFFCC, 0x660066, 0x8080FF, 0xCC6600, 0xFFCCCC,
                     0x800000, 0xFF00FF, 0x00FFFF, 0xFFFF00, 0x800080, 0x000080, 0x808000, 0xFF0000,
                     0xFFCC00, 0xFFFFCC, 0xCCFFCC, 0x00FFFF, 0xFFCC99, 0xCC99FF}},
        {&TxtVictorian,
         {0xA1A55D, 0x3153C4, 0x0996E7, 0x4AE8F6, 0xA7A2B1, 0x84A7C9, 0x51798C, 0xB7CDD8, 0x536508, 0x7BD8F7,
          0x846401}},
        {&TxtPastels,
         {0xFFFFCC, 0xCCFFFF, 0xFFCCCC, 0xCCCC00, 0xCCCCCC, 0x999900, 0x999999, 0xCCCCFF, 0x66CCFF, 0xFFCCCC, 0x9999FF,
          0x99FFFF, 0xFFCC99, 0xCCFFCC}},
        {&TxtSolid, {0xFF0000, 0x0000FF, 0x00FF00, 0x00CCFF, 0x404040, 0x00FFFF, 0xC000FF, 0xFFFFFF}},
        {&TxtClassic,
         {0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
          0x008080}},
        {&TxtWeb, {0x00A5FF, 0xCE0000, 0x00CE00, 0x40FFFF, 0xFFFF40, 0xFF40FF, 0x0040FF, 0xA58080, 0x408080}},
        {&TxtModern,
         {0x6699FF, 0x6666FF, 0xFFCC99, 0x669966, 0x99CCCC, 0xCC6699, 0x6666CC, 0x99CCFF, 0xFF6699, 0xCCCCCC, 0xCCFF66,
          0xFF9966, 0x996699, 0xFFCCCC}},
        {&TxtRainbow, {0x000099, 0x0000C3, 0x0000EE, 0x001AFF, 0x0046FF, 0x0073FF, 0x009FFF, 0x00CBFF, 0x00F7FF,
                       0x08F4E3, 0x11E7C3, 0x1BDAA3, 0x25CD83, 0x2EC063, 0x38B342, 0x42A622, 0x4B9A02, 0x6A870C,
                       0x8A751A, 0xAA6328, 0xCB5036, 0xEB3E44, 0xFF2A61, 0xFF1596, 0xFF00CC}},
        {&TxtWinXP,
         {0xFE9B82, 0x24D1FC, 0x0DBC7C, 0x2F85FD, 0xFCFEFD, 0x214EE2, 0xD63829, 0x0094B7, 0x00865A, 0x0046D2, 0xFAE5D3,
          0xD8D8D8, 0x7B715F}},
        {&TxtMacOS,
         {0xFFFFFF, 0x05F3FC, 0x0264FF, 0x0608DD, 0x8408F2, 0xA50046, 0xD40000, 0xEAAB02, 0x14B71F, 0x116400, 0x052C56,
          0x3A7190, 0xC0C0C0, 0x808080, 0x404040, 0x000000}},
        {&TxtWinVista,
         {0xD21F00, 0x0102E0, 0x02661E, 0x7ECDE8, 0xACABAF, 0xD9D0A4, 0x3C3B3D, 0x31DD95, 0x01009E, 0x74F7DC, 0xFDFD45,
          0x748ED1, 0x91D8A0, 0x657AD5, 0xD99596}},
        {&TxtGrayScale2,
         {0xF0F0F0, 0xE0E0E0, 0xD0D0D0, 0xC0C0C0, 0xB0B0B0, 0xA0A0A0, 0x909090, 0x808080, 0x707070, 0x606060, 0x505050,
          0x404040, 0x303030, 0x202020, 0x101010}},
        {&TxtOpera,
         {0xA36644, 0x359CF3, 0x144CF1, 0xA8974E, 0x6B402B, 0x637B1D, 0x0E08B3, 0x5DC0F2, 0x9EB75D, 0x707070, 0x8DEAF3,
          0xB4B4B4}},
        {&TxtWarm, {0x8DEAF3, 0x5DC0F2, 0x359CF3, 0x1C81F5, 0x156BF3, 0x144CF1, 0x0A18E6, 0x0E08B3}},
        {&TxtCool, {0x6B402B, 0x8C543B, 0xA36644, 0xA8974E, 0x9EB75D, 0x8AA041, 0x7D922B, 0x637B1D}},
        {&TxtBlackIsBack, {0x5AE6C8, 0xDC965A, 0x285AE6, 0x0FA0E6}},
        {&TxtMetro,
         {0xFF00A2, 0x9700FF, 0xA9AB00, 0x26BF8C, 0x0050A0, 0xB871E6, 0x0996F0, 0xE2A11B, 0x0014E5, 0x339933}},
        {&TxtIOS,
         {0xFDCC48, 0x4DCD86, 0x9A9A9A, 0x84D2F7, 0x985F46, 0x415FA6, 0x487B9C, 0xD2618C, 0xAC8E75, 0x0489FF, 0x3E39E2,
          0x97D1B5}},
        {&TxtAndroid,
         {0xE5B533, 0xCC66AA, 0x00CC99, 0x33BBFF, 0x4444FF, 0xCC9900, 0xCC3399, 0x009966, 0x0088FF, 0x0000CC, 0xE5C488,
          0xDEB1CF, 0x00FFCC, 0x91ECFF, 0xBBBBFF}},
        {&TxtLookout,
         {0xD69977, 0x68CFFF, 0x477FFF, 0xDBCA81, 0x9E735E, 0x96AE50, 0x413BE6, 0x90F3FF, 0xD1EA90, 0xA3A3A3, 0xC0FFFF,
          0xE7E7E7}},
        {&TxtSeawash,
         {0x055CDC, 0x00ACFF, 0xB8C56E, 0xA9D0E8, 0x7D8B97, 0xA7BAC7, 0xD6DAC1, 0x9FC9FF, 0xE9D1AC, 0x9B926D, 0x97E3D3,
          0xC3F5FF}},
        {&TxtActivity,
         {0x07D9F8, 0x070DF5, 0x8F03F7, 0x4010D2, 0x078DF6, 0xFF00FB, 0x08FFF9, 0x0749F5, 0x8303C0, 0x19E4D6}},
    };
}

}  // namespace

void TColorPalettes::AddOrReplace(const String& name, const std::vector<TColor>& colors)
{
    const int index = IndexOfName(name);
    if (index >= 0)
        palettes_[static_cast<size_t>(index)].Colors = colors;
    else
        palettes_.push_back({name, colors});
}

int TColorPalettes::IndexOfName(const String& name) const
{
    for (size_t i = 0; i < palettes_.size(); ++i)
        if (SameText(palettes_[i].Name, name)) return static_cast<int>(i);
    return -1;
}

void TColorPalettes::ListNames(TStrings& strings, bool withDefault) const
{
    if (withDefault) strings.Add(TxtDefault2);
    for (const TColorPalette& palette : palettes_) strings.Add(palette.Name);
}

std::vector<TColor> TColorPalettes::CopyColors(int index) const
{
    if (index < 0 || index >= Count()) return {};
    return palettes_[static_cast<size_t>(index)].Colors;
}

void TColorPalettes::ApplyPaletteToChart(TCustomAxisPanel& chart, int index)
{
    ApplyColorsToChart(chart, GetNamedPalettes()->CopyColors(index));
    if (auto* custom = dynamic_cast<TCustomChart*>(&chart)) custom->StoreColorPaletteIndex(index);
    chart.Invalidate();
}

void TColorPalettes::ApplyColorsToChart(TCustomAxisPanel& chart, const std::vector<TColor>& colors)
{
    chart.SetColorPalette(colors);
    chart.ReassignAutoColors();
}

TColorPalettes* GetNamedPalettes()
{
    if (!NamedPaletteList) {
        NamedPaletteList.reset(new TColorPalettes);
        for (const PaletteRow& row : paletteTable()) NamedPaletteList->AddOrReplace(*row.Name, row.Colors);
    }
    return NamedPaletteList.get();
}

void ReleaseNamedPalettes() { NamedPaletteList.reset(); }
