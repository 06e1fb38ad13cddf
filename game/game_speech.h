// What a player who uses a screen reader hears as the game goes on: the letter shown, each
// key's result with the next letter, and the rank, in Japanese and then English (the menus
// are Japanese; the English is for everyone else).
#pragma once

#include <string>

std::string SpokenLetter(char chLetter);
std::string SpokenResult(bool bHit, char chNextLetter);
// nRank counts from 0, the best of the four.
std::string SpokenRank(int nRank);
