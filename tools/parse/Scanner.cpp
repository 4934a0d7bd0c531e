#include "Scanner.h"

namespace parse {

namespace {

enum Class : std::uint8_t {
    Space,
    Newline,
    Ident,
    Digit,
    Slash,
    Quote,
    Apostrophe,
    Backslash,
    Dot,
    Other,
    Nul
};

constexpr std::array<Class, 256> makeClasses() {
    std::array<Class, 256> table{};
    for (int c = 0; c < 256; ++c) {
        Class k = Other;
        if (c == 0)
            k = Nul;
        else if (c == '\n' || c == '\r')
            k = Newline;
        else if (c < 0x20 || c == ' ' || c == 0x7f)
            k = Space;
        else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '$' || c >= 0x80)
            k = Ident;
        else if (c >= '0' && c <= '9')
            k = Digit;
        else if (c == '/')
            k = Slash;
        else if (c == '"')
            k = Quote;
        else if (c == '\'')
            k = Apostrophe;
        else if (c == '\\')
            k = Backslash;
        else if (c == '.')
            k = Dot;
        table[static_cast<std::size_t>(c)] = k;
    }
    return table;
}

constexpr std::array<Class, 256> kClasses = makeClasses();

inline Class classOf(char c) {
    return kClasses[static_cast<unsigned char>(c)];
}

inline bool isIdentPart(char c) {
    const Class k = classOf(c);
    return k == Ident || k == Digit;
}

inline bool isIdentCode(char32_t code, bool start) {
    if (code >= 0x80)
        return true;
    const Class k = classOf(static_cast<char>(code));
    return k == Ident || (!start && k == Digit);
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

void appendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xc0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3f));
    } else {
        out += static_cast<char>(0xe0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3f));
        out += static_cast<char>(0x80 | (code & 0x3f));
    }
}

} // namespace

Scanner::Scanner(std::string_view source, Diagnostics& diagnostics)
    : begin_(source.data()), p_(source.data()), end_(source.data() + source.size()),
      diagnostics_(diagnostics) {
    // A UTF-8 byte-order mark would otherwise glue itself to the first word.
    if (source.starts_with("\xEF\xBB\xBF"))
        p_ += 3;
}

Scanner::Escape Scanner::unicodeEscape(const char* at) const {
    // A backslash that is itself escaped by an odd run of backslashes does not start an escape.
    std::size_t run = 0;
    for (const char* q = at; q > begin_ && q[-1] == '\\'; --q)
        ++run;
    if (run % 2 != 0)
        return {};
    const char* q = at + 1;
    if (q >= end_ || *q != 'u')
        return {};
    while (q < end_ && *q == 'u')
        ++q;
    if (end_ - q < 4)
        return {};
    char32_t code = 0;
    for (int i = 0; i < 4; ++i) {
        const int digit = hexValue(q[i]);
        if (digit < 0)
            return {};
        code = code * 16 + static_cast<char32_t>(digit);
    }
    return {code, static_cast<std::size_t>(q + 4 - at)};
}

void Scanner::newline(const char*& at) {
    // CR LF, LF and a lone CR each end one line.
    if (*at == '\r' && at + 1 < end_ && at[1] == '\n')
        ++at;
    ++at;
    ++line_;
}

Token Scanner::next() {
    while (p_ < end_) {
        const char c = *p_;
        switch (classOf(c)) {
        case Space:
            ++p_;
            continue;
        case Nul:
            if (!sawNul_) {
                sawNul_ = true;
                diagnostics_.warn(line_, "NUL bytes: this looks like a binary file, not Java source; the "
                                         "outline may be incomplete");
            }
            ++p_;
            continue;
        case Newline:
            newline(p_);
            continue;
        case Ident:
            return identifier(p_);
        case Digit: {
            Token token{Tok::Literal, 0, line_, {}};
            const char* start = p_;
            number();
            token.text = std::string_view(start, static_cast<std::size_t>(p_ - start));
            return token;
        }
        case Dot:
            if (p_ + 1 < end_ && classOf(p_[1]) == Digit) {
                Token token{Tok::Literal, 0, line_, {}};
                const char* start = p_;
                number();
                token.text = std::string_view(start, static_cast<std::size_t>(p_ - start));
                return token;
            }
            ++p_;
            return {Tok::Punct, '.', line_, {}};
        case Slash:
            if (p_ + 1 < end_ && p_[1] == '/') {
                lineComment();
                continue;
            }
            if (p_ + 1 < end_ && p_[1] == '*') {
                blockComment();
                continue;
            }
            ++p_;
            return {Tok::Punct, '/', line_, {}};
        case Quote: {
            Token token{Tok::Literal, 0, line_, {}};
            const char* start = p_;
            if (end_ - p_ >= 3 && p_[1] == '"' && p_[2] == '"')
                textBlock(line_);
            else
                token.unterminated = !quoted('"', line_);
            token.text = std::string_view(start, static_cast<std::size_t>(p_ - start));
            return token;
        }
        case Apostrophe: {
            Token token{Tok::Literal, 0, line_, {}};
            const char* start = p_;
            if (!quoted('\'', line_))
                p_ = start + 1; // a lone apostrophe: keep the rest of the line as code
            token.text = std::string_view(start, static_cast<std::size_t>(p_ - start));
            return token;
        }
        case Backslash: {
            const Escape escape = unicodeEscape(p_);
            if (escape.length == 0) {
                ++p_;
                return {Tok::Punct, '\\', line_, {}};
            }
            if (isIdentCode(escape.code, true))
                return identifierSlow(p_, {});
            p_ += escape.length;
            if (escape.code == ' ' || escape.code == '\t' || escape.code == '\f' || escape.code == '\n' ||
                escape.code == '\r')
                continue;
            // Punctuation written as an escape; quotes and slashes this way are not worth following.
            return {Tok::Punct, static_cast<char>(escape.code), line_, {}};
        }
        case Other:
            ++p_;
            return {Tok::Punct, c, line_, {}};
        }
    }
    return {Tok::End, 0, line_, {}};
}

