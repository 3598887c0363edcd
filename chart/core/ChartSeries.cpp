#include "chart/core/ChartSeries.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>
#include <unordered_set>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"
#include "chart/canvas/ZebPicture.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartException.h"
#include "chart/core/ColorPalette.h"
#include "chart/core/SeriesLegend.h"
#include "chart/core/SeriesMarks.h"
#include "chart/core/SeriesSource.h"
#include "chart/core/ZebConst.h"
#include "chart/core/ZebFunction.h"
#include "chart/core/ZebSelected.h"
#include "platform/classes/Assign.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/classes/PublishedDefaults.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Random.h"
#include "platform/rtl/Strings.h"

TV_PUBLISHED_AS(TCustomChartElement, TChartElementClass)
{
    Prop("Active", &TCustomChartElement::Active, &TCustomChartElement::SetActive, true);
}

TV_PUBLISHED_AS(TCustomChartSeries, TChartElementClass) {}

TV_PUBLISHED_AS(TChartSeries, TChartElementClass)
{
    Prop("ColorEachPoint", &TChartSeries::ColorEachPoint, &TChartSeries::SetColorEachPoint, false);
    Prop("ColorSource", &TChartSeries::ColorSource, &TChartSeries::SetColorSource, String());
    PropCursor("Cursor", &TChartSeries::Cursor, &TChartSeries::SetCursor, crDefault);
    Prop("DataSource", &TChartSeries::DataSource, &TChartSeries::SetDataSource).Stored(&TChartSeries::IsDataSourceStored);
    Prop("Depth", &TChartSeries::Depth, &TChartSeries::SetDepth, -1);
    PropEnum("HorizAxis", &TChartSeries::HorizAxis, &TChartSeries::SetHorizAxis, aBottomAxis, THorizAxisNames);
    PropSet("HoverElement", &TChartSeries::HoverElement, &TChartSeries::SetHoverElement, THoverElements{},
            THoverElementNames);
    Prop("Legend", &TChartSeries::Legend, &TChartSeries::SetLegend).Stored(&TChartSeries::HasLegend);
    Prop("LegendTitle", &TChartSeries::LegendTitle, &TChartSeries::SetLegendTitle, String());
    Prop("Marks", &TChartSeries::GetMarks, &TChartSeries::SetMarks).Stored(&TChartSeries::HasMarks);
    Prop("PercentFormat", &TChartSeries::PercentFormat, &TChartSeries::SetPercentFormat)
        .NoDefault()
        .Stored(&TChartSeries::IsPercentFormatStored);
    Prop("Selected", &TChartSeries::Selected, &TChartSeries::SetSelected).Stored(&TChartSeries::HasSelected);
    PropColor("SeriesColor", &TChartSeries::SeriesColor, &TChartSeries::SetSeriesColor, clAutomatic)
        .Stored(&TChartSeries::IsSeriesColorStored);
    Prop("ShowInLegend", &TChartSeries::ShowInLegend, &TChartSeries::SetShowInLegend, true);
    Prop("Title", &TChartSeries::Title, &TChartSeries::SetTitle, String());
    Prop("Transparency", &TChartSeries::Transparency, &TChartSeries::SetTransparency, 0);
    Prop("ValueFormat", &TChartSeries::ValueFormat, &TChartSeries::SetValueFormat)
        .NoDefault()
        .Stored(&TChartSeries::IsValueFormatStored);
    PropEnum("VertAxis", &TChartSeries::VertAxis, &TChartSeries::SetVertAxis, aLeftAxis, TVertAxisNames);
    Prop("XLabelsSource", &TChartSeries::XLabelsSource, &TChartSeries::SetXLabelsSource, String());
    Prop("XValues", &TChartSeries::XValues, &TChartSeries::SetXValues);
    Prop("YValues", &TChartSeries::YValues, &TChartSeries::SetYValues);
    Prop("AfterDrawValues", &TChartSeries::AfterDrawValues, &TChartSeries::SetAfterDrawValues);
    Prop("BeforeDrawValues", &TChartSeries::BeforeDrawValues, &TChartSeries::SetBeforeDrawValues);
    Prop("OnAfterAdd", &TChartSeries::OnAfterAdd, &TChartSeries::SetOnAfterAdd);
    Prop("OnBeforeAdd", &TChartSeries::OnBeforeAdd, &TChartSeries::SetOnBeforeAdd);
    Prop("OnClearValues", &TChartSeries::OnClearValues, &TChartSeries::SetOnClearValues);
    Prop("OnClick", &TChartSeries::OnClick, &TChartSeries::SetOnClick);
    Prop("OnDblClick", &TChartSeries::OnDblClick, &TChartSeries::SetOnDblClick);
    Prop("OnGetMarkText", &TChartSeries::OnGetMarkText, &TChartSeries::SetOnGetMarkText);
    Prop("OnMouseEnter", &TChartSeries::OnMouseEnter, &TChartSeries::SetOnMouseEnter);
    Prop("OnMouseLeave", &TChartSeries::OnMouseLeave, &TChartSeries::SetOnMouseLeave);
}

TV_PUBLISHED_AS(TThemedSeries, TChartElementClass) {}

TV_PUBLISHED(TSeriesLegend) {}

const TChartElementClass* ChartElementClassOf(const TMetaClass& cls)
{
    for (const TMetaClass* c = &cls; c; c = c->ClassParent())
        if (auto* element = dynamic_cast<const TChartElementClass*>(c)) return element;
    return nullptr;
}

String EditorFormClassNameOf(const TMetaClass& cls)
{
    const TChartElementClass* element = ChartElementClassOf(cls);
    return element ? element->EditorFormClassName() : String();
}

// ---- element ----

TCustomChartElement::TCustomChartElement(TComponent* owner) : TComponent(owner)
{
    brush_ = std::make_unique<TZebBrush>(TNotifyEvent(this, &TCustomChartElement::StyleChanged));
    pen_ = CreatePen();
}

TCustomChartElement::~TCustomChartElement() = default;

void TCustomChartElement::BeforeDestruction()
{
    SetParentChart(nullptr);
    TComponent::BeforeDestruction();
}

void TCustomChartElement::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TCustomChartElement*>(source)) {
        active_ = other->active_;
        brush_->Assign(other->brush_.get());
        pen_->Assign(other->pen_.get());
        SetTag(other->Tag());
        return;
    }
    TComponent::Assign(source);
}

std::unique_ptr<TZebPen> TCustomChartElement::CreatePen()
{
    return std::make_unique<TZebPen>(TNotifyEvent(this, &TCustomChartElement::StyleChanged));
}

void TCustomChartElement::SetActive(bool value) { ChangeBoolean(active_, value); }

void TCustomChartElement::SetParentChart(TCustomAxisPanel* value) { parentChart_ = value; }

void TCustomChartElement::SetBrush(TZebBrush* value) { brush_->Assign(value); }

void TCustomChartElement::SetPen(TZebPen* value) { pen_->Assign(value); }

TComponent* TCustomChartElement::GetParentComponent() const { return parentChart_; }

void TCustomChartElement::SetParentComponent(TComponent* value)
{
    if (auto* chart = dynamic_cast<TCustomAxisPanel*>(value)) SetParentChart(chart);
}

