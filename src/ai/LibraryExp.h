#pragma once
// e^-x for many values at once, bit for bit what std::exp(-x) gives on this machine.
//
// The network's activations need 128 exponentials a position, more than a third of its time when
// called one by one. The C library computes exp as 2^(k/128) from a table times a degree-5
// polynomial; the same steps, eight lanes at a time, give the same bits. Which of its builds the
// library runs (with fused multiply-adds or without) depends on the processor, so the lanes are
// checked against std::exp on a fixed set of values at first use, and whenever neither way agrees
// every value goes through std::exp.
namespace lumaro {

// out[i] = std::exp(-in[i]) for i in [0, count). in and out may be the same array.
void expOfNegated(const double* in, double* out, int count);

// How expOfNegated works on this machine, for the benchmark's report.
enum class ExpPath { Library, LanesPlain, LanesFused };
ExpPath expPath();
const char* expPathName(ExpPath path);

// The lanes with a given rounding recipe, whatever the self-check chose (for tests). Returns false
// when the processor cannot run them.
bool expOfNegatedWith(ExpPath path, const double* in, double* out, int count);

}  // namespace lumaro
