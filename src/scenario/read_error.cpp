#include "scenario/read_error.h"

#include "log/logger.h"

namespace {

constexpr size_t kShownValueBytes = 64;
constexpr size_t kNamedIgnoredLines = 10;

}  // namespace

std::string ShownValue(const std::string& value) {
    return value.size() > kShownValueBytes ? value.substr(0, kShownValueBytes) + "..." : value;
}

void logInvalidNumber(const std::string& value, const std::string& key, const std::string& path,
                      size_t lineNumber) {
    const std::string shown = ShownValue(value);
    Logger::instance().log("Invalid number '%s' for key '%s' in %s, line %u.", shown.c_str(),
                           key.c_str(), path.c_str(), static_cast<unsigned>(lineNumber));
}

std::string IgnoredLines::add(std::string text, const std::string& path) {
    path_ = path;
    if (named_.size() == kNamedIgnoredLines) {
        ++more_;
        return {};
    }
    named_.push_back(std::move(text));
    return named_.back();
}

std::string IgnoredLines::unknownKey(const std::string& key, const std::string& path, size_t line) {
    return add("unknown key '" + ShownValue(key) + "' in " + path + ", line " +
                   std::to_string(line) + ": it is ignored.",
               path);
}

std::string IgnoredLines::unknownSection(const std::string& header, const std::string& path,
                                         size_t line) {
    return add("unknown section '" + ShownValue(header) + "' in " + path + ", line " +
                   std::to_string(line) + ": its keys are ignored.",
               path);
}

std::string IgnoredLines::moreText() const {
    if (more_ == 0) return {};
    return std::to_string(more_) + " more unknown keys or sections in " + path_ + " are ignored.";
}

std::vector<std::string> IgnoredLines::texts() const {
    std::vector<std::string> texts = named_;
    if (more_ != 0) texts.push_back(moreText());
    return texts;
}

void logIgnoredLines(const std::vector<std::string>& texts) {
    for (const std::string& text : texts) logText("WARNING: " + text);
}
