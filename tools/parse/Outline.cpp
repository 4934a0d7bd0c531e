#include "Outline.h"

#include <utility>

namespace parse {

namespace {

std::string memberLine(std::string_view tag, std::string_view word, std::string_view label,
                       std::uint32_t line) {
    std::string text;
    text.reserve(tag.size() + word.size() + label.size() + 14);
    text.append(tag).append(" ").append(word).append(" ").append(label).append(" ").append(
        std::to_string(line));
    return text;
}

} // namespace

TypeOutline& Outline::addType(TypeOutline* parent, std::string_view simpleName, std::string_view kind,
                              std::uint32_t line) {
    auto type = std::make_unique<TypeOutline>();
    type->name = parent ? parent->name + "." + std::string(simpleName) : std::string(simpleName);
    type->kind = kind;
    type->line = line;
    type->lastLine = line;
    ++types_;
    auto& list = parent ? parent->nested : roots_;
    list.push_back(std::move(type));
    return *list.back();
}

void Outline::addMethod(TypeOutline& type, std::string_view word, std::string_view label,
                        std::uint32_t line) {
    type.members.push_back(memberLine("method", word, label, line));
    ++type.methods;
}

void Outline::addVariable(TypeOutline& type, std::string_view word, std::string_view name,
                          std::uint32_t line) {
    type.members.push_back(memberLine("variable", word, name, line));
    ++type.variables;
}

std::string Outline::text() const {
    std::string out;
    // Depth-first without recursion; the reader bounds the depth, but this costs nothing.
    std::vector<std::pair<const std::vector<std::unique_ptr<TypeOutline>>*, std::size_t>> stack;
    stack.emplace_back(&roots_, 0);
    while (!stack.empty()) {
        auto& [list, index] = stack.back();
        if (index == list->size()) {
            stack.pop_back();
            continue;
        }
        const TypeOutline& type = *(*list)[index++];
        out.append("class ").append(type.name).append(" ").append(std::to_string(type.line)).append("\n");
        for (const std::string& member : type.members)
            out.append(member).append("\n");
        if (!type.nested.empty())
            stack.emplace_back(&type.nested, 0);
    }
    return out;
}

} // namespace parse
