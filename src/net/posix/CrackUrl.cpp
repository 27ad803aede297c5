// Away from Windows the platform-free splitter is the splitter.

#include "net/rg_WangLaoURLZuJianXinXiLei_n.h"

namespace rg_nimb_Kovra {

int32_t CrackUrl(const CWString& url, rg_WangLaoURLZuJianXinXiLei_n& parts, uint32_t flags) {
    return CrackUrlPortable(url, parts, flags);
}

} // namespace rg_nimb_Kovra
