// TList and TStringList: index checks, sorted lists, texts, change notification, files.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Lists.h"
#include "platform/rtl/StringList.h"
#include "platform/rtl/Streams.h"

namespace {

int values[6] = {0, 1, 2, 3, 4, 5};
Pointer P(int i) { return &values[i]; }
int V(Pointer p) { return *static_cast<int*>(p); }

std::string Join(const TList& list)
{
    std::string s;
    for (int i = 0; i < list.Count(); ++i) s += list[i] ? std::to_string(V(list[i])) : "-";
    return s;
}

std::string TempName(const char* name) { return ::testing::TempDir() + name; }

}  // namespace

TEST(TList, EditingOperations)
{
    TList list;
    for (int i = 1; i <= 4; ++i) list.Add(P(i));
    list.Insert(0, P(0));
    EXPECT_EQ(Join(list), "01234");
    list.Move(0, 4);
    EXPECT_EQ(Join(list), "12340");
    list.Exchange(0, 4);
    EXPECT_EQ(Join(list), "02341");
    EXPECT_EQ(list.Remove(P(3)), 2);
    EXPECT_EQ(list.Remove(P(5)), -1);
    EXPECT_EQ(Join(list), "0241");
    list.Put(1, nullptr);
    list.Add(nullptr);
    list.Pack();
    EXPECT_EQ(Join(list), "041");
    list.Sort([](Pointer a, Pointer b) { return V(a) - V(b); });
    EXPECT_EQ(Join(list), "014");
    EXPECT_EQ(list.IndexOf(P(4)), 2);
    EXPECT_EQ(list.First(), P(0));
    EXPECT_EQ(list.Last(), P(4));
}

TEST(TList, BadIndicesRaiseListError)
{
    TList list;
    list.Add(P(1));
    try {
        list.Get(1);
        FAIL();
    } catch (const EListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (1)");
    }
    EXPECT_THROW(list.Delete(-1), EListError);
    EXPECT_THROW(list.Insert(2, P(0)), EListError);
    EXPECT_THROW(list.Move(0, 1), EListError);
    EXPECT_THROW(list.SetCapacity(0), EListError);
    list.SetCapacity(100);
    EXPECT_GE(list.Capacity(), 100);
    list.SetCount(3);
    EXPECT_EQ(Join(list), "1--");
}

TEST(TStringList, SortedListsAndDuplicates)
{
    TStringList list;
    list.SetSorted(true);
    for (const char* s : {"pear", "Apple", "fig", "apple"}) list.Add(s);
    EXPECT_EQ(list.CommaText(), "Apple,fig,pear");  // dupIgnore, case-insensitive
    EXPECT_THROW(list.Insert(0, "x"), EStringListError);
    EXPECT_THROW(list.Put(0, "x"), EStringListError);
    EXPECT_EQ(list.IndexOf("PEAR"), 2);
    int index = -1;
    EXPECT_FALSE(list.Find("banana", index));
    EXPECT_EQ(index, 1);

    list.SetDuplicates(dupError);
    try {
        list.Add("FIG");
        FAIL();
    } catch (const EStringListError& e) {
        EXPECT_EQ(e.Message(), "String list does not allow duplicates");
    }
    list.SetDuplicates(dupAccept);
    list.Add("FIG");
    EXPECT_EQ(list.Count(), 4);

    list.SetCaseSensitive(true);
    EXPECT_EQ(list.CommaText(), "Apple,FIG,fig,pear");
}

TEST(TStringList, TextUsesCrLfAndSplitsAnyBreak)
{
    TStringList list;
    list.SetText("one\r\ntwo\nthree\rfour\r\n");
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list[3], "four");
    EXPECT_EQ(list.Text(), "one\r\ntwo\r\nthree\r\nfour\r\n");
    list.SetText("a\r\n\r\nb");
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list[1], "");
    list.SetText("");
    EXPECT_EQ(list.Count(), 0);
}

