// SPDX-License-Identifier: Apache-2.0
// The CUPS queries that the monitor makes on its GUI thread: isRegisterPrinter (once per
// status record) and the printer list refresh (on every press on the list), next to the
// plain cupsGetDests call that browses the network as well.
#include "statusdialog.h"

#include <QApplication>
#include <QComboBox>
#include <QMouseEvent>

#include <benchmark/benchmark.h>
#include <cups/cups.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include <unistd.h>

namespace {

StatusDialog* gDialog = nullptr;

void BM_IsRegisterPrinter(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(gDialog->isRegisterPrinter());
    }
}
BENCHMARK(BM_IsRegisterPrinter)->Unit(benchmark::kMillisecond);

void BM_ListRefresh(benchmark::State& state) {
    auto* list = gDialog->findChild<QComboBox*>(QStringLiteral("printerComboBox"));
    for (auto _ : state) {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        benchmark::DoNotOptimize(gDialog->eventFilter(list, &press));
    }
    state.counters["listed"] = list->count();
}
BENCHMARK(BM_ListRefresh)->Unit(benchmark::kMillisecond);

void BM_CupsGetDests(benchmark::State& state) {
    for (auto _ : state) {
        cups_dest_t* dests = nullptr;
        const int count = cupsGetDests(&dests);
        cupsFreeDests(count, dests);
    }
}
BENCHMARK(BM_CupsGetDests)->Unit(benchmark::kMillisecond);

int run(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Reads CUPS_SERVER and CUPS_SERVERROOT from the env file that the harness wrote.
void useSchedulerEnvironment(const std::string& envFile) {
    std::ifstream env(envFile);
    std::string line;
    while (std::getline(env, line)) {
        const std::string prefix = "export ";
        const size_t equals = line.find('=');
        if (line.rfind(prefix, 0) != 0 || equals == std::string::npos) {
            continue;
        }
        const std::string name = line.substr(prefix.size(), equals - prefix.size());
        if (name != "HOME") {
            setenv(name.c_str(), line.substr(equals + 1).c_str(), 1);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (getuid() != 0) {
        std::fprintf(stderr, "monitor_cups_bench: the private scheduler needs root\n");
        return 1;
    }
    char folder[] = "/tmp/tq51m-monitor-bench-XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        return 1;
    }
    const std::string root = folder;
    const std::string cupsd = root + "/cupsd";
    setenv("HOME", root.c_str(), 1);
    if (run(std::string(PRIVATE_CUPSD) + " start " + cupsd) != 0) {
        return 1;
    }
    useSchedulerEnvironment(cupsd + "/env");
    // A desktop's monitor reaches the local scheduler through its domain socket.
    setenv("CUPS_SERVER", (cupsd + "/cups.sock").c_str(), 1);
    const std::string serial = "BENCH" + std::to_string(getpid());
    const std::string uri = "velmora-zelbackend://VELMORA/TQ-51M?serial=" + serial;
    run("lpadmin -p Plain -E -v file:///dev/null && lpadmin -p Alpha -E -v '" + uri +
        "A' && lpadmin -p Beta -E -v '" + uri + "B' && lpoptions -p Beta/glossy -o copies=2 " +
        ">/dev/null");

    {
        Q_INIT_RESOURCE(statusmonitor);
        QApplication app(argc, argv);
        StatusDialog dialog(nullptr);
        gDialog = &dialog;
        benchmark::RunSpecifiedBenchmarks();
        gDialog = nullptr;
    }
    benchmark::Shutdown();
    run(std::string(PRIVATE_CUPSD) + " stop " + cupsd);
    run("rm -rf " + root);
    return 0;
}
