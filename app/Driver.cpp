// SPDX-License-Identifier: Apache-2.0
#include "Driver.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <DeviceSerial.h>

#include "BackendConnection.h"
#include "BackendExit.h"
#include "JobInfoWait.h"
#include "JobOrder.h"
#include "JobOptions.h"
#include "DocumentFilters.h"
#include "JobThumbnails.h"
#include "PageFit.h"
#include "PrintJob.h"
#include "PrinterIcons.h"
#include "PrinterState.h"
#include "PrinterStatus.h"
#include "StatusUpdates.h"
#include "WebPage.h"

namespace tq51m {

const char kDriverName[] = "velmora_tq51m";
const char kDriverDescription[] = "Velmora TQ-51M";
const char kDriverFormat[] = "application/pdf";

namespace {

// A page to be fitted is held whole: 100 megapixels (300 MB) at most.
constexpr uint64_t kMaxFittedPixels = 100000000;
// The default media, and the sheet of a job that names none when the loaded media is unknown:
// 8 x 10 in, glossy.
const char kDefaultPageSize[] = "207x257mm";
const char kDefaultMediaType[] = "photographic-glossy";
// The printer's error policy, kept as a vendor default so that PAPPL saves it with the printer,
// offers it on its "Printing Defaults" page and sets it over IPP
// (printer-error-policy-default).
const char kErrorPolicyAttribute[] = "printer-error-policy";

// The command stream goes straight to the job's own backend. PAPPL 1.3.1 may start two jobs of
// a printer at once (two submissions in the same instant) and open its device twice, so
// nothing of a job goes through the shared device. A cancelled job stops writing even while
// the backend reads nothing. A copy goes to the job's file in the spool folder, so that the
// job can be sent again when the printer stops in the middle of it (PAPPL keeps no copy of
// streamed raster), and the jobs page's thumbnails are decoded from it once the stream is
// complete. The backend gets the bytes first: the copy is written while the backend takes
// them in, and the copy of the last bytes after the printer has them all. A backend that has
// ended takes no more, but the stream of a job that goes on is written whole into the copy,
// which is what a resend sends. The copy's offset at the end of each sheet is kept, so that a
// resend can leave out the sheets the printer finished.
class BackendSink : public OutputSink {
  public:
    BackendSink(BackendProcess& backend, int copyFd, std::vector<off_t>& sheetEnds)
        : m_backend(backend), m_copyFd(copyFd), m_sheetEnds(sheetEnds) {}
    void SetStop(std::function<bool()> stop) { m_stop = std::move(stop); }
    bool Write(const void* data, size_t len) override {
        if (len == 0)
            return true;
        // The copy is written also when the backend failed: it is what a resend sends.
        const bool sent = m_backend.Write(data, len, m_stop);
        if (m_copyFd >= 0 && !m_copyFailed && !WriteAll(m_copyFd, data, len))
            m_copyFailed = true;
        m_written += off_t(len);
        return sent || (!CopyFailed() && !(m_stop && m_stop()));
    }
    void EndSheet() override { m_sheetEnds.push_back(m_written); }
    bool CopyFailed() const { return m_copyFd < 0 || m_copyFailed; }

  private:
    static bool WriteAll(int fd, const void* data, size_t len) {
        const char* bytes = static_cast<const char*>(data);
        while (len > 0) {
            const ssize_t n = write(fd, bytes, len);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            bytes += n;
            len -= size_t(n);
        }
        return true;
    }

    BackendProcess& m_backend;
    std::function<bool()> m_stop;
    int m_copyFd;
    std::vector<off_t>& m_sheetEnds;
    off_t m_written = 0;
    bool m_copyFailed = false;
};

// A job's state from its start to its end. It holds its printer's turn from StartJob on and
// gives it back, with the backend, when it is destroyed.
struct JobState {
    explicit JobState(PrinterState& owner) : printer(owner) {}
    // The wait for the job information must not outlive the job.
    ~JobState() {
        if (infoWatch)
            infoWatch->Interrupt();
        if (infoReady.valid())
            infoReady.wait();
        print.reset();
        sink.reset();
        if (copyFd >= 0)
            close(copyFd);
        if (!copyPath.empty())
            unlink(copyPath.c_str());
        if (hasTurn) {
            printer.EndBackend();
            printer.GiveTurn();
        }
    }
    JobState(const JobState&) = delete;
    JobState& operator=(const JobState&) = delete;

