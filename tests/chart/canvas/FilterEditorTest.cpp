#include <gtest/gtest.h>

#include <vector>

#include "chart/canvas/FilterAmount.h"
#include "chart/canvas/FilterColor.h"
#include "chart/canvas/FilterConvolution.h"
#include "chart/canvas/FilterGeometry.h"
#include "chart/canvas/FilterStartup.h"
#include "chart/canvas/Filters.h"
#include "chart/canvas/Gradient.h"
#include "chart/canvas/OptionBuilder.h"
#include "chart/canvas/ZebPicture.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Published.h"
#include "platform/forms/ScrollBar.h"
#include "platform/graphics/Bitmap.h"
#include "tests/support/RegistryCheck.h"

namespace {

// Writes down every control a filter asks for; scroll bars are real, so that a filter can
// re-range one, and check-box callbacks are kept to be clicked.
class TRecordingBuilder : public IOptionBuilder {
public:
    TScrollBar* AddScrollBar(const String& name, int minimum, int maximum) override
    {
        calls.push_back("scroll " + name + " " + std::to_string(minimum) + ".." + std::to_string(maximum));
        bars.emplace_back(new TScrollBar(nullptr));
        bars.back()->SetParams(minimum, minimum, maximum);
        return bars.back().get();
    }
    void AddSignedScrollBar(const String& name, int minimum, int maximum) override
    {
        calls.push_back("signed " + name + " " + std::to_string(minimum) + ".." + std::to_string(maximum));
    }
    void AddInteger(const String& name, const String& caption, int maximum, int minimum) override
    {
        calls.push_back("integer " + name + " '" + caption + "' " + std::to_string(minimum) + ".." +
                        std::to_string(maximum));
    }
    void AddCheckBox(const String& name, const String& caption, TNotifyEvent onClick) override
    {
        calls.push_back("check " + name + " '" + caption + "'" + (onClick ? " +click" : ""));
        clicks.push_back(std::move(onClick));
    }
    void AddColor(const String& name, const String& caption) override
    {
        calls.push_back("color " + name + " '" + caption + "'");
    }
    void AddEnumList(const String& name) override { calls.push_back("list " + name); }

    std::vector<String> calls;
    std::vector<TOwnedPtr<TScrollBar>> bars;
    std::vector<TNotifyEvent> clicks;
};

TFilterTexts noTexts() { return {}; }

class TFilteredPictureHolder : public TComponent {
    TV_CLASS(TFilteredPictureHolder, TComponent)
public:
    explicit TFilteredPictureHolder(TComponent* owner = nullptr) : TComponent(owner) { SetName("Holder"); }
    TZebPicture* Picture() { return &picture; }
    void SetPicture(TZebPicture* v) { picture.Assign(v); }
    TZebPicture picture;
};

}  // namespace

TV_PUBLISHED(TFilteredPictureHolder)
{
    Prop("Picture", &TFilteredPictureHolder::Picture, &TFilteredPictureHolder::SetPicture);
}

TEST(FilterEditor, ControlsEachFilterAsksFor)
{
    StartFilterUnit(noTexts());
    using Calls = std::vector<String>;
    struct Case {
        const char* className;
        Calls calls;
    };
    const Calls amount = {"scroll Amount -100..100", "check Percent 'Percent' +click"};
    const Case cases[] = {
        {"TBlurFilter", {"scroll Steps 1..20", "scroll Amount 0..50"}},
        {"TSharpenFilter", {}},
        {"TResizeFilter", {"integer Width 'Width' 0..10000", "integer Height 'Height' 0..10000"}},
        {"TCropFilter",
         {"integer Width 'Width' 0..10000", "integer Height 'Height' 0..10000", "integer Left '' 0..10000",
          "integer Top '' 0..10000", "check Smooth 'Smooth'"}},
        {"TGrayScaleFilter", {"list Method"}},
        {"TMirrorFilter", {"list Direction"}},
        {"TBrightnessFilter", amount},
        {"TContrastFilter", amount},
        {"TMosaicFilter", {"scroll Amount 0..255", "check Percent 'Percent' +click"}},
        {"TGammaCorrectionFilter", {"scroll Amount 0..100", "check Percent 'Percent' +click"}},
        {"TColorFilter", {"signed Red -255..255", "signed Green -255..255", "signed Blue -255..255"}},
        {"THueLumSatFilter", {"signed Hue -255..255", "signed Luminance -255..255", "signed Saturation -255..255"}},
        {"TColorReplaceFilter",
         {"list Method", "scroll FromValue 0..255", "scroll ToValue 0..255", "color Color 'Color'"}},
        {"TRotateFilter", {"scroll Angle 0..360", "color BackColor 'Back'", "check AutoSize 'Autosize'"}},
        {"TTileFilter", {"integer NumCols 'Columns' 1..1000", "integer NumRows 'Rows' 1..1000"}},
        {"TBevelFilter", {"scroll Bright 1..255", "scroll Size 1..1000"}},
        {"TZoomFilter", {"scroll Percent 0..100", "check Smooth 'Smooth'"}},
        {"TEqualizeFilter", {}},
    };
    for (const Case& c : cases) {
        const TMetaClass& cls = FindClass(c.className);
        TOwnedPtr<TCollectionItem> filter(cls.CreateItem(nullptr));
        TRecordingBuilder builder;
        static_cast<TZebFilter*>(filter.get())->BuildEditor(builder, {});
        EXPECT_EQ(builder.calls, c.calls) << c.className;
    }
}

