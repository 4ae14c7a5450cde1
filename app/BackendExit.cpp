// SPDX-License-Identifier: Apache-2.0
#include "BackendExit.h"

namespace tq51m {

const char* const kErrorPolicyKeywords[4] = {"retry-current-job", "retry-job", "stop-printer",
                                             "abort-job"};

ErrorPolicy ParseErrorPolicy(const std::string& keyword) {
    for (int i = 0; i < 4; ++i)
        if (keyword == kErrorPolicyKeywords[i])
            return ErrorPolicy(i);
    return kDefaultErrorPolicy;
}

namespace {

// cupsd's JobRetryInterval: a job to be retried later waits 30 seconds.
constexpr int kRetryLaterSeconds = 30;
// A failed job is sent again after a short pause, once the printer can print.
constexpr int kRetryCurrentSeconds = 5;
// The status file is read every 2 seconds.
constexpr int kStoppedSeconds = 3;

ExitDecision Resend(int waitSeconds, bool waitForPrinter, bool stopPrinter = false) {
    ExitDecision decision;
    decision.kind = ExitDecision::Resend;
    decision.waitSeconds = waitSeconds;
    decision.waitForPrinter = waitForPrinter;
    decision.stopPrinter = stopPrinter;
    return decision;
}

ExitDecision Just(ExitDecision::Kind kind) {
    ExitDecision decision;
    decision.kind = kind;
    return decision;
}

} // namespace

ExitDecision DecideAfterExit(int exitStatus, ErrorPolicy policy, int resends) {
    const bool triesLeft = resends < kMaxResends;
    switch (exitStatus) {
    case 0:
        return Just(ExitDecision::Complete);
    case 1:
        switch (policy) {
        case ErrorPolicy::AbortJob:
            return Just(ExitDecision::Abort);
        case ErrorPolicy::StopPrinter:
            return Resend(0, true, true);
        case ErrorPolicy::RetryJob:
            return triesLeft ? Resend(kRetryLaterSeconds, true) : Just(ExitDecision::Abort);
        case ErrorPolicy::RetryCurrentJob:
            return triesLeft ? Resend(kRetryCurrentSeconds, true) : Just(ExitDecision::Abort);
        }
        return Just(ExitDecision::Abort);
    case 4:
        // At least one new reading of the status file before the job goes again.
        return Resend(kStoppedSeconds, true);
    case 5:
        return Just(ExitDecision::Cancel);
    case 6:
        return triesLeft ? Resend(kRetryLaterSeconds, true) : Just(ExitDecision::Abort);
    case 7:
        return triesLeft ? Resend(0, false) : Just(ExitDecision::Abort);
    default: // 2 and 3 (a started job cannot be held in PAPPL 1.3.1), signals, unknown codes
        return Just(ExitDecision::Abort);
    }
}

} // namespace tq51m
