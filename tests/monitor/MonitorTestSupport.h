// SPDX-License-Identifier: Apache-2.0
#ifndef MONITOR_TEST_SUPPORT_H
#define MONITOR_TEST_SUPPORT_H

#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>
#include <string>

class QWidget;

// A folder under /tmp removed with everything in it.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

void writeFile(const std::string& path, const std::string& content);
std::string readFile(const std::string& path);
bool fileExists(const std::string& path);
// Permission bits of a file (not following a symbolic link), or -1 when it is missing.
int fileMode(const std::string& path);
// Runs a shell command with the test's environment; returns its exit status.
int runCommand(const std::string& command);

// A serial number unique to this test process, so that parallel tests never share
// the request and status files in /tmp.
QString testSerial(const char* tag);
std::string utilPath(const QString& serial);
std::string tcUtilPath(const QString& serial);
std::string statusPath(const QString& serial);
// Removes the request and status files of a serial.
void removePrinterFiles(const QString& serial);

// The private CUPS scheduler of this test process, started on first use and stopped
// at exit. Until then CUPS_SERVER points at a socket that does not exist, so that
// dialogs built by other tests see no queue at all.
void usePrivateCupsd();
void addQueue(const std::string& name, const std::string& deviceUri);
void deleteQueue(const std::string& name);
void addInstance(const std::string& queue, const std::string& instance);
void deleteAllQueues();
// Queue names in the order libcups lists destinations, instances repeated, for the
// destinations whose device URI names the backend's TQ-51M.
QStringList cupsListedQueueNames();

void installCatalogue(const char* language);
void removeCatalogue();

// Spins the event loop for the given time.
void waitMs(int ms);
// Spins the event loop until the condition holds or the time is up; returns the condition.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 5000);
// Waits for the next poll to show the given state text.
bool waitForStatus(QWidget* dialog, const char* statusText);

QString labelText(QWidget* root, const char* objectName);

QMap<QString, QString> record(std::initializer_list<std::pair<const char*, const char*>> entries);

#endif
