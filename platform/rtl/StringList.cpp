#include "platform/rtl/StringList.h"

#include <algorithm>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Strings.h"

namespace {

[[noreturn]] void IndexError(int index)
{
    throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}
[[noreturn]] void SortedError() { throw EStringListError("Operation not allowed on sorted list"); }

bool Blank(char c) { return static_cast<unsigned char>(c) <= ' '; }
bool InnerBlank(char c) { return c != 0 && Blank(c); }

String JoinDelimited(const TStrings& list, char delimiter, char quote, bool strict)
{
    const int count = list.Count();
    if (count == 1 && list.Get(0).empty()) return String(2, quote);
    String r;
    for (int i = 0; i < count; ++i) {
        String s = list.Get(i);
        if (!strict) {
            const bool needsQuotes = std::any_of(s.begin(), s.end(),
                                                 [&](char c) { return Blank(c) || c == quote || c == delimiter; });
            if (needsQuotes) s = AnsiQuotedStr(s, quote);
        }
        if (i) r += delimiter;
        r += s;
    }
    return r;
}

void SplitDelimited(TStrings& list, const String& text, char delimiter, char quote, bool strict)
{
    list.BeginUpdate();
    try {
        list.Clear();
        std::size_t p = 0;
        const std::size_t n = text.size();
        if (!strict)
            while (p < n && InnerBlank(text[p])) ++p;
        while (p < n) {
            String s;
            if (text[p] == quote) {
                s = AnsiExtractQuotedStr(text, p, quote);
            } else {
                const std::size_t start = p;
                while (p < n && (strict || !Blank(text[p])) && text[p] != delimiter) ++p;
                s = text.substr(start, p - start);
            }
            list.Add(s);
            if (!strict)
                while (p < n && InnerBlank(text[p])) ++p;
            if (p < n && text[p] == delimiter) {
                if (p + 1 == n) list.Add(String());
                do {
                    ++p;
                } while (!strict && p < n && InnerBlank(text[p]));
            }
        }
    } catch (...) {
        list.EndUpdate();
        throw;
    }
    list.EndUpdate();
}

}  // namespace

// ---- TStrings ------------------------------------------------------------------------------------

void TStrings::Put(int index, const String& s)
{
    TObject* object = GetObject(index);
    Delete(index);
    InsertObject(index, s, object);
}

TObject* TStrings::GetObject(int) const { return nullptr; }
void TStrings::PutObject(int, TObject*) {}

void TStrings::InsertObject(int index, const String& s, TObject* object)
{
    Insert(index, s);
    PutObject(index, object);
}

int TStrings::Add(const String& s)
{
    const int index = Count();
    Insert(index, s);
    return index;
}

int TStrings::AddObject(const String& s, TObject* object)
{
    const int index = Add(s);
    PutObject(index, object);
    return index;
}

int TStrings::IndexOf(const String& s) const
{
    for (int i = 0, n = Count(); i < n; ++i)
        if (CompareStrings(Get(i), s) == 0) return i;
    return -1;
}

