// Global memory blocks with the Windows names, as the clipboard exchanges them: a handle names
// a block of bytes that a caller locks to reach. Every live block is filed in one registry for
// the process, so a null, freed or made-up handle is answered with a failure, never followed.
#pragma once

#include <cstddef>

#include "platform/base/WinTypes.h"

// The largest block handed out; a larger request fails as if memory had run out.
constexpr SIZE_T kGlobalAllocMaxBytes = SIZE_T(1) << 30;

// What GlobalFlags answers besides the lock count in its low byte.
constexpr UINT GMEM_LOCKCOUNT = 0x00FF;
constexpr UINT GMEM_INVALID_HANDLE = 0x8000;

// A new block of `bytes` bytes, always zero-filled (GMEM_ZEROINIT or not), or null when the
// memory cannot be had or exceeds kGlobalAllocMaxBytes. Zero bytes give a valid empty block.
// Every block is movable whatever the flags say: its handle is not a pointer to the bytes,
// so a caller asking for a fixed block must still lock it.
HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
// The block's bytes, its lock count raised by one; null for an empty block or a handle that
// names no live block (no lock is then taken).
LPVOID GlobalLock(HGLOBAL block);
// Lowers the lock count; TRUE while the block stays locked, FALSE once the count is 0 (or was
// already, or the handle names no live block).
BOOL GlobalUnlock(HGLOBAL block);
// The block's size in bytes; 0 for an empty block or a handle that names no live block.
SIZE_T GlobalSize(HGLOBAL block);
// The lock count (at most GMEM_LOCKCOUNT), or GMEM_INVALID_HANDLE when no live block is named.
UINT GlobalFlags(HGLOBAL block);
// Frees the block, locked or not. Answers null on success (a null handle is nothing to free)
// and the handle itself when it names no live block.
HGLOBAL GlobalFree(HGLOBAL block);

// For leak checks in tests: how many blocks are live.
size_t GlobalBlockCount();
