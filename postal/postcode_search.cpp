// SPDX-License-Identifier: MIT
#include "postal/postcode_search.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <utility>

#include "platform/app_error.h"
#include "platform/file_reader.h"
#include "postal/postal_texts.h"
#include "text/cp932.h"

namespace {

// Small enough that a block is still in the cache when it is scanned.
constexpr std::size_t kBlockSize = 128 << 10;

// Collects the matching lines of complete lines handed over block by block.
class LineMatcher {
public:
    LineMatcher(std::string_view key, int positionLimit, std::vector<std::string>& results)
        : key_(key), positionLimit_(static_cast<std::size_t>(positionLimit)), results_(results)
    {
    }

    // `text` holds whole lines: every one ends with LF except, at the end of
    // the file, possibly the last.
    void scan(std::string_view text)
    {
        if (!key_.empty() && positionLimit_ == 1) {
            scanLineStarts(text);
        } else if (key_.empty() || window() <= kShortWindow) {
            scanLineByLine(text);
        } else {
            scanForKey(text);
        }
    }

private:
    // Up to this many bytes, stepping from line to line and looking only at
    // the start of each beats searching the whole text for the key.
    static constexpr std::size_t kShortWindow = 16;
    // The part of the first block whose byte counts choose the anchor.
    static constexpr std::size_t kSampleBytes = 32 << 10;

    // A match must start within the first positionLimit_ bytes, so the rest
    // of a long line need not be looked at.
    std::size_t window() const { return positionLimit_ - 1 + key_.size(); }

    void scanLineByLine(std::string_view text)
    {
        const char* p = text.data();
        const char* const end = p + text.size();
        while (p < end) {
            const char* lf = static_cast<const char*>(std::memchr(p, '\n', end - p));
            const char* lineEnd = lf == nullptr ? end : lf;
            const std::size_t length = lineEnd - p;
            if (occursInWindow(p, length)) {
                consider(std::string_view(p, length));
            }
            p = lineEnd + 1;
        }
    }

