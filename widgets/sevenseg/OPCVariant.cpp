#include "widgets/sevenseg/OPCVariant.h"

#include <cmath>
#include <cstdio>


TOPCVariant TOPCVariant::Integer(TVarType type, std::int64_t v)
{
    TOPCVariant r;
    r.type_ = type;
    if (type == varCurrency)
        r.data_ = static_cast<double>(v) / 10000.0;  // fixed point, four decimals
    else
        r.data_ = v;
    return r;
}

TOPCVariant TOPCVariant::UInteger(TVarType type, std::uint64_t v)
{
    TOPCVariant r;
    r.type_ = type;
    r.data_ = v;
    return r;
}

TOPCVariant TOPCVariant::Real(TVarType type, double v)
{
    TOPCVariant r;
    r.type_ = type;
    r.data_ = v;
    return r;
}

namespace {

String GeneralFloat(double v)
{
    if (std::isnan(v)) return "NAN";
    if (std::isinf(v)) return v > 0 ? "INF" : "-INF";
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    return buf;
}

}  // namespace

String TOPCVariant::ToString() const
{
    return std::visit(
        [](const auto& v) -> String {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::monostate>)
                return {};
            else if constexpr (std::is_same_v<T, bool>)
                return v ? "True" : "False";
            else if constexpr (std::is_same_v<T, double>)
                return GeneralFloat(v);
            else if constexpr (std::is_same_v<T, String>)
                return v;
            else
                return std::to_string(v);
        },
        data_);
}

std::optional<double> TOPCVariant::Number() const
{
    return std::visit(
        [](const auto& v) -> std::optional<double> {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::monostate> || std::is_same_v<T, String>)
                return std::nullopt;
            else if constexpr (std::is_same_v<T, bool>)
                return v ? -1.0 : 0.0;
            else
                return static_cast<double>(v);
        },
        data_);
}
