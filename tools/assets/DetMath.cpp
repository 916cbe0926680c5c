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

// Odd series of atan on [0, 1] after folding, good to about 1e-9.
double atan2(double y, double x) {
    double ax = x < 0 ? -x : x;
    double ay = y < 0 ? -y : y;
    if (ax == 0.0 && ay == 0.0) {
        return 0.0;
    }
    bool swapped = ay > ax;
    double t = swapped ? ax / ay : ay / ax;
    // shrink the argument twice with atan(t) = 2 atan(t / (1 + sqrt(1 + t^2)))
    double u = t / (1.0 + sqrt(1.0 + t * t));
    u = u / (1.0 + sqrt(1.0 + u * u));
    double u2 = u * u;
    double term = u;
    double sum = u;
    for (int n = 1; n <= 12; ++n) {
        term = -term * u2;
        sum += term / (2.0 * n + 1.0);
    }
    double a = 4.0 * sum;
    if (swapped) {
        a = kPi / 2 - a;
    }
    if (x < 0) {
        a = kPi - a;
    }
    return y < 0 ? -a : a;
}

// Newton's method from a power-of-two guess; correctly rounded is not needed, sameness is.
double sqrt(double x) {
    if (x <= 0.0) {
        return 0.0;
    }
    double g = 1.0;
    while (g * g < x) {
        g *= 2.0;
    }
    for (int i = 0; i < 60; ++i) {
        double next = 0.5 * (g + x / g);
        if (next == g) {
            break;
        }
        g = next;
    }
    return g;
}

}  // namespace detmath
