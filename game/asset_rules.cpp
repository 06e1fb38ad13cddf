#include "asset_rules.h"

std::string CheckPictureSize(const Surface& picture, const PictureRule& rule) {
    const int w = picture.Width();
    const int h = picture.Height();
    if (w >= rule.nMinWidth && w <= rule.nMaxWidth && h >= rule.nMinHeight && h <= rule.nMaxHeight)
        return {};
    return "is " + std::to_string(w) + " x " + std::to_string(h) + "; must be " + rule.pszText;
}
