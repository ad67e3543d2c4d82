#include <stdlib.h>
#include <windows.h>

#include <cstdio>
#include <optional>

#include "run_program.h"

bool HasPosixShell() { return false; }

// Quoted the way the C runtime splits a command line into arguments: backslashes
// count only before a double quote, where they are doubled.
std::string ShellQuote(const std::string& text) {
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (char c : text) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(2 * backslashes, '\\');
    return quoted + "\"";
}

namespace {

// Sets the variables for the child and puts the old values back when it ends:
// the command processor has no safe way to quote arbitrary values itself.
class ScopedEnvironment {
public:
    explicit ScopedEnvironment(const Environment& environment) {
        for (const auto& [name, value] : environment) {
            const char* old = std::getenv(name.c_str());
            saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
            _putenv_s(name.c_str(), value.c_str());
        }
    }
    ~ScopedEnvironment() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            // An empty value removes the variable.
            _putenv_s(it->first.c_str(), it->second ? it->second->c_str() : "");
        }
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

// Through the command processor, as a user types it. With /s it drops only the
// outer pair of quotes and keeps every quote inside the line.
std::string CommandProcessorLine(const std::string& commandLine) {
    return "cmd.exe /s /c \"" + commandLine + "\"";
}

// The child's CR LF line ends as LF, as a text-mode pipe delivers them.
void AppendAsText(std::string& output, const char* data, size_t size) {
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == '\n' && !output.empty() && output.back() == '\r') output.pop_back();
        output += data[i];
    }
}

// Standard output (and standard error when asked) of the child go into the pipe.
bool StartChild(std::string line, const std::string& folder, HANDLE output, bool withErrors,
                PROCESS_INFORMATION& process) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = output;
    startup.hStdError = withErrors ? output : GetStdHandle(STD_ERROR_HANDLE);
    return CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                          folder.empty() ? nullptr : folder.c_str(), &startup, &process) != 0;
}

}  // namespace

// Its own pipe and process rather than _popen: the command processor's "2>&1" on
// a whole command line is not honoured everywhere (wine's is not).
ProgramRun RunProgram(const std::string& commandLine, const std::string& folder,
                      const Environment& environment, bool withErrors) {
    ProgramRun run;
    std::fflush(nullptr);
    ScopedEnvironment scoped(environment);
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return run;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    PROCESS_INFORMATION process{};
    const bool started =
        StartChild(CommandProcessorLine(commandLine), folder, writeEnd, withErrors, process);
    // Only the child holds the write end now, so the reads end when it does.
    CloseHandle(writeEnd);
    if (started) {
        char chunk[4096];
        DWORD got = 0;
        while (ReadFile(readEnd, chunk, sizeof chunk, &got, nullptr) && got > 0) {
            AppendAsText(run.output, chunk, got);
        }
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 0;
        if (GetExitCodeProcess(process.hProcess, &code)) run.exitCode = static_cast<int>(code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(readEnd);
    return run;
}
