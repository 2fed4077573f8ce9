#include "foundation/environment.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/winsys/backend.h"
#include "platform/winsys/headless/headless_backend.h"
#include "platform/winsys/services.h"

namespace tamblo {
namespace {

TEST(BuildDate, CompilerDateBecomesYearMonthDay) {
    EXPECT_EQ(buildDateStamp("Apr 10 2021"), "20210410");
    EXPECT_EQ(buildDateStamp("Apr  1 2021"), "20210401");
    EXPECT_EQ(buildDateStamp("Dec 31 1999"), "19991231");
    EXPECT_EQ(buildDateStamp("???"), "00000000");
    EXPECT_EQ(buildDate().length(), 8);
}

// Runs in a temporary folder with a fake "module" file, recording what would be started.
class CanonicalName : public ::testing::Test {
protected:
    void SetUp() override {
        winsys::useBackend(&backend_);
        old_ = std::filesystem::current_path();
        dir_ = std::filesystem::temp_directory_path() /
               ("tamblo-env-" + std::to_string(getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
        std::filesystem::current_path(dir_);
        setLaunchHook([this](const std::string& p, const std::string& a, bool) {
            launched_.push_back(p + " " + a);
            return true;
        });
        setExitHook([this](int code) { exits_.push_back(code); });
    }
    void TearDown() override {
        setLaunchHook(nullptr);
        setExitHook(nullptr);
        std::filesystem::current_path(old_);
        std::filesystem::remove_all(dir_);
        winsys::useBackend(nullptr);
    }
    void write(const std::filesystem::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }
    void runAs(const std::filesystem::path& module, const std::string& args) {
        environment().modulePath.set(module.string());
        environment().commandLine.set(args);
    }
    winsys::headless::HeadlessBackend backend_;
    std::filesystem::path old_, dir_;
    std::vector<std::string> launched_;
    std::vector<int> exits_;
};

TEST_F(CanonicalName, MatchingNameInAnyCaseNeedsNoRelaunch) {
    write(dir_ / "tamblo-DEMO126", "program");
    runAs(dir_ / "tamblo-DEMO126", "");
    EXPECT_TRUE(ensureCanonicalName("Tamblo-demo126", true));
    EXPECT_TRUE(launched_.empty());
    EXPECT_FALSE(std::filesystem::exists(dir_ / "Tamblo-demo126"));
}

TEST_F(CanonicalName, OtherNameCopiesTheModuleAndStartsTheCopy) {
    std::filesystem::create_directory(dir_ / "elsewhere");
    write(dir_ / "elsewhere" / "game", "program bytes");
    runAs(dir_ / "elsewhere" / "game", "");
    EXPECT_TRUE(ensureCanonicalName("Tamblo-demo126", true));
    ASSERT_TRUE(std::filesystem::exists(dir_ / "Tamblo-demo126"));
    std::ifstream in(dir_ / "Tamblo-demo126");
    std::string copied((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(copied, "program bytes");
    ASSERT_EQ(launched_.size(), 1u);
    EXPECT_EQ(launched_[0], (dir_ / "Tamblo-demo126").string() + " killexe=" + (dir_ / "elsewhere" / "game").string());
    EXPECT_EQ(exits_, std::vector<int>{0});
    EXPECT_FALSE(ensureCanonicalName("Tamblo-demo126", false));  // no relaunch allowed
    EXPECT_EQ(launched_.size(), 1u);
}

TEST_F(CanonicalName, KillexeRemovesOnlyACopyOfThisProgram) {
    write(dir_ / "Tamblo-demo126", "program bytes");
    write(dir_ / "old-game", "program bytes");
    write(dir_ / "precious.txt", "someone's file");
    std::filesystem::create_directory(dir_ / "sub");
    write(dir_ / "sub" / "twin", "program bytes");
    runAs(dir_ / "Tamblo-demo126", "killexe=" + (dir_ / "precious.txt").string());
    EXPECT_TRUE(ensureCanonicalName("Tamblo-demo126", true));
    EXPECT_TRUE(std::filesystem::exists(dir_ / "precious.txt"));
    runAs(dir_ / "Tamblo-demo126", "killexe=" + (dir_ / "sub" / "twin").string());
    EXPECT_TRUE(ensureCanonicalName("Tamblo-demo126", true));
    EXPECT_TRUE(std::filesystem::exists(dir_ / "sub" / "twin"));  // not beside us: left alone
    runAs(dir_ / "Tamblo-demo126", "killexe=");
    EXPECT_TRUE(ensureCanonicalName("Tamblo-demo126", true));
    runAs(dir_ / "Tamblo-demo126", "KILLEXE=" + (dir_ / "Tamblo-demo126").string());
    EXPECT_TRUE(ensureCanonicalName("Tamblo-demo126", true));
    EXPECT_TRUE(std::filesystem::exists(dir_ / "Tamblo-demo126"));  // never itself
    runAs(dir_ / "Tamblo-demo126", "killexe=" + (dir_ / "old-game").string());
    EXPECT_TRUE(ensureCanonicalName("Tamblo-demo126", true));
    EXPECT_FALSE(std::filesystem::exists(dir_ / "old-game"));
    EXPECT_TRUE(launched_.empty());
}

TEST_F(CanonicalName, FailedCopyKeepsRunningUnderTheCurrentName) {
    runAs(dir_ / "vanished", "");
    EXPECT_FALSE(ensureCanonicalName("Tamblo-demo126", true));
    EXPECT_TRUE(launched_.empty());
    EXPECT_TRUE(exits_.empty());
}

TEST_F(CanonicalName, StartUpRecordsTheEnvironment) {
    backend_.setScreenSize({1024, 768});
    const char* argv[] = {"/x/prog", "killexe=/a/b"};
    winsys::setProgramArguments(2, argv);
    startUp("Tamblo 126");
    EXPECT_EQ(environment().boxCaption, "Tamblo 126");
    EXPECT_EQ(environment().commandLine, "killexe=/a/b");
    EXPECT_EQ(environment().screenWidth, 1024);
    EXPECT_EQ(environment().screenHeight, 768);
    EXPECT_EQ(environment().buildDate, buildDate().view());
    EXPECT_FALSE(environment().modulePath.isEmpty());
}

TEST_F(CanonicalName, RemoveWhenFreeWaitsOnTheClock) {
    std::uint32_t before = backend_.ticks();
    EXPECT_TRUE(removeWhenFree((dir_ / "absent").string(), 300));
    EXPECT_EQ(backend_.ticks(), before);  // nothing to wait for
    write(dir_ / "f", "x");
    EXPECT_TRUE(removeWhenFree((dir_ / "f").string(), 300));
    EXPECT_EQ(backend_.ticks() - before, 300u);
    EXPECT_FALSE(std::filesystem::exists(dir_ / "f"));
}

}  // namespace
}  // namespace tamblo
