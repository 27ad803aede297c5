#include "sys/win/rg_JiTongCPUXinXiLei.h"

namespace rg_nimb_JiTongCaoZuoZhiChiKu {

CWmiResultHolder& CWmiResultHolder::operator=(const CWmiResultHolder& other) noexcept {
    CNimbObject::operator=(other);
    // The new reference first: assigning a holder of the same payload never frees it.
    other.Payload->AddRef();
    Payload->Release();
    Payload = other.Payload;
    return *this;
}

bool CWmiResultHolder::IsEqual(const CNimbObject& other) const {
    return CNimbObject::IsEqual(other) &&
           Payload == static_cast<const CWmiResultHolder&>(other).Payload;
}

} // namespace rg_nimb_JiTongCaoZuoZhiChiKu
