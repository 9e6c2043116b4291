#include "platform/IniFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace kq70 {
namespace {

using test::TempFolder;

// A settings file holding `text`, in a folder of its own.
struct IniText {
    explicit IniText(const std::string& text) { TempFolder::writeText(path, text); }
    TempFolder folder;
    const std::string path = folder.file("KQ70.ini");
};

TEST(IniFileTest, ReadsFollowProfileFileRules) {
    const IniText file("; settings\n[Initialize]\nCOM_PORT =  3  \nBAUDRATE=19200x\n"
                       "NAME=  two words  \n[Other]\nCOM_PORT=9\n");
    const IniFile ini(file.path);
    EXPECT_EQ(ini.readInt("initialize", "com_port", 1), 3) << "names ignore case";
    EXPECT_EQ(ini.readInt("INITIALIZE", "BaudRate", 9600), 19200) << "leading digits";
    EXPECT_EQ(ini.readInt("Initialize", "MISSING", -4), -4);
    EXPECT_EQ(ini.readInt("Other", "COM_PORT", 1), 9);
    EXPECT_EQ(ini.readString("Initialize", "NAME", ""), "two words") << "values are trimmed";
    EXPECT_EQ(ini.readString("Nowhere", "NAME", "fallback"), "fallback");
    EXPECT_EQ(IniFile(file.folder.file("absent.ini")).readInt("Initialize", "COM_PORT", 6), 6);
}

TEST(IniFileTest, LeadingIntegerParsing) {
    struct Case {
        const char* text;
        bool ok;
        int value;
    };
    const Case cases[] = {{"12abc", true, 12}, {"abc", false, 0},
                          {"-7", true, -7},    {"+8", true, 8},
                          {"", false, 0},      {"-", false, 0},
                          {"0042", true, 42},  {"99999999999", true, 2147483647}};
    for (const Case& c : cases) {
        int value = 0;
        EXPECT_EQ(IniFile::parseLeadingInt(c.text, value), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(value, c.value) << c.text;
        }
    }
}

TEST(IniFileTest, WritingOneKeyKeepsEveryOtherLine) {
    const IniText file("[Initialize]\nPORT_TYPE=1\nCOM_PORT=300\nBAUDRATE=9600\n"
                       "[ITEM]\nITEM1=0\nITEM2=1\n[Recent File List]\nFile1=/a b/c.k70\n");
    IniFile ini(file.path);
    ASSERT_TRUE(ini.writeInt("initialize", "com_port", 255));
    ASSERT_TRUE(ini.writeString("End Status", "LCDType", "1"));

    // The stored spelling of a key stays; a new section goes at the end.
    EXPECT_EQ(TempFolder::readText(file.path),
              "[Initialize]\nPORT_TYPE=1\nCOM_PORT=255\nBAUDRATE=9600\n\n\n[ITEM]\nITEM1=0\n"
              "ITEM2=1\n\n\n[Recent File List]\nFile1=/a b/c.k70\n\n\n[End Status]\nLCDType=1\n");
}

// A header without its closing bracket must not swallow the next line into a section name
// (which then grew by a line on every write); malformed lines come back as they were.
TEST(IniFileTest, MalformedLinesAreKeptVerbatimAcrossWrites) {
    const std::string malformed[] = {"[BROKEN", "  [no close ; x", "just some words", "[]x[",
                                     "; note\r["}; // a lone CR ends a line too
    for (const std::string& line : malformed) {
        for (const char* where : {"top", "middle", "end"}) {
            SCOPED_TRACE(line + " at the " + where);
            const std::string w = where;
            const std::string text = (w == "top" ? line + "\n" : "") + "[A]\nx=1\n" +
                                     (w == "middle" ? line + "\n" : "") + "y=2\n[C]\nz=3\n" +
                                     (w == "end" ? line + "\n" : "");
            const IniText file(text);
            IniFile ini(file.path);
            ASSERT_TRUE(ini.writeString("A", "x", "9"));
            const std::string once = TempFolder::readText(file.path);
            ASSERT_TRUE(ini.writeString("A", "x", "8"));
            ASSERT_TRUE(ini.writeString("C", "new", "4"));
            const std::string thrice = TempFolder::readText(file.path);

            if (line.find('\r') == std::string::npos) {
                EXPECT_NE(("\n" + once).find("\n" + line + "\n"), std::string::npos) << once;
            }
            EXPECT_EQ(thrice.size(), once.size() + std::string("new=4\n").size()) << thrice;
            EXPECT_EQ(ini.readString("A", "x", ""), "8");
            EXPECT_EQ(ini.readString("C", "z", ""), "3");
            EXPECT_EQ(ini.readString("C", "new", ""), "4");
        }
    }
}

TEST(IniFileTest, WriteCreatesMissingFileButNeverClobbersAnUnreadableOne) {
    TempFolder folder;
    IniFile fresh(folder.file("new.ini"));
    ASSERT_TRUE(fresh.writeInt("Initialize", "CX", 800));
    EXPECT_EQ(fresh.readInt("Initialize", "CX", 0), 800);

    // A folder in place of the file cannot be parsed; writing must fail, not replace it.
    const std::string odd = folder.file("odd.ini");
    ASSERT_EQ(::mkdir(odd.c_str(), 0755), 0);
    IniFile unreadable(odd);
    EXPECT_EQ(unreadable.readInt("Initialize", "CX", 11), 11);
    EXPECT_FALSE(unreadable.writeInt("Initialize", "CX", 800));
    EXPECT_EQ(IniFile("/dev/zero").readInt("Initialize", "CX", 12), 12) << "never parsed";
    struct stat info {};
    ASSERT_EQ(::stat(odd.c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
}

// An editor that saves UTF-8 with a byte-order mark must not cost the first section.
TEST(IniFileTest, AByteOrderMarkKeepsTheFirstSection) {
    const IniText file("\xEF\xBB\xBF[Initialize]\r\nCOM_PORT=5\r\n");
    IniFile ini(file.path);
    EXPECT_EQ(ini.readInt("Initialize", "COM_PORT", 1), 5);
    ASSERT_TRUE(ini.writeInt("Initialize", "BAUDRATE", 19200));
    EXPECT_EQ(ini.readInt("Initialize", "COM_PORT", 1), 5);
    EXPECT_EQ(TempFolder::readText(file.path).rfind("\xEF\xBB\xBF[Initialize]", 0), 0u)
        << "one mark, still first";
    EXPECT_EQ(IniFile::readIntFromText("\xEF\xBB\xBF[A]\nB=7\n", "A", "B", 0), 7);
}

// A settings file made read-only by its user is never rewritten; writing what it already
// says is no failure.
TEST(IniFileTest, AReadOnlyFileIsLeftAlone) {
    const IniText file("[ITEM]\nITEM1=1\n");
    ASSERT_EQ(::chmod(file.path.c_str(), 0444), 0);
    IniFile ini(file.path);
    EXPECT_TRUE(ini.writeInt("ITEM", "ITEM1", 1));
    EXPECT_FALSE(ini.writeInt("ITEM", "ITEM1", 0));
    EXPECT_EQ(TempFolder::readText(file.path), "[ITEM]\nITEM1=1\n");
    struct stat info {};
    ASSERT_EQ(::stat(file.path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0444u);
}

} // namespace
} // namespace kq70