Token Scanner::identifier(const char* start) {
    const char* q = start;
    while (q < end_ && isIdentPart(*q))
        ++q;
    if (q < end_ && *q == '\\') {
        const Escape escape = unicodeEscape(q);
        if (escape.length != 0 && isIdentCode(escape.code, false))
            return identifierSlow(q, std::string(start, q));
    }
    p_ = q;
    return {Tok::Ident, 0, line_, std::string_view(start, static_cast<std::size_t>(q - start))};
}

Token Scanner::identifierSlow(const char* at, std::string text) {
    p_ = at;
    while (p_ < end_) {
        if (isIdentPart(*p_)) {
            text += *p_++;
            continue;
        }
        if (*p_ != '\\')
            break;
        const Escape escape = unicodeEscape(p_);
        if (escape.length == 0 || !isIdentCode(escape.code, text.empty()))
            break;
        appendUtf8(text, escape.code);
        p_ += escape.length;
    }
    decoded_.push_back(std::move(text));
    return {Tok::Ident, 0, line_, decoded_.back()};
}

void Scanner::lineComment() {
    p_ += 2;
    while (p_ < end_ && *p_ != '\n' && *p_ != '\r')
        ++p_;
}

void Scanner::blockComment() {
    const std::uint32_t startLine = line_;
    p_ += 2;
    while (p_ < end_) {
        const char c = *p_;
        if (c == '*' && p_ + 1 < end_ && p_[1] == '/') {
            p_ += 2;
            return;
        }
        if (c == '\n' || c == '\r')
            newline(p_);
        else
            ++p_;
    }
    diagnostics_.warn(startLine, "unterminated comment: it runs to the end of the file");
}

bool Scanner::quoted(char quote, std::uint32_t startLine) {
    ++p_;
    while (p_ < end_) {
        const char c = *p_;
        if (c == quote) {
            ++p_;
            return true;
        }
        if (c == '\n' || c == '\r')
            break;
        if (c == '\\' && p_ + 1 < end_ && p_[1] != '\n' && p_[1] != '\r')
            ++p_;
        ++p_;
    }
    // Literals cannot span lines: the line end closes it, so one stray quote spoils one line only.
    diagnostics_.warn(startLine,
                      quote == '"' ? "unterminated string literal" : "unterminated character literal");
    return false;
}

void Scanner::textBlock(std::uint32_t startLine) {
    p_ += 3;
    while (p_ < end_) {
        const char c = *p_;
        if (c == '"' && end_ - p_ >= 3 && p_[1] == '"' && p_[2] == '"') {
            p_ += 3;
            return;
        }
        if (c == '\n' || c == '\r') {
            newline(p_);
            continue;
        }
        if (c == '\\' && p_ + 1 < end_ && p_[1] != '\n' && p_[1] != '\r')
            ++p_;
        ++p_;
    }
    diagnostics_.warn(startLine, "unterminated text block: it runs to the end of the file");
}

void Scanner::number() {
    // Digits, letters, underscores and dots, and a sign right after an exponent letter.
    while (p_ < end_) {
        const char c = *p_;
        if (isIdentPart(c) || c == '.') {
            ++p_;
            continue;
        }
        if ((c == '+' || c == '-') && (p_[-1] == 'e' || p_[-1] == 'E' || p_[-1] == 'p' || p_[-1] == 'P')) {
            ++p_;
            continue;
        }
        break;
    }
}

} // namespace parse
