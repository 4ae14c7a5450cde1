// SPDX-License-Identifier: Apache-2.0
// rastertotq51m: CUPS raster filter for the TQ-51M. Reads 24-bit raster pages, runs each
// through the colour chain, collects the prints of a media sheet and writes the sheet as
// framed printer commands on standard output. It writes nothing else.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

#include <cups/raster.h>

#include "PrintJob.h"

volatile sig_atomic_t Canceled = 0;

void CancelJob(int) {
    Canceled = 1;
}

// Waits up to 120 seconds for the backend's job information file, then one more second so
// that the backend can finish writing it. Always 0: the job goes on either way.
int PrinterStatusCheck(char* jobId, int, cups_option_s*) {
    WaitForJobInfo(kJobInfoDir, jobId, [] { return Canceled != 0; });
    return 0;
}

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

    JobSettings settings = JobSettings::FromCups(argv[5], getenv("PPD"));

    Canceled = 0;
    signal(SIGTERM, CancelJob);

    PrinterStatusCheck(argv[1], settings.numOptions(), settings.options());

    cups_raster_t* raster = cupsRasterOpen(input, CUPS_RASTER_READ);
    FileSink output(stdout);
    {
        PrintJob job(std::move(settings), ReadJobInfo(kJobInfoDir, argv[1]), output,
                     [] { return Canceled != 0; });
        if (job.Start())
            job.RunRaster(raster);
    }
    cupsRasterClose(raster);
    return 0;
}
