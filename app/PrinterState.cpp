// SPDX-License-Identifier: Apache-2.0
#include "PrinterState.h"

#include <chrono>

namespace tq51m {

PrinterState* PrinterState::Of(pappl_printer_t* printer) {
    // The application registers one driver, so every extension pointer is a PrinterState.
    pappl_pr_driver_data_t data;
    if (printer == nullptr || papplPrinterGetDriverData(printer, &data) == nullptr)
        return nullptr;
    return static_cast<PrinterState*>(data.extension);
}

bool PrinterState::TakeTurn(const std::function<bool()>& giveUp) {
    std::unique_lock<std::mutex> lock(m_turnMutex);
    // A job's turn ends with a notification; a cancel request notifies no one, so the waiter
    // also looks at giveUp() every quarter of a second.
    while (m_busy) {
        if (giveUp && giveUp())
            return false;
        m_turnFree.wait_for(lock, std::chrono::milliseconds(250));
    }
    m_busy = true;
    return true;
}

void PrinterState::GiveTurn() {
    {
        std::lock_guard<std::mutex> lock(m_turnMutex);
        m_busy = false;
    }
    m_turnFree.notify_one();
}

bool PrinterState::Busy() {
    std::lock_guard<std::mutex> lock(m_turnMutex);
    return m_busy;
}

BackendProcess& PrinterState::NewBackend() {
    m_backend = std::make_unique<BackendProcess>();
    return *m_backend;
}

void PrinterState::EndBackend() {
    m_backend.reset();
}

void PrinterState::Stop() {
    m_stopping = true;
    m_turnFree.notify_all();
}

} // namespace tq51m
