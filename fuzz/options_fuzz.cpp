// Command line: the input is split at NUL bytes into arguments after the program name.
#include <vector>

#include "app/options.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SilenceLog();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> words{"TavrelCmd.exe"};
    std::string word;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            words.push_back(word);
            word.clear();
        } else {
            word.push_back(static_cast<char>(data[i]));
        }
    }
    words.push_back(word);
    std::vector<const char*> argv;
    for (const std::string& w : words) argv.push_back(w.c_str());
    const ArgumentMap arguments(static_cast<int>(argv.size()), argv.data());
    CommandLineOptions options;
    if (ParseOptions(arguments, options) && options.sourceSerialNumber.empty()) {
        __builtin_trap();  // an accepted request always names a source device
    }
    return 0;
}
