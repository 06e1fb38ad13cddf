// A text's lines, without their line ends: what a program printed, one entry a line.
#pragma once

#include <sstream>
#include <string>
#include <vector>

namespace testkit {

inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

} // namespace testkit
