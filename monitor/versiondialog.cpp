// SPDX-License-Identifier: Apache-2.0
#include "versiondialog.h"
#include "ui_versiondialog.h"

#include <QGraphicsScene>
#include <QPixmap>

namespace {

const char kProgramVersion[] = "1.0.0";
const char kCopyrightNotice[] = "Copyright (C) 2026 Velmora Systems Co., Ltd.";
constexpr int kIconSize = 80;

} // namespace

VersionDialog::VersionDialog(QWidget* parent) : QDialog(parent), ui(new Ui_VersionDialog) {
    ui->setupUi(this);
    ui->label_VersionNo->setText(tr("Version") + QLatin1Char(' ') + QLatin1String(kProgramVersion));
    ui->label_CopyRight->setText(QLatin1String(kCopyrightNotice));

    const QPixmap icon(QStringLiteral(":/images/printer_icon.png"));
    auto* scene = new QGraphicsScene();
    scene->addPixmap(
        icon.scaled(kIconSize, kIconSize, Qt::IgnoreAspectRatio, Qt::FastTransformation));
    ui->graphicsView->setScene(scene);
}

// The view does not own its scene; it goes with the dialog.
VersionDialog::~VersionDialog() {
    delete ui->graphicsView->scene();
    delete ui;
}
