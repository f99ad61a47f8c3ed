#include "game/RankingTable.h"

#include <charconv>

namespace tvx {
namespace {

constexpr std::size_t kLines = 2 * kRankingEntries;
// A typed name is at most five letters and six spaces; a little room for hand-made files.
constexpr std::size_t kMaxNameLength = 16;

bool IsScoreLine(const std::string& line) {
  int value = 0;
  const char* end = line.data() + line.size();
  const auto [stop, error] = std::from_chars(line.data(), end, value);
  return !line.empty() && error == std::errc() && stop == end && line[0] != '+';
}

bool IsNameLine(const std::string& line) {
  if (line.size() > kMaxNameLength) return false;
  for (const char c : line) {
    if (c < ' ' || c > '~') return false;
  }
  return true;
}

}  // namespace

std::vector<std::string> BlankRanking() {
  std::vector<std::string> lines;
  for (int i = 0; i < kRankingEntries; ++i) lines.insert(lines.end(), {"0", ""});
  return lines;
}

std::vector<std::string> RankingLinesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

std::string RankingTextOf(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

bool IsValidRanking(const std::vector<std::string>& lines) {
  if (lines.size() != kLines) return false;
  for (std::size_t i = 0; i < kLines; i += 2) {
    if (!IsScoreLine(lines[i]) || !IsNameLine(lines[i + 1])) return false;
  }
  return true;
}

int RankingScore(const std::vector<std::string>& lines, int index) {
  int value = 0;
  const std::string& line = lines[static_cast<std::size_t>(2 * index)];
  std::from_chars(line.data(), line.data() + line.size(), value);
  return value;
}

bool IsOwnEntry(const TGameState& s, int index) {
  return RankingScore(s.Ranking, index) == s.FinalScore &&
         s.Ranking[static_cast<std::size_t>(2 * index + 1)] == s.PlayerName;
}

int InsertRankingEntry(std::vector<std::string>& table, int score, const std::string& name) {
  for (int index = 0; index < kRankingEntries; ++index) {
    if (RankingScore(table, index) > score) continue;
    for (int shift = kRankingEntries - 1; shift >= 1; --shift) {
      // Deliberately tested against the entry's own score, not its place: on a table in
      // descending order this moves exactly the entries below the new one.
      if (RankingScore(table, shift) <= score) {
        table[2 * shift] = table[2 * (shift - 1)];
        table[2 * shift + 1] = table[2 * (shift - 1) + 1];
      }
    }
    table[2 * index] = std::to_string(score);
    table[2 * index + 1] = name;
    return index;
  }
  return -1;
}

void InsertFinalScore(TGameState& s) {
  // The indexes end as the original's loops left them.
  s.RankIndex = 0;
  if (s.RankInserted) return;
  const int index = InsertRankingEntry(s.Ranking, s.FinalScore, s.PlayerName);
  if (index < 0) {
    s.RankIndex = kRankingEntries;
    return;
  }
  s.RankIndex = index + 1;
  s.ShiftIndex = 0;
  s.RankInserted = true;
}

}  // namespace tvx
