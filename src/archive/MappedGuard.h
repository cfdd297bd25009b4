#pragma once

#include <QString>

#include <cstddef>

// Keeps a scan alive when a mapped archive fails under it. A mapping of a file that becomes shorter
// while it is read (a restore, a copy replaced by hand) or whose network share drops raises SIGBUS at
// the first touch of a page that is gone, and the process would die. A guarded range is watched: the
// process-wide handler puts a page of zeros in place of a page of the range that faulted, notes the
// fault, and lets the reader go on; the reader asks faulted() before it hands out the next record
// and ends the scan as failed. A SIGBUS outside every guarded range goes on to the handler that was
// there before (or kills the process as without this guard).
//
// Also tells whether a file lies on a network file system (SMB/CIFS, NFS, FUSE, ...), where reading
// with plain positioned reads is the safer way.
namespace MappedGuard {

// Starts watching a mapped range; returns a slot for faulted() and unwatch(), or -1 when none is free
// or the platform needs no guard (the range is then unwatched, as before).
int watch(const void *begin, std::size_t bytes);
void unwatch(int slot);
// True when a page of the slot's range faulted since watch().
bool faulted(int slot);

// True when the open file (its handle) lies on a network or user-space file system.
bool onNetworkFileSystem(int handle, const QString &path);

}  // namespace MappedGuard
