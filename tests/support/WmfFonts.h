#pragma once
// The WMF reader of libwmf (wmf2svg) asks for its fonts by their Type 1 file names; any font file
// does, FreeType reads them by content. Fills a folder to pass as --wmf-fontdir.
#include <filesystem>
#include <system_error>

namespace testsupport {

inline void LinkWmfFonts(const std::filesystem::path& dir)
{
    const std::filesystem::path liberation = "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf";
    for (const char* name :
         {"NimbusSans-Regular", "NimbusSans-Italic", "NimbusSans-Bold", "NimbusSans-BoldItalic", "NimbusRoman-Regular",
          "NimbusRoman-Italic", "NimbusRoman-Bold", "NimbusRoman-BoldItalic", "NimbusMonoPS-Regular",
          "NimbusMonoPS-Italic", "NimbusMonoPS-Bold", "NimbusMonoPS-BoldItalic", "StandardSymbolsPS"}) {
        std::error_code ignored;
        std::filesystem::create_symlink(liberation, dir / (std::string(name) + ".t1"), ignored);
    }
}

}  // namespace testsupport
