#include "tests/support/RegistryCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <optional>

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
    // Longer than a line of the text form, with a dot, a quote and a character beyond ASCII.
    case pkString: a.SetStr(instance, a.GetStr(instance) + "x. 'Gr\xC3\xB6\xC3\x9Fe' " + String(60, 'y')); break;
    case pkStrings:
        if (TStrings* s = a.GetStrings(instance)) s->Add("x");
        break;
    case pkClass:
    case pkComponent:
    case pkEvent: break;
    }
}

// "TClass.Property" names the property wherever TClass is the holder's class or one of its
// parents; "TClass.*" every property TClass publishes itself (not one of its parents').
bool isListed(const TMetaClass& cls, const String& property, const std::vector<String>& list)
{
    for (const TMetaClass* c = &cls; c; c = c->ClassParent()) {
        if (std::find(list.begin(), list.end(), c->ClassName() + "." + property) != list.end()) return true;
        const TMetaClass* parent = c->ClassParent();
        if (std::find(list.begin(), list.end(), c->ClassName() + ".*") != list.end() && c->FindProperty(property) &&
            !(parent && parent->FindProperty(property)))
            return true;
    }
    return false;
}

// "TClass.Sub.Property" names a property by its path below an instance of TClass (or of a class
// derived from it).
bool isListedPath(const TMetaClass& root, const String& path, const std::vector<String>& list)
{
    for (const TMetaClass* c = &root; c; c = c->ClassParent())
        if (std::find(list.begin(), list.end(), c->ClassName() + "." + path) != list.end()) return true;
    return false;
}

// Where a property's holder sits below the checked instance: the sub-object properties leading
// to it, each maybe followed by the first item of the collection it holds.
struct TStep {
    String Property;
    bool FirstItem = false;
};
using TPlace = std::vector<TStep>;

String placeName(const TPlace& place, const String& property)
{
    String name;
    for (const TStep& step : place) name += step.Property + (step.FirstItem ? "[0]." : ".");
    return name + property;
}

TCollectionItem* firstItem(TCollection& collection, bool make)
{
    if (collection.Count() > 0) return collection.Items(0);
    TCollectionItem* item = nullptr;
    if (make) throws([&] { item = collection.Add(); });
    return item;
}

// The holder at place below root; an empty collection on the way gets an item when make is set.
TObject* locate(TObject* root, const TPlace& place, bool make)
{
    TObject* at = root;
    for (const TStep& step : place) {
        const TPropInfo* p = at ? at->ClassType().FindProperty(step.Property) : nullptr;
        at = p ? p->Access->GetObj(at) : nullptr;
        if (at && step.FirstItem) {
            auto* collection = dynamic_cast<TCollection*>(at);
            at = collection ? firstItem(*collection, make) : nullptr;
        }
        if (!at) return nullptr;
    }
    return at;
}

using TVisit = std::function<void(TObject* holder, const TPropInfo& property, const TPlace& place)>;

// Visits every published property below instance, sub-objects before their own properties, in
// sub-objects and in the first item of each collection (made when the collection is empty);
// sub-objects listed as untouched are left out.
void walk(TObject* instance, const std::vector<String>& untouched, const TVisit& visit, const TPlace& place = {},
          int depth = 0)
{
    if (!instance || depth > MaxDepth) return;
    for (const TPropInfo* p : instance->ClassType().Properties()) {
        if (p->Kind == pkClass && isListed(instance->ClassType(), p->Name, untouched)) continue;
        visit(instance, *p, place);
        if (p->Kind != pkClass) continue;
        TObject* sub = p->Access->GetObj(instance);
        if (!sub || sub->Is<TComponent>()) continue;
        TPlace inner = place;
        inner.push_back({p->Name, false});
        if (auto* collection = dynamic_cast<TCollection*>(sub)) {
            inner.back().FirstItem = true;
            walk(firstItem(*collection, true), untouched, visit, inner, depth + 1);
        } else {
            walk(sub, untouched, visit, inner, depth + 1);
        }
    }
}

