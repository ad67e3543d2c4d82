// Writing a file of tavrel-content: its folder made when missing, the file replaced whole
// (a reader never sees half of it).
#pragma once

#include <string>
#include <string_view>

// False with the message, naming the file or folder that could not be written.
bool WriteOutputFile(const std::string& path, std::string_view bytes, std::string& message);
