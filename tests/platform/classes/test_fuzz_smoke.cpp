// The fuzz target's checks, run on a fixed set of mutated streams (the fuzzer itself: fuzz/classes).
#include <gtest/gtest.h>

#include <random>

#include "SampleClasses.h"
#include "StreamFixtures.h"
#include "fuzz/classes/FuzzStreams.h"
#include "platform/classes/ObjectText.h"

namespace {

void fuzzOne(const String& bytes)
{
    tv_fuzz::FuzzComponentStream(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(),
                                 [] { return new TSampleForm(nullptr); });
}

String mutate(String bytes, std::mt19937& rng)
{
    static const char* const tokens[] = {"'", "#", "(",    ")",    "[",    "]",      "{",
                                         "}", "<", ">",    "item", "end",  "object", ".",
                                         "+", "=", "\x0e", "\x01", "\x00", "\xF3",   "\xFF\xFF\xFF\x7F"};
    const int edits = 1 + static_cast<int>(rng() % 4);
    for (int e = 0; e < edits && !bytes.empty(); ++e) {
        const size_t at = rng() % bytes.size();
        switch (rng() % 5) {
        case 0: bytes[at] = static_cast<char>(rng()); break;
        case 1: bytes.erase(at, 1 + rng() % 16); break;
        case 2: bytes.insert(at, 1, static_cast<char>(rng())); break;
        case 3: bytes.insert(at, tokens[rng() % std::size(tokens)]); break;
        default: {  // duplicate a slice: nests lists, items and objects
            const size_t len = std::min<size_t>(bytes.size() - at, 1 + rng() % 64);
            bytes.insert(rng() % bytes.size(), bytes.substr(at, len));
            break;
        }
        }
    }
    return bytes;
}

}  // namespace

TEST(FuzzSmoke, MutatedBinaryAndTextStreamsGiveStreamErrorsOnly)
{
    RegisterSampleClasses();
    auto form = MakeSampleTree();
    const String binary = StreamOf(form.get());
    const String text = ComponentToText(form.get());
    std::mt19937 rng(20261210);
    for (int round = 0; round < 1000; ++round) {
        fuzzOne(mutate(binary, rng));
        fuzzOne(mutate(text, rng));
    }
}

TEST(FuzzSmoke, FoundInputsStayFixed)
{
    RegisterSampleClasses();
    // A set element that is not a name; a broken list end met while a handler skips errors;
    // a number glued to a name in the text.
    const String cases[] = {
        String("TPF0\x01X\x00\x01P\x0B\x03"
               "a b\x00\x00\x00",
               16),
        String("TPF0\x0BTSampleForm\x00\x0CTSampleShape\x01S\x05"
               "Count\x02\x07\x07",
               38),
        "object X\r\n  Ratio0.5 = 1\r\nend\r\n",
    };
    for (const String& c : cases) fuzzOne(c);
    TStringStream in(cases[0]), out;
    EXPECT_THROW(ObjectBinaryToText(in, out), EReadError);
}
