// Writes the program's textures (24-bit BMP), sound cues (16-bit PCM WAV)
// and desktop icons (PNG at 16 to 256 pixels, and SVG) into the folder
// given on the command line.
// Everything is procedural and seeded by constants, so every run writes the
// same bytes.
//
//   make_assets <outdir>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "assets/atomic_file.h"
#include "assets/icon_image.h"
#include "assets/png_writer.h"
#include "assets/rgb.h"
#include "platform/sound.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// ---------------------------------------------------------------- noise

std::uint32_t hash3(int x, int y, std::uint32_t seed) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 0x8da6b343u ^ static_cast<std::uint32_t>(y) * 0xd8163841u ^
                      seed * 0xcb1ab31fu;
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return h;
}

double hashUnit(int x, int y, std::uint32_t seed) { return (hash3(x, y, seed) & 0xffffff) / 16777216.0; }

double fade(double t) { return t * t * t * (t * (t * 6 - 15) + 10); }
double lerp(double a, double b, double t) { return a + (b - a) * t; }

int wrap(int i, int period) {
    int m = i % period;
    return m < 0 ? m + period : m;
}

// Value noise on a lattice that repeats every `period` cells, so a texture
// built from whole periods tiles without seams.
double valueNoise(double x, double y, int period, std::uint32_t seed) {
    double fx = std::floor(x), fy = std::floor(y);
    int x0 = wrap(static_cast<int>(fx), period), y0 = wrap(static_cast<int>(fy), period);
    int x1 = wrap(x0 + 1, period), y1 = wrap(y0 + 1, period);
    double tx = fade(x - fx), ty = fade(y - fy);
    double a = lerp(hashUnit(x0, y0, seed), hashUnit(x1, y0, seed), tx);
    double b = lerp(hashUnit(x0, y1, seed), hashUnit(x1, y1, seed), tx);
    return lerp(a, b, ty);
}

// Fractal sum over (u, v) in [0, 1), tileable; result roughly in [0, 1].
double fbm(double u, double v, int basePeriod, int octaves, std::uint32_t seed, double gain = 0.5) {
    double sum = 0, amplitude = 1, total = 0;
    int period = basePeriod;
    for (int o = 0; o < octaves; ++o) {
        sum += amplitude * valueNoise(u * period, v * period, period, seed + 101u * o);
        total += amplitude;
        amplitude *= gain;
        period *= 2;
    }
    return sum / total;
}

double clamp01(double v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }
double smoothstep(double a, double b, double x) {
    double t = clamp01((x - a) / (b - a));
    return t * t * (3 - 2 * t);
}

// ---------------------------------------------------------------- images

Rgb mix(Rgb a, Rgb b, double t) { return a * (1 - t) + b * t; }

struct Image {
    int width;
    int height;
    std::vector<Rgb> pixels;  // row 0 is the bottom row, as in the file
    Image(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, Rgb{0, 0, 0}) {}
    Rgb& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

void putLe(std::vector<unsigned char>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

bool writeFile(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::string reason;
    if (writeFileAtomically(path, bytes, reason)) return true;
    fprintf(stderr, "make_assets: cannot write %s: %s\n", path.c_str(), reason.c_str());
    return false;
}

// Uncompressed 24-bit BMP, bottom row first, rows padded to 4 bytes.
bool writeBmp(const std::string& path, Image& image) {
    std::uint32_t rowBytes = (static_cast<std::uint32_t>(image.width) * 3 + 3) & ~3u;
    std::uint32_t dataBytes = rowBytes * static_cast<std::uint32_t>(image.height);
    std::vector<unsigned char> b;
    b.push_back('B');
    b.push_back('M');
    putLe(b, 54 + dataBytes, 4);
    putLe(b, 0, 4);      // reserved
    putLe(b, 54, 4);     // pixel data offset
    putLe(b, 40, 4);     // info header size
    putLe(b, static_cast<std::uint32_t>(image.width), 4);
    putLe(b, static_cast<std::uint32_t>(image.height), 4);
    putLe(b, 1, 2);      // planes
    putLe(b, 24, 2);     // bits per pixel
    putLe(b, 0, 4);      // no compression
    putLe(b, dataBytes, 4);
    putLe(b, 2835, 4);   // 72 dpi
    putLe(b, 2835, 4);
    putLe(b, 0, 4);
    putLe(b, 0, 4);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            Rgb c = image.at(x, y);
            b.push_back(toByte(c.b));
            b.push_back(toByte(c.g));
            b.push_back(toByte(c.r));
        }
        for (std::uint32_t pad = static_cast<std::uint32_t>(image.width) * 3; pad < rowBytes; ++pad) b.push_back(0);
    }
    return writeFile(path, b);
}

