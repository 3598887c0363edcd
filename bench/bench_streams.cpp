// Component streams: write and read a root holding 100 components of 30 published properties each.
#include <iterator>

#include <benchmark/benchmark.h>

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Component.h"
#include "platform/classes/Filer.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Published.h"

namespace {

enum TBenchKind { bkNone, bkLine, bkBar, bkArea };
constexpr const char* TBenchKindNames[] = {"bkNone", "bkLine", "bkBar", "bkArea"};
static_assert(std::size(TBenchKindNames) == bkArea + 1);

class TBenchItem : public TComponent {
    TV_CLASS(TBenchItem, TComponent)
public:
    using TComponent::TComponent;
    int I(int k) const { return ints_[k]; }
    void SetI(int k, int v) { ints_[k] = v; }
    double D(int k) const { return doubles_[k]; }
    void SetD(int k, double v) { doubles_[k] = v; }
    String S(int k) const { return strings_[k]; }
    void SetS(int k, const String& v) { strings_[k] = v; }

    // Ten plain integer, float, string, enum and boolean properties in fields.
    int i0 = 0, i1 = 0, i2 = 0, i3 = 0, i4 = 0, i5 = 0, i6 = 0, i7 = 0, i8 = 0, i9 = 0;
    double d0 = 0, d1 = 0, d2 = 0, d3 = 0, d4 = 0, d5 = 0, d6 = 0, d7 = 0;
    String s0, s1, s2, s3, s4, s5;
    TBenchKind k0 = bkNone, k1 = bkNone, k2 = bkNone;
    bool b0 = false, b1 = false, b2 = false;

private:
    int ints_[1] = {};
    double doubles_[1] = {};
    String strings_[1];
};

TV_PUBLISHED(TBenchItem)
{
    Prop("I0", &TBenchItem::i0, &TBenchItem::i0, 0);
    Prop("I1", &TBenchItem::i1, &TBenchItem::i1, 0);
    Prop("I2", &TBenchItem::i2, &TBenchItem::i2, 0);
    Prop("I3", &TBenchItem::i3, &TBenchItem::i3, 0);
    Prop("I4", &TBenchItem::i4, &TBenchItem::i4, 0);
    Prop("I5", &TBenchItem::i5, &TBenchItem::i5, 0);
    Prop("I6", &TBenchItem::i6, &TBenchItem::i6, 0);
    Prop("I7", &TBenchItem::i7, &TBenchItem::i7, 0);
    Prop("I8", &TBenchItem::i8, &TBenchItem::i8, 0);
    Prop("I9", &TBenchItem::i9, &TBenchItem::i9, 0);
    Prop("D0", &TBenchItem::d0, &TBenchItem::d0);
    Prop("D1", &TBenchItem::d1, &TBenchItem::d1);
    Prop("D2", &TBenchItem::d2, &TBenchItem::d2);
    Prop("D3", &TBenchItem::d3, &TBenchItem::d3);
    Prop("D4", &TBenchItem::d4, &TBenchItem::d4);
    Prop("D5", &TBenchItem::d5, &TBenchItem::d5);
    Prop("D6", &TBenchItem::d6, &TBenchItem::d6);
    Prop("D7", &TBenchItem::d7, &TBenchItem::d7);
    Prop("S0", &TBenchItem::s0, &TBenchItem::s0);
    Prop("S1", &TBenchItem::s1, &TBenchItem::s1);
    Prop("S2", &TBenchItem::s2, &TBenchItem::s2);
    Prop("S3", &TBenchItem::s3, &TBenchItem::s3);
    Prop("S4", &TBenchItem::s4, &TBenchItem::s4);
    Prop("S5", &TBenchItem::s5, &TBenchItem::s5);
    PropEnum("K0", &TBenchItem::k0, &TBenchItem::k0, bkNone, TBenchKindNames);
    PropEnum("K1", &TBenchItem::k1, &TBenchItem::k1, bkNone, TBenchKindNames);
    PropEnum("K2", &TBenchItem::k2, &TBenchItem::k2, bkNone, TBenchKindNames);
    Prop("B0", &TBenchItem::b0, &TBenchItem::b0, false);
    Prop("B1", &TBenchItem::b1, &TBenchItem::b1, false);
    Prop("B2", &TBenchItem::b2, &TBenchItem::b2, false);
}

class TBenchRoot : public TComponent {
    TV_CLASS(TBenchRoot, TComponent)
public:
    using TComponent::TComponent;
    void GetChildren(const TGetChildProc& proc, TComponent*) override
    {
        for (int i = 0; i < ComponentCount(); ++i) proc(Components(i));
    }
};

TV_PUBLISHED(TBenchRoot) {}

TOwnedPtr<TBenchRoot> makeRoot()
{
    RegisterClasses({&TBenchItem::StaticClass(), &TBenchRoot::StaticClass()});
    TOwnedPtr<TBenchRoot> root(new TBenchRoot(nullptr));
    root->SetName("Root");
    for (int n = 0; n < 100; ++n) {
        auto* item = new TBenchItem(root.get());
        item->SetName("Item" + std::to_string(n + 1));
        int* ints[] = {&item->i0, &item->i1, &item->i2, &item->i3, &item->i4,
                       &item->i5, &item->i6, &item->i7, &item->i8, &item->i9};
        for (int k = 0; k < 10; ++k) *ints[k] = n * 1000 + k;
        double* ds[] = {&item->d0, &item->d1, &item->d2, &item->d3, &item->d4, &item->d5, &item->d6, &item->d7};
        for (int k = 0; k < 8; ++k) *ds[k] = n + k / 8.0;
        String* ss[] = {&item->s0, &item->s1, &item->s2, &item->s3, &item->s4, &item->s5};
        for (int k = 0; k < 6; ++k) *ss[k] = "value " + std::to_string(n * 10 + k);
        item->k0 = bkLine;
        item->k1 = bkBar;
        item->k2 = bkArea;
        item->b0 = item->b1 = item->b2 = true;
    }
    return root;
}

void BM_WriteBinary(benchmark::State& state)
{
    auto root = makeRoot();
    for (auto _ : state) {
        TMemoryStream s;
        WriteComponentToStream(s, root.get());
        benchmark::DoNotOptimize(s.Size());
    }
}
BENCHMARK(BM_WriteBinary);

void BM_ReadBinary(benchmark::State& state)
{
    auto root = makeRoot();
    TMemoryStream s;
    WriteComponentToStream(s, root.get());
    for (auto _ : state) {
        s.SetPosition(0);
        TOwnedPtr<TBenchRoot> copy(new TBenchRoot(nullptr));
        ReadComponentFromStream(s, copy.get());
        benchmark::DoNotOptimize(copy->ComponentCount());
    }
}
BENCHMARK(BM_ReadBinary);

void BM_BinaryToText(benchmark::State& state)
{
    auto root = makeRoot();
    TMemoryStream s;
    WriteComponentToStream(s, root.get());
    for (auto _ : state) {
        s.SetPosition(0);
        TStringStream text;
        ObjectBinaryToText(s, text);
        benchmark::DoNotOptimize(text.Size());
    }
}
BENCHMARK(BM_BinaryToText);

void BM_TextToBinary(benchmark::State& state)
{
    auto root = makeRoot();
    const String text = ComponentToText(root.get());
    for (auto _ : state) {
        TStringStream in(text);
        TMemoryStream out;
        ObjectTextToBinary(in, out);
        benchmark::DoNotOptimize(out.Size());
    }
}
BENCHMARK(BM_TextToBinary);

}  // namespace
