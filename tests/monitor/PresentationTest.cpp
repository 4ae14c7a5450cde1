// SPDX-License-Identifier: Apache-2.0
#include "MonitorTestSupport.h"
#include "statusdialog.h"

#include <QGraphicsPixmapItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QImage>
#include <QPixmap>
#include <QProgressBar>

#include <gtest/gtest.h>

namespace {

const char kRestart[] = "Restart the printer and computer.\nIf the printer does not recover "
                        "after the restart, contact the service center.";
const char kMediaNote[] = "\n<< Incorrect media type has been loaded. >>";

// The picture shown in the status view, as the 80 x 80 image it was scaled to.
QImage shownPicture(StatusDialog& dialog) {
    auto* view = dialog.findChild<QGraphicsView*>(QStringLiteral("graphicsView"));
    if (view == nullptr || view->scene() == nullptr || view->scene()->items().size() != 1) {
        return QImage();
    }
    auto* item = dynamic_cast<QGraphicsPixmapItem*>(view->scene()->items().first());
    return item != nullptr ? item->pixmap().toImage() : QImage();
}

QImage badge(const char* resource) {
    return QPixmap(QLatin1String(resource))
        .scaled(80, 80, Qt::IgnoreAspectRatio, Qt::FastTransformation)
        .toImage();
}

int barValue(StatusDialog& dialog) {
    return dialog.findChild<QProgressBar*>(QStringLiteral("progressBar"))->value();
}

struct Shown {
    const char* status;
    const char* message;
    const char* mediaGroup;
    const char* mediaSize;
    const char* mediaDetails;
    int percent;
    const char* picture;
};

struct PresentationCase {
    const char* name;
    QMap<QString, QString> statusRecord;
    Shown shown;
};

void PrintTo(const PresentationCase& testCase, std::ostream* out) {
    *out << testCase.name;
}

class Presentation : public ::testing::TestWithParam<PresentationCase> {
  protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(installCatalogue("en")); }
    void TearDown() override { removeCatalogue(); }
};

TEST_P(Presentation, RecordIsShown) {
    StatusDialog dialog(nullptr);
    dialog.upDateStatus(GetParam().statusRecord);
    const Shown& shown = GetParam().shown;
    EXPECT_EQ(labelText(&dialog, "label_Status"), QString::fromUtf8(shown.status));
    EXPECT_EQ(labelText(&dialog, "label_StatusMessage"), QString::fromUtf8(shown.message));
    EXPECT_EQ(labelText(&dialog, "label_MediaGroup"), QString::fromUtf8(shown.mediaGroup));
    EXPECT_EQ(labelText(&dialog, "label_MediaSize"), QString::fromUtf8(shown.mediaSize));
    EXPECT_EQ(labelText(&dialog, "label_MediaSizeDetails"), QString::fromUtf8(shown.mediaDetails));
    EXPECT_EQ(barValue(dialog), shown.percent);
    EXPECT_EQ(shownPicture(dialog), badge(shown.picture));
    EXPECT_FALSE(shownPicture(dialog).isNull());
}

