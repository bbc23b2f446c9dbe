// make_pictures OUTPUT_DIR
//
// Draws the castle's nineteen room pictures (640 x 400, 24-bit BMP) into
// OUTPUT_DIR. Rooms are seen from above with north at the top, so every exit
// shows; the two pictures taken at the castle's doors, the entrance and the
// way out, look straight ahead instead. Only shapes, no text, and all
// "randomness" comes from a hash of fixed numbers: the bytes are the same on
// every build.
//
// The drawings themselves live in pictures/: Rooms.cpp holds one function
// per room and the table from room numbers to files.

#include "pictures/Kit.h"
#include "pictures/Rooms.h"

#include <cairo.h>
#include <gdk/gdk.h>
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <glib/gstdio.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

using pictures::kHeight;
using pictures::kPictures;
using pictures::kWidth;
using pictures::Picture;

// GdkPixbuf picks the BMP depth from the pixbuf; the game reads 24-bit only.
bool is_24bit_bmp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    unsigned char header[30] = {};
    in.read(reinterpret_cast<char*>(header), sizeof header);
    return in && header[0] == 'B' && header[1] == 'M' && header[28] == 24 && header[29] == 0;
}

bool save_picture(const Picture& pic, const std::string& dir) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight);
    cairo_t* cr = cairo_create(surface);
    pic.draw(cr);
    const bool drawn = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
    cairo_destroy(cr);
    cairo_surface_flush(surface);

    GdkPixbuf* pixbuf = drawn ? gdk_pixbuf_get_from_surface(surface, 0, 0, kWidth, kHeight) : nullptr;
    cairo_surface_destroy(surface);
    if (!pixbuf || gdk_pixbuf_get_has_alpha(pixbuf)) {
        std::fprintf(stderr, "make_pictures: could not draw %s\n", pic.file);
        if (pixbuf) g_object_unref(pixbuf);
        return false;
    }
    const std::string path = dir + "/" + pic.file;
    GError* error = nullptr;
    const bool saved = gdk_pixbuf_save(pixbuf, path.c_str(), "bmp", &error, nullptr);
    g_object_unref(pixbuf);
    if (!saved) {
        std::fprintf(stderr, "make_pictures: %s: %s\n", path.c_str(), error ? error->message : "not saved");
        if (error) g_error_free(error);
        return false;
    }
    if (!is_24bit_bmp(path)) {
        std::fprintf(stderr, "make_pictures: %s is not a 24-bit BMP\n", path.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_pictures OUTPUT_DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    if (g_mkdir_with_parents(dir.c_str(), 0755) != 0) {
        std::fprintf(stderr, "make_pictures: cannot create %s\n", dir.c_str());
        return 1;
    }
    for (const Picture& pic : kPictures)
        if (!save_picture(pic, dir)) return 1;
    return 0;
}
