#include "sys/win/CommandRunner.h"
#include "TestSupport.h"
#include "runtime/win/ModulePaths.h"

#include <gtest/gtest.h>

#include "runtime/win/WideText.h"
#include "runtime/win/Win32.h"

#include <psapi.h>
#include <tlhelp32.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

using namespace rg_nimb_JiTongCaoZuoZhiChiKu;

namespace {

std::u16string Directory() {
    CWString directory;
    GetModuleDirectory(nullptr, directory);
    return Units(directory);
}

// The fixture program, or a copy of it under a name of its own (so that a test can look
// for its process without seeing those of tests running beside it).
class Fixture {
public:
    explicit Fixture(const std::u16string& copyName = u"") {
        const std::u16string original = Directory() + u"kqv_command_fixture.exe";
        if (copyName.empty()) {
            Path = original;
            return;
        }
        Path = Directory() + copyName + u"-" + Number(::GetCurrentProcessId()) + u".exe";
        Copy = ::CopyFileW(Wide(original.c_str()), Wide(Path.c_str()), FALSE) != FALSE;
    }
    ~Fixture() {
        if (Copy)
            ::DeleteFileW(Wide(Path.c_str()));
    }

    // A command line running the fixture with `arguments`.
    CWString Command(const std::u16string& arguments) const {
        return CWString((u"\"" + Path + u"\" " + arguments).c_str());
    }
    // Whether a process of this fixture's file is still alive after `patienceMs`: a
    // stopped child may take a moment to disappear.
    bool Running(int patienceMs = 3000) const {
        for (int waited = 0; waited < patienceMs; waited += 50) {
            if (!Alive())
                return false;
            ::Sleep(50);
        }
        return Alive();
    }

    // Ends every process of this fixture's file.
    void StopAll() const {
        for (DWORD id = Find(); id != 0; id = Find()) {
            HANDLE process = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
            if (process == nullptr)
                return;
            ::TerminateProcess(process, 1);
            ::WaitForSingleObject(process, 3000);
            ::CloseHandle(process);
        }
    }

private:
    bool Alive() const { return Find() != 0; }
    // The id of a process of this fixture's file, or 0.
    DWORD Find() const {
        const std::u16string name = Path.substr(Path.rfind(u'\\') + 1);
        HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        PROCESSENTRY32W entry = {};
        entry.dwSize = sizeof entry;
        DWORD found = 0;
        for (BOOL more = ::Process32FirstW(snapshot, &entry); more && found == 0;
             more = ::Process32NextW(snapshot, &entry)) {
            if (::lstrcmpiW(entry.szExeFile, Wide(name.c_str())) == 0)
                found = entry.th32ProcessID;
        }
        ::CloseHandle(snapshot);
        return found;
    }

public:
    std::u16string Path;

private:
    static std::u16string Number(DWORD value) {
        std::u16string digits;
        do {
            digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
            value /= 10;
        } while (value != 0);
        return digits;
    }
    bool Copy = false;
};

// Runs the fixture directly with standard output and error collected apart.
struct DirectRun {
    explicit DirectRun(const std::u16string& arguments, const CommandCallback* callback = nullptr,
                       uint32_t limit = 0) {
        Result = rg_execute_command_line(Fixture().Command(arguments), nullptr, &Output, &Error,
                                         &ExitCode, callback, limit);
    }
    int32_t Result;
    CWString Output;
    CWString Error;
    int32_t ExitCode = 0;
};

std::u16string Console(const std::u16string& arguments) {
    return Units(rg_run_console_command(Fixture().Command(arguments)));
}

} // namespace

TEST(CommandRunner, AsciiOutputIsItsBytes) {
    EXPECT_EQ(Console(u"out:48656C6C6F0D0A"), u"Hello\r\n");
    const DirectRun run(u"out:48656C6C6F0D0A err:6F6F7073 exit:7");
    EXPECT_EQ(run.Result, rg_command_ended);
    EXPECT_EQ(Units(run.Output), u"Hello\r\n");
    EXPECT_EQ(Units(run.Error), u"oops");
    EXPECT_EQ(run.ExitCode, 7);
}

TEST(CommandRunner, AnsiBytesArriveAsTheirCharacters) {
    // Code page 936: D6D0 CEC4 is 中文. The second run splits 中 between two writes, with
    // a pause in between, so the reader first sees only its lead byte.
    EXPECT_EQ(Console(u"out:D6D0CEC4"), u"中文");
    EXPECT_EQ(Console(u"out:41D6 sleep:300 out:D0CEC4"), u"A中文");
    EXPECT_EQ(Units(DirectRun(u"out:D6D0CEC4").Output), u"中文");
    EXPECT_EQ(Units(DirectRun(u"out:41D6 sleep:300 out:D0CEC4").Output), u"A中文");
    EXPECT_EQ(Units(DirectRun(u"err:41D6 sleep:300 err:D0CEC4").Error), u"A中文");
}