void moveProperties(TObject* instance, const std::vector<String>& untouched)
{
    walk(instance, untouched, [&](TObject* holder, const TPropInfo& p, const TPlace&) {
        if (isListed(holder->ClassType(), p.Name, untouched)) return;
        if (p.Kind != pkStrings && !p.IsWritable()) return;
        throws([&] { moveProperty(holder, p); });  // a refused value stays as it was
    });
}

// Whether the writer leaves out a value of the property: the default it declares, or 0 for a
// number with none.
bool hasStoredDefault(const TPropInfo& p)
{
    switch (p.Kind) {
    case pkClass:
    case pkComponent:
    case pkEvent:
    case pkStrings: return false;
    case pkSingle:
    case pkDouble:
    case pkExtended:
    case pkDate: return true;
    default: return p.HasDefault;
    }
}

// The published default as the access takes it, and the property's value as text.
void setDefault(TObject* holder, const TPropInfo& p)
{
    const TPropAccess& a = *p.Access;
    switch (p.Kind) {
    case pkSingle:
    case pkDouble:
    case pkExtended:
    case pkDate: a.SetFloat(holder, p.HasDefault ? p.DefaultFloat : 0); break;
    case pkString: a.SetStr(holder, p.HasDefault ? p.DefaultStr : String()); break;
    default: a.SetOrd(holder, p.DefaultOrd); break;
    }
}

String valueText(TObject* holder, const TPropInfo& p)
{
    String text;
    if (throws([&] { text = GetPropValue(holder, p.Name); })) text = "?";
    return text;
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
        const size_t first = line.find_first_not_of(' ');
        out.push_back(first == String::npos ? String() : line.substr(first));
        start = end + 1;
    }
    return out;
}

// The property lines of a text form, each with its full path ("CustomAxes[0].Title.Angle = 90")
// and its value joined when it spans lines, so that lines of nested items compare apart.
std::vector<String> pathLines(const String& text)
{
    const std::vector<String> in = lines(text);
    std::vector<String> out;
    std::vector<String> path;     // collections and their items
    std::vector<int> itemCounts;  // per open collection
    for (size_t i = 0; i < in.size(); ++i) {
        const String& line = in[i];
        if (line.empty()) continue;
        if (line == "item" || line.starts_with("item [")) {
            path.push_back("[" + std::to_string(itemCounts.empty() ? 0 : itemCounts.back()++) + "].");
            continue;
        }
        if (line == "end" || line == "end>") {
            const bool item = !path.empty() && path.back().starts_with("[");
            if (item) path.pop_back();
            if (line == "end>" && !path.empty()) {
                path.pop_back();
                itemCounts.pop_back();
            }
            if (!item) out.push_back("end");  // an object's
            continue;
        }
        const size_t equals = line.find(" = ");
        if (equals == String::npos || line.starts_with("object ") || line.starts_with("inherited ")) {
            out.push_back(line);
            continue;
        }
        String prefix;
        for (const String& part : path) prefix += part;
        const String name = line.substr(0, equals);
        String value = line.substr(equals + 3);
        if (value == "<") {
            path.push_back(name);
            itemCounts.push_back(0);
            continue;
        }
        // A value continued on the next lines: a long string, a list or binary data.
        const auto open = [&] {
            if (value.empty() || value.ends_with("+")) return true;
            if (value.starts_with("(")) return !value.ends_with(")");
            if (value.starts_with("{")) return !value.ends_with("}");
            return false;
        };
        while (open() && i + 1 < in.size()) value += (value.empty() ? "" : " ") + in[++i];
        out.push_back(prefix + name + " = " + value);
    }
    return out;
}

// The component text of a stream; a property list alone is wrapped into an object first.
String streamText(const String& stream, bool component)
{
    String binary = stream;
    if (!component) binary = String("TPF0") + char(4) + "TObj" + char(0) + stream + char(0);
    TStringStream in(binary), out;
    ObjectBinaryToText(in, out);
    return out.DataString();
}

