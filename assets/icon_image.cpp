#include "assets/icon_image.h"

#include <algorithm>
#include <cmath>

#include "assets/rgb.h"

std::vector<unsigned char> iconPixels(int size) {
    std::vector<unsigned char> rgba;
    if (size <= 0) return rgba;
    rgba.reserve(static_cast<std::size_t>(size) * size * 4);
    const Rgb ball{kIconBallColour[0], kIconBallColour[1], kIconBallColour[2]};
    const double centre = size / 2.0, radius = size * (0.5 - kIconMargin);
    const double* light = kIconLight;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            Rgb sum{0, 0, 0};
            int covered = 0;
            for (int sy = 0; sy < 4; ++sy) {
                for (int sx = 0; sx < 4; ++sx) {
                    double dx = (x + (sx + 0.5) / 4 - centre) / radius;
                    double dy = (centre - y - (sy + 0.5) / 4) / radius;
                    double rr = dx * dx + dy * dy;
                    if (rr > 1) continue;
                    double dz = std::sqrt(1 - rr);
                    double diffuse = std::max(0.0, dx * light[0] + dy * light[1] + dz * light[2]);
                    // Highlight where the normal is halfway between the light and the eye.
                    double hx = light[0], hy = light[1], hz = light[2] + 1;
                    double hl = std::sqrt(hx * hx + hy * hy + hz * hz);
                    double highlight = std::pow(std::max(0.0, (dx * hx + dy * hy + dz * hz) / hl), 40.0);
                    sum = sum + ball * (0.18 + 0.82 * diffuse) + Rgb{1, 1, 1} * (0.9 * highlight);
                    ++covered;
                }
            }
            Rgb c = covered ? sum * (1.0 / covered) : Rgb{0, 0, 0};
            rgba.insert(rgba.end(), {toByte(c.r), toByte(c.g), toByte(c.b),
                                     static_cast<unsigned char>(std::lround(covered * 255.0 / 16))});
        }
    }
    return rgba;
}
