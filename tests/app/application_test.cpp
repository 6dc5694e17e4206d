#include "app/application.h"

#include <gtest/gtest.h>

#include <QGuiApplication>

#include "tests/support-qt/qt_application.h"

namespace app {
namespace {

TEST(Application, TheSystemKnowsTheNameAndCaptionsStayAsSet) {
    test_support::EnsureApplication();
    NameApplication();
    EXPECT_EQ(QCoreApplication::applicationName(), "vellora");
    // A display name of its own would be appended to every caption by the desktop's windows.
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
}

TEST(Application, QtsOwnButtonsSpeakPortuguese) {
    test_support::EnsureApplication();
    ASSERT_TRUE(LoadQtTranslations());
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancelar");
}

}  // namespace
}  // namespace app
