#include "chart/core/SeriesTypes.h"

#include <algorithm>

#include "chart/core/ChartSeries.h"
#include "chart/core/ZebConst.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/forms/Control.h"

String TZebSeriesType::GetFlatDescription() const
{
    String text = DescriptionText();
    std::replace(text.begin(), text.end(), '\r', ' ');
    return text;
}

const TMetaClass* TZebSeriesTypes::FindSeriesClassByName(const String& name) const
{
    for (const auto& type : items_)
        if (!type->FunctionClass && type->SeriesClass && type->SeriesClass->ClassName() == name)
            return type->SeriesClass;
    return nullptr;
}

TZebSeriesType* TZebSeriesTypes::FindSeriesType(const TMetaClass& seriesClass, int subIndex) const
{
    for (const auto& type : items_)
        if (type->SeriesClass == &seriesClass && !type->FunctionClass && (subIndex == 0 || type->SubIndex == subIndex))
            return type.get();
    return nullptr;
}

int TZebToolTypes::IndexOf(const TMetaClass& cls) const
{
    const auto it = std::find(items_.begin(), items_.end(), &cls);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TZebToolTypes::Remove(const TMetaClass& cls) { std::erase(items_, &cls); }

namespace {
std::unique_ptr<TZebSeriesTypes> seriesTypes;
std::unique_ptr<TZebToolTypes> toolTypes;
std::unique_ptr<TZebToolTypes> animationTypes;

void registerForStreaming(const TMetaClass* cls)
{
    if (cls) RegisterClass(*cls);
}

void registerToolClasses(TZebToolTypes& list, std::initializer_list<const TMetaClass*> classes)
{
    ActivateClassGroup(TControl::StaticClass());
    for (const TMetaClass* cls : classes) {
        if (list.IndexOf(*cls) >= 0) continue;
        RegisterClass(*cls);
        list.Add(*cls);
    }
}

void unregisterToolClasses(TZebToolTypes& list, std::initializer_list<const TMetaClass*> classes)
{
    for (const TMetaClass* cls : classes) {
        list.Remove(*cls);
        UnRegisterClass(*cls);
    }
}
}  // namespace

TZebSeriesTypes& RegisteredSeriesTypes()
{
    if (!seriesTypes) seriesTypes = std::make_unique<TZebSeriesTypes>();
    return *seriesTypes;
}

TZebToolTypes& RegisteredToolTypes()
{
    if (!toolTypes) toolTypes = std::make_unique<TZebToolTypes>();
    return *toolTypes;
}

TZebToolTypes& RegisteredAnimationTypes()
{
    if (!animationTypes) animationTypes = std::make_unique<TZebToolTypes>();
    return *animationTypes;
}

void FreeTypeRegistries()
{
    seriesTypes.reset();
    toolTypes.reset();
    animationTypes.reset();
}

void RegisterGalleryType(const TMetaClass* seriesClass, const TMetaClass* functionClass, const String* description,
                         const String* galleryPage, int numGallerySeries, int subIndex)
{
    ActivateClassGroup(TControl::StaticClass());
    registerForStreaming(seriesClass);
    registerForStreaming(functionClass);
    TZebSeriesTypes& types = RegisteredSeriesTypes();
    if (subIndex == 0 && std::any_of(types.begin(), types.end(), [&](const auto& t) {
            return t->SeriesClass == seriesClass && t->FunctionClass == functionClass;
        }))
        return;
    auto type = std::make_unique<TZebSeriesType>();
    type->SeriesClass = seriesClass;
    type->FunctionClass = functionClass;
    type->Description = description;
    type->GalleryPage = galleryPage;
    type->NumGallerySeries = numGallerySeries;
    type->SubIndex = subIndex;
    types.Add(std::move(type));
}

void RegisterSeriesType(const TMetaClass& seriesClass, const String* description, const String* galleryPage,
                        int numGallerySeries)
{
    RegisterGalleryType(&seriesClass, nullptr, description, galleryPage, numGallerySeries, 0);
}

void RegisterStandardSeriesType(const TMetaClass& seriesClass, const String* description)
{
    RegisterSeriesType(seriesClass, description, &TxtStandard, 2);
}

void RegisterFunctionType(const TMetaClass& functionClass, const String* description, const String* galleryPage,
                          int numGallerySeries)
{
    RegisterGalleryType(nullptr, &functionClass, description, galleryPage, numGallerySeries, 0);
}

void RegisterStandardFunctionType(const TMetaClass& functionClass, const String* description)
{
    RegisterFunctionType(functionClass, description, &TxtStandard, 2);
}

void UnregisterSeriesTypes(std::initializer_list<const TMetaClass*> classes)
{
    for (const TMetaClass* cls : classes)
        RegisteredSeriesTypes().RemoveIf([cls](const TZebSeriesType& t) { return t.SeriesClass == cls; });
}

void UnregisterFunctionTypes(std::initializer_list<const TMetaClass*> classes)
{
    for (const TMetaClass* cls : classes)
        RegisteredSeriesTypes().RemoveIf([cls](const TZebSeriesType& t) { return t.FunctionClass == cls; });
}

String SeriesTypeDescription(const TChartSeries& series)
{
    for (const auto& type : RegisteredSeriesTypes())
        if (type->SeriesClass == &series.ClassType() && !type->FunctionClass && type->SubIndex == 0)
            return type->DescriptionText();
    return series.ClassName();
}

void RegisterToolTypes(std::initializer_list<const TMetaClass*> classes)
{
    registerToolClasses(RegisteredToolTypes(), classes);
}

void RegisterAnimationTypes(std::initializer_list<const TMetaClass*> classes)
{
    registerToolClasses(RegisteredAnimationTypes(), classes);
}

void UnregisterToolTypes(std::initializer_list<const TMetaClass*> classes)
{
    unregisterToolClasses(RegisteredToolTypes(), classes);
}

void UnregisterAnimationTypes(std::initializer_list<const TMetaClass*> classes)
{
    unregisterToolClasses(RegisteredAnimationTypes(), classes);
}
