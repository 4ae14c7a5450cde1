// SPDX-License-Identifier: Apache-2.0
// The printer application's pure units: IPP job attributes to the classic queue's PPD
// options, and the backend's status file to printer reasons, supply level and loaded media.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "BackendExit.h"
#include "JobOptions.h"
#include "PrinterStatus.h"

namespace {

using tq51m::JobRequest;
using tq51m::OptionList;

std::string Value(const OptionList& options, const std::string& name) {
    for (const auto& option : options)
        if (option.first == name)
            return option.second;
    return "(none)";
}

struct OptionRow {
    const char* name;
    JobRequest request;
    std::vector<std::pair<const char*, const char*>> expected;
};

TEST(AppJobOptions, AttributesBecomeThePpdChoices) {
    const OptionRow rows[] = {
        {"defaults",
         {"207x257mm", 300, 300, "", {}},
         {{"PageSize", "207x257mm"},
          {"Resolution", "300dpi"},
          {"ZelOvercoatFinish", "Glossy"},
          {"ZelBorder", "Disable"},
          {"Zel2InchCut", "Disable"},
          {"ZelPrintSpeed", "Disable"},
          {"ZelPrintRetry", "Enable"},
          {"ZelSharpness", "0"},
          {"ZelColorAdjustment", "Disable"},
          {"ZelGamma", "0"},
          {"ZelBrightness", "0"},
          {"ZelContrast", "0"},
          {"ZelChroma", "0"}}},
        {"every switch flipped",
         {"214x300mm",
          300,
          600,
          "photographic-semi-gloss",
          {{"tq51m-border", "true"},
           {"tq51m-2inch-cut", "true"},
           {"tq51m-high-speed", "true"},
           {"tq51m-print-retry", "false"},
           {"tq51m-color-adjustment", "true"}}},
         {{"PageSize", "214x300mm"},
          {"Resolution", "300x600dpi"},
          {"ZelOvercoatFinish", "Luster"},
          {"ZelBorder", "Enable"},
          {"Zel2InchCut", "Enable"},
          {"ZelPrintSpeed", "Enable"},
          {"ZelPrintRetry", "Disable"},
          {"ZelColorAdjustment", "Enable"}}},
        {"numbers at their limits",
         {"",
          600,
          600,
          "photographic-matte",
          {{"tq51m-sharpness", "8"},
           {"tq51m-gamma", "-100"},
           {"tq51m-brightness", "100"},
           {"tq51m-contrast", "-50"},
           {"tq51m-saturation", "30"}}},
         {{"PageSize", "(none)"},
          {"Resolution", "600x600dpi"},
          {"ZelOvercoatFinish", "Matte"},
          {"ZelSharpness", "8"},
          {"ZelGamma", "-100"},
          {"ZelBrightness", "100"},
          {"ZelContrast", "-50"},
          {"ZelChroma", "30"}}},
        {"out of range or malformed values keep the defaults",
         {"207x105mm",
          1200,
          1200,
          "stationery",
          {{"tq51m-sharpness", "9"},
           {"tq51m-gamma", "-101"},
           {"tq51m-brightness", "5x"},
           {"tq51m-border", "yes"},
           {"tq51m-print-retry", ""}}},
         {{"Resolution", "300dpi"},
          {"ZelOvercoatFinish", "Glossy"},
          {"ZelSharpness", "0"},
          {"ZelGamma", "0"},
          {"ZelBrightness", "0"},
          {"ZelBorder", "Disable"},
          {"ZelPrintRetry", "Enable"}}},
        {"fine matte",
         {"207x105mm", 300, 300, "photographic-satin", {{"tq51m-sharpness", "-2"}}},
         {{"ZelOvercoatFinish", "FineMatte"}, {"ZelSharpness", "-2"}}},
    };
    for (const OptionRow& row : rows) {
        const OptionList options = tq51m::MapJobOptions(row.request);
        for (const auto& expected : row.expected)
            EXPECT_EQ(Value(options, expected.first), expected.second)
                << row.name << ": " << expected.first;
    }
}

// Clients name a sheet by its nominal print size (the registered PWG name where one exists);
// the sheet-with-bleed names and the PPD's page sizes stay accepted. Pages are found by the
// size in points of either, whole points as a raster header carries them, either way round.
TEST(AppSheets, NamesAndPageSizesFindTheirSheet) {
    struct Row {
        const char* pageSize;
        const char* ippName;
        const char* bleedName;
        int nominalWidthPt, nominalLengthPt;
        int sheetWidthPt, sheetLengthPt;
    };
    const Row rows[] = {
        {"207x105mm", "oe_photo-4x8_4x8in", "oe_photo-8x4_8.16x4.12in", 288, 576, 588, 297},
        {"207x130mm", "na_index-5x8_5x8in", "oe_photo-8x5_8.16x5.12in", 360, 576, 588, 369},
        {"207x156mm", "na_index-4x6-ext_6x8in", "oe_photo-8x6_8.16x6.12in", 432, 576, 588, 441},
        {"207x206mm", "oe_photo-8x8_8x8in", "oe_photo-8x8_8.16x8.12in", 576, 576, 588, 585},
        {"207x257mm", "na_govt-letter_8x10in", "oe_photo-8x10_8.16x10.12in", 576, 720, 588, 729},
        {"207x308mm", "oe_photo-8x12_8x12in", "oe_photo-8x12_8.16x12.12in", 576, 864, 588, 873},
        {"214x151mm", "iso_a5_148x210mm", "om_photo-214x151_214.04x151.05mm", 420, 595, 607, 428},
        {"214x300mm", "iso_a4_210x297mm", "om_photo-214x300_214.04x300.06mm", 595, 842, 607, 851},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.pageSize);
        for (const char* name : {row.pageSize, row.ippName, row.bleedName}) {
            const tq51m::MediaSheet* sheet = tq51m::FindMediaSheetByName(name);
            ASSERT_NE(sheet, nullptr) << name;
            EXPECT_STREQ(sheet->pageSize, row.pageSize) << name;
            EXPECT_STREQ(sheet->ippName, row.ippName);
        }
        const tq51m::MediaSheet* byNominal =
            tq51m::FindMediaSheetByPoints(row.nominalWidthPt, row.nominalLengthPt);
        const tq51m::MediaSheet* byTurned =
            tq51m::FindMediaSheetByPoints(row.nominalLengthPt, row.nominalWidthPt);
        const tq51m::MediaSheet* bySheet =
            tq51m::FindMediaSheetByPoints(row.sheetWidthPt, row.sheetLengthPt);
        ASSERT_TRUE(byNominal && byTurned && bySheet);
        EXPECT_STREQ(byNominal->pageSize, row.pageSize);
        EXPECT_STREQ(byTurned->pageSize, row.pageSize);
        EXPECT_STREQ(bySheet->pageSize, row.pageSize);
    }
    EXPECT_EQ(tq51m::FindMediaSheetByPoints(612, 792), nullptr); // US letter is none of them
    EXPECT_EQ(tq51m::FindMediaSheetByName("na_letter_8.5x11in"), nullptr);
    EXPECT_EQ(tq51m::FindMediaSheetByName(""), nullptr);
}

