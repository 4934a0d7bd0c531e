#include "Reader.h"

namespace parse {

namespace {

// Deeper nesting than this is no real program; it only guards the stack against crafted input.
constexpr int kMaxDepth = 200;

bool isAccess(std::string_view word) {
    return word == "public" || word == "protected" || word == "private";
}

bool isOtherModifier(std::string_view word) {
    return word == "static" || word == "final" || word == "abstract" || word == "native" ||
           word == "synchronized" || word == "transient" || word == "volatile" || word == "strictfp" ||
           word == "default" || word == "sealed";
}

// Java's reserved words and literals: never the name of a declaration, so a word typed halfway before one
// ("Strin" above "public void run()") is an unfinished member and the next one starts at the keyword.
// Left out: "enum", "assert" and "_", which older sources use as names.
bool isKeyword(std::string_view word) {
    static constexpr std::string_view kKeywords[] = {
        "abstract",   "boolean",      "break",     "byte",   "case",   "catch",     "char",       "class",
        "const",      "continue",     "default",   "do",     "double", "else",      "extends",    "false",
        "final",      "finally",      "float",     "for",    "goto",   "if",        "implements", "import",
        "instanceof", "int",          "interface", "long",   "native", "new",       "null",       "package",
        "private",    "protected",    "public",    "return", "short",  "static",    "strictfp",   "super",
        "switch",     "synchronized", "this",      "throw",  "throws", "transient", "true",       "try",
        "void",       "volatile",     "while"};
    for (std::string_view keyword : kKeywords)
        if (word == keyword)
            return true;
    return false;
}

std::string_view simpleName(std::string_view qualified) {
    const std::size_t dot = qualified.rfind('.');
    return dot == std::string_view::npos ? qualified : qualified.substr(dot + 1);
}

} // namespace

Reader::Reader(TokenStream& tokens, Diagnostics& diagnostics, Outline& outline)
    : tokens_(tokens), diagnostics_(diagnostics), outline_(outline) {}

void Reader::compilationUnit() {
    for (;;) {
        const Token first = tokens_.peek();
        if (first.atEnd())
            return;
        if (first.isWord("package") || first.isWord("import")) {
            tokens_.take();
            for (;;) {
                const Token t = tokens_.peek();
                if (t.atEnd() || t.is('{') || t.is('}'))
                    break;
                tokens_.take();
                if (t.is(';'))
                    break;
            }
            continue;
        }
        Modifiers ignored;
        modifiers(ignored);
        Kind kind;
        if (startsTypeDeclaration(kind, false)) {
            typeDeclaration(kind, nullptr);
            continue;
        }
        const Token t = tokens_.peek();
        if (t.atEnd())
            return;
        tokens_.take();
        if (t.is('{'))
            block(nullptr); // a module body, or a member cut loose from its class
        else if (t.is('}'))
            diagnostics_.warnOnce(t.line, "closing brace without an opening one", warnedBrace_);
    }
}

bool Reader::startsTypeDeclaration(Kind& kind, bool inBlock) {
    const Token& t = tokens_.peek();
    if (t.is('@')) {
        if (!tokens_.peek(1).isWord("interface") || !tokens_.peek(2).isIdent())
            return false;
        tokens_.take();
        tokens_.take();
        kind = Kind::Annotation;
        return true;
    }
    if (!t.isIdent() || t.text.size() < 4 || !tokens_.peek(1).isIdent())
        return false;
    if (inBlock && tokens_.previous().is('.'))
        return false; // Foo.class
    if (t.text == "class") {
        kind = Kind::Class;
    } else if (t.text == "interface") {
        kind = Kind::Interface;
    } else if (t.text == "enum") {
        // Before Java 5 "enum" was a plain name, and old sources use it for variables.
        const Token& after = tokens_.peek(2);
        if (inBlock && !after.is('{') && !after.isWord("implements"))
            return false;
        kind = Kind::Enum;
    } else if (t.text == "record") {
        // A restricted name, not a keyword: only "record Name(" or "record Name<" declares one.
        const Token& after = tokens_.peek(2);
        if (!after.is('(') && !after.is('<'))
            return false;
        kind = Kind::Record;
    } else {
        return false;
    }
    tokens_.take();
    return true;
}

std::string_view Reader::kindName(Kind kind) {
    switch (kind) {
    case Kind::Class:
        return "class";
    case Kind::Interface:
        return "interface";
    case Kind::Enum:
        return "enum";
    case Kind::Record:
        return "record";
    case Kind::Annotation:
        return "@interface";
    }
    return "class";
}

void Reader::typeDeclaration(Kind kind, TypeOutline* parent) {
    const Token name = tokens_.peek();
    if (!name.isIdent())
        return; // a keyword without a name: the caller goes on with what follows
    tokens_.take();
    TypeOutline& type = outline_.addType(parent, name.text, kindName(kind), name.line);

    std::vector<Parameter> components;
    if (kind == Kind::Record) {
        if (tokens_.peek().is('<'))
            skipAngles();
        if (tokens_.peek().is('(')) {
            tokens_.take();
            components = parameters();
        }
        for (const Parameter& component : components) {
            if (!component.name.empty()) // cut off while being typed: no name yet
                Outline::addVariable(type, component.type, component.name, component.line);
        }
    }
    // Type parameters, extends, implements, permits: nothing of it is shown.
    for (;;) {
        const Token t = tokens_.peek();
        if (t.is('{'))
            break;
        if (t.atEnd() || t.is(';') || t.is('}')) {
            diagnostics_.warn(name.line,
                              std::string(kindName(kind)) + " " + std::string(name.text) + " has no body");
            return;
        }
        tokens_.take();
        if (t.is('('))
            skipParens(parent);
    }
    tokens_.take();
    if (depth_ >= kMaxDepth) {
        diagnostics_.warnOnce(
            name.line, "types nested too deeply: the members of the inner ones are left out", warnedDepth_);
        skipBraces();
        return;
    }
    ++depth_;
    typeBody(type, kind, components);
    --depth_;
    type.lastLine = tokens_.previous().line;
    if (diagnostics_.tracing())
        diagnostics_.trace(std::string(type.kind) + " " + type.name + ", lines " + std::to_string(type.line) +
                           "-" + std::to_string(type.lastLine) + ": " + std::to_string(type.methods) +
                           " methods, " + std::to_string(type.variables) + " variables, " +
                           std::to_string(type.nested.size()) + " nested types");
}

void Reader::typeBody(TypeOutline& type, Kind kind, const std::vector<Parameter>& components) {
    if (kind == Kind::Enum)
        enumConstants(type);
    for (;;) {
        const Token t = tokens_.peek();
        if (t.atEnd()) {
            diagnostics_.warnOnce(type.line, "end of file inside " + std::string(type.kind) + " " + type.name,
                                  warnedEnd_);
            return;
        }
        if (t.is('}')) {
            tokens_.take();
            return;
        }
        if (t.is(';')) {
            tokens_.take();
            continue;
        }
        member(type, kind, components);
    }
}

void Reader::enumConstants(TypeOutline& type) {
    const std::string_view enumName = simpleName(type.name);
    for (;;) {
        const Token t = tokens_.peek();
        if (t.is('@')) {
            annotation();
            continue;
        }
        if (t.is(',')) {
            tokens_.take();
            continue;
        }
        if (t.is(';')) {
            tokens_.take();
            return;
        }
        if (!t.isIdent())
            return;
        const Token& next = tokens_.peek(1);
        if (!next.is(',') && !next.is(';') && !next.is('}') && !next.is('(') && !next.is('{'))
            return;
        tokens_.take();
        Outline::addVariable(type, enumName, t.text, t.line);
        if (tokens_.peek().is('(')) {
            tokens_.take();
            skipParens(&type);
        }
        if (tokens_.peek().is('{')) {
            tokens_.take();
            block(&type); // the constant's own class body is anonymous
        }
    }
}

void Reader::member(TypeOutline& type, Kind kind, const std::vector<Parameter>& components) {
    Modifiers mods;
    modifiers(mods);
    Kind nested;
    if (startsTypeDeclaration(nested, false)) {
        typeDeclaration(nested, &type);
        return;
    }
    const Token t = tokens_.peek();
    if (t.is('{')) {
        tokens_.take();
        block(&type); // initializer
        return;
    }
    if (t.is('}') || t.atEnd())
        return;
    if (t.is('<'))
        skipAngles(); // type parameters of a generic method or constructor
    if (!tokens_.peek().isIdent()) {
        skipMember(&type);
        return;
    }
    const TypeText declared = this->type();
    const Token after = tokens_.peek();
    if (after.is('(') && declared.simple) {
        method(type, mods.access.empty() ? declared.text : std::string(mods.access), declared.text,
               declared.line);
        return;
    }
    if (after.is('{') && declared.simple && kind == Kind::Record) {
        // Compact canonical constructor: its parameters are the record's components.
        std::string label = declared.text + "(";
        for (std::size_t i = 0; i < components.size(); ++i)
            label.append(i ? "," : "").append(components[i].type);
        label += ")";
        Outline::addMethod(type, mods.access.empty() ? std::string_view(declared.text) : mods.access, label,
                           declared.line);
        tokens_.take();
        block(&type);
        return;
    }
    const bool enumFollows = after.isWord("enum") && tokens_.peek(1).isIdent() &&
                             (tokens_.peek(2).is('{') || tokens_.peek(2).isWord("implements"));
    if ((after.isIdent() && isKeyword(after.text)) || enumFollows)
        return; // an unfinished member: the next one starts at the keyword
    if (!after.isIdent()) {
        skipMember(&type);
        return;
    }
    if (tokens_.peek(1).is('(')) {
        tokens_.take();
        method(type, mods.access.empty() ? declared.text : std::string(mods.access), after.text, after.line);
        return;
    }
    fields(type, mods, declared);
}

void Reader::method(TypeOutline& type, const std::string& word, std::string_view name, std::uint32_t line) {
    tokens_.take(); // (
    const std::vector<Parameter> list = parameters();
    std::string shown = word;
    while (tokens_.peek().is('[') && tokens_.peek(1).is(']')) {
        tokens_.take(); // int legacy()[]
        tokens_.take();
        if (!isAccess(word))
            shown += "[]";
    }
    std::string label(name);
    label += '(';
    for (std::size_t i = 0; i < list.size(); ++i)
        label.append(i ? "," : "").append(list[i].type);
    label += ')';
    Outline::addMethod(type, shown, label, line);
    // throws, an annotation element's default, old-style array brackets; then the body or the semicolon.
    for (;;) {
        const Token t = tokens_.peek();
        if (t.atEnd() || t.is('}'))
            return;
        tokens_.take();
        if (t.is(';'))
            return;
        if (t.is('{')) {
            block(&type);
            return;
        }
        if (t.is('('))
            skipParens(&type);
    }
}

void Reader::fields(TypeOutline& type, const Modifiers& mods, const TypeText& declared) {
    for (;;) {
        const Token name = tokens_.peek();
        if (name.isIdent() && isKeyword(name.text))
            return; // "int first," above "void reset()": the next member starts at the keyword
        if (!name.isIdent()) {
            skipMember(&type);
            return;
        }
        tokens_.take();
        std::string word = mods.access.empty() ? declared.text : std::string(mods.access);
        while (tokens_.peek().is('[') && tokens_.peek(1).is(']')) {
            tokens_.take();
            tokens_.take();
            if (mods.access.empty())
                word += "[]";
        }
        Outline::addVariable(type, word, name.text, name.line);
        if (tokens_.peek().is('=')) {
            tokens_.take();
            expression(&type);
            if (tokens_.previous().unterminated)
                return; // the line end closed a broken string; what follows is read afresh
        }
        const Token next = tokens_.peek();
        if (next.is(',')) {
            tokens_.take();
            continue;
        }
        if (next.is(';')) {
            tokens_.take();
            return;
        }
        if (next.isIdent())
            return; // no semicolon yet ("int count" above "private int total;"): the next member follows
        skipMember(&type);
        return;
    }
}

void Reader::modifiers(Modifiers& mods) {
    for (;;) {
        const Token& t = tokens_.peek();
        if (t.is('@')) {
            if (tokens_.peek(1).isWord("interface"))
                return;
            annotation();
            continue;
        }
        if (!t.isIdent())
            return;
        if (isAccess(t.text)) {
            if (mods.access.empty())
                mods.access = t.text;
            tokens_.take();
            continue;
        }
        if (isOtherModifier(t.text)) {
            tokens_.take();
            continue;
        }
        if (t.isWord("non") && tokens_.peek(1).is('-') && tokens_.peek(2).isWord("sealed")) {
            tokens_.take();
            tokens_.take();
            tokens_.take();
            continue;
        }
        return;
    }
}

Reader::TypeText Reader::type() {
    TypeText result;
    while (tokens_.peek().is('@') && !tokens_.peek(1).isWord("interface"))
        annotation();
    const Token first = tokens_.peek();
    if (!first.isIdent())
        return result;
    tokens_.take();
    result.text = first.text;
    result.line = first.line;
    result.ok = true;
    for (;;) {
        if (tokens_.peek().is('<')) {
            skipAngles();
            result.simple = false;
            continue;
        }
        if (!tokens_.peek().is('.'))
            break;
        const Token next = tokens_.peek(1);
        if (next.isIdent()) {
            tokens_.take();
            tokens_.take();
            result.text.append(".").append(next.text);
            result.simple = false;
            continue;
        }
        if (!next.is('@'))
            break;
        tokens_.take(); // java.util.@Nullable List
        while (tokens_.peek().is('@'))
            annotation();
        const Token part = tokens_.peek();
        if (part.isIdent()) {
            tokens_.take();
            result.text.append(".").append(part.text);
        }
        result.simple = false;
    }
    // Dimensions, each perhaps annotated: int @NonNull [] a.
    for (;;) {
        if (tokens_.peek().is('@') && !tokens_.peek(1).isWord("interface")) {
            annotation();
            continue;
        }
        if (!tokens_.peek().is('[') || !tokens_.peek(1).is(']'))
            break;
        tokens_.take();
        tokens_.take();
        result.text += "[]";
        result.simple = false;
    }
    return result;
}

std::vector<Reader::Parameter> Reader::parameters() {
    std::vector<Parameter> list;
    for (;;) {
        const Token t = tokens_.peek();
        if (t.is(')')) {
            tokens_.take();
            return list;
        }
        if (t.atEnd() || t.is(';') || t.is('{') || t.is('}'))
            return list; // damaged: the caller decides what comes next
        if (t.is(',')) {
            tokens_.take();
            continue;
        }
        for (;;) {
            const Token& m = tokens_.peek();
            if (m.isWord("final"))
                tokens_.take();
            else if (m.is('@') && !tokens_.peek(1).isWord("interface"))
                annotation();
            else
                break;
        }
        TypeText declared = type();
        if (!declared.ok) {
            const Token& u = tokens_.peek();
            if (!u.is(')') && !u.is(',') && !u.atEnd() && !u.is(';') && !u.is('{') && !u.is('}'))
                tokens_.take();
            continue;
        }
        if (tokens_.peek().is('.') && tokens_.peek(1).is('.') && tokens_.peek(2).is('.')) {
            tokens_.take();
            tokens_.take();
            tokens_.take();
            declared.text += "...";
        }
        const Token name = tokens_.peek();
        bool receiver = false;
        if (name.isIdent()) {
            tokens_.take();
            receiver = name.isWord("this");
            if (tokens_.peek().is('.') && tokens_.peek(1).isWord("this")) {
                tokens_.take(); // Outer.this, the receiver of an inner class's constructor
                tokens_.take();
                receiver = true;
            }
        }
        while (tokens_.peek().is('[') && tokens_.peek(1).is(']')) {
            tokens_.take();
            tokens_.take();
            declared.text += "[]";
        }
        if (!receiver)
            list.push_back(
                {std::move(declared.text), name.isIdent() ? name.text : std::string_view(), name.line});
    }
}

void Reader::annotation() {
    tokens_.take(); // @
    if (tokens_.peek().isIdent())
        tokens_.take();
    while (tokens_.peek().is('.') && tokens_.peek(1).isIdent()) {
        tokens_.take();
        tokens_.take();
    }
    if (tokens_.peek().is('(')) {
        tokens_.take();
        skipParens(nullptr);
    }
}

void Reader::block(TypeOutline* owner) {
    // Entered after the opening brace. Only local type declarations matter in here; everything else is
    // counted past, iteratively, so that deep nesting costs no stack.
    const std::uint32_t openLine = tokens_.previous().line;
    int depth = 1;
    for (;;) {
        const Token& t = tokens_.peek();
        switch (t.kind) {
        case Tok::End:
            diagnostics_.warnOnce(openLine, "end of file inside the block that opens here", warnedEnd_);
            return;
        case Tok::Punct:
            if (t.ch == '{') {
                ++depth;
            } else if (t.ch == '}') {
                tokens_.take();
                if (--depth == 0)
                    return;
                continue;
            } else if (t.ch == '@') {
                Kind kind;
                if (startsTypeDeclaration(kind, true)) {
                    typeDeclaration(kind, owner);
                    continue;
                }
            }
            break;
        case Tok::Ident: {
            const char c = t.text[0];
            if (c == 'c' || c == 'i' || c == 'e' || c == 'r') {
                Kind kind;
                if (startsTypeDeclaration(kind, true)) {
                    typeDeclaration(kind, owner);
                    continue;
                }
            }
            break;
        }
        case Tok::Literal:
            break;
        }
        tokens_.take();
    }
}

void Reader::expression(TypeOutline* owner) {
    // Up to the comma, semicolon or closing brace that ends it; those stay unread.
    int depth = 0;
    for (;;) {
        const Token& t = tokens_.peek();
        if (t.atEnd())
            return;
        // A string cut off by its line end most likely lost its closing quote and all behind it, the
        // semicolon too: end the expression there rather than swallow the next declarations.
        if (tokens_.previous().unterminated && t.line > tokens_.previous().line)
            return;
        if (t.kind == Tok::Punct) {
            switch (t.ch) {
            case ',':
                if (depth == 0)
                    return;
                break;
            case ';':
            case '}':
                return; // a lost closing parenthesis must not swallow the next member
            case '(':
            case '[':
                ++depth;
                break;
            case ')':
            case ']':
                if (depth == 0)
                    return;
                --depth;
                break;
            case '{':
                tokens_.take();
                block(owner); // array initializer, anonymous class, lambda or switch body
                continue;
            case '<':
                // Only a comma at this level matters, and type arguments may hold one.
                if (depth == 0 && looksLikeTypeArguments()) {
                    skipAngles();
                    continue;
                }
                break;
            default:
                break;
            }
        }
        tokens_.take();
    }
}

bool Reader::looksLikeTypeArguments() {
    const Token& before = tokens_.previous();
    if (!before.isIdent() && !before.is('.'))
        return false;
    int angles = 0;
    for (std::size_t k = 0; k + 1 < TokenStream::kLookahead; ++k) {
        const Token& t = tokens_.peek(k);
        if (t.is('<')) {
            ++angles;
        } else if (t.is('>')) {
            if (--angles == 0) {
                const Token& follow = tokens_.peek(k + 1);
                return before.is('.') || (!follow.isIdent() && follow.kind != Tok::Literal);
            }
        } else if (!t.isIdent() && !t.is('.') && !t.is(',') && !t.is('?') && !t.is('[') && !t.is(']') &&
                   !t.is('&') && !t.is('@')) {
            return false;
        }
    }
    return false;
}

void Reader::skipAngles() {
    int angles = 0;
    int parens = 0;
    for (;;) {
        const Token& t = tokens_.peek();
        if (t.atEnd() || t.is(';') || t.is('{') || t.is('}'))
            return;
        if (t.is('(')) {
            ++parens;
        } else if (t.is(')')) {
            if (parens == 0)
                return;
            --parens;
        } else if (t.is('=') && parens == 0) {
            return;
        } else if (t.is('<')) {
            ++angles;
        } else if (t.is('>')) {
            tokens_.take();
            if (--angles <= 0)
                return;
            continue;
        }
        tokens_.take();
    }
}

void Reader::skipParens(TypeOutline* owner) {
    // Entered after the opening parenthesis.
    int depth = 1;
    for (;;) {
        const Token& t = tokens_.peek();
        if (t.atEnd() || t.is(';') || t.is('}'))
            return; // a lost closing parenthesis: stop where the next statement or member begins
        if (t.is('(')) {
            ++depth;
        } else if (t.is(')')) {
            tokens_.take();
            if (--depth == 0)
                return;
            continue;
        } else if (t.is('{')) {
            tokens_.take();
            block(owner);
            continue;
        }
        tokens_.take();
    }
}

void Reader::skipMember(TypeOutline* owner) {
    // Something this reader does not know: pass it up to its semicolon or its block.
    for (;;) {
        const Token t = tokens_.peek();
        if (t.atEnd() || t.is('}'))
            return;
        tokens_.take();
        if (t.is(';'))
            return;
        if (t.is('{')) {
            block(owner);
            return;
        }
        if (t.is('('))
            skipParens(owner);
    }
}

void Reader::skipBraces() {
    int depth = 1;
    for (;;) {
        const Token t = tokens_.take();
        if (t.atEnd())
            return;
        if (t.is('{'))
            ++depth;
        else if (t.is('}') && --depth == 0)
            return;
    }
}

} // namespace parse
