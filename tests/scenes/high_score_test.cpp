#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>

#include "scenes/high_score_file.hpp"
#include "scenes/title_screen.hpp"
#include "support/game_test.hpp"
#include "window/launch.hpp"

namespace vormelda {
namespace {

using Five = std::array<char, 5>;
using testing::ReadFile;
using testing::TempFolder;

// Exactly five characters, as the fixed string holds them.
Five F(std::string_view text) {
  Five five{};
  for (size_t i = 0; i < five.size() && i < text.size(); ++i) five[i] = text[i];
  return five;
}
std::string S(const Five& five) {
  return {five.begin(), five.end()};
}

TEST(HighScoreText, StopsAtTheFirstNumericLineThatIsNoComment) {
  const Five none{};
  EXPECT_EQ(S(ReadHighScoreText("#comment\r\nletters\r\n42\r\n", none)), "42   ");
  EXPECT_EQ(S(ReadHighScoreText("#c\r\n01234\r\n99999\r\n", none)), "01234");
  EXPECT_EQ(S(ReadHighScoreText("1234567\r\n", none)), "12345");
  EXPECT_EQ(S(ReadHighScoreText("#c\r\n   42abc\r\n9\r\n", none)), "   42");  // five stored
  EXPECT_EQ(S(ReadHighScoreText("#12345\r\nabc\r\n", none)), "abc  ");  // "#" lines never count
  EXPECT_EQ(S(ReadHighScoreText("\r\n  7\r\n", none)), "  7  ");
  EXPECT_EQ(S(ReadHighScoreText("4 2\r\n1.5e3\r\n8", none)), "1.5e3");
  EXPECT_EQ(S(ReadHighScoreText("00000", none)), "00000");  // no line end after the last line
}

TEST(HighScoreText, WithoutANumberKeepsTheLastLineRead) {
  const Five old = F("35450");
  EXPECT_EQ(S(ReadHighScoreText("#first comment\r\n#last comment\r\n", old)), "#last");
  EXPECT_EQ(S(ReadHighScoreText("abc\r\n", old)), "abc  ");
  EXPECT_EQ(S(ReadHighScoreText("words\r\n\r\n", old)), "     ");
  EXPECT_EQ(S(ReadHighScoreText("", old)), "35450");  // no line at all
}

TEST(HighScoreText, AnyLineEndWorks) {
  const Five none{};
  for (const char* content :
       {"#c\r\nx\r\n00420\r\n", "#c\nx\n00420\n", "#c\rx\r00420\r", "#c\r\nx\n00420\r"}) {
    EXPECT_EQ(S(ReadHighScoreText(content, none)), "00420") << content;
  }
}

TEST(HighScoreText, IsNumericAllowsBlanksAroundOneNumber) {
  for (const char* yes :
       {"00000", "  42 ", "-1   ", "+3   ", "1.5  ", ".5   ", "1e3  ", "2E+1 ", "\t9   "}) {
    EXPECT_TRUE(IsNumeric(F(yes))) << yes;
  }
  for (const char* no :
       {"     ", "abcde", "12a  ", "1 2  ", "1e   ", ".    ", "--1  ", "1.2.3", "#1234"}) {
    EXPECT_FALSE(IsNumeric(F(no))) << no;
  }
  EXPECT_FALSE(IsNumeric(Five{}));  // five NUL characters
  EXPECT_EQ(NumericValue(F("01234")), 1234.0);
}

TEST(HighScoreText, FormatsTheScoreAsFiveDigits) {
  EXPECT_EQ(S(FormatHighScore(1234)), "01234");
  EXPECT_EQ(S(FormatHighScore(0)), "00000");
  EXPECT_EQ(S(FormatHighScore(35450)), "35450");
  EXPECT_EQ(S(FormatHighScore(123456)), "12345");
}

class Certificates : public ::testing::Test {
 protected:
  void SetUp() override { Launch.appFolder = folder_.Path(); }
  void TearDown() override { Launch = {}; }
  void Give(std::string_view name) { testing::WriteFile(folder_ / name, "proof\r\n"); }
  TempFolder folder_;
};

TEST_F(Certificates, EitherAllowsHighSpeedAndBothAllowSuperHighSpeed) {
  StartModes modes = LookForCertificates();
  EXPECT_FALSE(modes.HighSpeedAllowed);
  EXPECT_FALSE(modes.SuperHighSpeedAllowed);
  Give(kTopScoreCertificate);
  modes = LookForCertificates();
  EXPECT_TRUE(modes.HighSpeedAllowed);
  EXPECT_FALSE(modes.SuperHighSpeedAllowed);
  std::filesystem::remove(folder_ / kTopScoreCertificate);
  Give(kNoMissCertificate);
  modes = LookForCertificates();
  EXPECT_TRUE(modes.HighSpeedAllowed);
  EXPECT_FALSE(modes.SuperHighSpeedAllowed);
  Give(kTopScoreCertificate);
  modes = LookForCertificates();
  EXPECT_TRUE(modes.HighSpeedAllowed);
  EXPECT_TRUE(modes.SuperHighSpeedAllowed);
}

}  // namespace
}  // namespace vormelda