// ---------------------------------------------------------------- textures

// White marble with soft grey-blue veins; bright, since the pillars are
// drawn at half intensity.
Image makeMarble() {
    const int n = 256;
    Image image(n, n);
    const Rgb stone{0.94, 0.92, 0.88};
    const Rgb cloud{0.78, 0.79, 0.80};
    const Rgb vein{0.38, 0.42, 0.50};
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            double u = (x + 0.5) / n, v = (y + 0.5) / n;
            // Warp the domain twice so the veins meander instead of ringing.
            double wu = fbm(u, v, 2, 5, 11), wv = fbm(u, v, 2, 5, 13);
            double turbulence = fbm(u + 0.35 * wu, v + 0.35 * wv, 3, 6, 17);
            // Whole numbers of waves across the tile keep it seamless.
            double wave = std::sin(2 * kPi * (1 * u + 2 * v + 2.2 * turbulence));
            double veinMask = std::pow(1 - std::fabs(wave), 7.0);
            double fine = std::sin(2 * kPi * (3 * u - 1 * v + 3.0 * fbm(u + 0.2 * wv, v, 4, 6, 23)));
            double fineMask = std::pow(1 - std::fabs(fine), 18.0) * 0.35;
            double haze = fbm(u + 0.5 * wu, v + 0.5 * wv, 2, 6, 37);
            Rgb c = mix(stone, cloud, smoothstep(0.40, 0.75, haze) * 0.7);
            c = mix(c, vein, clamp01(veinMask * 0.75 + fineMask));
            image.at(x, y) = c * (0.97 + 0.06 * fbm(u, v, 32, 3, 41));
        }
    }
    return image;
}

// A soft round spark on black: a hot core in a glow that reaches black
// before the edge, since the flash is added onto the frame.
Image makeSpark() {
    const int n = 256;
    Image image(n, n);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            double dx = (x + 0.5) / n * 2 - 1, dy = (y + 0.5) / n * 2 - 1;
            double r = std::sqrt(dx * dx + dy * dy);
            double edge = 1 - smoothstep(0.7, 0.98, r);
            double glow = std::exp(-r * r * 9.0) * edge;
            double core = std::exp(-r * r * 60.0);
            double angle = std::atan2(dy, dx);
            double glint = std::pow(std::fabs(std::cos(2 * angle)), 40.0) * std::exp(-r * 5.0) * edge * 0.5;
            double i = glow + glint;
            image.at(x, y) = Rgb{i + core, i * 0.85 + core, i * 0.55 + core * 0.9};
        }
    }
    return image;
}

