// One QApplication on Qt's offscreen platform for the whole test program, with the program's
// dark look, created before the first test so that listing the tests needs no screen.

#include "controls/dark_palette.h"

#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>

namespace korvex::test {
namespace {

class OffscreenEnvironment : public testing::Environment {
public:
    void SetUp() override {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        application_ = std::make_unique<QApplication>(argc_, argv_);
        ApplyDarkLook(*application_);
    }
    void TearDown() override { application_.reset(); }

private:
    int argc_ = 1;
    char name_[16] = "controls_test";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> application_;
};

[[maybe_unused]] testing::Environment* const kOffscreen =
    testing::AddGlobalTestEnvironment(new OffscreenEnvironment);

} // namespace
} // namespace korvex::test
