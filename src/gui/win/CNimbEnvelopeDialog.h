#pragma once
// The modal host of a form: a dialog made from an in-memory template, with the form's
// window as its only child. Its run goes through the framework's own message loop, so
// pre-translation and the form's keyboard handling work while it lasts; the owner is
// disabled for the run and enabled again before the host goes.

#include "gui/win/CNWnd_Base.h"

#include <cstdint>

namespace rg_nimb_MFCJieMian_base {

class CNWnd_WinForm;
struct WndCreateParams;

class CNimbEnvelopeDialog : public CNWnd_Base {
public:
    CNimbEnvelopeDialog(CNWnd_WinForm& form, WndCreateParams& params) noexcept
        : Form(form), Params(params) {}

    // Shows `form` modally by `params` and returns when the run ends, with its result in
    // the parameters' ModalResult; true.
    static bool Run(CNWnd_WinForm& form, WndCreateParams& params);

    CNWnd_WinForm& Form;
    WndCreateParams& Params;
    int32_t HostDestroyed = 0;

protected:
    const wchar_t* WindowClassName() const override;
    bool AcceptsCreation(const CREATESTRUCTW& creation) const override;
    int32_t AnsweredTag() const override { return -1; }
    LRESULT OnMessage(UINT message, WPARAM first, LPARAM second) override;

private:
    void Initialise();
    void EndRun(int32_t result);
    void PaintMinimised();

    int32_t Result = -1;
    bool Ended = false;
    bool MainWindowMine = false;
};

} // namespace rg_nimb_MFCJieMian_base
