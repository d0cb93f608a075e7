#pragma once
// Hand-made plays for tests: playOf({{from, die}, ...}).
#include <initializer_list>

#include "rules/PlayGenerator.h"

namespace lumaro::testing {

inline Play playOf(std::initializer_list<Step> steps) {
    Play play{};
    int k = 1;
    for (const Step& s : steps) {
        if (k > 4) break;
        play[k++] = s;
    }
    return play;
}

}  // namespace lumaro::testing
