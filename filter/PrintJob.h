// SPDX-License-Identifier: Apache-2.0
// The filter's job driver as a library: a job is started with its settings, the job
// information, an output sink and a cancel check; pages are fed from a CUPS raster stream or
// line by line; full sheets go to the sink as soon as they are complete.
#ifndef TQ51M_PRINTJOB_H
#define TQ51M_PRINTJOB_H

#include <cstddef>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include <cups/cups.h>
#include <cups/raster.h>

// JobInfo, ReadJobInfo, WaitForJobInfo and the PPD reader.
#include "Common.h"
// OutputSink, FileSink.
#include "OutputSink.h"

class DeviceEntry;

// Job settings as CUPS option strings ("Resolution" = "600x600dpi", "ZelBorder" = "Enable",
// "media"/"PageSize" = "207x257mm", ...) plus an optional PPD for defaults. Owns both.
class JobSettings {
  public:
    JobSettings();
    ~JobSettings();
    JobSettings(JobSettings&& other) noexcept;
    JobSettings& operator=(JobSettings&& other) noexcept;
    JobSettings(const JobSettings&) = delete;
    JobSettings& operator=(const JobSettings&) = delete;

    // argv[5] of a CUPS filter, and $PPD (null or unreadable: no PPD defaults).
    static JobSettings FromCups(const char* optionText, const char* ppdPath);
    void Set(const char* name, const char* value);
    int numOptions() const { return m_numOptions; }
    cups_option_t* options() const { return m_options; }
    ppdfile_s* ppd() const { return m_ppd; }

  private:
    void Release();

    int m_numOptions = 0;
    cups_option_t* m_options = nullptr;
    ppdfile_s* m_ppd = nullptr;
};

// One print job: settings applied in the filter's fixed order at Start, pages fed one by one,
// batches (sheets) written to the sink as soon as they are full.
class PrintJob {
  public:
    enum class Result { Ok, Canceled };

    // canceled() is polled after each page header, after each row that is not the last, after
    // the rows of a page and at the end of the job. An empty check never cancels.
    PrintJob(JobSettings settings, JobInfo info, OutputSink& sink, std::function<bool()> canceled);
    // The job information comes later: only the prints per sheet and the first sheet's size
    // depend on it, so `info` is called once, when the first print is placed, and may block
    // until the information is there. Reading and colour-processing the first page go on
    // without it.
    PrintJob(JobSettings settings, std::function<JobInfo()> info, OutputSink& sink,
             std::function<bool()> canceled);
    ~PrintJob();
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;

    // Creates the device object and applies the settings; false when memory runs out.
    bool Start();

    // A whole page from a libcups raster stream whose header was just read.
    Result AddRasterPage(cups_raster_t* raster, const cups_page_header2_t& header);
    // Reads every page of the stream, then End(); Canceled when the cancel check stopped it.
    Result RunRaster(cups_raster_t* raster);

    // The same page fed by a caller that decodes its own input: width x height RGB pixels,
    // `copies` prints of it. Lines come top first, each `width * 3` bytes (shorter lines
    // leave the rest of the row zero, as a short raster line does; lines beyond the height
    // are ignored). A page too large for the driver is read and dropped.
    Result BeginPage(unsigned width, unsigned height, unsigned copies);
    Result WriteLine(const unsigned char* rgb, size_t length);
    Result EndPage();

    // Sends a partly filled sheet unless the job was cancelled.
    void End();

    int layoutNum() const;    // prints per sheet (1 until the job information is known)
    int remainParity() const; // remaining half-size prints modulo 2, with the sign
    bool canceled() const;    // the cancel check has stopped the job
    DeviceEntry* device() const;

  private:
    struct State;
    std::unique_ptr<State> m_state;
};

#endif
