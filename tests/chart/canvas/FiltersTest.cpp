#include <gtest/gtest.h>

#include <cstring>

#include "chart/canvas/BitmapRoutines.h"
#include "chart/canvas/Filters.h"
#include "chart/canvas/FloatPoints.h"
#include "chart/canvas/ImageFiltered.h"
#include "chart/canvas/ZebPicture.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Published.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

namespace {
std::vector<std::string> applied;

// Adds Amount to the blue channel inside its rectangle.
class TTestFilterA : public TZebFilter {
    TV_CLASS(TTestFilterA, TZebFilter)
public:
    explicit TTestFilterA(TCollection* c) : TZebFilter(c) {}
    int Amount() const { return amount_; }
    void SetAmount(int v) { amount_ = v; }
    void Apply(TBitmap& bitmap, const TRect& rect) override
    {
        TZebFilter::Apply(bitmap, rect);
        applied.push_back("A" + std::to_string(amount_));
        for (int y = rect.Top; y <= rect.Bottom; ++y)
            for (int x = rect.Left; x <= rect.Right; ++x)
                Lines()[static_cast<std::size_t>(y)][x * 3] += static_cast<Byte>(amount_);
    }

private:
    int amount_ = 0;
};

class TTestFilterB : public TZebFilter {
    TV_CLASS(TTestFilterB, TZebFilter)
public:
    explicit TTestFilterB(TCollection* c) : TZebFilter(c) {}
    const String& Label() const { return label_; }
    void SetLabel(const String& v) { label_ = v; }
    void Apply(TBitmap& bitmap, const TRect& rect) override
    {
        TZebFilter::Apply(bitmap, rect);
        applied.push_back("B" + label_);
    }

private:
    String label_;
};

class TPictureHolder : public TComponent {
    TV_CLASS(TPictureHolder, TComponent)
public:
    explicit TPictureHolder(TComponent* owner = nullptr) : TComponent(owner) { SetName("Holder"); }
    TZebPicture* Picture() { return &picture; }
    void SetPicture(TZebPicture* v) { picture.Assign(v); }
    TZebPicture picture;
};

const bool registered = [] {
    RegisterFilterClasses({&TTestFilterA::StaticClass(), &TTestFilterB::StaticClass()});
    return true;
}();

std::unique_ptr<TBitmap> grey(int w, int h)
{
    auto b = std::make_unique<TBitmap>(w, h, pf24bit);
    b->Canvas()->Brush()->SetColor(0x404040);
    b->Canvas()->FillRect({0, 0, w, h});
    return b;
}

Byte blueAt(TBitmap& b, int x, int y) { return BitmapScanLines24(b)[static_cast<std::size_t>(y)][x * 3]; }

void fillPattern(TBitmap& bmp)
{
    auto rows = BitmapScanLines24(bmp);
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x)
            for (int k = 0; k < 3; ++k)
                rows[static_cast<std::size_t>(y)][x * 3 + k] = static_cast<Byte>((x * 41 + y * 17 + k * 90) % 256);
}
}  // namespace

TV_PUBLISHED(TTestFilterA) { Prop("Amount", &TTestFilterA::Amount, &TTestFilterA::SetAmount, 0); }
TV_PUBLISHED(TTestFilterB) { Prop("Label", &TTestFilterB::Label, &TTestFilterB::SetLabel); }
TV_PUBLISHED(TPictureHolder) { Prop("Picture", &TPictureHolder::Picture, &TPictureHolder::SetPicture); }

TEST(Filters, RegionRectangles)
{
    (void)registered;
    struct Case {
        bool region;
        int left, top, width, height;
        TRect expected;
    };
    const Case cases[] = {
        {false, 0, 0, 0, 0, {0, 0, 29, 19}},
        {true, 10, 10, 0, 0, {10, 10, 29, 19}},  // to the far corner
        {true, 2, 3, 5, 4, {2, 3, 7, 7}},        // Width 5: six columns
        {true, 25, 15, 50, 50, {25, 15, 29, 19}},
        {true, 40, 30, 0, 0, {40, 30, 40, 30}},  // beyond the bitmap: nothing to do
    };
    for (const Case& c : cases) {
        TTestFilterA f(nullptr);
        if (c.region) {
            f.Region()->SetLeft(c.left);
            f.Region()->SetTop(c.top);
            f.Region()->SetWidth(c.width);
            f.Region()->SetHeight(c.height);
        }
        EXPECT_EQ(f.RegionRect(30, 20), c.expected) << c.left << "," << c.top << " " << c.width << "x" << c.height;
    }
}

