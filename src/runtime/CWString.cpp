#include "runtime/CWString.h"

#include "runtime/CNimbStream.h"
#include "runtime/CPoolMem.h"
#include "runtime/NumberText.h"
#include "runtime/Platform.h"
#include "runtime/SizeArithmetic.h"

#include <algorithm>
#include <cstring>
#include <string>

// A text object takes one pool block, and so does the first buffer of any text of up to
// 125 characters: (125 + 1) units of 2 bytes round up to one growth step.
static_assert(sizeof(CWString) <= CPoolMem::BlockSize);
static_assert((125 + 1) * 2 <= CWString::GrowthStep && CWString::GrowthStep <= CPoolMem::BlockSize);

namespace {

constexpr int64_t kUnit = sizeof(char16_t);

int64_t LengthOf(const char16_t* text) noexcept {
    return text != nullptr ? static_cast<int64_t>(std::char_traits<char16_t>::length(text)) : 0;
}

char16_t FoldAscii(char16_t c) noexcept {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c;
}

bool SameUnits(const char16_t* a, const char16_t* b, int64_t count, bool ignoreCase) noexcept {
    for (int64_t i = 0; i < count; ++i) {
        if (a[i] != b[i] && (!ignoreCase || FoldAscii(a[i]) != FoldAscii(b[i])))
            return false;
    }
    return true;
}

} // namespace

CWString::CWString(const char16_t* text) : CWString() {
    Append(text);
}

CWString::CWString(const char16_t* text, int64_t maxCount) : CWString() {
    SetTextUpTo(text, maxCount);
}

CWString::CWString(const char* utf8) : CWString() {
    AppendUtf8(utf8);
}

CWString::CWString(int32_t value) : CWString() {
    AppendFormat(u"%d", value);
}

CWString::CWString(int64_t value) : CWString(Int64ToText(value)) {}

CWString::CWString(double value) : CWString() {
    AppendDouble(value);
}

CWString::CWString(const CWString& other) : CNimbObject(other), ConstText(other.ConstText) {
    Buffer.SetStep(GrowthStep);
    Buffer.CopyFrom(other.Buffer);
}

CWString::CWString(CWString&& other) noexcept
    : CNimbObject(other), ConstText(other.ConstText),
      Buffer(static_cast<CNimbMem&&>(other.Buffer)) {
    Buffer.SetStep(GrowthStep);
    other.ConstText = nullptr;
}

CWString& CWString::operator=(const CWString& other) {
    if (&other != this) {
        CNimbObject::operator=(other);
        ConstText = other.ConstText;
        Buffer.CopyFrom(other.Buffer);
    }
    return *this;
}

CWString& CWString::operator=(CWString&& other) noexcept {
    if (&other != this) {
        CNimbObject::operator=(other);
        ConstText = other.ConstText;
        Buffer = static_cast<CNimbMem&&>(other.Buffer);
        other.ConstText = nullptr;
    }
    return *this;
}

char16_t* CWString::ResizeOwned(int64_t length) {
    if (length <= 0) {
        Buffer.SetSize(0);
        return nullptr;
    }
    auto* units =
        reinterpret_cast<char16_t*>(Buffer.SetSize(SizeProduct(SizeSum(length, 1), kUnit)));
    units[length] = 0;
    return units;
}

int64_t CWString::GetLength() const noexcept {
    if (ConstText != nullptr)
        return LengthOf(ConstText);
    const int64_t size = Buffer.GetSize();
    return size != 0 ? size / kUnit - 1 : 0;
}

int64_t CWString::Find(const char16_t* needle, int64_t start, bool ignoreCase, bool fromEnd) const {
    const int64_t length = GetLength();
    if (start > length)
        return -1;
    int64_t from = 0; // the searched part is [from, to)
    int64_t to = length;
    if (!fromEnd) {
        start = std::max<int64_t>(start, 0);
        from = start;
    } else if (start < 0) {
        start = length;
    } else {
        to = start;
    }
    const int64_t needleLength = LengthOf(needle);
    if (needleLength == 0)
        return start;
    if (to - from < needleLength)
        return -1;
    const char16_t* text = GetText();
    if (!fromEnd) {
        for (int64_t i = from; i + needleLength <= to; ++i) {
            if (SameUnits(text + i, needle, needleLength, ignoreCase))
                return i;
        }
    } else {
        for (int64_t i = to - needleLength; i >= from; --i) {
            if (SameUnits(text + i, needle, needleLength, ignoreCase))
                return i;
        }
    }
    return -1;
}

bool CWString::HasSameText(const CWString& other) const noexcept {
    const int64_t length = GetLength();
    return length == other.GetLength() && SameUnits(GetText(), other.GetText(), length, false);
}

