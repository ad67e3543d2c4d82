// Folders the program writes into: made on demand, listed, and cleared of its own
// earlier files. Paths as everywhere else: "\" maps to "/" on POSIX.
#pragma once

#include <string>
#include <vector>

// Makes the folder and any missing parents; true when it is a folder afterwards.
bool makeFolders(const std::string& path);
// Names of the regular files directly in the folder; empty when it cannot be read.
std::vector<std::string> folderFileNames(const std::string& path);
// Removes a file; true when it is gone afterwards.
bool removeFile(const std::string& path);
