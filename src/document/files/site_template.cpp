#include "document/files/site_template.h"

#include "document/files/number_text.h"
#include "document/files/xml_element_reader.h"
#include "document/files/xml_writer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace plantrek {

namespace {

const QString kRootElement = QStringLiteral("tcdisto_template");
const QString kRoomElement = QStringLiteral("room");
const QString kMaterialElement = QStringLiteral("material");
const QString kVersion = QStringLiteral("1.1");

// Both elements are taken when they start; their end carries nothing.
class RoomHandler : public CXmlElementHandler {
public:
    explicit RoomHandler(QStringList& names) : names_(names) {}
    void OnStartElement(const QString&, const XmlAttributeMap& attributes) override {
        const QString name = attributes.Value(u"name");
        if (!name.isEmpty()) {
            names_.append(name);
        }
    }
    void OnEndElement(const QString&, const QString&, const XmlAttributeMap&) override {}

private:
    QStringList& names_;
};

class MaterialHandler : public CXmlElementHandler {
public:
    explicit MaterialHandler(QList<TemplateMaterial>& materials) : materials_(materials) {}
    void OnStartElement(const QString&, const XmlAttributeMap& attributes) override {
        const QString name = attributes.Value(u"name");
        if (name.isEmpty()) {
            return;
        }
        quint32 colour = CSiteTemplate::kDefaultColour;
        QString text;
        if (attributes.Lookup(u"color", &text)) {
            colour = static_cast<quint32>(ParseLongText(text));
        }
        materials_.append(TemplateMaterial{name, colour});
    }
    void OnEndElement(const QString&, const QString&, const XmlAttributeMap&) override {}

private:
    QList<TemplateMaterial>& materials_;
};

QString JoinPath(const QString& folder, const QString& name) {
    if (folder.isEmpty()) {
        return QString();
    }
    return QDir(folder).filePath(name);
}

}  // namespace

TemplateLocation TemplateLocation::Default() {
    return TemplateLocation{QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
                            QCoreApplication::applicationDirPath()};
}

QString TemplateLocation::ReadPath() const {
    const QString user = WritePath();
    if (!user.isEmpty() && QFileInfo(user).isFile()) {
        return user;
    }
    return JoinPath(programFolder, QString::fromLatin1(CSiteTemplate::kFileName));
}

QString TemplateLocation::WritePath() const {
    return JoinPath(userFolder, QString::fromLatin1(CSiteTemplate::kFileName));
}

bool CSiteTemplate::Read(const QString& path, CSiteTemplate& lists) {
    CSiteTemplate fresh;
    CXmlElementReader reader(path);
    reader.Register(kRoomElement, std::make_unique<RoomHandler>(fresh.roomNames));
    reader.Register(kMaterialElement, std::make_unique<MaterialHandler>(fresh.materials));
    if (path.isEmpty() || !reader.Parse()) {
        return false;
    }
    lists = std::move(fresh);
    return true;
}

bool CSiteTemplate::Write(const QString& path, const CSiteTemplate& lists, QString* errorText) {
    auto fail = [errorText](const QString& reason) {
        if (errorText != nullptr) {
            *errorText = reason;
        }
        return false;
    };
    if (path.isEmpty()) {
        return fail(QStringLiteral("There is no folder to keep the template file in."));
    }
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath())) {
        return fail(QStringLiteral("Cannot create the folder %1.").arg(info.absolutePath()));
    }

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return fail(file.errorString());
    }
    CXmlWriter writer(file);
    writer.BeginDocument();

    XmlAttributeMap root;
    root.Set(QStringLiteral("name"), XmlQuote(XmlEscape(info.fileName())));
    root.Set(QStringLiteral("version"), XmlQuote(kVersion));
    writer.StartElement(kRootElement, root, false);
    for (const QString& name : lists.roomNames) {
        XmlAttributeMap room;
        room.Set(QStringLiteral("name"), XmlQuote(XmlEscape(name)));
        writer.StartElement(kRoomElement, room, true);
    }
    for (const TemplateMaterial& material : lists.materials) {
        XmlAttributeMap element;
        element.Set(QStringLiteral("name"), XmlQuote(XmlEscape(material.name)));
        element.Set(QStringLiteral("color"),
                    XmlQuote(QString::number(static_cast<qint32>(material.colour))));
        writer.StartElement(kMaterialElement, element, true);
    }
    writer.EndElement(kRootElement);

    if (!writer.Finish()) {
        file.cancelWriting();
        return fail(writer.ErrorString());
    }
    if (!file.commit()) {
        return fail(file.errorString());
    }
    return true;
}

}  // namespace plantrek
