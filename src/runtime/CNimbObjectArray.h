#pragma once

#include "runtime/CNimbMem.h"

#include <cstdint>

// An array of owned objects of any class: copies clone every member, and clearing,
// resetting or destroying the array deletes them through their own tables.
class CNimbObjectArray : public CNimbObject {
    NIMB_DECLARE_CLASS(CNimbObjectArray, CNimbObject, "CNimbObjectArray")

    CNimbObjectArray() noexcept { Members.SetStep(256); }
    CNimbObjectArray(const CNimbObjectArray& other);
    CNimbObjectArray& operator=(const CNimbObjectArray& other);
    ~CNimbObjectArray() override { ClearAll(); }

    // Takes ownership of `member`; null is not added. Returns whether it was added.
    bool Add(CNimbObject* member);
    // Deletes every member and frees the list.
    void ClearAll();
    int64_t GetCount() const noexcept {
        return Members.GetSize() / static_cast<int64_t>(sizeof(CNimbObject*));
    }
    // The member at `index` (0 <= index < GetCount()), still owned by the array.
    CNimbObject* GetAt(int64_t index) const noexcept {
        return reinterpret_cast<CNimbObject* const*>(Members.GetData())[index];
    }

    // Same count, and each member IsEqual to the member at the same index.
    bool IsEqual(const CNimbObject& other) const override;
    // Numbered lines with each member's class, address and own dump.
    void DumpToText(CWString& out, int32_t limit) const override;

private:
    CNimbMem Members;
};
