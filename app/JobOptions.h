// SPDX-License-Identifier: Apache-2.0
// The driver's IPP job attributes, turned into the option strings of the classic queue's PPD,
// so that the same settings give the same command stream as rastertotq51m. No PAPPL here:
// the mapping is tested and fuzzed on its own.
#ifndef TQ51M_APP_JOBOPTIONS_H
#define TQ51M_APP_JOBOPTIONS_H

#include <string>
#include <utility>
#include <vector>

#include "SheetTable.h"

namespace tq51m {

// PAPPL's own limit for images (MaxImageSize), pixels a side: no page or image beyond it is
// printed.
constexpr unsigned kMaxImageSide = 16384;

// The media types offered, with the finish each one selects.
struct MediaType {
    const char* ipp;    // "photographic-glossy"
    const char* finish; // "Glossy"
};
const std::vector<MediaType>& MediaTypes();

// A vendor attribute of the driver and the PPD option it sets.
struct VendorOption {
    const char* ipp;      // "tq51m-border"
    const char* ppd;      // "ZelBorder"
    const char* label;    // "Border"
    bool isBoolean;       // boolean, else integer
    int minimum, maximum; // integer range
    int defaultValue;     // 0/1 for booleans
};
const std::vector<VendorOption>& VendorOptions();

// What a job asks for, as PAPPL hands it over.
struct JobRequest {
    std::string pageSize; // a PPD page size name, empty when not one of ours
    int xdpi = 300, ydpi = 300;
    std::string mediaType;                                   // IPP media-type keyword
    std::vector<std::pair<std::string, std::string>> vendor; // IPP name, value text
};

using OptionList = std::vector<std::pair<std::string, std::string>>;

// The printer's resolution for a page's: 300 x 600 and 600 x 600 dpi as they are, any other
// 300 x 300 dpi.
void PrintResolution(int xdpi, int ydpi, int& printX, int& printY);

// The PPD options for the request: every option of the classic queue, each with the value
// the PPD would give it (unknown or out-of-range values fall back to the default).
OptionList MapJobOptions(const JobRequest& request);

// The job id the backend is given for a job of a printer: 2,000,000,000 + printer id x
// 100,000 + the job id's last five digits. Far above the ids cupsd hands out, and distinct per
// printer (ids 1 to 999).
long BackendJobId(int printerId, int jobId);

} // namespace tq51m

#endif
