#include "platform/graphics/Fonts.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <map>
#include <memory>
#include <mutex>
#include <strings.h>

#include "platform/graphics/DeviceContext_p.h"
#include "platform/graphics/GdiConsts.h"
#include "platform/graphics/GraphicsObjects.h"
#include "platform/graphics/Resources.h"

void TvRegisterResources_fonts();

namespace {

struct CaseLess {
    bool operator()(const String& a, const String& b) const { return strcasecmp(a.c_str(), b.c_str()) < 0; }
};

std::mutex fontLock;
std::map<String, String, CaseLess> programFamilies;  // program name -> registered family

const std::map<String, String, CaseLess>& desktopNames()
{
    static const std::map<String, String, CaseLess> m = {
        {"MS Sans Serif", "Liberation Sans"},
        {"MS Shell Dlg", "Liberation Sans"},
        {"MS Shell Dlg 2", "Liberation Sans"},
        {"Arial", "Liberation Sans"},
        {"Helvetica", "Liberation Sans"},
        {"Tahoma", "Liberation Sans"},
        {"Verdana", "DejaVu Sans"},
        {"Segoe UI", "Liberation Sans"},
        {"System", "Liberation Sans"},
        {"Courier New", "Liberation Mono"},
        {"Courier", "Liberation Mono"},
        {"Lucida Console", "Liberation Mono"},
        {"Consolas", "Liberation Mono"},
        {"Fixedsys", "Liberation Mono"},
        {"Terminal", "Liberation Mono"},
        {"Times New Roman", "Liberation Serif"},
        {"Times", "Liberation Serif"},
        {"MS Serif", "Liberation Serif"},
        {"Small Fonts", "Liberation Sans"},
        {"Default", "Liberation Sans"},
    };
    return m;
}

// The Gothic faces of a Japanese desktop (their Japanese and Latin spellings).
bool isJapaneseGothic(const String& name)
{
    static const char* const names[] = {
        "\xEF\xBC\xAD\xEF\xBC\xB3 \xEF\xBC\xB0\xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF",
        "\xEF\xBC\xAD\xEF\xBC\xB3 \xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF", "MS PGothic", "MS Gothic",
        "MS UI Gothic"};
    for (const char* n : names)
        if (strcasecmp(name.c_str(), n) == 0) return true;
    return false;
}

String registerBlob(const char* resource)
{
    const ResourceBlob* b = FindResource(resource);
    if (!b) return {};
    QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(b->Data), static_cast<qsizetype>(b->Size));
    int id = QFontDatabase::addApplicationFontFromData(data);
    if (id < 0) return {};
    QStringList fams = QFontDatabase::applicationFontFamilies(id);
    return fams.isEmpty() ? String() : fams.first().toStdString();
}

}  // namespace

void EnsureGuiApplication()
{
    static std::once_flag once;
    std::call_once(once, [] {
        if (QCoreApplication::instance()) return;
        static int argc = 1;
        static char name[] = "tiltviewer";
        static char* argv[] = {name, nullptr};
        // Never destroyed: at exit Qt's own globals may already be gone.
        static QGuiApplication* app = new QGuiApplication(argc, argv);
        (void)app;
    });
}

void RegisterProgramFonts()
{
    static std::once_flag once;
    std::call_once(once, [] {
        EnsureGuiApplication();
        TvRegisterResources_fonts();
        String lcd = registerBlob("fonts/DSEG7Classic-Regular.ttf");
        registerBlob("fonts/DSEG7Classic-Bold.ttf");
        String led = registerBlob("fonts/DSEG7Modern-Regular.ttf");
        registerBlob("fonts/DSEG7Modern-Bold.ttf");
        std::lock_guard<std::mutex> g(fontLock);
        if (!lcd.empty()) programFamilies["Elektra"] = lcd;
        if (!led.empty()) programFamilies["DS-Digital"] = led;
    });
}

String ResolveFontFamily(const String& name)
{
    RegisterProgramFonts();
    {
        std::lock_guard<std::mutex> g(fontLock);
        auto it = programFamilies.find(name);
        if (it != programFamilies.end()) return it->second;
    }
    auto it = desktopNames().find(name);
    if (it != desktopNames().end()) return it->second;
    if (!name.empty() && QFontDatabase::hasFamily(QString::fromStdString(name))) return name;
    if (isJapaneseGothic(name)) {
        const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
        if (!japanese.isEmpty()) return japanese.first().toStdString();
    }
    return "DejaVu Sans";
}

bool FontNameKnown(const String& name)
{
    RegisterProgramFonts();
    {
        std::lock_guard<std::mutex> g(fontLock);
        if (programFamilies.count(name)) return true;
    }
    if (desktopNames().count(name)) return true;
    if (!name.empty() && QFontDatabase::hasFamily(QString::fromStdString(name))) return true;
    return isJapaneseGothic(name) && !QFontDatabase::families(QFontDatabase::Japanese).isEmpty();
}

std::vector<String> ScreenFontNames()
{
    RegisterProgramFonts();
    std::vector<String> out = {"Elektra", "DS-Digital"};
    for (const QString& f : QFontDatabase::families()) out.push_back(f.toStdString());
    return out;
}

QColor ToQColor(TColor color)
{
    TColorRef c = ColorToRGB(color);
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

TColor FromQColor(const QColor& c)
{
    return static_cast<TColor>(
        RGB(static_cast<Byte>(c.red()), static_cast<Byte>(c.green()), static_cast<Byte>(c.blue())));
}

QFont ToQFont(const TLogFont& lf)
{
    RegisterProgramFonts();
    QFont f(QString::fromStdString(ResolveFontFamily(lf.FaceName)));
    f.setStyleStrategy(lf.Quality == NONANTIALIASED_QUALITY ? QFont::NoAntialias : QFont::PreferDefault);
    f.setKerning(false);
    f.setHintingPreference(QFont::PreferFullHinting);
    f.setWeight(static_cast<QFont::Weight>(std::clamp(lf.Weight == 0 ? FW_NORMAL : lf.Weight, 100, 900)));
    f.setItalic(lf.Italic);
    f.setUnderline(lf.Underline);
    f.setStrikeOut(lf.StrikeOut);
    if (lf.Pitch == FIXED_PITCH) f.setFixedPitch(true);
    int px;
    if (lf.Height < 0)
        px = -lf.Height;
    else if (lf.Height > 0) {
        // A positive height is the cell (ascent + descent): scale the em size to fit.
        f.setPixelSize(lf.Height);
        int cell = QFontMetrics(f).height();
        px = cell > 0 ? std::max(1, lf.Height * lf.Height / cell) : lf.Height;
    } else
        px = 13;  // the default font's 10-point cell
    f.setPixelSize(std::max(1, px));
    if (lf.Width > 0) {
        int avg = QFontMetrics(f).averageCharWidth();
        if (avg > 0) f.setStretch(std::clamp(lf.Width * 100 / avg, 1, 4000));
    }
    return f;
}

QFont ToQFont(const TFont& font) { return ToQFont(font.LogFont()); }
