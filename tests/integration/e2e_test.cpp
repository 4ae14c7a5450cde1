// SPDX-License-Identifier: Apache-2.0
// Whole print jobs through a real cupsd: lp turns a PNG or a PDF into CUPS raster
// (cups-filters), rastertotq51m turns it into the printer's command stream, and the printer
// emulator, the queue's backend, stores that stream and counts the sheets in its status file.
// Started by run-e2e, which sets up the scheduler, the queues and the input files.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <QApplication>
#include <QComboBox>
#include <QLabel>

#include <cups/cups.h>
#include <gtest/gtest.h>

#include "statusdialog.h"

namespace {

std::string env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

struct CommandResult {
    int status;
    std::string output;
};

CommandResult run(const std::string& command) {
    CommandResult result{-1, ""};
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return result;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        result.output.append(buffer, n);
    result.status = pclose(pipe);
    return result;
}

std::string quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// The emulator's state, set as the backend's user so that the backend can go on updating it.
void setEmulator(const std::vector<std::string>& settings) {
    std::string command =
        "runuser -u lp -- env VELMORA_EMULATOR_DIR=" + quoted(env("TQ51M_E2E_EMULATOR_DIR")) + " " +
        quoted(env("TQ51M_E2E_BACKEND"));
    for (const std::string& s : settings)
        command += " --set " + quoted(s);
    const CommandResult r = run(command);
    ASSERT_EQ(r.status, 0) << r.output;
}

// Submits a file with lp and returns its job id (0 when lp refused it).
int submit(const std::string& queue, const std::string& file, const std::string& options = "") {
    const CommandResult r =
        run("lp -d " + queue + " " + options + " " + quoted(env("TQ51M_E2E_INPUT") + "/" + file));
    const std::string marker = "request id is " + queue + "-";
    const size_t at = r.output.find(marker);
    EXPECT_EQ(r.status, 0) << r.output;
    if (at == std::string::npos) {
        ADD_FAILURE() << "lp did not give a job id: " << r.output;
        return 0;
    }
    return std::atoi(r.output.c_str() + at + marker.size());
}

ipp_jstate_t jobState(int id) {
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, nullptr, 0, CUPS_WHICHJOBS_ALL);
    ipp_jstate_t state = IPP_JSTATE_PENDING;
    for (int i = 0; i < count; ++i)
        if (jobs[i].id == id)
            state = jobs[i].state;
    cupsFreeJobs(count, jobs);
    return state;
}

// Waits until the job has ended; the filter itself takes a second after the job information
// file appears, and cups-filters some more for a PDF.
void waitForCompletion(int id) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(90);
    ipp_jstate_t state = jobState(id);
    while (state < IPP_JSTATE_CANCELED && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        state = jobState(id);
    }
    ASSERT_EQ(state, IPP_JSTATE_COMPLETED) << "job " << id << " ended in state " << state
                                           << "; scheduler log: " << env("TQ51M_E2E_LOG");
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string trimmed(const std::string& field) {
    const size_t end = field.find_last_not_of(' ');
    return end == std::string::npos ? "" : field.substr(0, end + 1);
}

// One framed command: ESC P, group (6), name (16), length (8 digits or spaces), payload.
struct Command {
    std::string group;
    std::string name;
    std::string payload;
};

std::vector<Command> parseStream(const std::string& stream) {
    std::vector<Command> commands;
    size_t at = 0;
    while (at < stream.size()) {
        if (stream.size() - at < 32 || stream[at] != '\x1b' || stream[at + 1] != 'P') {
            ADD_FAILURE() << "no command frame at byte " << at;
            return commands;
        }
        Command c{trimmed(stream.substr(at + 2, 6)), trimmed(stream.substr(at + 8, 16)), ""};
        const std::string length = stream.substr(at + 24, 8);
        size_t n = 0;
        if (length != "        ")
            n = std::stoul(length);
        if (stream.size() - at - 32 < n) {
            ADD_FAILURE() << "payload of " << c.name << " at byte " << at << " is cut off";
            return commands;
        }
        c.payload = stream.substr(at + 32, n);
        commands.push_back(c);
        at += 32 + n;
    }
    return commands;
}

