// Byte-level GBK text operations: trimming, splitting on character boundaries,
// byte slices, and the lenient decimal conversions both sides of the script use.
#include "script/text_ops.h"

#include <cstddef>
#include <cstring>

namespace qm {
namespace {

constexpr unsigned char FullWidthSpaceByte = 0xA1;  // a full-width space is A1 A1
constexpr unsigned char FullWidthFormLead = 0xA3;   // A3 A1 .. A3 FE are full-width ASCII

unsigned char ByteAt(std::string_view t, std::size_t i) { return static_cast<unsigned char>(t[i]); }

bool IsLeadByte(unsigned char c) { return c >= 0x80; }

// Whether pos starts a character when stepping from origin, itself a character
// start. A byte below 0x80 always ends a character (a single byte or a trail
// byte), so only the run of lead-range bytes right before pos matters: it is
// made of whole two-byte characters exactly when its length is even.
bool StartsCharacter(std::string_view t, std::size_t origin, std::size_t pos) {
    std::size_t q = pos;
    while (q > origin && IsLeadByte(ByteAt(t, q - 1))) --q;
    return (pos - q) % 2 == 0;
}

// The first c at or after from, or npos. A field is a few bytes long, and a
// plain loop finds its end sooner than a call to memchr.
std::size_t FindByte(std::string_view t, char c, std::size_t from) {
    constexpr std::size_t ShortSpan = 32;
    if (t.size() - from <= ShortSpan) {
        for (std::size_t i = from; i < t.size(); ++i) {
            if (t[i] == c) return i;
        }
        return std::string_view::npos;
    }
    const void* hit = std::memchr(t.data() + from, c, t.size() - from);
    return hit == nullptr ? std::string_view::npos
                          : static_cast<std::size_t>(static_cast<const char*>(hit) - t.data());
}

// The first occurrence of sep (not empty) at or after from, or npos. Searches
// for sep's last byte: in scripts it is rarer than the first ("；" is A3 BB and
// every label ends in A3 BA).
std::size_t FindBytes(std::string_view t, std::string_view sep, std::size_t from) {
    const std::size_t m = sep.size();
    const char last = sep[m - 1];
    std::size_t at = from + m - 1;
    while (at < t.size()) {
        at = FindByte(t, last, at);
        if (at == std::string_view::npos) return at;
        const std::size_t start = at + 1 - m;
        std::size_t k = 0;
        while (k + 1 < m && t[start + k] == sep[k]) ++k;  // separators are short: no memcmp call
        if (k + 1 == m) return start;
        ++at;
    }
    return std::string_view::npos;
}

// Reads t character by character as ASCII twins: full-width forms A3 A1..A3 FE
// and the full-width space fold to one ASCII byte; every other character that
// is not plain ASCII, and the end of the text, read as -1.
class AsciiTwins {
public:
    explicit AsciiTwins(std::string_view t) : at_(t.data()), end_(t.data() + t.size()) {}

