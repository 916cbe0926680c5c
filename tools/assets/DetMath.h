#pragma once

// Sine, cosine and exponential built from plain arithmetic, so every build of the generator
// (optimised or not, with or without sanitizers) computes the very same bits; the libm calls
// may be folded at compile time with a different last digit.
namespace detmath {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;

double sin(double x);
double cos(double x);
double exp(double x);
// Angle of (x, y) in (-pi, pi]; 0 for the origin.
double atan2(double y, double x);
double sqrt(double x);
// Largest integer not above x, as a double.
double floor(double x);
double clamp01(double x);

}  // namespace detmath
