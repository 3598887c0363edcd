#pragma once
// The 180-degree meter bound to one field of a dataset: a change of the field moves the needle and,
// unless the binding is read-only, a change of the meter's value is written back into the field.
#include <memory>

#include "platform/forms/Messages.h"
#include "widgets/meters/DataLink.h"
#include "widgets/meters/RoundMeter.h"

// Asks a data-aware control for its link (Result: the TFieldDataLink*).
constexpr Cardinal CM_GETDATALINK = CM_BASE + 55;

// Keeps the bound field's value as an integer, a real and a flag.
class TVnFieldDataLink : public TFieldDataLink {
public:
    TVnFieldDataLink();

    // 0 integer field, 1 real, 2 flag, 3 any other type or no field.
    int Kind() const { return kind_; }
    float ValueFloat() const { return valueFloat_; }
    void SetValueFloat(float v) { valueFloat_ = v; }
    int ValueInt() const { return valueInt_; }
    bool ValueBool() const { return valueBool_; }
    bool Writing() const { return writing_; }
    // Sender: the control of the link.
    const TNotifyEvent& OnValueChange() const { return onValueChange_; }
    void SetOnValueChange(TNotifyEvent handler) { onValueChange_ = std::move(handler); }

    void DetermineKind();
    // Writes x into the field; false when the link cannot modify, x is already there or the write failed.
    bool PutValue(float x);
    bool WriteToField();

private:
    void dataChanged();
    void setFromFloat(float x);

    bool writing_ = false;
    int kind_ = 3;
    TNotifyEvent onValueChange_;
    float valueFloat_ = 0;
    int valueInt_ = 0;
    bool valueBool_ = false;
};

class TVnDB180Meter : public TVn180Meter {
    TV_CLASS(TVnDB180Meter, TVn180Meter)
public:
    explicit TVnDB180Meter(TComponent* owner);
    ~TVnDB180Meter() override;

    TDataSource* DataSource() const { return link_ ? link_->DataSource() : nullptr; }
    void SetDataSource(TDataSource* v);
    String DataField() const { return link_ ? link_->FieldName() : String(); }
    void SetDataField(const String& v) { link_->SetFieldName(v); }
    bool DataReadOnly() const { return link_ && link_->ReadOnly(); }
    void SetDataReadOnly(bool v) { link_->SetReadOnly(v); }
    TVnFieldDataLink* DataLink() const { return link_.get(); }

protected:
    void ValueChanged() override;
    void Notification(TComponent* component, TOperation operation) override;
    void WndProc(TMessage& message) override;

private:
    std::unique_ptr<TVnFieldDataLink> link_;
};