std::vector<Command> receivedCommands(int id) {
    const std::string stream =
        readFile(env("TQ51M_E2E_EMULATOR_DIR") + "/jobs/" + std::to_string(id) + "/stream.bin");
    EXPECT_FALSE(stream.empty()) << "the emulator stored no stream for job " << id;
    return parseStream(stream);
}

uint32_t le32(const std::string& bytes, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | static_cast<unsigned char>(bytes[at + i]);
    return v;
}

// A plane image: an 8-bit bottom-up BMP with a grey palette.
struct Plane {
    explicit Plane(const std::string& bmp)
        : data(bmp), width(le32(bmp, 18)), height(le32(bmp, 22)),
          bitsPerPixel(le32(bmp, 28) & 0xFFFF), xPixelsPerMetre(le32(bmp, 38)),
          yPixelsPerMetre(le32(bmp, 42)), offset(le32(bmp, 10)) {}
    // Row 0 is the bottom line of the sheet as the BMP shows it.
    int at(uint32_t x, uint32_t row) const {
        return static_cast<unsigned char>(data[offset + row * ((width + 3) & ~3u) + x]);
    }
    std::string data;
    uint32_t width, height, bitsPerPixel, xPixelsPerMetre, yPixelsPerMetre, offset;
};

// What one sheet brought: its control commands, media code and Y, M, C planes.
struct Sheet {
    std::vector<std::pair<std::string, std::string>> controls;
    std::string mediaCode;
    std::vector<Plane> planes;

    int cyan(uint32_t x, uint32_t row) const { return planes.at(2).at(x, row); }
    int magenta(uint32_t x, uint32_t row) const { return planes.at(1).at(x, row); }
    int yellow(uint32_t x, uint32_t row) const { return planes.at(0).at(x, row); }
};

// Splits the stream into sheets and checks each sheet's order: control commands, MULTICUT,
// YPLANE, MPLANE, CPLANE, START.
std::vector<Sheet> sheetsOf(const std::vector<Command>& commands) {
    std::vector<Sheet> sheets;
    Sheet current;
    const char* planeOrder[] = {"YPLANE", "MPLANE", "CPLANE"};
    for (const Command& c : commands) {
        if (c.group == "CNTRL" && c.name == "START") {
            EXPECT_EQ(current.planes.size(), 3u) << "START before three planes";
            sheets.push_back(current);
            current = Sheet();
        } else if (c.group == "CNTRL") {
            EXPECT_TRUE(current.mediaCode.empty()) << c.name << " inside a sheet";
            current.controls.emplace_back(c.name, c.payload);
        } else if (c.group == "IMAGE" && c.name == "MULTICUT") {
            current.mediaCode = c.payload;
        } else if (c.group == "IMAGE") {
            EXPECT_FALSE(current.mediaCode.empty()) << c.name << " before MULTICUT";
            EXPECT_LT(current.planes.size(), 3u);
            if (current.planes.size() < 3) {
                EXPECT_EQ(c.name, planeOrder[current.planes.size()]);
            }
            current.planes.emplace_back(c.payload);
        } else {
            ADD_FAILURE() << "unexpected command " << c.group << " " << c.name;
        }
    }
    EXPECT_TRUE(current.controls.empty() && current.planes.empty()) << "stream ends inside a sheet";
    return sheets;
}

using Controls = std::vector<std::pair<std::string, std::string>>;

Controls controls(const char* cutter, const char* overcoat, const char* retry, const char* speed) {
    return {
        {"CUTTER", cutter}, {"OVERCOAT", overcoat}, {"BUFFCNTRL", retry}, {"PRINTSPEED", speed}};
}

void expectGeometry(const Sheet& sheet, uint32_t lines, uint32_t yDpi = 300) {
    ASSERT_EQ(sheet.planes.size(), 3u);
    for (const Plane& p : sheet.planes) {
        EXPECT_EQ(p.width, 2560u);
        EXPECT_EQ(p.height, lines);
        EXPECT_EQ(p.bitsPerPixel, 8u);
        EXPECT_EQ(p.xPixelsPerMetre, 11811u);
        EXPECT_EQ(p.yPixelsPerMetre, yDpi == 600 ? 23622u : 11811u);
    }
}

