// SPDX-License-Identifier: Apache-2.0
#include "DocumentFilters.h"

#include <string>

#include "Driver.h"
#include "JpegReader.h"
#include "PdfRenderer.h"
#include "PngReader.h"

namespace tq51m {

namespace {

// A one-page image document, decoded when the driver asks for its page.
class ImagePages : public DocumentPages {
  public:
    using Reader = bool (*)(const char* path, const PageGeometry& sheet, RgbImage& image,
                            std::string& error);
    ImagePages(const char* path, Reader reader) : m_path(path), m_reader(reader) {}
    bool Next(const PageTarget& target, RgbImage& page, std::string& error) override {
        if (m_done)
            return false;
        m_done = true;
        return m_reader(m_path, target.sheet, page, error);
    }

  private:
    const char* m_path;
    Reader m_reader;
    bool m_done = false;
};

bool ReadPngForSheet(const char* path, const PageGeometry&, RgbImage& image, std::string& error) {
    return ReadPng(path, image, error);
}

// A PDF document, each page of the job's page-ranges rendered when the driver asks for it: at
// the scale that covers the sheet and cut to it when the page is to cover the sheet, else at
// the job's resolution.
class PdfPages : public DocumentPages {
  public:
    PdfPages(pappl_job_t* job, const pappl_pr_options_t* options)
        : m_renderer(papplJobGetFilename(job), [job] { return JobMustStop(job); }),
          m_first(options && options->first_page > 0 ? int(options->first_page) : 1),
          m_last(options && options->last_page > 0 ? int(options->last_page) : 0) {}
    bool Next(const PageTarget& target, RgbImage& page, std::string& error) override {
        if (m_next == 0) {
            if (!m_renderer.Open(error))
                return false;
            m_next = m_first;
            if (m_last == 0 || m_last > m_renderer.pageCount())
                m_last = m_renderer.pageCount();
        }
        if (m_next > m_last)
            return false;
        const int number = m_next++;
        if (target.scaling == PageScaling::Auto || target.scaling == PageScaling::Fill)
            return m_renderer.RenderCovering(number, target.sheet, target.autoTurn, page, error);
        return m_renderer.Render(number, target.sheet.xdpi, target.sheet.ydpi, page, error);
    }

  private:
    PdfRenderer m_renderer;
    int m_first, m_last;
    int m_next = 0;
};

bool PrintPng(pappl_job_t* job, pappl_device_t* device, void*) {
    ImagePages pages(papplJobGetFilename(job), ReadPngForSheet);
    return PrintDocument(job, device, pages);
}

bool PrintJpeg(pappl_job_t* job, pappl_device_t* device, void*) {
    ImagePages pages(papplJobGetFilename(job), ReadJpeg);
    return PrintDocument(job, device, pages);
}

} // namespace

bool PrintPdfFile(pappl_job_t* job, pappl_pr_options_t* options, pappl_device_t* device) {
    PdfPages pages(job, options);
    return PrintDocument(job, device, pages);
}

void RegisterDocumentFilters(pappl_system_t* system) {
    papplSystemAddMIMEFilter(system, "image/png", kDriverFormat, PrintPng, nullptr);
    papplSystemAddMIMEFilter(system, "image/jpeg", kDriverFormat, PrintJpeg, nullptr);
}

} // namespace tq51m
