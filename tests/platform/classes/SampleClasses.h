#pragma once
// Sample classes used by the tests, and the pattern to copy for a streamable class:
// TV_CLASS in the header, TV_PUBLISHED with one line per property in the .cpp.
#include <iterator>
#include <memory>
#include <vector>

#include "platform/classes/Assign.h"
#include "platform/classes/Collection.h"
#include "platform/classes/Component.h"
#include "platform/classes/MethodEvent.h"
#include "platform/classes/Sets.h"
#include "platform/rtl/StringList.h"

enum TSampleStyle { ssSolid, ssDash, ssDot, ssClear };
inline constexpr const char* TSampleStyleNames[] = {"ssSolid", "ssDash", "ssDot", "ssClear"};
static_assert(std::size(TSampleStyleNames) == ssClear + 1);

enum TSampleFontStyle { sfBold, sfItalic, sfUnderline, sfStrikeOut };
inline constexpr const char* TSampleFontStyleNames[] = {"sfBold", "sfItalic", "sfUnderline", "sfStrikeOut"};
static_assert(std::size(TSampleFontStyleNames) == sfStrikeOut + 1);
using TSampleFontStyles = TSet<TSampleFontStyle>;

constexpr int clSampleBlack = 0x000000;
constexpr int clSampleRed = 0x0000FF;
constexpr int clSampleWindow = -16777211;  // a system colour: 0xFF000005

class TSampleFont : public TPersistent {
    TV_CLASS(TSampleFont, TPersistent)
public:
    int Color() const { return color_; }
    void SetColor(int value)
    {
        if (AssignIfChanged(color_, value)) Changed();
    }
    int Size() const { return size_; }
    void SetSize(int value)
    {
        if (AssignIfChanged(size_, value)) Changed();
    }
    const String& Name() const { return name_; }
    void SetName(const String& value)
    {
        if (AssignIfChanged(name_, value)) Changed();
    }
    TSampleFontStyles Style() const { return style_; }
    void SetStyle(TSampleFontStyles value)
    {
        if (AssignIfChanged(style_, value)) Changed();
    }
    void Assign(TPersistent* source) override;

    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(TNotifyEvent handler) { onChange_ = std::move(handler); }

private:
    void Changed()
    {
        if (onChange_) onChange_(this);
    }
    TNotifyEvent onChange_;
    int color_ = clSampleBlack;
    int size_ = 8;
    String name_ = "Arial";
    TSampleFontStyles style_;
};

class TSampleItem : public TCollectionItem {
    TV_CLASS(TSampleItem, TCollectionItem)
public:
    using TCollectionItem::TCollectionItem;
    const String& Caption() const { return caption_; }
    void SetCaption(const String& value) { caption_ = value; }
    int Value() const { return value_; }
    void SetValue(int value) { value_ = value; }
    double Weight() const { return weight_; }
    void SetWeight(double value) { weight_ = value; }
    void Assign(TPersistent* source) override;

private:
    String caption_;
    int value_ = 0;
    double weight_ = 0;
};

class TSampleShape : public TComponent {
    TV_CLASS(TSampleShape, TComponent)
public:
    explicit TSampleShape(TComponent* owner);
    ~TSampleShape() override;

    int Count() const { return count_; }
    void SetCount(int value) { count_ = value; }
    Int64 Big() const { return big_; }
    void SetBig(Int64 value) { big_ = value; }
    TSampleStyle Style() const { return style_; }
    void SetStyle(TSampleStyle value) { style_ = value; }
    TSampleFontStyles Options() const { return options_; }
    void SetOptions(TSampleFontStyles value) { options_ = value; }
    bool Visible() const { return visible_; }
    void SetVisible(bool value) { visible_ = value; }
    char Letter() const { return letter_; }
    void SetLetter(char value) { letter_ = value; }
    float Ratio() const { return ratio_; }
    void SetRatio(float value) { ratio_ = value; }
    double Scale() const { return scale_; }
    void SetScale(double value) { scale_ = value; }
    Extended Precise() const { return precise_; }
    void SetPrecise(Extended value) { precise_ = value; }
    TDateTime When() const { return when_; }
    void SetWhen(TDateTime value) { when_ = value; }
    const String& Caption() const { return caption_; }
    void SetCaption(const String& value) { caption_ = value; }
    int Color() const { return color_; }
    void SetColor(int value) { color_ = value; }
    int Cursor() const { return cursor_; }
    void SetCursor(int value) { cursor_ = value; }
    TSampleFont* Font() const { return font_; }
    void SetFont(TSampleFont* value) { font_->Assign(value); }
    TSampleShape* Partner() const { return partner_; }
    void SetPartner(TSampleShape* value);
    const TNotifyEvent& OnClick() const { return onClick_; }
    void SetOnClick(const TNotifyEvent& value) { onClick_ = value; }
    TCollection* Items() const { return items_; }
    void SetItems(TCollection* value) { items_->Assign(value); }
    TStrings* Lines() const { return lines_.get(); }
    void SetLines(TStrings* value) { lines_->Assign(*value); }
    int Version() const { return 3; }  // read-only: never written
    // A title stored only when it differs from the one the constructor chose.
    const String& Title() const { return title_; }
    void SetTitle(const String& value) { title_ = value; }
    bool IsTitleStored() const { return title_ != defaultTitle_; }

    // Defined properties: a list of colours (identifier or number), an obsolete value that is
    // read into Scale but never written, raw bytes, and a nested component stream.
    std::vector<int> Palette;
    std::vector<Byte> Data;
    TSampleShape* Detail = nullptr;  // owned, not a child

    int LoadedCount = 0;
    String PartnerNameAtLoaded;

protected:
    void DefineProperties(TFiler& filer) override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    int count_ = 0;
    Int64 big_ = 0;
    TSampleStyle style_ = ssSolid;
    TSampleFontStyles options_{sfBold};
    bool visible_ = true;
    char letter_ = 'A';
    float ratio_ = 0;
    double scale_ = 0;
    Extended precise_ = 0;
    TDateTime when_ = 0;
    String caption_;
    int color_ = clSampleWindow;
    int cursor_ = 0;
    TSampleFont* font_;
    TSampleShape* partner_ = nullptr;
    TNotifyEvent onClick_;
    TCollection* items_;
    std::unique_ptr<TStringList> lines_ = std::make_unique<TStringList>();
    String title_ = "Untitled";
    String defaultTitle_ = "Untitled";
};

// A root: streams its owned shapes as children and publishes handlers for their events.
class TSampleForm : public TComponent {
    TV_CLASS(TSampleForm, TComponent)
public:
    using TComponent::TComponent;
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    void ShapeClick(TObject* sender) { clicks.push_back(sender); }
    void OtherClick(TObject* sender) { others.push_back(sender); }

    std::vector<TObject*> clicks;
    std::vector<TObject*> others;
};

// Registers the sample classes once (idempotent).
void RegisterSampleClasses();
