// plantrek-cli: the command-line front end. It grows a command at a time; for now it tells
// its version and how it is used.
#include <QCoreApplication>
#include <QString>
#include <QTextStream>

namespace {

const char* const kUsage =
    "Usage: plantrek-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  version    print the program's version\n"
    "  help       print this text\n";

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName("Corvane Software");
    QCoreApplication::setApplicationName("Plantrek");
    QCoreApplication::setApplicationVersion(PLANTREK_VERSION);

    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args.first() == "help" || args.first() == "--help" ||
        args.first() == "-h") {
        out << kUsage;
        return 0;
    }
    const QString& command = args.first();
    if (command == "version" || command == "--version") {
        out << "plantrek-cli " << PLANTREK_VERSION << "\n";
        return 0;
    }
    err << "error: unknown command \"" << command << "\"\n\n" << kUsage;
    return 2;
}
