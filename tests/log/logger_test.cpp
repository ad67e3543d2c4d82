#include "log/logger.h"

#include <gtest/gtest.h>

#include "support.h"

namespace {

// `shape` with every 9 standing for one decimal digit.
bool MatchesShape(const std::string& text, const std::string& shape) {
    if (text.size() != shape.size()) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (shape[i] == '9' ? !digit : text[i] != shape[i]) return false;
    }
    return true;
}

LogSettings FileSettings(const std::string& folder, const std::string& name) {
    LogSettings settings;
    settings.folder = folder;
    settings.fileName = name;
    return settings;
}

class LoggerFile : public ::testing::Test {
  protected:
    void TearDown() override { Logger::instance().reset(); }
    TempFolder folder;
};

TEST_F(LoggerFile, LongMessagesAreKeptWhole) {
    Logger::instance().configure(FileSettings(folder.path(), "long_log.txt"));
    const std::string text(300, 'x');
    ::testing::internal::CaptureStdout();
    Logger::instance().log("%s|%d", text.c_str(), 7);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), text + "|7\n");
    Logger::instance().reset();  // closes and flushes the file
    EXPECT_EQ(ReadTextFile(folder.path() + "/long_log.txt"), text + "|7\n");
}

TEST_F(LoggerFile, AppendsToAnExistingFileAndWritesEmptyLines) {
    folder.write("run_log.txt", "earlier run\n");
    Logger::instance().configure(FileSettings(folder.path(), "run_log.txt"));
    ::testing::internal::CaptureStdout();
    Logger::instance().log("first %s", "line");
    logText("");
    logText("100% literal %s");
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "first line\n\n100% literal %s\n");
    Logger::instance().reset();
    EXPECT_EQ(ReadTextFile(folder.path() + "/run_log.txt"),
              "earlier run\nfirst line\n\n100% literal %s\n");
}

TEST_F(LoggerFile, MissingFolderReportsOnceAndKeepsTheConsole) {
    ::testing::internal::CaptureStdout();
    Logger::instance().configure(FileSettings(folder.path() + "/no/such/folder", "x_log.txt"));
    Logger::instance().log("still here");
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "Couldn't open log file for logging!\nstill here\n");
}

TEST_F(LoggerFile, BackslashJoinedPathReachesTheFile) {
    // The folder and name are joined with "\", as the program's own texts show paths.
    Logger::instance().configure(FileSettings(folder.path(), "sub_log.txt"));
    ::testing::internal::CaptureStdout();
    Logger::instance().log("x");
    ::testing::internal::GetCapturedStdout();
    Logger::instance().reset();
    EXPECT_EQ(ReadTextFile(folder.path() + "/sub_log.txt"), "x\n");
}

TEST(LoggerTimeStamp, PrefixesLocalTimeWhenAsked) {
    LogSettings settings;
    settings.timeStamp = true;
    settings.folder = "/nonexistent-folder-for-test";
    settings.fileName = "t.txt";
    ::testing::internal::CaptureStdout();
    Logger::instance().configure(settings);
    Logger::instance().log("tick");
    const std::string out = ::testing::internal::GetCapturedStdout();
    Logger::instance().reset();
    // "\nHH:MM:SS tick\n" at the end.
    ASSERT_GE(out.size(), 15u) << out;
    const std::string tail = out.substr(out.size() - 15);
    EXPECT_TRUE(MatchesShape(tail, "\n99:99:99 tick\n")) << out;
}

TEST(LogFileName, StampHasTheFileNameForm) {
    const std::string stamp = LogFileTimeStamp();
    EXPECT_TRUE(MatchesShape(stamp, "9999-99-99T99-99-99")) << stamp;
    const int month = std::stoi(stamp.substr(5, 2));
    EXPECT_GE(month, 1);
    EXPECT_LE(month, 12);
}

TEST(LogSink, ReceivesEachLineInsteadOfTheConsole) {
    LogCapture capture;
    ::testing::internal::CaptureStdout();
    Logger::instance().log("a %d", 1);
    Logger::instance().log("\nb");
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(capture.lines, (std::vector<std::string>{"a 1", "\nb"}));

    // An observer is called outside the lock: one that logs in turn does not deadlock.
    std::vector<std::string> seen;
    Logger::instance().addObserver([&seen](const std::string& line) {
        seen.push_back(line);
        if (line == "c") logText("from the observer");
    });
    logText("c");
    EXPECT_EQ(seen, (std::vector<std::string>{"c", "from the observer"}));
    Logger::instance().reset();  // forgets the observer
    ::testing::internal::CaptureStdout();
    logText("d");
    ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(seen.size(), 2u);
}

}  // namespace
