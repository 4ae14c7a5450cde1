// SPDX-License-Identifier: Apache-2.0
#include "MonitorTestSupport.h"
#include "statusdialog.h"
#include "statusmonitor.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const char kUriPrefix[] = "velmora-zelbackend://VELMORA/TQ-51M?serial=";

std::string backendUri(const QString& serial) {
    return kUriPrefix + serial.toStdString();
}

// Seventeen lines, each ending in a line feed, for a printer in the given state.
std::string statusFile(const char* state, const char* totalCount) {
    return std::string("PRINTER_STATUS=\"") + state +
           "\"\nPRINTER_MESSAGE=\"00001\"\nPRINTER_VERSION=\"1.02\"\n"
           "PRINTER_SERIAL_NO=\"X\"\nMEDIA_SIZE=\"00500\"\nMEDIA_CLASS=\"0001\"\n"
           "MEDIA_INITIAL=\"50\"\nMEDIA_REMAIN=\"37\"\nMEDIA_REMAIN_HALF=\"12\"\n"
           "TOTAL_COUNT=\"" +
           totalCount + "\"\nA=\"\"\nB=\"\"\nC=\"\"\nD=\"\"\nE=\"\"\nF=\"\"\nG=\"\"\n";
}

QComboBox* printerList(StatusDialog& dialog) {
    return dialog.findChild<QComboBox*>(QStringLiteral("printerComboBox"));
}

QStringList listedNames(StatusDialog& dialog) {
    QStringList names;
    QComboBox* list = printerList(dialog);
    for (int i = 0; i < list->count(); ++i) {
        names << list->itemText(i);
    }
    return names;
}

bool isPolling(StatusDialog& dialog) {
    return dialog.findChild<StatusMonitor*>() != nullptr;
}

// A press on the printer list, as the user's click delivers it.
void clickList(StatusDialog& dialog) {
    QComboBox* list = printerList(dialog);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(list, &press);
    list->hidePopup();
}

class PrinterSelection : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(usePrivateCupsd());
        deleteAllQueues();
        ASSERT_NO_FATAL_FAILURE(installCatalogue("en"));
        for (const char* tag : {"A", "B", "C"}) {
            serials.append(testSerial(tag));
        }
        for (const QString& serial : serials) {
            removePrinterFiles(serial);
        }
    }
    void TearDown() override {
        for (const QString& serial : serials) {
            removePrinterFiles(serial);
        }
        deleteAllQueues();
        removeCatalogue();
    }
    QString serial(int i) const { return serials.at(i); }

    QStringList serials;
};

TEST_F(PrinterSelection, NoRecognisedQueue) {
    addQueue("Plain", "file:///dev/null");
    StatusDialog dialog(nullptr);
    EXPECT_EQ(printerList(dialog)->count(), 0);
    EXPECT_FALSE(isPolling(dialog));
    EXPECT_FALSE(dialog.isRegisterPrinter());
    EXPECT_EQ(labelText(&dialog, "label_Status"), QStringLiteral("Offline"));
    dialog.push_update();
    for (const QString& serial : serials) {
        EXPECT_FALSE(fileExists(utilPath(serial)));
        EXPECT_FALSE(fileExists(tcUtilPath(serial)));
    }
}

TEST_F(PrinterSelection, OneQueueIsSelectedAndPolled) {
    addQueue("Alpha", backendUri(serial(0)));
    writeFile(statusPath(serial(0)), statusFile("01000", "0012345"));
    StatusDialog dialog(nullptr);
    EXPECT_EQ(listedNames(dialog), QStringList{QStringLiteral("Alpha")});
    EXPECT_TRUE(isPolling(dialog));
    EXPECT_TRUE(fileExists(utilPath(serial(0))));
    EXPECT_EQ(fileMode(utilPath(serial(0))), 0666);
    EXPECT_EQ(readFile(utilPath(serial(0))), "");
    EXPECT_EQ(labelText(&dialog, "label_Status"), QStringLiteral("Offline"));
    EXPECT_TRUE(waitForStatus(&dialog, "Door open"));
    EXPECT_EQ(labelText(&dialog, "label_TCValue"), QStringLiteral("12345"));
}

