// SPDX-License-Identifier: Apache-2.0
#ifndef APPPRINTERS_H
#define APPPRINTERS_H

#include <QString>
#include <QVector>

// A printer of the printer application (tq51m-printer-app) on this machine, with the serial
// number of its device ID ("SN:") or, when that names none, of its printer-serial-number;
// empty when neither gives one.
struct AppPrinter {
    QString name;
    QString serial;
};

// The printers of the running printer application, asked over IPP (Get-Printers) at the
// local socket of its server: "/run/tq51m-printer-app.sock" for the system's service and
// "$TMPDIR/tq51m-printer-app<uid>.sock" for the user's own. TQ51M_APP_SERVER, when set,
// names the one server to ask instead: a socket path or host:port.
QVector<AppPrinter> findAppPrinters();

// True when the IPP device URI of a CUPS queue leads to a printer of the printer application
// on this machine (a loopback address and PAPPL's printer path, asked for the printer's
// device ID and printer-serial-number); its serial number goes to serial.
bool findAppPrinterSerial(const QString& deviceUri, QString* serial);

#endif
