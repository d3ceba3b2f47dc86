#include "document/files/site_file.h"

#include <QFileInfo>
#include <QSaveFile>

#include <new>

#include "document/files/site_file_reader.h"
#include "document/files/site_file_writer.h"
#include "document/files/xml_element_reader.h"
#include "model/site.h"

namespace plantrek {

namespace {

const QString kOutOfMemory = QStringLiteral("There is not enough memory for this file.");

SiteFileResult Failure(const QString& reason) {
    return SiteFileResult{false, reason};
}

SiteFileResult Save(const Site& site, const QString& path) {
    QSaveFile file(path);
    // Unbuffered, so that a failing write reports the system's reason (a full disk, a file too
    // large) rather than a buffered flush's "Unknown error".
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return Failure(file.errorString());
    }
    CSiteFileWriter writer(file, QFileInfo(path).fileName());
    site.Traverse(writer);
    if (!writer.Finish()) {
        file.cancelWriting();
        return Failure(writer.ErrorString());
    }
    if (!file.commit()) {
        return Failure(file.errorString());
    }
    return SiteFileResult{true, QString()};
}

// Reads with the given parse call, which runs the reader on a file or a device.
template <typename Parse>
SiteFileResult Load(Site& site, const QString& path, Parse parse) {
    CSiteLoadContext context(site);
    CXmlElementReader reader(path);
    context.RegisterHandlers(reader);
    if (!parse(reader)) {
        return Failure(reader.ErrorString());
    }
    if (context.HasFailed()) {
        return Failure(context.Failure());
    }
    return SiteFileResult{true, QString()};
}

template <typename Parse>
SiteFileResult LoadOrReset(Site& site, const QString& path, Parse parse) {
    SiteFileResult result;
    try {
        result = Load(site, path, parse);
    } catch (const std::bad_alloc&) {
        result = Failure(kOutOfMemory);
    }
    if (!result.ok) {
        // Nothing half-read stays behind; the name the caller gave the new site does.
        const QString name = site.GetName();
        site = Site();
        site.SetName(name);
    }
    return result;
}

}  // namespace

SiteFileResult SaveSiteFile(const Site& site, const QString& path) {
    try {
        return Save(site, path);
    } catch (const std::bad_alloc&) {
        // The save file was dropped unfinished on the way out, so the old file is untouched.
        return Failure(kOutOfMemory);
    }
}

SiteFileResult LoadSiteFile(const QString& path, Site& site) {
    return LoadOrReset(site, path, [](CXmlElementReader& reader) { return reader.Parse(); });
}

SiteFileResult LoadSiteFile(QIODevice& device, Site& site) {
    return LoadOrReset(site, QString(),
                       [&device](CXmlElementReader& reader) { return reader.Parse(device); });
}

}  // namespace plantrek
