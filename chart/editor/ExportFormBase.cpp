#include "chart/editor/ExportFormBase.h"

#include <optional>

#include "chart/core/ControlRoutines.h"
#include "chart/core/EditorRegistry.h"
#include "chart/core/ExportData.h"
#include "chart/core/FormTextToXml.h"
#include "chart/core/HourGlass.h"
#include "chart/core/SystemRoutines.h"
#include "chart/core/ZebConst.h"
#include "chart/core/ZebPanel.h"
#include "chart/editor/EditorResources.h"
#include "chart/editor/EditorRoutines.h"
#include "chart/editor/FormatEditor.h"
#include "chart/editor/ScopedFlag.h"
#include "chart/editor/StringsEditor.h"
#include "chart/io/ZebExport.h"
#include "platform/classes/Filer.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Published.h"
#include "platform/forms/Clipboard.h"
#include "platform/forms/ComCtrls.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/FileDialogs.h"
#include "platform/forms/ListBox.h"
#include "platform/forms/PageControl.h"
#include "platform/forms/RadioGroup.h"
#include "platform/forms/Splitter.h"
#include "platform/forms/StdCtrls.h"
#include "platform/rtl/Convert.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/MathUtils.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Strings.h"
#include "platform/system/DesktopPrograms.h"
#include "platform/system/Mail.h"
#include "platform/system/TempFolder.h"
#include "platform/forms/FormComponents.h"

namespace {

std::optional<bool> mailAvailable;

// Indexes of RGText and CBNativeFormat.
enum { dfText, dfXML, dfHTML, dfExcel, dfJSON };
enum { nfBinary, nfText, nfXML };

// The extension of each data filter entry's pattern.
const char* const DataFilterExtensions[] = {"txt", "txt", "csv", "txt", "txt", "xml", "htm", "xls", "xlsx", "json"};

String StreamText(TMemoryStream& stream)
{
    String text(static_cast<size_t>(stream.Size()), '\0');
    stream.SetPosition(0);
    if (!text.empty()) stream.ReadBuffer(text.data(), static_cast<std::int64_t>(text.size()));
    return text;
}

}  // namespace

void ResetExportMailCheck() { mailAvailable.reset(); }

String GetHelpFilePath(const String&) { return String(); }

TV_PUBLISHED(TZebExportFormBase)
{
    Method("FormCreate", &TZebExportFormBase::FormCreate);
    Method("FormShow", &TZebExportFormBase::FormShow);
    Method("FormClose", &TZebExportFormBase::FormClose);
    Method("FormDestroy", &TZebExportFormBase::FormDestroy);
    Method("PageControl1Change", &TZebExportFormBase::PageControl1Change);
    Method("RGFormatClick", &TZebExportFormBase::RGFormatClick);
    Method("PageOptionsChange", &TZebExportFormBase::PageOptionsChange);
    Method("EWidthChange", &TZebExportFormBase::EWidthChange);
    Method("CBPicSizeClick", &TZebExportFormBase::CBPicSizeClick);
    Method("CBScaleChange", &TZebExportFormBase::CBScaleChange);
    Method("CBNativeDataClick", &TZebExportFormBase::CBNativeDataClick);
    Method("CBNativeFormatClick", &TZebExportFormBase::CBNativeFormatClick);
    Method("CBFileSizeClick", &TZebExportFormBase::CBFileSizeClick);
    Method("BViewNativeClick", &TZebExportFormBase::BViewNativeClick);
    Method("Panel5Resize", &TZebExportFormBase::Panel5Resize);
    Method("CBSeriesChange", &TZebExportFormBase::CBSeriesChange);
    Method("RGTextClick", &TZebExportFormBase::RGTextClick);
    Method("CBDataPreviewClick", &TZebExportFormBase::CBDataPreviewClick);
    Method("CBIndexClick", &TZebExportFormBase::CBIndexClick);
    Method("CBDelimChange", &TZebExportFormBase::CBDelimChange);
    Method("ECustomChange", &TZebExportFormBase::ECustomChange);
    Method("CBUseSeriesFormatClick", &TZebExportFormBase::CBUseSeriesFormatClick);
    Method("BFormatClick", &TZebExportFormBase::BFormatClick);
    Method("BCopyClick", &TZebExportFormBase::BCopyClick);
    Method("BSaveClick", &TZebExportFormBase::BSaveClick);
    Method("BSendClick", &TZebExportFormBase::BSendClick);
    Method("BPreviewClick", &TZebExportFormBase::BPreviewClick);
    Method("BCloseClick", &TZebExportFormBase::BCloseClick);
}

