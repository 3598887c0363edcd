#pragma once
// The lines of a memo, compactly: the text of a run of lines sits in one byte block with the end
// offset of each line, so a held line costs its bytes and four more. Appending is O(1) amortised
// and never moves what is already held: a full block is trimmed to its size and left alone.
// Inserting, replacing or deleting inside costs the size of one block.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/rtl/Types.h"

class TLineStore {
public:
    int Count() const { return count_; }
    // The bytes of a line, without its break; valid until the next change. index in 0..Count()-1.
    std::string_view Line(int index) const;
    // Bytes of text held, line breaks not counted.
    std::size_t TextSize() const { return textSize_; }

    void Add(std::string_view line);
    // index in 0..Count(); Count() appends.
    void Insert(int index, std::string_view line);
    void Put(int index, std::string_view line);
    void Delete(int index);
    void Clear();

private:
    struct Block {
        String text;
        std::vector<std::uint32_t> ends;  // end offset of each line in text
        int Count() const { return static_cast<int>(ends.size()); }
        std::uint32_t Start(int k) const { return k == 0 ? 0 : ends[static_cast<std::size_t>(k) - 1]; }
    };

    // The block holding a line and the line's place in it.
    std::pair<std::size_t, int> locate(int index) const;
    // Shifts the ends of block b from line k on by delta bytes.
    static void shiftEnds(Block& b, int k, std::int64_t delta);
    // Splits an oversized block in two; renumbers.
    void splitIfLarge(std::size_t b);
    void renumber(std::size_t from);

    std::vector<Block> blocks_;
    std::vector<int> first_;  // index of the first line of each block
    int count_ = 0;
    std::size_t textSize_ = 0;
};