void TCustomChartElement::ReadState(TReader& reader)
{
    ApplyPublishedDefaults(*this, &TComponent::StaticClass());
    TComponent::ReadState(reader);
}

void TCustomChartElement::InvalidateChart()
{
    if (parentChart_) parentChart_->Invalidate();
}

void TCustomChartElement::StyleChanged(TObject*) { InvalidateChart(); }

TChartValueLists::~TChartValueLists()
{
    for (TChartValueList* list : lists_) delete list;
}

// ---- custom series ----

TCustomChartSeries::~TCustomChartSeries() = default;

void TCustomChartSeries::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TCustomChartSeries*>(source)) {
        title_ = other->title_;
        SetLegend(other->legend_.get());
        identifier_ = other->identifier_;
        style_ = other->style_;
    }
    TCustomChartElement::Assign(source);
}

void TCustomChartSeries::SetTitle(const String& value) { ChangeString(title_, value); }

TSeriesLegend* TCustomChartSeries::Legend()
{
    if (!legend_) legend_ = std::make_unique<TSeriesLegend>(ParentChart());
    return legend_.get();
}

void TCustomChartSeries::SetLegend(TSeriesLegend* value)
{
    if (!value) {
        if (legend_) {
            legend_.reset();
            InvalidateChart();
        }
        return;
    }
    Legend()->Assign(value);
}

bool TCustomChartSeries::ShowInLegend() const { return !legend_ || legend_->Visible(); }

void TCustomChartSeries::SetShowInLegend(bool value)
{
    if (ShowInLegend() == value && legend_) return;
    Legend()->SetVisible(value);
    InvalidateChart();
}

String TCustomChartSeries::LegendTitle() const { return legend_ ? legend_->Text() : String(); }

void TCustomChartSeries::SetLegendTitle(const String& value)
{
    if (!legend_ && value.empty()) return;
    Legend()->SetText(value);
}

void TCustomChartSeries::AddedToChart()
{
    if (legend_) legend_->SetParentPanel(ParentChart());
}

int TCustomChartSeries::IndexInChart() const
{
    return ParentChart() ? ParentChart()->IndexOfSeries(static_cast<const TChartSeries*>(this)) : -1;
}

String TCustomChartSeries::GetFallbackName() const
{
    if (!Name().empty() || !ParentChart()) return Name();
    return TxtSeries + IntToStr(IndexInChart() + 1);
}

String TCustomChartSeries::GetTitleOrName(bool clean) const
{
    if (!Trim(title_).empty()) return clean ? CleanLegendText(title_) : title_;
    return GetFallbackName();
}

bool TCustomChartSeries::IsSameKind(const TCustomChartSeries* other) const
{
    return other && (InheritsFrom(other->ClassType()) || other->InheritsFrom(ClassType()));
}

void TCustomChartSeries::RemovedFromChart()
{
    if (legend_) legend_->SetParentPanel(nullptr);
    storeParentChart(nullptr);
}

void TCustomChartSeries::DefineProperties(TFiler& filer)
{
    TCustomChartElement::DefineProperties(filer);
    filer.DefineProperty(
        "Identifier", [this](TReader& reader) { identifier_ = reader.ReadString(); },
        [this](TWriter& writer) { writer.WriteString(identifier_); }, !identifier_.empty());
    // Six flags, bit by bit; the editor gives them their meaning.
    filer.DefineProperty(
        "Style",
        [this](TReader& reader) {
            const int bits = reader.ReadInteger();
            style_ = TChartSeriesStyles::FromMask(static_cast<unsigned>(bits) & 0x3F);
        },
        [this](TWriter& writer) { writer.WriteInteger(static_cast<Int64>(style_.Mask())); }, !style_.Empty());
}

// ---- series: life cycle ----

namespace {
// Sets a flag for its lifetime: InsertXY and the removals hold value-list notices while columns
// disagree on the point count.
class TFlagOn {
public:
    explicit TFlagOn(bool& flag) : flag_(flag) { flag_ = true; }
    ~TFlagOn() { flag_ = false; }
    TFlagOn(const TFlagOn&) = delete;
    TFlagOn& operator=(const TFlagOn&) = delete;

private:
    bool& flag_;
};
}  // namespace

TChartSeries::TChartSeries(TComponent* owner) : TCustomChartSeries(owner)
{
    xValues_ = new TChartValueList(this, TxtX);
    xValues_->SetOrder(loAscending);
    yValues_ = new TChartValueList(this, TxtY);
    valueFormat_ = TxtValueFormat;
    percentFormat_ = TxtPercentFormat;
}

TChartSeries::~TChartSeries()
{
    // Held on the stack: BeforeDestruction has not run.
    teardown();
    SetParentChart(nullptr);
}

void TChartSeries::BeforeDestruction()
{
    teardown();
    TCustomChartSeries::BeforeDestruction();
}

void TChartSeries::teardown()
{
    if (tornDown_) return;
    tornDown_ = true;
    if (TZebFunction* function = function_) {
        function_ = nullptr;
        function->StoreOutput(nullptr);
        function->RemoveFreeNotification(this);
        function->Free();
    }
    UnlinkFromSources();
    if (dataSources_) {
        for (TComponent* source : *dataSources_)
            if (!dynamic_cast<TChartSeries*>(source)) source->RemoveFreeNotification(this);
        dataSources_.reset();
    }
    if (linked_) {
        for (TChartSeries* dependant : std::vector<TChartSeries*>(linked_->begin(), linked_->end()))
            if (dependant->dataSources_) {
                auto& items = dependant->dataSources_->items_;
                items.erase(std::remove(items.begin(), items.end(), this), items.end());
            }
        linked_.reset();
    }
    RemoveAllPoints();
    visuals_.reset();
    pictures_.reset();
    selected_.reset();
}

void TChartSeries::SetActive(bool value)
{
    if (Active() == value) return;
    TCustomChartSeries::SetActive(value);
    if (ParentChart()) ParentChart()->BroadcastSeriesEvent(this, seActiveChanged);
}

void TChartSeries::SetTitle(const String& value)
{
    if (Title() == value) return;
    TCustomChartSeries::SetTitle(value);
    if (ParentChart()) ParentChart()->BroadcastSeriesEvent(this, seTitleChanged);
}

void TChartSeries::SetParentChart(TCustomAxisPanel* value)
{
    TCustomAxisPanel* old = ParentChart();
    if (old == value) return;
    if (old) old->DetachSeries(this);
    if (value) value->AddSeries(this);
    ResolveAxes();
}

void TChartSeries::AddedToChart()
{
    TCustomChartSeries::AddedToChart();
    if (TSeriesMarks* marks = MarksOrNull()) marks->SetParentPanel(ParentChart());
    if (seriesColor_ == clAutomatic) SetPickedColor(ParentChart()->PickFreeColor(true, this));
    ResolveAxes();
    RefreshData();
}

void TChartSeries::RemovedFromChart()
{
    // The chart shows its own cursor again when it shows this series' one.
    if (TCustomAxisPanel* chart = ParentChart(); chart && chart->Cursor() == cursor_)
        chart->SetCursor(chart->OwnCursor());
    UnlinkFromSources();
    if (TSeriesMarks* marks = MarksOrNull()) marks->SetParentPanel(nullptr);
    TCustomChartSeries::RemovedFromChart();
}

