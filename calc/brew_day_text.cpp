// calc/brew_day_text.cpp — the French texts of a brew day: each mash step's action and the stage volumes.
#include "calc/brew_day_text.h"

#include "core/text.h"

static std::string f2(double x)
{
    return format_decimals(x, 2);
}

std::string mash_kind_text(MashStepKind kind)
{
    switch (kind) {
    case MashStepKind::direct_heat:
        return "chauffe directe";
    case MashStepKind::decoction:
        return "décoction";
    case MashStepKind::infusion:
        break;
    }
    return "infusion";
}

std::string mash_action_text(const MashStepPlan& step, const MashPlan& plan, bool first)
{
    if (first)
        return "Empâter avec " + f2(plan.strike_litres) + " L d'eau à " + f2(plan.strike_temperature) + " °C";
    if (step.water_litres > 0)
        return "Verser " + f2(step.water_litres) + " L d'eau bouillante";
    if (step.decoction_share > 0)
        return "Décocter " + format_decimals(100 * step.decoction_share, 0) + " % de la maische";
    if (step.step.kind == MashStepKind::infusion || step.step.kind == MashStepKind::decoction)
        return "Attendre"; // no rise to make
    return "Chauffer la cuve";
}

std::vector<BrewDayRow> brew_day_rows(const BrewDay& day)
{
    const MashPlan& m = day.mash;
    const StageVolumes& v = day.volumes;
    std::vector<BrewDayRow> rows;
    rows.push_back({"Eau d'empâtage", f2(m.strike_litres) + " L"});
    if (!m.steps.empty())
        rows.push_back({"Température de l'eau d'empâtage", f2(m.strike_temperature) + " °C"});
    rows.push_back({"Eau de rinçage", f2(m.sparge_litres) + " L"});
    if (m.sparge_litres > 0)
        rows.push_back({"Température de l'eau de rinçage", f2(m.sparge_temperature) + " °C"});
    rows.push_back({"Volume avant ébullition", f2(v.pre_boil_litres) + " L"});
    rows.push_back({"Densité avant ébullition", f2(v.pre_boil_density)});
    rows.push_back({"Volume après ébullition (chaud)", f2(v.post_boil_litres) + " L"});
    if (v.top_up_litres > 0)
        rows.push_back({"Eau d'appoint versée au fermenteur", f2(v.top_up_litres) + " L"});
    rows.push_back({"Volume en fermenteur", f2(v.fermenter_litres) + " L"});
    rows.push_back({"Volume conditionné", f2(v.packaged_litres) + " L"});
    return rows;
}

std::string mash_summary_text(const MashPlan& plan)
{
    double infused = 0;
    for (const MashStepPlan& step : plan.steps)
        infused += step.water_litres;
    std::string text = "Eau d'empâtage : " + f2(plan.strike_litres) + " L";
    if (plan.strike_temperature > 0)
        text += " à " + f2(plan.strike_temperature) + " °C";
    if (infused > 0)
        text += "\nEau bouillante des infusions : " + f2(infused) + " L";
    text += "\nEau de rinçage : " + f2(plan.sparge_litres) + " L";
    if (plan.sparge_litres > 0)
        text += " à " + f2(plan.sparge_temperature) + " °C";
    return text;
}
