#include "sys/win/CommandRunner.h"

#include "runtime/Platform.h"

#include "runtime/win/WideText.h"
#include "runtime/win/Win32.h"

#include <shlobj.h>

namespace rg_nimb_JiTongCaoZuoZhiChiKu {

namespace {

// An anonymous pipe whose handles children inherit.
struct Pipe {
    HANDLE Read = nullptr;
    HANDLE Write = nullptr;

    bool Create() {
        SECURITY_ATTRIBUTES attributes = {sizeof attributes, nullptr, TRUE};
        return ::CreatePipe(&Read, &Write, &attributes, 0) != FALSE;
    }
    void CloseWrite() {
        if (Write != nullptr)
            ::CloseHandle(Write);
        Write = nullptr;
    }
    ~Pipe() {
        CloseWrite();
        if (Read != nullptr)
            ::CloseHandle(Read);
    }
};

// A child without a window whose standard handles are the given ones.
STARTUPINFOW HiddenStartup(HANDLE input, HANDLE output, HANDLE error) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    startup.hStdInput = input;
    startup.hStdOutput = output;
    startup.hStdError = error;
    return startup;
}

DWORD Available(HANDLE pipe) {
    DWORD available = 0;
    if (!::PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr))
        return 0;
    return available;
}

// Appends everything the pipe has available to `bytes`.
void Drain(HANDLE pipe, CNimbMem& bytes) {
    for (DWORD available = Available(pipe); available != 0; available = Available(pipe)) {
        const int64_t old = bytes.GetSize();
        DWORD read = 0;
        if (!::ReadFile(pipe, bytes.SetSize(old + available) + old, available, &read, nullptr))
            read = 0;
        bytes.SetSize(old + read);
        if (read == 0)
            break;
    }
}

// Stops a child that is still running: the console's interrupts first, then for good.
void Stop(const PROCESS_INFORMATION& process) {
    ::GenerateConsoleCtrlEvent(CTRL_C_EVENT, process.dwProcessId);
    ::GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, process.dwProcessId);
    HANDLE handle = ::OpenProcess(PROCESS_TERMINATE, FALSE, process.dwProcessId);
    if (handle != nullptr) {
        ::TerminateProcess(handle, 0xFFFFFFFF);
        ::CloseHandle(handle);
    }
}

bool StillRunning(HANDLE process) {
    return ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
}

bool Terminated(const CNimbMem& text) {
    const int64_t size = text.GetSize();
    return size >= 2 && text.GetData()[size - 1] == 0 && text.GetData()[size - 2] == 0;
}

// Ends the UTF-16 text a buffer collects with one zero character, for readers that want
// a C string.
void Terminate(CNimbMem& text) {
    const char16_t zero = 0;
    if (!Terminated(text))
        text.AppendBytes(&zero, sizeof zero);
}

void DropTerminator(CNimbMem& text) {
    if (Terminated(text))
        text.SetSize(text.GetSize() - 2);
}

CWString TextOf(CNimbMem& collected) {
    DropTerminator(collected);
    CWString text;
    text.SetTextN(reinterpret_cast<const char16_t*>(collected.GetData()), collected.GetSize() / 2);
    return text;
}

} // namespace

int64_t rg_read_pipe_text(void* pipe, CNimbMem& text) {
    rg_drop_leading_lines(text);
    DropTerminator(text);

    CNimbMem bytes;
    char chunk[1024];
    for (;;) {
        // Only whole characters leave the pipe; a lead byte whose partner has not yet
        // arrived waits there for the next read.
        DWORD peeked = 0;
        if (!::PeekNamedPipe(pipe, chunk, sizeof chunk, &peeked, nullptr, nullptr) || peeked == 0)
            break;
        const int64_t whole = Platform::AnsiCompleteLength(chunk, peeked);
        DWORD read = 0;
        if (whole == 0 || !::ReadFile(pipe, chunk, static_cast<DWORD>(whole), &read, nullptr) ||
            read == 0)
            break;
        bytes.AppendBytes(chunk, read);
    }

    int64_t appended = 0;
    if (bytes.GetSize() != 0) {
        const CWString decoded = rg_ansi_bytes_to_text(bytes);
        appended = decoded.GetLength() * 2;
        text.AppendBytes(decoded.GetText(), appended);
    }
    Terminate(text);
    return appended;
}

CWString rg_run_console_command(const CWString& command, uint32_t limitMs) {
    // " /c ", the command and the terminator must fit the 32767 characters of a command line.
    if (command.GetLength() >= 32763)
        return CWString();
    Pipe pipe;
    if (!pipe.Create())
        return CWString();

    STARTUPINFOW startup = HiddenStartup(pipe.Read, pipe.Write, pipe.Write);

    wchar_t system[MAX_PATH] = {};
    if (!::SHGetSpecialFolderPathW(nullptr, system, CSIDL_SYSTEM, FALSE))
        return CWString();
    CWString program(FromWide(system));
    program.Append(u"\\cmd.exe");
    CWString commandLine(u" /c ");
    commandLine.Append(command);

    // With a time limit the interpreter runs in a job, so that stopping it stops the
    // program it started as well instead of leaving that running on its own.
    HANDLE job = limitMs != 0 ? ::CreateJobObjectW(nullptr, nullptr) : nullptr;
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, nullptr, TRUE};
    PROCESS_INFORMATION process = {};
    const BOOL created = ::CreateProcessW(
        Wide(program), const_cast<wchar_t*>(Wide(commandLine)), &attributes, nullptr, TRUE,
        job != nullptr ? CREATE_SUSPENDED : 0, nullptr, nullptr, &startup, &process);
    pipe.CloseWrite();
    if (!created) {
        if (job != nullptr)
            ::CloseHandle(job);
        return CWString();
    }
    if (job != nullptr) {
        ::AssignProcessToJobObject(job, process.hProcess);
        ::ResumeThread(process.hThread);
    }
    ::CloseHandle(process.hThread);
    ::WaitForInputIdle(process.hProcess, 1000);

    // The bytes are decoded once at the end, so that no multi-byte character is split
    // between two reads and no zero byte cuts off what follows it.
    CNimbMem bytes;
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (Available(pipe.Read) != 0) {
            Drain(pipe.Read, bytes);
        } else if (!StillRunning(process.hProcess)) {
            Drain(pipe.Read, bytes); // what it wrote just before it ended
            break;
        } else if (limitMs != 0 && ::GetTickCount() - start >= limitMs) {
            Stop(process);
            if (job != nullptr)
                ::TerminateJobObject(job, 0xFFFFFFFF);
            Drain(pipe.Read, bytes);
            break;
        }
        ::Sleep(1);
    }
    if (job != nullptr)
        ::CloseHandle(job);
    ::CloseHandle(process.hProcess);

    CNimbMem text;
    const auto* data = bytes.GetData();
    for (int64_t i = 0; i < bytes.GetSize(); ++i) {
        if (data[i] != 0)
            text.AppendBytes(data + i, 1);
    }
    return rg_ansi_bytes_to_text(text);
}

