#pragma once
// Component streams in the binary form ("TPF0"): TReader and TWriter.
#include <functional>
#include <vector>

#include "platform/classes/Component.h"
#include "platform/classes/MethodEvent.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"

class TCollection;
struct TPropInfo;

enum TValueType : Byte {
    vaNull,
    vaList,
    vaInt8,
    vaInt16,
    vaInt32,
    vaExtended,
    vaString,
    vaIdent,
    vaFalse,
    vaTrue,
    vaBinary,
    vaSet,
    vaLString,
    vaNil,
    vaCollection,
    vaSingle,
    vaCurrency,
    vaDate,
    vaWString,
    vaInt64,
    vaUTF8String,
    vaDouble
};

enum TFilerFlag { ffInherited, ffChildPos, ffInline };
using TFilerFlags = TSet<TFilerFlag>;

using TReaderProc = std::function<void(TReader& reader)>;
using TWriterProc = std::function<void(TWriter& writer)>;
using TStreamProc = std::function<void(TStream& stream)>;

class TFiler {
public:
    // bufSize is accepted for callers that name one; the stream is used directly.
    explicit TFiler(TStream& stream, int bufSize = 4096);
    virtual ~TFiler();
    TFiler(const TFiler&) = delete;
    TFiler& operator=(const TFiler&) = delete;

    // Extra data of a persistent (called from TPersistent::DefineProperties). hasData: the writer
    // writes the property only when true; the reader calls readData when the name is met.
    virtual void DefineProperty(const String& name, const TReaderProc& readData, const TWriterProc& writeData,
                                bool hasData) = 0;
    // Same, as one binary value (vaBinary: 32-bit length + bytes) handed over as a stream.
    virtual void DefineBinaryProperty(const String& name, const TStreamProc& readData, const TStreamProc& writeData,
                                      bool hasData) = 0;

    TStream& Stream() const { return stream_; }
    TComponent* Root() const { return root_; }
    virtual void SetRoot(TComponent* root) { root_ = root; }
    TComponent* LookupRoot() const { return lookupRoot_; }
    // The object being compared against when writing a descendant (null otherwise).
    TPersistent* Ancestor() const { return ancestor_; }
    void SetAncestor(TPersistent* ancestor) { ancestor_ = ancestor; }
    bool IgnoreChildren() const { return ignoreChildren_; }
    void SetIgnoreChildren(bool value) { ignoreChildren_ = value; }

protected:
    TStream& stream_;
    TComponent* root_ = nullptr;
    TComponent* lookupRoot_ = nullptr;
    TPersistent* ancestor_ = nullptr;
    bool ignoreChildren_ = false;
};

class TReader : public TFiler {
public:
    // error: a recoverable read error (unknown property, bad value, missing method). Set handled
    // to true to skip the property and go on; left false, the error is raised as EReadError.
    using TReaderError = TMethodEvent<void(TReader& Reader, const String& Message, bool& Handled)>;
    // A handler name the root does not publish: set error to false to skip it silently.
    using TFindMethodEvent = TMethodEvent<void(TReader& Reader, const String& MethodName, bool& Error)>;
    using TSetNameEvent = TMethodEvent<void(TReader& Reader, TComponent* Component, String& Name)>;
    using TFindComponentClassEvent =
        TMethodEvent<void(TReader& Reader, const String& ClassName, TClass& ComponentClass)>;
    using TCreateComponentEvent = TMethodEvent<void(TReader& Reader, TClass ComponentClass, TComponent*& Component)>;
    using TReferenceNameEvent = TMethodEvent<void(TReader& Reader, String& Name)>;

    explicit TReader(TStream& stream, int bufSize = 4096);
    ~TReader() override;

    void DefineProperty(const String& name, const TReaderProc& readData, const TWriterProc& writeData,
                        bool hasData) override;
    void DefineBinaryProperty(const String& name, const TStreamProc& readData, const TStreamProc& writeData,
                              bool hasData) override;

