#pragma once
// The scan both sides of the seam use to find where double-byte text may be cut.

#include <cstdint>

namespace Platform {

// The length of the longest prefix of `count` bytes that holds whole characters, where
// `isLead(b)` tells the bytes that start a two-byte character.
template <class IsLead>
int64_t WholeDoubleByteCharacters(const unsigned char* bytes, int64_t count, IsLead isLead) {
    int64_t at = 0;
    while (at < count) {
        if (isLead(bytes[at])) {
            if (at + 1 >= count)
                return at;
            at += 2;
        } else {
            ++at;
        }
    }
    return count;
}

} // namespace Platform
