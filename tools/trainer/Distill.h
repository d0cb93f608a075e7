#pragma once
// `lumaro-train distill ...`: collects look-ahead samples with a teacher's networks (resuming a
// sample file that was cut short), then fits networks that start from the teacher's weights.
namespace lumaro::train {

int distillCommand(int argc, char** argv);

}  // namespace lumaro::train
