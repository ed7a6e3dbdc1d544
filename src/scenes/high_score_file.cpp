#include "scenes/high_score_file.hpp"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/files.hpp"

namespace vormelda {

std::array<char, 5> FixedFive(std::string_view line) {
  std::array<char, 5> out{' ', ' ', ' ', ' ', ' '};
  for (size_t i = 0; i < out.size() && i < line.size(); ++i) out[i] = line[i];
  return out;
}

std::optional<double> NumericValue(const std::array<char, 5>& text) {
  std::string s(text.begin(), text.end());
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  size_t b = 0, e = s.size();
  while (b < e && blank(s[b])) ++b;
  while (e > b && blank(s[e - 1])) --e;
  s = s.substr(b, e - b);
  if (s.empty()) return std::nullopt;
  // An optional sign, digits with at most one decimal point, an optional exponent.
  size_t i = 0;
  if (s[i] == '+' || s[i] == '-') ++i;
  size_t digits = 0;
  bool point = false;
  for (; i < s.size(); ++i) {
    if (s[i] >= '0' && s[i] <= '9') {
      ++digits;
    } else if (s[i] == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (digits == 0) return std::nullopt;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    size_t expDigits = 0;
    while (j < s.size() && s[j] >= '0' && s[j] <= '9') ++j, ++expDigits;
    if (expDigits == 0) return std::nullopt;
    i = j;
  }
  if (i != s.size()) return std::nullopt;
  return std::strtod(s.c_str(), nullptr);
}

bool IsNumeric(const std::array<char, 5>& text) {
  return NumericValue(text).has_value();
}

std::array<char, 5> ReadHighScoreText(std::string_view content,
                                      const std::array<char, 5>& current) {
  std::array<char, 5> stored = current;
  size_t pos = 0;
  while (pos < content.size()) {
    // A line ends at CR LF, LF or CR.
    size_t end = content.find_first_of("\r\n", pos);
    std::string_view line = content.substr(pos, end == std::string_view::npos ? end : end - pos);
    if (end == std::string_view::npos) {
      pos = content.size();
    } else {
      pos = end + 1;
      if (content[end] == '\r' && pos < content.size() && content[pos] == '\n') ++pos;
    }
    stored = FixedFive(line);
    if ((line.empty() || line[0] != '#') && IsNumeric(stored)) break;
  }
  return stored;
}

std::array<char, 5> FormatHighScore(int32_t score) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%05d", score);
  return FixedFive(digits);
}

std::string HighScoreFileContent(const std::array<char, 5>& text) {
  std::string content(kHighScoreComment);
  content += "\r\n";
  content.append(text.begin(), text.end());
  content += "\r\n";
  return content;
}

std::string CertificateContent() {
  std::string content;
  for (std::string_view line : kCertificateLines) {
    content += line;
    content += "\r\n";
  }
  return content;
}

std::optional<std::array<char, 5>> StoredHighScore(const std::string& path) {
  const FileContent high = ReadFileStart(path, kHighScoreReadLimit);
  if (!high.ok) return std::nullopt;
  const std::string_view content(reinterpret_cast<const char*>(high.bytes.data()),
                                 high.bytes.size());
  return ReadHighScoreText(content, {});
}

PlayerFiles ReadPlayerFiles(const std::string& folder) {
  PlayerFiles files;
  files.highScore = StoredHighScore(folder + std::string(kHighScoreFile));
  files.topScore = CanOpenRegularFile(folder + std::string(kTopScoreCertificate));
  files.noMiss = CanOpenRegularFile(folder + std::string(kNoMissCertificate));
  return files;
}

bool WritePlayerFiles(const std::string& folder, const PlayerFiles& files) {
  bool ok = true;
  if (files.highScore) {
    ok &= ReplaceFileSafely(folder + std::string(kHighScoreFile),
                            HighScoreFileContent(*files.highScore));
  }
  if (files.topScore) {
    ok &= ReplaceFileSafely(folder + std::string(kTopScoreCertificate), CertificateContent());
  }
  if (files.noMiss) {
    ok &= ReplaceFileSafely(folder + std::string(kNoMissCertificate), CertificateContent());
  }
  return ok;
}

}  // namespace vormelda
