// Reading zorv-words' standard input: lines cut from large blocks, each held up to a bound.
#pragma once

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <string>
#include <string_view>

#include <zorv/words.hpp>

namespace zorv::cli {

// The UTF-8 encoding signature some editors put at the start of a file.
inline constexpr std::string_view kUtf8Signature = "\xEF\xBB\xBF";

// The most of one line that is held. A longer line is handed out as its first
// kLongestLine bytes, marked as cut, and the rest of it is read and dropped, so that
// memory stays bounded whatever the input, /dev/zero included. The classic answer
// to such a line is "Overflow" (the converter answers every text of 65,535
// characters or more so); every other mode refuses it as too long, since its
// beginning may name another number than the whole.
inline constexpr std::size_t kLongestLine = zorv::Speller::kLongestText;

// Reads lines and hands each to `onLine(line, cut)`, `cut` true for a line longer
// than kLongestLine: "\n" ends a line, a "\r" before it is dropped, and the last
// line may lack its "\n". A UTF-8 signature at the very start
// of the stream is not part of the first line. `read(buffer, size)` supplies the
// bytes as read(2) does: a count, 0 at the end, -1 on an error; it is called only
// once every complete line read so far has been handed out. Returns false on a
// read error.
template <typename Read, typename OnLine>
bool ForEachLine(Read&& read, OnLine&& onLine) {
    std::string buffer(std::size_t{1} << 16, '\0');
    std::size_t begin = 0;    // first byte not yet handed out
    std::size_t scanned = 0;  // bytes from begin known to hold no "\n"
    std::size_t end = 0;      // end of the bytes read
    bool first = true;
    bool dropping = false;    // within a line handed out at its first kLongestLine bytes
    const auto hand = [&](std::string_view line, bool cut) {
        if (first && line.starts_with(kUtf8Signature)) line.remove_prefix(kUtf8Signature.size());
        first = false;
        if (!cut && !line.empty() && line.back() == '\r') line.remove_suffix(1);
        onLine(line, cut);
    };
    for (;;) {
        const char* const data = buffer.data();
        if (dropping) {
            const void* newline = std::memchr(data + begin, '\n', end - begin);
            dropping = newline == nullptr;
            begin = dropping ? end : static_cast<std::size_t>(static_cast<const char*>(newline) - data) + 1;
            scanned = 0;
        }
        while (const void* newline = std::memchr(data + begin + scanned, '\n', end - begin - scanned)) {
            const auto at = static_cast<std::size_t>(static_cast<const char*>(newline) - data);
            hand(std::string_view(data + begin, at - begin), false);
            begin = at + 1;
            scanned = 0;
        }
        scanned = end - begin;
        if (scanned >= kLongestLine) {
            hand(std::string_view(data + begin, kLongestLine), true);
            begin += kLongestLine;
            dropping = true;
            continue;
        }
        // Keep the unfinished line at the front, with room to read more after it.
        if (begin > 0) {
            std::memmove(buffer.data(), data + begin, end - begin);
            end -= begin;
            begin = 0;
        }
        if (end == buffer.size()) buffer.resize(2 * buffer.size());
        const auto count = read(buffer.data() + end, buffer.size() - end);
        if (count < 0) return false;
        if (count == 0) break;
        end += static_cast<std::size_t>(count);
    }
    if (end > begin && !dropping) hand(std::string_view(buffer.data() + begin, end - begin), false);
    return true;
}

// Set by SIGINT and SIGTERM once StopReadingOnSignals is called: reading stops, and
// the lines read so far are answered and written out before the program ends.
inline volatile std::sig_atomic_t stopRequested = 0;

// Makes SIGINT and SIGTERM end the reading of standard input (ReadStandardInput then
// fails) instead of the program, so that no answer to a line already read is lost
// in a buffer. A read that waits is interrupted: no SA_RESTART.
inline void StopReadingOnSignals() {
    struct sigaction action {};
    action.sa_handler = [](int) { stopRequested = 1; };
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

// Whether a signal asked the run to stop.
inline bool StopRequested() { return stopRequested != 0; }

// read(2) on standard input, again when a signal interrupts it, unless the signal
// asked to stop: then -1 with errno EINTR. When no input is at hand, the read may
// wait for a program that writes its next line only once it has the answers to the
// lines before, so those answers are written out first, by `writeOut`.
template <typename WriteOut>
ssize_t ReadStandardInput(WriteOut&& writeOut, char* buffer, std::size_t size) {
    pollfd input{STDIN_FILENO, POLLIN, 0};
    if (poll(&input, 1, 0) == 0) writeOut();
    ssize_t count = 0;
    do {
        if (StopRequested()) {
            errno = EINTR;
            return -1;
        }
        count = read(STDIN_FILENO, buffer, size);
    } while (count < 0 && errno == EINTR);
    return count;
}

}  // namespace zorv::cli
