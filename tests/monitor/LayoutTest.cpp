// SPDX-License-Identifier: Apache-2.0
#include "MonitorTestSupport.h"
#include "statusdialog.h"
#include "versiondialog.h"

#include <QApplication>
#include <QGraphicsPixmapItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

#include <gtest/gtest.h>

namespace {

struct WidgetRow {
    const char* name;
    const char* className;
    const char* parent;
    QRect geometry;
    int pointSize;
};

// The main window's widget tree, in creation order, with geometry and the point size of
// the font set on the widget (0: the widget sets none and inherits).
const WidgetRow kStatusWidgets[] = {
    {"printerlabel", "QLabel", "StatusDialog", {10, 14, 180, 17}, 10},
    {"printerComboBox", "QComboBox", "StatusDialog", {200, 10, 340, 25}, 10},
    {"mediaGroupBox", "QGroupBox", "StatusDialog", {10, 50, 530, 121}, 10},
    {"label_MediaSize", "QLabel", "mediaGroupBox", {26, 63, 148, 17}, 9},
    {"label_Per0", "QLabel", "mediaGroupBox", {180, 90, 50, 17}, 9},
    {"label_Per50", "QLabel", "mediaGroupBox", {310, 90, 50, 17}, 9},
    {"label_Per100", "QLabel", "mediaGroupBox", {470, 90, 50, 17}, 9},
    {"progressBar", "QProgressBar", "mediaGroupBox", {180, 60, 310, 23}, 0},
    {"label_MediaSizeDetails", "QLabel", "mediaGroupBox", {180, 30, 330, 17}, 9},
    {"frame_3", "QFrame", "mediaGroupBox", {0, 20, 530, 101}, 0},
    {"label_MediaGroup", "QLabel", "mediaGroupBox", {0, -4, 530, 23}, 10},
    {"statusGroupBox", "QGroupBox", "StatusDialog", {10, 180, 530, 171}, 10},
    {"label_Status", "QLabel", "statusGroupBox", {110, 30, 380, 17}, 9},
    {"label_StatusMessage", "QLabel", "statusGroupBox", {110, 60, 400, 101}, 9},
    {"graphicsView", "QGraphicsView", "statusGroupBox", {10, 30, 84, 84}, 0},
    {"frame_2", "QFrame", "statusGroupBox", {0, 20, 530, 151}, 0},
    {"label_StatusGroup", "QLabel", "statusGroupBox", {0, -4, 551, 23}, 10},
    {"updateButton", "QPushButton", "StatusDialog", {390, 520, 140, 30}, 10},
    {"totalCountGroupBox", "QGroupBox", "StatusDialog", {10, 360, 211, 61}, 0},
    {"label_TCGroup", "QLabel", "totalCountGroupBox", {0, 0, 211, 19}, 10},
    {"frame", "QFrame", "totalCountGroupBox", {0, 20, 211, 41}, 10},
    {"label_TCValue", "QLabel", "frame", {70, 10, 131, 20}, 10},
    {"FWVersionBox", "QGroupBox", "StatusDialog", {230, 360, 311, 61}, 0},
    {"label_FWGroup", "QLabel", "FWVersionBox", {0, 0, 311, 20}, 10},
    {"frame_4", "QFrame", "FWVersionBox", {0, 20, 311, 41}, 0},
    {"label_FWValue", "QLabel", "frame_4", {10, 10, 271, 20}, 10},
    {"serialGroupBox", "QGroupBox", "StatusDialog", {10, 440, 531, 61}, 0},
    {"label_Serial", "QLabel", "serialGroupBox", {0, 0, 531, 19}, 10},
    {"frame_5", "QFrame", "serialGroupBox", {0, 20, 531, 41}, 0},
    {"label_SerialValue", "QLabel", "frame_5", {10, 10, 401, 19}, 10},
    {"versionButton", "QPushButton", "StatusDialog", {10, 520, 140, 30}, 10},
};

class Layout : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(installCatalogue("en")); }
    void TearDown() override { removeCatalogue(); }
};

