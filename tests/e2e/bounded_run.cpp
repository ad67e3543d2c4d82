#include "bounded_run.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

// Generous for a debug build on a busy machine, short of what a hang would take.
constexpr int kTimeLimitSeconds = 60;
// Address space in KiB; the sanitizer reserves far more, so it runs without a limit.
constexpr int kMemoryLimitKiB = 1000000;

const RunLimits kLimits{kTimeLimitSeconds, kSanitized ? 0 : kMemoryLimitKiB};

}  // namespace

ProgramRun BoundedProgramTest::Run(const std::string& arguments, const std::string& profile) {
    for (const auto& entry : fs::directory_iterator(folder.path())) {
        if (entry.path().string().ends_with("_log.txt")) fs::remove(entry.path());
    }
    fs::remove(folder.path() + "/trace.txt");
    Environment environment{{"HLX_SIM_TRACE", folder.path() + "/trace.txt"}};
    if (!profile.empty()) {
        environment.emplace_back("HLX_SIM_PROFILE", folder.write("profile.ini", profile));
    }
    const ProgramRun run = RunBoundedProgram(ShellQuote(TAVREL_CMD_PATH) + " " + arguments,
                                             folder.path(), environment, kLimits);
    lines_ = OutputLines(run.output);
    return run;
}

std::string BoundedProgramTest::LastLine() const {
    for (auto line = lines_.rbegin(); line != lines_.rend(); ++line) {
        if (!line->empty()) return *line;
    }
    return "";
}

bool BoundedProgramTest::HasInOrder(const std::vector<std::string>& expected) const {
    size_t at = 0;
    for (const std::string& line : lines_) {
        if (at < expected.size() && line == expected[at]) ++at;
    }
    return at == expected.size();
}

std::vector<std::string> BoundedProgramTest::Trace() const {
    return OutputLines(ReadFileText(folder.path() + "/trace.txt"));
}

bool HasSanitizerReport(const std::string& output) {
    return output.find("AddressSanitizer") != std::string::npos ||
           output.find("LeakSanitizer") != std::string::npos ||
           output.find("runtime error:") != std::string::npos;
}
