// SPDX-License-Identifier: Apache-2.0
// Several IPP clients printing at once to one printer, each taking the next job of a job list,
// submitting it and waiting for it to end. A printer that answers server-error-busy (PAPPL
// prints streamed PWG raster inside the request) or drops the connection gets the request
// again after a growing pause, as CUPS's ipp backend does. Every submission is bounded in tries and
// time.
//
//   ipp_load_client PRINTER-URI CLIENTS JOB-LIST
//
// JOB-LIST lines: "NAME FILE FORMAT [ATTRIBUTE=VALUE ...]" (integers, booleans and keywords
// by their look; "printer-resolution=600x600dpi" as a resolution). Output, one line a job:
// "NAME JOB-ID STATE BUSY-RETRIES"; exit status 0 only when every job completed.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <cups/cups.h>

namespace {

constexpr int kMaxTries = 60;
constexpr int kMaxPauseMs = 5000;
constexpr auto kJobTimeLimit = std::chrono::minutes(10);

struct JobSpec {
    std::string name, file, format;
    std::vector<std::pair<std::string, std::string>> attributes;
};

struct Outcome {
    int jobId = 0;
    std::string state = "not-submitted";
    int busyRetries = 0;
};

bool IsInteger(const std::string& text) {
    size_t i = text[0] == '-' ? 1 : 0;
    return i < text.size() && text.find_first_not_of("0123456789", i) == std::string::npos;
}

void AddAttribute(ipp_t* request, const std::string& name, const std::string& value) {
    if (value == "true" || value == "false") {
        ippAddBoolean(request, IPP_TAG_JOB, name.c_str(), value == "true");
    } else if (IsInteger(value)) {
        ippAddInteger(request, IPP_TAG_JOB, IPP_TAG_INTEGER, name.c_str(), atoi(value.c_str()));
    } else if (name == "printer-resolution") {
        int x = 0, y = 0;
        if (sscanf(value.c_str(), "%dx%ddpi", &x, &y) != 2)
            y = x = atoi(value.c_str());
        ippAddResolution(request, IPP_TAG_JOB, name.c_str(), IPP_RES_PER_INCH, x, y);
    } else {
        ippAddString(request, IPP_TAG_JOB, IPP_TAG_KEYWORD, name.c_str(), nullptr, value.c_str());
    }
}

ipp_t* NewRequest(ipp_op_t op, const std::string& uri) {
    ipp_t* request = ippNewRequest(op);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, "load");
    return request;
}

// Print-Job, again after a pause while the printer is busy; the job id, 0 on failure.
int Submit(http_t* http, const std::string& uri, const std::string& resource, const JobSpec& spec,
           int& busyRetries) {
    int pauseMs = 1000, previousMs = 1000;
    for (int attempt = 0; attempt < kMaxTries; ++attempt) {
        ipp_t* request = NewRequest(IPP_OP_PRINT_JOB, uri);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr,
                     spec.name.c_str());
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_MIMETYPE, "document-format", nullptr,
                     spec.format.c_str());
        for (const auto& attribute : spec.attributes)
            AddAttribute(request, attribute.first, attribute.second);
        ipp_t* response = cupsDoFileRequest(http, request, resource.c_str(), spec.file.c_str());
        const ipp_status_t status = cupsLastError();
        // A busy server may close the connection while the document is still being sent.
        const bool dropped = response == nullptr && status == IPP_STATUS_ERROR_INTERNAL;
        if (dropped)
            httpReconnect2(http, 30000, nullptr);
        int jobId = 0;
        if (ipp_attribute_t* id = ippFindAttribute(response, "job-id", IPP_TAG_INTEGER))
            jobId = ippGetInteger(id, 0);
        ippDelete(response);
        if (status <= IPP_STATUS_OK_EVENTS_COMPLETE && jobId > 0)
            return jobId;
        if (!dropped && status != IPP_STATUS_ERROR_BUSY &&
            status != IPP_STATUS_ERROR_SERVICE_UNAVAILABLE) {
            fprintf(stderr, "%s: %s\n", spec.name.c_str(), cupsLastErrorString());
            return 0;
        }
        ++busyRetries;
        std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
        const int next = std::min(pauseMs + previousMs, kMaxPauseMs);
        previousMs = pauseMs;
        pauseMs = next;
    }
    return 0;
}

