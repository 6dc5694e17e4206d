#include "app/application.h"

#include <gtest/gtest.h>

#include <QGuiApplication>

#include "tests/support-qt/qt_application.h"

namespace app {
namespace {

TEST(Application, TheDesktopShowsTheProgramsTitle) {
    test_support::EnsureApplication();
    NameApplication();
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), "TARVENIX|NFE");
    EXPECT_EQ(QCoreApplication::applicationName(), "vellora");
}

}  // namespace
}  // namespace app
