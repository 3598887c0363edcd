#include "tests/support/RegistryCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Collection.h"
#include "platform/classes/Component.h"
#include "platform/classes/Filer.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/TypeInfo.h"
#include "platform/rtl/StringList.h"

namespace testsupport {

namespace {

constexpr int MaxDepth = 4;  // sub-objects of sub-objects ...

// Calls f and reports whether it threw; the message goes to *message.
bool throws(const std::function<void()>& f, String* message = nullptr)
{
    try {
        f();
        return false;
    } catch (const std::exception& e) {
        if (message) *message = e.what();
        return true;
    }
}

// A value away from the current one, for every kind a stream holds.
void moveProperty(TObject* instance, const TPropInfo& p)
{
    const TPropAccess& a = *p.Access;
    switch (p.Kind) {
    case pkBoolean: a.SetOrd(instance, a.GetOrd(instance) ? 0 : 1); break;
    case pkEnum: a.SetOrd(instance, (a.GetOrd(instance) + 1) % std::max(p.EnumInfo->Count(), 1)); break;
    case pkSet: a.SetOrd(instance, a.GetOrd(instance) ^ 1); break;
    case pkChar: a.SetOrd(instance, a.GetOrd(instance) == 'x' ? 'y' : 'x'); break;
    case pkInteger:
        if (p.TypeName == "TColor") {
            a.SetOrd(instance, a.GetOrd(instance) == 0x0000FF ? 0xFF0000 : 0x0000FF);
        } else if (p.TypeName == "TCursor") {
            a.SetOrd(instance, a.GetOrd(instance) == -3 ? -2 : -3);
        } else {
            a.SetOrd(instance, a.GetOrd(instance) + 1);
        }
        break;
    case pkInt64: a.SetOrd(instance, a.GetOrd(instance) + 1); break;
    case pkCurrency: a.SetOrd(instance, a.GetOrd(instance) + 12345); break;
    case pkSingle:
    case pkDouble:
    case pkExtended: a.SetFloat(instance, a.GetFloat(instance) + 0.5L); break;
    case pkDate: a.SetFloat(instance, a.GetFloat(instance) + 1.25L); break;
    case pkString: a.SetStr(instance, a.GetStr(instance) + "x"); break;
    case pkStrings:
        if (TStrings* s = a.GetStrings(instance)) s->Add("x");
        break;
    case pkClass:
    case pkComponent:
    case pkEvent: break;
    }
}

bool isUntouched(const TMetaClass& cls, const String& property, const std::vector<String>& untouched)
{
    for (const TMetaClass* c = &cls; c; c = c->ClassParent())
        if (std::find(untouched.begin(), untouched.end(), c->ClassName() + "." + property) != untouched.end())
            return true;
    return false;
}

void moveProperties(TObject* instance, const std::vector<String>& untouched, int depth)
{
    if (!instance || depth > MaxDepth) return;
    for (const TPropInfo* p : instance->ClassType().Properties()) {
        if (isUntouched(instance->ClassType(), p->Name, untouched)) continue;
        if (p->Kind == pkClass) {
            TObject* sub = p->Access->GetObj(instance);
            if (!sub || sub->Is<TComponent>()) continue;
            if (auto* collection = dynamic_cast<TCollection*>(sub)) {
                TCollectionItem* item = nullptr;
                if (!throws([&] { item = collection->Add(); }) && item) moveProperties(item, untouched, depth + 1);
            } else {
                moveProperties(sub, untouched, depth + 1);
            }
            continue;
        }
        if (p->Kind != pkStrings && !p->IsWritable()) continue;
        throws([&] { moveProperty(instance, *p); });  // a refused value stays as it was
    }
}

// Names of the properties written at the top level of a stream (dotted for sub-objects).
std::vector<String> writtenNames(const String& stream, bool component)
{
    TStringStream in(stream);
    TReader reader(in);
    if (component) {
        reader.ReadSignature();
        TFilerFlags flags;
        int position = 0;
        reader.ReadPrefix(flags, position);
        reader.ReadStr();  // class
        reader.ReadStr();  // name
    }
    std::vector<String> names;
    while (!reader.EndOfList()) {
        names.push_back(reader.ReadStr());
        reader.SkipValue();
    }
    return names;
}

// A fresh instance writes each property once, and none whose value is its published default.
void checkFreshStream(TObject* fresh, const String& stream, bool component, std::vector<String>& faults)
{
    std::vector<String> names;
    String message;
    if (throws([&] { names = writtenNames(stream, component); }, &message)) {
        faults.push_back("its stream can not be parsed: " + message);
        return;
    }
    for (auto it = names.begin(); it != names.end(); ++it) {
        const String& name = *it;
        if (std::find(names.begin(), it, name) != it) faults.push_back("a fresh instance writes " + name + " twice");
        TObject* holder = nullptr;
        const TPropInfo* p = FindPropInfo(fresh, name, &holder);
        if (!p || !holder || !IsDefaultPropValue(holder, *p)) continue;
        String value;
        throws([&] { value = GetPropValue(fresh, name); });
        faults.push_back("a fresh instance writes " + name + " = " + value + ", its published default");
    }
}

std::vector<String> lines(const String& text)
{
    std::vector<String> out;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == String::npos) end = text.size();
        String line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        out.push_back(line);
        start = end + 1;
    }
    return out;
}

