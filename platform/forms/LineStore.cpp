#include "platform/forms/LineStore.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace {

// A block takes lines until it holds this many or this much text; its slack then goes.
constexpr int LinesPerBlock = 1024;
constexpr std::size_t BlockBytes = 64 * 1024;
// A block grown past twice that by changes inside it is split.
constexpr std::size_t LongestLine = std::numeric_limits<std::uint32_t>::max() - 4 * BlockBytes;

void checkLength(std::string_view line)
{
    if (line.size() > LongestLine) throw std::length_error("Line too long");
}

}  // namespace

std::string_view TLineStore::Line(int index) const
{
    const auto [b, k] = locate(index);
    const Block& block = blocks_[b];
    const std::uint32_t start = block.Start(k);
    return std::string_view(block.text).substr(start, block.ends[static_cast<std::size_t>(k)] - start);
}

void TLineStore::Add(std::string_view line)
{
    checkLength(line);
    if (blocks_.empty() || blocks_.back().Count() >= LinesPerBlock ||
        (blocks_.back().Count() > 0 && blocks_.back().text.size() + line.size() > BlockBytes)) {
        if (!blocks_.empty()) {
            blocks_.back().text.shrink_to_fit();
            blocks_.back().ends.shrink_to_fit();
        }
        blocks_.emplace_back();
        first_.push_back(count_);
    }
    Block& block = blocks_.back();
    block.text.append(line);
    block.ends.push_back(static_cast<std::uint32_t>(block.text.size()));
    ++count_;
    textSize_ += line.size();
}

void TLineStore::Insert(int index, std::string_view line)
{
    if (index == count_) {
        Add(line);
        return;
    }
    checkLength(line);
    const auto [b, k] = locate(index);
    Block& block = blocks_[b];
    const std::uint32_t start = block.Start(k);
    block.text.insert(start, line);
    block.ends.insert(block.ends.begin() + k, start + static_cast<std::uint32_t>(line.size()));
    shiftEnds(block, k + 1, static_cast<std::int64_t>(line.size()));
    ++count_;
    textSize_ += line.size();
    splitIfLarge(b);
    renumber(b + 1);
}

void TLineStore::Put(int index, std::string_view line)
{
    checkLength(line);
    const auto [b, k] = locate(index);
    Block& block = blocks_[b];
    const std::uint32_t start = block.Start(k);
    const std::size_t old = block.ends[static_cast<std::size_t>(k)] - start;
    block.text.replace(start, old, line);
    shiftEnds(block, k, static_cast<std::int64_t>(line.size()) - static_cast<std::int64_t>(old));
    textSize_ = textSize_ - old + line.size();
    splitIfLarge(b);
}

void TLineStore::Delete(int index)
{
    const auto [b, k] = locate(index);
    Block& block = blocks_[b];
    const std::uint32_t start = block.Start(k);
    const std::uint32_t length = block.ends[static_cast<std::size_t>(k)] - start;
    block.text.erase(start, length);
    block.ends.erase(block.ends.begin() + k);
    shiftEnds(block, k, -static_cast<std::int64_t>(length));
    --count_;
    textSize_ -= length;
    if (block.ends.empty()) {
        blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(b));
        first_.erase(first_.begin() + static_cast<std::ptrdiff_t>(b));
    }
    renumber(b);
}

void TLineStore::Clear()
{
    blocks_ = {};
    first_ = {};
    count_ = 0;
    textSize_ = 0;
}

std::pair<std::size_t, int> TLineStore::locate(int index) const
{
    if (index < 0 || index >= count_) throw std::out_of_range("Line index out of range");
    const auto it = std::upper_bound(first_.begin(), first_.end(), index) - 1;
    const auto b = static_cast<std::size_t>(it - first_.begin());
    return {b, index - *it};
}

void TLineStore::shiftEnds(Block& b, int k, std::int64_t delta)
{
    for (auto it = b.ends.begin() + k; it != b.ends.end(); ++it) *it = static_cast<std::uint32_t>(*it + delta);
}

void TLineStore::splitIfLarge(std::size_t b)
{
    Block& block = blocks_[b];
    const int n = block.Count();
    if (n < 2 || (n <= 2 * LinesPerBlock && block.text.size() <= 2 * BlockBytes)) return;
    const int half = n / 2;
    const std::uint32_t cut = block.Start(half);
    Block tail;
    tail.text.assign(block.text, cut);
    tail.ends.assign(block.ends.begin() + half, block.ends.end());
    shiftEnds(tail, 0, -static_cast<std::int64_t>(cut));
    block.text.resize(cut);
    block.text.shrink_to_fit();
    block.ends.resize(static_cast<std::size_t>(half));
    block.ends.shrink_to_fit();
    blocks_.insert(blocks_.begin() + static_cast<std::ptrdiff_t>(b) + 1, std::move(tail));
    first_.insert(first_.begin() + static_cast<std::ptrdiff_t>(b) + 1, 0);
    renumber(b + 1);
}

void TLineStore::renumber(std::size_t from)
{
    for (std::size_t i = std::max<std::size_t>(from, 1); i < blocks_.size(); ++i)
        first_[i] = first_[i - 1] + blocks_[i - 1].Count();
    if (!first_.empty()) first_[0] = 0;
}
