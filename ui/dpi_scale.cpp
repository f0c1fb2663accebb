#include "ui/dpi_scale.h"

#include <cstdlib>
#include <iterator>

int ScaleForDpi(int length, int dpi) {
    if (dpi <= 0) dpi = kBaseDpi;
    const long long scaled = static_cast<long long>(length) * dpi;
    const long long rounded = (std::llabs(scaled) + kBaseDpi / 2) / kBaseDpi;
    return static_cast<int>(scaled < 0 ? -rounded : rounded);
}

int DrawnPictureIndex(int dpi) {
    int nearest = 0;
    for (int index = 1; index < static_cast<int>(std::size(kDrawnPictureDpis)); ++index) {
        if (std::abs(kDrawnPictureDpis[index] - dpi) <= std::abs(kDrawnPictureDpis[nearest] - dpi)) nearest = index;
    }
    return nearest;
}