TEST(AppJobOptions, BackendJobIdsStayApartFromCupsAndOtherPrinters) {
    EXPECT_EQ(tq51m::BackendJobId(1, 1), 2000100001L);
    EXPECT_EQ(tq51m::BackendJobId(2, 1), 2000200001L);
    EXPECT_EQ(tq51m::BackendJobId(999, 99999), 2099999999L);
    EXPECT_NE(tq51m::BackendJobId(1, 7), tq51m::BackendJobId(2, 7));
}

// A status file as the backend writes it: the ten keys, then seven lines of its own.
std::string StatusFile(const char* state, const char* message, const char* size,
                       const char* initial, const char* remain) {
    std::string text;
    text += std::string("PRINTER_STATUS=\"") + state + "\"\n";
    text += std::string("PRINTER_MESSAGE=\"") + message + "\"\n";
    text += "PRINTER_VERSION=\"1.53\"\nPRINTER_SERIAL_NO=\"T1\"\n";
    text += std::string("MEDIA_SIZE=\"") + size + "\"\nMEDIA_CLASS=\"0001\"\n";
    text += std::string("MEDIA_INITIAL=\"") + initial + "\"\n";
    text += std::string("MEDIA_REMAIN=\"") + remain + "\"\n";
    text += "MEDIA_REMAIN_HALF=\"12\"\nTOTAL_COUNT=\"5\"\n";
    for (int i = 0; i < 7; ++i)
        text += "EXTRA_" + std::to_string(i) + "=\"x\"\n";
    return text;
}

