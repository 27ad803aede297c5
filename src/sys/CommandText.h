#pragma once
// The text rules of the console command runner: where a command's program lives, how the
// bytes it prints become text, and how collected output is kept within its bound.

#include "runtime/CNimbMem.h"
#include "runtime/CWString.h"

namespace rg_nimb_JiTongCaoZuoZhiChiKu {

// Directory of the program a command line starts with: the path up to and including
// its last backslash (a quoted path runs to the closing quote), or empty.
CWString rg_command_directory(const CWString& commandLine);

// The bytes up to the first zero byte, decoded from the system ANSI code page.
CWString rg_ansi_bytes_to_text(const CNimbMem& bytes);

// Keeps a text buffer (UTF-16, as rg_read_pipe_text collects it) within 65535 bytes by
// dropping whole lines from its start; with no line feed at all it is emptied.
void rg_drop_leading_lines(CNimbMem& text);

} // namespace rg_nimb_JiTongCaoZuoZhiChiKu
