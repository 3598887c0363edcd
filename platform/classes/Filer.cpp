#include "platform/classes/Filer.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <strings.h>

#include "platform/classes/Collection.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/StreamValues_p.h"
#include "platform/classes/TypeInfo.h"
#include "platform/rtl/StringList.h"

namespace {
bool sameText(const String& a, const String& b)
{
    return a.size() == b.size() && strncasecmp(a.c_str(), b.c_str(), a.size()) == 0;
}

constexpr int kMaxDepth = 128;  // nesting of lists, collections and components

// A broken stream (short read, bad value type, runaway nesting): never handed to OnError,
// the position can not be trusted any more.
class EStreamCorrupt : public EReadError {
public:
    using EReadError::EReadError;
};

// Thrown after Error() agreed to skip; readProperty rewinds and skips the value.
struct SkipSignal {};

// A property error OnError has already declined: readProperty does not ask it again.
class EDeclinedError : public EReadError {
public:
    using EReadError::EReadError;
};

constexpr std::string_view kErrorReading = "Error reading ";

// An inner property (a collection item's) or a defined-property reader has already said where
// reading failed.
bool namesItsPlace(const String& message) { return message.starts_with(kErrorReading); }

// Shared by every reader of the thread: a component stream nested in a binary property is read
// by a reader of its own, and hostile input could nest those without end.
thread_local int t_depth = 0;

class DepthGuard {
public:
    DepthGuard() : depth_(t_depth)
    {
        if (++depth_ > kMaxDepth) {
            --depth_;
            throw EStreamCorrupt("Stream nesting too deep");
        }
    }
    ~DepthGuard() { --depth_; }

private:
    int& depth_;
};
}  // namespace

// ---- TFiler ----------------------------------------------------------------------------------

TFiler::TFiler(TStream& stream, int) : stream_(stream) {}
TFiler::~TFiler() = default;

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

void TReader::readError(const String& message) { throw EStreamCorrupt(message); }

void TReader::checkRemaining(std::int64_t n)
{
    if (n < 0 || n > stream_.Size() - stream_.Position()) readError("Stream read error");
}

void TReader::readBytes(void* buf, std::int64_t n)
{
    if (n <= 0) return;
    if (stream_.Read(buf, n) != n) readError("Stream read error");
}

Byte TReader::readByte()
{
    Byte b = 0;
    readBytes(&b, 1);
    return b;
}

bool TReader::Error(const String& message)
{
    bool handled = false;
    if (OnError) OnError(*this, message, handled);
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

void TReader::ReadSignature()
{
    char sig[4] = {};
    readBytes(sig, 4);
    if (std::memcmp(sig, "TPF0", 4) != 0) throw EReadError("Invalid stream format");
}

TValueType TReader::ReadValue()
{
    const Byte b = readByte();
    if (b > vaDouble) readError("Invalid value type " + std::to_string(b) + " in stream");
    return static_cast<TValueType>(b);
}

TValueType TReader::NextValue()
{
    const TValueType v = ReadValue();
    stream_.Seek(-1, soCurrent);
    return v;
}

void TReader::CheckValue(TValueType value)
{
    if (ReadValue() != value) {
        stream_.Seek(-1, soCurrent);
        propertyError("Invalid property value");
    }
}

bool TReader::EndOfList()
{
    // A raw peek: the next byte may be a component's flag prefix (0xF0..0xF7), not a value type.
    const Byte b = readByte();
    stream_.Seek(-1, soCurrent);
    return b == vaNull;
}
void TReader::ReadListBegin() { CheckValue(vaList); }
void TReader::ReadListEnd() { CheckValue(vaNull); }

String TReader::ReadStr()
{
    const Byte len = readByte();
    String s(len, '\0');
    readBytes(s.data(), len);
    return s;
}

Int64 TReader::ReadInt64()
{
    switch (ReadValue()) {
    case vaInt8: return static_cast<std::int8_t>(readByte());
    case vaInt16: {
        Byte b[2];
        readBytes(b, 2);
        return static_cast<std::int16_t>(b[0] | (b[1] << 8));
    }
    case vaInt32: {
        Byte b[4];
        readBytes(b, 4);
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
                                         (static_cast<std::uint32_t>(b[2]) << 16) |
                                         (static_cast<std::uint32_t>(b[3]) << 24));
    }
    case vaInt64: {
        Byte b[8];
        readBytes(b, 8);
        std::uint64_t v = 0;
        for (int i = 7; i >= 0; --i) v = (v << 8) | b[i];
        return static_cast<Int64>(v);
    }
    default:
        stream_.Seek(-1, soCurrent);
        propertyError("Invalid property value");
        return 0;
    }
}

