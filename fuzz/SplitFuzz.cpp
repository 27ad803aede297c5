// Splitting any text at any separators, with and without trimming and skipping, and any
// bytes at any separator, checked against splits written here: plain pieces joined with
// the separators between them give the input back.

#include "FuzzInput.h"
#include "runtime/CNimbMem.h"
#include "runtime/Split.h"

#include <vector>

namespace {

bool IsBlank(std::u16string_view piece) {
    for (char16_t c : piece) {
        if (!IsTrimmedSpace(c))
            return false;
    }
    return true;
}

std::u16string_view Trimmed(std::u16string_view piece) {
    while (!piece.empty() && IsTrimmedSpace(piece.front()))
        piece.remove_prefix(1);
    while (!piece.empty() && IsTrimmedSpace(piece.back()))
        piece.remove_suffix(1);
    return piece;
}

// n separators give n + 1 pieces, and an empty text none.
std::vector<std::u16string_view> ReferenceSplit(std::u16string_view text,
                                                std::u16string_view separators, bool trim,
                                                bool skipEmpty) {
    std::vector<std::u16string_view> pieces;
    if (text.empty())
        return pieces;
    for (size_t start = 0;;) {
        const size_t end = std::min(text.find_first_of(separators, start), text.size());
        std::u16string_view piece = text.substr(start, end - start);
        if (trim)
            piece = Trimmed(piece);
        if (!skipEmpty || !IsBlank(piece))
            pieces.push_back(piece);
        if (end == text.size())
            return pieces;
        start = end + 1;
    }
}

void CheckText(FuzzReader& reader) {
    const auto mode = reader.Take<uint8_t>();
    const bool trim = (mode & 1) != 0;
    const bool skipEmpty = (mode & 2) != 0;
    // Up to three separators; a zero unit ends the list early.
    std::u16string separators;
    for (int i = (mode >> 2) & 3; i > 0; --i)
        separators += reader.Take<char16_t>();
    const std::u16string_view listed(separators.c_str());
    const CWString text = TextOf(reader.Data, reader.Size);

    CMStringArray out;
    out.AddText(u"stale");
    const int64_t count = SplitText(text.GetText(), out, separators.c_str(), trim, skipEmpty);
    const auto expected = ReferenceSplit(UnitsOf(text), listed, trim, skipEmpty);
    FUZZ_EXPECT(count == out.GetCount() && count == static_cast<int64_t>(expected.size()));
    for (int64_t i = 0; i < count; ++i)
        FUZZ_EXPECT(out.GetAt(i) == expected[static_cast<size_t>(i)]);
    if (trim || skipEmpty || count == 0)
        return;
    std::u16string joined(out.GetAt(0));
    for (int64_t i = 1; i < count; ++i) {
        const char16_t between = text.GetText()[joined.size()];
        FUZZ_EXPECT(listed.find(between) != std::u16string_view::npos);
        joined += between;
        joined += out.GetAt(i);
    }
    FUZZ_EXPECT(joined == UnitsOf(text));
}

// Leftmost non-overlapping occurrences: n of them give n + 1 pieces, empty ones included.
std::vector<std::string_view> ReferenceSplit(std::string_view source, std::string_view separator) {
    std::vector<std::string_view> pieces;
    size_t start = 0;
    for (size_t at; (at = source.find(separator, start)) != std::string_view::npos;) {
        pieces.push_back(source.substr(start, at - start));
        start = at + separator.size();
    }
    pieces.push_back(source.substr(start));
    return pieces;
}

void CheckBytes(FuzzReader& reader) {
    const size_t length = reader.Take<uint8_t>() % 5;
    const std::string separator(reinterpret_cast<const char*>(reader.Data),
                                std::min(length, reader.Size));
    reader.Data += separator.size();
    reader.Size -= separator.size();
    CNimbMem source;
    source.AppendBytes(reader.Data, static_cast<int64_t>(reader.Size));

    CNimbObjectArray out;
    out.Add(new CNimbMem());
    const int64_t count =
        SplitBytes(source, separator.data(), static_cast<int64_t>(separator.size()), out);
    FUZZ_EXPECT(count == out.GetCount());
    if (separator.empty()) {
        FUZZ_EXPECT(count == 0);
        return;
    }
    const auto expected =
        ReferenceSplit({reinterpret_cast<const char*>(reader.Data), reader.Size}, separator);
    FUZZ_EXPECT(count == static_cast<int64_t>(expected.size()));
    for (int64_t i = 0; i < count; ++i) {
        const CNimbObject* member = out.GetAt(i);
        FUZZ_EXPECT(member != nullptr && member->IsKindOf(CNimbMem::ClassRecord()));
        const auto* piece = static_cast<const CNimbMem*>(member);
        const std::string_view bytes(reinterpret_cast<const char*>(piece->GetData()),
                                     static_cast<size_t>(piece->GetSize()));
        FUZZ_EXPECT(bytes == expected[static_cast<size_t>(i)]);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzReader text(data, size);
    CheckText(text);
    FuzzReader bytes(data, size);
    CheckBytes(bytes);
    return 0;
}
