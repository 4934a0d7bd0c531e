// Reads the token stream once, top to bottom, and records named types and their members in an Outline.
// Method bodies, initializers and expressions are walked by bracket counting, looking only for the local
// types declared in them; look-ahead is a few tokens, never a re-read of the file.
#pragma once

#include "Diagnostics.h"
#include "Outline.h"
#include "Scanner.h"

#include <string>
#include <vector>

namespace parse {

class Reader {
public:
    Reader(TokenStream& tokens, Diagnostics& diagnostics, Outline& outline);

    void compilationUnit();

private:
    enum class Kind { Class, Interface, Enum, Record, Annotation };

    struct Modifiers {
        std::string_view access; // public, protected or private as written
    };
    struct TypeText {
        std::string text;   // erased: type arguments and annotations left out
        bool simple = true; // one plain identifier
        std::uint32_t line = 0;
        bool ok = false;
    };
    struct Parameter {
        std::string type;
        std::string_view name;
        std::uint32_t line = 0;
    };

    void typeDeclaration(Kind kind, TypeOutline* parent);
    void typeBody(TypeOutline& type, Kind kind, const std::vector<Parameter>& components);
    void enumConstants(TypeOutline& type);
    void member(TypeOutline& type, Kind kind, const std::vector<Parameter>& components);
    void method(TypeOutline& type, const std::string& word, std::string_view name, std::uint32_t line);
    void fields(TypeOutline& type, const Modifiers& modifiers, const TypeText& declared);
    bool startsTypeDeclaration(Kind& kind, bool inBlock);
    static std::string_view kindName(Kind kind);
    void modifiers(Modifiers& modifiers);
    TypeText type();
    std::vector<Parameter> parameters();
    void annotation();
    void block(TypeOutline* owner);
    void expression(TypeOutline* owner);
    void skipParens(TypeOutline* owner);
    void skipAngles();
    bool looksLikeTypeArguments();
    void skipMember(TypeOutline* owner);
    void skipBraces();

    TokenStream& tokens_;
    Diagnostics& diagnostics_;
    Outline& outline_;
    int depth_ = 0;
    bool warnedDepth_ = false;
    bool warnedBrace_ = false;
    bool warnedEnd_ = false;
};

} // namespace parse
