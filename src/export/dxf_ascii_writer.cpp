#include "export/dxf_ascii_writer.h"

#include <charconv>

namespace plantrek {

std::string DxfAsciiWriter::FormatReal(double value, DL_Codes::version version) {
    // The largest double takes 309 digits before the point.
    char text[400];
    const int decimals = version == DL_Codes::AC1009_MIN ? 6 : 16;
    const auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    std::string formatted(text, result.ec == std::errc() ? result.ptr : text);
    // Keep one decimal after the point and every decimal up to the last that is not zero.
    std::size_t end = std::string::npos;
    bool point = false;
    for (std::size_t i = 0; i < formatted.size(); ++i) {
        if (formatted[i] == '.') {
            point = true;
            end = i + 2;
        } else if (point && formatted[i] != '0') {
            end = i + 1;
        }
    }
    if (end < formatted.size()) {
        formatted.resize(end);
    }
    return formatted;
}

void DxfAsciiWriter::dxfReal(int groupCode, double value) const {
    dxfString(groupCode, FormatReal(value, version));
}

}  // namespace plantrek
