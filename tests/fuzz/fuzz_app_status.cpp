// The printer application's pure units over arbitrary input: the status file text, the
// serial taken from a device URI, and job attribute values mapped to the PPD's options.
// Input: [1 selector byte][the rest].
#include <cstdint>
#include <cstring>
#include <string>

#include "JobOptions.h"
#include "PrinterStatus.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0] % 3) {
    case 0: {
        const tq51m::PrinterStatus status = tq51m::ParseStatusText(text);
        if (status.supplyLevel < -1 || status.supplyLevel > 100)
            __builtin_trap();
        break;
    }
    case 1: {
        const std::string path = tq51m::StatusFilePath(text);
        if (!path.empty() && path.find('/', 5) != std::string::npos)
            __builtin_trap(); // the serial must never name another folder
        break;
    }
    default: {
        // Lines "name=value"; the first two name the media type and the page size.
        tq51m::JobRequest request;
        size_t start = 0;
        int line = 0;
        while (start <= text.size()) {
            size_t end = text.find('\n', start);
            if (end == std::string::npos)
                end = text.size();
            const std::string entry = text.substr(start, end - start);
            const size_t equals = entry.find('=');
            if (line == 0)
                request.mediaType = entry;
            else if (line == 1)
                request.pageSize = entry;
            else if (equals != std::string::npos)
                request.vendor.emplace_back(entry.substr(0, equals), entry.substr(equals + 1));
            ++line;
            start = end + 1;
        }
        for (const auto& option : tq51m::MapJobOptions(request))
            if (option.second.empty())
                __builtin_trap();
        break;
    }
    }
    return 0;
}