// The lines of the text forms found in one and not in the other (the first few of each).
String textDifference(const String& before, const String& after)
{
    String a, b;
    if (throws([&] {
            TStringStream in1(before), out1, in2(after), out2;
            ObjectBinaryToText(in1, out1);
            ObjectBinaryToText(in2, out2);
            a = out1.DataString();
            b = out2.DataString();
        }))
        return " (not convertible to text)";
    std::vector<String> la = lines(a), lb = lines(b);
    std::sort(la.begin(), la.end());
    std::sort(lb.begin(), lb.end());
    std::vector<String> lost, gained;
    std::set_difference(la.begin(), la.end(), lb.begin(), lb.end(), std::back_inserter(lost));
    std::set_difference(lb.begin(), lb.end(), la.begin(), la.end(), std::back_inserter(gained));
    String out;
    for (size_t i = 0; i < lost.size() && i < 8; ++i) out += "\n      written:   " + lost[i];
    for (size_t i = 0; i < gained.size() && i < 8; ++i) out += "\n      read back: " + gained[i];
    return out;
}

String streamOf(TComponent* component)
{
    TStringStream s;
    WriteComponentToStream(s, component);
    return s.DataString();
}

String streamOf(TPersistent* persistent)
{
    TStringStream s;
    TWriter writer(s);
    writer.WriteProperties(persistent);
    writer.WriteListEnd();
    return s.DataString();
}

void checkComponent(const TMetaClass& cls, const StreamCheckOptions& options, std::vector<String>& faults)
{
    TOwnedPtr<TComponent> owner(new TComponent(nullptr)), otherOwner(new TComponent(nullptr));
    TComponent* original = nullptr;
    String message;
    if (throws(
            [&] {
                original = cls.CreateComponent(owner.get());
                if (options.Place) options.Place(original);
            },
            &message)) {
        faults.push_back("can not be created: " + message);
        return;
    }
    String fresh;
    if (throws([&] { fresh = streamOf(original); }, &message)) {
        faults.push_back("a fresh instance can not be written: " + message);
        return;
    }
    checkFreshStream(original, fresh, true, faults);

    moveProperties(original, options.Untouched, 0);
    String written;
    if (throws([&] { written = streamOf(original); }, &message)) {
        faults.push_back("can not be written: " + message);
        return;
    }
    TComponent* copy = nullptr;
    const auto onError = [&](TReader&, const String& error, bool& handled) {
        faults.push_back("reading back: " + error);
        handled = true;
    };
    if (throws(
            [&] {
                copy = cls.CreateComponent(otherOwner.get());
                if (options.Place) options.Place(copy);
                TStringStream in(written);
                ReadComponentFromStream(in, copy, onError);
            },
            &message)) {
        faults.push_back("can not be read back: " + message);
        return;
    }
    String again;
    if (throws([&] { again = streamOf(copy); }, &message)) {
        faults.push_back("the copy can not be written: " + message);
        return;
    }
    if (again != written) faults.push_back("the copy writes another stream:" + textDifference(written, again));
}

void checkPersistent(const TMetaClass& cls, const StreamCheckOptions& options, std::vector<String>& faults)
{
    const bool item = cls.InheritsFrom(TCollectionItem::StaticClass());
    const auto create = [&cls, item]() -> TObject* {
        return item ? cls.CreateItem(nullptr) : cls.CreateInstance(nullptr);
    };
    TObject* made = nullptr;
    String message;
    if (throws([&] { made = create(); }, &message)) {
        faults.push_back("can not be created: " + message);
        return;
    }
    TOwnedPtr<TObject> original(made);
    auto* persistent = dynamic_cast<TPersistent*>(made);
    if (!persistent) return;  // nothing a stream could hold
    String fresh;
    if (throws([&] { fresh = streamOf(persistent); }, &message)) {
        faults.push_back("a fresh instance can not be written: " + message);
        return;
    }
    checkFreshStream(persistent, fresh, false, faults);

    moveProperties(persistent, options.Untouched, 0);
    const String written = streamOf(persistent);
    TOwnedPtr<TObject> copy(create());
    auto* copied = static_cast<TPersistent*>(copy.get());
    if (throws(
            [&] {
                TStringStream in(written);
                TReader reader(in);
                reader.SetOnError([&](TReader&, const String& error, bool& handled) {
                    faults.push_back("reading back: " + error);
                    handled = true;
                });
                reader.ReadProperties(copied);
            },
            &message)) {
        faults.push_back("can not be read back: " + message);
        return;
    }
    if (streamOf(copied) != written) faults.push_back("the copy writes another stream");
}

}  // namespace

std::vector<String> CheckStreamedClass(const TMetaClass& cls, const StreamCheckOptions& options)
{
    std::vector<String> faults;
    if (!cls.CanCreate()) return faults;
    if (cls.InheritsFrom(TComponent::StaticClass()))
        checkComponent(cls, options, faults);
    else if (options.CollectionItems || !cls.InheritsFrom(TCollectionItem::StaticClass()))
        checkPersistent(cls, options, faults);
    return faults;
}

void ExpectRegisteredClassesRoundTrip(const StreamCheckOptions& options)
{
    for (TClass cls : RegisteredClasses()) {
        const std::vector<String> faults = CheckStreamedClass(*cls, options);
        String list;
        for (const String& f : faults) list += "\n  " + f;
        EXPECT_TRUE(faults.empty()) << cls->ClassName() << ":" << list;
    }
}

}  // namespace testsupport