enum class Colour { Red, Green, Blue, White };

// The plane values of a printed colour: C carries red, M green, Y blue; 255 is no dye.
void expectColour(const Sheet& sheet, uint32_t x, uint32_t row, Colour colour) {
    const int c = sheet.cyan(x, row), m = sheet.magenta(x, row), y = sheet.yellow(x, row);
    const bool high[3] = {colour == Colour::Red || colour == Colour::White,
                          colour == Colour::Green || colour == Colour::White,
                          colour == Colour::Blue || colour == Colour::White};
    const int values[3] = {c, m, y};
    for (int i = 0; i < 3; ++i) {
        if (colour == Colour::White)
            EXPECT_EQ(values[i], 255) << "plane "
                                      << "CMY"[i] << " at " << x << "," << row;
        else if (high[i])
            EXPECT_GE(values[i], 200) << "plane "
                                      << "CMY"[i] << " at " << x << "," << row;
        else
            EXPECT_LE(values[i], 60) << "plane "
                                     << "CMY"[i] << " at " << x << "," << row;
    }
}

std::map<std::string, std::string> statusFile() {
    std::map<std::string, std::string> values;
    std::istringstream lines(readFile("/tmp/TQ-51M_" + env("TQ51M_E2E_SERIAL") + ".log"));
    for (std::string line; std::getline(lines, line);) {
        const size_t eq = line.find('=');
        const size_t open = line.find('"');
        const size_t close = line.find('"', open + 1);
        if (eq != std::string::npos && open == eq + 1 && close != std::string::npos)
            values[line.substr(0, eq)] = line.substr(open + 1, close - open - 1);
    }
    return values;
}

class PrintJob : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(env("TQ51M_E2E_EMULATOR_DIR").empty()) << "run these tests through run-e2e";
        // A fresh 8 x 10 inch media roll, idle printer.
        setEmulator({"media=00500", "initial=50", "remain=50", "remain_half=100", "total=0",
                     "state=00000"});
    }

    std::vector<Sheet> print(const std::string& queue, const std::string& file,
                             const std::string& options = "") {
        const int id = submit(queue, file, options);
        if (id == 0)
            return {};
        waitForCompletion(id);
        return sheetsOf(receivedCommands(id));
    }
};

TEST_F(PrintJob, PngWithTheQueueDefaultsBecomesOneSheet) {
    const std::vector<Sheet> sheets = print("TQ51M", "red-over-blue.png");
    ASSERT_EQ(sheets.size(), 1u);
    const Sheet& s = sheets[0];
    EXPECT_EQ(s.controls, controls("00000000", "00000000", "00000001", "00000000"));
    EXPECT_EQ(s.mediaCode, "00000408");
    expectGeometry(s, 1236);
    // A 2448-dot print centred on the 2560-dot head; the top of the picture is the last row.
    for (uint32_t row : {100u, 600u, 1100u}) {
        expectColour(s, 0, row, Colour::White);
        expectColour(s, 55, row, Colour::White);
        expectColour(s, 2504, row, Colour::White);
        expectColour(s, 2559, row, Colour::White);
    }
    expectColour(s, 60, 1100, Colour::Red);
    expectColour(s, 1280, 1000, Colour::Red);
    expectColour(s, 2499, 1100, Colour::Red);
    expectColour(s, 1280, 100, Colour::Blue);

    // One 8 x 4 inch print on 8 x 10 inch media with an even half count: a fresh sheet.
    std::map<std::string, std::string> status = statusFile();
    EXPECT_EQ(status["PRINTER_STATUS"], "00000");
    EXPECT_EQ(status["PRINTER_SERIAL_NO"], env("TQ51M_E2E_SERIAL"));
    EXPECT_EQ(status["MEDIA_SIZE"], "00500");
    EXPECT_EQ(status["MEDIA_REMAIN"], "49");
    EXPECT_EQ(status["MEDIA_REMAIN_HALF"], "99");
    EXPECT_EQ(status["TOTAL_COUNT"], "1");
}

