// SPDX-License-Identifier: Apache-2.0
// The monitor's status file reader (createStatusMap) over arbitrary bytes, invalid UTF-8 and
// NUL bytes included.
#include <cstdlib>
#include <memory>
#include <string>

#include <QCoreApplication>
#include <QMap>
#include <QSet>
#include <QString>

#include "FuzzSupport.h"
#include "statusmonitor.h"

namespace {

const std::string& statusPath() {
    static const std::string path = fuzz::privateTmpName("fuzz-status") + ".log";
    return path;
}

const QSet<QString>& statusKeys() {
    static const QSet<QString> keys = {
        "PRINTER_STATUS", "PRINTER_MESSAGE", "PRINTER_VERSION", "PRINTER_SERIAL_NO", "MEDIA_SIZE",
        "MEDIA_CLASS",    "MEDIA_INITIAL",   "MEDIA_REMAIN",    "MEDIA_REMAIN_HALF", "TOTAL_COUNT"};
    return keys;
}

std::unique_ptr<QCoreApplication> app;
std::unique_ptr<StatusMonitor> monitor;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    app = std::make_unique<QCoreApplication>(*argc, *argv);
    monitor = std::make_unique<StatusMonitor>(QString::fromStdString(statusPath()), 500, nullptr);
    std::atexit([] {
        unlink(statusPath().c_str());
        monitor.reset();
        app.reset();
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!fuzz::writeFile(statusPath(), std::string(reinterpret_cast<const char*>(data), size)))
        return 0;
    QMap<QString, QString> record;
    record.insert("LEFT_OVER", "x");
    const bool read = monitor->createStatusMap(record);

    // The file exists, so the record is either empty (wrong shape) or holds only status keys,
    // with a state code that is never empty.
    if (!read && !record.isEmpty())
        std::abort();
    for (auto it = record.cbegin(); it != record.cend(); ++it) {
        if (!statusKeys().contains(it.key()))
            std::abort();
    }
    if (record.contains("PRINTER_STATUS") && record.value("PRINTER_STATUS").isEmpty())
        std::abort();
    return 0;
}
