#include "chart/canvas/FilterStartup.h"

#include <optional>

#include "chart/canvas/FilterConvolution.h"
#include "chart/canvas/Filters.h"

namespace {
std::optional<TFilterTexts>& texts()
{
    static std::optional<TFilterTexts> current;
    return current;
}
}  // namespace

void StartFilterUnit(const TFilterTexts& filterTexts)
{
    texts() = filterTexts;
    RegisterFilterClasses({&TBlurFilter::StaticClass(), &TSharpenFilter::StaticClass(), &TEmbossFilter::StaticClass(),
                           &TSoftenFilter::StaticClass()});
}

void StopFilterUnit()
{
    texts().reset();
    ForgetFilterClassNames();
}

String FilterText(const String* TFilterTexts::*text)
{
    const auto& t = texts();
    if (!t) return {};
    const String* s = (*t).*text;
    return s ? *s : String();
}
