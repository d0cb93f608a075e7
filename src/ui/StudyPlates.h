#pragma once
// What the study plate says: the hint's plays in a table with its headings, the cube advice's
// equities, and one decision of a review with the rating line.
#include "game/Hint.h"
#include "game/Review.h"
#include "ui/HintPlate.h"

namespace lumaro {

PlateContent hintPlate(const Hint& hint);
// The review's decision `at` (kept in range).
PlateContent reviewPlate(const GameReview& review, int at);

}  // namespace lumaro
