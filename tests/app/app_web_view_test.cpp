// SPDX-License-Identifier: Apache-2.0
// The web page's copy of the status monitor's view: the monitor's texts, picture, media lines
// and counts for a status file, in the language an Accept-Language header chooses.
#include <string>

#include <gtest/gtest.h>

#include "PrinterStatus.h"
#include "StatusView.h"
#include "WebCatalogue.h"

namespace {

// A status file as the backend writes it: the ten keys, then seven lines of its own.
std::string StatusFile(const char* state, const char* message, const char* size,
                       const char* mediaClass, const char* initial, const char* remain,
                       const char* half, const char* total) {
    std::string text;
    text += std::string("PRINTER_STATUS=\"") + state + "\"\n";
    text += std::string("PRINTER_MESSAGE=\"") + message + "\"\n";
    text += "PRINTER_VERSION=\"1.53\"\nPRINTER_SERIAL_NO=\"ZEL51M0001\"\n";
    text += std::string("MEDIA_SIZE=\"") + size + "\"\n";
    text += std::string("MEDIA_CLASS=\"") + mediaClass + "\"\n";
    text += std::string("MEDIA_INITIAL=\"") + initial + "\"\n";
    text += std::string("MEDIA_REMAIN=\"") + remain + "\"\n";
    text += std::string("MEDIA_REMAIN_HALF=\"") + half + "\"\n";
    text += std::string("TOTAL_COUNT=\"") + total + "\"\n";
    for (int i = 0; i < 7; ++i)
        text += "EXTRA_" + std::to_string(i) + "=\"x\"\n";
    return text;
}

TEST(AppWebView, StatusFilesShowAsTheMonitorShowsThem) {
    struct Row {
        const char* state;
        const char* message;
        const char* size;
        const char* mediaClass;
        const char* initial;
        const char* remain;
        const char* total;
        const char* picture;
        const char* stateText;
        const char* messageText;
        const char* group;
        const char* sizeText;
        const char* counts;
        int percent;
        const char* totalText;
    };
    const char restart[] = "Restart the printer and computer.\nIf the printer does not recover "
                           "after the restart, contact the service center.";
    const Row rows[] = {
        {"00000", "00001", "00500", "0001", "50", "37", "000123", "PrtStsIdle", "Waiting", " ",
         "Media Info[ Corvel ]", "8x10in", "37 / 50  Sheets (12  Sheets : 8x5in)", 74, "123"},
        {"01100", "00102", "00510", "1323", "50", "0", "7", "PrtStsPaperEnd", "Paper end",
         "Load new media.\n(Replace the paper and ribbon as a set.)", "Media Info[ Opalith ]",
         "8x12in", "0 / 50  Sheets (12  Sheets : 8x6in)", 0, "7"},
        // Ribbon end shows no prints left.
        {"01200", "00103", "00600", "0003", "50", "20", "7", "PrtStsRibbonEnd", "Ribbon end",
         "Load new media.\n(Replace the paper and ribbon as a set.)", "Media Info[ Tarsine ]", "A4",
         "0 / 50  Sheets (0  Sheets : A5)", 0, "7"},
        // An unknown sheet: the incorrect-media note, no class and no counts.
        {"00001", "00001", "00700", "0001", "50", "20", "7", "PrtStsPrinting", "Printing",
         " \n\n<< Incorrect media type has been loaded. >>", "Media Info[ --- ]", "---",
         "0 / 50  Sheets", 0, "7"},
        // Codes the tables lack: system error and the restart message; a total that is no
        // number.
        {"04242", "00999", "00500", "0009", "0", "0", "12a", "PrtStsSystemErr01", "System error",
         restart, "Media Info[ --- ]", "8x10in", "--- / ---  Sheets (---  Sheets : 8x5in)", 0,
         "---"},
        // The quotient rounds in single precision before the truncation: 1 / 3 gives 33.
        {"00500", "00003", "00500", "0002", "3", "1", "", "PrtStsCooling", "Cooling head",
         "Please wait a while.\nPrinting will resume automatically.", "Media Info[ Corvel Plus ]",
         "8x10in", "1 / 3  Sheets (12  Sheets : 8x5in)", 33, "---"},
    };
    const tq51m::Catalogue& english = tq51m::CatalogueForAcceptLanguage("en");
    for (const Row& row : rows) {
        const tq51m::StatusView view = tq51m::MakeStatusView(
            tq51m::ParseStatusText(StatusFile(row.state, row.message, row.size, row.mediaClass,
                                              row.initial, row.remain, "12", row.total)),
            english);
        SCOPED_TRACE(row.state);
        EXPECT_FALSE(view.offline);
        EXPECT_EQ(view.picture, row.picture);
        EXPECT_EQ(view.state, row.stateText);
        EXPECT_EQ(view.message, row.messageText);
        EXPECT_EQ(view.mediaGroup, row.group);
        EXPECT_EQ(view.mediaSize, row.sizeText);
        EXPECT_EQ(view.mediaCounts, row.counts);
        EXPECT_EQ(view.percent, row.percent);
        EXPECT_EQ(view.totalCount, row.totalText);
        EXPECT_EQ(view.firmware, "1.53");
        EXPECT_EQ(view.serial, "ZEL51M0001");
    }
}

TEST(AppWebView, AcceptLanguageChoosesTheMonitorsCatalogue) {
    struct Row {
        const char* header;
        const char* state;   // st_00000
        const char* offline; // the offline view's state and message
        const char* message;
    };
    const Row rows[] = {
        {"ja,en-US;q=0.8", "待機中", "オフライン",
         "プリンターとパソコンを接続し、電源を入れてください。"},
        {"de-AT", "Warten", "Offline", "Drucker und Computer anschließen und einschalten."},
        {"en;q=0.2, fr;q=0.9", "En attente", "Hors ligne",
         "Raccordez l'imprimante à l'ordinateur, puis allumez-la."},
        {"zh-TW,zh;q=0.9", "正在等候", "脱机", "连接打印机和计算机，打开电源。"},
        {"ES", "En espera", "Desconectada", "Conecte la impresora y el equipo y enciéndalos."},
        // No language the monitor speaks, a refused one, an empty header: English.
        {"pt-BR,pt;q=0.9", "Waiting", "Offline",
         "Connect the printer and computer, and turn on the power."},
        {"ja;q=0", "Waiting", "Offline",
         "Connect the printer and computer, and turn on the power."},
        {"", "Waiting", "Offline", "Connect the printer and computer, and turn on the power."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.header);
        const tq51m::Catalogue& catalogue = tq51m::CatalogueForAcceptLanguage(row.header);
        EXPECT_EQ(tq51m::Translate(catalogue, "st_00000"), row.state);
        const tq51m::StatusView view = tq51m::MakeStatusView(tq51m::OfflineStatus(), catalogue);
        EXPECT_TRUE(view.offline);
        EXPECT_EQ(view.picture, "PrtStsOffline");
        EXPECT_EQ(view.state, row.offline);
        EXPECT_EQ(view.message, row.message);
        EXPECT_EQ(view.mediaSize, "---");
        EXPECT_EQ(view.serial, "---");
        EXPECT_EQ(view.totalCount, "---");
    }
    EXPECT_EQ(tq51m::CatalogueForAcceptLanguage(nullptr).language, std::string("en"));
}

// The application's own words: found by their English text, the parts of a message made from
// a pattern translated in turn, anything else (PAPPL's or the backend's messages) left as it
// is.
TEST(AppWebView, PageWordsComeFromTheMonitorsCatalogues) {
    const struct {
        const char* language;
        const char* text;
        const char* shown;
    } rows[] = {
        {"ja", "Photo settings", "写真設定"},
        {"de", "Save photo settings", "Fotoeinstellungen speichern"},
        {"ja", "3 page(s) sent to the printer.", "3 ページをプリンターに送信しました。"},
        {"zh", "Stopped after 12 page(s).", "在 12 页后停止。"},
        {"de", "Page 7 of the PDF document cannot be rendered.",
         "Seite 7 des PDF-Dokuments kann nicht gerendert werden."},
        {"fr", "Sheet 10", "Feuille 10"},
        {"es", "8 x 10 in", "8 x 10 pulg."},
        {"ja", "Luster", "ラスター"},
        {"de", "Completed", "Abgeschlossen"},
        {"pt", "Completed", "Completed"},
        {"ja", "Backend: 5 sheets left", "Backend: 5 sheets left"},
        // Patterns within patterns, and the printer's state in the monitor's words.
        {"de", "Job 4 stopped: Out of memory for page 3.",
         "Auftrag 4 gestoppt: Nicht genügend Speicher für Seite 3."},
        {"ja", "Waiting for the printer: Paper end (The backend failed to print the job.)",
         "プリンター待ち: 用紙切れ (バックエンドがジョブを印刷できませんでした。)"},
        {"ja",
         "Waiting for the printer: Waiting (Power saving mode) (The printer stopped: it needs "
         "attention.)",
         "プリンター待ち: 待機中（省電力モード） (プリンターが停止しました。確認が必要です。)"},
        // Parts placed by their number where the translation orders them differently.
        {"ja",
         "The document ends inside page 1 (120 of 3000 rows): it was not printed. Send it again.",
         "文書が 1 ページ目の途中 (3000 行中 120 行) で終わっています。印刷されませんでした。"
         "もう一度送信してください。"},
        {"es", "Sending sheets 2 to 3 to the printer again.",
         "Enviando de nuevo las hojas 2 a 3 a la impresora."},
        // A part nobody translates keeps the whole text English.
        {"de", "Job 4 stopped: Unable to run velmora-zelbackend: No such file",
         "Job 4 stopped: Unable to run velmora-zelbackend: No such file"},
        {"de", "A4", "A4"},
        {"ja", "", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.language) + " " + row.text);
        EXPECT_EQ(tq51m::TranslatePage(tq51m::CatalogueForAcceptLanguage(row.language), row.text),
                  row.shown);
    }
}

} // namespace
