// SPDX-License-Identifier: Apache-2.0
// Memory shims with Windows-style names. Every pixel and work block of the image
// library goes through them; they map onto the process allocator (malloc/free), so a
// caller may hand the library a buffer of its own and let the library release it.
#ifndef PVKIMGLIB_LINUXDEF_H
#define PVKIMGLIB_LINUXDEF_H

#include <stddef.h>

typedef void* HGLOBAL;

#ifdef __cplusplus
extern "C" {
#endif

// Allocates size bytes (not zero-filled); the block is its own handle. The flags are
// ignored. Returns null on failure.
HGLOBAL GlobalAlloc(unsigned int flags, size_t size);

// Returns the block's data pointer, which is the handle itself (null for null).
void* GlobalLock(HGLOBAL handle);

// Nothing to do: blocks never move.
void GlobalUnlock(HGLOBAL handle);

// Releases a block obtained from GlobalAlloc; null is ignored.
void GlobalFree(HGLOBAL handle);

// Copies length bytes between regions that do not overlap.
void CopyMemory(void* destination, const void* source, size_t length);

#ifdef __cplusplus
}
#endif

#endif
