#include "chart/editor/ExportForm.h"

#include "chart/core/AxisPanel.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/TextRoutines.h"
#include "chart/core/ZebConst.h"
#include "chart/editor/FormatEditor.h"
#include "chart/io/ChartFile.h"
#include "chart/io/ExcelExport.h"
#include "chart/io/SeriesDataExport.h"
#include "platform/classes/Published.h"
#include "platform/forms/Buttons.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/Edit.h"
#include "platform/forms/RadioGroup.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/StringList.h"

TV_PUBLISHED(TZebExportForm) {}

namespace {
enum { dfText, dfXML, dfHTML, dfExcel, dfJSON };
enum { nfBinary, nfText, nfXML };
}  // namespace

void TZebExportForm::FormShow(TObject* sender)
{
    TZebExportFormBase::FormShow(sender);
    AddCustomFormats(*SeriesValueFormat->Items());
    const bool own = !CBUseSeriesFormat->Checked();
    SeriesValueFormat->SetEnabled(own);
    BFormat->SetEnabled(own);
}

bool TZebExportForm::HasSeriesData() { return dynamic_cast<TCustomAxisPanel*>(Chart()) != nullptr; }

void TZebExportForm::SetupDataTab()
{
    auto* chart = dynamic_cast<TCustomAxisPanel*>(Chart());
    if (!chart) return TZebExportFormBase::SetupDataTab();
    TStrings& items = *CBSeries->Items();
    items.BeginUpdate();
    items.Clear();
    FillSeriesNames(items, chart->SeriesList(), true);
    items.InsertObject(0, TxtAll, nullptr);
    items.EndUpdate();
    CBSeries->SetItemIndex(0);
}

std::unique_ptr<TZebExportData> TZebExportForm::CreateDataExporter()
{
    auto* chart = dynamic_cast<TCustomAxisPanel*>(Chart());
    if (!chart) return nullptr;
    const int index = CBSeries->ItemIndex();
    auto* series = index > 0 ? static_cast<TChartSeries*>(CBSeries->Items()->GetObject(index)) : nullptr;
    std::unique_ptr<TSeriesData> exporter;
    switch (RGText->ItemIndex()) {
    case dfXML: {
        auto xml = std::make_unique<TSeriesDataXML>(chart, series);
        xml->SetEncoding(CBXMLEncoding->Text());
        exporter = std::move(xml);
        break;
    }
    case dfHTML: exporter = std::make_unique<TSeriesDataHTML>(chart, series); break;
    case dfExcel:
        if (RGExcelVers->ItemIndex() == 1 && ExcelExportClass)
            exporter = ExcelExportClass(chart, series);
        else
            exporter = std::make_unique<TSeriesDataXLS>(chart, series);
        break;
    case dfJSON: {
        auto json = std::make_unique<TSeriesDataJSON>(chart, series);
        json->SetDateStyle(static_cast<std::uint8_t>(std::max(0, RGJsonDate->ItemIndex())));
        exporter = std::move(json);
        break;
    }
    default: {
        auto text = std::make_unique<TSeriesDataText>(chart, series);
        text->SetTextDelimiter(GetDelimiter());
        text->SetTextQuotes(EQuotes->Text());
        exporter = std::move(text);
        break;
    }
    }
    exporter->SetIncludeLabels(CBLabels->Checked());
    exporter->SetIncludeIndex(CBIndex->Checked());
    exporter->SetIncludeHeader(CBHeader->Checked());
    exporter->SetIncludeColors(CBColors->Checked());
    exporter->SetUseSeriesFormat(CBUseSeriesFormat->Checked());
    if (!CBUseSeriesFormat->Checked()) exporter->SetValueFormat(DelocalizeNumberText(SeriesValueFormat->Text()));
    return exporter;
}

std::unique_ptr<TMemoryStream> TZebExportForm::CreateNativeStream()
{
    if (!dynamic_cast<TCustomChart*>(Chart())) return TZebExportFormBase::CreateNativeStream();
    auto stream = std::make_unique<TMemoryStream>();
    const bool includeData = CBNativeData->Checked();
    if (CBNativeFormat->ItemIndex() == nfXML)
        WriteChartXmlStream(Chart(), *stream, includeData, true);
    else
        WriteChartStream(Chart(), *stream, includeData, CBNativeFormat->ItemIndex() == nfText);
    return stream;
}

void TZebExportForm::WriteNativeFile(const String& fileName, bool includeData)
{
    if (CBNativeFormat->ItemIndex() == nfXML)
        WriteChartXmlFile(Chart(), fileName, includeData, true);
    else
        WriteChartFile(Chart(), fileName, includeData, CBNativeFormat->ItemIndex() == nfText);
}

void ShowChartExportDialog(TComponent* owner, TCustomZebPanel* chart, const String& initialFolder)
{
    TOwnedPtr<TZebExportForm> dialog(new TZebExportForm(owner));
    dialog->SetChart(chart);
    dialog->SetInitialFolder(initialFolder);
    dialog->ShowModal();
}
