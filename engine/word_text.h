// WordText: the text type of the engine's working strings, and WordBlocks, the
// storage of its word tables; intended for speed. A conversion appends dozens of
// short words to these strings. Here each append is a few moves done inline, and a
// table word is one move of a whole block, where std::u16string calls out of line
// and into the C library's memmove for every word.
//
// What it buys, on BM_ConvertCommand (bench/README.md): the Convert command takes
// about 0.65 times as long as with std::u16string, and about 0.8 times as long as
// with the same inline appends but no blocks.
#pragma once

#include <array>
#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace zorv::engine {

// Characters moved in one step: a word of up to this many characters is copied as a
// single block of 32 bytes, whatever its length.
inline constexpr std::size_t kBlockChars = 16;

// A word stored at the start of a block of kBlockChars characters, so that the whole
// block may be read from its first character (WordBlocks keeps its words so).
class Word {
public:
    constexpr Word(const char16_t* block, std::size_t size) : block_(block), size_(size) {}
    constexpr operator std::u16string_view() const { return {block_, size_}; }  // NOLINT: a text
    [[nodiscard]] constexpr const char16_t* block() const { return block_; }
    [[nodiscard]] constexpr std::size_t size() const { return size_; }

private:
    const char16_t* block_;
    std::size_t size_;
};

// N words, each at the start of a block of its own. No word may be longer than
// kBlockChars; a longer one fails the build of a constant table.
template <std::size_t N>
class WordBlocks {
public:
    constexpr explicit WordBlocks(std::array<std::u16string_view, N> words) {
        for (std::size_t i = 0; i < N; ++i) {
            if (words[i].size() > kBlockChars) throw "a table word is longer than its block";
            words[i].copy(blocks_[i].data(), words[i].size());
            sizes_[i] = words[i].size();
        }
    }

    [[nodiscard]] constexpr Word operator[](std::size_t i) const { return {blocks_[i].data(), sizes_[i]}; }

private:
    std::array<std::array<char16_t, kBlockChars>, N> blocks_{};
    std::array<std::size_t, N> sizes_{};
};

// A text of 16-bit characters that keeps its storage when emptied, with appends
// that copy short words inline. Views of it stay valid until it is next changed.
// One block of storage beyond the text is always kept, so that words and short
// WordTexts can be moved in whole blocks.
class WordText {
public:
    explicit WordText(std::size_t capacity = 256)
        : storage_(std::make_unique<char16_t[]>(capacity + kBlockChars)), capacity_(capacity) {}

    WordText& operator=(std::u16string_view text) {
        clear();
        append(text);
        return *this;
    }

    void clear() noexcept { size_ = 0; }
    [[nodiscard]] bool empty() const noexcept { return size_ == 0; }
    [[nodiscard]] std::size_t size() const noexcept { return size_; }
    [[nodiscard]] std::u16string_view view() const noexcept { return {storage_.get(), size_}; }
    operator std::u16string_view() const noexcept { return view(); }  // NOLINT: used as a text

    // Appends the texts in order; none may be a view of this WordText. Room for all
    // of them is made at once, so each further text costs only its copy.
    template <typename... Texts>
    WordText& append(const Texts&... texts) {
        const std::size_t n = (std::u16string_view(texts).size() + ...);
        if (n > capacity_ - size_) [[unlikely]] Grow(size_ + n);
        char16_t* at = storage_.get() + size_;
        ((at = Put(at, texts)), ...);
        size_ += n;
        return *this;
    }

private:
    [[gnu::noinline]] void Grow(std::size_t needed) {
        const std::size_t capacity = 2 * needed;
        auto grown = std::make_unique<char16_t[]>(capacity + kBlockChars);
        std::char_traits<char16_t>::copy(grown.get(), storage_.get(), size_);
        storage_ = std::move(grown);
        capacity_ = capacity;
    }

    [[gnu::always_inline]] static char16_t* Put(char16_t* at, std::u16string_view text) {
        CopyChars(at, text.data(), text.size());
        return at + text.size();
    }

    // The block may run past the word: the destination has a block to spare beyond
    // the new text, and whatever lands there is overwritten or lies past the end.
    [[gnu::always_inline]] static char16_t* Put(char16_t* at, Word word) {
        std::memcpy(at, word.block(), kBlockChars * sizeof(char16_t));
        return at + word.size();
    }

    [[gnu::always_inline]] static char16_t* Put(char16_t* at, const WordText& text) {
        if (text.size_ <= kBlockChars) {
            std::memcpy(at, text.storage_.get(), kBlockChars * sizeof(char16_t));
        } else {
            std::char_traits<char16_t>::copy(at, text.storage_.get(), text.size_);
        }
        return at + text.size_;
    }

    // Copies n characters with at most two fixed-size moves for the short words that
    // make up the texts (the two moves overlap when n is not a power of two).
    [[gnu::always_inline]] static void CopyChars(char16_t* to, const char16_t* from, std::size_t n) {
        auto* d = reinterpret_cast<unsigned char*>(to);
        const auto* s = reinterpret_cast<const unsigned char*>(from);
        const std::size_t bytes = n * sizeof(char16_t);
        if (bytes > 32) {
            std::char_traits<char16_t>::copy(to, from, n);
        } else if (bytes >= 16) {
            std::memcpy(d, s, 16);
            std::memcpy(d + bytes - 16, s + bytes - 16, 16);
        } else if (bytes >= 8) {
            std::memcpy(d, s, 8);
            std::memcpy(d + bytes - 8, s + bytes - 8, 8);
        } else if (bytes >= 4) {
            std::memcpy(d, s, 4);
            std::memcpy(d + bytes - 4, s + bytes - 4, 4);
        } else if (bytes == 2) {
            std::memcpy(d, s, 2);
        }
    }

    std::unique_ptr<char16_t[]> storage_;
    std::size_t capacity_;
    std::size_t size_ = 0;
};

}  // namespace zorv::engine
