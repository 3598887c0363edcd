#pragma once
// One fuzz input through the component-stream code: the binary reader (forgiving and strict),
// the binary-to-text converter and the text-to-binary converter. A stream error is the expected
// answer to bad input; anything else (another exception, or our own output failing to convert
// back) aborts, so the fuzzer reports it.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "platform/classes/Component.h"
#include "platform/classes/Filer.h"
#include "platform/classes/ObjectText.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"

namespace tv_fuzz {

[[noreturn]] inline void finding(const char* what, const char* detail)
{
    std::fprintf(stderr, "fuzz finding: %s: %s\n", what, detail);
    std::abort();
}

template <class F>
inline bool expectStreamError(const char* what, F&& f)
{
    try {
        f();
        return true;
    } catch (const EStreamError&) {
        return false;
    } catch (const std::exception& e) {
        finding(what, e.what());
    }
}

// newRoot: a fresh, empty root of a class whose children the input may name.
inline void FuzzComponentStream(const std::uint8_t* data, std::size_t size, const std::function<TComponent*()>& newRoot)
{
    const String input(reinterpret_cast<const char*>(data), size);
    for (const bool forgiving : {true, false}) {
        expectStreamError("read", [&] {
            TStringStream s(input);
            TOwnedPtr<TComponent> root(newRoot());
            TReader reader(s);
            if (forgiving) {
                reader.SetOnError([](TReader&, const String&, bool& handled) { handled = true; });
                reader.SetOnFindMethod([](TReader&, const String&, bool& error) { error = false; });
            }
            reader.ReadRootComponent(root.get());
        });
    }
    TStringStream text;
    const bool converted = expectStreamError("binary to text", [&] {
        TStringStream in(input);
        ObjectBinaryToText(in, text);
    });
    if (converted) {
        try {
            TStringStream in(text.DataString()), out;
            ObjectTextToBinary(in, out);
        } catch (const std::exception& e) {
            finding("our text does not convert back", e.what());
        }
    }
    TStringStream binary;
    const bool parsed = expectStreamError("text to binary", [&] {
        TStringStream in(input);
        ObjectTextToBinary(in, binary);
    });
    if (parsed) {
        try {
            binary.SetPosition(0);
            TStringStream out;
            ObjectBinaryToText(binary, out);
        } catch (const std::exception& e) {
            finding("our binary does not convert to text", e.what());
        }
    }
}

}  // namespace tv_fuzz