TEST_F(PrinterSelection, SwitchingMovesRequestFileAndPolling) {
    addQueue("Alpha", backendUri(serial(0)));
    addQueue("Beta", backendUri(serial(1)));
    writeFile(statusPath(serial(0)), statusFile("00000", "0000100"));
    writeFile(statusPath(serial(1)), statusFile("01300", ""));
    StatusDialog dialog(nullptr);
    EXPECT_EQ(listedNames(dialog), (QStringList{QStringLiteral("Alpha"), QStringLiteral("Beta")}));
    ASSERT_TRUE(waitForStatus(&dialog, "Waiting"));
    ASSERT_EQ(labelText(&dialog, "label_TCValue"), QStringLiteral("100"));

    printerList(dialog)->setCurrentIndex(1);
    EXPECT_FALSE(fileExists(utilPath(serial(0))));
    EXPECT_TRUE(fileExists(utilPath(serial(1))));
    EXPECT_EQ(fileMode(utilPath(serial(1))), 0666);
    EXPECT_TRUE(waitForStatus(&dialog, "Paper jam"));
    // The sticky count belonged to the other printer.
    EXPECT_EQ(labelText(&dialog, "label_TCValue"), QStringLiteral("---"));

    // A click rebuilds the list and selects the first printer again.
    clickList(dialog);
    EXPECT_EQ(printerList(dialog)->currentIndex(), 0);
    EXPECT_TRUE(fileExists(utilPath(serial(0))));
    EXPECT_FALSE(fileExists(utilPath(serial(1))));
    EXPECT_TRUE(waitForStatus(&dialog, "Waiting"));

    // Rebuilding onto the same printer touches no file.
    unlink(utilPath(serial(0)).c_str());
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Shift, Qt::NoModifier);
    QCoreApplication::sendEvent(printerList(dialog), &key);
    EXPECT_EQ(printerList(dialog)->currentIndex(), 0);
    EXPECT_FALSE(fileExists(utilPath(serial(0))));
    EXPECT_TRUE(isPolling(dialog));
}

TEST_F(PrinterSelection, TwoQueuesWithOneSerial) {
    addQueue("Alpha", backendUri(serial(0)));
    addQueue("Beta", backendUri(serial(0)));
    writeFile(statusPath(serial(0)), statusFile("00000", "777"));
    StatusDialog dialog(nullptr);
    ASSERT_TRUE(waitForStatus(&dialog, "Waiting"));
    ASSERT_EQ(labelText(&dialog, "label_TCValue"), QStringLiteral("777"));
    unlink(utilPath(serial(0)).c_str());
    writeFile(statusPath(serial(0)), statusFile("01100", ""));
    printerList(dialog)->setCurrentIndex(1);
    EXPECT_FALSE(fileExists(utilPath(serial(0))));
    EXPECT_TRUE(isPolling(dialog));
    EXPECT_TRUE(waitForStatus(&dialog, "Paper end"));
    EXPECT_EQ(labelText(&dialog, "label_TCValue"), QStringLiteral("777"));
}

TEST_F(PrinterSelection, InstanceListedTwiceUntilFirstClick) {
    addQueue("Alpha", backendUri(serial(0)));
    addInstance("Alpha", "extra");
    StatusDialog dialog(nullptr);
    EXPECT_EQ(listedNames(dialog), (QStringList{QStringLiteral("Alpha"), QStringLiteral("Alpha")}));
    clickList(dialog);
    EXPECT_EQ(listedNames(dialog), QStringList{QStringLiteral("Alpha")});
}

TEST_F(PrinterSelection, QueryAfterSerialBelongsToIt) {
    const QString serialWithQuery = serial(0) + QStringLiteral("&port=2");
    serials.append(serialWithQuery);
    addQueue("Alpha", backendUri(serialWithQuery));
    StatusDialog dialog(nullptr);
    EXPECT_TRUE(fileExists(utilPath(serialWithQuery)));
    EXPECT_FALSE(fileExists(utilPath(serial(0))));
}