    int Next() {
        if (at_ == end_) return -1;
        const unsigned char c = static_cast<unsigned char>(*at_++);
        if (!IsLeadByte(c)) return c;
        if (at_ == end_) return -1;  // a lone lead byte at the end
        const unsigned char trail = static_cast<unsigned char>(*at_++);
        if (c == FullWidthFormLead && trail >= 0xA1 && trail <= 0xFE) return trail - 0x80;
        if (c == FullWidthSpaceByte && trail == FullWidthSpaceByte) return ' ';
        return -1;
    }

private:
    const char* at_;
    const char* end_;
};

bool IsCWhiteSpace(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Two's-complement reading of a 32-bit pattern, without an out-of-range cast.
std::int32_t ToSigned(std::uint32_t v) {
    if (v <= 0x7FFFFFFFu) return static_cast<std::int32_t>(v);
    return -static_cast<std::int32_t>(~v) - 1;
}

// Calls cut(at) for every position where sep (not empty) stands on a
// character boundary, scanning as SplitText describes: stepping restarts right
// after each cut.
template <typename Cut>
void ForEachCut(std::string_view t, std::string_view sep, Cut&& cut) {
    std::size_t known = 0;  // a character start, at or after the last cut
    for (;;) {
        const std::size_t at = FindBytes(t, sep, known);
        if (at == std::string_view::npos) return;
        if (StartsCharacter(t, known, at)) {
            cut(at);
            known = at + sep.size();
        } else {
            // The match begins on a trail byte, so the character before it
            // started one byte earlier and the next one starts right after.
            known = at + 1;
        }
    }
}

}  // namespace

std::string_view TrimSpaces(std::string_view t) {
    const std::size_t n = t.size();
    std::size_t begin = 0;
    while (begin < n) {
        if (t[begin] == ' ') {
            ++begin;
        } else if (begin + 1 < n && ByteAt(t, begin) == FullWidthSpaceByte &&
                   ByteAt(t, begin + 1) == FullWidthSpaceByte) {
            begin += 2;
        } else {
            break;
        }
    }

    // Trailing spaces can only lie in the final run of space and A1 bytes.
    // Find where a character starts in that run, then step through it, since
    // its first A1 may be the trail of the character before it.
    std::size_t run = n;
    while (run > begin && (t[run - 1] == ' ' || ByteAt(t, run - 1) == FullWidthSpaceByte)) --run;
    std::size_t i = run;
    std::size_t end = run;  // just past the last character that is not a space
    if (i < n && !StartsCharacter(t, begin, i)) end = ++i;
    while (i < n) {
        if (t[i] == ' ') {
            ++i;
        } else if (i + 1 < n && ByteAt(t, i + 1) == FullWidthSpaceByte) {
            i += 2;
        } else {
            // A1 followed by a space is one character, and a lone A1 at the
            // end is one too; neither is a space.
            i += (i + 1 < n) ? 2 : 1;
            end = i;
        }
    }
    return t.substr(begin, end - begin);
}

std::vector<std::string_view> SplitText(std::string_view t, std::string_view sep) {
    std::vector<std::string_view> pieces;
    if (t.empty()) return pieces;
    if (sep.empty()) {  // nothing to cut at: the text stays whole
        pieces.push_back(t);
        return pieces;
    }
    // A whole script has thousands of lines: counting them first costs less
    // than growing the list step by step. A line's four fields need no count.
    std::size_t expected = 4;
    if (t.size() >= 4096) {
        expected = 1;
        ForEachCut(t, sep, [&expected](std::size_t) { ++expected; });
    }
    pieces.reserve(expected);
    std::size_t pieceStart = 0;
    ForEachCut(t, sep, [&](std::size_t at) {
        pieces.push_back(t.substr(pieceStart, at - pieceStart));
        pieceStart = at + sep.size();
    });
    if (pieceStart < t.size()) pieces.push_back(t.substr(pieceStart));
    return pieces;
}

std::string_view RightBytes(std::string_view t, std::int64_t n) {
    if (n <= 0) return {};
    if (static_cast<std::uint64_t>(n) >= t.size()) return t;
    return t.substr(t.size() - static_cast<std::size_t>(n));
}

std::int32_t TextToInt(std::string_view t) {
    AsciiTwins chars(t);
    int c = chars.Next();
    while (IsCWhiteSpace(c)) c = chars.Next();
    const bool negative = c == '-';
    if (c == '+' || c == '-') c = chars.Next();
    std::uint32_t value = 0;  // unsigned, so overflow wraps modulo 2^32
    while (c >= '0' && c <= '9') {
        value = value * 10u + static_cast<std::uint32_t>(c - '0');
        c = chars.Next();
    }
    return ToSigned(negative ? 0u - value : value);
}

Text IntToText(std::int32_t n) {
    char digits[11];
    char* const end = digits + sizeof digits;
    char* p = end;
    // The magnitude as unsigned, so INT32_MIN needs no special case.
    std::uint32_t m = n < 0 ? 0u - static_cast<std::uint32_t>(n) : static_cast<std::uint32_t>(n);
    do {
        *--p = static_cast<char>('0' + m % 10u);
        m /= 10u;
    } while (m != 0);
    Text text;
    text.reserve(static_cast<std::size_t>(end - p) + 1);
    if (n < 0) text.push_back('-');
    text.append(p, end);
    return text;
}

bool TextEquals(const std::optional<Text>& a, const std::optional<Text>& b) {
    const std::string_view av = a ? std::string_view(*a) : std::string_view();
    const std::string_view bv = b ? std::string_view(*b) : std::string_view();
    return av == bv;
}

}  // namespace qm
