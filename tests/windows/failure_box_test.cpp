// The double-clicked exe's failure box: it shows what the program said when it could
// not start, and nothing when it started or said nothing.
#include "shell/win32/failure_box.hpp"

#include <gtest/gtest.h>

#include <iostream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> shownBy(int status, const std::string& said) {
    std::vector<std::string> shown;
    const int returned = shell::showingFailure(
        [&] {
            // As the program does before anything else: C's stdio let go of.
            std::ios::sync_with_stdio(false);
            std::cerr << said;
            return status;
        },
        [&](const std::string& text) { shown.push_back(text); });
    EXPECT_EQ(returned, status);
    return shown;
}

TEST(FailureBox, ShowsWhatAFailedStartSaid) {
    EXPECT_EQ(shownBy(2, "krax: unknown argument \"-x\"; see krax --help\n"),
              std::vector<std::string>{"krax: unknown argument \"-x\"; see krax --help\n"});
}

TEST(FailureBox, ShowsNothingForAStartThatWorkedOrSaidNothing) {
    EXPECT_TRUE(shownBy(0, "krax: no sound: none here\n").empty());
    EXPECT_TRUE(shownBy(1, "").empty());
}

}  // namespace
