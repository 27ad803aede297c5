#pragma once
// The guard around the whole program run: the one place that catches the runtime's
// error object, reports it and ends the process.

#include "runtime/CWString.h"

#include <functional>

// Shows a run-time error to the user. The program shows a message box; tests put in
// their own display to observe what would be shown.
using CNimbErrorDisplay = void (*)(const CWString& message, const CWString& caption);

// Installs `display` (null restores the message box) and returns the one it replaces.
CNimbErrorDisplay SetRuntimeErrorDisplay(CNimbErrorDisplay display) noexcept;

// Runs `run` and returns its result. A CNimbException escaping it is shown as
// "俘获到异常,代码值为: %d, 描述为: %s", anything else as "程序在运行时抛出了未被管理的异常",
// both titled "运行时异常"; then the process ends with exit code -1. With a debugger
// attached the run is not guarded, so that the debugger sees the exception.
int RunGuarded(const std::function<int()>& run);