TZebExportFormBase::TZebExportFormBase(TComponent* owner) : TForm(owner) { InitEditorForm(*this, "TZebExportForm"); }

TZebExportFormBase::~TZebExportFormBase() = default;

void TZebExportFormBase::Loaded()
{
    TForm::Loaded();
    FindFormComponent(*this, PageControl1, "PageControl1");
    FindFormComponent(*this, TabPicture, "TabPicture");
    FindFormComponent(*this, GroupBox1, "GroupBox1");
    FindFormComponent(*this, LBFormat, "LBFormat");
    FindFormComponent(*this, Splitter1, "Splitter1");
    FindFormComponent(*this, PageOptions, "PageOptions");
    FindFormComponent(*this, TabOptions, "TabOptions");
    FindFormComponent(*this, TabSize, "TabSize");
    FindFormComponent(*this, EWidth, "EWidth");
    FindFormComponent(*this, UDWidth, "UDWidth");
    FindFormComponent(*this, EHeight, "EHeight");
    FindFormComponent(*this, UDHeight, "UDHeight");
    FindFormComponent(*this, CBAspect, "CBAspect");
    FindFormComponent(*this, CBPicSize, "CBPicSize");
    FindFormComponent(*this, LabelPicSize, "LabelPicSize");
    FindFormComponent(*this, CBScale, "CBScale");
    FindFormComponent(*this, TabNative, "TabNative");
    FindFormComponent(*this, CBNativeData, "CBNativeData");
    FindFormComponent(*this, CBNativeFormat, "CBNativeFormat");
    FindFormComponent(*this, CBFileSize, "CBFileSize");
    FindFormComponent(*this, LabelSize, "LabelSize");
    FindFormComponent(*this, BViewNative, "BViewNative");
    FindFormComponent(*this, TabData, "TabData");
    FindFormComponent(*this, Panel5, "Panel5");
    FindFormComponent(*this, CBSeries, "CBSeries");
    FindFormComponent(*this, RGText, "RGText");
    FindFormComponent(*this, CBDataPreview, "CBDataPreview");
    FindFormComponent(*this, PageDataOptions, "PageDataOptions");
    FindFormComponent(*this, TabInclude, "TabInclude");
    FindFormComponent(*this, CBIndex, "CBIndex");
    FindFormComponent(*this, CBLabels, "CBLabels");
    FindFormComponent(*this, CBHeader, "CBHeader");
    FindFormComponent(*this, CBColors, "CBColors");
    FindFormComponent(*this, TabDataOptions, "TabDataOptions");
    FindFormComponent(*this, CBDelim, "CBDelim");
    FindFormComponent(*this, ECustom, "ECustom");
    FindFormComponent(*this, EQuotes, "EQuotes");
    FindFormComponent(*this, CBXMLEncoding, "CBXMLEncoding");
    FindFormComponent(*this, TabJSON, "TabJSON");
    FindFormComponent(*this, RGJsonDate, "RGJsonDate");
    FindFormComponent(*this, TabExcel, "TabExcel");
    FindFormComponent(*this, RGExcelVers, "RGExcelVers");
    FindFormComponent(*this, TabFormat, "TabFormat");
    FindFormComponent(*this, CBUseSeriesFormat, "CBUseSeriesFormat");
    FindFormComponent(*this, SeriesValueFormat, "SeriesValueFormat");
    FindFormComponent(*this, BFormat, "BFormat");
    FindFormComponent(*this, MemoData, "MemoData");
    FindFormComponent(*this, Panel1, "Panel1");
    FindFormComponent(*this, BCopy, "BCopy");
    FindFormComponent(*this, BSave, "BSave");
    FindFormComponent(*this, BSend, "BSend");
    FindFormComponent(*this, BPreview, "BPreview");
    FindFormComponent(*this, BClose, "BClose");
    FindFormComponent(*this, SaveDialogPicture, "SaveDialogPicture");
    FindFormComponent(*this, SaveDialogData, "SaveDialogData");
    FindFormComponent(*this, SaveDialogNative, "SaveDialogNative");
}

