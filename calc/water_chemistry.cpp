// calc/water_chemistry.cpp — a recipe's waters, salts, acids and grist as the parts of the mash's charge
// balance, and the ion profiles of its water.
#include "calc/water_chemistry.h"

#include "calc/malt_acidity.h"
#include "core/line_figures.h"
#include "core/text.h"
#include "refdata/water_profiles.h"

#include <cmath>

namespace
{

// mg per mEq of the ions (Kolbach's rule and the alkalinity read them in mEq/L).
constexpr double kCalciumMgPerMeq = 20.04;
constexpr double kMagnesiumMgPerMeq = 12.15;
constexpr double kBicarbonateMgPerMeq = 61.02;
// Chalk dissolves poorly in the mash: at most half of it acts (and it is said so).
constexpr double kChalkShare = 0.5;

// Ions weighted by litres, to be divided by the total once summed.
void add_scaled(Ions& to, const Ions& from, double factor)
{
    to.ca += from.ca * factor;
    to.mg += from.mg * factor;
    to.na += from.na * factor;
    to.so4 += from.so4 * factor;
    to.cl += from.cl * factor;
    to.hco3 += from.hco3 * factor;
}

// Kolbach: calcium and magnesium free protons from the malt's phosphates, in mEq for the mg they bring.
double kolbach_meq(double ca_mg, double mg_mg)
{
    return -(ca_mg / kCalciumMgPerMeq / 3.5 + mg_mg / kMagnesiumMgPerMeq / 7);
}

std::string salt_name(Additive a)
{
    switch (a) {
    case Additive::gypsum:
        return "gypse";
    case Additive::calcium_chloride:
        return "chlorure de calcium";
    case Additive::epsom:
        return "sel d'Epsom";
    case Additive::magnesium_chloride:
        return "chlorure de magnésium";
    case Additive::table_salt:
        return "sel de cuisine";
    case Additive::baking_soda:
        return "bicarbonate de sodium";
    case Additive::chalk:
        return "craie, comptée pour moitié";
    case Additive::lime:
        return "chaux éteinte";
    case Additive::lactic:
        return "acide lactique";
    case Additive::phosphoric:
        return "acide phosphorique";
    case Additive::none:
        break;
    }
    return "";
}

// The mash as it is assembled: its parts, and the line each part comes from.
struct Assembly {
    std::vector<MashPart> parts;
    std::vector<size_t> part_line;
    std::vector<std::string> part_what;
    void add(const MashPart& p, size_t line, std::string what)
    {
        parts.push_back(p);
        part_line.push_back(line);
        part_what.push_back(std::move(what));
    }
};

MashPart part(MashPartKind kind, double amount)
{
    MashPart p;
    p.kind = kind;
    p.amount = amount;
    return p;
}

} // namespace

double residual_alkalinity(const Ions& ions)
{
    return ions.hco3 / kBicarbonateMgPerMeq - ions.ca / kCalciumMgPerMeq / 3.5 -
           ions.mg / kMagnesiumMgPerMeq / 7;
}

// The salt or acid of a line at the step, into the mash's parts; its ions (mg) into `ions` for either step.
static void add_additive(const RecipeLine& line, const LineFigures& f, Additive a, size_t k, bool in_mash,
                         Ions& ions, Assembly& mash)
{
    if (is_acid(a)) {
        if (!in_mash)
            return;
        const double mmol = f.litres * 1000 * acid_mmol_per_ml(a, text_to_number(line.yield));
        mash.add(part(a == Additive::lactic ? MashPartKind::lactic : MashPartKind::phosphoric, mmol), k,
                 salt_name(a) + " à " + format_decimals(text_to_number(line.yield), 0) + " %");
        return;
    }
    const double grams = f.grams;
    ions = add_salt(ions, a, grams);
    if (!in_mash)
        return;
    const Ions per = ions_per_gram(a);
    const double share = a == Additive::chalk ? kChalkShare : 1;
    double meq = kolbach_meq(share * grams * per.ca, grams * per.mg);
    const double mmol = share * grams * mmol_per_gram(a);
    if (a == Additive::lime)
        meq += 2 * mmol; // each hydroxide takes a proton
    MashPart p = part(MashPartKind::fixed, meq);
    if (a == Additive::chalk || a == Additive::baking_soda) {
        mash.add(part(a == Additive::chalk ? MashPartKind::carbonate : MashPartKind::bicarbonate, mmol), k,
                 salt_name(a));
    }
    mash.add(p, k, salt_name(a));
}

