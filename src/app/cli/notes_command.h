#pragma once

#include <QStringList>
#include <QTextStream>

// "plantrek-cli notes SITE.tcd [OUTDIR]": lists the spoken notes of a site and, with OUTDIR,
// writes each as a WAV file there.
namespace plantrek::cli {

int NotesCommand(const QStringList& arguments, QTextStream& out, QTextStream& err);

}  // namespace plantrek::cli
