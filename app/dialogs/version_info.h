// The version line of the info dialog. Linux executables carry no version
// resource, so the running program's version comes from the build.
#pragma once

#include <QString>

namespace kova {

// "Version <major>.<minor>.<release>    built <build>" for the running
// executable when fileName is empty or blank; other files carry no version
// the program could read, so their line is empty.
QString GetVersionString(const QString& fileName);

}  // namespace kova
