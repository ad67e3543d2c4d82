// The per-folder frame format table (formats.cfg): frame file name -> format text.
#pragma once

#include <map>
#include <string>

using FormatTable = std::map<std::string, std::string>;

// Lines of exactly two ':'-separated pieces are entries (both trimmed); a later
// entry for the same name wins; every other line is ignored.
FormatTable parseFormatTable(const std::string& text);
// Empty when the file is missing or unreadable.
FormatTable readFormatTable(const std::string& path);
// The format text for a frame file name; empty when the table has none.
std::string FormatOf(const FormatTable& table, const std::string& name);