TEST(Filters, ApplyAllKeepsOrderAndSkipsDisabled)
{
    applied.clear();
    TFilterItems items(nullptr);
    static_cast<TTestFilterB*>(items.Add(TTestFilterB::StaticClass()))->SetLabel("first");
    static_cast<TTestFilterA*>(items.Add(TTestFilterA::StaticClass()))->SetAmount(5);
    auto* off = static_cast<TTestFilterA*>(items.Add(TTestFilterA::StaticClass()));
    off->SetAmount(9);
    off->SetEnabled(false);
    static_cast<TTestFilterB*>(items.Add(TTestFilterB::StaticClass()))->SetLabel("last");
    auto bmp = grey(4, 4);
    items.ApplyAll(*bmp);
    EXPECT_EQ(applied, (std::vector<std::string>{"Bfirst", "A5", "Blast"}));
    EXPECT_EQ(blueAt(*bmp, 3, 3), 0x40 + 5);
}

TEST(Filters, ConvolutionLeavesTheBorderAlone)
{
    TConvolveFilter f(nullptr);
    auto tiny = std::make_unique<TBitmap>(2, 2, pf24bit);
    fillPattern(*tiny);
    TBitmap before;
    before.Assign(tiny.get());
    f.ApplyToBitmap(*tiny);
    for (int y = 0; y < 2; ++y)
        EXPECT_EQ(0, std::memcmp(BitmapScanLines24(*tiny)[static_cast<std::size_t>(y)],
                                 BitmapScanLines24(before)[static_cast<std::size_t>(y)], 6));

    auto bmp = std::make_unique<TBitmap>(6, 5, pf24bit);
    fillPattern(*bmp);
    TBitmap original;
    original.Assign(bmp.get());
    f.ApplyToBitmap(*bmp);
    EXPECT_EQ(blueAt(*bmp, 0, 2), blueAt(original, 0, 2));
    EXPECT_EQ(blueAt(*bmp, 5, 4), blueAt(original, 5, 4));
    // The box blur of the inner pixel (2, 2): the mean of its nine neighbours, truncated.
    int sum = 0;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) sum += blueAt(original, 2 + dx, 2 + dy);
    EXPECT_EQ(blueAt(*bmp, 2, 2), sum / 9);
}

TEST(Filters, IntegerAndFloatConvolutionsAgree)
{
    auto a = std::make_unique<TBitmap>(8, 8, pf24bit);
    fillPattern(*a);
    TBitmap b;
    b.Assign(a.get());
    TConvolveFilter ones(nullptr), twos(nullptr);
    const float two[9] = {2, 2, 2, 2, 2, 2, 2, 2, 2};
    twos.SetWeights(two);
    ones.ApplyToBitmap(*a);
    twos.ApplyToBitmap(b);
    auto ra = BitmapScanLines24(*a), rb = BitmapScanLines24(b);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 24; ++x)
            EXPECT_NEAR(ra[static_cast<std::size_t>(y)][x], rb[static_cast<std::size_t>(y)][x], 1) << x / 3 << "," << y;
}

TEST(Filters, WeightsSummingToZeroDoNotDivide)
{
    auto bmp = std::make_unique<TBitmap>(5, 5, pf24bit);
    fillPattern(*bmp);
    TConvolveFilter edges(nullptr);
    const float laplace[9] = {0, -1, 0, -1, 4, -1, 0, -1, 0};
    edges.SetWeights(laplace);
    edges.ApplyToBitmap(*bmp);  // the plain weighted sum, clamped
    auto flat = grey(5, 5);
    edges.ApplyToBitmap(*flat);
    EXPECT_EQ(blueAt(*flat, 2, 2), 0);
}

TEST(Filters, PictureStreamsItsFilters)
{
    TPictureHolder h;
    auto bmp = grey(3, 3);
    h.picture.SetGraphic(bmp.get());
    static_cast<TTestFilterA*>(h.picture.Filters()->Add(TTestFilterA::StaticClass()))->SetAmount(7);
    auto* b = static_cast<TTestFilterB*>(h.picture.Filters()->Add(TTestFilterB::StaticClass()));
    b->SetLabel("x");
    b->SetEnabled(false);
    b->Region()->SetLeft(1);

    auto check = [](TPictureHolder& back, const char* form) {
        ASSERT_TRUE(back.picture.HasFilters()) << form;
        TFilterItems& f = *back.picture.Filters();
        ASSERT_EQ(f.Count(), 2) << form;
        EXPECT_EQ(static_cast<TTestFilterA*>(f.Items(0))->Amount(), 7) << form;
        auto* second = dynamic_cast<TTestFilterB*>(f.Items(1));
        ASSERT_NE(second, nullptr) << form;
        EXPECT_EQ(second->Label(), "x") << form;
        EXPECT_FALSE(second->Enabled()) << form;
        EXPECT_EQ(second->Region()->Left(), 1) << form;
        EXPECT_TRUE(back.picture.HasGraphic()) << form;
    };

    TMemoryStream binary;
    WriteComponentToStream(binary, &h);
    binary.SetPosition(0);
    TPictureHolder fromBinary;
    ReadComponentFromStream(binary, &fromBinary);
    check(fromBinary, "binary");

    const String text = ComponentToText(&h);
    EXPECT_NE(text.find("Picture.FilterItems = <"), String::npos) << text;
    TPictureHolder fromText;
    TextToComponent(text, &fromText);
    check(fromText, "text");
}