// Floor of square sandstone slabs with dark joints and bevelled edges.
Image makeFloor() {
    const int n = 256;
    const int tiles = 4;
    const int tile = n / tiles;
    Image image(n, n);
    const Rgb base{0.62, 0.56, 0.47};
    const Rgb joint{0.16, 0.14, 0.12};
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            double u = (x + 0.5) / n, v = (y + 0.5) / n;
            int tx = x / tile, ty = y / tile;
            double lx = (x % tile + 0.5) / tile, ly = (y % tile + 0.5) / tile;
            // Per-slab tint and brightness.
            double shade = 0.80 + 0.28 * hashUnit(tx, ty, 5);
            double warm = hashUnit(tx, ty, 6) - 0.5;
            Rgb slab{base.r * (1 + 0.12 * warm), base.g, base.b * (1 - 0.15 * warm)};
            double grain = fbm(u, v, 16, 5, 51);
            double blotch = fbm(u, v, 4, 4, 53 + tx * 7 + ty * 13);
            Rgb c = slab * (shade * (0.78 + 0.42 * grain) * (0.9 + 0.2 * blotch));
            // Dark speckles.
            if (hashUnit(x, y, 57) > 0.985) c = c * 0.7;
            // Bevel: light from the upper left (file rows grow upwards).
            double d = std::min(std::min(lx, 1 - lx), std::min(ly, 1 - ly));
            double bevel = 1 - smoothstep(0.03, 0.09, d);
            bool nearLeftOrTop = d == lx || d == 1 - ly;
            double lightSide = nearLeftOrTop ? 1.0 : -1.0;
            c = c * (1 + 0.22 * bevel * lightSide);
            double jointMask = 1 - smoothstep(0.012, 0.028, d);
            image.at(x, y) = mix(c, joint * (0.8 + 0.4 * grain), jointMask);
        }
    }
    return image;
}

// Walls of red-brown bricks in running bond with pale mortar.
Image makeWall() {
    const int n = 256;
    const int rows = 8;
    const int perRow = 4;
    const double brickH = static_cast<double>(n) / rows, brickW = static_cast<double>(n) / perRow;
    Image image(n, n);
    const Rgb brick{0.60, 0.27, 0.18};
    const Rgb mortar{0.72, 0.69, 0.63};
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            double u = (x + 0.5) / n, v = (y + 0.5) / n;
            int row = static_cast<int>((y + 0.5) / brickH);
            double shifted = x + 0.5 + (row % 2) * brickW / 2;
            int column = static_cast<int>(shifted / brickW);
            double lx = (shifted - column * brickW) / brickW;
            double ly = (y + 0.5 - row * brickH) / brickH;
            int id = column % perRow;
            double tone = hashUnit(id, row, 71);
            Rgb b = mix(brick, Rgb{0.45, 0.20, 0.14}, tone);
            if (hashUnit(id, row, 73) > 0.8) b = mix(b, Rgb{0.68, 0.42, 0.26}, 0.5);  // a few pale bricks
            double grain = fbm(u, v, 32, 4, 79);
            double blotch = fbm(u, v, 8, 4, 83);
            b = b * (0.8 + 0.35 * grain) * (0.85 + 0.3 * blotch);
            // Distance to the mortar joint in pixels.
            double dx = std::min(lx, 1 - lx) * brickW, dy = std::min(ly, 1 - ly) * brickH;
            double d = std::min(dx, dy);
            double jointMask = 1 - smoothstep(1.6, 2.8, d + (grain - 0.5) * 1.2);
            double edgeShade = 0.85 + 0.15 * smoothstep(2.5, 6.0, d);
            Rgb m = mortar * (0.85 + 0.25 * fbm(u, v, 64, 2, 89));
            image.at(x, y) = mix(b * edgeShade, m, jointMask);
        }
    }
    return image;
}

// Deep blue above fading to a hazy horizon, with drifting clouds. Row 0 is
// the bottom of the window.
Image makeSky() {
    const int n = 512;
    Image image(n, n);
    const Rgb zenith{0.10, 0.25, 0.60};
    const Rgb horizon{0.62, 0.78, 0.95};
    for (int y = 0; y < n; ++y) {
        double h = (y + 0.5) / n;
        Rgb sky = mix(horizon, zenith, std::pow(h, 0.8));
        for (int x = 0; x < n; ++x) {
            double u = (x + 0.5) / n;
            // Clouds stretched sideways and thinning towards the zenith.
            double c = fbm(u, h * 2.0, 3, 7, 97, 0.55);
            double density = smoothstep(0.50, 0.72, c) * (1 - 0.6 * h);
            double light = 0.85 + 0.35 * fbm(u + 0.01, h * 2.0 + 0.015, 6, 4, 99);
            Rgb cloud = Rgb{1.0, 1.0, 1.0} * light;
            image.at(x, y) = mix(sky, cloud, density);
        }
    }
    return image;
}

