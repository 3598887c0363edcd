#pragma once
// TMetafile: a picture kept as drawing calls, replayed (stretched) into any rectangle, stored as an
// enhanced metafile (EMF) or a Windows metafile (WMF with a placeable header). TMetafileCanvas
// records into one: whatever is drawn on its device context, by the canvas or through the
// context's painter, becomes the metafile's picture when the canvas is destroyed.
#include <memory>

#include "platform/graphics/Canvas.h"
#include "platform/graphics/Graphic.h"

class TMetafileImage;  // the recorded picture (private to the layer)

class TMetafile : public TGraphic {
    TV_CLASS(TMetafile, TGraphic)
public:
    TMetafile();
    ~TMetafile() override;
    // Copies another metafile's picture and settings; any other graphic is drawn into a new picture
    // of its size.
    void Assign(TPersistent* source) override;

    bool Empty() const override;
    // The size in pixels at 96 dpi; setting it sets the millimetre size to match.
    int Width() const override;
    int Height() const override;
    void SetWidth(int w) override;
    void SetHeight(int h) override;
    // The size in 0.01 mm (the EMF frame); setting it sets the pixel size to match.
    int MMWidth() const;
    int MMHeight() const;
    void SetMMWidth(int w);
    void SetMMHeight(int h);
    // True (the default): saved as EMF; false: as WMF with a placeable header at 96 units per inch.
    bool Enhanced() const { return enhanced_; }
    void SetEnhanced(bool e);

    // Drops the picture and the size.
    void Clear();
    // EMF or WMF (placeable or not) by content; records it does not know are skipped. A file that
    // is neither, or is cut short or corrupt, raises EInvalidGraphic and leaves the metafile as it
    // was.
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) override;
    // Plays the picture stretched into rect; only what was drawn covers the canvas.
    void Draw(TCanvas& canvas, const TRect& rect) override;

    // The recorded picture (layer-internal; null when empty).
    const TMetafileImage* Image() const { return image_.get(); }
    void SetImage(std::shared_ptr<const TMetafileImage> image);  // keeps the size unless it is 0

private:
    std::shared_ptr<const TMetafileImage> image_;  // shared by copies: a picture never changes
    int width_ = 0, height_ = 0;
    int mmWidth_ = 0, mmHeight_ = 0;
    bool enhanced_ = true;
};

class TMetafileCanvas : public TCanvas {
    TV_CLASS(TMetafileCanvas, TCanvas)
public:
    // Records a new picture for metafile (which must outlive the canvas) in its size; a metafile
    // without a size takes the extent of what is drawn. referenceDevice (may be null) is accepted
    // for the class library's signature; the recording is at 96 dpi either way.
    TMetafileCanvas(TMetafile* metafile, HDC referenceDevice);
    // Hands the recording to the metafile.
    ~TMetafileCanvas() override;
    TMetafileCanvas(const TMetafileCanvas&) = delete;
    TMetafileCanvas& operator=(const TMetafileCanvas&) = delete;

protected:
    void CreateHandle() override;

private:
    class Recorder;
    TMetafile* metafile_;
    std::unique_ptr<Recorder> recorder_;
};