    PrinterState& printer;
    bool hasTurn = false;
    BackendProcess* backend = nullptr; // the printer's backend while the job has the turn
    SheetRecorder sheets;              // the thumbnails of the sheets sent
    std::unique_ptr<BackendSink> sink;
    int copyFd = -1;      // the copy of the command stream in the spool folder
    std::string copyPath; // removed with the job
    // The copy's offset at the end of each sheet.
    std::vector<off_t> sheetEnds;
    // When the backend's current run started: a status file written before it tells nothing
    // about that run.
    timespec backendStarted = {};
    long long totalAtStart = -1; // the printer's total count when the job started
    BackendJob backendJob;
    JobInfo info; // what the job's stream was made for
    std::string backendJobId;
    std::string backendError;
    std::unique_ptr<JobInfoWatch> infoWatch;
    // The job information, waited for on a thread of its own from the backend's start on;
    // destroyed first, which joins that thread.
    std::future<JobInfo> infoReady;
    JobRequest request;
    std::unique_ptr<PrintJob> print;
    const MediaSheet* jobSheet = nullptr; // the sheet the job's media names, if any
    unsigned lastPage = 0;
    unsigned pagesSent = 0;
    bool skipPage = false;
    unsigned rows = 0;      // rows of the page received
    unsigned height = 0;    // rows the page's header promised
    bool truncated = false; // the document ended inside a page
    bool gray = false;
    unsigned width = 0;
    std::vector<unsigned char> rgb;
    // A page that is not the sheet's own size is gathered whole, then fitted onto the sheet.
    PageGeometry sheet;
    PageGeometry page;
    PageScaling scaling = PageScaling::Auto;
    bool autoTurn = true;
    bool fitting = false;
    unsigned copies = 1;
    unsigned rowsRead = 0;
    std::vector<unsigned char> pagePixels;
};

JobState* StateOf(pappl_job_t* job) {
    return static_cast<JobState*>(papplJobGetData(job));
}

bool IsRasterDocument(pappl_job_t* job) {
    const char* format = papplJobGetFormat(job);
    return format != nullptr &&
           (!strcmp(format, "image/pwg-raster") || !strcmp(format, "image/urf"));
}

std::string JoinOptions(const OptionList& options) {
    std::string text;
    for (const auto& option : options) {
        if (!text.empty())
            text += ' ';
        text += option.first + "=" + option.second;
    }
    return text;
}

// What the backend says on standard error, handled as cupsd handles it.
void HandleBackendLine(pappl_job_t* job, JobState* state, const std::string& line) {
    pappl_printer_t* printer = papplJobGetPrinter(job);
    auto rest = [&](size_t prefix) {
        size_t start = prefix;
        while (start < line.size() && line[start] == ' ')
            ++start;
        return line.substr(start);
    };
    if (line.compare(0, 6, "ERROR:") == 0) {
        state->backendError = rest(6);
        papplLogJob(job, PAPPL_LOGLEVEL_ERROR, "Backend: %s", state->backendError.c_str());
        papplJobSetMessage(job, "%s", state->backendError.c_str());
    } else if (line.compare(0, 8, "WARNING:") == 0) {
        papplLogJob(job, PAPPL_LOGLEVEL_WARN, "Backend: %s", rest(8).c_str());
    } else if (line.compare(0, 5, "INFO:") == 0) {
        papplLogJob(job, PAPPL_LOGLEVEL_INFO, "Backend: %s", rest(5).c_str());
        papplJobSetMessage(job, "%s", rest(5).c_str());
    } else if (line.compare(0, 6, "STATE:") == 0) {
        ApplyBackendState(printer, rest(6));
    } else if (line.compare(0, 5, "ATTR:") == 0) {
        ApplyBackendAttributes(printer, rest(5));
    } else {
        papplLogJob(job, PAPPL_LOGLEVEL_DEBUG, "Backend: %s", line.c_str());
    }
}

// A job stops early when it is cancelled or when the application is stopping.
bool MustStop(pappl_job_t* job, const JobState& state) {
    return papplJobIsCanceled(job) || state.printer.Stopping();
}

void FinishState(pappl_job_t* job) {
    JobState* state = StateOf(job);
    if (state == nullptr)
        return;
    papplJobSetData(job, nullptr);
    delete state;
}

bool Fail(pappl_job_t* job, const std::string& message) {
    papplLogJob(job, PAPPL_LOGLEVEL_ERROR, "%s", message.c_str());
    SetJobProblem(papplJobGetPrinter(job),
                  "Job " + std::to_string(papplJobGetID(job)) + " stopped: " + message);
    papplJobSetMessage(job, "%s", message.c_str());
    papplJobSetReasons(job, PAPPL_JREASON_ABORTED_BY_SYSTEM, PAPPL_JREASON_NONE);
    return false;
}

// The sheet a job's own "media" or "media-col" names, by name or by size (CUPS's driverless
// queues send the size alone); null when the job names none. For streamed raster PAPPL leaves
// the job's media out of its options, and for other documents it puts the default media there.
const MediaSheet* JobMediaSheet(pappl_job_t* job) {
    if (ipp_attribute_t* media = papplJobGetAttribute(job, "media"))
        if (const MediaSheet* sheet = FindMediaSheetByName(ippGetString(media, 0, nullptr)))
            return sheet;
    ipp_attribute_t* col = papplJobGetAttribute(job, "media-col");
    ipp_t* collection = col ? ippGetCollection(col, 0) : nullptr;
    if (collection == nullptr)
        return nullptr;
    if (ipp_attribute_t* name = ippFindAttribute(collection, "media-size-name", IPP_TAG_ZERO))
        return FindMediaSheetByName(ippGetString(name, 0, nullptr));
    ipp_attribute_t* width =
        ippFindAttribute(collection, "media-size/x-dimension", IPP_TAG_INTEGER);
    ipp_attribute_t* length =
        ippFindAttribute(collection, "media-size/y-dimension", IPP_TAG_INTEGER);
    if (width == nullptr || length == nullptr)
        return nullptr;
    return FindMediaSheetByPoints(ippGetInteger(width, 0) * 72.0 / 2540.0,
                                  ippGetInteger(length, 0) * 72.0 / 2540.0);
}

// The sheet of the media loaded in the printer, as its status file last said.
const MediaSheet* LoadedSheet(pappl_printer_t* printer) {
    pappl_pr_driver_data_t data;
    papplPrinterGetDriverData(printer, &data);
    return FindMediaSheetByName(data.media_ready[0].size_name);
}

// The sheet of a page that names none: the job's media, else the loaded media, else the
// default media (PAPPL's options hold it when the job names none).
const MediaSheet* SheetForJob(pappl_job_t* job, pappl_pr_options_t* options,
                              const JobState& state) {
    const MediaSheet* sheet = state.jobSheet;
    if (sheet == nullptr)
        sheet = LoadedSheet(papplJobGetPrinter(job));
    if (sheet == nullptr)
        sheet = FindMediaSheetByName(options->media.size_name);
    if (sheet == nullptr)
        sheet = FindMediaSheetByName(kDefaultPageSize);
    return sheet;
}

PageScaling ScalingOf(pappl_scaling_t scaling) {
    if (scaling & PAPPL_SCALING_NONE)
        return PageScaling::None;
    if (scaling & (PAPPL_SCALING_FIT | PAPPL_SCALING_AUTO_FIT))
        return PageScaling::Fit;
    if (scaling & PAPPL_SCALING_FILL)
        return PageScaling::Fill;
    return PageScaling::Auto;
}

// The backend writes the job information file once it has taken the job (a backend that
// ends before that has refused it). Waited for up to 120 seconds, as the classic filter does;
// without it every print goes on a sheet of its own.
JobInfo AwaitJobInfo(pappl_job_t* job, JobState* state) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    BackendProcess& backend = *state->backend;
    const int exitFd = backend.ExitFd();
    const JobInfoWatch::Outcome outcome = state->infoWatch->Wait(
        exitFd,
        [job, state, &backend, exitFd] {
            return MustStop(job, *state) || (exitFd < 0 && backend.HasExited());
        },
        std::chrono::seconds(120));
    const long long waited =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    switch (outcome) {
    case JobInfoWatch::Outcome::Written:
        papplLogJob(job, PAPPL_LOGLEVEL_DEBUG, "Job information file written after %lld ms.",
                    waited);
        return ReadJobInfoFile(state->infoWatch->path());
    case JobInfoWatch::Outcome::BackendExited:
        // Whatever it wrote before it ended is complete.
        papplLogJob(job, PAPPL_LOGLEVEL_DEBUG, "Backend ended after %lld ms.", waited);
        return ReadJobInfoFile(state->infoWatch->path());
    case JobInfoWatch::Outcome::TimedOut:
        papplLogJob(job, PAPPL_LOGLEVEL_WARN,
                    "No job information file from the backend: one print per sheet.");
        return JobInfo();
    case JobInfoWatch::Outcome::Stopped:
        break;
    }
    return JobInfo();
}

} // namespace

