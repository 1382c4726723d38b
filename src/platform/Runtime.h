#pragma once
// The runtime services the program's modules use directly: the command line,
// the previous-instance flag, the seconds-since-midnight clock, the message
// pass, the seeded generator and ending the process.
#include <string>

namespace vb {

std::string Command();
bool AppPrevInstance();

// Seconds since midnight in single precision, as the classic clock gives them.
float Timer();
// The same clock at full precision.
double PreciseTimer();

// Seeds the generator from the whole reading of the precise clock, mixed
// with a number of this process's own; Rnd draws the next number in [0, 1).
void Randomize();
// The same from a seed of the caller's (still mixed with the process's number).
void Randomize(double seed);
float Rnd();

[[noreturn]] void End(int code = 0);

}  // namespace vb