TEST(AppPrinterStatus, StatusFileRowsGiveReasonsSupplyAndMedia) {
    struct Row {
        const char* state;
        const char* message;
        const char* size;
        const char* initial;
        const char* remain;
        pappl_preason_t reasons;
        int level;
        const char* ready;
        const char* stateText;
        const char* messageText;
    };
    const pappl_preason_t low = PAPPL_PREASON_MEDIA_LOW | PAPPL_PREASON_MARKER_SUPPLY_LOW;
    const Row rows[] = {
        {"00000", "00001", "00500", "50", "37", PAPPL_PREASON_NONE, 74, "na_govt-letter_8x10in",
         "Waiting", " "},
        {"00001", "00001", "00510", "50", "50", PAPPL_PREASON_NONE, 100, "oe_photo-8x12_8x12in",
         "Printing", " "},
        // cover-open too: PAPPL 1.3.1 leaves door-open out of printer-state-reasons.
        {"01000", "00100", "00600", "100", "53", PAPPL_PREASON_DOOR_OPEN | PAPPL_PREASON_COVER_OPEN,
         53, "iso_a4_210x297mm", "Door open", "Close the printer."},
        {"01100", "00102", "00500", "50", "0", PAPPL_PREASON_MEDIA_EMPTY | low, 0,
         "na_govt-letter_8x10in", "Paper end",
         "Load new media.\n(Replace the paper and ribbon as a set.)"},
        {"01200", "00103", "00500", "50", "37", PAPPL_PREASON_MARKER_SUPPLY_EMPTY, 0,
         "na_govt-letter_8x10in", "Ribbon end",
         "Load new media.\n(Replace the paper and ribbon as a set.)"},
        {"01300", "00104", "00500", "50", "4", PAPPL_PREASON_MEDIA_JAM | low, 8,
         "na_govt-letter_8x10in", "Paper jam", "Remove the paper and reload it properly."},
        {"01500", "00106", "00700", "50", "5", PAPPL_PREASON_MEDIA_NEEDED, 10, nullptr,
         "Paper size setting error", "Check the paper size setting and ribbon size."},
        {"01010", "00101", "00500", "", "", PAPPL_PREASON_OTHER, -1, "na_govt-letter_8x10in",
         "No Scrap box", "Attach the scrap box."},
        {"01400", "00105", "00500", "0", "10", PAPPL_PREASON_OTHER, -1, "na_govt-letter_8x10in",
         "Ribbon error", "Reload the ribbon properly."},
        {"02610", "00207", "00500", "50", "37", PAPPL_PREASON_OTHER, 74, "na_govt-letter_8x10in",
         "System error",
         "Restart the printer and computer.\nIf the printer does not recover after the "
         "restart, contact the service center."},
        {"12345", "abc", "00500", "50", "37", PAPPL_PREASON_OTHER, 74, "na_govt-letter_8x10in",
         "System error",
         "Restart the printer and computer.\nIf the printer does not recover after the "
         "restart, contact the service center."},
        {"00900", "00001", "00500", "100", "9", low, 9, "na_govt-letter_8x10in",
         "Waiting (Power saving mode)", " "},
        {"99999", "00006", "00500", "50", "37", PAPPL_PREASON_OFFLINE, 74, "na_govt-letter_8x10in",
         "Offline", "Connect the printer and computer, and turn on the power."},
    };
    for (const Row& row : rows) {
        const tq51m::PrinterStatus status = tq51m::ParseStatusText(
            StatusFile(row.state, row.message, row.size, row.initial, row.remain));
        EXPECT_EQ(status.reasons, row.reasons) << row.state;
        EXPECT_EQ(status.supplyLevel, row.level) << row.state;
        if (row.ready == nullptr)
            EXPECT_EQ(status.readyMedia, nullptr) << row.state;
        else
            EXPECT_STREQ(status.readyMedia, row.ready) << row.state;
        EXPECT_EQ(status.stateText, row.stateText) << row.state;
        EXPECT_EQ(status.message, row.messageText) << row.state;
    }
}

