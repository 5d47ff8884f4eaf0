// ui/results_panel.cpp — puts the estimates into the eighteen result labels and the style button.
#include "ui/results_panel.h"

#include "calc/evaluate.h"
#include "calc/results_text.h"
#include "core/display_text.h"
#include "core/workspace.h"
#include "ui/picture_widget.h"
#include "ui/widgets.h"

// The current style's picture on the style button; a style without a picture name keeps the old one.
static void show_style_image()
{
    if (ws.style.picture.empty())
        return;
    ui.style_image = picture_image(ws.style.picture);
    gtk_widget_show(ui.style_image);
    gtk_button_set_image(GTK_BUTTON(ui.style_button), ui.style_image);
}

// The button's text arrives as markup (a style file's "&" or "<" escaped); its label is rebuilt with every
// new text or picture, so markup is switched on again each time.
static void use_markup_in(GtkWidget* widget, gpointer)
{
    if (GTK_IS_LABEL(widget))
        gtk_label_set_use_markup(GTK_LABEL(widget), TRUE);
    else if (GTK_IS_CONTAINER(widget))
        gtk_container_foreach(GTK_CONTAINER(widget), use_markup_in, nullptr);
}

void show_results()
{
    const ResultsText texts = results_text_on_screen();
    if (texts.style_button_changes)
        gtk_button_set_label(GTK_BUTTON(ui.style_button), display_text(texts.style_button).c_str());
    show_style_image();
    gtk_container_foreach(GTK_CONTAINER(ui.style_button), use_markup_in, nullptr);
    // Plain text first, then markup on, so that the spans take effect.
    for (int k = 1; k <= kResultLabels; k++)
        gtk_label_set_text(GTK_LABEL(ui.result_labels[k]), display_text(texts.labels[k]).c_str());
    for (int k = 1; k <= kResultLabels; k++)
        gtk_label_set_use_markup(GTK_LABEL(ui.result_labels[k]), TRUE);
}

void refresh_results()
{
    evaluate_recipe();
    show_results();
}
