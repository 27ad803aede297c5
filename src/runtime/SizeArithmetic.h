#pragma once
// The arithmetic of every size a text, buffer or array computes from a count it was
// given. A size that cannot be represented could never be allocated: like a heap that
// fails, it is memory exhaustion, which the runtime does not report but ends the process
// with exit code -1. Overflowing instead would allocate a small block and write past it.

#include "runtime/Platform.h"

#include <cstdint>

// a + b.
inline int64_t SizeSum(int64_t a, int64_t b) noexcept {
    int64_t sum;
    if (__builtin_add_overflow(a, b, &sum)) [[unlikely]]
        Platform::EndProcess(-1);
    return sum;
}

// `count` items of `unit` bytes each.
inline int64_t SizeProduct(int64_t count, int64_t unit) noexcept {
    int64_t product;
    if (__builtin_mul_overflow(count, unit, &product)) [[unlikely]]
        Platform::EndProcess(-1);
    return product;
}
