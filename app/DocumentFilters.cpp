// SPDX-License-Identifier: Apache-2.0
#include "DocumentFilters.h"

#include <string>

#include "Driver.h"
#include "JpegReader.h"
#include "PdfRenderer.h"
#include "PngReader.h"
#include "ServerShutdown.h"

namespace tq51m {

namespace {

// A one-page image document, decoded when the driver asks for its page.
class ImagePages : public DocumentPages {
  public:
    using Reader = bool (*)(const char* path, const PageGeometry& sheet, RgbImage& image,
                            std::string& error);
    ImagePages(const char* path, Reader reader) : m_path(path), m_reader(reader) {}
    bool Next(const PageGeometry& sheet, RgbImage& page, std::string& error) override {
        if (m_done)
            return false;
        m_done = true;
        return m_reader(m_path, sheet, page, error);
    }

  private:
    const char* m_path;
    Reader m_reader;
    bool m_done = false;
};

bool ReadPngForSheet(const char* path, const PageGeometry&, RgbImage& image, std::string& error) {
    return ReadPng(path, image, error);
}

// A PDF document, each page rendered at the job's resolution when the driver asks for it.
class PdfPages : public DocumentPages {
  public:
    explicit PdfPages(pappl_job_t* job)
        : m_renderer(papplJobGetFilename(job),
                     [job] { return papplJobIsCanceled(job) || ServerStopping(); }) {}
    bool Next(const PageGeometry& sheet, RgbImage& page, std::string& error) override {
        if (m_next == 0) {
            if (!m_renderer.Open(error))
                return false;
            m_next = 1;
        }
        if (m_next > m_renderer.pageCount())
            return false;
        return m_renderer.Render(m_next++, sheet.xdpi, sheet.ydpi, page, error);
    }

  private:
    PdfRenderer m_renderer;
    int m_next = 0;
};

bool PrintPdf(pappl_job_t* job, pappl_device_t* device, void*) {
    PdfPages pages(job);
    return PrintDocument(job, device, pages);
}

bool PrintJpeg(pappl_job_t* job, pappl_device_t* device, void*) {
    ImagePages pages(papplJobGetFilename(job), ReadJpeg);
    return PrintDocument(job, device, pages);
}

} // namespace

bool PrintPngFile(pappl_job_t* job, pappl_pr_options_t*, pappl_device_t* device) {
    ImagePages pages(papplJobGetFilename(job), ReadPngForSheet);
    return PrintDocument(job, device, pages);
}

void RegisterDocumentFilters(pappl_system_t* system) {
    papplSystemAddMIMEFilter(system, "image/jpeg", kDriverFormat, PrintJpeg, nullptr);
    papplSystemAddMIMEFilter(system, "application/pdf", kDriverFormat, PrintPdf, nullptr);
}

} // namespace tq51m
