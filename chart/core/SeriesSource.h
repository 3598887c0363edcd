#pragma once
// The base of data-source components: non-visual components that read data from somewhere into one
// series, with the registry of their classes the editor offers.
#include <vector>

#include "platform/classes/Component.h"

class TChartSeries;
class TCustomAxisPanel;

// Class-level questions of a source kind.
class TZebSeriesSourceClass : public TMetaClass {
public:
    using TMetaClass::TMetaClass;
    virtual bool AppliesToChart(const TCustomAxisPanel* chart) const { (void)chart; return true; }
    virtual String ListCaption() const { return String(); }
    virtual const TMetaClass* EditorFormClass() const { return nullptr; }
};

class TZebSeriesSource : public TComponent {
    TV_CLASS(TZebSeriesSource, TComponent)
public:
    explicit TZebSeriesSource(TComponent* owner);
    void BeforeDestruction() override;

    bool Active() const { return active_; }
    virtual void SetActive(bool value);
    TChartSeries* Series() const { return series_; }
    virtual void SetSeries(TChartSeries* value);
    // The series' DataSource is a source of this class.
    bool IsSourceKindOf(const TChartSeries* series) const;

    virtual void CloseSource();
    virtual void LoadSource() {}
    virtual void OpenSource() { SetActive(true); }
    void LoadIfActive();
    void Loaded() override;

    // A series took this source over (from the series it fed before).
    void MoveToSeries(TChartSeries* series);
    // The series let it go.
    void DetachSeries() { series_ = nullptr; }

protected:
    void Notification(TComponent* component, TOperation operation) override;
    void ReadState(TReader& reader) override;

private:
    bool active_ = false;
    TChartSeries* series_ = nullptr;
};

const TZebSeriesSourceClass* SeriesSourceClassOf(const TMetaClass& cls);
// The source classes concrete source units register.
std::vector<const TMetaClass*>& SeriesSourceClassList();
