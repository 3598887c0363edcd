// TReader: properties, collections and components of the binary form, the fix-up of references.
#include "platform/classes/Filer.h"

#include <algorithm>
#include <string_view>

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Collection.h"
#include "platform/classes/Filer_p.h"
#include "platform/classes/TypeInfo.h"
#include "platform/rtl/StringList.h"

using namespace tv_filer;

namespace {
constexpr std::string_view kErrorReading = "Error reading ";

// An inner property (a collection item's) or a defined-property reader has already said where
// reading failed.
bool namesItsPlace(const String& message) { return message.starts_with(kErrorReading); }
}  // namespace

// ---- TReader ---------------------------------------------------------------------------------

struct TReader::Fixup {
    TPersistent* instance;
    const TPropInfo* info;
    String name;
};

TReader::TReader(TStream& stream, int bufSize) : TFiler(stream, bufSize) {}
TReader::~TReader() = default;

void TReader::SetRoot(TComponent* root)
{
    root_ = root;
    lookupRoot_ = root;
}

bool TReader::Error(const String& message)
{
    bool handled = false;
    if (onError_) onError_(*this, message, handled);
    return handled;
}

void TReader::propertyError(const String& message)
{
    // Only a property's value can be skipped; outside one the stream's structure is broken.
    if (propertyDepth_ > 0) {
        if (Error(message)) throw SkipSignal{};
        throw EDeclinedError(message);
    }
    throw EReadError(message);
}

// -- properties --

void TReader::DefineProperty(const String& name, const TReaderProc& readData, const TWriterProc&, bool)
{
    if (definedFound_ || !sameText(name, definedMatch_) || !readData) return;
    definedFound_ = true;
    readData(*this);
}

void TReader::DefineBinaryProperty(const String& name, const TStreamProc& readData, const TStreamProc&, bool)
{
    if (definedFound_ || !sameText(name, definedMatch_) || !readData) return;
    definedFound_ = true;
    std::vector<Byte> bytes;
    ReadBinary(bytes);
    TMemoryStream ms;
    if (!bytes.empty()) ms.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    ms.SetPosition(0);
    readData(ms);
}

void TReader::ReadProperties(TPersistent* instance)
{
    DepthGuard guard;
    while (!EndOfList()) readProperty(instance);
    ReadListEnd();
}

void TReader::readProperty(TPersistent* instance)
{
    struct InProperty {
        int& depth;
        explicit InProperty(int& d) : depth(d) { ++depth; }
        ~InProperty() { --depth; }
    } inProperty(propertyDepth_);
    propName_ = ReadStr();
    // Where the value sits, for the error message: "Form1.Font.Color"; a collection item's
    // property hangs below the collection's ("Form1.Columns.Width").
    const auto* component = dynamic_cast<const TComponent*>(instance);
    const String place = (component ? (component->Name().empty() ? component->ClassName() : component->Name())
                                    : propPlace_) +
                         "." + propName_;
    struct InPlace {
        String& current;
        String saved;
        InPlace(String& c, const String& p) : current(c), saved(c) { current = p; }
        ~InPlace() { current = std::move(saved); }
    } inPlace(propPlace_, place);
    const std::int64_t valueStart = stream_.Position();
    try {
        TPersistent* target = instance;
        String name;
        size_t start = 0;
        for (;;) {
            const size_t dot = propName_.find('.', start);
            name = propName_.substr(start, dot == String::npos ? String::npos : dot - start);
            if (dot == String::npos) break;
            const TPropInfo* info = target->ClassType().FindProperty(name);
            if (info && info->Kind == pkStrings && sameText(propName_.substr(dot + 1), "Strings")) {
                TStrings* strings = info->Access->GetStrings(target);
                if (!strings) propertyError("Property " + propName_ + " does not exist");
                ReadListBegin();
                strings->BeginUpdate();
                try {
                    strings->Clear();
                    while (!EndOfList()) strings->Add(ReadString());
                } catch (...) {
                    strings->EndUpdate();
                    throw;
                }
                strings->EndUpdate();
                ReadListEnd();
                return;
            }
            TObject* sub = info && info->Kind == pkClass ? info->Access->GetObj(target) : nullptr;
            auto* persistent = dynamic_cast<TPersistent*>(sub);
            if (!persistent) propertyError("Property " + propName_ + " does not exist");
            target = persistent;
            start = dot + 1;
        }
        if (const TPropInfo* info = target->ClassType().FindProperty(name)) {
            readPropValue(target, *info);
            return;
        }
        const String saveMatch = definedMatch_;
        const bool saveFound = definedFound_;
        definedMatch_ = name;
        definedFound_ = false;
        try {
            target->DefineProperties(*this);
        } catch (...) {
            definedMatch_ = saveMatch;
            definedFound_ = saveFound;
            throw;
        }
        const bool found = definedFound_;
        definedMatch_ = saveMatch;
        definedFound_ = saveFound;
        if (!found) propertyError("Property " + propName_ + " does not exist");
    } catch (const SkipSignal&) {
        stream_.SetPosition(valueStart);
        SkipValue();
    } catch (const EStreamCorrupt&) {
        throw;
    } catch (Exception& e) {
        // A setter refused the value, or a nested read failed: the handler decides.
        if (dynamic_cast<const EClassNotFound*>(&e) || namesItsPlace(e.Message())) throw;
        const bool declined = dynamic_cast<const EDeclinedError*>(&e) != nullptr;
        if (!declined && Error(e.Message())) {
            stream_.SetPosition(valueStart);
            SkipValue();
            return;
        }
        const String message = String(kErrorReading) + place + ": " + e.Message();
        if (dynamic_cast<const EStreamError*>(&e) && !declined) {
            e.SetMessage(message);
            throw;
        }
        throw EReadError(message);
    }
}

