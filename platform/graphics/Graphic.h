#pragma once
// TGraphic (an abstract picture a canvas can draw) and TPicture (holds one of any registered kind).
#include <memory>

#include "platform/classes/MethodEvent.h"
#include "platform/classes/Persistent.h"
#include "platform/graphics/GraphicsTypes.h"
#include "platform/rtl/Streams.h"

class TCanvas;
class TBitmap;

class TGraphic : public TPersistent {
    TV_CLASS(TGraphic, TPersistent)
public:
    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetWidth(int w) = 0;
    virtual void SetHeight(int h) = 0;
    virtual void LoadFromStream(TStream& stream) = 0;
    virtual void SaveToStream(TStream& stream) = 0;
    void LoadFromFile(const String& fileName);
    void SaveToFile(const String& fileName);

    bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool t);
    bool Modified() const { return modified_; }
    void SetModified(bool m);

    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(const TNotifyEvent& e) { onChange_ = e; }

    // Drawing entry points of TCanvas::Draw / StretchDraw.
    virtual void Draw(TCanvas& canvas, const TRect& rect) = 0;

protected:
    virtual void Changed();
    bool transparent_ = false;

private:
    bool modified_ = false;
    TNotifyEvent onChange_;
};

using TGraphicClass = const TMetaClass*;

class TPicture : public TPersistent {
    TV_CLASS(TPicture, TPersistent)
public:
    TPicture();
    ~TPicture() override;
    void Assign(TPersistent* source) override;

    TGraphic* Graphic() const { return graphic_.get(); }
    void SetGraphic(TGraphic* g);  // copies g (Assign) into a new graphic of its class; null clears
    // The picture as a bitmap; replaces a graphic of another kind by an empty bitmap.
    TBitmap* Bitmap();
    void SetBitmap(TBitmap* b);
    int Width() const;
    int Height() const;

    // By extension through the registered formats; EInvalidGraphic "Unknown picture file extension (.%s)".
    void LoadFromFile(const String& fileName);
    void SaveToFile(const String& fileName);
    // By content (BMP, JPEG, PNG, GIF, ICO, EMF and placeable WMF signatures); EInvalidGraphic
    // "Unsupported image format".
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream);

    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(const TNotifyEvent& e) { onChange_ = e; }

    // Extension without dot ("jpg"), description, class (a TGraphic descendant).
    static void RegisterFileFormat(const String& extension, const String& description, TGraphicClass cls);
    static void UnregisterGraphicClass(TGraphicClass cls);
    static TGraphicClass GraphicClassForExtension(const String& extension);
    // "All (*.bmp;*.jpg)|*.bmp;*.jpg|Bitmaps (*.bmp)|*.bmp|..." for open dialogs.
    static String GraphicFilter(TGraphicClass base = nullptr);

protected:
    void DefineProperties(TFiler& filer) override;
    virtual void Changed(TObject* sender);

private:
    void setGraphicOwned(std::unique_ptr<TGraphic, TFreeDeleter> g);
    void readData(TStream& s);
    void writeData(TStream& s);

    std::unique_ptr<TGraphic, TFreeDeleter> graphic_;
    TNotifyEvent onChange_;
};
