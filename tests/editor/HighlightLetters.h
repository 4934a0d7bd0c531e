#pragma once

#include "editor/HighlightEngine.h"

// One letter per character, so expected colourings read as text: '.' plain, 'K' blue keyword, 'R' red
// bracket, 'C' class colour, 'G' green comment, 'S' string colour, '?' anything else.
inline char letterFor(const Highlight::Appearance& look) {
    if (look.plain)
        return '.';
    switch (look.foreground) {
    case 16711680:
        return 'K';
    case 255:
        return 'R';
    case 8404992:
        return 'C';
    case 32768:
        return 'G';
    case 8421440:
        return 'S';
    default:
        return '?';
    }
}
