#pragma once

#include <QString>

namespace mzt {

// The folder that holds one installation's files: bdchange.ini, posset.ini, zcfrf/,
// data/RURU.db and output.txt.
namespace ProgramFolder {

// The folder named on the command line, else $MZT_HOME, else the desktop default
// (~/.local/share/mingzetong).
QString resolve(const QString& commandLineFolder);
QString defaultFolder();
// Creates the folder and data/ and copies in the shipped report templates that are not
// there yet (a template the user designed is never overwritten). Returns an error text
// or empty on success.
QString prepare(const QString& folder);

} // namespace ProgramFolder
} // namespace mzt
