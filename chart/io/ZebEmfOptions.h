#pragma once
// The metafile export format (enhanced EMF or plain WMF) and its options form.
#include "chart/io/ZebExport.h"
#include "platform/forms/Forms.h"

class TCheckBox;
class TGroupBox;
class TImage;
class TMetafile;
class TPanel;
class TEMFOptions;

class TEMFExportFormat : public TZebExportFormat {
    TV_CLASS(TEMFExportFormat, TZebExportFormat)
public:
    TEMFExportFormat() = default;
    ~TEMFExportFormat() override;

    void PutOnClipboard() override;
    // The emf entry, then the wmf entry.
    void TakeFilterIndex(int& counter) override;
    int GetFilterIndex() const override;
    // The wmf entry switches the format to plain metafiles.
    bool OwnsFilterIndex(int index) override;
    String GetDescriptionText() const override;
    String GetDefaultExtension() const override;
    String GetFilterText() const override;
    const TMetaClass* GetGraphicClass() const override;
    TForm* GetOptionsForm(bool create) override;
    void WriteToStream(TStream& stream) override;
    // The metafile kind of a given metafile options form, for this one picture.
    void WriteToStreamWithOptions(TStream& stream, TForm* options) override;

    // True while no options form exists, else the form's check box.
    bool IsEnhanced() const;
    void SetEnhanced(bool value);
    // A new metafile (the caller owns it) of the panel at Width x Height; Scale does not apply.
    TMetafile* MakeMetafile();
    TMetafile* MakeMetafile(bool enhanced);

private:
    TEMFOptions* options_ = nullptr;  // owned
};

class TEMFOptions : public TForm {
    TV_CLASS(TEMFOptions, TForm)
public:
    // Built from its stored description.
    explicit TEMFOptions(TComponent* owner);

    TEMFExportFormat* ExportFormat() const { return format_; }
    void SetExportFormat(TEMFExportFormat* value) { format_ = value; }
    // A new metafile of the linked format into ImagePreview.
    void RefreshPreview();

    // Handlers bound by name from the stored description.
    void FormShow(TObject* Sender);
    void CBEnhancedClick(TObject* Sender);

    // Components of the stored description.
    TPanel* Panel1 = nullptr;
    TCheckBox* CBEnhanced = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TImage* ImagePreview = nullptr;

protected:
    void Loaded() override;

private:
    TEMFExportFormat* format_ = nullptr;
};
