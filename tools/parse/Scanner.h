// Turns Java source bytes into tokens: identifiers (keywords included), literals and single punctuation
// characters. Comments and blanks are dropped; unicode escapes are decoded. Never fails: damaged input
// gives a warning and the best token it can.
#pragma once

#include "Diagnostics.h"

#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

namespace parse {

enum class Tok : std::uint8_t { End, Ident, Literal, Punct };

struct Token {
    Tok kind = Tok::End;
    char ch = 0; // the character of a Punct token
    std::uint32_t line = 0;
    std::string_view text;     // identifier or literal text, decoded
    bool unterminated = false; // a string literal cut off by the end of its line

    bool is(char c) const { return kind == Tok::Punct && ch == c; }
    bool isWord(std::string_view word) const { return kind == Tok::Ident && text == word; }
    bool isIdent() const { return kind == Tok::Ident; }
    bool atEnd() const { return kind == Tok::End; }
};

class Scanner {
public:
    Scanner(std::string_view source, Diagnostics& diagnostics);

    Token next();
    std::uint32_t line() const { return line_; }

private:
    struct Escape {
        char32_t code = 0;
        std::size_t length = 0; // 0: no unicode escape here
    };

    Escape unicodeEscape(const char* at) const;
    void newline(const char*& at);
    Token identifier(const char* start);
    Token identifierSlow(const char* start, std::string text);
    void lineComment();
    void blockComment();
    bool quoted(char quote, std::uint32_t startLine);
    void textBlock(std::uint32_t startLine);
    void number();

    const char* begin_;
    const char* p_;
    const char* end_;
    std::uint32_t line_ = 1;
    Diagnostics& diagnostics_;
    std::deque<std::string> decoded_; // texts of identifiers written with escapes; stable addresses
    bool sawNul_ = false;
};

// A window of tokens over the scanner, for the reader's short look-aheads.
class TokenStream {
public:
    static constexpr std::size_t kLookahead = 256;

    explicit TokenStream(Scanner& scanner) : scanner_(scanner) {}

    const Token& peek(std::size_t ahead = 0) {
        if (ahead >= kLookahead)
            ahead = kLookahead - 1;
        while (count_ <= ahead)
            fill();
        return ring_[(head_ + ahead) % kLookahead];
    }
    Token take() {
        Token token = peek();
        if (!token.atEnd()) {
            head_ = (head_ + 1) % kLookahead;
            --count_;
            previous_ = token;
        }
        return token;
    }
    // The token last taken, for rules like "class after a dot is a class literal".
    const Token& previous() const { return previous_; }

private:
    void fill() { ring_[(head_ + count_++) % kLookahead] = scanner_.next(); }

    Scanner& scanner_;
    std::array<Token, kLookahead> ring_{};
    std::size_t head_ = 0;
    std::size_t count_ = 0;
    Token previous_;
};

} // namespace parse
