// calc/root_search.cpp — where an increasing function of one factor meets a wanted value.
#include "calc/root_search.h"

#include <cmath>

double meet(const Curve& fn, double target, double lo, double f_lo, double hi, double f_hi, double tolerance)
{
    int side = 0;
    double x = lo;
    bool evaluated = false;
    for (int step = 0; step < 80 && hi - lo > 1e-12 * (1 + hi); step++, evaluated = true) {
        x = f_hi == f_lo ? (lo + hi) / 2 : lo + (target - f_lo) * (hi - lo) / (f_hi - f_lo);
        if (!(x > lo && x < hi))
            x = (lo + hi) / 2;
        const double f = fn(x);
        if (std::fabs(f - target) <= tolerance)
            return x;
        if (f < target) {
            lo = x;
            f_lo = f;
            if (side == -1)
                f_hi = target + (f_hi - target) / 2;
            side = -1;
        } else {
            hi = x;
            f_hi = f;
            if (side == 1)
                f_lo = target + (f_lo - target) / 2;
            side = 1;
        }
    }
    if (!evaluated)
        fn(x);
    return x;
}

Reach reach(const Curve& fn, double target, double start, double f_start)
{
    Reach r{start, f_start, f_start >= target};
    double broken = 0; // the first factor past the last good one, 0 while none broke down
    for (int step = 0; step < 40 && !r.reached; step++) {
        const double factor = r.hi * 2;
        const double f = fn(factor);
        if (!(f > r.f_hi)) {
            broken = factor;
            break; // the volume is gone: more of it gives no more
        }
        r.hi = factor;
        r.f_hi = f;
        r.reached = f >= target;
    }
    // The edge lies between the last good factor and the broken one: close in on it.
    for (int step = 0; step < 30 && broken > 0 && !r.reached; step++) {
        const double middle = (r.hi + broken) / 2;
        const double f = fn(middle);
        if (f > r.f_hi) {
            r.hi = middle;
            r.f_hi = f;
            r.reached = f >= target;
        } else {
            broken = middle;
        }
    }
    return r;
}

double factor_for(const Curve& fn, double target, double warm, double least, double tolerance)
{
    double a = warm, fa = fn(a);
    double b = a * 1.01, fb = fn(b);
    for (int n = 0; n < 6 && std::isfinite(fa) && std::isfinite(fb) && fb != fa; n++) {
        if (std::fabs(fb - target) <= tolerance)
            return b;
        const double c = b + (target - fb) * (b - a) / (fb - fa);
        if (!(c > least))
            break;
        a = b;
        fa = fb;
        b = c;
        fb = fn(b);
    }
    // Bracketed from the quantities as they stand.
    const double f_one = fn(1);
    if (!std::isfinite(f_one))
        return NAN;
    if (f_one >= target) {
        const double f_least = fn(least);
        return f_least <= target ? meet(fn, target, least, f_least, 1, f_one, tolerance) : NAN;
    }
    const Reach r = reach(fn, target, 1, f_one);
    return r.reached ? meet(fn, target, 1, f_one, r.hi, r.f_hi, tolerance) : NAN;
}
