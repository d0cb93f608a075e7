// A game file that reaches up into the network layer: the layer check must refuse it.
#include "rules/Position.h"
#include "net/Framing.h"
