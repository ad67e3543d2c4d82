#include <gtest/gtest.h>

#include <algorithm>

#include "e2e_fixture.h"
#include "files/paths.h"

namespace {

// Prints the report as python's XML reader sees it: the suite, one line per case, and
// the text each case holds, indented.
const char* const kParser = R"(import re, sys, xml.etree.ElementTree as ET
sys.stdout.reconfigure(encoding='utf-8')
suite = ET.parse(sys.argv[1]).getroot().find('testsuite')
stamp = re.fullmatch(r'\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d', suite.get('timestamp') or '')
classes = ','.join(sorted(set(c.get('classname') for c in suite.iter('testcase'))))
print('suite', suite.get('name'), 'tests=' + suite.get('tests'),
      'failures=' + suite.get('failures'), 'skipped=' + suite.get('skipped'), 'class=' + classes,
      'stamped' if stamp and suite.get('hostname') else 'unstamped')
for case in suite.iter('testcase'):
    float(case.get('time'))
    failure, skipped = case.find('failure'), case.find('skipped')
    verdict = 'failed: ' + failure.get('message') if failure is not None else (
        'skipped' if skipped is not None else 'passed')
    print(case.get('name'), '|', verdict)
    body = failure if failure is not None else case.find('system-out')
    for line in (body.text or '').splitlines() if body is not None else []:
        print('  ' + line)
)";

class Report : public ProgramTest {
  protected:
    void SetUp() override {
        if (!HasPosixShell() || RunProgram("python3 -c pass", "").exitCode != 0) {
            GTEST_SKIP() << "needs python3 to read the report";
        }
        DemoContent::Write(folder, 64, 4, 3);
        folder.write("s1.txt", ScenarioText());
        folder.write("bad.txt", ScenarioText("video=content\\missing.bin\n"));
        folder.write("parse.py", kParser);
    }
    // Writes p.ini with one scenario section per path, each played for 0 ms; a path may
    // carry a caption after a "|".
    void WritePlaylist(const std::vector<std::string>& paths) const {
        std::vector<std::string> sections;
        for (const std::string& path : paths) {
            const size_t bar = path.find('|');
            const std::string caption =
                bar == std::string::npos ? "" : "caption=" + path.substr(bar + 1) + "\n";
            sections.push_back("path=" + path.substr(0, bar) + "\nperiod=0\n" + caption);
        }
        folder.write("p.ini",
                     PlaylistText("serialnumber=SIM0001\nconnectortype=HDMI Out\n", sections));
    }
    // Runs the program, expects its exit code and returns r.xml as parsed; "(unreadable)"
    // and python's complaint when it is not XML.
    std::vector<std::string> ReportOf(const std::string& arguments, int exitCode,
                                      const std::string& profile = "") {
        EXPECT_EQ(Run(arguments, profile).exitCode, exitCode) << arguments;
        const ProgramRun run = RunProgram("python3 parse.py r.xml", folder.path(), {}, true);
        std::vector<std::string> lines = OutputLines(run.output);
        if (run.exitCode != 0) lines.insert(lines.begin(), "(unreadable)");
        if (lines.size() < 2) lines.resize(2);
        return lines;
    }
    static bool Has(const std::vector<std::string>& lines, const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
};

TEST_F(Report, PassingPlaylistWithMarkupAndBadBytesInThePath) {
    folder.write("a&b<\"c\x01\xff.txt", ScenarioText());
    WritePlaylist({"a&b<\"c\x01\xff.txt"});
    const auto parsed = ReportOf("--playlist p.ini --report r.xml", 0);
    EXPECT_EQ(parsed[0], "suite p.ini tests=1 failures=0 skipped=0 class=p stamped");
    EXPECT_EQ(parsed[1], "Scenario #1 a&b<\"c\xEF\xBF\xBD\xEF\xBF\xBD.txt | passed");
    EXPECT_TRUE(Has(parsed, "  Upload succeeded!"));
}

TEST_F(Report, ASecondScenarioFailsAndTheThirdIsSkipped) {
    WritePlaylist({"s1.txt", "bad.txt|Ramp", "s1.txt"});
    const auto parsed = ReportOf("--playlist p.ini --report r.xml", 1);
    EXPECT_EQ(parsed[0], "suite p.ini tests=3 failures=1 skipped=1 class=p stamped");
    EXPECT_EQ(parsed[1], "Scenario #1 s1.txt | passed");
    // The reason is the message; the status line stays in the body.
    EXPECT_TRUE(
        Has(parsed, "Scenario #2 bad.txt (Ramp) | failed: File missing.bin doesn't exist!"));
    EXPECT_TRUE(Has(parsed, "  Error happened during upload."));
    EXPECT_EQ(parsed.back(), "Scenario #3 s1.txt | skipped");
}

TEST_F(Report, AFailureBeforeAnyScenarioIsACaseOfItsOwn) {
    WritePlaylist({"s1.txt"});
    folder.write("r.xml", "an earlier report");
    auto parsed = ReportOf("--playlist missing.ini --report r.xml", 1);
    EXPECT_EQ(parsed[0], "suite missing.ini tests=1 failures=1 skipped=0 class=missing stamped");
    EXPECT_EQ(parsed[1], "missing.ini | failed: Playlist file missing.ini does not exist!");
    EXPECT_FALSE(fileExists(folder.path() + "/r.xml.tmp"));

    parsed = ReportOf("--playlist p.ini --report r.xml", 1, "[generator]\nmemory = 1024\n");
    EXPECT_EQ(parsed[1], "p.ini | failed: Failed opening device!");
    EXPECT_EQ(parsed.back(), "Scenario #1 s1.txt | skipped");
}

TEST_F(Report, CheckWithProblemsAndAPathThatCannotBeWritten) {
    WritePlaylist({"s1.txt", "bad.txt"});
    const auto parsed = ReportOf("--playlist p.ini --check --report r.xml", 1);
    EXPECT_TRUE(Has(parsed, "Scenario #1 s1.txt | passed"));
    EXPECT_TRUE(Has(parsed, "Scenario #2 bad.txt | failed: File missing.bin doesn't exist!"));

    EXPECT_EQ(Run("--playlist p.ini --report none/r.xml").exitCode, 1);
    EXPECT_TRUE(HasLine("Cannot write the report file none/r.xml."));
    EXPECT_TRUE(Trace().empty());  // refused before the library starts
}

}  // namespace
