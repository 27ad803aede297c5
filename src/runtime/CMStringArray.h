#pragma once

#include "runtime/CNimbMem.h"

#include <cstdint>

// A list of owned texts: 8-byte entries in a buffer growing in steps of 256 bytes (32
// entries), each a text allocated at exactly its size, or null for an empty text. It has
// no virtual destructor; its owner destroys it.
class CMStringArray : public CNimbCommonBaseWithMemManager {
public:
    static constexpr int64_t EntryStep = 256;

    CMStringArray() noexcept { Entries.SetStep(EntryStep); }
    ~CMStringArray() { ClearAll(); }
    // Copies are made deliberately, with CopyFrom.
    CMStringArray(const CMStringArray&) = delete;
    CMStringArray& operator=(const CMStringArray&) = delete;

    static const CNimbClassInfo& ClassRecord() noexcept {
        static constexpr CNimbClassInfo record = CNimbClassInfo::Make(nullptr, "CMStringArray");
        return record;
    }
    virtual const CNimbClassInfo& GetClassInfo() const { return ClassRecord(); }
    virtual bool IsKindOf(const CNimbClassInfo& info) const {
        return ClassRecord().IsSameClass(info);
    }

    // Appends an owned copy of the NUL-terminated `text`; a null entry for null or empty.
    void AddText(const char16_t* text);
    // Appends an owned copy of `count` code units; a null entry for none.
    void AddUnits(const char16_t* units, int64_t count);
    // Frees every text, then the entry storage.
    void ClearAll();
    // Replaces the entries by owned copies of `other`'s; copying a list onto itself does
    // nothing.
    void CopyFrom(const CMStringArray& other);

    int64_t GetCount() const noexcept {
        return Entries.GetSize() / static_cast<int64_t>(sizeof(char16_t*));
    }
    // The text at `index` (0 <= index < GetCount()); a null entry reads as the empty text.
    const char16_t* GetAt(int64_t index) const noexcept {
        const char16_t* text = reinterpret_cast<char16_t* const*>(Entries.GetData())[index];
        return text != nullptr ? text : u"";
    }

private:
    CNimbMem Entries;
};
