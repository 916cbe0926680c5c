#include "DetMath.h"

namespace detmath {

double floor(double x) {
    auto truncated = static_cast<double>(static_cast<long long>(x));
    return truncated > x ? truncated - 1.0 : truncated;
}

double clamp01(double x) {
    return x < 0.0 ? 0.0 : (x > 1.0 ? 1.0 : x);
}

// Taylor series on [-pi/2, pi/2] after folding the argument there; ample for pictures and sound.
double sin(double x) {
    double turns = floor(x / kTwoPi + 0.5);
    double r = x - turns * kTwoPi;
    if (r > kPi / 2) {
        r = kPi - r;
    } else if (r < -kPi / 2) {
        r = -kPi - r;
    }
    double r2 = r * r;
    double term = r;
    double sum = r;
    for (int n = 1; n <= 11; ++n) {
        term = -term * r2 / ((2.0 * n) * (2.0 * n + 1.0));
        sum += term;
    }
    return sum;
}

double cos(double x) {
    return sin(x + kPi / 2);
}

// exp(x) = exp(x / 2^k)^(2^k), with the small argument handled by its series.
double exp(double x) {
    if (x < -700.0) {
        return 0.0;
    }
    int halvings = 0;
    double r = x;
    while (r > 0.5 || r < -0.5) {
        r /= 2.0;
        ++halvings;
    }
    double term = 1.0;
    double sum = 1.0;
    for (int n = 1; n <= 14; ++n) {
        term = term * r / n;
        sum += term;
    }
    for (int i = 0; i < halvings; ++i) {
        sum *= sum;
    }
    return sum;
}

}  // namespace detmath
