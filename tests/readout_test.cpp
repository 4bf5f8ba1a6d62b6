// Values as the web page's window.krax.print gives them: texts bare, the rest as
// scripts write them.
#include "shell/values/bad_request.hpp"
#include "shell/game_start.hpp"
#include "shell/values/readout.hpp"
#include "shell/script/driver.hpp"

#include <gtest/gtest.h>

#include <sstream>

namespace {

TEST(Readout, GivesTextsBareAndOtherValuesAsScriptsWriteThem) {
    rt::App app;
    std::ostringstream out, err;
    shell::startOnSeed(app, 1);
    std::istringstream script("click Form1.Image5\nwait 1000\nset Form2.imgP2(2).Visible True\nclick Form2.imgP2(2)\n");
    ASSERT_EQ(shell::playScript(app, script, out, err), 0) << err.str();

    EXPECT_EQ(shell::readout(app, "Form2.lblHits.Caption"), "Hits: 1");
    EXPECT_EQ(shell::readout(app, "Form2.lblTime.Caption"), "59");
    EXPECT_EQ(shell::readout(app, "Form2.intHits"), "1");
    EXPECT_EQ(shell::readout(app, "Form2.shpTimeBar.Width"), "3019");
    EXPECT_EQ(shell::readout(app, "App.Running"), "True");
    EXPECT_EQ(shell::readout(app, "App.ActiveForm"), "Form2");
    EXPECT_EQ(shell::readout(app, "Form2.strCode"), "");
    EXPECT_THROW(shell::readout(app, "Form2.intNope"), shell::BadRequest);
    EXPECT_THROW(shell::readout(app, "no such path"), shell::BadRequest);
}

}  // namespace
