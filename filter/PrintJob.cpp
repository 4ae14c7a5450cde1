// SPDX-License-Identifier: Apache-2.0
#include "PrintJob.h"

#include <cstdint>
#include <cstring>
#include <utility>

#include "Handles.h"
#include "PhotoPrinterDeviceTQ51M.h"

// ---- JobSettings

JobSettings::JobSettings() = default;

JobSettings::~JobSettings() {
    Release();
}

JobSettings::JobSettings(JobSettings&& other) noexcept
    : m_numOptions(std::exchange(other.m_numOptions, 0)),
      m_options(std::exchange(other.m_options, nullptr)),
      m_ppd(std::exchange(other.m_ppd, nullptr)) {}

JobSettings& JobSettings::operator=(JobSettings&& other) noexcept {
    if (this != &other) {
        Release();
        m_numOptions = std::exchange(other.m_numOptions, 0);
        m_options = std::exchange(other.m_options, nullptr);
        m_ppd = std::exchange(other.m_ppd, nullptr);
    }
    return *this;
}

void JobSettings::Release() {
    if (m_ppd != nullptr)
        wrappedPpdClose(m_ppd);
    cupsFreeOptions(m_numOptions, m_options);
    m_ppd = nullptr;
    m_options = nullptr;
    m_numOptions = 0;
}

JobSettings JobSettings::FromCups(const char* optionText, const char* ppdPath) {
    JobSettings settings;
    settings.m_numOptions = cupsParseOptions(optionText, 0, &settings.m_options);
    settings.m_ppd = wrappedPpdOpenFile(ppdPath);
    return settings;
}

void JobSettings::Set(const char* name, const char* value) {
    m_numOptions = cupsAddOption(name, value, m_numOptions, &m_options);
}

// ---- PrintJob

namespace {

const int kMaxSlots = PhotoImageBuffer::kSlots;

// The largest page buffer the driver makes. The largest print, 8 x 12 inch at 600 dpi, needs
// about 100 MB; a page asking for more than 1 GiB is broken or hostile, and it is skipped so
// that the filter's memory stays bounded whatever the input says.
const uint64_t kMaxPageBytes = uint64_t(1) << 30;

} // namespace

struct PrintJob::State {
    JobSettings settings;
    JobInfo info;
    // Gives the job information when it was not known at the start; empty once it is used.
    std::function<JobInfo()> infoSource;
    bool layoutKnown = false;
    OutputSink& sink;
    std::function<bool()> cancelCheck;
    std::unique_ptr<DeviceEntry> device;
    int layoutNum = 1;
    int remainParity = 0;
    // Prints placed and not yet sent; also the slot of the next print.
    int pendingCount = 0;
    // Pages begun before the current one.
    int pageIndex = 0;
    bool canceled = false;
    bool ended = false;

    // The page being fed: a zero-filled bottom-up 24-bit buffer, or none when it is dropped.
    bool inPage = false;
    HeapBlock<char> page;
    uint64_t width = 0;
    uint64_t height = 0;
    uint64_t stride = 0;
    uint64_t rowsWritten = 0;
    unsigned copies = 0;

    State(JobSettings s, JobInfo i, std::function<JobInfo()> source, OutputSink& out,
          std::function<bool()> check)
        : settings(std::move(s)), info(std::move(i)), infoSource(std::move(source)), sink(out),
          cancelCheck(std::move(check)) {}

    // Once the check has said yes, the job stays cancelled.
    bool Poll() {
        if (!canceled && cancelCheck && cancelCheck())
            canceled = true;
        return canceled;
    }

    void ApplySettings();
    void ApplyJobInfo();
    void FlushBatch(int count);
    void PlaceCopies(_tagBITMAPHANDLE* image, int numCopies);
    Result SkipRasterPage(cups_raster_t* raster, const cups_page_header2_t& header);
};

