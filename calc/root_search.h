// calc/root_search.h — where an increasing function of one factor meets a wanted value.
#pragma once

#include <functional>

using Curve = std::function<double(double)>;

// A value in [lo, hi] where `fn` meets `target`, by the Illinois form of the false position (superlinear,
// and it keeps the bracket). fn(lo) <= target <= fn(hi) on entry; on return fn was last called at the
// result.
double meet(const Curve& fn, double target, double lo, double f_lo, double hi, double f_hi, double tolerance);

// How far an increasing function of a factor goes: the first factor (doubling from `start`) whose value
// passes `target`, or the highest value seen before the estimates break down.
struct Reach {
    double hi = 0;
    double f_hi = 0;
    bool reached = false;
};

// The Reach of `fn` from `start`, whose value is `f_start`; a value that stops rising (or NaN) is where
// the estimates broke down.
Reach reach(const Curve& fn, double target, double start, double f_start);

// The factor at which the increasing `fn` meets `target`, from a good guess `warm`; NaN when no factor from
// `least` upwards gives it. The density is nearly proportional to the factor: a few secant steps mostly do.
double factor_for(const Curve& fn, double target, double warm, double least, double tolerance);
