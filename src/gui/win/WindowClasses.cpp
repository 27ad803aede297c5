#include "gui/win/WindowClasses.h"

namespace rg_nimb_MFCJieMian_base {

bool RegisterFrameworkClass(const wchar_t* name) {
    if (name == nullptr || name[0] == 0)
        name = kWindowClass;
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW existing = {};
    existing.cbSize = sizeof existing;
    if (::GetClassInfoExW(instance, name, &existing))
        return true;
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = &::DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    windowClass.lpszClassName = name;
    return ::RegisterClassExW(&windowClass) != 0;
}

} // namespace rg_nimb_MFCJieMian_base
