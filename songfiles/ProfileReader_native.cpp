// The native build's profile reader: INI files read through the active file system, bare names
// taken from the current directory (the native stand-in for the Windows folder).
#include "songfiles/IniProfileReader.h"

ProfileReader& SystemProfileReaderInstance() {
    static IniProfileReader instance("");
    return instance;
}
