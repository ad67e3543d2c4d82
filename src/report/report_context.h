// Where and when a report is written: the suite's hostname and timestamp.
#pragma once

#include <string>

// This machine's name; empty when the system does not say.
std::string HostName();
// The local time now as JUnit writes it: ISO 8601 without a zone, "2026-12-10T10:03:56".
std::string ReportTimeStamp();
