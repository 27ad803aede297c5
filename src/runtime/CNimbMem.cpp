#include "runtime/CNimbMem.h"

#include "runtime/CNimbStream.h"
#include "runtime/CPoolMem.h"
#include "runtime/CWString.h"
#include "runtime/ContainerDump.h"
#include "runtime/Platform.h"
#include "runtime/SizeArithmetic.h"

#include <algorithm>
#include <cstring>
#include <limits>

static_assert(sizeof(CNimbMem) <= CPoolMem::BlockSize, "a byte buffer takes one pool block");

namespace {

// The smallest multiple of `step` strictly above `size`: a buffer always has room for at
// least one more byte, and appends grow it one step at a time.
int64_t CapacityFor(int64_t size, int64_t step) {
    return SizeSum(size - size % step, step);
}

} // namespace

CNimbMem::CNimbMem(const CNimbMem& other) : CNimbObject() {
    CopyFrom(other);
}

CNimbMem::CNimbMem(CNimbMem&& other) noexcept
    : CNimbObject(other), Data(other.Data), Capacity(other.Capacity), Size(other.Size) {
    other.Data = nullptr;
    other.Capacity = other.Size = 0;
}

CNimbMem& CNimbMem::operator=(const CNimbMem& other) {
    CopyFrom(other);
    return *this;
}

CNimbMem& CNimbMem::operator=(CNimbMem&& other) noexcept {
    if (&other != this) {
        MemFree(Data);
        CNimbObject::operator=(other);
        Data = other.Data;
        Capacity = other.Capacity;
        Size = other.Size;
        other.Data = nullptr;
        other.Capacity = other.Size = 0;
    }
    return *this;
}

CNimbMem::~CNimbMem() {
    MemFree(Data);
}

uint8_t* CNimbMem::SetSize(int64_t size) {
    if (size == Size || size < 0)
        return Data;
    if (size == 0) {
        MemFree(Data);
        Data = nullptr;
        Size = Capacity = 0;
        return nullptr;
    }
    const int64_t step = Step >= 1 ? Step : DefaultStep;
    if (Data == nullptr) {
        Capacity = CapacityFor(size, step);
        Data = static_cast<uint8_t*>(MemAlloc(Capacity));
    } else if (Capacity < size || Capacity - size > step) {
        // Shrinking only when more than a step would be wasted avoids reallocating back
        // and forth around a boundary.
        Capacity = CapacityFor(size, step);
        Data = static_cast<uint8_t*>(MemRealloc(Data, Capacity));
    }
    Size = size;
    return Data;
}

bool CNimbMem::Holds(const void* address) const noexcept {
    const auto* p = static_cast<const uint8_t*>(address);
    return p != nullptr && Data != nullptr && p >= Data && p < Data + Capacity;
}

void CNimbMem::AppendBytes(const void* source, int64_t count) {
    if (count <= 0)
        return;
    const int64_t old = Size;
    const int64_t size = SizeSum(old, count);
    if (size <= Capacity) {
        // Fits: no size rule, just the copy (a single store for the small sizes).
        if (source != nullptr)
            std::memmove(Data + old, source, static_cast<size_t>(count));
        else
            std::memset(Data + old, 0, static_cast<size_t>(count));
        Size = size;
        return;
    }
    // The source may lie in this very buffer, which is about to move.
    const bool inside = Holds(source);
    const int64_t offset = inside ? static_cast<const uint8_t*>(source) - Data : 0;
    SetSize(size);
    if (inside)
        source = Data + offset;
    if (source != nullptr)
        std::memmove(Data + old, source, static_cast<size_t>(count));
    else
        std::memset(Data + old, 0, static_cast<size_t>(count));
}

void CNimbMem::AppendWideText(const char16_t* text, bool withTerminator) {
    int64_t length = 0;
    if (text != nullptr)
        while (text[length] != 0)
            ++length;
    if (length == 0) {
        if (withTerminator)
            AppendBytes(nullptr, sizeof(char16_t));
        return;
    }
    AppendBytes(text, (length + (withTerminator ? 1 : 0)) * static_cast<int64_t>(sizeof(char16_t)));
}

void CNimbMem::AppendByteValues(std::initializer_list<uint8_t> bytes) {
    AppendBytes(bytes.begin(), static_cast<int64_t>(bytes.size()));
}

