#pragma once

#include <gtest/gtest.h>
#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include <cstdlib>
#include <utility>
#include <vector>

#include "export/xls/biff_records.h"
#include "export_test_support.h"

// Helpers of the picture tests: an independent reader (Pillow, run by the system Python) and
// little-endian header fields.
namespace plantrek::test {

// Pillow's view of a picture: format, mode, size, resolution, JPEG details and the RGB colour
// of each of the given pixels.
inline const char* const kPillowReader = R"PY(
import hashlib, json, sys
try:
    from PIL import Image
except ImportError as error:
    print(json.dumps({"missing": str(error)}))
    sys.exit(3)
path, points = sys.argv[1], json.loads(sys.argv[2])
image = Image.open(path)
image.load()
info = image.info
view = {
    "format": image.format,
    "mode": image.mode,
    "size": list(image.size),
    "dpi": [float(v) for v in info.get("dpi", (0, 0))],
    "progressive": bool(info.get("progressive", 0) or info.get("progression", 0)),
    "version": info.get("version", b"").decode("latin-1"),
    "frames": getattr(image, "n_frames", 1),
}
if image.mode == "P":
    view["palette_entries"] = len(image.getpalette()) // 3
if image.format == "JPEG":
    view["quantization"] = {str(k): list(v) for k, v in image.quantization.items()}
rgb = image.convert("RGB")
view["rgb_md5"] = hashlib.md5(rgb.tobytes()).hexdigest()
view["pixels"] = [list(rgb.getpixel((x, y))) for x, y in points]
print(json.dumps(view))
)PY";

inline QJsonObject ReadPicture(const QString& path, const std::vector<std::pair<int, int>>& points,
                               QString& skip) {
    QJsonArray list;
    for (const auto& [x, y] : points) {
        list.append(QJsonArray{x, y});
    }
    return RunPythonReader({QStringLiteral("-c"), QString::fromUtf8(kPillowReader), path,
                            QString::fromUtf8(QJsonDocument(list).toJson(QJsonDocument::Compact))},
                           skip);
}

#define PLANTREK_READ_PICTURE(view, path, points)                          \
    QString skip_##view;                                                   \
    const QJsonObject view = test::ReadPicture(path, points, skip_##view); \
    if (!skip_##view.isEmpty()) {                                          \
        GTEST_SKIP() << skip_##view.toStdString();                         \
    }                                                                      \
    ASSERT_FALSE(view.isEmpty())

using testing::U16;
using testing::U32;

// A pixel of the reader's view is the colour (red, green, blue) to within the tolerance.
inline bool RgbNear(const QJsonValue& pixel, int red, int green, int blue, int tolerance) {
    const QJsonArray rgb = pixel.toArray();
    return rgb.size() == 3 && std::abs(rgb[0].toInt() - red) <= tolerance &&
           std::abs(rgb[1].toInt() - green) <= tolerance &&
           std::abs(rgb[2].toInt() - blue) <= tolerance;
}

}  // namespace plantrek::test
