/* Preloaded into tq51m-printer-app and rastertotq51m by run-app-bench: sleep() sleeps as
 * always and appends the seconds it slept to the file named by TQ51M_SLEEP_LOG, so that the
 * job-information waits can be subtracted exactly from each measured job. */
#define _GNU_SOURCE
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

unsigned int sleep(unsigned int seconds) {
    struct timespec want = {(time_t)seconds, 0}, left = {0, 0};
    struct timespec start, end;
    clock_gettime(CLOCK_MONOTONIC, &start);
    while (nanosleep(&want, &left) != 0)
        want = left;
    clock_gettime(CLOCK_MONOTONIC, &end);
    const char* path = getenv("TQ51M_SLEEP_LOG");
    if (path != NULL) {
        char line[64];
        const double slept =
            (double)(end.tv_sec - start.tv_sec) + (end.tv_nsec - start.tv_nsec) / 1e9;
        const int n = snprintf(line, sizeof(line), "%.6f\n", slept);
        const int fd = open(path, O_WRONLY | O_APPEND | O_CLOEXEC);
        if (fd >= 0) {
            if (write(fd, line, (size_t)n) < 0) {
            }
            close(fd);
        }
    }
    return 0;
}