// Whether a path line names a property left out: "Path" a property, "Path." a sub-object and
// everything below it (its items too); "Name" also the name in an object's first line.
bool isLeftOut(String& line, const std::vector<String>& leftOut)
{
    for (const String& path : leftOut) {
        if (path == "Name" && line.starts_with("object ") && line.find(": ") != String::npos)
            line = "object " + line.substr(line.find(": ") + 2);
        if (!path.ends_with('.')) {
            if (line.starts_with(path + " = ")) return true;
            continue;
        }
        const String object = path.substr(0, path.size() - 1);
        if (line.starts_with(object) && line.size() > object.size() &&
            (line[object.size()] == '.' || line[object.size()] == '['))
            return true;
    }
    return false;
}

// The property lines found in one stream and not in the other (the first few of each), leaving
// out the properties named in leftOut; empty when the two agree.
String streamDifference(const String& before, const String& after, bool component, const String& afterName,
                        const std::vector<String>& leftOut = {})
{
    std::vector<String> la, lb;
    if (throws([&] {
            la = pathLines(streamText(before, component));
            lb = pathLines(streamText(after, component));
        }))
        return before == after ? String() : String(" (not convertible to text)");
    for (std::vector<String>* lines : {&la, &lb}) {
        std::erase_if(*lines, [&](String& line) { return isLeftOut(line, leftOut); });
        std::sort(lines->begin(), lines->end());
    }
    std::vector<String> lost, gained;
    std::set_difference(la.begin(), la.end(), lb.begin(), lb.end(), std::back_inserter(lost));
    std::set_difference(lb.begin(), lb.end(), la.begin(), la.end(), std::back_inserter(gained));
    String out;
    for (size_t i = 0; i < lost.size() && i < 40; ++i) out += "\n      written:   " + lost[i];
    for (size_t i = 0; i < gained.size() && i < 40; ++i) out += "\n      " + afterName + ": " + gained[i];
    return out;
}

// The instances one check makes of a class, and their streams.
class TSubject {
public:
    TSubject(const TMetaClass& cls, const StreamCheckOptions& options)
        : cls_(cls), options_(options), component_(cls.InheritsFrom(TComponent::StaticClass()))
    {
    }
    bool IsComponent() const { return component_; }

    // Components get an owner of their own (and a place when the options give one).
    TObject* Make()
    {
        if (component_) {
            owners_.emplace_back(new TComponent(nullptr));
            TComponent* made = cls_.CreateComponent(owners_.back().get());
            if (options_.Place) options_.Place(made);
            return made;
        }
        const bool item = cls_.InheritsFrom(TCollectionItem::StaticClass());
        objects_.emplace_back(item ? cls_.CreateItem(nullptr) : cls_.CreateInstance(nullptr));
        return objects_.back().get();
    }

    String Write(TObject* instance) const
    {
        TStringStream s;
        if (component_) {
            WriteComponentToStream(s, static_cast<TComponent*>(instance));
        } else {
            TWriter writer(s);
            writer.WriteProperties(static_cast<TPersistent*>(instance));
            writer.WriteListEnd();
        }
        return s.DataString();
    }

    // Errors the reader reports go to faults.
    void Read(const String& stream, TObject* instance, std::vector<String>& faults) const
    {
        const auto onError = [&](TReader&, const String& error, bool& handled) {
            faults.push_back("reading back: " + error);
            handled = true;
        };
        TStringStream in(stream);
        if (component_) {
            ReadComponentFromStream(in, static_cast<TComponent*>(instance), onError);
        } else {
            TReader reader(in);
            reader.SetOnError(onError);
            reader.ReadProperties(static_cast<TPersistent*>(instance));
        }
    }

    // What differs between two streams of the class.
    String Difference(const String& before, const String& after, const String& afterName,
                      const std::vector<String>& leftOut = {}) const
    {
        return streamDifference(before, after, component_, afterName, leftOut);
    }

private:
    const TMetaClass& cls_;
    const StreamCheckOptions& options_;
    bool component_;
    std::vector<TOwnedPtr<TComponent>> owners_;
    std::vector<TOwnedPtr<TObject>> objects_;
};

