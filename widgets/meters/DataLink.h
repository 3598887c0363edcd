#pragma once
// A minimal data-aware layer: a dataset of records with typed fields, a data source that connects it to
// controls, and field links that follow one field and write back into it. The dataset keeps its
// records in memory.
#include <variant>
#include <vector>

#include "platform/classes/Component.h"
#include "platform/classes/MethodEvent.h"
#include "platform/rtl/Exceptions.h"

class EDatabaseError : public Exception {
public:
    using Exception::Exception;
};

enum TFieldType { ftUnknown, ftString, ftSmallint, ftInteger, ftWord, ftBoolean, ftFloat };
enum TDataSetState { dsInactive, dsBrowse, dsEdit };

class TDataSet;
class TDataSource;
class TDataLink;

class TField {
public:
    TField(TDataSet& dataSet, String name, TFieldType type, int index);

    const String& FieldName() const { return name_; }
    TFieldType DataType() const { return type_; }
    TDataSet& DataSet() const { return dataSet_; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v) { readOnly_ = v; }
    bool IsIndexField() const { return indexField_; }
    void SetIndexField(bool v) { indexField_ = v; }
    bool CanModify() const;

    int AsInteger() const;
    double AsFloat() const;
    bool AsBoolean() const;
    String AsString() const;
    // EDatabaseError when the dataset is not being edited or the field is read-only.
    void SetAsInteger(int v);
    void SetAsFloat(double v);
    void SetAsBoolean(bool v);
    void SetAsString(const String& v);

private:
    using Value = std::variant<std::monostate, int, double, bool, String>;
    const Value& value() const;
    void setValue(Value v);

    TDataSet& dataSet_;
    String name_;
    TFieldType type_;
    int index_;
    bool readOnly_ = false;
    bool indexField_ = false;
    friend class TDataSet;
};

// Records in memory; one current record that Edit/Post change.
class TDataSet : public TComponent {
    TV_CLASS(TDataSet, TComponent)
public:
    explicit TDataSet(TComponent* owner);
    ~TDataSet() override;

    TField& AddField(const String& name, TFieldType type);  // only while inactive
    int FieldCount() const { return static_cast<int>(fields_.size()); }
    TField* FindField(const String& name) const;
    TField& FieldByName(const String& name) const;  // EDatabaseError "Field 'x' not found"

    bool Active() const { return state_ != dsInactive; }
    void SetActive(bool v);
    void Open() { SetActive(true); }
    void Close() { SetActive(false); }
    TDataSetState State() const { return state_; }
    bool CanModify() const { return !readOnly_; }
    void SetReadOnly(bool v) { readOnly_ = v; }

    void Append();  // a new empty record becomes current (browse state)
    int RecordCount() const { return static_cast<int>(records_.size()); }
    int RecNo() const { return current_; }
    void SetRecNo(int index);  // moves to another record; the links see a record change
    virtual void Edit();
    void Post();
    void Cancel();
    // Lets the links write pending control values into the fields.
    void UpdateRecord();

private:
    using Record = std::vector<TField::Value>;
    void checkActive() const;
    void fieldChanged(TField& field);
    void stateChanged();
    void recordChanged();
    void addSource(TDataSource* s);
    void removeSource(TDataSource* s);

    std::vector<std::unique_ptr<TField>> fields_;
    std::vector<Record> records_;
    Record saved_;  // the current record before Edit
    int current_ = -1;
    TDataSetState state_ = dsInactive;
    bool readOnly_ = false;
    std::vector<TDataSource*> sources_;
    friend class TField;
    friend class TDataSource;
};

class TDataSource : public TComponent {
    TV_CLASS(TDataSource, TComponent)
public:
    explicit TDataSource(TComponent* owner);
    ~TDataSource() override;

    TDataSet* DataSet() const { return dataSet_; }
    void SetDataSet(TDataSet* v);
    TDataSetState State() const { return dataSet_ ? dataSet_->State() : dsInactive; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v) { enabled_ = v; }

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    void addLink(TDataLink* l) { links_.push_back(l); }
    void removeLink(TDataLink* l);
    void fieldChanged(TField* field);
    void stateChanged();

    TDataSet* dataSet_ = nullptr;
    bool enabled_ = true;
    std::vector<TDataLink*> links_;
    friend class TDataSet;
    friend class TDataLink;
};

class TDataLink {
public:
    TDataLink() = default;
    virtual ~TDataLink();
    TDataLink(const TDataLink&) = delete;
    TDataLink& operator=(const TDataLink&) = delete;

    TDataSource* DataSource() const { return source_; }
    void SetDataSource(TDataSource* v);
    TDataSet* DataSet() const { return source_ ? source_->DataSet() : nullptr; }
    bool Active() const { return source_ && source_->Enabled() && DataSet() && DataSet()->Active(); }
    bool Editing() const { return Active() && DataSet()->State() == dsEdit; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v) { readOnly_ = v; }
    bool DataSourceFixed() const { return false; }

    // Puts the dataset into edit state (unless read-only); true when it is being edited.
    bool Edit();
    void Modified() { modified_ = true; }
    // Writes a pending modification into the record (UpdateData).
    void UpdateRecord();

protected:
    virtual void ActiveChanged() {}
    virtual void EditingChanged() {}
    virtual void RecordChanged(TField* /*field*/) {}
    virtual void UpdateData() {}

private:
    TDataSource* source_ = nullptr;
    bool readOnly_ = false;
    bool modified_ = false;
    bool updating_ = false;
    friend class TDataSource;
};

// Follows one field of the current record.
class TFieldDataLink : public TDataLink {
public:
    TFieldDataLink() = default;

    TComponent* Control() const { return control_; }
    void SetControl(TComponent* c) { control_ = c; }
    const String& FieldName() const { return fieldName_; }
    void SetFieldName(const String& v);
    TField* Field() const;
    bool CanModify() const;

    const TNotifyEvent& OnDataChange() const { return onDataChange_; }
    void SetOnDataChange(const TNotifyEvent& e) { onDataChange_ = e; }
    const TNotifyEvent& OnUpdateData() const { return onUpdateData_; }
    void SetOnUpdateData(const TNotifyEvent& e) { onUpdateData_ = e; }

protected:
    void ActiveChanged() override;
    void RecordChanged(TField* field) override;
    void UpdateData() override;

private:
    TComponent* control_ = nullptr;
    String fieldName_;
    TNotifyEvent onDataChange_, onUpdateData_;
};
