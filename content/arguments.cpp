#include "arguments.h"

#include <algorithm>

namespace {

bool Listed(std::initializer_list<const char*> keys, const std::string& word) {
    return std::any_of(keys.begin(), keys.end(), [&](const char* key) { return word == key; });
}

}  // namespace

bool ParseArguments(const std::vector<std::string>& words, const char* what,
                    std::initializer_list<const char*> valueKeys,
                    std::initializer_list<const char*> flagKeys, Arguments& arguments,
                    std::string& error) {
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word.rfind("--", 0) != 0 || word.size() == 2) {
            arguments.positional.push_back(word);
        } else if (Listed(flagKeys, word)) {
            arguments.flags.insert(word);
        } else if (!Listed(valueKeys, word)) {
            error = "unknown option " + word;
            return false;
        } else if (i + 1 == words.size()) {
            error = word + " needs a value";
            return false;
        } else if (!arguments.values.emplace(word, words[++i]).second) {
            error = word + " is given twice";
            return false;
        }
    }
    if (arguments.positional.size() != 1) {
        error = std::string("one ") + what + " is expected, not " +
                std::to_string(arguments.positional.size());
        return false;
    }
    return true;
}
