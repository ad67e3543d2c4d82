#include <stdlib.h>
#include <windows.h>

#include <cstdio>
#include <optional>
#include <thread>

#include "run_program.h"

bool HasPosixShell() {
    return false;
}

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

// Standard output (and standard error when asked) of the child go into the pipe. It
// starts suspended, so that it is in the job before it can start anything itself.
bool StartChild(std::string line, const std::string& folder, HANDLE output, bool withErrors,
                PROCESS_INFORMATION& process) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = output;
    startup.hStdError = withErrors ? output : GetStdHandle(STD_ERROR_HANDLE);
    return CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_SUSPENDED, nullptr,
                          folder.empty() ? nullptr : folder.c_str(), &startup, &process) != 0;
}

// A job holds the child and everything it starts: closing it ends them all, and it
// carries the memory cap (which wine accepts but does not enforce).
HANDLE MakeJob(uint64_t memoryKiB) {
    HANDLE job = CreateJobObjectA(nullptr, nullptr);
    if (job == nullptr) return nullptr;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION info{};
    info.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (memoryKiB > 0) {
        info.BasicLimitInformation.LimitFlags |= JOB_OBJECT_LIMIT_PROCESS_MEMORY;
        info.ProcessMemoryLimit = static_cast<SIZE_T>(memoryKiB * 1024);
    }
    SetInformationJobObject(job, JobObjectExtendedLimitInformation, &info, sizeof info);
    return job;
}

// Stops the job at the time limit unless the child ends first.
class Watchdog {
  public:
    Watchdog(HANDLE process, HANDLE job, int seconds)
        : thread_([=] {
              if (WaitForSingleObject(process, 1000u * seconds) == WAIT_TIMEOUT) {
                  TerminateJobObject(job, kTimedOut);
              }
          }) {}
    ~Watchdog() { thread_.join(); }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

  private:
    std::thread thread_;
};

void ReadAll(HANDLE readEnd, std::string& output) {
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(readEnd, chunk, sizeof chunk, &got, nullptr) && got > 0) {
        AppendAsText(output, chunk, got);
    }
}

int WaitForExit(HANDLE process) {
    WaitForSingleObject(process, INFINITE);
    DWORD code = 0;
    return GetExitCodeProcess(process, &code) ? static_cast<int>(code) : -1;
}

// Its own pipe and process rather than _popen: the command processor's "2>&1" on
// a whole command line is not honoured everywhere (wine's is not), and a time limit
// needs the child's handle.
ProgramRun Run(const std::string& commandLine, const std::string& folder,
               const Environment& environment, bool withErrors, const RunLimits& limits) {
    ProgramRun run;
    std::fflush(nullptr);
    ScopedEnvironment scoped(environment);
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return run;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    HANDLE job = MakeJob(limits.memoryKiB);
    PROCESS_INFORMATION process{};
    const bool started =
        StartChild(CommandProcessorLine(commandLine), folder, writeEnd, withErrors, process);
    // Only the child holds the write end now, so the reads end when it does.
    CloseHandle(writeEnd);
    if (started) {
        if (job != nullptr) AssignProcessToJobObject(job, process.hProcess);
        ResumeThread(process.hThread);
        {
            Watchdog watchdog(process.hProcess, job, limits.seconds);
            ReadAll(readEnd, run.output);
            run.exitCode = WaitForExit(process.hProcess);
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    if (job != nullptr) CloseHandle(job);
    CloseHandle(readEnd);
    return run;
}

}  // namespace

ProgramRun RunProgram(const std::string& commandLine, const std::string& folder,
                      const Environment& environment, bool withErrors) {
    // A day: in effect no limit.
    return Run(commandLine, folder, environment, withErrors, RunLimits{86400, 0});
}

ProgramRun RunBoundedProgram(const std::string& commandLine, const std::string& folder,
                             const Environment& environment, const RunLimits& limits) {
    return Run(commandLine, folder, environment, true, limits);
}
