#pragma once
// A table of the engine's global texts: each text variable with its English text, written once.
// Start-up assigns the rows in order, shut-down empties the texts, and the table's list of texts
// comes from the same rows.
#include <array>
#include <cstddef>
#include <span>

#include "platform/rtl/Types.h"

struct TTextRow {
    String* Text;
    const char* English;
};

template <std::size_t N>
constexpr std::array<String*, N> TextsOfRows(const TTextRow (&rows)[N])
{
    std::array<String*, N> texts{};
    for (std::size_t i = 0; i < N; ++i) texts[i] = rows[i].Text;
    return texts;
}

inline void AssignTexts(std::span<const TTextRow> rows)
{
    for (const TTextRow& row : rows) *row.Text = row.English;
}

inline void ClearTexts(std::span<String* const> texts)
{
    for (String* text : texts) text->clear();
}
