#include "StreamReading.h"

namespace support {

namespace {

class KeepEverything : public tq51m::StreamHandler {
  public:
    explicit KeepEverything(DecodedStream& stream) : m_stream(stream) {}
    bool onCommand(const tq51m::Command& command, std::string&) override {
        m_stream.commands.push_back(command);
        if (command.group == "CNTRL" && command.name == "START")
            m_stream.sheetCommandsAfterLastStart = 0;
        else if (command.group == "IMAGE")
            ++m_stream.sheetCommandsAfterLastStart;
        if (command.group == "CNTRL" && command.name != "START")
            m_pending.push_back(command.name + "=" + PayloadText(command));
        return true;
    }
    bool onSheet(const tq51m::Sheet& sheet, std::string&) override {
        m_stream.sheets.push_back(sheet);
        m_stream.controls.push_back(m_pending);
        m_pending.clear();
        return true;
    }

  private:
    DecodedStream& m_stream;
    std::vector<std::string> m_pending;
};

} // namespace

std::vector<std::string> DecodedStream::Names() const {
    std::vector<std::string> names;
    for (const tq51m::Command& command : commands)
        names.push_back(command.group + " " + command.name);
    return names;
}

DecodedStream DecodeStream(const std::string& bytes) {
    DecodedStream stream;
    tq51m::MemorySource source(bytes.data(), bytes.size());
    KeepEverything handler(stream);
    tq51m::ParseError error;
    stream.whole = tq51m::parseStream(source, handler, error);
    stream.error = error.message;
    return stream;
}

std::string PayloadText(const tq51m::Command& command) {
    return std::string(command.payload.begin(), command.payload.end());
}

} // namespace support
