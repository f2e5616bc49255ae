// Reading zorv-words' standard input: lines of any length cut from large blocks.
#pragma once

#include <cstring>
#include <string>
#include <string_view>

namespace zorv::cli {

// The UTF-8 encoding signature some editors put at the start of a file.
inline constexpr std::string_view kUtf8Signature = "\xEF\xBB\xBF";

// Reads lines of any length and hands each to `onLine`: "\n" ends a line, a "\r"
// before it is dropped, and the last line may lack its "\n". A UTF-8 signature at
// the very start of the stream is not part of the first line. `read(buffer, size)`
// supplies the bytes as read(2) does: a count, 0 at the end, -1 on an error; it is
// called only once every complete line read so far has been handed out.
// Memory stays that of the longest line. Returns false on a read error.
template <typename Read, typename OnLine>
bool ForEachLine(Read&& read, OnLine&& onLine) {
    std::string buffer(std::size_t{1} << 16, '\0');
    std::size_t begin = 0;    // first byte not yet handed out
    std::size_t scanned = 0;  // bytes from begin known to hold no "\n"
    std::size_t end = 0;      // end of the bytes read
    bool first = true;
    const auto hand = [&](std::string_view line) {
        if (first && line.starts_with(kUtf8Signature)) line.remove_prefix(kUtf8Signature.size());
        first = false;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        onLine(line);
    };
    for (;;) {
        const char* const data = buffer.data();
        while (const void* newline = std::memchr(data + begin + scanned, '\n', end - begin - scanned)) {
            const auto at = static_cast<std::size_t>(static_cast<const char*>(newline) - data);
            hand(std::string_view(data + begin, at - begin));
            begin = at + 1;
            scanned = 0;
        }
        scanned = end - begin;
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
    if (end > begin) hand(std::string_view(buffer.data() + begin, end - begin));
    return true;
}

}  // namespace zorv::cli
