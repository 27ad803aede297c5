#pragma once
// The native window of a form: a container window of its own class with a frame made from
// the form's properties, created as an ordinary top-level or child window or shown modally
// inside a host dialog. It gives the form its keyboard behaviour (Esc, Enter and the
// default button, Tab in edit boxes, clipboard keys, accelerators, F1, dragging by the
// client area), asks the form before closing, and reports activation, menus, the tray
// icon and size limits to the form's listener. Everything runs on the GUI thread.

#include "gui/FormRules.h"
#include "gui/win/CNWnd_Container.h"
#include "runtime/CWString.h"

#include <cstdint>

namespace rg_nimb_MFCJieMian_base {

class CRefNimbMenu;
class IWinFormEventListener;

// The window that counts as the application's main window: the reference for placing
// forms without a parent, and the modal host's while it runs and there is none. Null when
// there is none.
HWND GetNimbMainWindow() noexcept;
void SetNimbMainWindow(HWND window) noexcept;

class CNWnd_WinForm : public CNWnd_Container {
public:
    ~CNWnd_WinForm() override;

    HWND HostDialog = nullptr; // the modal host's window while hosted
    int32_t ActivatedOnce = 0; // activated since the window was created
    int32_t InActivation = 0;  // the activation handling is running
    int32_t HelpOpen = 0;      // F1 opened the help viewer
    int32_t DefaultButtonId = 0;
    int32_t EnterPending = 0;         // an Enter key is in the dialog-key processing
    CRefNimbMenu* FormMenu = nullptr; // counted
    HICON TrayIcon = nullptr;         // owned; removed and destroyed with the window
    int64_t BorderStyle = 2;
    int32_t ControlBox = 1;
    int32_t MaxButton = 0;
    int32_t MinButton = 1;
    int64_t StartPosition = 0;
    int32_t Movable = 1;
    HICON Icon = nullptr; // the program's icon 100 when none is given
    int32_t EscCloses = 1;
    CWString HelpFile;
    int64_t HelpContext = 0;
    int32_t DragByClient = 0;
    int64_t Shape = 0; // 0 rectangle, 1 ellipse, 2 rounded rectangle
    int32_t TopMost = 0;
    int32_t KeepActiveLook = 0;
    CWString ClassName; // empty: "NimbWinForm"

    // The style properties as the form rules read them.
    CNimbFormFrame Frame() const noexcept;
    // The host while hosted, else the form's own window.
    HWND FrameWindow() const noexcept;

    // Creation: the place by the reference monitor and StartPosition, then an ordinary
    // window or, with Modal, a run inside a host dialog that returns when it ends.
    bool CreateFor(WndCreateParams& params) override;
    // The ordinary creation, also of the window inside the host.
    bool CreateOrdinary(WndCreateParams& params);
    // Shows `icon` (taken over) in the notification area; its mouse messages come back as
    // WMU_TRAY_NOTIFY. False without a window.
    bool AddTrayIcon(HICON icon, const char16_t* tip);
    // Replaces the form's menu by `menu` (a reference is taken; null removes it).
    void SetFormMenu(CRefNimbMenu* menu);
    // Brings the frame's title-bar bits in line with the properties and its text.
    void UpdateTitleBar();
    // Sets the frame window's region by Shape.
    void ApplyShape();
    // The form's keyboard handling of a message meant for it or its descendants; true
    // when consumed.
    bool HandleKeyboard(MSG& message);
    // The form's close questions; true when both allow closing.
    bool AskToClose();
    // Fills the platform's limits record through the listener.
    void QuerySizeLimits(MINMAXINFO& limits);
    // The item of a menu selection, told to the listener.
    void ReportMenuSelect(WPARAM first);

    bool TakeDefaultButton(int32_t id) override;

protected:
    const wchar_t* WindowClassName() const override;
    bool SwallowsBeforeReflection(UINT message, WPARAM first, LPARAM second) override;
    LRESULT OnMessage(UINT message, WPARAM first, LPARAM second) override;
    LRESULT OnPreTranslate(MSG& message) override;

private:
    IWinFormEventListener* FormListener() const;
    void OnDestroy();
    void OnActivate(WPARAM first);
    LRESULT OnDefaultIdRequest(WPARAM first, LPARAM second);
    void PlaceByStartPosition(HWND frame, bool child);
};

} // namespace rg_nimb_MFCJieMian_base
