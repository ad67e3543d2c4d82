// The per-folder frame format table.
#include "files/paths.h"
#include "files/text.h"
#include "fuzz_support.h"
#include "upload/frame_format_table.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SilenceLog();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const FormatTable table = parseFormatTable(FuzzText(data, size));
    for (const auto& [name, format] : table) {
        // Entries are trimmed pieces of one line: no line breaks, no outer blanks.
        if (name.find('\n') != std::string::npos || trim(name) != name) __builtin_trap();
        if (FormatOf(table, name) != format) __builtin_trap();
    }
    return 0;
}