// ---- creation, showing, closing ----------------------------------------------------------------

void TZebExportFormBase::FormCreate(TObject*)
{
    SetHeight(ReadEditorInteger("ExportHeight", Height()));
    SetWidth(ReadEditorInteger("ExportWidth", Width()));
    mailSubject_ = "Zebgraph";
    nativeDescription_ = TxtZebgraphFiles;
    dataFilter_ = TxtSpaceDelimitedTextFilesTxt + "|" + TxtTabDelimitedTextFilesTxt + "|" +
                  TxtCommaDelimitedTextFilesCsv + "|" + TxtColonDelimitedTextFilesTxt + "|" +
                  TxtCustomDelimitedTextFilesTxt + "|" + TxtXmlFilesXmlXml + "|" + TxtHtmlFilesHtmHtm + "|" +
                  TxtMicrosoftExcelFilesXlsXls + "|" + TxtJsonFilesJsonJson;
    PageControl1->SetActivePage(TabPicture);
    PageDataOptions->SetActivePage(TabInclude);
    CBNativeFormat->SetItemIndex(nfBinary);
    for (TSaveDialog* d : {SaveDialogPicture, SaveDialogData, SaveDialogNative})
        d->SetOptions(TOpenOptions{ofOverwritePrompt, ofHideReadOnly});
}

void TZebExportFormBase::FormShow(TObject*)
{
    if (!chart_ && Tag() != 0) chart_ = reinterpret_cast<TCustomZebPanel*>(static_cast<intptr_t>(Tag()));
    RGText->SetItemIndex(dfText);
    for (TSaveDialog* d : {SaveDialogPicture, SaveDialogData, SaveDialogNative})
        d->SetOptions(d->Options() + TOpenOptions{ofEnableSizing});
    if (chart_) {
        ScopedFlag guard(updating_);
        UDWidth->SetPosition(chart_->Width());
        UDHeight->SetPosition(chart_->Height());
        aspect_ = chart_->Height() != 0 ? static_cast<double>(chart_->Width()) / chart_->Height() : 0;
        fillFormats();
        CBDelim->SetItemIndex(1);
        if (LBFormat->Count() > 0) LBFormat->SetItemIndex(0);
        RGFormatClick(this);
    }
    UpdateButtons();
    LocalizeControl(*this);
    const String encoding = XmlEncodingName();
    if (CBXMLEncoding->Items()->IndexOf(encoding) < 0) CBXMLEncoding->Items()->Add(encoding);
    CBXMLEncoding->SetItemIndex(CBXMLEncoding->Items()->IndexOf(encoding));
    SetupDataTab();
}

void TZebExportFormBase::fillFormats()
{
    LBFormat->Clear();
    formats_.clear();
    String filter;
    int counter = 0;
    if (TZebExportFormats* classes = ExportFormatClasses()) {
        for (int i = 0; i < classes->Count(); ++i) {
            TOwnedPtr<TObject> object(classes->GetFormatClass(i)->CreateInstance());
            auto* format = dynamic_cast<TZebExportFormat*>(object.get());
            if (!format) continue;
            object.release();
            formats_.emplace_back(format);
            format->SetPanel(chart_);
            format->TakeFilterIndex(counter);
            const String text = format->GetFilterText();
            if (!text.empty()) filter += (filter.empty() ? "" : "|") + text;
            String description = format->GetDescriptionText();
            std::erase(description, '&');
            LBFormat->Items()->AddObject(description, format);
        }
    }
    SaveDialogPicture->SetFilter(filter);
}

