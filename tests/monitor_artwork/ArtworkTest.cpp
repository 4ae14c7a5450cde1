// SPDX-License-Identifier: Apache-2.0
// The generated pictures: file format, size and depth as the resource bundle needs them, the
// badge colour of each state, and that no two states share a picture once scaled to 80 x 80.

#include <gtest/gtest.h>

#include <QColor>
#include <QFile>
#include <QImage>
#include <QSet>
#include <QString>
#include <QtEndian>

#include <map>
#include <ostream>
#include <string>

namespace {

enum class Hue { Red, Orange, Yellow, Green, Blue, Purple, Grey };

struct BadgeCase {
    const char* fileName;
    Hue colour;
};

const BadgeCase kBadges[] = {
    {"PrtStsIdle.bmp", Hue::Green},        {"PrtStsPrinting.bmp", Hue::Blue},
    {"PrtStsCooling.bmp", Hue::Purple},    {"PrtStsCoverOpen.bmp", Hue::Yellow},
    {"PrtStsNoScrapBox.bmp", Hue::Orange}, {"PrtStsPaperEnd.bmp", Hue::Yellow},
    {"PrtStsRibbonEnd.bmp", Hue::Yellow},  {"PrtStsPaperJam.bmp", Hue::Orange},
    {"PrtStsRibbonErr.bmp", Hue::Orange},  {"PrtStsPaperErr.bmp", Hue::Orange},
    {"PrtStsSystemErr01.bmp", Hue::Red},   {"PrtStsOffline.bmp", Hue::Grey},
};

void PrintTo(const BadgeCase& badge, std::ostream* out) {
    *out << badge.fileName;
}

QString artworkPath(const char* fileName) {
    return QStringLiteral(ARTWORK_DIR "/") + QString::fromLatin1(fileName);
}

Hue hueFamily(int hue) {
    if (hue < 12 || hue >= 340)
        return Hue::Red;
    if (hue < 38)
        return Hue::Orange;
    if (hue < 65)
        return Hue::Yellow;
    if (hue < 170)
        return Hue::Green;
    if (hue < 250)
        return Hue::Blue;
    return Hue::Purple;
}

// The colour family that most strongly coloured pixels belong to; grey when few are coloured.
Hue dominantColour(const QImage& image) {
    std::map<Hue, int> votes;
    int coloured = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.hsvSaturation() < 90 || pixel.value() < 60)
                continue;
            ++coloured;
            ++votes[hueFamily(pixel.hsvHue())];
        }
    }
    if (coloured < image.width() * image.height() / 10)
        return Hue::Grey;
    Hue best = Hue::Grey;
    int bestVotes = 0;
    for (const auto& [family, count] : votes) {
        if (count > bestVotes) {
            best = family;
            bestVotes = count;
        }
    }
    return best;
}

class BadgeTest : public ::testing::TestWithParam<BadgeCase> {};

TEST_P(BadgeTest, Is346Square24BitBmpInItsStateColour) {
    QFile file(artworkPath(GetParam().fileName));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(file.fileName());
    const QByteArray bytes = file.readAll();
    ASSERT_GE(bytes.size(), 54);
    const auto* header = reinterpret_cast<const uchar*>(bytes.constData());
    EXPECT_EQ(bytes.left(2), QByteArray("BM"));
    EXPECT_EQ(qFromLittleEndian<qint32>(header + 18), 346);
    EXPECT_EQ(qFromLittleEndian<qint32>(header + 22), 346);
    EXPECT_EQ(qFromLittleEndian<quint16>(header + 28), 24);
    EXPECT_EQ(qFromLittleEndian<quint32>(header + 30), 0u) << "uncompressed";

    const QImage image = QImage::fromData(bytes, "BMP");
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(346, 346));
    EXPECT_EQ(dominantColour(image), GetParam().colour);
}

INSTANTIATE_TEST_SUITE_P(StatusPictures, BadgeTest, ::testing::ValuesIn(kBadges),
                         [](const ::testing::TestParamInfo<BadgeCase>& info) {
                             return std::string(info.param.fileName)
                                 .substr(0, std::string(info.param.fileName).size() - 4);
                         });

// The dialog shows the pictures at 80 x 80 with nearest-pixel scaling; every state must still
// have a picture of its own there.
TEST(BadgeSet, AllTwelveDifferAtDisplaySize) {
    QSet<QByteArray> seen;
    for (const BadgeCase& badge : kBadges) {
        const QImage shown = QImage(artworkPath(badge.fileName))
                                 .scaled(80, 80, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                                 .convertToFormat(QImage::Format_RGB888);
        ASSERT_FALSE(shown.isNull()) << badge.fileName;
        const QByteArray pixels(reinterpret_cast<const char*>(shown.constBits()),
                                static_cast<int>(shown.sizeInBytes()));
        EXPECT_FALSE(seen.contains(pixels)) << badge.fileName;
        seen.insert(pixels);
    }
}

TEST(ApplicationIcon, Is256SquarePng) {
    QFile file(artworkPath("printer_icon.png"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(bytes.left(8), QByteArray("\x89PNG\r\n\x1a\n", 8));
    const QImage image = QImage::fromData(bytes, "PNG");
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(256, 256));
}

} // namespace
