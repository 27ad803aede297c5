#include "runtime/CRefObject.h"

#include "runtime/CPoolMem.h"

// A handle and the smallest payload take one pool block each.
static_assert(sizeof(CNimbRefObject) <= CPoolMem::BlockSize);
static_assert(sizeof(CRefObject) <= CPoolMem::BlockSize);

bool CRefObject::Release() {
    if (RefCount.fetch_sub(1, std::memory_order_acq_rel) != 1)
        return false;
    OnFinalRelease();
    delete this;
    return true;
}

CNimbRefObject::CNimbRefObject(const CNimbRefObject& other) noexcept
    : CNimbObject(other), Payload(other.Payload) {
    if (Payload != nullptr)
        Payload->AddRef();
}

CNimbRefObject& CNimbRefObject::operator=(const CNimbRefObject& other) noexcept {
    CNimbObject::operator=(other);
    // The new reference is taken before the old one is dropped, so assigning a handle
    // that shares this payload never destroys it.
    if (other.Payload != nullptr)
        other.Payload->AddRef();
    AdoptPayload(other.Payload);
    return *this;
}

CNimbRefObject::~CNimbRefObject() {
    if (Payload != nullptr)
        Payload->Release();
}

bool CNimbRefObject::IsEqual(const CNimbObject& other) const {
    return CNimbObject::IsEqual(other) &&
           Payload == static_cast<const CNimbRefObject&>(other).Payload;
}

void CNimbRefObject::AdoptPayload(CRefObject* payload) noexcept {
    CRefObject* old = Payload;
    Payload = payload;
    if (old != nullptr)
        old->Release();
}
