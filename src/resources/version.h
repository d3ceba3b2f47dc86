#pragma once

#include <QString>

// The program's version as each place shows it; all of them come from the project's version.
namespace plantrek {

// "1.1.0.8", as the command-line tool prints it.
QString VersionText();
// "Plantrek Version 1.1", the About box's line.
QString AboutVersionLine();
// "(1, 1, 0, 8)", shown after the About box's "Build:" label: the product version in the form
// the version resource gives it, in parentheses.
QString AboutBuildText();

}  // namespace plantrek
