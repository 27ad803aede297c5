#pragma once
// The value classes that carry a WMI result set: one for processors, one for disk
// drives. Copies share the result set; the last holder releases it.

#include "sys/win/WmiClient.h"

namespace rg_nimb_JiTongCaoZuoZhiChiKu {

// What both classes are: a handle on a counted payload that is never null.
class CWmiResultHolder : public CNimbObject {
public:
    // A fresh payload with no result set and no current object.
    CWmiResultHolder() : Payload(new CWmiPayload()) {}
    CWmiResultHolder(const CWmiResultHolder& other) noexcept
        : CNimbObject(other), Payload(other.Payload) {
        Payload->AddRef();
    }
    CWmiResultHolder& operator=(const CWmiResultHolder& other) noexcept;
    ~CWmiResultHolder() override { Payload->Release(); }

    // Same class, NullObject bit and Tag, and the very same payload.
    bool IsEqual(const CNimbObject& other) const override;

    CWmiPayload& GetPayload() const noexcept { return *Payload; }

    // Loads the first object of the query `kind` into this object, as the fetch action
    // does: a fresh payload gets the result set and its first object, then this object
    // takes it over (releasing its old payload).
    template <class Self>
    static void Fill(Self& self, int32_t kind) {
        Self fresh;
        fresh.Payload->Data.ResultSet.Reset(rg_wmi_query(kind));
        rg_wmi_next(*fresh.Payload);
        self.AssignFrom(fresh);
    }

private:
    CWmiPayload* Payload;
};

// System CPU information.
class rg_JiTongCPUXinXiLei : public CWmiResultHolder {
    NIMB_DECLARE_CLASS(rg_JiTongCPUXinXiLei, CNimbObject,
                       "rg_nimb_JiTongCaoZuoZhiChiKu::rg_JiTongCPUXinXiLei")
};

// System disk information.
class rg_JiTongYingPanXinXiLei : public CWmiResultHolder {
    NIMB_DECLARE_CLASS(rg_JiTongYingPanXinXiLei, CNimbObject,
                       "rg_nimb_JiTongCaoZuoZhiChiKu::rg_JiTongYingPanXinXiLei")
};

} // namespace rg_nimb_JiTongCaoZuoZhiChiKu
