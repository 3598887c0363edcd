#include "SampleClasses.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/classes/TypeInfo.h"

TV_PUBLISHED(TSampleFont)
{
    PropColor("Color", &TSampleFont::Color, &TSampleFont::SetColor, clSampleBlack);
    Prop("Size", &TSampleFont::Size, &TSampleFont::SetSize, 8);
    Prop("Name", &TSampleFont::Name, &TSampleFont::SetName, "Arial");
    PropSet("Style", &TSampleFont::Style, &TSampleFont::SetStyle, TSampleFontStyles{}, TSampleFontStyleNames);
}

void TSampleFont::Assign(TPersistent* source)
{
    if (auto* f = dynamic_cast<TSampleFont*>(source)) {
        color_ = f->color_;
        size_ = f->size_;
        name_ = f->name_;
        style_ = f->style_;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

TV_PUBLISHED(TSampleItem)
{
    Prop("Caption", &TSampleItem::Caption, &TSampleItem::SetCaption);
    Prop("Value", &TSampleItem::Value, &TSampleItem::SetValue, 0);
    Prop("Weight", &TSampleItem::Weight, &TSampleItem::SetWeight);
}

void TSampleItem::Assign(TPersistent* source)
{
    if (auto* i = dynamic_cast<TSampleItem*>(source)) {
        caption_ = i->caption_;
        value_ = i->value_;
        weight_ = i->weight_;
        return;
    }
    TCollectionItem::Assign(source);
}

TV_PUBLISHED(TSampleShape)
{
    Prop("Count", &TSampleShape::Count, &TSampleShape::SetCount, 0);
    Prop("Big", &TSampleShape::Big, &TSampleShape::SetBig, 0);
    PropEnum("Style", &TSampleShape::Style, &TSampleShape::SetStyle, ssSolid, TSampleStyleNames);
    PropSet("Options", &TSampleShape::Options, &TSampleShape::SetOptions, TSampleFontStyles{sfBold},
            TSampleFontStyleNames);
    Prop("Visible", &TSampleShape::Visible, &TSampleShape::SetVisible, true);
    Prop("Letter", &TSampleShape::Letter, &TSampleShape::SetLetter, 'A');
    Prop("Ratio", &TSampleShape::Ratio, &TSampleShape::SetRatio);
    Prop("Scale", &TSampleShape::Scale, &TSampleShape::SetScale);
    Prop("Precise", &TSampleShape::Precise, &TSampleShape::SetPrecise);
    PropDate("When", &TSampleShape::When, &TSampleShape::SetWhen);
    Prop("Caption", &TSampleShape::Caption, &TSampleShape::SetCaption);
    PropColor("Color", &TSampleShape::Color, &TSampleShape::SetColor, clSampleWindow);
    PropCursor("Cursor", &TSampleShape::Cursor, &TSampleShape::SetCursor, 0);
    Prop("Font", &TSampleShape::Font, &TSampleShape::SetFont);
    Prop("Partner", &TSampleShape::Partner, &TSampleShape::SetPartner);
    Prop("Items", &TSampleShape::Items, &TSampleShape::SetItems);
    Prop("Lines", &TSampleShape::Lines, &TSampleShape::SetLines);
    Prop("Title", &TSampleShape::Title, &TSampleShape::SetTitle).Stored(&TSampleShape::IsTitleStored);
    Prop("Version", &TSampleShape::Version, nullptr);
    Prop("OnClick", &TSampleShape::OnClick, &TSampleShape::SetOnClick);
}

TSampleShape::TSampleShape(TComponent* owner)
    : TComponent(owner), font_(new TSampleFont), items_(new TOwnedCollection(this, TSampleItem::StaticClass()))
{
}

TSampleShape::~TSampleShape()
{
    delete font_;
    delete items_;
    if (Detail) Detail->Free();
}

void TSampleShape::SetPartner(TSampleShape* value)
{
    if (partner_ == value) return;
    if (partner_) partner_->RemoveFreeNotification(this);
    partner_ = value;
    if (partner_) partner_->FreeNotification(this);
}

void TSampleShape::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == partner_) partner_ = nullptr;
}

void TSampleShape::Loaded()
{
    TComponent::Loaded();
    ++LoadedCount;
    PartnerNameAtLoaded = partner_ ? partner_->Name() : String("(none)");
}

void TSampleShape::DefineProperties(TFiler& filer)
{
    TComponent::DefineProperties(filer);
    filer.DefineProperty(
        "Palette",
        [this](TReader& r) {
            Palette.clear();
            r.ReadListBegin();
            while (!r.EndOfList()) {
                if (r.NextValue() == vaIdent) {
                    Int64 v = 0;
                    if (!IdentToIntOf("TColor", r.ReadIdent(), v)) throw EReadError("Invalid property value");
                    Palette.push_back(static_cast<int>(v));
                } else {
                    Palette.push_back(r.ReadInteger());
                }
            }
            r.ReadListEnd();
        },
        [this](TWriter& w) {
            w.WriteListBegin();
            for (int c : Palette) {
                String ident;
                if (IntToIdentOf("TColor", c, ident))
                    w.WriteIdent(ident);
                else
                    w.WriteInteger(c);
            }
            w.WriteListEnd();
        },
        !Palette.empty());
    filer.DefineProperty(
        "Multiplier", [this](TReader& r) { scale_ = r.ReadFloat(); }, nullptr, false);
    filer.DefineBinaryProperty(
        "Data",
        [this](TStream& s) {
            Data.resize(static_cast<size_t>(s.Size()));
            s.ReadBuffer(Data.data(), s.Size());
        },
        [this](TStream& s) { s.WriteBuffer(Data.data(), static_cast<std::int64_t>(Data.size())); }, !Data.empty());
    filer.DefineBinaryProperty(
        "Detail",
        [this](TStream& s) {
            if (!Detail) Detail = new TSampleShape(nullptr);
            ReadComponentFromStream(s, Detail);
        },
        [this](TStream& s) { WriteComponentToStream(s, Detail); }, Detail != nullptr);
}

TV_PUBLISHED(TSampleForm)
{
    Method("ShapeClick", &TSampleForm::ShapeClick);
    Method("OtherClick", &TSampleForm::OtherClick);
}

void TSampleForm::GetChildren(const TGetChildProc& proc, TComponent* root)
{
    (void)root;
    for (int i = 0; i < ComponentCount(); ++i) proc(Components(i));
}

void RegisterSampleClasses()
{
    // Stands in for the graphics layer's colour identifiers.
    RegisterIntegerConsts(
        "TColor",
        [](const String& ident, Int64& v) {
            const struct {
                const char* name;
                int value;
            } map[] = {{"clBlack", clSampleBlack}, {"clRed", clSampleRed}, {"clWindow", clSampleWindow}};
            for (const auto& m : map)
                if (ident == m.name) {
                    v = m.value;
                    return true;
                }
            return false;
        },
        [](Int64 v, String& ident) {
            if (v == clSampleBlack) {
                ident = "clBlack";
                return true;
            }
            if (v == clSampleRed) {
                ident = "clRed";
                return true;
            }
            if (v == clSampleWindow) {
                ident = "clWindow";
                return true;
            }
            return false;
        });
    RegisterClasses({&TSampleFont::StaticClass(), &TSampleItem::StaticClass(), &TSampleShape::StaticClass(),
                     &TSampleForm::StaticClass()});
}

namespace {
// Every test may name the sample classes in a stream, whichever runs first.
const bool g_sampleClassesRegistered = (RegisterSampleClasses(), true);
}  // namespace
