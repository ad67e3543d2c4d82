// The JUnit XML report that test-automation systems read: one suite per run, one case per
// scenario.
#pragma once

#include <string>
#include <string_view>
#include <vector>

enum class CaseOutcome { kPassed, kFailed, kSkipped };

struct ReportCase {
    std::string name;
    double seconds = 0;
    CaseOutcome outcome = CaseOutcome::kPassed;
    std::string message;  // why it failed or was skipped
    std::string output;   // the lines it logged, each ended by "\n"
};

struct ReportSuite {
    std::string name;
    std::string className;  // every case's classname: a file name without folders or dots
    std::string timestamp;  // local time, ISO 8601 without a zone; empty: none written
    std::string hostname;   // empty: none written
    double seconds = 0;
    std::vector<ReportCase> cases;
};

// The whole document, UTF-8.
std::string JunitXml(const ReportSuite& suite);

// Text made fit for XML character data (or an attribute value): markup characters
// escaped, control characters and bytes that are not UTF-8 replaced by U+FFFD.
std::string XmlText(std::string_view text, bool attribute);
