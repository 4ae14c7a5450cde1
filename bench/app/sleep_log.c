// SPDX-License-Identifier: Apache-2.0
/* Preloaded by run-app-bench. Into tq51m-printer-app and rastertotq51m: sleep() sleeps as
 * always and appends the seconds it slept to the file named by TQ51M_SLEEP_LOG, so that the
 * job-information waits can be subtracted exactly from each measured job. Into the backend:
 * the first read of standard input that returns data appends the wall-clock time to the file
 * named by TQ51M_FIRST_BYTE_LOG, the time the first byte of the job reached the printer. */
#define _GNU_SOURCE
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

static void append_line(const char* path, const char* line, int length) {
    const int fd = open(path, O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd >= 0) {
        if (write(fd, line, (size_t)length) < 0) {
        }
        close(fd);
    }
}

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
        append_line(path, line, snprintf(line, sizeof(line), "%.6f\n", slept));
    }
    return 0;
}

static int first_byte_seen;

ssize_t read(int fd, void* buffer, size_t count) {
    const ssize_t n = syscall(SYS_read, fd, buffer, count);
    if (fd == 0 && n > 0 && !first_byte_seen) {
        first_byte_seen = 1;
        const char* path = getenv("TQ51M_FIRST_BYTE_LOG");
        if (path != NULL) {
            struct timespec now;
            clock_gettime(CLOCK_REALTIME, &now);
            char line[64];
            append_line(path, line,
                        snprintf(line, sizeof(line), "%lld.%09ld\n", (long long)now.tv_sec,
                                 now.tv_nsec));
        }
    }
    return n;
}