void TStrings::Exchange(int index1, int index2)
{
    BeginUpdate();
    try {
        const String s1 = Get(index1);
        const String s2 = Get(index2);
        TObject* o1 = GetObject(index1);
        TObject* o2 = GetObject(index2);
        Put(index1, s2);
        Put(index2, s1);
        PutObject(index1, o2);
        PutObject(index2, o1);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::Move(int curIndex, int newIndex)
{
    if (curIndex == newIndex) return;
    if (newIndex < 0 || newIndex >= Count())
        throw EStringListError("List index out of bounds (" + std::to_string(newIndex) + ")");
    BeginUpdate();
    try {
        const String s = Get(curIndex);
        TObject* object = GetObject(curIndex);
        Delete(curIndex);
        InsertObject(newIndex, s, object);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::AddStrings(const TStrings& other)
{
    if (&other == this) {
        const TStringList copy = [&] {
            TStringList c;
            c.Assign(other);
            return c;
        }();
        AddStrings(copy);
        return;
    }
    BeginUpdate();
    try {
        for (int i = 0, n = other.Count(); i < n; ++i) AddObject(other.Get(i), other.GetObject(i));
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::Assign(const TStrings& other)
{
    if (&other == this) return;
    BeginUpdate();
    try {
        Clear();
        Delimiter = other.Delimiter;
        QuoteChar = other.QuoteChar;
        NameValueSeparator = other.NameValueSeparator;
        StrictDelimiter = other.StrictDelimiter;
        AddStrings(other);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

bool TStrings::Equals(const TStrings& other) const
{
    const int n = Count();
    if (n != other.Count()) return false;
    for (int i = 0; i < n; ++i)
        if (Get(i) != other.Get(i)) return false;
    return true;
}

int TStrings::IndexOfName(const String& name) const
{
    for (int i = 0, n = Count(); i < n; ++i) {
        const String s = Get(i);
        const auto p = s.find(NameValueSeparator);
        if (p != String::npos && CompareStrings(s.substr(0, p), name) == 0) return i;
    }
    return -1;
}

int TStrings::IndexOfObject(TObject* object) const
{
    for (int i = 0, n = Count(); i < n; ++i)
        if (GetObject(i) == object) return i;
    return -1;
}

String TStrings::Text() const
{
    String r;
    for (int i = 0, n = Count(); i < n; ++i) {
        r += Get(i);
        r += "\r\n";
    }
    return r;
}

void TStrings::SetText(const String& text)
{
    BeginUpdate();
    try {
        Clear();
        std::size_t p = 0;
        const std::size_t n = text.size();
        while (p < n) {
            const std::size_t start = p;
            while (p < n && text[p] != '\r' && text[p] != '\n') ++p;
            Add(text.substr(start, p - start));
            if (p < n && text[p] == '\r') ++p;
            if (p < n && text[p] == '\n') ++p;
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

String TStrings::DelimitedText() const { return JoinDelimited(*this, Delimiter, QuoteChar, StrictDelimiter); }
void TStrings::SetDelimitedText(const String& text)
{
    SplitDelimited(*this, text, Delimiter, QuoteChar, StrictDelimiter);
}
String TStrings::CommaText() const { return JoinDelimited(*this, ',', '"', StrictDelimiter); }
void TStrings::SetCommaText(const String& text) { SplitDelimited(*this, text, ',', '"', StrictDelimiter); }

String TStrings::Names(int index) const
{
    const String s = Get(index);
    const auto p = s.find(NameValueSeparator);
    return p == String::npos ? String() : s.substr(0, p);
}

String TStrings::Values(const String& name) const
{
    const int i = IndexOfName(name);
    return i < 0 ? String() : ValueFromIndex(i);
}

void TStrings::SetValues(const String& name, const String& value)
{
    const int i = IndexOfName(name);
    if (!value.empty()) {
        const String line = name + NameValueSeparator + value;
        if (i < 0)
            Add(line);
        else
            Put(i, line);
    } else if (i >= 0) {
        Delete(i);
    }
}

String TStrings::ValueFromIndex(int index) const
{
    const String s = Get(index);
    const auto p = s.find(NameValueSeparator);
    return p == String::npos ? String() : s.substr(p + 1);
}

void TStrings::SetValueFromIndex(int index, const String& value)
{
    if (!value.empty()) {
        if (index < 0) index = Add(String());
        Put(index, Names(index) + NameValueSeparator + value);
    } else if (index >= 0) {
        Delete(index);
    }
}

void TStrings::BeginUpdate()
{
    if (updateCount_ == 0) SetUpdateState(true);
    ++updateCount_;
}

void TStrings::EndUpdate()
{
    if (updateCount_ == 0) return;
    if (--updateCount_ == 0) SetUpdateState(false);
}

void TStrings::LoadFromFile(const String& fileName)
{
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream);
}

void TStrings::SaveToFile(const String& fileName) const
{
    TFileStream stream(fileName, fmCreate);
    SaveToStream(stream);
}

void TStrings::LoadFromStream(TStream& stream)
{
    const std::int64_t size = stream.Size() - stream.Position();
    String data(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (!data.empty()) stream.ReadBuffer(data.data(), static_cast<std::int64_t>(data.size()));
    if (data.compare(0, 3, "\xEF\xBB\xBF") == 0) data.erase(0, 3);
    SetText(data);
}

void TStrings::SaveToStream(TStream& stream) const
{
    const String text = Text();
    stream.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
}

int TStrings::CompareStrings(const String& a, const String& b) const { return CompareText(a, b); }

// ---- TStringList ---------------------------------------------------------------------------------

TStringList::TStringList(const TStringList& other) : TStrings(other)
{
    items_ = other.items_;
    sorted_ = other.sorted_;
    caseSensitive_ = other.caseSensitive_;
    duplicates_ = other.duplicates_;
}

TStringList& TStringList::operator=(const TStringList& other)
{
    Assign(other);
    return *this;
}

void TStringList::Check(int index) const
{
    if (index < 0 || index >= Count()) IndexError(index);
}

String TStringList::Get(int index) const
{
    Check(index);
    return items_[static_cast<std::size_t>(index)].text;
}

void TStringList::Put(int index, const String& s)
{
    if (sorted_) SortedError();
    Check(index);
    Changing();
    items_[static_cast<std::size_t>(index)].text = s;
    Changed();
}

TObject* TStringList::GetObject(int index) const
{
    Check(index);
    return items_[static_cast<std::size_t>(index)].object;
}

void TStringList::PutObject(int index, TObject* object)
{
    Check(index);
    Changing();
    items_[static_cast<std::size_t>(index)].object = object;
    Changed();
}

// Qualified calls: a subclass overriding both forms sees one call per change.
void TStringList::Insert(int index, const String& s) { TStringList::InsertObject(index, s, nullptr); }

void TStringList::InsertObject(int index, const String& s, TObject* object)
{
    if (sorted_) SortedError();
    if (index < 0 || index > Count()) IndexError(index);
    InsertItem(index, s, object);
}

void TStringList::InsertItem(int index, const String& s, TObject* object)
{
    Changing();
    items_.insert(items_.begin() + index, Item{s, object});
    Changed();
}

void TStringList::Delete(int index)
{
    Check(index);
    Changing();
    items_.erase(items_.begin() + index);
    Changed();
}

void TStringList::Clear()
{
    if (items_.empty()) return;
    Changing();
    items_.clear();
    Changed();
}

int TStringList::Add(const String& s) { return TStringList::AddObject(s, nullptr); }

int TStringList::AddObject(const String& s, TObject* object)
{
    int index = Count();
    if (sorted_ && Find(s, index)) {
        if (duplicates_ == dupIgnore) return index;
        if (duplicates_ == dupError) throw EStringListError("String list does not allow duplicates");
    }
    InsertItem(index, s, object);
    return index;
}

int TStringList::IndexOf(const String& s) const
{
    if (!sorted_) return TStrings::IndexOf(s);
    int index = 0;
    return Find(s, index) ? index : -1;
}

void TStringList::Exchange(int index1, int index2)
{
    Check(index1);
    Check(index2);
    Changing();
    std::swap(items_[static_cast<std::size_t>(index1)], items_[static_cast<std::size_t>(index2)]);
    Changed();
}

void TStringList::Assign(const TStrings& other)
{
    if (&other == this) return;
    const auto* list = dynamic_cast<const TStringList*>(&other);
    if (!list) {
        TStrings::Assign(other);
        return;
    }
    BeginUpdate();
    Changing();
    Delimiter = list->Delimiter;
    QuoteChar = list->QuoteChar;
    NameValueSeparator = list->NameValueSeparator;
    StrictDelimiter = list->StrictDelimiter;
    items_ = list->items_;
    sorted_ = list->sorted_;
    caseSensitive_ = list->caseSensitive_;
    duplicates_ = list->duplicates_;
    Changed();
    EndUpdate();
}

bool TStringList::Find(const String& s, int& index) const
{
    bool found = false;
    int lo = 0, hi = Count() - 1;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        const int c = CompareStrings(items_[static_cast<std::size_t>(mid)].text, s);
        if (c < 0) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            if (c == 0) {
                found = true;
                if (duplicates_ != dupAccept) lo = mid;
            }
        }
    }
    index = lo;
    return found;
}

void TStringList::Sort()
{
    if (sorted_ || Count() < 2) return;
    Changing();
    std::stable_sort(items_.begin(), items_.end(),
                     [this](const Item& a, const Item& b) { return CompareStrings(a.text, b.text) < 0; });
    Changed();
}

void TStringList::CustomSort(const TStringListSortCompare& compare)
{
    if (sorted_ || Count() < 2 || !compare) return;
    // The callback sees the list by index, so sort a permutation and apply it afterwards.
    std::vector<int> order(items_.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return compare(*this, a, b) < 0; });
    Changing();
    std::vector<Item> sorted;
    sorted.reserve(items_.size());
    for (int i : order) sorted.push_back(items_[static_cast<std::size_t>(i)]);
    items_.swap(sorted);
    Changed();
}

void TStringList::SetSorted(bool value)
{
    if (value == sorted_) return;
    if (value) Sort();
    sorted_ = value;
}

void TStringList::SetCaseSensitive(bool value)
{
    if (value == caseSensitive_) return;
    caseSensitive_ = value;
    if (sorted_) {
        sorted_ = false;
        Sort();
        sorted_ = true;
    }
}

void TStringList::SetCapacity(int capacity)
{
    if (capacity < Count()) throw EStringListError("List capacity out of bounds (" + std::to_string(capacity) + ")");
    items_.reserve(static_cast<std::size_t>(capacity));
}

void TStringList::SetUpdateState(bool updating)
{
    if (updating)
        Changing();
    else
        Changed();
}

int TStringList::CompareStrings(const String& a, const String& b) const
{
    return caseSensitive_ ? CompareStr(a, b) : CompareText(a, b);
}

void TStringList::Changed()
{
    if (UpdateCount() == 0 && OnChange) OnChange();
}

void TStringList::Changing()
{
    if (UpdateCount() == 0 && OnChanging) OnChanging();
}
