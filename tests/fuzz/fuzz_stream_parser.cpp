// SPDX-License-Identifier: Apache-2.0
// The command-stream parser shared by the inspector and the emulator, over arbitrary bytes.
#include <cstdlib>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "tq51m_stream.h"

namespace {

// Uses every part of what the parser hands out the way the inspector does.
class ListingHandler : public tq51m::StreamHandler {
  public:
    bool onCommand(const tq51m::Command& command, std::string&) override {
        m_chars += tq51m::describeCommand(command).size();
        return true;
    }
    bool onSheet(const tq51m::Sheet& sheet, std::string&) override {
        m_chars += tq51m::describeSheet(sheet).size();
        if (sheet.height() > 0) {
            std::vector<std::uint8_t> row(std::size_t(sheet.width()) * 3);
            sheet.rgbRow(0, row.data());
            sheet.rgbRow(sheet.height() - 1, row.data());
        }
        return true;
    }

  private:
    std::size_t m_chars = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tq51m::MemorySource source(data, size);
    ListingHandler handler;
    tq51m::ParseError error;
    if (!tq51m::parseStream(source, handler, error) && error.message.empty())
        std::abort();
    return 0;
}
