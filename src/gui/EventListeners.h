#pragma once
// The interfaces through which a native window wrapper reports what happened to the
// control it serves. The control implements them and turns each call into framework work
// and event firings; a wrapper without a listener reports nothing.

#include <cstdint>

namespace rg_nimb_MFCJieMian_base {

class rg_ChuangKouWeiZhiXianZhiXinXi;

// One window message. A receiver may change the parameters; the wrapper then goes on with
// the changed values. Window handles are the platform's, carried as untyped pointers.
struct CNimbMessageRecord {
    void* Window;
    uint32_t Message;
    uintptr_t First;
    intptr_t Second;
};

class IBaseEventListener {
public:
    // Every message of the window, before the wrapper handles it; true when consumed.
    virtual bool OnWindowMessage(CNimbMessageRecord& record) = 0;

protected:
    ~IBaseEventListener() = default;
};

class IButtonEventListener : public IBaseEventListener {
public:
    virtual void OnClicked() = 0;

protected:
    ~IButtonEventListener() = default;
};

class ILabelEventListener : public IBaseEventListener {
public:
    virtual intptr_t OnLabelNotify(uintptr_t first, intptr_t second) = 0;

protected:
    ~ILabelEventListener() = default;
};

class IEditEventListener : public IBaseEventListener {
public:
    virtual void OnChanged() = 0;
    // `direction` -1 for a press down, +1 for a press up.
    virtual void OnSpin(int32_t direction) = 0;

protected:
    ~IEditEventListener() = default;
};

class ITimerEventListener : public IBaseEventListener {
public:
    virtual void OnTimer() = 0;

protected:
    ~ITimerEventListener() = default;
};

class IContainerEventListener : public IBaseEventListener {
public:
    virtual void OnWindowCreated() = 0;
    virtual void OnWindowDestroyed() = 0;
    // After the last message of the window.
    virtual void OnWindowGone() = 0;
    virtual void OnResized() = 0;
    virtual void OnShowChanged(bool shown) = 0;
    virtual void OnMoved() = 0;
    // A menu or accelerator command; true when handled.
    virtual bool OnCommand(uint32_t commandId) = 0;

protected:
    ~IContainerEventListener() = default;
};

class IWinFormEventListener : public IContainerEventListener {
public:
    // True when the message is consumed.
    virtual bool OnPreTranslate(CNimbMessageRecord& record) = 0;
    // True when closing is allowed.
    virtual bool OnQueryClose() = 0;
    virtual bool OnCloseRequest() = 0;
    virtual void OnFirstActivate() = 0;
    virtual void OnActivate() = 0;
    virtual void OnDeactivate() = 0;
    // `kind`: 1 left button released, 2 left double click, 3 right button released or
    // context menu.
    virtual void OnTrayNotify(int32_t kind) = 0;
    virtual void OnMenuSelect(uint32_t itemId) = 0;
    // True when the limits as the form's handler changed them apply.
    virtual bool OnGetMinMaxInfo(rg_ChuangKouWeiZhiXianZhiXinXi& limits) = 0;
    virtual void OnModalStart() = 0;

protected:
    ~IWinFormEventListener() = default;
};

} // namespace rg_nimb_MFCJieMian_base
