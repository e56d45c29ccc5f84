// The launcher's string rules. Pure functions: no platform calls, so the
// unit tests call them directly.
#pragma once

#include <string>

// The launcher arguments: what is left of the full command line once the
// program name is skipped. Blanks and tabs before and after the name are
// skipped too; everything else, inner and trailing blanks included, stays.
const char* argsTail(const char* cmdLine);

// The folder part of a module path: everything before its last "\" or "/".
// A path with neither separator is returned whole.
std::string dirOf(const std::string& modulePath);

// The folder to make current for a launcher directory. A bare drive
// designator such as "K:" means that drive's current folder to the platform,
// so it becomes the drive's root, "K:\".
std::string workingDirFor(const std::string& launcherDir);

// Appends one class path element, dir + "\" + name, with a ";" before it
// unless it is the first.
void appendClassPathElement(std::string& classPath, const std::string& dir, const char* name);

// The signal file's path under a home path, joined without normalising.
std::string signalPath(const std::string& homePath);

// The launcher arguments as the value of kvl.launcher.args. The value stands
// between double quotes, so a quote inside it would end the argument early
// and a trailing backslash would escape the closing quote. Quotes are dropped
// and the trailing run of backslashes is doubled; anything else is unchanged.
std::string launcherArgsValue(const std::string& args);

// The parameter string handed to javaw.
std::string paramString(const std::string& classPath, const std::string& options,
                        const std::string& launcherArgs);

// The runtime program: the bundled one when it exists, else the shell's.
const char* runtimeProgram(bool localRuntimeExists);
