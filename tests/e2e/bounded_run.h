// Runs the built TavrelCmd under a time limit and, outside sanitizer builds, a memory
// limit, with standard error folded into the output so that any runtime report shows.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "run_program.h"
#include "support.h"

class BoundedProgramTest : public ::testing::Test {
  protected:
    // Runs TavrelCmd with `arguments` in `folder`; a non-empty profile is written to
    // profile.ini and used, the trace goes to trace.txt.
    ProgramRun Run(const std::string& arguments, const std::string& profile = "");
    const std::vector<std::string>& Lines() const { return lines_; }
    // The last line that is not empty; empty when there is none.
    std::string LastLine() const;
    // True when `expected` appear in this order among the output lines.
    bool HasInOrder(const std::vector<std::string>& expected) const;
    std::vector<std::string> Trace() const;

    TempFolder folder;

  private:
    std::vector<std::string> lines_;
};

// True when the runtime printed an address or undefined-behaviour report.
bool HasSanitizerReport(const std::string& output);
