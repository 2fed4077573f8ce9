// Message boxes: the nested loop, answers by click and by key, labels, long texts.
#include "platform/winsys/message_box.h"
#include "platform/winsys/services.h"
#include "tests/platform/winsys/window_test_support.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace winsys {
namespace {

using headless::Driver;
using testing::makeWindow;
using testing::Probe;

// Sets the locale variables for one test and puts them back afterwards.
class LocaleGuard {
public:
    LocaleGuard(const char* all, const char* messages, const char* lang) {
        for (int i = 0; i < 3; ++i) {
            const char* v = std::getenv(kNames[i]);
            saved_[i] = v ? std::optional<std::string>(v) : std::nullopt;
        }
        set(kNames[0], all);
        set(kNames[1], messages);
        set(kNames[2], lang);
    }
    ~LocaleGuard() {
        for (int i = 0; i < 3; ++i) set(kNames[i], saved_[i] ? saved_[i]->c_str() : nullptr);
    }

private:
    static void set(const char* name, const char* value) {
        if (value) setenv(name, value, 1);
        else unsetenv(name);
    }
    static constexpr const char* kNames[3] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    std::optional<std::string> saved_[3];
};

class BoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        driver.startLoop();
        driver.call([&] { ASSERT_TRUE(probe.registerAs("main")); });
        window = makeWindow(driver, "main", {100, 100, 600, 500});
        driver.call([&] { button = createWindow(kButtonClass, "S", style::Child | style::Visible, 0, {10, 10, 40, 30}, window, 29); });
        probe.hook = [&](WindowHandle, const Message& m) -> std::optional<std::intptr_t> {
            if (m.id == MessageId::Command && m.itemId == 29) {
                ++commandsRun;
                answers.push_back(messageBox(owner, text, "Tamblo", style));
                return 0;
            }
            return std::nullopt;
        };
        probe.clear();
    }
    Driver driver;
    Probe probe;
    WindowHandle window;
    WindowHandle button;
    WindowHandle owner;
    std::string text = "Save the game?";
    BoxStyle style{BoxButtons::YesNo, BoxIcon::Question, 0, true};
    std::vector<BoxResult> answers;
    int commandsRun = 0;
};

TEST_F(BoxTest, ABoxFromACommandLetsTheTimerFireAndIsAnsweredByAClick) {
    LocaleGuard english(nullptr, nullptr, "en_GB.UTF-8");
    driver.call([&] { setTimer(window, 1, 200); });
    driver.clickControl(button);
    std::optional<BoxInfo> box = driver.currentBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, "Save the game?");
    EXPECT_EQ(box->caption, "Tamblo");
    EXPECT_EQ(box->icon, BoxIcon::Question);
    EXPECT_EQ(box->labels, (std::vector<std::string>{"Yes", "No"}));
    EXPECT_EQ(box->defaultButton, BoxResult::Yes);
    EXPECT_TRUE(answers.empty());

    driver.advance(1000);
    EXPECT_EQ(probe.count(MessageId::Timer), 5);
    // The main window still takes the mouse, and paints.
    driver.leftClick(clientToScreen(window, {300, 300}));
    EXPECT_EQ(probe.count(MessageId::LeftButtonDown), 1);
    driver.call([&] { invalidate(window); });
    EXPECT_EQ(probe.count(MessageId::Paint), 1);
    // The box is a topmost window above the main one, and shows.
    EXPECT_EQ(driver.windows().back(), box->window);
    EXPECT_TRUE(windowExStyle(box->window) & exstyle::Topmost);

    EXPECT_TRUE(driver.answerBox(BoxResult::Yes));
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0], BoxResult::Yes);
    EXPECT_FALSE(driver.currentBox());
    EXPECT_FALSE(isWindow(box->window));
    EXPECT_EQ(driver.boxesShown().size(), 1u);
}

TEST_F(BoxTest, ASecondCommandBehindTheBoxRunsNested) {
    driver.clickControl(button);
    driver.clickControl(button);  // the button is still clickable: the shell guards against this itself
    EXPECT_EQ(commandsRun, 2);
    EXPECT_EQ(openBoxes().size(), 2u);
    EXPECT_TRUE(driver.answerBox(BoxResult::No));
    EXPECT_TRUE(driver.answerBox(BoxResult::Yes));
    EXPECT_EQ(answers, (std::vector<BoxResult>{BoxResult::No, BoxResult::Yes}));
}

TEST_F(BoxTest, TheOwnerIsDisabledWhileItsBoxIsOpen) {
    owner = window;
    driver.clickControl(button);
    ASSERT_TRUE(driver.currentBox());
    EXPECT_FALSE(isEnabled(window));
    driver.leftClick(clientToScreen(window, {300, 300}));
    EXPECT_EQ(probe.count(MessageId::LeftButtonDown), 0);
    driver.answerBox(BoxResult::No);
    EXPECT_TRUE(isEnabled(window));
    EXPECT_EQ(answers, (std::vector<BoxResult>{BoxResult::No}));
}

