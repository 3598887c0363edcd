#include "widgets/meters/DataLink.h"

#include <algorithm>
#include <cmath>

#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"
#include "platform/rtl/Strings.h"

// ---- TField ----

TField::TField(TDataSet& dataSet, String name, TFieldType type, int index)
    : dataSet_(dataSet), name_(std::move(name)), type_(type), index_(index)
{
}

bool TField::CanModify() const { return !readOnly_ && dataSet_.CanModify(); }

const TField::Value& TField::value() const
{
    static const Value empty;
    const auto& ds = dataSet_;
    if (ds.current_ < 0 || ds.current_ >= static_cast<int>(ds.records_.size())) return empty;
    return ds.records_[ds.current_][index_];
}

int TField::AsInteger() const
{
    const Value& v = value();
    if (auto* i = std::get_if<int>(&v)) return *i;
    if (auto* d = std::get_if<double>(&v)) return static_cast<int>(std::lround(*d));
    if (auto* b = std::get_if<bool>(&v)) return *b ? 1 : 0;
    return 0;
}

double TField::AsFloat() const
{
    const Value& v = value();
    if (auto* d = std::get_if<double>(&v)) return *d;
    if (auto* i = std::get_if<int>(&v)) return *i;
    if (auto* b = std::get_if<bool>(&v)) return *b ? 1 : 0;
    return 0;
}

bool TField::AsBoolean() const
{
    const Value& v = value();
    if (auto* b = std::get_if<bool>(&v)) return *b;
    if (auto* i = std::get_if<int>(&v)) return *i != 0;
    if (auto* d = std::get_if<double>(&v)) return *d != 0;
    return false;
}

String TField::AsString() const
{
    const Value& v = value();
    if (auto* s = std::get_if<String>(&v)) return *s;
    if (auto* i = std::get_if<int>(&v)) return std::to_string(*i);
    if (auto* d = std::get_if<double>(&v)) return std::to_string(*d);
    if (auto* b = std::get_if<bool>(&v)) return *b ? "True" : "False";
    return {};
}

void TField::setValue(Value v)
{
    if (dataSet_.state_ != dsEdit) throw EDatabaseError(dataSet_.Name() + ": Dataset not in edit or insert mode");
    if (!CanModify()) throw EDatabaseError("Field '" + name_ + "' cannot be modified");
    dataSet_.records_[dataSet_.current_][index_] = std::move(v);
    dataSet_.fieldChanged(*this);
}

void TField::SetAsInteger(int v)
{
    if (type_ == ftFloat) return setValue(double(v));
    if (type_ == ftBoolean) return setValue(v != 0);
    setValue(v);
}

void TField::SetAsFloat(double v)
{
    if (type_ == ftSmallint || type_ == ftInteger || type_ == ftWord) return setValue(static_cast<int>(std::lround(v)));
    if (type_ == ftBoolean) return setValue(v != 0);
    setValue(v);
}

void TField::SetAsBoolean(bool v)
{
    if (type_ == ftBoolean) return setValue(v);
    if (type_ == ftFloat) return setValue(v ? 1.0 : 0.0);
    setValue(v ? 1 : 0);
}

void TField::SetAsString(const String& v) { setValue(v); }

// ---- TDataSet ----

TV_PUBLISHED(TDataSet) {}

TDataSet::TDataSet(TComponent* owner) : TComponent(owner) {}

TDataSet::~TDataSet()
{
    for (TDataSource* s : std::vector<TDataSource*>(sources_)) s->SetDataSet(nullptr);
}

TField& TDataSet::AddField(const String& name, TFieldType type)
{
    if (Active()) throw EDatabaseError("Cannot add a field to an open dataset");
    fields_.push_back(std::make_unique<TField>(*this, name, type, static_cast<int>(fields_.size())));
    return *fields_.back();
}

TField* TDataSet::FindField(const String& name) const
{
    for (const auto& f : fields_)
        if (SameText(f->FieldName(), name)) return f.get();
    return nullptr;
}

TField& TDataSet::FieldByName(const String& name) const
{
    if (TField* f = FindField(name)) return *f;
    throw EDatabaseError("Field '" + name + "' not found");
}

void TDataSet::SetActive(bool v)
{
    if (v == Active()) return;
    state_ = v ? dsBrowse : dsInactive;
    if (v && current_ < 0 && !records_.empty()) current_ = 0;
    stateChanged();
}

void TDataSet::checkActive() const
{
    if (!Active()) throw EDatabaseError("Cannot perform this operation on a closed dataset");
}

void TDataSet::Append()
{
    checkActive();
    if (state_ == dsEdit) Post();
    records_.emplace_back(fields_.size());
    current_ = static_cast<int>(records_.size()) - 1;
    recordChanged();
}

void TDataSet::SetRecNo(int index)
{
    checkActive();
    if (index < 0 || index >= RecordCount() || index == current_) return;
    if (state_ == dsEdit) Post();
    current_ = index;
    recordChanged();
}

