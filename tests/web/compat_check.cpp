// Checks of the browser GL layer (webgl/): each draws a known primitive
// into the canvas and reads pixels back. Prints "PASS name" or "FAIL name:
// ..." per check and a summary line; test_compat.js runs it in chromium.

#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <utility>

#include <GL/glut.h>

namespace {

constexpr int kSize = 200;
int passed = 0;
int failed = 0;

struct Pixel {
    int r, g, b;
};

// (x, y) from -1..1 across the canvas.
Pixel readAt(double x, double y) {
    unsigned char rgba[4] = {};
    const int px = static_cast<int>((x + 1.0) * 0.5 * (kSize - 1));
    const int py = static_cast<int>((y + 1.0) * 0.5 * (kSize - 1));
    glReadPixels(px, py, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return {rgba[0], rgba[1], rgba[2]};
}

bool near(int value, int want) { return std::abs(value - want) <= 20; }

// Prints the pixels read, named, after FAIL.
void report(const char* name, bool ok, std::initializer_list<std::pair<const char*, Pixel>> read) {
    if (ok) {
        ++passed;
        std::printf("PASS %s\n", name);
        return;
    }
    ++failed;
    std::printf("FAIL %s:", name);
    for (const auto& r : read) std::printf(" %s %d %d %d", r.first, r.second.r, r.second.g, r.second.b);
    std::printf("\n");
}

// Texture coordinates 0..1 across it; they count only with texturing on.
void fullQuad() {
    glBegin(GL_QUADS);
    for (const auto& corner : {std::pair<float, float>{0.0f, 0.0f}, {1.0f, 0.0f}, {1.0f, 1.0f}, {0.0f, 1.0f}}) {
        glTexCoord2f(corner.first, corner.second);
        glVertex3f(2.0f * corner.first - 1.0f, 2.0f * corner.second - 1.0f, 0.0f);
    }
    glEnd();
}

// The same square as a 40 x 40 grid: lighting is worked out per vertex, so
// a light close to the surface shows only across many vertices.
void gridQuad() {
    constexpr int kCells = 40;
    glBegin(GL_QUADS);
    for (int i = 0; i < kCells; ++i) {
        for (int j = 0; j < kCells; ++j) {
            const float x0 = -1.0f + 2.0f * i / kCells, x1 = -1.0f + 2.0f * (i + 1) / kCells;
            const float y0 = -1.0f + 2.0f * j / kCells, y1 = -1.0f + 2.0f * (j + 1) / kCells;
            glVertex3f(x0, y0, 0.0f);
            glVertex3f(x1, y0, 0.0f);
            glVertex3f(x1, y1, 0.0f);
            glVertex3f(x0, y1, 0.0f);
        }
    }
    glEnd();
}

// Orthographic view of -1..1, white directional light along +z, colour
// material on, nothing else.
void reset() {
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-1.0, 1.0, -1.0, 1.0, -10.0, 10.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const GLfloat directional[4] = {0.0f, 0.0f, 1.0f, 0.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, directional);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHTING);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
    glColor3f(1.0f, 1.0f, 1.0f);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// A list without normals takes the one current at the call: lit fully
// facing the light, ambient only (0.2) facing away.
void listTakesCurrentNormal() {
    reset();
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    fullQuad();
    glEndList();
    glCallList(list);
    const Pixel facing = readAt(0.0, 0.0);
    glNormal3f(0.0f, 0.0f, -1.0f);
    glCallList(list);
    const Pixel away = readAt(0.0, 0.0);
    report("display list takes the current normal", facing.r > 235 && near(away.r, 51),
           {{"facing", facing}, {"away", away}});
}

// Push, change lighting and colour, pop: lit green again. Lit and green,
// not the emulation's default grey, also shows colour material at work.
void attributeStackRestores() {
    reset();
    glColor3f(0.0f, 1.0f, 0.0f);
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glColor3f(1.0f, 0.0f, 0.0f);
    glPopAttrib();
    fullQuad();
    const Pixel p = readAt(0.0, 0.0);
    report("attribute stack restores the lit colour material", p.r < 20 && p.g > 235, {{"got", p}});
}

// Sphere and cylinder lit from the viewer, nearest surface in front:
// bright where they face it, darker towards the outline (normals outward
// and along the surface).
void quadricNormals() {
    reset();
    glEnable(GL_DEPTH_TEST);
    GLUquadric* quadric = gluNewQuadric();
    gluSphere(quadric, 0.9, 30, 30);
    const Pixel centre = readAt(0.0, 0.0);
    const Pixel rim = readAt(0.85, 0.0);
    reset();
    glEnable(GL_DEPTH_TEST);
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    glTranslatef(0.0f, 0.0f, -1.0f);
    gluCylinder(quadric, 0.9, 0.9, 2.0, 30, 1);
    const Pixel axis = readAt(0.0, 0.0);
    const Pixel side = readAt(0.85, 0.0);
    const bool ok = centre.r > 235 && rim.r < 180 && rim.r > 51 && axis.r > 235 && side.r < 180 && side.r > 51;
    report("quadric normals point outward", ok,
           {{"sphere centre", centre}, {"sphere rim", rim}, {"cylinder axis", axis}, {"cylinder side", side}});
}

// A camera on the +x axis looking at the origin sees the quad in the x = 0
// plane; a camera left at the origin would see it edge-on.
void cameraLooksAtCentre() {
    reset();
    glDisable(GL_LIGHTING);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60.0, 1.0, 0.5, 50.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(5.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
    glColor3f(1.0f, 0.0f, 0.0f);
    glBegin(GL_QUADS);
    glVertex3f(0.0f, -1.0f, -1.0f);
    glVertex3f(0.0f, -1.0f, 1.0f);
    glVertex3f(0.0f, 1.0f, 1.0f);
    glVertex3f(0.0f, 1.0f, -1.0f);
    glEnd();
    const Pixel p = readAt(0.0, 0.0);
    report("camera looks where gluLookAt points", p.r > 235 && p.g < 20, {{"got", p}});
}

// A light just in front of the quad's centre: fully lit there, at a
// grazing angle near the edge (0.2 ambient + 0.22). And a normal of length
// 0.25 under a directional light is used as given: 0.2 + 0.25.
void lightingAsGl() {
    reset();
    const GLfloat positional[4] = {0.0f, 0.0f, 0.2f, 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, positional);
    gridQuad();
    const Pixel centre = readAt(0.0, 0.0);
    const Pixel edge = readAt(0.9, 0.0);
    reset();
    glNormal3f(0.0f, 0.0f, 0.25f);
    fullQuad();
    const Pixel shortNormal = readAt(0.0, 0.0);
    const bool ok = centre.r > 235 && near(edge.r, 106) && near(shortNormal.r, 115);
    report("lit by a positional light, normals as given", ok,
           {{"centre", centre}, {"edge (want 106)", edge}, {"short normal (want 115)", shortNormal}});
}

// The old internal format "3" still gives a texture.
void textureFormatThree() {
    reset();
    glDisable(GL_LIGHTING);
    const unsigned char red[12] = {255, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0};
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, 2, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, red);
    glEnable(GL_TEXTURE_2D);
    fullQuad();
    const Pixel p = readAt(0.0, 0.0);
    report("texture with internal format 3", p.r > 235 && p.g < 20, {{"got", p}});
}

}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DEPTH);
    glutInitWindowSize(kSize, kSize);
    glutCreateWindow("checks");
    glViewport(0, 0, kSize, kSize);

    listTakesCurrentNormal();
    attributeStackRestores();
    quadricNormals();
    cameraLooksAtCentre();
    lightingAsGl();
    textureFormatThree();
    std::printf("%d passed, %d failed\n", passed, failed);
    return 0;
}
