// The names of the game's picture files: the five named pictures, then "A.bmp" to "Z.bmp",
// in the order the view loads them. The shell uses them to find the folder that holds them.
#pragma once

#include <string>
#include <vector>

std::vector<std::string> PictureFileNames();
