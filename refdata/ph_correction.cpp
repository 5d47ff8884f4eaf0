// refdata/ph_correction.cpp — the mash pH measurements file and the CORRECTION_PH key of the configuration.
#include "refdata/ph_correction.h"

#include "core/replace_file.h"
#include "core/text.h"
#include "refdata/reference_line.h"

#include <glib.h>

#include <cstdio>

bool add_ph_measurement(const std::string& path, const std::string& title, double measured, double model)
{
    std::string name = title;
    for (char& c : name)
        if (c == '\t' || c == '\n' || c == '\r' || c == '#')
            c = ' ';
    if (name.size() < 5)
        name += std::string(5 - name.size(), ' '); // a record line is longer than 4 bytes
    FILE* file = std::fopen(path.c_str(), "a");
    if (!file)
        return false;
    const std::string line =
        name + "\t" + format_decimals(measured, 2) + "\t" + format_decimals(model, 3) + "\n";
    const bool written = std::fputs(line.c_str(), file) >= 0;
    return std::fclose(file) == 0 && written;
}

double mean_ph_difference(const std::string& path, int* count)
{
    double sum = 0;
    int n = 0;
    for_each_reference_line(path, [&](const std::string& line) {
        const double measured = text_to_number(tab_field(line, 2));
        const double model = text_to_number(tab_field(line, 3));
        if (measured > 0 && model > 0) {
            sum += measured - model;
            n++;
        }
    });
    if (count)
        *count = n;
    return n > 0 ? sum / n : 0;
}

std::string with_ph_correction(const std::string& configuration, double correction)
{
    const std::string line = "CORRECTION_PH\t" + format_decimals(correction, 3);
    std::string result;
    bool set = false;
    size_t start = 0;
    while (start < configuration.size()) {
        size_t end = configuration.find('\n', start);
        end = end == std::string::npos ? configuration.size() : end + 1;
        const std::string text = configuration.substr(start, end - start);
        if (text.compare(0, 14, "CORRECTION_PH\t") == 0) {
            if (!set)
                result += line + "\n";
            set = true;
        } else {
            result += text;
        }
        start = end;
    }
    if (!set) {
        if (!result.empty() && result.back() != '\n')
            result += '\n';
        result +=
            "# Correction du pH d'empâtage : l'écart moyen entre les pH mesurés et prédits, ajouté à chaque "
            "prédiction.\n" +
            line + "\n";
    }
    return result;
}

bool write_ph_correction(const std::string& path, double correction, std::string* why)
{
    gchar* bytes = nullptr;
    gsize size = 0;
    std::string configuration;
    if (g_file_get_contents(path.c_str(), &bytes, &size, nullptr)) {
        configuration.assign(bytes, size);
        g_free(bytes);
    }
    return replace_file(path, with_ph_correction(configuration, correction), why);
}
