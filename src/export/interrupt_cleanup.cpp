#include "export/interrupt_cleanup.h"

#include <array>
#include <atomic>
#include <csignal>
#include <cstring>
#include <mutex>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace kymata {

namespace {

/// One watched name. `state` is 0 when the slot is free, 1 while its path is being filled in
/// or emptied, 2 while the handler is to remove it; the handler reads only slots in state 2.
struct Slot {
    std::atomic<int> state{0};
    Leftover kind = Leftover::File;
    std::array<char, 4096> path{};
};

/// Room for the writes that may be under way at once: one file per thread, a frames folder and
/// the folder it replaces.
std::array<Slot, 16> Slots;

constexpr int Interruptions[] = {SIGINT, SIGTERM, SIGHUP};

/// The entries of the folder open as `folder`, removed, and folders in it to `depth` levels;
/// only calls that are safe in a signal handler.
void EmptyFolder(int folder, int depth) {
    alignas(8) char buffer[4096];
    for (;;) {
        const long n = ::syscall(SYS_getdents64, folder, buffer, sizeof buffer);
        if (n <= 0) {
            return;
        }
        for (long at = 0; at < n;) {
            struct Entry {
                ino64_t inode;
                off64_t next;
                unsigned short length;
                unsigned char type;
                char name[1];
            };
            const auto* entry = reinterpret_cast<const Entry*>(buffer + at);
            at += entry->length;
            const char* name = entry->name;
            if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) {
                continue;
            }
            if (entry->type == DT_DIR && depth > 0) {
                const int inner = ::openat(folder, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
                if (inner >= 0) {
                    EmptyFolder(inner, depth - 1);
                    ::close(inner);
                }
                ::unlinkat(folder, name, AT_REMOVEDIR);
            } else {
                ::unlinkat(folder, name, 0);
            }
        }
    }
}

void RemoveWatched() {
    for (Slot& slot : Slots) {
        if (slot.state.load(std::memory_order_acquire) != 2) {
            continue;
        }
        const char* path = slot.path.data();
        if (slot.kind == Leftover::File) {
            ::unlink(path);
            continue;
        }
        ::chmod(path, 0700);
        const int folder = ::open(path, O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
        if (folder >= 0) {
            EmptyFolder(folder, 2);
            ::close(folder);
        }
        ::rmdir(path);
    }
}

/// Removes what the writes under way have made, then ends the program by the same signal.
void OnInterruption(int signal) {
    RemoveWatched();
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    sigemptyset(&standard.sa_mask);
    ::sigaction(signal, &standard, nullptr);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, signal);
    ::raise(signal);
    ::sigprocmask(SIG_UNBLOCK, &only, nullptr);
    // Not reached: the signal ends the program once it is unblocked.
    ::_exit(128 + signal);
}

/// The handler, for every interruption still at its standard disposition.
void InstallHandlers() {
    for (const int signal : Interruptions) {
        struct sigaction current {};
        if (::sigaction(signal, nullptr, &current) != 0 || current.sa_handler != SIG_DFL ||
            (current.sa_flags & SA_SIGINFO) != 0) {
            continue;
        }
        struct sigaction handler {};
        handler.sa_handler = OnInterruption;
        sigemptyset(&handler.sa_mask);
        for (const int other : Interruptions) {
            sigaddset(&handler.sa_mask, other);
        }
        ::sigaction(signal, &handler, nullptr);
    }
}

} // namespace

RemovedIfInterrupted::RemovedIfInterrupted(const std::string& path, Leftover kind) {
    static std::once_flag installed;
    std::call_once(installed, InstallHandlers);
    if (path.empty() || path.size() >= Slots[0].path.size()) {
        return;
    }
    for (std::size_t i = 0; i < Slots.size(); ++i) {
        int free = 0;
        if (Slots[i].state.compare_exchange_strong(free, 1, std::memory_order_acquire)) {
            Slots[i].kind = kind;
            std::memcpy(Slots[i].path.data(), path.c_str(), path.size() + 1);
            Slots[i].state.store(2, std::memory_order_release);
            slot_ = static_cast<int>(i);
            return;
        }
    }
}

RemovedIfInterrupted::~RemovedIfInterrupted() {
    Release();
}

void RemovedIfInterrupted::Release() {
    if (slot_ >= 0) {
        Slots[static_cast<std::size_t>(slot_)].state.store(0, std::memory_order_release);
        slot_ = -1;
    }
}

} // namespace kymata
