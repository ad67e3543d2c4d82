// What the program finds out about a scenario before it plays it, each said once: the
// check shows every finding, the run logs each one at the point where it reaches it.
#pragma once

#include <string>
#include <vector>

enum class FindingKind {
    kRefusal,  // the scenario cannot play: the run stops it there with the text
    kWarning,  // a problem in the check; the run logs "WARNING: " and the text, and goes on
    kNote,     // what the scenario needs; a problem for nobody
};

// Where the run reaches a finding, in the run's order.
enum class FindingPoint {
    kReading,        // the playlist and scenario files as they are read
    kAfterSummary,   // right after the scenario's summary, before its set-up
    kSetupStart,     // the set-up's first test, said by its status line
    kLoadingColour,  // where the loading colour is shown
    kLinkCheck,      // the link check
    kColourWrite,    // where the colour format is written
    kFiles,          // the upload's first lines: the content files looked up
    kSteps,          // the step check
    kLayout,         // before the memory layout goes to the device
    kFrames,         // where the frame concerned is sent
    kAudio,          // where the audio file is read
    kPackets,        // where the packets go to the device ("Loaded packet(s)")
    kCheckOnly,      // never logged by the run: the device decides it there, or no run needs it
};

struct Finding {
    FindingKind kind = FindingKind::kNote;
    FindingPoint point = FindingPoint::kCheckOnly;
    std::string text;    // one or more lines
    std::string detail;  // shown by the check only, on the lines below the text
    // The check shows a warning with the run's "WARNING: " too (texts older than this
    // type, which tests and users know in that form).
    bool prefixedInCheck = false;

    bool problem() const { return kind != FindingKind::kNote; }
    // The text the check shows, detail included.
    std::string checkText() const;
    // What the run logs for it: a refusal line by line, anything else in one piece.
    std::vector<std::string> runLines() const;
};

class Findings {
  public:
    void add(FindingKind kind, FindingPoint point, std::string text, std::string detail = "");
    void add(Finding finding);
    void append(const Findings& other);
    const std::vector<Finding>& all() const { return items_; }

    // Whether a refusal stands at `point`.
    bool refusesAt(FindingPoint point) const;
    // The findings at `point`, in order.
    std::vector<const Finding*> at(FindingPoint point) const;
    // The first line of the first refusal or warning; empty when there is none.
    std::string firstProblemLine() const;
    size_t problemCount() const;

  private:
    std::vector<Finding> items_;
};

// Logs the findings at `point` as the run says them, outside the upload's own reports.
void LogFindingsAt(const Findings& findings, FindingPoint point);

// The first line of a text.
std::string FirstLine(const std::string& text);
