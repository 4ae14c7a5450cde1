// SPDX-License-Identifier: Apache-2.0
#include "JobOrder.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "PrinterState.h"

namespace tq51m {

namespace {

const char kOrderUser[] = "tq51m-printer-app";

struct Waiting {
    int id;
    bool held;
};

} // namespace

void KeepJobsInOrder(pappl_printer_t* printer) {
    PrinterState* state = PrinterState::Of(printer);
    if (state == nullptr)
        return;
    // Collected first: holding or releasing a job inside the iteration would take the
    // printer's lock again.
    std::vector<Waiting> waiting;
    auto context = std::make_pair(state, &waiting);
    papplPrinterIterateActiveJobs(
        printer,
        [](pappl_job_t* job, void* data) {
            auto* context = static_cast<std::pair<PrinterState*, std::vector<Waiting>*>*>(data);
            const ipp_jstate_t jobState = papplJobGetState(job);
            const int id = papplJobGetID(job);
            if (jobState == IPP_JSTATE_PENDING)
                context->second->push_back({id, false});
            else if (jobState == IPP_JSTATE_HELD && context->first->HeldForOrder(id))
                context->second->push_back({id, true});
        },
        &context, 1, INT_MAX);
    std::sort(waiting.begin(), waiting.end(),
              [](const Waiting& a, const Waiting& b) { return a.id < b.id; });
    for (size_t i = 0; i < waiting.size(); ++i) {
        const bool first = i == 0;
        if (first == !waiting[i].held)
            continue;
        pappl_job_t* job = papplPrinterFindJob(printer, waiting[i].id);
        if (job == nullptr)
            continue;
        if (first) {
            state->SetHeldForOrder(waiting[i].id, false);
            papplJobRelease(job, kOrderUser);
        } else if (papplJobHold(job, kOrderUser, "indefinite", 0)) {
            state->SetHeldForOrder(waiting[i].id, true);
        }
    }
}

void ReleaseHeldJobs(pappl_printer_t* printer) {
    PrinterState* state = PrinterState::Of(printer);
    if (state == nullptr)
        return;
    for (int id : state->TakeHeldForOrder())
        if (pappl_job_t* job = papplPrinterFindJob(printer, id))
            papplJobRelease(job, kOrderUser);
}

} // namespace tq51m
