// SPDX-License-Identifier: Apache-2.0
// Thumbnails of the sheets a job actually sent: the job's command stream is decoded while it
// goes to the backend, with the same stream reader as the emulator and the inspector, and each
// sheet is kept as a small PNG file in the spool folder. The files live as long as the job
// stays in the printer's job history.
#ifndef TQ51M_APP_JOBTHUMBNAILS_H
#define TQ51M_APP_JOBTHUMBNAILS_H

#include <string>
#include <thread>

#include <pappl/pappl.h>

namespace tq51m {

// Longest side of a thumbnail in pixels, and the sheets kept per job.
constexpr int kThumbnailSize = 160;
constexpr int kMaxThumbnailsPerJob = 10;

// Decodes one job's command stream on a thread of its own, fed through a pipe.
class SheetRecorder {
  public:
    SheetRecorder() = default;
    SheetRecorder(const SheetRecorder&) = delete;
    SheetRecorder& operator=(const SheetRecorder&) = delete;
    ~SheetRecorder();

    // Starts decoding into files named after the job; false (and nothing recorded) when the
    // folder, the pipe or the thread cannot be had.
    bool Start(pappl_job_t* job);
    // The stream's next bytes. A decoder that has stopped (a stream it cannot read) is no
    // longer fed; the job goes on.
    void Write(const void* data, size_t len);
    // Ends the stream and waits for the decoder; returns the sheets kept.
    int Finish();
    // Keeps the sheet size and the finish the job printed with, for the jobs page.
    void SetDetails(const std::string& media, const std::string& finish);

  private:
    std::string m_folder;
    int m_printerId = 0;
    int m_jobId = 0;
    int m_fd = -1;
    std::thread m_thread;
    int m_sheets = 0;
};

// The thumbnail file of a job's sheet (1 for the first); empty when there is none.
std::string ThumbnailPath(pappl_printer_t* printer, int jobId, int sheet);
// The folder of the thumbnails: "thumbnails" in the spool folder of the job's system.
std::string ThumbnailFolder(pappl_job_t* job);
// The sheet size and finish kept by SetDetails; false when there are none.
bool ReadDetails(const std::string& folder, int printerId, int jobId, std::string& media,
                 std::string& finish);
// The thumbnail file of a job's sheet (1 for the first); empty when there is none.
std::string ThumbnailPath(const std::string& folder, int printerId, int jobId, int sheet);
// The sheets of the job with a thumbnail.
int ThumbnailCount(const std::string& folder, int printerId, int jobId);
// Removes the thumbnails of jobs that have left their printer's job history and of printers
// that are gone.
void PruneThumbnails(pappl_job_t* job);

} // namespace tq51m

#endif