void TChartSeries::SetXValues(TChartValueList* value)
{
    xValues_->Assign(value);
    InvalidateChart();
}

void TChartSeries::SetYValues(TChartValueList* value)
{
    yValues_->Assign(value);
    InvalidateChart();
}

void TChartSeries::MakeHorizontal()
{
    yMandatory_ = false;
    yValues_->SetOrder(xValues_->Order());
    xValues_->SetOrder(loNone);
}

TChartValueList* TChartSeries::FindValueList(const String& name) const
{
    const String wanted = LowerCase(name);
    for (int i = 2; i < valueLists_.Count(); ++i)
        if (LowerCase(valueLists_.ValueListAt(i)->Name()) == wanted) return valueLists_.ValueListAt(i);
    return MandatoryValueList();
}

// ---- adding points ----

void TChartSeries::ValuesModified(int index)
{
    if (holdModify_) {
        heldModify_ = true;
        return;
    }
    NotifyDependents(dnModified, index);
}

void TChartSeries::sendHeldModify(TSeriesReaction direct)
{
    if (!heldModify_) return;
    heldModify_ = false;
    if (updateCount_ > 0) return;
    directReaction_ = direct;
    hasDirectReaction_ = true;
    try {
        NotifyDependents(dnModified, -1);
    } catch (...) {
        hasDirectReaction_ = false;
        throw;
    }
    hasDirectReaction_ = false;
}

void TChartSeries::insertColor(int index, TColor color)
{
    if (!hasColors_) {
        if (color == clAutomatic) return;
        colors_.assign(static_cast<size_t>(Count() - 1), clAutomatic);
        hasColors_ = true;
    }
    colors_.insert(colors_.begin() + index, color);
    if (color == clNullPoint) ++nullCount_;
}

int TChartSeries::InsertXY(double x, double y, const String& label, TColor color)
{
    xValues_->SetPendingValue(x);
    yValues_->SetPendingValue(y);
    if (onBeforeAdd_ && !onBeforeAdd_(this)) return -1;
    int index;
    {
        TFlagOn hold(holdModify_);
        heldModify_ = false;
        TChartValueList* order = OrderValueList();
        index = order->InsertPendingValue();
        for (int i = 0; i < valueLists_.Count(); ++i) {
            TChartValueList* list = valueLists_.ValueListAt(i);
            if (list != order) list->InsertAt(index, list->PendingValue());
        }
        insertColor(index, color);
        if (!label.empty() || labels_.Count() > 0) labels_.InsertLabel(index, label);
        if (pictures_) pictures_->InsertEmpty(index);
    }
    if (updateCount_ == 0) {
        sendHeldModify(sraAdd);
        PointAdded(index);
    }
    heldModify_ = false;
    return index;
}

int TChartSeries::AppendMainValue(double value, const String& label, TColor color)
{
    return yMandatory_ ? InsertXY(xValues_->Count(), value, label, color)
                       : InsertXY(value, yValues_->Count(), label, color);
}

int TChartSeries::AppendValue(double value, const String& label, TColor color)
{
    return InsertXY(xValues_->Count(), value, label, color);
}

int TChartSeries::AppendNull(const String& label) { return AppendMainValue(nullValue_, label, clNullPoint); }

int TChartSeries::AppendNullValue(double value) { return AppendMainValue(value, String(), clNullPoint); }

int TChartSeries::AppendNullXY(double x, double y, const String& label) { return InsertXY(x, y, label, clNullPoint); }

int TChartSeries::AppendValues(std::span<const double> values)
{
    TPointUpdateBlock block(*this);
    for (const double value : values) AppendMainValue(value);
    return static_cast<int>(values.size());
}

int TChartSeries::AppendXYValues(std::span<const double> x, std::span<const double> y)
{
    TPointUpdateBlock block(*this);
    for (size_t i = 0; i < x.size(); ++i) InsertXY(x[i], i < y.size() ? y[i] : 0);
    return static_cast<int>(x.size());
}

int TChartSeries::CopyPointValues(TChartSeries* source, int index)
{
    double x = source->XValues()->ValueAt(index);
    double y = source->YValues()->ValueAt(index);
    if (source->YMandatory() != yMandatory_) std::swap(x, y);
    const int added = OrderValueList()->AddInOrder(yMandatory_ ? x : y);
    MandatoryValueList()->InsertAt(added, yMandatory_ ? y : x);
    for (int i = 2; i < valueLists_.Count(); ++i) {
        const TChartValueLists& theirs = source->ValueLists();
        valueLists_.ValueListAt(i)->InsertAt(added, i < theirs.Count() ? theirs.ValueListAt(i)->ValueAt(index) : 0);
    }
    return added;
}

int TChartSeries::CopyPoint(TChartSeries* source, int index)
{
    int added;
    {
        TFlagOn hold(holdModify_);
        heldModify_ = false;
        added = CopyPointValues(source, index);
        insertColor(added, source->GetStoredColor(index));
        const String label = source->GetLabelAt(index);
        if (!label.empty() || labels_.Count() > 0) labels_.InsertLabel(added, label);
        if (TZebPicture* picture = source->pictures_ ? source->pictures_->PictureAt(index) : nullptr) {
            auto copy = std::make_unique<TZebPicture>();
            copy->Assign(picture);
            Pictures().Insert(added, std::move(copy));
        } else if (pictures_) {
            pictures_->InsertEmpty(added);
        }
        if (source->detail_ && index < source->detail_->Count())
            if (TChartSeries* sub = source->detail_->GetSeriesAt(index)) {
                auto* copy = static_cast<TChartSeries*>(sub->ClassType().CreateComponent(this));
                copy->Assign(sub);
                Detail().InsertAt(added, copy);
            }
    }
    if (updateCount_ == 0) {
        sendHeldModify(sraAdd);
        PointAdded(added);
    }
    heldModify_ = false;
    return added;
}

// ---- reading and changing ----

void TChartSeries::SetPointX(int index, double value)
{
    xValues_->SetValueAt(index, value);
    InvalidateChart();
}

void TChartSeries::SetPointY(int index, double value)
{
    yValues_->SetValueAt(index, value);
    InvalidateChart();
}

String TChartSeries::GetPointLabel(int index) const { return labels_.GetLabel(index); }

TZebPictureList& TChartSeries::Pictures()
{
    if (!pictures_) pictures_ = std::make_unique<TZebPictureList>();
    return *pictures_;
}

TSeriesDetail& TChartSeries::Detail()
{
    if (!detail_) detail_ = std::make_unique<TSeriesDetail>(this);
    return *detail_;
}

TVisualsList& TChartSeries::Visuals()
{
    if (!visuals_) visuals_ = std::make_unique<TVisualsList>(this);
    return *visuals_;
}

// ---- colours ----

// The colour the chart picked for an automatic series comes back through here and leaves it
// automatic, so it is never stored.
void TChartSeries::SetSeriesColor(TColor value)
{
    if (seriesColor_ == clAutomatic && value == pickedColor_) return;
    if (value == clAutomatic) return ResetSeriesColor();
    ChangeColor(seriesColor_, value);
    pickedColor_ = value;
    if (ParentChart()) ParentChart()->BroadcastSeriesEvent(this, seColorChanged);
}

