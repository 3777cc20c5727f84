// The error notice without a pop-up: the text on standard error, once.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/message_box.h"

namespace {

std::string echoOf(const char* text) {
    ::testing::internal::CaptureStderr();
    showErrorMessage(text);
    return ::testing::internal::GetCapturedStderr();
}

TEST(MessageBox, EchoesOnStandardErrorWithoutPopUps) {
    errorPopups = false;
    EXPECT_EQ(echoOf("Failed to open DIB file a.bmp.\n"), "Failed to open DIB file a.bmp.\n");
    EXPECT_EQ(echoOf("Out of memory."), "Out of memory.\n");  // the console line still ends
}

TEST(MessageBox, WithoutADisplayOnlyTheEchoHappens) {
    const char* display = std::getenv("DISPLAY");
    std::string saved = display ? display : "";
    unsetenv("DISPLAY");
    errorPopups = true;
    EXPECT_EQ(echoOf("Unknown DIB file format."), "Unknown DIB file format.\n");  // returns, nothing waits
    errorPopups = false;
    if (display) setenv("DISPLAY", saved.c_str(), 1);
}

}  // namespace
