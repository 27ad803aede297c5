// A console program for the runner tests. It does what its arguments say, in order:
//   out:HEX     write the bytes to standard output   err:HEX   the same to standard error
//   sleep:MS    wait                                 lines:N   write N numbered lines
//   cwd         write the current directory          hang      never end
//   flood       never end, writing 64 KiB blocks of lines without pause
//   exit:N      end with exit code N
// Each write is one write call, so a test decides where the pipe sees a boundary.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool Write(DWORD stream, const std::string& bytes) {
    DWORD written = 0;
    return ::WriteFile(::GetStdHandle(stream), bytes.data(), static_cast<DWORD>(bytes.size()),
                       &written, nullptr) != FALSE;
}

std::string FromHex(const char* hex) {
    std::string bytes;
    for (size_t i = 0; hex[i] != 0 && hex[i + 1] != 0; i += 2)
        bytes += static_cast<char>(std::strtoul(std::string(hex + i, 2).c_str(), nullptr, 16));
    return bytes;
}

} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strncmp(arg, "out:", 4) == 0) {
            Write(STD_OUTPUT_HANDLE, FromHex(arg + 4));
        } else if (std::strncmp(arg, "err:", 4) == 0) {
            Write(STD_ERROR_HANDLE, FromHex(arg + 4));
        } else if (std::strncmp(arg, "sleep:", 6) == 0) {
            ::Sleep(static_cast<DWORD>(std::atoi(arg + 6)));
        } else if (std::strncmp(arg, "lines:", 6) == 0) {
            const int count = std::atoi(arg + 6);
            for (int line = 0; line < count; ++line) {
                char text[64];
                std::snprintf(text, sizeof text, "%05d xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx\r\n",
                              line);
                Write(STD_OUTPUT_HANDLE, text);
            }
        } else if (std::strcmp(arg, "cwd") == 0) {
            char directory[MAX_PATH] = {};
            ::GetCurrentDirectoryA(MAX_PATH, directory);
            Write(STD_OUTPUT_HANDLE, directory);
        } else if (std::strcmp(arg, "hang") == 0) {
            ::Sleep(INFINITE);
        } else if (std::strcmp(arg, "flood") == 0) {
            std::string block;
            while (block.size() < 65536)
                block += std::string(62, 'f') + "\r\n";
            // Once nobody reads any more it still does not end, as a stuck program would not.
            while (Write(STD_OUTPUT_HANDLE, block)) {
            }
            ::Sleep(INFINITE);
        } else if (std::strncmp(arg, "exit:", 5) == 0) {
            return std::atoi(arg + 5);
        }
    }
    return 0;
}