void TChartSeries::SetPickedColor(TColor value)
{
    pickedColor_ = value;
    if (ParentChart()) ParentChart()->BroadcastSeriesEvent(this, seColorChanged);
}

void TChartSeries::SetColorEachPoint(bool value) { if (AssignIfChanged(colorEachPoint_, value)) PointColorChanged(-1); }

TColor TChartSeries::GetStoredColor(int index) const
{
    return hasColors_ && index >= 0 && index < static_cast<int>(colors_.size()) ? colors_[static_cast<size_t>(index)]
                                                                               : clAutomatic;
}

TColor TChartSeries::GetPointColor(int index) const
{
    const TColor stored = GetStoredColor(index);
    if (stored != clAutomatic) return stored;
    if (!colorEachPoint_) return SeriesColor();
    return ParentChart() ? ParentChart()->PaletteColor(index) : DefaultPaletteColor(index);
}

void TChartSeries::SetPointColor(int index, TColor color)
{
    if (index < 0 || (!hasColors_ && color == clAutomatic)) return;
    while (Count() <= index) AppendNull();
    if (!hasColors_) {
        colors_.assign(static_cast<size_t>(Count()), clAutomatic);
        hasColors_ = true;
    }
    TColor& slot = colors_[static_cast<size_t>(index)];
    nullCount_ += (color == clNullPoint) - (slot == clNullPoint);
    slot = color;
    PointColorChanged(index);
}

void TChartSeries::PointColorChanged(int) { InvalidateChart(); }

// ---- removing, clearing, reordering ----

void TChartSeries::RemovePoint(int index)
{
    if (index < 0 || index >= Count())
        throw ChartException(Format(TxtSeriesDeleteValueIndexOutOf, {index, Count() - 1}));
    {
        TFlagOn hold(holdModify_);
        heldModify_ = false;
        for (int i = 0; i < valueLists_.Count(); ++i) valueLists_.ValueListAt(i)->RemoveAt(index);
        if (hasColors_ && index < static_cast<int>(colors_.size())) {
            nullCount_ -= colors_[static_cast<size_t>(index)] == clNullPoint;
            colors_.erase(colors_.begin() + index);
        }
        labels_.DeleteRange(index, 1);
        if (pictures_) pictures_->DeleteRange(index, 1);
        if (visuals_) visuals_->DeleteRange(index, 1);
        if (detail_) detail_->DeleteRange(index, 1);
        if (TSeriesMarks* marks = MarksOrNull()) marks->RemoveMarkAt(index);
    }
    sendHeldModify(sraDelete);
    NotifyDependents(dnDeleted, index);
    if (Active()) InvalidateChart();
}

void TChartSeries::RemovePoints(int index, int quantity, bool resequence)
{
    if (index < 0 || quantity <= 0 || index >= Count()) return;
    quantity = std::min(quantity, Count() - index);
    {
        TFlagOn hold(holdModify_);
        heldModify_ = false;
        for (int i = 0; i < valueLists_.Count(); ++i) valueLists_.ValueListAt(i)->RemoveRange(index, quantity);
        if (hasColors_) {
            const int end = std::min(index + quantity, static_cast<int>(colors_.size()));
            if (index < end) {
                nullCount_ -= static_cast<int>(std::count(colors_.begin() + index, colors_.begin() + end, clNullPoint));
                colors_.erase(colors_.begin() + index, colors_.begin() + end);
            }
            if (colors_.empty()) hasColors_ = false;
        }
        labels_.DeleteRange(index, quantity);
        if (pictures_) pictures_->DeleteRange(index, quantity);
        if (visuals_) visuals_->DeleteRange(index, quantity);
        if (detail_) detail_->DeleteRange(index, quantity);
        // Items go with their points too, so that later marks keep their own texts.
        if (TSeriesMarks* marks = MarksOrNull())
            for (int i = 0; i < quantity; ++i) marks->RemoveMarkAt(index);
    }
    sendHeldModify(sraDelete);
    NotifyDependents(dnDeleted, -1);
    if (Active()) InvalidateChart();
    if (resequence) IndependentValueList()->FillWithIndexes();
}

void TChartSeries::ResetPointLists()
{
    for (int i = 0; i < valueLists_.Count(); ++i) valueLists_.ValueListAt(i)->RemoveAll();
    std::vector<TColor>().swap(colors_);
    hasColors_ = false;
    nullCount_ = 0;
    labels_.Clear();
    if (pictures_) pictures_->Clear();
    if (visuals_ && visuals_->Count()) visuals_->Clear();
    detail_.reset();
    if (TSeriesMarks* marks = MarksOrNull()) marks->ClearMarkData();
}

void TChartSeries::RemoveAllPoints()
{
    SetVisibleRange(-1, -1);
    ResetPointLists();
    if (onClearValues_) onClearValues_(this);
    NotifyDependents(dnCleared);
    if (function_) function_->HandleSeriesCleared();
    if (Active() && ParentChart() && !ParentChart()->IsDestroying()) InvalidateChart();
}

void TChartSeries::SwapPoints(int a, int b)
{
    for (int i = 0; i < valueLists_.Count(); ++i) valueLists_.ValueListAt(i)->SwapValues(a, b);
    if (hasColors_) std::swap(colors_[static_cast<size_t>(a)], colors_[static_cast<size_t>(b)]);
    if (labels_.Count() > 0) labels_.SwapLabels(a, b);
    if (visuals_ && visuals_->Count() > 0) visuals_->Swap(a, b);
    if (pictures_ && pictures_->Count() > 0) pictures_->Swap(a, b);
    if (detail_ && detail_->Count() > 0) detail_->Swap(a, b);
    // A dragged box and an item's own text belong to their point.
    if (TSeriesMarks* marks = MarksOrNull()) marks->SwapMarkData(a, b);
}

void TChartSeries::sortPoints(const std::function<bool(int, int)>& less)
{
    const int n = Count();
    std::vector<int> order(static_cast<size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), less);
    // Point order[k] goes to position k, by exchanges only, so every column moves with it.
    std::vector<int> at(order.size()), pos(order.size());
    std::iota(at.begin(), at.end(), 0);
    std::iota(pos.begin(), pos.end(), 0);
    TPointUpdateBlock block(*this);
    for (int k = 0; k < n; ++k) {
        const int want = order[static_cast<size_t>(k)];
        const int from = pos[static_cast<size_t>(want)];
        if (from == k) continue;
        SwapPoints(k, from);
        const int displaced = at[static_cast<size_t>(k)];
        pos[static_cast<size_t>(displaced)] = from;
        at[static_cast<size_t>(from)] = displaced;
        at[static_cast<size_t>(k)] = want;
        pos[static_cast<size_t>(want)] = k;
    }
}