// A URI that ends right after "serial=" identifies no printer: the previous one stays
// the identified printer, with its request file.
TEST_F(PrinterSelection, EmptySerialKeepsThePreviousPrinter) {
    addQueue("Alpha", backendUri(serial(0)));
    addQueue("Beta", kUriPrefix);
    StatusDialog dialog(nullptr);
    ASSERT_TRUE(isPolling(dialog));
    printerList(dialog)->setCurrentIndex(1);
    EXPECT_FALSE(isPolling(dialog));
    EXPECT_EQ(labelText(&dialog, "label_Status"), QStringLiteral("Offline"));
    EXPECT_TRUE(fileExists(utilPath(serial(0))));
    EXPECT_FALSE(fileExists("/tmp/TQ-51M__UTIL"));
}

// The longest serial whose request names fit the 128-byte path buffer is 107 bytes.
TEST_F(PrinterSelection, LongestSerialThatFits) {
    const QString longest = serial(0) + QString(107 - serial(0).size(), QLatin1Char('7'));
    serials.append(longest);
    addQueue("Alpha", backendUri(longest));
    StatusDialog dialog(nullptr);
    EXPECT_TRUE(isPolling(dialog));
    EXPECT_EQ(fileMode(utilPath(longest)), 0666);
    dialog.push_update();
    EXPECT_EQ(fileMode(tcUtilPath(longest)), 0666);
}

TEST_F(PrinterSelection, UpdateCreatesCountRequest) {
    addQueue("Alpha", backendUri(serial(0)));
    {
        StatusDialog dialog(nullptr);
        EXPECT_FALSE(fileExists(tcUtilPath(serial(0))));
        dialog.push_update();
        EXPECT_EQ(fileMode(tcUtilPath(serial(0))), 0666);
        EXPECT_EQ(readFile(tcUtilPath(serial(0))), "");
        writeFile(tcUtilPath(serial(0)), "answered");
        dialog.push_update();
        EXPECT_EQ(readFile(tcUtilPath(serial(0))), "");
        EXPECT_EQ(fileMode(tcUtilPath(serial(0))), 0666);
    }
    // Closing removes the watch request only.
    EXPECT_FALSE(fileExists(utilPath(serial(0))));
    EXPECT_TRUE(fileExists(tcUtilPath(serial(0))));
}

TEST_F(PrinterSelection, StickyTotalCount) {
    addQueue("Alpha", backendUri(serial(0)));
    StatusDialog dialog(nullptr);
    const auto show = [&](const char* totalCount) {
        dialog.upDateStatus(record(
            {{"PRINTER_STATUS", "00000"}, {"MEDIA_SIZE", "00500"}, {"TOTAL_COUNT", totalCount}}));
        return labelText(&dialog, "label_TCValue");
    };
    EXPECT_EQ(show("0012345"), QStringLiteral("12345"));
    EXPECT_EQ(show(""), QStringLiteral("12345"));
    EXPECT_EQ(show("abc"), QStringLiteral("12345"));
    dialog.upDateStatus({});
    EXPECT_EQ(labelText(&dialog, "label_TCValue"), QStringLiteral("---"));
    EXPECT_EQ(show(""), QStringLiteral("12345"));
    EXPECT_EQ(show("12346"), QStringLiteral("12346"));
    deleteQueue("Alpha");
    EXPECT_EQ(show("12347"), QStringLiteral("---"));
}

// Local destinations only, in the order and with the instances that libcups lists.
TEST_F(PrinterSelection, EnumerationFollowsCups) {
    addQueue("Zeta", backendUri(serial(0)));
    addQueue("Alpha", backendUri(serial(1)));
    addQueue("Plain", "file:///dev/null");
    addQueue("Other", "velmora-zelbackend://VELMORA/TQ-99?serial=" + serial(2).toStdString());
    addQueue("Mid", backendUri(serial(2)));
    addInstance("Mid", "glossy");
    const QStringList expected = {QStringLiteral("Alpha"), QStringLiteral("Mid"),
                                  QStringLiteral("Mid"), QStringLiteral("Zeta")};
    ASSERT_EQ(cupsListedQueueNames(), expected);
    StatusDialog dialog(nullptr);
    EXPECT_EQ(listedNames(dialog), expected);
    clickList(dialog);
    EXPECT_EQ(listedNames(dialog), (QStringList{QStringLiteral("Alpha"), QStringLiteral("Mid"),
                                                QStringLiteral("Zeta")}));
}

