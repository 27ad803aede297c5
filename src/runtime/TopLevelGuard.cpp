#include "runtime/TopLevelGuard.h"

#include "runtime/CNimbException.h"
#include "runtime/Platform.h"

#include <atomic>

namespace {

void ShowMessageBox(const CWString& message, const CWString& caption) {
    Platform::ShowErrorMessage(message.GetText(), caption.GetText());
}

std::atomic<CNimbErrorDisplay> Display{&ShowMessageBox};

[[noreturn]] void ReportAndEnd(const CWString& message) {
    Display.load()(message, CWConstString(u"运行时异常"));
    Platform::EndProcess(-1);
}

} // namespace

CNimbErrorDisplay SetRuntimeErrorDisplay(CNimbErrorDisplay display) noexcept {
    return Display.exchange(display != nullptr ? display : &ShowMessageBox);
}

int RunGuarded(const std::function<int()>& run) {
    if (Platform::IsDebuggerAttached())
        return run();
    try {
        return run();
    } catch (const CNimbException& error) {
        CWString message;
        message.Format(u"俘获到异常,代码值为: %d, 描述为: %s", error.Code, error.Message);
        ReportAndEnd(message);
    } catch (...) {
        ReportAndEnd(CWConstString(u"程序在运行时抛出了未被管理的异常"));
    }
}
