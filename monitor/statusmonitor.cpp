// SPDX-License-Identifier: Apache-2.0
#include "statusmonitor.h"

#include <QBuffer>
#include <QFile>
#include <QTextCodec>
#include <QTextStream>
#include <QTimerEvent>

#include <StatusFile.h>

#include <string>
#include <utility>

#include <unistd.h>

namespace {

constexpr useconds_t kRetryDelayUs = 100000;

void fillOfflineRecord(QMap<QString, QString>& statusMap) {
    for (int key = 0; key < tq51m::kStatusKeyCount; ++key) {
        statusMap.insert(QString::fromLatin1(tq51m::StatusKeyName(tq51m::StatusKey(key))),
                         QString());
    }
    statusMap.insert(QStringLiteral("PRINTER_STATUS"), QStringLiteral("99999"));
    statusMap.insert(QStringLiteral("PRINTER_MESSAGE"), QStringLiteral("00006"));
}

// The file's text as a UTF-8 text stream reads it: a byte order mark at the start is dropped
// and broken sequences become U+FFFD.
QString decodeContent(QByteArray bytes) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QTextStream stream(&buffer);
    stream.setCodec("UTF-8");
    return stream.readAll();
}

// A value cut from the decoded text, turned back into a string without dropping a leading
// U+FEFF, which belongs to the value.
QString valueText(const std::string& value) {
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    return QTextCodec::codecForName("UTF-8")->toUnicode(value.data(), int(value.size()), &state);
}

// Symbolic links are followed: a link to a status file is read like the file itself.
bool readStatusText(const QString& path, QString& content) {
    std::string bytes;
    if (!tq51m::ReadStatusFile(QFile::encodeName(path).toStdString(), tq51m::StatusLinks::Follow,
                               bytes)) {
        return false;
    }
    content = decodeContent(QByteArray(bytes.data(), int(bytes.size())));
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

    QString content;
    if (!readStatusText(statusFilePath, content)) {
        usleep(kRetryDelayUs);
        if (!readStatusText(statusFilePath, content)) {
            fillOfflineRecord(statusMap);
            return false;
        }
    }

    tq51m::StatusFields fields;
    if (!tq51m::ParseStatusFields(content.toUtf8().toStdString(), fields)) {
        return false;
    }
    for (int key = 0; key < tq51m::kStatusKeyCount; ++key) {
        if (!fields.found[key]) {
            continue;
        }
        QString value = valueText(fields.value[key]);
        if (key == tq51m::kPrinterStatus && value.isEmpty()) {
            value = QStringLiteral("99999");
        }
        statusMap.insert(QString::fromLatin1(tq51m::StatusKeyName(tq51m::StatusKey(key))), value);
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
