// SPDX-License-Identifier: Apache-2.0
#include "PdfRenderer.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "JobOptions.h"

namespace tq51m {

namespace {

const char kPdfInfo[] = "/usr/bin/pdfinfo";
const char kPdfToPpm[] = "/usr/bin/pdftoppm";
// Limits of one child: CPU seconds, address space, bytes of any file it writes, and the time
// it may take in all.
constexpr rlim_t kCpuSeconds = 30;
constexpr rlim_t kAddressSpace = rlim_t(2048) << 20;
constexpr rlim_t kFileSize = rlim_t(16) << 20;
constexpr std::chrono::seconds kTimeLimit(60);
// The largest page taken from pdftoppm: 100 megapixels, at most 16384 a side.
constexpr unsigned long long kMaxPagePixels = 100000000ULL;
// A page is rendered covering the sheet up to this scale; a smaller page (a stamp-sized
// document) is rendered at the job's resolution and enlarged by the page fitting.
constexpr double kMaxCoverScale = 16.0;
// pdftoppm writes a page of tens of megabytes in pieces of 4 KiB: a pipe of 1 MiB, read a
// mebibyte at a time, wakes the server a few dozen times a page instead of thousands.
constexpr int kPipeBytes = 1 << 20;
constexpr size_t kMaxErrorText = 4096;

struct ChildResult {
    bool started = false;
    bool timedOut = false;
    bool stopped = false;
    bool refused = false; // the output was refused by the reader
    int status = 0;
    std::string errors; // the start of what it wrote on standard error
};

// Runs program with argv under the limits; its standard output goes to `output`, which
// returns false to stop the child.
ChildResult RunChild(const char* program, std::vector<std::string> args,
                     const std::function<bool(const char*, size_t)>& output,
                     const std::function<bool()>& stop) {
    ChildResult result;
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(&arg[0]);
    argv.push_back(nullptr);
    char path[] = "PATH=/usr/bin:/bin";
    char locale[] = "LC_ALL=C";
    char* envp[] = {path, locale, nullptr};

    int out[2], err[2];
    if (pipe2(out, O_CLOEXEC) != 0)
        return result;
    if (pipe2(err, O_CLOEXEC) != 0) {
        close(out[0]);
        close(out[1]);
        return result;
    }
    const pid_t pid = fork();
    if (pid == 0) {
        // Only system calls from here to exec: the server has other threads.
        // The hard limit lies a second beyond the soft one: the renderer gets SIGXCPU (a
        // document that takes too long) instead of an unexplained SIGKILL at the same moment.
        const struct rlimit cpu = {kCpuSeconds, kCpuSeconds + 1};
        const struct rlimit memory = {kAddressSpace, kAddressSpace};
        const struct rlimit file = {kFileSize, kFileSize};
        const struct rlimit core = {0, 0};
        setrlimit(RLIMIT_CPU, &cpu);
        setrlimit(RLIMIT_AS, &memory);
        setrlimit(RLIMIT_FSIZE, &file);
        setrlimit(RLIMIT_CORE, &core);
        const int null = open("/dev/null", O_RDONLY);
        dup2(null, 0);
        dup2(out[1], 1);
        dup2(err[1], 2);
        closefrom(3);
        execve(program, argv.data(), envp);
        _exit(127);
    }
    close(out[1]);
    close(err[1]);
    if (pid < 0) {
        close(out[0]);
        close(err[0]);
        return result;
    }
    result.started = true;

    const auto deadline = std::chrono::steady_clock::now() + kTimeLimit;
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    fcntl(out[0], F_SETPIPE_SZ, kPipeBytes);
    std::vector<char> buffer(static_cast<size_t>(kPipeBytes));
    bool killed = false;
    while (fds[0].fd >= 0 || fds[1].fd >= 0) {
        if (!killed) {
            if (stop && stop())
                result.stopped = true;
            else if (std::chrono::steady_clock::now() > deadline)
                result.timedOut = true;
            if (result.stopped || result.timedOut || result.refused) {
                kill(pid, SIGKILL);
                killed = true;
            }
        }
        const int ready = poll(fds, 2, 200);
        if (ready < 0 && errno != EINTR)
            break;
        for (pollfd& fd : fds) {
            if (fd.fd < 0 || !(fd.revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            const ssize_t n = read(fd.fd, buffer.data(), buffer.size());
            if (n <= 0) {
                if (n < 0 && errno == EINTR)
                    continue;
                close(fd.fd);
                fd.fd = -1;
                continue;
            }
            if (&fd == &fds[0]) {
                if (!killed && !result.refused && !output(buffer.data(), size_t(n)))
                    result.refused = true;
            } else if (result.errors.size() < kMaxErrorText) {
                result.errors.append(buffer.data(), size_t(n));
            }
        }
    }
    if (!killed && result.refused)
        kill(pid, SIGKILL);
    while (waitpid(pid, &result.status, 0) < 0 && errno == EINTR) {
    }
    return result;
}

std::string FirstLine(const std::string& text) {
    std::string line = text.substr(0, text.find('\n'));
    return line.empty() ? "no reason given" : line;
}

// Why a child failed, in words for the user; empty when it ended well.
std::string Failure(const ChildResult& result) {
    if (!result.started)
        return "The PDF renderer cannot be started.";
    if (result.stopped)
        return "Stopped.";
    if (result.timedOut)
        return "The PDF document takes too long to render.";
    if (WIFSIGNALED(result.status)) {
        const int signal = WTERMSIG(result.status);
        if (signal == SIGXCPU)
            return "The PDF document takes too long to render.";
        return std::string("The PDF renderer stopped: ") + strsignal(signal) + ".";
    }
    if (WIFEXITED(result.status) && WEXITSTATUS(result.status) == 127)
        return "The PDF renderer cannot be started.";
    if (!WIFEXITED(result.status) || WEXITSTATUS(result.status) != 0) {
        if (result.errors.find("password") != std::string::npos)
            return "The PDF document is encrypted: it cannot be printed without its password.";
        return "The PDF document cannot be read: " + FirstLine(result.errors);
    }
    return std::string();
}

// A binary PPM (P6, 8 bits) read as it arrives: the header, then the pixels straight into the
// page.
class PpmReader {
  public:
    explicit PpmReader(RgbImage& page) : m_page(page) {}
    bool Add(const char* data, size_t size) {
        size_t i = 0;
        while (!m_inPixels && i < size) {
            const char c = data[i++];
            if (c == ' ' || c == '\n' || c == '\r' || c == '\t') {
                if (!m_token.empty() && !EndToken())
                    return false;
            } else if (m_token.size() < 16) {
                m_token += c;
            } else {
                return false;
            }
        }
        const size_t n = std::min(size - i, m_page.pixels.size() - m_filled);
        if (n < size - i)
            return false;
        std::memcpy(m_page.pixels.data() + m_filled, data + i, n);
        m_filled += n;
        return true;
    }
    bool Complete() const { return m_inPixels && m_filled == m_page.pixels.size(); }

  private:
    bool EndToken() {
        const std::string token = std::move(m_token);
        m_token.clear();
        switch (m_field++) {
        case 0:
            return token == "P6";
        case 1:
        case 2: {
            char* end = nullptr;
            const long value = std::strtol(token.c_str(), &end, 10);
            if (*end != '\0' || value <= 0)
                return false;
            (m_field == 2 ? m_width : m_height) = value;
            return true;
        }
        default:
            if (token != "255")
                return false;
            if (m_width > long(kMaxImageSide) || m_height > long(kMaxImageSide) ||
                (unsigned long long)(m_width) * (unsigned long long)(m_height) > kMaxPagePixels)
                return false;
            m_page.geometry.width = int(m_width);
            m_page.geometry.height = int(m_height);
            try {
                m_page.pixels.assign(size_t(m_width) * size_t(m_height) * 3, 255);
            } catch (const std::bad_alloc&) {
                return false;
            }
            m_inPixels = true;
            return true;
        }
    }

    RgbImage& m_page;
    std::string m_token;
    int m_field = 0;
    long m_width = 0, m_height = 0;
    bool m_inPixels = false;
    size_t m_filled = 0;
};

} // namespace

PdfRenderer::PdfRenderer(std::string path, std::function<bool()> stop)
    : m_path(std::move(path)), m_stop(std::move(stop)) {}

bool PdfRenderer::Open(std::string& error) {
    std::string text;
    const ChildResult result = RunChild(
        kPdfInfo, {"pdfinfo", m_path},
        [&text](const char* data, size_t size) {
            text.append(data, size);
            return text.size() < 65536;
        },
        m_stop);
    error = Failure(result);
    if (error.empty() && result.refused)
        error = "The PDF document cannot be read: its description is too long.";
    if (!error.empty())
        return false;
    const size_t at = text.find("\nPages:");
    m_pages = at == std::string::npos ? 0 : std::atoi(text.c_str() + at + 7);
    if (m_pages <= 0) {
        error = "The PDF document has no pages.";
        return false;
    }
    // Without a page range pdfinfo describes the first page: it need not be asked again.
    m_firstPageInfo = std::move(text);
    return true;
}

bool PdfRenderer::PageSize(int number, double& width, double& height, std::string& error) {
    const std::string n = std::to_string(number);
    std::string info = number == 1 ? m_firstPageInfo : std::string();
    if (info.empty()) {
        const ChildResult sized = RunChild(
            kPdfInfo, {"pdfinfo", "-f", n, "-l", n, m_path},
            [&info](const char* data, size_t size) {
                info.append(data, size);
                return info.size() < 65536;
            },
            m_stop);
        error = Failure(sized);
        if (!error.empty())
            return false;
    }
    const size_t at = info.find(" size:");
    if (at == std::string::npos ||
        sscanf(info.c_str() + at + 6, "%lf x %lf", &width, &height) != 2 || !(width > 0) ||
        !(height > 0)) {
        error = "Page " + n + " of the PDF document has no size.";
        return false;
    }
    // pdftoppm turns the page by its rotation.
    const size_t rot = info.find(" rot:");
    if (rot != std::string::npos && std::abs(std::atoi(info.c_str() + rot + 5)) % 180 == 90)
        std::swap(width, height);
    return true;
}

bool PdfRenderer::PrintableSize(int number, int xdpi, int ydpi, double& width, double& height,
                                std::string& error) {
    // The page's size first: pdftoppm hands out a 1 x 1 page when it cannot allocate the
    // real one, and a page far beyond any sheet is refused before it is rendered.
    if (!PageSize(number, width, height, error))
        return false;
    const double pixelsX = width * xdpi / 72.0, pixelsY = height * ydpi / 72.0;
    if (std::max(pixelsX, pixelsY) > kMaxImageSide + 1.0 ||
        pixelsX * pixelsY > double(kMaxPagePixels)) {
        error = "Page " + std::to_string(number) + " of the PDF document is too large to print.";
        return false;
    }
    return true;
}

bool PdfRenderer::Render(int number, int xdpi, int ydpi, RgbImage& page, std::string& error) {
    double widthPt = 0.0, heightPt = 0.0;
    if (!PrintableSize(number, xdpi, ydpi, widthPt, heightPt, error))
        return false;
    if (!RunPdfToPpm(number, {"-rx", std::to_string(xdpi), "-ry", std::to_string(ydpi)}, page,
                     error))
        return false;
    page.geometry.xdpi = xdpi;
    page.geometry.ydpi = ydpi;
    return true;
}

bool PdfRenderer::RenderCovering(int number, const PageGeometry& sheet, bool autoTurn,
                                 RgbImage& page, std::string& error) {
    double widthPt = 0.0, heightPt = 0.0;
    if (!PrintableSize(number, sheet.xdpi, sheet.ydpi, widthPt, heightPt, error))
        return false;
    // The page's orientation decides as in PlacePage; the sheet is then taken as the page lies.
    const double pageW = widthPt / 72.0, pageH = heightPt / 72.0;
    const double sheetW = double(sheet.width) / sheet.xdpi;
    const double sheetH = double(sheet.height) / sheet.ydpi;
    const bool turned =
        autoTurn && (pageW > pageH) != (sheetW > sheetH) && pageW != pageH && sheetW != sheetH;
    const int cutW = turned ? sheet.height : sheet.width;
    const int cutH = turned ? sheet.width : sheet.height;
    const int dpiX = turned ? sheet.ydpi : sheet.xdpi;
    const int dpiY = turned ? sheet.xdpi : sheet.ydpi;
    const double scale = std::max(cutW / (pageW * dpiX), cutH / (pageH * dpiY));
    if (!(scale <= kMaxCoverScale))
        return Render(number, sheet.xdpi, sheet.ydpi, page, error);
    // The scaled page overhangs the sheet along one side: the middle of it is kept, as
    // PlacePage centres it.
    const double rx = dpiX * scale, ry = dpiY * scale;
    const int x = std::max(0, int((pageW * rx - cutW) / 2.0));
    const int y = std::max(0, int((pageH * ry - cutH) / 2.0));
    char resolution[2][32];
    snprintf(resolution[0], sizeof(resolution[0]), "%.9g", rx);
    snprintf(resolution[1], sizeof(resolution[1]), "%.9g", ry);
    if (!RunPdfToPpm(number,
                     {"-rx", resolution[0], "-ry", resolution[1], "-x", std::to_string(x), "-y",
                      std::to_string(y), "-W", std::to_string(cutW), "-H", std::to_string(cutH)},
                     page, error))
        return false;
    // The page is at the sheet's resolution: a page cut to the sheet's dots lands on them one
    // to one.
    page.geometry.xdpi = dpiX;
    page.geometry.ydpi = dpiY;
    return true;
}

bool PdfRenderer::RunPdfToPpm(int number, const std::vector<std::string>& options, RgbImage& page,
                              std::string& error) {
    const std::string n = std::to_string(number);
    std::vector<std::string> args = {"pdftoppm", "-cropbox", "-f", n, "-l", n};
    args.insert(args.end(), options.begin(), options.end());
    args.push_back(m_path);
    PpmReader reader(page);
    const ChildResult result = RunChild(
        kPdfToPpm, std::move(args),
        [&reader](const char* data, size_t size) { return reader.Add(data, size); }, m_stop);
    error = Failure(result);
    if (error.empty() &&
        (!reader.Complete() || page.geometry.width < 2 || page.geometry.height < 2))
        error = "Page " + n + " of the PDF document cannot be rendered.";
    return error.empty();
}

} // namespace tq51m
