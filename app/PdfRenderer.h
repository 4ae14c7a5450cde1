// SPDX-License-Identifier: Apache-2.0
// PDF documents, rendered page by page by poppler's pdfinfo and pdftoppm (Debian's
// poppler-utils) in child processes with limits on CPU time, memory and file size and a time
// limit, so that a hostile PDF can neither crash nor block the server. No PAPPL here.
#ifndef TQ51M_APP_PDFRENDERER_H
#define TQ51M_APP_PDFRENDERER_H

#include <functional>
#include <string>

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

  private:
    std::string m_path;
    std::function<bool()> m_stop;
    int m_pages = 0;
};

} // namespace tq51m

#endif
