#include <gtest/gtest.h>

#include "platform/forms/Messages.h"
#include "widgets/meters/DB180Meter.h"

namespace {

// A dataset whose records cannot be edited from some point on (a locked table).
class LockingDataSet : public TDataSet {
public:
    using TDataSet::TDataSet;
    bool locked = false;
    void Edit() override
    {
        if (locked) throw EDatabaseError("Record locked");
        TDataSet::Edit();
    }
};

struct Bound {
    TOwnedPtr<TComponent> owner{new TComponent(nullptr)};
    LockingDataSet* data = new LockingDataSet(owner.get());
    TDataSource* source = new TDataSource(owner.get());
    TVnDB180Meter* meter = new TVnDB180Meter(owner.get());
    int valueChanges = 0;

    Bound()
    {
        data->AddField("Angle", ftFloat);
        data->AddField("Count", ftInteger);
        data->AddField("On", ftBoolean);
        data->AddField("Name", ftString);
        data->Open();
        data->Append();
        data->Edit();
        data->FieldByName("Angle").SetAsFloat(0);
        data->Post();
        source->SetDataSet(data);
        meter->Loaded();
        meter->SetOnValueChange(TNotifyEvent([this](TObject*) { ++valueChanges; }));
    }
    void bind(const char* field, bool readOnly = true)
    {
        meter->SetDataSource(source);
        meter->SetDataField(field);
        meter->SetDataReadOnly(readOnly);
    }
    void setField(const char* field, auto setter)
    {
        data->Edit();
        setter(data->FieldByName(field));
        data->Post();
    }
};

}  // namespace

TEST(DataLink, WithoutADataSourceTheMeterJustMoves)
{
    Bound b;
    EXPECT_TRUE(b.meter->DataReadOnly());
    b.meter->SetValue(33);
    EXPECT_FLOAT_EQ(b.meter->Value(), 33);
    EXPECT_FALSE(b.meter->DataLink()->PutValue(12));
    EXPECT_FLOAT_EQ(b.data->FieldByName("Angle").AsFloat(), 0);
}

TEST(DataLink, FieldChangesMoveTheNeedle)
{
    struct Case {
        const char* field;
        double value;
        float meter;
        int asInt;
        bool asBool;
        int kind;
    };
    const Case cases[] = {
        {"Angle", 2.7, 2.7f, 2, false, 1}, {"Angle", 1.0, 1.0f, 1, true, 1}, {"Angle", -3.9, -3.9f, -3, false, 1},
        {"Count", 42, 42, 42, false, 0},   {"Count", 1, 1, 1, true, 0},      {"On", 1, 1, 1, true, 2},
    };
    for (const auto& c : cases) {
        Bound b;
        b.bind(c.field);
        b.setField(c.field, [&](TField& f) { f.SetAsFloat(c.value); });
        const TVnFieldDataLink& link = *b.meter->DataLink();
        EXPECT_EQ(link.Kind(), c.kind) << c.field << " " << c.value;
        EXPECT_FLOAT_EQ(b.meter->Value(), c.meter) << c.field << " " << c.value;
        EXPECT_EQ(link.ValueInt(), c.asInt) << c.field << " " << c.value;
        EXPECT_EQ(link.ValueBool(), c.asBool) << c.field << " " << c.value;
    }
}

TEST(DataLink, BooleanFieldTurningTrueSetsOne)
{
    Bound b;
    b.bind("On");
    b.meter->SetValue(40);
    b.setField("On", [](TField& f) { f.SetAsBoolean(true); });
    EXPECT_FLOAT_EQ(b.meter->Value(), 1);
    b.setField("On", [](TField& f) { f.SetAsBoolean(false); });
    EXPECT_FLOAT_EQ(b.meter->Value(), 0);
}

