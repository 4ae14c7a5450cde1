// SPDX-License-Identifier: Apache-2.0
// Thumbnails of the sheets a job actually sent: the copy of the job's command stream kept in
// the spool folder is decoded once the whole stream has gone to the backend, with the same
// stream reader as the emulator and the inspector, and each sheet is kept as a small PNG file
// in the spool folder. The files live as long as the job stays in the printer's job history.
#ifndef TQ51M_APP_JOBTHUMBNAILS_H
#define TQ51M_APP_JOBTHUMBNAILS_H

#include <string>
#include <thread>

#include <pappl/pappl.h>

namespace tq51m {

// Longest side of a thumbnail in pixels, and the sheets kept per job.
constexpr int kThumbnailSize = 160;
constexpr int kMaxThumbnailsPerJob = 10;

// Decodes one job's command stream on a thread of its own. Decoding waits until the stream is
// complete: decoding the sheets while they are sent would take the processor from the job and
// the backend just when the printer waits for its bytes.
class SheetRecorder {
  public:
    SheetRecorder() = default;
    SheetRecorder(const SheetRecorder&) = delete;
    SheetRecorder& operator=(const SheetRecorder&) = delete;
    ~SheetRecorder();

    // Names the files after the job; false (and nothing recorded) when the folder cannot be
    // had.
    bool Start(pappl_job_t* job);
    // Starts decoding the job's complete command stream, the file at `path`. A stream it
    // cannot read keeps the sheets before the fault; the job goes on.
    void Record(const std::string& path);
    // Waits for the decoder; returns the sheets kept.
    int Finish();
    // Keeps the sheet size and the finish the job printed with, for the jobs page.
    void SetDetails(const std::string& media, const std::string& finish);

  private:
    std::string m_folder;
    int m_printerId = 0;
    int m_jobId = 0;
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
