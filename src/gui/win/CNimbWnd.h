#pragma once
// The framework's window object: what an application framework's window class gives over
// raw Win32. One window procedure serves every wrapped window; it finds the wrapper from
// the window's very first message on, for the framework's own classes and for the
// system's (BUTTON, EDIT, list views) alike, and hands each message to the wrapper's
// WindowProc. Everything here belongs to the thread that created the window.

#include "runtime/CNimbObject.h"
#include "runtime/win/Win32.h"

#include <cstdint>

namespace rg_nimb_MFCJieMian_base {

class CNimbWnd : public CNimbCommonBaseWithMemManager {
public:
    CNimbWnd() noexcept;
    CNimbWnd(const CNimbWnd&) = delete;
    CNimbWnd& operator=(const CNimbWnd&) = delete;
    // A window still attached is let go of first (its messages go to its own procedure
    // again) and then destroyed.
    virtual ~CNimbWnd();

    HWND GetHwnd() const noexcept { return Hwnd; }
    bool HasWindow() const noexcept { return Hwnd != nullptr; }

    // Creates a window with CreateWindowExW and attaches this wrapper to it while it is
    // being created, so that the wrapper sees WM_NCCREATE and WM_CREATE. `menuOrId` is the
    // menu of a top-level window or the identifier of a child. False when a window is
    // attached already or the platform refuses to create one.
    bool CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style, int x,
                  int y, int width, int height, HWND parent, HMENU menuOrId);
    // Creates a modeless dialog from an in-memory template, attached as CreateEx attaches
    // windows. False when a window is attached already or the platform refuses.
    bool CreateDialogFrom(const void* dialogTemplate, HWND owner);
    // Destroys the attached window, if any.
    void DestroyWindow();

    // The wrapper attached to `window`, or null.
    static CNimbWnd* FromHandle(HWND window) noexcept;

    // Deletes the wrapper, at once when none of its messages is being handled, else as
    // soon as the outermost one returns: a handler may destroy its own control.
    void Delete();

    // The number of wrappers alive in the process, for checks that nothing leaks.
    static int64_t LiveCount() noexcept;

protected:
    // The wrapper's processing of one message. The default offers the notifications a
    // child sends its parent to the child's wrapper first (OnReflected), then passes the
    // message to the window's own procedure (CallDefault).
    virtual LRESULT WindowProc(UINT message, WPARAM first, LPARAM second);
    // Whether the window the creation hook sees is this wrapper's: the one created with
    // this wrapper as its creation parameter.
    virtual bool AcceptsCreation(const CREATESTRUCTW& creation) const;
    // The window's own procedure: its class's, or the default one.
    LRESULT CallDefault(UINT message, WPARAM first, LPARAM second);
    // WM_COMMAND from a control, WM_NOTIFY and WM_CTLCOLOR* as the parent received them,
    // offered to the control's own wrapper; true when it handled them, with `result`.
    virtual bool OnReflected(UINT message, WPARAM first, LPARAM second, LRESULT& result);
    // Offers a parent's notification to the child it concerns; true when the child's
    // wrapper handled it.
    static bool ReflectToChild(UINT message, WPARAM first, LPARAM second, LRESULT& result);
    // Runs once after the window's last message (WM_NCDESTROY) has been handled, when no
    // message of the wrapper is in progress any more. The wrapper may be deleted in it.
    virtual void OnFinalMessage() {}

private:
    static LRESULT CALLBACK StaticWindowProc(HWND window, UINT message, WPARAM first,
                                             LPARAM second);
    static LRESULT CALLBACK CreationHook(int code, WPARAM first, LPARAM second);
    bool Park(CNimbWnd*& saved);
    void Attach(HWND window);
    void Detach();
    void EndMessage();

    HWND Hwnd = nullptr;
    WNDPROC OriginalProc = nullptr;
    int32_t Depth = 0; // messages of this wrapper in progress
    bool Gone = false; // WM_NCDESTROY seen; OnFinalMessage not run yet
    bool DeletePending = false;
};

} // namespace rg_nimb_MFCJieMian_base
