#include "document/files/xml_element_reader.h"

#include <QFile>
#include <QXmlStreamReader>

#include <vector>

namespace plantrek {

namespace {

// What the reader keeps for each open element. The stack lives on the heap, so nesting depth is
// bounded by memory only.
struct OpenElement {
    QString enclosingText;  // text the parent had gathered before this element began
    // Only for elements a handler saw start; most elements have none, which keeps deep files
    // small in memory.
    std::unique_ptr<XmlAttributeMap> attributes;
};

// Attribute names as shared strings: a file repeats the same few names on every element, and
// sharing one copy of each saves an allocation per attribute.
class AttributeNames {
public:
    QString Get(QStringView name) {
        for (const QString& known : names_) {
            if (known == name) {
                return known;
            }
        }
        QString copy = name.toString();
        if (names_.size() < kKept) {
            names_.push_back(copy);
        }
        return copy;
    }

private:
    static constexpr std::size_t kKept = 32;
    std::vector<QString> names_;
};

}  // namespace

CXmlElementReader::~CXmlElementReader() = default;

void CXmlElementReader::Register(const QString& name, std::unique_ptr<CXmlElementHandler> handler) {
    std::shared_ptr<CXmlElementHandler> shared(std::move(handler));
    for (Registration& registration : handlers_) {
        if (registration.name == name) {
            registration.handler = std::move(shared);
            return;
        }
    }
    handlers_.push_back(Registration{name, std::move(shared)});
}

const CXmlElementReader::Registration* CXmlElementReader::Find(QStringView name) const {
    for (const Registration& registration : handlers_) {
        if (registration.name == name) {
            return &registration;
        }
    }
    return nullptr;
}

bool CXmlElementReader::Parse() {
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) {
        error_ = file.errorString();
        if (error_.isEmpty()) {
            error_ = QStringLiteral("Cannot open %1.").arg(path_);
        }
        return false;
    }
    return Parse(file);
}

bool CXmlElementReader::Parse(QIODevice& device) {
    error_.clear();
    QXmlStreamReader xml(&device);
    std::vector<OpenElement> open;
    QString text;
    AttributeNames attributeNames;

    while (!xml.atEnd()) {
        switch (xml.readNext()) {
            case QXmlStreamReader::StartElement: {
                open.push_back(OpenElement{std::move(text), nullptr});
                text = QString();
                const Registration* registration = Find(xml.name());
                if (registration != nullptr) {
                    // Copies, so that the handler lives through the call even if it registers a
                    // replacement.
                    const QString name = registration->name;
                    const std::shared_ptr<CXmlElementHandler> handler = registration->handler;
                    auto attributes = std::make_unique<XmlAttributeMap>();
                    // A const list: iterating a shared one that is not const would copy it.
                    const QXmlStreamAttributes all = xml.attributes();
                    for (const QXmlStreamAttribute& attribute : all) {
                        attributes->Set(attributeNames.Get(attribute.name()),
                                        attribute.value().toString());
                    }
                    handler->OnStartElement(name, *attributes);
                    open.back().attributes = std::move(attributes);
                }
                break;
            }
            case QXmlStreamReader::Characters:
                text += xml.text();
                break;
            case QXmlStreamReader::EndElement: {
                if (open.empty()) {
                    // The parser does not let this happen; stay safe if it ever did.
                    xml.raiseError(QStringLiteral("Unbalanced end tag."));
                    break;
                }
                if (const Registration* registration = Find(xml.name())) {
                    const QString name = registration->name;
                    const std::shared_ptr<CXmlElementHandler> handler = registration->handler;
                    static const XmlAttributeMap kNone;
                    const XmlAttributeMap* attributes = open.back().attributes.get();
                    handler->OnEndElement(name, text, attributes != nullptr ? *attributes : kNone);
                }
                text = std::move(open.back().enclosingText);
                open.pop_back();
                break;
            }
            case QXmlStreamReader::EntityReference:
                // An entity the parser could not resolve: its text would be silently lost.
                xml.raiseError(QStringLiteral("Unresolved entity '%1'.").arg(xml.name()));
                break;
            default:
                break;
        }
    }

    if (xml.hasError()) {
        error_ = QStringLiteral("%1 (line %2, column %3)")
                     .arg(xml.errorString())
                     .arg(xml.lineNumber())
                     .arg(xml.columnNumber());
        return false;
    }
    return true;
}

}  // namespace plantrek
