#include "runtime/rg_WeiZhiLei.h"

#include "runtime/CPoolMem.h"
#include "runtime/CWString.h"

static_assert(sizeof(rg_nimb_base::rg_WeiZhiLei) <= CPoolMem::BlockSize);
static_assert(sizeof(rg_nimb_base::rg_CheCunLei) <= CPoolMem::BlockSize);

namespace rg_nimb_base {

namespace {

// "{ first: a; second: b }", replacing `out` with Flags and Tag included.
void DumpPair(CWString& out, const char16_t* first, int32_t a, const char16_t* second, int32_t b) {
    CWString text;
    text.Format(u"{ %s: %d; %s: %d }", first, a, second, b);
    out = static_cast<CWString&&>(text);
}

void LoadPair(CNimbStreamReader& reader, int32_t& a, int32_t& b) {
    if (reader.ReadExact(&a, sizeof a))
        reader.ReadExact(&b, sizeof b);
}

void SavePair(CNimbStreamWriter& writer, int32_t a, int32_t b) {
    if (writer.WriteBytes(&a, sizeof a))
        writer.WriteBytes(&b, sizeof b);
}

} // namespace

bool rg_WeiZhiLei::IsEqual(const CNimbObject& other) const {
    if (!CNimbObject::IsEqual(other))
        return false;
    const auto& position = static_cast<const rg_WeiZhiLei&>(other);
    return X == position.X && Y == position.Y;
}

void rg_WeiZhiLei::DumpToText(CWString& out, int32_t) const {
    DumpPair(out, u"横向位置", X, u"纵向位置", Y);
}

void rg_WeiZhiLei::LoadFromStream(CNimbStreamReader& reader) {
    LoadPair(reader, X, Y);
}

void rg_WeiZhiLei::SaveToStream(CNimbStreamWriter& writer) const {
    SavePair(writer, X, Y);
}

bool rg_CheCunLei::IsEqual(const CNimbObject& other) const {
    if (!CNimbObject::IsEqual(other))
        return false;
    const auto& size = static_cast<const rg_CheCunLei&>(other);
    return Width == size.Width && Height == size.Height;
}

void rg_CheCunLei::DumpToText(CWString& out, int32_t) const {
    DumpPair(out, u"宽度", Width, u"高度", Height);
}

void rg_CheCunLei::LoadFromStream(CNimbStreamReader& reader) {
    LoadPair(reader, Width, Height);
}

void rg_CheCunLei::SaveToStream(CNimbStreamWriter& writer) const {
    SavePair(writer, Width, Height);
}

} // namespace rg_nimb_base
