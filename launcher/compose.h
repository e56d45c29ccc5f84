// The launcher's string rules. Pure functions: no platform calls, so the
// unit tests call them directly.
#pragma once

#include "str.h"

// The launcher arguments: what is left of the full command line once the
// program name is skipped. Blanks and tabs before and after the name are
// skipped too; everything else, inner and trailing blanks included, stays.
const char* argsTail(const char* cmdLine);

// The folder part of a module path: everything before its last "\" or "/".
// A path with neither separator is returned whole.
Str dirOf(const Str& modulePath);

// The folder to make current for a launcher directory. A bare drive
// designator such as "K:" means that drive's current folder to the platform,
// so it becomes the drive's root, "K:\".
Str workingDirFor(const Str& launcherDir);

// Appends one class path element, dir + "\" + name, with a ";" before it
// unless it is the first.
void appendClassPathElement(Str& classPath, const Str& dir, const char* name);

// The signal file's path under a home path, joined without normalising.
Str signalPath(const Str& homePath);

// The launcher arguments as the value of kvl.launcher.args. The value stands
// between double quotes, so a quote inside it would end the argument early
// and a trailing backslash would escape the closing quote. Quotes are dropped
// and the trailing run of backslashes is doubled; anything else is unchanged.
Str launcherArgsValue(const Str& args);

// The parameter string handed to javaw.
Str paramString(const Str& classPath, const Str& options, const Str& launcherArgs);

// The runtime program: the bundled one when it exists, else the shell's.
const char* runtimeProgram(bool localRuntimeExists);
