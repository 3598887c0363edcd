#pragma once
// Published properties and methods at run time: what a class publishes and access by name.
// Declaring them is done with Published.h in the class's .cpp.
#include <functional>
#include <memory>
#include <typeindex>
#include <vector>

#include "platform/classes/MethodEvent.h"
#include "platform/classes/Object.h"
#include "platform/rtl/Exceptions.h"

class TStrings;

enum TPropKind {
    pkInteger,  // 32-bit; colours and cursors are integers with an ident map (TypeName)
    pkInt64,
    pkEnum,     // value names in EnumInfo
    pkSet,      // set of EnumInfo's values, written "[a, b]"
    pkBoolean,  // False/True
    pkChar,
    pkSingle,
    pkDouble,
    pkExtended,
    pkDate,      // TDateTime
    pkCurrency,  // 64-bit, 4 implied decimals
    pkString,
    pkClass,      // owned sub-object (TPersistent), written with dotted names
    pkComponent,  // reference to a component, written by name
    pkEvent,      // method reference, written as the root's method name
    pkStrings     // TStrings, written through its defined "Strings" property
};

// Names of an enumeration's values, in order of value (from 0).
struct TEnumInfo {
    String TypeName;
    std::vector<String> Names;
    int Count() const { return static_cast<int>(Names.size()); }
};
// The enum info of a names table (made once per table, kept for the program's life).
const TEnumInfo& EnumInfoOf(const char* const* names, int count);
template <int N>
const TEnumInfo& EnumInfoOf(const char* const (&names)[N])
{
    return EnumInfoOf(names, N);
}

String GetEnumName(const TEnumInfo& info, int value);         // the value's name, or its number
int GetEnumValue(const TEnumInfo& info, const String& name);  // case-insensitive; -1 if unknown

// Type-erased access; made by the Prop() templates of Published.h.
class TPropAccess {
public:
    virtual ~TPropAccess() = default;
    virtual Int64 GetOrd(const TObject*) const { return 0; }
    virtual void SetOrd(TObject*, Int64) const {}
    virtual Extended GetFloat(const TObject*) const { return 0; }
    virtual void SetFloat(TObject*, Extended) const {}
    virtual String GetStr(const TObject*) const { return {}; }
    virtual void SetStr(TObject*, const String&) const {}
    virtual TObject* GetObj(const TObject*) const { return nullptr; }
    virtual void SetObj(TObject*, TObject*) const {}
    virtual TMethod GetMethod(const TObject*) const { return {}; }
    // Binds the event to `method` of `data` (nullptr method: clears it). false: signature differs.
    virtual bool SetMethod(TObject*, TObject* data, const TMethodInfo* method) const
    {
        (void)data;
        (void)method;
        return false;
    }
    virtual TStrings* GetStrings(const TObject*) const { return nullptr; }
    virtual bool CanWrite() const { return true; }
    // Per-instance stored test; default: always.
    virtual bool IsStored(const TObject*) const { return true; }
};

struct TPropInfo {
    String Name;
    TPropKind Kind = pkInteger;
    String TypeName;                           // "Integer", "TColor", "TPenStyle", class name...
    const TEnumInfo* EnumInfo = nullptr;       // pkEnum, pkSet
    const TMetaClass* ClassType = nullptr;     // pkClass, pkComponent
    std::type_index EventType = typeid(void);  // pkEvent: the handler signature
    bool HasDefault = false;                   // ordinals: "default"; absent means always stored
    Int64 DefaultOrd = 0;
    Extended DefaultFloat = 0;
    String DefaultStr;
    // Declared with no default at all: a string is written when empty too (a new object may start
    // with text, which the empty string would otherwise come back as).
    bool NoDefault = false;
    std::unique_ptr<TPropAccess> Access;

    bool IsWritable() const { return Access && Access->CanWrite(); }
};

// A published method: name, signature and how to bind it on an instance.
struct TMethodInfo {
    String Name;
    std::type_index Signature = typeid(void);
    // Writes a TMethodEvent<Signature> bound to `instance`'s method into *eventOut.
    std::function<void(TObject* instance, void* eventOut)> Bind;
};

// Identifier maps for integer property types ("clRed" for TColor, "crCross" for TCursor). The
// graphics layer installs them; the streams and GetPropValue use them by the property's TypeName.
using TIntToIdent = std::function<bool(Int64 value, String& ident)>;
using TIdentToInt = std::function<bool(const String& ident, Int64& value)>;
void RegisterIntegerConsts(const String& typeName, TIdentToInt identToInt, TIntToIdent intToIdent);
bool IntToIdentOf(const String& typeName, Int64 value, String& ident);
bool IdentToIntOf(const String& typeName, const String& ident, Int64& value);

// --- access by name / path ---------------------------------------------------------------------
// Paths go through class properties: "Font.Color", "Title.Font.Size". Unknown names raise
// EPropertyError "Property %s does not exist".
class EPropertyError : public Exception {
public:
    using Exception::Exception;
};

// The property at the end of path and the object that holds it; nullptr when not found.
const TPropInfo* FindPropInfo(TObject* instance, const String& path, TObject** holder);
const TPropInfo& GetPropInfo(TObject* instance, const String& path, TObject** holder);  // raises
bool IsPublishedProp(TObject* instance, const String& path);

Int64 GetOrdProp(TObject* instance, const String& path);
void SetOrdProp(TObject* instance, const String& path, Int64 value);
Extended GetFloatProp(TObject* instance, const String& path);
void SetFloatProp(TObject* instance, const String& path, Extended value);
String GetStrProp(TObject* instance, const String& path);
void SetStrProp(TObject* instance, const String& path, const String& value);
TObject* GetObjectProp(TObject* instance, const String& path);
void SetObjectProp(TObject* instance, const String& path, TObject* value);

// The value as the text form writes it, without quotes for strings: "clRed", "psDash", "[fsBold]",
// "True", "12", "1.5", the component's name, the handler's name.
String GetPropValue(TObject* instance, const String& path);
// Parses the text back (ident, number, set "[a,b]", "True"); EConvertError on a bad value.
void SetPropValue(TObject* instance, const String& path, const String& value);

// Whether the writer would write this property of this instance (stored test and default).
bool IsStoredProp(const TObject* instance, const TPropInfo& info);
bool IsDefaultPropValue(const TObject* instance, const TPropInfo& info);

// Set text "[a, b]" <-> mask, using the enum's names.
String SetToString(const TEnumInfo& info, std::uint64_t mask, bool brackets = true);
std::uint64_t StringToSet(const TEnumInfo& info, const String& text);  // EConvertError
