#pragma once
// Picture export formats: each turns a chart panel into a picture of a chosen size, for the
// clipboard or a file. The format classes register in ExportFormatClasses at start-up; the export
// dialog lists them with their options forms, and the canvas layer asks the list for a picture
// object by file extension.
#include <vector>

#include "platform/classes/Object.h"
#include "platform/graphics/GraphicsTypes.h"
#include "platform/rtl/Types.h"

class TCustomZebPanel;
class TForm;
class TGraphic;
class TStream;

class TZebExportFormat : public TObject {
    TV_CLASS(TZebExportFormat, TObject)
public:
    TZebExportFormat();
    ~TZebExportFormat() override;

    TCustomZebPanel* Panel() const { return panel_; }
    void SetPanel(TCustomZebPanel* value) { panel_ = value; }
    // Render scale of bitmaps; 0 or less counts as 1.
    float Scale() const { return scale_; }
    void SetScale(float value) { scale_ = value; }
    // 1-based position of the format's first entry in the save dialog's filter list.
    int FilterIndex() const { return filterIndex_; }
    void SetFilterIndex(int value) { filterIndex_ = value; }
    // Picture size in pixels; 0 means the panel's.
    int Width() const { return width_; }
    void SetWidth(int value) { width_ = value; }
    int Height() const { return height_; }
    void SetHeight(int value) { height_ = value; }

    virtual void PutOnClipboard() = 0;
    virtual int GetFilterIndex() const { return filterIndex_; }
    // Takes the next index(es) of the filter list: counter is the last one taken.
    virtual void TakeFilterIndex(int& counter);
    virtual bool OwnsFilterIndex(int index);
    // The text shown in the format list.
    virtual String GetDescriptionText() const = 0;
    // Without the dot.
    virtual String GetDefaultExtension() const = 0;
    // Save-dialog filter entries: description and pattern pairs, all joined by "|".
    virtual String GetFilterText() const { return {}; }
    // The picture class the format produces; null when none.
    virtual const TMetaClass* GetGraphicClass() const { return nullptr; }
    // The options form (owned by the format), made on request when create is true; null when the
    // format has none or it was not made yet.
    virtual TForm* GetOptionsForm(bool create);
    virtual void WriteToStream(TStream& stream) = 0;
    virtual void WriteToStreamWithOptions(TStream& stream, TForm* options);

    // Width and Height of 0 take the panel's.
    void FillDefaultSize();
    // 0, 0, Width and Height times Scale (1 when Scale is not positive), rounded half to even.
    TRect GetScaledBounds() const;
    // Raises Exception "Panel property is not set in Export format" without a panel.
    void CopyPictureToClipboard();
    // The picture into a file, through options (the format's own form when null). The file is
    // written under a temporary name beside it and renamed at the end, so a failed write leaves an
    // existing file as it was.
    void WritePictureFileWith(const String& fileName, TForm* options);
    void WritePictureFile(const String& fileName) { WritePictureFileWith(fileName, nullptr); }

protected:
    // Raises the missing-panel error.
    void CheckPanel() const;

private:
    TCustomZebPanel* panel_ = nullptr;
    float scale_ = 1.0f;
    int filterIndex_ = 0;
    int height_ = 0, width_ = 0;
};

// The registered format classes in registration order.
class TZebExportFormats {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    const TMetaClass* GetFormatClass(int index) const { return items_[static_cast<size_t>(index)]; }
    int IndexOf(const TMetaClass& cls) const;
    void Add(const TMetaClass& cls);
    void Remove(const TMetaClass& cls);

private:
    std::vector<const TMetaClass*> items_;
};

// Null until the first registration.
TZebExportFormats* ExportFormatClasses();
// A class already listed is skipped.
void AddExportFormatClass(const TMetaClass& cls);
void RemoveExportFormatClass(const TMetaClass& cls);
// A new picture of the first registered format whose default extension, upper case with its dot,
// equals extension (".EMF"); null when none matches or the format has no picture class.
TGraphic* GraphicForExtension(const String& extension);

// The export unit: its start installs GraphicForExtension as the canvas layer's hook, its last stop
// removes the hook and frees the registry. StartPictureExportUnits starts it and registers the
// metafile format, then the bitmap format (each counting its starts); the stops run in reverse.
void StartExportUnit();
void StopExportUnit();
void StartPictureExportUnits();
void StopPictureExportUnits();
