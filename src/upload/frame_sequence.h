// Numbered file sequences: a name such as img007.bin stands for img000.bin,
// img001.bin, ... up to the first gap; a name without trailing digits is one file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The existing files the path stands for, in order.
std::vector<std::string> ExpandFileSequence(const std::string& path);
// The length of ExpandFileSequence(path).
uint32_t CountFileSequence(const std::string& path);
// True when the path contains ".bin" anywhere (case-sensitive).
bool IsBinaryImagePath(const std::string& path);