TEST(DataLink, ScrollingToAnotherRecordShowsItsValue)
{
    Bound b;
    b.bind("Angle");
    b.data->Append();
    b.setField("Angle", [](TField& f) { f.SetAsFloat(12.5); });
    EXPECT_FLOAT_EQ(b.meter->Value(), 12.5f);
    b.data->SetRecNo(0);
    EXPECT_FLOAT_EQ(b.meter->Value(), 0);
}

TEST(DataLink, UnsupportedFieldTypeUnbindsItself)
{
    Bound b;
    b.bind("Name");
    b.setField("Name", [](TField& f) { f.SetAsString("abc"); });
    EXPECT_EQ(b.meter->DataField(), "");
    EXPECT_EQ(b.meter->DataLink()->Kind(), 3);
    EXPECT_FLOAT_EQ(b.meter->Value(), 50);
}

TEST(DataLink, WritesBackWithoutEcho)
{
    Bound b;
    b.bind("Angle", false);
    b.meter->SetValue(30);
    b.meter->SetValue(-30);  // extremes taken: later values raise one value event each
    b.valueChanges = 0;
    b.meter->SetValue(21.5f);
    EXPECT_DOUBLE_EQ(b.data->FieldByName("Angle").AsFloat(), 21.5);
    EXPECT_EQ(b.valueChanges, 1);
    EXPECT_FALSE(b.meter->DataLink()->Writing());
    b.data->Post();
    EXPECT_DOUBLE_EQ(b.data->FieldByName("Angle").AsFloat(), 21.5);

    b.bind("Count", false);
    b.meter->SetValue(7.8f);
    EXPECT_EQ(b.data->FieldByName("Count").AsInteger(), 7);  // truncated, as the link keeps it
}

TEST(DataLink, ReadOnlyBindingAndFieldsAreNotWritten)
{
    Bound b;
    b.bind("Angle", true);
    b.meter->SetValue(5);
    EXPECT_DOUBLE_EQ(b.data->FieldByName("Angle").AsFloat(), 0);
    b.meter->SetDataReadOnly(false);
    b.data->FieldByName("Angle").SetReadOnly(true);
    b.meter->SetValue(6);
    EXPECT_DOUBLE_EQ(b.data->FieldByName("Angle").AsFloat(), 0);
    b.data->FieldByName("Angle").SetReadOnly(false);
    b.data->FieldByName("Angle").SetIndexField(true);
    b.meter->SetValue(7);
    EXPECT_DOUBLE_EQ(b.data->FieldByName("Angle").AsFloat(), 0);
}

TEST(DataLink, DatabaseErrorMakesTheBindingReadOnly)
{
    Bound b;
    b.bind("Angle", false);
    b.data->locked = true;
    EXPECT_NO_THROW(b.meter->SetValue(9));
    EXPECT_FLOAT_EQ(b.meter->Value(), 9);
    EXPECT_TRUE(b.meter->DataReadOnly());
    EXPECT_DOUBLE_EQ(b.data->FieldByName("Angle").AsFloat(), 0);
}

TEST(DataLink, RemovingTheDataSourceUnbinds)
{
    Bound b;
    b.bind("Angle");
    b.source->Free();
    EXPECT_EQ(b.meter->DataSource(), nullptr);
    b.meter->SetValue(3);
    EXPECT_FLOAT_EQ(b.meter->Value(), 3);
}

TEST(DataLink, MeterAnswersTheDataLinkQuery)
{
    Bound b;
    const intptr answer = b.meter->Perform(CM_GETDATALINK);
    EXPECT_EQ(reinterpret_cast<TFieldDataLink*>(answer), b.meter->DataLink());
}

TEST(DataSet, FieldsRefuseWritesOutsideEditing)
{
    Bound b;
    EXPECT_THROW(b.data->FieldByName("Angle").SetAsFloat(1), EDatabaseError);
    EXPECT_THROW(b.data->FieldByName("Missing"), EDatabaseError);
    b.data->Edit();
    b.data->FieldByName("Angle").SetAsFloat(4);
    b.data->Cancel();
    EXPECT_DOUBLE_EQ(b.data->FieldByName("Angle").AsFloat(), 0);
}