bool CWString::StartsWithNoCase(const char16_t* prefix) const {
    const int64_t prefixLength = LengthOf(prefix);
    return prefixLength <= GetLength() && SameUnits(GetText(), prefix, prefixLength, true);
}

CWString CWString::Left(int64_t count) const {
    CWString result;
    result.SetTextN(GetText(), std::min(count, GetLength()));
    return result;
}

CWString CWString::Right(int64_t count) const {
    const int64_t length = GetLength();
    count = std::min(count, length);
    CWString result;
    if (count > 0)
        result.SetTextN(GetText() + (length - count), count);
    return result;
}

CWString CWString::Mid(int64_t start, int64_t count) const {
    const int64_t length = GetLength();
    const int64_t from = std::clamp<int64_t>(start, 0, length);
    int64_t end;
    if (__builtin_add_overflow(start, count, &end))
        end = count > 0 ? length : 0;
    end = std::clamp<int64_t>(end, 0, length);
    CWString result;
    if (end > from)
        result.SetTextN(GetText() + from, end - from);
    return result;
}

CWString CWString::Concat(const CWString& a, const CWString& b) {
    if (a.IsEmpty())
        return b;
    if (b.IsEmpty())
        return a;
    CWString result;
    const int64_t aLength = a.GetLength();
    const int64_t bLength = b.GetLength();
    char16_t* units = result.ResizeOwned(aLength + bLength);
    std::memcpy(units, a.GetText(), static_cast<size_t>(aLength * kUnit));
    std::memcpy(units + aLength, b.GetText(), static_cast<size_t>(bLength * kUnit));
    return result;
}

CWString CWString::Concat(const CWString& a, const char16_t* literal) {
    if (LengthOf(literal) == 0)
        return a;
    CWString result;
    result.Append(a);
    result.Append(literal);
    return result;
}

void CWString::MakeOwned() {
    if (ConstText == nullptr)
        return;
    const char16_t* text = ConstText;
    const int64_t length = LengthOf(text);
    ConstText = nullptr;
    auto* units = reinterpret_cast<char16_t*>(Buffer.SetSize((length + 1) * kUnit));
    std::memcpy(units, text, static_cast<size_t>((length + 1) * kUnit));
}

void CWString::Clear() noexcept {
    ConstText = nullptr;
    Buffer.SetSize(0);
}

void CWString::SetText(const char16_t* text) {
    if (Buffer.Holds(text)) {
        // The text lives in the buffer about to be emptied.
        CWString copy(text);
        *this = static_cast<CWString&&>(copy);
        return;
    }
    Clear();
    Append(text);
}

void CWString::SetTextN(const char16_t* text, int64_t count) {
    if (Buffer.Holds(text)) {
        CWString copy;
        copy.SetTextN(text, count);
        *this = static_cast<CWString&&>(copy);
        return;
    }
    Clear();
    if (count < 1)
        return;
    char16_t* units = ResizeOwned(count);
    if (text != nullptr)
        std::memcpy(units, text, static_cast<size_t>(count * kUnit));
    else
        std::memset(units, 0, static_cast<size_t>(count * kUnit));
}

void CWString::SetTextUpTo(const char16_t* text, int64_t count) {
    int64_t length = 0;
    if (text != nullptr)
        while (length < count && text[length] != 0)
            ++length;
    SetTextN(text, length);
}

void CWString::Append(const char16_t* text) {
    AppendUnits(text, LengthOf(text));
}

void CWString::AppendChar(char16_t character) {
    if (character != 0)
        AppendUnits(&character, 1);
}

void CWString::AppendUnits(const char16_t* units, int64_t count) {
    if (units == nullptr || count <= 0)
        return;
    MakeOwned();
    const int64_t length = GetLength();
    // The units may lie in the buffer, which may move when it grows.
    const bool inside = Buffer.Holds(units);
    const int64_t offset = inside ? units - reinterpret_cast<const char16_t*>(Buffer.GetData()) : 0;
    char16_t* text = ResizeOwned(SizeSum(length, count));
    if (inside)
        units = text + offset;
    std::memmove(text + length, units, static_cast<size_t>(count * kUnit));
}

void CWString::AppendUtf8(const char* bytes) {
    const int64_t count = bytes != nullptr ? static_cast<int64_t>(std::strlen(bytes)) : 0;
    if (count == 0)
        return;
    CNimbMem decoded;
    auto* units = reinterpret_cast<char16_t*>(decoded.SetSize(count * kUnit));
    AppendUnits(units, Platform::Utf8ToUtf16(bytes, count, units));
}

