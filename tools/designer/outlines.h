// The outlines of the built-in puzzles, in catalogue order, drawn as honeycomb maps.
#pragma once

#include <string>
#include <vector>

namespace tamblo::designer {

struct Outline {
    const char* id;
    int level;
    const char* figure;  // what a player sees in it
    bool level7;         // make a level-7 subset too
    std::vector<std::string> map;
};

const std::vector<Outline>& outlines();

}  // namespace tamblo::designer
