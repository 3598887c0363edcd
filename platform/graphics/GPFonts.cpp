#include "platform/graphics/GPFonts.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <algorithm>

#include "platform/graphics/Fonts.h"
#include "platform/graphics/GPObjects_p.h"

namespace {

bool sameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

}  // namespace

// ---------- the Qt side ----------
double TGPFont::Impl::EmPixels(double dpi) const
{
    switch (unit) {
    case UnitPoint: return size * dpi / 72.0;
    case UnitInch: return size * dpi;
    case UnitDocument: return size * dpi / 300.0;
    case UnitMillimeter: return size * dpi / 25.4;
    default: return size;
    }
}

QFont TGPFont::Impl::Make(double emPixels, double deviceDpi, bool antialias) const
{
    QFont f(family);
    f.setPointSizeF(std::max(0.01, emPixels * 72.0 / (deviceDpi > 0 ? deviceDpi : 96.0)));
    f.setBold(style & FontStyleBold);
    f.setItalic(style & FontStyleItalic);
    f.setUnderline(style & FontStyleUnderline);
    f.setStrikeOut(style & FontStyleStrikeout);
    f.setStyleStrategy(antialias ? QFont::PreferAntialias : QFont::NoAntialias);
    return f;
}

std::vector<QString> TGPFontCollection::Impl::Families() const
{
    if (!installed) return families;
    std::vector<QString> all;
    for (const QString& f : QFontDatabase::families()) all.push_back(f);
    return all;
}

// ---------- families ----------
TGPFontFamily::TGPFontFamily() = default;

TGPFontFamily::TGPFontFamily(const String& name, const TGPFontCollection* collection)
{
    if (!tvgdiplus::LayerUsable()) {
        CreationFailed(GdiplusNotInitialized);
        return;
    }
    EnsureGuiApplication();
    const QString wanted = QString::fromStdString(name);
    if (collection && collection->impl() && !collection->impl()->installed) {
        for (const QString& f : collection->impl()->Families())
            if (sameName(f, wanted)) {
                impl_ = std::make_unique<Impl>();
                impl_->family = f;
                return;
            }
    } else if (FontNameKnown(name)) {
        impl_ = std::make_unique<Impl>();
        impl_->family = QString::fromStdString(ResolveFontFamily(name));
        return;
    }
    CreationFailed(FontFamilyNotFound);
}

TGPFontFamily::~TGPFontFamily() = default;
TGPFontFamily::TGPFontFamily(TGPFontFamily&&) noexcept = default;
TGPFontFamily& TGPFontFamily::operator=(TGPFontFamily&&) noexcept = default;

std::unique_ptr<TGPFontFamily> TGPFontFamily::Clone() const
{
    auto c = std::make_unique<TGPFontFamily>();
    if (impl_) c->impl_ = std::make_unique<Impl>(*impl_);
    return c;
}

std::unique_ptr<TGPFontFamily> TGPFontFamily::GenericSansSerif()
{
    return std::make_unique<TGPFontFamily>("MS Sans Serif");
}

bool TGPFontFamily::IsAvailable() const { return impl_ != nullptr; }

TGPStatus TGPFontFamily::GetFamilyName(String& name, int /*language*/) const
{
    if (!impl_) return NotMade();
    name = impl_->family.toStdString();
    return Ok;
}

namespace {

// Design metrics in units of an em of 2048, from the font at a large size.
QFontMetricsF designMetrics(const QString& family, int style)
{
    TGPFont::Impl f{family, 2048, style, UnitPixel};
    return QFontMetricsF(f.Make(2048, 96, true));
}

}  // namespace

int TGPFontFamily::GetEmHeight(int /*style*/) const { return impl_ ? 2048 : 0; }
int TGPFontFamily::GetCellAscent(int style) const
{
    return impl_ ? int(std::lround(designMetrics(impl_->family, style).ascent())) : 0;
}
int TGPFontFamily::GetCellDescent(int style) const
{
    return impl_ ? int(std::lround(designMetrics(impl_->family, style).descent())) : 0;
}
int TGPFontFamily::GetLineSpacing(int style) const
{
    return impl_ ? int(std::lround(designMetrics(impl_->family, style).lineSpacing())) : 0;
}

// ---------- fonts ----------
TGPFont::TGPFont(const TGPFontFamily& family, float emSize, int style, TGPUnit unit)
{
    if (!tvgdiplus::LayerUsable()) {
        CreationFailed(GdiplusNotInitialized);
        return;
    }
    if (!family.impl() || !(emSize > 0) || unit < UnitWorld || unit > UnitMillimeter) {
        CreationFailed(InvalidParameter);
        return;
    }
    impl_ = std::make_unique<Impl>(Impl{family.impl()->family, emSize, style & 0x0F, unit});
}

TGPFont::TGPFont(const String& familyName, float emSize, int style, TGPUnit unit, const TGPFontCollection* collection)
{
    if (!tvgdiplus::LayerUsable()) {
        CreationFailed(GdiplusNotInitialized);
        return;
    }
    TGPFontFamily named(familyName, collection);
    SetStatus(named.GetLastStatus());
    const TGPFontFamily* family = &named;
    const TGPFontFamily* generic = GenericSansSerifFamily();
    if (!named.IsAvailable()) {
        if (!generic || !generic->IsAvailable()) {
            CreationFailed(generic ? generic->GetLastStatus() : GdiplusNotInitialized);
            return;
        }
        family = generic;
    }
    auto made = std::make_unique<TGPFont>(*family, emSize, style, unit);
    if (!made->impl_ && family != generic && generic && generic->IsAvailable())
        made = std::make_unique<TGPFont>(*generic, emSize, style, unit);
    if (!made->impl_) {
        CreationFailed(made->GetLastStatus());
        return;
    }
    impl_ = std::move(made->impl_);
}

