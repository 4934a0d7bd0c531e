#include "workspace/Environment.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

TEST(Environment, SavedAndRestoredValuesComeBackUnsetWhenTheyWereUnset) {
    const char* name = "HW_TEST_CLASSPATH";
    qunsetenv(name);
    const QString saved = getEnvironmentValue(name);
    ASSERT_TRUE(setEnvironmentValue(name, "/sdk/lib:/p/"));
    EXPECT_EQ(qgetenv(name), "/sdk/lib:/p/");
    EXPECT_EQ(getEnvironmentValue(name), "/sdk/lib:/p/");
    setEnvironmentValue(name, saved);
    EXPECT_FALSE(qEnvironmentVariableIsSet(name));
}
