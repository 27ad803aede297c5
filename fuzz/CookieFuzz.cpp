// Reducing any Set-Cookie value.

#include "FuzzInput.h"
#include "net/rg_WangYeFangWenXiangYingLei_n.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    rg_nimb_Kovra::SetCookieToCookie(TextOf(data, size));
    return 0;
}