TGPFont::~TGPFont() = default;

std::unique_ptr<TGPFont> TGPFont::Clone() const
{
    if (!impl_) return nullptr;
    TGPFontFamily family;
    GetFamily(family);
    auto c = std::make_unique<TGPFont>(family, impl_->size, impl_->style, impl_->unit);
    return c;
}

bool TGPFont::IsAvailable() const { return impl_ != nullptr; }
int TGPFont::GetStyle() const { return impl_ ? impl_->style : 0; }
float TGPFont::GetSize() const { return impl_ ? impl_->size : 0; }
TGPUnit TGPFont::GetUnit() const { return impl_ ? impl_->unit : UnitPoint; }

TGPStatus TGPFont::GetFamily(TGPFontFamily& family) const
{
    if (!impl_) return NotMade();
    family = TGPFontFamily();
    family.impl_ = std::make_unique<TGPFontFamily::Impl>(TGPFontFamily::Impl{impl_->family});
    return Ok;
}

float TGPFont::GetHeight(const TGPGraphics* graphics) const
{
    if (!impl_) return 0;
    const double dpi = graphics ? graphics->GetDpiY() : 96.0;
    const double em = impl_->EmPixels(dpi);
    QImage reference(1, 1, QImage::Format_ARGB32_Premultiplied);
    const QFontMetricsF fm(impl_->Make(em, reference.logicalDpiY(), true), &reference);
    return float(fm.lineSpacing());
}

// ---------- collections ----------
TGPFontCollection::TGPFontCollection() : TGPFontCollection(std::make_unique<Impl>()) {}

TGPFontCollection::TGPFontCollection(std::unique_ptr<Impl> impl)
{
    if (!tvgdiplus::LayerUsable()) {
        CreationFailed(GdiplusNotInitialized);
        return;
    }
    EnsureGuiApplication();
    impl_ = std::move(impl);
}

TGPFontCollection::~TGPFontCollection() = default;

int TGPFontCollection::GetFamilyCount() const { return impl_ ? int(impl_->Families().size()) : 0; }

TGPStatus TGPFontCollection::GetFamilies(int numSought, std::span<TGPFontFamily> families, int& numFound)
{
    numFound = 0;
    if (!impl_) return StoreStatus(NotMade());
    if (numSought < 1 || families.empty()) return StoreStatus(InvalidParameter);
    const std::vector<QString> all = impl_->Families();
    const std::size_t n = std::min({std::size_t(numSought), families.size(), all.size()});
    for (std::size_t i = 0; i < n; ++i) {
        families[i] = TGPFontFamily();
        families[i].impl_ = std::make_unique<TGPFontFamily::Impl>(TGPFontFamily::Impl{all[i]});
    }
    numFound = int(n);
    return StoreStatus(Ok);
}

TGPPrivateFontCollection::TGPPrivateFontCollection() : TGPFontCollection(std::make_unique<Impl>(Impl{false, {}, {}})) {}

TGPPrivateFontCollection::~TGPPrivateFontCollection()
{
    if (impl_)
        for (int id : impl_->fontIds) QFontDatabase::removeApplicationFont(id);
}

TGPStatus TGPPrivateFontCollection::AddMemoryFont(const void* data, int length)
{
    if (!impl_) return NotMade();
    if (!data || length <= 0) return SetStatus(InvalidParameter);
    const int id = QFontDatabase::addApplicationFontFromData(QByteArray(static_cast<const char*>(data), length));
    if (id < 0) return SetStatus(FileNotFound);
    impl_->fontIds.push_back(id);
    for (const QString& f : QFontDatabase::applicationFontFamilies(id))
        if (std::none_of(impl_->families.begin(), impl_->families.end(), [&](const QString& g) { return g == f; }))
            impl_->families.push_back(f);
    return Ok;
}

// ---------- string formats ----------
TGPStringFormat::TGPStringFormat(int formatFlags, int language)
{
    if (!tvgdiplus::LayerUsable()) {
        CreationFailed(GdiplusNotInitialized);
        return;
    }
    impl_ = std::make_unique<Impl>(Impl{formatFlags, language, false});
}

TGPStringFormat::~TGPStringFormat() = default;

std::unique_ptr<TGPStringFormat> TGPStringFormat::Clone() const
{
    auto c = std::make_unique<TGPStringFormat>(impl_ ? impl_->flags : 0, impl_ ? impl_->language : 0);
    if (impl_ && c->impl_) *c->impl_ = *impl_;
    return c;
}

std::unique_ptr<TGPStringFormat> TGPStringFormat::GenericTypographic()
{
    auto f = std::make_unique<TGPStringFormat>(
        StringFormatFlagsNoFitBlackBox | StringFormatFlagsLineLimit | StringFormatFlagsNoClip, 0);
    if (f->impl_) f->impl_->typographic = true;
    return f;
}

int TGPStringFormat::GetFormatFlags() const { return impl_ ? impl_->flags : 0; }

TGPStatus TGPStringFormat::SetFormatFlags(int flags)
{
    if (!impl_) return NotMade();
    impl_->flags = flags;
    return Ok;
}

bool TGPStringFormat::IsTypographic() const { return impl_ && impl_->typographic; }