TEST(CommandRunner, BytesWrittenJustBeforeTheEndAreNotLost) {
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Console(u"sleep:150 out:6C617374"), u"last");
        EXPECT_EQ(Units(DirectRun(u"sleep:150 out:6C617374 err:6C617374").Output), u"last");
        EXPECT_EQ(Units(DirectRun(u"sleep:150 out:6C617374 err:6C617374").Error), u"last");
    }
    // The console runner hands error output over in the same text.
    EXPECT_EQ(Console(u"out:61 err:62"), u"ab");
}

TEST(CommandRunner, OneTextForBothStreamsGetsOutputLineBreakError) {
    CWString both;
    int32_t code = 0;
    EXPECT_EQ(rg_execute_command_line(Fixture().Command(u"out:4F5554 err:455252"), nullptr, &both,
                                      &both, &code, nullptr),
              rg_command_ended);
    EXPECT_EQ(Units(both), u"OUT\r\nERR");
    EXPECT_EQ(rg_execute_command_line(Fixture().Command(u"err:455252"), nullptr, &both, &both,
                                      &code, nullptr),
              rg_command_ended);
    EXPECT_EQ(Units(both), u"ERR");

    CWString onlyOutput;
    EXPECT_EQ(rg_execute_command_line(Fixture().Command(u"out:4F5554 err:455252"), nullptr,
                                      &onlyOutput, nullptr, nullptr, nullptr),
              rg_command_ended);
    EXPECT_EQ(Units(onlyOutput), u"OUT");
}

TEST(CommandRunner, AnEmptyWorkingDirectoryMeansTheProgramsOwn) {
    const std::u16string folder = Directory() + u"kqv runner cwd";
    ::CreateDirectoryW(Wide(folder.c_str()), nullptr);
    const Fixture original;
    const std::u16string copy = folder + u"\\fixture.exe";
    ASSERT_TRUE(::CopyFileW(Wide(original.Path.c_str()), Wide(copy.c_str()), FALSE));
    const CWString command((u"\"" + copy + u"\" cwd").c_str());

    CWString output;
    const CWString empty;
    EXPECT_EQ(rg_execute_command_line(command, &empty, &output, nullptr, nullptr, nullptr),
              rg_command_ended);
    EXPECT_EQ(Units(output) + u"\\", folder + u"\\");

    const CWConstString root(u"C:\\");
    EXPECT_EQ(rg_execute_command_line(command, &root, &output, nullptr, nullptr, nullptr),
              rg_command_ended);
    EXPECT_EQ(Units(output), u"C:\\");

    ::DeleteFileW(Wide(copy.c_str()));
    ::RemoveDirectoryW(Wide(folder.c_str()));
}

namespace {

struct Calls {
    std::vector<CommandProgress> Seen;
    std::vector<std::u16string> Outputs;
    int32_t Answer = rg_command_continue;
};

int32_t Record(CommandProgress* progress) {
    auto* calls = reinterpret_cast<Calls*>(progress->user1);
    calls->Seen.push_back(*progress);
    calls->Outputs.emplace_back(reinterpret_cast<const char16_t*>(progress->output->GetData()));
    return calls->Answer;
}

} // namespace

TEST(CommandRunner, ACallbackThatAbortsAtOnceStopsTheChild) {
    const Fixture hanging(u"kqv-hang");
    Calls calls;
    calls.Answer = rg_command_abort;
    const CommandCallback callback = {&Record, 0, reinterpret_cast<intptr_t>(&calls), 99};
    CWString output(u"stale");
    int32_t code = 0;
    EXPECT_EQ(rg_execute_command_line(hanging.Command(u"hang"), nullptr, &output, nullptr, &code,
                                      &callback),
              rg_command_aborted);
    EXPECT_EQ(code, -1);
    ASSERT_EQ(calls.Seen.size(), 1u);
    EXPECT_EQ(calls.Seen[0].finished, 0);
    EXPECT_EQ(calls.Seen[0].user2, 99);
    EXPECT_TRUE(output.IsEmpty());
    EXPECT_FALSE(hanging.Running());
}

TEST(CommandRunner, ACallbackThatStopsEndsTheRunNormally) {
    const Fixture hanging(u"kqv-stop");
    Calls calls;
    calls.Answer = rg_command_stop;
    const CommandCallback callback = {&Record, 0, reinterpret_cast<intptr_t>(&calls), 0};
    EXPECT_EQ(rg_execute_command_line(hanging.Command(u"hang"), nullptr, nullptr, nullptr, nullptr,
                                      &callback),
              rg_command_ended);
    EXPECT_FALSE(hanging.Running());
}

