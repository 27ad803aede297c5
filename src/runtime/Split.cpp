#include "runtime/Split.h"

#include "runtime/CWString.h"

#include <cstring>

namespace {

bool IsSeparator(char16_t c, const char16_t* separators) {
    if (separators != nullptr) {
        for (; *separators != 0; ++separators) {
            if (c == *separators)
                return true;
        }
    }
    return false;
}

} // namespace

int64_t SplitText(const char16_t* text, CMStringArray& out, const char16_t* separators, bool trim,
                  bool skipEmpty) {
    out.ClearAll();
    const char16_t* rest = text;
    while (rest != nullptr && *rest != 0) {
        const char16_t* end = rest;
        while (*end != 0 && !IsSeparator(*end, separators))
            ++end;
        const bool separated = *end != 0;
        const char16_t* first = rest;
        const char16_t* last = end;
        rest = separated ? end + 1 : nullptr;

        if (trim) {
            while (first < last && IsTrimmedSpace(*first))
                ++first;
            while (last > first && IsTrimmedSpace(last[-1]))
                --last;
        }
        if (skipEmpty) {
            const char16_t* p = first;
            while (p < last && IsTrimmedSpace(*p))
                ++p;
            if (p == last)
                continue;
        }
        out.AddUnits(first, last - first);
        if (!skipEmpty && separated && *rest == 0) {
            out.AddUnits(nullptr, 0); // the text ended with a separator
            break;
        }
    }
    return out.GetCount();
}

int64_t SplitBytes(const CNimbMem& source, const void* separator, int64_t length,
                   CNimbObjectArray& out) {
    out.ClearAll();
    if (separator == nullptr || length < 1)
        return 0;
    const uint8_t* data = source.GetData();
    const int64_t size = source.GetSize();
    const auto* bytes = static_cast<const uint8_t*>(separator);
    auto addPiece = [&](int64_t from, int64_t to) {
        auto* piece = static_cast<CNimbMem*>(CNimbMem::ClassRecord().Factory());
        piece->AppendBytes(data + from, to - from);
        out.Add(piece);
    };
    int64_t start = 0;
    for (int64_t at = 0; at <= size - length;) {
        if (data[at] == bytes[0] &&
            std::memcmp(data + at, bytes, static_cast<size_t>(length)) == 0) {
            addPiece(start, at);
            at += length;
            start = at;
        } else {
            ++at;
        }
    }
    addPiece(start, size);
    return out.GetCount();
}