void TDataSet::Edit()
{
    checkActive();
    if (state_ == dsEdit) return;
    if (!CanModify()) throw EDatabaseError("Cannot modify a read-only dataset");
    if (current_ < 0) Append();
    saved_ = records_[current_];
    state_ = dsEdit;
    stateChanged();
}

void TDataSet::Post()
{
    if (state_ != dsEdit) return;
    UpdateRecord();
    state_ = dsBrowse;
    stateChanged();
}

void TDataSet::Cancel()
{
    if (state_ != dsEdit) return;
    records_[current_] = saved_;
    state_ = dsBrowse;
    stateChanged();
    recordChanged();
}

void TDataSet::UpdateRecord()
{
    if (state_ != dsEdit) throw EDatabaseError(Name() + ": Dataset not in edit or insert mode");
    for (TDataSource* s : std::vector<TDataSource*>(sources_))
        for (TDataLink* l : std::vector<TDataLink*>(s->links_)) l->UpdateRecord();
}

void TDataSet::fieldChanged(TField& field)
{
    for (TDataSource* s : std::vector<TDataSource*>(sources_)) s->fieldChanged(&field);
}

void TDataSet::stateChanged()
{
    for (TDataSource* s : std::vector<TDataSource*>(sources_)) s->stateChanged();
}

void TDataSet::recordChanged()
{
    for (TDataSource* s : std::vector<TDataSource*>(sources_)) s->fieldChanged(nullptr);
}

void TDataSet::addSource(TDataSource* s) { sources_.push_back(s); }

void TDataSet::removeSource(TDataSource* s) { std::erase(sources_, s); }

// ---- TDataSource ----

TV_PUBLISHED(TDataSource)
{
    Prop("DataSet", &TDataSource::DataSet, &TDataSource::SetDataSet);
    Prop("Enabled", &TDataSource::Enabled, &TDataSource::SetEnabled, true);
}

TDataSource::TDataSource(TComponent* owner) : TComponent(owner) {}

TDataSource::~TDataSource()
{
    SetDataSet(nullptr);
    for (TDataLink* l : std::vector<TDataLink*>(links_)) l->SetDataSource(nullptr);
}

void TDataSource::SetDataSet(TDataSet* v)
{
    if (v == dataSet_) return;
    if (dataSet_) {
        dataSet_->removeSource(this);
        dataSet_->RemoveFreeNotification(this);
    }
    dataSet_ = v;
    if (v) {
        v->addSource(this);
        v->FreeNotification(this);
    }
    stateChanged();
}

void TDataSource::Notification(TComponent* component, TOperation operation)
{
    inherited::Notification(component, operation);
    if (operation == opRemove && component == dataSet_) {
        dataSet_->removeSource(this);
        dataSet_ = nullptr;
        stateChanged();
    }
}

void TDataSource::removeLink(TDataLink* l) { std::erase(links_, l); }

void TDataSource::fieldChanged(TField* field)
{
    if (!enabled_) return;
    for (TDataLink* l : std::vector<TDataLink*>(links_)) l->RecordChanged(field);
}

void TDataSource::stateChanged()
{
    for (TDataLink* l : std::vector<TDataLink*>(links_)) {
        l->ActiveChanged();
        l->EditingChanged();
    }
}

// ---- TDataLink ----

TDataLink::~TDataLink()
{
    if (source_) source_->removeLink(this);
}

void TDataLink::SetDataSource(TDataSource* v)
{
    if (v == source_) return;
    if (source_) source_->removeLink(this);
    source_ = v;
    if (v) v->addLink(this);
    ActiveChanged();
}

bool TDataLink::Edit()
{
    if (!readOnly_ && Active() && DataSet()->State() == dsBrowse) DataSet()->Edit();
    return Editing();
}

void TDataLink::UpdateRecord()
{
    if (!modified_ || updating_) return;
    updating_ = true;
    try {
        UpdateData();
    } catch (...) {
        updating_ = false;
        throw;
    }
    updating_ = false;
    modified_ = false;
}

// ---- TFieldDataLink ----

void TFieldDataLink::SetFieldName(const String& v)
{
    if (AssignIfChanged(fieldName_, v)) RecordChanged(nullptr);
}

TField* TFieldDataLink::Field() const
{
    TDataSet* ds = DataSet();
    return ds && !fieldName_.empty() ? ds->FindField(fieldName_) : nullptr;
}

bool TFieldDataLink::CanModify() const
{
    const TField* f = Field();
    return !ReadOnly() && f && f->CanModify();
}

void TFieldDataLink::ActiveChanged() { RecordChanged(nullptr); }

void TFieldDataLink::RecordChanged(TField* field)
{
    if (field && field != Field()) return;
    if (onDataChange_) onDataChange_(control_);
}

void TFieldDataLink::UpdateData()
{
    if (onUpdateData_) onUpdateData_(control_);
}
