#pragma once
// The base of every control object: a value-like handle on a window payload shared by all
// copies of the control, with the 17 events every control has and the frame in which
// every control creates its native window. Controls belong to the GUI thread; other
// threads may only set captions and list contents of controls whose windows exist, which
// reach the GUI thread as synchronous window messages.

#include "gui/EventListeners.h"
#include "gui/EventSlot.h"
#include "gui/win/CMfcWndObject.h"
#include "gui/win/WndCreateParams.h"
#include "runtime/CRefObject.h"
#include "runtime/CWString.h"
#include "runtime/rg_WenBenShuZuLei.h"

#include <cstdint>

// Declares a control class's record and its factory and copy: CreateInstance and Clone.
// Equality, assignment and reset are CNimbWinControl's, which handle the payload.
#define NIMB_DECLARE_CONTROL(Class, Base, Name)                                                    \
public:                                                                                            \
    NIMB_CLASS_RECORD(Class, Base, &NimbCreateInstance<Class>, Name)                               \
    CNimbObject* CreateInstance() const override {                                                 \
        return new Class();                                                                        \
    }                                                                                              \
    CNimbObject* Clone() const override {                                                          \
        return new Class(*this);                                                                   \
    }

namespace rg_nimb_MFCJieMian_base {

class CNWnd_Base;

class CNimbWinControl : public CNimbRefObject {
    NIMB_DECLARE_CONTROL(CNimbWinControl, CNimbRefObject,
                         "rg_nimb_MFCJieMian_base::CNimbWinControl")

    // No payload: the base classes are not used on their own.
    CNimbWinControl() noexcept = default;
    // Shares the payload and copies the value text; handlers stay with their object.
    CNimbWinControl(const CNimbWinControl& other) = default;
    CNimbWinControl& operator=(const CNimbWinControl& other) = default;
    // Detaches the listener, then releases the handlers' targets and the payload.
    ~CNimbWinControl() override;

    // Same class, NullObject bit and Tag, the same payload and equal value texts.
    bool IsEqual(const CNimbObject& other) const override;
    // From a control of this class or one derived from it: Flags, Tag, a share of its
    // payload and its value text; the handlers stay.
    bool AssignFrom(const CNimbObject& other) override;
    // No payload, an empty value text.
    void Reset() override;
    // The value text, when the stream is usable.
    void LoadFromStream(CNimbStreamReader& reader) override;
    void SaveToStream(CNimbStreamWriter& writer) const override;
    // Detaches the listener: a control being reassigned reports nothing any more.
    void OnBeforeChange() override;

    // Creates the native window: records the tag, fills and adjusts the parameters, lets
    // the wrapper create and complete the window, then OnNativeCreated. False without a
    // payload, when the window exists already, or when the platform refuses.
    virtual bool CreateNativeWindow(WndCreateParams& params);
    // Caption, styles and the 9-point font from the payload; the child bit by the parent.
    virtual void FillCreateParams(WndCreateParams& params);
    // Nothing here; containers and forms give the default size and place.
    virtual void AdjustCreateParams(WndCreateParams& params);
    // The font, the tab stop of windows that want keys, the border as asked, then the
    // Created event when an owner with a window is given.
    virtual void OnNativeCreated(CNWnd_Base& wrapper, WndCreateParams& params);
    // The base events of a window message; true when a handler consumed it.
    virtual bool OnNativeMessage(CNimbMessageRecord& record);
    // Connect or disconnect the control's listener interface and its wrapper; the base
    // class has none.
    virtual void AttachListener();
    virtual void DetachListener();
    virtual bool HasListener() const;

    // Sets the window text, or keeps it for the creation until the window exists; a
    // control without payload ignores it. Windows other than panels and forms are
    // repainted, background included.
    void SetCaption(const CWString& text);
    // Creates the window at the given place within `parent` (null: none, or one without
    // a window) with identifier `id`.
    bool CreateAt(CNimbWinControl* parent, int32_t x, int32_t y, int32_t width, int32_t height,
                  int32_t id);
    // Stores `handler` in `slot`, to run on the target of `pointer` (null unbinds).
    template <class... Args>
    static void BindEvent(EventSlot<Args...>& slot, typename EventSlot<Args...>::Handler handler,
                          CNimbEventObjectPointer* pointer, uint32_t userValue) {
        slot.Bind(handler, pointer, userValue);
    }

    CMfcWndObject* GetWndObject() const noexcept {
        return static_cast<CMfcWndObject*>(GetPayload());
    }
    // The native wrapper, or null without a payload.
    CNWnd_Base* GetNativeWnd() const noexcept;
    // The window, or null.
    HWND GetHwnd() const noexcept;

    CWString ValueText;

    // The base events, in their slot order. Mouse events: x and y in client coordinates,
    // then the key state; a non-zero result consumes the message.
    EventSlot<int32_t, int32_t, int32_t> LeftButtonDown;
    EventSlot<int32_t, int32_t, int32_t> LeftButtonUp;
    EventSlot<int32_t, int32_t, int32_t> LeftDoubleClick;
    EventSlot<int32_t, int32_t, int32_t> RightButtonDown;
    EventSlot<int32_t, int32_t, int32_t> RightButtonUp;
    EventSlot<int32_t, int32_t, int32_t> MiddleButtonDown;
    EventSlot<int32_t, int32_t, int32_t> MiddleButtonUp;
    EventSlot<int32_t, int32_t, int32_t> MouseMove;
    EventSlot<int32_t, int32_t> MouseWheel; // steps, key state
    EventSlot<int32_t, int32_t> KeyDown;    // key code, modifier bits
    EventSlot<int32_t, int32_t> KeyUp;
    EventSlot<> GotFocus;
    EventSlot<> LostFocus;
    // Negative consumes the character, positive replaces it, 0 lets it through.
    EventSlot<uint16_t> CharInput;
    // Every message, before all the others.
    EventSlot<HWND, uint32_t, uintptr_t, intptr_t, CNimbMessageRecord*> WindowMessage;
    EventSlot<CNimbWinControl*, int32_t> Created; // owner, id
    EventSlot<rg_nimb_base::rg_WenBenShuZuLei*> FilesDropped;

protected:
    // For AttachListener: makes `listener` (this object's interface) the wrapper's.
    void AttachInterface(IBaseEventListener* listener);

private:
    // What AttachInterface gave the wrapper, so that the destructor detaches exactly that.
    IBaseEventListener* Attached = nullptr;
};

} // namespace rg_nimb_MFCJieMian_base
