#include "report/junit_report.h"

#include <cstdint>
#include <cstdio>

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// Length of the well-formed UTF-8 sequence at `at` and its code point; 0 when the bytes
// there are not one (overlong forms and surrogates included).
size_t DecodeUtf8(std::string_view text, size_t at, uint32_t& code) {
    const auto byte = [&](size_t i) { return static_cast<uint8_t>(text[i]); };
    const uint8_t lead = byte(at);
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    size_t length = 0;
    uint8_t low = 0x80, high = 0xBF;  // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (at + length > text.size() || byte(at + 1) < low || byte(at + 1) > high) return 0;
    code = lead & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) return 0;
        code = code << 6 | (byte(at + i) & 0x3F);
    }
    return length;
}

// Characters XML cannot carry, and control characters a reader would not want to see.
bool IsReplaced(uint32_t code) {
    if (code < 0x20) return code != '\t' && code != '\n' && code != '\r';
    return (code >= 0x7F && code <= 0x9F) || code == 0xFFFE || code == 0xFFFF;
}

const char* Escape(char c, bool attribute) {
    switch (c) {
        case '&':
            return "&amp;";
        case '<':
            return "&lt;";
        case '>':
            return "&gt;";
        case '"':
            return "&quot;";
        case '\'':
            return "&apos;";
        case '\r':
            return "&#13;";  // a reader would turn a plain one into a line end
        case '\n':
            return attribute ? "&#10;" : nullptr;
        case '\t':
            return attribute ? "&#9;" : nullptr;
        default:
            return nullptr;
    }
}

std::string Seconds(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", seconds < 0 ? 0.0 : seconds);
    return text;
}

std::string Attribute(const char* name, std::string_view value) {
    return std::string(" ") + name + "=\"" + XmlText(value, true) + "\"";
}

std::string CaseXml(const ReportCase& c, const std::string& className) {
    std::string xml = "    <testcase" + Attribute("name", c.name) +
                      Attribute("classname", className) + Attribute("time", Seconds(c.seconds)) +
                      ">\n";
    switch (c.outcome) {
        case CaseOutcome::kFailed:
            xml += "      <failure" + Attribute("message", c.message) +
                   Attribute("type", "failure") + ">" + XmlText(c.output, false) + "</failure>\n";
            break;
        case CaseOutcome::kSkipped:
            xml += "      <skipped" + Attribute("message", c.message) + "/>\n";
            break;
        case CaseOutcome::kPassed:
            if (!c.output.empty()) {
                xml += "      <system-out>" + XmlText(c.output, false) + "</system-out>\n";
            }
            break;
    }
    return xml + "    </testcase>\n";
}

size_t Count(const ReportSuite& suite, CaseOutcome outcome) {
    size_t count = 0;
    for (const ReportCase& c : suite.cases) count += c.outcome == outcome ? 1 : 0;
    return count;
}

std::string Totals(const ReportSuite& suite) {
    return Attribute("tests", std::to_string(suite.cases.size())) +
           Attribute("failures", std::to_string(Count(suite, CaseOutcome::kFailed))) +
           Attribute("errors", "0") +
           Attribute("skipped", std::to_string(Count(suite, CaseOutcome::kSkipped))) +
           Attribute("time", Seconds(suite.seconds));
}

}  // namespace

std::string XmlText(std::string_view text, bool attribute) {
    std::string xml;
    xml.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        uint32_t code = 0;
        const size_t length = DecodeUtf8(text, at, code);
        if (length == 0 || IsReplaced(code)) {
            xml += kReplacement;
            at += length == 0 ? 1 : length;
            continue;
        }
        const char* escaped = length == 1 ? Escape(text[at], attribute) : nullptr;
        if (escaped != nullptr) {
            xml += escaped;
        } else {
            xml.append(text.substr(at, length));
        }
        at += length;
    }
    return xml;
}

std::string JunitXml(const ReportSuite& suite) {
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    xml += "<testsuites" + Attribute("name", "TavrelCmd") + Totals(suite) + ">\n";
    xml += "  <testsuite" + Attribute("name", suite.name) + Totals(suite);
    if (!suite.timestamp.empty()) xml += Attribute("timestamp", suite.timestamp);
    if (!suite.hostname.empty()) xml += Attribute("hostname", suite.hostname);
    xml += ">\n";
    for (const ReportCase& c : suite.cases) xml += CaseXml(c, suite.className);
    return xml + "  </testsuite>\n</testsuites>\n";
}