void TReader::readPropValue(TPersistent* instance, const TPropInfo& info)
{
    const TPropAccess& a = *info.Access;
    const bool writable = info.IsWritable();
    if (!writable && info.Kind != pkClass) {
        propertyError("Property " + propName_ + " is read-only");
        return;
    }
    switch (info.Kind) {
    case pkInteger: {
        if (NextValue() == vaIdent) {
            const String ident = ReadIdent();
            Int64 v = 0;
            if (!IdentToIntOf(info.TypeName, ident, v)) propertyError("Invalid property value");
            a.SetOrd(instance, v);
        } else {
            a.SetOrd(instance, ReadInteger());
        }
        return;
    }
    case pkInt64: a.SetOrd(instance, ReadInt64()); return;
    case pkCurrency: a.SetOrd(instance, ReadCurrency()); return;
    case pkChar: a.SetOrd(instance, static_cast<unsigned char>(ReadChar())); return;
    case pkEnum:
    case pkBoolean: {
        const TValueType v = NextValue();
        if (v == vaInt8 || v == vaInt16 || v == vaInt32) {
            const int n = ReadInteger();
            const int count = info.Kind == pkBoolean ? 2 : info.EnumInfo->Count();
            if (n < 0 || n >= count) propertyError("Invalid property value");
            a.SetOrd(instance, n);
            return;
        }
        const String ident = ReadIdent();
        int n = -1;
        if (info.Kind == pkBoolean)
            n = sameText(ident, "True") ? 1 : sameText(ident, "False") ? 0 : -1;
        else
            n = GetEnumValue(*info.EnumInfo, ident);
        if (n < 0) propertyError("Invalid property value");
        a.SetOrd(instance, n);
        return;
    }
    case pkSet: a.SetOrd(instance, static_cast<Int64>(ReadSet(*info.EnumInfo))); return;
    case pkSingle: a.SetFloat(instance, ReadSingle()); return;
    case pkDouble: a.SetFloat(instance, ReadDouble()); return;
    case pkExtended: a.SetFloat(instance, ReadFloat()); return;
    case pkDate: a.SetFloat(instance, ReadDate()); return;
    case pkString: a.SetStr(instance, ReadString()); return;
    case pkClass: {
        const TValueType v = NextValue();
        if (v == vaNil) {
            ReadValue();
            return;
        }
        if (v == vaCollection) {
            auto* collection = dynamic_cast<TCollection*>(a.GetObj(instance));
            if (!collection) propertyError("Invalid property value");
            ReadValue();
            stream_.Seek(-1, soCurrent);
            ReadCollection(collection);
            return;
        }
        propertyError("Invalid property value");
        return;
    }
    case pkComponent: {
        const TValueType v = NextValue();
        if (v == vaNil) {
            ReadValue();
            a.SetObj(instance, nullptr);
            return;
        }
        String name = ReadIdent();
        if (onReferenceName_) onReferenceName_(*this, name);
        if (fixups_)
            fixups_->push_back({instance, &info, name});
        else if (TComponent* c = findComponentByName(name))
            a.SetObj(instance, c);
        else
            propertyError("Invalid property value");
        return;
    }
    case pkEvent: {
        if (NextValue() == vaNil) {
            ReadValue();
            a.SetMethod(instance, nullptr, nullptr);
            return;
        }
        const String name = ReadIdent();
        TComponent* root = root_ ? root_ : lookupRoot_;
        const TMethodInfo* m = FindMethod(root, name);
        if (!m) return;  // the find-method hook chose to skip it
        if (!a.SetMethod(instance, root, m)) propertyError("Invalid property value");
        return;
    }
    case pkStrings: propertyError("Invalid property value"); return;
    }
}

