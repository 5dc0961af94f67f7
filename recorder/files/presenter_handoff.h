#pragma once
// Handing a measurement file to the presenter: the hand-off copy "wiznow.dan" in the
// start-up directory (where the presenter looks when it gets no argument) and the one
// command-line argument, the file's full path.

#include "handoff_file.h"

#include <QString>

namespace vorda {

inline constexpr auto& kHandoffFileName = handoff::kFileName;

// The presenter's argument for the text of the file-name box: a bare name is joined to
// the directory the file list shows; a full path (after the open dialog) is kept as it is.
QString presenterArgument(const QString& listDirectory, const QString& fileNameText);

// Copies `sourcePath` byte for byte over "wiznow.dan" in `startDir`. An older copy is
// replaced only when the new one is complete, and never when something other than a
// regular file (a link included) stands at its name; returns false when nothing was
// copied, `problem` then saying why.
bool writeHandoffCopy(const QString& sourcePath, const QString& startDir, QString* problem = nullptr);

}  // namespace vorda
