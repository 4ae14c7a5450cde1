// SPDX-License-Identifier: Apache-2.0
// Writes the status monitor's state badges as small PNG files for the printer application's
// web page: a browser on a phone loads a few kilobytes instead of a 350 KB bitmap.
// Usage: make_badges SIZE OUTPUT_DIR BADGE.bmp...

#include <QDir>
#include <QFileInfo>
#include <QImage>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: make_badges SIZE OUTPUT_DIR BADGE.bmp...\n");
        return 2;
    }
    const int size = std::atoi(argv[1]);
    const QDir outputDir(QString::fromLocal8Bit(argv[2]));
    for (int i = 3; i < argc; ++i) {
        const QString input = QString::fromLocal8Bit(argv[i]);
        QImage image(input);
        if (image.isNull() || size <= 0) {
            std::fprintf(stderr, "make_badges: cannot read %s\n", argv[i]);
            return 1;
        }
        const QString output = outputDir.filePath(QFileInfo(input).completeBaseName() + ".png");
        if (!image.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                 .save(output, "PNG", 9)) {
            std::fprintf(stderr, "make_badges: cannot write %s\n", qPrintable(output));
            return 1;
        }
    }
    return 0;
}
