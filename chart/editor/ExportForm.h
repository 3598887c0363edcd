#pragma once
// The export dialog of a chart: its series for the Data page, the data exporters, the chart file
// forms and the value format. "Data Save" of the main window opens it.
#include "chart/editor/ExportFormBase.h"

class TZebExportForm : public TZebExportFormBase {
    TV_CLASS(TZebExportForm, TZebExportFormBase)
public:
    using TZebExportFormBase::TZebExportFormBase;

    void FormShow(TObject* Sender) override;

protected:
    std::unique_ptr<TZebExportData> CreateDataExporter() override;
    std::unique_ptr<TMemoryStream> CreateNativeStream() override;
    void WriteNativeFile(const String& fileName, bool includeData) override;
    bool HasSeriesData() override;
    void SetupDataTab() override;
};

// A TZebExportForm owned by owner on chart, opening its save dialogs in initialFolder, shown
// modally and freed afterwards.
void ShowChartExportDialog(TComponent* owner, TCustomZebPanel* chart, const String& initialFolder);