TEST(FilterEditor, PercentClickReRangesTheAmount)
{
    struct Case {
        const char* className;
        int minimum, maximum;  // after the click
    };
    const Case cases[] = {
        {"TBrightnessFilter", -255, 255},  // percent off
        {"TMosaicFilter", 0, 100},         // percent on; never below 0
        {"TGammaCorrectionFilter", 0, 255},
    };
    StartFilterUnit(noTexts());
    for (const Case& c : cases) {
        TOwnedPtr<TCollectionItem> item(FindClass(c.className).CreateItem(nullptr));
        auto* filter = static_cast<TAmountFilter*>(item.get());
        TRecordingBuilder builder;
        filter->BuildEditor(builder, {});
        ASSERT_EQ(builder.bars.size(), 1u);
        filter->SetPercent(!filter->Percent());  // what the check box writes before its callback
        builder.clicks.at(0)(nullptr);
        EXPECT_EQ(builder.bars[0]->Min(), c.minimum) << c.className;
        EXPECT_EQ(builder.bars[0]->Max(), c.maximum) << c.className;
    }
}

TEST(FilterEditor, ChangesReachTheEditorsCallback)
{
    TBlurFilter f(nullptr);
    TRecordingBuilder builder;
    std::vector<TObject*> changed;
    f.BuildEditor(builder, [&](TObject* sender) { changed.push_back(sender); });
    f.SetEnabled(false);
    EXPECT_EQ(changed, std::vector<TObject*>{&f});
}

TEST(FilterEditor, GallerySamples)
{
    TResizeFilter resize(nullptr);
    resize.PrepareGallerySample();
    EXPECT_EQ(resize.Width(), 50);
    EXPECT_EQ(resize.Height(), 50);
    TCropFilter crop(nullptr);
    crop.PrepareGallerySample();
    EXPECT_EQ(crop.Width(), 0);
    TBrightnessFilter brightness(nullptr);
    brightness.PrepareGallerySample();
    EXPECT_EQ(brightness.Amount(), 30);
    TContrastFilter contrast(nullptr);
    contrast.PrepareGallerySample();
    EXPECT_EQ(contrast.Amount(), 60);
    TRotateFilter rotate(nullptr);
    rotate.PrepareGallerySample();
    EXPECT_EQ(rotate.Angle(), 45);
    TZoomFilter zoom(nullptr);
    zoom.PrepareGallerySample();
    EXPECT_EQ(zoom.Percent(), 60);
    TMosaicFilter mosaic(nullptr);
    mosaic.PrepareGallerySample();
    EXPECT_EQ(mosaic.Amount(), 8);
}

TEST(FilterStartup, RegistersTheFiltersInOrderAndTurnsGradients)
{
    StopFilterUnit();
    EXPECT_TRUE(FilterClassNames().empty());
    EXPECT_EQ(GradientRotationHook(), nullptr);
    const String blur = "Smudge";
    TFilterTexts texts;
    texts.Blur = &blur;
    StartFilterUnit(texts);
    const std::vector<String> order = {
        "TInvertFilter",          "TGrayScaleFilter",  "TMosaicFilter",   "TFlipFilter",
        "TReverseFilter",         "TBrightnessFilter", "TContrastFilter", "TColorFilter",
        "TColorReplaceFilter",    "THueLumSatFilter",  "TBlurFilter",     "TSharpenFilter",
        "TGammaCorrectionFilter", "TEmbossFilter",     "TSoftenFilter",   "TCropFilter",
        "TResizeFilter",          "TRotateFilter",     "TMirrorFilter",   "TTileFilter",
        "TBevelFilter",           "TEqualizeFilter",   "TZoomFilter",     "TSobelFilter",
        "TSepiaFilter",
    };
    EXPECT_EQ(FilterClassNames(), order);
    for (const String& name : order) EXPECT_NE(GetClass(name), nullptr) << name;
    EXPECT_EQ(TBlurFilter(nullptr).GetDescription(), "Smudge");
    EXPECT_EQ(TSepiaFilter(nullptr).GetDescription(), "") << "no text given";

    // The hook turns a gradient's bitmap by the gradient's angle.
    ASSERT_NE(GradientRotationHook(), nullptr);
    TZebGradient gradient;
    gradient.SetAngle(90);
    TBitmap bitmap(30, 10);
    GradientRotationHook()(gradient, bitmap);
    EXPECT_EQ(bitmap.Width(), 10);
    EXPECT_EQ(bitmap.Height(), 30);

    StopFilterUnit();
    EXPECT_EQ(GradientRotationHook(), nullptr);
    EXPECT_EQ(TBlurFilter(nullptr).GetDescription(), "");
    StartFilterUnit(noTexts());  // the classes stay registered: a second start-up is harmless
    EXPECT_EQ(FilterClassNames().size(), 25u);
}

