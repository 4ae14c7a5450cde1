// SPDX-License-Identifier: Apache-2.0
#include "MonitorTestSupport.h"
#include "startup.h"
#include "statusdialog.h"
#include "versiondialog.h"

#include <QFile>
#include <QLocale>
#include <QPushButton>
#include <QTranslator>

#include "CatalogueKeys.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>

namespace {

const char* const kLanguages[] = {"zh", "en", "fr", "de", "ja", "es"};

// Number of messages in a compiled catalogue: its hash table holds one 8-byte entry each.
int qmMessageCount(const QByteArray& qm) {
    static const unsigned char magic[16] = {0x3c, 0xb8, 0x64, 0x18, 0xca, 0xef, 0x9c, 0x95,
                                            0xcd, 0x21, 0x1c, 0xbf, 0x60, 0xa1, 0xbd, 0xdd};
    if (qm.size() < 16 || std::memcmp(qm.constData(), magic, 16) != 0) {
        return -1;
    }
    int at = 16;
    while (at + 5 <= qm.size()) {
        const auto tag = static_cast<unsigned char>(qm[at]);
        const quint32 length = (quint32(quint8(qm[at + 1])) << 24) |
                               (quint32(quint8(qm[at + 2])) << 16) |
                               (quint32(quint8(qm[at + 3])) << 8) | quint32(quint8(qm[at + 4]));
        if (tag == 0x42) {
            return int(length / 8);
        }
        at += 5 + int(length);
    }
    return -1;
}

TEST(Catalogue, EveryCatalogueLoadsWithTheMonitorsAndTheApplicationsEntries) {
    for (const char* language : kLanguages) {
        const QString resource = QStringLiteral(":/translations/localize_%1").arg(language);
        QFile file(resource + QStringLiteral(".qm"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << language;
        // The monitor's 74, and the printer application's words that share the catalogues.
        EXPECT_EQ(qmMessageCount(file.readAll()), 74 + int(std::size(kPrinterApplicationKeys)))
            << language;

        QTranslator translator;
        ASSERT_TRUE(translator.load(resource)) << language;
        for (const char* key : kStatusDialogKeys) {
            EXPECT_FALSE(translator.translate("StatusDialog", key).isEmpty())
                << language << " " << key;
        }
        EXPECT_FALSE(translator.translate("VersionDialog", "TQ-51M Information").isEmpty());
        EXPECT_FALSE(translator.translate("VersionDialog", "Version").isEmpty());
    }
}

struct TellingRow {
    const char* context;
    const char* key;
    const char* texts[6]; // zh, en, fr, de, ja, es
};

const TellingRow kTellingRows[] = {
    {"StatusDialog",
     "select_printer",
     {"选择打印机", "Select printer", "Sélectionner imprimante", "Drucker auswählen",
      "プリンターを選択", "Seleccione impresora"}},
    {"StatusDialog",
     "updateButton",
     {"更新", "Update", "Mettre à jour", "Aktualisieren", "更新", "Actualizar"}},
    {"StatusDialog", "About", {"关于", "About", "À propos", "Über", "About", "Acerca"}},
    {"StatusDialog",
     "mediaGroupTitle",
     {"介质信息", "Media Info", "Informations sur les supports", "Medieninfo", "メディア情報",
      "Información del medio"}},
    {"StatusDialog", "sheets", {"张", "Sheets", "Feuilles", "Blätter", "枚", "Hojas"}},
    {"StatusDialog",
     "statusGroupBox",
     {"打印机状态", "Printer Status", "État de l'imprimante", "Druckerstatus",
      "プリンターステータス", "Estado de la impresora"}},
    {"StatusDialog",
     "st_00000",
     {"正在等候", "Waiting", "En attente", "Warten", "待機中", "En espera"}},
    {"StatusDialog",
     "st_99999",
     {"脱机", "Offline", "Hors ligne", "Offline", "オフライン", "Desconectada"}},
    {"StatusDialog",
     "ms_00006",
     {"连接打印机和计算机，打开电源。", "Connect the printer and computer, and turn on the power.",
      "Raccordez l'imprimante à l'ordinateur, puis allumez-la.",
      "Drucker und Computer anschließen und einschalten.",
      "プリンターとパソコンを接続し、電源を入れてください。",
      "Conecte la impresora y el equipo y enciéndalos."}},
    {"VersionDialog",
     "Version",
     {"版本", "Version", "Version", "Version", "バージョン", "Versión"}},
};

// Entries with the same text in all six languages.
const struct {
    const char* key;
    const char* text;
} kSameEverywhere[] = {
    {"0%", "0%"},
    {"50%", "50%"},
    {"100%", "100%"},
    {"class_0001", "Corvel"},
    {"class_0002", "Corvel Plus"},
    {"class_0003", "Tarsine"},
    {"class_1304", "Lustrane"},
    {"class_1323", "Opalith"},
    {"size_00500", "8x10in"},
    {"size_00510", "8x12in"},
    {"size_00600", "A4"},
    {"ms_00001", " "},
    {"ms_00002", " "},
    {"ms_00004", " "},
    {"ms_00005", " "},
};

TEST(Catalogue, TellingRowsPerLanguage) {
    for (int language = 0; language < 6; ++language) {
        QTranslator translator;
        ASSERT_TRUE(translator.load(
            QStringLiteral(":/translations/localize_%1").arg(kLanguages[language])));
        for (const TellingRow& row : kTellingRows) {
            EXPECT_EQ(translator.translate(row.context, row.key),
                      QString::fromUtf8(row.texts[language]))
                << kLanguages[language] << " " << row.key;
        }
        for (const auto& entry : kSameEverywhere) {
            EXPECT_EQ(translator.translate("StatusDialog", entry.key),
                      QString::fromUtf8(entry.text))
                << kLanguages[language] << " " << entry.key;
        }
    }
}

TEST(Catalogue, WindowTitlesAndVersionLinePerLanguage) {
    const struct {
        const char* language;
        const char* windowTitle;
        const char* aboutButton;
        const char* versionLine;
    } expected[] = {
        {"ja", "TQ-51M Information", "About", "バージョン 1.0.0"},
        {"de", "TQ-51M informationen", "Über", "Version 1.0.0"},
        {"fr", nullptr, "À propos", "Version 1.0.0"},
        {"es", nullptr, "Acerca", "Versión 1.0.0"},
    };
    for (const auto& row : expected) {
        ASSERT_NO_FATAL_FAILURE(installCatalogue(row.language));
        StatusDialog dialog(nullptr);
        if (row.windowTitle != nullptr) {
            EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(row.windowTitle)) << row.language;
        }
        EXPECT_EQ(dialog.findChild<QPushButton*>(QStringLiteral("versionButton"))->text(),
                  QString::fromUtf8(row.aboutButton))
            << row.language;
        VersionDialog about(nullptr);
        EXPECT_EQ(labelText(&about, "label_VersionNo"), QString::fromUtf8(row.versionLine))
            << row.language;
        removeCatalogue();
    }
}

TEST(Catalogue, LocaleSelection) {
    const struct {
        const char* locale;
        const char* catalogue;
    } cases[] = {
        {"zh_TW", ":/translations/localize_zh"}, {"zh_CN", ":/translations/localize_zh"},
        {"pt_BR", ":/translations/localize_en"}, {"it_IT", ":/translations/localize_en"},
        {"en_GB", ":/translations/localize_en"}, {"en_US", ":/translations/localize_en"},
        {"fr_CA", ":/translations/localize_fr"}, {"de_AT", ":/translations/localize_de"},
        {"ja_JP", ":/translations/localize_ja"}, {"es_MX", ":/translations/localize_es"},
    };
    for (const auto& row : cases) {
        EXPECT_EQ(catalogueForLocale(QLocale(QLatin1String(row.locale)).bcp47Name()),
                  QLatin1String(row.catalogue))
            << row.locale;
    }
    EXPECT_EQ(catalogueForLocale(QStringLiteral("ZH-Hant-TW")),
              QStringLiteral(":/translations/localize_zh"));
    EXPECT_EQ(catalogueForLocale(QString()), QStringLiteral(":/translations/localize_en"));
}

} // namespace
