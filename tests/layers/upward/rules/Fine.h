// A rules file that includes only its own layer.
#include "rules/Position.h"
