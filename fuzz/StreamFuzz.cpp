// Loading every streamable runtime class from any bytes.

#include "runtime/CNimbBaseDataType.h"
#include "runtime/CNimbException.h"
#include "runtime/CNimbMemoryStream.h"
#include "runtime/rg_WeiZhiLei.h"
#include "runtime/rg_WenBenShuZuLei.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CNimbMemoryStream stream(data, static_cast<int64_t>(size), size % 7);
    CNimbStreamReader reader(&stream);
    CWString text;
    CNimbMem bytes;
    rg_nimb_base::rg_WenBenShuZuLei texts;
    rg_nimb_base::rg_ChangZhengShuShuZuLei numbers;
    CNimbException error;
    rg_nimb_base::rg_XiaoShuLei real;
    rg_nimb_base::rg_WeiZhiLei position;
    CNimbObject* objects[] = {&text, &bytes, &texts, &numbers, &error, &real, &position};
    for (CNimbObject* object : objects)
        object->LoadFromStream(reader);
    // Whatever was loaded must be usable.
    CWString dump;
    for (CNimbObject* object : objects)
        object->DumpToText(dump, -1);
    return 0;
}