bool StartJob(pappl_job_t* job, pappl_pr_options_t* options, pappl_device_t*) {
    if (StateOf(job) != nullptr)
        return true;
    pappl_printer_t* printer = papplJobGetPrinter(job);
    PrinterState* owner = PrinterState::Of(printer);
    const char* uri = papplPrinterGetDeviceURI(printer);
    if (uri == nullptr || strncmp(uri, kBackendScheme, strlen(kBackendScheme)) != 0 ||
        owner == nullptr)
        return Fail(job, "The printer's device is not a velmora-zelbackend device.");

    auto* state = new JobState(*owner);
    papplJobSetData(job, state);
    state->hasTurn = owner->TakeTurn([job, state] { return MustStop(job, *state); });
    if (!state->hasTurn) {
        FinishState(job);
        return false;
    }
    // Thumbnails of jobs that have left the history go; this job's sheets are recorded.
    PruneThumbnails(job);
    state->sheets.Start(job);
    state->backend = &owner->NewBackend();
    char copyPath[1024];
    state->copyFd = papplJobOpenFile(job, copyPath, sizeof(copyPath), nullptr, "tq51m", "w");
    if (state->copyFd >= 0)
        state->copyPath = copyPath;
    else
        papplLogJob(job, PAPPL_LOGLEVEL_WARN, "No copy of the job can be kept: %s",
                    strerror(errno));
    state->sink = std::make_unique<BackendSink>(*state->backend, state->copyFd, state->sheetEnds);
    state->backendJobId =
        std::to_string(BackendJobId(papplPrinterGetID(printer), papplJobGetID(job)));

    // A job information file left by an earlier job with the same id must not be read as this
    // job's: remove it (the link itself, never what it points to) before the backend starts.
    const std::string infoPath = JobInfoPath(kJobInfoDir, state->backendJobId.c_str());
    if (unlink(infoPath.c_str()) != 0 && errno != ENOENT) {
        const std::string reason =
            "Cannot remove the stale job information file " + infoPath + ": " + strerror(errno);
        FinishState(job);
        return Fail(job, reason);
    }
    // Watching starts before the backend does, so that no write of the file is missed.
    state->infoWatch = std::make_unique<JobInfoWatch>(kJobInfoDir, state->backendJobId);
    state->sink->SetStop([job, state] { return MustStop(job, *state); });

    JobRequest& request = state->request;
    state->jobSheet = JobMediaSheet(job);
    request.pageSize = SheetForJob(job, options, *state)->pageSize;
    state->scaling = ScalingOf(options->print_scaling);
    state->autoTurn =
        options->orientation_requested == IPP_ORIENT_NONE || options->orientation_requested == 0;
    request.xdpi = options->printer_resolution[0];
    request.ydpi = options->printer_resolution[1];
    // PAPPL takes the type from media-col only; a job's own media-type attribute comes first.
    // PAPPL 1.3.1 does not check its syntax: an integer or other non-string value has no text.
    ipp_attribute_t* mediaType = papplJobGetAttribute(job, "media-type");
    const char* typeName = mediaType ? ippGetString(mediaType, 0, nullptr) : nullptr;
    request.mediaType = typeName ? typeName : options->media.type;
    for (int i = 0; i < options->num_vendor; ++i)
        request.vendor.emplace_back(options->vendor[i].name, options->vendor[i].value);

    BackendJob& backendJob = state->backendJob;
    backendJob.deviceUri = papplPrinterGetDeviceURI(printer);
    backendJob.jobId = state->backendJobId;
    backendJob.user = papplJobGetUsername(job) ? papplJobGetUsername(job) : "anonymous";
    backendJob.title = papplJobGetName(job) ? papplJobGetName(job) : "Untitled";
    backendJob.options = JoinOptions(MapJobOptions(request));
    backendJob.printerName = papplPrinterGetName(printer);

    std::string error;
    const std::string program = BackendProgram();
    state->totalAtStart = ReadPrinterTotal(printer);
    clock_gettime(CLOCK_REALTIME_COARSE, &state->backendStarted);
    if (!state->backend->Start(
            program, backendJob,
            [job, state](const std::string& line) { HandleBackendLine(job, state, line); },
            error)) {
        FinishState(job);
        return Fail(job, error);
    }
    papplLogJob(job, PAPPL_LOGLEVEL_INFO, "Started %s for backend job %s.", program.c_str(),
                state->backendJobId.c_str());
    state->infoReady = std::async(std::launch::async, AwaitJobInfo, job, state);
    return true;
}

