// Parsing any text and asking it for members, plain and by pointer.

#include "FuzzInput.h"
#include "net/rg_JSONDuiXiangLei_n.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    rg_nimb_Kovra::rg_JSONDuiXiangLei_n json;
    json.ParseText(TextOf(data, size));
    for (const char16_t* key : {u"ip", u"ret", u"/ip", u"/a/0", u"", u"/"})
        json.GetMemberText(CWConstString(key));
    rg_nimb_Kovra::rg_JSONDuiXiangLei_n copy(json);
    return 0;
}