void TChartSeries::SortPointsByLabel(TChartListOrder order)
{
    if (order == loNone) return;
    sortDirection_ = order == loAscending ? 1 : -1;
    const bool ignoreCase = labels_.IgnoreCase();
    const auto compare = [this, ignoreCase](int a, int b) {
        const String la = labels_.GetLabel(a), lb = labels_.GetLabel(b);
        int result = la.compare(lb);
        if (ignoreCase) {
            const String ua = LowerCase(la), ub = LowerCase(lb);
            if (ua != ub) result = ua.compare(ub);
        }
        result = result < 0 ? -1 : result > 0 ? 1 : 0;
        return result * sortDirection_;
    };
    {
        TPointUpdateBlock block(*this);
        sortPoints([&](int a, int b) { return compare(a, b) < 0; });
        sortDirection_ = 0;
        IndependentValueList()->FillWithIndexes();
    }
    InvalidateChart();
}

void TChartSeries::SortByValueList(TChartValueList* list, TChartListOrder order)
{
    if (order == loNone) return;
    const double* values = list->Values();
    if (order == loAscending)
        sortPoints([values](int a, int b) { return values[a] < values[b]; });
    else
        sortPoints([values](int a, int b) { return values[a] > values[b]; });
}

void TChartSeries::ApplyValueOrder()
{
    bool sorted = false;
    TChartValueList* mandatory = MandatoryValueList();
    TChartValueList* independent = IndependentValueList();
    if (mandatory->Order() != loNone) {
        SortByValueList(mandatory, mandatory->Order());
        if (independent->ValueSource().empty()) independent->FillWithIndexes();
        sorted = true;
    }
    if (independent->Order() != loNone) {
        SortByValueList(independent, independent->Order());
        sorted = true;
    }
    if (sorted) InvalidateChart();
}

// ---- sample data ----

int TChartSeries::RandomInt(int limit) { return Random(limit); }

TChartSeries::TSampleRanges TChartSeries::ComputeSampleRanges(int count) const
{
    double minY = 0, maxY = 1000, minX = 0, maxX = count - 1;
    TCustomAxisPanel* chart = ParentChart();
    if (chart && chart->MaxPointCount() > 0 && GetHorizAxis() && GetVertAxis()) {
        minY = chart->AxisExtreme(GetVertAxis(), true, false);
        maxY = chart->AxisExtreme(GetVertAxis(), false, false);
        if (minY == maxY) {
            if (minY == 0)
                maxY = 1000;
            else
                maxY = 2 * minY;
        }
        minX = chart->AxisExtreme(GetHorizAxis(), true, true);
        maxX = chart->AxisExtreme(GetHorizAxis(), false, true);
        if (minX == maxX) maxX = minX == 0 ? count - 1 : 2 * minX;
        if (!yMandatory_) {
            std::swap(minX, minY);
            std::swap(maxX, maxY);
        }
    } else if (xValues_->DateTime()) {
        minX = std::floor(static_cast<double>(Now()));
        maxX = minX + count - 1;
    }
    TSampleRanges r{};
    r.startX = minX;
    r.stepX = count > 1 ? (maxX - minX) / (count - 1) : maxX - minX;
    r.minY = minY;
    r.spanY = std::clamp(maxY - minY, -2147483647.0, 2147483647.0);
    r.firstY = RandomInt(100) * r.spanY * 0.01 + minY;
    return r;
}

void TChartSeries::AddRandomPoints(int count, bool valuesOnly)
{
    const TSampleRanges r = ComputeSampleRanges(count);
    double x = r.startX, y = r.firstY;
    for (int i = 0; i < count; ++i) {
        y = std::fabs(y + r.spanY * 0.25 * (RandomInt(100) / 100.0 - 0.5));
        if (valuesOnly)
            AppendMainValue(y);
        else if (yMandatory_)
            InsertXY(x, y);
        else
            InsertXY(y, x);
        x += r.stepX;
    }
}

void TChartSeries::FillWithSamples(int count)
{
    if (count == 0) count = sampleCount_;
    if (count <= 0) count = DefaultSampleCount();
    RemoveAllPoints();
    RandSeed = static_cast<std::uint32_t>(RandomInt(7774444));
    {
        TPointUpdateBlock block(*this);
        AddRandomPoints(count, false);
        ApplyValueOrder();
    }
    manualData_ = false;
}

// ---- notifications and update blocks ----

void TChartSeries::PointAdded(int index)
{
    if (onAfterAdd_) onAfterAdd_(this, index);
    NotifyDependents(dnAdded, index);
    if (Active()) InvalidateChart();
}

void TChartSeries::NotifyDependents(TDependantNotice kind, int index)
{
    if (updateCount_ > 0 || !linked_ || linked_->Count() == 0) return;
    // A dependant may relink while it reacts.
    const std::vector<TChartSeries*> dependants(linked_->begin(), linked_->end());
    for (TChartSeries* d : dependants) {
        const TSeriesReactions r = d->reactions_;
        switch (kind) {
        case dnCleared:
            if (r.Contains(sraClear)) d->RemoveAllPoints();
            break;
        case dnAdded:
            if (r.Contains(sraAdd) && !d->function_) d->CopyPoint(this, index);
            break;
        case dnDeleted:
            if (r.Contains(sraDelete) && !d->function_) {
                // A run names no point: the dependant takes the source again.
                if (index < 0)
                    d->ReloadFromSource(this);
                else
                    d->SourcePointDeleted(this, index);
            }
            break;
        case dnBulkChange:
            d->ReloadFromSource(this);
            break;
        case dnModified:
            if (!r.Contains(sraModify)) break;
            // The point being added or removed reaches this dependant by its own notice.
            if (hasDirectReaction_ && r.Contains(directReaction_) && !d->function_) break;
            d->ReloadFromSource(this);
            break;
        default:
            break;
        }
    }
}

void TChartSeries::EndPointUpdate()
{
    if (updateCount_ == 0) return;
    if (--updateCount_ == 0) NotifyBulkChange();
}

void TChartSeries::NotifyBulkChange()
{
    NotifyDependents(dnBulkChange);
    if (ParentChart()) ParentChart()->BroadcastSeriesEvent(this, seValuesChanged);
}

void TChartSeries::RefreshData()
{
    if (updateCount_ > 0) return;
    if (ParentChart())
        ParentChart()->RefreshSeriesData(this);
    else
        RefreshFromSources();
}

bool AlwaysSampleData = false;

void TChartSeries::RefreshFromSources()
{
    if (IsLoading()) return;
    if (TComponent* source = DataSource()) {
        if (auto* series = dynamic_cast<TChartSeries*>(source))
            ReloadFromSource(series);
        else if (auto* seriesSource = dynamic_cast<TZebSeriesSource*>(source))
            seriesSource->LoadIfActive();
    } else if (function_ && function_->NeedsNoSource) {
        TPointUpdateBlock block(*this);
        RemoveAllPoints();
        function_->RecomputeFrom(nullptr);
    } else if (!manualData_ && (IsDesigning() || AlwaysSampleData)) {
        FillWithSamples(DefaultSampleCount());
    }
}

void TChartSeries::ReloadFromSource(TChartSeries* source)
{
    TPointUpdateBlock block(*this);
    RemoveAllPoints();
    if (function_) {
        xValues_->SetDateTime(source->XValues()->DateTime());
        yValues_->SetDateTime(source->YValues()->DateTime());
        function_->RecomputeFrom(source);
    } else if (AcceptsSourceSeries(source)) {
        for (int i = 0; i < source->Count(); ++i) CopyPoint(source, i);
    }
}

