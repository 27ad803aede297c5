#pragma once
// Running console programs hidden and capturing what they print, converted from the
// system ANSI code page.

#include "sys/CommandText.h"

#include <cstdint>

namespace rg_nimb_JiTongCaoZuoZhiChiKu {

// What a progress callback of rg_execute_command_line is told.
struct CommandProgress {
    uint32_t elapsed; // milliseconds since the start
    int64_t finished; // 0 while the child runs, 1 on the last call after it ended
    const char16_t* command;
    const CNimbMem* output; // standard output so far: UTF-16, zero-terminated
    const CNimbMem* error;  // standard error so far, likewise
    intptr_t user1;
    intptr_t user2;
};

// Callback results.
enum : int32_t { rg_command_continue = 0, rg_command_stop = 1, rg_command_abort = 2 };

// The caller's callback record; a null callback counts as none.
struct CommandCallback {
    int32_t (*callback)(CommandProgress* progress);
    uint32_t interval; // least milliseconds between two progress calls
    intptr_t user1;
    intptr_t user2;
};

// Results of rg_execute_command_line.
enum : int32_t {
    rg_command_ended = 0,      // the child ended, or the callback asked to stop
    rg_command_failed = -1,    // empty command line, or no pipe or process
    rg_command_aborted = -2,   // the callback aborted
    rg_command_timed_out = -3, // the caller's time limit passed
};

// Runs `command` through the system's cmd.exe " /c " and returns everything it wrote to
// its standard output and error. Waits for the child to end unless `limitMs` is given:
// then a child still running after that many milliseconds is stopped, with every program
// it started, and what it wrote so far is returned. The limit holds however much the
// child prints: the call returns about `limitMs` after the start, once the child is
// stopped and its last output read. The text is kept whole, so only the limit bounds it:
// the pipe is polled about once a millisecond, at most 64 KiB are taken per poll and each
// byte gives at most one character, so the text holds at most about 128 KiB per
// millisecond of the limit. It is decoded into the text returned as it arrives, which
// keeps room to grow by half; at its peak the call holds two and a half times the text
// it returns at most, while that room moves. Any failure gives empty text; a command of
// 32763 characters or more is not run.
CWString rg_run_console_command(const CWString& command, uint32_t limitMs = 0);

// Runs `commandLine` directly, collecting standard output into `output` and standard
// error into `error` (each optional, each keeping about its last 64 KiB all along, not
// only at the end; the same text for both gets output, "\r\n", error). `directory` null
// inherits the caller's, empty means the program's own (rg_command_directory). `exitCode`
// receives the child's exit code, -1 when the run was aborted, timed out or failed.
// `callback` reports progress and may stop or abort the child; `limitMs` (0: none) stops
// a child that runs longer. Both are heeded however much the child prints. A child still
// running at the end is sent Ctrl+C and Ctrl+Break, then terminated.
int32_t rg_execute_command_line(const CWString& commandLine, const CWString* directory,
                                CWString* output, CWString* error, int32_t* exitCode,
                                const CommandCallback* callback, uint32_t limitMs = 0);

// Appends what `pipe` (a read end) has available, at most about 64 KiB of it, decoded
// from the ANSI code page, to `text` (UTF-16, zero-terminated), dropping leading lines
// beyond 64 KiB before and after. Only whole characters are taken from the pipe. Returns
// the bytes of text appended; a caller that gets a nonzero count may find more waiting.
int64_t rg_read_pipe_text(void* pipe, CNimbMem& text);

} // namespace rg_nimb_JiTongCaoZuoZhiChiKu