void CNimbMem::ReplaceRange(int64_t offset, int64_t remove, const void* source, int64_t insert) {
    offset = std::max<int64_t>(offset, 0);
    if (offset >= Size) {
        AppendBytes(source, insert);
        return;
    }
    remove = std::clamp<int64_t>(remove, 0, Size - offset);
    if (insert <= 0) {
        RemoveRange(offset, remove);
        return;
    }
    if (Holds(source)) {
        // The bytes to insert would move under the shift; take them aside first.
        // What the range holds past this buffer's end is not ours; it reads as zeros.
        CNimbMem copy;
        const int64_t available = Size - (static_cast<const uint8_t*>(source) - Data);
        copy.AppendBytes(source, std::clamp<int64_t>(available, 0, insert));
        copy.AppendBytes(nullptr, insert - copy.Size);
        ReplaceRange(offset, remove, copy.Data, insert);
        return;
    }
    const int64_t tail = Size - offset - remove;
    const int64_t oldSize = Size;
    if (insert > remove) {
        SetSize(SizeSum(oldSize, insert) - remove);
        std::memmove(Data + offset + insert, Data + offset + remove, static_cast<size_t>(tail));
    } else if (insert < remove) {
        std::memmove(Data + offset + insert, Data + offset + remove, static_cast<size_t>(tail));
        SetSize(oldSize - (remove - insert));
    }
    if (source != nullptr)
        std::memcpy(Data + offset, source, static_cast<size_t>(insert));
    else
        std::memset(Data + offset, 0, static_cast<size_t>(insert));
}

void CNimbMem::RemoveRange(int64_t offset, int64_t count) {
    if (count <= 0 || Size == 0)
        return;
    if (offset < 0) {
        SetSize(count >= Size ? 0 : Size - count);
        return;
    }
    if (offset >= Size)
        return;
    count = std::min(count, Size - offset);
    std::memmove(Data + offset, Data + offset + count, static_cast<size_t>(Size - offset - count));
    SetSize(Size - count);
}

void CNimbMem::CopyFrom(const CNimbMem& other) {
    if (&other == this)
        return;
    CNimbObject::operator=(other);
    SetSize(other.Size);
    if (other.Size != 0)
        std::memcpy(Data, other.Data, static_cast<size_t>(other.Size));
}

bool CNimbMem::IsEqual(const CNimbObject& other) const {
    if (!CNimbObject::IsEqual(other))
        return false;
    const auto& buffer = static_cast<const CNimbMem&>(other);
    return Size == buffer.Size &&
           (Size == 0 || std::memcmp(Data, buffer.Data, static_cast<size_t>(Size)) == 0);
}

void CNimbMem::DumpToText(CWString& out, int32_t limit) const {
    // At most 1024 bytes unless told otherwise.
    const int64_t shown = AppendDumpHeader(out, u"字节集", u"字节", Size, limit, 1024);
    static constexpr char16_t kHex[] = u"0123456789ABCDEF";
    // One line: "\r\n[" 8 digits "]:" 16 x " XX" padding " | " 16 characters.
    char16_t line[4 + 8 + 2 + 48 + 3 + 16];
    for (int64_t start = 0; start < shown; start += 16) {
        const int64_t count = std::min<int64_t>(16, shown - start);
        char16_t* p = line;
        *p++ = u'\r';
        *p++ = u'\n';
        *p++ = u'[';
        for (int shift = 28; shift >= 0; shift -= 4)
            *p++ = kHex[(start >> shift) & 0xF];
        *p++ = u']';
        *p++ = u':';
        for (int64_t i = 0; i < count; ++i) {
            const uint8_t byte = Data[start + i];
            *p++ = u' ';
            *p++ = kHex[byte >> 4];
            *p++ = kHex[byte & 0xF];
        }
        for (int64_t i = 3 * count; i < 48; ++i)
            *p++ = u' ';
        *p++ = u' ';
        *p++ = u'|';
        *p++ = u' ';
        for (int64_t i = 0; i < count; ++i) {
            const uint8_t byte = Data[start + i];
            *p++ = byte >= 0x20 && byte <= 0x7E ? static_cast<char16_t>(byte) : u'.';
        }
        out.AppendUnits(line, p - line);
    }
}

void CNimbMem::SaveToStream(CNimbStreamWriter& writer) const {
    if (Size > std::numeric_limits<int32_t>::max()) {
        writer.MarkError(); // the count cannot express it
        return;
    }
    if (writer.WriteInt32(static_cast<int32_t>(Size)))
        writer.WriteBytes(Data, Size);
}

void CNimbMem::LoadFromStream(CNimbStreamReader& reader) {
    int32_t count = 0;
    if (!reader.ReadInt32(count))
        return;
    if (count < 0) {
        reader.MarkError();
        return;
    }
    SetSize(0);
    // Grow with what actually arrives, so that a count the stream cannot back allocates
    // no more than twice the bytes it delivered.
    int64_t filled = 0;
    while (filled < count) {
        const int64_t want = std::min<int64_t>(count - filled, std::max<int64_t>(filled, 65536));
        SetSize(filled + want);
        const int64_t got = reader.ReadBytes(Data + filled, want);
        filled += got;
        if (got < want) {
            SetSize(0);
            reader.MarkError();
            return;
        }
    }
}
