#pragma once
// Sets of enumeration values, the class library's "set of T" (up to 64 elements).
#include <cstdint>
#include <initializer_list>

template <class E>
class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> values)
    {
        for (E v : values) mask_ |= bit(v);
    }
    static constexpr TSet FromMask(std::uint64_t mask)
    {
        TSet s;
        s.mask_ = mask;
        return s;
    }
    constexpr std::uint64_t Mask() const { return mask_; }

    constexpr bool Contains(E v) const { return (mask_ & bit(v)) != 0; }
    constexpr bool Empty() const { return mask_ == 0; }
    constexpr TSet& Include(E v)
    {
        mask_ |= bit(v);
        return *this;
    }
    constexpr TSet& Exclude(E v)
    {
        mask_ &= ~bit(v);
        return *this;
    }

    constexpr TSet operator+(TSet o) const { return FromMask(mask_ | o.mask_); }   // union
    constexpr TSet operator-(TSet o) const { return FromMask(mask_ & ~o.mask_); }  // difference
    constexpr TSet operator*(TSet o) const { return FromMask(mask_ & o.mask_); }   // intersection
    constexpr TSet operator+(E v) const { return FromMask(mask_ | bit(v)); }
    constexpr TSet operator-(E v) const { return FromMask(mask_ & ~bit(v)); }
    constexpr TSet& operator+=(TSet o)
    {
        mask_ |= o.mask_;
        return *this;
    }
    constexpr TSet& operator-=(TSet o)
    {
        mask_ &= ~o.mask_;
        return *this;
    }
    constexpr TSet& operator+=(E v) { return Include(v); }
    constexpr TSet& operator-=(E v) { return Exclude(v); }
    constexpr bool operator<=(TSet o) const { return (mask_ & ~o.mask_) == 0; }  // subset
    constexpr bool operator==(const TSet&) const = default;

private:
    static constexpr std::uint64_t bit(E v) { return std::uint64_t{1} << static_cast<unsigned>(v); }
    std::uint64_t mask_ = 0;
};
