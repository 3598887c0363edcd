#pragma once
// The export dialog's window: a chart as a picture (any registered picture format), as a chart
// file (binary, text or XML) or as series data, each copied, saved, mailed or previewed. The
// chart-specific parts are TZebExportForm's; the chart editor embeds the same form as a page.
#include <memory>
#include <vector>

#include "platform/forms/Forms.h"

class TButton;
class TCheckBox;
class TComboBox;
class TCustomZebPanel;
class TEdit;
class TGroupBox;
class TLabel;
class TListBox;
class TMemo;
class TMemoryStream;
class TPageControl;
class TPanel;
class TRadioGroup;
class TSaveDialog;
class TSplitter;
class TTabSheet;
class TUpDown;
class TZebExportData;
class TZebExportFormat;

class TZebExportFormBase : public TForm {
    TV_CLASS(TZebExportFormBase, TForm)
public:
    // Builds the window from its stored description.
    explicit TZebExportFormBase(TComponent* owner);
    ~TZebExportFormBase() override;

    TCustomZebPanel* Chart() const { return chart_; }
    void SetChart(TCustomZebPanel* value) { chart_ = value; }
    // The folder the save dialogs open in.
    const String& InitialFolder() const { return initialFolder_; }
    void SetInitialFolder(const String& value) { initialFolder_ = value; }

    // The delimiter CBDelim names ("Colon" is a semicolon).
    char GetDelimiter() const;
    // The picture format selected in LBFormat (nullptr when none).
    TZebExportFormat* SelectedFormat() const;
    void UpdateButtons();
    void ShowPictureFileSize();
    void RefreshDataPreview();
    // The format chosen in the save dialog writes the file; without one, the format whose default
    // extension the name has, else the selected one.
    void SavePictureFile(const String& fileName, TZebExportFormat* chosen = nullptr);
    // The format owning a 1-based entry of SaveDialogPicture's filter (nullptr when none does).
    TZebExportFormat* FormatOfFilterEntry(int entry);
    void SaveNativeFile(const String& fileName);
    void SaveDataFile(const String& fileName);
    // Writes what the active page exports as "Zebgraph.<ext>" into the program's temporary folder;
    // the file's full name.
    String WriteTempExportFile();
    // The 1-based data filter entry Save preselects for the data format and delimiter.
    int DataFilterIndex() const;
    // The extension of the native format chosen ("zeb", "txt", "xml").
    String NativeExtension() const;