TEST(AppPrinterStatus, FilesOfAnotherShapeAreOffline) {
    const std::string good = StatusFile("00000", "00001", "00500", "50", "37");
    const std::string shapes[] = {
        "",
        good + "\n",                           // 19 parts
        good.substr(0, good.rfind("EXTRA_6")), // 17 parts
        "PRINTER_STATUS=\"\"\n" + good.substr(good.find('\n') + 1),
        std::string(good).replace(0, 15, "PRINTER_STATE=\""),
    };
    for (const std::string& text : shapes) {
        const tq51m::PrinterStatus status = tq51m::ParseStatusText(text);
        EXPECT_EQ(status.reasons, PAPPL_PREASON_OFFLINE) << text;
        EXPECT_EQ(status.stateText, "Offline");
        EXPECT_EQ(status.supplyLevel, -1);
    }
    // Carriage returns after the closing quote do not change the values.
    std::string crlf;
    for (char c : good) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    EXPECT_EQ(tq51m::ParseStatusText(crlf).supplyLevel, 74);
}

TEST(AppPrinterStatus, StatusFilePathComesFromTheSerial) {
    EXPECT_EQ(tq51m::StatusFilePath("velmora-zelbackend://VELMORA/TQ-51M?serial=ZEL51M0001"),
              "/tmp/TQ-51M_ZEL51M0001.log");
    for (const char* uri : {"velmora-zelbackend://VELMORA/TQ-51M",
                            "velmora-zelbackend://VELMORA/TQ-51M?serial=../etc/x",
                            "velmora-zelbackend://VELMORA/TQ-51M?serial=a/b",
                            "velmora-zelbackend://VELMORA/TQ-51M?serial="})
        EXPECT_EQ(tq51m::StatusFilePath(uri), "") << uri;
}

} // namespace