// A bright burst with irregular rays on black, black again at the edge.
Image makeFlare() {
    const int n = 256;
    Image image(n, n);
    const int rays = 14;
    double phase[rays], length[rays], width[rays];
    for (int i = 0; i < rays; ++i) {
        phase[i] = 2 * kPi * (i + 0.6 * (hashUnit(i, 0, 131) - 0.5)) / rays;
        length[i] = 0.45 + 0.5 * hashUnit(i, 1, 131);
        width[i] = 60 + 200 * hashUnit(i, 2, 131);
    }
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            double dx = (x + 0.5) / n * 2 - 1, dy = (y + 0.5) / n * 2 - 1;
            double r = std::sqrt(dx * dx + dy * dy);
            double angle = std::atan2(dy, dx);
            double rayLight = 0;
            for (int i = 0; i < rays; ++i) {
                double a = std::remainder(angle - phase[i], 2 * kPi);
                rayLight += std::exp(-a * a * width[i]) * std::exp(-r / length[i] * 3.0);
            }
            double core = std::exp(-r * r * 40.0);
            double halo = std::exp(-r * r * 6.0) * 0.55;
            double ring = std::exp(-std::pow((r - 0.55) * 18.0, 2.0)) * 0.12;
            double edge = 1 - smoothstep(0.80, 0.99, r);
            double i = (rayLight * 0.9 + halo + ring) * edge;
            image.at(x, y) = Rgb{i + core, i * 0.8 + core, i * 0.45 + core * 0.9};
        }
    }
    return image;
}

// ---------------------------------------------------------------- icon

// The icon's ball, as the window shows it too (assets/icon_image.h).
const Rgb kIconBall{kIconBallColour[0], kIconBallColour[1], kIconBallColour[2]};

// A desktop icon as an RGBA PNG.
bool writeIcon(const std::string& path, int size) {
    const std::vector<unsigned char> png = encodePng(size, size, 4, iconPixels(size));
    return writeFile(path, png);
}

// The scalable icon: the same ball, shaded by a radial gradient whose
// bright spot lies towards the light, with a highlight on top.
bool writeSvgIcon(const std::string& path) {
    const double radius = 48 * (0.5 - kIconMargin);
    auto hex = [](const Rgb& c) {
        char text[8];
        std::snprintf(text, sizeof text, "#%02x%02x%02x", toByte(c.r), toByte(c.g), toByte(c.b));
        return std::string(text);
    };
    // Where the light meets the sphere head-on, in the picture (y down).
    const double fx = 24 + kIconLight[0] * radius, fy = 24 - kIconLight[1] * radius;
    char text[1024];
    std::snprintf(text, sizeof text,
                  "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                  "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"48\" height=\"48\" viewBox=\"0 0 48 48\">\n"
                  "  <defs>\n"
                  "    <radialGradient id=\"ball\" gradientUnits=\"userSpaceOnUse\" cx=\"%.2f\" cy=\"%.2f\" r=\"%.2f\">\n"
                  "      <stop offset=\"0\" stop-color=\"%s\"/>\n"
                  "      <stop offset=\"0.5\" stop-color=\"%s\"/>\n"
                  "      <stop offset=\"1\" stop-color=\"%s\"/>\n"
                  "    </radialGradient>\n"
                  "    <radialGradient id=\"shine\">\n"
                  "      <stop offset=\"0\" stop-color=\"#ffffff\" stop-opacity=\"1\"/>\n"
                  "      <stop offset=\"1\" stop-color=\"#ffffff\" stop-opacity=\"0\"/>\n"
                  "    </radialGradient>\n"
                  "  </defs>\n"
                  "  <circle cx=\"24\" cy=\"24\" r=\"%.2f\" fill=\"url(#ball)\"/>\n"
                  "  <circle cx=\"%.2f\" cy=\"%.2f\" r=\"%.2f\" fill=\"url(#shine)\"/>\n"
                  "</svg>\n",
                  fx, fy, 1.45 * radius, hex(kIconBall * 1.0).c_str(), hex(kIconBall * 0.6).c_str(),
                  hex(kIconBall * 0.18).c_str(), radius, 24 + kIconLight[0] * radius * 0.5,
                  24 - kIconLight[1] * radius * 0.5, radius * 0.22);
    const std::string svg = text;
    return writeFile(path, std::vector<unsigned char>(svg.begin(), svg.end()));
}

