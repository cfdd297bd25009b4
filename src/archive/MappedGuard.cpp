#include "archive/MappedGuard.h"

#include <QtGlobal>

#include <atomic>
#include <mutex>

#if defined(Q_OS_UNIX)
#  include <csignal>
#  include <sys/mman.h>
#  include <unistd.h>
#endif
#if defined(Q_OS_LINUX)
#  include <sys/vfs.h>
#elif defined(Q_OS_DARWIN) || defined(Q_OS_FREEBSD)
#  include <sys/mount.h>
#  include <sys/param.h>
#elif defined(Q_OS_WIN)
#  include <windows.h>
#endif

namespace MappedGuard {

#if defined(Q_OS_UNIX)

namespace {

// A fixed table, read by the signal handler without locks.
constexpr int kSlots = 64;
struct Slot
{
    std::atomic<std::uintptr_t> begin{0};
    std::atomic<std::uintptr_t> end{0};
    std::atomic<bool> faulted{false};
    std::atomic<bool> used{false};
};
Slot g_slots[kSlots];
std::uintptr_t g_pageSize = 4096;
struct sigaction g_previous;

void passOn(int signal, siginfo_t *info, void *context)
{
    if (g_previous.sa_flags & SA_SIGINFO) {
        if (g_previous.sa_sigaction) {
            g_previous.sa_sigaction(signal, info, context);
            return;
        }
    } else if (g_previous.sa_handler != SIG_DFL && g_previous.sa_handler != SIG_IGN) {
        g_previous.sa_handler(signal);
        return;
    }
    // As without this handler: the default action, which ends the process.
    struct sigaction fallback = {};
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    sigaction(signal, &fallback, nullptr);
    raise(signal);
}

void onBusError(int signal, siginfo_t *info, void *context)
{
    const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
    for (Slot &slot : g_slots) {
        const std::uintptr_t begin = slot.begin.load(std::memory_order_acquire);
        if (begin == 0 || address < begin || address >= slot.end.load(std::memory_order_acquire))
            continue;
        // The page is gone from the file: zeros in its place, and the reader is told.
        const std::uintptr_t page = address & ~(g_pageSize - 1);
        void *replaced =
            mmap(reinterpret_cast<void *>(page), g_pageSize, PROT_READ, MAP_FIXED | MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (replaced == MAP_FAILED)
            break;
        slot.faulted.store(true, std::memory_order_release);
        return;
    }
    passOn(signal, info, context);
}

void install()
{
    static std::once_flag once;
    std::call_once(once, [] {
        const long pageSize = sysconf(_SC_PAGESIZE);
        if (pageSize > 0)
            g_pageSize = std::uintptr_t(pageSize);
        struct sigaction action = {};
        action.sa_sigaction = onBusError;
        action.sa_flags = SA_SIGINFO | SA_NODEFER;
        sigemptyset(&action.sa_mask);
        sigaction(SIGBUS, &action, &g_previous);
    });
}

}  // namespace

int watch(const void *begin, std::size_t bytes)
{
    install();
    for (int i = 0; i < kSlots; ++i) {
        bool free = false;
        if (!g_slots[i].used.compare_exchange_strong(free, true))
            continue;
        const auto start = reinterpret_cast<std::uintptr_t>(begin);
        g_slots[i].faulted.store(false);
        g_slots[i].end.store(start + bytes, std::memory_order_release);
        g_slots[i].begin.store(start, std::memory_order_release);
        return i;
    }
    return -1;
}

void unwatch(int slot)
{
    if (slot < 0 || slot >= kSlots)
        return;
    g_slots[slot].begin.store(0, std::memory_order_release);
    g_slots[slot].end.store(0, std::memory_order_release);
    g_slots[slot].used.store(false, std::memory_order_release);
}

bool faulted(int slot)
{
    return slot >= 0 && slot < kSlots && g_slots[slot].faulted.load(std::memory_order_acquire);
}

#else

int watch(const void *, std::size_t)
{
    return -1;
}

void unwatch(int)
{
}

bool faulted(int)
{
    return false;
}

#endif

bool onNetworkFileSystem(int handle, const QString &path)
{
#if defined(Q_OS_LINUX)
    Q_UNUSED(path);
    struct statfs info;
    if (fstatfs(handle, &info) != 0)
        return false;
    switch (static_cast<unsigned long>(info.f_type)) {
    case 0x6969UL:      // NFS
    case 0x517BUL:      // SMB
    case 0xFE534D42UL:  // SMB2
    case 0xFF534D42UL:  // CIFS
    case 0x65735546UL:  // FUSE (sshfs, gvfs, ...)
    case 0x564CUL:      // NCP
    case 0x5346414FUL:  // AFS
    case 0x00C36400UL:  // Ceph
    case 0x01021997UL:  // 9P
    case 0x73757245UL:  // Coda
    case 0x47504653UL:  // GPFS
        return true;
    default: return false;
    }
#elif defined(Q_OS_DARWIN) || defined(Q_OS_FREEBSD)
    Q_UNUSED(path);
    struct statfs info;
    return fstatfs(handle, &info) == 0 && !(info.f_flags & MNT_LOCAL);
#elif defined(Q_OS_WIN)
    Q_UNUSED(handle);
    const QString native = QString(path).replace(QLatin1Char('/'), QLatin1Char('\\'));
    if (native.startsWith(QLatin1String("\\\\")))
        return true;
    const QString root = native.left(3);
    return root.size() == 3 && root.at(1) == QLatin1Char(':')
           && GetDriveTypeW(reinterpret_cast<const wchar_t *>(root.utf16())) == DRIVE_REMOTE;
#else
    Q_UNUSED(handle);
    Q_UNUSED(path);
    return false;
#endif
}

}  // namespace MappedGuard
