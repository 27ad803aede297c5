#include "runtime/CMStringArray.h"

#include "runtime/CPoolMem.h"
#include "runtime/SizeArithmetic.h"

#include <cstring>
#include <string>

// The array takes one pool block, and so does an entry list of up to 31 entries.
static_assert(sizeof(CMStringArray) <= CPoolMem::BlockSize);
static_assert(CMStringArray::EntryStep == CPoolMem::BlockSize);

void CMStringArray::AddText(const char16_t* text) {
    AddUnits(text,
             text != nullptr ? static_cast<int64_t>(std::char_traits<char16_t>::length(text)) : 0);
}

void CMStringArray::AddUnits(const char16_t* units, int64_t count) {
    char16_t* entry = nullptr;
    if (units != nullptr && count > 0) {
        entry = static_cast<char16_t*>(
            MemAlloc(SizeProduct(SizeSum(count, 1), static_cast<int64_t>(sizeof(char16_t)))));
        std::memcpy(entry, units, static_cast<size_t>(count) * sizeof(char16_t));
        entry[count] = 0;
    }
    Entries.AppendBytes(&entry, sizeof entry);
}

void CMStringArray::ClearAll() {
    auto* const* entries = reinterpret_cast<char16_t* const*>(Entries.GetData());
    for (int64_t i = 0, count = GetCount(); i < count; ++i)
        MemFree(entries[i]);
    Entries.SetSize(0);
}

void CMStringArray::CopyFrom(const CMStringArray& other) {
    if (&other == this)
        return;
    ClearAll();
    for (int64_t i = 0, count = other.GetCount(); i < count; ++i)
        AddText(other.GetAt(i));
}
