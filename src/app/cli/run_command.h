#pragma once

#include <QTextStream>

#include "app/cli/cli_options.h"

// "plantrek-cli run": a document started as File > New or File > Open, a script run on it, and
// the result saved as Save As does.
namespace plantrek::cli {

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFileFailed = 1;  // --in, :open did not open; --out, :save did not save
inline constexpr int kExitUsage = 2;       // bad arguments or a bad script line
inline constexpr int kExitStrict = 3;      // --strict and an error or warning was shown

int RunScript(const RunOptions& options, QTextStream& out, QTextStream& err);

}  // namespace plantrek::cli
