#include "grid_digest.h"
#include "pattern_code.h"
#include "pattern_history.h"
#include "pattern_parameters.h"
#include "random_source.h"
#include "sha256.h"

#include <array>
#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>
#include <variant>

#include <gtest/gtest.h>

namespace {

constexpr std::string_view codeSigns = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";

std::variant<PatternCode, CodeProblem> code(std::uint64_t state) {
    return PatternCode{state};
}

// Codes as the program made them, one for each colour mode, with the digests of the
// patterns they drew: a version that draws another pattern for any of them has broken the
// codes people have kept.
struct PinnedCode {
    const char* text;
    const char* digest;
};

} // namespace

TEST(PatternCode, PinnedCodesDrawTheirPatternsOnEveryPlatform) {
    const std::array<PinnedCode, 7> pinned = {{
        {"NQT9XN1AXGV9EAEP", "293979cbe7bb91885965a0021f1e3b2c375f19c39a191703406ad7796e593e21"},
        {"XM81EB60S5PFGPPG", "1f7dacdd4e3e8411904e5fda7e0c4ab269181bb896d7302ea6ff44f02302cb48"},
        {"DXS3CY715AYEHA0Z", "7e33922d74addd486bc07403bd3e854b7a718797a45f66f59af439f67361d2b1"},
        {"4BBQN03GKV8PVHP4", "15c6efd74fcd0d2c07277e8fe262d1088c77a5bb109b8fbd26f90d281e83627b"},
        {"T03FF9581SA13T5Y", "01f0a60c40c1b9787814c3229ffb5834ed5f9031b87b4cc7780fec8ea1b58ec3"},
        {"REVR9R7GHN2B0W1J", "a1ce2aec920012fdc340b776412807d332a8e683a2c8600028720499e065225a"},
        {"CKBKPZ8Y2S1ME4WH", "6ae42e687e4d5edc046f2709c3c91f01b668c57fa3dcb73e885651ff037f7e95"},
    }};
    RandomSource& source = randomSource();
    for (const PinnedCode& each : pinned) {
        const auto read = readCode(each.text);
        ASSERT_TRUE(std::holds_alternative<PatternCode>(read)) << each.text;
        source.restoreState(std::get<PatternCode>(read).sourceState);
        EXPECT_EQ(gridDigest(tablePassColours(drawPatternParameters(source))), each.digest)
            << each.text;
    }
}

#ifndef _WIN32
// A pinned code's canvas, 500 x 500 of the grid's points, as red, green and blue bytes row by
// row: the page's tests in the browsers compare the page's canvas with the same file.
TEST(PatternCode, APinnedCodeGivesThePinnedCanvas) {
    std::ifstream pinnedFile(PATTERN_PINNED_CANVAS);
    std::string text;
    std::string digest;
    ASSERT_TRUE(pinnedFile >> text >> digest) << PATTERN_PINNED_CANVAS;
    const auto read = readCode(text);
    ASSERT_TRUE(std::holds_alternative<PatternCode>(read)) << text;
    randomSource().restoreState(std::get<PatternCode>(read).sourceState);
    const std::vector<ColourValue> grid = tablePassColours(drawPatternParameters(randomSource()));
    std::vector<std::uint8_t> rgb;
    for (std::size_t Y = 0; Y < 500; ++Y) {
        for (std::size_t X = 0; X < 500; ++X) {
            const ColourValue colour = grid[(X * 501) + Y]; // the grid is scanned by columns
            rgb.insert(rgb.end(), {static_cast<std::uint8_t>(colour & 0xFFU),
                                   static_cast<std::uint8_t>((colour >> 8U) & 0xFFU),
                                   static_cast<std::uint8_t>((colour >> 16U) & 0xFFU)});
        }
    }
    EXPECT_EQ(sha256Hex(rgb), digest);
}
#endif

// Written and read back, any state is itself; every text is 16 signs of the alphabet.
TEST(PatternCode, EveryStateIsWrittenInSixteenSignsAndReadBack) {
    std::uint64_t state = 0;
    for (int i = 0; i < 2000; ++i) {
        const std::string text = codeText({state});
        ASSERT_EQ(text.size(), 16U);
        ASSERT_EQ(text.find_first_not_of(codeSigns), std::string::npos) << text;
        ASSERT_EQ(readCode(text), code(state)) << text;
        state = state * 6364136223846793005U + 1442695040888963407U;
    }
    EXPECT_EQ(readCode(codeText({~std::uint64_t{0}})), code(~std::uint64_t{0}));
}

