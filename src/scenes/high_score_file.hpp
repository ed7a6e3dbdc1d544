// HighScore.ini and the two certificate files.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vormelda {

inline constexpr std::string_view kHighScoreFile = "HighScore.ini";
inline constexpr std::string_view kHighScoreComment =
    "#あなたのハイスコアです。（上限は35450です）";
inline constexpr std::string_view kTopScoreCertificate = "★最高点の証★.txt";
inline constexpr std::string_view kNoMissCertificate = "●ノーミス・ノーボムの証●.txt";
// The files the game writes for the player.
inline constexpr std::array<std::string_view, 3> kPlayerFiles = {
    kHighScoreFile, kTopScoreCertificate, kNoMissCertificate};
// Both certificates hold these five lines.
inline constexpr std::array<std::string_view, 5> kCertificateLines = {
    "スタートキーではなくショットキーでゲームを始めると", "ハイスピードモードで始める事が出来ます",
    "", "もう片方の証ファイルもあればボムキーで", "超ハイスピードモードが楽しめます"};

// HighScore.ini is two short lines: no more than this of it is read.
inline constexpr size_t kHighScoreReadLimit = 64 * 1024;

// The files as the game writes them: the comment line and the five characters; the certificate's
// lines.
std::string HighScoreFileContent(const std::array<char, 5>& text);
std::string CertificateContent();

// What the player's files hold for the game at a start: they decide the high score shown and the
// faster modes offered, so a recording carries them.
struct PlayerFiles {
  // As a start reads HighScore.ini (into five NUL characters); none when it cannot be read.
  std::optional<std::array<char, 5>> highScore;
  bool topScore = false;  // the certificates
  bool noMiss = false;
  bool operator==(const PlayerFiles&) const = default;
};
// The five characters a high score file holds, by the reading rules (five NUL characters when it
// has no line); none when it cannot be read.
std::optional<std::array<char, 5>> StoredHighScore(const std::string& path);
// The files in this folder (with a trailing "/").
PlayerFiles ReadPlayerFiles(const std::string& folder);
// Writes them into an empty folder (with a trailing "/"), so that ReadPlayerFiles gives them back.
// False when a file cannot be written.
bool WritePlayerFiles(const std::string& folder, const PlayerFiles& files);

// Five characters, as the fixed string holds them: cut, or padded with spaces.
std::array<char, 5> FixedFive(std::string_view line);

// Whether five stored characters read as a number (blanks around it allowed).
bool IsNumeric(const std::array<char, 5>& text);
// The number they read as; empty when they are not one.
std::optional<double> NumericValue(const std::array<char, 5>& text);

// Applies the reading rules to a file's content: each line in turn is stored until one that is
// not a comment and is a number. Returns the last stored value, or current when there is no line.
std::array<char, 5> ReadHighScoreText(std::string_view content, const std::array<char, 5>& current);

// The score as "00000" formats it (at least five digits) cut to five characters.
std::array<char, 5> FormatHighScore(int32_t score);

}  // namespace vormelda
