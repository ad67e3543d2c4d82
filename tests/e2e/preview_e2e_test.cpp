// The check's previews end to end: the folder refused before the check when it cannot be
// written, the pictures and the closing note, and still no device call.
#include <gtest/gtest.h>

#include <filesystem>

#include "e2e_fixture.h"

namespace {

TEST_F(ProgramTest, CheckWritesPreviewsIntoAFolderItCanWrite) {
    DemoContent::Write(folder, 64, 4, 3);
    folder.write("s.txt", ScenarioText());
    folder.write("taken", "a file, not a folder");
    EXPECT_EQ(Run("--scenario s.txt --interface HDMI --check --preview taken").exitCode, 1);
    EXPECT_TRUE(HasLine("Cannot create or write the preview folder taken"));
    EXPECT_FALSE(HasLine("Checked 1 scenarios: 0 with problems."));
    EXPECT_EQ(Run("--scenario s.txt --interface HDMI --check --preview p").exitCode, 0);
    EXPECT_TRUE(HasInOrder({"Scenario #1 s.txt: OK", "  Previews in p\\scenario1",
                            "Checked 1 scenarios: 0 with problems."}));
    for (const char* name : {"frame0.png", "frame2.png", "contact.png"}) {
        EXPECT_TRUE(std::filesystem::exists(folder.path() + "/p/scenario1/" + name)) << name;
    }
    EXPECT_TRUE(Trace().empty());
    // The same scenario, now unreadable, leaves no picture of its earlier check behind.
    std::filesystem::remove(folder.path() + "/s.txt");
    std::filesystem::create_directory(folder.path() + "/s.txt");
    EXPECT_EQ(Run("--scenario s.txt --interface HDMI --check --preview p").exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(folder.path() + "/p/scenario1/contact.png"));
}

}  // namespace
