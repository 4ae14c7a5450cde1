// SPDX-License-Identifier: Apache-2.0
#include "appprinters.h"

#include <QByteArray>
#include <QStringList>

#include <cups/cups.h>

#include <cstdlib>
#include <cstring>

#include <unistd.h>

namespace {

const char kAppSocketName[] = "tq51m-printer-app";
const char kModelName[] = "TQ-51M";
// The servers are on this machine: an answer takes milliseconds, a server that hangs must not
// freeze the window for long.
constexpr int kTimeoutMs = 2000;

// The serial number of a TQ-51M's IEEE-1284 device ID; false for another model's.
bool serialOfDeviceId(const char* deviceId, QString* serial) {
    if (deviceId == nullptr) {
        return false;
    }
    bool isModel = false;
    serial->clear();
    for (const QString& pair : QString::fromUtf8(deviceId).split(QLatin1Char(';'))) {
        const int colon = pair.indexOf(QLatin1Char(':'));
        if (colon < 0) {
            continue;
        }
        const QString key = pair.left(colon).trimmed();
        const QString value = pair.mid(colon + 1);
        if (key == QLatin1String("MDL") || key == QLatin1String("MODEL")) {
            isModel = value == QLatin1String(kModelName);
        } else if (key == QLatin1String("SN") || key == QLatin1String("SERN")) {
            *serial = value;
        }
    }
    return isModel;
}

ipp_t* newRequest(ipp_op_t operation, const char* uriName, const char* uri) {
    ipp_t* request = ippNewRequest(operation);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, uriName, nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    static const char* const kWanted[] = {"printer-name", "printer-device-id",
                                          "printer-serial-number"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 3, nullptr,
                  kWanted);
    return request;
}

// A printer added with the application's driver by name has PAPPL's own device ID, without
// "SN:"; the application gives the serial of its device URI in printer-serial-number instead.
void takeSerialNumber(const char* serialNumber, QString* serial) {
    if (serial->isEmpty() && serialNumber != nullptr) {
        *serial = QString::fromUtf8(serialNumber);
    }
}

// The printers of the server at address (a socket path or host:port), added to printers.
void askServer(const QByteArray& address, QVector<AppPrinter>* printers) {
    QByteArray host = address;
    int port = 0;
    if (!address.startsWith('/')) {
        const int colon = address.lastIndexOf(':');
        if (colon < 0) {
            return;
        }
        host = address.left(colon);
        port = address.mid(colon + 1).toInt();
    } else if (access(address.constData(), F_OK) != 0) {
        return;
    }
    http_t* http = httpConnect2(host.constData(), port, nullptr, AF_UNSPEC,
                                HTTP_ENCRYPTION_IF_REQUESTED, 1, kTimeoutMs, nullptr);
    if (http == nullptr) {
        return;
    }
    httpSetTimeout(http, kTimeoutMs / 1000.0, nullptr, nullptr);
    ipp_t* response = cupsDoRequest(
        http, newRequest(IPP_OP_GET_PRINTERS, "system-uri", "ipp://localhost/ipp/system"),
        "/ipp/system");
    QString name;
    QString serial;
    QByteArray serialNumber;
    bool isModel = false;
    // Each printer is one group of attributes; a nameless attribute separates the groups.
    for (ipp_attribute_t* attr = ippFirstAttribute(response);; attr = ippNextAttribute(response)) {
        const char* attrName = attr != nullptr ? ippGetName(attr) : nullptr;
        if (attr == nullptr || attrName == nullptr) {
            if (isModel && !name.isEmpty()) {
                takeSerialNumber(serialNumber.constData(), &serial);
                printers->append({name, serial});
            }
            name.clear();
            serial.clear();
            serialNumber.clear();
            isModel = false;
            if (attr == nullptr) {
                break;
            }
            continue;
        }
        if (ippGetGroupTag(attr) != IPP_TAG_PRINTER) {
            continue;
        }
        if (std::strcmp(attrName, "printer-name") == 0) {
            name = QString::fromUtf8(ippGetString(attr, 0, nullptr));
        } else if (std::strcmp(attrName, "printer-device-id") == 0) {
            isModel = serialOfDeviceId(ippGetString(attr, 0, nullptr), &serial);
        } else if (std::strcmp(attrName, "printer-serial-number") == 0) {
            serialNumber = ippGetString(attr, 0, nullptr);
        }
    }
    ippDelete(response);
    httpClose(http);
}

} // namespace

QVector<AppPrinter> findAppPrinters() {
    QVector<AppPrinter> printers;
    const char* server = std::getenv("TQ51M_APP_SERVER");
    if (server != nullptr && *server != '\0') {
        askServer(QByteArray(server), &printers);
        return printers;
    }
    askServer(QByteArray("/run/") + kAppSocketName + ".sock", &printers);
    const char* tmpdir = std::getenv("TMPDIR");
    const QByteArray folder = tmpdir != nullptr && *tmpdir != '\0' ? tmpdir : "/tmp";
    askServer(folder + '/' + kAppSocketName + QByteArray::number(uint(getuid())) + ".sock",
              &printers);
    return printers;
}

bool findAppPrinterSerial(const QString& deviceUri, QString* serial) {
    const QByteArray uri = deviceUri.toUtf8();
    char scheme[32];
    char userpass[256];
    char host[256];
    char resource[1024];
    int port = 0;
    if (httpSeparateURI(HTTP_URI_CODING_ALL, uri.constData(), scheme, sizeof(scheme), userpass,
                        sizeof(userpass), host, sizeof(host), &port, resource,
                        sizeof(resource)) < HTTP_URI_STATUS_OK) {
        return false;
    }
    const bool secure = std::strcmp(scheme, "ipps") == 0;
    if (!secure && std::strcmp(scheme, "ipp") != 0) {
        return false;
    }
    if (std::strcmp(host, "localhost") != 0 && std::strncmp(host, "127.", 4) != 0 &&
        std::strcmp(host, "::1") != 0 && std::strcmp(host, "[::1]") != 0) {
        return false;
    }
    // The application's printers are at /ipp/print/NAME.
    if (std::strncmp(resource, "/ipp/print/", 11) != 0) {
        return false;
    }
    http_t* http = httpConnect2(host, port, nullptr, AF_UNSPEC,
                                secure ? HTTP_ENCRYPTION_ALWAYS : HTTP_ENCRYPTION_IF_REQUESTED, 1,
                                kTimeoutMs, nullptr);
    if (http == nullptr) {
        return false;
    }
    httpSetTimeout(http, kTimeoutMs / 1000.0, nullptr, nullptr);
    ipp_t* response = cupsDoRequest(
        http, newRequest(IPP_OP_GET_PRINTER_ATTRIBUTES, "printer-uri", uri.constData()), resource);
    const bool found = serialOfDeviceId(
        ippGetString(ippFindAttribute(response, "printer-device-id", IPP_TAG_TEXT), 0, nullptr),
        serial);
    if (found) {
        takeSerialNumber(
            ippGetString(ippFindAttribute(response, "printer-serial-number", IPP_TAG_TEXT), 0,
                         nullptr),
            serial);
    }
    ippDelete(response);
    httpClose(http);
    return found;
}
