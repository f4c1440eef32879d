// CKRegExp: the editor's one search object. It holds a compiled search (a regular
// expression or a literal text, both in InternalText, i.e. Shift_JIS-2004 bytes) and finds
// it in a zero-terminated InternalText. No exception leaves any member.
//
// Characters. A byte 0x81-0x9F or 0xE0-0xFC followed by a byte 0x40-0x7E or 0x80-0xFC is
// one double-byte character; every other byte is a character by itself. A match always
// starts and ends on a character boundary, so "\" never matches the second byte of
// "ソ" (0x83 0x5C).
//
// Regular-expression syntax (Read(pattern, true)):
//   x          a character (single- or double-byte) stands for itself
//   \t \n \r \f \v \e   tab, line feed, carriage return, form feed, vertical tab, escape
//   \xHH       the single-byte character HH (a lead byte only where it stands alone);
//              \ followed by ASCII punctuation or any non-ASCII character: that character
//   .          any character except CR and LF
//   [abc] [^abc] [a-z] [ぁ-ん]   classes, double-byte characters and ranges allowed;
//              "]" first and "-" first or last are literal; \d \w \s and escapes inside;
//              a negated class matches CR and LF (unlike ".")
//   \d \D      ASCII digit, and its complement
//   \w \W      word character: ASCII letters, digits and "_", half-width katakana,
//              full-width digits and Latin, Greek, Cyrillic, hiragana, katakana, "ー",
//              "々" and the kanji rows; and its complement
//   \s \S      space, \t \n \r \f \v and the full-width space; and its complement
//   ^ $        start and end of a line: the text's ends and around CR LF, lone CR, lone LF
//   \A \z      start and end of the whole text
//   \b \B      word boundary and its complement (by \w)
//   (x)        a group, numbered by its "(" from the left; GetGroups reports groups 1-9
//   (?:x)      grouping only
//   x|y        alternation, the left alternative preferred
//   x* x+ x? x{n} x{n,} x{n,m}   greedy repetition (n, m at most 1000); add ? for lazy
//   (?i) (?-i) (?i:x)   ignore letter case (ASCII and full-width Latin) from here to the
//              end of the enclosing group, or inside x only
// Among the matches the leftmost wins; among those starting there, the one that Perl
// would pick, except that a pass of an unbounded repetition that matches nothing is
// dropped in favour of the pass's other ways: "(|a)*" takes "aa" from "aa", where Perl
// stops at "".
// Matching time is linear in the length of the text for every pattern.
//
// Empty matches. A regular expression such as "x*" can match an empty text. Find then
// returns its position and GetHitText() returns "". Searching again from that same
// position finds the same empty match; a caller that repeats a search (replace all, F3)
// must move on by one character after an empty match: SjisNextCharOffset (regex/SjisChar.h)
// gives the next character boundary. An empty search text (literal or regular) finds nothing.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

// Why the last Read could not compile its pattern (GetError). A bad pattern finds nothing.
enum RegExpError {
    REGEXP_OK = 0,
    REGEXP_TRAILING_BACKSLASH,  // the pattern ends with a lone "\"
    REGEXP_BAD_ESCAPE,          // "\" before a letter or digit that has no meaning, or a bad \x
    REGEXP_MISSING_BRACKET,     // "[" without its "]"
    REGEXP_BAD_CLASS_RANGE,     // a range whose end comes before its start, or \d as an end
    REGEXP_MISSING_PAREN,       // "(" without its ")"
    REGEXP_UNMATCHED_PAREN,     // ")" without its "("
    REGEXP_NOTHING_TO_REPEAT,   // a quantifier at the start, after "(", "|" or another one
    REGEXP_BAD_REPEAT_COUNT,    // {n,m} with n > m or a count over 1000
    REGEXP_BAD_GROUP,           // "(?" followed by anything but ":", "i", "-i"
    REGEXP_TOO_LARGE,           // the compiled pattern would be too big (nested counts)
};

// Where a match and its groups lie, as byte offsets into the text searched: group 0 is the
// whole match, groups 1-9 the pattern's groups; a group that took no part in the match
// (or that the pattern does not have) is unmatched. A group inside a repetition holds
// what it took on the last pass that reached it.
struct RegExpGroups {
    static constexpr int kCount = 10;
    static constexpr std::size_t kUnmatched = static_cast<std::size_t>(-1);
    std::size_t start[kCount];
    std::size_t end[kCount];
    bool Matched(int n) const { return n >= 0 && n < kCount && start[n] != kUnmatched; }
};

class CKRegExp {
public:
    CKRegExp();  // no pattern: Find returns -1
    virtual ~CKRegExp();

    // Compiles pattern as a regular expression (regularExpression true) or as a literal
    // text, replacing the previous pattern. A null pattern counts as empty. On a bad pattern
    // the object finds nothing and GetError/GetErrorOffset say why. ignoreCase: ASCII and
    // full-width Latin letters match in either case, for literal text as for a regular
    // expression (which reads as if it began with (?i), so (?-i) still turns it off).
    void Read(const char* pattern, bool regularExpression, bool ignoreCase = false);

    // Forward (backward false): the leftmost match starting at or after position.
    // Backward: the match with the greatest start before position, exactly as a forward
    // search from that start would give it (it may end after position).
    // text is zero-terminated InternalText; a position inside a double-byte character is
    // treated as the next boundary; positions outside the text are clamped.
    // Returns the 0-based byte offset of the match, or -1.
    int Find(const char* text, int position, bool backward);
    // The same over the first length bytes of text (zero bytes among them are characters
    // like any other; no terminator is needed). A caller that searches one text many
    // times gives its length once instead of having every search measure it.
    int Find(const char* text, std::size_t length, std::size_t position, bool backward);

    // The matched text of the last successful Find, zero-terminated ("" before any).
    const char* GetHitText() const;
    // Its length in bytes, which counts zero bytes that a length-taking Find matched.
    std::size_t GetHitLength() const { return hitText.size(); }
    // The groups of the last successful Find, worked out now (finding costs nothing for
    // them): text and length must be what that Find searched, unchanged (a zero-terminated
    // Find's length is its strlen). False, groups all unmatched, when the last Find found
    // nothing or text cannot be the one searched. A literal search has only group 0.
    bool GetGroups(const char* text, std::size_t length, RegExpGroups& groups);
    // Capturing groups in the pattern, those beyond 9 included (0 for a literal search).
    int GetGroupCount() const;

    // Beside the members above: why the last Read failed (REGEXP_OK when it compiled),
    // the byte offset in the pattern where the fault was seen, and an English description
    // of an error code for tools and logs.
    int GetError() const;
    int GetErrorOffset() const;
    static const char* DescribeError(int error);

    CKRegExp(const CKRegExp&) = delete;
    CKRegExp& operator=(const CKRegExp&) = delete;

private:
    struct Compiled;
    std::unique_ptr<Compiled> compiled;  // null: no usable pattern
    std::string hitText;
    bool haveHit = false;
    std::size_t hitStart = 0;
    int error = REGEXP_OK;
    int errorOffset = 0;
    // The last Read's arguments: the search code reads the same pattern before every search,
    // and keeping the compiled form keeps the DFA states built so far.
    std::string readPattern;
    bool readRegular = false;
    bool readIgnoreCase = false;
    bool haveRead = false;
};
