// The windows every backend keeps: one per shown screen, stacked as the game has them.
#include "shell/window_set.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr rt::FormLayout kA = {.name = "A", .clientWidth = 600, .clientHeight = 600};
constexpr rt::FormLayout kB = {.name = "B", .clientWidth = 600, .clientHeight = 600};
constexpr rt::FormLayout kC = {.name = "C", .clientWidth = 600, .clientHeight = 600};

// A window of a window system that stacks windows itself, writing down what it is told.
struct Window {
    Window(rt::Form& f, std::vector<std::string>& log) : form_(f), log_(log) { log_.push_back("open " + name()); }
    ~Window() { log_.push_back("close " + name()); }
    rt::Form& form() const { return form_; }
    void raise() { log_.push_back("raise " + name()); }
    void drawIfChanged() { ++draws; }
    std::string name() const { return form_.name(); }

    rt::Form& form_;
    std::vector<std::string>& log_;
    int draws = 0;
};

// A window with no stacking of its own (as the page's): only the set's order stacks it.
struct Element {
    rt::Form& form_;
    rt::Form& form() const { return form_; }
    void drawIfChanged() {}
};

class WindowSets : public ::testing::Test {
protected:
    WindowSets() {
        for (const auto* layout : {&kA, &kB, &kC})
            app.define(layout->name, [layout](rt::App& a) { return std::make_unique<rt::Form>(a, *layout); });
    }
    std::vector<std::string> order() const {
        std::vector<std::string> names;
        for (const auto& w : windows) names.push_back(w->name());
        return names;
    }

    rt::App app;
    std::vector<std::string> log;
    shell::WindowSet<Window> windows{[this](rt::Form& f) { return std::make_unique<Window>(f, log); }};
};

TEST_F(WindowSets, FollowTheShownScreensAndRaiseTheActiveOneOnce) {
    app.start("A");
    app.form("B").Show();
    windows.mirror(app);
    EXPECT_EQ(order(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(log, (std::vector<std::string>{"open A", "open B", "raise B"}));

    windows.mirror(app);  // nothing changed: nothing made, nothing raised, all drawn again
    EXPECT_EQ(log.size(), 3u);
    EXPECT_EQ(windows.windowOf(app.form("A"))->draws, 2);

    app.activate(app.form("A"));
    windows.mirror(app);
    EXPECT_EQ(order(), (std::vector<std::string>{"B", "A"}));
    EXPECT_EQ(log.back(), "raise A");

    app.form("A").Unload();
    windows.mirror(app);
    EXPECT_EQ(order(), (std::vector<std::string>{"B"}));
    EXPECT_EQ(log.back(), "raise B");
    EXPECT_EQ(log.at(log.size() - 2), "close A");
}

// The page lays its windows out again when one came or went, between follow() and
// draw(): a raise alone needs no new layout.
TEST_F(WindowSets, FollowSaysWhetherAWindowCameOrWentAndDrawsNothing) {
    app.start("A");
    EXPECT_TRUE(windows.follow(app));
    EXPECT_FALSE(windows.follow(app));
    app.form("B").Show();
    EXPECT_TRUE(windows.follow(app));
    app.activate(app.form("A"));
    EXPECT_FALSE(windows.follow(app));
    EXPECT_EQ(log.back(), "raise A");

    app.apply([&] {  // one screen for another in one event: as many windows as before
        app.form("B").Unload();
        app.form("C").Show();
    });
    EXPECT_TRUE(windows.follow(app));
    EXPECT_EQ(order(), (std::vector<std::string>{"A", "C"}));
    app.form("C").Unload();
    EXPECT_TRUE(windows.follow(app));
    EXPECT_EQ(order(), (std::vector<std::string>{"A"}));
    EXPECT_EQ(windows.windowOf(app.form("A"))->draws, 0);
}

TEST_F(WindowSets, AWindowTheSystemRaisedItselfIsNotRaisedAgain) {
    app.start("A");
    app.form("B").Show();
    windows.mirror(app);
    app.activate(app.form("A"));  // a click gave A the focus
    windows.cameToFront(app.ActiveForm());
    windows.mirror(app);
    EXPECT_EQ(order(), (std::vector<std::string>{"B", "A"}));
    EXPECT_EQ(log.back(), "raise B");  // from the first mirror only
    EXPECT_EQ(windows.find([](const Window& w) { return w.name() == "B"; }), windows.windowOf(app.form("B")));
}

// A window the window system lost while its screen is shown (another program destroyed
// it) is made again, and the active screen's window is raised over it.
TEST_F(WindowSets, AWindowLostWhileItsScreenIsShownIsMadeAgainUnderTheActiveOne) {
    app.start("A");
    app.form("B").Show();
    windows.mirror(app);
    log.clear();
    windows.forget(app.form("A"));
    EXPECT_TRUE(windows.follow(app));
    EXPECT_EQ(log, (std::vector<std::string>{"close A", "open A", "raise B"}));
    EXPECT_EQ(order(), (std::vector<std::string>{"A", "B"}));
}

TEST(WindowSet, StacksWindowsWithoutARaiseOfTheirOwnInItsOrder) {
    rt::App app;
    for (const auto* layout : {&kA, &kB})
        app.define(layout->name, [layout](rt::App& a) { return std::make_unique<rt::Form>(a, *layout); });
    shell::WindowSet<Element> elements{[](rt::Form& f) { return std::make_unique<Element>(Element{f}); }};
    app.start("A");
    app.form("B").Show();
    app.activate(app.form("A"));
    elements.mirror(app);
    ASSERT_EQ(elements.size(), 2u);
    EXPECT_EQ(&(*elements.begin())->form(), &app.form("B"));  // A, the active one, is last: in front
}

}  // namespace