void TZebExportFormBase::FormClose(TObject*, TCloseAction&)
{
    WriteEditorInteger("ExportHeight", Height());
    WriteEditorInteger("ExportWidth", Width());
}

void TZebExportFormBase::FormDestroy(TObject*)
{
    if (LBFormat) LBFormat->Clear();
    formats_.clear();
}

void TZebExportFormBase::BCloseClick(TObject*) { Close(); }

// ---- pages and buttons -------------------------------------------------------------------------

bool TZebExportFormBase::OnPicturePage() const { return PageControl1->ActivePage() == TabPicture; }
bool TZebExportFormBase::OnNativePage() const { return PageControl1->ActivePage() == TabNative; }
bool TZebExportFormBase::OnDataPage() const { return PageControl1->ActivePage() == TabData; }
bool TZebExportFormBase::NativeIsText() const { return CBNativeFormat->ItemIndex() != nfBinary; }

String TZebExportFormBase::NativeExtension() const
{
    switch (CBNativeFormat->ItemIndex()) {
    case nfText: return "txt";
    case nfXML: return "xml";
    default: return ChartFileExtension;
    }
}

int TZebExportFormBase::DataFilterIndex() const
{
    switch (RGText->ItemIndex()) {
    case dfXML: return 6;
    case dfHTML: return 7;
    case dfExcel: return RGExcelVers->ItemIndex() == 1 ? 9 : 8;
    case dfJSON: return 10;
    default: return std::max(0, CBDelim->ItemIndex()) + 1;
    }
}

void TZebExportFormBase::UpdateButtons()
{
    const bool copy = OnPicturePage() || (OnDataPage() && HasSeriesData()) || (OnNativePage() && NativeIsText());
    BCopy->SetEnabled(copy);
    BSave->SetEnabled(copy || OnNativePage());
    BSend->SetEnabled(BSave->Enabled() && mailAvailable.value_or(true));
    BViewNative->SetEnabled(OnNativePage() && NativeIsText());
    // Preview needs a program of the desktop for the file's type.
    String extension;
    if (OnPicturePage()) {
        if (TZebExportFormat* format = SelectedFormat()) extension = format->GetDefaultExtension();
    } else if (OnNativePage()) {
        extension = NativeExtension();
    } else {
        extension = DataFilterExtensions[DataFilterIndex() - 1];
    }
    BPreview->SetEnabled(copy && !extension.empty() && DesktopHasProgramFor(extension));
}

void TZebExportFormBase::PageControl1Change(TObject*)
{
    UpdateButtons();
    if (OnDataPage()) RefreshDataPreview();
}

// ---- picture page ------------------------------------------------------------------------------

TZebExportFormat* TZebExportFormBase::SelectedFormat() const
{
    const int index = LBFormat->ItemIndex();
    return index >= 0 ? static_cast<TZebExportFormat*>(LBFormat->Items()->GetObject(index)) : nullptr;
}

void TZebExportFormBase::RGFormatClick(TObject*)
{
    for (int i = 0; i < TabOptions->ControlCount(); ++i) TabOptions->Controls(i)->Hide();
    TZebExportFormat* format = SelectedFormat();
    if (!format) return;
    TForm* options = format->GetOptionsForm(true);
    const bool hasOptions = options && options->ControlCount() > 0;
    TabOptions->SetTabVisible(hasOptions);
    if (hasOptions) {
        PageOptions->SetActivePage(TabOptions);
        EmbedForm(*options, *TabOptions);
        LocalizeControl(*options);
    } else {
        PageOptions->SetActivePage(TabSize);
    }
    ShowPictureFileSize();
    UpdateButtons();
}

void TZebExportFormBase::PageOptionsChange(TObject*)
{
    if (PageOptions->ActivePage() == TabSize) ShowPictureFileSize();
}

void TZebExportFormBase::EWidthChange(TObject* sender)
{
    if (!Showing() || updating_ || !CBAspect->Checked() || aspect_ == 0) return;
    {
        ScopedFlag guard(updating_);
        if (sender == EHeight)
            UDWidth->SetPosition(static_cast<int>(Round(StrToIntDef(EHeight->Text(), 0) * aspect_)));
        else
            UDHeight->SetPosition(static_cast<int>(Round(StrToIntDef(EWidth->Text(), 0) / aspect_)));
    }
    if (TZebExportFormat* format = SelectedFormat()) {
        format->SetWidth(UDWidth->Position());
        format->SetHeight(UDHeight->Position());
    }
    ShowPictureFileSize();
}