TEST_F(PrintJob, PdfPagesPairUpOnTwoUpMedia) {
    const std::vector<Sheet> sheets = print("TQ51M", "red-green-blue.pdf");
    ASSERT_EQ(sheets.size(), 2u);
    for (const Sheet& s : sheets)
        EXPECT_EQ(s.controls, controls("00000000", "00000000", "00000001", "00000000"));

    // Pages 1 and 2 share the first sheet: slot 0 on lines 0 to 1235, a 30-line gap, slot 1
    // on lines 1266 to 2501.
    EXPECT_EQ(sheets[0].mediaCode, "00000013");
    expectGeometry(sheets[0], 2502);
    expectColour(sheets[0], 1280, 618, Colour::Red);
    expectColour(sheets[0], 1280, 1250, Colour::White);
    expectColour(sheets[0], 1280, 1884, Colour::Green);
    // Page 3 alone at the end of the job.
    EXPECT_EQ(sheets[1].mediaCode, "00000408");
    expectGeometry(sheets[1], 1236);
    expectColour(sheets[1], 1280, 618, Colour::Blue);

    std::map<std::string, std::string> status = statusFile();
    EXPECT_EQ(status["MEDIA_REMAIN"], "48");
    EXPECT_EQ(status["MEDIA_REMAIN_HALF"], "97");
    EXPECT_EQ(status["TOTAL_COUNT"], "2");
}

TEST_F(PrintJob, OddHalfCountSendsTheFirstPrintAlone) {
    setEmulator({"remain_half=97"});
    const std::vector<Sheet> sheets = print("TQ51M", "red-green-blue.pdf");
    ASSERT_EQ(sheets.size(), 2u);
    EXPECT_EQ(sheets[0].mediaCode, "00000408");
    expectColour(sheets[0], 1280, 618, Colour::Red);
    EXPECT_EQ(sheets[1].mediaCode, "00000013");
    expectColour(sheets[1], 1280, 618, Colour::Green);
    expectColour(sheets[1], 1280, 1884, Colour::Blue);

    // The lone print uses the left-over half; the pair a full sheet.
    std::map<std::string, std::string> status = statusFile();
    EXPECT_EQ(status["MEDIA_REMAIN"], "49");
    EXPECT_EQ(status["MEDIA_REMAIN_HALF"], "94");
    EXPECT_EQ(status["TOTAL_COUNT"], "2");
}

TEST_F(PrintJob, CopiesFillThreeUpMedia) {
    setEmulator({"media=00510"});
    const std::vector<Sheet> sheets = print("TQ51M", "red-over-blue.png", "-n 3");
    ASSERT_EQ(sheets.size(), 1u);
    EXPECT_EQ(sheets[0].mediaCode, "00000020");
    expectGeometry(sheets[0], 3768);
    for (uint32_t slot = 0; slot < 3; ++slot) {
        expectColour(sheets[0], 1280, slot * 1266 + 100, Colour::Blue);
        expectColour(sheets[0], 1280, slot * 1266 + 1100, Colour::Red);
    }
}

TEST_F(PrintJob, PdfCopiesAreAllPrinted) {
    const std::vector<Sheet> sheets = print("TQ51M", "red-green-blue.pdf", "-n 2 -o collate=true");
    int prints = 0;
    for (const Sheet& s : sheets)
        prints += s.mediaCode == "00000013" ? 2 : 1;
    EXPECT_EQ(prints, 6);
}