// ---------------------------------------------------------------- sounds

constexpr int kSampleRate = 22050;

// Mono 16-bit PCM; samples in [-1, 1].
bool writeWav(const std::string& path, const std::vector<double>& samples) {
    std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::vector<unsigned char> b;
    b.insert(b.end(), {'R', 'I', 'F', 'F'});
    putLe(b, 36 + dataBytes, 4);
    b.insert(b.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    putLe(b, 16, 4);
    putLe(b, 1, 2);  // PCM
    putLe(b, 1, 2);  // mono
    putLe(b, kSampleRate, 4);
    putLe(b, kSampleRate * 2, 4);
    putLe(b, 2, 2);
    putLe(b, 16, 2);
    b.insert(b.end(), {'d', 'a', 't', 'a'});
    putLe(b, dataBytes, 4);
    for (double s : samples) {
        long v = std::lround(std::max(-1.0, std::min(1.0, s)) * 32767.0);
        putLe(b, static_cast<std::uint16_t>(static_cast<std::int16_t>(v)), 2);
    }
    return writeFile(path, b);
}

// Deterministic white noise in [-1, 1].
struct Noise {
    std::uint32_t state;
    double next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state / 2147483648.0 - 1.0;
    }
};

int sampleCount(double seconds) { return static_cast<int>(seconds * kSampleRate); }

// Short fade at both ends so no cue starts or stops with a click.
void fadeEnds(std::vector<double>& s, double seconds = 0.004) {
    int n = std::min(sampleCount(seconds), static_cast<int>(s.size()) / 2);
    for (int i = 0; i < n; ++i) {
        double g = static_cast<double>(i) / n;
        s[i] *= g;
        s[s.size() - 1 - i] *= g;
    }
}

// Scales a cue to the given peak, so the cues are balanced against each other.
void normalise(std::vector<double>& s, double peak) {
    double largest = 0;
    for (double v : s) largest = std::max(largest, std::fabs(v));
    if (largest > 0)
        for (double& v : s) v *= peak / largest;
}

// A zap that sweeps from high to low with a little wobble.
std::vector<double> makeLaser() {
    std::vector<double> s(sampleCount(0.25));
    double phase = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        double progress = t / 0.25;
        double frequency = 2200 * std::pow(180.0 / 2200.0, progress) * (1 + 0.04 * std::sin(2 * kPi * 35 * t));
        phase += frequency / kSampleRate;
        double saw = 1 - 2 * (phase - std::floor(phase));  // falling, in step with the sine
        double sine = std::sin(2 * kPi * phase);
        double envelope = std::min(1.0, t / 0.005) * std::pow(1 - progress, 1.5);
        s[i] = envelope * (0.6 * sine + 0.4 * saw);
    }
    fadeEnds(s);
    normalise(s, 0.6);  // it repeats 20 times a second while firing: keep it moderate
    return s;
}

// A round thud that drops in pitch, with a short click of noise.
std::vector<double> makeBounce() {
    std::vector<double> s(sampleCount(0.15));
    Noise noise{12345};
    double phase = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        double frequency = 110 + 260 * std::exp(-t * 30);
        phase += frequency / kSampleRate;
        double body = std::sin(2 * kPi * phase) * std::exp(-t * 22);
        double click = noise.next() * std::exp(-t * 400) * 0.4;
        s[i] = std::min(1.0, t / 0.002) * body + click;
    }
    fadeEnds(s);
    normalise(s, 0.8);
    return s;
}

