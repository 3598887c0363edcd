#pragma once
// Fonts of the antialiased layer: families found by name among the installed fonts (the program's
// digit fonts and the desktop names included) or in a collection, fonts of a family, collections
// (the private one takes fonts from memory), and string formats.
#include <memory>
#include <span>
#include <vector>

#include "platform/graphics/GPBase.h"
#include "platform/rtl/Types.h"

class TGPFontCollection;
class TGPGraphics;

class TGPFontFamily : public TGdiplusBase {
public:
    TGPFontFamily();  // no family yet (a slot that GetFamilies fills)
    // FontFamilyNotFound for a name that neither the collection (null: installed fonts) nor the
    // desktop knows.
    explicit TGPFontFamily(const String& name, const TGPFontCollection* collection = nullptr);
    ~TGPFontFamily() override;
    TGPFontFamily(TGPFontFamily&&) noexcept;
    TGPFontFamily& operator=(TGPFontFamily&&) noexcept;
    std::unique_ptr<TGPFontFamily> Clone() const;
    // The generic sans-serif family (a new wrapper; GenericSansSerifFamily() is the cached one).
    static std::unique_ptr<TGPFontFamily> GenericSansSerif();

    bool IsAvailable() const;  // a family is held
    TGPStatus GetFamilyName(String& name, int language = 0) const;
    // Design metrics in font design units of the em (em height 2048).
    int GetEmHeight(int style = FontStyleRegular) const;
    int GetCellAscent(int style = FontStyleRegular) const;
    int GetCellDescent(int style = FontStyleRegular) const;
    int GetLineSpacing(int style = FontStyleRegular) const;

    struct Impl;
    Impl* impl() const { return impl_.get(); }  // null when the object was not made

private:
    friend class TGPFont;
    friend class TGPFontCollection;
    std::unique_ptr<Impl> impl_;
};

class TGPFont : public TGdiplusBase {
public:
    TGPFont(const TGPFontFamily& family, float emSize, int style = FontStyleRegular, TGPUnit unit = UnitPoint);
    // By name in a collection (null: installed fonts). A name that is not found, or a family that
    // cannot make the font, gives the generic sans-serif family's font; the family's status stays
    // the font's last status.
    TGPFont(const String& familyName, float emSize, int style = FontStyleRegular, TGPUnit unit = UnitPoint,
            const TGPFontCollection* collection = nullptr);
    ~TGPFont() override;
    std::unique_ptr<TGPFont> Clone() const;

    bool IsAvailable() const;
    int GetStyle() const;
    float GetSize() const;
    TGPUnit GetUnit() const;
    TGPStatus GetFamily(TGPFontFamily& family) const;
    // The line spacing in the graphics' units (pixels at its resolution when null).
    float GetHeight(const TGPGraphics* graphics = nullptr) const;

    struct Impl;
    Impl* impl() const { return impl_.get(); }  // null when the object was not made

private:
    std::unique_ptr<Impl> impl_;
};

class TGPFontCollection : public TGdiplusBase {
public:
    TGPFontCollection();  // the installed fonts
    ~TGPFontCollection() override;
    int GetFamilyCount() const;
    // Fills up to numSought slots with the collection's families. numSought < 1 or no slots:
    // InvalidParameter. Stores the status of every call, Ok included.
    TGPStatus GetFamilies(int numSought, std::span<TGPFontFamily> families, int& numFound);

    struct Impl;
    Impl* impl() const { return impl_.get(); }  // null when the object was not made

protected:
    explicit TGPFontCollection(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

class TGPPrivateFontCollection : public TGPFontCollection {
public:
    TGPPrivateFontCollection();  // empty
    ~TGPPrivateFontCollection() override;
    // A TrueType or OpenType font file held in memory (copied); FileNotFound when it is no font.
    TGPStatus AddMemoryFont(const void* data, int length);
};

class TGPStringFormat : public TGdiplusBase {
public:
    explicit TGPStringFormat(int formatFlags = 0, int language = 0);
    ~TGPStringFormat() override;
    std::unique_ptr<TGPStringFormat> Clone() const;
    // The typographic format (no padding, trailing blanks not measured); GenericTypographicFormat()
    // is the cached one.
    static std::unique_ptr<TGPStringFormat> GenericTypographic();

    int GetFormatFlags() const;
    TGPStatus SetFormatFlags(int flags);
    bool IsTypographic() const;

    struct Impl;
    Impl* impl() const { return impl_.get(); }  // null when the object was not made

private:
    std::unique_ptr<Impl> impl_;
};
