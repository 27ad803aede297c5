#pragma once

#include "runtime/CNimbObject.h"

#include <cstdint>
#include <initializer_list>

// The growable byte buffer: a value of its own and the storage under every text and
// array. Its size rule (SetSize) governs the memory behaviour of all of them. Storage
// comes from the buffer's own memory-manager operations, that is from the pool.
class CNimbMem : public CNimbObject {
    NIMB_DECLARE_CLASS(CNimbMem, CNimbObject, "CNimbMem")

    static constexpr int64_t DefaultStep = 64;

    CNimbMem() noexcept = default;
    // Step 64, with a copy of Flags, Tag and the bytes.
    CNimbMem(const CNimbMem& other);
    CNimbMem(CNimbMem&& other) noexcept;
    // CopyFrom: this buffer keeps its step.
    CNimbMem& operator=(const CNimbMem& other);
    CNimbMem& operator=(CNimbMem&& other) noexcept;
    ~CNimbMem() override;

    // Same sizes and same bytes; the step does not count.
    bool IsEqual(const CNimbObject& other) const override;
    // A hex dump with a character column; `limit` < 0 prints every byte, 0 at most 1024.
    void DumpToText(CWString& out, int32_t limit) const override;
    // An int32 byte count, then the bytes.
    void LoadFromStream(CNimbStreamReader& reader) override;
    void SaveToStream(CNimbStreamWriter& writer) const override;

    uint8_t* GetData() const noexcept { return Data; }
    int64_t GetSize() const noexcept { return Size; }
    int64_t GetCapacity() const noexcept { return Capacity; }
    int64_t GetStep() const noexcept { return Step; }
    // Whether `address` lies in this buffer's storage, used or not: data that may move
    // when the buffer does.
    bool Holds(const void* address) const noexcept;
    // Owners that embed a buffer set their step right after construction; below 1 the
    // buffer behaves as with 64.
    void SetStep(int64_t step) noexcept { Step = step; }

    // The size rule: storage is reallocated only when `size` exceeds the capacity or the
    // capacity exceeds `size` by more than one step, and then becomes the smallest
    // multiple of the step above `size`; size 0 frees it. New bytes are uninitialised.
    // Returns the data pointer (null for size 0). A negative size changes nothing.
    uint8_t* SetSize(int64_t size);
    // Adds `count` bytes from `source`, or zeros when it is null; count <= 0 adds nothing.
    void AppendBytes(const void* source, int64_t count);
    // Adds the bytes of a NUL-terminated UTF-16 text, with its two terminator bytes when
    // asked; a null or empty text adds only the terminator when asked.
    void AppendWideText(const char16_t* text, bool withTerminator);
    void AppendByteValues(std::initializer_list<uint8_t> bytes);
    // Replaces `remove` bytes at `offset` (cut to the bytes that exist) by `insert` bytes
    // from `source`, or zeros when it is null. An offset at or past the end appends.
    void ReplaceRange(int64_t offset, int64_t remove, const void* source, int64_t insert);
    // Removes `count` bytes at `offset`; a negative offset removes them from the end.
    void RemoveRange(int64_t offset, int64_t count);
    // Copies Flags, Tag and the bytes; this buffer keeps its step.
    void CopyFrom(const CNimbMem& other);

private:
    uint8_t* Data = nullptr;
    int64_t Capacity = 0;
    int64_t Size = 0;
    int64_t Step = DefaultStep;
};