const TMethodInfo* TReader::FindMethod(TComponent* root, const String& methodName)
{
    const TMethodInfo* m = root ? root->ClassType().FindMethod(methodName) : nullptr;
    if (m) return m;
    bool error = true;
    if (onFindMethod_) onFindMethod_(*this, methodName, error);
    if (error) propertyError("Invalid property value");
    return nullptr;
}

void TReader::ReadCollection(TCollection* collection)
{
    DepthGuard guard;
    CheckValue(vaCollection);
    collection->BeginUpdate();
    try {
        if (!EndOfList()) collection->Clear();
        while (!EndOfList()) {
            const TValueType v = NextValue();
            if (v == vaInt8 || v == vaInt16 || v == vaInt32) ReadInteger();
            TCollectionItem* item = collection->Add();
            if (ReadValue() != vaList) readError("Invalid stream format");
            while (!EndOfList()) readProperty(item);
            ReadValue();
        }
        ReadValue();
    } catch (...) {
        collection->EndUpdate();
        throw;
    }
    collection->EndUpdate();
}

// -- components --

TComponent* TReader::findComponentByName(const String& name)
{
    TComponent* root = root_;
    if (!root) return nullptr;
    TComponent* current = nullptr;
    size_t start = 0;
    for (;;) {
        const size_t dot = name.find('.', start);
        const String part = name.substr(start, dot == String::npos ? String::npos : dot - start);
        if (!current) {
            current = root->FindComponent(part);
            if (!current && sameText(part, root->Name())) current = root;
            if (!current && root->Owner()) current = root->Owner()->FindComponent(part);
        } else if (sameText(part, "Owner")) {
            current = current->Owner();
        } else {
            current = current->FindComponent(part);
        }
        if (!current) return nullptr;
        if (dot == String::npos) return current;
        start = dot + 1;
    }
}

void TReader::fixupReferences()
{
    if (!fixups_) return;
    std::vector<Fixup> list = std::move(*fixups_);
    fixups_->clear();
    for (const Fixup& f : list) {
        TComponent* c = findComponentByName(f.name);
        if (!c) {
            if (!Error("Unresolved component reference " + f.name + " in " + f.info->Name))
                throw EReadError("Unresolved component reference " + f.name + " in " + f.info->Name);
            continue;
        }
        try {
            f.info->Access->SetObj(f.instance, c);
        } catch (const Exception& e) {
            if (!Error(e.Message())) throw EReadError(e.Message());
        }
    }
}

TComponent* TReader::readComponentHeader(TComponent* component, TFilerFlags& flags, int& pos, String& className,
                                         String& name, bool& created)
{
    created = false;
    ReadPrefix(flags, pos);
    className = ReadStr();
    name = ReadStr();
    if (component) return component;
    // An inherited child already exists: the ancestor's constructor or stream made it.
    if (flags.Contains(ffInherited) && owner_)
        if (TComponent* existing = owner_->FindComponent(name)) return existing;
    TClass cls = nullptr;
    if (onFindComponentClass_) onFindComponentClass_(*this, className, cls);
    if (!cls) cls = GetClass(className);
    if (!cls) throw EClassNotFound("Class " + className + " not found");
    if (!cls->InheritsFrom(TComponent::StaticClass()) || !cls->CanCreate())
        throw EReadError("Class " + className + " is not a component class");
    TComponent* result = nullptr;
    if (onCreateComponent_) onCreateComponent_(*this, cls, result);
    if (!result) result = cls->CreateComponent(owner_);
    created = true;
    return result;
}

