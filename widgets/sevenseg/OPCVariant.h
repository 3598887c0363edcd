#pragma once
// The value an OPC item carries: a tagged union with the component-object variant type codes.
#include <cstdint>
#include <optional>
#include <variant>

#include "platform/rtl/Types.h"

using TVarType = std::uint16_t;

constexpr TVarType varEmpty = 0, varNull = 1, varSmallint = 2, varInteger = 3, varSingle = 4, varDouble = 5,
                   varCurrency = 6, varDate = 7, varOleStr = 8, varError = 10, varBoolean = 11, varShortInt = 16,
                   varByte = 17, varWord = 18, varLongWord = 19, varInt64 = 20, varUInt64 = 21, varInt = 22,
                   varUInt = 23;
constexpr TVarType varArray = 0x2000, varByRef = 0x4000;

class TOPCVariant {
public:
    TOPCVariant() = default;
    TOPCVariant(bool v) : type_(varBoolean), data_(v) {}
    TOPCVariant(int v) : type_(varInteger), data_(static_cast<std::int64_t>(v)) {}
    TOPCVariant(std::int64_t v) : type_(varInt64), data_(v) {}
    TOPCVariant(double v) : type_(varDouble), data_(v) {}
    TOPCVariant(const char* v) : type_(varOleStr), data_(String(v)) {}
    TOPCVariant(String v) : type_(varOleStr), data_(std::move(v)) {}

    static TOPCVariant Null()
    {
        TOPCVariant r;
        r.type_ = varNull;
        return r;
    }
    static TOPCVariant Integer(TVarType type, std::int64_t v);  // the integer types, error, currency scaled
    static TOPCVariant UInteger(TVarType type, std::uint64_t v);
    static TOPCVariant Real(TVarType type, double v);  // single, double, date

    TVarType VarType() const { return type_; }
    // The value of a number, Boolean or date (True is -1); nothing for texts and empty values.
    std::optional<double> Number() const;
    bool IsEmpty() const { return type_ == varEmpty || type_ == varNull; }

    // The value as text, the way the class library turns a variant into a string
    // (True/False for Booleans, the general float format for reals).
    String ToString() const;

    bool operator==(const TOPCVariant&) const = default;

private:
    TVarType type_ = varEmpty;
    std::variant<std::monostate, bool, std::int64_t, std::uint64_t, double, String> data_;
};
