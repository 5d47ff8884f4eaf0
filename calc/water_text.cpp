// calc/water_text.cpp — the water and the mash pH written in French for every display.
#include "calc/water_text.h"

#include "core/text.h"

#include <glib.h>

namespace
{

std::string f2(double x)
{
    return format_decimals(x, 2);
}

// A pH keeps both its decimals ("5.40"), as a pH meter shows it; the point whatever the locale.
std::string ph2(double x)
{
    char text[G_ASCII_DTOSTR_BUF_SIZE];
    return g_ascii_formatd(text, sizeof text, "%.2f", x);
}

std::string f0(double x)
{
    return format_decimals(x, 0);
}

std::string signed2(double x)
{
    return (x >= 0 ? "+" : "") + f2(x);
}

std::string ions_text(const Ions& i)
{
    return "Ca " + f0(i.ca) + ", Mg " + f0(i.mg) + ", Na " + f0(i.na) + ", SO4 " + f0(i.so4) + ", Cl " +
           f0(i.cl) + ", HCO3 " + f0(i.hco3) + " mg/L";
}

} // namespace

std::string mash_ph_text(const Estimates& e)
{
    if (e.mash_ph <= 0)
        return "-";
    std::string text = ph2(e.mash_ph);
    if (e.ph_correction != 0)
        text += " (correction " + signed2(e.ph_correction) + ")";
    return text;
}

std::vector<std::string> water_summary_lines(const Estimates& e)
{
    if (e.mash_ph <= 0)
        return {"pH d'empâtage : non calculé (il faut du grain et une eau d'empâtage de profil connu)"};
    return {
        "pH d'empâtage (à 25 °C) : " + mash_ph_text(e),
        "Eau d'empâtage avec ses sels : " + ions_text(e.mash_ions),
        "Toute l'eau avec tous les sels : " + ions_text(e.all_ions),
        "Rapport sulfate / chlorure : " + (e.so4_cl_ratio > 0 ? f2(e.so4_cl_ratio) : std::string("-")),
        "Alcalinité résiduelle : " + f2(e.residual_alkalinity) + " mEq/L",
    };
}

std::vector<std::string> water_breakdown_lines(const WaterChemistry& w, const RecipeLine* lines, size_t count)
{
    std::vector<std::string> out;
    if (w.computed)
        out.push_back("Équilibre des charges au pH " + ph2(w.model_ph) +
                      " (mEq de protons pris, négatif pour ce qui acidifie) :");
    for (const MashShare& s : w.shares) {
        const std::string designation = s.line < count ? lines[s.line].designation : "";
        out.push_back(std::to_string(s.line + 1) + " " + designation + " (" + s.what +
                      ") : " + signed2(s.meq) + " mEq");
    }
    for (const std::string& note : w.notes)
        out.push_back(note);
    return out;
}

std::string measured_ph_text(double measured_ph, const Estimates& e)
{
    if (!(measured_ph > 0) || e.mash_ph <= 0)
        return "";
    return "pH mesuré " + ph2(measured_ph) + ", prédit " + ph2(e.mash_ph) + " : écart " +
           signed2(measured_ph - e.mash_ph);
}

std::string profile_choice_text(const WaterProfile& profile)
{
    return profile.name + " : " + ions_text(profile.ions);
}
