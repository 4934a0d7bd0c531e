// The outline program's reader over any source bytes: every output line is a class, method or variable
// line naming a line of the source.
#include "Outline.h"
#include "Diagnostics.h"
#include "FuzzCheck.h"
#include "Reader.h"
#include "Scanner.h"

#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string source(reinterpret_cast<const char*>(data), size);
    parse::Diagnostics diagnostics("fuzz.java");
    parse::Scanner scanner(source, diagnostics);
    parse::TokenStream tokens(scanner);
    parse::Outline outline;
    parse::Reader reader(tokens, diagnostics, outline);
    reader.compilationUnit();
    const std::string text = outline.text();

    std::size_t lines = 1;
    for (char c : source)
        lines += c == '\n';
    std::string_view rest = text;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        FUZZ_CHECK(end != std::string_view::npos); // every line is finished
        const std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end + 1);
        FUZZ_CHECK(line.starts_with("class ") || line.starts_with("method ") ||
                   line.starts_with("variable "));
        const std::size_t blank = line.rfind(' ');
        const std::string_view number = line.substr(blank + 1);
        FUZZ_CHECK(!number.empty() && number.find_first_not_of("0123456789") == std::string_view::npos);
        const unsigned long at = std::stoul(std::string(number));
        // CR alone ends a line too, so the count of LF is only a lower bound; the number of line ends of
        // any kind is an upper bound.
        std::size_t ends = 1;
        for (std::size_t i = 0; i < source.size(); ++i)
            ends +=
                source[i] == '\n' || (source[i] == '\r' && (i + 1 == source.size() || source[i + 1] != '\n'));
        FUZZ_CHECK(at >= 1 && at <= std::max(lines, ends));
    }
    return 0;
}
