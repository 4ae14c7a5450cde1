// SPDX-License-Identifier: Apache-2.0
#ifndef TQ51M_COMMON_H
#define TQ51M_COMMON_H

#include <cstdio>
#include <functional>
#include <string>

#include <cups/cups.h>

// The filter's own PPD reader: the open PPD text and the value of the last lookup.
struct ppdfile_s {
    FILE* fp;
    char defChoice[256];
};

// Opens the PPD at path; the record is returned even when the file cannot be opened (then
// every lookup gives null). Null only for a null path or when memory runs out.
ppdfile_s* wrappedPpdOpenFile(const char* path);
void wrappedPpdClose(ppdfile_s* ppd);
// The word after "*Default<keyword>: " on the first such line, or null. The result lives in
// ppd->defChoice until the next lookup.
char* wrappedPpdFindDefChoice(ppdfile_s* ppd, const char* keyword);

// A job setting: the job option, for "PageSize" the "media" option, else the PPD default.
char* _GetCupsValue(const char* keyword, int numOptions, cups_option_s* options, ppdfile_s* ppd);

void _StoreLE2(void* p, int value);
void _StoreLE4(void* p, int value);

// Copies the value of key from the backend's job information file of jobId into buf when it
// fits; buf stays unchanged otherwise. Always returns 0.
int _GetValuePrInfoFile(const char* key, const char* jobId, char* buf, int bufSize);
// What the backend's job information file says: absent ("none"), or its two values as text
// exactly as the filter reads them (empty when a key is missing or its value does not fit).
struct JobInfo {
    bool present = false;
    std::string mediaSize;  // MEDIA_SIZE=
    std::string remainHalf; // MEDIA_REMAIN_HALF=
};
// The folder where the backend writes its job information files, "/tmp".
extern const char kJobInfoDir[];
// "<dir>/Print_<jobId>.log": the job information file of jobId.
std::string JobInfoPath(const char* dir, const char* jobId);
// Reads "<dir>/Print_<jobId>.log" with the rules of _GetValuePrInfoFile, one key at a time.
JobInfo ReadJobInfo(const char* dir, const char* jobId);
// The same two values from the text of a job information file read by the caller.
JobInfo ParseJobInfo(const std::string& text);
// Waits up to 120 seconds for "<dir>/Print_<jobId>.log", then one more second so that the
// backend can finish writing it; canceled() is polled before every try. True when the file was
// seen. A path longer than 127 bytes is not waited for.
bool WaitForJobInfo(const char* dir, const char* jobId, const std::function<bool()>& canceled,
                    unsigned (*sleepSeconds)(unsigned) = nullptr);

// Stores the firmware version the filter works with (1.53); 3 for a null pointer, else 0.
int _GetFirmwVersion(long unused, double* version);

#endif