void AbandonJob(pappl_job_t* job) {
    JobState* state = StateOf(job);
    if (state == nullptr)
        return;
    state->backend->CloseInput();
    state->backend->Terminate();
    state->backend->Wait([] { return true; });
    FinishState(job);
}

namespace {

// The settings are applied when the first page arrives. The sheet is the one the page's size
// names (by name, or by its size in points: the sheet or its nominal print size); a page of
// another size goes on the sheet the job's media names, else on the loaded media, else on the
// default media. The resolution is the page's when the printer has it, else 300 dpi. False
// when the job's memory cannot be had.
bool StartPrint(pappl_job_t* job, pappl_pr_options_t* options, JobState* state,
                std::string& error) {
    const cups_page_header2_t& header = options->header;
    const MediaSheet* sheet = FindMediaSheetByName(header.cupsPageSizeName);
    if (sheet == nullptr && header.cupsPageSize[0] > 0 && header.cupsPageSize[1] > 0)
        sheet = FindMediaSheetByPoints(header.cupsPageSize[0], header.cupsPageSize[1]);
    if (sheet == nullptr)
        sheet = FindMediaSheetByPoints(header.PageSize[0], header.PageSize[1]);
    if (sheet == nullptr)
        sheet = SheetForJob(job, options, *state);

    JobRequest request = state->request;
    request.pageSize = sheet->pageSize;
    state->sheets.SetDetails(sheet->label, request.mediaType);
    PrintResolution(int(header.HWResolution[0]), int(header.HWResolution[1]), request.xdpi,
                    request.ydpi);
    state->sheet =
        PageGeometry{sheet->widthDots * request.xdpi / kSheetDpi,
                     sheet->lengthDots * request.ydpi / kSheetDpi, request.xdpi, request.ydpi};
    const OptionList list = MapJobOptions(request);
    JobSettings settings;
    for (const auto& option : list)
        settings.Set(option.first.c_str(), option.second.c_str());
    papplLogJob(job, PAPPL_LOGLEVEL_INFO, "Printing with %s.", JoinOptions(list).c_str());

    // The first page is read and colour-processed while the job information is waited for;
    // placing its first print takes the layout from it.
    state->print = std::make_unique<PrintJob>(
        std::move(settings),
        [state] {
            state->info = state->infoReady.get();
            return state->info;
        },
        *state->sink,
        [job, state] {
            if (!MustStop(job, *state))
                return false;
            state->backend->Terminate();
            return true;
        });
    if (state->print->Start())
        return true;
    error = "Out of memory for the print job.";
    return false;
}

bool StartPage(pappl_job_t* job, pappl_pr_options_t* options, pappl_device_t*, unsigned page) {
    JobState* state = StateOf(job);
    if (state == nullptr)
        return false;
    // PAPPL prints copies by sending a page again; the first pass carries all copies, placed
    // as the classic filter places a page's copies.
    state->skipPage = page <= state->lastPage;
    if (state->skipPage)
        return true;
    state->lastPage = page;

    // Pages come as sRGB or sGray with 8 bits per colour; any other line is refused before a
    // byte of it is read.
    const cups_page_header2_t& header = options->header;
    const unsigned bytesPerPixel = header.cupsBitsPerPixel / 8;
    if ((header.cupsBitsPerPixel != 8 && header.cupsBitsPerPixel != 24) ||
        header.cupsBytesPerLine < uint64_t(header.cupsWidth) * bytesPerPixel)
        return Fail(job, "Unsupported raster page: " + std::to_string(header.cupsBitsPerPixel) +
                             " bits per pixel.");

    // A streamed page's rows are read inside the client's request whatever they hold: a
    // header claiming billions of rows would keep the printer busy for minutes. No sheet is
    // longer than 7300 rows at 600 dpi; pages beyond PAPPL's own image limit end the job.
    const cups_page_header2_t& size = options->header;
    if (size.cupsWidth > kMaxImageSide || size.cupsHeight > kMaxImageSide)
        return Fail(job, "Page " + std::to_string(page) + " of " + std::to_string(size.cupsWidth) +
                             " x " + std::to_string(size.cupsHeight) +
                             " pixels is larger than any sheet of the printer.");

    std::string error;
    if (!state->print && !StartPrint(job, options, state, error))
        return Fail(job, error);

    state->gray = header.cupsBitsPerPixel == 8;
    state->width = header.cupsWidth;
    state->rows = 0;
    state->height = header.cupsHeight;
    state->rgb.assign(size_t(header.cupsWidth) * 3, 0);
    unsigned copies = options->copies > 0 ? unsigned(options->copies) : 1;
    if (IsRasterDocument(job) && header.NumCopies > 1)
        copies *= header.NumCopies;
    state->copies = copies;
    state->page = PageGeometry{int(header.cupsWidth), int(header.cupsHeight),
                               int(header.HWResolution[0]), int(header.HWResolution[1])};
    if (state->page.xdpi <= 0 || state->page.ydpi <= 0)
        state->page.xdpi = state->page.ydpi = 300;
    // A page at the sheet's own dots goes through untouched, as through rastertotq51m.
    state->fitting = !PageIsSheet(state->page, state->sheet);
    state->rowsRead = 0;
    if (!state->fitting) {
        state->print->BeginPage(header.cupsWidth, header.cupsHeight, copies);
        return true;
    }
    if (uint64_t(header.cupsWidth) * header.cupsHeight > kMaxFittedPixels)
        return Fail(job, "Page " + std::to_string(page) + " of " +
                             std::to_string(header.cupsWidth) + " x " +
                             std::to_string(header.cupsHeight) +
                             " pixels is too large to fit onto a sheet.");
    const size_t pageBytes = size_t(header.cupsWidth) * header.cupsHeight * 3;
    if (state->pagePixels.size() == pageBytes) {
        // A page the application decoded itself, handed over whole (PrintDocument).
        state->rows = state->rowsRead = header.cupsHeight;
        return true;
    }
    try {
        state->pagePixels.assign(pageBytes, 255);
    } catch (const std::bad_alloc&) {
        return Fail(job, "Out of memory for page " + std::to_string(page) + ".");
    }
    return true;
}

bool WriteLine(pappl_job_t* job, pappl_pr_options_t*, pappl_device_t*, unsigned,
               const unsigned char* line) {
    JobState* state = StateOf(job);
    if (state == nullptr || !state->print)
        return false;
    if (state->skipPage)
        return true;
    ++state->rows;
    const unsigned char* rgb = line;
    if (state->gray) {
        // sGray is widened to RGB: the filter's colour chain takes three bytes per pixel.
        unsigned char* out = state->rgb.data();
        for (unsigned x = 0; x < state->width; ++x, out += 3)
            out[0] = out[1] = out[2] = line[x];
        rgb = state->rgb.data();
    }
    if (!state->fitting) {
        state->print->WriteLine(rgb, size_t(state->width) * 3);
    } else if (state->rowsRead < unsigned(state->page.height)) {
        std::memcpy(&state->pagePixels[size_t(state->rowsRead) * state->width * 3], rgb,
                    size_t(state->width) * 3);
        ++state->rowsRead;
    }
    return true;
}

bool EndPage(pappl_job_t* job, pappl_pr_options_t*, pappl_device_t*, unsigned) {
    JobState* state = StateOf(job);
    if (state == nullptr || !state->print)
        return false;
    if (state->skipPage)
        return true;
    // PAPPL ends a page whose data ran out (a broken upload, a cut-off file) as if it were
    // whole: the missing rows would print black, a sheet of ribbon wasted. Nothing of such a
    // document goes further; the backend is ended before it takes a partial sheet.
    if (state->rows < state->height) {
        state->truncated = true;
        state->backend->Terminate();
        return Fail(job, "The document ends inside page " + std::to_string(state->lastPage) + " (" +
                             std::to_string(state->rows) + " of " + std::to_string(state->height) +
                             " rows): it was not printed. Send it again.");
    }
    if (state->fitting) {
        const PagePlacement placement =
            PlacePage(state->page, state->sheet, state->scaling, state->autoTurn);
        state->print->BeginPage(unsigned(state->sheet.width), unsigned(state->sheet.height),
                                state->copies);
        const size_t rowBytes = size_t(state->sheet.width) * 3;
        const bool fitted =
            FitPage(state->pagePixels.data(), size_t(state->width) * 3, state->page, state->sheet,
                    placement, [state, rowBytes](const unsigned char* row) {
                        state->print->WriteLine(row, rowBytes);
                    });
        std::vector<unsigned char>().swap(state->pagePixels);
        if (!fitted)
            return Fail(job, "Out of memory while fitting the page onto the sheet.");
    }
    state->print->EndPage();
    ++state->pagesSent;
    return true;
}

// The exit status for DecideAfterExit: the code, or -1 for a backend ended by a signal.
int ExitCode(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The printer's error policy as last set (web page or IPP).
ErrorPolicy ErrorPolicyOf(pappl_printer_t* printer) {
    ipp_t* attrs = papplPrinterGetDriverAttributes(printer);
    ipp_attribute_t* attr =
        attrs ? ippFindAttribute(attrs, "printer-error-policy-default", IPP_TAG_KEYWORD) : nullptr;
    const char* keyword = attr ? ippGetString(attr, 0, nullptr) : nullptr;
    const ErrorPolicy policy = ParseErrorPolicy(keyword ? keyword : "");
    ippDelete(attrs);
    return policy;
}

// The sheets of the job's stream that the printer finished in the backend's last run, as the
// status file says once the backend has ended: 0 when the file names another job, says
// nothing, or was not written during that run.
unsigned SheetsFinishedByBackend(pappl_job_t* job, const JobState& state) {
    const char* uri = papplPrinterGetDeviceURI(papplJobGetPrinter(job));
    const std::string path = StatusFilePath(uri ? uri : "");
    struct stat file = {};
    std::string text;
    if (path.empty() || lstat(path.c_str(), &file) != 0 || !ReadStatusFile(path, text))
        return 0;
    const timespec& started = state.backendStarted;
    if (file.st_mtim.tv_sec < started.tv_sec ||
        (file.st_mtim.tv_sec == started.tv_sec && file.st_mtim.tv_nsec < started.tv_nsec))
        return 0;
    const int done = SheetsFinished(text, state.backendJobId);
    return done > 0 ? unsigned(done) : 0;
}

// Sends the job's kept command stream again through a new backend, leaving out the first
// `skip` sheets, which the printer finished; the wait status, or -1 with failure set when it
// cannot be sent. The stream was made for the media the backend reported; when the loaded
// media no longer lays out the same way, it is not sent. The remaining half-size prints lay
// out only the job's first print: once that sheet is done, only the media size counts. A
// stream made without the backend's job information holds one print per sheet, which any
// media takes.
int Resend(pappl_job_t* job, JobState* state, unsigned skip, std::string& failure) {
    state->sink.reset();
    state->backendError.clear();
    state->backend = &state->printer.NewBackend();
    const std::string infoPath = JobInfoPath(kJobInfoDir, state->backendJobId.c_str());
    unlink(infoPath.c_str());
    JobInfoWatch watch(kJobInfoDir, state->backendJobId);
    std::string error;
    clock_gettime(CLOCK_REALTIME_COARSE, &state->backendStarted);
    if (!state->backend->Start(
            BackendProgram(), state->backendJob,
            [job, state](const std::string& line) { HandleBackendLine(job, state, line); },
            error)) {
        failure = error;
        return -1;
    }
    const auto stop = [job, state] { return MustStop(job, *state); };
    watch.Wait(state->backend->ExitFd(), stop, std::chrono::seconds(120));
    const JobInfo info = ReadJobInfoFile(watch.path());
    const auto parity = [](const std::string& text) { return atoi(text.c_str()) % 2; };
    if (state->info.present &&
        (info.mediaSize != state->info.mediaSize ||
         (skip == 0 && parity(info.remainHalf) != parity(state->info.remainHalf)))) {
        state->backend->Terminate();
        state->backend->Wait([] { return true; });
        failure = "The loaded media changed while the job waited; send the job again.";
        return -1;
    }
    const int fd = open(state->copyPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || (skip > 0 && lseek(fd, state->sheetEnds[skip - 1], SEEK_SET) < 0)) {
        if (fd >= 0)
            close(fd);
        failure = "The job's copy is gone: " + std::string(strerror(errno));
        state->backend->Terminate();
        state->backend->Wait([] { return true; });
        return -1;
    }
    std::vector<char> buffer(1 << 16);
    ssize_t n;
    while (!stop() && (n = read(fd, buffer.data(), buffer.size())) > 0)
        if (!state->backend->Write(buffer.data(), size_t(n), stop))
            break;
    close(fd);
    state->backend->CloseInput();
    return state->backend->Wait(stop);
}

// The printer's state as the job's message while it waits.
std::string WaitingMessage(pappl_printer_t* printer, const std::string& why) {
    const PrinterStatus status = LastStatus(printer);
    std::string text = "Waiting for the printer";
    if (CannotPrint(status) && !status.stateText.empty())
        text += ": " + status.stateText;
    return text + " (" + why + ")";
}

bool EndJob(pappl_job_t* job, pappl_pr_options_t*, pappl_device_t*) {
    JobState* state = StateOf(job);
    if (state == nullptr)
        return false;
    pappl_printer_t* printer = papplJobGetPrinter(job);
    const bool canceled = MustStop(job, *state) || state->truncated;
    if (state->print && !canceled)
        state->print->End();
    state->print.reset();
    const bool kept = state->sink && !state->sink->CopyFailed();
    state->backend->CloseInput();
    if (!state->copyPath.empty())
        state->sheets.Record(state->copyPath);
    const auto stop = [job, state] { return MustStop(job, *state); };
    int status = state->backend->Wait(stop);
    state->sheets.Finish();

    // The backend's exit decides, as with cupsd. A job to be sent again waits for the printer
    // holding its turn, so the jobs behind it stay behind it.
    const ErrorPolicy policy = ErrorPolicyOf(printer);
    std::string failure;
    unsigned finished = 0; // sheets the printer finished, over all runs of the backend
    const unsigned sheets = unsigned(state->sheetEnds.size());
    for (int resends = 0; !stop() && !state->truncated; ++resends) {
        finished = std::min(sheets, finished + SheetsFinishedByBackend(job, *state));
        const ExitDecision decision = DecideAfterExit(ExitCode(status), policy, resends);
        if (decision.kind == ExitDecision::Complete)
            break;
        if (decision.kind == ExitDecision::Cancel) {
            papplJobCancel(job);
            break;
        }
        std::string why = DescribeExit(status);
        if (!state->backendError.empty())
            why += " " + state->backendError;
        if (decision.kind == ExitDecision::Abort) {
            failure = why;
            break;
        }
        if (sheets > 0 && finished == sheets) {
            papplLogJob(job, PAPPL_LOGLEVEL_INFO, "The printer finished all %u sheets.", sheets);
            break;
        }
        if (!kept) {
            failure = why + " The job could not be kept for printing again: the spool folder "
                            "has no room for it.";
            break;
        }
        papplLogJob(job, PAPPL_LOGLEVEL_WARN, "Sending the job again: %s", why.c_str());
        papplJobSetReasons(job, PAPPL_JREASON_PRINTER_STOPPED, PAPPL_JREASON_NONE);
        papplJobSetMessage(job, "%s", WaitingMessage(printer, why).c_str());
        bool ready = true;
        if (decision.stopPrinter) {
            // The printer stays stopped until the operator resumes it (web page or IPP).
            papplPrinterPause(printer);
            while (ready && papplPrinterGetState(printer) == IPP_PSTATE_STOPPED)
                ready = state->printer.WaitUntilPrintable(1, stop);
        }
        ready = ready && state->printer.WaitUntilPrintable(decision.waitSeconds, stop);
        papplJobSetReasons(job, PAPPL_JREASON_NONE, PAPPL_JREASON_PRINTER_STOPPED);
        if (!ready)
            break;
        if (finished > 0) {
            papplLogJob(job, PAPPL_LOGLEVEL_INFO, "Sending sheets %u to %u again.", finished + 1,
                        sheets);
            papplJobSetMessage(job, "Sending sheets %u to %u to the printer again.", finished + 1,
                               sheets);
        } else {
            papplJobSetMessage(job, "Sending the job to the printer again.");
        }
        status = Resend(job, state, finished, failure);
        if (status < 0)
            break;
    }
    if (failure.empty() && !papplJobIsCanceled(job) && state->printer.Stopping())
        failure = "Stopped: the printer application was shut down.";
    const bool truncated = state->truncated;
    // PAPPL counts one impression itself once the driver has printed a document of its own
    // format.
    const char* format = papplJobGetFormat(job);
    CountJobImpressions(job, state->totalAtStart,
                        format != nullptr && !strcmp(format, kDriverFormat) ? 1 : 0);
    // The backend's last progress line would otherwise stay the job's message, also when PAPPL
    // itself ends the job after this (raster data it does not take, a broken image).
    const unsigned pagesSent = state->pagesSent;
    FinishState(job);
    // The next job PAPPL starts is the oldest one waiting.
    KeepJobsInOrder(printer);
    if (truncated)
        return false; // the page's end said why
    if (!failure.empty())
        return Fail(job, failure);
    if (papplJobIsCanceled(job)) {
        // Cancelled by a user, or by PAPPL for raster data it refuses after the first page.
        papplJobSetMessage(job, "Stopped after %u page(s).", pagesSent);
    } else {
        papplJobSetMessage(job, "%u page(s) sent to the printer.", pagesSent);
        SetJobProblem(printer, std::string());
    }
    return true;
}

void AddBoolean(ipp_t* attrs, const char* name, bool value) {
    ippAddBoolean(attrs, IPP_TAG_PRINTER, (std::string(name) + "-default").c_str(), value);
    ippAddBoolean(attrs, IPP_TAG_PRINTER, (std::string(name) + "-supported").c_str(), 1);
}

void AddRange(ipp_t* attrs, const char* name, int value, int lower, int upper) {
    ippAddInteger(attrs, IPP_TAG_PRINTER, IPP_TAG_INTEGER, (std::string(name) + "-default").c_str(),
                  value);
    ippAddRange(attrs, IPP_TAG_PRINTER, (std::string(name) + "-supported").c_str(), lower, upper);
}

// PAPPL deletes a printer (also every printer when the application ends): its page and its
// state go with it.
void DeletePrinter(pappl_printer_t* printer, pappl_pr_driver_data_t* data) {
    RemovePrinterPage(printer, data);
    delete static_cast<PrinterState*>(data->extension);
    data->extension = nullptr;
}

} // namespace

bool JobMustStop(pappl_job_t* job) {
    const JobState* state = StateOf(job);
    return state != nullptr ? MustStop(job, *state) : papplJobIsCanceled(job);
}

bool PrintDocument(pappl_job_t* job, pappl_device_t* device, DocumentPages& pages) {
    pappl_pr_options_t* options = papplJobCreatePrintOptions(job, 0, true);
    if (!StartJob(job, options, device)) {
        papplJobDeletePrintOptions(options);
        return false;
    }
    // The pages are decoded for the sheet the first page will be printed on, as the job's
    // scaling places them; the page is then fitted onto the sheet chosen in any case.
    JobState* state = StateOf(job);
    const MediaSheet* planned = SheetForJob(job, options, *state);
    int xdpi = 300, ydpi = 300;
    PrintResolution(options->printer_resolution[0], options->printer_resolution[1], xdpi, ydpi);
    PageTarget target;
    target.sheet = PageGeometry{planned->widthDots * xdpi / kSheetDpi,
                                planned->lengthDots * ydpi / kSheetDpi, xdpi, ydpi};
    target.scaling = state->scaling;
    target.autoTurn = state->autoTurn;

    std::string error;
    unsigned number = 0;
    bool printed = true;
    while (printed && !JobMustStop(job)) {
        RgbImage page;
        page.geometry.xdpi = xdpi;
        page.geometry.ydpi = ydpi;
        if (!pages.Next(target, page, error)) {
            if (JobMustStop(job))
                error.clear();
            break;
        }
        // The page's own header: its pixels at the job's resolution, no size of its own, so
        // that the job's media chooses the sheet.
        cups_page_header2_t& header = options->header;
        header.cupsWidth = unsigned(page.geometry.width);
        header.cupsHeight = unsigned(page.geometry.height);
        header.cupsBitsPerColor = 8;
        header.cupsBitsPerPixel = 24;
        header.cupsBytesPerLine = header.cupsWidth * 3;
        header.HWResolution[0] = unsigned(page.geometry.xdpi);
        header.HWResolution[1] = unsigned(page.geometry.ydpi);
        header.PageSize[0] = header.PageSize[1] = 0;
        header.cupsPageSize[0] = header.cupsPageSize[1] = 0.0f;
        header.cupsPageSizeName[0] = '\0';
        header.NumCopies = 1;
        ++number;
        // The page is handed over whole: a page to be fitted is fitted from these pixels, a
        // page at the sheet's dots goes row by row.
        state->pagePixels = std::move(page.pixels);
        printed = StartPage(job, options, device, number);
        const size_t rowBytes = size_t(page.geometry.width) * 3;
        for (int y = 0; printed && !state->fitting && y < page.geometry.height; ++y)
            printed = WriteLine(job, options, device, unsigned(y),
                                &state->pagePixels[size_t(y) * rowBytes]);
        printed = printed && EndPage(job, options, device, number);
        std::vector<unsigned char>().swap(state->pagePixels);
        if (!printed && papplJobGetMessage(job) != nullptr)
            error = papplJobGetMessage(job);
    }
    if (printed && error.empty() && number == 0)
        error = "The document has no pages.";
    // A document that gives no page at all stops the backend before it prints; otherwise
    // EndJob sends what is complete and ends the backend, also after a failure.
    bool ended = true;
    if (number == 0 && !error.empty())
        AbandonJob(job);
    else if (StateOf(job) != nullptr)
        ended = EndJob(job, options, device);
    papplJobDeletePrintOptions(options);
    if (!error.empty()) {
        papplLogJob(job, PAPPL_LOGLEVEL_ERROR, "%s", error.c_str());
        papplJobSetMessage(job, "%s", error.c_str());
        papplJobSetReasons(job, PAPPL_JREASON_DOCUMENT_FORMAT_ERROR, PAPPL_JREASON_NONE);
        return false;
    }
    return printed && ended;
}

bool DriverCallback(pappl_system_t*, const char* driverName, const char* deviceUri, const char*,
                    pappl_pr_driver_data_t* data, ipp_t** attrs, void*) {
    if (driverName == nullptr || strcmp(driverName, kDriverName) != 0)
        return false;
    // The serial names the status file in /tmp: one that would name anything else (a path,
    // "..", characters the monitor refuses) makes no printer, as the monitor refuses it.
    if (deviceUri != nullptr && strncmp(deviceUri, kBackendScheme, strlen(kBackendScheme)) == 0 &&
        StatusFilePath(deviceUri).empty())
        return false;

    data->rstartjob_cb = StartJob;
    data->rstartpage_cb = StartPage;
    data->rwriteline_cb = WriteLine;
    data->rendpage_cb = EndPage;
    data->rendjob_cb = EndJob;
    data->status_cb = RefreshPrinterStatus;
    data->delete_cb = DeletePrinter;
    data->format = kDriverFormat;
    data->printfile_cb = PrintPdfFile;

    snprintf(data->make_and_model, sizeof(data->make_and_model), "%s", kDriverDescription);
    data->ppm = 1;
    data->ppm_color = 1;
    SetPrinterIcons(data);
    data->kind = PAPPL_KIND_PHOTO;
    data->has_supplies = true;
    data->orient_default = IPP_ORIENT_NONE;
    // A colour printer. Clients also send "auto" and "monochrome" (CUPS's driverless queues
    // do, for the sGray raster offered): those pages arrive in sGray and are printed in grey.
    data->color_supported =
        PAPPL_COLOR_MODE_AUTO | PAPPL_COLOR_MODE_COLOR | PAPPL_COLOR_MODE_MONOCHROME;
    data->color_default = PAPPL_COLOR_MODE_COLOR;
    data->content_default = PAPPL_CONTENT_PHOTO;
    data->quality_default = IPP_QUALITY_NORMAL;
    data->scaling_default = PAPPL_SCALING_AUTO;
    data->raster_types = PAPPL_PWG_RASTER_TYPE_SRGB_8 | PAPPL_PWG_RASTER_TYPE_SGRAY_8;
    data->force_raster_type = PAPPL_PWG_RASTER_TYPE_NONE;
    data->duplex = PAPPL_DUPLEX_NONE;
    data->sides_supported = PAPPL_SIDES_ONE_SIDED;
    data->sides_default = PAPPL_SIDES_ONE_SIDED;

    // PAPPL picks a job's resolution by print-quality when the job names none: draft the
    // first, normal the middle, high the last one. Normal is the PPD's default, 300 dpi.
    data->num_resolution = 3;
    data->x_resolution[0] = 300, data->y_resolution[0] = 600;
    data->x_resolution[1] = 300, data->y_resolution[1] = 300;
    data->x_resolution[2] = 600, data->y_resolution[2] = 600;
    data->x_default = data->y_default = 300;

    data->borderless = true;
    data->left_right = 0;
    data->bottom_top = 0;

    // Each sheet by its nominal print size: the standard names are the ones clients offer.
    data->num_media = kMediaSheetCount;
    for (int i = 0; i < kMediaSheetCount; ++i)
        data->media[i] = kMediaSheets[i].ippName;
    data->num_source = 1;
    data->source[0] = "main";
    data->num_type = int(MediaTypes().size());
    for (size_t i = 0; i < MediaTypes().size(); ++i)
        data->type[i] = MediaTypes()[i].ipp;

    pappl_media_col_t& media = data->media_default;
    const MediaSheet& defaultSheet = *FindMediaSheetByName(kDefaultPageSize);
    snprintf(media.size_name, sizeof(media.size_name), "%s", defaultSheet.ippName);
    media.size_width = defaultSheet.ippWidthHmm;
    media.size_length = defaultSheet.ippLengthHmm;
    media.bottom_margin = media.top_margin = media.left_margin = media.right_margin = 0;
    snprintf(media.source, sizeof(media.source), "main");
    snprintf(media.type, sizeof(media.type), "%s", kDefaultMediaType);
    data->media_ready[0] = media;

    data->num_vendor = 0;
    if (*attrs == nullptr)
        *attrs = ippNew();
    // What IPP Everywhere asks for and PAPPL 1.3 leaves out, where it is true of this printer:
    // no preferred-attributes answers, the colour chain decides the rendering, one-sided.
    ippAddBoolean(*attrs, IPP_TAG_PRINTER, "preferred-attributes-supported", 0);
    ippAddString(*attrs, IPP_TAG_PRINTER, IPP_TAG_KEYWORD, "print-rendering-intent-default",
                 nullptr, "auto");
    ippAddString(*attrs, IPP_TAG_PRINTER, IPP_TAG_KEYWORD, "print-rendering-intent-supported",
                 nullptr, "auto");
    ippAddString(*attrs, IPP_TAG_PRINTER, IPP_TAG_KEYWORD, "pwg-raster-document-sheet-back",
                 nullptr, "normal");
    data->vendor[data->num_vendor++] = kErrorPolicyAttribute;
    ippAddString(*attrs, IPP_TAG_PRINTER, IPP_TAG_KEYWORD, "printer-error-policy-default", nullptr,
                 kErrorPolicyKeywords[int(kDefaultErrorPolicy)]);
    ippAddStrings(*attrs, IPP_TAG_PRINTER, IPP_TAG_KEYWORD, "printer-error-policy-supported", 4,
                  nullptr, kErrorPolicyKeywords);
    for (const VendorOption& option : VendorOptions()) {
        data->vendor[data->num_vendor++] = option.ipp;
        if (option.isBoolean)
            AddBoolean(*attrs, option.ipp, option.defaultValue != 0);
        else
            AddRange(*attrs, option.ipp, option.defaultValue, option.minimum, option.maximum);
    }
    // The serial of the device URI, as the device ID of a printer added with the driver "auto"
    // carries it in "SN:". A printer added with this driver by name gets PAPPL's own device ID,
    // which has no serial, and PAPPL 1.3.1 answers no request with the device URI: programs on
    // this machine (the status monitor) find the printer's status file through this attribute.
    const std::string serial = deviceUri != nullptr ? PlainSerialOf(deviceUri) : std::string();
    if (!serial.empty())
        ippAddString(*attrs, IPP_TAG_PRINTER, IPP_TAG_TEXT, "printer-serial-number", nullptr,
                     serial.c_str());
    // The printer's own state, destroyed by DeletePrinter with the printer.
    data->extension = new PrinterState;
    return true;
}

} // namespace tq51m
