// Unit tests of the launcher's string rules.
#include <cstdio>
#include <string>

#include "compose.h"

static int passed, failed;

static void check(const std::string& what, const std::string& got, const std::string& want)
{
    if (got == want) {
        ++passed;
        return;
    }
    ++failed;
    printf("FAIL %s\n  got:  [%s]\n  want: [%s]\n", what.c_str(), got.c_str(), want.c_str());
}

static void testArgsTail()
{
    struct { const char* cmdLine; const char* tail; } cases[] = {
        {"korvel.exe a b", "a b"},
        {"\"C:\\Program Files\\korvel.exe\" a b", "a b"},
        {"  \t korvel.exe \t a  b  ", "a  b  "},
        {"\"C:\\Apps\\korvel.exe\"x y", "x y"},        // the name ends at its closing quote
        {"\"C:\\never closed a b", ""},                // unclosed quote swallows the rest
        {"korvel.exe", ""},
        {"", ""},
        {"korvel.exe \"C:\\My Files\\save.kvl\"", "\"C:\\My Files\\save.kvl\""},
        {"korvel.exe\ta", "a"},
        {"korvel.exe \x01x", "\x01x"},                 // control characters are not blanks
        {"k\"a b\" c", "b\" c"},                        // a quote inside an unquoted name is just a character
    };
    for (const auto& c : cases) check(std::string("argsTail ") + c.cmdLine, argsTail(c.cmdLine), c.tail);
}

static void testDirs()
{
    struct { const char* modulePath; const char* dir; const char* workDir; } cases[] = {
        {"C:\\Apps\\Client\\client.exe", "C:\\Apps\\Client", "C:\\Apps\\Client"},
        {"C:\\client.exe", "C:", "C:\\"},
        {"C:/Apps/Client/client.exe", "C:/Apps/Client", "C:/Apps/Client"},
        {"C:\\Apps/Client\\x/client.exe", "C:\\Apps/Client\\x", "C:\\Apps/Client\\x"},
        {"\\\\server\\share\\client.exe", "\\\\server\\share", "\\\\server\\share"},
        {"client.exe", "client.exe", "client.exe"},
    };
    for (const auto& c : cases) {
        check(std::string("dirOf ") + c.modulePath, dirOf(c.modulePath), c.dir);
        check(std::string("workingDirFor ") + c.dir, workingDirFor(c.dir), c.workDir);
    }
}

static void testClassPath()
{
    std::string cp;
    const char* names[] = {".", "..", "a.jar", "classes", "readme.txt"};
    for (const char* name : names) appendClassPathElement(cp, "lib", name);
    check("class path of five entries", cp, "lib\\.;lib\\..;lib\\a.jar;lib\\classes;lib\\readme.txt");

    std::string trailing;
    appendClassPathElement(trailing, "lib\\", "a b.jar");
    appendClassPathElement(trailing, "lib\\", "x;y");
    check("directory with a trailing backslash", trailing, "lib\\\\a b.jar;lib\\\\x;y");
}

static void testSignalPath()
{
    check("signalPath", signalPath("\\Users\\user"), "\\Users\\user\\.korvel\\signal.kvl");
    check("signalPath trailing backslash", signalPath("\\Users\\user\\"), "\\Users\\user\\\\.korvel\\signal.kvl");
    check("signalPath empty home", signalPath(""), "\\.korvel\\signal.kvl");
}

static void testLauncherArgsValue()
{
    struct { const char* args; const char* value; } cases[] = {
        {"a b", "a b"},
        {"", ""},
        {"\"C:\\My Files\\save.kvl\"", "C:\\My Files\\save.kvl"},
        {"C:\\dir\\", "C:\\dir\\\\"},
        {"C:\\dir\\\\", "C:\\dir\\\\\\\\"},
        {"\"C:\\dir\\\"", "C:\\dir\\\\"},                  // quote dropped first, then the backslash is last
        {"a\\\"b", "a\\b"},
        {"\\\\server\\share x", "\\\\server\\share x"},    // inner backslashes stay single
        {"\"\"\"", ""},
        {"*.kvl ? ", "*.kvl ? "},
    };
    for (const auto& c : cases) check(std::string("launcherArgsValue ") + c.args, launcherArgsValue(c.args), c.value);
}

static void testParamString()
{
    const std::string tail =
        " -Xms32m -Xmx128m -Dsun.java2d.d3d=false -Dkvl.exe.ver=\"3\" -Dkvl.launcher.args=\"a b\" "
        "com.korvel.client.swing.Launcher";
    std::string plain = paramString("lib\\.;lib\\..;lib\\client.jar", "", "a b");
    check("worked example", plain, "-cp \"lib\\.;lib\\..;lib\\client.jar\" " + tail);
    check("worked example length", std::to_string(plain.size()), "151");

    std::string traced = paramString("lib\\.;lib\\..;lib\\client.jar", "-Dtrace=1", "a b");
    check("with options", traced, "-cp \"lib\\.;lib\\..;lib\\client.jar\" -Dtrace=1" + tail);
    check("with options length", std::to_string(traced.size()), "160");

    check("everything empty", paramString("", "", ""),
          "-cp \"\"  -Xms32m -Xmx128m -Dsun.java2d.d3d=false -Dkvl.exe.ver=\"3\" -Dkvl.launcher.args=\"\" "
          "com.korvel.client.swing.Launcher");
    check("args are made safe", paramString("", "", "x\\"),
          "-cp \"\"  -Xms32m -Xmx128m -Dsun.java2d.d3d=false -Dkvl.exe.ver=\"3\" -Dkvl.launcher.args=\"x\\\\\" "
          "com.korvel.client.swing.Launcher");
}

static void testRuntimeProgram()
{
    check("local runtime", runtimeProgram(true), "jre6\\bin\\javaw");
    check("shell's runtime", runtimeProgram(false), "javaw");
}

int main()
{
    testArgsTail();
    testDirs();
    testClassPath();
    testSignalPath();
    testLauncherArgsValue();
    testParamString();
    testRuntimeProgram();
    printf("%d passed, %d failed\n", passed, failed);
    return failed ? 1 : 0;
}