std::string WaitForEnd(http_t* http, const std::string& uri, const std::string& resource,
                       int jobId) {
    const auto deadline = std::chrono::steady_clock::now() + kJobTimeLimit;
    while (std::chrono::steady_clock::now() < deadline) {
        ipp_t* request = NewRequest(IPP_OP_GET_JOB_ATTRIBUTES, uri);
        ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", jobId);
        ipp_t* response = cupsDoRequest(http, request, resource.c_str());
        ipp_attribute_t* state = ippFindAttribute(response, "job-state", IPP_TAG_ENUM);
        const int value = state ? ippGetInteger(state, 0) : 0;
        ippDelete(response);
        if (value >= IPP_JSTATE_CANCELED)
            return ippEnumString("job-state", value);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    return "timeout";
}

std::vector<JobSpec> ReadJobs(const char* path) {
    std::vector<JobSpec> jobs;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        JobSpec spec;
        if (!(fields >> spec.name >> spec.file >> spec.format))
            continue;
        std::string pair;
        while (fields >> pair) {
            const size_t equals = pair.find('=');
            if (equals != std::string::npos)
                spec.attributes.emplace_back(pair.substr(0, equals), pair.substr(equals + 1));
        }
        jobs.push_back(spec);
    }
    return jobs;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 4) {
        fprintf(stderr, "usage: ipp_load_client PRINTER-URI CLIENTS JOB-LIST\n");
        return 2;
    }
    const std::string uri = argv[1];
    const int clients = std::max(1, atoi(argv[2]));
    const std::vector<JobSpec> jobs = ReadJobs(argv[3]);
    char scheme[32], user[64], host[256], resource[1024];
    int port = 0;
    if (httpSeparateURI(HTTP_URI_CODING_ALL, uri.c_str(), scheme, sizeof(scheme), user,
                        sizeof(user), host, sizeof(host), &port, resource,
                        sizeof(resource)) < HTTP_URI_STATUS_OK) {
        fprintf(stderr, "ipp_load_client: bad printer URI %s\n", uri.c_str());
        return 2;
    }

    std::vector<Outcome> outcomes(jobs.size());
    std::atomic<size_t> next{0};
    std::vector<std::thread> threads;
    for (int c = 0; c < clients; ++c) {
        threads.emplace_back([&] {
            http_t* http = httpConnect2(host, port, nullptr, AF_UNSPEC,
                                        HTTP_ENCRYPTION_IF_REQUESTED, 1, 30000, nullptr);
            if (http == nullptr)
                return;
            // One job at a time per client, waited for before the next: PAPPL keeps only
            // the last 100 ended jobs, busy answers included.
            for (size_t i; (i = next++) < jobs.size();) {
                outcomes[i].jobId = Submit(http, uri, resource, jobs[i], outcomes[i].busyRetries);
                outcomes[i].state = outcomes[i].jobId
                                        ? WaitForEnd(http, uri, resource, outcomes[i].jobId)
                                        : "refused";
            }
            httpClose(http);
        });
    }
    for (std::thread& thread : threads)
        thread.join();

    bool allCompleted = true;
    for (size_t i = 0; i < jobs.size(); ++i) {
        printf("%s %d %s %d\n", jobs[i].name.c_str(), outcomes[i].jobId, outcomes[i].state.c_str(),
               outcomes[i].busyRetries);
        allCompleted = allCompleted && outcomes[i].state == "completed";
    }
    return allCompleted ? 0 : 1;
}