struct KeyCase {
    const char* name;
    BoxButtons buttons;
    int defaultButton;
    int key;
    BoxResult expected;
};

TEST_F(BoxTest, EnterTakesTheDefaultAndEscapeTheCautiousAnswer) {
    const KeyCase cases[] = {
        {"enter on yes/no, No default", BoxButtons::YesNo, 1, key::Return, BoxResult::No},
        {"enter on yes/no, Yes default", BoxButtons::YesNo, 0, key::Return, BoxResult::Yes},
        {"escape on yes/no", BoxButtons::YesNo, 0, key::Escape, BoxResult::No},
        {"escape on ok/cancel", BoxButtons::OkCancel, 0, key::Escape, BoxResult::Cancel},
        {"enter on ok", BoxButtons::Ok, 0, key::Return, BoxResult::Ok},
    };
    for (const KeyCase& kc : cases) {
        SCOPED_TRACE(kc.name);
        answers.clear();
        style = BoxStyle{kc.buttons, BoxIcon::Exclamation, kc.defaultButton, true};
        driver.clickControl(button);
        ASSERT_TRUE(driver.currentBox());
        driver.keyPress(kc.key);
        ASSERT_EQ(answers.size(), 1u);
        EXPECT_EQ(answers[0], kc.expected);
    }
}

TEST_F(BoxTest, TheCloseBoxOfABoxAnswersCancel) {
    style = BoxStyle{BoxButtons::OkCancel, BoxIcon::Information, 0, true};
    driver.clickControl(button);
    std::optional<BoxInfo> box = driver.currentBox();
    ASSERT_TRUE(box);
    Rect r = windowRect(box->window);
    Rect close = closeBoxRect(sizeOf(r), windowStyle(box->window));
    driver.leftClick({r.left + close.left + 4, r.top + close.top + 4});
    EXPECT_EQ(answers, (std::vector<BoxResult>{BoxResult::Cancel}));
}

TEST_F(BoxTest, AQuitWhileTheBoxIsOpenEndsBothLoops) {
    driver.clickControl(button);
    ASSERT_TRUE(driver.currentBox());
    driver.call([] { postQuitMessage(5); });
    EXPECT_EQ(answers, (std::vector<BoxResult>{BoxResult::No}));
    EXPECT_TRUE(driver.hasEnded());
    EXPECT_EQ(driver.exitCode(), 5);
}

TEST_F(BoxTest, ALongTextIsWrappedAndFullyShown) {
    text.clear();
    for (int i = 0; i < 120; ++i) text += "word" + std::to_string(i) + " ";
    text += "\nA second paragraph with an unbreakable " + std::string(300, 'x') + " tail.";
    driver.clickControl(button);
    std::optional<BoxInfo> box = driver.currentBox();
    ASSERT_TRUE(box);
    ASSERT_GT(box->lines.size(), 6u);
    // Nothing is lost: the lines put back together are the text.
    std::string joined;
    for (std::size_t i = 0; i < box->lines.size(); ++i) joined += box->lines[i];
    std::string expected;
    for (char c : text) {
        if (c != ' ' && c != '\n') expected += c;
    }
    std::string joinedCompact;
    for (char c : joined) {
        if (c != ' ') joinedCompact += c;
    }
    EXPECT_EQ(joinedCompact, expected);
    // Every line fits in the box, and the box is tall enough for all of them.
    Font font = stockGuiFont();
    Rect client = clientRect(box->window);
    for (const std::string& line : box->lines) EXPECT_LE(font.textExtent(line).cx, client.width() - 14 - 32 - 12 - 14) << line;
    int needed = static_cast<int>(box->lines.size()) * font.metrics().height;
    EXPECT_GE(client.height(), needed + 28 + 24);
    // The last line is really drawn: dark pixels in its row.
    Bitmap pixels = clientBitmap(box->window);
    int rowTop = 14 + (static_cast<int>(box->lines.size()) - 1) * font.metrics().height;
    int dark = 0;
    for (int y = rowTop; y < rowTop + font.metrics().height; ++y)
        for (int x = 0; x < pixels.width(); ++x) dark += pixels.pixel(x, y) == rgb(0, 0, 0);
    EXPECT_GT(dark, 5);
    driver.answerBox(BoxResult::Yes);
}

struct LocaleCase {
    const char* name;
    const char* all;
    const char* messages;
    const char* lang;
    BoxLanguage expected;
};

