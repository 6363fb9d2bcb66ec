// Qt for the main window's tests: a private Xvfb for the OpenGL video window, the xcb platform
// on it, the web engine's contexts shared with the video window's as in the program, and one
// QApplication with the program's look for the whole test program. A missing Xvfb fails every
// test.

#include "controls/dark_palette.h"
#include "xvfb_display.h"

#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>

namespace korvex::test {
namespace {

class WindowEnvironment : public testing::Environment {
public:
    void SetUp() override {
        ASSERT_TRUE(display_.Start()) << "Xvfb could not be started";
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        // The web engine runs as root only without its sandbox.
        setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
        application_ = std::make_unique<QApplication>(argc_, argv_);
        ApplyDarkLook(*application_);
    }
    void TearDown() override { application_.reset(); }

private:
    XvfbDisplay display_;
    int argc_ = 1;
    char name_[24] = "korvex_main_window_test";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> application_;
};

[[maybe_unused]] testing::Environment* const kWindow =
    testing::AddGlobalTestEnvironment(new WindowEnvironment);

} // namespace
} // namespace korvex::test
