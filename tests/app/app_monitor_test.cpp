// SPDX-License-Identifier: Apache-2.0
// The status monitor beside the printer application (run through run-app-monitor-test): it
// lists the application's printers and the driverless CUPS queue that leads to one beside a
// classic queue, and shows each printer's status from the status file named by the serial in
// its device ID.
#include "statusdialog.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTranslator>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

std::string env(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::string labelText(StatusDialog& dialog, const char* name) {
    QLabel* label = dialog.findChild<QLabel*>(QString::fromLatin1(name));
    return label != nullptr ? label->text().toStdString() : std::string();
}

// Printer A is in paper end with 1234 prints, printer B waits with 77, printer C of the classic
// queue has its door open with 5, printer D (added with the driver by name) cools its head with
// 42 (the emulator's status files); the driverless queues print to A and D.
struct Listed {
    QString name;
    std::string serialVariable;
    std::string status;
    std::string totalCount;
};

TEST(MonitorWithPrinterApplication, ListsItsPrintersAndShowsTheirStatus) {
    ASSERT_FALSE(env("TQ51M_MON_SERIAL_A").empty()) << "run through run-app-monitor-test";
    QTranslator english;
    ASSERT_TRUE(english.load(QStringLiteral(":/translations/localize_en")));
    QCoreApplication::installTranslator(&english);

    const Listed expected[] = {
        {QStringLiteral("TQ51M_DRIVERLESS"), "TQ51M_MON_SERIAL_A", "Paper end", "1234"},
        {QStringLiteral("B (printer application)"), "TQ51M_MON_SERIAL_B", "Waiting", "77"},
        {QStringLiteral("A (printer application)"), "TQ51M_MON_SERIAL_A", "Paper end", "1234"},
        {QStringLiteral("D (printer application)"), "TQ51M_MON_SERIAL_D", "Cooling head", "42"},
        {QStringLiteral("TQ51M_DRIVERLESS_D"), "TQ51M_MON_SERIAL_D", "Cooling head", "42"},
        {QStringLiteral("TQ51M_CLASSIC"), "TQ51M_MON_SERIAL_C", "Door open", "5"},
    };
    StatusDialog dialog;
    QComboBox* printers = dialog.findChild<QComboBox*>(QStringLiteral("printerComboBox"));
    ASSERT_NE(printers, nullptr);
    QStringList listed;
    for (int i = 0; i < printers->count(); ++i) {
        listed << printers->itemText(i);
    }
    for (const Listed& printer : expected) {
        SCOPED_TRACE(printer.name.toStdString());
        const int row = printers->findText(printer.name);
        ASSERT_GE(row, 0) << "listed: " << listed.join(QStringLiteral(", ")).toStdString();
        printers->setCurrentIndex(row);
        const std::string serial = env(printer.serialVariable.c_str());
        // The poller reads the status file every half second.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (labelText(dialog, "label_SerialValue") != serial &&
               std::chrono::steady_clock::now() < deadline) {
            QApplication::processEvents(QEventLoop::AllEvents, 100);
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        EXPECT_EQ(labelText(dialog, "label_SerialValue"), serial);
        EXPECT_EQ(labelText(dialog, "label_Status"), printer.status);
        EXPECT_EQ(labelText(dialog, "label_TCValue"), printer.totalCount);
    }
    QCoreApplication::removeTranslator(&english);
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(statusmonitor);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
