// The form-and-timer runtime on a small layout of its own, on the virtual clock.
#include "runtime/app.hpp"
#include "timer_mode.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using rt::Kind;

constexpr rt::ControlLayout kControls[] = {
    {.kind = Kind::Label, .name = "cover", .rect = {0, 0, 300, 300}},
    {.kind = Kind::Image, .name = "target", .index = 2, .rect = {100, 100, 500, 500}, .picture = "pig"},
    {.kind = Kind::PictureBox, .name = "gun", .rect = {0, 0, 150, 150}, .picture = "gun"},
    {.kind = Kind::Image, .name = "hidden", .rect = {0, 0, 900, 900}, .visible = false},
    {.kind = Kind::Shape, .name = "ground", .rect = {0, 0, 2000, 2000}},
    {.kind = Kind::Timer, .name = "slow", .interval = 100, .enabled = false},
    {.kind = Kind::Timer, .name = "fast", .interval = 1, .enabled = false},
    {.kind = Kind::Timer, .name = "other", .interval = 100, .enabled = false},
};
constexpr rt::FormLayout kLayout = {.name = "Test", .clientWidth = 1500, .clientHeight = 1500, .controls = kControls};
constexpr rt::FormLayout kOther = {.name = "Other", .clientWidth = 600, .clientHeight = 600};
constexpr rt::FormLayout kPlain = {.name = "Plain", .style = rt::WindowStyle::Borderless, .clientWidth = 600};

// A form that writes down what happens to it.
class Recorder : public rt::Form {
public:
    Recorder(rt::App& app, const rt::FormLayout& layout, std::vector<std::string>& log)
        : rt::Form(app, layout), log_(log) {
        for (const auto& c : controls()) {
            const std::string name = c->path();
            c->Click = [this, name] { log_.push_back(std::string(this->name()) + " click " + name); };
            // A tick written down counts as a change, so that timers never sleep here.
            if (auto* t = dynamic_cast<rt::Timer*>(c.get()))
                t->Tick = [this, name] {
                    log_.push_back(name + " @" + std::to_string(this->app().now()));
                    this->app().changes().note();
                };
        }
    }
    void Form_Load() override { log_.push_back(std::string(name()) + " load"); }
    void Form_Activate() override { log_.push_back(std::string(name()) + " activate"); }
    void Form_Click() override { log_.push_back(std::string(name()) + " click"); }
    void Form_MouseDown(int button, int, rt::Single, rt::Single) override {
        log_.push_back(std::string(name()) + " down " + std::to_string(button));
    }
    void Form_KeyUp(int keyCode, int) override { log_.push_back(std::string(name()) + " key " + std::to_string(keyCode)); }

    rt::Var<rt::Integer> count{*this, "count"};

private:
    std::vector<std::string>& log_;
};

class Runtime : public ::testing::Test {
protected:
    Runtime() {
        useTimerMode(app);
        app.setErrorStream(errors);
        for (const auto* layout : {&kLayout, &kOther, &kPlain})
            app.define(layout->name,
                       [this, layout](rt::App& a) { return std::make_unique<Recorder>(a, *layout, log); });
    }
    rt::Form& test() { return app.form("Test"); }
    rt::Timer& timer(const char* name) { return test().timer(name); }
    void wait(rt::Millis ms) { app.advanceTo(app.now() + ms); }
    void click(rt::Form& form, rt::Single x, rt::Single y, int button = rt::kLeftButton) {
        app.mouseDown(form, x, y, button, 0);
        app.mouseUp(form, x, y, button, 0);
    }
    std::vector<std::string> take() { return std::exchange(log, {}); }

    std::vector<std::string> log;
    std::ostringstream errors;
    rt::App app;
};

using Log = std::vector<std::string>;

TEST(Integer, ArithmeticOutsideSixteenBitsIsAnOverflowAndStoresNothing) {
    rt::Integer n = 32767;
    EXPECT_THROW(n = n + 1, rt::Error);
    EXPECT_EQ(n, 32767);
    rt::Integer low = -32768;
    EXPECT_THROW(low = low - 1, rt::Error);
    EXPECT_THROW(low = low * -1, rt::Error);
    EXPECT_EQ(low, -32768);
    EXPECT_EQ(rt::text(rt::Integer(-5)), "-5");
}

TEST(Integer, ConversionRoundsHalfToEven) {
    EXPECT_EQ(rt::CInt(0.5f), 0);
    EXPECT_EQ(rt::CInt(1.5f), 2);
    EXPECT_EQ(rt::CInt(2.5f), 2);
    EXPECT_EQ(rt::CInt(-0.5f), 0);
    EXPECT_EQ(rt::CInt(9.5f), 10);
    EXPECT_EQ(rt::CInt(4.49f), 4);
    EXPECT_THROW(rt::CInt(40000.0f), rt::Error);
}

