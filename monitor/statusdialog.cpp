// SPDX-License-Identifier: Apache-2.0
#include "statusdialog.h"
#include "appprinters.h"
#include "statusmonitor.h"
#include "ui_statusdialog.h"

#include <QApplication>
#include <QByteArray>
#include <QEvent>
#include <QGraphicsScene>
#include <QPixmap>
#include <QScreen>
#include <QStyle>
#include <QVector>

#include <DeviceSerial.h>
#include <cups/cups.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char kBackendUriPrefix[] = "velmora-zelbackend://VELMORA/TQ-51M?serial=";
const char kModelName[] = "TQ-51M";
const char kUtilFormat[] = "/tmp/%s_%s_UTIL";
const char kTcUtilFormat[] = "/tmp/%s_%s_TC_UTIL";
const char kNoValue[] = "---";
const char kNoMediaClass[] = "[ --- ]";
const char kOfflineImage[] = ":/images/PrtStsOffline.bmp";
const char kSystemErrorImage[] = ":/images/PrtStsSystemErr01.bmp";

constexpr int kPollIntervalMs = 500;
constexpr int kOfflineState = 99999;
constexpr int kRibbonEndState = 1200;
constexpr int kStatusImageSize = 80;
constexpr mode_t kRequestFileMode = 0666;

// Request paths are formatted into a buffer of this size; a serial number that does
// not fit the longer of the two request names identifies no printer.
constexpr size_t kRequestPathSize = 128;
constexpr int kMaxSerialBytes = int(kRequestPathSize - sizeof("/tmp/TQ-51M__TC_UTIL"));

struct PrinterState {
    int code;
    const char* textKey;
    const char* image;
    bool takesMediaNote;
};

const PrinterState kPrinterStates[] = {
    {0, QT_TRANSLATE_NOOP("StatusDialog", "st_00000"), ":/images/PrtStsIdle.bmp", true},
    {1, QT_TRANSLATE_NOOP("StatusDialog", "st_00001"), ":/images/PrtStsPrinting.bmp", true},
    {500, QT_TRANSLATE_NOOP("StatusDialog", "st_00500"), ":/images/PrtStsCooling.bmp", true},
    {900, QT_TRANSLATE_NOOP("StatusDialog", "st_00900"), ":/images/PrtStsIdle.bmp", true},
    {1000, QT_TRANSLATE_NOOP("StatusDialog", "st_01000"), ":/images/PrtStsCoverOpen.bmp", true},
    {1010, QT_TRANSLATE_NOOP("StatusDialog", "st_01010"), ":/images/PrtStsNoScrapBox.bmp", true},
    {1100, QT_TRANSLATE_NOOP("StatusDialog", "st_01100"), ":/images/PrtStsPaperEnd.bmp", true},
    {1200, QT_TRANSLATE_NOOP("StatusDialog", "st_01200"), ":/images/PrtStsRibbonEnd.bmp", false},
    {1300, QT_TRANSLATE_NOOP("StatusDialog", "st_01300"), ":/images/PrtStsPaperJam.bmp", true},
    {1400, QT_TRANSLATE_NOOP("StatusDialog", "st_01400"), ":/images/PrtStsRibbonErr.bmp", true},
    {1500, QT_TRANSLATE_NOOP("StatusDialog", "st_01500"), ":/images/PrtStsPaperErr.bmp", true},
    {1600, QT_TRANSLATE_NOOP("StatusDialog", "st_01600"), kSystemErrorImage, false},
    {2000, QT_TRANSLATE_NOOP("StatusDialog", "st_02000"), kSystemErrorImage, false},
    {2100, QT_TRANSLATE_NOOP("StatusDialog", "st_02100"), kSystemErrorImage, false},
    {2200, QT_TRANSLATE_NOOP("StatusDialog", "st_02200"), kSystemErrorImage, false},
    {2300, QT_TRANSLATE_NOOP("StatusDialog", "st_02300"), kSystemErrorImage, false},
    {2400, QT_TRANSLATE_NOOP("StatusDialog", "st_02400"), kSystemErrorImage, false},
    {2500, QT_TRANSLATE_NOOP("StatusDialog", "st_02500"), kSystemErrorImage, false},
    {2600, QT_TRANSLATE_NOOP("StatusDialog", "st_02600"), kSystemErrorImage, false},
    {2610, QT_TRANSLATE_NOOP("StatusDialog", "st_02610"), kSystemErrorImage, false},
    {2700, QT_TRANSLATE_NOOP("StatusDialog", "st_02700"), kSystemErrorImage, false},
    {2800, QT_TRANSLATE_NOOP("StatusDialog", "st_02800"), kSystemErrorImage, false},
    {3000, QT_TRANSLATE_NOOP("StatusDialog", "st_03000"), kSystemErrorImage, false},
    {kOfflineState, QT_TRANSLATE_NOOP("StatusDialog", "st_99999"), kOfflineImage, false},
};
// Any state code missing from the table is shown as a system error.
const PrinterState kUnknownState = {0, QT_TRANSLATE_NOOP("StatusDialog", "st_03000"),
                                    kSystemErrorImage, false};