// A noise burst that darkens and dies away over a second, over a low rumble.
std::vector<double> makeExplode() {
    std::vector<double> s(sampleCount(1.0));
    Noise noise{987654321};
    double low = 0, lower = 0;
    double phase = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        // One-pole low-pass whose cut-off falls as the blast fades.
        double cutoff = 200 + 5000 * std::exp(-t * 6);
        double a = 1 - std::exp(-2 * kPi * cutoff / kSampleRate);
        low += a * (noise.next() - low);
        lower += 0.02 * (low - lower);
        phase += (55 - 20 * t) / kSampleRate;
        double rumble = std::sin(2 * kPi * phase) * 0.35;
        double envelope = std::min(1.0, t / 0.004) * std::exp(-t * 4.0);
        s[i] = envelope * (0.9 * low + 1.5 * lower + rumble);
    }
    fadeEnds(s, 0.02);
    normalise(s, 0.9);
    return s;
}

// A cheerful rising arpeggio, C E G C, the last note held as a chord.
std::vector<double> makeYeah() {
    std::vector<double> s(sampleCount(0.8), 0.0);
    struct Note {
        double start, length, frequency;
    };
    const Note notes[] = {
        {0.00, 0.14, 523.25}, {0.12, 0.14, 659.25}, {0.24, 0.14, 783.99},
        {0.36, 0.44, 1046.50}, {0.36, 0.44, 783.99}, {0.36, 0.44, 659.25},
    };
    for (const Note& note : notes) {
        int first = sampleCount(note.start);
        int count = sampleCount(note.length);
        for (int k = 0; k < count && first + k < static_cast<int>(s.size()); ++k) {
            double t = static_cast<double>(k) / kSampleRate;
            double attack = std::min(1.0, t / 0.008);
            double release = std::min(1.0, (note.length - t) / 0.05);
            double envelope = attack * release * std::exp(-t * 2.5);
            double x = 2 * kPi * note.frequency * t;
            // A bright, brassy tone: a few harmonics and a touch of vibrato.
            double vibrato = 0.003 * std::sin(2 * kPi * 6 * t) * note.frequency * t;
            x += 2 * kPi * vibrato;
            double tone = std::sin(x) + 0.45 * std::sin(2 * x) + 0.25 * std::sin(3 * x) + 0.1 * std::sin(4 * x);
            s[first + k] += envelope * tone;
        }
    }
    fadeEnds(s);
    normalise(s, 0.75);
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: make_assets <outdir>\n");
        return 2;
    }
    std::string dir = argv[1];
    if (!dir.empty() && dir.back() != '/') dir += '/';

    struct Texture {
        const char* name;
        Image (*make)();
    };
    const Texture textures[] = {
        {"marble.bmp", makeMarble}, {"spark.bmp", makeSpark}, {"boden.bmp", makeFloor},
        {"wand.bmp", makeWall},     {"sky.bmp", makeSky},     {"flare.bmp", makeFlare},
    };
    struct Sound {
        const char* name;
        std::vector<double> (*make)();
    };
    const Sound sounds[] = {
        {kLaserCue, makeLaser}, {kBounceCue, makeBounce}, {kExplodeCue, makeExplode}, {kYeahCue, makeYeah},
    };

    bool ok = true;
    for (const Texture& t : textures) {
        Image image = t.make();
        ok = writeBmp(dir + t.name, image) && ok;
    }
    for (const Sound& s : sounds) ok = writeWav(dir + s.name, s.make()) && ok;
    for (int size : kIconSizes) ok = writeIcon(dir + "vennaloft-" + std::to_string(size) + ".png", size) && ok;
    ok = writeSvgIcon(dir + "vennaloft.svg") && ok;
    return ok ? 0 : 1;
}