TEST(Value, FormatsAsTheGameWritesThem) {
    EXPECT_EQ(rt::format(rt::Single(3069)), "3069");
    EXPECT_EQ(rt::format(rt::Single(2.5)), "2.5");
    EXPECT_EQ(rt::format(rt::Single(0.1f)), "0.1");
    EXPECT_EQ(rt::format(true), "True");
    EXPECT_EQ(rt::format(std::string("say \"hi\" \\")), R"("say \"hi\" \\")");
}

TEST(Random, SameSeedSameSequenceInUnitInterval) {
    rt::Random a, b;
    a.seed(7);
    b.seed(7);
    for (int i = 0; i < 1000; ++i) {
        const float x = a.next();
        ASSERT_EQ(x, b.next());
        ASSERT_GE(x, 0.0f);
        ASSERT_LT(x, 1.0f);
    }
}

TEST_F(Runtime, EnablingAStoppedTimerStartsAFullInterval) {
    test().Show();
    wait(30);
    timer("slow").setEnabled(true);
    wait(300);
    EXPECT_EQ(take(), (Log{"Test load", "Test activate", "slow @130", "slow @230", "slow @330"}));
}

TEST_F(Runtime, EnablingARunningTimerLeavesItsCountdown) {
    test().Show();
    timer("slow").setEnabled(true);
    take();
    for (int i = 0; i < 20; ++i) {  // rewritten every 10 ms, as the game's watchers do
        wait(10);
        timer("slow").setEnabled(true);
    }
    EXPECT_EQ(take(), (Log{"slow @100", "slow @200"}));
}

TEST_F(Runtime, WritingIntervalKeepsThePeriodStart) {
    test().Show();
    timer("slow").setEnabled(true);
    take();
    wait(60);
    timer("slow").setInterval(70);  // due at the period's start plus 70
    wait(20);
    timer("slow").setInterval(70);  // the same value changes nothing
    timer("slow").setInterval(30);  // the period began at 70: due at 100
    wait(100);
    timer("slow").setInterval(5);  // the period began at 160: 170 has passed, due at once
    wait(0);
    EXPECT_EQ(take(), (Log{"slow @70", "slow @100", "slow @130", "slow @160", "slow @180"}));
}

TEST_F(Runtime, IntervalZeroIsSilentUntilAPositiveOneIsWritten) {
    test().Show();
    timer("slow").setInterval(0);
    timer("slow").setEnabled(true);
    take();
    wait(1000);
    EXPECT_TRUE(take().empty());
    EXPECT_FALSE(app.nextTick());
    timer("slow").setInterval(100);  // the period began at 0: the tick is overdue
    wait(150);
    EXPECT_EQ(take(), (Log{"slow @1000", "slow @1100"}));
}

TEST_F(Runtime, ShortIntervalsAndNegativeOnesTickAtTheShortestPeriod) {
    test().Show();
    timer("fast").setEnabled(true);
    take();
    wait(30);
    timer("fast").setInterval(-5);
    wait(20);
    EXPECT_EQ(take(), (Log{"fast @10", "fast @20", "fast @30", "fast @40", "fast @50"}));
}

TEST_F(Runtime, TicksDueTogetherRunInLayoutOrder) {
    test().Show();
    timer("other").setEnabled(true);
    timer("slow").setEnabled(true);
    take();
    wait(100);
    EXPECT_EQ(take(), (Log{"slow @100", "other @100"}));
}

TEST_F(Runtime, ALateLoopMergesMissedTicksIntoOne) {
    test().Show();
    timer("fast").setEnabled(true);
    timer("slow").setEnabled(true);
    take();
    app.catchUp(5003);  // a stall of five seconds
    EXPECT_EQ(take(), (Log{"fast @5003", "slow @5003"}));
    EXPECT_EQ(app.nextTick(), 5013);
    app.catchUp(5013);
    EXPECT_EQ(take(), (Log{"fast @5013"}));
}

TEST_F(Runtime, TimersRunOnlyWhileTheirFormIsLoaded) {
    test().Show();
    app.form("Other").Show();
    timer("slow").setEnabled(true);
    test().Unload();
    wait(500);
    test().Show();  // the layout is applied again: slow is disabled
    wait(500);
    EXPECT_EQ(take(), (Log{"Test load", "Test activate", "Other load", "Other activate", "Test load",
                           "Test activate"}));
}

