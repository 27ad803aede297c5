#pragma once
// Counted shared objects and the value-like handles that share them.

#include "runtime/CNimbObject.h"

#include <atomic>
#include <cstdint>

// A shared object whose life is counted. A new object starts with one reference, owned
// by whoever created it; the last Release destroys it.
class CRefObject : public CNimbCommonBaseWithMemManager {
public:
    CRefObject() noexcept = default;
    CRefObject(const CRefObject&) = delete;
    CRefObject& operator=(const CRefObject&) = delete;

    static const CNimbClassInfo& ClassRecord() noexcept {
        static constexpr CNimbClassInfo record = CNimbClassInfo::Make(nullptr, "CRefObject");
        return record;
    }

    virtual const CNimbClassInfo& GetClassInfo() const { return ClassRecord(); }
    // True when `info` names this class or one of its bases up to CRefObject.
    virtual bool IsKindOf(const CNimbClassInfo& info) const {
        return ClassRecord().IsSameClass(info);
    }
    // DestroyAndFree, as for CNimbObject.
    virtual ~CRefObject() = default;
    // Drops one reference; when it was the last, calls OnFinalRelease and destroys the
    // object. Returns true when the object was destroyed.
    virtual bool Release();
    // Runs just before a released object is destroyed.
    virtual void OnFinalRelease() {}

    void AddRef() noexcept { RefCount.fetch_add(1, std::memory_order_relaxed); }
    int64_t GetRefCount() const noexcept { return RefCount.load(std::memory_order_relaxed); }

private:
    std::atomic<int64_t> RefCount{1};
};

// Declares the class record of a CRefObject class (a record without factory) with its
// GetClassInfo and IsKindOf. Leaves the access public.
#define NIMB_DECLARE_REF_CLASS(Class, Base, Name)                                                  \
public:                                                                                            \
    NIMB_CLASS_RECORD(Class, Base, nullptr, Name)

// A value-like handle on a shared payload: copies share one payload and hold one
// reference each. GUI controls and WMI result holders are such handles.
class CNimbRefObject : public CNimbObject {
    NIMB_DECLARE_CLASS(CNimbRefObject, CNimbObject, "CNimbRefObject")

    CNimbRefObject() noexcept = default;
    CNimbRefObject(const CNimbRefObject& other) noexcept;
    CNimbRefObject& operator=(const CNimbRefObject& other) noexcept;
    ~CNimbRefObject() override;

    // Same class, NullObject bit and Tag, and the very same payload.
    bool IsEqual(const CNimbObject& other) const override;

    CRefObject* GetPayload() const noexcept { return Payload; }
    // Makes `payload` the shared object, taking over one reference the caller owns, and
    // releases the old one.
    void AdoptPayload(CRefObject* payload) noexcept;

private:
    CRefObject* Payload = nullptr;
};