// A property set on its own to a value the writer leaves out still comes back with that value, not
// with a new instance's: its published default where a new instance starts elsewhere, and the
// empty string where a new instance starts with text. The instances go when the check ends (a
// control placed on a form moves the others aligned there).
void checkDefaults(const TMetaClass& cls, const StreamCheckOptions& options, std::vector<String>& faults)
{
    TSubject subject(cls, options);
    TObject* probe = nullptr;
    if (throws([&] { probe = subject.Make(); })) return;  // the round trip reports it
    // Sets p at place in a new instance by set and reads it back through the stream; returns what
    // came back, nothing when set refuses the value (or it is never stored), and reports a value
    // that does not travel.
    const auto tryValue = [&](const TPropInfo& p, const TPlace& place, const std::function<bool(TObject*)>& set,
                              const String& name, String& expected) -> std::optional<String> {
        TObject* original = subject.Make();
        TObject* at = locate(original, place, true);
        // A value the setter refuses, or a property never stored, is no value to lose.
        bool took = false;
        if (!at || throws([&] { took = set(at); }) || !took || !IsStoredProp(at, p)) return std::nullopt;
        expected = valueText(at, p);
        String again, message;
        std::vector<String> ignored;
        if (throws(
                [&] {
                    TObject* copy = subject.Make();
                    subject.Read(subject.Write(original), copy, ignored);
                    TObject* back = locate(copy, place, false);
                    again = back ? valueText(back, p) : "nothing";
                },
                &message)) {
            faults.push_back(name + " set to " + expected + " does not travel: " + message);
            return std::nullopt;
        }
        return again;
    };
    walk(probe, options.Untouched, [&](TObject* holder, const TPropInfo& p, const TPlace& place) {
        if (!p.IsWritable() || isListed(holder->ClassType(), p.Name, options.Untouched)) return;
        const String name = placeName(place, p.Name);
        const String fresh = valueText(holder, p);
        String expected;
        if (hasStoredDefault(p) && !IsDefaultPropValue(holder, p)) {
            const auto again = tryValue(
                p, place, [&](TObject* at) {
                    setDefault(at, p);
                    return IsDefaultPropValue(at, p);
                }, name, expected);
            if (again && *again != expected)
                faults.push_back("a new instance has " + name + " = " + fresh + ", not its published default " +
                                 expected + ", which therefore comes back as " + *again);
        }
        if (p.Kind == pkString && !p.Access->GetStr(holder).empty()) {
            const auto again = tryValue(
                p, place, [&](TObject* at) {
                    p.Access->SetStr(at, String());
                    return p.Access->GetStr(at).empty();
                }, name, expected);
            if (again && *again != expected)
                faults.push_back("a new instance has " + name + " = '" + fresh + "'; set to '' it comes back as '" +
                                 *again + "'");
        }
    });
}

// Assign copies every property but those listed as not assigned, which the comparison leaves
// out. The original is written again: a sibling control may have taken its place in the parent's
// tab order meanwhile.
void checkAssign(TSubject& subject, TObject* original, const StreamCheckOptions& options, std::vector<String>& faults)
{
    auto* target = dynamic_cast<TPersistent*>(subject.Make());
    String message;
    try {
        target->Assign(static_cast<TPersistent*>(original));
    } catch (const EConvertError& e) {
        if (String(e.what()).starts_with("Cannot assign a ")) return;  // the class has no Assign
        faults.push_back(String("Assign raises: ") + e.what());
        return;
    } catch (const std::exception& e) {
        faults.push_back(String("Assign raises: ") + e.what());
        return;
    }
    std::vector<String> leftOut;
    if (subject.IsComponent()) leftOut.push_back("Name");  // its identity in its owner, no setting
    walk(original, options.Untouched, [&](TObject* holder, const TPropInfo& p, const TPlace& place) {
        const String path = placeName(place, p.Name);
        if (isListed(holder->ClassType(), p.Name, options.NotAssigned) ||
            isListedPath(original->ClassType(), path, options.NotAssigned))
            leftOut.push_back(p.Kind == pkClass ? path + "." : path);
    });
    String assigned, now;
    if (throws([&] { assigned = subject.Write(target); }, &message) ||
        throws([&] { now = subject.Write(original); }, &message)) {
        faults.push_back("the assigned instance can not be written: " + message);
        return;
    }
    const String difference = subject.Difference(now, assigned, "assigned", leftOut);
    if (!difference.empty()) faults.push_back("Assign leaves out properties:" + difference);
}

