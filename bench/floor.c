/* bench/floor.c — the floor of start-up: an empty 720 × 630 GTK+ 2 window titled as Cuvelo's, nothing else. */
#include <gtk/gtk.h>
#include <stdlib.h>

static void quit(void)
{
    exit(0);
}

int main(void)
{
    gtk_disable_setlocale();
    gtk_init(NULL, NULL);
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_widget_set_size_request(window, 720, 630);
    gtk_window_set_position(GTK_WINDOW(window), GTK_WIN_POS_CENTER);
    g_signal_connect(window, "destroy", G_CALLBACK(quit), NULL);
    gtk_widget_show(window);
    gtk_window_set_title(GTK_WINDOW(window), "CUVELO V0.9 : Créateur de recette de bière");
    gtk_main();
    return 0;
}