INSTANTIATE_TEST_SUITE_P(
    Records, Presentation,
    ::testing::Values(
        PresentationCase{"DoorOpen",
                         record({{"PRINTER_STATUS", "01000"},
                                 {"MEDIA_SIZE", "00500"},
                                 {"MEDIA_CLASS", "0001"},
                                 {"MEDIA_INITIAL", "50"},
                                 {"MEDIA_REMAIN", "37"},
                                 {"MEDIA_REMAIN_HALF", "12"}}),
                         {"Door open", "", "Media Info[ Corvel ]", "8x10in",
                          "37 / 50  Sheets (12  Sheets : 8x5in)", 74,
                          ":/images/PrtStsCoverOpen.bmp"}},
        PresentationCase{"FiftyThreeOfHundredIsFiftyTwo",
                         record({{"PRINTER_STATUS", "00000"},
                                 {"PRINTER_MESSAGE", "00001"},
                                 {"MEDIA_SIZE", "00600"},
                                 {"MEDIA_CLASS", "1323"},
                                 {"MEDIA_INITIAL", "100"},
                                 {"MEDIA_REMAIN", "53"}}),
                         {"Waiting", " ", "Media Info[ Opalith ]", "A4",
                          "53 / 100  Sheets (0  Sheets : A5)", 52, ":/images/PrtStsIdle.bmp"}},
        PresentationCase{"FiftyNineOfHundredIsFiftyEight",
                         record({{"PRINTER_STATUS", "00001"},
                                 {"MEDIA_SIZE", "00510"},
                                 {"MEDIA_CLASS", "0002"},
                                 {"MEDIA_INITIAL", "0100"},
                                 {"MEDIA_REMAIN", "0059"},
                                 {"MEDIA_REMAIN_HALF", "3"}}),
                         {"Printing", "", "Media Info[ Corvel Plus ]", "8x12in",
                          "59 / 100  Sheets (3  Sheets : 8x6in)", 58,
                          ":/images/PrtStsPrinting.bmp"}},
        PresentationCase{"TwentyNineOfHundred",
                         record({{"PRINTER_STATUS", "00500"},
                                 {"MEDIA_SIZE", "00500"},
                                 {"MEDIA_CLASS", "1304"},
                                 {"MEDIA_INITIAL", "100"},
                                 {"MEDIA_REMAIN", "29"},
                                 {"MEDIA_REMAIN_HALF", "1"}}),
                         {"Cooling head", "", "Media Info[ Lustrane ]", "8x10in",
                          "29 / 100  Sheets (1  Sheets : 8x5in)", 29,
                          ":/images/PrtStsCooling.bmp"}},
        PresentationCase{"RibbonEndForcesCountsToZero",
                         record({{"PRINTER_STATUS", "01200"},
                                 {"PRINTER_MESSAGE", "00102"},
                                 {"MEDIA_SIZE", "00500"},
                                 {"MEDIA_CLASS", "0003"},
                                 {"MEDIA_INITIAL", "50"},
                                 {"MEDIA_REMAIN", "37"},
                                 {"MEDIA_REMAIN_HALF", "12"}}),
                         {"Ribbon end", "Load new media.\n(Replace the paper and ribbon as a set.)",
                          "Media Info[ Tarsine ]", "8x10in", "0 / 50  Sheets (0  Sheets : 8x5in)",
                          0, ":/images/PrtStsRibbonEnd.bmp"}},
        PresentationCase{"IncorrectMediaAddsNote",
                         record({{"PRINTER_STATUS", "00000"},
                                 {"PRINTER_MESSAGE", "00100"},
                                 {"MEDIA_SIZE", "00700"},
                                 {"MEDIA_CLASS", "0001"},
                                 {"MEDIA_INITIAL", "50"},
                                 {"MEDIA_REMAIN", "37"}}),
                         {"Waiting",
                          "Close the printer.\n\n<< Incorrect media type has been "
                          "loaded. >>",
                          "Media Info[ --- ]", "---", "0 / 50  Sheets", 0,
                          ":/images/PrtStsIdle.bmp"}},
        PresentationCase{"IncorrectMediaWithoutMessage",
                         record({{"PRINTER_STATUS", "00000"},
                                 {"PRINTER_MESSAGE", ""},
                                 {"MEDIA_SIZE", "00700"},
                                 {"MEDIA_INITIAL", "50"},
                                 {"MEDIA_REMAIN", "37"}}),
                         {"Waiting", "\n\n<< Incorrect media type has been loaded. >>",
                          "Media Info[ --- ]", "---", "0 / 50  Sheets", 0,
                          ":/images/PrtStsIdle.bmp"}},
        PresentationCase{"SystemErrorTakesNoMediaNote",
                         record({{"PRINTER_STATUS", "02000"},
                                 {"PRINTER_MESSAGE", "00100"},
                                 {"MEDIA_SIZE", "00700"},
                                 {"MEDIA_CLASS", "0001"},
                                 {"MEDIA_INITIAL", "50"},
                                 {"MEDIA_REMAIN", "37"}}),
                         {"System error", "Close the printer.", "Media Info[ --- ]", "---",
                          "37 / 50  Sheets", 74, ":/images/PrtStsSystemErr01.bmp"}},
        PresentationCase{"NoInitialCount",
                         record({{"PRINTER_STATUS", "01100"},
                                 {"PRINTER_MESSAGE", "00103"},
                                 {"MEDIA_SIZE", "00510"},
                                 {"MEDIA_INITIAL", "0"},
                                 {"MEDIA_REMAIN", "10"}}),
                         {"Paper end", "Load new media.\n(Replace the paper and ribbon as a set.)",
                          "Media Info[ --- ]", "8x12in", "--- / ---  Sheets (---  Sheets : 8x6in)",
                          0, ":/images/PrtStsPaperEnd.bmp"}},
        PresentationCase{"EmptyRemainLeavesHalfSizeOut",
                         record({{"PRINTER_STATUS", "01300"},
                                 {"PRINTER_MESSAGE", "00104"},
                                 {"MEDIA_SIZE", "00510"},
                                 {"MEDIA_INITIAL", "0"},
                                 {"MEDIA_REMAIN", ""}}),
                         {"Paper jam", "Remove the paper and reload it properly.",
                          "Media Info[ --- ]", "8x12in", "--- / ---  Sheets", 0,
                          ":/images/PrtStsPaperJam.bmp"}},
        PresentationCase{"PowerSavingUsesIdleBadge",
                         record({{"PRINTER_STATUS", "00900"},
                                 {"PRINTER_MESSAGE", "00003"},
                                 {"MEDIA_SIZE", "00500"},
                                 {"MEDIA_INITIAL", "50"},
                                 {"MEDIA_REMAIN", "50"}}),
                         {"Waiting (Power saving mode)",
                          "Please wait a while.\nPrinting will resume automatically.",
                          "Media Info[ --- ]", "8x10in", "50 / 50  Sheets (0  Sheets : 8x5in)", 100,
                          ":/images/PrtStsIdle.bmp"}},
        PresentationCase{"UnknownStateIsSystemErrorWithCounts",
                         record({{"PRINTER_STATUS", "12345"},
                                 {"PRINTER_MESSAGE", "00150"},
                                 {"MEDIA_SIZE", "00500"},
                                 {"MEDIA_INITIAL", "50"},
                                 {"MEDIA_REMAIN", "25"}}),
                         {"System error", kRestart, "Media Info[ --- ]", "8x10in",
                          "25 / 50  Sheets (0  Sheets : 8x5in)", 50,
                          ":/images/PrtStsSystemErr01.bmp"}},
        PresentationCase{"TextMessageIsRestartMessage",
                         record({{"PRINTER_STATUS", "01400"},
                                 {"PRINTER_MESSAGE", "abc"},
                                 {"MEDIA_SIZE", "00600"},
                                 {"MEDIA_INITIAL", "40"},
                                 {"MEDIA_REMAIN", "10"}}),
                         {"Ribbon error", kRestart, "Media Info[ --- ]", "A4",
                          "10 / 40  Sheets (0  Sheets : A5)", 25, ":/images/PrtStsRibbonErr.bmp"}},
        PresentationCase{"EmptyRecordIsOffline",
                         {},
                         {"Offline", "Connect the printer and computer, and turn on the power.",
                          "Media Info[ --- ]", "---", "--- / ---  Sheets", 0,
                          ":/images/PrtStsOffline.bmp"}},
        PresentationCase{"OfflineRecord",
                         record({{"PRINTER_STATUS", "99999"},
                                 {"PRINTER_MESSAGE", "00006"},
                                 {"MEDIA_SIZE", "00500"},
                                 {"MEDIA_INITIAL", "50"},
                                 {"MEDIA_REMAIN", "37"}}),
                         {"Offline", "Connect the printer and computer, and turn on the power.",
                          "Media Info[ --- ]", "---", "--- / ---  Sheets", 0,
                          ":/images/PrtStsOffline.bmp"}}),
    [](const ::testing::TestParamInfo<PresentationCase>& info) {
        return std::string(info.param.name);
    });

