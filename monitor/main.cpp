// SPDX-License-Identifier: Apache-2.0
#include "startup.h"
#include "statusdialog.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <QScreen>
#include <QStyle>
#include <QThread>
#include <QTranslator>

int main(int argc, char* argv[]) {
    Q_INIT_RESOURCE(statusmonitor);
    if (checkDoubleStartApp()) {
        return -1;
    }
    QThread::msleep(1000);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TQ-51M Information"));
    QTranslator translator;
    translator.load(catalogueForLocale(QLocale::system().bcp47Name()));
    QApplication::installTranslator(&translator);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/printer_icon.png")));

    QScreen* screen = QGuiApplication::primaryScreen();
    StatusDialog dialog(nullptr);
    dialog.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, dialog.size(),
                                           screen->availableGeometry()));
    dialog.show();
    return app.exec();
}
