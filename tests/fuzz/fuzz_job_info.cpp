// SPDX-License-Identifier: Apache-2.0
// Job information reader over arbitrary files, keys and buffer sizes.
// Input: [1-byte length][key][1-byte buffer size][1 flag byte][file content].
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "Common.h"
#include "FuzzSupport.h"

namespace {

const std::string& jobId() {
    static const std::string id = "fuzz-info-" + std::to_string(getpid());
    return id;
}

std::string infoPath() {
    return "/tmp/Print_" + jobId() + ".log";
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::atexit([] { unlink(infoPath().c_str()); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Reader in(data, size);
    const std::string keyField = in.shortField();
    // The key as the reader takes it, a C string: up to its first NUL byte.
    const std::string key = keyField.substr(0, keyField.find('\0'));
    const int bufSize = in.byte();
    const uint8_t flags = in.byte();
    const bool missingFile = flags & 1;
    const bool negativeSize = flags & 2;
    const std::string content = in.rest();
    if (missingFile)
        unlink(infoPath().c_str());
    else if (!fuzz::writeFile(infoPath(), content))
        return 0;

    // Exactly bufSize bytes, so that a write past the end is caught.
    std::unique_ptr<char[]> buf(new char[bufSize]());
    _GetValuePrInfoFile(key.c_str(), jobId().c_str(), buf.get(), negativeSize ? -bufSize : bufSize);

    // The buffer is either untouched (all zero) or holds a terminated value without quotes,
    // line feeds or characters of the key.
    const size_t len = strnlen(buf.get(), size_t(bufSize));
    if (len == size_t(bufSize)) {
        if (bufSize != 0)
            std::abort();
        return 0;
    }
    if (negativeSize && len != 0)
        std::abort();
    for (size_t i = 0; i < len; ++i) {
        const char c = buf[i];
        if (c == '"' || c == '\n' || key.find(c) != std::string::npos)
            std::abort();
    }
    _GetValuePrInfoFile(key.c_str(), jobId().c_str(), nullptr, bufSize);
    return 0;
}
