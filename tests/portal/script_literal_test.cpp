#include "portal/script_literal.h"

#include <gtest/gtest.h>

namespace portal {
namespace {

TEST(ScriptLiteral, EscapesEverythingThatCouldEndTheString) {
    EXPECT_EQ(ScriptStringLiteral(""), R"("")");
    EXPECT_EQ(ScriptStringLiteral("ABC123"), R"("ABC123")");
    EXPECT_EQ(ScriptStringLiteral(R"(a"b\c'd)"), R"("a\"b\\c'd")");
    EXPECT_EQ(ScriptStringLiteral("l1\nl2\r\t\x01\x7f"), R"("l1\u000al2\u000d\u0009\u0001\u007f")");
    EXPECT_EQ(ScriptStringLiteral("x\xE2\x80\xA8y\xE2\x80\xA9z"), R"("x\u2028y\u2029z")");
    EXPECT_EQ(ScriptStringLiteral("ação €"), "\"ação €\"");
}

}  // namespace
}  // namespace portal