void PrintJob::State::ApplySettings() {
    const int n = settings.numOptions();
    cups_option_t* options = settings.options();
    ppdfile_s* ppd = settings.ppd();
    device->SendSysTime();
    device->SetResolution(n, options, ppd);
    device->SetMediaSize(n, options, ppd);
    device->SetBorder(n, options, ppd);
    device->SetSharpness(n, options, ppd);
    device->SetGamma(n, options, ppd);
    device->SetIntensity(n, options, ppd);
    device->SetContrast(n, options, ppd);
    device->SetSaturation(n, options, ppd);
    device->SetColorAdjustment(n, options, ppd);
    device->SetPaperRotate(n, options, ppd);
}

// The layout follows the settings; it is asked for once per job.
void PrintJob::State::ApplyJobInfo() {
    if (layoutKnown)
        return;
    layoutKnown = true;
    if (infoSource) {
        info = infoSource();
        infoSource = nullptr;
    }
    layoutNum = device->GetMultiLayoutNum(info);
    remainParity = device->GetRemainHalf(info) % 2;
}

// Control commands, then the sheet itself. The result of the sheet is not looked at: a sheet
// that could not be sent is dropped with the batch.
void PrintJob::State::FlushBatch(int count) {
    const int n = settings.numOptions();
    cups_option_t* options = settings.options();
    ppdfile_s* ppd = settings.ppd();
    device->SendCutterMode(n, options, ppd);
    device->SendOvercoatFinish(n, options, ppd);
    device->SendPrintRetry(n, options, ppd);
    device->SendPrintSpeed(n, options, ppd);
    device->SendDecurl(n, options, ppd);
    device->SendImageData(count);
    sink.EndSheet();
}

// Each copy goes into the next slot; a full sheet is sent at once. The very first copy of the
// job goes alone when the backend has an odd half-size print left.
void PrintJob::State::PlaceCopies(_tagBITMAPHANDLE* image, int numCopies) {
    if (numCopies > 0)
        ApplyJobInfo();
    for (int i = 0; i < numCopies; ++i) {
        int limit = layoutNum;
        if (remainParity == 1 && pageIndex == 0 && i == 0)
            limit = 1;
        if (limit > kMaxSlots)
            limit = kMaxSlots;
        device->SetImageData(pendingCount, image);
        ++pendingCount;
        if (pendingCount >= limit) {
            FlushBatch(limit);
            pendingCount = 0;
        }
    }
}

// Reads and drops the rest of a page whose buffers cannot be made, so that the next page
// header is found where it belongs.
PrintJob::Result PrintJob::State::SkipRasterPage(cups_raster_t* raster,
                                                 const cups_page_header2_t& header) {
    static unsigned char scratch[65536];
    uint64_t remaining = uint64_t(header.cupsBytesPerLine) * header.cupsHeight;
    while (remaining > 0) {
        unsigned chunk = remaining < sizeof(scratch) ? unsigned(remaining) : sizeof(scratch);
        if (cupsRasterReadPixels(raster, scratch, chunk) == 0)
            break;
        remaining -= chunk;
        if (Poll())
            return Result::Canceled;
    }
    return Result::Ok;
}

PrintJob::PrintJob(JobSettings settings, JobInfo info, OutputSink& sink,
                   std::function<bool()> canceled)
    : m_state(std::make_unique<State>(std::move(settings), std::move(info), nullptr, sink,
                                      std::move(canceled))) {}

PrintJob::PrintJob(JobSettings settings, std::function<JobInfo()> info, OutputSink& sink,
                   std::function<bool()> canceled)
    : m_state(std::make_unique<State>(std::move(settings), JobInfo(), std::move(info), sink,
                                      std::move(canceled))) {}

PrintJob::~PrintJob() = default;

bool PrintJob::Start() {
    State& s = *m_state;
    s.device.reset(new DeviceEntry_TQ51M);
    if (!s.device)
        return false;
    s.device->SetOutput(&s.sink);
    s.ApplySettings();
    if (!s.infoSource)
        s.ApplyJobInfo();
    s.pendingCount = 0;
    s.pageIndex = 0;
    return true;
}

