#include "ui/AboutWindow.h"

#include <QLabel>
#include <gtest/gtest.h>

// The About window says whose the program is and under which licence, as `handwright --version` does.
TEST(About, CarriesTheCopyrightLineAndTheLicenceNotice) {
    AboutWindow about;
    const auto* notice = about.findChild<QLabel*>("Label6");
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->text(),
              "Copyright (C) 2026 Kovrin Handwright developers\n"
              "This program comes with ABSOLUTELY NO WARRANTY. This is free software, and you "
              "are welcome to redistribute it under the terms of the GNU General Public License, "
              "version 3 or later.");
}