    // Whole components.
    void ReadSignature();  // "TPF0", else EReadError "Invalid stream format"
    // Reads the root: into `root` when given (its class must match the stream's or be any class:
    // properties are applied by name), else creates it by class name. Fix-ups and Loaded() run.
    TComponent* ReadRootComponent(TComponent* root);
    // A child (or a nested stream's root when `component` is given and Root is not set).
    TComponent* ReadComponent(TComponent* component);
    void ReadComponents(TComponent* owner, TComponent* parent, const std::function<void(TComponent*)>& proc);
    void ReadPrefix(TFilerFlags& flags, int& childPos);
    // Reads name/value pairs up to the terminating vaNull into instance (the counterpart of
    // TWriter::WriteProperties followed by WriteListEnd).
    void ReadProperties(TPersistent* instance);
    // One name/value pair.
    void ReadProperty(TPersistent* instance) { readProperty(instance); }
    void ReadCollection(TCollection* collection);

    // Values.
    TValueType ReadValue();
    TValueType NextValue();             // peeks
    void CheckValue(TValueType value);  // EReadError "Invalid property value" when it differs
    bool EndOfList();                   // next value is vaNull
    void ReadListBegin();
    void ReadListEnd();
    int ReadInteger();  // vaInt8/16/32 (EReadError for int64 out of range)
    Int64 ReadInt64();  // any integer
    bool ReadBoolean();
    char ReadChar();       // one-character string
    Extended ReadFloat();  // vaExtended, vaDouble, vaSingle, integers
    float ReadSingle();
    double ReadDouble();
    Int64 ReadCurrency();  // raw (value * 10000)
    TDateTime ReadDate();
    String ReadString();  // any string kind, as UTF-8
    String ReadIdent();   // vaIdent, vaFalse, vaTrue, vaNil, vaNull as their identifiers
    std::uint64_t ReadSet(const struct TEnumInfo& info);  // unknown element: EReadError
    String ReadStr();                                     // raw short string (length byte + bytes)
    void ReadBinary(std::vector<Byte>& out);              // vaBinary payload
    void SkipValue();     // skips one value of any type (lists and collections included)
    void SkipProperty();  // skips name + value

    // ---- events ----
    const TReaderError& OnError() const { return onError_; }
    void SetOnError(TReaderError handler) { onError_ = std::move(handler); }
    const TFindMethodEvent& OnFindMethod() const { return onFindMethod_; }
    void SetOnFindMethod(TFindMethodEvent handler) { onFindMethod_ = std::move(handler); }
    const TSetNameEvent& OnSetName() const { return onSetName_; }
    void SetOnSetName(TSetNameEvent handler) { onSetName_ = std::move(handler); }
    const TFindComponentClassEvent& OnFindComponentClass() const { return onFindComponentClass_; }
    void SetOnFindComponentClass(TFindComponentClassEvent handler) { onFindComponentClass_ = std::move(handler); }
    const TCreateComponentEvent& OnCreateComponent() const { return onCreateComponent_; }
    void SetOnCreateComponent(TCreateComponentEvent handler) { onCreateComponent_ = std::move(handler); }
    const TReferenceNameEvent& OnReferenceName() const { return onReferenceName_; }
    void SetOnReferenceName(TReferenceNameEvent handler) { onReferenceName_ = std::move(handler); }

    TComponent* Owner() const { return owner_; }
    void SetOwner(TComponent* owner) { owner_ = owner; }
    TComponent* Parent() const { return parent_; }
    void SetParent(TComponent* parent) { parent_ = parent; }
    void SetRoot(TComponent* root) override;
    // Where the property being read came from ("Font.Color"): for error messages.
    const String& PropName() const { return propName_; }

    // Recoverable errors go here; true: skip and go on. Default: OnError's answer (false without).
    virtual bool Error(const String& message);
    // Looks up methodName in root's method table; nullptr (after OnFindMethod) when absent.
    virtual const struct TMethodInfo* FindMethod(TComponent* root, const String& methodName);

