// The words of one command: its positional words in order, options with a value
// (--out <file>) and flags (--displayport).
#pragma once

#include <initializer_list>
#include <map>
#include <set>
#include <string>
#include <vector>

struct Arguments {
    std::vector<std::string> positional;
    std::map<std::string, std::string> values;
    std::set<std::string> flags;

    bool Has(const std::string& key) const { return values.count(key) != 0; }
    std::string Value(const std::string& key) const {
        const auto found = values.find(key);
        return found == values.end() ? std::string() : found->second;
    }
};

// Reads `words`; false with `error` for an unknown option, an option without its value,
// one given twice, or other than one positional word (the command's `what`).
bool ParseArguments(const std::vector<std::string>& words, const char* what,
                    std::initializer_list<const char*> valueKeys,
                    std::initializer_list<const char*> flagKeys, Arguments& arguments,
                    std::string& error);
