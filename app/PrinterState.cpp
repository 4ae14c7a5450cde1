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

bool PrinterState::HeldForOrder(int jobId) {
    std::lock_guard<std::mutex> lock(m_turnMutex);
    return m_heldForOrder.count(jobId) != 0;
}

void PrinterState::SetHeldForOrder(int jobId, bool held) {
    std::lock_guard<std::mutex> lock(m_turnMutex);
    if (held)
        m_heldForOrder.insert(jobId);
    else
        m_heldForOrder.erase(jobId);
}

std::set<int> PrinterState::TakeHeldForOrder() {
    std::lock_guard<std::mutex> lock(m_turnMutex);
    std::set<int> held;
    held.swap(m_heldForOrder);
    return held;
}

BackendProcess& PrinterState::NewBackend() {
    m_backend = std::make_unique<BackendProcess>();
    return *m_backend;
}

void PrinterState::EndBackend() {
    m_backend.reset();
}

void PrinterState::StatusApplied() {
    m_statusChanged.notify_all();
}

bool PrinterState::WaitUntilPrintable(int seconds, const std::function<bool()>& giveUp) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point earliest = Clock::now() + std::chrono::seconds(seconds);
    std::unique_lock<std::mutex> lock(m_statusMutex);
    // A new status wakes the waiter; a cancel request notifies no one, so it also looks at
    // giveUp() every quarter of a second.
    while (Clock::now() < earliest || CannotPrint(m_applied.status)) {
        if (giveUp && giveUp())
            return false;
        m_statusChanged.wait_for(lock, std::chrono::milliseconds(250));
    }
    return true;
}

void PrinterState::Stop() {
    m_stopping = true;
    m_turnFree.notify_all();
    m_statusChanged.notify_all();
}

} // namespace tq51m