// People type codes in either case, with spaces or hyphens between groups, and put the
// letters for the digits they look like.
TEST(PatternCode, IsReadAsPeopleTypeIt) {
    const std::uint64_t state = 0x0123456789ABCDEFU;
    const std::string text = codeText({state});
    std::string lower = text;
    for (char& c : lower) {
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    EXPECT_EQ(readCode(lower), code(state));
    EXPECT_EQ(
        readCode(" \t" + text.substr(0, 4) + "-" + text.substr(4, 4) + " " + text.substr(8) + "\n"),
        code(state));
    std::string misread = text;
    for (char& c : misread) {
        if (c == '0') {
            c = 'O';
        } else if (c == '1') {
            c = 'l';
        }
    }
    EXPECT_EQ(readCode(misread), code(state));
}

// Any one sign mistyped as any other, and any two different neighbours swapped, fail the
// check: no slip of the hand draws another pattern.
TEST(PatternCode, EverySlipOfOneSignOrOfTwoNeighboursIsRefused) {
    for (const std::uint64_t state :
         {std::uint64_t{0}, std::uint64_t{0x0123456789ABCDEFU}, ~std::uint64_t{0}}) {
        const std::string text = codeText({state});
        for (std::size_t at = 0; at < text.size(); ++at) {
            for (const char sign : codeSigns) {
                if (sign != text[at]) {
                    std::string slipped = text;
                    slipped[at] = sign;
                    ASSERT_EQ(readCode(slipped),
                              (std::variant<PatternCode, CodeProblem>(CodeProblem::CheckFails)))
                        << slipped;
                }
            }
            if (at + 1 < text.size() && text[at] != text[at + 1]) {
                std::string swapped = text;
                std::swap(swapped[at], swapped[at + 1]);
                ASSERT_EQ(readCode(swapped),
                          (std::variant<PatternCode, CodeProblem>(CodeProblem::CheckFails)))
                    << swapped;
            }
        }
    }
}

TEST(PatternCode, SaysWhyATextIsNoCode) {
    const std::string text = codeText({42});
    using Read = std::variant<PatternCode, CodeProblem>;
    EXPECT_EQ(readCode(""), Read(CodeProblem::WrongLength));
    EXPECT_EQ(readCode(text.substr(1)), Read(CodeProblem::WrongLength));
    EXPECT_EQ(readCode(text + "0"), Read(CodeProblem::WrongLength));
    EXPECT_EQ(readCode(std::string(100'000, 'A')), Read(CodeProblem::WrongLength));
    EXPECT_EQ(readCode("U" + text.substr(1)), Read(CodeProblem::NotACodeSign));
    EXPECT_EQ(readCode(text.substr(0, 8) + "_" + text.substr(9)), Read(CodeProblem::NotACodeSign));
    EXPECT_EQ(readCode(text.substr(0, 8) + "\xC3\xA9" + text.substr(10)),
              Read(CodeProblem::NotACodeSign));
}

// Going back and forward moves through the run's patterns; a pattern drawn anew goes at the
// end wherever the history stood, and the oldest go only past the capacity.
TEST(PatternHistory, GoesBackAndForwardAndKeepsEveryLaterPattern) {
    PatternHistory history;
    EXPECT_EQ(history.back(), std::nullopt);
    EXPECT_EQ(history.shown(), std::nullopt);
    for (std::uint64_t i = 1; i <= 3; ++i) {
        history.add({i});
    }
    EXPECT_EQ(history.forward(), std::nullopt);
    EXPECT_EQ(history.back(), PatternCode{2});
    EXPECT_EQ(history.back(), PatternCode{1});
    EXPECT_EQ(history.back(), std::nullopt);
    EXPECT_EQ(history.shown(), PatternCode{1});
    history.add({4});
    EXPECT_EQ(history.shown(), PatternCode{4});
    EXPECT_EQ(history.back(), PatternCode{3});
    EXPECT_EQ(history.back(), PatternCode{2});
    EXPECT_EQ(history.forward(), PatternCode{3});

    PatternHistory full;
    for (std::uint64_t i = 0; i < PatternHistory::capacity + 5; ++i) {
        full.add({i});
    }
    std::size_t steps = 0;
    std::optional<PatternCode> oldest;
    while (const auto earlier = full.back()) {
        oldest = earlier;
        ++steps;
    }
    EXPECT_EQ(steps, PatternHistory::capacity - 1);
    EXPECT_EQ(oldest, PatternCode{5});
}
