#pragma once
// A form's size limits as its MinMaxQuery handler sees and changes them.

#include "runtime/rg_WeiZhiLei.h"

namespace rg_nimb_MFCJieMian_base {

class rg_ChuangKouWeiZhiXianZhiXinXi : public CNimbObject {
    NIMB_DECLARE_CLASS(rg_ChuangKouWeiZhiXianZhiXinXi, CNimbObject,
                       "rg_nimb_MFCJieMian_base::rg_ChuangKouWeiZhiXianZhiXinXi")

    // Only the very same object is equal.
    bool IsEqual(const CNimbObject& other) const override;
    // The four values in order, each by its own class, when the stream is usable.
    void LoadFromStream(CNimbStreamReader& reader) override;
    void SaveToStream(CNimbStreamWriter& writer) const override;

    rg_nimb_base::rg_CheCunLei MaxSize;      // of the maximised window
    rg_nimb_base::rg_WeiZhiLei MaxPosition;  // of the maximised window
    rg_nimb_base::rg_CheCunLei MinTrackSize; // smallest the user can drag to
    rg_nimb_base::rg_CheCunLei MaxTrackSize; // largest the user can drag to
};

} // namespace rg_nimb_MFCJieMian_base
