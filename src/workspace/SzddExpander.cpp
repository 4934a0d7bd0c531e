#include "SzddExpander.h"

#include <QtEndian>
#include <array>

namespace {

constexpr QByteArrayView kMagic("SZDD\x88\xF0\x27\x33", 8);
constexpr qsizetype kHeaderSize = 14;
constexpr int kWindowSize = 4096;
// One control byte and eight two-byte references of 18 bytes each: no stream expands more than this.
constexpr qsizetype kMaxRatio = 9;

} // namespace

bool isSzdd(QByteArrayView bytes) {
    return bytes.startsWith(kMagic);
}

std::optional<QByteArray> expandSzdd(QByteArrayView bytes) {
    if (bytes.size() < kHeaderSize || !isSzdd(bytes) || bytes[8] != 'A')
        return std::nullopt;
    const qsizetype length = qFromLittleEndian<quint32>(bytes.data() + 10);
    const qsizetype end = bytes.size();
    if (length > (end - kHeaderSize) * kMaxRatio)
        return std::nullopt;

    std::array<char, kWindowSize> window;
    window.fill(' ');
    int pos = kWindowSize - 16;
    QByteArray out;
    out.reserve(length);
    const auto put = [&](char c) {
        out.append(c);
        window[pos] = c;
        pos = (pos + 1) & (kWindowSize - 1);
    };

    qsizetype i = kHeaderSize;
    while (out.size() < length) {
        if (i >= end)
            return std::nullopt;
        const auto control = static_cast<unsigned char>(bytes[i++]);
        for (int bit = 0; bit < 8 && out.size() < length; ++bit) {
            if (control & (1u << bit)) {
                if (i >= end)
                    return std::nullopt;
                put(bytes[i++]);
                continue;
            }
            if (i + 1 >= end)
                return std::nullopt;
            const auto lo = static_cast<unsigned char>(bytes[i]);
            const auto hi = static_cast<unsigned char>(bytes[i + 1]);
            i += 2;
            const int from = lo | ((hi & 0xF0) << 4);
            const int count = (hi & 0x0F) + 3;
            // Byte by byte: a reference may overlap the bytes it is producing.
            for (int k = 0; k < count && out.size() < length; ++k)
                put(window[(from + k) & (kWindowSize - 1)]);
        }
    }
    return out;
}
