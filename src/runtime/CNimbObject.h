#pragma once
// The roots of the runtime's class tree. Every class shares one table of virtual
// operations, declared in the same order everywhere: the five memory-manager operations
// of CNimbCommonBaseWithMemManager first, then the standard operations of CNimbObject
// (or the counted-object operations of CRefObject).

#include "runtime/CNimbClassInfo.h"

// winuser.h names a macro after the GetClassInfo operation; a file that meets it before
// this header must not see the operation renamed (runtime/win/Win32.h removes it after
// <windows.h>, so it cannot reappear behind this header either).
#undef GetClassInfo

#include <cstddef>
#include <cstdint>

class CPoolMem;
class CWString;
class CNimbStreamReader;
class CNimbStreamWriter;

// The root of everything; it has neither operations nor data.
class CNimbCommonBase {};

// Routes every allocation of an object, and of every buffer the object owns, to the
// process pool. Allocation failures end the process with exit code -1; nothing returns
// an error for want of memory.
class CNimbCommonBaseWithMemManager : public CNimbCommonBase {
public:
    // A block of `size` bytes; never null.
    virtual void* MemAlloc(int64_t size) const;
    // A block of `size` bytes, or null when none can be had.
    virtual void* MemAllocOrNull(int64_t size) const;
    // `block` resized to `size` bytes, possibly moved, contents kept; never null.
    virtual void* MemRealloc(void* block, int64_t size) const;
    // Gives `block` back; null is ignored.
    virtual void MemFree(void* block) const;
    // The process pool.
    virtual CPoolMem* GetMemManager() const;

    // The class allocation: instances made with new come from the pool as well.
    static void* operator new(size_t size);
    static void operator delete(void* memory) noexcept;
    static void* operator new(size_t, void* place) noexcept { return place; }
    static void operator delete(void*, void*) noexcept {}

protected:
    // Not virtual: the destructor's place in the table comes after the class's own
    // first operations (see CNimbObject and CRefObject).
    CNimbCommonBaseWithMemManager() noexcept = default;
    CNimbCommonBaseWithMemManager(const CNimbCommonBaseWithMemManager&) noexcept = default;
    CNimbCommonBaseWithMemManager&
    operator=(const CNimbCommonBaseWithMemManager&) noexcept = default;
    ~CNimbCommonBaseWithMemManager() = default;
};

template <class T>
CNimbObject* NimbCreateInstance() {
    return new T();
}

// The base of every value-like object: it can be created, copied, compared, assigned,
// reset, destroyed and printed through its table without knowing its class.
class CNimbObject : public CNimbCommonBaseWithMemManager {
public:
    // Flags bit 0: the object stands for no object at all (an omitted argument).
    static constexpr uint64_t NullObject = 1;

    CNimbObject() noexcept = default;
    CNimbObject(const CNimbObject&) noexcept = default;
    CNimbObject& operator=(const CNimbObject&) noexcept = default;

    static const CNimbClassInfo& ClassRecord() noexcept {
        static constexpr CNimbClassInfo record =
            CNimbClassInfo::Make(&NimbCreateInstance<CNimbObject>, "CNimbObject");
        return record;
    }

    // The record of the object's dynamic class.
    virtual const CNimbClassInfo& GetClassInfo() const { return ClassRecord(); }
    // Same class, same NullObject bit and same Tag; each class adds its value.
    virtual bool IsEqual(const CNimbObject& other) const;
    // A new default instance of the object's class.
    virtual CNimbObject* CreateInstance() const { return new CNimbObject(); }
    // A new instance holding a copy of Flags, Tag and value.
    virtual CNimbObject* Clone() const { return new CNimbObject(*this); }
    // Copies Flags, Tag and value from `other` when it is of this class or one derived
    // from it; false and no change otherwise. Assigning an object to itself is a no-op.
    virtual bool AssignFrom(const CNimbObject& other);
    // Gives the object the value, Flags and Tag of a default instance.
    virtual void Reset();
    // DestroyAndFree: `delete` gives the memory back through the class allocation as well,
    // an explicit destructor call only destroys.
    virtual ~CNimbObject() = default;
    // True when `info` names this class or one of its bases up to CNimbObject.
    virtual bool IsKindOf(const CNimbClassInfo& info) const {
        return ClassRecord().IsSameClass(info);
    }
    // Writes the object's debug text; `limit` bounds the members containers print.
    virtual void DumpToText(CWString& out, int32_t limit) const;
    virtual void LoadFromStream(CNimbStreamReader& reader);
    virtual void SaveToStream(CNimbStreamWriter& writer) const;
    // Called on the target by AssignFrom and Reset before its value is replaced.
    virtual void OnBeforeChange() {}

    // Destroys and frees an object made on the heap; null is ignored.
    static void DeleteObject(CNimbObject* object) { delete object; }

    bool IsNullObject() const noexcept { return (Flags & NullObject) != 0; }
    void SetNullObject(bool isNull) noexcept {
        Flags = isNull ? Flags | NullObject : Flags & ~NullObject;
    }

    uint64_t Flags = 0;
    int64_t Tag = 0; // travels with the value; never interpreted by the runtime
};

// Declares the class record of a CNimbObject class with GetClassInfo and IsKindOf, and the
// standard operations that follow from the class's own constructors and assignment:
// CreateInstance, Clone, AssignFrom and Reset. Leaves the access public.
#define NIMB_DECLARE_CLASS(Class, Base, Name)                                                      \
public:                                                                                            \
    NIMB_CLASS_RECORD(Class, Base, &NimbCreateInstance<Class>, Name)                               \
    CNimbObject* CreateInstance() const override {                                                 \
        return new Class();                                                                        \
    }                                                                                              \
    CNimbObject* Clone() const override {                                                          \
        return new Class(*this);                                                                   \
    }                                                                                              \
    bool AssignFrom(const CNimbObject& other) override {                                           \
        if (!other.IsKindOf(ClassRecord()))                                                        \
            return false;                                                                          \
        if (&other != this) {                                                                      \
            OnBeforeChange();                                                                      \
            *this = static_cast<const Class&>(other);                                              \
        }                                                                                          \
        return true;                                                                               \
    }                                                                                              \
    void Reset() override {                                                                        \
        Class fresh;                                                                               \
        OnBeforeChange();                                                                          \
        *this = static_cast<Class&&>(fresh);                                                       \
    }
