#pragma once
// The property page of one series: a combo choosing the series, the Format tab holding the page
// of the series' class (found by name), the General tab and the Data Source tab.
#include <functional>
#include <vector>

#include "chart/core/ChartEvents.h"
#include "platform/forms/Forms.h"

class TButton;
class TChartListBox;
class TChartSeries;
class TChartValueList;
class TStrings;
class TCheckBox;
class TComboBox;
class TCustomAxisPanel;
class TEdit;
class TGroupBox;
class TImage;
class TLabel;
class TPageControl;
class TPaintBox;
class TPanel;
class TTabSheet;
class TTimer;
class TUpDown;

class TFormZebSeries : public TForm, public IChartEventListener {
    TV_CLASS(TFormZebSeries, TForm)
public:
    explicit TFormZebSeries(TComponent* owner);
    ~TFormZebSeries() override;
    void BeforeDestruction() override;

    // The series shown (weak: a series freed elsewhere empties the page).
    TChartSeries* CurrentSeries() const;
    void SetCurrentSeries(TChartSeries* series);
    TChartListBox* SeriesListBox = nullptr;
    bool ShowDataSourceTab = true;
    bool ShowGeneralTab = true;
    bool ShowMarksTab = true;
    // Every series event of the listened chart, after the page's own handling.
    std::function<void(TObject* sender, TZebEvent& event)> OnSeriesEvent;

    // Selects CurrentSeries in CBSeries and runs the series change; hides PageSeries without one.
    void SelectCurrentSeries();
    // Frees the class page, the tabs it added and the data-source editor.
    void RemoveClassTabs();
    // The page embedded in the Format tab (nullptr when none).
    TCustomForm* ClassEditor() const;

    void HandleChartEvent(TZebEvent& event) override;

    void FormCreate(TObject* Sender);
    void FormShow(TObject* Sender);
    void FormDestroy(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void CBSeriesChange(TObject* Sender);
    void PageSeriesChange(TObject* Sender);
    void PageSeriesChanging(TObject* Sender, bool& AllowChange);
    void PaintBox1Click(TObject* Sender);
    void PaintBox1Paint(TObject* Sender);
    void EDepthChange(TObject* Sender);
    void CBDepthClick(TObject* Sender);
    void CBFormatChange(TObject* Sender);
    void EPercentFormatChange(TObject* Sender);
    void Button1Click(TObject* Sender);
    void Button2Click(TObject* Sender);
    void CBHorizAxisChange(TObject* Sender);
    void CBVertAxisChange(TObject* Sender);
    void CBXDateTimeClick(TObject* Sender);
    void CBYDateTimeClick(TObject* Sender);
    void CBZDateTimeClick(TObject* Sender);
    void CBSortByChange(TObject* Sender);
    void CBSortOrderChange(TObject* Sender);
    void CBCaseSensitiveClick(TObject* Sender);
    void CBShowInLegendClick(TObject* Sender);
    void ELegendTextChange(TObject* Sender);
    void Timer1Timer(TObject* Sender);
    void CBDataSourcestyleChange(TObject* Sender);
    void ESamplesChange(TObject* Sender);
    void CBSamplesDefaultClick(TObject* Sender);
    void BApplyRandomClick(TObject* Sender);
    void Button3Click(TObject* Sender);
    void CBSeriesSourceChange(TObject* Sender);
    void BApplySourceClick(TObject* Sender);
    void BClearSourceClick(TObject* Sender);

    TPanel* PanelTop = nullptr;
    TComboBox* CBSeries = nullptr;
    TImage* ImageSeries = nullptr;
    TLabel* LabelSeriesClass = nullptr;
    TPaintBox* PaintBox1 = nullptr;
    TPageControl* PageSeries = nullptr;
    TTabSheet* TheTabSheet = nullptr;
    TTabSheet* TabGeneral = nullptr;
    TTabSheet* TabDataSource = nullptr;
    TPageControl* PageControl1 = nullptr;
    TTabSheet* TabOptions = nullptr;
    TLabel* LDepth = nullptr;
    TEdit* EDepth = nullptr;
    TUpDown* UDDepth = nullptr;
    TCheckBox* CBDepth = nullptr;
    TComboBox* CBFormat = nullptr;
    TEdit* EPercentFormat = nullptr;
    TGroupBox* GBHorizAxis = nullptr;
    TComboBox* CBHorizAxis = nullptr;
    TCheckBox* CBXDateTime = nullptr;
    TGroupBox* GBVertAxis = nullptr;
    TComboBox* CBVertAxis = nullptr;
    TCheckBox* CBYDateTime = nullptr;
    TCheckBox* CBZDateTime = nullptr;
    TComboBox* CBSortBy = nullptr;
    TComboBox* CBSortOrder = nullptr;
    TCheckBox* CBCaseSensitive = nullptr;
    TTabSheet* TabLegend = nullptr;
    TCheckBox* CBShowInLegend = nullptr;
    TEdit* ELegendText = nullptr;
    TTabSheet* TabMarks = nullptr;
    TComboBox* RGMarkStyle = nullptr;
    TTimer* Timer1 = nullptr;
    TComboBox* CBDataSourcestyle = nullptr;
    TPanel* Panel2 = nullptr;
    TPanel* PanelRandomSource = nullptr;
    TEdit* ESamples = nullptr;
    TCheckBox* CBSamplesDefault = nullptr;
    TButton* BApplyRandom = nullptr;
    TPanel* PanelSeriesSource = nullptr;
    TComboBox* CBSeriesSource = nullptr;
    TButton* BApplySource = nullptr;
    TButton* BClearSource = nullptr;
    // The source or function editor shown under the Data Source tab (nullptr when none).
    TCustomForm* DataSourceEditor() const { return sourceEditor_; }

protected:
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    void loadSeries(const String& caption);
    void createClassEditor();
    void fillGeneralTab();
    void selectSourceStyle();
    void showSourcePanel();
    void removeSource();
    bool guarded() const;
    void listenTo(TCustomAxisPanel* chart);
    void fillSourceStyles();
    void fillAxisRows(TComboBox& combo, bool horizontal);
    void applySort();
    TChartValueList* zValues() const;
    bool sourceEditorAllowsClosing() const;
    void freeSourceEditor();

    TChartSeries* series_ = nullptr;      // with free notification
    TChartSeries* lastLoaded_ = nullptr;  // whose class page is shown
    TCustomAxisPanel* listened_ = nullptr;
    TCustomForm* classEditor_ = nullptr;
    TCustomForm* sourceEditor_ = nullptr;  // with free notification
    std::vector<const TMetaClass*> sourceClasses_;  // the source-class rows past "Function"
    int sourceStyle_ = -1;
    bool changing_ = true;
    bool locked_ = false;
};

// Adds a tab at index to the series page that owns control and embeds a new T for object there;
// outside a series page the form is owned by control, captioned, given object and not shown.
TCustomForm* AddSeriesEditorTab(TComponent* control, const TMetaClass& formClass, TObject* object,
                                const String& caption, int pageIndex);
// The series page alone, modal, for one series.
void EditSeriesModal(TComponent* owner, TChartSeries* series);
// The captions of the marks' styles, in the order of their values, appended to list.
void GetMarkStyleNames(TStrings& list);
