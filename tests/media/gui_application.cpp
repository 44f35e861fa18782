#include <QGuiApplication>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Fonts and text measuring need a GUI application object; one lives for the whole run
// (offscreen platform).
class GuiApplication : public testing::Environment {
public:
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[16] = "velmora_test";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> app_;
};

const auto* const kEnvironment = testing::AddGlobalTestEnvironment(new GuiApplication);

} // namespace