int TReader::ReadInteger()
{
    const Int64 v = ReadInt64();
    if (v < INT32_MIN || v > INT32_MAX) propertyError("Invalid property value");
    return static_cast<int>(v);
}

bool TReader::ReadBoolean()
{
    const TValueType v = ReadValue();
    if (v == vaTrue) return true;
    if (v == vaFalse) return false;
    stream_.Seek(-1, soCurrent);
    propertyError("Invalid property value");
    return false;
}

static std::uint32_t readU32(TReader&, const Byte b[4])
{
    return static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
           (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}

String TReader::ReadString()
{
    switch (ReadValue()) {
    case vaString: return tv_stream::AnsiToUtf8(ReadStr());
    case vaLString:
    case vaUTF8String: {
        stream_.Seek(-1, soCurrent);
        const bool utf8 = ReadValue() == vaUTF8String;
        Byte b[4];
        readBytes(b, 4);
        const std::uint32_t len = readU32(*this, b);
        checkRemaining(len);
        String s(len, '\0');
        readBytes(s.data(), len);
        return utf8 ? s : tv_stream::AnsiToUtf8(s);
    }
    case vaWString: {
        Byte b[4];
        readBytes(b, 4);
        const std::uint32_t len = readU32(*this, b);
        checkRemaining(static_cast<std::int64_t>(len) * 2);
        std::vector<std::uint16_t> units(len);
        for (auto& u : units) {
            Byte c[2];
            readBytes(c, 2);
            u = static_cast<std::uint16_t>(c[0] | (c[1] << 8));
        }
        return tv_stream::Utf16ToUtf8(units);
    }
    default:
        stream_.Seek(-1, soCurrent);
        propertyError("Invalid property value");
        return {};
    }
}

char TReader::ReadChar()
{
    const String s = ReadString();
    if (s.size() != 1) {
        // A non-ASCII character arrives as UTF-8; keep its Latin-1 code when it has one.
        const auto cps = tv_stream::CodePoints(s);
        if (cps.size() == 1 && cps[0] < 256) return static_cast<char>(cps[0]);
        propertyError("Invalid property value");
    }
    return s[0];
}

Extended TReader::ReadFloat()
{
    switch (NextValue()) {
    case vaExtended: {
        ReadValue();
        Byte b[10];
        readBytes(b, 10);
        return tv_stream::FromExtended80(b);
    }
    case vaDouble:
    case vaDate: {
        ReadValue();
        double d;
        readBytes(&d, 8);
        return d;
    }
    case vaSingle: return ReadSingle();
    case vaCurrency: return static_cast<Extended>(ReadCurrency()) / 10000;
    default: return static_cast<Extended>(ReadInt64());
    }
}

float TReader::ReadSingle()
{
    if (NextValue() != vaSingle) return static_cast<float>(ReadFloat());
    ReadValue();
    float f;
    readBytes(&f, 4);
    return f;
}

double TReader::ReadDouble()
{
    if (NextValue() != vaDouble) return static_cast<double>(ReadFloat());
    ReadValue();
    double d;
    readBytes(&d, 8);
    return d;
}

Int64 TReader::ReadCurrency()
{
    if (NextValue() != vaCurrency) {
        const Extended v = ReadFloat();
        return static_cast<Int64>(v * 10000);
    }
    ReadValue();
    Int64 v;
    readBytes(&v, 8);
    return v;
}

TDateTime TReader::ReadDate()
{
    if (NextValue() != vaDate) return static_cast<TDateTime>(ReadFloat());
    ReadValue();
    double d;
    readBytes(&d, 8);
    return d;
}

String TReader::ReadIdent()
{
    switch (ReadValue()) {
    case vaIdent: return ReadStr();
    case vaFalse: return "False";
    case vaTrue: return "True";
    case vaNil: return "nil";
    case vaNull: return "Null";
    default:
        stream_.Seek(-1, soCurrent);
        propertyError("Invalid property value");
        return {};
    }
}

std::uint64_t TReader::ReadSet(const TEnumInfo& info)
{
    CheckValue(vaSet);
    std::uint64_t mask = 0;
    bool bad = false;
    for (;;) {
        const String name = ReadStr();
        if (name.empty()) break;
        const int v = GetEnumValue(info, name);
        if (v < 0 || v >= 64) bad = true; else mask |= std::uint64_t{1} << v;
    }
    if (bad) propertyError("Invalid property value");
    return mask;
}

void TReader::ReadBinary(std::vector<Byte>& out)
{
    CheckValue(vaBinary);
    Byte b[4];
    readBytes(b, 4);
    const std::uint32_t len = readU32(*this, b);
    checkRemaining(len);
    out.resize(len);
    readBytes(out.data(), len);
}

void TReader::SkipValue()
{
    DepthGuard guard;
    auto skip = [this](std::int64_t n) {
        checkRemaining(n);
        stream_.Seek(n, soCurrent);
    };
    auto len32 = [this] {
        Byte b[4];
        readBytes(b, 4);
        return static_cast<std::int64_t>(readU32(*this, b));
    };
    switch (ReadValue()) {
    case vaNull:
    case vaFalse:
    case vaTrue:
    case vaNil: return;
    case vaList:
        while (!EndOfList()) SkipValue();
        ReadValue();
        return;
    case vaInt8: skip(1); return;
    case vaInt16: skip(2); return;
    case vaInt32:
    case vaSingle: skip(4); return;
    case vaExtended: skip(10); return;
    case vaString:
    case vaIdent: skip(readByte()); return;
    case vaBinary:
    case vaLString:
    case vaUTF8String: skip(len32()); return;
    case vaWString: skip(len32() * 2); return;
    case vaSet:
        while (true) {
            const Byte n = readByte();
            if (n == 0) return;
            skip(n);
        }
    case vaCollection:
        while (!EndOfList()) {
            const TValueType v = NextValue();
            if (v == vaInt8 || v == vaInt16 || v == vaInt32) SkipValue();
            if (ReadValue() != vaList) readError("Invalid stream format");
            while (!EndOfList()) SkipProperty();
            ReadValue();
        }
        ReadValue();
        return;
    case vaCurrency:
    case vaDate:
    case vaInt64:
    case vaDouble: skip(8); return;
    }
}

void TReader::SkipProperty()
{
    ReadStr();
    SkipValue();
}

void TReader::ReadPrefix(TFilerFlags& flags, int& childPos)
{
    flags = {};
    childPos = 0;
    Byte first = 0;
    readBytes(&first, 1);
    if ((first & 0xF0) == 0xF0) {
        flags = TFilerFlags::FromMask(first & 0x07);
        if (flags.Contains(ffChildPos)) childPos = static_cast<int>(ReadInt64());
    } else {
        stream_.Seek(-1, soCurrent);
    }
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
        if (OnReferenceName) OnReferenceName(*this, name);
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
    if (OnFindMethod) OnFindMethod(*this, methodName, error);
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
    if (OnFindComponentClass) OnFindComponentClass(*this, className, cls);
    if (!cls) cls = GetClass(className);
    if (!cls) throw EClassNotFound("Class " + className + " not found");
    if (!cls->InheritsFrom(TComponent::StaticClass()) || !cls->CanCreate())
        throw EReadError("Class " + className + " is not a component class");
    TComponent* result = nullptr;
    if (OnCreateComponent) OnCreateComponent(*this, cls, result);
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
        if (OnSetName) OnSetName(*this, result, name);
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
            if (OnFindComponentClass) OnFindComponentClass(*this, className, cls);
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
            if (OnSetName) OnSetName(*this, result, name);
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

// ---- TWriter ---------------------------------------------------------------------------------

TWriter::TWriter(TStream& stream, int bufSize) : TFiler(stream, bufSize) {}
TWriter::~TWriter() = default;

void TWriter::writeBytes(const void* buf, std::int64_t n)
{
    if (n > 0) stream_.WriteBuffer(buf, n);
}

void TWriter::WriteValue(TValueType value)
{
    const Byte b = value;
    writeBytes(&b, 1);
}

void TWriter::WriteSignature() { writeBytes("TPF0", 4); }
void TWriter::WriteListBegin() { WriteValue(vaList); }
void TWriter::WriteListEnd() { WriteValue(vaNull); }

void TWriter::WriteStr(const String& value)
{
    // Names are short strings; cutting one would make a different name.
    if (value.size() > 255) throw EWriteError("Name too long for a stream: " + value.substr(0, 32) + "...");
    const size_t n = value.size();
    const Byte len = static_cast<Byte>(n);
    writeBytes(&len, 1);
    writeBytes(value.data(), static_cast<std::int64_t>(n));
}

static void putLE(Byte* out, std::uint64_t v, int n)
{
    for (int i = 0; i < n; ++i) out[i] = static_cast<Byte>(v >> (8 * i));
}

void TWriter::WriteInteger(Int64 value)
{
    Byte b[9];
    if (value >= -128 && value <= 127) {
        b[0] = vaInt8;
        putLE(b + 1, static_cast<std::uint64_t>(value), 1);
        writeBytes(b, 2);
    } else if (value >= -32768 && value <= 32767) {
        b[0] = vaInt16;
        putLE(b + 1, static_cast<std::uint64_t>(value), 2);
        writeBytes(b, 3);
    } else if (value >= INT32_MIN && value <= INT32_MAX) {
        b[0] = vaInt32;
        putLE(b + 1, static_cast<std::uint64_t>(value), 4);
        writeBytes(b, 5);
    } else {
        b[0] = vaInt64;
        putLE(b + 1, static_cast<std::uint64_t>(value), 8);
        writeBytes(b, 9);
    }
}

void TWriter::WriteBoolean(bool value) { WriteValue(value ? vaTrue : vaFalse); }
void TWriter::WriteChar(char value) { WriteString(String(1, value)); }

void TWriter::WriteFloat(Extended value)
{
    Byte b[11];
    b[0] = vaExtended;
    tv_stream::ToExtended80(value, b + 1);
    writeBytes(b, 11);
}

void TWriter::WriteSingle(float value)
{
    WriteValue(vaSingle);
    writeBytes(&value, 4);
}

void TWriter::WriteDouble(double value)
{
    WriteValue(vaDouble);
    writeBytes(&value, 8);
}

void TWriter::WriteCurrency(Int64 raw)
{
    WriteValue(vaCurrency);
    writeBytes(&raw, 8);
}

void TWriter::WriteDate(TDateTime value)
{
    WriteValue(vaDate);
    writeBytes(&value, 8);
}

void TWriter::WriteString(const String& value)
{
    if (!tv_stream::IsAscii(value)) {
        WriteUTF8Str(value);
        return;
    }
    if (value.size() <= 255) {
        WriteValue(vaString);
        WriteStr(value);
    } else {
        WriteValue(vaLString);
        Byte b[4];
        putLE(b, value.size(), 4);
        writeBytes(b, 4);
        writeBytes(value.data(), static_cast<std::int64_t>(value.size()));
    }
}

void TWriter::WriteUTF8Str(const String& value)
{
    WriteValue(vaUTF8String);
    Byte b[4];
    putLE(b, value.size(), 4);
    writeBytes(b, 4);
    writeBytes(value.data(), static_cast<std::int64_t>(value.size()));
}

void TWriter::WriteWideString(const String& value)
{
    const auto units = tv_stream::Utf8ToUtf16(value);
    WriteValue(vaWString);
    Byte b[4];
    putLE(b, units.size(), 4);
    writeBytes(b, 4);
    for (std::uint16_t u : units) {
        Byte c[2] = {static_cast<Byte>(u), static_cast<Byte>(u >> 8)};
        writeBytes(c, 2);
    }
}

void TWriter::WriteIdent(const String& ident)
{
    if (sameText(ident, "False")) WriteValue(vaFalse);
    else if (sameText(ident, "True")) WriteValue(vaTrue);
    else if (sameText(ident, "nil")) WriteValue(vaNil);
    else if (sameText(ident, "Null")) WriteValue(vaNull);
    else {
        WriteValue(vaIdent);
        WriteStr(ident);
    }
}

void TWriter::WriteSet(const TEnumInfo& info, std::uint64_t mask)
{
    WriteValue(vaSet);
    for (int i = 0; i < 64; ++i)
        if (mask & (std::uint64_t{1} << i)) WriteStr(GetEnumName(info, i));
    WriteStr({});
}

void TWriter::WriteBinary(const void* data, std::int64_t size)
{
    WriteValue(vaBinary);
    Byte b[4];
    putLE(b, static_cast<std::uint64_t>(size), 4);
    writeBytes(b, 4);
    writeBytes(data, size);
}

void TWriter::WritePrefix(TFilerFlags flags, int childPos)
{
    if (flags.Empty()) return;
    const Byte b = static_cast<Byte>(0xF0 | (flags.Mask() & 0x07));
    writeBytes(&b, 1);
    if (flags.Contains(ffChildPos)) WriteInteger(childPos);
}

void TWriter::writePropName(const String& name) { WriteStr(propPath_ + name); }

void TWriter::DefineProperty(const String& name, const TReaderProc&, const TWriterProc& writeData, bool hasData)
{
    if (!hasData || !writeData) return;
    writePropName(name);
    writeData(*this);
}

void TWriter::DefineBinaryProperty(const String& name, const TStreamProc&, const TStreamProc& writeData,
                                   bool hasData)
{
    if (!hasData || !writeData) return;
    writePropName(name);
    TMemoryStream ms;
    writeData(ms);
    WriteBinary(ms.Memory(), ms.Size());
}

void TWriter::WriteCollection(TCollection* collection)
{
    WriteValue(vaCollection);
    if (collection) {
        const String savePath = propPath_;
        TPersistent* saveAncestor = ancestor_;
        propPath_.clear();
        ancestor_ = nullptr;  // items are written whole
        try {
            for (int i = 0; i < collection->Count(); ++i) {
                WriteListBegin();
                writeProperties(collection->Items(i), {});
                WriteListEnd();
            }
        } catch (...) {
            propPath_ = savePath;
            ancestor_ = saveAncestor;
            throw;
        }
        propPath_ = savePath;
        ancestor_ = saveAncestor;
    }
    WriteListEnd();
}

void TWriter::writeProperty(TPersistent* instance, const TPropInfo& info, const String& prefix)
{
    const TPropAccess& a = *info.Access;
    (void)prefix;
    if (!info.IsWritable() && info.Kind != pkClass && info.Kind != pkStrings) return;
    if (!IsStoredProp(instance, info)) return;
    // Against an ancestor of the same class, only differences are written.
    auto* ancestor = dynamic_cast<TPersistent*>(ancestor_);
    const bool hasAncestor = ancestor && &ancestor->ClassType() == &instance->ClassType();
    switch (info.Kind) {
    case pkInteger:
    case pkInt64:
    case pkCurrency:
    case pkChar:
    case pkEnum:
    case pkBoolean:
    case pkSet: {
        const Int64 v = a.GetOrd(instance);
        if (hasAncestor ? v == a.GetOrd(ancestor) : IsDefaultPropValue(instance, info)) return;
        writePropName(info.Name);
        switch (info.Kind) {
        case pkInteger: {
            String ident;
            if (IntToIdentOf(info.TypeName, v, ident)) WriteIdent(ident); else WriteInteger(v);
            break;
        }
        case pkCurrency: WriteCurrency(v); break;
        case pkChar: WriteChar(static_cast<char>(v)); break;
        case pkEnum: WriteIdent(GetEnumName(*info.EnumInfo, static_cast<int>(v))); break;
        case pkBoolean: WriteBoolean(v != 0); break;
        case pkSet: WriteSet(*info.EnumInfo, static_cast<std::uint64_t>(v)); break;
        default: WriteInteger(v); break;
        }
        return;
    }
    case pkSingle:
    case pkDouble:
    case pkExtended:
    case pkDate: {
        const Extended v = a.GetFloat(instance);
        if (hasAncestor ? v == a.GetFloat(ancestor) : IsDefaultPropValue(instance, info)) return;
        writePropName(info.Name);
        if (info.Kind == pkSingle) WriteSingle(static_cast<float>(v));
        else if (info.Kind == pkDate) WriteDate(static_cast<TDateTime>(v));
        else WriteFloat(v);
        return;
    }
    case pkString: {
        const String v = a.GetStr(instance);
        if (hasAncestor ? v == a.GetStr(ancestor) : IsDefaultPropValue(instance, info)) return;
        writePropName(info.Name);
        WriteString(v);
        return;
    }
    case pkComponent: {
        auto* c = dynamic_cast<TComponent*>(a.GetObj(instance));
        if (hasAncestor) {
            auto* ac = dynamic_cast<TComponent*>(a.GetObj(ancestor));
            if ((c ? c->Name() : String()) == (ac ? ac->Name() : String())) return;
        } else if (!c) {
            return;
        }
        if (c && c->Name().empty()) return;  // nameless components can not be referred to
        writePropName(info.Name);
        if (!c) {
            WriteValue(vaNil);
            return;
        }
        String name = c->Name();
        if (c != lookupRoot_ && c->Owner() && c->Owner() != lookupRoot_ && !c->Owner()->Name().empty())
            name = c->Owner()->Name() + "." + name;
        WriteIdent(name);
        return;
    }
    case pkEvent: {
        const TMethod m = a.GetMethod(instance);
        const TMethod am = hasAncestor ? a.GetMethod(ancestor) : TMethod{};
        if (m.Name == am.Name) return;
        if (m.Name.empty()) {
            writePropName(info.Name);
            WriteValue(vaNil);
            return;
        }
        // Only a handler the root publishes can be bound again when reading.
        if (!lookupRoot_ || !lookupRoot_->ClassType().FindMethod(m.Name)) return;
        writePropName(info.Name);
        WriteIdent(m.Name);
        return;
    }
    case pkClass: {
        TObject* obj = a.GetObj(instance);
        auto* p = dynamic_cast<TPersistent*>(obj);
        if (!p) return;
        if (auto* collection = dynamic_cast<TCollection*>(p)) {
            if (collection->Count() == 0) return;
            writePropName(info.Name);
            WriteCollection(collection);
            return;
        }
        if (dynamic_cast<TComponent*>(p)) return;
        TPersistent* saveAncestor = ancestor_;
        ancestor_ = hasAncestor ? dynamic_cast<TPersistent*>(a.GetObj(ancestor)) : nullptr;
        const String savePath = propPath_;
        propPath_ += info.Name + ".";
        try {
            writeProperties(p, {});
        } catch (...) {
            propPath_ = savePath;
            ancestor_ = saveAncestor;
            throw;
        }
        propPath_ = savePath;
        ancestor_ = saveAncestor;
        return;
    }
    case pkStrings: {
        TStrings* s = a.GetStrings(instance);
        if (!s || s->Count() == 0) return;
        writePropName(info.Name + ".Strings");
        WriteListBegin();
        for (int i = 0; i < s->Count(); ++i) WriteString(s->Get(i));
        WriteListEnd();
        return;
    }
    }
}

void TWriter::writeProperties(TPersistent* instance, const String& prefix)
{
    for (const TPropInfo* info : instance->ClassType().Properties()) writeProperty(instance, *info, prefix);
    instance->DefineProperties(*this);
}

void TWriter::WriteProperties(TPersistent* instance) { writeProperties(instance, {}); }

void TWriter::writeData(TComponent* instance)
{
    WritePrefix({}, 0);
    WriteStr(instance->ClassName());
    WriteStr(instance->Name());
    writeProperties(instance, {});
    WriteListEnd();
    TComponent* saveRoot = root_;
    TComponent* saveLookup = lookupRoot_;
    TPersistent* saveAncestor = ancestor_;
    ancestor_ = nullptr;
    if (!ignoreChildren_) instance->GetChildren([this](TComponent* child) { WriteComponent(child); }, root_);
    ancestor_ = saveAncestor;
    root_ = saveRoot;
    lookupRoot_ = saveLookup;
    WriteListEnd();
}

void TWriter::WriteComponent(TComponent* component)
{
    const bool wasWriting = component->ComponentState().Contains(csWriting);
    component->SetWriting(true);
    try {
        component->WriteState(*this);
    } catch (...) {
        if (!wasWriting) component->SetWriting(false);
        throw;
    }
    if (!wasWriting) component->SetWriting(false);
}

void TWriter::WriteDescendent(TComponent* root, TComponent* ancestor)
{
    rootAncestor_ = ancestor;
    ancestor_ = ancestor;
    root_ = root;
    lookupRoot_ = root;
    WriteSignature();
    WriteComponent(root);
}

void TWriter::WriteRootComponent(TComponent* root) { WriteDescendent(root, nullptr); }

// ---- helpers ---------------------------------------------------------------------------------

void WriteComponentToStream(TStream& stream, TComponent* component)
{
    TWriter writer(stream);
    writer.WriteRootComponent(component);
}

TComponent* ReadComponentFromStream(TStream& stream, TComponent* instance, const TReader::TReaderError& onError)
{
    TReader reader(stream);
    reader.OnError = onError;
    return reader.ReadRootComponent(instance);
}