int32_t rg_execute_command_line(const CWString& commandLine, const CWString* directory,
                                CWString* output, CWString* error, int32_t* exitCode,
                                const CommandCallback* callback, uint32_t limitMs) {
    if (output != nullptr)
        output->Clear();
    if (error != nullptr)
        error->Clear();
    if (exitCode != nullptr)
        *exitCode = -1;
    if (commandLine.IsEmpty())
        return rg_command_failed;
    if (callback != nullptr && callback->callback == nullptr)
        callback = nullptr;

    const DWORD start = ::GetTickCount();
    DWORD lastProgress = start;
    Pipe outputPipe;
    Pipe errorPipe;
    if ((output != nullptr && !outputPipe.Create()) || (error != nullptr && !errorPipe.Create()))
        return rg_command_failed;
    // Only the child's ends are for inheriting; ours stay with us, so that no other child
    // started meanwhile keeps them open.
    ::SetHandleInformation(outputPipe.Read, HANDLE_FLAG_INHERIT, 0);
    ::SetHandleInformation(errorPipe.Read, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW startup = HiddenStartup(nullptr, outputPipe.Write, errorPipe.Write);

    CWString workingDirectory;
    if (directory != nullptr)
        workingDirectory = directory->IsEmpty() ? rg_command_directory(commandLine) : *directory;
    const bool useDirectory = directory != nullptr && !workingDirectory.IsEmpty();
    CWString line(commandLine); // CreateProcess may write into its command line
    line.MakeOwned();

    PROCESS_INFORMATION process = {};
    if (!::CreateProcessW(nullptr, const_cast<wchar_t*>(Wide(line)), nullptr, nullptr, TRUE, 0,
                          nullptr, useDirectory ? Wide(workingDirectory) : nullptr, &startup,
                          &process))
        return rg_command_failed;
    outputPipe.CloseWrite();
    errorPipe.CloseWrite();

    CNimbMem collectedOutput;
    CNimbMem collectedError;
    int32_t result = rg_command_ended;
    bool running = true;
    bool stopped = false;
    for (;;) {
        if (running) {
            if (::WaitForSingleObject(process.hProcess, 100) != WAIT_TIMEOUT) {
                running = false;
            } else if (limitMs != 0 && ::GetTickCount() - start >= limitMs) {
                result = rg_command_timed_out;
                stopped = true;
                break;
            } else if (callback != nullptr &&
                       ::GetTickCount() - lastProgress >= callback->interval) {
                Terminate(collectedOutput);
                Terminate(collectedError);
                lastProgress = ::GetTickCount();
                CommandProgress progress = {lastProgress - start,  0,
                                            commandLine.GetText(), &collectedOutput,
                                            &collectedError,       callback->user1,
                                            callback->user2};
                const int32_t answer = callback->callback(&progress);
                if (answer == rg_command_stop || answer == rg_command_abort) {
                    result = answer == rg_command_stop ? rg_command_ended : rg_command_aborted;
                    stopped = true;
                    break;
                }
            }
        }
        int64_t appended = 0;
        if (output != nullptr)
            appended += rg_read_pipe_text(outputPipe.Read, collectedOutput);
        if (error != nullptr)
            appended += rg_read_pipe_text(errorPipe.Read, collectedError);
        if (appended != 0 || running)
            continue;
        if (callback != nullptr) {
            Terminate(collectedOutput);
            Terminate(collectedError);
            CommandProgress progress = {::GetTickCount() - start, 1,
                                        commandLine.GetText(),    &collectedOutput,
                                        &collectedError,          callback->user1,
                                        callback->user2};
            callback->callback(&progress);
        }
        break;
    }

    if (output != nullptr)
        *output = TextOf(collectedOutput);
    if (error != nullptr) {
        if (error == output) {
            if (!output->IsEmpty())
                output->Append(u"\r\n");
            output->Append(TextOf(collectedError));
        } else {
            *error = TextOf(collectedError);
        }
    }

    if (exitCode != nullptr) {
        DWORD code = 0;
        if (result == rg_command_aborted || result == rg_command_timed_out)
            *exitCode = -1;
        else
            *exitCode =
                ::GetExitCodeProcess(process.hProcess, &code) ? static_cast<int32_t>(code) : 0;
    }
    if (stopped && StillRunning(process.hProcess))
        Stop(process);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return result;
}

} // namespace rg_nimb_JiTongCaoZuoZhiChiKu
