// Splitting any text as a URL, with every flag the system passes.

#include "FuzzInput.h"
#include "net/rg_WangLaoURLZuJianXinXiLei_n.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const CWString url = TextOf(data, size);
    rg_nimb_Kovra::rg_WangLaoURLZuJianXinXiLei_n parts;
    for (uint32_t flags :
         {0u, uint32_t{rg_nimb_Kovra::rg_url_escape}, uint32_t{rg_nimb_Kovra::rg_url_decode},
          uint32_t{rg_nimb_Kovra::rg_url_reject_userpwd}})
        rg_nimb_Kovra::CrackUrlPortable(url, parts, flags);
    return 0;
}
