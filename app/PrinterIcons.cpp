// SPDX-License-Identifier: Apache-2.0
#include "PrinterIcons.h"

#include "tq51m_icons.h"

namespace tq51m {

void SetPrinterIcons(pappl_pr_driver_data_t* data) {
    data->icons[0].data = kIcon48;
    data->icons[0].datalen = sizeof(kIcon48);
    data->icons[1].data = kIcon128;
    data->icons[1].datalen = sizeof(kIcon128);
    data->icons[2].data = kIcon512;
    data->icons[2].datalen = sizeof(kIcon512);
}

} // namespace tq51m
