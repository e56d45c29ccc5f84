#include "compose.h"

static bool isBlank(char c) { return c == ' ' || c == '\t'; }

const char* argsTail(const char* p)
{
    while (isBlank(*p)) ++p;
    if (*p == '"') {
        ++p;
        while (*p && *p != '"') ++p;
        if (*p) ++p;
    } else {
        while (*p && !isBlank(*p)) ++p;
    }
    while (isBlank(*p)) ++p;
    return p;
}

Str dirOf(const Str& modulePath)
{
    for (size_t i = modulePath.size(); i-- > 0;)
        if (modulePath[i] == '\\' || modulePath[i] == '/') return Str(modulePath.c_str(), i);
    return modulePath;
}

Str workingDirFor(const Str& launcherDir)
{
    if (launcherDir.size() == 2 && launcherDir[1] == ':') return launcherDir + "\\";
    return launcherDir;
}

void appendClassPathElement(Str& classPath, const Str& dir, const char* name)
{
    if (!classPath.empty()) classPath += ';';
    classPath += dir;
    classPath += '\\';
    classPath += name;
}

Str signalPath(const Str& homePath)
{
    return homePath + "\\.korvel\\signal.kvl";
}

Str launcherArgsValue(const Str& args)
{
    Str value;
    size_t trailing = 0;
    for (size_t i = 0; i < args.size(); ++i) {
        char c = args[i];
        if (c == '"') continue;
        value += c;
        trailing = c == '\\' ? trailing + 1 : 0;
    }
    while (trailing-- > 0) value += '\\';
    return value;
}

Str paramString(const Str& classPath, const Str& options, const Str& launcherArgs)
{
    return "-cp \"" + classPath + "\" " + options +
           " -Xms32m -Xmx128m -Dsun.java2d.d3d=false -Dkvl.exe.ver=\"3\" -Dkvl.launcher.args=\"" +
           launcherArgsValue(launcherArgs) + "\" com.korvel.client.swing.Launcher";
}

const char* runtimeProgram(bool localRuntimeExists)
{
    return localRuntimeExists ? "jre6\\bin\\javaw" : "javaw";
}
