#include <QApplication>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Windows need an application object; one lives for the whole run (offscreen platform).
class WidgetsApplication : public testing::Environment {
public:
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<QApplication>(argc_, argv_);
    }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[16] = "test_desktop";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

const auto* const kEnvironment = testing::AddGlobalTestEnvironment(new WidgetsApplication);

} // namespace
