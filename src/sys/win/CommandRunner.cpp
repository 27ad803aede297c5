#include "sys/win/CommandRunner.h"

#include "runtime/Platform.h"

#include "runtime/win/CWinHandle.h"
#include "runtime/win/WideText.h"
#include "runtime/win/Win32.h"

#include <shlobj.h>

#include <algorithm>
#include <cstring>

namespace rg_nimb_JiTongCaoZuoZhiChiKu {

namespace {

// The most one read takes from a pipe. A child that never pauses keeps its pipe full, so
// a reader that went on until the pipe was empty would never look at its clock again.
constexpr DWORD kMostPerRead = 65536;

// An anonymous pipe whose ends children may inherit.
bool CreateInheritablePipe(CKernelHandle& read, CKernelHandle& write) {
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, nullptr, TRUE};
    return ::CreatePipe(read.Receive(), write.Receive(), &attributes, 0) != FALSE;
}

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

// A started child, owning the handles that CreateProcess gave.
struct Child {
    explicit Child(const PROCESS_INFORMATION& started) noexcept
        : Process(started.hProcess), Thread(started.hThread), Id(started.dwProcessId) {}
    CKernelHandle Process;
    CKernelHandle Thread;
    DWORD Id;
};

DWORD Available(HANDLE pipe) {
    DWORD available = 0;
    if (!::PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr))
        return 0;
    return available;
}

// Stops a child that is still running: the console's interrupts first, then for good.
void Stop(const Child& child) {
    ::GenerateConsoleCtrlEvent(CTRL_C_EVENT, child.Id);
    ::GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, child.Id);
    const CKernelHandle process(::OpenProcess(PROCESS_TERMINATE, FALSE, child.Id));
    if (process)
        ::TerminateProcess(process.Get(), 0xFFFFFFFF);
}

bool StillRunning(HANDLE process) {
    return ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
}

bool TimeIsUp(DWORD start, uint32_t limitMs) {
    return limitMs != 0 && ::GetTickCount() - start >= limitMs;
}

// What the console runner collects: everything a child prints, decoded as it arrives.
// Zero bytes are dropped, as they would end the text; the first bytes of a character
// whose last ones have not arrived yet wait for the next read.
class ConsoleText {
public:
    ConsoleText() { Pending.SetSize(kMostCarried + kMostPerRead); }

    // Takes at most one read's worth of what the pipe has available; returns whether
    // anything came.
    bool ReadFrom(HANDLE pipe) {
        uint8_t* data = Pending.GetData();
        const auto want =
            static_cast<DWORD>(std::min<int64_t>(Available(pipe), Pending.GetSize() - Carried));
        DWORD read = 0;
        if (want == 0 || !::ReadFile(pipe, data + Carried, want, &read, nullptr) || read == 0)
            return false;
        int64_t kept = Carried;
        for (int64_t i = Carried; i < Carried + read; ++i) {
            if (data[i] != 0)
                data[kept++] = data[i];
        }
        const int64_t whole = Platform::AnsiCompleteLength(reinterpret_cast<char*>(data), kept);
        Append(data, whole);
        std::memmove(data, data + whole, static_cast<size_t>(kept - whole));
        Carried = kept - whole;
        return true;
    }

    // The text, with an unfinished last character decoded as it stands.
    CWString Finish() {
        Append(Pending.GetData(), Carried);
        Carried = 0;
        Text.SetLength(Used);
        return static_cast<CWString&&>(Text);
    }

private:
    // Room for the start of one character: three bytes of a four-byte UTF-8 sequence at
    // most.
    static constexpr int64_t kMostCarried = 3;

    // Decodes straight into the text that is returned, with room for a character per byte.
    // Hundreds of megabytes may come in one run: the room grows by half at a time, so that
    // the text moves a few times, not once per read, and is never copied at the end.
    void Append(const uint8_t* bytes, int64_t count) {
        if (count == 0)
            return;
        if (Used + count > Room) {
            Room = std::max(Used + count, Room + Room / 2);
            Units = Text.PrepareUnits(Room);
        }
        Used += Platform::AnsiToUtf16(reinterpret_cast<const char*>(bytes), count, Units + Used);
    }

    CNimbMem Pending; // the bytes carried over, then room for one read
    int64_t Carried = 0;
    CWString Text; // its first Used units are the text so far, the rest is room
    char16_t* Units = nullptr;
    int64_t Used = 0;
    int64_t Room = 0;
};

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
    bytes.SetStep(kMostPerRead);
    char chunk[1024];
    while (bytes.GetSize() < kMostPerRead) {
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
        // Trimmed as it grows: a child that never pauses gets no later call to do it.
        rg_drop_leading_lines(text);
    }
    Terminate(text);
    return appended;
}