    // Handlers bound by name from the stored description.
    virtual void FormCreate(TObject* Sender);
    virtual void FormShow(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void FormDestroy(TObject* Sender);
    void PageControl1Change(TObject* Sender);
    void RGFormatClick(TObject* Sender);
    void PageOptionsChange(TObject* Sender);
    void EWidthChange(TObject* Sender);
    void CBPicSizeClick(TObject* Sender);
    void CBScaleChange(TObject* Sender);
    void CBNativeDataClick(TObject* Sender);
    void CBNativeFormatClick(TObject* Sender);
    void CBFileSizeClick(TObject* Sender);
    void BViewNativeClick(TObject* Sender);
    void Panel5Resize(TObject* Sender);
    void CBSeriesChange(TObject* Sender);
    void RGTextClick(TObject* Sender);
    void CBDataPreviewClick(TObject* Sender);
    void CBIndexClick(TObject* Sender);
    void CBDelimChange(TObject* Sender);
    void ECustomChange(TObject* Sender);
    void CBUseSeriesFormatClick(TObject* Sender);
    void BFormatClick(TObject* Sender);
    void BCopyClick(TObject* Sender);
    void BSaveClick(TObject* Sender);
    void BSendClick(TObject* Sender);
    void BPreviewClick(TObject* Sender);
    void BCloseClick(TObject* Sender);

    // Components of the stored description.
    TPageControl* PageControl1 = nullptr;
    TTabSheet* TabPicture = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TListBox* LBFormat = nullptr;
    TSplitter* Splitter1 = nullptr;
    TPageControl* PageOptions = nullptr;
    TTabSheet* TabOptions = nullptr;
    TTabSheet* TabSize = nullptr;
    TEdit* EWidth = nullptr;
    TUpDown* UDWidth = nullptr;
    TEdit* EHeight = nullptr;
    TUpDown* UDHeight = nullptr;
    TCheckBox* CBAspect = nullptr;
    TCheckBox* CBPicSize = nullptr;
    TLabel* LabelPicSize = nullptr;
    TComboBox* CBScale = nullptr;
    TTabSheet* TabNative = nullptr;
    TCheckBox* CBNativeData = nullptr;
    TRadioGroup* CBNativeFormat = nullptr;
    TCheckBox* CBFileSize = nullptr;
    TLabel* LabelSize = nullptr;
    TButton* BViewNative = nullptr;
    TTabSheet* TabData = nullptr;
    TPanel* Panel5 = nullptr;
    TComboBox* CBSeries = nullptr;
    TRadioGroup* RGText = nullptr;
    TCheckBox* CBDataPreview = nullptr;
    TPageControl* PageDataOptions = nullptr;
    TTabSheet* TabInclude = nullptr;
    TCheckBox* CBIndex = nullptr;
    TCheckBox* CBLabels = nullptr;
    TCheckBox* CBHeader = nullptr;
    TCheckBox* CBColors = nullptr;
    TTabSheet* TabDataOptions = nullptr;
    TComboBox* CBDelim = nullptr;
    TEdit* ECustom = nullptr;
    TEdit* EQuotes = nullptr;
    TComboBox* CBXMLEncoding = nullptr;
    TTabSheet* TabJSON = nullptr;
    TRadioGroup* RGJsonDate = nullptr;
    TTabSheet* TabExcel = nullptr;
    TRadioGroup* RGExcelVers = nullptr;
    TTabSheet* TabFormat = nullptr;
    TCheckBox* CBUseSeriesFormat = nullptr;
    TComboBox* SeriesValueFormat = nullptr;
    TButton* BFormat = nullptr;
    TMemo* MemoData = nullptr;
    TPanel* Panel1 = nullptr;
    TButton* BCopy = nullptr;
    TButton* BSave = nullptr;
    TButton* BSend = nullptr;
    TButton* BPreview = nullptr;
    TButton* BClose = nullptr;
    TSaveDialog* SaveDialogPicture = nullptr;
    TSaveDialog* SaveDialogData = nullptr;
    TSaveDialog* SaveDialogNative = nullptr;

protected:
    void Loaded() override;
    // None here.
    virtual std::unique_ptr<TZebExportData> CreateDataExporter();
    // The panel's plain component description; as text for Text, as XML for XML.
    virtual std::unique_ptr<TMemoryStream> CreateNativeStream();
    virtual void WriteNativeFile(const String& fileName, bool includeData);
    virtual bool HasSeriesData();
    // Hides the Data page and CBNativeData.
    virtual void SetupDataTab();

    bool OnPicturePage() const;
    bool OnNativePage() const;
    bool OnDataPage() const;
    // Text or XML chosen on the Native page.
    bool NativeIsText() const;

private:
    void fillFormats();
    // The data format (and delimiter or spreadsheet version) a 1-based entry of SaveDialogData names.
    void takeDataFilterEntry(int entry);
    String nativeStreamText();

    TCustomZebPanel* chart_ = nullptr;
    String initialFolder_;
    std::vector<std::unique_ptr<TZebExportFormat>> formats_;
    bool updating_ = false;
    double aspect_ = 0;
    String mailSubject_;
    String nativeDescription_;
    String dataFilter_;
};

// The folder of an installed help file: the desktop keeps no register of help folders, so none.
String GetHelpFilePath(const String& helpFile);

// Forgets whether mail was found (asked once per run otherwise); for tests.
void ResetExportMailCheck();
