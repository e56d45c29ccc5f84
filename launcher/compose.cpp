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

std::string dirOf(const std::string& modulePath)
{
    std::string::size_type cut = modulePath.find_last_of("\\/");
    return cut == std::string::npos ? modulePath : modulePath.substr(0, cut);
}

std::string workingDirFor(const std::string& launcherDir)
{
    if (launcherDir.size() == 2 && launcherDir[1] == ':')
        return launcherDir + "\\";
    return launcherDir;
}

void appendClassPathElement(std::string& classPath, const std::string& dir, const char* name)
{
    if (!classPath.empty()) classPath += ";";
    classPath += dir;
    classPath += "\\";
    classPath += name;
}

std::string signalPath(const std::string& homePath)
{
    return homePath + "\\.korvel\\signal.kvl";
}

std::string launcherArgsValue(const std::string& args)
{
    std::string value;
    for (char c : args)
        if (c != '"') value += c;
    std::string::size_type last = value.find_last_not_of('\\');
    std::string::size_type trailing = value.size() - (last == std::string::npos ? 0 : last + 1);
    value.append(trailing, '\\');
    return value;
}

std::string paramString(const std::string& classPath, const std::string& options,
                        const std::string& launcherArgs)
{
    return "-cp \"" + classPath + "\" " + options +
           " -Xms32m -Xmx128m -Dsun.java2d.d3d=false -Dkvl.exe.ver=\"3\" -Dkvl.launcher.args=\"" +
           launcherArgsValue(launcherArgs) + "\" com.korvel.client.swing.Launcher";
}

const char* runtimeProgram(bool localRuntimeExists)
{
    return localRuntimeExists ? "jre6\\bin\\javaw" : "javaw";
}
