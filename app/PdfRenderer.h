// SPDX-License-Identifier: Apache-2.0
// PDF documents, rendered page by page by poppler's pdfinfo and pdftoppm (Debian's
// poppler-utils) in child processes with limits on CPU time, memory and file size and a time
// limit, so that a hostile PDF can neither crash nor block the server. No PAPPL here.
#ifndef TQ51M_APP_PDFRENDERER_H
#define TQ51M_APP_PDFRENDERER_H

#include <functional>
#include <string>
#include <vector>

#include "PageFit.h"

namespace tq51m {

class PdfRenderer {
  public:
    // stop is polled while a child runs; when it says so, the child is killed.
    PdfRenderer(std::string path, std::function<bool()> stop);

    // Reads the page count; false with a reason for the user (encrypted, damaged, too slow).
    bool Open(std::string& error);
    int pageCount() const { return m_pages; }

    // Renders page `number` (1 for the first) at xdpi x ydpi into RGB.
    bool Render(int number, int xdpi, int ydpi, RgbImage& page, std::string& error);
    // Renders page `number` scaled to cover the sheet and cut to the sheet's dots: as the page
    // lies, so the sheet's sides are swapped when the page is to be turned (autoTurn and the
    // long sides disagree). The page then needs no resampling. Pages far smaller than the
    // sheet are rendered as Render does.
    bool RenderCovering(int number, const PageGeometry& sheet, bool autoTurn, RgbImage& page,
                        std::string& error);

  private:
    // The page's size in points as rendered, its rotation applied.
    bool PageSize(int number, double& width, double& height, std::string& error);
    // The same, refused with a reason when the page at xdpi x ydpi is far beyond any sheet.
    bool PrintableSize(int number, int xdpi, int ydpi, double& width, double& height,
                       std::string& error);
    bool RunPdfToPpm(int number, const std::vector<std::string>& options, RgbImage& page,
                     std::string& error);

    std::string m_path;
    std::function<bool()> m_stop;
    int m_pages = 0;
    std::string m_firstPageInfo; // what pdfinfo said of page 1 when the document was opened
};

} // namespace tq51m

#endif