CWString rg_run_console_command(const CWString& command, uint32_t limitMs) {
    // " /c ", the command and the terminator must fit the 32767 characters of a command line.
    if (command.GetLength() >= 32763)
        return CWString();
    CKernelHandle read;
    CKernelHandle write;
    if (!CreateInheritablePipe(read, write))
        return CWString();

    STARTUPINFOW startup = HiddenStartup(read.Get(), write.Get(), write.Get());

    wchar_t system[MAX_PATH] = {};
    if (!::SHGetSpecialFolderPathW(nullptr, system, CSIDL_SYSTEM, FALSE))
        return CWString();
    CWString program(FromWide(system));
    program.Append(u"\\cmd.exe");
    CWString commandLine(u" /c ");
    commandLine.Append(command);

    // With a time limit the interpreter runs in a job, so that stopping it stops the
    // program it started as well instead of leaving that running on its own.
    const CKernelHandle job(limitMs != 0 ? ::CreateJobObjectW(nullptr, nullptr) : nullptr);
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, nullptr, TRUE};
    PROCESS_INFORMATION started = {};
    const BOOL created = ::CreateProcessW(Wide(program), const_cast<wchar_t*>(Wide(commandLine)),
                                          &attributes, nullptr, TRUE, job ? CREATE_SUSPENDED : 0,
                                          nullptr, nullptr, &startup, &started);
    write.Reset();
    if (!created)
        return CWString();
    Child child(started);
    const DWORD start = ::GetTickCount();
    if (job) {
        ::AssignProcessToJobObject(job.Get(), child.Process.Get());
        ::ResumeThread(child.Thread.Get());
    }
    child.Thread.Reset();
    ::WaitForInputIdle(child.Process.Get(), 1000);

    ConsoleText text;
    for (;;) {
        // Asked before the pipe is read: when the pipe is then found empty, everything the
        // child wrote before it ended has been read.
        const bool ended = !StillRunning(child.Process.Get());
        if (TimeIsUp(start, limitMs)) {
            if (!ended)
                Stop(child);
            if (job)
                ::TerminateJobObject(job.Get(), 0xFFFFFFFF);
            text.ReadFrom(read.Get()); // what it wrote before it was stopped
            break;
        }
        if (!text.ReadFrom(read.Get()) && ended)
            break;
        ::Sleep(1);
    }
    return text.Finish();
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
    CKernelHandle outputRead;
    CKernelHandle outputWrite;
    CKernelHandle errorRead;
    CKernelHandle errorWrite;
    if ((output != nullptr && !CreateInheritablePipe(outputRead, outputWrite)) ||
        (error != nullptr && !CreateInheritablePipe(errorRead, errorWrite)))
        return rg_command_failed;
    // Only the child's ends are for inheriting; ours stay with us, so that no other child
    // started meanwhile keeps them open.
    ::SetHandleInformation(outputRead.Get(), HANDLE_FLAG_INHERIT, 0);
    ::SetHandleInformation(errorRead.Get(), HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW startup = HiddenStartup(nullptr, outputWrite.Get(), errorWrite.Get());

    CWString workingDirectory;
    if (directory != nullptr)
        workingDirectory = directory->IsEmpty() ? rg_command_directory(commandLine) : *directory;
    const bool useDirectory = directory != nullptr && !workingDirectory.IsEmpty();
    CWString line(commandLine); // CreateProcess may write into its command line
    line.MakeOwned();

    PROCESS_INFORMATION started = {};
    if (!::CreateProcessW(nullptr, const_cast<wchar_t*>(Wide(line)), nullptr, nullptr, TRUE, 0,
                          nullptr, useDirectory ? Wide(workingDirectory) : nullptr, &startup,
                          &started))
        return rg_command_failed;
    const Child child(started);
    outputWrite.Reset();
    errorWrite.Reset();

    CNimbMem collectedOutput;
    CNimbMem collectedError;
    int32_t result = rg_command_ended;
    bool running = true;
    bool stopped = false;
    bool flowing = false; // the last reads found output, so more is read without waiting
    for (;;) {
        if (running) {
            if (::WaitForSingleObject(child.Process.Get(), flowing ? 0 : 100) != WAIT_TIMEOUT) {
                running = false;
            } else if (TimeIsUp(start, limitMs)) {
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
            appended += rg_read_pipe_text(outputRead.Get(), collectedOutput);
        if (error != nullptr)
            appended += rg_read_pipe_text(errorRead.Get(), collectedError);
        flowing = appended != 0;
        if (flowing || running)
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
                ::GetExitCodeProcess(child.Process.Get(), &code) ? static_cast<int32_t>(code) : 0;
    }
    if (stopped && StillRunning(child.Process.Get()))
        Stop(child);
    return result;
}

} // namespace rg_nimb_JiTongCaoZuoZhiChiKu
