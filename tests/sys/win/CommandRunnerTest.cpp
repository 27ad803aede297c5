#include "sys/win/CommandRunner.h"
#include "TestSupport.h"
#include "runtime/win/ModulePaths.h"

#include <gtest/gtest.h>

#include "runtime/win/WideText.h"
#include "runtime/win/Win32.h"

#include <tlhelp32.h>

#include <chrono>
#include <string>
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

private:
    bool Alive() const {
        const std::u16string name = Path.substr(Path.rfind(u'\\') + 1);
        HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        PROCESSENTRY32W entry = {};
        entry.dwSize = sizeof entry;
        bool found = false;
        for (BOOL more = ::Process32FirstW(snapshot, &entry); more && !found;
             more = ::Process32NextW(snapshot, &entry))
            found = ::lstrcmpiW(entry.szExeFile, Wide(name.c_str())) == 0;
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
