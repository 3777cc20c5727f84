#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/command_line.h"

namespace {

ParseResult parse(std::vector<const char*> args) {
    args.insert(args.begin(), "hoofbrawl");
    return parseCommandLine(static_cast<int>(args.size()), args.data());
}

std::string answered(const ParseResult& r, int& status, bool toErr) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    status = answerCommandLine(r, "hoofbrawl", out, err);
    std::FILE* f = toErr ? err : out;
    std::rewind(f);
    std::string s;
    for (int c; (c = std::fgetc(f)) != EOF;) s += static_cast<char>(c);
    std::fclose(out);
    std::fclose(err);
    return s;
}

TEST(CommandLine, NothingGivenRunsTheGameWithGlutGettingOnlyTheProgramName) {
    ParseResult r = parse({});
    EXPECT_EQ(r.outcome, ParseOutcome::Run);
    EXPECT_EQ(r.options.glutArgs, std::vector<std::string>{"hoofbrawl"});
    EXPECT_EQ(r.options.driver[0], "keys");
    EXPECT_EQ(r.options.driver[1], "keys");
}

TEST(CommandLine, GlutsOwnOptionsReachGlutWithTheirValues) {
    ParseResult r = parse({"-display", ":7", "--seed", "5", "-iconic", "-geometry", "640x480"});
    ASSERT_EQ(r.outcome, ParseOutcome::Run) << r.error;
    EXPECT_EQ(r.options.glutArgs,
              (std::vector<std::string>{"hoofbrawl", "-display", ":7", "-iconic", "-geometry", "640x480"}));
    EXPECT_EQ(r.options.seed, 5u);
}

TEST(CommandLine, HelpListsEveryOptionAndExitsZero) {
    int status = -1;
    std::string text = answered(parse({"--help"}), status, false);
    EXPECT_EQ(status, 0);
    for (const OptionRow& row : optionTable()) EXPECT_NE(text.find(row.name), std::string::npos) << row.name;
}

TEST(CommandLine, VersionPrintsTheBuildsVersion) {
    int status = -1;
    std::string text = answered(parse({"--version"}), status, false);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(text, std::string("hoofbrawl ") + HOOFBRAWL_VERSION + "\n");
}

TEST(CommandLine, BadOptionsGiveTheUsageOnStandardErrorAndStatusTwo) {
    const std::vector<std::vector<const char*>> bad = {
        {"--frobnicate"},        {"--seed"},           {"--seed", "-3"},        {"--seed", "12x"},
        {"--steps", "0"},        {"--boris", "robot"}, {"--host", "70000"},     {"--play", "daisy"},
        {"--play", "boris"},     {"--help=yes"},       {"--replay", ""},        {"-display"},
        {"--host", "1", "--join", "x"}, {"--record", "a.rep"},
    };
    for (const auto& args : bad) {
        ParseResult r = parse(args);
        EXPECT_EQ(r.outcome, ParseOutcome::ExitUsage) << args[0];
        int status = -1;
        std::string text = answered(r, status, true);
        EXPECT_EQ(status, 2) << args[0];
        EXPECT_NE(text.find("Usage: hoofbrawl"), std::string::npos) << args[0];
    }
}

TEST(CommandLine, DriversSeedsAndValuesAfterAnEqualsSign) {
    ParseResult r = parse({"--boris=computer:hard", "--horace", "idle", "--seed=18446744073709551615",
                           "--headless", "--steps", "100", "--map", "a.map"});
    ASSERT_EQ(r.outcome, ParseOutcome::Run) << r.error;
    EXPECT_EQ(r.options.driver[0], "computer:hard");
    EXPECT_EQ(r.options.driver[1], "idle");
    EXPECT_EQ(r.options.seed, 18446744073709551615ull);
    EXPECT_TRUE(r.options.headless);
    EXPECT_EQ(r.options.steps, 100);
    EXPECT_EQ(r.options.mapFile, "a.map");
}

}  // namespace

namespace {

std::string fileText(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    std::string s;
    if (!f) return s;
    for (int c; (c = std::fgetc(f)) != EOF;) s += static_cast<char>(c);
    std::fclose(f);
    return s;
}

// The one table is what the manual page and the README are checked against:
// an option added to the game and not to them fails here.
TEST(CommandLine, TheManualPageAndTheReadmeNameEveryOption) {
    const std::string manual = fileText(std::string(HOOFBRAWL_SOURCE_DIR) + "/dist/hoofbrawl.6.in");
    const std::string readme = fileText(std::string(HOOFBRAWL_SOURCE_DIR) + "/README.md");
    ASSERT_FALSE(manual.empty());
    ASSERT_FALSE(readme.empty());
    for (const OptionRow& row : optionTable()) {
        std::string roff;
        for (const char* p = row.name; *p; ++p) roff += *p == '-' ? std::string("\\-") : std::string(1, *p);
        EXPECT_NE(manual.find(roff), std::string::npos) << row.name << " is not in the manual page";
        EXPECT_NE(readme.find(row.name), std::string::npos) << row.name << " is not in the README";
    }
}

}  // namespace
