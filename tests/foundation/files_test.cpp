#include "foundation/files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace tamblo {
namespace {

TEST(PathParts, SplitsAndComposes) {
    struct Case {
        const char* path;
        const char* drive;
        const char* dir;
        const char* name;
        const char* ext;
        const char* fx;
        const char* urfx;
    };
    const Case cases[] = {
        {"c:\\games\\Tamblo-demo12.exe", "C:", "/games/", "Tamblo-demo12", ".exe", "Tamblo-demo12.exe",
         "C:/games/Tamblo-demo12.exe"},
        {"notes", "", "", "notes", "", "notes.", "notes."},
        {"/a/b/", "", "/a/b/", "", "", ".", "/a/b/."},
        {"/usr/local/bin/Tamblo-demo126", "", "/usr/local/bin/", "Tamblo-demo126", "", "Tamblo-demo126.",
         "/usr/local/bin/Tamblo-demo126."},
        {"/home/u/../x. txt", "", "/home/u/../", "x", ". txt", "x. txt", "/home/u/../x. txt"},
        {"dir/name with spaces .txt", "", "dir/", "name with spaces", ".txt", "name with spaces.txt",
         "dir/name with spaces.txt"},
    };
    for (const Case& c : cases) {
        PathParts p;
        p.split(c.path);
        EXPECT_EQ(p.drive(), c.drive) << c.path;
        EXPECT_EQ(p.directory(), c.dir) << c.path;
        EXPECT_EQ(p.name(), c.name) << c.path;
        EXPECT_EQ(p.extension(), c.ext) << c.path;
        DynString out;
        p.compose("fx", out);
        EXPECT_EQ(out, c.fx) << c.path;
        p.compose("URFX", out);
        EXPECT_EQ(out, c.urfx) << c.path;
        EXPECT_EQ(out.view().find("//"), std::string_view::npos);
    }
}

TEST(PathParts, ColonFarIntoThePathIsNoDrive) {
    PathParts p;
    p.split("/a/very/long:name.txt");
    EXPECT_EQ(p.drive(), "");
    EXPECT_EQ(p.directory(), "/a/very/");
    EXPECT_EQ(p.name(), "long:name");
}

TEST(Files, SizeCopyRenameAndRemove) {
    auto dir = std::filesystem::temp_directory_path() /
               ("tamblo-files-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::create_directories(dir);
    std::string a = (dir / "a.txt").string(), b = (dir / "b.txt").string(), c = (dir / "c.txt").string();
    {
        std::FILE* f = openWrite(a);
        ASSERT_NE(f, nullptr);
        EXPECT_TRUE(writeLine(f, "hello"));
        EXPECT_TRUE(writeText(f, "x", false));
        EXPECT_EQ(fileSize(f), 8);
        closeFile(f);
    }
    bool atEnd = true;
    std::FILE* f = openRead(a, atEnd);
    ASSERT_NE(f, nullptr);
    EXPECT_FALSE(atEnd);
    std::fgetc(f);
    std::fgetc(f);
    EXPECT_EQ(fileSize(f), 8);
    EXPECT_EQ(std::ftell(f), 2);  // the position stays
    closeFile(f);

    std::ofstream(b) << "old and longer";
    EXPECT_TRUE(copyFile(a, b));  // replaces
    EXPECT_EQ(std::filesystem::file_size(b), 8u);
    EXPECT_TRUE(copyFile(a, a));
    EXPECT_FALSE(copyFile((dir / "missing").string(), c));
    EXPECT_TRUE(renameFile(b, c));
    EXPECT_FALSE(fileExists(b));
    EXPECT_TRUE(fileExists(c));
    EXPECT_TRUE(removeFile(c));
    EXPECT_FALSE(removeFile(c));
    EXPECT_EQ(openRead("", atEnd), nullptr);
    EXPECT_EQ(fileSize(nullptr), -1);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace tamblo