    // The prefix search: only lines whose first byte is the key's first byte
    // are looked at. SSE2 finds them sixteen bytes at a time.
    void scanLineStarts(std::string_view text)
    {
#if defined(__SSE2__)
        const char* const data = text.data();
        const std::size_t size = text.size();
        if (size == 0) {
            return;
        }
        if (data[0] == key_[0]) {
            checkLineAt(text, 0);
        }
        const __m128i lineFeed = _mm_set1_epi8('\n');
        const __m128i first = _mm_set1_epi8(key_[0]);
        std::size_t pos = 0;
        for (; pos + 17 <= size; pos += 16) {
            // A bit for each LF at pos + i followed by the key's first byte.
            const auto* block = reinterpret_cast<const __m128i*>(data + pos);
            const auto* next = reinterpret_cast<const __m128i*>(data + pos + 1);
            unsigned starts = static_cast<unsigned>(_mm_movemask_epi8(
                                  _mm_cmpeq_epi8(_mm_loadu_si128(block), lineFeed))) &
                              static_cast<unsigned>(
                                  _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(next), first)));
            for (; starts != 0; starts &= starts - 1) {
                checkLineAt(text, pos + static_cast<std::size_t>(__builtin_ctz(starts)) + 1);
            }
        }
        for (; pos + 1 < size; ++pos) {
            if (data[pos] == '\n' && data[pos + 1] == key_[0]) {
                checkLineAt(text, pos + 1);
            }
        }
#else
        scanLineByLine(text);
#endif
    }

    void checkLineAt(std::string_view text, std::size_t start)
    {
        const char* line = text.data() + start;
        const std::size_t rest = text.size() - start;
        if (!occursInWindow(line, rest)) {
            return;
        }
        const void* lf = std::memchr(line, '\n', rest);
        const std::size_t length = lf == nullptr ? rest : static_cast<const char*>(lf) - line;
        consider(std::string_view(line, length));
    }

    bool occursInWindow(const char* line, std::size_t length) const
    {
        if (key_.empty()) {
            return true;
        }
        const std::size_t span = std::min(length, window());
        for (std::size_t i = 0; i + key_.size() <= span; ++i) {
            if (line[i] == key_[0] && std::memcmp(line + i, key_.data(), key_.size()) == 0) {
                return true;
            }
        }
        return false;
    }

    void scanForKey(std::string_view text)
    {
        if (anchor_ == kNoAnchor) {
            chooseAnchor(text);
        }
        std::size_t from = 0;
        while (from < text.size()) {
            // Only lines holding the key's bytes somewhere are looked at closely.
            const std::size_t hitPos = findBytes(text, from);
            if (hitPos == std::string_view::npos) {
                return;
            }
            const std::size_t lineStart = startOfLine(text, from, hitPos);
            const void* lf = std::memchr(text.data() + hitPos, '\n', text.size() - hitPos);
            const std::size_t lineEnd =
                lf == nullptr ? text.size() : static_cast<const char*>(lf) - text.data();
            consider(text.substr(lineStart, lineEnd - lineStart));
            from = lineEnd + 1;
        }
    }

    // Japanese text repeats a few lead bytes everywhere; memchr on the key's
    // least frequent byte skips far more than a general substring search.
    void chooseAnchor(std::string_view text)
    {
        std::size_t counts[256] = {};
        for (char c : text.substr(0, kSampleBytes)) {
            ++counts[static_cast<unsigned char>(c)];
        }
        anchor_ = 0;
        for (std::size_t i = 1; i < key_.size(); ++i) {
            if (counts[static_cast<unsigned char>(key_[i])] <
                counts[static_cast<unsigned char>(key_[anchor_])]) {
                anchor_ = i;
            }
        }
    }

    // The first byte-wise occurrence of the key at or after `from`, or npos.
    std::size_t findBytes(std::string_view text, std::size_t from) const
    {
        const std::size_t size = text.size();
        std::size_t pos = from + anchor_;
        while (pos + (key_.size() - anchor_) <= size) {
            const void* hit = std::memchr(text.data() + pos, key_[anchor_], size - pos);
            if (hit == nullptr) {
                break;
            }
            pos = static_cast<const char*>(hit) - text.data();
            const std::size_t start = pos - anchor_;
            if (start + key_.size() <= size &&
                std::memcmp(text.data() + start, key_.data(), key_.size()) == 0) {
                return start;
            }
            ++pos;
        }
        return std::string_view::npos;
    }

    static std::size_t startOfLine(std::string_view text, std::size_t from, std::size_t pos)
    {
        const void* lf = ::memrchr(text.data() + from, '\n', pos - from);
        return lf == nullptr ? from : static_cast<const char*>(lf) - text.data() + 1;
    }

    void consider(std::string_view line)
    {
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.empty()) {
            return;
        }
        if (cp932::find(line.substr(0, window()), key_) != std::string_view::npos) {
            results_.emplace_back(line);
        }
    }

    static constexpr std::size_t kNoAnchor = static_cast<std::size_t>(-1);

    std::string_view key_;
    std::size_t positionLimit_;
    std::vector<std::string>& results_;
    // The byte of the key that memchr looks for.
    std::size_t anchor_ = kNoAnchor;
};

}  // namespace

std::vector<std::string> SearchPostcode(const std::string& dictionaryPath, std::string_view key,
                                        int positionLimit)
{
    FileReader file(dictionaryPath, MissingFolder::FileNotFound);
    std::vector<std::string> results;
    if (positionLimit < 1) {
        return results;
    }
    LineMatcher matcher(key, positionLimit, results);

    // `buffer` holds the unfinished last line of the previous block, then the
    // next block; only whole lines are scanned.
    std::string buffer;
    std::size_t filled = 0;
    for (;;) {
        if (buffer.size() < filled + kBlockSize) {
            buffer.resize(filled + kBlockSize);
        }
        const std::size_t n = file.read(buffer.data() + filled, kBlockSize);
        if (n == 0) {
            matcher.scan(std::string_view(buffer.data(), filled));
            return results;
        }
        const std::size_t end = filled + n;
        const void* lastLf = ::memrchr(buffer.data() + filled, '\n', n);
        if (lastLf == nullptr) {
            filled = end;
            continue;
        }
        const std::size_t whole = static_cast<const char*>(lastLf) - buffer.data() + 1;
        matcher.scan(std::string_view(buffer.data(), whole));
        std::memmove(buffer.data(), buffer.data() + whole, end - whole);
        filled = end - whole;
    }
}

std::vector<std::string> SearchPostcodeText(std::string_view dictionary, std::string_view key,
                                            int positionLimit)
{
    std::vector<std::string> results;
    if (positionLimit < 1) {
        return results;
    }
    LineMatcher(key, positionLimit, results).scan(dictionary);
    return results;
}
