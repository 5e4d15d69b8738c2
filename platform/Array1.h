// Fixed-size tables indexed from 1, as the game's formats number them. Every index is checked:
// an index that comes from a file or a click can never reach memory outside the table.
#pragma once

#include "platform/Errors.h"

#include <array>
#include <cstddef>

template <typename T, int N>
class Array1 {
public:
    static constexpr int Size = N;

    T& operator[](int i)
    {
        check(i);
        return items_[static_cast<std::size_t>(i - 1)];
    }
    const T& operator[](int i) const
    {
        check(i);
        return items_[static_cast<std::size_t>(i - 1)];
    }

    // Element 1 of a contiguous block of N, for routines that take a plain array.
    T* data() { return items_.data(); }
    const T* data() const { return items_.data(); }

    void fill(const T& value) { items_.fill(value); }

private:
    static void check(int i)
    {
        if (i < 1 || i > N)
            throw ERangeError();
    }
    std::array<T, N> items_{};
};
