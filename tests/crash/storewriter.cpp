#include "storedwrites.h"

#include "common/errors.h"
#include "platform/platform.h"

#include <charconv>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace {

bool toNumber(const char* text, long long& number)
{
    const char* end = text + std::strlen(text);
    const auto [rest, error] = std::from_chars(text, end, number);
    return error == std::errc() && rest == end && number >= 0;
}

// A line goes out whole in one write, unbuffered, so that a kill never leaves an acknowledgement behind in
// a buffer of ours.
bool say(const std::string& line)
{
    const std::string text = line + "\n";
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t count = ::write(STDOUT_FILENO, text.data() + done, text.size() - done);
        if (count < 0)
            return false;
        done += std::size_t(count);
    }
    return true;
}

} // namespace

// store_writer <configDir> loop <first> [lane]
//     Makes the numbered writes first, first + 1, ... of the lane (none by default) until it is killed,
//     printing each number on a line of its own once its write has returned success.
// store_writer <configDir> once <n> <file size limit>
//     Makes write n with files limited to the given size, as on a full disk, and prints "ok" or the error the
//     program would report.
int main(int argc, char** argv)
{
    long long first = 0;
    if (argc < 4 || !toNumber(argv[3], first))
        return 2;
    const std::string mode = argv[2];
    platform::Platform platform(
        platform::Context{argv[1], [](const std::string& message) { std::fprintf(stderr, "%s\n", message.c_str()); }});
    if (mode == "loop" && argc <= 5) {
        const QString lane = argc == 5 ? QString::fromLocal8Bit(argv[4]) : QString();
        for (long long n = first;; ++n) {
            try {
                StoredWrites::write(platform, n, lane);
            } catch (const TrombusError& error) {
                std::fprintf(stderr, "write %lld failed: %s\n", n, error.what());
                return 1;
            }
            if (!say(std::to_string(n)))
                return 1;
        }
    }
    long long limit = 0;
    if (mode != "once" || argc != 5 || !toNumber(argv[4], limit))
        return 2;
    // Past the limit a write fails with EFBIG, as on a full disk, instead of the process being stopped.
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit small{rlim_t(limit), rlim_t(limit)};
    if (setrlimit(RLIMIT_FSIZE, &small) != 0)
        return 1;
    try {
        StoredWrites::write(platform, first);
    } catch (const TrombusError& error) {
        return say(error.what()) ? 0 : 1;
    }
    return say("ok") ? 0 : 1;
}