TComponent* TReader::ReadComponent(TComponent* component)
{
    DepthGuard guard;
    TFilerFlags flags;
    int pos = 0;
    String className, name;
    bool created = false;
    TComponent* result = readComponentHeader(component, flags, pos, className, name, created);
    try {
        result->SetLoading();
        if (flags.Contains(ffInline)) result->SetInlineState(true);
        if (onSetName_) onSetName_(*this, result, name);
        if (created || !flags.Contains(ffInherited)) {
            try {
                result->SetName(name);
            } catch (const EComponentError& e) {
                if (!Error(e.Message())) throw EReadError(e.Message());
                result->SetName(UniqueComponentName(result->Owner(), name + "_"));
            }
        }
        if (!root_) SetRoot(result);
        if (result->HasParent() && parent_) result->SetParentComponent(parent_);
        result->ReadState(*this);
        result->SetReading(false);
        if (flags.Contains(ffChildPos) && parent_) parent_->SetChildOrder(result, pos);
        if (std::find(loaded_.begin(), loaded_.end(), result) == loaded_.end()) loaded_.push_back(result);
    } catch (...) {
        std::erase(loaded_, result);
        if (created) result->Free();
        throw;
    }
    return result;
}

void TReader::readData(TComponent* instance)
{
    DepthGuard guard;
    std::vector<Fixup> localFixups;
    const bool ownFixups = fixups_ == nullptr;
    if (ownFixups) fixups_ = &localFixups;
    try {
        while (!EndOfList()) readProperty(instance);
        ReadListEnd();
        TComponent* oldOwner = owner_;
        TComponent* oldParent = parent_;
        parent_ = instance->GetChildParent();
        owner_ = instance->GetChildOwner();
        if (!owner_) owner_ = root_;
        try {
            while (!EndOfList()) ReadComponent(nullptr);
            ReadListEnd();
        } catch (...) {
            owner_ = oldOwner;
            parent_ = oldParent;
            throw;
        }
        owner_ = oldOwner;
        parent_ = oldParent;
        if (ownFixups) fixupReferences();
    } catch (...) {
        if (ownFixups) fixups_ = nullptr;
        throw;
    }
    if (ownFixups) fixups_ = nullptr;
}

void TReader::ReadComponents(TComponent* owner, TComponent* parent, const std::function<void(TComponent*)>& proc)
{
    owner_ = owner;
    parent_ = parent;
    SetRoot(owner);
    loaded_.clear();
    while (!EndOfList()) {
        ReadSignature();
        TComponent* c = ReadComponent(nullptr);
        if (proc) proc(c);
    }
    ReadListEnd();
    for (TComponent* c : std::vector<TComponent*>(loaded_)) c->Loaded();
    loaded_.clear();
}

TComponent* TReader::ReadRootComponent(TComponent* root)
{
    ReadSignature();
    TFilerFlags flags;
    int pos = 0;
    String className, name;
    const bool created = root == nullptr;
    TComponent* result = nullptr;
    try {
        ReadPrefix(flags, pos);
        className = ReadStr();
        name = ReadStr();
        if (created) {
            TClass cls = nullptr;
            if (onFindComponentClass_) onFindComponentClass_(*this, className, cls);
            if (!cls) cls = GetClass(className);
            if (!cls) throw EClassNotFound("Class " + className + " not found");
            if (!cls->InheritsFrom(TComponent::StaticClass()) || !cls->CanCreate())
                throw EReadError("Class " + className + " is not a component class");
            result = cls->CreateComponent(nullptr);
        } else {
            result = root;
        }
        result->SetLoading();
        if (!result->IsDesigning()) {
            if (onSetName_) onSetName_(*this, result, name);
            try {
                result->SetName(name);
            } catch (const EComponentError&) {
                result->SetName(UniqueComponentName(result->Owner(), name + "_"));
            }
        }
        SetRoot(result);
        owner_ = result;
        loaded_.clear();
        loaded_.push_back(result);
        result->ReadState(*this);
        result->SetReading(false);
        for (TComponent* c : std::vector<TComponent*>(loaded_)) c->Loaded();
        loaded_.clear();
    } catch (const EStreamError&) {
        for (TComponent* c : loaded_) c->SetComponentState(c->ComponentState() - TComponentState{csLoading, csReading});
        loaded_.clear();
        if (created && result) result->Free();
        throw;
    } catch (const Exception& e) {
        for (TComponent* c : loaded_) c->SetComponentState(c->ComponentState() - TComponentState{csLoading, csReading});
        loaded_.clear();
        if (created && result) result->Free();
        throw EReadError(e.Message());
    } catch (...) {
        loaded_.clear();
        if (created && result) result->Free();
        throw;
    }
    return result;
}

// ---- helpers ---------------------------------------------------------------------------------

TComponent* ReadComponentFromStream(TStream& stream, TComponent* instance, const TReader::TReaderError& onError)
{
    TReader reader(stream);
    reader.SetOnError(onError);
    return reader.ReadRootComponent(instance);
}