TEST(FilterStartup, RegisteredFiltersRoundTripThroughStreams)
{
    StopFilterUnit();  // the names the other filter tests registered go
    StartFilterUnit(noTexts());
    ASSERT_EQ(FilterClassNames().size(), 25u);
    testsupport::StreamCheckOptions options;
    options.CollectionItems = true;
    for (const String& name : FilterClassNames()) {
        const auto faults = testsupport::CheckStreamedClass(FindClass(name), options);
        EXPECT_TRUE(faults.empty()) << name << ": " << ::testing::PrintToString(faults);
    }
}

TEST(FilterStartup, PictureStoresABlurAndAGrayScale)
{
    StartFilterUnit(noTexts());
    TFilteredPictureHolder h;
    TBitmap bmp(3, 3);
    h.picture.SetGraphic(&bmp);
    auto* blur = static_cast<TBlurFilter*>(h.picture.Filters()->Add(TBlurFilter::StaticClass()));
    blur->SetAmount(4);
    blur->SetSteps(3);
    blur->Region()->SetTop(2);
    auto* grey = static_cast<TGrayScaleFilter*>(h.picture.Filters()->Add(TGrayScaleFilter::StaticClass()));
    grey->SetMethod(gmEye2);
    grey->SetEnabled(false);

    auto check = [](TFilteredPictureHolder& back, const char* form) {
        TFilterItems& f = *back.picture.Filters();
        ASSERT_EQ(f.Count(), 2) << form;
        auto* b = dynamic_cast<TBlurFilter*>(f.Items(0));
        auto* g = dynamic_cast<TGrayScaleFilter*>(f.Items(1));
        ASSERT_TRUE(b && g) << form;
        EXPECT_EQ(b->Amount(), 4) << form;
        EXPECT_EQ(b->Steps(), 3) << form;
        EXPECT_EQ(b->Weights()[4], 4.0f) << form << ": the centre weight follows the amount";
        EXPECT_EQ(b->Region()->Top(), 2) << form;
        EXPECT_EQ(g->Method(), gmEye2) << form;
        EXPECT_FALSE(g->Enabled()) << form;
        EXPECT_FALSE(g->HasRegion()) << form;
    };
    TMemoryStream binary;
    WriteComponentToStream(binary, &h);
    binary.SetPosition(0);
    TFilteredPictureHolder fromBinary;
    ReadComponentFromStream(binary, &fromBinary);
    check(fromBinary, "binary");

    const String text = ComponentToText(&h);
    EXPECT_NE(text.find("ItemClass = 'TBlurFilter'"), String::npos) << text;
    EXPECT_NE(text.find("Method = gmEye2"), String::npos) << text;
    TFilteredPictureHolder fromText;
    TextToComponent(text, &fromText);
    check(fromText, "text");
}

TEST(FilterStartup, AssignCopiesEveryClassesSettings)
{
    TFilterItems source(nullptr), copy(nullptr);
    auto* rotate = static_cast<TRotateFilter*>(source.Add(TRotateFilter::StaticClass()));
    rotate->SetAngle(30);
    rotate->SetBackColor(clRed);
    rotate->SetAutoSize(false);
    auto* crop = static_cast<TCropFilter*>(source.Add(TCropFilter::StaticClass()));
    crop->SetLeft(3);
    crop->SetWidth(7);
    crop->SetSmooth(true);
    auto* gamma = static_cast<TGammaCorrectionFilter*>(source.Add(TGammaCorrectionFilter::StaticClass()));
    gamma->SetPercent(false);
    copy.Assign(&source);
    ASSERT_EQ(copy.Count(), 3);
    auto* r = static_cast<TRotateFilter*>(copy.Items(0));
    EXPECT_EQ(r->Angle(), 30);
    EXPECT_EQ(r->BackColor(), clRed);
    EXPECT_FALSE(r->AutoSize());
    auto* c = static_cast<TCropFilter*>(copy.Items(1));
    EXPECT_EQ(c->Left(), 3);
    EXPECT_EQ(c->Width(), 7);
    EXPECT_TRUE(c->Smooth());
    auto* g = static_cast<TGammaCorrectionFilter*>(copy.Items(2));
    EXPECT_EQ(g->Amount(), 70);
    EXPECT_FALSE(g->Percent());
}
