#include "picture_files.h"

#include "game_constants.h"

std::vector<std::string> PictureFileNames() {
    std::vector<std::string> names = {"frame.bmp", "sprite.bmp", "vel.bmp", "title.bmp", "fonts.bmp"};
    for (int i = 0; i < LETTER_COUNT; ++i)
        names.push_back(std::string(1, static_cast<char>('A' + i)) + ".bmp");
    return names;
}