const PrinterState& findPrinterState(int code) {
    for (const PrinterState& state : kPrinterStates) {
        if (state.code == code) {
            return state;
        }
    }
    return kUnknownState;
}

struct MediaSize {
    int code;
    const char* sizeKey;
    const char* halfSizeName;
};

const MediaSize kMediaSizes[] = {
    {500, QT_TRANSLATE_NOOP("StatusDialog", "size_00500"), "8x5in"},
    {510, QT_TRANSLATE_NOOP("StatusDialog", "size_00510"), "8x6in"},
    {600, QT_TRANSLATE_NOOP("StatusDialog", "size_00600"), "A5"},
};

const MediaSize* findMediaSize(const QString& value) {
    const int code = value.toInt(nullptr, 10);
    for (const MediaSize& size : kMediaSizes) {
        if (size.code == code) {
            return &size;
        }
    }
    return nullptr;
}

struct MediaClass {
    int code;
    const char* classKey;
};

const MediaClass kMediaClasses[] = {
    {1, QT_TRANSLATE_NOOP("StatusDialog", "class_0001")},
    {2, QT_TRANSLATE_NOOP("StatusDialog", "class_0002")},
    {3, QT_TRANSLATE_NOOP("StatusDialog", "class_0003")},
    {1304, QT_TRANSLATE_NOOP("StatusDialog", "class_1304")},
    {1323, QT_TRANSLATE_NOOP("StatusDialog", "class_1323")},
};

// Message codes with a catalogue entry: 1 to 6, 100 to 108 and 200 to 210.
bool hasMessageEntry(int code) {
    return (code >= 1 && code <= 6) || (code >= 100 && code <= 108) || (code >= 200 && code <= 210);
}

// Remaining media in percent, in single precision and truncated. A quotient too large for
// an int gives -1, which the progress bar ignores like any other value out of its range.
int remainingPercent(int remain, int initial) {
    const float ratio = float(remain) / float(initial);
    const float scaled = ratio * 100.0f;
    if (!(scaled > -2147483648.0f && scaled < 2147483648.0f)) {
        return -1;
    }
    return int(scaled);
}

// The CUPS queues of this printer, as name and device URI, in the order CUPS lists them.
// Only local destinations are enumerated: browsing the network for printers blocks for a
// long time when a service discovery daemon runs, and a queue of our backend is always local.
struct RecognisedQueue {
    QString name;
    QString deviceUri;
};

// A classic queue prints through the backend; a queue that may lead to the printer
// application prints over IPP (a driverless queue).
bool isClassicQueue(const char* uri, const cups_dest_t*) {
    return std::strstr(uri, kBackendUriPrefix) != nullptr;
}

bool mayBeAppQueue(const char* uri, const cups_dest_t*) {
    return std::strncmp(uri, "ipp://", 6) == 0 || std::strncmp(uri, "ipps://", 7) == 0;
}

