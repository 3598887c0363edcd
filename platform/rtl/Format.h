#pragma once
// Format with the class library's specifiers: %d %u %x %s %f %e %g %n %m %p %%, "%0:s" indices,
// width, '-', precision and '*'. A wrong or missing argument raises EConvertError
// "Format '%s' invalid or incompatible with argument".
#include <cstdint>
#include <initializer_list>

#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/Types.h"

class FormatArg {
public:
    enum Kind { kInt, kInt64, kUInt64, kFloat, kString, kPointer };

    FormatArg(int v) : kind_(kInt), i_(v) {}
    FormatArg(unsigned v) : kind_(kInt64), i_(v) {}
    FormatArg(long v) : kind_(kInt64), i_(v) {}
    FormatArg(long long v) : kind_(kInt64), i_(v) {}
    FormatArg(unsigned long v) : kind_(kUInt64), u_(v) {}
    FormatArg(unsigned long long v) : kind_(kUInt64), u_(v) {}
    FormatArg(short v) : kind_(kInt), i_(v) {}
    FormatArg(unsigned short v) : kind_(kInt), i_(v) {}
    FormatArg(unsigned char v) : kind_(kInt), i_(v) {}
    FormatArg(float v) : kind_(kFloat), f_(v) {}
    FormatArg(double v) : kind_(kFloat), f_(v) {}
    FormatArg(long double v) : kind_(kFloat), f_(v) {}
    FormatArg(char c) : kind_(kString), s_(&c, 1) {}
    FormatArg(const char* s) : kind_(kString), s_(s ? s : "") {}
    FormatArg(const String& s) : kind_(kString), s_(s) {}
    FormatArg(const void* p) : kind_(kPointer), p_(p) {}
    FormatArg(bool) = delete;  // ambiguous in the class library too

    Kind kind() const { return kind_; }
    std::int64_t asInt() const { return i_; }
    std::uint64_t asUInt() const { return u_; }
    long double asFloat() const { return f_; }
    const String& asString() const { return s_; }
    const void* asPointer() const { return p_; }

private:
    Kind kind_;
    union {
        std::int64_t i_;
        std::uint64_t u_;
        long double f_;
        const void* p_;
    };
    String s_;
};

String Format(const String& fmt, std::initializer_list<FormatArg> args);
String Format(const String& fmt, std::initializer_list<FormatArg> args, const TFormatSettings& fs);
String Format(const String& fmt, const FormatArg* args, std::size_t count, const TFormatSettings& fs);