void TChartSeries::SourcePointDeleted(TChartSeries*, int index)
{
    if (index < Count()) RemovePoint(index);
}

// ---- sources and functions ----

TComponent* TChartSeries::DataSource() const { return HasDataSources() ? dataSources_->Items(0) : nullptr; }

bool TChartSeries::IsDataSourceStored() const { return dataSources_ && dataSources_->Count() == 1; }

TDataSourcesList& TChartSeries::DataSources()
{
    if (!dataSources_) dataSources_ = std::make_unique<TDataSourcesList>(this);
    return *dataSources_;
}

void TChartSeries::SetDataSource(TComponent* value)
{
    if (value)
        AddSourceChecked(value, true);
    else if (TComponent* current = DataSource())
        RemoveDataSource(current);
}

bool TChartSeries::FunctionAcceptsSource(TChartSeries* series) const
{
    return !function_ || function_->AcceptsSource(series);
}

int TChartSeries::AddSourceChecked(TComponent* component, bool replace)
{
    auto* series = dynamic_cast<TChartSeries*>(component);
    if (TCustomAxisPanel* chart = ParentChart()) {
        if (!chart->IsAcceptableSource(this, component)) {
            const String name = component->Name().empty() ? component->ClassName() : component->Name();
            throw ChartException(Format(TxtNoValidDataSource, {name}));
        }
    } else if (!series || series == this || !FunctionAcceptsSource(series)) {
        throw ChartException(TxtNoParentChartToValidateDataSource);
    }
    if (dataSources_ && dataSources_->IndexOf(component) >= 0) return -1;
    if (series) CheckNoCircularSource(series);
    if (replace && !IsLoading() && HasDataSources()) dataSources_->Clear();
    linkSource(component);
    const int position = dataSources_->Count() - 1;
    RefreshData();
    return position;
}

void TChartSeries::linkSource(TComponent* component)
{
    DataSources().items_.push_back(component);
    manualData_ = false;
    if (auto* series = dynamic_cast<TChartSeries*>(component)) {
        if (!series->linked_) series->linked_ = std::make_unique<TCustomSeriesList>();
        if (!series->linked_->Contains(this)) series->linked_->AppendSeries(this);
        return;
    }
    component->FreeNotification(this);
    if (auto* source = dynamic_cast<TZebSeriesSource*>(component)) source->MoveToSeries(this);
}

void TChartSeries::RemoveDataSource(TComponent* component)
{
    if (IsDestroying() || tornDown_) {
        if (dataSources_) {
            auto& items = dataSources_->items_;
            items.erase(std::remove(items.begin(), items.end(), component), items.end());
        }
        return;
    }
    component->RemoveFreeNotification(this);
    if (ParentChart() && DataSource()) ParentChart()->DetachSourceComponent(this, DataSource());
    if (!dataSources_) return;
    if (component == DataSource()) {
        dataSources_->Clear();
    } else {
        const int index = dataSources_->IndexOf(component);
        if (index < 0) return;
        dataSources_->items_.erase(dataSources_->items_.begin() + index);
        if (auto* series = dynamic_cast<TChartSeries*>(component); series && series->linked_)
            series->linked_->Remove(this);
    }
    RefreshData();
}

bool TChartSeries::DependsOn(const TChartSeries* series) const
{
    std::unordered_set<const TChartSeries*> seen;
    std::vector<const TChartSeries*> pending{this};
    while (!pending.empty()) {
        const TChartSeries* s = pending.back();
        pending.pop_back();
        if (!s->dataSources_) continue;
        for (TComponent* c : *s->dataSources_) {
            auto* source = dynamic_cast<const TChartSeries*>(c);
            if (!source) continue;
            if (source == series) return true;
            if (seen.insert(source).second) pending.push_back(source);
        }
    }
    return false;
}

void TChartSeries::CheckNoCircularSource(TChartSeries* candidate) const
{
    if (candidate == this || candidate->DependsOn(this))
        throw ChartException(TxtCircularSeriesDependencesAreNot);
}

void TChartSeries::UnlinkFromSources()
{
    if (!dataSources_) return;
    for (TComponent* c : *dataSources_)
        if (auto* series = dynamic_cast<TChartSeries*>(c); series && series->linked_) series->linked_->Remove(this);
}

void TChartSeries::AttachFunction(TZebFunction* function)
{
    if (function == function_) return;
    if (TZebFunction* old = function_) {
        function_ = nullptr;
        old->StoreOutput(nullptr);
        old->RemoveFreeNotification(this);
        old->Free();
    }
    if (function) {
        if (TChartSeries* previous = function->OutputSeries(); previous && previous != this) {
            previous->function_ = nullptr;
            function->RemoveFreeNotification(previous);
        }
        function_ = function;
        function->StoreOutput(this);
        manualData_ = false;
        function->FreeNotification(this);
    }
    RefreshData();
}

void TChartSeries::ForgetFunction()
{
    if (!function_) return;
    function_->RemoveFreeNotification(this);
    function_->StoreOutput(nullptr);
    function_ = nullptr;
    RefreshData();
}

void TChartSeries::Notification(TComponent* component, TOperation operation)
{
    TCustomChartSeries::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == function_) {
        function_ = nullptr;
    } else if (visuals_ && component == visuals_->Template()) {
        visuals_->TemplateFreed();
    } else if (dataSources_ && dataSources_->IndexOf(component) >= 0) {
        RemoveDataSource(component);
    }
}

void TChartSeries::GetChildren(const TGetChildProc& proc, TComponent* root)
{
    TCustomChartSeries::GetChildren(proc, root);
    if (function_) proc(function_);
}

void TChartSeries::Loaded()
{
    TCustomChartSeries::Loaded();
    if (storedSourceNames_ && !storedSourceNames_->empty()) {
        if (dataSources_) {
            UnlinkFromSources();
            dataSources_->items_.clear();
        }
        TComponent* owner = Owner();
        for (const String& name : *storedSourceNames_) {
            TComponent* source = owner ? owner->FindComponent(name) : nullptr;
            // A name that finds nothing, or a source that would feed this series from itself, is
            // left out.
            auto* series = dynamic_cast<TChartSeries*>(source);
            if (!source || source == this || (series && series->DependsOn(this))) continue;
            if (dataSources_ && dataSources_->IndexOf(source) >= 0) continue;
            linkSource(source);
        }
    }
    storedSourceNames_.reset();
    RefreshData();
}

// ---- axes ----

void TChartSeries::SetHorizAxis(THorizAxis value)
{
    horizAxis_ = value;
    if (value != aCustomHorizAxis && !IsLoading()) customHorizAxis_ = nullptr;
    ResolveAxes();
    InvalidateChart();
}

void TChartSeries::SetVertAxis(TVertAxis value)
{
    vertAxis_ = value;
    if (value != aCustomVertAxis && !IsLoading()) customVertAxis_ = nullptr;
    ResolveAxes();
    InvalidateChart();
}

void TChartSeries::SetCustomHorizAxis(TChartAxis* axis)
{
    customHorizAxis_ = axis;
    horizAxis_ = aCustomHorizAxis;
    ResolveAxes();
    InvalidateChart();
}

