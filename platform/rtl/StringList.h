#pragma once
// TStrings and TStringList (plain classes: the component layer streams them as a property kind).
// Text is joined by CR LF; files are read with any line break and written with CR LF.
#include <functional>
#include <vector>

#include "platform/rtl/Types.h"

class TObject;
class TStream;

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStrings {
public:
    virtual ~TStrings() = default;

    virtual int Count() const = 0;
    virtual String Get(int index) const = 0;
    virtual void Put(int index, const String& s);
    virtual TObject* GetObject(int index) const;
    virtual void PutObject(int index, TObject* object);
    virtual void Insert(int index, const String& s) = 0;
    virtual void InsertObject(int index, const String& s, TObject* object);
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    virtual int Add(const String& s);
    virtual int AddObject(const String& s, TObject* object);
    virtual int IndexOf(const String& s) const;
    virtual void Exchange(int index1, int index2);
    virtual void Move(int curIndex, int newIndex);

    String operator[](int index) const { return Get(index); }
    String Strings(int index) const { return Get(index); }
    TObject* Objects(int index) const { return GetObject(index); }
    void Append(const String& s) { Add(s); }
    void AddStrings(const TStrings& other);
    virtual void Assign(const TStrings& other);
    bool Equals(const TStrings& other) const;
    int IndexOfName(const String& name) const;
    int IndexOfObject(TObject* object) const;

    // Every line followed by CR LF; SetText splits at CR LF, LF or CR.
    String Text() const;
    void SetText(const String& text);
    // Delimiter-separated; items with blanks, quotes or delimiters are quoted.
    String DelimitedText() const;
    void SetDelimitedText(const String& text);
    String CommaText() const;
    void SetCommaText(const String& text);

    // name=value lines.
    String Names(int index) const;
    String Values(const String& name) const;
    void SetValues(const String& name, const String& value);  // empty value deletes the line
    String ValueFromIndex(int index) const;
    void SetValueFromIndex(int index, const String& value);

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    void LoadFromFile(const String& fileName);  // EFOpenError when it cannot be read
    void SaveToFile(const String& fileName) const;
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;

    char Delimiter = ',';
    char QuoteChar = '"';
    char NameValueSeparator = '=';
    bool StrictDelimiter = false;

protected:
    TStrings() = default;
    // Copies the text settings; a copy never starts inside an update.
    TStrings(const TStrings& other)
        : Delimiter(other.Delimiter),
          QuoteChar(other.QuoteChar),
          NameValueSeparator(other.NameValueSeparator),
          StrictDelimiter(other.StrictDelimiter)
    {
    }
    TStrings& operator=(const TStrings&) = delete;

    virtual void SetUpdateState(bool /*updating*/) {}
    virtual int CompareStrings(const String& a, const String& b) const;

private:
    int updateCount_ = 0;
};

class TStringList : public TStrings {
public:
    TStringList() = default;
    TStringList(const TStringList& other);
    TStringList& operator=(const TStringList& other);

    int Count() const override { return static_cast<int>(items_.size()); }
    String Get(int index) const override;
    void Put(int index, const String& s) override;
    TObject* GetObject(int index) const override;
    void PutObject(int index, TObject* object) override;
    void Insert(int index, const String& s) override;
    void InsertObject(int index, const String& s, TObject* object) override;
    void Delete(int index) override;
    void Clear() override;
    int Add(const String& s) override;
    int AddObject(const String& s, TObject* object) override;
    int IndexOf(const String& s) const override;
    void Exchange(int index1, int index2) override;
    void Assign(const TStrings& other) override;

    // Binary search of a sorted list: true when found; index is the match or the insertion point.
    virtual bool Find(const String& s, int& index) const;
    virtual void Sort();
    using TStringListSortCompare = std::function<int(const TStringList& list, int index1, int index2)>;
    void CustomSort(const TStringListSortCompare& compare);

    bool Sorted() const { return sorted_; }
    void SetSorted(bool value);
    TDuplicates Duplicates() const { return duplicates_; }
    void SetDuplicates(TDuplicates value) { duplicates_ = value; }
    bool CaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool value);
    int Capacity() const { return static_cast<int>(items_.capacity()); }
    void SetCapacity(int capacity);

    // Fired around each change; suppressed between BeginUpdate and EndUpdate (EndUpdate fires once).
    std::function<void()> OnChange;
    std::function<void()> OnChanging;

protected:
    void SetUpdateState(bool updating) override;
    int CompareStrings(const String& a, const String& b) const override;
    virtual void Changed();
    virtual void Changing();

private:
    struct Item {
        String text;
        TObject* object = nullptr;
    };
    void Check(int index) const;
    void InsertItem(int index, const String& s, TObject* object);
    std::vector<Item> items_;
    bool sorted_ = false;
    bool caseSensitive_ = false;
    TDuplicates duplicates_ = dupIgnore;
};
