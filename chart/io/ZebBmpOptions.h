#pragma once
// The bitmap export format (colour depth, resolution, monochrome, picture filters) and its options
// form.
#include "chart/io/ZebExport.h"
#include "platform/forms/Forms.h"
#include "platform/graphics/Bitmap.h"

class TCheckBox;
class TComboBox;
class TEdit;
class TFilterItems;
class TGroupBox;
class TImageFiltered;
class TLabel;
class TUpDown;
class TBMPOptions;

class TBMPExportFormat : public TZebExportFormat {
    TV_CLASS(TBMPExportFormat, TZebExportFormat)
public:
    TBMPExportFormat();
    ~TBMPExportFormat() override;

    void PutOnClipboard() override;
    String GetDescriptionText() const override;
    String GetDefaultExtension() const override;
    String GetFilterText() const override;
    const TMetaClass* GetGraphicClass() const override;
    TForm* GetOptionsForm(bool create) override;
    void WriteToStream(TStream& stream) override;
    void WriteToStreamWithOptions(TStream& stream, TForm* options) override;

    // The picture filters applied to every exported bitmap (owned).
    TFilterItems* Filters() const { return filters_; }
    TBMPOptions* EnsureOptionsForm();
    // A new bitmap (the caller owns it) with the options' pixel format, resolution and monochrome
    // flag, unfiltered.
    TBitmap* MakeBitmap();
    // The same through options for this call (the format's own form when null), filtered.
    TBitmap* MakeFilteredBitmap(TForm* options = nullptr);

private:
    TFilterItems* filters_;   // owned
    TBMPOptions* options_ = nullptr;  // owned
};

class TBMPOptions : public TForm {
    TV_CLASS(TBMPOptions, TForm)
public:
    // Built from its stored description.
    explicit TBMPOptions(TComponent* owner);

    TBMPExportFormat* ExportFormat() const { return format_; }
    void SetExportFormat(TBMPExportFormat* value) { format_ = value; }
    // The pixel format chosen in CBColors (pfDevice .. pf32bit).
    TPixelFormat PixelFormat() const;
    // The resolution in dots per inch; 0 leaves the bitmap's.
    int Dpi() const;
    bool Mono() const;
    // A new filtered bitmap of the linked format into ImageFiltered1.
    void RefreshPreview();

    // Handlers bound by name from the stored description.
    void FormShow(TObject* Sender);
    void CBColorsChange(TObject* Sender);
    void CBMonoClick(TObject* Sender);

    // Components of the stored description.
    TLabel* Label1 = nullptr;
    TComboBox* CBColors = nullptr;
    TCheckBox* CBMono = nullptr;
    TLabel* Label2 = nullptr;
    TEdit* EDpi = nullptr;
    TUpDown* UDDpi = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TImageFiltered* ImageFiltered1 = nullptr;

protected:
    void Loaded() override;

private:
    TBMPExportFormat* format_ = nullptr;
};
