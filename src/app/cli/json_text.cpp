#include "app/cli/json_text.h"

#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>

namespace plantrek::cli {

namespace {

// Pieces of this size keep the writes few and the memory small.
constexpr std::size_t kPieceSize = 64 * 1024;

}  // namespace

void AppendJsonQuoted(std::string& out, QStringView text) {
    out += '"';
    const auto plain = [](QChar c) {
        return c.unicode() >= 0x20 && c.unicode() < 0x80 && c != u'"' && c != u'\\';
    };
    if (std::all_of(text.begin(), text.end(), plain)) {
        // Names and texts are short and nearly always ASCII: byte for byte, no conversion.
        for (const QChar c : text) {
            out += static_cast<char>(c.unicode());
        }
        out += '"';
        return;
    }
    QString escaped;
    for (const QChar c : text) {
        switch (c.unicode()) {
            case '"':
                escaped += QLatin1String("\\\"");
                break;
            case '\\':
                escaped += QLatin1String("\\\\");
                break;
            case '\n':
                escaped += QLatin1String("\\n");
                break;
            case '\r':
                escaped += QLatin1String("\\r");
                break;
            case '\t':
                escaped += QLatin1String("\\t");
                break;
            default:
                if (c.unicode() < 0x20) {
                    escaped += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
                } else {
                    escaped += c;
                }
        }
    }
    const QByteArray utf8 = escaped.toUtf8();
    out.append(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    out += '"';
}

QByteArray JsonWriter::TakeText() {
    QByteArray text(out_.data(), static_cast<qsizetype>(out_.size()));
    out_.clear();
    return text;
}

bool JsonWriter::Flush() {
    if (sink_ == nullptr) {
        return true;
    }
    const auto size = static_cast<qint64>(out_.size());
    const bool written = sink_->write(out_.data(), size) == size;
    out_.clear();
    return written;
}

void JsonWriter::Indent(qsizetype depth) {
    out_ += '\n';
    out_.append(static_cast<std::size_t>(2 * depth), ' ');
}

void JsonWriter::NextMember() {
    if (sink_ != nullptr && out_.size() > kPieceSize) {
        Flush();
    }
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (levels_.empty()) {
        return;
    }
    Level& level = levels_.back();
    if (!level.empty) {
        out_ += level.oneLine ? ", " : ",";
    }
    level.empty = false;
    if (!level.oneLine) {
        Indent(static_cast<qsizetype>(levels_.size()));
    }
}

void JsonWriter::Open(char bracket, bool oneLine) {
    NextMember();
    out_ += bracket;
    // Inside a one-line container everything stays on the line.
    const bool inLine = oneLine || (!levels_.empty() && levels_.back().oneLine);
    levels_.push_back({inLine, true});
}

void JsonWriter::Close(char bracket) {
    const Level level = levels_.back();
    levels_.pop_back();
    if (!level.empty && !level.oneLine) {
        Indent(static_cast<qsizetype>(levels_.size()));
    }
    out_ += bracket;
}

JsonWriter& JsonWriter::Key(const char* key) {
    NextMember();
    out_ += '"';
    out_ += key;
    out_ += "\": ";
    afterKey_ = true;
    return *this;
}

void JsonWriter::Null() {
    NextMember();
    out_ += "null";
}

void JsonWriter::Bool(bool value) {
    NextMember();
    out_ += value ? "true" : "false";
}

void JsonWriter::Number(double value) {
    if (!std::isfinite(value)) {
        Null();
        return;
    }
    NextMember();
    // Negative zero reads as plain zero.
    if (value == 0.0) {
        out_ += '0';
        return;
    }
    // The standard library's shortest form is Qt's below 1e16 and several times faster; a
    // large site has hundreds of thousands of numbers. Above it Qt rounds the integer digits.
    if (std::fabs(value) < 1e16) {
        for (const Recent& recent : recent_) {
            if (recent.value == value) {
                out_.append(recent.text, recent.size);
                return;
            }
        }
        Recent& slot = recent_[nextRecent_];
        nextRecent_ = (nextRecent_ + 1) % recent_.size();
        const auto written = std::to_chars(slot.text, slot.text + sizeof slot.text, value);
        slot.value = value;
        slot.size = static_cast<std::uint8_t>(written.ptr - slot.text);
        out_.append(slot.text, slot.size);
        return;
    }
    out_ += QString::number(value, 'g', QLocale::FloatingPointShortest).toStdString();
}

void JsonWriter::String(QStringView value) {
    NextMember();
    AppendJsonQuoted(out_, value);
}

}  // namespace plantrek::cli