TEST_F(Runtime, LoadingRaisesLoadOnceAndAppliesTheLayout) {
    test().Load();
    test().Load();
    test().control("hidden").setVisible(true);
    static_cast<Recorder&>(test()).count = 5;
    test().Unload();
    EXPECT_TRUE(test().control("hidden").Visible());  // an unloaded form keeps its state
    test().Show();
    EXPECT_FALSE(test().control("hidden").Visible());
    EXPECT_EQ(static_cast<Recorder&>(test()).count, 5);  // variables outlive an unload
    EXPECT_EQ(take(), (Log{"Test load", "Test load", "Test activate"}));
}

TEST_F(Runtime, ActivationPassesToTheFrontmostEnabledWindow) {
    test().Show();
    app.form("Other").Show();
    app.form("Plain").Show();
    app.form("Other").setEnabled(false);
    take();
    app.form("Plain").Unload();
    EXPECT_EQ(app.ActiveForm(), &test());
    app.form("Other").Show();  // shown again: active, though disabled
    EXPECT_EQ(app.ActiveForm(), &app.form("Other"));
    app.form("Other").setVisible(true);  // already shown: nothing happens
    EXPECT_EQ(take(), (Log{"Test activate", "Other activate"}));
}

TEST_F(Runtime, HidingAFormThatIsNotLoadedLoadsItHidden) {
    app.form("Other").setVisible(false);
    EXPECT_TRUE(app.form("Other").Loaded());
    EXPECT_FALSE(app.form("Other").Visible());
    EXPECT_EQ(take(), (Log{"Other load"}));
}

TEST_F(Runtime, TheProgramEndsWhenNoScreenIsShown) {
    app.start("Test");
    app.form("Other").setVisible(false);  // loaded, hidden
    // A button may unload its own screen before showing the next.
    test().control("target", 2).Click = [this] {
        test().Unload();
        app.form("Plain").Show();
    };
    click(test(), 200, 400);
    EXPECT_TRUE(app.Running());
    app.form("Plain").Show();
    app.closeBox(app.form("Plain"));
    EXPECT_FALSE(app.Running());
    EXPECT_TRUE(app.form("Other").Loaded());
}

TEST_F(Runtime, MouseGoesToTheFrontmostControlThatTakesIt) {
    app.start("Test");
    take();
    click(test(), 50, 50);     // the picture box is in front of the label before it
    click(test(), 200, 200);   // the label covers the image
    click(test(), 400, 400);   // the image; the hidden image lets it through
    click(test(), 1000, 1000); // a shape lets the mouse through to the form
    click(test(), 1000, 1000, rt::kRightButton);
    click(test(), 1600, 100);  // outside the client area: nothing
    EXPECT_EQ(take(), (Log{"Test click gun", "Test click cover", "Test click target(2)", "Test down 1", "Test click",
                           "Test down 2", "Test click"}));
}

TEST_F(Runtime, AClickNeedsTheButtonToComeUpOverWhatWasPressed) {
    app.start("Test");
    take();
    app.mouseDown(test(), 400, 400, rt::kLeftButton, 0);
    app.mouseUp(test(), 1000, 1000, rt::kLeftButton, 0);
    app.mouseDown(test(), 1000, 1000, rt::kLeftButton, 0);
    app.mouseUp(test(), 1100, 1100, rt::kLeftButton, 0);
    EXPECT_EQ(take(), (Log{"Test down 1", "Test click"}));
}

TEST_F(Runtime, ADisabledFormTakesNoInputButItsTimersRunOn) {
    app.start("Test");
    timer("slow").setEnabled(true);
    test().setEnabled(false);
    take();
    click(test(), 400, 400);
    app.keyUp(38, 0);
    wait(100);
    test().setEnabled(true);
    app.keyUp(38, 0);
    EXPECT_EQ(take(), (Log{"slow @100", "Test key 38"}));
}

TEST_F(Runtime, KeysGoToTheActiveFormOnly) {
    app.start("Test");
    app.form("Other").Show();
    take();
    app.keyUp(82, 0);
    app.activate(test());
    app.keyUp(82, 0);
    EXPECT_EQ(take(), (Log{"Other key 82", "Test activate", "Test key 82"}));
}

TEST_F(Runtime, AnErrorNoHandlerCatchesEndsThatHandlerAndIsReported) {
    app.start("Test");
    auto& count = static_cast<Recorder&>(test()).count;
    count = 32767;
    timer("slow").Tick = [&] { count = count + 1; };
    timer("slow").setEnabled(true);
    wait(250);
    EXPECT_EQ(count, 32767);
    EXPECT_EQ(errors.str(), "krax: Overflow in Test.slow_Timer\nkrax: Overflow in Test.slow_Timer\n");
    EXPECT_TRUE(app.Running());
}

TEST_F(Runtime, WidthIsTheOuterWidth) {
    EXPECT_EQ(test().Width(), 1620);
    EXPECT_EQ(app.form("Plain").Width(), 600);
}

}  // namespace