class PresentationDetails : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(installCatalogue("en")); }
    void TearDown() override { removeCatalogue(); }
};

TEST_F(PresentationDetails, MessageCodesAndTheirTexts) {
    StatusDialog dialog(nullptr);
    const struct {
        const char* code;
        const char* text;
    } messages[] = {
        {"", ""},
        {"00001", " "},
        {"00006", "Connect the printer and computer, and turn on the power."},
        {"00101", "Attach the scrap box."},
        {"00105", "Reload the ribbon properly."},
        {"00106", "Check the paper size setting and ribbon size."},
        {"00107", kRestart},
        {"00108", kMediaNote},
        {"00200", kRestart},
        {"00210", kRestart},
        {"00000", kRestart},
        {"00211", kRestart},
    };
    for (const auto& message : messages) {
        EXPECT_EQ(dialog.getStatusMessageString(QLatin1String(message.code)),
                  QString::fromUtf8(message.text))
            << message.code;
    }
}

TEST_F(PresentationDetails, SerialVersionAndPlaceholders) {
    StatusDialog dialog(nullptr);
    dialog.upDateStatus(record({{"PRINTER_STATUS", "00000"},
                                {"PRINTER_SERIAL_NO", "VS12345"},
                                {"PRINTER_VERSION", "1.02.3"},
                                {"MEDIA_SIZE", "00500"},
                                {"TOTAL_COUNT", "0012345"}}));
    EXPECT_EQ(labelText(&dialog, "label_SerialValue"), QStringLiteral("VS12345"));
    EXPECT_EQ(labelText(&dialog, "label_FWValue"), QStringLiteral("1.02.3"));
    // No CUPS queue of this printer is registered: the total count is never shown.
    EXPECT_EQ(labelText(&dialog, "label_TCValue"), QStringLiteral("---"));

    dialog.upDateStatus(record({{"PRINTER_STATUS", "00000"}, {"MEDIA_SIZE", "00500"}}));
    EXPECT_EQ(labelText(&dialog, "label_SerialValue"), QStringLiteral("---"));
    EXPECT_EQ(labelText(&dialog, "label_FWValue"), QStringLiteral("---"));
}

