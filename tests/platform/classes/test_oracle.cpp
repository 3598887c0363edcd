// Our streams against reference files made by an outside implementation of the same format
// (see oracle/make-fixtures.sh). Floats may print differently there: structure is compared.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "SampleClasses.h"
#include "StreamFixtures.h"
#include "platform/classes/Filer.h"
#include "platform/classes/ObjectText.h"
#include "tests/support/StreamText.h"

namespace {

String dataPath(const char* name) { return String(TV_TEST_DATA) + "/" + name; }

String readFile(const String& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

using testsupport::toBinary;
using testsupport::toText;

// The text as a token list that ignores layout: strings decoded (quotes doubled or #39, split
// with '+' or not), numbers by value to 12 digits, hex blocks joined, other tokens as written.
std::vector<String> tokens(const String& t)
{
    std::vector<String> out;
    size_t i = 0;
    auto blank = [&] {
        while (i < t.size() && static_cast<unsigned char>(t[i]) <= ' ') ++i;
    };
    while (true) {
        blank();
        if (i >= t.size()) break;
        const char c = t[i];
        if (c == '\'' || c == '#') {
            String s;
            while (true) {
                if (i < t.size() && t[i] == '\'') {
                    ++i;
                    while (i < t.size()) {
                        if (t[i] == '\'' && i + 1 < t.size() && t[i + 1] == '\'') {
                            s += '\'';
                            i += 2;
                            continue;
                        }
                        if (t[i] == '\'') {
                            ++i;
                            break;
                        }
                        s += t[i++];
                    }
                } else if (i < t.size() && t[i] == '#') {
                    ++i;
                    int code = 0;
                    while (i < t.size() && isdigit(static_cast<unsigned char>(t[i]))) code = code * 10 + (t[i++] - '0');
                    s += "#" + std::to_string(code) + ";";
                } else {
                    const size_t save = i;
                    blank();
                    if (i < t.size() && t[i] == '+') {
                        ++i;
                        blank();
                        if (i < t.size() && (t[i] == '\'' || t[i] == '#')) continue;
                    }
                    i = save;
                    break;
                }
            }
            // A printable character may be spelled as #code by one side.
            String decoded;
            for (size_t k = 0; k < s.size(); ++k) {
                if (s[k] == '#') {
                    const size_t semi = s.find(';', k);
                    const int code = std::stoi(s.substr(k + 1, semi - k - 1));
                    decoded += code >= 32 && code < 127 ? String(1, static_cast<char>(code))
                                                        : "#" + std::to_string(code);
                    k = semi;
                } else {
                    decoded += s[k];
                }
            }
            out.push_back("S:" + decoded);
        } else if (c == '{') {
            String hex;
            ++i;
            while (i < t.size() && t[i] != '}') {
                if (static_cast<unsigned char>(t[i]) > ' ') hex += static_cast<char>(toupper(t[i]));
                ++i;
            }
            ++i;
            out.push_back("B:" + hex);
        } else if (c == '-' || isdigit(static_cast<unsigned char>(c))) {
            char* end = nullptr;
            const double v = std::strtod(t.c_str() + i, &end);
            i = static_cast<size_t>(end - t.c_str());
            char buf[64];
            std::snprintf(buf, sizeof buf, "N:%.12g", v);
            out.push_back(buf);
        } else if (isalpha(static_cast<unsigned char>(c)) || c == '_') {
            const size_t start = i;
            while (i < t.size() && (isalnum(static_cast<unsigned char>(t[i])) || t[i] == '_' || t[i] == '.')) ++i;
            out.push_back(t.substr(start, i - start));
        } else {
            out.push_back(String(1, c));
            ++i;
        }
    }
    return out;
}

// The sample tree without the single and date values, which the outside converter does not know.
TOwnedPtr<TSampleForm> oracleTree()
{
    auto form = MakeSampleTree();
    auto* shape = static_cast<TSampleShape*>(form->FindComponent("Shape1"));
    shape->SetRatio(0);
    shape->SetWhen(0);
    return form;
}

}  // namespace

// Writes the inputs the oracle script converts; runs only when asked to.
TEST(Oracle, WriteInputs)
{
    const char* dir = std::getenv("TV_ORACLE_INPUTS");
    if (!dir) GTEST_SKIP() << "set TV_ORACLE_INPUTS to write the oracle's inputs";
    auto form = oracleTree();
    const String binary = StreamOf(form.get());
    std::ofstream(String(dir) + "/sample.bin", std::ios::binary) << binary;
    std::ofstream(String(dir) + "/sample.txt", std::ios::binary) << toText(binary);
}

TEST(Oracle, OurBinaryIsTheStreamTheFixtureWasMadeFrom)
{
    auto form = oracleTree();
    EXPECT_EQ(StreamOf(form.get()), readFile(dataPath("sample.bin")));
}

TEST(Oracle, OurTextMatchesTheOutsideTextInStructure)
{
    const String ours = toText(readFile(dataPath("sample.bin")));
    const String theirs = readFile(dataPath("sample.fpc.txt"));
    ASSERT_FALSE(theirs.empty());
    EXPECT_EQ(tokens(ours), tokens(theirs));
    EXPECT_GT(tokens(ours).size(), 100u);
}

TEST(Oracle, OutsideBinaryFromOurTextReadsBackToTheSameObjects)
{
    const String theirs = readFile(dataPath("sample.fpc.bin"));
    ASSERT_FALSE(theirs.empty());
    TStringStream s(theirs);
    TOwnedPtr<TSampleForm> copy(new TSampleForm(nullptr));
    ReadComponentFromStream(s, copy.get());
    // Written again by us, it gives the text the outside implementation was fed.
    EXPECT_EQ(tokens(ComponentToText(copy.get())), tokens(readFile(dataPath("sample.txt"))));
}

TEST(Oracle, OutsideTextConvertsToOurBinary)
{
    const String binary = toBinary(readFile(dataPath("sample.fpc.txt")));
    TStringStream s(binary);
    TOwnedPtr<TSampleForm> copy(new TSampleForm(nullptr));
    ReadComponentFromStream(s, copy.get());
    auto original = oracleTree();
    EXPECT_EQ(tokens(ComponentToText(copy.get())), tokens(ComponentToText(original.get())));
}