void TChartSeries::SetCustomVertAxis(TChartAxis* axis)
{
    customVertAxis_ = axis;
    vertAxis_ = aCustomVertAxis;
    ResolveAxes();
    InvalidateChart();
}

void TChartSeries::ResolveAxes()
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) {
        horizAxisObject_ = vertAxisObject_ = nullptr;
        return;
    }
    if (horizAxis_ == aTopAxis)
        horizAxisObject_ = chart->TopAxis();
    else if (horizAxis_ == aCustomHorizAxis && customHorizAxis_)
        horizAxisObject_ = customHorizAxis_;
    else
        horizAxisObject_ = chart->BottomAxis();
    if (vertAxis_ == aRightAxis)
        vertAxisObject_ = chart->RightAxis();
    else if (vertAxis_ == aCustomVertAxis && customVertAxis_)
        vertAxisObject_ = customVertAxis_;
    else
        vertAxisObject_ = chart->LeftAxis();
}

bool TChartSeries::IsBoundToAxis(const TChartAxis* axis) const
{
    if (!DependsOnAxes()) return false;
    if (axis->IsDepthAxis()) return true;
    if (axis->Horizontal()) return horizAxis_ == aBothHorizAxis || axis == horizAxisObject_;
    return vertAxis_ == aBothVertAxis || axis == vertAxisObject_;
}

TChartValueList* TChartSeries::GetAxisValueList(const TChartAxis* axis) const
{
    if (!IsBoundToAxis(axis)) return nullptr;
    return axis->Horizontal() ? xValues_ : yValues_;
}

TAxisLabelStyle TChartSeries::PreferredLabelStyle(const TChartAxis* axis) const
{
    if (IsXYZSeries() || axis == GetValueAxis()) return talValue;
    if (PlacesByPointIndex()) return talPointValue;
    return labels_.NonEmptyCount() > 0 ? talText : talValue;
}

// ---- 3-D placement ----

void TChartSeries::ReserveZSlot()
{
    TCustomAxisPanel* chart = ParentChart();
    zSlot_ = chart && chart->View3D() ? chart->TakeZSlot() : 0;
}

TChartSeries::TDepthRange TChartSeries::ComputeDepthRange() const
{
    const int perSeries = ParentChart() ? ParentChart()->SeriesDepth3D() : 0;
    TDepthRange r{};
    r.start = perSeries * zSlot_;
    r.end = r.start + (depth_ == -1 ? perSeries : depth_);
    r.middle = (r.start + r.end) / 2;
    return r;
}

void TChartSeries::SetDepthRange(const TDepthRange& value)
{
    depthRange_ = value;
    if (TSeriesMarks* marks = MarksOrNull()) marks->SetZPosition(value.middle);
}

bool TChartSeries::SharesZSlot() const
{
    const TCustomAxisPanel* chart = ParentChart();
    if (!chart || !chart->View3D()) return false;
    for (const TChartSeries* other : chart->SeriesList())
        if (other != this && other->Active() && !other->IsXYZSeries() && other->zSlot_ == zSlot_) return true;
    return false;
}

bool TChartSeries::IsFirstInZSlot() const
{
    const TCustomAxisPanel* chart = ParentChart();
    if (!chart) return true;
    for (const TChartSeries* other : chart->SeriesList()) {
        if (other == this) return true;
        if (other->Active() && other->zSlot_ == zSlot_) return false;
    }
    return true;
}

// ---- gallery ----

void TChartSeries::ListGalleryStyles(const std::function<void(const String&)>& add) const { add(TxtNormal); }

void TChartSeries::SetupGalleryPreview()
{
    FillWithSamples(4);
    SetColorEachPoint(true);
    if (TCustomAxisPanel* chart = ParentChart())
        SetSeriesColor(chart->PaletteColor(IndexInChart() == 0 ? 0 : 3));
}

// ---- formats and settings ----

bool TChartSeries::IsValueFormatStored() const { return valueFormat_ != TxtValueFormat; }

bool TChartSeries::IsPercentFormatStored() const { return percentFormat_ != TxtPercentFormat; }

void TChartSeries::SetColorSource(const String& value) { if (AssignIfChanged(colorSource_, value)) RefreshData(); }

void TChartSeries::SetXLabelsSource(const String& value) { if (AssignIfChanged(xLabelsSource_, value)) RefreshData(); }

void TChartSeries::SetTreatNulls(TTreatNullsStyle value) { Change(treatNulls_, value); }

void TChartSeries::CopyAppearance(TChartSeries* other)
{
    if (HasLegend() || other->HasLegend()) SetShowInLegend(other->ShowInLegend());
    Brush()->Assign(other->Brush());
    Pen()->Assign(other->Pen());
    seriesColor_ = other->seriesColor_;
    pickedColor_ = other->pickedColor_;
    if (seriesColor_ == clAutomatic && ParentChart()) pickedColor_ = ParentChart()->PickFreeColor(true, this);
    valueFormat_ = other->valueFormat_;
    percentFormat_ = other->percentFormat_;
    horizAxis_ = other->horizAxis_;
    vertAxis_ = other->vertAxis_;
    customHorizAxis_ = other->customHorizAxis_;
    customVertAxis_ = other->customVertAxis_;
    cursor_ = other->cursor_;
    depth_ = other->depth_;
    if (other->selected_)
        Selected()->Assign(other->selected_.get());
    else
        selected_.reset();
    transparency_ = other->transparency_;
    treatNulls_ = other->treatNulls_;
    // The marks' settings, while they stay as visible as they were.
    if (const TSeriesMarks* marks = other->MarksOrNull()) {
        const bool visible = HasMarks() && Marks().Visible();
        Marks().Assign(const_cast<TSeriesMarks*>(marks));
        Marks().SetVisible(visible);
    }
}

void TChartSeries::CopySettings(TChartSeries* other)
{
    if (TComponent* source = DataSource()) RemoveDataSource(source);
    const bool crossed = other->YMandatory() != yMandatory_;
    xValues_->Assign(crossed ? other->YValues() : other->XValues());
    yValues_->Assign(crossed ? other->XValues() : other->YValues());
    xLabelsSource_ = other->xLabelsSource_;
    colorSource_ = other->colorSource_;
    colorEachPoint_ = other->colorEachPoint_;
    const int extras = std::min(valueLists_.Count(), other->valueLists_.Count());
    for (int i = 2; i < extras; ++i) valueLists_.ValueListAt(i)->Assign(other->valueLists_.ValueListAt(i));
    CopyAppearance(other);
    pickedColor_ = other->pickedColor_;
    reactions_ = other->reactions_;
    ResolveAxes();
}

