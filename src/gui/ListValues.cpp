#include "gui/ListValues.h"

#include "runtime/CNimbStream.h"

namespace rg_nimb_MFCJieMian_KuoZhanZuJian {

bool rg_ChaoJiLieBiaoKuangHuiZhiCanShu::IsEqual(const CNimbObject& other) const {
    if (!CNimbObject::IsEqual(other))
        return false;
    const auto& cell = static_cast<const rg_ChaoJiLieBiaoKuangHuiZhiCanShu&>(other);
    return Item == cell.Item && SubItem == cell.SubItem && CellTextColor == cell.CellTextColor &&
           CellBackColor == cell.CellBackColor;
}

bool rg_ChaoJiLieBiaoKuangBiaoXiangTianChong::IsEqual(const CNimbObject& other) const {
    if (!CNimbObject::IsEqual(other))
        return false;
    const auto& fill = static_cast<const rg_ChaoJiLieBiaoKuangBiaoXiangTianChong&>(other);
    return Item == fill.Item && SubItem == fill.SubItem && Text.HasSameText(fill.Text) &&
           Data == fill.Data && Image == fill.Image && StateImage == fill.StateImage;
}

void rg_ChaoJiLieBiaoKuangBiaoXiangTianChong::LoadFromStream(CNimbStreamReader& reader) {
    reader.ReadExact(&Item, sizeof Item);
    reader.ReadExact(&SubItem, sizeof SubItem);
    Text.LoadFromStream(reader);
    reader.ReadExact(&Data, sizeof Data);
    reader.ReadExact(&Image, sizeof Image);
    reader.ReadExact(&StateImage, sizeof StateImage);
}

void rg_ChaoJiLieBiaoKuangBiaoXiangTianChong::SaveToStream(CNimbStreamWriter& writer) const {
    writer.WriteBytes(&Item, sizeof Item);
    writer.WriteBytes(&SubItem, sizeof SubItem);
    Text.SaveToStream(writer);
    writer.WriteBytes(&Data, sizeof Data);
    writer.WriteBytes(&Image, sizeof Image);
    writer.WriteBytes(&StateImage, sizeof StateImage);
}

} // namespace rg_nimb_MFCJieMian_KuoZhanZuJian
