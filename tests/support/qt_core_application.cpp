#include <QCoreApplication>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Timers and image plugins need an application object; one lives for the whole run.
class QtApplication : public testing::Environment {
public:
    void SetUp() override { app_ = std::make_unique<QCoreApplication>(argc_, argv_); }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[16] = "velmora_test";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QCoreApplication> app_;
};

const auto* const kEnvironment = testing::AddGlobalTestEnvironment(new QtApplication);

} // namespace
