#include "log/logger.h"

#include <cstdarg>
#include <vector>

Logger& Logger::instance() {
    static Logger logger;  // thread-safe one-time construction
    return logger;
}

Logger::~Logger() {
    if (file_ != nullptr) std::fclose(file_);
}

void Logger::configure(LogSettings settings) {
    std::lock_guard<std::mutex> guard(lock_);
    KeepRunningWithoutConsole();
    settings_ = std::move(settings);
    if (file_ != nullptr) std::fclose(file_);
    file_ = OpenLogFile(settings_.folder + "\\" + settings_.fileName);
    if (file_ == nullptr) {
        std::fputs("Couldn't open log file for logging!\n", stdout);
        std::fflush(stdout);
    }
}

int Logger::log(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    std::va_list again;
    va_copy(again, args);
    char small[256];
    const int needed = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    std::string line;
    if (needed >= static_cast<int>(sizeof small)) {
        // Long lines (scenario summaries, long paths) are kept whole.
        std::vector<char> big(static_cast<size_t>(needed) + 1);
        std::vsnprintf(big.data(), big.size(), format, again);
        line.assign(big.data(), static_cast<size_t>(needed));
    } else if (needed > 0) {
        line.assign(small, static_cast<size_t>(needed));
    }
    va_end(again);
    Sink sink;
    std::vector<std::pair<ObserverId, Sink>> observers;
    {
        std::lock_guard<std::mutex> guard(lock_);
        line = stamped(line);
        if (!write(line)) sink = sink_;
        observers = observers_;
    }
    // Outside the lock: whoever is called may log in turn.
    if (sink) sink(line);
    for (const auto& observer : observers) observer.second(line);
    return 0;
}

std::string Logger::stamped(const std::string& text) const {
    if (!settings_.timeStamp) return text;
    std::tm local{};
    char stamp[16] = "";
    if (LocalTimeNow(local)) {
        std::snprintf(stamp, sizeof stamp, "%02d:%02d:%02d ", local.tm_hour, local.tm_min,
                      local.tm_sec);
    }
    return stamp + text;
}

bool Logger::write(const std::string& line) {
    if (sink_) return false;
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
    // A console that went away (a closed pipe) drops the line; the file still gets it.
    if (std::fflush(stdout) != 0) std::clearerr(stdout);
    if (file_ != nullptr) {
        std::fwrite(line.data(), 1, line.size(), file_);
        std::fputc('\n', file_);
        // Flushed per line: a run killed during a wait leaves every line so far.
        std::fflush(file_);
    }
    return true;
}

void Logger::setSink(Sink sink) {
    std::lock_guard<std::mutex> guard(lock_);
    sink_ = std::move(sink);
}

Logger::ObserverId Logger::addObserver(Sink observer) {
    std::lock_guard<std::mutex> guard(lock_);
    observers_.emplace_back(nextObserver_, std::move(observer));
    return nextObserver_++;
}

void Logger::removeObserver(ObserverId id) {
    std::lock_guard<std::mutex> guard(lock_);
    std::erase_if(observers_, [id](const auto& observer) { return observer.first == id; });
}

void Logger::reset() {
    std::lock_guard<std::mutex> guard(lock_);
    if (file_ != nullptr) std::fclose(file_);
    file_ = nullptr;
    settings_ = LogSettings{};
    sink_ = nullptr;
    observers_.clear();
}

void logText(const std::string& text) {
    Logger::instance().log("%s", text.c_str());
}

std::string LocalTimeText(char timeSeparator) {
    std::tm local{};
    LocalTimeNow(local);
    char buffer[100];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02dT%02d%c%02d%c%02d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, timeSeparator, local.tm_min,
                  timeSeparator, local.tm_sec);
    return buffer;
}

std::string LogFileTimeStamp() {
    return LocalTimeText('-');
}
