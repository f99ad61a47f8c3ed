// The ranking table: the ten best results, best first, as 20 lines: line 2i is the score of
// entry i in decimal, line 2i + 1 its name exactly as typed. A table read from the file is
// checked line by line before the game relies on it.
#pragma once

#include <string>
#include <vector>

#include "game/GameState.h"

namespace tvx {

constexpr int kRankingEntries = 10;

// Ten entries of score 0 with blank names: the table of a first run or a damaged file.
std::vector<std::string> BlankRanking();

// The lines of a text whose every line ends in CR LF, and back.
std::vector<std::string> RankingLinesOf(const std::string& text);
std::string RankingTextOf(const std::vector<std::string>& lines);

// Twenty lines, each score a decimal integer of the game's range, each name printable.
bool IsValidRanking(const std::vector<std::string>& lines);

// The score of entry `index` of a valid table.
int RankingScore(const std::vector<std::string>& lines, int index);

// Whether entry `index` holds this game's FinalScore and PlayerName: such rows are shown
// highlighted, every one of them.
bool IsOwnEntry(const TGameState& state, int index);

// Puts the entry above the first one whose score is at most `score` (the newer of equal scores
// ranks higher), moving the ones below down and dropping the last. Its index, or -1 when the
// score is below all ten and the table is left as it is.
int InsertRankingEntry(std::vector<std::string>& table, int score, const std::string& name);

// Puts FinalScore and PlayerName into the table as InsertRankingEntry does, once a game. Sets
// RankInserted; a score below all ten leaves the table and the flag as they are.
void InsertFinalScore(TGameState& state);

}  // namespace tvx