TEST_F(PrinterSelection, RegisteredPrinterFlipsWhenLastQueueIsDeleted) {
    addQueue("Alpha", backendUri(serial(0)));
    addQueue("Beta", backendUri(serial(1)));
    StatusDialog dialog(nullptr);
    EXPECT_TRUE(dialog.isRegisterPrinter());
    deleteQueue("Alpha");
    EXPECT_TRUE(dialog.isRegisterPrinter());
    deleteQueue("Beta");
    EXPECT_FALSE(dialog.isRegisterPrinter());
    // The emptied list shows the offline view and leaves the last request file in place.
    clickList(dialog);
    EXPECT_EQ(printerList(dialog)->count(), 0);
    EXPECT_FALSE(isPolling(dialog));
    EXPECT_EQ(labelText(&dialog, "label_Status"), QStringLiteral("Offline"));
    EXPECT_TRUE(fileExists(utilPath(serial(0))));
}

// The request names are predictable in a shared folder: a planted link is not followed,
// a planted file keeps its mode, and a special file is left alone.
TEST_F(PrinterSelection, RequestFilesRefuseLinksAndKeepForeignModes) {
    TempDir dir;
    const std::string target = dir.file("victim");
    writeFile(target, "keep");
    chmod(target.c_str(), 0600);
    ASSERT_EQ(symlink(target.c_str(), utilPath(serial(0)).c_str()), 0);
    ASSERT_EQ(symlink(target.c_str(), tcUtilPath(serial(0)).c_str()), 0);
    addQueue("Alpha", backendUri(serial(0)));
    {
        StatusDialog dialog(nullptr);
        dialog.push_update();
        EXPECT_EQ(readFile(target), "keep");
        EXPECT_EQ(fileMode(target), 0600);
        EXPECT_TRUE(isPolling(dialog));
    }
    EXPECT_EQ(readFile(target), "keep");
    unlink(utilPath(serial(0)).c_str());
    unlink(tcUtilPath(serial(0)).c_str());

    writeFile(utilPath(serial(0)), "planted");
    chmod(utilPath(serial(0)).c_str(), 0640);
    ASSERT_EQ(mkfifo(tcUtilPath(serial(0)).c_str(), 0600), 0);
    {
        StatusDialog dialog(nullptr);
        EXPECT_EQ(readFile(utilPath(serial(0))), "");
        EXPECT_EQ(fileMode(utilPath(serial(0))), 0640);
        dialog.push_update();
        struct stat info;
        ASSERT_EQ(lstat(tcUtilPath(serial(0)).c_str(), &info), 0);
        EXPECT_TRUE(S_ISFIFO(info.st_mode));
    }
}

TEST_F(PrinterSelection, SerialThatLeavesTmpIsOffline) {
    TempDir dir;
    // With a folder of a matching name in /tmp, this serial would lead into dir.
    const std::string stepping = "/tmp/TQ-51M_" + serial(0).toStdString() + "dir";
    ASSERT_EQ(mkdir(stepping.c_str(), 0700), 0);
    const QString escaping =
        serial(0) + QStringLiteral("dir/../..") + QString::fromStdString(dir.file("victim"));
    const QString tooLong = serial(1) + QString(110, QLatin1Char('9'));
    addQueue("Alpha", backendUri(escaping));
    addQueue("Beta", backendUri(tooLong));
    {
        StatusDialog dialog(nullptr);
        EXPECT_EQ(printerList(dialog)->currentIndex(), 0);
        EXPECT_FALSE(isPolling(dialog));
        EXPECT_EQ(labelText(&dialog, "label_Status"), QStringLiteral("Offline"));
        dialog.push_update();
        printerList(dialog)->setCurrentIndex(1);
        EXPECT_FALSE(isPolling(dialog));
        EXPECT_EQ(labelText(&dialog, "label_Status"), QStringLiteral("Offline"));
        dialog.push_update();
    }
    rmdir(stepping.c_str());
    EXPECT_EQ(runCommand("test -z \"$(ls -A '" + dir.path() + "')\""), 0);
    EXPECT_EQ(
        runCommand("test -z \"$(ls /tmp/TQ-51M_" + serial(1).toStdString() + "* 2>/dev/null)\""),
        0);
}

} // namespace