TEST(Filters, ItemsWithOrderValuesAndUnknownClasses)
{
    // A collection whose items carry order integers before their lists.
    const Byte fixture[] = {
        vaCollection, vaInt8, 0,   vaList, 9,      'I', 't',    'e', 'm', 'C', 'l', 'a', 's', 's', vaString, 12,    'T',
        'T',          'e',    's', 't',    'F',    'i', 'l',    't', 'e', 'r', 'A', 6,   'A', 'm', 'o',      'u',   'n',
        't',          vaInt8, 3,   vaNull, vaInt8, 1,   vaList, 9,   'I', 't', 'e', 'm', 'C', 'l', 'a',      's',   's',
        vaString,     12,     'T', 'T',    'e',    's', 't',    'F', 'i', 'l', 't', 'e', 'r', 'B', vaNull,   vaNull};
    TMemoryStream s;
    s.WriteBuffer(fixture, sizeof fixture);
    s.SetPosition(0);
    TFilterItems items(nullptr);
    items.Add(TTestFilterB::StaticClass());  // replaced by what is read
    {
        TReader reader(s);
        TZebPicture::ReadFilterItems(reader, items);
    }
    ASSERT_EQ(items.Count(), 2);
    EXPECT_EQ(static_cast<TTestFilterA*>(items.Items(0))->Amount(), 3);
    EXPECT_NE(dynamic_cast<TTestFilterB*>(items.Items(1)), nullptr);

    const Byte unknown[] = {vaCollection, vaList, 9,        'I', 't', 'e', 'm', 'C', 'l',    'a',
                            's',          's',    vaString, 4,   'T', 'N', 'o', 'p', vaNull, vaNull};
    TMemoryStream u;
    u.WriteBuffer(unknown, sizeof unknown);
    u.SetPosition(0);
    TReader reader(u);
    EXPECT_THROW(TZebPicture::ReadFilterItems(reader, items), EClassNotFound);
    EXPECT_EQ(items.UpdateCount(), 0) << "the update ends also on failure";
}

TEST(Filters, FilteredGraphic)
{
    TZebPicture picture;
    auto bmp = grey(4, 4);
    picture.SetGraphic(bmp.get());
    EXPECT_EQ(picture.GetFilteredGraphic(), picture.Graphic());
    picture.Filters();  // an empty list
    EXPECT_EQ(picture.GetFilteredGraphic(), picture.Graphic());

    static_cast<TTestFilterA*>(picture.Filters()->Add(TTestFilterA::StaticClass()))->SetAmount(10);
    TGraphic* filtered = picture.GetFilteredGraphic();
    ASSERT_NE(filtered, picture.Graphic());
    EXPECT_EQ(blueAt(*static_cast<TBitmap*>(filtered), 0, 0), 0x40 + 10);
    // Filled again at every call, not filtered twice.
    EXPECT_EQ(blueAt(*static_cast<TBitmap*>(picture.GetFilteredGraphic()), 0, 0), 0x40 + 10);
    EXPECT_EQ(blueAt(*static_cast<TBitmap*>(picture.Graphic()), 0, 0), 0x40);
}

TEST(Filters, ImageControlCachesItsFilteredBitmap)
{
    TOwnedPtr<TImageFiltered> image(new TImageFiltered(nullptr));
    EXPECT_EQ(image->FilteredBitmap(), nullptr);
    auto bmp = grey(4, 4);
    image->Picture()->SetGraphic(bmp.get());
    static_cast<TTestFilterA*>(image->Filters()->Add(TTestFilterA::StaticClass()))->SetAmount(1);
    applied.clear();
    TBitmap* first = image->FilteredBitmap();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(image->FilteredBitmap(), first);
    EXPECT_EQ(applied.size(), 1u) << "kept until something changes";
    static_cast<TTestFilterA*>(image->Filters()->Items(0))->SetEnabled(false);
    EXPECT_EQ(blueAt(*image->FilteredBitmap(), 0, 0), 0x40);
}

TEST(FloatPoints, StoredAgainstTheirDefaults)
{
    int changes = 0;
    TFloatXYZ p([&](TObject*) { ++changes; }, 1, 2, 3);
    EXPECT_FALSE(p.IsXStored() || p.IsYStored() || p.IsZStored());
    p.SetZ(3);
    EXPECT_EQ(changes, 0);
    p.SetZ(4);
    EXPECT_TRUE(p.IsZStored());
    EXPECT_EQ(changes, 1);

    TPointXYFloat q(nullptr, {}, 5);
    q.SetX(0);
    EXPECT_TRUE(q.XZero());
    TPointXYFloat r(nullptr, {}, 5);
    r.SetXZero(true);
    EXPECT_EQ(r.X(), 0);
}