TEST(CommandRunner, ProgressIsReportedUntilAFinalCallAfterTheEnd) {
    Calls calls;
    const CommandCallback callback = {&Record, 50, reinterpret_cast<intptr_t>(&calls), 0};
    const DirectRun run(u"out:41 sleep:400 out:42", &callback);
    EXPECT_EQ(run.Result, rg_command_ended);
    EXPECT_EQ(Units(run.Output), u"AB");
    ASSERT_GE(calls.Seen.size(), 2u);
    for (size_t i = 0; i + 1 < calls.Seen.size(); ++i)
        EXPECT_EQ(calls.Seen[i].finished, 0);
    EXPECT_EQ(calls.Seen.back().finished, 1);
    EXPECT_EQ(calls.Outputs.back(), u"AB");
    EXPECT_NE(std::find(calls.Outputs.begin(), calls.Outputs.end(), u"A"), calls.Outputs.end());
    EXPECT_GE(calls.Seen.back().elapsed, 400u);
}

TEST(CommandRunner, OutputBeyond64KiBDropsWholeLinesFromTheFront) {
    const DirectRun run(u"lines:5000");
    const std::u16string output = Units(run.Output);
    EXPECT_LE(output.size() * 2, 65535u + 1024u * 2);
    EXPECT_GT(output.size() * 2, 60000u);
    constexpr size_t kLine = 42; // "%05d ", 34 characters, "\r\n"
    ASSERT_GE(output.size(), kLine);
    EXPECT_EQ(output.substr(5, 2), u" x"); // a whole line comes first
    EXPECT_EQ(output.size() % kLine, 0u);
    EXPECT_EQ(output.substr(output.size() - kLine, 6), u"04999 ");
    // The console runner keeps everything.
    const std::u16string all = Console(u"lines:5000");
    EXPECT_EQ(all.size(), 5000u * kLine);
    EXPECT_EQ(all.substr(0, 6), u"00000 ");
}

TEST(CommandRunner, FailuresGiveTheTabledResults) {
    CWString output(u"stale");
    CWString error(u"stale");
    int32_t code = 5;
    EXPECT_EQ(rg_execute_command_line(CWString(), nullptr, &output, &error, &code, nullptr),
              rg_command_failed);
    EXPECT_TRUE(output.IsEmpty());
    EXPECT_TRUE(error.IsEmpty());
    EXPECT_EQ(code, -1);

    output.SetText(u"stale");
    code = 5;
    EXPECT_EQ(rg_execute_command_line(CWConstString(u"C:\\kqv\\no-such-program.exe"), nullptr,
                                      &output, &error, &code, nullptr),
              rg_command_failed);
    EXPECT_TRUE(output.IsEmpty());
    EXPECT_EQ(code, -1);

    const DirectRun silent(u"exit:0");
    EXPECT_EQ(silent.Result, rg_command_ended);
    EXPECT_TRUE(silent.Output.IsEmpty());

    EXPECT_TRUE(rg_run_console_command(CWString(std::u16string(32763, u'x').c_str())).IsEmpty());
}

TEST(CommandRunner, ATimeLimitStopsAChildThatNeverEnds) {
    const Fixture hanging(u"kqv-limit");
    const auto start = std::chrono::steady_clock::now();
    CWString output;
    int32_t code = 0;
    EXPECT_EQ(rg_execute_command_line(hanging.Command(u"out:6F6B hang"), nullptr, &output, nullptr,
                                      &code, nullptr, 500),
              rg_command_timed_out);
    EXPECT_EQ(code, -1);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
    EXPECT_FALSE(hanging.Running());

    // Through the interpreter the program it started goes too.
    const Fixture console(u"kqv-console-limit");
    EXPECT_EQ(Units(rg_run_console_command(console.Command(u"out:6F6B hang"), 1500)), u"ok");
    EXPECT_FALSE(console.Running());
}

namespace {

// Runs of a child that never pauses: it fills its pipe again as soon as it is read, so the
// runners must look at their clock and their callback between reads, not only when the
// pipe is empty. Wine may take a moment to stop a child; a run that has not returned long
// after its limit has its child stopped from outside.
constexpr uint32_t kFloodLimitMs = 2500;
constexpr std::chrono::milliseconds kFloodSlack(1000);
constexpr std::chrono::milliseconds kPatience(15000);

// Stops the fixture's processes if the run it guards has not returned in time, so that a
// runner that does not keep to its limit fails the test instead of hanging it.
class Watchdog {
public:
    Watchdog(const Fixture& fixture, std::chrono::milliseconds patience)
        : Thread([this, &fixture, patience] {
              std::unique_lock<std::mutex> lock(Mutex);
              if (!Done.wait_for(lock, patience, [this] { return Returned; }))
                  fixture.StopAll();
          }) {}
    ~Watchdog() {
        {
            const std::lock_guard<std::mutex> lock(Mutex);
            Returned = true;
        }
        Done.notify_one();
        Thread.join();
    }

private:
    std::mutex Mutex;
    std::condition_variable Done;
    bool Returned = false;
    std::thread Thread; // last, so that it starts after what it uses
};

int32_t AbortAfterHalfASecond(CommandProgress* progress) {
    return progress->elapsed >= 500 ? rg_command_abort : rg_command_continue;
}

std::chrono::milliseconds Since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start);
}

