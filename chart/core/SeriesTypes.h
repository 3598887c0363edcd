#pragma once
// The type registries the galleries, editors and chart files find classes in: series and function
// types with their gallery settings, tool types and animation types. Registering also makes a
// class known by name to stored descriptions. The lists are made on first use and freed by
// FreeTypeRegistries at the chart unit's end.
#include <initializer_list>
#include <memory>
#include <vector>

#include "platform/classes/Object.h"

class TChartSeries;

// One gallery entry: a series class, a function class, or both.
class TZebSeriesType {
public:
    const TMetaClass* SeriesClass = nullptr;
    const TMetaClass* FunctionClass = nullptr;
    // Text variables of the engine's tables, read anew each time.
    const String* Description = nullptr;
    const String* GalleryPage = nullptr;
    int NumGallerySeries = 2;
    // 0 the plain type; other values name variants of the same class.
    int SubIndex = 0;

    String DescriptionText() const { return Description ? *Description : String(); }
    String GalleryPageText() const { return GalleryPage ? *GalleryPage : String(); }
    // The description on one line: every CR a blank.
    String GetFlatDescription() const;
};

class TZebSeriesTypes {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    TZebSeriesType* GetItem(int index) const { return items_[static_cast<size_t>(index)].get(); }
    void Add(std::unique_ptr<TZebSeriesType> type) { items_.push_back(std::move(type)); }
    // Frees every registration that pred accepts.
    template <class Pred>
    void RemoveIf(Pred pred)
    {
        std::erase_if(items_, [&](const std::unique_ptr<TZebSeriesType>& t) { return pred(*t); });
    }
    void Clear() { items_.clear(); }
    // The series class of the first registration without function whose class name is name
    // (case counts); none when absent.
    const TMetaClass* FindSeriesClassByName(const String& name) const;
    // The first registration of seriesClass without function (and of subIndex when not 0).
    TZebSeriesType* FindSeriesType(const TMetaClass& seriesClass, int subIndex = 0) const;

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    std::vector<std::unique_ptr<TZebSeriesType>> items_;
};

class TZebToolTypes {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    const TMetaClass* GetItem(int index) const { return items_[static_cast<size_t>(index)]; }
    int IndexOf(const TMetaClass& cls) const;
    void Add(const TMetaClass& cls) { items_.push_back(&cls); }
    void Remove(const TMetaClass& cls);
    void Clear() { items_.clear(); }

private:
    std::vector<const TMetaClass*> items_;
};

TZebSeriesTypes& RegisteredSeriesTypes();
TZebToolTypes& RegisteredToolTypes();
TZebToolTypes& RegisteredAnimationTypes();
void FreeTypeRegistries();

// With SubIndex 0 a class pair is listed once; variants may repeat it.
void RegisterGalleryType(const TMetaClass* seriesClass, const TMetaClass* functionClass, const String* description,
                         const String* galleryPage, int numGallerySeries, int subIndex);
void RegisterSeriesType(const TMetaClass& seriesClass, const String* description, const String* galleryPage,
                        int numGallerySeries);
// On the "Standard" page with two sample series.
void RegisterStandardSeriesType(const TMetaClass& seriesClass, const String* description);
void RegisterFunctionType(const TMetaClass& functionClass, const String* description, const String* galleryPage,
                          int numGallerySeries);
void RegisterStandardFunctionType(const TMetaClass& functionClass, const String* description);
void UnregisterSeriesTypes(std::initializer_list<const TMetaClass*> classes);
void UnregisterFunctionTypes(std::initializer_list<const TMetaClass*> classes);
// The description of the series' plain registration, else its class name.
String SeriesTypeDescription(const TChartSeries& series);

// A class already listed is skipped. Unregistering also makes the class unknown to stored
// descriptions, listed or not.
void RegisterToolTypes(std::initializer_list<const TMetaClass*> classes);
void RegisterAnimationTypes(std::initializer_list<const TMetaClass*> classes);
void UnregisterToolTypes(std::initializer_list<const TMetaClass*> classes);
void UnregisterAnimationTypes(std::initializer_list<const TMetaClass*> classes);
