// SPDX-License-Identifier: Apache-2.0
#include "MonitorTestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTranslator>
#include <QWidget>

#include <cups/cups.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>

#include <sys/stat.h>
#include <unistd.h>

TempDir::TempDir() {
    char pattern[] = "/tmp/tq51m-monitor-test-XXXXXX";
    const char* made = mkdtemp(pattern);
    path_ = made != nullptr ? made : "";
}

TempDir::~TempDir() {
    if (!path_.empty()) {
        runCommand("rm -rf '" + path_ + "'");
    }
}

void writeFile(const std::string& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

bool fileExists(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

int fileMode(const std::string& path) {
    struct stat info;
    if (lstat(path.c_str(), &info) != 0) {
        return -1;
    }
    return int(info.st_mode & 07777);
}

int runCommand(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

QString testSerial(const char* tag) {
    return QStringLiteral("T%1%2").arg(getpid()).arg(QLatin1String(tag));
}

std::string utilPath(const QString& serial) {
    return "/tmp/TQ-51M_" + serial.toStdString() + "_UTIL";
}

std::string tcUtilPath(const QString& serial) {
    return "/tmp/TQ-51M_" + serial.toStdString() + "_TC_UTIL";
}

std::string statusPath(const QString& serial) {
    return "/tmp/TQ-51M_" + serial.toStdString() + ".log";
}

void removePrinterFiles(const QString& serial) {
    unlink(utilPath(serial).c_str());
    unlink(tcUtilPath(serial).c_str());
    unlink(statusPath(serial).c_str());
}

namespace {

struct PrivateCupsd {
    std::unique_ptr<TempDir> root;
    std::string dir;

    ~PrivateCupsd() {
        if (!dir.empty()) {
            runCommand(std::string(PRIVATE_CUPSD) + " stop '" + dir + "' >/dev/null 2>&1");
        }
    }
};

PrivateCupsd& privateCupsd() {
    static PrivateCupsd cupsd;
    return cupsd;
}

std::string shellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}

std::unique_ptr<QTranslator>& installedCatalogue() {
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

} // namespace

void usePrivateCupsd() {
    PrivateCupsd& cupsd = privateCupsd();
    if (!cupsd.dir.empty()) {
        return;
    }
    ASSERT_EQ(getuid(), 0u) << "the private scheduler needs root";
    cupsd.root = std::make_unique<TempDir>();
    const std::string dir = cupsd.root->file("cupsd");
    ASSERT_EQ(runCommand(std::string(PRIVATE_CUPSD) + " start '" + dir + "'"), 0);
    cupsd.dir = dir;

    std::ifstream env(dir + "/env");
    std::string line;
    while (std::getline(env, line)) {
        const std::string prefix = "export ";
        if (line.rfind(prefix, 0) != 0) {
            continue;
        }
        const std::string assignment = line.substr(prefix.size());
        const size_t equals = assignment.find('=');
        const std::string name = assignment.substr(0, equals);
        // HOME stays the test's own: libcups reads it once, at its first use.
        if (name != "HOME") {
            setenv(name.c_str(), assignment.substr(equals + 1).c_str(), 1);
        }
    }
    cupsSetServer(nullptr);
}

void addQueue(const std::string& name, const std::string& deviceUri) {
    ASSERT_EQ(runCommand("lpadmin -p " + name + " -E -v " + shellQuote(deviceUri)), 0);
}

void deleteQueue(const std::string& name) {
    ASSERT_EQ(runCommand("lpadmin -x " + name), 0);
}

void addInstance(const std::string& queue, const std::string& instance) {
    ASSERT_EQ(runCommand("lpoptions -p " + queue + "/" + instance + " -o copies=2 >/dev/null"), 0);
}

void deleteAllQueues() {
    if (privateCupsd().dir.empty()) {
        return;
    }
    runCommand("for q in $(lpstat -e 2>/dev/null | cut -d/ -f1 | sort -u); do lpadmin -x \"$q\"; "
               "done");
    runCommand("rm -rf \"$HOME/.cups\"");
}

QStringList cupsListedQueueNames() {
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests(&dests);
    QStringList names;
    for (int i = 0; i < count; ++i) {
        const char* uri = cupsGetOption("device-uri", dests[i].num_options, dests[i].options);
        if (uri != nullptr && std::strstr(uri, "velmora-zelbackend://VELMORA/TQ-51M?serial=")) {
            names << QString::fromUtf8(dests[i].name);
        }
    }
    cupsFreeDests(count, dests);
    return names;
}

void installCatalogue(const char* language) {
    removeCatalogue();
    auto translator = std::make_unique<QTranslator>();
    ASSERT_TRUE(translator->load(QStringLiteral(":/translations/localize_%1").arg(language)));
    QCoreApplication::installTranslator(translator.get());
    installedCatalogue() = std::move(translator);
}

void removeCatalogue() {
    if (installedCatalogue()) {
        QCoreApplication::removeTranslator(installedCatalogue().get());
        installedCatalogue().reset();
    }
}

void waitMs(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        usleep(5000);
    }
}

bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        usleep(5000);
    }
    return true;
}

bool waitForStatus(QWidget* dialog, const char* statusText) {
    return waitUntil(
        [&] { return labelText(dialog, "label_Status") == QLatin1String(statusText); });
}

QString labelText(QWidget* root, const char* objectName) {
    auto* label = root->findChild<QLabel*>(QLatin1String(objectName));
    return label != nullptr ? label->text() : QStringLiteral("<no %1>").arg(objectName);
}

QMap<QString, QString> record(std::initializer_list<std::pair<const char*, const char*>> entries) {
    QMap<QString, QString> map;
    for (const auto& entry : entries) {
        map.insert(QString::fromLatin1(entry.first), QString::fromUtf8(entry.second));
    }
    return map;
}