// cupsd's meaning of a backend's exit status, with the error policy deciding a failure (1).
TEST(AppBackendExit, EachExitStatusAsCupsdReadsIt) {
    using K = tq51m::ExitDecision;
    using P = tq51m::ErrorPolicy;
    struct Case {
        int exit;
        P policy;
        int resends;
        K::Kind kind;
        int waitSeconds;
        bool waitForPrinter, stopPrinter;
    };
    const Case cases[] = {
        {0, P::RetryCurrentJob, 0, K::Complete, 0, false, false},
        {1, P::RetryCurrentJob, 0, K::Resend, 5, true, false},
        {1, P::RetryCurrentJob, 5, K::Abort, 0, false, false},
        {1, P::RetryJob, 0, K::Resend, 30, true, false},
        {1, P::StopPrinter, 9, K::Resend, 0, true, true},
        {1, P::AbortJob, 0, K::Abort, 0, false, false},
        {2, P::RetryCurrentJob, 0, K::Abort, 0, false, false},
        {3, P::RetryCurrentJob, 0, K::Abort, 0, false, false},
        {4, P::AbortJob, 50, K::Resend, 3, true, false},
        {5, P::RetryCurrentJob, 0, K::Cancel, 0, false, false},
        {6, P::AbortJob, 0, K::Resend, 30, true, false},
        {6, P::AbortJob, 5, K::Abort, 0, false, false},
        {7, P::AbortJob, 4, K::Resend, 0, false, false},
        {7, P::AbortJob, 5, K::Abort, 0, false, false},
        {-1, P::RetryCurrentJob, 0, K::Abort, 0, false, false},
        {8, P::RetryCurrentJob, 0, K::Abort, 0, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("exit " + std::to_string(c.exit) + " after " + std::to_string(c.resends));
        const K d = tq51m::DecideAfterExit(c.exit, c.policy, c.resends);
        EXPECT_EQ(d.kind, c.kind);
        EXPECT_EQ(d.waitSeconds, c.waitSeconds);
        EXPECT_EQ(d.waitForPrinter, c.waitForPrinter);
        EXPECT_EQ(d.stopPrinter, c.stopPrinter);
    }
}

TEST(AppBackendExit, ErrorPolicyKeywords) {
    EXPECT_EQ(tq51m::ParseErrorPolicy("abort-job"), tq51m::ErrorPolicy::AbortJob);
    EXPECT_EQ(tq51m::ParseErrorPolicy("stop-printer"), tq51m::ErrorPolicy::StopPrinter);
    EXPECT_EQ(tq51m::ParseErrorPolicy("retry-job"), tq51m::ErrorPolicy::RetryJob);
    EXPECT_EQ(tq51m::ParseErrorPolicy("retry-current-job"), tq51m::ErrorPolicy::RetryCurrentJob);
    EXPECT_EQ(tq51m::ParseErrorPolicy(""), tq51m::ErrorPolicy::RetryCurrentJob);
    EXPECT_EQ(tq51m::ParseErrorPolicy("Abort-Job"), tq51m::ErrorPolicy::RetryCurrentJob);
}

// States 00000, 00001, 00500 and 00900 take jobs; every other state stops them. A missing
// status file does not stop the printer.
TEST(AppPrinterStatus, StatesInWhichThePrinterCannotPrint) {
    const struct {
        int code;
        bool cannotPrint;
    } cases[] = {{0, false},   {1, false},   {500, false}, {900, false}, {1000, true},
                 {1010, true}, {1100, true}, {1200, true}, {1300, true}, {1400, true},
                 {1500, true}, {1600, true}, {3000, true}, {4242, true}};
    for (const auto& c : cases) {
        tq51m::PrinterStatus status;
        status.online = true;
        status.stateCode = c.code;
        EXPECT_EQ(tq51m::CannotPrint(status), c.cannotPrint) << "state " << c.code;
    }
    EXPECT_FALSE(tq51m::CannotPrint(tq51m::OfflineStatus()));
}

// The sheets a backend job finished come from the status file's "JOB_ID" and
// "JOB_SHEETS_DONE" lines, and only for that job: a count of another job, or none, would skip
// sheets that were never printed.
TEST(AppPrinterStatus, SheetsFinishedOnlyForTheSameJob) {
    const std::string head = StatusFile("01100", "00102", "00500", "50", "0") +
                             "PRINTER_MODEL=\"TQ-51M\"\nBACKEND=\"velmora-zelbackend\"\n";
    const struct {
        const char* tail;
        int finished;
    } cases[] = {
        {"JOB_ID=\"2091200005\"\nJOB_SHEETS_DONE=\"1\"\nJOB_SHEETS_TOTAL=\"3\"\n", 1},
        {"JOB_ID=\"2091200005\"\nJOB_SHEETS_DONE=\"0\"\nJOB_SHEETS_TOTAL=\"3\"\n", 0},
        {"JOB_ID=\"2091200004\"\nJOB_SHEETS_DONE=\"2\"\nJOB_SHEETS_TOTAL=\"3\"\n", -1},
        {"JOB_ID=\"20912000055\"\nJOB_SHEETS_DONE=\"2\"\nJOB_SHEETS_TOTAL=\"3\"\n", -1},
        {"JOB_ID=\"\"\nJOB_SHEETS_DONE=\"0\"\nJOB_SHEETS_TOTAL=\"0\"\n", -1},
        {"JOB_ID=\"2091200005\"\nJOB_SHEETS_TOTAL=\"3\"\n", -1},
        {"JOB_ID=\"2091200005\"\nJOB_SHEETS_DONE=\"-1\"\n", -1},
        {"JOB_ID=\"2091200005\"\nJOB_SHEETS_DONE=\"2\n", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tq51m::SheetsFinished(head + c.tail, "2091200005"), c.finished) << c.tail;
    EXPECT_EQ(tq51m::SheetsFinished(head + cases[0].tail, ""), -1);
}
