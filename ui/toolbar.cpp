// ui/toolbar.cpp — the fifteen picture buttons across the top of the main window and their dispatcher.
#include "ui/toolbar.h"

#include "ui/commands.h"
#include "ui/picture_widget.h"
#include "ui/widgets.h"

void add_toolbar_button(const std::string& picture, int command, const std::string& tip)
{
    GtkWidget* button = gtk_button_new();
    GtkWidget* image = picture_image(picture);
    gtk_container_add(GTK_CONTAINER(button), image);
    gtk_widget_show(image);
    // A picture says nothing to a screen reader: the tooltip's words name the button.
    gtk_widget_set_tooltip_text(button, tip.c_str());
    atk_object_set_name(gtk_widget_get_accessible(button), tip.c_str());
    gtk_table_attach_defaults(GTK_TABLE(ui.toolbar_table), button, ui.toolbar_column, ui.toolbar_column + 1,
                              0, 1);
    g_signal_connect(button, "clicked", G_CALLBACK(on_toolbar_clicked), GINT_TO_POINTER(command));
    gtk_widget_show(button);
    ui.toolbar_buttons[command] = button;
    ui.toolbar_column++;
}

void build_toolbar()
{
    static const struct {
        const char* picture;
        int command;
        const char* tip;
    } buttons[] = {
        {"nouveau", CMD_NEW, "Nouvelle recette (Ctrl+N)"},
        {"ouvrir", CMD_OPEN, "Ouvrir une recette (Ctrl+O)"},
        {"enregistrer", CMD_SAVE, "Enregistrer la recette (Ctrl+S ; sous un autre nom : Ctrl+Maj+S)"},
        {"html", CMD_HTML_REPORT, "Afficher le rapport de la recette dans le navigateur"},
        {"style", CMD_STYLE_MENU, "Choisir le style de bière"},
        {"eau", CMD_WATER_MENU, "Ajouter une eau"},
        {"malt1", CMD_MALT_MENU, "Ajouter un malt ou une céréale"},
        {"houbloncone", CMD_HOP_MENU, "Ajouter un houblon"},
        {"sucre", CMD_SUGAR_MENU, "Ajouter un sucre, un extrait ou un autre ingrédient"},
        {"levure", CMD_YEAST_MENU, "Ajouter une levure"},
        {"fonction", CMD_FUNCTION_MENU,
         "Menu des fonctions : tri, volume, carbonatation, prix, titre, aide (F1)…"},
        {"modifier", CMD_MODIFY, "Modifier la ligne choisie (Entrée ou double-clic)"},
        {"monter", CMD_MOVE_UP, "Monter la ligne choisie (Alt+Haut)"},
        {"descendre", CMD_MOVE_DOWN, "Descendre la ligne choisie (Alt+Bas)"},
        {"supprimer", CMD_DELETE, "Supprimer la ligne choisie (Suppr)"},
    };
    for (const auto& button : buttons)
        add_toolbar_button(button.picture, button.command, button.tip);
}

GtkWidget* toolbar_button(int command)
{
    const auto found = ui.toolbar_buttons.find(command);
    return found == ui.toolbar_buttons.end() ? nullptr : found->second;
}

void on_toolbar_clicked(GtkWidget* button, gpointer command)
{
    run_command(GPOINTER_TO_INT(command), button);
}