// Calls visit for each queue that accept takes until visit returns false.
void enumerateQueues(bool (*accept)(const char*, const cups_dest_t*),
                     const std::function<bool(const RecognisedQueue&)>& visit) {
    struct Walk {
        bool (*accept)(const char*, const cups_dest_t*);
        const std::function<bool(const RecognisedQueue&)>* visit;
    } walk = {accept, &visit};
    auto callback = [](void* userData, unsigned flags, cups_dest_t* dest) -> int {
        const Walk& walk = *static_cast<const Walk*>(userData);
        if ((flags & CUPS_DEST_FLAGS_REMOVED) != 0 || dest->name == nullptr) {
            return 1;
        }
        const char* uri = cupsGetOption("device-uri", dest->num_options, dest->options);
        if (uri == nullptr || !walk.accept(uri, dest)) {
            return 1;
        }
        return (*walk.visit)({QString::fromUtf8(dest->name), QString::fromUtf8(uri)}) ? 1 : 0;
    };
    cupsEnumDests(CUPS_DEST_FLAGS_NONE, 0, nullptr, 0, CUPS_PRINTER_DISCOVERED, callback, &walk);
}

void enumerateRecognisedQueues(const std::function<bool(const RecognisedQueue&)>& visit) {
    enumerateQueues(isClassicQueue, visit);
}

// The printers beside the classic queues: the CUPS queues that lead to the printer
// application, then the application's own printers. Each comes with its serial number.
struct ServedPrinter {
    QString name;
    QString serial;
};

QVector<ServedPrinter> findServedPrinters() {
    QVector<ServedPrinter> printers;
    enumerateQueues(mayBeAppQueue, [&printers](const RecognisedQueue& queue) {
        QString serial;
        if (findAppPrinterSerial(queue.deviceUri, &serial)) {
            printers.append({queue.name, serial});
        }
        return true;
    });
    for (const AppPrinter& printer : findAppPrinters()) {
        printers.append({StatusDialog::tr("app_printer").arg(printer.name), printer.serial});
    }
    return printers;
}

// A serial number names files in /tmp: it must stay inside that folder and fit the
// request path buffer, else the printer cannot be identified.
bool isUsableSerial(const std::string& serial) {
    return tq51m::SerialStaysInTmp(serial) &&
           QString::fromLatin1(serial.data(), int(serial.size())).toUtf8().size() <=
               kMaxSerialBytes;
}

QByteArray requestFilePath(const char* format, const QString& serial) {
    char path[kRequestPathSize];
    std::snprintf(path, sizeof(path), format, kModelName, serial.toUtf8().constData());
    return QByteArray(path);
}

// Creates the request file empty with mode 0666, or empties it when it exists already.
// The names are predictable in a shared folder, so a symbolic link is never followed, only
// a regular file is truncated, and only a file created here gets its mode changed.
bool createRequestFile(const QByteArray& path) {
    int fd = open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                  kRequestFileMode);
    if (fd >= 0) {
        const bool modeSet = fchmod(fd, kRequestFileMode) == 0;
        close(fd);
        return modeSet;
    }
    if (errno != EEXIST) {
        return false;
    }
    fd = open(path.constData(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat info;
    const bool truncated = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ftruncate(fd, 0) == 0;
    close(fd);
    return truncated;
}

void removeFileIfPresent(const QByteArray& path) {
    unlink(path.constData());
}

QRect centredOnPrimaryScreen(const QSize& size) {
    return QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size,
                               QGuiApplication::primaryScreen()->availableGeometry());
}

} // namespace

StatusDialog::StatusDialog(QWidget* parent)
    : QDialog(parent), ui(new Ui_StatusDialog), statusMonitor(nullptr), threadRunning(false),
      versionDialog(nullptr), statusScene(nullptr) {
    ui->setupUi(this);
    ui->printerComboBox->installEventFilter(this);
    connect(ui->printerComboBox, SIGNAL(currentIndexChanged(int)), this,
            SLOT(comboBox_indexChanged(int)));
    ui->printerComboBox->setFocus(Qt::OtherFocusReason);
    connect(ui->updateButton, SIGNAL(clicked()), this, SLOT(push_update()));
    connect(ui->versionButton, SIGNAL(clicked()), this, SLOT(push_version()));

    ui->printerlabel->setText(tr("select_printer"));
    ui->statusGroupBox->setTitle(QString());
    ui->mediaGroupBox->setTitle(QString());
    ui->label_StatusGroup->setText(tr("statusGroupBox"));
    ui->serialGroupBox->setTitle(QString());
    ui->totalCountGroupBox->setTitle(QString());
    ui->label_Serial->setText(tr("serialNoGroupBox"));
    ui->label_FWGroup->setText(tr("fwGroupBox"));
    ui->label_TCGroup->setText(tr("tcGroupBox"));
    ui->updateButton->setText(tr("updateButton"));
    ui->versionButton->setText(tr("About"));

    setUIOffline();

    enumerateRecognisedQueues([this](const RecognisedQueue& queue) {
        printerUriMap.insert(queue.name, queue.deviceUri);
        ui->printerComboBox->addItem(queue.name);
        return true;
    });
    for (const ServedPrinter& printer : findServedPrinters()) {
        servedSerialMap.insert(printer.name, printer.serial);
        ui->printerComboBox->addItem(printer.name);
    }
}

