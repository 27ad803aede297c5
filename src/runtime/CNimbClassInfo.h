#pragma once

#include <cstdint>
#include <cstring>

class CNimbObject;

// The record that identifies a runtime class: its factory, its name and a hash of the
// name. Records are compared by name rather than by address (see IsSameClass), so two
// records made separately for one class name denote one class. Records are constant data
// built by the compiler; they are never freed.
struct CNimbClassInfo {
    using FactoryFunction = CNimbObject* (*)();

    FactoryFunction Factory; // creates a default instance; null for counted objects
    const char* Name;        // "CWString", "rg_nimb_base::rg_ZhengShuLei", ...
    int64_t NameLength;      // bytes, without the terminator
    uint32_t Hash;           // HashName of Name

    // h = h * 5 + c over the sign-extended bytes in 64 bits; the low 32 bits are kept with
    // bit 0 set and bit 31 cleared.
    static constexpr uint32_t HashName(const char* name, int64_t length) noexcept {
        uint64_t h = 0;
        for (int64_t i = 0; i < length; ++i)
            h = h * 5 +
                static_cast<uint64_t>(static_cast<int64_t>(static_cast<signed char>(name[i])));
        return (static_cast<uint32_t>(h) | 1u) & 0x7FFFFFFFu;
    }

    static constexpr CNimbClassInfo Make(FactoryFunction factory, const char* name) noexcept {
        int64_t length = 0;
        while (name[length] != '\0')
            ++length;
        return CNimbClassInfo{factory, name, length, HashName(name, length)};
    }

    // True when both records name the same class: the same record, or equal hashes,
    // lengths and name bytes.
    bool IsSameClass(const CNimbClassInfo& other) const noexcept {
        return this == &other ||
               (Hash == other.Hash && NameLength == other.NameLength &&
                std::memcmp(Name, other.Name, static_cast<size_t>(NameLength)) == 0);
    }
};

// Declares a class's record and the two operations that answer from it, GetClassInfo and
// IsKindOf (this class, then the bases through Base). Used by the class macros of the
// two families, NIMB_DECLARE_CLASS and NIMB_DECLARE_REF_CLASS.
#define NIMB_CLASS_RECORD(Class, Base, Factory, Name)                                              \
    static const CNimbClassInfo& ClassRecord() noexcept {                                          \
        static constexpr CNimbClassInfo record = CNimbClassInfo::Make(Factory, Name);              \
        return record;                                                                             \
    }                                                                                              \
    const CNimbClassInfo& GetClassInfo() const override {                                          \
        return ClassRecord();                                                                      \
    }                                                                                              \
    bool IsKindOf(const CNimbClassInfo& info) const override {                                     \
        return ClassRecord().IsSameClass(info) || Base::IsKindOf(info);                            \
    }
