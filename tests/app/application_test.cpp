#include "app/application.h"

#include <gtest/gtest.h>

#include <QGuiApplication>

#include <sys/prctl.h>
#include <sys/resource.h>

#include <new>
#include <sstream>
#include <stdexcept>

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

TEST(Application, TheProgramLeavesNoCoreDumpAndEndsEveryExceptionWithAMessage) {
    std::ostringstream err;
    EXPECT_EQ(RunProgram(err, [] { return 0; }), 0);
    EXPECT_EQ(::prctl(PR_GET_DUMPABLE, 0, 0, 0, 0), 0);
    rlimit core{};
    ASSERT_EQ(::getrlimit(RLIMIT_CORE, &core), 0);
    EXPECT_EQ(core.rlim_max, 0u);

    EXPECT_EQ(RunProgram(err, []() -> int { throw std::bad_alloc(); }), 1);
    EXPECT_EQ(RunProgram(err, []() -> int { throw std::runtime_error("Falhou."); }), 1);
    EXPECT_EQ(err.str(), "vellora: memória insuficiente; o programa terminou.\nvellora: Falhou.\n");
}

}  // namespace
}  // namespace app
