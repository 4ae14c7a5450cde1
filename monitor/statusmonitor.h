// SPDX-License-Identifier: Apache-2.0
#ifndef STATUSMONITOR_H
#define STATUSMONITOR_H

#include <QMap>
#include <QObject>
#include <QString>

class QTimerEvent;

// Polls one printer's status file and signals its contents as a status record.
// Lives on the GUI thread as a child of the dialog; reads the file on every tick
// and never writes, creates or removes it.
class StatusMonitor : public QObject {
    Q_OBJECT

  public:
    StatusMonitor(QString path, int interval, QObject* parent);
    ~StatusMonitor() override;

    bool createStatusMap(QMap<QString, QString>& statusMap);
    QMap<QString, QString> getPrinterStatus();

  signals:
    void statusNotification(QMap<QString, QString> statusMap);

  protected:
    void timerEvent(QTimerEvent* event) override;

  private:
    int intervalMs;
    int timerId;
    QString statusFilePath;
};

#endif
