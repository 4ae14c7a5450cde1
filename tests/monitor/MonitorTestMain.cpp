// SPDX-License-Identifier: Apache-2.0
#include "MonitorTestSupport.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

// One QApplication on the offscreen platform for every test. CUPS and the printer application
// are pointed at sockets that do not exist and HOME at a private folder before libcups is
// first used, so that no test sees the machine's own queues, printers or lpoptions.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TempDir home;
    setenv("HOME", home.path().c_str(), 1);
    setenv("CUPS_SERVER", home.file("no-cupsd.sock").c_str(), 1);
    setenv("TQ51M_APP_SERVER", home.file("no-printer-app.sock").c_str(), 1);
    unsetenv("CUPS_SERVERROOT");
    Q_INIT_RESOURCE(statusmonitor);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
