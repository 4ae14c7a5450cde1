// rastertotq51m: CUPS raster filter for the TQ-51M. Reads 24-bit raster pages, runs each
// through the colour chain, collects the prints of a media sheet and writes the sheet as
// framed printer commands on standard output. It writes nothing else.
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cups/raster.h>

#include "Common.h"
#include "PhotoPrinterDeviceTQ51M.h"

volatile sig_atomic_t Canceled = 0;

void CancelJob(int) {
    Canceled = 1;
}

// Waits up to 120 seconds for the backend's job information file, then one more second so
// that the backend can finish writing it. Always 0: the job goes on either way.
int PrinterStatusCheck(char* jobId, int, cups_option_s*) {
    char path[128];
    const int length = snprintf(path, sizeof(path), "%s/Print_%s.log", "/tmp", jobId);
    // A job id too long for the path names no file the backend could write: waiting would
    // only delay the job by two minutes, and a shortened name could be another job's file.
    if (length < 0 || static_cast<size_t>(length) >= sizeof(path))
        return 0;
    for (int tries = 0; tries < 120; ++tries) {
        struct stat info;
        if (stat(path, &info) == 0) {
            sleep(1);
            return 0;
        }
        sleep(1);
    }
    return 0;
}

namespace {

// The job as the driver keeps it from start-up to clean-up.
struct Job {
    int numOptions = 0;
    cups_option_t* options = nullptr;
    ppdfile_s* ppd = nullptr;
    cups_raster_t* raster = nullptr;
    DeviceEntry* device = nullptr;
    int layoutNum = 1;
    int remainParity = 0;
    int pendingCount = 0;
    int pageIndex = 0;
};

enum class PageResult { Done, Canceled };

const int kMaxSlots = PhotoImageBuffer::kSlots;

// The largest page buffer the driver makes. The largest print, 8 x 12 inch at 600 dpi, needs
// about 100 MB; a header asking for more than 1 GiB is broken or hostile, and its page is
// skipped so that the filter's memory stays bounded whatever the raster says.
const uint64_t kMaxPageBytes = uint64_t(1) << 30;

// Control commands, then the sheet itself. The result of the sheet is not looked at: a
// sheet that could not be sent is dropped with the batch.
void FlushBatch(Job& job, int count) {
    DeviceEntry* device = job.device;
    device->SendCutterMode(job.numOptions, job.options, job.ppd);
    device->SendOvercoatFinish(job.numOptions, job.options, job.ppd);
    device->SendPrintRetry(job.numOptions, job.options, job.ppd);
    device->SendPrintSpeed(job.numOptions, job.options, job.ppd);
    device->SendDecurl(job.numOptions, job.options, job.ppd);
    device->SendImageData(count);
}

// Reads and drops the rest of a page whose buffers cannot be made, so that the next page
// header is found where it belongs.
PageResult SkipPage(Job& job, const cups_page_header2_t& header) {
    static unsigned char scratch[65536];
    uint64_t remaining = uint64_t(header.cupsBytesPerLine) * header.cupsHeight;
    while (remaining > 0) {
        unsigned chunk = remaining < sizeof(scratch) ? unsigned(remaining) : sizeof(scratch);
        if (cupsRasterReadPixels(job.raster, scratch, chunk) == 0)
            break;
        remaining -= chunk;
        if (Canceled)
            return PageResult::Canceled;
    }
    return PageResult::Done;
}

void PlaceCopies(Job& job, _tagBITMAPHANDLE* image, int numCopies) {
    for (int i = 0; i < numCopies; ++i) {
        int limit = job.layoutNum;
        if (job.remainParity == 1 && job.pageIndex == 0 && i == 0)
            limit = 1;
        if (limit > kMaxSlots)
            limit = kMaxSlots;
        job.device->SetImageData(job.pendingCount, image);
        ++job.pendingCount;
        if (job.pendingCount >= limit) {
            FlushBatch(job, limit);
            job.pendingCount = 0;
        }
    }
}

// One raster page: rows into a bottom-up 24-bit buffer, the colour chain, the copies.
PageResult ProcessPage(Job& job, const cups_page_header2_t& header) {
    const uint64_t width = header.cupsWidth;
    const uint64_t height = header.cupsHeight;
    const uint64_t stride = ((width * 24 + 31) >> 5) * 4;
    const uint64_t size = stride * height;
    if (size > kMaxPageBytes || width > INT32_MAX || height > INT32_MAX)
        return SkipPage(job, header);

    char* page = static_cast<char*>(calloc(size ? size : 1, 1));
    unsigned char* line = static_cast<unsigned char*>(
        calloc(header.cupsBytesPerLine ? header.cupsBytesPerLine : 1, 1));
    if (page == nullptr || line == nullptr) {
        free(page);
        free(line);
        return SkipPage(job, header);
    }

    // A line shorter than the header's width leaves the rest of its row zero.
    const uint64_t copyBytes =
        header.cupsBytesPerLine < width * 3 ? header.cupsBytesPerLine : width * 3;
    for (uint64_t y = 0; y < height; ++y) {
        if (cupsRasterReadPixels(job.raster, line, header.cupsBytesPerLine) == 0)
            break;
        memcpy(page + (height - 1 - y) * stride, line, copyBytes);
        if (y + 1 < height && Canceled) {
            free(line);
            free(page);
            return PageResult::Canceled;
        }
    }
    free(line);
    if (Canceled) {
        free(page);
        return PageResult::Canceled;
    }

    _tagBITMAPHANDLE* image =
        job.device->MakeImageData(page, long(width), long(height), job.pendingCount);
    // No image at all means the chain could not get its working memory: the page is dropped.
    if (image != nullptr) {
        PlaceCopies(job, image, int(header.NumCopies));
        IL_FreeBitmap(image);
        free(image);
    }
    return PageResult::Done;
}

void ApplySettings(Job& job, char* jobId) {
    DeviceEntry* device = job.device;
    const int n = job.numOptions;
    device->SendSysTime();
    device->SetResolution(n, job.options, job.ppd);
    device->SetMediaSize(n, job.options, job.ppd);
    device->SetBorder(n, job.options, job.ppd);
    device->SetSharpness(n, job.options, job.ppd);
    device->SetGamma(n, job.options, job.ppd);
    device->SetIntensity(n, job.options, job.ppd);
    device->SetContrast(n, job.options, job.ppd);
    device->SetSaturation(n, job.options, job.ppd);
    device->SetColorAdjustment(n, job.options, job.ppd);
    device->SetPaperRotate(n, job.options, job.ppd);
    job.layoutNum = device->GetMultiLayoutNum(jobId);
    job.remainParity = device->GetRemainHalf(jobId) % 2;
}

void RunPages(Job& job) {
    cups_page_header2_t header;
    while (cupsRasterReadHeader2(job.raster, &header)) {
        if (Canceled)
            return;
        if (ProcessPage(job, header) == PageResult::Canceled)
            return;
        ++job.pageIndex;
    }
    if (!Canceled && job.pendingCount > 0)
        FlushBatch(job, job.pendingCount);
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 6 && argc != 7)
        return 1;

    int input = 0;
    if (argc == 7) {
        input = open(argv[6], O_RDONLY);
        if (input < 0) {
            sleep(1);
            return 1;
        }
    }

    Job job;
    job.numOptions = cupsParseOptions(argv[5], 0, &job.options);
    job.ppd = wrappedPpdOpenFile(getenv("PPD"));

    Canceled = 0;
    signal(SIGTERM, CancelJob);

    PrinterStatusCheck(argv[1], job.numOptions, job.options);

    job.raster = cupsRasterOpen(input, CUPS_RASTER_READ);
    job.device = new DeviceEntry_TQ51M;
    if (job.device != nullptr) {
        ApplySettings(job, argv[1]);
        RunPages(job);
    }

    if (job.ppd != nullptr)
        wrappedPpdClose(job.ppd);
    cupsRasterClose(job.raster);
    delete job.device;
    cupsFreeOptions(job.numOptions, job.options);
    return 0;
}