TEST_F(PresentationDetails, PercentOutOfRangeKeepsTheBar) {
    StatusDialog dialog(nullptr);
    dialog.upDateStatus(record({{"PRINTER_STATUS", "00000"},
                                {"MEDIA_SIZE", "00500"},
                                {"MEDIA_INITIAL", "50"},
                                {"MEDIA_REMAIN", "37"}}));
    ASSERT_EQ(barValue(dialog), 74);
    dialog.upDateStatus(record({{"PRINTER_STATUS", "00000"},
                                {"MEDIA_SIZE", "00500"},
                                {"MEDIA_INITIAL", "50"},
                                {"MEDIA_REMAIN", "60"},
                                {"MEDIA_REMAIN_HALF", "5"}}));
    EXPECT_EQ(labelText(&dialog, "label_MediaSizeDetails"),
              QStringLiteral("60 / 50  Sheets (5  Sheets : 8x5in)"));
    EXPECT_EQ(barValue(dialog), 74);
    dialog.upDateStatus(record({{"PRINTER_STATUS", "00000"},
                                {"MEDIA_SIZE", "00500"},
                                {"MEDIA_INITIAL", "1"},
                                {"MEDIA_REMAIN", "2000000000"}}));
    EXPECT_EQ(barValue(dialog), 74);
}

TEST_F(PresentationDetails, HalfSizeNamesAreNotTranslated) {
    ASSERT_NO_FATAL_FAILURE(installCatalogue("de"));
    StatusDialog dialog(nullptr);
    EXPECT_EQ(dialog.getHalfMediaSizeString(QStringLiteral("00500")), QStringLiteral("8x5in"));
    EXPECT_EQ(dialog.getHalfMediaSizeString(QStringLiteral("510")), QStringLiteral("8x6in"));
    EXPECT_EQ(dialog.getHalfMediaSizeString(QStringLiteral("00600")), QStringLiteral("A5"));
    EXPECT_EQ(dialog.getHalfMediaSizeString(QString()), QString());
    EXPECT_EQ(dialog.getHalfMediaSizeString(QStringLiteral("00700")), QString());
}

} // namespace
