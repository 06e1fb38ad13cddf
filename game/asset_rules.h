// The sizes each picture file must have so that every copy the game makes from it stays
// inside both surfaces; a picture outside its rule is refused at start-up.
#pragma once

#include "surface/surface.h"

#include <climits>
#include <string>

struct PictureRule {
    int nMinWidth;
    int nMaxWidth;
    int nMinHeight;
    int nMaxHeight;
    const char* pszText; // the rule in words, for the reason of a refusal
};

constexpr PictureRule RULE_FRAME{1, 320, 240, 240, "at most 320 wide and exactly 240 high"};
constexpr PictureRule RULE_SPRITE{320, INT_MAX, 368, INT_MAX, "at least 320 wide and 368 high"};
constexpr PictureRule RULE_LOGO{1, 320, 240, INT_MAX, "at most 320 wide and at least 240 high"};
constexpr PictureRule RULE_TITLE{1, 320, 1, 240, "at most 320 wide and 240 high"};
constexpr PictureRule RULE_FONT{160, INT_MAX, 24, INT_MAX, "at least 160 wide and 24 high"};
constexpr PictureRule RULE_LETTER{1, 232, 1, 224, "at most 232 wide and 224 high"};

// Empty when the picture keeps the rule; otherwise the reason, naming the rule and the size.
std::string CheckPictureSize(const Surface& picture, const PictureRule& rule);
