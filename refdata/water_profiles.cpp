// refdata/water_profiles.cpp — reads "bases/eaux.txt" into water profiles and finds one by name.
#include "refdata/water_profiles.h"

#include "core/data_folders.h"
#include "core/text.h"
#include "refdata/reference_line.h"

#include <glib.h>

static std::string folded(const std::string& name);

bool parse_water_profile(const std::string& line, WaterProfile& profile)
{
    profile.name = tab_field(line, 1);
    if (profile.name.find_first_not_of(' ') == std::string::npos)
        return false;
    double Ions::*fields[] = {&Ions::ca, &Ions::mg, &Ions::na, &Ions::so4, &Ions::cl, &Ions::hco3};
    int n = 2;
    for (double Ions::*field : fields)
        profile.ions.*field = text_to_number(tab_field(line, n++));
    const std::string ph = tab_field(line, 8);
    // A profile without its pH is taken as neutral, which moves its alkalinity least.
    profile.ph = ph.empty() ? 7 : text_to_number(ph);
    profile.key = folded(profile.name);
    return true;
}

std::vector<WaterProfile> read_water_profiles(const std::string& path)
{
    std::vector<WaterProfile> profiles;
    for_each_reference_line(path, [&](const std::string& line) {
        WaterProfile profile;
        if (parse_water_profile(line, profile))
            profiles.push_back(profile);
    });
    return profiles;
}

static std::vector<WaterProfile>& loaded()
{
    static std::vector<WaterProfile> profiles = read_water_profiles(data_folders().bases + "/eaux.txt");
    return profiles;
}

const std::vector<WaterProfile>& water_profiles()
{
    return loaded();
}

void load_water_profiles()
{
    loaded() = read_water_profiles(data_folders().bases + "/eaux.txt");
}

// The name trimmed and case-folded, so that "OSMOSÉE" in a recipe names "Osmosée".
static std::string folded(const std::string& name)
{
    const size_t first = name.find_first_not_of(' ');
    const size_t last = name.find_last_not_of(' ');
    if (first == std::string::npos)
        return "";
    const std::string trimmed = name.substr(first, last - first + 1);
    if (!g_utf8_validate(trimmed.c_str(), static_cast<gssize>(trimmed.size()), nullptr))
        return upper_ascii(trimmed);
    gchar* fold = g_utf8_casefold(trimmed.c_str(), static_cast<gssize>(trimmed.size()));
    gchar* normal = g_utf8_normalize(fold, -1, G_NORMALIZE_DEFAULT_COMPOSE);
    const std::string result = normal ? normal : fold;
    g_free(normal);
    g_free(fold);
    return result;
}

const WaterProfile* find_water_profile(const std::vector<WaterProfile>& profiles, const std::string& name)
{
    const std::string wanted = folded(name);
    if (wanted.empty())
        return nullptr;
    for (const WaterProfile& p : profiles)
        if (p.key == wanted)
            return &p;
    return nullptr;
}
