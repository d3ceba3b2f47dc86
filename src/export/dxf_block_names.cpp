#include "export/dxf_block_names.h"

#include <set>

#include "model/site.h"

namespace plantrek {

namespace {

// Longer room names are cut here, leaving room for "Block", a number and "Color" within the
// 255 characters that a table name may have.
constexpr int kMaxNamePart = 200;

const char* const kFillSuffix = "Color";

bool IsLatin1Sign(char16_t c) {
    return c >= 0xA1 && c <= 0xFF;
}

void AppendEscape(std::string& out, char32_t codePoint) {
    static const char kHex[] = "0123456789ABCDEF";
    out += "\\U+";
    for (int shift = 12; shift >= 0; shift -= 4) {
        out += kHex[(codePoint >> shift) & 0xF];
    }
}

// Case-insensitive key of an 8-bit (Latin-1) name.
QString KeyOf(const std::string& name) {
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())).toUpper();
}

}  // namespace

std::string ToDxfText(const QString& text) {
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text.at(i).unicode();
        const bool percentPair = c == u'%' && ((i + 1 < n && text.at(i + 1) == u'%') ||
                                               (i > 0 && text.at(i - 1) == u'%'));
        if (c == u'\\' || percentPair) {
            AppendEscape(out, c);
        } else if ((c >= 0x20 && c < 0x7F) || c == 0xA0 || IsLatin1Sign(c)) {
            out += static_cast<char>(static_cast<unsigned char>(c));
        } else if (QChar::isHighSurrogate(c) && i + 1 < n && text.at(i + 1).isLowSurrogate()) {
            // The escape has four digits, so characters beyond them cannot be written.
            AppendEscape(out, 0xFFFD);
            ++i;
        } else if (QChar::isSurrogate(c)) {
            AppendEscape(out, 0xFFFD);
        } else {
            AppendEscape(out, c);
        }
    }
    return out;
}

std::string BlockNamePart(const QString& roomName) {
    static const QString kForbidden = QStringLiteral("<>/\\\":;?*|,=`");
    std::string out;
    int count = 0;
    const qsizetype n = roomName.size();
    for (qsizetype i = 0; i < n && count < kMaxNamePart; ++i) {
        const char16_t c = roomName.at(i).unicode();
        if (c == u' ') {
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < n && roomName.at(i + 1).isLowSurrogate()) {
            ++i;  // one character, one replacement
            out += '_';
        } else if ((c > 0x20 && c < 0x7F && !kForbidden.contains(QChar(c))) || IsLatin1Sign(c)) {
            out += static_cast<char>(static_cast<unsigned char>(c));
        } else {
            out += '_';
        }
        ++count;
    }
    return out;
}

DxfBlockNames::DxfBlockNames(const Site& site) {
    std::set<QString> taken{KeyOf(kBorder), KeyOf(kLegend)};
    const auto isFree = [&taken](const std::string& name) {
        return taken.count(KeyOf(name)) == 0 && taken.count(KeyOf(name + kFillSuffix)) == 0;
    };
    for (const auto& room : site.Rooms()) {
        if (!room) {
            continue;
        }
        const std::string base = "Block" + BlockNamePart(room->GetName());
        std::string name = base;
        for (int n = 2; !isFree(name); ++n) {
            name = base + "_" + std::to_string(n);
        }
        taken.insert(KeyOf(name));
        taken.insert(KeyOf(name + kFillSuffix));
        outlines_[room.get()] = name;
    }
}

std::string DxfBlockNames::Outline(const Room& room) const {
    const auto it = outlines_.find(&room);
    return it == outlines_.end() ? std::string() : it->second;
}

std::string DxfBlockNames::Fill(const Room& room) const {
    const std::string outline = Outline(room);
    return outline.empty() ? outline : outline + kFillSuffix;
}

}  // namespace plantrek
