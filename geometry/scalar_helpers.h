#pragma once

// Small numeric helpers shared by the whole program.

double Square(const double& x);
double DegToRad(const double& degrees);
// Float argument, double result: callers that need a float round it themselves.
double DegToRad(const float& degrees);
int Clamp(const int& value, const int& lo, const int& hi);
// positive != 0: [0, 1] both ends included; positive == 0: [-1, 16384/16383].
struct RandomGenerator;
float RandomNumber(RandomGenerator& generator, int positive);