TEST_F(PrintJob, JobOptionsReachTheControlCommands) {
    setEmulator({"media=00600"});
    const std::vector<Sheet> sheets = print("TQ51M", "red-over-blue-portrait.png",
                                            "-o PageSize=214x300mm -o Resolution=300x600dpi -o "
                                            "ZelPrintSpeed=Enable -o Zel2InchCut=Enable "
                                            "-o ZelOvercoatFinish=Matte -o ZelPrintRetry=Disable");
    ASSERT_EQ(sheets.size(), 1u);
    EXPECT_EQ(sheets[0].controls, controls("00000120", "00000001", "00000000", "00000030"));
    EXPECT_EQ(sheets[0].mediaCode, "00000041");
    // 3544 lines at 300 dpi are 7088 at 600; the 2528-dot print leaves 16 columns each side.
    expectGeometry(sheets[0], 7088, 600);
    for (uint32_t row : {100u, 7000u}) {
        expectColour(sheets[0], 15, row, Colour::White);
        expectColour(sheets[0], 2544, row, Colour::White);
    }
    expectColour(sheets[0], 16, 100, Colour::Blue);
    expectColour(sheets[0], 2543, 7000, Colour::Red);
}

// Print dialogs offer the queue's media over IPP, as the scheduler derives them from the PPD,
// and send the chosen one as "media"; the scheduler turns it back into the PPD's page size.
TEST_F(PrintJob, MediaChosenByAPrintDialogSelectsTheSheet) {
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, "TQ51M", nullptr);
    ASSERT_NE(dest, nullptr);
    cups_dinfo_t* info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest);
    ASSERT_NE(info, nullptr);
    const int count = cupsGetDestMediaCount(CUPS_HTTP_DEFAULT, dest, info, 0);
    EXPECT_EQ(count, 8);
    std::string media8x5;
    for (int i = 0; i < count; ++i) {
        cups_size_t size;
        ASSERT_TRUE(cupsGetDestMediaByIndex(CUPS_HTTP_DEFAULT, dest, info, i, 0, &size));
        EXPECT_EQ(size.left + size.right + size.top + size.bottom, 0)
            << size.media << " is not borderless";
        // 2448 x 1536 dots at 300 dpi in hundredths of a millimetre.
        if (std::abs(size.width - 20726) <= 1 && std::abs(size.length - 13005) <= 1)
            media8x5 = size.media;
    }
    cupsFreeDestInfo(info);
    cupsFreeDests(1, dest);
    ASSERT_FALSE(media8x5.empty()) << "no 8 x 5 inch media offered";

    const std::vector<Sheet> sheets = print("TQ51M", "red-over-blue.png", "-o media=" + media8x5);
    ASSERT_EQ(sheets.size(), 1u);
    EXPECT_EQ(sheets[0].mediaCode, "00000409");
    expectGeometry(sheets[0], 1536);
}

