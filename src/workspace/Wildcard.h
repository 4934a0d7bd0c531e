#pragma once

#include <QStringView>

// Whether a file name matches a wildcard mask, case-blind as the Windows search is: `*` any run of
// characters, `?` any one, `[abc]`, `[a-z]` and `[!abc]` one of (or none of) a set; a mask with an
// unclosed `[` matches nothing. Done by hand rather than through a regular expression, which on a first use
// costs the process about half a megabyte of compiler code and JIT memory.
bool wildcardMatches(QStringView mask, QStringView name);
