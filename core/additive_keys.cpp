// core/additive_keys.cpp — the keys of the salts and acids, as the ingredient database writes them.
#include "core/additive_keys.h"

#include "core/text.h"

namespace
{

struct KeyOf {
    Additive additive;
    const char* key;
};

const KeyOf kKeys[] = {
    {Additive::gypsum, "CASO4"},    {Additive::calcium_chloride, "CACL2"},
    {Additive::epsom, "MGSO4"},     {Additive::magnesium_chloride, "MGCL2"},
    {Additive::table_salt, "NACL"}, {Additive::baking_soda, "NAHCO3"},
    {Additive::chalk, "CACO3"},     {Additive::lime, "CAOH2"},
    {Additive::lactic, "LACTIQUE"}, {Additive::phosphoric, "PHOSPHORIQUE"},
};

std::string trimmed_upper(const std::string& text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return "";
    const size_t last = text.find_last_not_of(' ');
    return upper_ascii(text.substr(first, last - first + 1));
}

} // namespace

Additive additive_of_key(const std::string& value)
{
    const std::string key = trimmed_upper(value);
    for (const KeyOf& k : kKeys)
        if (key == k.key)
            return k.additive;
    return Additive::none;
}

const char* additive_key(Additive a)
{
    for (const KeyOf& k : kKeys)
        if (k.additive == a)
            return k.key;
    return "";
}
