#pragma once
// The rules of form windows that need no window: their style from their properties, their
// default place, the frame of the modal host, the shape's corners, the host's dialog
// template, the help file's path, and how tray and menu notifications are read.

#include "gui/PictureGeometry.h"
#include "runtime/CNimbMem.h"
#include "runtime/CWString.h"

#include <cstdint>

// The title forms carry when they are given none, and which counts as no title.
inline constexpr char16_t kNimbApplicationTitle[] = u"kqv-硬件信息获取工具";

// Window style bits the rules name.
namespace NimbStyle {
constexpr uint32_t Popup = 0x80000000;
constexpr uint32_t Child = 0x40000000;
constexpr uint32_t Minimised = 0x20000000;
constexpr uint32_t Visible = 0x10000000;
constexpr uint32_t ClipChildren = 0x02000000;
constexpr uint32_t Maximised = 0x01000000;
constexpr uint32_t Caption = 0x00C00000;
constexpr uint32_t Border = 0x00800000;
constexpr uint32_t DialogFrame = 0x00400000;
constexpr uint32_t SystemMenu = 0x00080000;
constexpr uint32_t SizingFrame = 0x00040000;
constexpr uint32_t MinimiseBox = 0x00020000;
constexpr uint32_t MaximiseBox = 0x00010000;
constexpr uint32_t Centred = 0x0800;    // of a dialog
constexpr uint32_t ModalFrame = 0x0080; // of a dialog
constexpr uint32_t ExToolWindow = 0x0080;
constexpr uint32_t ExClientEdge = 0x0200;
} // namespace NimbStyle

// The properties the style rules read.
struct CNimbFormFrame {
    int64_t BorderStyle = 2; // 0 none, 1 resizable, 2 fixed, 3/4 tool windows, 5/6 sunken
    int32_t ControlBox = 1;
    int32_t MaxButton = 0;
    int32_t MinButton = 1;
    int64_t StartPosition = 0; // 0 normal, 1 centred, 2 minimised, 3 maximised
};

// Adds a form's bits to the style and extended style it is created with; `captionEmpty`
// is whether it has a caption after the application title was put in.
void AddFormStyle(const CNimbFormFrame& frame, bool captionEmpty, uint32_t& style,
                  uint32_t& exStyle) noexcept;

// The title-bar bits (within 0xCB0000) a form's frame window should have; `text` is the
// frame window's text.
uint32_t TitleBarBits(const CNimbFormFrame& frame, const char16_t* text) noexcept;

// The coordinate that centres `size` between `low` and `high`, as integer halves.
int32_t CentredIn(int32_t low, int32_t high, int32_t size) noexcept;

// The modal host's client rectangle: the form's rectangle (x, y, width, height) less the
// frame that the platform's adjustment grew (200, 200, 300, 300) into `grown`.
CNimbRect HostClientRect(const CNimbRect& grown, int32_t x, int32_t y, int32_t width,
                         int32_t height) noexcept;

// The corner ellipse of a rounded form of `width` × `height`.
int32_t RoundedCorner(int32_t width, int32_t height) noexcept;

// The style of the modal host's template for a form of `formStyle`.
uint32_t HostTemplateStyle(uint32_t formStyle, bool fixedFrame) noexcept;

// An in-memory dialog template without items: the header, no menu, the default class,
// the title with its terminator, aligned as the platform wants it.
CNimbMem DialogTemplate(uint32_t style, uint32_t exStyle, const char16_t* title);

// The help file a form opens on F1: `helpFile` itself when it is absolute (it begins with
// a backslash, or with a letter, a colon and a backslash), else relative to
// `programDirectory` (ending in a backslash); "." segments go, ".." ones climb.
CWString ResolveHelpPath(const CWString& programDirectory, const CWString& helpFile);

// The kind a tray icon's mouse message reports: 1 left button up, 2 left double click,
// 3 right button up or context menu; 0 for anything else.
int32_t TrayNotifyKind(uint32_t mouseMessage) noexcept;

// The item a menu selection reports: 0 when the menu closed (flags 0xFFFF) or the item is
// a popup or belongs to the system menu.
uint32_t MenuSelectItem(uint32_t item, uint32_t flags) noexcept;
