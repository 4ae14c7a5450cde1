// SPDX-License-Identifier: Apache-2.0
// The six translation sources: the monitor's 74 keys in their two contexts and the printer
// application's words in a third, every entry finished and without disambiguation or plural
// forms, the English texts, and the entries that read the same in every language.

#include "CatalogueKeys.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>

#include <iterator>
#include <string>

namespace {

struct Catalogue {
    QMap<QString, QMap<QString, QString>> texts; // context -> key -> translation
    int entries = 0;
    int unfinishedOrCommented = 0;
};

Catalogue readCatalogue(const QString& language) {
    Catalogue catalogue;
    QFile file(QStringLiteral(TRANSLATIONS_DIR "/localize_%1.ts").arg(language));
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << qPrintable(file.fileName());
        return catalogue;
    }
    QXmlStreamReader xml(&file);
    QString context;
    QString key;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QStringRef name = xml.name();
        if (name == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (name == QLatin1String("message")) {
            ++catalogue.entries;
            if (xml.attributes().hasAttribute(QLatin1String("numerus")))
                ++catalogue.unfinishedOrCommented;
        } else if (name == QLatin1String("source")) {
            key = xml.readElementText();
        } else if (name == QLatin1String("translation")) {
            if (xml.attributes().hasAttribute(QLatin1String("type")))
                ++catalogue.unfinishedOrCommented;
            catalogue.texts[context][key] = xml.readElementText();
        } else if (name == QLatin1String("comment")) {
            ++catalogue.unfinishedOrCommented;
        }
    }
    EXPECT_FALSE(xml.hasError()) << qPrintable(language) << ": " << qPrintable(xml.errorString());
    return catalogue;
}

QStringList statusDialogKeys() {
    QStringList keys;
    for (const char* key : kStatusDialogKeys)
        keys << QString::fromUtf8(key);
    return keys;
}

class CatalogueSourceTest : public ::testing::TestWithParam<const char*> {};

TEST_P(CatalogueSourceTest, HoldsTheMonitorsAndTheApplicationsEntriesFinished) {
    const Catalogue catalogue = readCatalogue(QString::fromLatin1(GetParam()));
    const int appEntries = int(std::size(kPrinterApplicationKeys));
    EXPECT_EQ(catalogue.entries, 74 + appEntries);
    EXPECT_EQ(catalogue.unfinishedOrCommented, 0);
    ASSERT_EQ(catalogue.texts.keys(),
              QStringList({"PrinterApplication", "StatusDialog", "VersionDialog"}));

    QStringList expected = statusDialogKeys();
    ASSERT_EQ(expected.size(), 72);
    expected.sort();
    QStringList statusKeys = catalogue.texts["StatusDialog"].keys();
    EXPECT_EQ(statusKeys, expected);
    EXPECT_EQ(catalogue.texts["VersionDialog"].keys(),
              QStringList({"TQ-51M Information", "Version"}));
    for (const QString& text : catalogue.texts["StatusDialog"])
        EXPECT_FALSE(text.isEmpty());

    QStringList appKeys;
    for (const char* key : kPrinterApplicationKeys)
        appKeys << QString::fromUtf8(key);
    appKeys.sort();
    EXPECT_EQ(catalogue.texts["PrinterApplication"].keys(), appKeys);
    for (const QString& text : catalogue.texts["PrinterApplication"])
        EXPECT_FALSE(text.trimmed().isEmpty());
}

// A translation keeps the placeholders of its English text, or a number would go missing.
TEST(CatalogueSource, PrinterApplicationTranslationsKeepTheirPlaceholders) {
    for (const char* language : {"zh", "en", "fr", "de", "ja", "es"}) {
        const auto app = readCatalogue(QString::fromLatin1(language)).texts["PrinterApplication"];
        for (auto it = app.begin(); it != app.end(); ++it)
            for (const char* placeholder : {"%1", "%2", "%3"})
                EXPECT_EQ(it.value().contains(QLatin1String(placeholder)),
                          it.key().contains(QLatin1String(placeholder)))
                    << language << " " << qPrintable(it.key());
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, CatalogueSourceTest,
                         ::testing::Values("zh", "en", "fr", "de", "ja", "es"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param);
                         });

TEST(CatalogueSource, EnglishTexts) {
    const auto english = readCatalogue(QStringLiteral("en")).texts;
    const QMap<QString, QString>& status = english["StatusDialog"];
    const QString restart = QStringLiteral("Restart the printer and computer.\nIf the printer does "
                                           "not recover after the restart, contact the service "
                                           "center.");
    EXPECT_EQ(status["st_00900"], QStringLiteral("Waiting (Power saving mode)"));
    EXPECT_EQ(status["st_02610"], QStringLiteral("System error"));
    EXPECT_EQ(status["ms_00003"],
              QStringLiteral("Please wait a while.\nPrinting will resume automatically."));
    EXPECT_EQ(status["ms_00107"], restart);
    EXPECT_EQ(status["ms_00210"], restart);
    EXPECT_EQ(status["ms_00108"], QStringLiteral("\n<< Incorrect media type has been loaded. >>"));
    EXPECT_EQ(status["mediaGroupTitle"], QStringLiteral("Media Info"));
    EXPECT_EQ(status["sheets"], QStringLiteral("Sheets"));
    EXPECT_EQ(english["VersionDialog"]["Version"], QStringLiteral("Version"));
}

TEST(CatalogueSource, SharedEntriesReadTheSameInEveryLanguage) {
    const QMap<QString, QString> shared{{"0%", "0%"},
                                        {"50%", "50%"},
                                        {"100%", "100%"},
                                        {"size_00500", "8x10in"},
                                        {"size_00510", "8x12in"},
                                        {"size_00600", "A4"},
                                        {"class_0001", "Corvel"},
                                        {"class_0002", "Corvel Plus"},
                                        {"class_0003", "Tarsine"},
                                        {"class_1304", "Lustrane"},
                                        {"class_1323", "Opalith"},
                                        {"ms_00001", " "},
                                        {"ms_00002", " "},
                                        {"ms_00004", " "},
                                        {"ms_00005", " "}};
    for (const char* language : {"zh", "en", "fr", "de", "ja", "es"}) {
        const auto status = readCatalogue(QString::fromLatin1(language)).texts["StatusDialog"];
        for (auto it = shared.begin(); it != shared.end(); ++it)
            EXPECT_EQ(status.value(it.key()), it.value())
                << language << " " << qPrintable(it.key());
    }
}

} // namespace
