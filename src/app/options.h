// The command line: its key table, the parsed options, the usage and the banner.
#pragma once

#include <map>
#include <string>
#include <vector>

class ArgumentMap {
  public:
    ArgumentMap(int argc, const char* const* argv);
    bool empty() const { return keys_.empty(); }
    size_t size() const { return keys_.size(); }
    bool has(const std::string& key) const;
    // False for an empty or absent key and for a key without a value.
    bool valueOf(const std::string& key, std::string& value) const;
    // The first key, in command-line order, that is none of the program's; empty when none.
    std::string firstUnknownKey() const;

  private:
    std::map<std::string, std::string> keys_;
    std::vector<std::string> order_;  // every key as given, repeats included
};

struct CommandLineOptions {
    std::string playlist;
    std::string scenario;
    std::string captureFolder;
    std::string sourceSerialNumber = "*";
    std::string sinkSerialNumber = "*";
    std::string edidPath;
    std::string interface;
    bool resetSinkBeforeCapture = false;
    bool play = false;
    bool check = false;  // check the scenarios without a device
    bool listDevices = false;
    std::string reportPath;     // the JUnit XML report; empty: none
    std::string previewFolder;  // where the check writes its frame pictures; empty: none
    std::string sinkEdidPath;   // the sink's EDID the check judges scenarios by; empty: none

    // Scenario, source serial number and interface are all given.
    bool hasScenarioTriple() const {
        return !scenario.empty() && !sourceSerialNumber.empty() && !interface.empty();
    }
};

// Fills `options`; returns whether the keys form a valid request.
bool ParseOptions(const ArgumentMap& arguments, CommandLineOptions& options);
void PrintUsage();
void PrintVersionBanner();
