#include "pty_loop.h"

#include "command_log.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace recsim {

namespace {

int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const auto written = write(signalPipe[1], &byte, 1);
    errno = saved;
}

// Token bucket at a fixed character rate. The bucket holds at most 20 ms worth, so
// a reply after a pause starts with a short burst, as a UART's FIFO would allow, and
// throughput stays at the rate however the wake-ups fall.
class Pacer {
public:
    explicit Pacer(double charsPerSecond)
        : rate_(charsPerSecond), capacity_(std::max(16.0, charsPerSecond * 0.02)), tokens_(capacity_)
    {
    }

    bool unlimited() const { return rate_ <= 0; }

    std::size_t allowance(std::int64_t nowUs)
    {
        if (unlimited()) return SIZE_MAX;
        tokens_ = std::min(capacity_, tokens_ + static_cast<double>(nowUs - lastUs_) * rate_ / 1e6);
        lastUs_ = nowUs;
        return static_cast<std::size_t>(tokens_);
    }

    void spent(std::size_t count)
    {
        if (!unlimited()) tokens_ -= static_cast<double>(count);
    }

    // Milliseconds (rounded up) until `wanted` characters may go.
    int waitMs(std::size_t wanted) const
    {
        if (unlimited()) return 0;
        const double need = std::min(static_cast<double>(wanted), std::max(1.0, rate_ * 0.005)) - tokens_;
        return need <= 0 ? 0 : static_cast<int>(std::ceil(need / rate_ * 1000.0));
    }

private:
    double rate_;
    double capacity_;
    double tokens_;
    std::int64_t lastUs_ = 0;
};

std::int64_t monotonicUs()
{
    using namespace std::chrono;
    static const auto start = steady_clock::now();
    return duration_cast<microseconds>(steady_clock::now() - start).count();
}

// Drops reply bytes the PC never read, as a real port loses what arrived before it was
// closed. The output flush on the master end drops what still waits in the terminal
// layer's buffer on its way to the port (an input flush on the port end alone misses
// it); the input flush on the port end drops what the port already holds.
void dropStaleOutput(int master, int slave)
{
    tcflush(master, TCOFLUSH);
    tcflush(slave, TCIFLUSH);
}

bool installSignals()
{
    if (pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return false;
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    for (int sig : {SIGINT, SIGTERM, SIGHUP}) sigaction(sig, &action, nullptr);
    signal(SIGPIPE, SIG_IGN);
    return true;
}

// The link is replaced only when it is a symbolic link, never a regular file.
bool createLink(const std::string& path, const char* target)
{
    struct stat st {};
    if (lstat(path.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) {
            std::fprintf(stderr, "recorder-sim: %s exists and is not a symbolic link\n", path.c_str());
            return false;
        }
        unlink(path.c_str());
    }
    if (symlink(target, path.c_str()) != 0) {
        std::fprintf(stderr, "recorder-sim: cannot create link %s: %s\n", path.c_str(), std::strerror(errno));
        return false;
    }
    return true;
}

void removeLink(const std::string& path, const char* target)
{
    char buffer[4096];
    const ssize_t n = readlink(path.c_str(), buffer, sizeof buffer - 1);
    if (n > 0 && std::string(buffer, static_cast<std::size_t>(n)) == target) unlink(path.c_str());
}

}  // namespace

