#include "widgets/meters/DB180Meter.h"

#include <cmath>

#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"
#include "platform/forms/Messages.h"
#include "widgets/meters/GaugeMath.h"
#include "widgets/meters/Register.h"

namespace {
int truncated(float x)
{
    if (std::isnan(x)) return 0;
    return static_cast<int>(std::clamp<double>(std::trunc(x), -2147483648.0, 2147483647.0));
}
}  // namespace

// ---- TVnFieldDataLink ----

TVnFieldDataLink::TVnFieldDataLink()
{
    SetOnDataChange(TNotifyEvent([this](TObject*) { dataChanged(); }));
}

void TVnFieldDataLink::DetermineKind()
{
    const TField* f = Field();
    if (!f) {
        kind_ = 3;
        return;
    }
    switch (f->DataType()) {
    case ftSmallint:
    case ftInteger:
    case ftWord: kind_ = 0; break;
    case ftFloat: kind_ = 1; break;
    case ftBoolean: kind_ = 2; break;
    default:
        // A field the meter cannot show unbinds itself instead of failing.
        kind_ = 3;
        SetFieldName("");
        break;
    }
}

void TVnFieldDataLink::dataChanged()
{
    if (writing_ || !DataSource() || !Field()) return;
    DetermineKind();
    const TField* f = Field();
    if (!f) return;
    switch (kind_) {
    case 0: {
        const int v = f->AsInteger();
        if (!AssignIfChanged(valueInt_, v)) return;
        valueFloat_ = static_cast<float>(v);
        valueBool_ = v == 1;
        break;
    }
    case 1: {
        const auto v = static_cast<float>(f->AsFloat());
        if (v == valueFloat_) return;
        setFromFloat(v);
        break;
    }
    case 2: {
        const bool v = f->AsBoolean();
        if (!AssignIfChanged(valueBool_, v)) return;
        valueInt_ = v ? 1 : 0;
        valueFloat_ = v ? 1.0f : 0.0f;
        break;
    }
    default: return;
    }
    if (onValueChange_) onValueChange_(Control());
}

void TVnFieldDataLink::setFromFloat(float x)
{
    valueFloat_ = x;
    valueInt_ = truncated(x);
    valueBool_ = valueInt_ == 1;
}

bool TVnFieldDataLink::PutValue(float x)
{
    const TField* f = Field();
    if (!CanModify() || !f || f->IsIndexField() || x == valueFloat_) return false;
    try {
        Edit();
    } catch (const EDatabaseError&) {
        // The record cannot be edited: stop trying, keep the meter's value.
        SetReadOnly(true);
        return false;
    }
    setFromFloat(x);
    return WriteToField();
}

bool TVnFieldDataLink::WriteToField()
{
    TField* f = Field();
    if (!DataSet() || !f || !DataSource() || !Active() || f->IsIndexField()) return false;
    DetermineKind();
    bool result = false;
    writing_ = true;
    try {
        if (Edit()) {
            switch (kind_) {
            case 0:
                f->SetAsInteger(valueInt_);
                result = true;
                break;
            case 1:
                f->SetAsFloat(valueFloat_);
                result = true;
                break;
            case 2:
                f->SetAsBoolean(valueBool_);
                result = true;
                break;
            default: break;
            }
        }
        Modified();
        DataSet()->UpdateRecord();
    } catch (const EDatabaseError&) {
        // The field refuses writes: stop trying, keep the meter's value.
        SetReadOnly(true);
        result = false;
    } catch (...) {
        writing_ = false;
        throw;
    }
    writing_ = false;
    return result;
}

// ---- TVnDB180Meter ----

TV_PUBLISHED(TVnDB180Meter)
{
    Prop("DataSource", &TVnDB180Meter::DataSource, &TVnDB180Meter::SetDataSource);
    Prop("DataField", &TVnDB180Meter::DataField, &TVnDB180Meter::SetDataField);
    Prop("DataReadOnly", &TVnDB180Meter::DataReadOnly, &TVnDB180Meter::SetDataReadOnly).NoDefault();
}

TVnDB180Meter::TVnDB180Meter(TComponent* owner) : TVn180Meter(owner), link_(std::make_unique<TVnFieldDataLink>())
{
    link_->SetControl(this);
    link_->SetOnValueChange([this](TObject*) { SetValue(link_->ValueFloat()); });
    link_->SetValueFloat(Value());
    link_->SetReadOnly(true);
}

TVnDB180Meter::~TVnDB180Meter() { link_.reset(); }

void TVnDB180Meter::SetDataSource(TDataSource* v)
{
    if (!(link_->DataSourceFixed() && IsLoading())) link_->SetDataSource(v);
    if (v) v->FreeNotification(this);
}

void TVnDB180Meter::ValueChanged()
{
    inherited::ValueChanged();
    if (link_) link_->PutValue(Value());
}

void TVnDB180Meter::Notification(TComponent* component, TOperation operation)
{
    inherited::Notification(component, operation);
    if (operation == opRemove && link_ && component == link_->DataSource()) SetDataSource(nullptr);
}

void TVnDB180Meter::WndProc(TMessage& message)
{
    if (message.Msg == CM_GETDATALINK) {
        message.Result = reinterpret_cast<intptr>(static_cast<TFieldDataLink*>(link_.get()));
        return;
    }
    inherited::WndProc(message);
}

namespace {
const bool registered = (RegisterMeterControls(), true);
}  // namespace
