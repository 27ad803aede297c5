#pragma once
// What every native wrapper of a control shares: the listener it reports to, the tag of
// its last creation, its filter chain, and the order in which a message passes them.

#include "gui/CNimbWindowProcFilters.h"
#include "gui/EventListeners.h"
#include "gui/win/CNimbWnd.h"

#include <cstdint>

namespace rg_nimb_MFCJieMian_base {

struct WndCreateParams;

class CNWnd_Base : public CNimbWnd {
public:
    // Offered to the windows above a default push button, up to the first form, which
    // makes it its default button and answers true.
    virtual bool TakeDefaultButton(int32_t id);
    // Creates the window from `params` after the class's own style rules
    // (PrepareCreation), with the class's window class, and completes it
    // (CompleteCreation). False when the platform refuses.
    virtual bool CreateFor(WndCreateParams& params);

    // The control's listener; set and cleared by the control, null when none listens.
    IBaseEventListener* Listener = nullptr;
    // Copied from the creation parameters at every creation attempt.
    int32_t NativeTag = -1;
    CNimbWindowProcFilters Filters;

protected:
    // A message's way through a wrapper: the private requests, the filters, the listener
    // (which may consume the message, change its parameters or destroy the window), the
    // reflection of a child's notification to the child, then the wrapper's own handling
    // (OnMessage).
    LRESULT WindowProc(UINT message, WPARAM first, LPARAM second) override;
    // The wrapper's own handling; the default is the window's own procedure.
    virtual LRESULT OnMessage(UINT message, WPARAM first, LPARAM second);
    // Whether the wrapper swallows `message` before a child's notification in it is
    // reflected to the child; nothing here.
    virtual bool SwallowsBeforeReflection(UINT message, WPARAM first, LPARAM second);
    // Whether the listener sees `message`: edit boxes and list views report their focus
    // through their own notifications instead.
    virtual bool ListenerSees(UINT message) const;
    // The answer to WMU_QUERY_TAG.
    virtual int32_t AnsweredTag() const { return NativeTag; }
    // The window class windows of this wrapper are created with.
    virtual const wchar_t* WindowClassName() const = 0;
    // Changes the parameters as the class's creation rules say; the default changes
    // nothing.
    virtual void PrepareCreation(WndCreateParams& params);
    // Runs once the window exists; the default does nothing.
    virtual void CompleteCreation(WndCreateParams& params);
};

} // namespace rg_nimb_MFCJieMian_base
