// Writes the desktop's text font (freeglut's 8-by-13 bitmap font, the one
// glutBitmapCharacter draws on the desktop) as a C++ table for the browser
// build, whose toolkit has no bitmap fonts: the page then draws the same
// pixels. The table is made from the freeglut installed for the desktop
// build at each web build, never kept in the sources.
//
//   font_table <out.inc>
//
// freeglut exports the font as data: a name, the number of characters, the
// row count, one bitmap per character (its width in pixels, then one byte a
// row from the bottom, leftmost pixel in the high bit) and the origin. The
// layout is checked against what the font must be before anything is
// written, so a freeglut that keeps it otherwise stops the build.

#include <cstdio>
#include <cstring>
#include <string>

namespace {

struct GlutBitmapFont {
    const char* name;
    int quantity;
    int height;
    const unsigned char** characters;
    float xOrigin;
    float yOrigin;
};

}  // namespace

extern "C" GlutBitmapFont fgFontFixed8x13;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: font_table OUT.inc\n");
        return 2;
    }
    const GlutBitmapFont& font = fgFontFixed8x13;
    const bool plausible = font.name != nullptr && std::strncmp(font.name, "-misc-fixed-", 12) == 0 &&
                           font.quantity == 256 && font.height >= 13 && font.height <= 16 &&
                           font.characters != nullptr && font.characters['A'] != nullptr &&
                           font.characters['A'][0] == 8 && font.yOrigin >= 0.0f && font.yOrigin < 8.0f;
    if (!plausible) {
        std::fprintf(stderr, "font_table: freeglut's 8-by-13 font is not laid out as expected\n");
        return 1;
    }
    std::string text = "// Made by tools/font_table.cpp from freeglut's 8-by-13 font.\n";
    text += "constexpr int kFontRows = " + std::to_string(font.height) + ";\n";
    text += "constexpr int kFontXOrigin = " + std::to_string(static_cast<int>(font.xOrigin)) + ";\n";
    text += "constexpr int kFontYOrigin = " + std::to_string(static_cast<int>(font.yOrigin)) + ";\n";
    text += "// Per character: its advance, then its rows from the bottom.\n";
    text += "const unsigned char kFontBitmaps[256][1 + " + std::to_string(font.height) + "] = {\n";
    for (int c = 0; c < 256; ++c) {
        const unsigned char* glyph = font.characters[c];
        text += "    {";
        for (int i = 0; i <= font.height; ++i) {
            if (i > 0) text += ", ";
            text += std::to_string(glyph != nullptr ? glyph[i] : (i == 0 ? 8 : 0));
        }
        text += "},\n";
    }
    text += "};\n";
    std::FILE* out = std::fopen(argv[1], "w");
    if (out == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    if (std::fclose(out) != 0 || !written) {
        std::fprintf(stderr, "font_table: could not write %s\n", argv[1]);
        std::remove(argv[1]);
        return 1;
    }
    return 0;
}
