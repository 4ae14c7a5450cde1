// SPDX-License-Identifier: Apache-2.0
// What a job does when its backend exits, as cupsd reads a backend's exit status: 0 done,
// 1 failed (the printer's error policy decides), 2 authentication needed, 3 hold, 4 stop the
// printer and keep the job, 5 cancel the job, 6 retry the job later, 7 retry it now. No PAPPL
// calls: tested on its own.
#ifndef TQ51M_APP_BACKENDEXIT_H
#define TQ51M_APP_BACKENDEXIT_H

#include <string>

namespace tq51m {

// The printer's "printer-error-policy": what a failed job (exit 1) does.
enum class ErrorPolicy { RetryCurrentJob, RetryJob, StopPrinter, AbortJob };

// The IPP keywords, in the order offered.
extern const char* const kErrorPolicyKeywords[4];
// A photo booth's printer retries the job it was printing: no photo is lost, the guests'
// prints stay in order and nobody has to be there to restart the printer.
constexpr ErrorPolicy kDefaultErrorPolicy = ErrorPolicy::RetryCurrentJob;
// The keyword's policy; the default for anything else.
ErrorPolicy ParseErrorPolicy(const std::string& keyword);

// How many times a job is sent again after failures (exit 1, 6, 7) before it is aborted, as
// cupsd's JobRetryLimit. A printer that stopped (exit 4) waits for as long as it takes.
constexpr int kMaxResends = 5;

struct ExitDecision {
    enum Kind { Complete, Resend, Abort, Cancel } kind = Abort;
    int waitSeconds = 0;         // before the job is sent again
    bool waitForPrinter = false; // also until the status file shows the printer can print
    bool stopPrinter = false;    // the printer stops until the operator resumes it
};

// The decision for an exit status (-1: the backend ended by a signal) after `resends` earlier
// resends of the same job.
ExitDecision DecideAfterExit(int exitStatus, ErrorPolicy policy, int resends);

} // namespace tq51m

#endif
