// SPDX-License-Identifier: Apache-2.0
#ifndef VERSIONDIALOG_H
#define VERSIONDIALOG_H

#include <QDialog>

class Ui_VersionDialog;

// The About box: the printer icon, the version line and the copyright notice.
class VersionDialog : public QDialog {
    Q_OBJECT

  public:
    explicit VersionDialog(QWidget* parent = nullptr);
    ~VersionDialog() override;

  private:
    Ui_VersionDialog* ui;
};

#endif