TEST_F(Layout, MainWindowWidgetTree) {
    StatusDialog dialog(nullptr);
    EXPECT_EQ(dialog.objectName(), QStringLiteral("StatusDialog"));
    EXPECT_EQ(dialog.size(), QSize(550, 570));
    EXPECT_EQ(dialog.minimumSize(), QSize(550, 570));
    EXPECT_EQ(dialog.maximumSize(), QSize(550, 570));
    EXPECT_EQ(dialog.font().pointSize(), 11);
    EXPECT_EQ(dialog.styleSheet(), QStringLiteral("background-color: rgb(255, 255, 255);"));

    const QList<QWidget*> created =
        dialog.findChildren<QWidget*>(QString(), Qt::FindChildrenRecursively);
    int index = 0;
    for (const WidgetRow& row : kStatusWidgets) {
        auto* widget = dialog.findChild<QWidget*>(QLatin1String(row.name));
        ASSERT_NE(widget, nullptr) << row.name;
        EXPECT_STREQ(widget->metaObject()->className(), row.className) << row.name;
        EXPECT_EQ(widget->parentWidget()->objectName(), QLatin1String(row.parent)) << row.name;
        EXPECT_EQ(widget->geometry(), row.geometry) << row.name;
        if (row.pointSize != 0) {
            EXPECT_TRUE(widget->testAttribute(Qt::WA_SetFont)) << row.name;
            EXPECT_EQ(widget->font().pointSize(), row.pointSize) << row.name;
        } else {
            EXPECT_FALSE(widget->testAttribute(Qt::WA_SetFont)) << row.name;
        }
        ++index;
    }
    EXPECT_EQ(index, 31);

    auto* update = dialog.findChild<QPushButton*>(QStringLiteral("updateButton"));
    auto* version = dialog.findChild<QPushButton*>(QStringLiteral("versionButton"));
    EXPECT_TRUE(update->isDefault());
    EXPECT_FALSE(update->autoDefault());
    EXPECT_FALSE(version->isDefault());
    EXPECT_FALSE(version->autoDefault());
    auto* message = dialog.findChild<QLabel*>(QStringLiteral("label_StatusMessage"));
    EXPECT_TRUE(message->wordWrap());
    EXPECT_EQ(message->alignment(), Qt::AlignLeft | Qt::AlignTop);
    EXPECT_FALSE(dialog.findChild<QProgressBar*>(QStringLiteral("progressBar"))->isTextVisible());
}

TEST_F(Layout, EnglishOfflineWindow) {
    StatusDialog dialog(nullptr);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("TQ-51M Information"));
    const struct {
        const char* label;
        const char* text;
    } expected[] = {
        {"printerlabel", "Select printer"},
        {"label_MediaGroup", "Media Info[ --- ]"},
        {"label_MediaSize", "---"},
        {"label_MediaSizeDetails", "--- / ---  Sheets"},
        {"label_Per0", "0%"},
        {"label_Per50", "50%"},
        {"label_Per100", "100%"},
        {"label_StatusGroup", "Printer Status"},
        {"label_Status", "Offline"},
        {"label_StatusMessage", "Connect the printer and computer, and turn on the power."},
        {"label_TCGroup", "Total Count"},
        {"label_TCValue", "---"},
        {"label_FWGroup", "Firmware Version"},
        {"label_FWValue", "---"},
        {"label_Serial", "Serial No."},
        {"label_SerialValue", "---"},
    };
    for (const auto& row : expected) {
        EXPECT_EQ(labelText(&dialog, row.label), QString::fromUtf8(row.text)) << row.label;
    }
    EXPECT_EQ(dialog.findChild<QPushButton*>(QStringLiteral("versionButton"))->text(),
              QStringLiteral("About"));
    EXPECT_EQ(dialog.findChild<QPushButton*>(QStringLiteral("updateButton"))->text(),
              QStringLiteral("Update"));
    EXPECT_EQ(dialog.findChild<QProgressBar*>(QStringLiteral("progressBar"))->value(), 0);
}

TEST_F(Layout, VersionDialog) {
    VersionDialog about(nullptr);
    EXPECT_EQ(about.objectName(), QStringLiteral("VersionDialog"));
    EXPECT_EQ(about.windowTitle(), QStringLiteral("TQ-51M Information"));
    EXPECT_EQ(about.windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(about.size(), QSize(320, 200));
    EXPECT_EQ(about.minimumSize(), QSize(320, 200));
    EXPECT_EQ(about.maximumSize(), QSize(320, 200));
    EXPECT_EQ(labelText(&about, "label_VersionNo"), QStringLiteral("Version 1.0.0"));
    EXPECT_FALSE(labelText(&about, "label_CopyRight").isEmpty());
    EXPECT_NE(labelText(&about, "label_CopyRight"), QStringLiteral("TextLabel"));

    auto* view = about.findChild<QGraphicsView*>(QStringLiteral("graphicsView"));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->geometry(), QRect(120, 20, 80, 80));
    ASSERT_NE(view->scene(), nullptr);
    ASSERT_EQ(view->scene()->items().size(), 1);
    auto* icon = dynamic_cast<QGraphicsPixmapItem*>(view->scene()->items().first());
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->pixmap().size(), QSize(80, 80));
    EXPECT_EQ(about.findChild<QLabel*>(QStringLiteral("label_VersionNo"))->geometry(),
              QRect(10, 120, 301, 20));
    EXPECT_EQ(about.findChild<QLabel*>(QStringLiteral("label_CopyRight"))->geometry(),
              QRect(10, 160, 300, 20));
}

TEST_F(Layout, AboutBoxIsCentredOnlyTheFirstTime) {
    StatusDialog dialog(nullptr);
    auto* about = dialog.findChild<VersionDialog*>();
    ASSERT_EQ(about, nullptr) << "the About box has no parent widget";
    QWidget* shown = nullptr;
    dialog.push_version();
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QLatin1String("VersionDialog") && window->isVisible()) {
            shown = window;
        }
    }
    ASSERT_NE(shown, nullptr);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(shown->geometry().center(), screen.center());
    shown->hide();
    shown->move(5, 7);
    dialog.push_version();
    EXPECT_TRUE(shown->isVisible());
    EXPECT_EQ(shown->pos(), QPoint(5, 7));
    shown->hide();
}

} // namespace
