// The few key=value lines that describe an InfoFrame (type=avi, drm, audio or vendor),
// read as scenario files are read.
#pragma once

#include <string>

#include "infoframe.h"

// The InfoFrame the text describes; false with `error` naming the file, the line and
// the problem. `path` is for messages.
bool ParseInfoFrameDescription(const std::string& path, const std::string& text,
                               InfoFrameToWrite& frame, std::string& error);
