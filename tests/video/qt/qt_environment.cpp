// Qt with an OpenGL context for the video window tests: a private Xvfb, the xcb platform on it,
// and one QApplication for the whole test program. Set up before the first test, so listing the
// tests needs neither; a missing Xvfb fails every test.

#include "xvfb_display.h"

#include <QApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <link.h>
#include <memory>

// The session bus connection keeps a buffer until the process ends.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libdbus-1.so\n";
}

namespace korvex::test {
namespace {

// Keeps Mesa's driver loaded to the end: unloaded at exit, the memory it still holds would be
// reported as leaks that cannot even be named.
void PinGlDrivers() {
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void*) {
            if (info->dlpi_name != nullptr && std::strstr(info->dlpi_name, "_dri.so") != nullptr) {
                dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
            }
            return 0;
        },
        nullptr);
}

class QtEnvironment : public testing::Environment {
public:
    void SetUp() override {
        ASSERT_TRUE(display_.Start()) << "Xvfb could not be started";
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        application_ = std::make_unique<QApplication>(argc_, argv_);
        QOffscreenSurface surface;
        surface.create();
        QOpenGLContext context;
        ASSERT_TRUE(context.create() && context.makeCurrent(&surface)) << "no OpenGL context";
        context.doneCurrent();
        PinGlDrivers();
    }
    void TearDown() override { application_.reset(); }

private:
    XvfbDisplay display_;
    int argc_ = 1;
    char name_[32] = "video_window_test";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> application_;
};

[[maybe_unused]] testing::Environment* const kQt =
    testing::AddGlobalTestEnvironment(new QtEnvironment);

} // namespace
} // namespace korvex::test
