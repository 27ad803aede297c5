#pragma once
// The objects a super list box hands its CellDraw and ItemFill handlers: the colours of
// one cell about to be drawn, and the data of one item the list asks for.

#include "runtime/CWString.h"

#include <cstdint>

namespace rg_nimb_MFCJieMian_KuoZhanZuJian {

class rg_ChaoJiLieBiaoKuangHuiZhiCanShu : public CNimbObject {
    NIMB_DECLARE_CLASS(rg_ChaoJiLieBiaoKuangHuiZhiCanShu, CNimbObject,
                       "rg_nimb_MFCJieMian_KuoZhanZuJian::rg_ChaoJiLieBiaoKuangHuiZhiCanShu")

    // All four fields equal.
    bool IsEqual(const CNimbObject& other) const override;

    int32_t Item = 0;
    int32_t SubItem = 0;
    uint32_t CellTextColor = 0;
    uint32_t CellBackColor = 0;
};

class rg_ChaoJiLieBiaoKuangBiaoXiangTianChong : public CNimbObject {
    NIMB_DECLARE_CLASS(rg_ChaoJiLieBiaoKuangBiaoXiangTianChong, CNimbObject,
                       "rg_nimb_MFCJieMian_KuoZhanZuJian::rg_ChaoJiLieBiaoKuangBiaoXiangTianChong")

    // Every field equal, the texts character by character.
    bool IsEqual(const CNimbObject& other) const override;
    // The fields in order: the two indices, the text, the data, the two images.
    void LoadFromStream(CNimbStreamReader& reader) override;
    void SaveToStream(CNimbStreamWriter& writer) const override;

    int32_t Item = 0;
    int32_t SubItem = 0;
    CWString Text;
    int64_t Data = 0;
    int32_t Image = -1;
    int32_t StateImage = -1; // -1: none
};

} // namespace rg_nimb_MFCJieMian_KuoZhanZuJian
