#include "game_speech.h"

#include "game_constants.h"

namespace {
std::string Sentence(const std::string& strJapanese, const std::string& strEnglish) {
    return strJapanese + "。 " + strEnglish + ".";
}
} // namespace

std::string SpokenLetter(char chLetter) {
    const std::string letter(1, chLetter);
    return Sentence("文字 " + letter, "letter " + letter);
}

std::string SpokenResult(bool bHit, char chNextLetter) {
    const std::string letter(1, chNextLetter);
    return Sentence(std::string(bHit ? "正解" : "ミス") + "、文字 " + letter,
                    std::string(bHit ? "GOOD!" : "MISS") + ", letter " + letter);
}

std::string SpokenRank(int nRank) {
    const std::string rank = std::to_string(nRank + 1);
    const std::string count = std::to_string(RANK_COUNT);
    return Sentence("ランク " + rank + "（" + count + " 段階、1 が最高）",
                    "rank " + rank + " of " + count + " (1 is the best)");
}