TEST(TStringList, CommaAndDelimitedText)
{
    TStringList list;
    const struct {
        const char* in;
        const char* items;  // joined by '|'
        const char* out;
    } cases[] = {
        {"a,b,c", "a|b|c", "a,b,c"},
        {" a , b ", "a|b", "a,b"},
        {"\"x y\",z", "x y|z", "\"x y\",z"},
        {"a b", "a|b", "a,b"},
        {"a,", "a|", "a,"},
        {"\"say \"\"hi\"\"\"", "say \"hi\"", "\"say \"\"hi\"\"\""},
        {"", "", ""},
        {"\"\"", "", "\"\""},
        {"a,,b", "a||b", "a,,b"},
        {"caf\xC3\xA9,x", "caf\xC3\xA9|x", "caf\xC3\xA9,x"},
    };
    for (const auto& c : cases) {
        list.SetCommaText(c.in);
        std::string items;
        for (int i = 0; i < list.Count(); ++i) items += (i ? "|" : "") + list[i];
        EXPECT_EQ(items, c.items) << c.in;
        EXPECT_EQ(list.CommaText(), c.out) << c.in;
    }
    list.Delimiter = ';';
    list.StrictDelimiter = true;
    list.SetDelimitedText(" a b ;c");
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list[0], " a b ");
    EXPECT_EQ(list.DelimitedText(), " a b ;c");
}

TEST(TStringList, NamesAndValues)
{
    TStringList list;
    list.SetText("Port=COM3\nBaud=9600\nplain\nempty=");
    EXPECT_EQ(list.Names(0), "Port");
    EXPECT_EQ(list.Values("baud"), "9600");
    EXPECT_EQ(list.Values("missing"), "");
    EXPECT_EQ(list.ValueFromIndex(2), "");  // no separator: no value
    EXPECT_EQ(list.Names(2), "");
    EXPECT_EQ(list.IndexOfName("EMPTY"), 3);
    list.SetValues("Baud", "19200");
    EXPECT_EQ(list[1], "Baud=19200");
    list.SetValues("New", "1");
    EXPECT_EQ(list[4], "New=1");
    list.SetValues("Port", "");
    EXPECT_EQ(list.IndexOfName("Port"), -1);
    list.SetValueFromIndex(0, "4800");
    EXPECT_EQ(list[0], "Baud=4800");
}

TEST(TStringList, ChangeEventsAndUpdates)
{
    TStringList list;
    int changes = 0, changing = 0;
    list.OnChange = [&] { ++changes; };
    list.OnChanging = [&] { ++changing; };
    list.Add("a");
    list.Delete(0);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(changing, 2);
    list.BeginUpdate();
    list.BeginUpdate();
    list.SetCommaText("x,y,z");
    list.Add("w");
    list.EndUpdate();
    EXPECT_EQ(changes, 2);
    list.EndUpdate();
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(changing, 3);
    list.EndUpdate();  // unbalanced: ignored
    EXPECT_EQ(list.UpdateCount(), 0);
}

TEST(TStringList, AssignAndAddStrings)
{
    TStringList a, b;
    a.SetSorted(true);
    a.SetCommaText("b,a");
    b.Assign(a);
    EXPECT_TRUE(b.Sorted());
    EXPECT_TRUE(b.Equals(a));
    b.AddStrings(b);  // adding itself doubles the lines; sorted + dupIgnore keeps them unique
    EXPECT_EQ(b.Count(), 2);
    TStringList c;
    c.Add("x");
    c.AddStrings(c);
    EXPECT_EQ(c.CommaText(), "x,x");
    const TStringList d = c;
    EXPECT_EQ(d.CommaText(), "x,x");
}

TEST(TStringList, FilesUseCrLf)
{
    const std::string name = TempName("rtl_lines.txt");
    TStringList list;
    list.SetCommaText("first,second");
    list.SaveToFile(name);
    std::ifstream in(name, std::ios::binary);
    std::stringstream raw;
    raw << in.rdbuf();
    EXPECT_EQ(raw.str(), "first\r\nsecond\r\n");

    {
        std::ofstream out(name, std::ios::binary);
        out << "\xEF\xBB\xBFunix\nlines";
    }
    TStringList loaded;
    loaded.LoadFromFile(name);
    EXPECT_EQ(loaded.CommaText(), "unix,lines");
    DeleteFile(name);
    EXPECT_THROW(loaded.LoadFromFile(name), EFOpenError);
    EXPECT_EQ(loaded.Count(), 2);  // a failed load keeps the lines
}

TEST(TStringList, CopyTakenDuringAnUpdateNotifiesNormally)
{
    TStringList list;
    list.BeginUpdate();
    list.Add("a");
    TStringList copy(list);
    int changes = 0;
    copy.OnChange = [&] { ++changes; };
    copy.Add("b");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(copy.UpdateCount(), 0);
    list.EndUpdate();
}