void CWString::AppendFloat(float value) {
    if (value >= -0.000001f && value <= 0.000001f)
        AppendChar(u'0');
    else
        AppendReal(*this, "%.8G", static_cast<double>(value));
}

void CWString::AppendDouble(double value) {
    if (value >= -0.000001 && value <= 0.000001)
        AppendChar(u'0');
    else
        AppendReal(*this, "%.15G", value);
}

void CWString::FormatList(const char16_t* format, const CFormatArg* args, size_t count) {
    // Formatted on the side: the arguments may point into this very text.
    CWString result;
    if (!AppendFormatted(result, format, args, count))
        result.Clear();
    const uint64_t flags = Flags;
    const int64_t tag = Tag;
    *this = static_cast<CWString&&>(result);
    Flags = flags;
    Tag = tag;
}

void CWString::AppendFormatList(const char16_t* format, const CFormatArg* args, size_t count) {
    CWString result;
    if (AppendFormatted(result, format, args, count))
        Append(result);
}

void CWString::ReplaceAllNoCase(const char16_t* find, const char16_t* replacement) {
    const int64_t findLength = LengthOf(find);
    const int64_t length = GetLength();
    if (findLength == 0 || length == 0 || length < findLength)
        return;
    MakeOwned();
    const char16_t* text = GetText();
    const int64_t replacementLength = LengthOf(replacement);
    CWString result;
    bool replaced = false;
    int64_t copied = 0; // text[0, copied) is in result already
    for (int64_t i = 0; i + findLength <= length;) {
        if (SameUnits(text + i, find, findLength, true)) {
            result.AppendUnits(text + copied, i - copied);
            result.AppendUnits(replacement, replacementLength);
            i += findLength;
            copied = i;
            replaced = true;
        } else {
            ++i;
        }
    }
    if (!replaced)
        return;
    result.AppendUnits(text + copied, length - copied);
    result.Flags = Flags;
    result.Tag = Tag;
    *this = static_cast<CWString&&>(result);
}

void CWString::TrimRight() {
    const char16_t* text = GetText();
    int64_t length = GetLength();
    const int64_t original = length;
    while (length > 0 && IsTrimmedSpace(text[length - 1]))
        --length;
    if (length != original) {
        MakeOwned();
        ResizeOwned(length);
    }
}

void CWString::Trim() {
    const char16_t* text = GetText();
    const int64_t length = GetLength();
    int64_t lead = 0;
    while (lead < length && IsTrimmedSpace(text[lead]))
        ++lead;
    if (lead != 0) {
        MakeOwned();
        auto* units = reinterpret_cast<char16_t*>(Buffer.GetData());
        std::memmove(units, units + lead, static_cast<size_t>((length - lead) * kUnit));
        ResizeOwned(length - lead);
    }
    TrimRight();
}

void CWString::SetLength(int64_t length) {
    const int64_t current = GetLength();
    if (length == current)
        return;
    if (length <= 0) {
        Clear();
        return;
    }
    MakeOwned();
    char16_t* units = ResizeOwned(length);
    for (int64_t i = current; i < length; ++i)
        units[i] = u' ';
}

char16_t* CWString::PrepareUnits(int64_t length) {
    ConstText = nullptr;
    return ResizeOwned(length);
}

bool CWString::IsEqual(const CNimbObject& other) const {
    if (!CNimbObject::IsEqual(other))
        return false;
    return HasSameText(static_cast<const CWString&>(other));
}

void CWString::DumpToText(CWString& out, int32_t) const {
    out = *this;
}

void CWString::SaveToStream(CNimbStreamWriter& writer) const {
    const int64_t length = GetLength();
    const int64_t bytes = length == 0 ? 0 : (length + 1) * kUnit;
    if (bytes > INT32_MAX) {
        writer.MarkError();
        return;
    }
    if (writer.WriteInt32(static_cast<int32_t>(bytes)) && bytes != 0)
        writer.WriteBytes(GetText(), bytes);
}

void CWString::LoadFromStream(CNimbStreamReader& reader) {
    // Loading works on the buffer alone; a load that cannot even read the count leaves
    // the text as it was.
    MakeOwned();
    Buffer.LoadFromStream(reader);
    const int64_t size = Buffer.GetSize();
    if (size == 0)
        return;
    // Only a whole number of code units ending in a terminator is a text; anything else
    // would let readers run past the buffer.
    const auto* units = reinterpret_cast<const char16_t*>(Buffer.GetData());
    if (size % kUnit != 0 || units[size / kUnit - 1] != 0) {
        Buffer.SetSize(0);
        reader.MarkError();
    }
}