TEST(BoxLanguageTest, FrenchWhenTheFirstLocaleVariableSetSaysFrench) {
    const LocaleCase cases[] = {
        {"LANG French", nullptr, nullptr, "fr_FR.UTF-8", BoxLanguage::French},
        {"LC_ALL wins", "en_US.UTF-8", "fr_FR", "fr_FR", BoxLanguage::English},
        {"LC_MESSAGES before LANG", nullptr, "fr_CA.UTF-8", "en_US", BoxLanguage::French},
        {"empty LC_ALL is skipped", "", nullptr, "fr_BE", BoxLanguage::French},
        {"nothing set", nullptr, nullptr, nullptr, BoxLanguage::English},
        {"C locale", "C", nullptr, "fr_FR", BoxLanguage::English},
        {"f alone", nullptr, nullptr, "f", BoxLanguage::English},
    };
    for (const LocaleCase& lc : cases) {
        SCOPED_TRACE(lc.name);
        LocaleGuard guard(lc.all, lc.messages, lc.lang);
        EXPECT_EQ(boxLanguage(), lc.expected);
    }
}

TEST_F(BoxTest, LabelsFollowTheLanguage) {
    struct Case {
        const char* lang;
        BoxButtons buttons;
        std::vector<std::string> labels;
    };
    const Case cases[] = {
        {"fr_FR.UTF-8", BoxButtons::YesNo, {"Oui", "Non"}},
        {"fr_FR.UTF-8", BoxButtons::OkCancel, {"OK", "Annuler"}},
        {"en_US.UTF-8", BoxButtons::OkCancel, {"OK", "Cancel"}},
        {"de_DE.UTF-8", BoxButtons::YesNo, {"Yes", "No"}},
        {"fr_FR.UTF-8", BoxButtons::Ok, {"OK"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lang);
        LocaleGuard guard(nullptr, nullptr, c.lang);
        style.buttons = c.buttons;
        driver.clickControl(button);
        std::optional<BoxInfo> box = driver.currentBox();
        ASSERT_TRUE(box);
        EXPECT_EQ(box->labels, c.labels);
        for (std::size_t i = 0; i < c.labels.size(); ++i) EXPECT_EQ(windowText(box->buttonWindows[i]), c.labels[i]);
        EXPECT_TRUE(driver.answerBox(c.labels[0]));
        EXPECT_FALSE(driver.currentBox());
    }
}

TEST(BoxStyleTest, ClassicFlagsDecode) {
    struct Case {
        unsigned flags;
        BoxButtons buttons;
        BoxIcon icon;
        int defaultButton;
        bool systemModal;
    };
    const Case cases[] = {
        {0x1030, BoxButtons::Ok, BoxIcon::Exclamation, 0, true},
        {0x1024, BoxButtons::YesNo, BoxIcon::Question, 0, true},
        {0x1021, BoxButtons::OkCancel, BoxIcon::Question, 0, true},
        {0x1134, BoxButtons::YesNo, BoxIcon::Exclamation, 1, true},
        {0x0014, BoxButtons::YesNo, BoxIcon::Stop, 0, false},
        {0x0040, BoxButtons::Ok, BoxIcon::Information, 0, false},
        {0x0003, BoxButtons::Ok, BoxIcon::None, 0, false},  // unsupported buttons fall back to OK
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flags);
        BoxStyle s = boxStyleFromFlags(c.flags);
        EXPECT_EQ(s.buttons, c.buttons);
        EXPECT_EQ(s.icon, c.icon);
        EXPECT_EQ(s.defaultButton, c.defaultButton);
        EXPECT_EQ(s.systemModal, c.systemModal);
    }
}

TEST(WrapTextTest, BreaksAtNewlinesWordsAndInsideLongWords) {
    Font font = stockGuiFont();
    int w = font.textExtent("abcdefghij").cx;
    std::vector<std::string> lines = wrapText("one\n\ntwo", font, 1000);
    EXPECT_EQ(lines, (std::vector<std::string>{"one", "", "two"}));
    lines = wrapText(std::string(40, 'a'), font, w);
    ASSERT_GT(lines.size(), 1u);
    std::string joined;
    for (const std::string& l : lines) {
        EXPECT_LE(font.textExtent(l).cx, w);
        joined += l;
    }
    EXPECT_EQ(joined, std::string(40, 'a'));
    // Multi-byte characters are never split.
    lines = wrapText("\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", font, font.textExtent("\xC3\xA9\xC3\xA9").cx);
    for (const std::string& l : lines) {
        ASSERT_FALSE(l.empty());
        EXPECT_EQ(static_cast<unsigned char>(l[0]), 0xC3);
        EXPECT_EQ(l.size() % 2, 0u);
    }
    // A width too small for any character still makes progress, one character a line.
    lines = wrapText("abc", font, 0);
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "c"}));
}

}  // namespace
}  // namespace winsys
