// A bare GTK program with the game's widgets and nothing else: the yardstick
// for how fast the game's window appears.
#include <gtk/gtk.h>

int main(int argc, char** argv) {
    gtk_init(&argc, &argv);
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window), "Bare, v1.2.3");
    gtk_window_set_resizable(GTK_WINDOW(window), FALSE);
    gtk_window_set_position(GTK_WINDOW(window), GTK_WIN_POS_CENTER);
    GtkWidget* fixed = gtk_fixed_new();
    gtk_widget_set_size_request(fixed, 1024, 768);
    gtk_container_add(GTK_CONTAINER(window), fixed);
    GtkWidget* scroll = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_widget_set_size_request(scroll, 380, 764);
    GtkWidget* text = gtk_text_view_new();
    gtk_text_view_set_wrap_mode(GTK_TEXT_VIEW(text), GTK_WRAP_WORD_CHAR);
    gtk_text_view_set_editable(GTK_TEXT_VIEW(text), FALSE);
    gtk_text_buffer_set_text(gtk_text_view_get_buffer(GTK_TEXT_VIEW(text)), "Bare, v1.2.3\n\nSome text.", -1);
    gtk_container_add(GTK_CONTAINER(scroll), text);
    gtk_fixed_put(GTK_FIXED(fixed), scroll, 4, 4);
    GtkWidget* panel = gtk_drawing_area_new();
    gtk_widget_set_size_request(panel, 640, 400);
    gtk_fixed_put(GTK_FIXED(fixed), panel, 380, 4);
    const struct {
        const char* label;
        int x, y, w;
    } buttons[] = {{"Visit", 384, 740, 320},      {"Get Instructions", 704, 740, 320}, {"Consume", 384, 712, 213},
                   {"Show Stats", 597, 712, 213}, {"Show Inventory", 810, 712, 213},   {"Go East", 384, 404, 640},
                   {"Examine Sword", 384, 434, 640}, {"Take Sword", 384, 464, 640}};
    for (const auto& b : buttons) {
        GtkWidget* button = gtk_button_new_with_label(b.label);
        gtk_widget_set_size_request(button, b.w, 28);
        gtk_fixed_put(GTK_FIXED(fixed), button, b.x, b.y);
    }
    g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);
    gtk_widget_show_all(window);
    gtk_main();
    return 0;
}