void TChartSeries::Assign(TPersistent* source)
{
    TCustomChartSeries::Assign(source);
    auto* other = dynamic_cast<TChartSeries*>(source);
    if (!other) return;
    CopySettings(other);
    if (other->HasMarks() || HasMarks()) Marks().SetVisible(other->HasMarks() && other->MarksOrNull()->Visible());
    if (other->function_ && !function_) {
        TZebFunction* moved = other->function_;
        other->function_ = nullptr;
        moved->RemoveFreeNotification(other);
        AttachFunction(moved);
    }
    manualData_ = other->manualData_;
    if (!other->HasDataSources() || other->manualData_) {
        const bool copyPoints = other->dataMark_ == dmForceData ||
                                (other->dataMark_ == dmNone && (other->manualData_ || !other->IsDesigning()));
        if (copyPoints) ReloadFromSource(other);
    } else {
        for (TComponent* c : *other->dataSources_)
            if (!HasDataSources() || dataSources_->IndexOf(c) < 0) linkSource(c);
    }
    RefreshData();
}

// ---- hover, selection, clicks ----

TZebSelected* TChartSeries::Selected()
{
    if (!selected_) selected_ = std::make_unique<TZebSelected>(this);
    return selected_.get();
}

void TChartSeries::SetSelected(TZebSelected* value)
{
    if (!value)
        selected_.reset();
    else
        Selected()->Assign(value);
}

bool TChartSeries::IsHoverEnabled() const
{
    if (ParentChart() && !ParentChart()->Hover()->Visible()) return false;
    return selected_ && selected_->Hover()->Visible();
}

bool TChartSeries::TrackHover(int x, int y)
{
    hoverPart_ = 0;
    const bool interested = cursor_ != crDefault || bool(onMouseEnter_) || bool(onMouseLeave_);
    if (!interested && !IsHoverEnabled()) return false;
    int index = HoverPartHitTest(x, y);
    bool result = false;
    if (index == -1) {
        // A mark under the mouse is hovered (part 3) without entering the series.
        if (HasVisibleMarks()) index = MarksOrNull()->MarkIndexAt({x, y});
        if (index == -1 && mouseInside_) {
            mouseInside_ = false;
            if (onMouseLeave_) onMouseLeave_(this);
        }
    } else {
        if (cursor_ != crDefault && IsPointUsable(index) && ParentChart()) ParentChart()->SetCursor(cursor_);
        if (!mouseInside_) {
            mouseInside_ = true;
            if (onMouseEnter_) onMouseEnter_(this);
        }
        result = interested;
    }
    Selected()->SetHoverIndex(index);
    return result;
}

int TChartSeries::HoverPartHitTest(int x, int y)
{
    const int index = HitTest(x, y);
    if (index != -1) hoverPart_ = 1;
    return index;
}

bool TChartSeries::PointerHitTest(int x, int y)
{
    const bool hit = IsOverPointer(x, y);
    if (hit) hoverPart_ = 2;
    return hit;
}

int TChartSeries::HoveredPointIndex() const
{
    return selected_ && IsHoverEnabled() && hoverPart_ == 1 ? selected_->HoverIndex() : -1;
}

int TChartSeries::HoveredMarkIndex() const
{
    return selected_ && IsHoverEnabled() && hoverPart_ == 3 ? selected_->HoverIndex() : -1;
}

bool TChartSeries::IsPointHovered(int index) const
{
    if (HoveredMarkIndex() == index && hoverElement_.Contains(heCurrent)) return true;
    const int hovered = HoveredPointIndex();
    if (hovered == -1 || !hoverElement_.Contains(heJoin)) return false;
    return (hoverElement_.Contains(hePrevious) && index == hovered) ||
           (hoverElement_.Contains(heNext) && index == hovered + 1);
}

bool TChartSeries::ApplyHoverPen(int index)
{
    if (index == -1 || !selected_ || !IsHoverEnabled() || index != selected_->HoverIndex()) return false;
    TCustomAxisPanel* chart = ParentChart();
    if (!chart || !chart->Canvas3D()) return false;
    chart->Canvas3D()->UsePen(*selected_->Hover()->Pen());
    return true;
}

void TChartSeries::FirePointClick(int index, TMouseButton button, TShiftState shift, int x, int y)
{
    if (shift.Contains(ssDouble)) {
        if (onDblClick_) onDblClick_(this, index, button, shift, x, y);
    } else if (onClick_) {
        onClick_(this, index, button, shift, x, y);
    }
}

// ---- stored form ----

void TChartSeries::DefineProperties(TFiler& filer)
{
    TCustomChartSeries::DefineProperties(filer);
    filer.DefineProperty(
        "DataSources", [this](TReader& reader) { readDataSources(reader); },
        [this](TWriter& writer) { writeDataSources(writer); }, dataSources_ && dataSources_->Count() > 1);
    TCustomAxisPanel* chart = ParentChart();
    const auto axisIndex = [chart](TChartAxis* axis) {
        return chart && axis && axis->Collection() == chart->CustomAxes() ? axis->Index() : -1;
    };
    filer.DefineProperty(
        "CustomHorizAxis", [this](TReader& reader) { readCustomAxis(reader, true); },
        [this, axisIndex](TWriter& writer) { writer.WriteInteger(axisIndex(customHorizAxis_)); },
        axisIndex(customHorizAxis_) >= 0);
    filer.DefineProperty(
        "CustomVertAxis", [this](TReader& reader) { readCustomAxis(reader, false); },
        [this, axisIndex](TWriter& writer) { writer.WriteInteger(axisIndex(customVertAxis_)); },
        axisIndex(customVertAxis_) >= 0);
    defineDataProperties(filer);
}

void TChartSeries::readDataSources(TReader& reader)
{
    storedSourceNames_ = std::make_unique<std::vector<String>>();
    reader.ReadListBegin();
    while (!reader.EndOfList()) storedSourceNames_->push_back(reader.ReadString());
    reader.ReadListEnd();
}

void TChartSeries::writeDataSources(TWriter& writer)
{
    writer.WriteListBegin();
    for (TComponent* source : *dataSources_) writer.WriteString(source->Name());
    writer.WriteListEnd();
}

void TChartSeries::readCustomAxis(TReader& reader, bool horizontal)
{
    const int index = reader.ReadInteger();
    TCustomAxisPanel* chart = ParentChart();
    // A position outside the chart's custom axes names no axis.
    if (!chart || index < 0 || index >= chart->CustomAxes()->Count()) return;
    TChartAxis* axis = chart->CustomAxes()->GetAxisAt(index);
    if (horizontal)
        SetCustomHorizAxis(axis);
    else
        SetCustomVertAxis(axis);
}

// ---- stored-data tests ----

bool XValuesNeedStoring(const TChartSeries& series)
{
    const int n = series.Count();
    if (!series.StoreXValues() || n == 0) return false;
    const TChartValueList* x = series.XValues();
    for (int i = 0; i < n; ++i)
        if (x->ValueAt(i) != i) return true;
    return false;
}

bool HasOwnColors(const TChartSeries& series)
{
    if (!series.HasPointColors()) return false;
    const TColor own = series.SeriesColor();
    for (int i = 0; i < series.Count(); ++i) {
        const TColor c = series.GetStoredColor(i);
        if (c != clAutomatic && c != own) return true;
    }
    return false;
}

bool HasAnyLabel(const TChartSeries& series)
{
    const TLabelsList& labels = series.Labels();
    if (labels.NonEmptyCount() == 0) return false;
    const int n = std::min(series.Count(), labels.Count());
    for (int i = 0; i < n; ++i)
        if (!labels.GetLabel(i).empty()) return true;
    return false;
}
