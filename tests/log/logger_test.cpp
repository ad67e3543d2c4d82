#include "log/logger.h"

#include <gtest/gtest.h>

#include <regex>

#include "support.h"

namespace {

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
    EXPECT_EQ(ReadFileText(folder.path() + "/long_log.txt"), text + "|7\n");
}

TEST_F(LoggerFile, AppendsToAnExistingFileAndWritesEmptyLines) {
    folder.write("run_log.txt", "earlier run\n");
    Logger::instance().configure(FileSettings(folder.path(), "run_log.txt"));
    ::testing::internal::CaptureStdout();
    Logger::instance().log("first %s", "line");
    Logger::instance().log("");
    logText("100% literal %s");
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "first line\n\n100% literal %s\n");
    Logger::instance().reset();
    EXPECT_EQ(ReadFileText(folder.path() + "/run_log.txt"),
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
    EXPECT_EQ(ReadFileText(folder.path() + "/sub_log.txt"), "x\n");
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
    EXPECT_TRUE(std::regex_search(out, std::regex("\n[0-9]{2}:[0-9]{2}:[0-9]{2} tick\n$"))) << out;
}

TEST(LogFileName, StampHasTheFileNameForm) {
    EXPECT_TRUE(std::regex_match(LogFileTimeStamp(),
                                 std::regex("[0-9]{4}-(0[1-9]|1[0-2])-[0-3][0-9]T[0-2][0-9]-[0-5][0-9]-[0-6][0-9]")))
        << LogFileTimeStamp();
}

TEST(LogSink, ReceivesEachLineInsteadOfTheConsole) {
    LogCapture capture;
    ::testing::internal::CaptureStdout();
    Logger::instance().log("a %d", 1);
    Logger::instance().log("\nb");
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(capture.lines, (std::vector<std::string>{"a 1", "\nb"}));
}

}  // namespace
