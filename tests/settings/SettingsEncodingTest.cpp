#include "settings/SettingsEncoding.h"

#include <gtest/gtest.h>

using namespace SettingsEncoding;

namespace {

TEST(SettingsEncoding, OnlyExactOnIsTrue) {
    const std::pair<std::optional<QString>, bool> cases[] = {
        {QString("on"), true}, {QString("On"), false},  {QString("ON"), false}, {QString("off"), false},
        {QString(""), false},  {QString(" on"), false}, {std::nullopt, false},
    };
    for (const auto& [stored, expected] : cases) {
        SCOPED_TRACE(stored.value_or("<absent>").toStdString());
        EXPECT_EQ(readFlag(stored), expected);
    }
    EXPECT_EQ(flagText(true), "on");
    EXPECT_EQ(flagText(false), "off");
}

TEST(SettingsEncoding, LenientNumbersFallBackToZero) {
    const std::pair<std::optional<QString>, int> cases[] = {
        {QString("160"), 160},
        {QString("-1"), -1},
        {QString("+7"), 7},
        {QString(" 42 "), 42},
        {QString(""), 0},
        {std::nullopt, 0},
        {QString("12px"), 0},
        {QString("abc"), 0},
        {QString("1e3"), 0},
        {QString("0x10"), 0},
        {QString("-"), 0},
        {QString("99999999999"), 0},
        {QString("2147483647"), 2147483647},
    };
    for (const auto& [stored, expected] : cases) {
        SCOPED_TRACE(stored.value_or("<absent>").toStdString());
        EXPECT_EQ(lenientNumber(stored), expected);
    }
}

TEST(SettingsEncoding, StrictNumbersReportTheText) {
    const std::pair<QString, std::optional<int>> cases[] = {
        {"8", 8},
        {"-3", -3},
        {"007", 7},
        {"", std::nullopt},
        {"8 ", std::nullopt},
        {" 8", std::nullopt},
        {"eight", std::nullopt},
        {"4.0", std::nullopt},
        {"99999999999", std::nullopt},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text.toStdString());
        const StrictNumber n = strictNumber(text);
        EXPECT_EQ(n.value, expected);
        if (expected)
            EXPECT_TRUE(n.error.isEmpty());
        else
            EXPECT_EQ(n.error, QString("'%1' ist kein gültiger Integerwert").arg(text));
    }
}

} // namespace