WaterChemistry water_chemistry(const RecipeLine* lines, size_t count,
                               const std::vector<WaterProfile>& profiles)
{
    WaterChemistry w;
    Assembly mash;
    Ions mash_mg, rinse_mg; // mg of each ion
    bool grain = false;
    for (size_t k = 0; k < count; k++) {
        const RecipeLine& line = lines[k];
        const LineFigures f = brewing_figures_of(line);
        const bool in_mash = f.step == Step::mash;
        if (!in_mash && f.step != Step::rinse)
            continue;
        if (f.category == Category::water) {
            const WaterProfile* profile = find_water_profile(profiles, line.value);
            const double litres = f.amount;
            if (!profile) {
                const bool named = line.value.find_first_not_of(' ') != std::string::npos;
                w.notes.push_back("« " + line.designation + " » : " +
                                  (named ? "profil d'eau inconnu (« " + line.value + " »)"
                                         : std::string("aucun profil d'eau nommé")) +
                                  ", eau laissée de côté");
                continue;
            }
            add_scaled(in_mash ? mash_mg : rinse_mg, profile->ions, litres);
            (in_mash ? w.mash_litres : w.all_litres) += litres;
            if (!in_mash)
                continue;
            MashPart p = part(MashPartKind::water, litres);
            p.ph = profile->ph;
            p.carbonate = carbonate_of_alkalinity(profile->ions.hco3 / kBicarbonateMgPerMeq, profile->ph);
            mash.add(p, k, "eau " + profile->name);
            mash.add(part(MashPartKind::fixed, litres * kolbach_meq(profile->ions.ca, profile->ions.mg)), k,
                     "eau " + profile->name);
        } else if (is_grain(f.category) && in_mash) {
            const MaltAcidity a = grain_acidity(f.category, line.designation, line.value);
            MashPart p = part(MashPartKind::malt, f.kg);
            p.ph = a.di_ph;
            p.buffering = a.buffering;
            grain = grain || f.kg > 0;
            mash.add(p, k, acidity_text(a));
            if (a.lactic_fraction > 0)
                mash.add(part(MashPartKind::lactic, f.kg * a.lactic_fraction * 1e6 / 90.08), k,
                         "acide lactique du malt acide");
        } else if (f.category == Category::other_addition) {
            const Additive a = additive_of_key(line.value);
            if (a != Additive::none)
                add_additive(line, f, a, k, in_mash, in_mash ? mash_mg : rinse_mg, mash);
        }
    }
    w.all_litres += w.mash_litres;
    if (w.mash_litres > 0)
        add_scaled(w.mash_ions, mash_mg, 1 / w.mash_litres);
    if (w.all_litres > 0) {
        add_scaled(w.all_ions, mash_mg, 1 / w.all_litres);
        add_scaled(w.all_ions, rinse_mg, 1 / w.all_litres);
    }
    w.so4_cl_ratio = w.mash_ions.cl > 0 ? w.mash_ions.so4 / w.mash_ions.cl : 0;
    w.residual_alkalinity = w.mash_litres > 0 ? residual_alkalinity(w.mash_ions) : 0;
    if (!grain)
        w.notes.push_back("pas de pH d'empâtage : aucun grain à l'empâtage");
    if (w.mash_litres <= 0)
        w.notes.push_back("pas de pH d'empâtage : aucune eau d'empâtage de profil connu");
    if (!grain || w.mash_litres <= 0)
        return w;
    w.computed = true;
    w.model_ph = mash_ph(mash.parts.data(), mash.parts.size());
    for (size_t n = 0; n < mash.parts.size(); n++) {
        const double meq = proton_deficit(mash.parts[n], w.model_ph);
        if (!w.shares.empty() && w.shares.back().line == mash.part_line[n] &&
            w.shares.back().what == mash.part_what[n])
            w.shares.back().meq += meq;
        else
            w.shares.push_back(MashShare{mash.part_line[n], meq, mash.part_what[n]});
    }
    return w;
}

void put_water_estimates(const WaterChemistry& w, double ph_correction, Estimates& e)
{
    if (!w.computed) {
        e.mash_ions = Ions{};
        e.all_ions = Ions{};
        e.so4_cl_ratio = 0;
        e.residual_alkalinity = 0;
        e.ph_correction = 0;
        e.mash_ph = 0;
        return;
    }
    e.mash_ions = w.mash_ions;
    e.all_ions = w.all_ions;
    e.so4_cl_ratio = w.so4_cl_ratio;
    e.residual_alkalinity = w.residual_alkalinity;
    e.ph_correction = w.computed ? ph_correction : 0;
    e.mash_ph = w.computed ? w.model_ph + ph_correction : 0;
}
