// SPDX-License-Identifier: Apache-2.0
#include "statusmonitor.h"

#include <QFile>
#include <QStringList>
#include <QTextStream>
#include <QTimerEvent>

#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The backend writes 17 lines, each ending in a line feed: 18 parts after the split.
constexpr int kStatusFileParts = 18;
constexpr useconds_t kRetryDelayUs = 100000;
// The backend's file is well under a kilobyte; anything far larger is not a status file.
constexpr off_t kMaxStatusFileSize = 1024 * 1024;

struct StatusKey {
    const char* prefix;
    const char* key;
};

// The order in which the keys must appear in the file.
const StatusKey kStatusKeys[] = {
    {"PRINTER_STATUS=", "PRINTER_STATUS"},
    {"PRINTER_MESSAGE=", "PRINTER_MESSAGE"},
    {"PRINTER_VERSION=", "PRINTER_VERSION"},
    {"PRINTER_SERIAL_NO=", "PRINTER_SERIAL_NO"},
    {"MEDIA_SIZE=", "MEDIA_SIZE"},
    {"MEDIA_CLASS=", "MEDIA_CLASS"},
    {"MEDIA_INITIAL=", "MEDIA_INITIAL"},
    {"MEDIA_REMAIN=", "MEDIA_REMAIN"},
    {"MEDIA_REMAIN_HALF=", "MEDIA_REMAIN_HALF"},
    {"TOTAL_COUNT=", "TOTAL_COUNT"},
};
constexpr int kStatusKeyCount = sizeof(kStatusKeys) / sizeof(kStatusKeys[0]);

void fillOfflineRecord(QMap<QString, QString>& statusMap) {
    for (const StatusKey& entry : kStatusKeys) {
        statusMap.insert(QString::fromLatin1(entry.key), QString());
    }
    statusMap.insert(QStringLiteral("PRINTER_STATUS"), QStringLiteral("99999"));
    statusMap.insert(QStringLiteral("PRINTER_MESSAGE"), QStringLiteral("00006"));
}

// The text between the first and the second double quote; a line without one holds none.
QString quotedValue(const QString& line) {
    const QStringList fields = line.split(QLatin1Char('"'), Qt::KeepEmptyParts);
    return fields.size() > 1 ? fields.at(1) : QString();
}

// Opens the status file for reading. Its name in /tmp is predictable, so only a regular file
// of a sane size is read: a FIFO planted there would block the window forever on open, and
// a link to an endless device would exhaust memory.
bool openStatusFile(const QString& path, QFile& file) {
    const int fd = open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > kMaxStatusFileSize ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        close(fd);
        return false;
    }
    return true;
}

} // namespace

StatusMonitor::StatusMonitor(QString path, int interval, QObject* parent)
    : QObject(parent), intervalMs(interval), timerId(0), statusFilePath(std::move(path)) {
    timerId = startTimer(intervalMs, Qt::CoarseTimer);
}

StatusMonitor::~StatusMonitor() {
    killTimer(timerId);
}

bool StatusMonitor::createStatusMap(QMap<QString, QString>& statusMap) {
    statusMap.clear();
    if (!QFile::exists(statusFilePath)) {
        fillOfflineRecord(statusMap);
        return false;
    }

    QFile file;
    if (!openStatusFile(statusFilePath, file)) {
        usleep(kRetryDelayUs);
        if (!openStatusFile(statusFilePath, file)) {
            fillOfflineRecord(statusMap);
            return false;
        }
    }
    QTextStream stream(&file);
    stream.setCodec("UTF-8");
    const QString content = stream.readAll();
    file.close();

    const QStringList parts = content.split(QLatin1Char('\n'), Qt::KeepEmptyParts);
    if (parts.size() != kStatusFileParts) {
        return false;
    }

    int cursor = 0;
    for (const QString& part : parts) {
        const StatusKey& expected = kStatusKeys[cursor];
        if (!part.startsWith(QLatin1String(expected.prefix), Qt::CaseSensitive)) {
            continue;
        }
        QString value = quotedValue(part);
        if (cursor == 0 && value.isEmpty()) {
            value = QStringLiteral("99999");
        }
        statusMap.insert(QString::fromLatin1(expected.key), value);
        if (cursor < kStatusKeyCount - 1) {
            ++cursor;
        }
    }
    return true;
}

QMap<QString, QString> StatusMonitor::getPrinterStatus() {
    QMap<QString, QString> statusMap;
    if (!createStatusMap(statusMap)) {
        usleep(kRetryDelayUs);
        createStatusMap(statusMap);
    }
    return statusMap;
}

void StatusMonitor::timerEvent(QTimerEvent* event) {
    if (event->timerId() == timerId) {
        emit statusNotification(getPrinterStatus());
    }
}
