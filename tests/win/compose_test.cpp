// Unit tests of the launcher's string type and string rules.
//
// usage: compose_test                 run the tests
//        compose_test --exhaust N     ask Str for far too much memory (N = 1:
//                                     a length past the address space, 2: an
//                                     allocation that cannot be had); the
//                                     process must end with status 8
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "compose.h"

static int passed, failed;

static void check(const std::string& what, const Str& got, const Str& want)
{
    if (got == want) {
        ++passed;
        return;
    }
    ++failed;
    printf("FAIL %s\n  got:  [%s]\n  want: [%s]\n", what.c_str(), got.c_str(), want.c_str());
}

static Str number(size_t n) { return Str(std::to_string(n).c_str()); }

static void testStr()
{
    Str empty;
    check("empty", empty, "");
    check("empty c_str", Str(empty.c_str()), "");

    Str a("abc");
    Str b = a;
    b += "def";
    check("a copy is independent", a, "abc");
    check("append", b, "abcdef");
    check("concatenation", "<" + a + ">" + Str("x"), "<abc>x");
    check("length-bounded", Str("abcdef", 3), "abc");
    check("embedded NUL keeps its length", number(Str("a\0b", 3).size()), "3");

    Str self("xy");
    for (int i = 0; i < 10; ++i) self += self;  // appends its own buffer while it moves
    check("self-append size", number(self.size()), "2048");
    bool alternating = true;
    for (size_t i = 0; i < self.size(); ++i) alternating = alternating && self[i] == (i % 2 ? 'y' : 'x');
    check("self-append content", alternating ? "ok" : "corrupt", "ok");

    Str grown;
    std::string model;
    for (int i = 0; i < 100000; ++i) {
        grown += (char)('a' + i % 26);
        model += (char)('a' + i % 26);
    }
    check("100000 appends", grown, model.c_str());

    Str moved = static_cast<Str&&>(grown);
    check("moved", number(moved.size()), "100000");
    check("moved-from is empty", grown, "");
    grown = moved;
    check("assigned", number(grown.size()), "100000");
}

static int exhaust(int how)
{
    Str s("x");
    if (how == 1) s.append("y", SIZE_MAX - 1);
    else s.append("y", SIZE_MAX / 4);  // the buffer is grown before anything is read
    printf("still running\n");
    return 1;
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
    Str cp;
    const char* names[] = {".", "..", "a.jar", "classes", "readme.txt"};
    for (const char* name : names) appendClassPathElement(cp, "lib", name);
    check("class path of five entries", cp, "lib\\.;lib\\..;lib\\a.jar;lib\\classes;lib\\readme.txt");

    Str trailing;
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
    const Str tail =
        " -Xms32m -Xmx128m -Dsun.java2d.d3d=false -Dkvl.exe.ver=\"3\" -Dkvl.launcher.args=\"a b\" "
        "com.korvel.client.swing.Launcher";
    Str plain = paramString("lib\\.;lib\\..;lib\\client.jar", "", "a b");
    check("worked example", plain, "-cp \"lib\\.;lib\\..;lib\\client.jar\" " + tail);
    check("worked example length", number(plain.size()), "151");

    Str traced = paramString("lib\\.;lib\\..;lib\\client.jar", "-Dtrace=1", "a b");
    check("with options", traced, "-cp \"lib\\.;lib\\..;lib\\client.jar\" -Dtrace=1" + tail);
    check("with options length", number(traced.size()), "160");

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

int main(int argc, char** argv)
{
    if (argc == 3 && strcmp(argv[1], "--exhaust") == 0) return exhaust(atoi(argv[2]));
    testStr();
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