void TZebExportFormBase::CBScaleChange(TObject*)
{
    // The scales are listed with a point whatever the locale's separator.
    TFormatSettings point = FormatSettings;
    point.DecimalSeparator = '.';
    if (TZebExportFormat* format = SelectedFormat())
        format->SetScale(static_cast<float>(StrToFloat(CBScale->Text(), point)));
    ShowPictureFileSize();
}

void TZebExportFormBase::CBPicSizeClick(TObject*) { ShowPictureFileSize(); }

void TZebExportFormBase::ShowPictureFileSize()
{
    TZebExportFormat* format = SelectedFormat();
    if (!CBPicSize->Checked() || !format) {
        LabelPicSize->SetCaption("?");
        return;
    }
    HourGlass wait;
    TMemoryStream stream;
    format->WriteToStream(stream);
    LabelPicSize->SetCaption(FormatByteSize(static_cast<std::uint32_t>(stream.Size())));
}

TZebExportFormat* TZebExportFormBase::FormatOfFilterEntry(int entry)
{
    for (const auto& format : formats_)
        if (format->OwnsFilterIndex(entry)) return format.get();
    return nullptr;
}

void TZebExportFormBase::SavePictureFile(const String& fileName, TZebExportFormat* chosen)
{
    String extension = UpperCase(ExtractFileExt(fileName));
    if (!extension.empty()) extension.erase(0, 1);  // without its dot, as the formats name theirs
    TZebExportFormat* format = chosen;
    for (int i = 0; i < LBFormat->Count() && !format; ++i) {
        auto* f = static_cast<TZebExportFormat*>(LBFormat->Items()->GetObject(i));
        if (UpperCase(f->GetDefaultExtension()) == extension) format = f;
    }
    if (!format) format = SelectedFormat();
    if (!format) return;
    format->SetWidth(UDWidth->Position());
    format->SetHeight(UDHeight->Position());
    format->WritePictureFile(fileName);
}

// ---- native page -------------------------------------------------------------------------------

std::unique_ptr<TMemoryStream> TZebExportFormBase::CreateNativeStream()
{
    auto stream = std::make_unique<TMemoryStream>();
    if (!chart_) return stream;
    if (CBNativeFormat->ItemIndex() == nfBinary) {
        WriteComponentToStream(*stream, chart_);
        return stream;
    }
    TMemoryStream binary;
    WriteComponentToStream(binary, chart_);
    binary.SetPosition(0);
    ObjectBinaryToText(binary, *stream);
    if (CBNativeFormat->ItemIndex() == nfXML) ConvertFormTextToXml(*stream, true);
    return stream;
}

void TZebExportFormBase::WriteNativeFile(const String& fileName, bool)
{
    if (!chart_) return;
    const bool wasVisible = chart_->Visible();
    chart_->SetVisible(true);
    struct Restore {
        TCustomZebPanel* panel;
        bool visible;
        ~Restore() { panel->SetVisible(visible); }
    } restore{chart_, wasVisible};
    TFileStream file(fileName, fmCreate);
    WriteComponentToStream(file, chart_);
}

String TZebExportFormBase::nativeStreamText() { return StreamText(*CreateNativeStream()); }

void TZebExportFormBase::CBNativeDataClick(TObject* sender) { CBFileSizeClick(sender); }

void TZebExportFormBase::CBNativeFormatClick(TObject* sender)
{
    UpdateButtons();
    CBFileSizeClick(sender);
}

void TZebExportFormBase::CBFileSizeClick(TObject*)
{
    if (!CBFileSize->Checked()) {
        LabelSize->SetCaption("?");
        return;
    }
    HourGlass wait;
    LabelSize->SetCaption(Format(TxtBytes, {static_cast<Int64>(CreateNativeStream()->Size())}));
}

