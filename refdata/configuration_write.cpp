// refdata/configuration_write.cpp — writes changed settings back into a configuration file, keeping the rest.
#include "refdata/configuration_write.h"

#include "core/replace_file.h"
#include "core/text.h"
#include "refdata/reference_line.h"

#include <glib.h>

namespace
{

std::string value_line(const ConfigurationValue& v)
{
    std::string line = v.key;
    for (const std::string& field : v.fields)
        line += "\t" + field;
    return line;
}

const ConfigurationValue* changed_value(const std::vector<ConfigurationValue>& changed,
                                        const std::string& key)
{
    for (const ConfigurationValue& v : changed)
        if (v.key == key)
            return &v;
    return nullptr;
}

} // namespace

std::string configuration_text_with(const std::string& old, const std::vector<ConfigurationValue>& changed)
{
    std::string text;
    std::vector<bool> written(changed.size(), false);
    size_t start = 0;
    while (start < old.size()) {
        size_t end = old.find('\n', start);
        end = end == std::string::npos ? old.size() : end + 1;
        std::string line = old.substr(start, end - start);
        start = end;
        std::string ending;
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
            ending.insert(ending.begin(), line.back());
            line.pop_back();
        }
        const ConfigurationValue* v =
            is_reference_line(line) ? changed_value(changed, tab_field(line, 1)) : nullptr;
        if (v) {
            written[static_cast<size_t>(v - changed.data())] = true;
            line = value_line(*v);
        }
        text += line + ending;
    }
    bool separated = text.empty() || text.back() == '\n';
    for (size_t k = 0; k < changed.size(); k++) {
        if (written[k])
            continue;
        if (!separated)
            text += "\n";
        separated = true;
        const ConfigurationValue& v = changed[k];
        text += "# " + v.label + (v.unit.empty() ? "" : " (" + v.unit + ")") + ".\n" + value_line(v) + "\n";
    }
    return text;
}

std::vector<ConfigurationValue> changed_configuration_values(const Settings& before, const Settings& after)
{
    const std::vector<ConfigurationValue> old_values = configuration_values(before);
    const std::vector<ConfigurationValue> new_values = configuration_values(after);
    std::vector<ConfigurationValue> changed;
    for (size_t k = 0; k < new_values.size() && k < old_values.size(); k++)
        if (new_values[k].fields != old_values[k].fields)
            changed.push_back(new_values[k]);
    return changed;
}

bool save_configuration_file(const std::string& path, const Settings& before, const Settings& after,
                             std::string* why)
{
    gchar* contents = nullptr;
    gsize length = 0;
    GError* error = nullptr;
    std::string old;
    if (g_file_get_contents(path.c_str(), &contents, &length, &error)) {
        old.assign(contents, length);
    } else if (!g_error_matches(error, G_FILE_ERROR, G_FILE_ERROR_NOENT)) {
        // A file that is there but unreadable must not be replaced by the changed keys alone.
        if (why)
            *why = std::string("impossible de lire la configuration : ") + error->message;
        g_error_free(error);
        return false;
    }
    if (error)
        g_error_free(error);
    g_free(contents);
    return replace_file(path, configuration_text_with(old, changed_configuration_values(before, after)), why);
}