void checkClass(const TMetaClass& cls, const StreamCheckOptions& options, std::vector<String>& faults)
{
    String message;
    if (throws([&] { checkDefaults(cls, options, faults); }, &message))
        faults.push_back("checking the defaults raises: " + message);
    TSubject subject(cls, options);
    TObject* original = nullptr;
    if (throws([&] { original = subject.Make(); }, &message)) {
        faults.push_back("can not be created: " + message);
        return;
    }
    if (!dynamic_cast<TPersistent*>(original)) return;  // nothing a stream could hold
    String fresh;
    if (throws([&] { fresh = subject.Write(original); }, &message)) {
        faults.push_back("a fresh instance can not be written: " + message);
        return;
    }
    checkFreshStream(original, fresh, subject.IsComponent(), faults);

    moveProperties(original, options.Untouched);
    String written;
    if (throws([&] { written = subject.Write(original); }, &message)) {
        faults.push_back("can not be written: " + message);
        return;
    }
    String again;
    if (throws(
            [&] {
                TObject* copy = subject.Make();
                subject.Read(written, copy, faults);
                again = subject.Write(copy);
            },
            &message)) {
        faults.push_back("can not be read back: " + message);
        return;
    }
    if (again != written)
        faults.push_back("the copy writes another stream:" + subject.Difference(written, again, "read back"));
    checkAssign(subject, original, options, faults);
    if (options.StoredForms && subject.IsComponent())
        for (const String& fault : options.StoredForms(written)) faults.push_back(fault);
}

}  // namespace