void TZebExportFormBase::BViewNativeClick(TObject*)
{
    String text = nativeStreamText();
    EditText(this, text, true);
}

void TZebExportFormBase::SaveNativeFile(const String& fileName)
{
    WriteNativeFile(ChangeFileExt(fileName, String(".").append(NativeExtension())), CBNativeData->Checked());
}

// ---- data page ---------------------------------------------------------------------------------

std::unique_ptr<TZebExportData> TZebExportFormBase::CreateDataExporter() { return nullptr; }

bool TZebExportFormBase::HasSeriesData() { return false; }

void TZebExportFormBase::SetupDataTab()
{
    TabData->SetTabVisible(false);
    CBNativeData->Hide();
}

char TZebExportFormBase::GetDelimiter() const
{
    switch (CBDelim->ItemIndex()) {
    case 0: return ' ';
    case 1: return '\t';
    case 2: return ',';
    case 3: return ';';
    default: return ECustom->Text().empty() ? ' ' : ECustom->Text()[0];
    }
}

void TZebExportFormBase::RGTextClick(TObject*)
{
    const int format = RGText->ItemIndex();
    CBDelim->SetEnabled(format == dfText);
    ECustom->SetEnabled(format == dfText);
    CBXMLEncoding->SetEnabled(format == dfXML);
    TabJSON->SetTabVisible(format == dfJSON);
    TabExcel->SetTabVisible(format == dfExcel);
    PageDataOptions->SetActivePage(format == dfExcel ? TabExcel : TabInclude);
    UpdateButtons();
    RefreshDataPreview();
}

void TZebExportFormBase::CBDelimChange(TObject*)
{
    RefreshDataPreview();
    const bool custom = CBDelim->ItemIndex() == 4;
    ECustom->SetEnabled(custom);
    if (custom && ECustom->CanFocus()) ECustom->SetFocus();
}

void TZebExportFormBase::RefreshDataPreview()
{
    MemoData->SetVisible(CBDataPreview->Checked() && RGText->ItemIndex() != dfExcel);
    if (!MemoData->Visible()) return;
    MemoData->Lines()->Clear();
    if (auto exporter = CreateDataExporter()) MemoData->SetText(exporter->AsText());
}

void TZebExportFormBase::CBSeriesChange(TObject*) { RefreshDataPreview(); }
void TZebExportFormBase::CBDataPreviewClick(TObject*) { RefreshDataPreview(); }
void TZebExportFormBase::CBIndexClick(TObject*) { RefreshDataPreview(); }
void TZebExportFormBase::ECustomChange(TObject*) { RefreshDataPreview(); }

void TZebExportFormBase::CBUseSeriesFormatClick(TObject*)
{
    const bool own = !CBUseSeriesFormat->Checked();
    SeriesValueFormat->SetEnabled(own);
    BFormat->SetEnabled(own);
    RefreshDataPreview();
}

void TZebExportFormBase::BFormatClick(TObject*)
{
    SeriesValueFormat->SetText(EditValueFormat(this, SeriesValueFormat->Text(), true));
    RefreshDataPreview();
}

void TZebExportFormBase::Panel5Resize(TObject*)
{
    CBSeries->SetWidth(std::max(0, Panel5->Width() - CBSeries->Left() - 14));
}

void TZebExportFormBase::takeDataFilterEntry(int entry)
{
    // The entry chosen names the format written, so that the file is what its extension says; a
    // delimited-text entry names its delimiter too (a .csv file holds commas).
    if (entry < 1 || entry > 10) return;
    const int format = entry <= 5 ? dfText : entry == 6 ? dfXML : entry == 7 ? dfHTML : entry == 10 ? dfJSON : dfExcel;
    if (format == dfText) CBDelim->SetItemIndex(entry - 1);
    if (format == dfExcel) RGExcelVers->SetItemIndex(entry == 9 ? 1 : 0);
    RGText->SetItemIndex(format);
}

void TZebExportFormBase::SaveDataFile(const String& fileName)
{
    if (auto exporter = CreateDataExporter()) exporter->WriteToFile(fileName);
}

