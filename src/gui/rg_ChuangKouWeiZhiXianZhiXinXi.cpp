#include "gui/rg_ChuangKouWeiZhiXianZhiXinXi.h"

namespace rg_nimb_MFCJieMian_base {

bool rg_ChuangKouWeiZhiXianZhiXinXi::IsEqual(const CNimbObject& other) const {
    return CNimbObject::IsEqual(other) && &other == this;
}

void rg_ChuangKouWeiZhiXianZhiXinXi::LoadFromStream(CNimbStreamReader& reader) {
    if (!reader.IsGood())
        return;
    MaxSize.LoadFromStream(reader);
    MaxPosition.LoadFromStream(reader);
    MinTrackSize.LoadFromStream(reader);
    MaxTrackSize.LoadFromStream(reader);
}

void rg_ChuangKouWeiZhiXianZhiXinXi::SaveToStream(CNimbStreamWriter& writer) const {
    if (!writer.IsGood())
        return;
    MaxSize.SaveToStream(writer);
    MaxPosition.SaveToStream(writer);
    MinTrackSize.SaveToStream(writer);
    MaxTrackSize.SaveToStream(writer);
}

} // namespace rg_nimb_MFCJieMian_base
