#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csetjmp>
#include <csignal>

#include "scenario/file_pieces.h"
#include "scenario/paths.h"

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

enum class Mapped { kDone, kFailed, kNotMappable };

Mapped consumeMapped(const std::string& path, uint64_t size, const FilePieceConsumer& consume) {
    FileDescriptor file{::open(nativePath(path).c_str(), O_RDONLY | O_CLOEXEC)};
    struct stat status {};
    if (file.fd < 0 || ::fstat(file.fd, &status) != 0) return Mapped::kFailed;
    if (!S_ISREG(status.st_mode) || static_cast<uint64_t>(status.st_size) != size) {
        return Mapped::kFailed;
    }
    if (size == 0) return Mapped::kDone;
    if (size > SIZE_MAX || !installBusErrorHandler()) return Mapped::kNotMappable;
    int flags = MAP_PRIVATE;
#ifdef MAP_POPULATE
    flags |= MAP_POPULATE;  // one call fills the page tables instead of a fault per page
#endif
    void* view = ::mmap(nullptr, static_cast<size_t>(size), PROT_READ, flags, file.fd, 0);
    if (view == MAP_FAILED) return Mapped::kNotMappable;
    const bool ok = consumeGuarded(static_cast<const uint8_t*>(view), size, consume);
    ::munmap(view, static_cast<size_t>(size));
    return ok ? Mapped::kDone : Mapped::kFailed;
}

}  // namespace

bool readFilePieces(const std::string& path, uint64_t size, size_t pieceUnit,
                    std::vector<uint8_t>& scratch, const FilePieceConsumer& consume) {
    switch (consumeMapped(path, size, consume)) {
        case Mapped::kDone:
            return true;
        case Mapped::kFailed:
            return false;
        case Mapped::kNotMappable:
            break;
    }
    return readFilePiecesBuffered(path, size, pieceUnit, scratch, consume);
}
