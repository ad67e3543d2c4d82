#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csetjmp>
#include <csignal>

#include "files/file_pieces.h"
#include "files/paths.h"

namespace {

// A mapped file that another program truncates raises SIGBUS on the next access
// past its new end. While a mapping is consumed, that signal jumps back here and
// the read fails like a short read, instead of ending the program.
thread_local sigjmp_buf* tBusErrorJump = nullptr;
struct sigaction gPreviousBusAction;

void onBusError(int, siginfo_t*, void*) {
    if (tBusErrorJump != nullptr) siglongjmp(*tBusErrorJump, 1);
    // Not a mapped read of ours: the fault repeats under the previous action.
    sigaction(SIGBUS, &gPreviousBusAction, nullptr);
}

// Installed once and left in place, so threads never swap handlers under each other.
bool installBusErrorHandler() {
    static const bool installed = [] {
        struct sigaction action {};
        action.sa_sigaction = onBusError;
        action.sa_flags = SA_SIGINFO;
        sigemptyset(&action.sa_mask);
        return sigaction(SIGBUS, &action, &gPreviousBusAction) == 0;
    }();
    return installed;
}

bool consumeGuarded(const uint8_t* data, size_t size, const FilePieceConsumer& consume) {
    sigjmp_buf jump;
    volatile bool completed = false;
    if (sigsetjmp(jump, 1) == 0) {
        tBusErrorJump = &jump;
        consume(0, data, size);
        completed = true;
    }
    tBusErrorJump = nullptr;
    return completed;
}

struct FileDescriptor {
    int fd = -1;
    ~FileDescriptor() {
        if (fd >= 0) ::close(fd);
    }
};

long pageSize() {
    static const long size = ::sysconf(_SC_PAGESIZE);
    return size;
}

}  // namespace

MappedRange consumeMappedRange(const std::string& path, uint64_t offset, uint64_t size,
                               bool wholeFile, const FilePieceConsumer& consume) {
    FileDescriptor file{::open(nativePath(path).c_str(), O_RDONLY | O_CLOEXEC)};
    struct stat status {};
    if (file.fd < 0 || ::fstat(file.fd, &status) != 0) return MappedRange::kFailed;
    const auto fileBytes = static_cast<uint64_t>(status.st_size);
    if (!S_ISREG(status.st_mode) || fileBytes < offset || fileBytes - offset < size ||
        (wholeFile && fileBytes != offset + size)) {
        return MappedRange::kFailed;
    }
    if (size == 0) return MappedRange::kDone;
    // The mapping starts on a page boundary at or before the range.
    const uint64_t skip = pageSize() > 0 ? offset % static_cast<uint64_t>(pageSize()) : 0;
    if (pageSize() <= 0 || size > SIZE_MAX - skip || offset - skip > INT64_MAX ||
        !installBusErrorHandler()) {
        return MappedRange::kNotMapped;
    }
    const auto length = static_cast<size_t>(size + skip);
    int flags = MAP_PRIVATE;
#ifdef MAP_POPULATE
    flags |= MAP_POPULATE;  // one call fills the page tables instead of a fault per page
#endif
    void* view =
        ::mmap(nullptr, length, PROT_READ, flags, file.fd, static_cast<off_t>(offset - skip));
    if (view == MAP_FAILED) return MappedRange::kNotMapped;
    const bool ok = consumeGuarded(static_cast<const uint8_t*>(view) + skip, size, consume);
    ::munmap(view, length);
    return ok ? MappedRange::kDone : MappedRange::kFailed;
}

bool readFilePieces(const std::string& path, uint64_t size, size_t pieceUnit,
                    std::vector<uint8_t>& scratch, const FilePieceConsumer& consume) {
    switch (consumeMappedRange(path, 0, size, true, consume)) {
        case MappedRange::kDone:
            return true;
        case MappedRange::kFailed:
            return false;
        case MappedRange::kNotMapped:
            break;
    }
    return readFilePiecesBuffered(path, size, pieceUnit, scratch, consume);
}