StatusDialog::~StatusDialog() {
    threadQuit();
    delete ui;
    if (statusScene != nullptr) {
        delete statusScene;
        statusScene = nullptr;
    }
    if (!utilFilePath.isEmpty()) {
        removeFileIfPresent(utilFilePath.toUtf8());
    }
}

bool StatusDialog::isRegisterPrinter() {
    bool found = false;
    enumerateRecognisedQueues([&found](const RecognisedQueue&) {
        found = true;
        return false;
    });
    return found || !findServedPrinters().isEmpty();
}

void StatusDialog::threadStart(QString path) {
    statusMonitor = new StatusMonitor(path, kPollIntervalMs, this);
    connect(statusMonitor, SIGNAL(statusNotification(QMap<QString, QString>)), this,
            SLOT(upDateStatus(QMap<QString, QString>)));
    threadRunning = true;
}

void StatusDialog::threadQuit() {
    if (!threadRunning) {
        return;
    }
    threadRunning = false;
    delete statusMonitor;
    statusMonitor = nullptr;
}

bool StatusDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->printerComboBox &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress)) {
        QVector<RecognisedQueue> queues;
        enumerateRecognisedQueues([&queues](const RecognisedQueue& queue) {
            queues.append(queue);
            return true;
        });
        const QVector<ServedPrinter> served = findServedPrinters();
        ui->printerComboBox->clear();
        printerUriMap.clear();
        servedSerialMap.clear();
        for (const RecognisedQueue& queue : queues) {
            const bool listed = printerUriMap.contains(queue.name);
            printerUriMap.insert(queue.name, queue.deviceUri);
            if (!listed) {
                ui->printerComboBox->addItem(queue.name);
            }
        }
        for (const ServedPrinter& printer : served) {
            if (!printerUriMap.contains(printer.name) && !servedSerialMap.contains(printer.name)) {
                servedSerialMap.insert(printer.name, printer.serial);
                ui->printerComboBox->addItem(printer.name);
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void StatusDialog::comboBox_indexChanged(int i) {
    const QString oldSerial = currentSerial;
    threadQuit();
    if (i == -1) {
        if (!isRegisterPrinter()) {
            setUIOffline();
        }
        return;
    }

    const QString name = ui->printerComboBox->itemText(i);
    const QString deviceUri = printerUriMap.value(name);
    QString statusFilePath;
    if (servedSerialMap.contains(name)) {
        // A printer of the printer application: the serial comes from its device ID.
        const std::string serial = servedSerialMap.value(name).toUtf8().toStdString();
        if (isUsableSerial(serial)) {
            const std::string path = tq51m::StatusFilePathOf(serial);
            statusFilePath = QString::fromUtf8(path.data(), int(path.size()));
            currentSerial = servedSerialMap.value(name);
        } else {
            currentSerial.clear();
        }
    } else if (!deviceUri.isEmpty()) {
        // Each byte of the URI's serial stands for one Latin-1 character.
        std::string serial;
        if (!tq51m::SerialAfterTag(deviceUri.toUtf8().toStdString(), serial)) {
            currentSerial.clear();
        } else if (isUsableSerial(serial)) {
            const std::string path = tq51m::StatusFilePathOf(serial);
            statusFilePath = QString::fromLatin1(path.data(), int(path.size()));
            currentSerial = QString::fromLatin1(serial.data(), int(serial.size()));
        }
    }

    if (oldSerial != currentSerial) {
        if (!oldSerial.isEmpty()) {
            lastTotalCount = QString();
            removeFileIfPresent(requestFilePath(kUtilFormat, oldSerial));
        }
        if (!currentSerial.isEmpty()) {
            const QByteArray path = requestFilePath(kUtilFormat, currentSerial);
            if (createRequestFile(path)) {
                utilFilePath = QString::fromUtf8(path);
            }
        }
    }

    if (!statusFilePath.isEmpty()) {
        threadStart(statusFilePath);
    } else {
        setUIOffline();
    }
}

void StatusDialog::push_update() {
    if (currentSerial.isEmpty()) {
        return;
    }
    createRequestFile(requestFilePath(kTcUtilFormat, currentSerial));
}

void StatusDialog::push_version() {
    static int flag = 0;
    if (flag == 0) {
        versionDialog.setGeometry(centredOnPrimaryScreen(versionDialog.size()));
        flag = 1;
    }
    versionDialog.show();
}

QString StatusDialog::getMediaSizeString(QString value) {
    if (value.isEmpty()) {
        return QString();
    }
    const MediaSize* size = findMediaSize(value);
    return size != nullptr ? tr(size->sizeKey) : QString();
}

QString StatusDialog::getHalfMediaSizeString(QString value) {
    const MediaSize* size = findMediaSize(value);
    return size != nullptr ? QString::fromLatin1(size->halfSizeName) : QString();
}

QString StatusDialog::getMediaGroupString(QString value) {
    if (!value.isEmpty()) {
        const int code = value.toInt(nullptr, 10);
        for (const MediaClass& mediaClass : kMediaClasses) {
            if (mediaClass.code == code) {
                return tr("mediaGroupTitle") + QStringLiteral("[ ") + tr(mediaClass.classKey) +
                       QStringLiteral(" ]");
            }
        }
    }
    return tr("mediaGroupTitle") + QLatin1String(kNoMediaClass);
}

QString StatusDialog::getStatusMessageString(QString value) {
    if (value.isEmpty()) {
        return QString();
    }
    const int code = value.toInt(nullptr, 10);
    if (!hasMessageEntry(code)) {
        return tr("ms_00210");
    }
    const QByteArray key = "ms_" + QByteArray::number(code).rightJustified(5, '0');
    return tr(key.constData());
}

void StatusDialog::upDateStatus(QMap<QString, QString> statusMap) {
    const QString mediaSizeValue = statusMap.value(QStringLiteral("MEDIA_SIZE"));
    QString mediaGroup = getMediaGroupString(statusMap.value(QStringLiteral("MEDIA_CLASS")));
    QString mediaSize = getMediaSizeString(mediaSizeValue);
    const bool mediaRecognised = !mediaSize.isEmpty();
    if (!mediaRecognised) {
        mediaSize = QLatin1String(kNoValue);
        mediaGroup = tr("mediaGroupTitle") + QLatin1String(kNoMediaClass);
    }
    QString message = getStatusMessageString(statusMap.value(QStringLiteral("PRINTER_MESSAGE")));
    QString serial = statusMap.value(QStringLiteral("PRINTER_SERIAL_NO"));
    if (serial.isEmpty()) {
        serial = QLatin1String(kNoValue);
    }

    const QString statusValue = statusMap.value(QStringLiteral("PRINTER_STATUS"));
    int stateCode = kOfflineState;
    bool countsSuppressed = true;
    if (!statusValue.isEmpty()) {
        stateCode = statusValue.toInt(nullptr, 10);
        countsSuppressed = stateCode == kOfflineState || stateCode == kRibbonEndState;
    }
    const PrinterState& state = findPrinterState(stateCode);
    if (!mediaRecognised && state.takesMediaNote) {
        message = message + QLatin1Char('\n') + tr("ms_00108");
        countsSuppressed = true;
    }

    const QString sheets = tr("sheets");
    const QString initialValue = statusMap.value(QStringLiteral("MEDIA_INITIAL"));
    const QString remainValue = statusMap.value(QStringLiteral("MEDIA_REMAIN"));
    QString mediaDetails = QStringLiteral("--- / ---  ") + sheets;
    int percent = 0;
    if (!initialValue.isEmpty() && !remainValue.isEmpty()) {
        const int initial = initialValue.toInt(nullptr, 10);
        const int remain = countsSuppressed ? 0 : remainValue.toInt(nullptr, 10);
        const QString halfSizeName = getHalfMediaSizeString(mediaSizeValue);
        if (initial == 0) {
            if (!halfSizeName.isEmpty()) {
                mediaDetails += QStringLiteral(" (---  ") + sheets + QStringLiteral(" : ") +
                                halfSizeName + QLatin1Char(')');
            }
        } else {
            mediaDetails = QString::number(remain) + QStringLiteral(" / ") +
                           QString::number(initial) + QStringLiteral("  ") + sheets;
            if (!halfSizeName.isEmpty()) {
                const int remainHalf =
                    countsSuppressed
                        ? 0
                        : statusMap.value(QStringLiteral("MEDIA_REMAIN_HALF")).toInt(nullptr, 10);
                mediaDetails += QStringLiteral(" (") + QString::number(remainHalf) +
                                QStringLiteral("  ") + sheets + QStringLiteral(" : ") +
                                halfSizeName + QLatin1Char(')');
            }
            percent = remainingPercent(remain, initial);
        }
    }

    QString totalCount = statusMap.value(QStringLiteral("TOTAL_COUNT"));
    if (totalCount.isEmpty()) {
        totalCount = QLatin1String(kNoValue);
    }
    QString version = statusMap.value(QStringLiteral("PRINTER_VERSION"));
    if (version.isEmpty()) {
        version = QLatin1String(kNoValue);
    }

    if (stateCode == kOfflineState) {
        setUIOffline();
        return;
    }
    if (totalCount != QLatin1String(kNoValue)) {
        bool isNumber = false;
        const int count = totalCount.toInt(&isNumber, 10);
        totalCount = isNumber ? QString::number(count) : QLatin1String(kNoValue);
    }
    setUiParam(mediaGroup, mediaSize, mediaDetails, percent, QLatin1String(state.image),
               tr(state.textKey), message, serial, totalCount, version);
}

void StatusDialog::setUiParam(QString mediaGroup, QString mediaSize, QString mediaDetails,
                              int percent, QString imagePath, QString status, QString message,
                              QString serial, QString totalCount, QString version) {
    if (totalCount != QLatin1String(kNoValue)) {
        lastTotalCount = totalCount;
    }
    ui->label_MediaGroup->setText(mediaGroup);
    ui->label_MediaSize->setText(mediaSize);
    ui->label_MediaSizeDetails->setText(mediaDetails);
    ui->progressBar->setValue(percent);
    ui->label_Status->setText(status);
    ui->label_StatusMessage->setText(message);
    showStatusImage(imagePath);
    ui->label_SerialValue->setText(serial);
    ui->label_FWValue->setText(version);
    ui->label_TCValue->setText(!lastTotalCount.isEmpty() ? lastTotalCount : totalCount);
    if (!isRegisterPrinter()) {
        ui->label_TCValue->setText(QLatin1String(kNoValue));
    }
}

void StatusDialog::setUIOffline() {
    ui->label_MediaGroup->setText(tr("mediaGroupTitle") + QLatin1String(kNoMediaClass));
    ui->label_MediaSize->setText(QLatin1String(kNoValue));
    ui->label_MediaSizeDetails->setText(QStringLiteral("--- / ---  ") + tr("sheets"));
    ui->progressBar->setValue(0);
    ui->label_Status->setText(tr("st_99999"));
    ui->label_StatusMessage->setText(tr("ms_00006"));
    showStatusImage(QLatin1String(kOfflineImage));
    ui->label_SerialValue->setText(QLatin1String(kNoValue));
    ui->label_FWValue->setText(QLatin1String(kNoValue));
    ui->label_TCValue->setText(QLatin1String(kNoValue));
}

void StatusDialog::showStatusImage(const QString& imagePath) {
    const QPixmap picture(imagePath);
    if (statusScene != nullptr) {
        delete statusScene;
        statusScene = nullptr;
    }
    statusScene = new QGraphicsScene();
    statusScene->addPixmap(picture.scaled(kStatusImageSize, kStatusImageSize, Qt::IgnoreAspectRatio,
                                          Qt::FastTransformation));
    ui->graphicsView->setScene(statusScene);
}
