// SPDX-License-Identifier: Apache-2.0
#include "PvkImgLib_LinuxDef.h"

#include <cstdlib>
#include <cstring>

extern "C" {

HGLOBAL GlobalAlloc(unsigned int /*flags*/, size_t size) {
    return std::malloc(size);
}

void* GlobalLock(HGLOBAL handle) {
    return handle;
}

void GlobalUnlock(HGLOBAL /*handle*/) {}

void GlobalFree(HGLOBAL handle) {
    std::free(handle);
}

void CopyMemory(void* destination, const void* source, size_t length) {
    std::memcpy(destination, source, length);
}
}