TEST_F(PrintJob, FinishAndSpeedChoicesOfEachResolution) {
    struct Case {
        const char* options;
        const char* overcoat;
        const char* speed;
    };
    const Case cases[] = {
        {"-o ZelOvercoatFinish=Glossy -o Resolution=300x600dpi", "00000000", "00000010"},
        {"-o ZelOvercoatFinish=FineMatte -o Resolution=600x600dpi -o ZelPrintSpeed=Enable",
         "00000021", "00000000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        const std::vector<Sheet> sheets = print("TQ51M", "red-over-blue.png", c.options);
        ASSERT_EQ(sheets.size(), 1u);
        EXPECT_EQ(sheets[0].controls, controls("00000000", c.overcoat, "00000001", c.speed));
        expectGeometry(sheets[0], 2472, 600);
    }
}

// The image choices reach the colour chain: brightness +100 (an offset of 51 on every
// channel) only when colour adjustment is on.
TEST_F(PrintJob, ImageChoicesReachThePixels) {
    struct Case {
        const char* options;
        int minimum;
        int maximum;
    };
    const Case cases[] = {
        {"-o ZelBrightness=100", 0, 5},
        {"-o ZelBrightness=100 -o ZelColorAdjustment=Enable", 46, 56},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        const std::vector<Sheet> sheets = print("TQ51M", "red-over-blue.png", c.options);
        ASSERT_EQ(sheets.size(), 1u);
        // Red: no cyan dye, and magenta and yellow lifted by the brightness offset.
        EXPECT_EQ(sheets[0].cyan(1280, 1000), 255);
        for (int value : {sheets[0].magenta(1280, 1000), sheets[0].yellow(1280, 1000)}) {
            EXPECT_GE(value, c.minimum);
            EXPECT_LE(value, c.maximum);
        }
    }
}

// The filter reads what the job does not set from the queue's PPD, whose defaults lpadmin
// changed for this queue: luster finish, no retry, border on.
TEST_F(PrintJob, QueueDefaultsComeFromItsPpd) {
    const std::vector<Sheet> sheets = print("TQ51M_defaults", "red-over-blue.png");
    ASSERT_EQ(sheets.size(), 1u);
    EXPECT_EQ(sheets[0].controls, controls("00000000", "00000022", "00000000", "00000000"));
    // With the border, the 2234 x 1128 print sits 163 columns and 54 lines inside the sheet.
    expectColour(sheets[0], 162, 600, Colour::White);
    expectColour(sheets[0], 2397, 600, Colour::White);
    expectColour(sheets[0], 1280, 53, Colour::White);
    expectColour(sheets[0], 170, 600, Colour::Blue);
    expectColour(sheets[0], 1280, 60, Colour::Blue);
    expectColour(sheets[0], 1280, 1100, Colour::Red);
}

// A printer error is reported to the scheduler as a printer-state-reason, so that print
// dialogs show it, and no sheet is printed.
TEST_F(PrintJob, PrinterErrorReachesTheSchedulerAndPrintsNothing) {
    setEmulator({"state=01000"});
    const int id = submit("TQ51M", "red-over-blue.png");
    ASSERT_NE(id, 0);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    bool reported = false;
    while (!reported && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        reported = run("lpstat -l -p TQ51M").output.find("door-open-error") != std::string::npos;
    }
    EXPECT_TRUE(reported) << run("lpstat -l -p TQ51M").output;
    EXPECT_LT(jobState(id), IPP_JSTATE_CANCELED);
    std::map<std::string, std::string> status = statusFile();
    EXPECT_EQ(status["PRINTER_STATUS"], "01000");
    EXPECT_EQ(status["TOTAL_COUNT"], "0");
    EXPECT_FALSE(std::ifstream(env("TQ51M_E2E_EMULATOR_DIR") + "/jobs/" + std::to_string(id) +
                               "/stream.bin"));

    EXPECT_EQ(run("cancel " + std::to_string(id)).status, 0);
    const auto cancelled = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (jobState(id) < IPP_JSTATE_CANCELED && std::chrono::steady_clock::now() < cancelled)
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(jobState(id), IPP_JSTATE_CANCELED);
    setEmulator({"state=00000"});
    EXPECT_EQ(run("cupsenable TQ51M").status, 0);
}

// The status monitor lists the queues of this printer model only, and shows the emulated
// printer's serial number and count from the status file.
TEST(StatusMonitor, ListsTheQueuesAndShowsTheEmulatedPrinter) {
    ASSERT_FALSE(env("TQ51M_E2E_SERIAL").empty()) << "run these tests through run-e2e";
    int argc = 1;
    char name[] = "e2e_tests";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    {
        StatusDialog dialog;
        QComboBox* printers = dialog.findChild<QComboBox*>("printerComboBox");
        ASSERT_NE(printers, nullptr);
        std::vector<std::string> listed;
        for (int i = 0; i < printers->count(); ++i)
            listed.push_back(printers->itemText(i).toStdString());
        std::sort(listed.begin(), listed.end());
        EXPECT_EQ(listed, (std::vector<std::string>{"TQ51M", "TQ51M_defaults"}));

        QLabel* serial = dialog.findChild<QLabel*>("label_SerialValue");
        ASSERT_NE(serial, nullptr);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (serial->text().toStdString() != env("TQ51M_E2E_SERIAL") &&
               std::chrono::steady_clock::now() < deadline) {
            QApplication::processEvents(QEventLoop::AllEvents, 100);
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        EXPECT_EQ(serial->text().toStdString(), env("TQ51M_E2E_SERIAL"));
    }
}

} // namespace
