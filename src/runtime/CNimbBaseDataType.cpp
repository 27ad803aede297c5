#include "runtime/CNimbBaseDataType.h"

#include "runtime/CPoolMem.h"
#include "runtime/NumberText.h"

// Every value wrapper takes one pool block.
static_assert(sizeof(rg_nimb_base::rg_ZhengShuLei) <= CPoolMem::BlockSize);
static_assert(sizeof(rg_nimb_base::rg_LuoJiXingLei) <= CPoolMem::BlockSize);
static_assert(sizeof(rg_nimb_base::rg_ZiFuLei) <= CPoolMem::BlockSize);
static_assert(sizeof(rg_nimb_base::rg_ChangZhengShuLei) <= CPoolMem::BlockSize);
static_assert(sizeof(rg_nimb_base::rg_ChanJingDuXiaoShuLei) <= CPoolMem::BlockSize);
static_assert(sizeof(rg_nimb_base::rg_XiaoShuLei) <= CPoolMem::BlockSize);
static_assert(sizeof(rg_nimb_base::rg_BianZhengShuLei) <= CPoolMem::BlockSize);
static_assert(sizeof(rg_nimb_base::rg_DuanZhengShuLei) <= CPoolMem::BlockSize);
static_assert(sizeof(rg_nimb_base::rg_ZiJieLei) <= CPoolMem::BlockSize);

void AppendValueText(CWString& out, int32_t value) {
    out.AppendFormat(u"%d", value);
}

void AppendValueText(CWString& out, char16_t value) {
    out.AppendChar(value);
}

void AppendValueText(CWString& out, int64_t value) {
    out.Append(Int64ToText(value));
}

void AppendValueText(CWString& out, float value) {
    out.AppendFloat(value);
}

void AppendValueText(CWString& out, double value) {
    out.AppendDouble(value);
}

void AppendValueText(CWString& out, int16_t value) {
    out.AppendFormat(u"%d", static_cast<int32_t>(value));
}

void AppendValueText(CWString& out, int8_t value) {
    out.AppendFormat(u"%d", static_cast<int32_t>(value));
}
