#pragma once
#include <vector>

namespace lumaro {

const std::vector<const char*>& benchPositions();

}  // namespace lumaro
