#pragma once
// Controls that own child windows: the container base, which gives a default size from
// the client size it asks for, and the component panel, a generic container window with
// the container events.

#include "gui/win/CNimbWinControl.h"

namespace rg_nimb_MFCJieMian_base {

class CNimbWinContainer : public CNimbWinControl {
    NIMB_DECLARE_CONTROL(CNimbWinContainer, CNimbWinControl,
                         "rg_nimb_MFCJieMian_base::CNimbWinContainer")

    // Adds the control-parent extended style, so that dialog navigation enters it.
    void FillCreateParams(WndCreateParams& params) override;
    // The default size: the outer size of the default client size for the window's
    // styles (0 × 0 when there is none); records the size as the design size.
    void AdjustCreateParams(WndCreateParams& params) override;

    // The client size a default-sized window gets; none (0) here.
    virtual int32_t DefaultClientWidth() const;
    virtual int32_t DefaultClientHeight() const;
    // Creates the child controls, when the window is being created; nothing here.
    virtual void OnCreateChildren();

    int32_t DesignWidth = 0;
    int32_t DesignHeight = 0;
};

// A generic container window.
class rg_ZuJianBuJuQi : public CNimbWinContainer, public IContainerEventListener {
    NIMB_DECLARE_CONTROL(rg_ZuJianBuJuQi, CNimbWinContainer,
                         "rg_nimb_MFCJieMian_base::rg_ZuJianBuJuQi")

    // A payload with a container wrapper.
    rg_ZuJianBuJuQi();
    rg_ZuJianBuJuQi(const rg_ZuJianBuJuQi& other) = default;
    rg_ZuJianBuJuQi& operator=(const rg_ZuJianBuJuQi& other) = default;

    // Attaches the listener too, unless the wrapper has one.
    void FillCreateParams(WndCreateParams& params) override;
    void AttachListener() override;

    bool OnWindowMessage(CNimbMessageRecord& record) override;
    // Creates the children, then fires WindowCreated.
    void OnWindowCreated() override;
    void OnWindowDestroyed() override;
    void OnWindowGone() override;
    void OnResized() override;
    void OnShowChanged(bool shown) override;
    void OnMoved() override;
    // Fires MenuCommand; handled when its handler answered non-zero.
    bool OnCommand(uint32_t commandId) override;

    EventSlot<> WindowCreated;
    EventSlot<> WindowDestroyed;
    EventSlot<> WindowGone;
    EventSlot<> Moved;
    EventSlot<> Resized;
    EventSlot<> Shown;
    EventSlot<> Hidden;
    EventSlot<uint32_t> MenuCommand; // command id; non-zero: handled

protected:
    // For forms, which make their own wrapper.
    struct NoPayload {};
    explicit rg_ZuJianBuJuQi(NoPayload) noexcept {}
};

} // namespace rg_nimb_MFCJieMian_base
