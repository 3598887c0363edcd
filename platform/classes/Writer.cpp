// TWriter: properties, collections and components in the binary form.
#include "platform/classes/Filer.h"

#include "platform/classes/Collection.h"
#include "platform/classes/TypeInfo.h"
#include "platform/rtl/StringList.h"

// ---- TWriter ---------------------------------------------------------------------------------

TWriter::TWriter(TStream& stream, int bufSize) : TFiler(stream, bufSize) {}
TWriter::~TWriter() = default;

void TWriter::writePropName(const String& name) { WriteStr(propPath_ + name); }

void TWriter::DefineProperty(const String& name, const TReaderProc&, const TWriterProc& writeData, bool hasData)
{
    if (!hasData || !writeData) return;
    writePropName(name);
    writeData(*this);
}

void TWriter::DefineBinaryProperty(const String& name, const TStreamProc&, const TStreamProc& writeData, bool hasData)
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
            if (IntToIdentOf(info.TypeName, v, ident))
                WriteIdent(ident);
            else
                WriteInteger(v);
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
        if (info.Kind == pkSingle)
            WriteSingle(static_cast<float>(v));
        else if (info.Kind == pkDate)
            WriteDate(static_cast<TDateTime>(v));
        else
            WriteFloat(v);
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