namespace {

// The two ends of the pseudo-terminal: the simulator talks on the master, the PC opens
// the slave by its path.
struct Terminal {
    int master = -1;
    int slave = -1;
    std::string slavePath;
};

bool openTerminal(Terminal& t)
{
    t.master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (t.master < 0 || grantpt(t.master) != 0 || unlockpt(t.master) != 0) {
        std::perror("recorder-sim: pseudo-terminal");
        return false;
    }
    const char* name = ptsname(t.master);
    if (!name) {
        std::perror("recorder-sim: ptsname");
        return false;
    }
    t.slavePath = name;
    // Holding the slave open keeps the master readable while the PC closes and reopens
    // the port between exchanges. It is opened before any client, so a client's
    // exclusive open (TIOCEXCL) still keeps other programs out.
    t.slave = open(t.slavePath.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (t.slave < 0) {
        std::perror("recorder-sim: open slave");
        return false;
    }
    termios raw{};
    tcgetattr(t.slave, &raw);
    cfmakeraw(&raw);
    tcsetattr(t.slave, TCSANOW, &raw);
    fcntl(t.master, F_SETFL, fcntl(t.master, F_GETFL) | O_NONBLOCK);
    return true;
}

// Serves the engine on the terminal until a signal arrives.
void serve(RecorderEngine& engine, const Terminal& t, Pacer& pacer)
{
    bool flushBeforeWrite = false;
    char buffer[4096];
    for (;;) {
        const std::int64_t nowUs = monotonicUs();
        const std::int64_t nowMs = nowUs / 1000;
        engine.advance(nowMs);

        const std::string_view pending = engine.pendingOutput();
        const std::size_t allowed = pending.empty() ? 0 : pacer.allowance(nowUs);
        const bool canWrite = !pending.empty() && allowed > 0 && pacer.waitMs(pending.size()) == 0;

        int timeout = -1;
        if (!pending.empty() && !canWrite) timeout = std::max(1, pacer.waitMs(pending.size()));
        if (const auto event = engine.nextEventMs()) {
            const int untilEvent = static_cast<int>(std::clamp<std::int64_t>(*event - nowMs + 1, 0, 60000));
            timeout = timeout < 0 ? untilEvent : std::min(timeout, untilEvent);
        }

        pollfd fds[2] = {{t.master, static_cast<short>(POLLIN | (canWrite ? POLLOUT : 0)), 0},
                         {signalPipe[0], POLLIN, 0}};
        if (poll(fds, 2, timeout) < 0) {
            if (errno == EINTR) continue;
            std::perror("recorder-sim: poll");
            return;
        }
        if (fds[1].revents & POLLIN) return;

        if (fds[0].revents & POLLIN) {
            const ssize_t n = read(t.master, buffer, sizeof buffer);
            if (n > 0) {
                engine.receive(std::string_view(buffer, static_cast<std::size_t>(n)), monotonicUs() / 1000);
                if (engine.takeDiscardRequest()) {
                    dropStaleOutput(t.master, t.slave);
                    flushBeforeWrite = true;
                }
            }
        }
        if (fds[0].revents & POLLOUT) {
            const std::string_view out = engine.pendingOutput();
            const std::size_t count = std::min({out.size(), pacer.allowance(monotonicUs()), sizeof buffer});
            if (count == 0) continue;
            // The kernel moves written bytes along asynchronously: drop once more what may
            // still have been on its way when the command was read.
            if (flushBeforeWrite) {
                dropStaleOutput(t.master, t.slave);
                flushBeforeWrite = false;
            }
            const ssize_t n = write(t.master, out.data(), count);
            if (n > 0) {
                engine.markSent(static_cast<std::size_t>(n));
                pacer.spent(static_cast<std::size_t>(n));
            }
        }
    }
}

}  // namespace

int runPtyLoop(const SimOptions& options)
{
    if (!installSignals()) {
        std::perror("recorder-sim: pipe");
        return 1;
    }
    Terminal terminal;
    if (!openTerminal(terminal)) return 1;

    std::FILE* log = nullptr;
    if (!options.logPath.empty()) {
        log = std::fopen(options.logPath.c_str(), "a");
        if (!log) {
            std::fprintf(stderr, "recorder-sim: cannot open log %s: %s\n", options.logPath.c_str(),
                         std::strerror(errno));
            return 1;
        }
    }
    if (!options.linkPath.empty() && !createLink(options.linkPath, terminal.slavePath.c_str())) return 1;

    std::printf("%s\n", terminal.slavePath.c_str());
    std::fflush(stdout);

    RecorderEngine engine(options.config, QDateTime::currentDateTime());
    engine.onCommand = [&](std::string_view command) {
        if (log) {
            const std::string line = escapeCommand(command);
            std::fprintf(log, "%s\n", line.c_str());
            std::fflush(log);
        }
        if (options.verbose) std::fprintf(stderr, "recorder-sim: <%s>\n", escapeCommand(command).c_str());
    };

    // Endless filler needs some pace even when none was asked for.
    long baud = options.baud;
    if (baud == 0 && options.config.faults.neverSilent) baud = kFillerBaud;
    Pacer pacer(static_cast<double>(baud) / 11.0);
    serve(engine, terminal, pacer);

    if (!options.linkPath.empty()) removeLink(options.linkPath, terminal.slavePath.c_str());
    if (log) std::fclose(log);
    close(terminal.slave);
    close(terminal.master);
    return 0;
}

}  // namespace recsim
