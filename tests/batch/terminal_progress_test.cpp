#include <cstdio>
#include <gtest/gtest.h>
#include <string>

#include "app/batch/terminal_progress.h"

namespace velmora::batch {
namespace {

std::string written(std::FILE* file) {
    std::fflush(file);
    std::rewind(file);
    std::string text;
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file))
        text.push_back(char(c));
    return text;
}

// A message while the progress line is shown starts on a line of its own, and the progress
// line is drawn again below it with the next report.
TEST(TerminalProgress, MessagesStartOnAFreshLineBelowTheProgressLine) {
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    TerminalProgress progress(file);
    progress.print_line(QStringLiteral("before"));
    progress.show(0, 10);
    progress.print_line(QStringLiteral("相册制作失败：x"));
    progress.show(1, 10);
    progress.end();
    progress.end();
    const std::string text = written(file);
    std::fclose(file);
    EXPECT_EQ(text.rfind("before\n\r[", 0), 0u) << text;
    const std::size_t message = text.find("相册制作失败");
    ASSERT_NE(message, std::string::npos);
    EXPECT_EQ(text.substr(message - 6, 6), " left\n") << text;
    EXPECT_NE(text.find("\r[###", message), std::string::npos) << "drawn again: " << text;
    EXPECT_EQ(text.substr(text.size() - 6), " left\n") << "ended once: " << text;
}

} // namespace
} // namespace velmora::batch