std::vector<String> CheckStreamedClass(const TMetaClass& cls, const StreamCheckOptions& options)
{
    std::vector<String> faults;
    if (!cls.CanCreate()) return faults;
    for (const String& name : options.OwnDescription)
        if (cls.ClassName() == name) return faults;
    if (cls.InheritsFrom(TComponent::StaticClass()) || options.CollectionItems ||
        !cls.InheritsFrom(TCollectionItem::StaticClass()))
        checkClass(cls, options, faults);
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

StreamCheckOptions DesignStreamCheckOptions()
{
    StreamCheckOptions options;
    // AutoOpen opens the port when the component is read; there is none here. An aligned
    // control's bounds follow its parent and the order of every other change. An active data
    // source loads the file its moved FileName names. A picture's filter list makes items of the
    // abstract filter base; the filter classes are checked on their own.
    // A sub-axis passes Inverted and Logarithmic up to its parent axis (sub-axes are axes, checked
    // as the chart's). The video tool refuses a compressor the machine lacks. The status bar is
    // aligned from the start: size limits move it as its alignment does.
    options.Untouched = {"TVaComm.AutoOpen",    "TControl.Align",     "TZebSeriesSource.Active",
                         "TZebPicture.Filters", "TChartAxis.SubAxes", "TVideoTool.Compression",
                         "TStatusBar.Constraints"};
    // The mark tips' Font is its Format's font, stored there.
    options.Untouched.push_back("TMarksTipTool.Font");
    // A shape made without a panel starts its gradient's colour items white.
    options.Untouched.push_back("TPolarLabels.Gradient");
    // A calendar cell's gradient is not stored (as any framed shape's); its stops stay as made.
    options.Untouched.push_back("TCalendarCell.Gradient");
    // The chart editor's dialog and pages are their stored descriptions.
    options.OwnDescription = {"TChartEditForm", "TFormZebSeries", "TCustomSeriesEditor"};
    options.NotAssigned = {
        // Assign of a chart or styled control copies its own settings, not the platform control's
        // place, caption, focus order, hints or tag.
        "TControl.Left", "TControl.Top", "TControl.Width", "TControl.Height", "TControl.Anchors", "TControl.Cursor",
        "TControl.Hint", "TControl.ShowHint", "TControl.ParentShowHint", "TControl.ParentColor", "TControl.Visible",
        "TControl.Enabled", "TControl.Caption", "TControl.AutoSize", "TControl.Tag", "TWinControl.TabOrder",
        "TWinControl.TabStop", "TWinControl.DoubleBuffered", "TWinControl.BorderWidth", "TCustomPanel.Alignment",
        // The size limits belong to the control's place as its bounds do.
        "TControl.Constraints",
        // How a control starts a drag belongs to the platform control as its place does.
        "TControl.DragMode",
        "TCustomPanel.BorderStyle", "TCustomPanel.ParentBackground", "TCustomPanel.FullRepaint",
        // The zoom settings a chart's Assign leaves to the target, and its wheel choice.
        "TZebZoom.MinimumPixels", "TZebZoom.MouseWheel", "TZebZoom.UpLeftZooms", "TCustomZebPanelExtended.ZoomWheel",
        // Whether a shadow clips to its shape is the target's own.
        "TZebShadow.Clip",
        // An axis' Assign copies its range, labels and look, not its depth position; the depth
        // axis adds no Assign of its own.
        "TChartAxis.ZPosition", "TChartDepthAxis.LabelsAsSeriesTitles",
        // A value list's Assign copies its order, date flag and source field; name and values stay.
        "TChartValueList.Name",
        // A chart's Assign leaves its series groups: they name the chart's own series.
        "TCustomAxisPanel.SeriesGroups",
        // A series' Assign copies the settings its classes list (the appearance, the value lists'
        // settings), not how it marks a hovered point, nor these:
        "TChartSeries.HoverElement", "TSeriesMarks.FontSeriesColor", "TCustomBarSeries.AutoBarSize",
        "TCustomBarSeries.Sides", "TPieSeries.EdgeStyle", "TPieSeries.GradientBright", "TCandleSeries.OpenTickColor",
        "TCandleSeries.CloseTickColor", "TCandleSeries.RemoveGaps", "TPointFigureSeries.*",
        // ... and sets these itself: a pie colours each slice, a point series shows its pointer
        // without a clickable line, an area series fills its area, and the fast line's and the
        // volume series' pens become visible (the fast line's in the automatic colour).
        "TPieSeries.ColorEachPoint", "TPointSeries.ClickableLine", "TPointSeries.Pointer.Visible",
        "TAreaSeries.DrawArea", "TFastLineSeries.LinePen.Color", "TFastLineSeries.LinePen.Visible",
        "TVolumeSeries.LinePen.Visible",
        // A water fall stays one: its Assign sets WaterFall after copying a surface's settings.
        "TWaterFallSeries.WaterFall",
        // A function's Assign is the base function's: the calculation settings (CalcByValue,
        // IncludeNulls, Period, PeriodAlign, PeriodStyle), not its tag nor each kind's own settings.
        "TZebFunction.Tag", "TCustomZebFunction.*", "TSubsetZebFunction.*", "TMovingAverageFunction.*",
        "TExpMovAveFunction.*", "TExpAverageFunction.*", "TStdDeviationFunction.*", "TRMSFunction.*",
        "TSkewnessFunction.*", "TCustomFittingFunction.*", "TDownSamplingFunction.*", "THistogramFunction.*",
        "THistogramFunction.IncludeNulls", "TSARFunction.*", "TRSIFunction.*", "TCompressFunction.*", "TADXFunction.*",
        "TMACDFunction.*", "TCLVFunction.*", "TMoneyFlowFunction.*", "TRVIFunction.*", "TAlligatorFunction.*",
        "TBollingerFunction.*", "TPVOFunction.*", "TCCIFunction.*",
        // A tool's Assign is the chart element's (active, brush, pen, tag) unless its kind adds one.
        "TVideoTool.*", "TVideoPlayerTool.*",
        // A picture list's Assign copies its pictures; anything else is the platform's.
        "TQMPictureList.Tag",
        // An animation's Assign copies its timing settings and its kind's own, not its tag.
        "TZebAnimation.Tag"};
    return options;
}

}  // namespace testsupport
