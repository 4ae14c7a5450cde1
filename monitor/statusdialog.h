// SPDX-License-Identifier: Apache-2.0
#ifndef STATUSDIALOG_H
#define STATUSDIALOG_H

#include "versiondialog.h"

#include <QDialog>
#include <QMap>
#include <QString>

class QEvent;
class QGraphicsScene;
class StatusMonitor;
class Ui_StatusDialog;

// The main window: lists the printer's CUPS queues and the printer application's printers, places
// the request files for the backend, polls the selected printer's status file and shows each status
// record.
class StatusDialog : public QDialog {
    Q_OBJECT

  public:
    explicit StatusDialog(QWidget* parent = nullptr);
    ~StatusDialog() override;

    bool isRegisterPrinter();
    void threadStart(QString path);
    void threadQuit();

    void setUiParam(QString mediaGroup, QString mediaSize, QString mediaDetails, int percent,
                    QString imagePath, QString status, QString message, QString serial,
                    QString totalCount, QString version);
    void setUIOffline();
    QString getMediaSizeString(QString value);
    QString getHalfMediaSizeString(QString value);
    QString getMediaGroupString(QString value);
    QString getStatusMessageString(QString value);

    bool eventFilter(QObject* watched, QEvent* event) override;

  public slots:
    void upDateStatus(QMap<QString, QString> statusMap);
    void comboBox_indexChanged(int i);
    void push_update();
    void push_version();

  private:
    void showStatusImage(const QString& imagePath);

    Ui_StatusDialog* ui;
    StatusMonitor* statusMonitor;
    bool threadRunning;
    QMap<QString, QString> printerUriMap;
    // The printers of the printer application and the CUPS queues that lead to them: name
    // shown in the list to serial number.
    QMap<QString, QString> servedSerialMap;
    QString currentSerial;
    VersionDialog versionDialog;
    QString lastTotalCount;
    QString utilFilePath;
    QGraphicsScene* statusScene;
};

#endif