    // Components created while reading, in order (for Loaded after fix-ups).
    const std::vector<TComponent*>& Loaded() const { return loaded_; }

private:
    friend class TComponent;
    struct Fixup;
    void readProperty(TPersistent* instance);
    void readPropValue(TPersistent* instance, const TPropInfo& info);
    void readData(TComponent* instance);
    TComponent* readComponentHeader(TComponent* component, TFilerFlags& flags, int& pos, String& className,
                                    String& name, bool& created);
    void fixupReferences();
    void readBytes(void* buf, std::int64_t n);
    Byte readByte();
    void checkRemaining(std::int64_t n);
    [[noreturn]] void readError(const String& message);
    void propertyError(const String& message);  // Error() or raise
    TComponent* findComponentByName(const String& name);

    TComponent* owner_ = nullptr;
    TComponent* parent_ = nullptr;
    String propName_;
    String propPlace_;  // "Form1.Font.Color" while that value is read
    std::vector<TComponent*> loaded_;
    std::vector<Fixup>* fixups_ = nullptr;
    int propertyDepth_ = 0;
    String definedMatch_;
    bool definedFound_ = false;
    TReaderError onError_;
    TFindMethodEvent onFindMethod_;
    TSetNameEvent onSetName_;
    TFindComponentClassEvent onFindComponentClass_;
    TCreateComponentEvent onCreateComponent_;
    TReferenceNameEvent onReferenceName_;
};

class TWriter : public TFiler {
public:
    explicit TWriter(TStream& stream, int bufSize = 4096);
    ~TWriter() override;

    void DefineProperty(const String& name, const TReaderProc& readData, const TWriterProc& writeData,
                        bool hasData) override;
    void DefineBinaryProperty(const String& name, const TStreamProc& readData, const TStreamProc& writeData,
                              bool hasData) override;

    void WriteSignature();
    // Writes "TPF0" + root with its children (the root names the method table for events).
    void WriteDescendent(TComponent* root, TComponent* ancestor);
    void WriteRootComponent(TComponent* root);
    void WriteComponent(TComponent* component);
    // Published and defined properties of a non-component object, without the terminating null.
    void WriteProperties(TPersistent* instance);
    void WriteCollection(TCollection* collection);
    void WritePrefix(TFilerFlags flags, int childPos);

    void WriteValue(TValueType value);
    void WriteListBegin();
    void WriteListEnd();
    void WriteInteger(Int64 value);  // smallest of int8/16/32/int64
    void WriteBoolean(bool value);
    void WriteChar(char value);
    void WriteFloat(Extended value);  // vaExtended (10 bytes)
    void WriteSingle(float value);
    void WriteDouble(double value);
    void WriteCurrency(Int64 raw);
    void WriteDate(TDateTime value);
    // vaString up to 255 bytes, vaLString above; non-ASCII text as vaUTF8String.
    void WriteString(const String& value);
    void WriteUTF8Str(const String& value);
    void WriteWideString(const String& value);  // vaWString (UTF-16)
    void WriteIdent(const String& ident);       // False/True/nil/Null map to their value types
    void WriteSet(const struct TEnumInfo& info, std::uint64_t mask);
    void WriteStr(const String& value);                     // raw short string; EWriteError above 255 bytes
    void WriteBinary(const void* data, std::int64_t size);  // vaBinary

    TComponent* RootAncestor() const { return rootAncestor_; }
    void SetRootAncestor(TComponent* ancestor) { rootAncestor_ = ancestor; }

private:
    friend class TComponent;
    void writeProperty(TPersistent* instance, const TPropInfo& info, const String& prefix);
    void writeProperties(TPersistent* instance, const String& prefix);
    void writePropName(const String& name);
    void writeData(TComponent* instance);
    void writeBytes(const void* buf, std::int64_t n);

    TComponent* rootAncestor_ = nullptr;
    String propPath_;
    int childPos_ = 0;
};

// Component <-> stream helpers.
void WriteComponentToStream(TStream& stream, TComponent* component);  // "TPF0" + component
// Reads into `instance` (or creates the root by class name when null); returns the component.
TComponent* ReadComponentFromStream(TStream& stream, TComponent* instance, const TReader::TReaderError& onError = {});
