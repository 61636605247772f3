#include "profile_files_conformance.h"

#include <optional>
#include <string_view>

namespace zindle::test {

using namespace std::string_view_literals;

std::string ProfileFilesConformance::Nl(std::string_view text) const {
    std::string out;
    for (char c : text) {
        if (c == '\n') {
            out += GetParam().newFileNewline;
        } else {
            out += c;
        }
    }
    return out;
}

TEST_P(ProfileFilesConformance, ReadsSectionsKeysAndValuesLikeWindows) {
    WriteBytes(path_,
               "orphan=1\n"
               "[S]\r\n"
               "  key1 = value one  \r"
               "a=b=c\n"
               "=empty name\n"
               ";c=comment\n"
               "#k=hash\n"
               "k2=v ;x\n"
               "noequals\n"
               "q1=  \" v \"  \n"
               "q2=''x''\n"
               "q3=\"v'\n"
               "q4=\"\n"
               "\"qk\"=quoted name\n"
               "Dup=first\n"
               "dup=second\n"
               " \t\v\n"
               " [ T ] trailing\n"
               "t=1\n"
               "[s]\n"
               "late=x\n"
               "[U]u=v\n"
               "[V   \n"
               "W]\n"
               "w=2\n"
               "[a]b]\n"
               "ab=1\n"
               "[]\n"
               "last=no break");
    struct Lookup {
        const char* section;
        const char* key;
        const char* expected;
    };
    const Lookup lookups[] = {
        {"", "orphan", "<default>"},   {"S", "key1", "value one"},  {"s", "KEY1", "value one"},
        {"S", "a", "b=c"},             {"S", "", "empty name"},     {"S", ";c", "<default>"},
        {"S", "#k", "hash"},           {"S", "k2", "v ;x"},         {"S", "noequals", "<default>"},
        {"S", "q1", " v "},            {"S", "q2", "'x'"},          {"S", "q3", "\"v'"},
        {"S", "q4", "\""},             {"S", "\"qk\"", "quoted name"}, {"S", "qk", "<default>"},
        {"S", "DUP", "first"},         {"S", "late", "<default>"},  {"T", "t", "1"},
        {"U", "u", "<default>"},       {"V", "w", "2"},             {"a", "ab", "1"},
        {"", "last", "no break"},
    };
    for (const Lookup& lookup : lookups) {
        EXPECT_EQ(Get(lookup.section, lookup.key), lookup.expected) << lookup.section << "/" << lookup.key;
    }
}

TEST_P(ProfileFilesConformance, TrimsCallerNamesAndDefaults) {
    WriteBytes(path_, "[S]\nk=v\n");
    EXPECT_EQ(files_->GetString("  S ", " k  ", "d", 255, path_), "v");
    EXPECT_EQ(files_->GetString("\tS", "k", "d", 255, path_), "d");
    EXPECT_EQ(files_->GetString("S", "missing", "   d   ", 255, path_), "   d");
    EXPECT_EQ(files_->GetString("S", "missing", "d\t", 255, path_), "d\t");
    EXPECT_EQ(files_->GetString("S", "missing", "\"d\"", 255, path_), "\"d\"");
    EXPECT_EQ(files_->GetString("Other", "k", "d", 255, path_), "d");
    EXPECT_EQ(files_->GetString("S", "k", "d", 255, dir_.File("missing.ini")), "d");
}

TEST_P(ProfileFilesConformance, CutsValuesAndDefaultsToTheBuffer) {
    const std::string v254(254, 'a');
    const std::string v300 = v254 + std::string(46, 'c');
    WriteBytes(path_, "[S]\nv254=" + v254 + "\nv255=" + v254 + "b\nv300=" + v300 + "\nquoted=\"" + v300 + "\"\n");
    for (const char* key : {"v254", "v255", "v300", "quoted"}) EXPECT_EQ(Get("S", key), v254) << key;
    EXPECT_EQ(files_->GetString("S", "missing", v300, 255, path_), v254);
    EXPECT_EQ(Get("S", "v300", 5), "aaaa");
}

TEST_P(ProfileFilesConformance, EditsOnlyTheLinesItMust) {
    struct Edit {
        const char* before;
        const char* section;
        std::optional<std::string_view> key;
        std::optional<std::string_view> value;
        const char* after;
    };
    const Edit edits[] = {
        // Replacing keeps the file's spelling of the key; a last line gains a break.
        {"; top\n[S]\n  TestKey = old  \n\n; c\nother=1\n", "S", "TESTKEY", "new",
         "; top\n[S]\nTestKey=new\n\n; c\nother=1\n"},
        {"[S]\nk=old", "s", "K", "new", "[S]\nk=new\n"},
        {"[S]\nk=1\n", " S ", " k ", " v ", "[S]\nk= v \n"},
        {"[S]\nk=1\n[T]\n[s]\nk=2\n", "S", "k", "3", "[S]\nk=3\n[T]\n[s]\nk=2\n"},
        // New keys go after the section's last key line, or right after its header.
        {"[S]\na=1\n; c\n\nfree text\n[T]\n", "S", "b", "2", "[S]\na=1\nb=2\n; c\n\nfree text\n[T]\n"},
        {"[S]\n; c\n[T]\n", "S", "b", "2", "[S]\nb=2\n; c\n[T]\n"},
        {"[S]", "S", "k", "v", "[S]\nk=v\n"},
        // New sections go at the end, with no blank line before them.
        {"[S]\na=1", "T", "k", "v", "[S]\na=1\n[T]\nk=v\n"},
        {"[S]\na=1\n\n", "T", "k", "", "[S]\na=1\n\n[T]\nk=\n"},
        // A null value deletes the key's line; the header stays.
        {"[S]\na=1\nb=2\n", "S", "A", std::nullopt, "[S]\nb=2\n"},
        {"[S]\na=1\n", "S", "a", std::nullopt, "[S]\n"},
        {"[S]\na=1\n", "S", "zz", std::nullopt, "[S]\na=1\n"},
        {"[S]\na=1\n", "Q", "a", std::nullopt, "[S]\na=1\n"},
        // A null key deletes the header and key lines; comments stay.
        {"[S]\na=1\n; c\nb=2\n[T]\nt=1\n", "s", std::nullopt, std::nullopt, "; c\n[T]\nt=1\n"},
        {"[S]\na=1\n", "Q", std::nullopt, std::nullopt, "[S]\na=1\n"},
    };
    for (const Edit& edit : edits) {
        WriteBytes(path_, Nl(edit.before));
        EXPECT_TRUE(files_->WriteString(edit.section, edit.key, edit.value, path_)) << edit.before;
        EXPECT_EQ(ReadBytes(path_), Nl(edit.after)) << edit.before;
    }
}

TEST_P(ProfileFilesConformance, CreatesAMissingFileButNoDirectory) {
    ASSERT_TRUE(files_->WriteString("S", "k", " v ", path_));
    EXPECT_EQ(ReadBytes(path_), Nl("[S]\nk= v \n"));
    EXPECT_EQ(Get("S", "k"), "v");

    EXPECT_FALSE(files_->WriteString(std::nullopt, "k", "x", path_));
    EXPECT_EQ(ReadBytes(path_), Nl("[S]\nk= v \n"));
    EXPECT_FALSE(files_->WriteString("S", "k", "v", dir_.File("no/such.ini")));
    EXPECT_FALSE(std::filesystem::exists(dir_.File("no")));
}

TEST_P(ProfileFilesConformance, ReplacesAWholeSection) {
    WriteBytes(path_, Nl("[A]\nx=1\n[H]\ncount=3\n; note\n1=a\n2=b\n\n[Z]\nz=1\n"));
    ASSERT_TRUE(files_->WriteSection("h", "count=1\0" "1=q\0\0"sv, path_));
    EXPECT_EQ(ReadBytes(path_), Nl("[A]\nx=1\n[H]\ncount=1\n1=q\n; note\n\n[Z]\nz=1\n"));

    ASSERT_TRUE(files_->WriteSection("New", "k=v\0\0\0"sv, path_));
    EXPECT_EQ(ReadBytes(path_), Nl("[A]\nx=1\n[H]\ncount=1\n1=q\n; note\n\n[Z]\nz=1\n[New]\nk=v\n"));
    EXPECT_EQ(Get("new", "K"), "v");
}

}  // namespace zindle::test
