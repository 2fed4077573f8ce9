// System services: cursors, key polling, files, processes, the program's own facts.
#include "platform/winsys/cursor.h"
#include "platform/winsys/services.h"
#include "tests/platform/winsys/window_test_support.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace winsys {
namespace {

using headless::Driver;

// Planes with a black 4 x 4 square at (0, 0), a white one at (8, 0), an inverted one at
// (16, 0) and transparency elsewhere.
void makePlanes(CursorPlane& andPlane, CursorPlane& xorPlane) {
    andPlane.fill(0xFF);
    xorPlane.fill(0x00);
    for (int y = 0; y < 4; ++y) {
        andPlane[y * 4 + 0] = 0x0F;  // x 0..3 AND 0, XOR 0: black
        andPlane[y * 4 + 1] = 0x0F;  // x 8..11 AND 0, XOR 1: white
        xorPlane[y * 4 + 1] = 0xF0;
        xorPlane[y * 4 + 2] = 0xF0;  // x 16..19 AND 1, XOR 1: inverted
    }
}

TEST(CursorTest, CursorsFromPlanesKeepTheirPixelsAndHotSpot) {
    Driver driver;
    CursorPlane a, x;
    makePlanes(a, x);
    CursorHandle c = createCursor({16, 16}, a, x);
    ASSERT_TRUE(c);
    const CursorShape* shape = cursorShape(c);
    ASSERT_NE(shape, nullptr);
    EXPECT_FALSE(shape->isSystem);
    EXPECT_EQ(shape->hotSpot, (Point{16, 16}));
    struct Case {
        int x, y;
        CursorPixel expected;
    };
    const Case cases[] = {{0, 0, CursorPixel::Black}, {3, 3, CursorPixel::Black}, {4, 0, CursorPixel::Transparent},
                          {8, 2, CursorPixel::White}, {17, 1, CursorPixel::Inverted}, {0, 4, CursorPixel::Transparent},
                          {31, 31, CursorPixel::Transparent}, {-1, 0, CursorPixel::Transparent}, {32, 0, CursorPixel::Transparent}};
    for (const Case& k : cases) EXPECT_EQ(cursorPixel(*shape, k.x, k.y), k.expected) << k.x << "," << k.y;
    // mask = ~AND, data = ~(AND ^ XOR): black is drawn and dark, white drawn and light.
    CursorMaskAndData md = cursorMaskAndData(*shape);
    EXPECT_EQ(md.mask[0], 0xF0);
    EXPECT_EQ(md.data[0] & 0xF0, 0xF0);
    EXPECT_EQ(md.mask[1], 0xF0);
    EXPECT_EQ(md.data[1] & 0xF0, 0x00);
    EXPECT_EQ(md.mask[5 * 4], 0x00);
}

TEST(CursorTest, BadPlanesOrHotSpotsGiveNoCursor) {
    Driver driver;
    CursorPlane a, x;
    makePlanes(a, x);
    EXPECT_FALSE(createCursor({32, 0}, a, x));
    EXPECT_FALSE(createCursor({0, -1}, a, x));
    std::vector<std::uint8_t> shortPlane(100, 0);
    EXPECT_FALSE(createCursor({0, 0}, shortPlane, x));
    EXPECT_TRUE(createCursor({31, 31}, a, x));
}

TEST(CursorTest, SettingReturnsThePreviousAndDestroyFallsBackToTheArrow) {
    Driver driver;
    CursorHandle arrow = loadSystemCursor(SystemCursor::Arrow);
    CursorHandle wait = loadSystemCursor(SystemCursor::Wait);
    EXPECT_EQ(arrow, loadSystemCursor(SystemCursor::Arrow));
    EXPECT_NE(arrow, wait);
    EXPECT_EQ(currentCursor(), arrow);
    CursorPlane a, x;
    makePlanes(a, x);
    CursorHandle own = createCursor({1, 1}, a, x);
    EXPECT_EQ(setCursor(wait), arrow);
    EXPECT_EQ(setCursor(own), wait);
    EXPECT_EQ(currentCursor(), own);
    EXPECT_TRUE(isSystemCursor(wait, SystemCursor::Wait));
    EXPECT_FALSE(destroyCursor(wait));
    EXPECT_TRUE(destroyCursor(own));
    EXPECT_FALSE(destroyCursor(own));
    EXPECT_EQ(currentCursor(), arrow);
    EXPECT_EQ(cursorShape(own), nullptr);
    EXPECT_FALSE(setCursor(own));  // a destroyed cursor changes nothing
    EXPECT_EQ(currentCursor(), arrow);
    EXPECT_EQ(setCursor(CursorHandle{}), arrow);  // hides it
    EXPECT_FALSE(currentCursor());
}

TEST(KeyStateTest, NonZeroWhileDownOrWhenPressedSinceTheLastQuery) {
    Driver driver;
    driver.startLoop();
    EXPECT_EQ(asyncKeyState('3'), 0);
    driver.keyPress('3');
    EXPECT_NE(asyncKeyState('3'), 0);  // pressed since the last query
    EXPECT_EQ(asyncKeyState('3'), 0);  // and only once
    driver.keyDown(key::Tab);
    EXPECT_NE(asyncKeyState(key::Tab) & 0x8000, 0);
    EXPECT_NE(asyncKeyState(key::Tab) & 0x8000, 0);  // still down
    driver.keyUp(key::Tab);
    EXPECT_EQ(asyncKeyState(key::Tab), 0);
    driver.keyPress(key::Numpad0 + 6);
    EXPECT_EQ(asyncKeyState(key::Numpad0 + 5), 0);
    EXPECT_EQ(asyncKeyState(key::Numpad0 + 6), 1);
    EXPECT_EQ(asyncKeyState(-1), 0);
    EXPECT_EQ(asyncKeyState(256), 0);
}

class FileServicesTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::path(TAMBLO_TEST_OUTPUT_DIR) / "winsys_services";
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    std::string file(const std::string& name) const { return (dir / name).string(); }
    static std::string read(const std::string& path) {
        std::ifstream in(path);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::filesystem::path dir;
};

TEST_F(FileServicesTest, CopyingKeepsContentsAndPermissions) {
    {
        std::ofstream(file("a.sh")) << "#!/bin/sh\necho hi\n";
    }
    chmod(file("a.sh").c_str(), 0755);
    ASSERT_TRUE(copyFile(file("a.sh"), file("b.sh"), true));
    EXPECT_EQ(read(file("b.sh")), "#!/bin/sh\necho hi\n");
    EXPECT_TRUE(std::filesystem::status(file("b.sh")).permissions() == std::filesystem::status(file("a.sh")).permissions());
    EXPECT_FALSE(copyFile(file("a.sh"), file("b.sh"), true));  // exists
    EXPECT_TRUE(copyFile(file("a.sh"), file("b.sh"), false));
    EXPECT_FALSE(copyFile(file("missing"), file("c.sh"), false));
    EXPECT_FALSE(copyFile(file("a.sh"), file("a.sh"), false));
    EXPECT_FALSE(copyFile(file("a.sh"), file("no/such/dir/x"), false));
}

TEST_F(FileServicesTest, AStartedProcessGetsTheArgumentTextAsOneArgument) {
    std::string script = file("echo.sh");
    {
        std::ofstream(script) << "#!/bin/sh\nprintf '%s|%s' \"$#\" \"$1\" > \"$(dirname \"$0\")/out.txt\"\n";
    }
    chmod(script.c_str(), 0755);
    ASSERT_TRUE(startProcess(script, "killexe=/some path/x", true));
    EXPECT_EQ(read(file("out.txt")), "1|killexe=/some path/x");
    ASSERT_TRUE(startProcess(script, "", true));
    EXPECT_EQ(read(file("out.txt")), "0|");
    EXPECT_FALSE(startProcess(file("does-not-exist"), "x", true));
    EXPECT_FALSE(startProcess("", "x", false));
}

TEST(ProgramFactsTest, ModulePathAndCommandLine) {
    std::string path = modulePath();
    EXPECT_EQ(std::filesystem::path(path).filename(), "winsys_services_tests");
    const char* argv[] = {"/x/prog", "killexe=a.exe", "two words"};
    setProgramArguments(3, argv);
    EXPECT_EQ(commandLine(), "killexe=a.exe two words");
    EXPECT_EQ(programArguments().size(), 2u);
    setProgramArguments(1, argv);
    EXPECT_EQ(commandLine(), "");
    setProgramArguments(0, nullptr);
    EXPECT_EQ(commandLine(), "");
}

TEST(SystemColourTest, ButtonFaceIsALightGrey) {
    Colour face = systemColour(SystemColour::ButtonFace);
    EXPECT_EQ(redOf(face), greenOf(face));
    EXPECT_EQ(greenOf(face), blueOf(face));
    EXPECT_GT(redOf(face), 0xB0);
    EXPECT_EQ(iconKind(loadSystemIcon(SystemIcon::Question)), SystemIcon::Question);
    EXPECT_EQ(iconKind(IconHandle{99}), SystemIcon::Application);
}

}  // namespace
}  // namespace winsys
