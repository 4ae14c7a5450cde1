// SPDX-License-Identifier: Apache-2.0
// A printer's ready and default media, each named by its sheet's standard IPP name.
#ifndef TQ51M_APP_PRINTERMEDIA_H
#define TQ51M_APP_PRINTERMEDIA_H

#include <pappl/pappl.h>

namespace tq51m {

// Sets the loaded media and keeps the printer's default media as it was.
bool SetLoadedMedia(pappl_printer_t* printer, const pappl_media_col_t& loaded);

// Renames a default or ready media that names a sheet by another of its names (the sheet with
// its bleed, as state files of older versions name it) to the sheet's standard name.
void UseStandardMediaNames(pappl_printer_t* printer);

} // namespace tq51m

#endif
