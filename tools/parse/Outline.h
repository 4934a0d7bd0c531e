// The outline as it is read: one record per named type with its member lines, nested and local types
// under the type that holds them. Written out type by type, so that every member line follows its own
// class line even when a nested type sits between two members of its outer type.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace parse {

struct TypeOutline {
    std::string name;      // qualified by the enclosing named types: Outer.Inner
    std::string_view kind; // class, interface, enum, record or @interface
    std::uint32_t line = 0;
    std::uint32_t lastLine = 0;
    std::vector<std::string> members; // finished output lines
    std::vector<std::unique_ptr<TypeOutline>> nested;
    int methods = 0;
    int variables = 0;
};

class Outline {
public:
    // parent null: a top-level type.
    TypeOutline& addType(TypeOutline* parent, std::string_view simpleName, std::string_view kind,
                         std::uint32_t line);
    static void addMethod(TypeOutline& type, std::string_view word, std::string_view label,
                          std::uint32_t line);
    static void addVariable(TypeOutline& type, std::string_view word, std::string_view name,
                            std::uint32_t line);

    // Each type's line, its members, then its nested types, in source order.
    std::string text() const;
    int types() const { return types_; }

private:
    std::vector<std::unique_ptr<TypeOutline>> roots_;
    int types_ = 0;
};

} // namespace parse
