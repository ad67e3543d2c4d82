// Numbered file sequences: a name such as img007.bin stands for img000.bin,
// img001.bin, ... up to the first gap; a name without trailing digits is one file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A file of a sequence with the size its status query gave: -1 when it is not a
// regular file.
struct SequenceFile {
    std::string path;
    int64_t size = -1;
};

// The frame files of each video item, in item order.
using ItemFrames = std::vector<std::vector<SequenceFile>>;

// The existing files the path stands for, in order, each queried once.
std::vector<SequenceFile> ExpandFileSequenceSized(const std::string& path);
// The same, paths only.
std::vector<std::string> ExpandFileSequence(const std::string& path);
// The length of ExpandFileSequence(path).
uint32_t CountFileSequence(const std::string& path);
// The first file the sequence looks for (its number 0); a name without digits as written.
std::string FirstSequenceFile(const std::string& path);
// The file of number `number` of the sequence, padded to the name's digit count; a name
// without digits as written.
std::string SequenceFilePath(const std::string& path, uint64_t number);
// How many digits the name ends with (0 for a name that stands for one file).
size_t SequenceDigits(const std::string& path);
// The path of `name` in the folder of `path`; a file directly in the root ("/img000.bin")
// keeps the root as its folder.
std::string SiblingPath(const std::string& path, const std::string& name);
// True when the path contains ".bin" anywhere (case-sensitive).
bool IsBinaryImagePath(const std::string& path);
