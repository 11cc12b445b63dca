// The peer scene through Allegro 5: al_draw_tinted_scaled_rotated_bitmap between
// al_hold_bitmap_drawing(true) and (false), its batched way of drawing one bitmap often.
#include <GL/gl.h>
#include <allegro5/allegro.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "frame_loop.h"
#include "runner_options.h"
#include "scene.h"

namespace {

// Straight-alpha pixels uploaded as they are; the blender below matches them.
ALLEGRO_BITMAP* MakeBitmap() {
    al_set_new_bitmap_flags(ALLEGRO_VIDEO_BITMAP | ALLEGRO_MIN_LINEAR | ALLEGRO_MAG_LINEAR);
    ALLEGRO_BITMAP* bitmap = al_create_bitmap(peers::kSpriteSize, peers::kSpriteSize);
    if (!bitmap) {
        return nullptr;
    }
    ALLEGRO_LOCKED_REGION* region =
        al_lock_bitmap(bitmap, ALLEGRO_PIXEL_FORMAT_ABGR_8888_LE, ALLEGRO_LOCK_WRITEONLY);
    if (!region) {
        al_destroy_bitmap(bitmap);
        return nullptr;
    }
    const std::vector<uint8_t> picture = peers::BuildSpriteTexture();
    for (int y = 0; y < peers::kSpriteSize; ++y) {
        std::memcpy(static_cast<uint8_t*>(region->data) + y * region->pitch,
                    &picture[y * peers::kSpriteSize * 4], peers::kSpriteSize * 4);
    }
    al_unlock_bitmap(bitmap);
    return bitmap;
}

bool ReadBackbuffer(ALLEGRO_DISPLAY* display, std::vector<uint8_t>& pixels) {
    ALLEGRO_BITMAP* back = al_get_backbuffer(display);
    ALLEGRO_LOCKED_REGION* region =
        al_lock_bitmap(back, ALLEGRO_PIXEL_FORMAT_ABGR_8888_LE, ALLEGRO_LOCK_READONLY);
    if (!region) {
        return false;
    }
    pixels.resize(static_cast<size_t>(peers::kWidth) * peers::kHeight * 4);
    for (int y = 0; y < peers::kHeight; ++y) {
        std::memcpy(&pixels[static_cast<size_t>(y) * peers::kWidth * 4],
                    static_cast<const uint8_t*>(region->data) + y * region->pitch,
                    peers::kWidth * 4);
    }
    al_unlock_bitmap(back);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    peers::RunnerOptions options;
    if (!peers::ParseRunnerOptions(argc, argv, options)) {
        return 2;
    }
    if (!al_init()) {
        std::fprintf(stderr, "Allegro could not start\n");
        return 1;
    }
    al_set_new_display_flags(ALLEGRO_OPENGL | ALLEGRO_WINDOWED);
    al_set_new_display_option(ALLEGRO_VSYNC, 2, ALLEGRO_SUGGEST);  // 2: off
    ALLEGRO_DISPLAY* display = al_create_display(peers::kWidth, peers::kHeight);
    if (!display) {
        std::fprintf(stderr, "Allegro could not open a display\n");
        return 1;
    }
    ALLEGRO_BITMAP* bitmap = MakeBitmap();
    if (!bitmap) {
        std::fprintf(stderr, "Allegro could not make the sprite bitmap\n");
        return 1;
    }
    // Allegro's default blender expects premultiplied colours; these are straight.
    al_set_blender(ALLEGRO_ADD, ALLEGRO_ALPHA, ALLEGRO_INVERSE_ALPHA);

    const std::vector<peers::SceneSprite> scene = peers::BuildScene(options.scene, options.count);
    const float half = peers::kSpriteSize * 0.5f;
    auto draw = [&](std::vector<uint8_t>* pixels) {
        al_clear_to_color(al_map_rgb(102, 134, 179));
        al_hold_bitmap_drawing(true);
        for (const peers::SceneSprite& s : scene) {
            al_draw_tinted_scaled_rotated_bitmap(bitmap, al_map_rgba(s.r, s.g, s.b, s.a), half,
                                                 half, s.x, s.y, s.width / peers::kSpriteSize,
                                                 s.height / peers::kSpriteSize,
                                                 s.degrees * ALLEGRO_PI / 180.0f, 0);
        }
        al_hold_bitmap_drawing(false);
        if (pixels && !ReadBackbuffer(display, *pixels)) {
            return false;
        }
        al_flip_display();
        glFinish();
        return true;
    };
    const int code = peers::RunFrameLoop(options, "Allegro_held", draw);
    al_destroy_bitmap(bitmap);
    al_destroy_display(display);
    return code;
}
