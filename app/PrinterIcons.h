// SPDX-License-Identifier: Apache-2.0
// The printer's icons, made from the status monitor's printer artwork and built into the
// program.
#ifndef TQ51M_APP_PRINTERICONS_H
#define TQ51M_APP_PRINTERICONS_H

#include <pappl/pappl.h>

namespace tq51m {

void SetPrinterIcons(pappl_pr_driver_data_t* data);

} // namespace tq51m

#endif
