#include "platform/graphics/Graphic.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <strings.h>
#include <vector>

#include "platform/classes/Assign.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Images.h"
#include "platform/graphics/Metafile.h"
#include "platform/rtl/Exceptions.h"

TV_PUBLISHED(TGraphic) {}
TV_PUBLISHED(TPicture) {}

// ---------- TGraphic ----------
void TGraphic::LoadFromFile(const String& fileName)
{
    TFileStream s(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(s);
}

void TGraphic::SaveToFile(const String& fileName)
{
    TFileStream s(fileName, fmCreate);
    SaveToStream(s);
}

void TGraphic::SetTransparent(bool t)
{
    if (AssignIfChanged(transparent_, t)) Changed();
}

void TGraphic::SetModified(bool m)
{
    if (m)
        Changed();
    else
        modified_ = false;
}

void TGraphic::Changed()
{
    modified_ = true;
    if (onChange_) onChange_(this);
}

// ---------- file formats ----------
namespace {
struct FileFormat {
    String ext;
    String description;
    TGraphicClass cls;
};
std::mutex formatsLock;
std::vector<FileFormat>& formats()
{
    static std::vector<FileFormat> f;
    static std::once_flag once;
    std::call_once(once, [] {
        f.push_back({"bmp", "Bitmaps", &TBitmap::StaticClass()});
        f.push_back({"jpg", "JPEG Image File", &TJPEGImage::StaticClass()});
        f.push_back({"jpeg", "JPEG Image File", &TJPEGImage::StaticClass()});
        f.push_back({"png", "Portable Network Graphics", &TPngImage::StaticClass()});
        f.push_back({"gif", "GIF Image", &TGIFImage::StaticClass()});
        f.push_back({"ico", "Icons", &TIcon::StaticClass()});
        f.push_back({"emf", "Enhanced Metafiles", &TMetafile::StaticClass()});
        f.push_back({"wmf", "Metafiles", &TMetafile::StaticClass()});
    });
    return f;
}

String extensionOf(const String& fileName)
{
    auto slash = fileName.find_last_of('/');
    auto dot = fileName.find_last_of('.');
    if (dot == String::npos || (slash != String::npos && dot < slash)) return {};
    return fileName.substr(dot + 1);
}

std::unique_ptr<TGraphic, TFreeDeleter> newGraphic(TGraphicClass cls)
{
    TObject* o = cls->CreateInstance(nullptr);
    auto* g = dynamic_cast<TGraphic*>(o);
    if (!g) {
        TObject::Free(o);
        throw EInvalidGraphic("Invalid graphic format");
    }
    return std::unique_ptr<TGraphic, TFreeDeleter>(g);
}

// Picks the graphic class from the first bytes.
TGraphicClass sniff(const Byte* p, size_t n)
{
    if (n >= 2 && p[0] == 'B' && p[1] == 'M') return &TBitmap::StaticClass();
    if (n >= 3 && p[0] == 0xFF && p[1] == 0xD8 && p[2] == 0xFF) return &TJPEGImage::StaticClass();
    if (n >= 8 && std::memcmp(p, "\x89PNG\r\n\x1a\n", 8) == 0) return &TPngImage::StaticClass();
    if (n >= 6 && (std::memcmp(p, "GIF87a", 6) == 0 || std::memcmp(p, "GIF89a", 6) == 0))
        return &TGIFImage::StaticClass();
    if (n >= 4 && p[0] == 0 && p[1] == 0 && p[2] == 1 && p[3] == 0) return &TIcon::StaticClass();
    // EMF: the header record's type 1 and " EMF" at 40; WMF: the placeable header's key.
    if (n >= 44 && p[0] == 1 && p[1] == 0 && p[2] == 0 && p[3] == 0 && std::memcmp(p + 40, " EMF", 4) == 0)
        return &TMetafile::StaticClass();
    if (n >= 4 && std::memcmp(p, "\xD7\xCD\xC6\x9A", 4) == 0) return &TMetafile::StaticClass();
    return nullptr;
}
}  // namespace

void TPicture::RegisterFileFormat(const String& extension, const String& description, TGraphicClass cls)
{
    std::lock_guard<std::mutex> g(formatsLock);
    auto& f = formats();
    String ext = extension;
    if (!ext.empty() && ext[0] == '.') ext.erase(0, 1);
    for (auto& e : f)
        if (strcasecmp(e.ext.c_str(), ext.c_str()) == 0) {
            e = {ext, description, cls};
            return;
        }
    f.push_back({ext, description, cls});
}

void TPicture::UnregisterGraphicClass(TGraphicClass cls)
{
    std::lock_guard<std::mutex> g(formatsLock);
    auto& f = formats();
    f.erase(std::remove_if(f.begin(), f.end(), [&](const FileFormat& e) { return e.cls->InheritsFrom(*cls); }),
            f.end());
}

TGraphicClass TPicture::GraphicClassForExtension(const String& extension)
{
    std::lock_guard<std::mutex> g(formatsLock);
    String ext = extension;
    if (!ext.empty() && ext[0] == '.') ext.erase(0, 1);
    for (const auto& e : formats())
        if (strcasecmp(e.ext.c_str(), ext.c_str()) == 0) return e.cls;
    return nullptr;
}

String TPicture::GraphicFilter(TGraphicClass base)
{
    std::lock_guard<std::mutex> g(formatsLock);
    String all, each, allMasks;
    for (const auto& e : formats()) {
        if (base && !e.cls->InheritsFrom(*base)) continue;
        String mask = "*." + e.ext;
        allMasks += (allMasks.empty() ? "" : ";") + mask;
        each += "|" + e.description + " (" + mask + ")|" + mask;
    }
    return "All (" + allMasks + ")|" + allMasks + each;
}

// ---------- TPicture ----------
TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Changed(TObject*)
{
    if (onChange_) onChange_(this);
}

void TPicture::setGraphicOwned(std::unique_ptr<TGraphic, TFreeDeleter> g)
{
    graphic_ = std::move(g);
    if (graphic_) graphic_->SetOnChange([this](TObject* s) { Changed(s); });
    Changed(this);
}

void TPicture::SetGraphic(TGraphic* g)
{
    if (!g) {
        setGraphicOwned(nullptr);
        return;
    }
    auto copy = newGraphic(&g->ClassType());
    copy->Assign(g);
    setGraphicOwned(std::move(copy));
}

TBitmap* TPicture::Bitmap()
{
    if (!dynamic_cast<TBitmap*>(graphic_.get()))
        setGraphicOwned(std::unique_ptr<TGraphic, TFreeDeleter>(new TBitmap()));
    return static_cast<TBitmap*>(graphic_.get());
}

void TPicture::SetBitmap(TBitmap* b) { SetGraphic(b); }
int TPicture::Width() const { return graphic_ ? graphic_->Width() : 0; }
int TPicture::Height() const { return graphic_ ? graphic_->Height() : 0; }

void TPicture::Assign(TPersistent* source)
{
    if (!source) {
        SetGraphic(nullptr);
        return;
    }
    if (auto* p = dynamic_cast<TPicture*>(source)) {
        SetGraphic(p->Graphic());
        return;
    }
    if (auto* g = dynamic_cast<TGraphic*>(source)) {
        SetGraphic(g);
        return;
    }
    TPersistent::Assign(source);
}

void TPicture::LoadFromFile(const String& fileName)
{
    String ext = extensionOf(fileName);
    TGraphicClass cls = GraphicClassForExtension(ext);
    if (!cls) throw EInvalidGraphic("Unknown picture file extension (." + ext + ")");
    auto g = newGraphic(cls);
    g->LoadFromFile(fileName);
    setGraphicOwned(std::move(g));
}

void TPicture::SaveToFile(const String& fileName)
{
    if (graphic_) graphic_->SaveToFile(fileName);
}

void TPicture::LoadFromStream(TStream& stream)
{
    std::int64_t pos = stream.Position();
    Byte head[44] = {};
    std::int64_t n = stream.Read(head, sizeof head);
    stream.SetPosition(pos);
    TGraphicClass cls = sniff(head, static_cast<size_t>(std::max<std::int64_t>(n, 0)));
    if (!cls) throw EInvalidGraphic("Unsupported image format");
    auto g = newGraphic(cls);
    g->LoadFromStream(stream);
    setGraphicOwned(std::move(g));
}

void TPicture::SaveToStream(TStream& stream)
{
    if (graphic_) graphic_->SaveToStream(stream);
}

// Stream form: the graphic's class name as a short string, then its data (bitmap and JPEG data
// are preceded by their 32-bit size).
void TPicture::DefineProperties(TFiler& filer)
{
    filer.DefineBinaryProperty(
        "Data", [this](TStream& s) { readData(s); }, [this](TStream& s) { writeData(s); },
        graphic_ && !graphic_->Empty());
}

void TPicture::readData(TStream& s)
{
    Byte len = 0;
    s.ReadBuffer(&len, 1);
    String name(len, '\0');
    if (len) s.ReadBuffer(name.data(), len);
    TGraphicClass cls = nullptr;
    {
        std::lock_guard<std::mutex> g(formatsLock);
        for (const auto& e : formats())
            if (strcasecmp(e.cls->ClassName().c_str(), name.c_str()) == 0) cls = e.cls;
    }
    if (!cls) throw EInvalidGraphic("Invalid graphic format");
    auto g = newGraphic(cls);
    if (cls->InheritsFrom(TBitmap::StaticClass()) || cls->InheritsFrom(TJPEGImage::StaticClass())) {
        Byte sz[4];
        s.ReadBuffer(sz, 4);
        std::uint32_t size = sz[0] | (sz[1] << 8) | (sz[2] << 16) | (static_cast<std::uint32_t>(sz[3]) << 24);
        TMemoryStream m;
        if (size > 0) m.CopyFrom(s, size);
        m.SetPosition(0);
        if (size > 0) g->LoadFromStream(m);
    } else {
        g->LoadFromStream(s);
    }
    setGraphicOwned(std::move(g));
}

void TPicture::writeData(TStream& s)
{
    const String& name = graphic_->ClassName();
    Byte len = static_cast<Byte>(std::min<size_t>(name.size(), 255));
    s.WriteBuffer(&len, 1);
    s.WriteBuffer(name.data(), len);
    if (dynamic_cast<TBitmap*>(graphic_.get()) || dynamic_cast<TJPEGImage*>(graphic_.get())) {
        TMemoryStream m;
        graphic_->SaveToStream(m);
        auto size = static_cast<std::uint32_t>(m.Size());
        Byte sz[4] = {static_cast<Byte>(size), static_cast<Byte>(size >> 8), static_cast<Byte>(size >> 16),
                      static_cast<Byte>(size >> 24)};
        s.WriteBuffer(sz, 4);
        s.WriteBuffer(m.Memory(), m.Size());
    } else {
        graphic_->SaveToStream(s);
    }
}
