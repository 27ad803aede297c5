#pragma once
// Two small structured values, a position and a size, used by the form's size limits.

#include "runtime/CNimbStream.h"
#include "runtime/rg_KuoZhanDuiXiangLei.h"

#include <cstdint>

namespace rg_nimb_base {

// A position: horizontal, then vertical.
class rg_WeiZhiLei : public rg_KuoZhanDuiXiangLei {
    NIMB_DECLARE_CLASS(rg_WeiZhiLei, rg_KuoZhanDuiXiangLei, "rg_nimb_base::rg_WeiZhiLei")

    rg_WeiZhiLei() noexcept = default;
    rg_WeiZhiLei(int32_t x, int32_t y) noexcept : X(x), Y(y) {}

    bool IsEqual(const CNimbObject& other) const override;
    // Makes `out` "{ 横向位置: x; 纵向位置: y }".
    void DumpToText(CWString& out, int32_t limit) const override;
    void LoadFromStream(CNimbStreamReader& reader) override;
    void SaveToStream(CNimbStreamWriter& writer) const override;

    int32_t X = 0;
    int32_t Y = 0;
};

// A size: width, then height.
class rg_CheCunLei : public rg_KuoZhanDuiXiangLei {
    NIMB_DECLARE_CLASS(rg_CheCunLei, rg_KuoZhanDuiXiangLei, "rg_nimb_base::rg_CheCunLei")

    rg_CheCunLei() noexcept = default;
    rg_CheCunLei(int32_t width, int32_t height) noexcept : Width(width), Height(height) {}

    bool IsEqual(const CNimbObject& other) const override;
    // Makes `out` "{ 宽度: width; 高度: height }".
    void DumpToText(CWString& out, int32_t limit) const override;
    void LoadFromStream(CNimbStreamReader& reader) override;
    void SaveToStream(CNimbStreamWriter& writer) const override;

    int32_t Width = 0;
    int32_t Height = 0;
};

} // namespace rg_nimb_base
