#pragma once

#include <QString>

/// How long the player gives themselves to answer: the game's own limits, twice
/// those, or no limit at all, for a player who listens to the screen rather than
/// reading it.
enum class AnswerTime { Normal, Doubled, Unlimited };

/// Seconds a question of the game's own `limit` gives; without a limit, the limit
/// itself, though no clock keeps it.
int AnswerSeconds(int limit, AnswerTime time);

/// The more generous of two.
AnswerTime MoreTime(AnswerTime a, AnswerTime b);

/// A result's mark on the leaderboard, kept behind the stored sum: "*" for twice the
/// time, "**" for no limit, nothing for the game's own limits. Every reader of the
/// board takes a sum by its leading digits, so marked files read and rank as
/// before, and a mark cannot be typed into a name to pose as one.
QString AnswerTimeMark(AnswerTime time);
/// The time a stored sum's mark tells; sums written before the marks read as Normal.
AnswerTime AnswerTimeOfSum(const QString& storedSum);
/// The time in words, "время на ответ вдвое больше"; empty for Normal.
QString AnswerTimeWords(AnswerTime time);
/// The board's legend line for a mark, "* — время на ответ вдвое больше"; empty for Normal.
QString AnswerTimeLegend(AnswerTime time);
