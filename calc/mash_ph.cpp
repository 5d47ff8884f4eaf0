// calc/mash_ph.cpp — the mash pH by charge balance: each part's proton deficit, and the pH where they cancel.
#include "calc/mash_ph.h"

#include <cmath>

namespace
{

constexpr double kCarbonicPk1 = 6.38;
constexpr double kCarbonicPk2 = 10.38;
constexpr double kLacticPka = 3.86;
constexpr double kPhosphoricPk[3] = {2.15, 7.20, 12.35};
// Baking soda is HCO3 as dissolved: its charge is counted from that of carbonate at pH 8.3.
constexpr double kBicarbonatePh = 8.3;
// Where the carbonate is titrated to when alkalinity is measured.
constexpr double kAlkalinityEndPh = 4.3;

} // namespace

double carbonate_charge(double ph)
{
    const double r1 = std::pow(10.0, ph - kCarbonicPk1);
    const double r2 = std::pow(10.0, ph - kCarbonicPk2);
    return -(r1 + 2 * r1 * r2) / (1 + r1 + r1 * r2);
}

double carbonate_of_alkalinity(double alkalinity_meq, double ph)
{
    const double span = carbonate_charge(kAlkalinityEndPh) - carbonate_charge(ph);
    return span > 1e-9 ? alkalinity_meq / span : 0;
}

double proton_deficit(const MashPart& p, double ph)
{
    switch (p.kind) {
    case MashPartKind::malt:
        return p.amount * p.buffering * (ph - p.ph);
    case MashPartKind::water:
        return p.amount * p.carbonate * (carbonate_charge(ph) - carbonate_charge(p.ph));
    case MashPartKind::fixed:
        return p.amount;
    case MashPartKind::lactic: {
        const double r = std::pow(10.0, ph - kLacticPka);
        return -p.amount * r / (1 + r);
    }
    case MashPartKind::phosphoric: {
        const double r1 = std::pow(10.0, ph - kPhosphoricPk[0]);
        const double r2 = std::pow(10.0, ph - kPhosphoricPk[1]);
        const double r3 = std::pow(10.0, ph - kPhosphoricPk[2]);
        return -p.amount * (r1 + 2 * r1 * r2 + 3 * r1 * r2 * r3) / (1 + r1 + r1 * r2 + r1 * r2 * r3);
    }
    case MashPartKind::carbonate:
        return p.amount * (carbonate_charge(ph) + 2);
    case MashPartKind::bicarbonate:
        return p.amount * (carbonate_charge(ph) - carbonate_charge(kBicarbonatePh));
    }
    return 0;
}

static double total_deficit(const MashPart* parts, size_t count, double ph)
{
    double sum = 0;
    for (size_t k = 0; k < count; k++)
        sum += proton_deficit(parts[k], ph);
    return sum;
}

double mash_ph(const MashPart* parts, size_t count)
{
    // Every deficit falls as the pH rises, so the sum crosses zero once.
    double low = 3.5, high = 7.5;
    if (total_deficit(parts, count, low) <= 0)
        return low;
    if (total_deficit(parts, count, high) >= 0)
        return high;
    while (high - low > 0.0005) {
        const double mid = (low + high) / 2;
        if (total_deficit(parts, count, mid) > 0)
            low = mid;
        else
            high = mid;
    }
    return (low + high) / 2;
}