// ---- actions -----------------------------------------------------------------------------------

void TZebExportFormBase::BCopyClick(TObject*)
{
    HourGlass wait;
    if (OnPicturePage()) {
        if (TZebExportFormat* format = SelectedFormat()) {
            format->SetWidth(UDWidth->Position());
            format->SetHeight(UDHeight->Position());
            format->CopyPictureToClipboard();
        }
    } else if (OnNativePage()) {
        if (NativeIsText()) Clipboard()->SetAsText(nativeStreamText());
    } else if (auto exporter = CreateDataExporter()) {
        exporter->CopyTextToClipboard();
    }
}

void TZebExportFormBase::BSaveClick(TObject*)
{
    if (OnPicturePage()) {
        TZebExportFormat* format = SelectedFormat();
        if (!format) return;
        SaveDialogPicture->SetDefaultExt(format->GetDefaultExtension());
        SaveDialogPicture->SetFilterIndex(format->GetFilterIndex());
        SaveDialogPicture->SetInitialDir(initialFolder_);
        SaveDialogPicture->SetFileName("");
        if (!SaveDialogPicture->Execute()) return;
        HourGlass wait;
        SavePictureFile(SaveDialogPicture->FileName(), FormatOfFilterEntry(SaveDialogPicture->FilterIndex()));
    } else if (OnNativePage()) {
        const String extension = NativeExtension();
        SaveDialogNative->SetInitialDir(initialFolder_);
        SaveDialogNative->SetFileName("");
        SaveDialogNative->SetDefaultExt(extension);
        SaveDialogNative->SetFilter(nativeDescription_ + " (*." + extension + ")|*." + extension);
        if (!SaveDialogNative->Execute()) return;
        HourGlass wait;
        SaveNativeFile(SaveDialogNative->FileName());
    } else {
        SaveDialogData->SetInitialDir(initialFolder_);
        SaveDialogData->SetFileName("");
        SaveDialogData->SetFilter(dataFilter_);
        SaveDialogData->SetFilterIndex(DataFilterIndex());
        if (!SaveDialogData->Execute()) return;
        takeDataFilterEntry(SaveDialogData->FilterIndex());
        HourGlass wait;
        SaveDataFile(SaveDialogData->FileName());
    }
}

String TZebExportFormBase::WriteTempExportFile()
{
    String folder = ProgramTempFolder();
    if (folder.empty()) throw Exception(TxtCanNotFindTempFolder);
    if (folder.back() != '/') folder += '/';
    const String base = folder + mailSubject_;
    if (OnPicturePage()) {
        TZebExportFormat* format = SelectedFormat();
        const String name = base + "." + (format ? format->GetDefaultExtension() : String());
        SavePictureFile(name);
        return name;
    }
    if (OnNativePage()) {
        const String name = base + "." + NativeExtension();
        SaveNativeFile(name);
        return name;
    }
    const String name = base + "." + DataFilterExtensions[DataFilterIndex() - 1];
    SaveDataFile(name);
    return name;
}

void TZebExportFormBase::BSendClick(TObject*)
{
    if (!mailAvailable) mailAvailable = MailComposerAvailable();
    if (!*mailAvailable) {
        BSend->SetEnabled(false);
        return;
    }
    String file;
    {
        HourGlass wait;
        file = WriteTempExportFile();
    }
    // The composer returns before the mail is sent: the file stays in the program's temporary
    // folder, which goes when the program ends.
    const int code = ComposeMailWithAttachment(file, mailSubject_);
    if (code == MailComposerFoundNoProgram) {
        // Only the composer knows whether the desktop has a mail program; without one Send stays
        // disabled for the rest of the run.
        mailAvailable = false;
        BSend->SetEnabled(false);
        DeleteFile(file);
        return;
    }
    if (code != 0) throw Exception(Format(TxtCanNotEmailZebgraphMapi, {code}));
}

void TZebExportFormBase::BPreviewClick(TObject*)
{
    String file;
    {
        HourGlass wait;
        file = WriteTempExportFile();
    }
    OpenWithShell(this, file);
}