PrintJob::Result PrintJob::BeginPage(unsigned width, unsigned height, unsigned copies) {
    State& s = *m_state;
    s.page.reset();
    s.inPage = false;
    if (s.Poll())
        return Result::Canceled;
    s.inPage = true;
    s.width = width;
    s.height = height;
    s.copies = copies;
    s.rowsWritten = 0;
    s.stride = uint64_t(IL_RowStride(int64_t(s.width), 24));
    const uint64_t size = s.stride * s.height;
    if (size <= kMaxPageBytes && s.width <= INT32_MAX && s.height <= INT32_MAX)
        s.page.reset(static_cast<char*>(std::calloc(size ? size : 1, 1)));
    return Result::Ok;
}

PrintJob::Result PrintJob::WriteLine(const unsigned char* rgb, size_t length) {
    State& s = *m_state;
    if (!s.inPage || s.rowsWritten >= s.height)
        return Result::Ok;
    const uint64_t y = s.rowsWritten++;
    if (s.page) {
        // Bytes beyond the page's width are ignored; a shorter line leaves the rest zero.
        const uint64_t copyBytes = length < s.width * 3 ? length : s.width * 3;
        std::memcpy(s.page.get() + (s.height - 1 - y) * s.stride, rgb, copyBytes);
    }
    if (y + 1 < s.height && s.Poll()) {
        s.page.reset();
        s.inPage = false;
        return Result::Canceled;
    }
    return Result::Ok;
}

PrintJob::Result PrintJob::EndPage() {
    State& s = *m_state;
    if (!s.inPage)
        return s.canceled ? Result::Canceled : Result::Ok;
    s.inPage = false;
    HeapBlock<char> page = std::move(s.page);
    // A dropped page only counts as begun.
    if (!page) {
        ++s.pageIndex;
        return Result::Ok;
    }
    if (s.Poll())
        return Result::Canceled;
    if (s.device) {
        // The pipeline takes the page buffer over. No image means that the chain could not
        // get its working memory: the page is dropped.
        BitmapPtr image(
            s.device->MakeImageData(page.release(), long(s.width), long(s.height), s.pendingCount));
        if (image)
            s.PlaceCopies(image.get(), int(s.copies));
    }
    ++s.pageIndex;
    return Result::Ok;
}

PrintJob::Result PrintJob::AddRasterPage(cups_raster_t* raster, const cups_page_header2_t& header) {
    State& s = *m_state;
    if (BeginPage(header.cupsWidth, header.cupsHeight, header.NumCopies) == Result::Canceled)
        return Result::Canceled;
    HeapBlock<unsigned char> line;
    if (s.page)
        line.reset(static_cast<unsigned char*>(
            std::calloc(header.cupsBytesPerLine ? header.cupsBytesPerLine : 1, 1)));
    if (!line) {
        s.page.reset();
        s.inPage = false;
        if (s.SkipRasterPage(raster, header) == Result::Canceled)
            return Result::Canceled;
        ++s.pageIndex;
        return Result::Ok;
    }
    for (uint64_t y = 0; y < header.cupsHeight; ++y) {
        if (cupsRasterReadPixels(raster, line.get(), header.cupsBytesPerLine) == 0)
            break;
        if (WriteLine(line.get(), header.cupsBytesPerLine) == Result::Canceled)
            return Result::Canceled;
    }
    line.reset();
    return EndPage();
}

PrintJob::Result PrintJob::RunRaster(cups_raster_t* raster) {
    if (m_state->device) {
        cups_page_header2_t header;
        while (cupsRasterReadHeader2(raster, &header)) {
            if (AddRasterPage(raster, header) == Result::Canceled)
                return Result::Canceled;
        }
    }
    End();
    return m_state->canceled ? Result::Canceled : Result::Ok;
}

void PrintJob::End() {
    State& s = *m_state;
    s.page.reset();
    s.inPage = false;
    if (s.ended)
        return;
    s.ended = true;
    if (!s.Poll() && s.device && s.pendingCount > 0)
        s.FlushBatch(s.pendingCount);
    s.pendingCount = 0;
}

int PrintJob::layoutNum() const {
    return m_state->layoutNum;
}

int PrintJob::remainParity() const {
    return m_state->remainParity;
}

bool PrintJob::canceled() const {
    return m_state->canceled;
}

DeviceEntry* PrintJob::device() const {
    return m_state->device.get();
}