int64_t WorkingSet(bool peak) {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (!::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters))
        return -1;
    return static_cast<int64_t>(peak ? counters.PeakWorkingSetSize : counters.WorkingSetSize);
}

// The console runner on a child that never pauses, in a process of its own so that the
// peak of the working set is this run's. Prints what it measured and exits 0 when the run
// kept to its bounds: the limit, and a peak within two and a half times the text it
// returns (the text with its room to grow, and the old room while it moves).
[[noreturn]] void FloodTheConsoleRunner() {
    bool held = false;
    {
        const Fixture flooding(u"kqv-console-flood");
        const int64_t before = WorkingSet(false);
        const auto start = std::chrono::steady_clock::now();
        CWString text;
        {
            const Watchdog watchdog(flooding, kPatience);
            text = rg_run_console_command(flooding.Command(u"flood"), kFloodLimitMs);
        }
        const auto took = Since(start);
        const int64_t grown = WorkingSet(true) - before;
        const int64_t returned = text.GetLength() * 2;
        const bool lines = Units(text.Left(64)) == std::u16string(62, u'f') + u"\r\n";
        const bool running = flooding.Running();
        std::fprintf(stderr, "took %lld ms, returned %lld bytes, peak grew by %lld bytes%s%s\n",
                     static_cast<long long>(took.count()), static_cast<long long>(returned),
                     static_cast<long long>(grown),
                     lines ? "" : ", text does not start with a whole line",
                     running ? ", child left running" : "");
        held = took >= std::chrono::milliseconds(kFloodLimitMs) &&
               took < std::chrono::milliseconds(kFloodLimitMs) + kFloodSlack &&
               returned >= 64 * 1024 && lines && before > 0 &&
               grown <= returned * 5 / 2 + (16 << 20) && !running;
    }
    std::exit(held ? 0 : 1);
}

} // namespace

TEST(CommandRunner, AChildThatNeverPausesIsStoppedOnTime) {
    const CommandCallback aborting = {&AbortAfterHalfASecond, 50, 0, 0};
    const struct {
        const char16_t* Name;
        const char16_t* Arguments;
        const CommandCallback* Callback;
        uint32_t Limit;
        int32_t Result;
        std::chrono::milliseconds Stops; // when the run should end
    } cases[] = {
        {u"kqv-flood-limit", u"flood", nullptr, kFloodLimitMs, rg_command_timed_out,
         std::chrono::milliseconds(kFloodLimitMs)},
        {u"kqv-flood-abort", u"flood", &aborting, 0, rg_command_aborted,
         std::chrono::milliseconds(500)},
    };
    const std::u16string line = std::u16string(62, u'f') + u"\r\n";
    for (const auto& c : cases) {
        SCOPED_TRACE(Utf8(c.Name));
        const Fixture flooding(c.Name);
        const auto start = std::chrono::steady_clock::now();
        CWString output;
        int32_t code = 0;
        int32_t result;
        {
            const Watchdog watchdog(flooding, kPatience);
            result = rg_execute_command_line(flooding.Command(c.Arguments), nullptr, &output,
                                             nullptr, &code, c.Callback, c.Limit);
        }
        const auto took = Since(start);
        EXPECT_EQ(result, c.Result);
        EXPECT_GE(took, c.Stops);
        EXPECT_LT(took, c.Stops + kFloodSlack);
        EXPECT_EQ(code, -1);
        // About the last 64 KiB, from the start of a line.
        const std::u16string kept = Units(output);
        EXPECT_LE(kept.size() * 2, 65535u + 1024u * 2);
        EXPECT_GT(kept.size() * 2, 60000u);
        EXPECT_EQ(kept.substr(0, line.size()), line);
        EXPECT_FALSE(flooding.Running());
    }
}

TEST(CommandRunner, AConsoleRunOfAChildThatNeverPausesKeepsItsLimitAndItsMemory) {
    EXPECT_EXIT(FloodTheConsoleRunner(), ::testing::ExitedWithCode(0), "");
}
